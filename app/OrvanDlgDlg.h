#pragma once

#include "ui/ChannelSelector.h"
#include "model/DataDefine.h"
#include "ui/MainLayout.h"
#include "session/ProcessorLink.h"

#include <QDialog>

#include <array>
#include <functional>
#include <string>
#include <utility>
#include <vector>

class CCHEDlg;
class CDisplayDlg;
class CEditCommandBar;
class CFStatic;
class CProgramManager;
class CInEQDlg;
class CInFaceDlg;
class COutEQDlg;
class COutFaceDlg;
class CStatusBlock;
class CTestGenDlg;
class QAbstractButton;
class QPushButton;

// The main window. It owns the processor link (the program record being
// edited, the locks, the engine and the record notice the panels listen to)
// and the channel selector, shows the connection status, hosts the graph,
// the channel strip and the channel panels, and carries the seven commands.
// Closing it ends the program; Enter and Escape never close it.
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
        kCommandCount,
    };

    static constexpr const char* kMusicFolder = "MusicFile";
    static constexpr int kProgramCount = CReceiver::kProgramCount;

    explicit COrvanDlgDlg(QWidget* parent = nullptr);
    ~COrvanDlgDlg() override;

    // ---- program-wide state ------------------------------------------------
    CProcessorLink& Link() { return m_link; }
    CRecordNotice& Notice() { return m_link.Notice(); }
    CAudio_Data& Data() { return m_link.Record(); }
    CLockState& Locks() { return m_link.Locks(); }
    CChannelSelector& Selector() { return m_selector; }
    CCommand& Engine() { return m_link.Command(); }
    CConnection& Connection() { return m_link.Connection(); }
    int GetLanguage() const { return m_link.Notice().Language(); }
    bool IsConnected() const { return m_link.IsConnected(); }
    // The current program number, the program manager's.
    int GetProgramNumber() const;
    // The port of the last connection, offered again by the Connection dialog.
    const QString& GetPortName() const { return m_strPortName; }
    // Names of programs 0 (live) to 30 as the processor last gave them.
    const std::string& GetProgramName(int n) const { return m_astrProgramNames.at(static_cast<size_t>(n)); }
    // Channels of the connected processor's type (4 and 8 until one reports).
    int InputsInUse() const { return m_link.Connection().GetChannelCounts().nInputs; }
    int OutputsInUse() const { return m_link.Connection().GetChannelCounts().nOutputs; }
    // Lock text and out-of-range text of the current language.
    const char* GetLockText() const { return LockText(GetLanguage()); }
    const char* GetOutOfRangeText() const { return OutOfRangeText(GetLanguage()); }

    // ---- operations for panels and dialogs --------------------------------
    // Shows the input side for input `index` / the output side for output
    // `index`; channels the processor does not have are ignored.
    void SelectInputChannel(int index);
    void SelectOutputChannel(int index);
    // Shows only the channels of the processor's type.
    void ApplyVariantLayoutAll();

    // Opens `port` and starts talking to `deviceId`, as the Connection
    // dialog's Connect does; false (after telling the user) when the port
    // cannot be opened.
    bool Connect(const QString& port, int deviceId);
    void Disconnect();
    // Connected: NAME, NO. and DEVICE ID from the record and the link; not
    // connected: NO. and DEVICE ID read "NULL".
    void ShowStatus(bool connected);
    // Switches every text of the window and, through the record notice, of
    // its panels to `language`.
    void SetLanguage(int language);
    void SetProgressRange(int minimum, int maximum);
    void SetProgressPos(int position);

    QPushButton* CommandButton(ECommand command) const;
    // Full path of the help file of `language` in the working directory as
    // it was at start.
    QString HelpFilePath(int language) const;

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

    CEditCommandBar* EditCommands() const { return m_pEditBar; }
    CDisplayDlg* DisplayWindow() const { return m_pDisplay; }
    CProgramManager& Programs() { return *m_pPrograms; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // Puts `widget` at `area` now and whenever the window is resized;
    // whatever stands for an area (a placeholder or the real panel) is
    // placed the same way.
    void Place(MainLayout::EArea area, QWidget* widget);
    void LayOut();
    // The status block from the record, the link and the port.
    void RefreshStatus();

    void CreateStatusArea();
    void CreateCommandButtons();
    void CreatePanels();
    void EnsureMusicFolder();
    void RetranslateUi();
    void SetConnectedLook(bool connected);

    // ---- commands -----------------------------------------------------------
    void OnHelp();
    void OnProgram();
    void OnDevice();
    void OnInterface();
    void OnLock();
    void OnReport();
    void OnConnection();
    // The EQ panels' context menu: a measurement tool's filter set into the
    // selected channel's bands.
    void OfferFilterImport(const QPoint& where);
    void ImportFilterSetInto(int channelCode);

    int RunDialog(QDialog& dialog);

    // ---- communication engine ----------------------------------------------
    // What the window itself shows of the connection procedure; the panels
    // hear of the record through the notice.
    void OnDeviceType();                        // type known, channel counts set
    void OnStateReadStarted();                  // the processor's state is being read
    void OnLiveProgramRead();                   // a received program is in the record
    void OnSystemInfoReceived();                // system information is in the record
    void OnDisconnected(CConnection::EReason reason);

    CProcessorLink m_link;
    CChannelSelector m_selector;
    QString m_strPortName;
    std::array<std::string, kProgramCount> m_astrProgramNames;
    std::array<QString, 2> m_astrHelpPath;
    HelpOpener m_helpOpener;
    DialogRunner m_dialogRunner;
    Asker m_asker;

    // NO. and DEVICE ID show the connection's values (ShowStatus).
    bool m_bProgramShown = false;
    std::vector<std::pair<MainLayout::EArea, QWidget*>> m_aPlaced;
    CStatusBlock* m_pStatus = nullptr;
    std::array<QPushButton*, kCommandCount> m_apCommand{};
    CEditCommandBar* m_pEditBar = nullptr;

    CFStatic* m_pGraph = nullptr;
    CInFaceDlg* m_pInFace = nullptr;
    CInEQDlg* m_pInEq = nullptr;
    COutFaceDlg* m_pOutFace = nullptr;
    COutEQDlg* m_pOutEq = nullptr;
    CCHEDlg* m_pStrip = nullptr;
    CTestGenDlg* m_pTestGen = nullptr;
    CDisplayDlg* m_pDisplay = nullptr;
    CProgramManager* m_pPrograms = nullptr;
};
