// The link engine on a real pseudo-terminal against the virtual processor
// program, as a user would run them.

#include "link/Command.h"
#include "link/SessionState.h"

#include "link/Serial/SerialError.h"
#include "model/Audio_Data.h"
#include "model/FactoryImage.h"
#include "tests/VprocProcess.h"
#include "tests/vproc/LinkWait.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

namespace
{
constexpr int kTickMs = 20;

class VprocLinkTest : public ::testing::Test
{
protected:
    VprocLinkTest()
    {
        m_pump.setInterval(kTickMs);
        m_pump.setTimerType(Qt::PreciseTimer);
        QObject::connect(&m_pump, &QTimer::timeout, [this] { m_command.PumpTick(m_record); });
        QObject::connect(&m_command, &CCommand::deviceTypeReceived, [this](int n) { m_nType = n; });
        QObject::connect(&m_command, &CCommand::liveProgramRead, [this] { ++m_nLiveReads; });
        QObject::connect(&m_command, &CCommand::levelsReceived, [this] { ++m_nLevels; });
        QObject::connect(&m_command, &CCommand::versionMismatch, [this](int n) { m_nMismatch = n; });
        QObject::connect(&m_command, &CCommand::disconnectRequested, [this] { ++m_nDisconnects; });
        QObject::connect(&m_command, &CCommand::lineFault, [this](int n) { m_nFault = n; });
    }

    ~VprocLinkTest() override
    {
        m_pump.stop();
        m_command.Close();
        StopProcessor();
    }

    // Starts the virtual processor and returns once its port is there.
    void StartProcessor(const QStringList& args)
    {
        ASSERT_TRUE(m_processor.Start(args)) << "no port from the processor";
    }

    // The same on a TCP port, as behind a serial device server.
    void StartListening(const QStringList& args)
    {
        ASSERT_TRUE(m_processor.StartListening(args)) << "no TCP port from the processor";
    }

    void StopProcessor(int nSignal = SIGTERM) { m_processor.Stop(nSignal); }

    // Opens the port and asks for the device type, as a connection starts.
    void Connect(int nDeviceId)
    {
        ASSERT_TRUE(m_command.Open(m_processor.Port()));
        m_record.SetDeviceId(nDeviceId);
        m_record.ClearAllChanged(false);
        m_nType = 0;
        m_command.Enqueue(m_record.BuildDeviceTypeFrame());
        m_command.SendHeadOnce();
        ASSERT_TRUE(RunUntil([this] { return m_nType != 0; }, 3000)) << "no device type";
        m_pump.start();
    }

    // What the owner does on disconnect, as far as the engine is concerned.
    void Disconnect()
    {
        m_pump.stop();
        m_command.Close();
        m_command.Clear();
    }

    // The state reads that follow the device type, ending with the live program.
    void QueueStateReads()
    {
        m_command.Enqueue(m_record.BuildVersionFrame());
        m_command.Enqueue(m_record.BuildLockDataFrame(0, 1));
        m_command.Enqueue(m_record.BuildLockDataFrame(31, 1));
        for (int n = 0; n <= 30; ++n)
            m_command.Enqueue(m_record.BuildProgramNameFrame(n, 1));
        m_command.Enqueue(m_record.BuildBacklightFrame(false));
        m_command.Enqueue(m_record.BuildPowerOnFrame(false));
        m_command.Enqueue(m_record.BuildGeneratorFrame(true));
        m_command.Enqueue(m_record.BuildInfoReadFrame());
        for (int block = 1; block <= 12; ++block)
        {
            CSendData entry = m_record.BuildBlockReadFrame(0, block);
            entry.m_bLastOfTransfer = block == 12;
            m_command.Enqueue(std::move(entry));
        }
        m_command.SetTransferInProgress(true);
    }

    bool WaitIdle(int nTimeoutMs) { return WaitForPollsOnly(m_command, nTimeoutMs); }

    QTemporaryDir m_dir;
    CVprocProcess m_processor{m_dir.filePath("port")};
    const QString m_strLink = m_processor.Port();
    CCommand m_command;
    CSessionState m_session{m_command};
    CAudio_Data m_record;
    QTimer m_pump;
    int m_nType = 0;
    int m_nLiveReads = 0;
    int m_nLevels = 0;
    int m_nMismatch = -1;
    int m_nDisconnects = 0;
    int m_nFault = 0;
};
}

TEST_F(VprocLinkTest, ConnectionReadsTheWholeStateAtTheRealLineRate)
{
    StartProcessor({"--id", "7", "--type", "4", "--real-rate"});
    Connect(7);
    EXPECT_EQ(m_nType, 4);
    EXPECT_EQ(m_command.GetDeviceType(), 4);

    QueueStateReads();
    ASSERT_TRUE(RunUntil([this] { return m_nLiveReads == 1; }, 10000));
    EXPECT_FALSE(m_command.IsTransferInProgress());
    EXPECT_EQ(m_command.GetVersionText(), "C-DV1.05");
    for (int n = 0; n <= 30; ++n)
        EXPECT_EQ(m_session.ProgramName(n), "") << n;
    EXPECT_EQ(m_command.GetReceiveSlot().abyImage, FactoryDefaultImage());
    EXPECT_EQ(m_command.GetStaging().GetInfoText(0), "VIRTUAL DSP");
    EXPECT_EQ(m_command.GetStaging().GetBacklight(), 1);

    // Then the pump polls the meters, and they move.
    std::vector<int> firstInputs;
    ASSERT_TRUE(RunUntil([&] {
        if (m_nLevels > 0 && firstInputs.empty())
            firstInputs = {m_command.Level(0), m_command.Level(1), m_command.Level(2), m_command.Level(3)};
        return m_nLevels >= 6;
    }, 5000));
    EXPECT_NE(firstInputs,
              (std::vector<int>{m_command.Level(0), m_command.Level(1), m_command.Level(2), m_command.Level(3)}));
    EXPECT_EQ(m_nDisconnects, 0);
}

TEST_F(VprocLinkTest, ParameterChangeReachesTheLiveProgram)
{
    StartProcessor({});
    Connect(1);
    m_record.Output(2).SetGain(250);
    m_record.Input(0).GetBand(3).SetGainStep(460);
    m_record.Output(7).SetName("SUB");
    // The pump sends the edits first and polls the meters once none is left.
    const int nLevels = m_nLevels;
    ASSERT_TRUE(RunUntil([&] { return m_nLevels >= nLevels + 2; }, 3000));

    for (int block = 1; block <= 12; ++block)
        m_command.Enqueue(m_record.BuildBlockReadFrame(0, block));
    ASSERT_TRUE(RunUntil([this] { return m_nLiveReads == 1; }, 5000));
    // The factory image with exactly the three edited sub-blocks changed.
    auto expected = FactoryDefaultImage();
    auto patch = [&expected](int nCode, std::span<const uint8_t> block, int nOffset)
    {
        std::copy_n(block.begin() + nOffset, 8, expected.begin() + CImageSlot::BlockOffset(nCode) + nOffset);
    };
    patch(7, m_record.Output(2).BuildBlock(), CAudio_OutData::SubBlockOffset(1));
    patch(1, m_record.Input(0).BuildBlock(), CAudio_InData::SubBlockOffset(2 + 3));
    patch(12, m_record.Output(7).BuildBlock(), CAudio_OutData::SubBlockOffset(0));
    EXPECT_EQ(m_command.GetReceiveSlot().abyImage, expected);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&expected[CImageSlot::BlockOffset(12)])), "SUB");
}

TEST_F(VprocLinkTest, StoredNamesSurviveARestartWithTheStateFile)
{
    const QString strState = m_dir.filePath("state.txt");
    StartProcessor({"--state", strState});
    Connect(1);
    m_command.Enqueue(m_record.BuildProgramNameFrame(5, 2, "ABC"));
    m_command.Enqueue(m_record.BuildProgramNameFrame(12, 2, "Evening"));
    ASSERT_TRUE(WaitIdle(3000));
    Disconnect();
    StopProcessor();
    ASSERT_EQ(m_processor.Process().exitStatus(), QProcess::NormalExit);

    StartProcessor({"--state", strState});
    Connect(1);
    m_command.Enqueue(m_record.BuildProgramNameFrame(5, 1));
    m_command.Enqueue(m_record.BuildProgramNameFrame(12, 1));
    ASSERT_TRUE(WaitIdle(3000));
    ASSERT_TRUE(RunUntil([this] { return m_session.ProgramName(12) == "Evening"; }, 2000));
    EXPECT_EQ(m_session.ProgramName(5), "ABC");
}

TEST_F(VprocLinkTest, SilentProcessorIsDroppedAfterAboutFourSeconds)
{
    StartProcessor({"--silent"});
    ASSERT_TRUE(m_command.Open(m_strLink));
    m_record.SetDeviceId(1);
    m_record.ClearAllChanged(false);
    QElapsedTimer clock;
    clock.start();
    m_pump.start();
    ASSERT_TRUE(RunUntil([this] { return m_nDisconnects > 0; }, 12000));
    const qint64 nMs = clock.elapsed();
    EXPECT_GE(nMs, 3900);
    EXPECT_LE(nMs, 9000);
    EXPECT_EQ(m_nDisconnects, 1);
}

TEST_F(VprocLinkTest, RecoversFromNoiseSplitAnswersAndLostRequests)
{
    StartProcessor({"--garbage", "9", "--chunk", "5", "--chunk-gap", "1", "--skip-every", "25"});
    Connect(1);
    QueueStateReads();
    ASSERT_TRUE(RunUntil([this] { return m_nLiveReads == 1; }, 15000));
    EXPECT_EQ(m_command.GetVersionText(), "C-DV1.05");
    EXPECT_EQ(m_command.GetReceiveSlot().abyImage, FactoryDefaultImage());
    EXPECT_EQ(m_nDisconnects, 0);
}

TEST_F(VprocLinkTest, OlderOrNewerFirmwareIsReported)
{
    struct Case
    {
        const char* firmware;
        int nMajor;
    };
    for (const Case& c : {Case{"C-DV2.00", 2}, Case{"C-DV0.90", 0}})
    {
        StartProcessor({"--firmware", c.firmware});
        Connect(1);
        m_nMismatch = -1;
        m_command.Enqueue(m_record.BuildVersionFrame());
        ASSERT_TRUE(RunUntil([this] { return m_nMismatch >= 0; }, 3000)) << c.firmware;
        EXPECT_EQ(m_nMismatch, c.nMajor);
        EXPECT_EQ(m_command.GetVersionText(), c.firmware);
        Disconnect();
        StopProcessor();
    }
}

TEST_F(VprocLinkTest, ProcessorGoingAwayIsALineFault)
{
    StartProcessor({});
    Connect(1);
    StopProcessor(SIGKILL);
    ASSERT_TRUE(RunUntil([this] { return m_nFault != 0; }, 3000));
    EXPECT_FALSE(m_command.IsOpen());
}

TEST_F(VprocLinkTest, DroppedNetworkStreamIsALineFaultWithinASecond)
{
    StartListening({});
    Connect(1);
    QueueStateReads();
    ASSERT_TRUE(RunUntil([this] { return m_nLiveReads == 1; }, 10000));
    EXPECT_EQ(m_command.GetReceiveSlot().abyImage, FactoryDefaultImage());

    QElapsedTimer clock;
    clock.start();
    StopProcessor(SIGKILL);
    ASSERT_TRUE(RunUntil([this] { return m_nFault != 0; }, 1000));
    EXPECT_LT(clock.elapsed(), 1000);
    EXPECT_TRUE(m_nFault == SerialError::kConnectionClosed || m_nFault == SerialError::kConnectionReset) << m_nFault;
    EXPECT_FALSE(m_command.IsOpen());
    EXPECT_EQ(m_nDisconnects, 0);
}

TEST_F(VprocLinkTest, SecondClientOfABusyServerIsTurnedAway)
{
    StartListening({});
    Connect(1);
    CCommand other;
    int nFault = 0;
    QObject::connect(&other, &CCommand::lineFault, [&nFault](int n) { nFault = n; });
    // The server accepts and closes again, as ser2net does with a port in use.
    if (other.Open(m_processor.Port()))
    {
        EXPECT_TRUE(RunUntil([&nFault] { return nFault != 0; }, 1000));
    }
    // The first client goes on unharmed.
    m_nType = 0;
    m_command.Enqueue(m_record.BuildDeviceTypeFrame());
    ASSERT_TRUE(RunUntil([this] { return m_nType != 0; }, 2000));
}
