#pragma once

#include "Audio_Data.h"
#include "ChannelSelector.h"
#include "DataDefine.h"
#include "LockState.h"

#include <QDialog>

#include <array>
#include <functional>

class CPlaceholderPanel;
class QAbstractButton;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QTimer;

// The main window. It owns the program record being edited and the
// program-wide state, shows the connection status, hosts the graph, the
// channel strip and the channel panels, and carries the seven commands.
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

    static constexpr int kPumpIntervalMs = 20;
    static constexpr const char* kMusicFolder = "MusicFile";

    explicit COrvanDlgDlg(QWidget* parent = nullptr);
    ~COrvanDlgDlg() override;

    // ---- program-wide state ------------------------------------------------
    CAudio_Data& Data() { return m_data; }
    CLockState& Locks() { return m_locks; }
    CChannelSelector& Selector() { return m_selector; }
    int GetLanguage() const { return m_nLanguage; }
    bool IsConnected() const { return m_bConnected; }
    int GetProgramNumber() const { return m_nProgramNumber; }
    // Lock text and out-of-range text of the current language.
    const char* GetLockText() const { return LockText(m_nLanguage); }
    const char* GetOutOfRangeText() const { return OutOfRangeText(m_nLanguage); }

    // ---- operations for panels and dialogs --------------------------------
    // Shows the input side for input `index` (0..3) / the output side for
    // output `index` (0..7); indexes outside the side are ignored.
    void SelectInputChannel(int index);
    void SelectOutputChannel(int index);
    // Connected: NAME, NO. and DEVICE ID from the record and the link; not
    // connected: NO. and DEVICE ID read "NULL".
    void ShowStatus(bool connected);
    // Switches every text of the window and its panels to `language`.
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

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void CreateStatusArea();
    void CreateCommandButtons();
    void CreatePanels();
    void EnsureMusicFolder();
    void RetranslateUi();
    void RefreshPanelTitles();
    void SetConnectedLook(bool connected);

    // ---- commands -----------------------------------------------------------
    void OnHelp();
    void OnProgram();
    void OnDevice();
    void OnInterface();
    void OnLock();
    void OnReport();
    void OnConnection();
    void ShowNotAvailable();

    // ---- communication engine ----------------------------------------------
    // Each of these is where one notification of the engine is handled; the
    // engine's signals are connected to them when the engine is created.
    void OnPumpTick();                          // every 20 ms while connected
    void OnLiveProgramRead();                   // block 12 of a block read stored
    void OnProgramReceived(int program);        // a whole stored program arrived
    void OnSystemInfoReceived();                // system information arrived
    void OnLevelsReceived();                    // level meters arrived
    void OnVersionMismatch(int majorVersion);   // processor major version not 1
    void OnDeviceType(int typeCode);            // processor reported its type
    // A point of the response graph was dragged: band `index` (15 and 16
    // are the crossover filters of an output).
    void OnGraphPointDragged(int index, bool inputSide);

    CAudio_Data m_data;
    CLockState m_locks;
    CChannelSelector m_selector;
    int m_nLanguage = kChinese;
    bool m_bConnected = false;
    int m_nDeviceId = 0;
    int m_nProgramNumber = 0;
    std::array<QString, 2> m_astrHelpPath;
    HelpOpener m_helpOpener;

    QLabel* m_pTitle = nullptr;
    QLabel* m_pNameLabel = nullptr;
    QLabel* m_pNumberLabel = nullptr;
    QLabel* m_pDeviceIdLabel = nullptr;
    QLineEdit* m_pName = nullptr;
    QLineEdit* m_pNumber = nullptr;
    QLineEdit* m_pDeviceId = nullptr;
    QProgressBar* m_pProgress = nullptr;
    std::array<QPushButton*, kCommandCount> m_apCommand{};

    CPlaceholderPanel* m_pGraph = nullptr;
    CPlaceholderPanel* m_pInFace = nullptr;
    CPlaceholderPanel* m_pInEq = nullptr;
    CPlaceholderPanel* m_pOutFace = nullptr;
    CPlaceholderPanel* m_pOutEq = nullptr;
    CPlaceholderPanel* m_pStrip = nullptr;

    QTimer* m_pPumpTimer = nullptr;
};
