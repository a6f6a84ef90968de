#include "app/OrvanDlgDlg.h"

#include "editors/CHEDlg.h"
#include "ui/ChannelLabel.h"
#include "ui/CommonText.h"
#include "link/ConnectDlg.h"
#include "report/DataViewDlg.h"
#include "link/DeviceDlg.h"
#include "link/DisplayDlg.h"
#include "app/EditCommandBar.h"
#include "editors/EditorsText.h"
#include "editors/FilterImportDlg.h"
#include "editors/FStatic.h"
#include "app/HelpPages.h"
#include "editors/InEQDlg.h"
#include "editors/InFaceDlg.h"
#include "app/InformationDlg.h"
#include "link/LinkText.h"
#include "locks/LockCommand.h"
#include "ui/MainLayout.h"
#include "ui/MainSkin.h"
#include "app/MainText.h"
#include "ui/MessageBox.h"
#include "editors/OutEQDlg.h"
#include "editors/OutFaceDlg.h"
#include "link/PortHelp.h"
#include "link/Serial/PortList.h"
#include "report/ReportBuilder.h"
#include "programs/ProgramDlg.h"
#include "programs/ProgramManager.h"
#include "app/QtTranslation.h"
#include "app/StatusBlock.h"
#include "app/StatusFields.h"
#include "testgen/TestGenDlg.h"
#include "wire/WireNumbers.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
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
}};

bool IsEnterOrEscape(const QKeyEvent& key)
{
    return key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter || key.key() == Qt::Key_Escape;
}
}

COrvanDlgDlg::COrvanDlgDlg(QWidget* parent)
    : QDialog(parent)
    , m_helpOpener([](const QString& path) { return QDesktopServices::openUrl(QUrl::fromLocalFile(path)); })
    , m_dialogRunner([](QDialog& dialog) { return dialog.exec(); })
    , m_asker([](QWidget* pParent, const QString& strQuestion) {
        return QMessageBox::question(pParent, CMessageBox::Caption(), strQuestion) == QMessageBox::Yes;
    })
{
    setObjectName(QStringLiteral("MainWindow"));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
    setMinimumSize(MainLayout::kMinimumClient);
    resize(MainLayout::kMinimumClient);
    setWindowIcon(CMainSkin::AppIcon());
    setStyleSheet(CMainSkin::StyleSheet());

    // Boxes carry the caption of the start language until the language is
    // first switched.
    CMessageBox::SetCaption(MainText(EMainText::MessageCaption, GetLanguage()));

    // Help files and program files are found relative to the directory the
    // program was started in, even if it changes later.
    const QDir startDir = QDir::current();
    for (int language : {kChinese, kEnglish})
        m_astrHelpPath.at(static_cast<size_t>(language)) = startDir.absoluteFilePath(HelpFileName(language));
    EnsureMusicFolder();

    // The record keeps its construction defaults until a processor is read;
    // only the link groups start from scratch.
    Data().Inputs().ResetLinkGroups();
    Data().Outputs().ResetLinkGroups();

    m_pPrograms = new CProgramManager(Engine(), Data(), Locks(), m_link.Transfer(), m_astrProgramNames,
                                      [this] { return GetLanguage(); }, [this] { return IsConnected(); },
                                      startDir.absoluteFilePath(QLatin1String(kMusicFolder)), this);
    CreateStatusArea();
    CreateCommandButtons();
    CreatePanels();

    ShowStatus(false);
    SetConnectedLook(false);

    CConnection* connection = &Connection();
    connect(connection, &CConnection::deviceTypeKnown, this, &COrvanDlgDlg::OnDeviceType);
    connect(connection, &CConnection::stateReadStarted, this, &COrvanDlgDlg::OnStateReadStarted);
    connect(connection, &CConnection::progressAdvanced, this, &COrvanDlgDlg::SetProgressPos);
    // The positions of a state read stop one short of the bar's end; when
    // the last request of any transfer has gone, the bar is full.
    connect(&Engine(), &CCommand::transferEnded, this,
            [this] { SetProgressPos(m_pStatus->Progress()->maximum()); });
    connect(connection, &CConnection::systemInfoLoaded, this, &COrvanDlgDlg::OnSystemInfoReceived);
    connect(connection, &CConnection::liveProgramLoaded, this, &COrvanDlgDlg::OnLiveProgramRead);
    connect(connection, &CConnection::disconnected, this, &COrvanDlgDlg::OnDisconnected);
    connect(&Notice(), &CRecordNotice::languageChanged, this, &COrvanDlgDlg::RetranslateUi);

    connect(m_pPrograms, &CProgramManager::progressRangeChanged, this, &COrvanDlgDlg::SetProgressRange);
    connect(m_pPrograms, &CProgramManager::statusChanged, this, [this] { ShowStatus(IsConnected()); });
    connect(m_pPrograms, &CProgramManager::programLoaded, &Notice(), &CRecordNotice::NotifyProgramLoaded);
    connect(&Notice(), &CRecordNotice::programLoaded, this, [this] {
        RefreshStatus();
        update();
    });
    connect(connection, &CConnection::liveProgramLoaded, m_pPrograms, &CProgramManager::OnProgramLoaded);
    connect(connection, &CConnection::disconnected, m_pPrograms, &CProgramManager::OnDisconnected);
    QtTranslation::Apply(GetLanguage());

    // Enter and Escape are caught before any control of this window sees
    // them (see eventFilter).
    qApp->installEventFilter(this);

    RetranslateUi();
}

COrvanDlgDlg::~COrvanDlgDlg()
{
    qApp->removeEventFilter(this);
    // The panels hold references into the link, a member, which dies before
    // the widget base would delete them.
    qDeleteAll(findChildren<QWidget*>(Qt::FindDirectChildrenOnly));
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

void COrvanDlgDlg::CreateStatusArea()
{
    m_pStatus = new CStatusBlock(this);
    Place(MainLayout::EArea::Status, m_pStatus);
}

void COrvanDlgDlg::CreateCommandButtons()
{
    using Handler = void (COrvanDlgDlg::*)();
    constexpr std::array<Handler, kCommandCount> handlers{
        &COrvanDlgDlg::OnHelp,      &COrvanDlgDlg::OnProgram, &COrvanDlgDlg::OnDevice,
        &COrvanDlgDlg::OnInterface, &COrvanDlgDlg::OnLock,    &COrvanDlgDlg::OnReport,
        &COrvanDlgDlg::OnConnection,
    };

    m_pEditBar = new CEditCommandBar(m_link, this);
    for (const CommandDef& def : kCommands)
    {
        auto* button = new QPushButton(this);
        button->setObjectName(QLatin1String(def.szObjectName));
        button->setProperty("role", "command");
        button->setAutoDefault(false);
        button->setCursor(Qt::PointingHandCursor);
        connect(button, &QPushButton::clicked, this, handlers.at(def.eCommand));
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
    // A drag from press to release is one undo step.
    connect(m_pGraph, &CFStatic::dragStarted, &m_link.History(), &CEditHistory::BeginGroup);
    connect(m_pGraph, &CFStatic::dragFinished, &m_link.History(), &CEditHistory::EndGroup);

    // Same order as the panels are created in: output pair hidden, input pair
    // shown with input A, then the channel strip. Each panel hears the record
    // notice itself; the window only shows the side selected.
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
    for (CEqPanel* eq : {static_cast<CEqPanel*>(m_pInEq), static_cast<CEqPanel*>(m_pOutEq)})
    {
        eq->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(eq, &QWidget::customContextMenuRequested, this,
                [this, eq](const QPoint& pos) { OfferFilterImport(eq->mapToGlobal(pos)); });
    }
    m_pStrip = new CCHEDlg(m_link, m_selector, this);
    Place(EArea::ChannelStrip, m_pStrip);
    connect(m_pStrip, &CCHEDlg::inputSelected, this, &COrvanDlgDlg::SelectInputChannel);
    connect(m_pStrip, &CCHEDlg::outputSelected, this, &COrvanDlgDlg::SelectOutputChannel);
    connect(m_pStrip, &CCHEDlg::curvesChanged, m_pGraph, redraw);
    // Its controls take the strip's input columns; while it runs the strip
    // and the panels freeze their routing buttons, as the record tells them.
    m_pTestGen = new CTestGenDlg(m_link, *m_pStrip);

    m_pDisplay = new CDisplayDlg([this] { return Engine().IsTransferInProgress(); }, this);

    m_selector = CChannelSelector{};
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

void COrvanDlgDlg::SetLanguage(int language)
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
    m_pStatus->SetLanguage(GetLanguage());
    RefreshStatus();
    for (const CommandDef& def : kCommands)
        m_apCommand.at(def.eCommand)->setText(MainText(def.eCaption, GetLanguage()));
    update();
}

// ---- channel selection -------------------------------------------------------

void COrvanDlgDlg::SelectInputChannel(int index)
{
    if (index < 0 || index >= InputsInUse())
        return;
    if (!m_selector.m_bInputSide)
    {
        m_pInFace->show();
        m_pInEq->show();
    }
    m_selector.m_bInputSide = 1;
    m_selector.m_nChannel = index;
    m_pInFace->RefreshFromRecord();
    m_pInEq->RefreshFromRecord();
    m_pGraph->SelectInput(index);
    m_pOutEq->hide();
    m_pOutFace->hide();
}

void COrvanDlgDlg::SelectOutputChannel(int index)
{
    if (index < 0 || index >= OutputsInUse())
        return;
    if (m_selector.m_bInputSide)
    {
        m_pOutEq->show();
        m_pOutFace->show();
        m_pInFace->hide();
        m_pInEq->hide();
    }
    m_selector.m_bInputSide = 0;
    m_selector.m_nChannel = index;
    m_pGraph->SelectOutput(index);
    m_pOutEq->RefreshFromRecord();
    m_pOutFace->RefreshFromRecord();
}

void COrvanDlgDlg::ApplyVariantLayoutAll()
{
    // A selected channel the processor lacks gives way to the first of its
    // side.
    const int inUse = m_selector.m_bInputSide ? InputsInUse() : OutputsInUse();
    if (m_selector.m_nChannel >= inUse)
    {
        if (m_selector.m_bInputSide)
            SelectInputChannel(0);
        else
            SelectOutputChannel(0);
    }
}

// ---- status ------------------------------------------------------------------

void COrvanDlgDlg::ShowStatus(bool connected)
{
    m_bProgramShown = connected;
    RefreshStatus();
}

int COrvanDlgDlg::GetProgramNumber() const
{
    return m_pPrograms->GetProgramNumber();
}

void COrvanDlgDlg::RefreshStatus()
{
    StatusSource source;
    source.bOnline = IsConnected();
    source.bTypeKnown = IsConnected() && Connection().GetState() != CConnection::EState::WaitingForType;
    source.bProgramShown = m_bProgramShown;
    source.strName = Data().GetName();
    source.nProgramNumber = GetProgramNumber();
    source.nDeviceId = Connection().GetDeviceId();
    source.nInputs = InputsInUse();
    source.nOutputs = OutputsInUse();
    source.strPort = m_strPortName;
    source.strVersion = Engine().GetVersionText();
    m_pStatus->Show(BuildStatusFields(source, GetLanguage()));
}

void COrvanDlgDlg::SetProgressRange(int minimum, int maximum)
{
    m_pStatus->Progress()->setRange(minimum, maximum);
}

void COrvanDlgDlg::SetProgressPos(int position)
{
    m_pStatus->Progress()->setValue(position);
}

void COrvanDlgDlg::SetConnectedLook(bool connected)
{
    m_apCommand[kConnection]->setChecked(connected);
}

QPushButton* COrvanDlgDlg::CommandButton(ECommand command) const
{
    return m_apCommand.at(command);
}

QString COrvanDlgDlg::HelpFilePath(int language) const
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
            ShowStatus(true);
    }
    else if (Connection().ReconnectTo(dialog.ReconnectId()))
    {
        // The type answer starts the same state read as a new connection.
        m_pPrograms->SetProgramNumber(0);
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
    CConnectDlg dialog(Connection(), ports, m_strPortName, GetLanguage(), this);
    if (RunDialog(dialog) != QDialog::Accepted)
        return;
    Connect(dialog.PortName(), dialog.DeviceId());
}

bool COrvanDlgDlg::Connect(const QString& port, int deviceId)
{
    m_strPortName = port;
    if (!Connection().Connect(port, deviceId))
    {
        CConnectDlg::ShowOpenFailed(this, Connection(), GetLanguage());
        SetConnectedLook(IsConnected());
        return false;
    }
    SetConnectedLook(true);
    RefreshStatus();
    return true;
}

void COrvanDlgDlg::Disconnect()
{
    Connection().Disconnect(CConnection::EReason::User);
}

void COrvanDlgDlg::OfferFilterImport(const QPoint& where)
{
    QMenu menu(this);
    QAction* import = menu.addAction(MainText(EMainText::ImportFilterSet, GetLanguage()));
    if (menu.exec(where) == import)
        ImportFilterSetInto(m_selector.m_bInputSide ? Frame::kFirstInputCode + m_selector.m_nChannel
                                                    : Frame::kFirstOutputCode + m_selector.m_nChannel);
}

void COrvanDlgDlg::ImportFilterSetInto(int channelCode)
{
    const QString path = QFileDialog::getOpenFileName(this, MainText(EMainText::ImportFilterSet, GetLanguage()),
                                                      QString(), EditorsText(EEditorsText::ImportFileFilter, GetLanguage()));
    if (path.isEmpty())
        return;
    // The bands the import writes undo as one step.
    m_link.History().BeginGroup();
    ImportFilterSet(this, m_link, channelCode, path);
    m_link.History().EndGroup();
}

// ---- communication engine ----------------------------------------------------

void COrvanDlgDlg::OnDeviceType()
{
    ApplyVariantLayoutAll();
}

void COrvanDlgDlg::OnStateReadStarted()
{
    SetProgressRange(0, CConnection::kProgressMax);
    // The type is known from here on: the model can be shown.
    RefreshStatus();
    m_pDisplay->Show(GetLanguage());
}

void COrvanDlgDlg::OnLiveProgramRead()
{
    m_pDisplay->Hide();
    ShowStatus(true);
    update();
}

void COrvanDlgDlg::OnSystemInfoReceived()
{
    for (int n = 0; n < kProgramCount; ++n)
        m_astrProgramNames.at(static_cast<size_t>(n)) = Engine().GetProgramName(n);
}

void COrvanDlgDlg::OnDisconnected(CConnection::EReason reason)
{
    m_pDisplay->Hide();
    // The program manager, which hears of it too, sets the program number
    // back to 0.
    SetConnectedLook(false);
    SetProgressPos(0);
    ShowStatus(false);
    update();

    QString message;
    switch (reason)
    {
    case CConnection::EReason::User:
        return;
    case CConnection::EReason::DeviceOlder:
        message = MainText(EMainText::DeviceOlder, GetLanguage());
        break;
    case CConnection::EReason::SoftwareOlder:
        message = MainText(EMainText::SoftwareOlder, GetLanguage());
        break;
    case CConnection::EReason::NoAnswer:
    case CConnection::EReason::BadDeviceType:
    case CConnection::EReason::LineFault:
        CMessageBox::Show(this, PortHelp::WithAdvice(MainText(EMainText::NoAnswer, GetLanguage()),
                                                     PortHelp::DisconnectAdvice(reason, Connection(), GetLanguage())));
        return;
    }
    CMessageBox::Show(this, message + QLatin1Char('\n') + MainText(EMainText::VersionHowTo, GetLanguage()));
}
