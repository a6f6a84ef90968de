// The main window's connection commands against the virtual processor
// program on a pseudo-terminal, with the dialogs filled in as a user would.

#include "link/ConnectDlg.h"
#include "link/DeviceDlg.h"
#include "link/DisplayDlg.h"
#include "ui/MessageBox.h"
#include "app/PortField.h"
#include "app/StatusBlock.h"
#include "app/OrvanDlgDlg.h"
#include "tests/app/WindowTestEnvironment.h"

#include "model/FactoryImage.h"
#include "vproc/ProcessorState.h"
#include "vproc/StateFile.h"
#include "vproc/VirtualProcessor.h"
#include "tests/VprocProcess.h"

#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <vector>

namespace
{
using Bytes = std::vector<uint8_t>;

const QString kNull = QStringLiteral("NULL");

class ConnectionWindowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_env.IsReady());

        m_pLink = std::make_unique<CProcessorLink>();
        m_window = std::make_unique<COrvanDlgDlg>(*m_pLink);
        m_window->SetDialogRunner([this](QDialog& dialog) {
            if (!m_fillIn)
                return int(QDialog::Rejected);
            m_fillIn(dialog);
            return dialog.result();
        });
        CConnection& connection = m_window->Connection();
        QObject::connect(&connection, &CConnection::liveProgramLoaded, [this] { ++m_nLiveLoads; });
        QObject::connect(&connection, &CConnection::progressAdvanced,
                         [this](int n) { m_nTopProgress = std::max(m_nTopProgress, n); });
        QObject::connect(&m_window->Engine(), &CCommand::levelsReceived, [this] { ++m_nLevels; });
    }

    void TearDown() override
    {
        m_window.reset();
        m_pLink.reset();
        m_vproc.Stop();
    }

    COrvanDlgDlg& Window() { return *m_window; }
    QString Field(const char* name) { return Window().findChild<QLineEdit*>(name)->text(); }
    QPushButton* Button(COrvanDlgDlg::ECommand command) { return Window().CommandButton(command); }
    int Progress() { return Window().findChild<QProgressBar*>("ProgressBar")->value(); }

    void StartProcessor(const QStringList& args) { ASSERT_TRUE(m_vproc.Start(args)) << "no virtual processor"; }

    QString WriteState(const CProcessorState& state)
    {
        const QString path = m_env.FilePath("state.txt");
        std::string error;
        EXPECT_TRUE(CStateFile::Save(path.toStdString(), state, error)) << error;
        return path;
    }

    // CONNECTION with the Connection dialog set to the processor's port and
    // `deviceId`.
    void PressConnection(int deviceId)
    {
        m_fillIn = [this, deviceId](QDialog& dialog) {
            auto& connect = dynamic_cast<CConnectDlg&>(dialog);
            connect.findChild<QComboBox*>("PortCombo")->setEditText(m_vproc.Port());
            auto* ids = connect.findChild<QComboBox*>("DeviceIdCombo");
            ids->setCurrentIndex(ids->findText(QString::number(deviceId)));
            connect.accept();
        };
        Button(COrvanDlgDlg::kConnection)->click();
    }

    // Connects and waits until the live program is in the record.
    void Connect(int deviceId)
    {
        const int nLoads = m_nLiveLoads;
        PressConnection(deviceId);
        ASSERT_TRUE(RunUntil([&] { return m_nLiveLoads > nLoads; }, 8000)) << "no live program";
    }

    // Waits until the processor has answered n more level requests.
    bool WaitForLevels(int n)
    {
        const int nTarget = m_nLevels + n;
        return RunUntil([&] { return m_nLevels >= nTarget; }, 3000);
    }

    CWindowTestEnvironment m_env;
    CVprocProcess m_vproc{m_env.FilePath("port")};
    // The link outlives the window, as the application object has it.
    std::unique_ptr<CProcessorLink> m_pLink;
    std::unique_ptr<COrvanDlgDlg> m_window;
    std::function<void(QDialog&)> m_fillIn;
    int m_nLiveLoads = 0;
    int m_nTopProgress = -1;
    int m_nLevels = 0;
};
}

TEST_F(ConnectionWindowTest, ConnectingShowsTheLiveProgramAndDisconnectingRestoresTheFactoryProgram)
{
    // A type-1 processor with ID 5 whose live program is not the factory one.
    CProcessorState state;
    state.nDeviceId = 5;
    state.nDeviceType = 1;
    CAudio_Data edited;
    edited.Output(2).SetGain(250);
    edited.Input(1).SetGain(120);
    auto& live = state.aImages[0];
    std::ranges::copy(edited.Output(2).BuildBlock(), live.begin() + CImageSlot::BlockOffset(7));
    std::ranges::copy(edited.Input(1).BuildBlock(), live.begin() + CImageSlot::BlockOffset(2));
    const std::string name = "LIVE SHOW";
    std::ranges::copy(name, state.aNames[0].begin());
    StartProcessor({"--state", WriteState(state)});

    Connect(5);
    CAudio_Data& record = Window().Data();
    EXPECT_EQ(record.GetImage().abyImage, live);
    EXPECT_EQ(record.Output(2).GetGain(), 250);
    EXPECT_EQ(record.Input(1).GetGain(), 120);
    EXPECT_EQ(Field("NameField"), QStringLiteral("LIVE SHOW"));
    EXPECT_EQ(Field("NumberField"), QStringLiteral("0"));
    EXPECT_EQ(Field("DeviceIdField"), QStringLiteral("5"));
    EXPECT_EQ(Window().Link().Session().ProgramName(0), name);
    // The last request carries position 48 of 0..49; the bar still ends full.
    EXPECT_EQ(m_nTopProgress, 48);
    EXPECT_EQ(Progress(), 49);
    EXPECT_TRUE(Button(COrvanDlgDlg::kConnection)->isChecked());
    EXPECT_EQ(Window().Link().Session().PortName(), m_vproc.Port());
    // The block-12 answer closed the data transmission window.
    EXPECT_TRUE(Window().DisplayWindow()->isHidden());
    EXPECT_TRUE(Window().isEnabled());

    // Type 1: inputs A and B, outputs 1 to 4.
    EXPECT_EQ(Window().InputsInUse(), 2);
    EXPECT_EQ(Window().OutputsInUse(), 4);
    Window().SelectChannel(ChannelAddress::Output(4));
    EXPECT_EQ(Window().Selector().Current().bInput, 1);
    Window().SelectChannel(ChannelAddress::Output(3));
    EXPECT_EQ(Window().Selector().Current().nIndex, 3);

    // Nothing loaded is echoed back: the pump only asks for levels.
    ASSERT_TRUE(WaitForLevels(3));
    const CSendDataQueue& queue = Window().Engine().Queue();
    for (int i = 0; i < queue.Count(); ++i)
        EXPECT_EQ(queue.At(i).GetFrame()[1], 0xA6);

    Button(COrvanDlgDlg::kConnection)->click();
    EXPECT_FALSE(Window().IsConnected());
    EXPECT_EQ(record.GetImage().abyImage, FactoryDefaultImage());
    CAudio_Data factory;
    factory.LoadFromImage(Window().Connection().FactorySlot());
    EXPECT_EQ(record.Output(2).GetGain(), factory.Output(2).GetGain());
    EXPECT_EQ(record.Input(1).GetGain(), factory.Input(1).GetGain());
    EXPECT_EQ(Field("NumberField"), kNull);
    EXPECT_EQ(Field("DeviceIdField"), kNull);
    EXPECT_FALSE(Button(COrvanDlgDlg::kConnection)->isChecked());
    EXPECT_EQ(Progress(), 0);
    EXPECT_EQ(Window().Engine().GetVersionText(), "");
    EXPECT_TRUE(m_env.Boxes().empty());
}

// At a glance, in either language: what is connected, where, and that it is.
TEST_F(ConnectionWindowTest, StatusBlockShowsTheProcessorPortVersionAndOnlineState)
{
    CProcessorState state;
    state.nDeviceId = 7;
    state.nDeviceType = 3;
    StartProcessor({"--state", WriteState(state)});
    auto* lamp = Window().findChild<CStatusLamp*>("OnlineLamp");
    auto onlineText = [this] { return Window().findChild<QLabel*>("OnlineText")->text(); };
    EXPECT_FALSE(lamp->IsOn());
    EXPECT_EQ(lamp->accessibleName(), QString::fromUtf8("离线"));
    EXPECT_EQ(Field("ModelField"), kNull);
    EXPECT_EQ(Field("PortField"), kNull);
    EXPECT_EQ(Field("FirmwareField"), kNull);

    const auto counts = CConnection::CountsOfType(3);
    ASSERT_TRUE(counts);
    const QString model = QStringLiteral("%1 x %2").arg(counts->nInputs).arg(counts->nOutputs);
    // Known as soon as the state read starts, before the program is in.
    QString modelWhileReading;
    QObject::connect(&Window().Connection(), &CConnection::stateReadStarted, &Window(),
                     [&] { modelWhileReading = Field("ModelField"); });
    Connect(7);
    EXPECT_EQ(modelWhileReading, model);
    struct Expected
    {
        ELanguage eLanguage;
        const char* szOnline;
        const char* szModelLabel;
    };
    for (const Expected& expected : {Expected{kChinese, "在线", "型号"}, Expected{kEnglish, "ONLINE", "MODEL"}})
    {
        Window().SetLanguage(expected.eLanguage);
        EXPECT_EQ(Field("ModelField"), model);
        EXPECT_EQ(Field("PortField"), m_vproc.Port());
        EXPECT_EQ(Field("FirmwareField"), QLatin1String(CVirtualProcessor::kDefaultVersion));
        EXPECT_EQ(Field("DeviceIdField"), QStringLiteral("7"));
        EXPECT_TRUE(lamp->IsOn());
        EXPECT_EQ(onlineText(), QString::fromUtf8(expected.szOnline));
        EXPECT_EQ(lamp->accessibleName(), QString::fromUtf8(expected.szOnline));
        EXPECT_EQ(Window().findChild<QLineEdit*>("ModelField")->accessibleName(),
                  QString::fromUtf8(expected.szModelLabel));
    }

    Button(COrvanDlgDlg::kConnection)->click();
    EXPECT_FALSE(lamp->IsOn());
    EXPECT_EQ(onlineText(), QStringLiteral("OFFLINE"));
    EXPECT_EQ(Field("ModelField"), kNull);
    EXPECT_EQ(Field("PortField"), kNull);
    EXPECT_EQ(Field("FirmwareField"), kNull);
}

TEST_F(ConnectionWindowTest, LongPortIsShownByItsEndAndWholeInTheTip)
{
    StartProcessor({});
    Window().show();
    Connect(1);
    auto* field = Window().findChild<CPortField*>("PortField");
    ASSERT_NE(field, nullptr);
    const QString port = m_vproc.Port();
    EXPECT_EQ(field->text(), port);
    EXPECT_EQ(field->toolTip(), port);

    // Its end in sight behind an ellipsis, drawn as a plain field of the same
    // look would draw that text.
    const QString shown = field->Shown();
    ASSERT_NE(shown, port) << "the window is wide enough for the whole port";
    ASSERT_TRUE(shown.startsWith(QChar(0x2026)));
    EXPECT_TRUE(port.endsWith(shown.mid(1)));
    EXPECT_GE(shown.size(), 5);
    QLineEdit plain(field->parentWidget());
    plain.setProperty("role", "statusField");
    plain.setReadOnly(true);
    plain.setGeometry(field->geometry());
    plain.setText(shown);
    plain.setCursorPosition(0);
    EXPECT_EQ(field->grab().toImage(), plain.grab().toImage());
}

TEST_F(ConnectionWindowTest, ProcessorOfAnotherVersionIsRefusedInTheCurrentLanguage)
{
    struct Case
    {
        const char* firmware;
        ELanguage eLanguage;
        const char* expected;
    };
    const Case cases[] = {
        {"C-DV2.00", kChinese,
         "PC软件版本比机器版本号低，只有版本号为“C-SV1.00到C-SV1.99”之间的PC软件才能和该版本的机器连接.\n"
         "机器版本号查询方法：面板上点按“SYSTEM”键多次，直到“About”变为红色字体时，就可以显示机器的版本号。"},
        {"C-DV2.00", kEnglish,
         "If software version is lower than the device version, only the software at version, C-SV1.00 to "
         "C-SVC1.99, can be connected with this device.\n"
         " Device Version Checking Method: Click \"SYSTEM\" on the front panel for times till \"About\" comes to "
         "be red color, and then you will see the version number"},
        {"C-DV0.90", kEnglish,
         "If device version is lower than the software version, only the device at version, C-DV1.00 to "
         "C-DV1.99, can be connected with this software.\n"
         " Device Version Checking Method: Click \"SYSTEM\" on the front panel for times till \"About\" comes to "
         "be red color, and then you will see the version number"},
    };
    for (const Case& c : cases)
    {
        Window().SetLanguage(c.eLanguage);
        StartProcessor({"--firmware", c.firmware});
        m_env.Boxes().clear();
        PressConnection(1);
        ASSERT_TRUE(RunUntil([&] { return !m_env.Boxes().empty(); }, 5000)) << c.firmware;
        EXPECT_EQ(m_env.Texts(), std::vector<QString>{QString::fromUtf8(c.expected)}) << c.firmware;
        EXPECT_FALSE(Window().IsConnected());
        EXPECT_FALSE(Button(COrvanDlgDlg::kConnection)->isChecked());
        EXPECT_EQ(Field("DeviceIdField"), kNull);
        EXPECT_TRUE(Window().DisplayWindow()->isHidden());
        EXPECT_TRUE(Window().isEnabled());
        m_vproc.Stop();
    }
}

TEST_F(ConnectionWindowTest, SilentProcessorIsDroppedAfterAboutFourSeconds)
{
    StartProcessor({"--silent"});
    QElapsedTimer clock;
    clock.start();
    PressConnection(1);
    EXPECT_TRUE(Window().IsConnected());
    ASSERT_TRUE(RunUntil([&] { return !m_env.Boxes().empty(); }, 12000));
    const qint64 nMs = clock.elapsed();
    EXPECT_GE(nMs, 3900);
    EXPECT_LE(nMs, 9000);
    // The message keeps its first line and adds the advice below it.
    ASSERT_EQ(m_env.Texts().size(), 1u);
    EXPECT_EQ(m_env.Texts().front().section(QLatin1Char('\n'), 0, 0), QString::fromUtf8("不能打开串口"));
    EXPECT_TRUE(m_env.Texts().front().contains(QLatin1Char('\n')));
    EXPECT_FALSE(Window().IsConnected());
    EXPECT_FALSE(Button(COrvanDlgDlg::kConnection)->isChecked());
}

// A processor behind a serial device server: typed as tcp://host:port in the
// Connection dialog; the server going away is reported at once, with advice.
TEST_F(ConnectionWindowTest, NetworkPortConnectsAndItsDropIsReportedWithinASecond)
{
    ASSERT_TRUE(m_vproc.StartListening({"--id", "4"}));
    Window().SetLanguage(kEnglish);
    Connect(4);
    EXPECT_EQ(Window().Link().Session().PortName(), m_vproc.Port());
    ASSERT_TRUE(WaitForLevels(2));

    QElapsedTimer clock;
    clock.start();
    m_vproc.Stop(SIGKILL);
    ASSERT_TRUE(RunUntil([&] { return !m_env.Boxes().empty(); }, 1000));
    EXPECT_LT(clock.elapsed(), 1000);
    ASSERT_EQ(m_env.Texts().size(), 1u);
    EXPECT_EQ(m_env.Texts().front(), "Unable to Open COM-Port\nThe connection to " + m_vproc.Port()
                                         + " was closed or reset. Check the serial device server and the network, "
                                           "then connect again.");
    EXPECT_FALSE(Window().IsConnected());
    EXPECT_FALSE(Button(COrvanDlgDlg::kConnection)->isChecked());
}

TEST_F(ConnectionWindowTest, PortThatCannotBeOpenedIsReported)
{
    Window().SetLanguage(kEnglish);
    m_fillIn = [](QDialog& dialog) {
        dialog.findChild<QComboBox*>("PortCombo")->setEditText(QStringLiteral("NULL"));
        dialog.accept();
    };
    Button(COrvanDlgDlg::kConnection)->click();
    // The message keeps its first line and says why below it.
    ASSERT_EQ(m_env.Texts().size(), 1u);
    EXPECT_EQ(m_env.Texts().front().section(QLatin1Char('\n'), 0, 0), QStringLiteral("Unable to open COM-port"));
    EXPECT_TRUE(m_env.Texts().front().contains(QLatin1Char('\n')));
    EXPECT_FALSE(Window().IsConnected());
    EXPECT_FALSE(Button(COrvanDlgDlg::kConnection)->isChecked());
    EXPECT_EQ(Window().Link().Session().PortName(), QStringLiteral("NULL"));
}

TEST_F(ConnectionWindowTest, SearchOffersTheIdsThatAnswered)
{
    StartProcessor({"--id", "3", "--other-ids", "17"});
    QStringList offered;
    m_fillIn = [&](QDialog& dialog) {
        auto& connect = dynamic_cast<CConnectDlg&>(dialog);
        connect.findChild<QComboBox*>("PortCombo")->setEditText(m_vproc.Port());
        // The same steps as at 30 ms, only faster.
        connect.SetSearchIntervalMs(2);
        connect.findChild<QPushButton*>("SearchButton")->click();
        ASSERT_TRUE(connect.IsSearching());
        ASSERT_TRUE(RunUntil([&] { return !connect.IsSearching(); }, 30000));
        const auto* ids = connect.findChild<QComboBox*>("DeviceIdCombo");
        for (int i = 0; i < ids->count(); ++i)
            offered << ids->itemText(i);
        EXPECT_EQ(ids->currentText(), QStringLiteral("3"));
        EXPECT_TRUE(connect.findChild<QProgressBar*>("SearchProgress")->isHidden());
        connect.accept();
    };
    Button(COrvanDlgDlg::kConnection)->click();
    EXPECT_EQ(offered, (QStringList{"3", "17"}));
    ASSERT_TRUE(RunUntil([&] { return m_nLiveLoads > 0; }, 8000));
    EXPECT_EQ(Field("DeviceIdField"), QStringLiteral("3"));
}

TEST_F(ConnectionWindowTest, ChangingTheDeviceIdReachesTheProcessor)
{
    const QString strState = WriteState(CProcessorState{});
    StartProcessor({"--state", strState});
    Connect(1);

    m_fillIn = [](QDialog& dialog) {
        dialog.findChild<QComboBox*>("NewIdCombo")->setCurrentIndex(6);
        dialog.accept();
    };
    Button(COrvanDlgDlg::kDevice)->click();
    const Bytes expected = {0x5A, 0xA8, 0x01, 0x00, 0x02, 0x00, 0x02, 0x08, 0x00, 0x07,
                            0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xA6, 0xAA};
    const CSendDataQueue& queue = Window().Engine().Queue();
    ASSERT_GE(queue.Count(), 1);
    EXPECT_EQ(queue.At(queue.Count() - 1).GetFrame(), expected);
    EXPECT_EQ(Field("DeviceIdField"), QStringLiteral("7"));

    // The processor goes on answering, now as 7: every later frame carries 07.
    ASSERT_TRUE(RunUntil([&] { return queue.Count() > 0 && queue.At(0).GetFrame() != expected; }, 3000));
    ASSERT_TRUE(WaitForLevels(3));
    for (int i = 0; i < queue.Count(); ++i)
        EXPECT_EQ(queue.At(i).GetFrame()[2], 0x07);
    EXPECT_TRUE(Window().IsConnected());
    EXPECT_TRUE(m_env.Boxes().empty());

    Button(COrvanDlgDlg::kConnection)->click();
    m_vproc.Stop();
    CProcessorState saved;
    std::string error;
    ASSERT_TRUE(CStateFile::Load(strState.toStdString(), saved, error)) << error;
    EXPECT_EQ(saved.nDeviceId, 7);
}

TEST_F(ConnectionWindowTest, DeviceIdLockLeavesOnlyReconnectingWhichReadsTheProcessorAgain)
{
    CProcessorState state;
    state.aLocks[0][4] = 0x10;    // system lock "Device ID"
    StartProcessor({"--state", WriteState(state)});
    Connect(1);
    ASSERT_TRUE(Window().Locks().IsLocked(CLockState::kSysDeviceId));

    bool bChangeOffered = true;
    QString newIdText;
    m_fillIn = [&](QDialog& dialog) {
        bChangeOffered = dialog.findChild<QRadioButton*>("ChangeIdRadio")->isEnabled();
        newIdText = dialog.findChild<QComboBox*>("NewIdCombo")->currentText();
        dialog.accept();
    };
    Button(COrvanDlgDlg::kDevice)->click();
    EXPECT_FALSE(bChangeOffered);
    EXPECT_EQ(newIdText, QString::fromUtf8("锁定"));

    // Re-connecting to ID 1, the first one offered, reads it all again.
    m_nTopProgress = -1;
    ASSERT_TRUE(RunUntil([&] { return m_nLiveLoads == 2; }, 8000));
    EXPECT_EQ(m_nTopProgress, 48);
    EXPECT_EQ(Field("DeviceIdField"), QStringLiteral("1"));
    EXPECT_TRUE(Window().IsConnected());
    EXPECT_TRUE(m_env.Boxes().empty());
}
