// The connection procedure on a port without a line: the test plays the
// processor and drives the ticks itself.

#include "link/Connection.h"

#include "model/Audio_Data.h"
#include "link/Command.h"
#include "model/FactoryImage.h"
#include "tests/link/FakeProcessor.h"
#include "wire/Frame.h"
#include "model/LockState.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace
{
using Bytes = std::vector<uint8_t>;
using EReason = CConnection::EReason;

using FakeLine::Answer;
using FakeLine::DeviceItem;
using FakeLine::Wire;

class ConnectionTest : public ::testing::Test
{
protected:
    ConnectionTest()
    {
        auto pPort = std::make_unique<CFakePort>();
        m_pPort = pPort.get();
        m_pCommand = std::make_unique<CCommand>(std::move(pPort));
        m_pCommand->AttachLockState(&m_locks);
        m_pConnection = std::make_unique<CConnection>(*m_pCommand, m_record, m_locks);
        QObject::connect(m_pConnection.get(), &CConnection::disconnected,
                         [this](EReason e) { m_reasons.push_back(e); });
    }

    void Deliver(const Bytes& frame) { m_pPort->Deliver(Wire(frame)); }
    CConnection& Conn() { return *m_pConnection; }
    CCommand& Cmd() { return *m_pCommand; }

    // Connects as ID 1 and answers the type request with `type`.
    void ConnectAs(int type)
    {
        ASSERT_TRUE(Conn().Connect("ttyFAKE", 1));
        Deliver(DeviceItem(3, {static_cast<uint8_t>(type)}));
    }

    // Answers the state read as a processor with a factory live program.
    void AnswerStateRead()
    {
        FakeLine::AnswerStateRead(*m_pPort, Cmd(), [this] { Conn().PumpTick(); }, m_lockSets);
    }

    CFakePort* m_pPort = nullptr;
    std::unique_ptr<CCommand> m_pCommand;
    CAudio_Data m_record;
    CLockState m_locks;
    std::unique_ptr<CConnection> m_pConnection;
    std::vector<EReason> m_reasons;
    // Live lock set (system lock "Device ID" set, password ABCDEF) and the
    // fixed locks (input EQ).
    std::vector<Bytes> m_lockSets = {{0, 0, 0, 0, 0x10, 0, 'A', 'B', 'C', 'D', 'E', 'F'},
                                     {0x08, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}};
};
}

// ---- connecting ------------------------------------------------------------------

TEST_F(ConnectionTest, TypeAnswerQueuesTheStateReadInOrderWithProgressPositions)
{
    int nInputs = 0;
    int nOutputs = 0;
    int nStarted = 0;
    QObject::connect(&Conn(), &CConnection::deviceTypeKnown, [&](int i, int o) { nInputs = i, nOutputs = o; });
    QObject::connect(&Conn(), &CConnection::stateReadStarted, [&] { ++nStarted; });

    ASSERT_TRUE(Conn().Connect("ttyFAKE", 1));
    // The type request leaves at once, before any tick.
    ASSERT_EQ(m_pPort->Frames().size(), 1u);
    EXPECT_EQ(m_pPort->Frames()[0], m_record.BuildDeviceTypeFrame().GetFrame());
    EXPECT_EQ(Conn().GetState(), CConnection::EState::WaitingForType);

    Deliver(DeviceItem(3, {1}));
    EXPECT_EQ(nInputs, 2);
    EXPECT_EQ(nOutputs, 4);
    EXPECT_EQ(Conn().GetChannelCounts(), (CConnection::ChannelCounts{2, 4}));
    EXPECT_EQ(nStarted, 1);
    EXPECT_TRUE(Cmd().IsTransferInProgress());
    EXPECT_TRUE(Conn().IsPumpRunning());

    struct Row
    {
        CSendData expected;
        int nProgress;    // -1: moves no bar
    };
    std::vector<Row> rows;
    rows.push_back({m_record.BuildVersionFrame(), -1});
    rows.push_back({m_record.BuildLockDataFrame(0, 1), -1});
    rows.push_back({m_record.BuildLockDataFrame(31, 1), -1});
    for (int n = 0; n <= 30; ++n)
        rows.push_back({m_record.BuildProgramNameFrame(n, 1), 2 + n});
    rows.push_back({m_record.BuildBacklightFrame(false), 33});
    rows.push_back({m_record.BuildPowerOnFrame(false), 34});
    rows.push_back({m_record.BuildGeneratorFrame(true), 35});
    rows.push_back({m_record.BuildInfoReadFrame(), 36});
    for (int block = 1; block <= 12; ++block)
        rows.push_back({m_record.BuildBlockReadFrame(0, block), 36 + block});

    const CSendDataQueue& queue = Cmd().Queue();
    ASSERT_EQ(queue.Count(), static_cast<int>(rows.size()));
    for (int i = 0; i < queue.Count(); ++i)
    {
        const CSendData& entry = queue.At(i);
        const Row& row = rows[static_cast<size_t>(i)];
        EXPECT_EQ(entry.GetFrame(), row.expected.GetFrame()) << "entry " << i;
        EXPECT_EQ(entry.m_bProgress, row.nProgress >= 0) << "entry " << i;
        if (row.nProgress >= 0)
        {
            EXPECT_EQ(entry.m_nProgressPos, row.nProgress) << "entry " << i;
        }
        EXPECT_EQ(entry.m_bLastOfTransfer, i == queue.Count() - 1) << "entry " << i;
    }
}

TEST_F(ConnectionTest, StateReadFillsTheRecordAndSendsNothingBack)
{
    std::vector<int> positions;
    int nLoaded = 0;
    QObject::connect(&Conn(), &CConnection::progressAdvanced, [&](int n) { positions.push_back(n); });
    QObject::connect(&Conn(), &CConnection::liveProgramLoaded, [&] { ++nLoaded; });
    // What the record held before must not survive the load.
    m_record.Output(2).SetGain(17);
    m_record.SetPowerOnMode(2);

    ConnectAs(6);
    AnswerStateRead();

    EXPECT_EQ(nLoaded, 1);
    EXPECT_EQ(Conn().GetState(), CConnection::EState::Idle);
    EXPECT_FALSE(Cmd().IsTransferInProgress());
    ASSERT_FALSE(positions.empty());
    EXPECT_EQ(positions.front(), 2);
    EXPECT_EQ(positions.back(), 48);
    EXPECT_EQ(m_record.GetImage().abyImage, FactoryDefaultImage());
    EXPECT_EQ(m_record.GetName(), "PA");
    EXPECT_EQ(m_record.GetBacklight(), 1);
    EXPECT_EQ(m_record.GetPowerOnMode(), 1);
    EXPECT_EQ(m_locks.IsLocked(CLockState::kSysDeviceId), true);
    EXPECT_EQ(m_locks.GetPassword(), "ABCDEF");
    EXPECT_TRUE(m_locks.IsFixed(CLockState::kInEq));
    EXPECT_EQ(Cmd().GetVersionText(), "C-DV1.05");
    // Every change flag is clear: the pump asks for levels only.
    EXPECT_EQ(m_record.BuildNextPendingFrame().GetFrame(), m_record.BuildPollFrame().GetFrame());
    EXPECT_TRUE(m_reasons.empty());
}

TEST_F(ConnectionTest, PowerOnSettingIsKeptWithinOneToThree)
{
    ConnectAs(6);
    for (auto [received, kept] : {std::pair{0, 1}, {2, 2}, {3, 3}, {9, 3}})
    {
        Cmd().GetStaging().SetPowerOnMode(received);
        Cmd().Clear();
        Cmd().Enqueue(m_record.BuildInfoReadFrame());
        Deliver(Answer(0xAD, 0, 0, 1, Bytes(255, ' ')));
        EXPECT_EQ(m_record.GetPowerOnMode(), kept) << "received " << received;
    }
}

TEST_F(ConnectionTest, TypeCodeOutsideOneToSixDisconnects)
{
    for (int type : {0, 7, 255})
    {
        m_reasons.clear();
        ConnectAs(type);
        EXPECT_FALSE(Conn().IsConnected()) << "type " << type;
        EXPECT_EQ(m_reasons, std::vector<EReason>{EReason::BadDeviceType}) << "type " << type;
        EXPECT_FALSE(Cmd().IsOpen());
    }
}

TEST_F(ConnectionTest, UnansweredTypeRequestIsRepeatedAndGivenUpAfterAboutFourSeconds)
{
    ASSERT_TRUE(Conn().Connect("ttyFAKE", 1));
    std::vector<int> sentAt;
    for (int t = 1; t <= 200 && Conn().IsConnected(); ++t)
    {
        const size_t nBefore = m_pPort->Frames().size();
        Conn().PumpTick();
        if (m_pPort->Frames().size() != nBefore)
            sentAt.push_back(t);
    }
    // Nothing else is sent while the type is unknown: no level requests.
    EXPECT_EQ(sentAt, (std::vector<int>{50, 100}));
    for (const Bytes& frame : m_pPort->Frames())
        EXPECT_EQ(frame, m_record.BuildDeviceTypeFrame().GetFrame());
    EXPECT_EQ(m_reasons, std::vector<EReason>{EReason::NoAnswer});
}

TEST_F(ConnectionTest, VersionOtherThanOneDisconnectsSayingWhichSideIsOlder)
{
    struct Case
    {
        const char* version;
        EReason eReason;
    };
    for (const Case& c : {Case{"C-DV0.90", EReason::DeviceOlder}, Case{"C-DV2.00", EReason::SoftwareOlder},
                          Case{"C-DVx.00", EReason::DeviceOlder}, Case{"C-DV12.0", EReason::SoftwareOlder}})
    {
        m_reasons.clear();
        ConnectAs(6);
        Conn().PumpTick();
        const std::string text = c.version;
        Deliver(DeviceItem(7, Bytes(text.begin(), text.end())));
        EXPECT_EQ(m_reasons, std::vector<EReason>{c.eReason}) << c.version;
        // The version text is gone with the connection.
        EXPECT_EQ(Cmd().GetVersionText(), "") << c.version;
        EXPECT_EQ(Cmd().Count(), 0) << c.version;
    }
}

TEST_F(ConnectionTest, DisconnectReturnsToTheFactoryProgramAndReleasesTheLocks)
{
    ConnectAs(6);
    AnswerStateRead();
    // A live program that differs from the factory one, with edits pending.
    CImageSlot live;
    live.abyImage = FactoryDefaultImage();
    live.abyImage[CImageSlot::BlockOffset(7) + 9] ^= 0x21;
    m_record.LoadFromImage(live);
    m_record.Input(1).SetGain(12);

    Conn().Disconnect();
    EXPECT_EQ(m_reasons, std::vector<EReason>{EReason::User});
    EXPECT_FALSE(Conn().IsConnected());
    EXPECT_FALSE(Cmd().IsOpen());
    EXPECT_FALSE(Conn().IsPumpRunning());
    EXPECT_EQ(Cmd().Count(), 0);
    EXPECT_EQ(Cmd().GetVersionText(), "");
    EXPECT_EQ(m_record.GetImage().abyImage, FactoryDefaultImage());
    CAudio_Data factory;
    factory.LoadFromImage(Conn().FactorySlot());
    EXPECT_EQ(m_record.Input(1).GetGain(), factory.Input(1).GetGain());
    EXPECT_EQ(m_record.Output(2).GetGain(), factory.Output(2).GetGain());
    EXPECT_EQ(m_record.BuildNextPendingFrame().GetFrame(), m_record.BuildPollFrame().GetFrame());
    // Flags go; the fixed locks and the password wait for the next connection.
    EXPECT_FALSE(m_locks.IsLocked(CLockState::kSysDeviceId));
    EXPECT_TRUE(m_locks.IsFixed(CLockState::kInEq));
    EXPECT_EQ(m_locks.GetPassword(), "ABCDEF");

    // Once disconnected, nothing more happens.
    Conn().Disconnect();
    EXPECT_EQ(m_reasons.size(), 1u);
}

TEST_F(ConnectionTest, LineFaultEndsTheConnection)
{
    ConnectAs(6);
    m_pPort->Fault(1617);
    EXPECT_EQ(m_reasons, std::vector<EReason>{EReason::LineFault});
    EXPECT_FALSE(Conn().IsPumpRunning());
}

TEST_F(ConnectionTest, PortThatCannotBeOpenedLeavesEverythingAsItWas)
{
    EXPECT_FALSE(Conn().Connect("NULL", 1));
    EXPECT_FALSE(Conn().IsConnected());
    EXPECT_FALSE(Conn().StartSearch("NULL"));
    EXPECT_EQ(Conn().GetDeviceIdTable()[249], 250);
    EXPECT_TRUE(m_pPort->Frames().empty());
}

// ---- device ID management ----------------------------------------------------------

TEST_F(ConnectionTest, ChangingTheIdSendsTheExampleFrameAndLaterFramesCarryTheNewId)
{
    m_lockSets[0][4] = 0;    // no "Device ID" lock on this processor
    ConnectAs(6);
    AnswerStateRead();
    Cmd().Clear();

    ASSERT_TRUE(Conn().ChangeDeviceId(7));
    ASSERT_EQ(Cmd().Count(), 1);
    const Bytes expected = {0x5A, 0xA8, 0x01, 0x00, 0x02, 0x00, 0x02, 0x08, 0x00, 0x07,
                            0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xA6, 0xAA};
    EXPECT_EQ(Cmd().Head().GetFrame(), expected);
    EXPECT_EQ(Conn().GetDeviceId(), 7);
    Conn().PumpTick();
    Deliver(Answer(0xA4, 0, 2, 0, Bytes(8, 0)));
    Conn().PumpTick();
    EXPECT_EQ(m_pPort->Frames().back()[2], 0x07);
    EXPECT_EQ(m_pPort->Frames().back()[1], 0xA6);

    // The same ID again still tells the processor; nothing changes here.
    Cmd().Clear();
    ASSERT_TRUE(Conn().ChangeDeviceId(7));
    EXPECT_EQ(Cmd().Head().GetFrame()[2], 0x07);
    EXPECT_EQ(Conn().GetDeviceId(), 7);

    // Forbidden by the "Device ID" system lock.
    Cmd().Clear();
    m_locks.SetFlag(CLockState::kSysDeviceId, true);
    EXPECT_FALSE(Conn().ChangeDeviceId(9));
    EXPECT_EQ(Cmd().Count(), 0);
    EXPECT_EQ(Conn().GetDeviceId(), 7);
}

TEST_F(ConnectionTest, ReconnectingReadsTheOtherProcessorAfresh)
{
    ConnectAs(6);
    AnswerStateRead();
    Cmd().Clear();
    int nStarted = 0;
    QObject::connect(&Conn(), &CConnection::stateReadStarted, [&] { ++nStarted; });

    ASSERT_TRUE(Conn().ReconnectTo(5));
    EXPECT_EQ(m_record.GetDeviceId(), 5);
    ASSERT_EQ(Cmd().Count(), 1);
    EXPECT_EQ(Cmd().Head().GetFrame(), m_record.BuildDeviceTypeFrame().GetFrame());
    EXPECT_EQ(Cmd().Head().GetFrame()[2], 5);
    Conn().PumpTick();
    Deliver(DeviceItem(3, {4}));
    EXPECT_EQ(nStarted, 1);
    EXPECT_EQ(Conn().GetChannelCounts(), (CConnection::ChannelCounts{3, 6}));
    EXPECT_EQ(Conn().GetState(), CConnection::EState::Reading);
}

// ---- device search ----------------------------------------------------------------

TEST_F(ConnectionTest, SearchCostsFiveTicksPerSilentIdAndOffersWhoAnswered)
{
    const std::vector<int> answering = {3, 17};
    QObject::connect(&Conn(), &CConnection::searchProbed, [&](int nId) {
        if (std::find(answering.begin(), answering.end(), nId) != answering.end())
            Deliver(DeviceItem(2, {static_cast<uint8_t>(nId)}));
    });
    int nEnded = 0;
    QObject::connect(&Conn(), &CConnection::searchEnded, [&] { ++nEnded; });

    ASSERT_TRUE(Conn().StartSearch("ttyFAKE"));
    int nTicks = 0;
    while (Conn().IsSearching() && nTicks < 2000)
    {
        Conn().SearchTick();
        ++nTicks;
    }
    EXPECT_EQ(nEnded, 1);
    // 248 silent IDs at five ticks (ID 250 ends the search on its fourth
    // wait), two answering ones at one.
    EXPECT_EQ(nTicks, 248 * 5 + 2);
    std::vector<int> offered;
    for (uint16_t nId : Conn().GetDeviceIdTable())
        if (nId != 0)
            offered.push_back(nId);
    EXPECT_EQ(offered, answering);
    EXPECT_FALSE(Cmd().IsOpen());
    EXPECT_EQ(Cmd().Count(), 0);

    // Every probe went to its own ID.
    const auto frames = m_pPort->Frames();
    ASSERT_EQ(frames.size(), 250u);
    for (size_t i = 0; i < frames.size(); ++i)
        EXPECT_EQ(frames[i], m_record.BuildDeviceIdProbeFrame(static_cast<int>(i) + 1).GetFrame());
}

TEST_F(ConnectionTest, AnswerFromId250EndsTheSearchAtOnce)
{
    QObject::connect(&Conn(), &CConnection::searchProbed, [&](int nId) {
        if (nId == 250)
            Deliver(DeviceItem(2, {250}));
    });
    ASSERT_TRUE(Conn().StartSearch("ttyFAKE"));
    int nTicks = 0;
    while (Conn().IsSearching() && nTicks < 2000)
    {
        Conn().SearchTick();
        ++nTicks;
    }
    EXPECT_EQ(nTicks, 249 * 5 + 1);
    EXPECT_EQ(Conn().GetDeviceIdTable()[249], 250);
    EXPECT_FALSE(Cmd().IsOpen());
}

TEST_F(ConnectionTest, NarrowedSearchProbesItsRangeAndEndsAfterItsLastId)
{
    // The last ID answering ends the search as soon as its answer is in;
    // a silent last ID once its probe is given up.
    for (const bool bLastAnswers : {true, false})
    {
        SCOPED_TRACE(bLastAnswers ? "last ID answers" : "last ID silent");
        m_pPort->m_writes.clear();
        QMetaObject::Connection answer = QObject::connect(&Conn(), &CConnection::searchProbed, [&](int nId) {
            if (nId == 5 || (bLastAnswers && nId == 8))
                Deliver(DeviceItem(2, {static_cast<uint8_t>(nId)}));
        });
        ASSERT_TRUE(Conn().StartSearch("ttyFAKE", 5, 8));
        int nTicks = 0;
        while (Conn().IsSearching() && nTicks < 100)
        {
            Conn().SearchTick();
            ++nTicks;
        }
        QObject::disconnect(answer);
        // 5 at one tick, 6 and 7 silent at five; 8 at one and the tick that
        // finds the queue empty, or at five when silent.
        EXPECT_EQ(nTicks, 1 + 2 * 5 + (bLastAnswers ? 2 : 5));
        std::vector<int> offered;
        for (uint16_t nId : Conn().GetDeviceIdTable())
            if (nId != 0)
                offered.push_back(nId);
        EXPECT_EQ(offered, (bLastAnswers ? std::vector<int>{5, 8} : std::vector<int>{5}));
        const auto frames = m_pPort->Frames();
        ASSERT_EQ(frames.size(), 4u);
        EXPECT_EQ(frames.front(), m_record.BuildDeviceIdProbeFrame(5).GetFrame());
        EXPECT_EQ(frames.back(), m_record.BuildDeviceIdProbeFrame(8).GetFrame());
        EXPECT_FALSE(Cmd().IsOpen());
    }
    EXPECT_FALSE(Conn().StartSearch("ttyFAKE", 9, 8));
    EXPECT_FALSE(Conn().StartSearch("ttyFAKE", 0, 8));
    EXPECT_FALSE(Conn().StartSearch("ttyFAKE", 1, 251));
}

TEST_F(ConnectionTest, StoppingASearchDropsTheProbesAndClosesThePort)
{
    ASSERT_TRUE(Conn().StartSearch("ttyFAKE"));
    for (int t = 0; t < 12; ++t)
        Conn().SearchTick();
    Conn().StopSearch();
    EXPECT_FALSE(Conn().IsSearching());
    EXPECT_FALSE(Cmd().IsOpen());
    EXPECT_EQ(Cmd().Count(), 0);
    // Nobody answered the probes that went out.
    EXPECT_EQ(Conn().GetDeviceIdTable()[0], 0);

    // And a connection made meanwhile is not disturbed by further ticks.
    ASSERT_TRUE(Conn().Connect("ttyFAKE", 1));
    Conn().SearchTick();
    EXPECT_EQ(m_pPort->Frames().back(), m_record.BuildDeviceTypeFrame().GetFrame());
}
