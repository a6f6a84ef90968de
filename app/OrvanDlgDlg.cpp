#include "OrvanDlgDlg.h"

#include "ConnectDlg.h"
#include "DeviceDlg.h"
#include "DisplayDlg.h"
#include "InformationDlg.h"
#include "MainLayout.h"
#include "MainSkin.h"
#include "MainText.h"
#include "MessageBox.h"
#include "PlaceholderPanel.h"
#include "PortList.h"
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
    , m_connection(m_command, m_data, m_locks)
    , m_transfer(m_command, m_data, m_locks)
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
    CMessageBox::SetCaption(MainText(EMainText::MessageCaption, m_nLanguage));

    // Help files and program files are found relative to the directory the
    // program was started in, even if it changes later.
    const QDir startDir = QDir::current();
    for (int language : {kChinese, kEnglish})
        m_astrHelpPath.at(static_cast<size_t>(language)) = startDir.absoluteFilePath(HelpFileName(language));
    EnsureMusicFolder();

    // The record keeps its construction defaults until a processor is read;
    // only the link groups start from scratch.
    m_data.Inputs().ResetLinkGroups();
    m_data.Outputs().ResetLinkGroups();

    CreateStatusArea();
    CreateCommandButtons();
    CreatePanels();

    m_pName->setText(QString::fromLatin1(m_data.GetName().data(), static_cast<qsizetype>(m_data.GetName().size())));
    ShowStatus(false);
    SetConnectedLook(false);

    // Lock sets the processor sends are unpacked into the program's state.
    m_command.AttachLockState(&m_locks);
    connect(&m_connection, &CConnection::deviceTypeKnown, this, &COrvanDlgDlg::OnDeviceType);
    connect(&m_connection, &CConnection::stateReadStarted, this, &COrvanDlgDlg::OnStateReadStarted);
    connect(&m_connection, &CConnection::progressAdvanced, this, &COrvanDlgDlg::SetProgressPos);
    connect(&m_connection, &CConnection::systemInfoLoaded, this, &COrvanDlgDlg::OnSystemInfoReceived);
    connect(&m_connection, &CConnection::liveProgramLoaded, this, &COrvanDlgDlg::OnLiveProgramRead);
    connect(&m_connection, &CConnection::disconnected, this, &COrvanDlgDlg::OnDisconnected);
    connect(&m_command, &CCommand::programReceived, this, &COrvanDlgDlg::OnProgramReceived);
    connect(&m_command, &CCommand::levelsReceived, this, &COrvanDlgDlg::OnLevelsReceived);

    m_pPrograms = new CProgramManager(m_command, m_data, m_locks, m_transfer, m_astrProgramNames, m_nProgramNumber,
                                      m_nLanguage, [this] { return IsConnected(); },
                                      startDir.absoluteFilePath(QLatin1String(kMusicFolder)), this);
    connect(m_pPrograms, &CProgramManager::progressRangeChanged, this, &COrvanDlgDlg::SetProgressRange);
    connect(m_pPrograms, &CProgramManager::statusChanged, this, [this] { ShowStatus(IsConnected()); });
    connect(m_pPrograms, &CProgramManager::programLoaded, this, [this] {
        m_pName->setText(QString::fromLatin1(m_data.GetName().data(), static_cast<qsizetype>(m_data.GetName().size())));
        update();
    });
    connect(&m_connection, &CConnection::liveProgramLoaded, m_pPrograms, &CProgramManager::OnProgramLoaded);
    connect(&m_connection, &CConnection::disconnected, m_pPrograms, &CProgramManager::OnDisconnected);
    QtTranslation::Apply(m_nLanguage);

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
    m_pGraph = new CPlaceholderPanel(EStyle::Plot, MainLayout::kGraph, this);
    m_pGraph->setObjectName(QStringLiteral("ResponseGraph"));

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
    m_pStrip = new CPlaceholderPanel(EStyle::Panel, MainLayout::kChannelStrip, this);
    m_pStrip->setObjectName(QStringLiteral("ChannelStrip"));

    m_pDisplay = new CDisplayDlg([this] { return m_command.IsTransferInProgress(); }, this);

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
    m_nLanguage = language == kEnglish ? kEnglish : kChinese;
    // From the first switch on, every box is captioned "Information",
    // whichever language is chosen.
    CMessageBox::SetCaption(MainText(EMainText::MessageCaption, kEnglish));
    QtTranslation::Apply(m_nLanguage);

    // The panels follow in this order once they exist: input channel panel,
    // input EQ panel (locks again), channel strip, output EQ panel (locks
    // again), output channel panel.
    QEvent change(QEvent::LanguageChange);
    QCoreApplication::sendEvent(this, &change);
}

void COrvanDlgDlg::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        RetranslateUi();
    QDialog::changeEvent(event);
}

void COrvanDlgDlg::RetranslateUi()
{
    setWindowTitle(MainText(EMainText::Title, m_nLanguage));
    m_pTitle->setText(MainText(EMainText::Title, m_nLanguage));
    m_pNameLabel->setText(MainText(EMainText::NameLabel, m_nLanguage));
    m_pNumberLabel->setText(MainText(EMainText::NumberLabel, m_nLanguage));
    m_pDeviceIdLabel->setText(MainText(EMainText::DeviceIdLabel, m_nLanguage));
    for (const CommandDef& def : kCommands)
        m_apCommand.at(def.eCommand)->setText(MainText(def.eCaption, m_nLanguage));

    m_pGraph->SetTitle(MainText(EMainText::GraphArea, m_nLanguage));
    m_pStrip->SetTitle(MainText(EMainText::ChannelStrip, m_nLanguage));
    const QString notYet = MainText(EMainText::NotAvailable, m_nLanguage);
    for (CPlaceholderPanel* panel : {m_pGraph, m_pInFace, m_pInEq, m_pOutFace, m_pOutEq, m_pStrip})
        panel->SetNote(notYet);
    RefreshPanelTitles();
    update();
}

void COrvanDlgDlg::RefreshPanelTitles()
{
    const QString input = InputLabel(m_selector.m_bInputSide ? m_selector.m_nChannel : 0);
    const QString output = OutputLabel(m_selector.m_bInputSide ? 0 : m_selector.m_nChannel);
    m_pInFace->SetTitle(MainText(EMainText::InputChannel, m_nLanguage).arg(input));
    m_pInEq->SetTitle(MainText(EMainText::InputEq, m_nLanguage).arg(input));
    m_pOutFace->SetTitle(MainText(EMainText::OutputChannel, m_nLanguage).arg(output));
    m_pOutEq->SetTitle(MainText(EMainText::OutputEq, m_nLanguage).arg(output));
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
    // The input panels reload from the record and the graph selects the
    // input here once they exist.
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
    // The graph selects the output and the output panels reload from the
    // record here once they exist.
    RefreshPanelTitles();
}

void COrvanDlgDlg::ApplyVariantLayoutAll()
{
    // The channel strip and the channel panels show only these channels
    // once they exist. A selected channel the processor lacks gives way to
    // the first of its side.
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
        const std::string& name = m_data.GetName();
        m_pName->setText(QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size())));
        m_pNumber->setText(QString::number(m_nProgramNumber));
        m_pDeviceId->setText(QString::number(m_connection.GetDeviceId()));
    }
    else
    {
        m_pNumber->setText(MainText(EMainText::NoValue, m_nLanguage));
        m_pDeviceId->setText(MainText(EMainText::NoValue, m_nLanguage));
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
    const QString& path = HelpFilePath(m_nLanguage);
    // Checked first: a desktop opener may report success for a file that
    // is not there and then fail out of sight.
    if (!QFileInfo(path).isFile() || !m_helpOpener || !m_helpOpener(path))
        CMessageBox::Show(this, MainText(EMainText::HelpMissing, m_nLanguage));
}

void COrvanDlgDlg::OnProgram()
{
    CProgramDlg dialog(*m_pPrograms, m_nLanguage, this);
    RunDialog(dialog);
    if (dialog.IsDone() && IsConnected())
        m_pDisplay->Show(m_nLanguage);
}

void COrvanDlgDlg::OnDevice()
{
    if (!IsConnected())
    {
        CMessageBox::Show(this, MainText(EMainText::OpenPortFirst, m_nLanguage));
        return;
    }
    CDeviceDlg dialog(m_connection.GetDeviceIdTable(), m_locks.IsLocked(CLockState::kSysDeviceId), m_nLanguage, this);
    if (RunDialog(dialog) != QDialog::Accepted || !IsConnected())
        return;
    if (dialog.Mode() == CDeviceDlg::kChangeId)
    {
        if (m_connection.ChangeDeviceId(dialog.NewId()))
            ShowStatus(true);
    }
    else if (m_connection.ReconnectTo(dialog.ReconnectId()))
    {
        // The type answer starts the same state read as a new connection.
        m_nProgramNumber = 0;
    }
}

void COrvanDlgDlg::OnInterface()
{
    CInformationDlg dialog(m_data, m_locks, m_command, [this] { return IsConnected(); }, m_nLanguage, this);
    connect(&dialog, &CInformationDlg::languageSwitched, this, &COrvanDlgDlg::SetLanguage);
    RunDialog(dialog);
}

void COrvanDlgDlg::OnLock()
{
    ShowNotAvailable();
}

void COrvanDlgDlg::OnReport()
{
    ShowNotAvailable();
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
    CConnectDlg dialog(m_connection, ports, m_strPortName, m_nLanguage, this);
    if (RunDialog(dialog) != QDialog::Accepted)
        return;
    Connect(dialog.PortName(), dialog.DeviceId());
}

bool COrvanDlgDlg::Connect(const QString& port, int deviceId)
{
    m_strPortName = port;
    if (!m_connection.Connect(port, deviceId))
    {
        CMessageBox::Show(this, MainText(EMainText::PortOpenFailed, m_nLanguage), CMessageBox::EIcon::Critical);
        SetConnectedLook(IsConnected());
        return false;
    }
    SetConnectedLook(true);
    // The channel strip learns that the program is connected here once it
    // exists.
    return true;
}

void COrvanDlgDlg::Disconnect()
{
    m_connection.Disconnect(CConnection::EReason::User);
}

void COrvanDlgDlg::ShowNotAvailable()
{
    CMessageBox::Show(this, MainText(EMainText::NotAvailable, m_nLanguage));
}

// ---- communication engine ----------------------------------------------------

void COrvanDlgDlg::OnDeviceType()
{
    ApplyVariantLayoutAll();
}

void COrvanDlgDlg::OnStateReadStarted()
{
    SetProgressRange(0, CConnection::kProgressMax);
    m_pDisplay->Show(m_nLanguage);
}

void COrvanDlgDlg::OnLiveProgramRead()
{
    m_pDisplay->Hide();
    // The panels apply the locks and reload from the record, the channel
    // strip and the graph redraw, and the routing buttons follow the
    // generator here once they exist.
    ShowStatus(true);
    update();
}

void COrvanDlgDlg::OnProgramReceived(int /*program*/)
{
    // A stored program arrived for the program manager's bank.
}

void COrvanDlgDlg::OnSystemInfoReceived()
{
    for (int n = 0; n < kProgramCount; ++n)
        m_astrProgramNames.at(static_cast<size_t>(n)) = m_command.GetProgramName(n);
}

void COrvanDlgDlg::OnLevelsReceived()
{
    // The channel strip shows the engine's twelve levels.
}

void COrvanDlgDlg::OnDisconnected(CConnection::EReason reason)
{
    m_pDisplay->Hide();
    m_nProgramNumber = 0;
    SetConnectedLook(false);
    SetProgressPos(0);
    // The channel strip's meters go dark, and the panels, the strip and the
    // graph reload the factory default program, here once they exist.
    ShowStatus(false);
    update();

    QString message;
    switch (reason)
    {
    case CConnection::EReason::User:
        return;
    case CConnection::EReason::DeviceOlder:
        message = MainText(EMainText::DeviceOlder, m_nLanguage);
        break;
    case CConnection::EReason::SoftwareOlder:
        message = MainText(EMainText::SoftwareOlder, m_nLanguage);
        break;
    case CConnection::EReason::NoAnswer:
    case CConnection::EReason::BadDeviceType:
    case CConnection::EReason::LineFault:
        CMessageBox::Show(this, MainText(EMainText::NoAnswer, m_nLanguage));
        return;
    }
    CMessageBox::Show(this, message + QLatin1Char('\n') + MainText(EMainText::VersionHowTo, m_nLanguage));
}

void COrvanDlgDlg::OnGraphPointDragged(int /*index*/, bool /*inputSide*/)
{
    // The EQ panel of the side refreshes the band, or for 15 and 16 the
    // output panel its crossover frequency.
}
