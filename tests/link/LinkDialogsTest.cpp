// The link's dialogs on their own: what they offer and what they hand back.

#include "link/ConnectDlg.h"
#include "link/DeviceDlg.h"
#include "link/DisplayDlg.h"

#include "model/Audio_Data.h"
#include "link/Command.h"
#include "link/Connection.h"
#include "model/ValueText.h"
#include "tests/link/FakePort.h"
#include "model/LockState.h"
#include "ui/MessageBox.h"
#include "link/PortHelp.h"
#include "link/Serial/SerialError.h"

#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include <unistd.h>

namespace
{
QStringList Items(const QComboBox* combo)
{
    QStringList items;
    for (int i = 0; i < combo->count(); ++i)
        items << combo->itemText(i);
    return items;
}

SerialPortEntry Port(const char* name, bool usb)
{
    SerialPortEntry entry;
    entry.strPortName = QLatin1String(name);
    entry.strDevicePath = QLatin1String("/dev/") + entry.strPortName;
    entry.fUsb = usb;
    return entry;
}

// Message boxes are recorded rather than shown while one lives.
class MessageLog
{
public:
    MessageLog()
    {
        m_previous = CMessageBox::SetPresenter([this](QWidget*, const QString&, const QString& text, CMessageBox::EIcon)
                                               { m_texts << text; });
    }
    ~MessageLog() { CMessageBox::SetPresenter(m_previous); }
    QStringList m_texts;

private:
    CMessageBox::Presenter m_previous;
};

class ConnectDlgTest : public ::testing::Test
{
protected:
    ConnectDlgTest()
        : m_pPort(new CFakePort)
        , m_command(std::unique_ptr<CLinkPort>(m_pPort))
        , m_connection(m_command, m_record, m_locks)
    {
    }

    CFakePort* m_pPort;  // the engine's

    CCommand m_command;
    CAudio_Data m_record;
    CLockState m_locks;
    CConnection m_connection;
};
}

TEST_F(ConnectDlgTest, PortChoiceFollowsPresetThenUsbThenFirst)
{
    const QList<SerialPortEntry> ports = {Port("ttyS0", false), Port("ttyUSB0", true), Port("ttyUSB1", true)};
    struct Case
    {
        const char* name;
        QList<SerialPortEntry> ports;
        QString strPreset;
        QStringList offered;
        QString strChosen;
    };
    const Case cases[] = {
        {"preset listed", ports, "ttyS0", {"ttyS0", "ttyUSB0", "ttyUSB1"}, "ttyS0"},
        {"first USB adapter", ports, "", {"ttyS0", "ttyUSB0", "ttyUSB1"}, "ttyUSB0"},
        {"first port", {Port("ttyS0", false), Port("ttyS1", false)}, "", {"ttyS0", "ttyS1"}, "ttyS0"},
        {"no port", {}, "", {"NULL"}, "NULL"},
        // A path typed last time is offered again.
        {"typed path", ports, "/tmp/orvan-vproc", {"ttyS0", "ttyUSB0", "ttyUSB1", "/tmp/orvan-vproc"},
         "/tmp/orvan-vproc"},
    };
    for (const Case& c : cases)
    {
        CConnectDlg dialog(m_connection, c.ports, c.strPreset, kEnglish);
        const auto* combo = dialog.findChild<QComboBox*>("PortCombo");
        EXPECT_EQ(Items(combo), c.offered) << c.name;
        EXPECT_EQ(dialog.PortName(), c.strChosen) << c.name;
    }
}

TEST_F(ConnectDlgTest, VirtualProcessorComesFirstAndChosenWithDescribedPortsBelow)
{
    SerialPortEntry adapter = Port("ttyUSB0", true);
    adapter.strDescription = "FT232R USB UART";
    adapter.strManufacturer = "FTDI";
    adapter.strUsbId = "0403:6001";
    QList<SerialPortEntry> ports = {Port("ttyS0", false), adapter};
    PortList::PutVirtualFirst(ports, "/tmp/orvan-vproc");

    for (const ELanguage eLanguage : {kEnglish, kChinese})
    {
        CConnectDlg dialog(m_connection, ports, "", eLanguage);
        const QString virtualMark = eLanguage == kEnglish ? "virtual processor" : QString::fromUtf8("虚拟处理器");
        EXPECT_EQ(Items(dialog.findChild<QComboBox*>("PortCombo")),
                  (QStringList{"/tmp/orvan-vproc - " + virtualMark, "ttyS0",
                               "ttyUSB0 - FT232R USB UART (FTDI, USB 0403:6001)"}));
        // The label is shown; the port is what is opened.
        EXPECT_EQ(dialog.PortName(), "/tmp/orvan-vproc");
    }
    // The port used last still wins.
    CConnectDlg dialog(m_connection, ports, "ttyUSB0", kEnglish);
    EXPECT_EQ(dialog.PortName(), "ttyUSB0");
}

TEST_F(ConnectDlgTest, TypedDevicePathIsTheChosenPort)
{
    CConnectDlg dialog(m_connection, {Port("ttyS0", false)}, "", kEnglish);
    auto* combo = dialog.findChild<QComboBox*>("PortCombo");
    combo->setFocus();
    combo->lineEdit()->selectAll();
    QTest::keyClicks(combo->lineEdit(), QStringLiteral("/dev/pts/7"));
    EXPECT_EQ(dialog.PortName(), QStringLiteral("/dev/pts/7"));
}

TEST_F(ConnectDlgTest, DeviceIdListComesFromTheTable)
{
    {
        // Without a search every ID is offered, 1 first.
        CConnectDlg dialog(m_connection, {}, "", kChinese);
        const auto* combo = dialog.findChild<QComboBox*>("DeviceIdCombo");
        ASSERT_EQ(combo->count(), 250);
        EXPECT_EQ(combo->itemText(249), QStringLiteral("250"));
        EXPECT_EQ(dialog.DeviceId(), 1);
        EXPECT_TRUE(dialog.findChild<QProgressBar*>("SearchProgress")->isHidden());
    }
    auto& table = m_command.Receiver().DeviceIdTable();
    table.fill(0);
    {
        CConnectDlg dialog(m_connection, {}, "", kChinese);
        EXPECT_EQ(dialog.findChild<QComboBox*>("DeviceIdCombo")->count(), 0);
        EXPECT_EQ(dialog.DeviceId(), 0);
    }
    table[16] = 17;
    table[2] = 3;
    CConnectDlg dialog(m_connection, {}, "", kChinese);
    EXPECT_EQ(Items(dialog.findChild<QComboBox*>("DeviceIdCombo")), (QStringList{"3", "17"}));
    EXPECT_EQ(dialog.DeviceId(), 3);
}

TEST_F(ConnectDlgTest, CaptionsFollowTheLanguage)
{
    struct Case
    {
        ELanguage eLanguage;
        const char* title;
        const char* search;
        const char* connect;
    };
    for (const Case& c : {Case{kEnglish, "Connect", "Search ID", "Connect"}, Case{kChinese, "连接", "搜索ID", "连接"}})
    {
        CConnectDlg dialog(m_connection, {}, "", c.eLanguage);
        EXPECT_EQ(dialog.windowTitle(), QString::fromUtf8(c.title));
        EXPECT_EQ(dialog.findChild<QPushButton*>("SearchButton")->text(), QString::fromUtf8(c.search));
        EXPECT_EQ(dialog.findChild<QPushButton*>("ConnectButton")->text(), QString::fromUtf8(c.connect));
        QStringList labels;
        for (const QLabel* label : dialog.findChildren<QLabel*>())
            labels << label->text();
        const QStringList expected = c.eLanguage == kEnglish ? QStringList{"Com Select:", "Device ID:"}
                                                             : QStringList{QString::fromUtf8("端口选择:"),
                                                                           QString::fromUtf8("设备ID:")};
        EXPECT_EQ(labels, expected);
    }
}

TEST_F(ConnectDlgTest, LeavingDuringASearchEndsIt)
{
    CConnectDlg dialog(m_connection, {Port("ttyS0", false)}, "", kEnglish);
    dialog.findChild<QPushButton*>("SearchButton")->click();
    ASSERT_TRUE(dialog.IsSearching());
    EXPECT_FALSE(dialog.findChild<QProgressBar*>("SearchProgress")->isHidden());
    EXPECT_FALSE(dialog.findChild<QPushButton*>("SearchButton")->isEnabled());

    dialog.reject();
    EXPECT_FALSE(m_connection.IsSearching());
    EXPECT_FALSE(m_command.IsOpen());
    EXPECT_EQ(m_command.Count(), 0);
    // Nobody has answered yet: nothing to connect to.
    EXPECT_EQ(dialog.DeviceId(), 0);
}

// A failed open says why in the dialog's language: the error code the port
// reported is kept up to the message.
TEST_F(ConnectDlgTest, SearchOnAPortWithoutPermissionSaysToJoinTheGroup)
{
    m_pPort->m_nRefuseWith = SerialError::kAccessDenied;
    for (const ELanguage eLanguage : {kEnglish, kChinese})
    {
        MessageLog log;
        CConnectDlg dialog(m_connection, {Port("ttyS0", false)}, "", eLanguage);
        dialog.findChild<QPushButton*>("SearchButton")->click();
        EXPECT_FALSE(dialog.IsSearching());
        ASSERT_EQ(log.m_texts.size(), 1);
        const QStringList lines = log.m_texts.front().split('\n');
        ASSERT_EQ(lines.size(), 2);
        EXPECT_EQ(lines[0], "Unable to open COM-port");
        EXPECT_TRUE(lines[1].contains("ttyS0")) << lines[1].toStdString();
        EXPECT_TRUE(lines[1].contains("usermod -aG")) << lines[1].toStdString();
        EXPECT_TRUE(lines[1].contains(eLanguage == kEnglish ? "log out and in again" : QString::fromUtf8("重新登录")))
            << lines[1].toStdString();
    }
}

// The same through the real serial port on a file nobody may open. Root
// opens it anyway, so there the injected code above is the whole test.
TEST(ConnectDlgRealPortTest, FileWithoutPermissionShowsThePermissionMessage)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "running as root, which opens a mode 000 file; the injected error covers this case";
    QTemporaryDir dir;
    const QString path = dir.filePath("ttyLocked");
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    ASSERT_TRUE(QFile::setPermissions(path, QFileDevice::Permissions()));
    CCommand command;
    CAudio_Data record;
    CLockState locks;
    CConnection connection(command, record, locks);
    MessageLog log;
    CConnectDlg dialog(connection, {}, path, kChinese);
    dialog.findChild<QPushButton*>("SearchButton")->click();
    EXPECT_EQ(connection.OpenError(), SerialError::kAccessDenied);
    ASSERT_EQ(log.m_texts.size(), 1);
    EXPECT_TRUE(log.m_texts.front().contains(QString::fromUtf8("没有使用"))) << log.m_texts.front().toStdString();
}

TEST(PortHelpTest, EachOpenFailureGetsItsOwnAdvice)
{
    struct Case
    {
        int nError;
        const char* port;
        PortHelp::ETrouble eTrouble;
        const char* advice;  // a piece of the English second line
    };
    const Case cases[] = {
        {SerialError::kAccessDenied, "/dev/ttyS0", PortHelp::ETrouble::Permission, "no permission to use /dev/ttyS0"},
        {SerialError::kSharingViolation, "ttyUSB0", PortHelp::ETrouble::InUse, "in use by another program"},
        {SerialError::kAlreadyInitialized, "ttyS0", PortHelp::ETrouble::InUse, "in use by another program"},
        {SerialError::kFileNotFound, "/tmp/orvan-vproc", PortHelp::ETrouble::Missing, "There is no port"},
        {SerialError::kFileNotFound, "/dev/ttyUSB0", PortHelp::ETrouble::Vanished, "brltty"},
        {SerialError::kDeviceRemoved, "ttyACM0", PortHelp::ETrouble::Vanished, "brltty"},
        {SerialError::kNotSupported, "ttyS0", PortHelp::ETrouble::Other, "(error 50)"},
        {SerialError::kInvalidName, "tcp://server", PortHelp::ETrouble::NetAddress, "Write it as tcp://host:port"},
        {SerialError::kHostNotFound, "tcp://nosuch:4001", PortHelp::ETrouble::NetHostUnknown,
         "The host of tcp://nosuch:4001 is not known"},
        {SerialError::kConnectionRefused, "tcp://10.0.0.5:4001", PortHelp::ETrouble::NetRefused,
         "tcp://10.0.0.5:4001 refused the connection"},
        {SerialError::kHostUnreachable, "tcp://10.0.0.5:4001", PortHelp::ETrouble::NetUnreachable,
         "cannot be reached"},
        {SerialError::kConnectTimedOut, "tcp://10.0.0.5:4001", PortHelp::ETrouble::NetTimedOut,
         "did not accept the connection in time"},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.nError);
        EXPECT_EQ(PortHelp::Classify(c.nError, c.port), c.eTrouble);
        const QString text = PortHelp::OpenFailedMessage(c.nError, c.port, kEnglish);
        EXPECT_TRUE(text.startsWith("Unable to open COM-port\n"));
        EXPECT_TRUE(text.contains(c.advice)) << text.toStdString();
    }
}

TEST(PortHelpTest, NetworkAdviceHasBothLanguages)
{
    for (const int nError : {SerialError::kInvalidName, SerialError::kHostNotFound, SerialError::kConnectionRefused,
                             SerialError::kHostUnreachable, SerialError::kConnectTimedOut})
    {
        SCOPED_TRACE(nError);
        const QString english = PortHelp::OpenFailedMessage(nError, "tcp://rack:4001", kEnglish);
        const QString chinese = PortHelp::OpenFailedMessage(nError, "tcp://rack:4001", kChinese);
        EXPECT_NE(english, chinese);
        EXPECT_TRUE(chinese.contains("tcp://rack:4001")) << chinese.toStdString();
        // The Chinese advice line is Chinese, not an English copy.
        EXPECT_TRUE(std::ranges::any_of(chinese.split('\n').last(), [](QChar c) { return c.unicode() >= 0x4E00; }));
    }
}

TEST_F(ConnectDlgTest, TypedNetworkPortIsTheChosenPortAndNothingIsListedForIt)
{
    CConnectDlg dialog(m_connection, {Port("ttyS0", false)}, "", kEnglish);
    auto* combo = dialog.findChild<QComboBox*>("PortCombo");
    EXPECT_EQ(Items(combo), QStringList({"ttyS0"}));
    combo->setFocus();
    combo->lineEdit()->selectAll();
    QTest::keyClicks(combo->lineEdit(), QStringLiteral(" tcp://192.168.1.50:4001 "));
    EXPECT_EQ(dialog.PortName(), QStringLiteral("tcp://192.168.1.50:4001"));
}

TEST_F(ConnectDlgTest, SilentProcessorAdviceNamesPortAndIdAndPointsAtSearch)
{
    ASSERT_TRUE(m_connection.Connect("/tmp/orvan-vproc", 7));
    m_connection.Disconnect(CConnection::EReason::NoAnswer);
    const QString english = PortHelp::DisconnectAdvice(CConnection::EReason::NoAnswer, m_connection, kEnglish);
    EXPECT_TRUE(english.contains("/tmp/orvan-vproc") && english.contains("device ID 7") && english.contains("Search ID"))
        << english.toStdString();
    const QString chinese = PortHelp::DisconnectAdvice(CConnection::EReason::NoAnswer, m_connection, kChinese);
    EXPECT_TRUE(chinese.contains(QString::fromUtf8("搜索ID")) && chinese.contains("7")) << chinese.toStdString();
    // A built-in port that failed has nothing more to say; a USB one may be brltty's.
    EXPECT_TRUE(PortHelp::DisconnectAdvice(CConnection::EReason::LineFault, m_connection, kEnglish).isEmpty());
    EXPECT_EQ(PortHelp::WithAdvice("Unable to Open COM-Port", {}), "Unable to Open COM-Port");
    ASSERT_TRUE(m_connection.Connect("/dev/ttyUSB0", 1));
    m_connection.Disconnect(CConnection::EReason::LineFault);
    EXPECT_TRUE(PortHelp::DisconnectAdvice(CConnection::EReason::LineFault, m_connection, kEnglish).contains("brltty"));
}

TEST_F(ConnectDlgTest, BrokenNetworkStreamSaysHowItBroke)
{
    struct Case
    {
        int nFault;
        const char* advice;
    };
    for (const Case& c : {Case{SerialError::kConnectionReset, "was closed or reset"},
                          Case{SerialError::kConnectionClosed, "was closed or reset"},
                          Case{SerialError::kHostUnreachable, "cannot be reached"},
                          Case{SerialError::kReadFault, "was closed or reset"}})
    {
        SCOPED_TRACE(c.nFault);
        ASSERT_TRUE(m_connection.Connect("tcp://rack:4001", 1));
        m_pPort->Fault(c.nFault);
        ASSERT_FALSE(m_connection.IsConnected());
        EXPECT_EQ(m_connection.FaultError(), c.nFault);
        const QString advice = PortHelp::DisconnectAdvice(CConnection::EReason::LineFault, m_connection, kEnglish);
        EXPECT_TRUE(advice.startsWith("The connection to tcp://rack:4001") || advice.startsWith("tcp://rack:4001"));
        EXPECT_TRUE(advice.contains(c.advice)) << advice.toStdString();
    }
}

// ---- Device dialog -----------------------------------------------------------------

TEST(DeviceDlgTest, ChangeChoiceOffersOneToTwoHundredFifty)
{
    CDeviceDlg::DeviceIdTable table{};
    table[4] = 5;
    table[8] = 9;
    CDeviceDlg dialog(table, false, kEnglish);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Device ID"));
    const auto* change = dialog.findChild<QRadioButton*>("ChangeIdRadio");
    EXPECT_EQ(change->text(), QStringLiteral("Change Current Device ID to"));
    EXPECT_TRUE(change->isChecked());
    EXPECT_EQ(dialog.findChild<QRadioButton*>("ReconnectRadio")->text(), QStringLiteral("Re-Connect to Device ID"));
    auto* newId = dialog.findChild<QComboBox*>("NewIdCombo");
    EXPECT_EQ(newId->count(), 250);
    EXPECT_EQ(dialog.NewId(), 1);
    EXPECT_EQ(Items(dialog.findChild<QComboBox*>("ReconnectIdCombo")), (QStringList{"5", "9"}));
    EXPECT_EQ(dialog.ReconnectId(), 5);

    newId->setCurrentIndex(6);
    dialog.findChild<QComboBox*>("ReconnectIdCombo")->setCurrentIndex(1);
    dialog.accept();
    EXPECT_EQ(dialog.Mode(), CDeviceDlg::kChangeId);
    EXPECT_EQ(dialog.NewId(), 7);
    EXPECT_EQ(dialog.ReconnectId(), 9);
}

TEST(DeviceDlgTest, DeviceIdLockLeavesOnlyTheReconnectChoice)
{
    CDeviceDlg::DeviceIdTable table{};
    for (const auto& [language, lockText, ok] :
         {std::tuple{kChinese, "锁定", "确定"}, std::tuple{kEnglish, "Lock", "OK"}})
    {
        CDeviceDlg dialog(table, true, language);
        EXPECT_FALSE(dialog.findChild<QRadioButton*>("ChangeIdRadio")->isEnabled());
        EXPECT_TRUE(dialog.findChild<QRadioButton*>("ReconnectRadio")->isChecked());
        const auto* newId = dialog.findChild<QComboBox*>("NewIdCombo");
        EXPECT_FALSE(newId->isEnabled());
        EXPECT_EQ(Items(newId), QStringList{QString::fromUtf8(lockText)});
        EXPECT_EQ(dialog.findChild<QPushButton*>("OkButton")->text(), QString::fromUtf8(ok));
        // An empty table offers nobody to re-connect to.
        EXPECT_EQ(dialog.ReconnectId(), 0);
        dialog.accept();
        EXPECT_EQ(dialog.Mode(), CDeviceDlg::kReconnect);
    }
}

// ---- data transmission window ------------------------------------------------------

TEST(DisplayDlgTest, BlinksWhileTransferringThenShowsTheEndTextForTwoSecondsWithoutBlocking)
{
    QWidget owner;
    owner.setGeometry(300, 200, 640, 480);
    owner.show();
    bool bTransferring = true;
    CDisplayDlg window([&] { return bTransferring; }, &owner);
    EXPECT_TRUE(window.isHidden());

    window.Show(kChinese);
    EXPECT_TRUE(window.isVisible());
    EXPECT_FALSE(owner.isEnabled());
    // Centred on its owner, wherever the owner stands.
    EXPECT_LE((window.frameGeometry().center() - owner.frameGeometry().center()).manhattanLength(), 1);
    EXPECT_EQ(window.windowTitle(), QString::fromUtf8("数据传输"));
    EXPECT_EQ(window.Text(), QString::fromUtf8("数据正在传输中"));
    EXPECT_EQ(window.TextColour(), CDisplayDlg::SteadyColour());
    QTRY_COMPARE(window.TextColour(), CDisplayDlg::BlinkColour());
    QTRY_COMPARE(window.TextColour(), CDisplayDlg::SteadyColour());
    // Escape does not close it behind the program's back.
    QTest::keyClick(&window, Qt::Key_Escape);
    EXPECT_TRUE(window.isVisible());

    bTransferring = false;
    QTRY_COMPARE(window.Text(), QString::fromUtf8("数据传输结束"));
    QElapsedTimer shown;
    shown.start();
    // The event loop runs on while the end text is up.
    bool bOtherWorkDone = false;
    QTimer::singleShot(300, [&] { bOtherWorkDone = true; });
    QTRY_VERIFY_WITH_TIMEOUT(window.isHidden(), 4000);
    EXPECT_GE(shown.elapsed(), 1700);
    EXPECT_TRUE(bOtherWorkDone);
    EXPECT_TRUE(owner.isEnabled());
}

TEST(DisplayDlgTest, HideEnablesTheOwnerAtOnce)
{
    QWidget owner;
    CDisplayDlg window([] { return true; }, &owner);
    window.Show(kEnglish);
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Data transmission"));
    EXPECT_EQ(window.Text(), QStringLiteral("Data transmission"));
    window.Hide();
    EXPECT_TRUE(window.isHidden());
    EXPECT_TRUE(owner.isEnabled());
}
