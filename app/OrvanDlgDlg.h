#pragma once

#include "app/GraphExportMenu.h"
#include "model/ValueText.h"
#include "session/ProcessorLink.h"
#include "ui/ChannelSelector.h"
#include "ui/MainLayout.h"

#include <QDialog>

#include <array>
#include <functional>
#include <utility>
#include <vector>

class CCHEDlg;
class CDisplayDlg;
class CEditCommandBar;
class CFStatic;
class CProgramManager;
class CRackWindow;
class CInEQDlg;
class CInFaceDlg;
class COutEQDlg;
class COutFaceDlg;
class CStatusBlock;
class CTestGenDlg;
class QPushButton;
class QScreen;

// The main window, a façade: it creates each area once, places it where
// MainLayout::Areas says and wires the seven commands. What is shown comes
// from the processor link it is handed (record, locks, session state, the
// notice), which each area follows by itself, and from the channel selector,
// the one piece of state the window keeps. Closing it ends the program;
// Enter and Escape never close it.
class COrvanDlgDlg : public QDialog
{
    Q_OBJECT

public:
    enum ECommand : int
    {
        kHelp,
        kProgram,
        kDevice,
        kInterface,
        kLock,
        kReport,
        kConnection,
        kRack,
        kCommandCount,
    };

    static constexpr const char* kMusicFolder = "MusicFile";

    // The link must outlive the window: every panel holds references into it.
    explicit COrvanDlgDlg(CProcessorLink& link, QWidget* parent = nullptr);
    ~COrvanDlgDlg() override;

    // ---- what the window was handed ----------------------------------------
    CProcessorLink& Link() { return m_link; }
    const CProcessorLink& Link() const { return m_link; }
    CRecordNotice& Notice() { return m_link.Notice(); }
    CAudio_Data& Data() { return m_link.Record(); }
    CLockState& Locks() { return m_link.Locks(); }
    CChannelSelector& Selector() { return m_selector; }
    const CChannelSelector& Selector() const { return m_selector; }
    CCommand& Engine() { return m_link.Command(); }
    CConnection& Connection() { return m_link.Connection(); }
    ELanguage GetLanguage() const { return m_link.Notice().Language(); }
    bool IsConnected() const { return m_link.IsConnected(); }
    // Channels of the connected processor's type (4 and 8 until one reports).
    int InputsInUse() const { return m_link.Connection().GetChannelCounts().nInputs; }
    int OutputsInUse() const { return m_link.Connection().GetChannelCounts().nOutputs; }

    // ---- operations for panels, dialogs and tests ---------------------------
    // Selects `address` and shows its side; a channel the processor does
    // not have is ignored.
    void SelectChannel(ChannelAddress address);

    // Shows the curves of exactly `shown` besides the selected channel's;
    // the strip's curve buttons follow.
    void ShowCurves(const std::vector<ChannelAddress>& shown);

    // Opens `port` and starts talking to `deviceId`, as the Connection
    // dialog's Connect does; false (after telling the user) when the port
    // cannot be opened.
    bool Connect(const QString& port, int deviceId);
    void Disconnect();
    // Switches every text of the window and, through the record notice, of
    // its panels to `language`.
    void SetLanguage(ELanguage language);

    QPushButton* CommandButton(ECommand command) const;
    // Full path of the help file of `language` in the working directory as
    // it was at start.
    QString HelpFilePath(ELanguage language) const;

    // How a help file is opened; returns false when the system could not
    // open it. The default asks the desktop to open it.
    using HelpOpener = std::function<bool(const QString& path)>;
    void SetHelpOpener(HelpOpener opener);

    // How the commands run their modal dialogs; returns the dialog's result.
    // The default is exec(); tests fill the dialog in and end it instead.
    using DialogRunner = std::function<int(QDialog& dialog)>;
    void SetDialogRunner(DialogRunner runner);

    // How the window asks a yes/no question (disconnecting with an A/B side
    // that was never sent); true for yes. The default is a question box.
    using Asker = std::function<bool(QWidget* pParent, const QString& strQuestion)>;
    void SetAsker(Asker asker) { m_asker = std::move(asker); }

    // The response graph as a picture of `size` (PNG, or SVG for a ".svg"
    // path) and the shown channels' curves as CSV, as the graph's context
    // menu writes them; false (after telling the user) when the file could
    // not be written.
    bool ExportGraphPicture(QSize size, const QString& path) { return m_pGraphExport->ExportPicture(size, path); }
    bool ExportCurves(const QString& path) { return m_pGraphExport->ExportCurves(path); }

    // How the window asks for a file to write; an empty text cancels. The
    // default is the save dialog in the "MusicFile" folder.
    using SaveAsker = CGraphExportMenu::SaveAsker;
    void SetSaveAsker(SaveAsker asker) { m_pGraphExport->SetSaveAsker(std::move(asker)); }

    CEditCommandBar* EditCommands() const { return m_pEditBar; }
    CFStatic* Graph() const { return m_pGraph; }
    CDisplayDlg* DisplayWindow() const { return m_pDisplay; }
    CProgramManager& Programs() { return *m_pPrograms; }
    CRackWindow& Rack() { return *m_pRack; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    // Puts `widget` at `area` now and whenever the window is resized;
    // whatever stands for an area (a placeholder or the real panel) is
    // placed the same way.
    void Place(MainLayout::EArea area, QWidget* widget);
    void LayOut();

    void CreateCommandButtons();
    void CreatePanels();
    void WireConnection();
    void EnsureMusicFolder();
    void RetranslateUi();
    void SetConnectedLook(bool connected);
    // The panel pair of the selected side, and its channel on the graph.
    void ShowSelectedSide();

    // ---- commands -----------------------------------------------------------
    void OnHelp();
    void OnProgram();
    void OnDevice();
    void OnInterface();
    void OnLock();
    void OnReport();
    void OnConnection();

    int RunDialog(QDialog& dialog);
    // Tells the user why the connection ended, unless they ended it.
    void OnDisconnected(CConnection::EReason reason);

    CProcessorLink& m_link;
    CChannelSelector m_selector;
    std::array<QString, 2> m_astrHelpPath;
    QString m_strSheet;
    HelpOpener m_helpOpener;
    DialogRunner m_dialogRunner;
    Asker m_asker;

    std::vector<std::pair<MainLayout::EArea, QWidget*>> m_aPlaced;
    CStatusBlock* m_pStatus = nullptr;
    std::array<QPushButton*, kCommandCount> m_apCommand{};
    CEditCommandBar* m_pEditBar = nullptr;

    CFStatic* m_pGraph = nullptr;
    CGraphExportMenu* m_pGraphExport = nullptr;
    CInFaceDlg* m_pInFace = nullptr;
    CInEQDlg* m_pInEq = nullptr;
    COutFaceDlg* m_pOutFace = nullptr;
    COutEQDlg* m_pOutEq = nullptr;
    CCHEDlg* m_pStrip = nullptr;
    CTestGenDlg* m_pTestGen = nullptr;
    CDisplayDlg* m_pDisplay = nullptr;
    CProgramManager* m_pPrograms = nullptr;
    CRackWindow* m_pRack = nullptr;
};
