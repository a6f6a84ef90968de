// The connection procedure on a pseudo-terminal against a line of several
// virtual processors, as a rack of them shares one RS-485 line.

#include "link/Command.h"
#include "link/Connection.h"

#include "model/Audio_Data.h"
#include "model/FactoryImage.h"
#include "model/LockState.h"
#include "tests/VprocProcess.h"
#include "tests/vproc/LinkWait.h"
#include "vproc/StateFile.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <csignal>
#include <vector>

namespace
{
using EReason = CConnection::EReason;

class VprocLineTest : public ::testing::Test
{
protected:
    VprocLineTest()
    {
        m_searchTimer.setInterval(CConnection::kSearchIntervalMs);
        m_searchTimer.setTimerType(Qt::PreciseTimer);
        QObject::connect(&m_searchTimer, &QTimer::timeout, [this] { m_connection.SearchTick(); });
        QObject::connect(&m_connection, &CConnection::searchEnded, [this] { m_searchTimer.stop(); });
        QObject::connect(&m_connection, &CConnection::liveProgramLoaded, [this] { ++m_nLoads; });
        QObject::connect(&m_connection, &CConnection::disconnected, [this](EReason e) { m_reasons.push_back(e); });
        QObject::connect(&m_command, &CCommand::levelsReceived, [this] { ++m_nLevels; });
    }

    ~VprocLineTest() override
    {
        m_connection.Disconnect();
        m_processor.Stop();
    }

    void Start(QStringList args)
    {
        args << "--state" << m_strState;
        ASSERT_TRUE(m_processor.Start(args)) << "no port from the processor";
    }

    // The IDs that answer a search of nFirst..nLast, as the Connection
    // dialog searches: one probe every 30 ms.
    std::vector<int> Search(int nFirst, int nLast)
    {
        std::vector<int> found;
        EXPECT_TRUE(m_connection.StartSearch(m_processor.Port(), nFirst, nLast));
        m_searchTimer.start();
        EXPECT_TRUE(RunUntil([this] { return !m_connection.IsSearching(); }, 10000)) << "search never ended";
        for (uint16_t nId : m_connection.GetDeviceIdTable())
            if (nId != 0)
                found.push_back(nId);
        return found;
    }

    // Waits until the state read that the device type answer started has
    // loaded the processor's live program.
    void WaitForProgram()
    {
        const int nLoads = m_nLoads;
        ASSERT_TRUE(RunUntil([&] { return m_nLoads > nLoads || !m_connection.IsConnected(); }, 10000));
        ASSERT_TRUE(m_connection.IsConnected()) << "dropped while reading";
        ASSERT_EQ(m_connection.GetState(), CConnection::EState::Idle);
    }

    void ConnectTo(int nId)
    {
        ASSERT_TRUE(m_connection.Connect(m_processor.Port(), nId));
        WaitForProgram();
    }

    void SwitchTo(int nId)
    {
        ASSERT_TRUE(m_connection.ReconnectTo(nId));
        WaitForProgram();
    }

    void SendName(int nProgram, const std::string& strName)
    {
        m_command.Enqueue(m_record.BuildProgramNameFrame(nProgram, Frame::kWrite, strName));
        ASSERT_TRUE(WaitForPollsOnly(m_command, 3000));
    }

    // Ends the connection and the processor, which saves its line.
    std::vector<CProcessorState> StopAndReadLine()
    {
        m_connection.Disconnect();
        m_processor.Stop();
        std::vector<CProcessorState> line;
        std::string strError;
        EXPECT_TRUE(CStateFile::LoadLine(m_strState.toStdString(), line, strError)) << strError;
        return line;
    }

    // The next line the processor prints after its port.
    QString NextNotice()
    {
        QProcess& process = m_processor.Process();
        if (!RunUntil([&process] { return process.canReadLine(); }, 3000))
            return {};
        return QString::fromUtf8(process.readLine()).trimmed();
    }

    void Signal(int nSignal) { ::kill(static_cast<pid_t>(m_processor.Process().processId()), nSignal); }

    QTemporaryDir m_dir;
    CVprocProcess m_processor{m_dir.filePath("port")};
    const QString m_strState = m_dir.filePath("line.state");
    CCommand m_command;
    CAudio_Data m_record;
    CLockState m_locks;
    CConnection m_connection{m_command, m_record, m_locks};
    QTimer m_searchTimer;
    int m_nLoads = 0;
    int m_nLevels = 0;
    std::vector<EReason> m_reasons;
};

std::vector<int> Ids(int nFirst, int nLast)
{
    std::vector<int> ids;
    for (int nId = nFirst; nId <= nLast; ++nId)
        ids.push_back(nId);
    return ids;
}
}

TEST_F(VprocLineTest, SearchFindsExactlyTheProcessorsOfTheLine)
{
    Start({"--ids", "1-8"});
    EXPECT_EQ(Search(1, 10), Ids(1, 8));
    m_processor.Stop();
    Start({"--ids", "3,5-6,9"});
    EXPECT_EQ(Search(1, 10), (std::vector<int>{3, 5, 6, 9}));
}

TEST_F(VprocLineTest, EditReachesOnlyTheAddressedProcessorAndEachKeepsItsStateAcrossARestart)
{
    Start({"--ids", "1-8", "--types", "5:4"});
    ConnectTo(5);
    EXPECT_EQ(m_connection.GetChannelCounts(), (CConnection::ChannelCounts{3, 6}));
    EXPECT_EQ(m_record.GetInfoText(0), "VIRTUAL DSP 5");
    m_record.Output(2).SetGain(250);
    SendName(3, "Five");

    SwitchTo(2);
    EXPECT_EQ(m_connection.GetChannelCounts(), (CConnection::ChannelCounts{4, 8}));
    EXPECT_EQ(m_record.GetInfoText(0), "VIRTUAL DSP 2");
    EXPECT_EQ(m_command.GetProgramName(3), "");
    EXPECT_EQ(m_command.GetReceiveSlot().abyImage, FactoryDefaultImage());
    SendName(3, "Two");

    // Processor 5 holds exactly the edited output sub-block and its name;
    // 2 its name; the others are as they came.
    CProcessorState five = CProcessorState::Numbered(5);
    five.nDeviceType = 4;
    five.aNames[3] = CProcessorState::MakeName("Five");
    CAudio_Data edited;
    edited.Output(2).SetGain(250);
    const auto block = edited.Output(2).BuildBlock();
    const int nSubBlock = CAudio_OutData::SubBlockOffset(1);
    std::copy_n(block.begin() + nSubBlock, Frame::kSubBlockBytes,
                five.aImages[0].begin() + CImageSlot::BlockOffset(7) + nSubBlock);
    ASSERT_NE(five.aImages[0], FactoryDefaultImage());
    CProcessorState two = CProcessorState::Numbered(2);
    two.aNames[3] = CProcessorState::MakeName("Two");
    std::vector<CProcessorState> expected;
    for (int nId = 1; nId <= 8; ++nId)
        expected.push_back(nId == 5 ? five : nId == 2 ? two : CProcessorState::Numbered(nId));
    EXPECT_EQ(StopAndReadLine(), expected);

    Start({"--ids", "1-8"});
    ConnectTo(5);
    EXPECT_EQ(m_connection.GetChannelCounts(), (CConnection::ChannelCounts{3, 6}));
    EXPECT_EQ(m_command.GetReceiveSlot().abyImage, five.aImages[0]);
    EXPECT_EQ(m_record.Output(2).GetGain(), 250);
    EXPECT_EQ(m_command.GetProgramName(3), "Five");
    SwitchTo(2);
    EXPECT_EQ(m_command.GetProgramName(3), "Two");
    EXPECT_EQ(m_command.GetReceiveSlot().abyImage, FactoryDefaultImage());
    // Only the disconnect before the restart.
    EXPECT_EQ(m_reasons, std::vector<EReason>{EReason::User});
}

TEST_F(VprocLineTest, AbsentIdGetsNoAnswerAndTheConnectionTimesOut)
{
    Start({"--ids", "1-8"});
    QElapsedTimer clock;
    clock.start();
    ASSERT_TRUE(m_connection.Connect(m_processor.Port(), 9));
    ASSERT_TRUE(RunUntil([this] { return !m_reasons.empty(); }, 12000));
    EXPECT_GE(clock.elapsed(), 3900);
    EXPECT_EQ(m_reasons, std::vector<EReason>{EReason::NoAnswer});
    EXPECT_EQ(m_nLoads, 0);
    // The line itself is fine.
    ConnectTo(8);
    EXPECT_EQ(m_record.GetInfoText(0), "VIRTUAL DSP 8");
}

TEST_F(VprocLineTest, SilencedProcessorDropsOffTheLineWhileTheOthersGoOn)
{
    Start({"--ids", "1-8", "--silence-id", "3"});
    ConnectTo(4);
    Signal(SIGUSR1);
    ASSERT_EQ(NextNotice(), "silent 3");
    // The connection to 4 goes on polling the meters.
    const int nLevels = m_nLevels;
    ASSERT_TRUE(RunUntil([&] { return m_nLevels >= nLevels + 5; }, 3000));
    m_connection.Disconnect();
    EXPECT_EQ(Search(1, 8), (std::vector<int>{1, 2, 4, 5, 6, 7, 8}));

    Signal(SIGUSR2);
    ASSERT_EQ(NextNotice(), "answering 3");
    EXPECT_EQ(Search(1, 8), Ids(1, 8));
    EXPECT_EQ(m_reasons, std::vector<EReason>{EReason::User});
}

TEST_F(VprocLineTest, SilenceAfterSomeAnswersDropsTheProcessorMidConnection)
{
    // The device type request and the first part of the state read.
    Start({"--ids", "1-2", "--silence-id", "2", "--silence-after", "10"});
    ASSERT_TRUE(m_connection.Connect(m_processor.Port(), 2));
    ASSERT_EQ(NextNotice(), "silent 2");
    ASSERT_TRUE(RunUntil([this] { return !m_reasons.empty(); }, 12000));
    EXPECT_EQ(m_reasons, std::vector<EReason>{EReason::NoAnswer});
    ConnectTo(1);
}

TEST_F(VprocLineTest, FileProcessorsBeyondIdsAreKeptAndAMovedProcessorStaysMoved)
{
    // A file of one processor, ID 12, as an earlier single run left it.
    CProcessorState twelve;
    twelve.nDeviceId = 12;
    twelve.aNames[1] = CProcessorState::MakeName("Twelve");
    std::string strError;
    ASSERT_TRUE(CStateFile::Save(m_strState.toStdString(), twelve, strError)) << strError;

    Start({"--ids", "1-3"});
    EXPECT_EQ(Search(1, 12), Ids(1, 3));
    ConnectTo(1);
    SendName(1, "Moved");
    // 2 is taken: no answer, and the program gives up.
    ASSERT_TRUE(m_connection.ChangeDeviceId(2));
    ASSERT_TRUE(RunUntil([this] { return !m_reasons.empty(); }, 12000));
    EXPECT_EQ(m_reasons, std::vector<EReason>{EReason::NoAnswer});
    // 7 is free.
    ConnectTo(1);
    ASSERT_TRUE(m_connection.ChangeDeviceId(7));
    ASSERT_TRUE(WaitForPollsOnly(m_command, 3000));
    EXPECT_EQ(m_reasons.size(), 1u);

    CProcessorState seven = CProcessorState::Numbered(1);
    seven.nDeviceId = 7;
    seven.aNames[1] = CProcessorState::MakeName("Moved");
    const std::vector<CProcessorState> expected = {CProcessorState::Numbered(2), CProcessorState::Numbered(3), seven,
                                                   twelve};
    EXPECT_EQ(StopAndReadLine(), expected);

    // Without --ids the line is the file's.
    Start({});
    EXPECT_EQ(Search(1, 12), (std::vector<int>{2, 3, 7, 12}));
    ConnectTo(12);
    EXPECT_EQ(m_command.GetProgramName(1), "Twelve");
}
