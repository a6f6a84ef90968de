#include "app/OrvanDlgDlg.h"

#include "editors/CHEDlg.h"
#include "ui/CommonText.h"
#include "link/ConnectDlg.h"
#include "report/DataViewDlg.h"
#include "link/DeviceDlg.h"
#include "link/DisplayDlg.h"
#include "app/EditCommandBar.h"
#include "app/FilterImportMenu.h"
#include "controls/ControlsAccessible.h"
#include "editors/FStatic.h"
#include "app/HelpPages.h"
#include "editors/InEQDlg.h"
#include "editors/InFaceDlg.h"
#include "app/InformationDlg.h"
#include "locks/LockCommand.h"
#include "ui/MainLayout.h"
#include "ui/WindowPlacement.h"
#include "ui/MainSkin.h"
#include "app/MainShortcuts.h"
#include "app/MainText.h"
#include "ui/MessageBox.h"
#include "editors/OutEQDlg.h"
#include "editors/OutFaceDlg.h"
#include "link/Serial/PortList.h"
#include "report/ReportBuilder.h"
#include "programs/ProgramDlg.h"
#include "programs/ProgramManager.h"
#include "rack/RackWindow.h"
#include "app/QtTranslation.h"
#include "app/RackHookup.h"
#include "app/StatusBlock.h"
#include "testgen/TestGenDlg.h"

#include <QApplication>
#include <algorithm>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QUrl>

namespace
{
struct CommandDef
{
    COrvanDlgDlg::ECommand eCommand;
    EMainText eCaption;
    const char* szObjectName;
};

// Top to bottom as the buttons stand in the command area.
constexpr std::array<CommandDef, COrvanDlgDlg::kCommandCount> kCommands{{
    {COrvanDlgDlg::kHelp, EMainText::Help, "HelpButton"},
    {COrvanDlgDlg::kProgram, EMainText::Program, "ProgramButton"},
    {COrvanDlgDlg::kDevice, EMainText::Device, "DeviceButton"},
    {COrvanDlgDlg::kInterface, EMainText::Interface, "InterfaceButton"},
    {COrvanDlgDlg::kLock, EMainText::Lock, "LockButton"},
    {COrvanDlgDlg::kReport, EMainText::Report, "ReportButton"},
    {COrvanDlgDlg::kConnection, EMainText::Connection, "ConnectionButton"},
    {COrvanDlgDlg::kRack, EMainText::Rack, "RackButton"},
}};

bool IsEnterOrEscape(const QKeyEvent& key)
{
    return key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter || key.key() == Qt::Key_Escape;
}
}

COrvanDlgDlg::COrvanDlgDlg(CProcessorLink& link, QWidget* parent)
    : QDialog(parent)
    , m_link(link)
    , m_helpOpener([](const QString& path) { return QDesktopServices::openUrl(QUrl::fromLocalFile(path)); })
    , m_dialogRunner([](QDialog& dialog) { return dialog.exec(); })
    , m_asker([](QWidget* pParent, const QString& strQuestion) {
        return QMessageBox::question(pParent, CMessageBox::Caption(), strQuestion) == QMessageBox::Yes;
    })
{
    // Before any child exists: a button's accessible interface is made (and
    // kept) the first time it changes, and only ours presses it at once.
    InstallControlsAccessibility();
    setObjectName(QStringLiteral("MainWindow"));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
    setMinimumSize(MainLayout::kMinimumClient);
    resize(MainLayout::kMinimumClient);
    setWindowIcon(CMainSkin::AppIcon());
    // The sheet goes on the parts that use it (status block, commands) and
    // on every window opened over this one, not on the window itself: the
    // panels draw their own controls, and a sheet above their several
    // hundred widgets cost each one its rule caches, some 5 MB in all.
    m_strSheet = CMainSkin::StyleSheet();
    CMainSkin::StyleWindowsOver(*this);

    // Boxes carry the caption of the start language until the language is
    // first switched.
    CMessageBox::SetCaption(MainText(EMainText::MessageCaption, GetLanguage()));

    // Help files and program files are found relative to the directory the
    // program was started in, even if it changes later.
    const QDir startDir = QDir::current();
    for (ELanguage language : {kChinese, kEnglish})
        m_astrHelpPath.at(static_cast<size_t>(language)) = startDir.absoluteFilePath(HelpFileName(language));
    EnsureMusicFolder();

    m_pPrograms = new CProgramManager(Engine(), Data(), Locks(), m_link.Transfer(), m_link.Session(),
                                      [this] { return GetLanguage(); }, [this] { return IsConnected(); },
                                      startDir.absoluteFilePath(QLatin1String(kMusicFolder)), this);
    m_pStatus = new CStatusBlock(m_link, this);
    m_pStatus->setStyleSheet(m_strSheet);
    Place(MainLayout::EArea::Status, m_pStatus);
    CreateCommandButtons();
    CreatePanels();
    MainShortcuts::Bind(*this, m_selector, [this](ChannelAddress channel) { SelectChannel(channel); }, *m_pStrip,
                        *m_pInEq, *m_pOutEq);
    WireConnection();
    SetConnectedLook(false);
    QtTranslation::Apply(GetLanguage());

    // Enter and Escape are caught before any control of this window sees
    // them (see eventFilter).
    qApp->installEventFilter(this);

    RetranslateUi();
}

COrvanDlgDlg::~COrvanDlgDlg()
{
    qApp->removeEventFilter(this);
    // The panels hold references to the selector, a member, which dies
    // before the widget base would delete them.
    qDeleteAll(findChildren<QWidget*>(Qt::FindDirectChildrenOnly));
}

void COrvanDlgDlg::WireConnection()
{
    // What the window itself shows of the connection procedure; the areas
    // follow the link themselves.
    CConnection* connection = &Connection();
    connect(connection, &CConnection::stateReadStarted, this, [this] { m_pDisplay->Show(GetLanguage()); });
    connect(connection, &CConnection::liveProgramLoaded, m_pDisplay, &CDisplayDlg::Hide);
    connect(connection, &CConnection::disconnected, this, &COrvanDlgDlg::OnDisconnected);
    connect(&Notice(), &CRecordNotice::languageChanged, this, &COrvanDlgDlg::RetranslateUi);

    connect(m_pPrograms, &CProgramManager::progressRangeChanged, m_pStatus->Progress(), &QProgressBar::setRange);
    connect(m_pPrograms, &CProgramManager::statusChanged, m_pStatus, [this] { m_pStatus->ShowProgram(IsConnected()); });
    connect(m_pPrograms, &CProgramManager::programLoaded, &Notice(), &CRecordNotice::NotifyProgramLoaded);
    connect(connection, &CConnection::liveProgramLoaded, m_pPrograms, &CProgramManager::OnProgramLoaded);
    connect(connection, &CConnection::disconnected, m_pPrograms, &CProgramManager::OnDisconnected);
}

// ---- layout ------------------------------------------------------------------

void COrvanDlgDlg::Place(MainLayout::EArea area, QWidget* widget)
{
    m_aPlaced.emplace_back(area, widget);
    widget->setGeometry(MainLayout::Areas(size()).Of(area));
}

void COrvanDlgDlg::LayOut()
{
    const MainLayout::CAreas areas = MainLayout::Areas(size());
    for (const auto& [area, widget] : m_aPlaced)
        widget->setGeometry(areas.Of(area));
    const QRect commands = areas.Of(MainLayout::EArea::Commands);
    const std::vector<QRect> buttons = MainLayout::CommandButtons(commands);
    for (const CommandDef& def : kCommands)
        if (QPushButton* button = m_apCommand.at(def.eCommand))
            button->setGeometry(buttons.at(static_cast<size_t>(def.eCommand)));
    if (m_pEditBar)
        m_pEditBar->setGeometry(MainLayout::EditBar(commands));
}

void COrvanDlgDlg::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    LayOut();
}

void COrvanDlgDlg::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (isMaximized() || isFullScreen() || screen() == nullptr)
        return;
    // The whole frame on the screen, its title bar above all: a window
    // manager that puts the client at the geometry asked for pushes the
    // title bar above the screen's edge.
    const QRect frame = frameGeometry();
    const QPoint topLeft = WindowPlacement::FrameOnScreen(frame, screen()->availableGeometry());
    if (topLeft != frame.topLeft())
        move(topLeft);
}

void COrvanDlgDlg::CreateCommandButtons()
{
    using Handler = void (COrvanDlgDlg::*)();
    constexpr std::array<Handler, kCommandCount> handlers{
        &COrvanDlgDlg::OnHelp,      &COrvanDlgDlg::OnProgram, &COrvanDlgDlg::OnDevice,
        &COrvanDlgDlg::OnInterface, &COrvanDlgDlg::OnLock,    &COrvanDlgDlg::OnReport,
        &COrvanDlgDlg::OnConnection, nullptr,  // the rack window opens itself (HookUpRack)
    };

    m_pEditBar = new CEditCommandBar(m_link, this);
    m_pEditBar->setStyleSheet(m_strSheet);
    for (const CommandDef& def : kCommands)
    {
        auto* button = new QPushButton(this);
        button->setStyleSheet(m_strSheet);
        button->setObjectName(QLatin1String(def.szObjectName));
        button->setProperty("role", "command");
        button->setAutoDefault(false);
        button->setCursor(Qt::PointingHandCursor);
        if (const Handler handler = handlers.at(def.eCommand))
            connect(button, &QPushButton::clicked, this, handler);
        m_apCommand.at(def.eCommand) = button;
    }
    // Pressed while connected.
    m_apCommand[kConnection]->setCheckable(true);
    LayOut();
}

void COrvanDlgDlg::CreatePanels()
{
    using MainLayout::EArea;
    m_pGraph = new CFStatic(m_link, this);
    m_pGraph->setObjectName(QStringLiteral("ResponseGraph"));
    Place(EArea::Graph, m_pGraph);
    m_pGraph->SetLanguage(GetLanguage());
    // The graph draws from the record; any change of it, the locks or the
    // curves shown is drawn again.
    const auto redraw = [this] { m_pGraph->Redraw(); };
    connect(&Notice(), &CRecordNotice::valueChanged, m_pGraph, redraw);
    connect(&Notice(), &CRecordNotice::programLoaded, m_pGraph, redraw);
    connect(&Notice(), &CRecordNotice::locksChanged, m_pGraph, redraw);
    connect(&Notice(), &CRecordNotice::languageChanged, m_pGraph, &CFStatic::SetLanguage);
    m_pGraphExport = new CGraphExportMenu(m_link, *m_pGraph);
    // A drag from press to release is one undo step.
    connect(m_pGraph, &CFStatic::dragStarted, &m_link.History(), &CEditHistory::BeginGroup);
    connect(m_pGraph, &CFStatic::dragFinished, &m_link.History(), &CEditHistory::EndGroup);

    // Same order as the panels are created in: output pair hidden, input pair
    // shown with input A, then the channel strip. Each panel hears the record
    // notice and the selector itself; the window only shows the side selected.
    m_pOutEq = new COutEQDlg(m_link, m_selector, this);
    m_pOutEq->setObjectName(QStringLiteral("OutputEqPanel"));
    Place(EArea::EqPanel, m_pOutEq);
    m_pOutEq->hide();
    m_pOutFace = new COutFaceDlg(m_link, m_selector, this);
    m_pOutFace->setObjectName(QStringLiteral("OutputChannelPanel"));
    Place(EArea::ChannelPanel, m_pOutFace);
    m_pOutFace->hide();
    m_pInFace = new CInFaceDlg(m_link, m_selector, this);
    m_pInFace->setObjectName(QStringLiteral("InputChannelPanel"));
    Place(EArea::ChannelPanel, m_pInFace);
    m_pInEq = new CInEQDlg(m_link, m_selector, this);
    m_pInEq->setObjectName(QStringLiteral("InputEqPanel"));
    Place(EArea::EqPanel, m_pInEq);
    InstallFilterImportMenu(*m_pInEq, m_link, m_selector);
    InstallFilterImportMenu(*m_pOutEq, m_link, m_selector);
    m_pStrip = new CCHEDlg(m_link, m_selector, this);
    Place(EArea::ChannelStrip, m_pStrip);
    connect(m_pStrip, &CCHEDlg::selectRequested, this, &COrvanDlgDlg::SelectChannel);
    connect(&m_selector, &CChannelSelector::changed, this, &COrvanDlgDlg::ShowSelectedSide);
    connect(m_pStrip, &CCHEDlg::curvesChanged, m_pGraph, redraw);
    // Its controls take the strip's input columns; while it runs the strip
    // and the panels freeze their routing buttons, as the record tells them.
    m_pTestGen = new CTestGenDlg(m_link, *m_pStrip);

    m_pDisplay = new CDisplayDlg([this] { return Engine().IsTransferInProgress(); }, this);
    m_pRack = HookUpRack(m_link, *this, *m_apCommand[kRack],
                         [this](const QString& port, int deviceId) { return Connect(port, deviceId); });
}

void COrvanDlgDlg::EnsureMusicFolder()
{
    // Any entry of that name counts: a file there is left alone rather than
    // replaced.
    QDir dir = QDir::current();
    if (!dir.exists(QLatin1String(kMusicFolder)))
        dir.mkdir(QLatin1String(kMusicFolder));
}

// ---- language ----------------------------------------------------------------

void COrvanDlgDlg::SetLanguage(ELanguage language)
{
    // From the first switch on, every box is captioned "Information",
    // whichever language is chosen.
    CMessageBox::SetCaption(MainText(EMainText::MessageCaption, kEnglish));
    Notice().SetLanguage(language);
    QtTranslation::Apply(GetLanguage());
}

void COrvanDlgDlg::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        RetranslateUi();
    QDialog::changeEvent(event);
}

void COrvanDlgDlg::RetranslateUi()
{
    setWindowTitle(MainText(EMainText::Title, GetLanguage()));
    for (const CommandDef& def : kCommands)
        m_apCommand.at(def.eCommand)->setText(MainText(def.eCaption, GetLanguage()));
    m_apCommand[kRack]->setToolTip(MainText(EMainText::RackTip, GetLanguage()));
}

// ---- channel selection -------------------------------------------------------

void COrvanDlgDlg::SelectChannel(ChannelAddress address)
{
    if (address.nIndex >= 0 && address.nIndex < address.Pick(InputsInUse(), OutputsInUse()))
        m_selector.Select(address);
}

void COrvanDlgDlg::ShowSelectedSide()
{
    const ChannelAddress selected = m_selector.Current();
    m_pInFace->setVisible(selected.bInput);
    m_pInEq->setVisible(selected.bInput);
    m_pOutEq->setVisible(!selected.bInput);
    m_pOutFace->setVisible(!selected.bInput);
    m_pGraph->Select(selected);
}

void COrvanDlgDlg::ShowCurves(const std::vector<ChannelAddress>& shown)
{
    for (int column = 0; column < Frame::kChannelCount; ++column)
    {
        const ChannelAddress address = ChannelAddress::FromColumn(column);
        const bool bShown = std::find(shown.begin(), shown.end(), address) != shown.end();
        Data().Channel(address).ShowCurve(bShown ? 1 : 0);
    }
    m_pStrip->RefreshFromRecord();
    m_pGraph->Redraw();
}

void COrvanDlgDlg::SetConnectedLook(bool connected)
{
    m_apCommand[kConnection]->setChecked(connected);
}

QPushButton* COrvanDlgDlg::CommandButton(ECommand command) const
{
    return m_apCommand.at(command);
}

QString COrvanDlgDlg::HelpFilePath(ELanguage language) const
{
    return m_astrHelpPath.at(language == kEnglish ? kEnglish : kChinese);
}

void COrvanDlgDlg::SetHelpOpener(HelpOpener opener)
{
    m_helpOpener = std::move(opener);
}

void COrvanDlgDlg::SetDialogRunner(DialogRunner runner)
{
    m_dialogRunner = std::move(runner);
}

int COrvanDlgDlg::RunDialog(QDialog& dialog)
{
    return m_dialogRunner(dialog);
}

// ---- events ------------------------------------------------------------------

bool COrvanDlgDlg::eventFilter(QObject* watched, QEvent* event)
{
    // Enter or Escape in any control of this window (a numeric field, most
    // of all) must neither close the window nor press a button. Taking the
    // focus makes the field give up its edit and commit the value.
    if (event->type() == QEvent::KeyPress && IsEnterOrEscape(*static_cast<QKeyEvent*>(event)))
    {
        auto* widget = qobject_cast<QWidget*>(watched);
        if (widget != nullptr && widget->window() == this)
        {
            setFocus(Qt::OtherFocusReason);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void COrvanDlgDlg::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    CMainSkin::PaintBackground(painter, rect());
}

// ---- commands ----------------------------------------------------------------

void COrvanDlgDlg::OnHelp()
{
    QString path = HelpFilePath(GetLanguage());
    // Without the help files of the working directory the program's own
    // pages stand in.
    if (!QFileInfo(path).isFile())
        path = HelpPages::IndexPath(GetLanguage(), QCoreApplication::applicationDirPath());
    // Checked first: a desktop opener may report success for a file that
    // is not there and then fail out of sight.
    if (!QFileInfo(path).isFile() || !m_helpOpener || !m_helpOpener(path))
        CMessageBox::Show(this, MainText(EMainText::HelpMissing, GetLanguage()));
}

void COrvanDlgDlg::OnProgram()
{
    CProgramDlg dialog(*m_pPrograms, GetLanguage(), this);
    RunDialog(dialog);
    if (dialog.IsDone() && IsConnected())
        m_pDisplay->Show(GetLanguage());
}

void COrvanDlgDlg::OnDevice()
{
    if (!IsConnected())
    {
        CMessageBox::Show(this, CommonText(ECommonText::OpenPortFirst, GetLanguage()));
        return;
    }
    CDeviceDlg dialog(Connection().GetDeviceIdTable(), Locks().IsLocked(CLockState::kSysDeviceId), GetLanguage(), this);
    if (RunDialog(dialog) != QDialog::Accepted || !IsConnected())
        return;
    if (dialog.Mode() == CDeviceDlg::kChangeId)
    {
        if (Connection().ChangeDeviceId(dialog.NewId()))
            m_pStatus->ShowProgram(true);
    }
    else if (Connection().ReconnectTo(dialog.ReconnectId()))
    {
        // The type answer starts the same state read as a new connection.
        m_link.Session().SetProgramNumber(0);
    }
}

void COrvanDlgDlg::OnInterface()
{
    CInformationDlg dialog(Data(), Locks(), Engine(), [this] { return IsConnected(); }, GetLanguage(), this);
    connect(&dialog, &CInformationDlg::languageSwitched, this, &COrvanDlgDlg::SetLanguage);
    RunDialog(dialog);
}

void COrvanDlgDlg::OnLock()
{
    OpenLockCommand(m_link, this, [this](QDialog& dialog) { return RunDialog(dialog); });
}

void COrvanDlgDlg::OnReport()
{
    CDataViewDlg dialog(BuildReportTable(Data(), &Locks(), InputsInUse(), OutputsInUse(), GetLanguage()), GetLanguage(),
                        this);
    // The PDF ends with one graph of every channel's curve.
    dialog.SetPdfCurvePage([this](QPainter& painter, const QRect& body) {
        CGraphExportMenu::PaintCurvePage(painter, body, Data(), InputsInUse(), OutputsInUse(), font(), GetLanguage());
    });
    RunDialog(dialog);
}

void COrvanDlgDlg::OnConnection()
{
    // A click toggles the button; what it shows is the connection state.
    SetConnectedLook(IsConnected());
    if (IsConnected())
    {
        // The side of the A/B comparison not in use lives only here.
        if (Link().Compare().HasUnsentSide()
            && !m_asker(this, MainText(EMainText::DisconnectLosesSide, GetLanguage())))
            return;
        Disconnect();
        return;
    }
    QList<SerialPortEntry> ports;
    EnumeratePorts(ports);
    CConnectDlg dialog(Connection(), ports, m_link.Session().PortName(), GetLanguage(), this);
    dialog.SelectDeviceId(Data().GetDeviceId());
    if (RunDialog(dialog) != QDialog::Accepted)
        return;
    Connect(dialog.PortName(), dialog.DeviceId());
}

bool COrvanDlgDlg::Connect(const QString& port, int deviceId)
{
    if (!m_link.Connect(port, deviceId))
    {
        CConnectDlg::ShowOpenFailed(this, Connection(), GetLanguage());
        SetConnectedLook(IsConnected());
        return false;
    }
    SetConnectedLook(true);
    m_pStatus->Refresh();
    return true;
}

void COrvanDlgDlg::Disconnect()
{
    Connection().Disconnect(CConnection::EReason::User);
}

// ---- communication engine ----------------------------------------------------

void COrvanDlgDlg::OnDisconnected(CConnection::EReason reason)
{
    m_pDisplay->Hide();
    SetConnectedLook(false);
    const QString message = DisconnectMessage(reason, Connection(), GetLanguage());
    if (!message.isEmpty())
        CMessageBox::Show(this, message);
}
