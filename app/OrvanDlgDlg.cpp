#include "OrvanDlgDlg.h"

#include "CHEDlg.h"
#include "ChannelLabel.h"
#include "CommonText.h"
#include "ConnectDlg.h"
#include "DataViewDlg.h"
#include "DeviceDlg.h"
#include "DisplayDlg.h"
#include "FStatic.h"
#include "HelpPages.h"
#include "InformationDlg.h"
#include "LinkText.h"
#include "LockCommand.h"
#include "MainLayout.h"
#include "MainSkin.h"
#include "MainText.h"
#include "MessageBox.h"
#include "PlaceholderPanel.h"
#include "TestGenDlg.h"
#include "PortHelp.h"
#include "PortList.h"
#include "ReportBuilder.h"
#include "ProgramDlg.h"
#include "ProgramManager.h"
#include "QtTranslation.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
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

QLineEdit* MakeStatusField(QWidget* parent, const char* objectName)
{
    auto* field = new QLineEdit(parent);
    field->setObjectName(QLatin1String(objectName));
    field->setProperty("role", "statusField");
    field->setReadOnly(true);
    return field;
}

QLabel* MakeFieldLabel(QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setProperty("role", "fieldLabel");
    return label;
}
}

COrvanDlgDlg::COrvanDlgDlg(QWidget* parent)
    : QDialog(parent)
    , m_helpOpener([](const QString& path) { return QDesktopServices::openUrl(QUrl::fromLocalFile(path)); })
    , m_dialogRunner([](QDialog& dialog) { return dialog.exec(); })
{
    setObjectName(QStringLiteral("MainWindow"));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
    setFixedSize(MainLayout::kWindowSize);
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

    CreateStatusArea();
    CreateCommandButtons();
    CreatePanels();

    const std::string& name = Data().GetName();
    m_pName->setText(QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size())));
    ShowStatus(false);
    SetConnectedLook(false);

    CConnection* connection = &Connection();
    connect(connection, &CConnection::deviceTypeKnown, this, &COrvanDlgDlg::OnDeviceType);
    connect(connection, &CConnection::stateReadStarted, this, &COrvanDlgDlg::OnStateReadStarted);
    connect(connection, &CConnection::progressAdvanced, this, &COrvanDlgDlg::SetProgressPos);
    connect(connection, &CConnection::systemInfoLoaded, this, &COrvanDlgDlg::OnSystemInfoReceived);
    connect(connection, &CConnection::liveProgramLoaded, this, &COrvanDlgDlg::OnLiveProgramRead);
    connect(connection, &CConnection::disconnected, this, &COrvanDlgDlg::OnDisconnected);
    connect(&Notice(), &CRecordNotice::languageChanged, this, &COrvanDlgDlg::RetranslateUi);

    m_pPrograms = new CProgramManager(Engine(), Data(), Locks(), m_link.Transfer(), m_astrProgramNames, m_nProgramNumber,
                                      [this] { return GetLanguage(); }, [this] { return IsConnected(); },
                                      startDir.absoluteFilePath(QLatin1String(kMusicFolder)), this);
    connect(m_pPrograms, &CProgramManager::progressRangeChanged, this, &COrvanDlgDlg::SetProgressRange);
    connect(m_pPrograms, &CProgramManager::statusChanged, this, [this] { ShowStatus(IsConnected()); });
    connect(m_pPrograms, &CProgramManager::programLoaded, &Notice(), &CRecordNotice::NotifyProgramLoaded);
    connect(&Notice(), &CRecordNotice::programLoaded, this, [this] {
        m_pName->setText(QString::fromLatin1(Data().GetName().data(), static_cast<qsizetype>(Data().GetName().size())));
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
}

// ---- layout ------------------------------------------------------------------

void COrvanDlgDlg::CreateStatusArea()
{
    const QRect area = MainLayout::kStatusArea;
    const int left = area.left() + 12;
    const int width = area.width() - 24;

    m_pTitle = new QLabel(this);
    m_pTitle->setObjectName(QStringLiteral("TitleLabel"));
    m_pTitle->setWordWrap(true);
    m_pTitle->setGeometry(left, area.top() + 8, width, 50);

    QLabel** labels[] = {&m_pNameLabel, &m_pNumberLabel, &m_pDeviceIdLabel};
    QLineEdit** fields[] = {&m_pName, &m_pNumber, &m_pDeviceId};
    const char* names[] = {"NameField", "NumberField", "DeviceIdField"};
    for (int row = 0; row < 3; ++row)
    {
        const int top = area.top() + 70 + row * 46;
        *labels[row] = MakeFieldLabel(this);
        (*labels[row])->setGeometry(left, top, width, 16);
        *fields[row] = MakeStatusField(this, names[row]);
        (*fields[row])->setGeometry(left, top + 17, width, 24);
    }

    m_pProgress = new QProgressBar(this);
    m_pProgress->setObjectName(QStringLiteral("ProgressBar"));
    m_pProgress->setTextVisible(false);
    m_pProgress->setRange(0, 49);
    m_pProgress->setValue(0);
    m_pProgress->setGeometry(left, area.bottom() - 22, width, 12);
}

void COrvanDlgDlg::CreateCommandButtons()
{
    using Handler = void (COrvanDlgDlg::*)();
    constexpr std::array<Handler, kCommandCount> handlers{
        &COrvanDlgDlg::OnHelp,      &COrvanDlgDlg::OnProgram, &COrvanDlgDlg::OnDevice,
        &COrvanDlgDlg::OnInterface, &COrvanDlgDlg::OnLock,    &COrvanDlgDlg::OnReport,
        &COrvanDlgDlg::OnConnection,
    };

    const QRect area = MainLayout::kCommandArea;
    for (const CommandDef& def : kCommands)
    {
        auto* button = new QPushButton(this);
        button->setObjectName(QLatin1String(def.szObjectName));
        button->setProperty("role", "command");
        button->setAutoDefault(false);
        button->setCursor(Qt::PointingHandCursor);
        const int top = area.top() + 2 + def.eCommand * (MainLayout::kCommandButtonHeight + MainLayout::kCommandButtonGap);
        button->setGeometry(area.left(), top, area.width(), MainLayout::kCommandButtonHeight);
        connect(button, &QPushButton::clicked, this, handlers.at(def.eCommand));
        m_apCommand.at(def.eCommand) = button;
    }
    // Pressed while connected.
    m_apCommand[kConnection]->setCheckable(true);
}

void COrvanDlgDlg::CreatePanels()
{
    using EStyle = CPlaceholderPanel::EStyle;
    m_pGraph = new CFStatic(Data(), &Locks(), this);
    m_pGraph->setObjectName(QStringLiteral("ResponseGraph"));
    m_pGraph->setGeometry(MainLayout::kGraph);
    m_pGraph->SetLanguage(GetLanguage());
    // The graph draws from the record; any change of it, the locks or the
    // curves shown is drawn again.
    const auto redraw = [this] { m_pGraph->Redraw(); };
    connect(&Notice(), &CRecordNotice::valueChanged, m_pGraph, redraw);
    connect(&Notice(), &CRecordNotice::programLoaded, m_pGraph, redraw);
    connect(&Notice(), &CRecordNotice::locksChanged, m_pGraph, redraw);
    connect(&Notice(), &CRecordNotice::languageChanged, m_pGraph, &CFStatic::SetLanguage);

    // Same order as the panels are created in: output pair hidden, input pair
    // shown with input A, then the channel strip.
    m_pOutEq = new CPlaceholderPanel(EStyle::Panel, MainLayout::kEqPanel, this);
    m_pOutEq->setObjectName(QStringLiteral("OutputEqPanel"));
    m_pOutEq->hide();
    m_pOutFace = new CPlaceholderPanel(EStyle::Panel, MainLayout::kChannelPanel, this);
    m_pOutFace->setObjectName(QStringLiteral("OutputChannelPanel"));
    m_pOutFace->hide();
    m_pInFace = new CPlaceholderPanel(EStyle::Panel, MainLayout::kChannelPanel, this);
    m_pInFace->setObjectName(QStringLiteral("InputChannelPanel"));
    m_pInEq = new CPlaceholderPanel(EStyle::Panel, MainLayout::kEqPanel, this);
    m_pInEq->setObjectName(QStringLiteral("InputEqPanel"));
    m_pStrip = new CCHEDlg(m_link, m_selector, this);
    m_pStrip->setGeometry(MainLayout::kChannelStrip);
    connect(m_pStrip, &CCHEDlg::inputSelected, this, &COrvanDlgDlg::SelectInputChannel);
    connect(m_pStrip, &CCHEDlg::outputSelected, this, &COrvanDlgDlg::SelectOutputChannel);
    connect(m_pStrip, &CCHEDlg::curvesChanged, m_pGraph, redraw);
    // Its controls take the strip's input columns; its routingLocked is for
    // the channel panels' routing buttons.
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
    m_pTitle->setText(MainText(EMainText::Title, GetLanguage()));
    m_pNameLabel->setText(MainText(EMainText::NameLabel, GetLanguage()));
    m_pNumberLabel->setText(MainText(EMainText::NumberLabel, GetLanguage()));
    m_pDeviceIdLabel->setText(MainText(EMainText::DeviceIdLabel, GetLanguage()));
    for (const CommandDef& def : kCommands)
        m_apCommand.at(def.eCommand)->setText(MainText(def.eCaption, GetLanguage()));

    const QString notYet = MainText(EMainText::NotAvailable, GetLanguage());
    for (CPlaceholderPanel* panel : {m_pInFace, m_pInEq, m_pOutFace, m_pOutEq})
        panel->SetNote(notYet);
    RefreshPanelTitles();
    update();
}

void COrvanDlgDlg::RefreshPanelTitles()
{
    const QString input = InputLabel(m_selector.m_bInputSide ? m_selector.m_nChannel : 0);
    const QString output = OutputLabel(m_selector.m_bInputSide ? 0 : m_selector.m_nChannel);
    m_pInFace->SetTitle(MainText(EMainText::InputChannel, GetLanguage()).arg(input));
    m_pInEq->SetTitle(MainText(EMainText::InputEq, GetLanguage()).arg(input));
    m_pOutFace->SetTitle(MainText(EMainText::OutputChannel, GetLanguage()).arg(output));
    m_pOutEq->SetTitle(MainText(EMainText::OutputEq, GetLanguage()).arg(output));
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
    m_pGraph->SelectInput(index);
    RefreshPanelTitles();
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
    RefreshPanelTitles();
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
    if (connected)
    {
        const std::string& name = Data().GetName();
        m_pName->setText(QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size())));
        m_pNumber->setText(QString::number(m_nProgramNumber));
        m_pDeviceId->setText(QString::number(Connection().GetDeviceId()));
    }
    else
    {
        m_pNumber->setText(MainText(EMainText::NoValue, GetLanguage()));
        m_pDeviceId->setText(MainText(EMainText::NoValue, GetLanguage()));
    }
}

void COrvanDlgDlg::SetProgressRange(int minimum, int maximum)
{
    m_pProgress->setRange(minimum, maximum);
}

void COrvanDlgDlg::SetProgressPos(int position)
{
    m_pProgress->setValue(position);
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
        m_nProgramNumber = 0;
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
        PortHelp::ShowOpenFailed(this, Connection(), GetLanguage());
        SetConnectedLook(IsConnected());
        return false;
    }
    SetConnectedLook(true);
    return true;
}

void COrvanDlgDlg::Disconnect()
{
    Connection().Disconnect(CConnection::EReason::User);
}

void COrvanDlgDlg::ShowNotAvailable()
{
    CMessageBox::Show(this, MainText(EMainText::NotAvailable, GetLanguage()));
}

// ---- communication engine ----------------------------------------------------

void COrvanDlgDlg::OnDeviceType()
{
    ApplyVariantLayoutAll();
}

void COrvanDlgDlg::OnStateReadStarted()
{
    SetProgressRange(0, CConnection::kProgressMax);
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
    m_nProgramNumber = 0;
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
