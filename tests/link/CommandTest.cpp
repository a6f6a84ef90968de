#include "link/Command.h"

#include "model/Audio_Data.h"
#include "tests/link/FakePort.h"
#include "wire/Frame.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace
{
using Bytes = std::vector<uint8_t>;

using FakeLine::Answer;
using FakeLine::Wire;

const Bytes kAck = Answer(0xA4, 0, 0, 0, Bytes(8, 0));
const Bytes kLevels = Answer(0xA6, 0, 0, 0, Bytes(12, 3));

class CommandTest : public ::testing::Test
{
protected:
    CommandTest()
    {
        auto pPort = std::make_unique<CFakePort>();
        m_pPort = pPort.get();
        m_pCommand = std::make_unique<CCommand>(std::move(pPort));
        EXPECT_TRUE(m_pCommand->Open("ttyFAKE"));
        m_record.SetDeviceId(1);
        m_record.ClearAllChanged(false);
        QObject::connect(m_pCommand.get(), &CCommand::disconnectRequested, [this] { ++m_nDisconnects; });
    }

    void Deliver(const Bytes& chunk) { m_pPort->Deliver(chunk); }
    void Tick() { m_pCommand->PumpTick(m_record); }
    size_t FramesWritten() const { return m_pPort->Frames().size(); }

    CFakePort* m_pPort = nullptr;
    std::unique_ptr<CCommand> m_pCommand;
    CAudio_Data m_record;
    int m_nDisconnects = 0;
};
}

// ---- receiving -----------------------------------------------------------------

TEST_F(CommandTest, AnswerRemovesTheHeadAndDamagedOnesKeepIt)
{
    m_pCommand->Enqueue(m_record.BuildDeviceTypeFrame());
    m_pCommand->Enqueue(m_record.BuildVersionFrame());

    Bytes badCheck = Wire(kAck);
    badCheck[badCheck.size() - 2] ^= 0x40;
    Bytes badEnd = Wire(kAck);
    badEnd.back() = 0x00;
    Deliver(badCheck);
    Deliver(badEnd);
    EXPECT_EQ(m_pCommand->Count(), 2);

    Deliver(Wire(kAck));
    EXPECT_EQ(m_pCommand->Count(), 1);
    EXPECT_EQ(m_pCommand->Head().GetFrame(), m_record.BuildVersionFrame().GetFrame());
}

TEST_F(CommandTest, AnswerSplitOverReadsIsAssembled)
{
    m_pCommand->Enqueue(m_record.BuildPollFrame());
    const Bytes wire = Wire(kLevels);
    Deliver(Bytes(wire.begin(), wire.begin() + 4));
    Deliver(Bytes(wire.begin() + 4, wire.begin() + 10));
    EXPECT_EQ(m_pCommand->Count(), 1);
    Deliver(Bytes(wire.begin() + 10, wire.end()));
    EXPECT_EQ(m_pCommand->Count(), 0);
    EXPECT_EQ(m_pCommand->Level(0), 3);
}

TEST_F(CommandTest, SecondFrameInOneReadIsLostAndAnEmptyQueueLosesNothing)
{
    m_pCommand->Enqueue(m_record.BuildPollFrame());
    m_pCommand->Enqueue(m_record.BuildPollFrame());
    Bytes two = Wire(kAck);
    const Bytes second = Wire(kAck);
    two.insert(two.end(), second.begin(), second.end());
    Deliver(two);
    EXPECT_EQ(m_pCommand->Count(), 1);

    m_pCommand->Clear();
    Deliver(Wire(kAck));
    EXPECT_EQ(m_pCommand->Count(), 0);
}

TEST_F(CommandTest, OversizeLengthResetsAndTheNextAnswerIsTaken)
{
    m_pCommand->Enqueue(m_record.BuildPollFrame());
    Deliver({0x5A, 0x5A, 0x5A, 0xA2, 0x01, 0x00, 0x01, 0x01, 0x00, 0xFF, 0xFF, 0x00, 0x00});
    EXPECT_EQ(m_pCommand->Count(), 1);
    Deliver(Wire(kLevels));
    EXPECT_EQ(m_pCommand->Count(), 0);
}

TEST_F(CommandTest, OwnerIsToldWhatArrived)
{
    std::vector<std::string> told;
    CCommand& cmd = *m_pCommand;
    QObject::connect(&cmd, &CCommand::liveProgramRead, [&] { told.push_back("live"); });
    QObject::connect(&cmd, &CCommand::programReceived, [&](int n) { told.push_back("program " + std::to_string(n)); });
    QObject::connect(&cmd, &CCommand::systemInfoReceived, [&] { told.push_back("info"); });
    QObject::connect(&cmd, &CCommand::levelsReceived, [&] { told.push_back("levels"); });
    QObject::connect(&cmd, &CCommand::searchComplete, [&] { told.push_back("search"); });
    QObject::connect(&cmd, &CCommand::versionMismatch, [&](int n) { told.push_back("version " + std::to_string(n)); });
    QObject::connect(&cmd, &CCommand::deviceTypeReceived, [&](int n) { told.push_back("type " + std::to_string(n)); });
    QObject::connect(&cmd, &CCommand::lockSetReceived, [&](int n) { told.push_back("locks " + std::to_string(n)); });

    struct Case
    {
        Bytes frame;
        bool bSearching;
        std::vector<std::string> told;
        int nLeft;    // requests left of the two queued
    };
    const std::vector<Case> cases = {
        {kLevels, false, {"levels"}, 1},
        {Answer(0xA2, 0, 1, 12, Bytes(152, 7)), false, {"live"}, 1},
        {Answer(0xA2, 0, 1, 11, Bytes(152, 7)), false, {}, 1},
        {Answer(0xAE, 9, 0, 1, Bytes(1472, 7)), false, {"program 9"}, 1},
        {Answer(0xAD, 0, 0, 1, Bytes(255, ' ')), false, {"info"}, 1},
        {Answer(0xA8, 0, 3, 0, {4, 0, 0, 0, 0, 0, 0, 0}), false, {"type 4"}, 1},
        {Answer(0xA8, 0, 7, 0, {'C', '-', 'D', 'V', '2', '.', '0', '0'}), false, {"version 2"}, 2},
        {Answer(0xA8, 0, 2, 0, {250, 0, 0, 0, 0, 0, 0, 0}), true, {"search"}, 1},
        {Answer(0xA8, 0, 2, 0, {250, 0, 0, 0, 0, 0, 0, 0}), false, {}, 1},
        {Answer(0xA9, 31, 1, 0, Bytes(12, 0)), false, {"locks 31"}, 1},
        {Answer(0xA3, 0, 1, 1, Bytes(64, 0)), false, {}, 2},
    };
    for (const Case& c : cases)
    {
        told.clear();
        cmd.Clear();
        cmd.Enqueue(m_record.BuildPollFrame());
        cmd.Enqueue(m_record.BuildPollFrame());
        cmd.SetSearching(c.bSearching);
        Deliver(Wire(c.frame));
        EXPECT_EQ(told, c.told) << "type " << int(c.frame[1]) << " item " << int(c.frame[4]);
        EXPECT_EQ(cmd.Count(), c.nLeft) << "type " << int(c.frame[1]);
    }
}

TEST_F(CommandTest, LineFaultReachesTheOwnerAndDropsPartialInput)
{
    int nFault = 0;
    QObject::connect(m_pCommand.get(), &CCommand::lineFault, [&](int n) { nFault = n; });
    m_pCommand->Enqueue(m_record.BuildPollFrame());
    const Bytes wire = Wire(kLevels);
    Deliver(Bytes(wire.begin(), wire.begin() + 12));
    m_pPort->Fault(1617);
    EXPECT_EQ(nFault, 1617);
    EXPECT_FALSE(m_pCommand->IsOpen());
    // The rest of the old answer no longer completes a frame.
    Deliver(Bytes(wire.begin() + 12, wire.end()));
    EXPECT_EQ(m_pCommand->Count(), 1);
}

TEST_F(CommandTest, OpenFailsOnAPortThatDoesNotExist)
{
    EXPECT_FALSE(m_pCommand->Open("NULL"));
    EXPECT_FALSE(m_pCommand->IsOpen());
}

// ---- pacing --------------------------------------------------------------------

TEST_F(CommandTest, IdleProcessorIsPolledOncePerAnsweredRequest)
{
    for (int t = 0; t < 10; ++t)
    {
        Tick();
        EXPECT_EQ(FramesWritten(), static_cast<size_t>(t + 1));
        Deliver(Wire(kLevels));
    }
    for (const Bytes& frame : m_pPort->Frames())
        EXPECT_EQ(frame, m_record.BuildPollFrame().GetFrame());

    // Unanswered, the request stays alone in the queue and nothing more is
    // sent: no second level request waits behind it.
    for (int t = 0; t < 10; ++t)
        Tick();
    EXPECT_EQ(FramesWritten(), 11u);
    EXPECT_EQ(m_pCommand->Count(), 1);
}

// A program stopped between two writes would leave a lone preamble on the
// line, which the processor takes as the start of the next frame.
TEST_F(CommandTest, EveryFrameLeavesInOneWriteBehindItsPreamble)
{
    // The device-type request of ID 1, as it goes on the line.
    m_pCommand->Enqueue(m_record.BuildDeviceTypeFrame());
    Tick();
    ASSERT_EQ(m_pPort->m_writes.size(), 1u);
    EXPECT_EQ(m_pPort->m_writes[0], (Bytes{0x5A, 0x5A, 0x5A, 0xA8, 0x01, 0x00, 0x03, 0x00, 0x01, 0x08, 0x00, 0x00,
                                           0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xA3, 0xAA}));

    // Unanswered, it is repeated the same way.
    while (m_pCommand->Head().m_nWaitTicks < CCommand::kFirstRepeatTicks)
        Tick();
    ASSERT_EQ(m_pPort->m_writes.size(), 2u);
    EXPECT_EQ(m_pPort->m_writes[1], m_pPort->m_writes[0]);

    // The largest frame, a whole program image, and the level poll after it.
    m_pCommand->Clear();
    const Bytes image = m_record.BuildProgramStoreFrame(4).GetFrame();
    m_pCommand->Enqueue(CSendData(image));
    Tick();
    Deliver(Wire(kAck));
    Tick();
    ASSERT_EQ(m_pPort->m_writes.size(), 4u);
    EXPECT_EQ(m_pPort->m_writes[2], Wire(image));
    EXPECT_EQ(m_pPort->m_writes[3], Wire(m_record.BuildPollFrame().GetFrame()));
}

TEST_F(CommandTest, HeadLeavesOnceAndThenOnlyCountsItsWait)
{
    EXPECT_FALSE(m_pCommand->SendHeadOnce());
    EXPECT_EQ(m_pCommand->WaitHead(), 0);
    m_pCommand->Enqueue(m_record.BuildDeviceTypeFrame());
    EXPECT_TRUE(m_pCommand->SendHeadOnce());
    EXPECT_FALSE(m_pCommand->SendHeadOnce());
    EXPECT_EQ(FramesWritten(), 1u);
    EXPECT_EQ(m_pCommand->WaitHead(), 1);
    EXPECT_EQ(m_pCommand->WaitHead(), 2);
    // The pump goes on counting from there instead of sending it again.
    Tick();
    EXPECT_EQ(FramesWritten(), 1u);
    EXPECT_EQ(m_pCommand->Head().m_nWaitTicks, 3);
}

TEST_F(CommandTest, SilentProcessorSeesTheHeadThreeTimesThenTheLinkGivesUp)
{
    std::vector<int> sentAt;
    std::vector<int> purgedAt;
    int nPurges = m_pPort->m_nPurges;
    for (int t = 0; t <= 250; ++t)
    {
        const size_t nBefore = FramesWritten();
        Tick();
        if (FramesWritten() != nBefore)
            sentAt.push_back(t);
        if (m_pPort->m_nPurges != nPurges)
            purgedAt.push_back(t);
        nPurges = m_pPort->m_nPurges;
        if (t == 199)
        {
            EXPECT_EQ(m_nDisconnects, 0);
        }
    }
    EXPECT_EQ(sentAt, (std::vector<int>{0, 50, 100}));
    EXPECT_EQ(purgedAt, (std::vector<int>{50, 100}));
    EXPECT_EQ(m_nDisconnects, 1);
    for (const Bytes& frame : m_pPort->Frames())
        EXPECT_EQ(frame, m_pPort->Frames().front());
}

TEST_F(CommandTest, AnswerBetweenTicksFreesTheHeadAtOnce)
{
    Tick();
    for (int t = 1; t < 60; ++t)
        Tick();    // repeated at 50
    EXPECT_EQ(FramesWritten(), 2u);
    Deliver(Wire(kLevels));
    EXPECT_EQ(m_pCommand->Count(), 0);
    Tick();
    EXPECT_EQ(FramesWritten(), 3u);
    // The new head waits afresh: no repeat at the old head's schedule.
    for (int t = 0; t < 49; ++t)
        Tick();
    EXPECT_EQ(FramesWritten(), 3u);
    Tick();
    EXPECT_EQ(FramesWritten(), 4u);
    EXPECT_EQ(m_nDisconnects, 0);
}

TEST_F(CommandTest, RepeatDiscardsAPartlyReceivedAnswer)
{
    Tick();
    const Bytes wire = Wire(kLevels);
    Deliver(Bytes(wire.begin(), wire.begin() + 15));
    for (int t = 1; t <= 50; ++t)
        Tick();
    Deliver(Bytes(wire.begin() + 15, wire.end()));
    EXPECT_EQ(m_pCommand->Count(), 1);
    Deliver(wire);
    EXPECT_EQ(m_pCommand->Count(), 0);
}

// An edit on an idle line waits at most for the level request in flight: it
// leaves on the first tick after that answer, however long the answer took,
// and the next level request only after it.
TEST_F(CommandTest, EditOnAnIdleLineLeavesAtTheFirstTickAfterThePollInFlight)
{
    struct Case
    {
        const char* when;
        int nIdleTicks;         // ticks the poll waits before the edit
        int nPendingTicks;      // ticks it waits after the edit
        bool bEditAfterAnswer;
    };
    const Case cases[] = {
        {"edit just after the poll left", 0, 0, false},
        {"edit late in a slow answer", 5, 0, false},
        {"edit early in a slow answer", 0, 5, false},
        {"edit between the answer and the next tick", 3, 0, true},
    };
    int nGain = 100;
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.when);
        m_pCommand->Clear();
        m_pPort->m_writes.clear();
        Tick();
        ASSERT_EQ(FramesWritten(), 1u);
        for (int t = 0; t < c.nIdleTicks; ++t)
            Tick();
        if (!c.bEditAfterAnswer)
            m_record.Output(2).SetGain(++nGain);
        for (int t = 0; t < c.nPendingTicks; ++t)
            Tick();
        EXPECT_EQ(FramesWritten(), 1u);
        Deliver(Wire(kLevels));
        if (c.bEditAfterAnswer)
            m_record.Output(2).SetGain(++nGain);
        Tick();
        ASSERT_EQ(FramesWritten(), 2u);
        EXPECT_EQ(m_pPort->Frames()[1], m_record.BuildOutputParamFrame(2).GetFrame());
        Deliver(Wire(kAck));
        Tick();
        ASSERT_EQ(FramesWritten(), 3u);
        EXPECT_EQ(m_pPort->Frames()[2], m_record.BuildPollFrame().GetFrame());
        Deliver(Wire(kLevels));
    }
}

TEST_F(CommandTest, DraggedGainSendsTheLatestValueNeverABacklog)
{
    CAudio_OutData& out3 = m_record.Output(2);
    int nAnswered = 0;
    for (int step = 100; step < 160; ++step)
    {
        out3.SetGain(step);
        Tick();
        if (step % 3 == 0)
        {
            Deliver(Wire(kAck));
            ++nAnswered;
        }
    }
    EXPECT_LE(m_pCommand->Count(), 2);
    EXPECT_LE(static_cast<int>(FramesWritten()), nAnswered + 1);
    // Let it settle: the last parameter frame carries the last gain.
    for (int t = 0; t < 6; ++t)
    {
        Tick();
        Deliver(Wire(kAck));
    }
    Bytes lastParam;
    for (const Bytes& frame : m_pPort->Frames())
        if (frame[1] == 0xA1)
            lastParam = frame;
    ASSERT_FALSE(lastParam.empty());
    EXPECT_EQ(lastParam[5], 7);    // output 3
    EXPECT_EQ(lastParam[6], 1);    // parameter sub-block
    EXPECT_EQ(lastParam[13] | (lastParam[14] << 8), 159 + 301);
}

TEST_F(CommandTest, SendingMarkedFramesMovesTheProgressAndEndsTheTransfer)
{
    std::vector<int> positions;
    int nEnded = 0;
    QObject::connect(m_pCommand.get(), &CCommand::progressAdvanced, [&](int n) { positions.push_back(n); });
    QObject::connect(m_pCommand.get(), &CCommand::transferEnded, [&] { ++nEnded; });
    for (int block = 1; block <= 3; ++block)
    {
        CSendData entry = m_record.BuildBlockReadFrame(0, block);
        entry.m_bProgress = true;
        entry.m_nProgressPos = 10 + block;
        entry.m_bLastOfTransfer = block == 3;
        m_pCommand->Enqueue(std::move(entry));
    }
    m_pCommand->SetTransferInProgress(true);
    for (int block = 1; block <= 3; ++block)
    {
        Tick();
        EXPECT_EQ(m_pCommand->IsTransferInProgress(), block < 3);
        Deliver(Wire(Answer(0xA2, 0, 1, block, Bytes(64, 0))));
    }
    EXPECT_EQ(positions, (std::vector<int>{11, 12, 13}));
    EXPECT_EQ(nEnded, 1);
}

// A transfer keeps its one frame per answered tick; an edit made meanwhile
// follows its last frame, and the level requests resume after both.
TEST_F(CommandTest, TransferIsPacedFrameByFrameAndTheMetersWaitForItsEnd)
{
    for (int block = 1; block <= 4; ++block)
        m_pCommand->Enqueue(m_record.BuildBlockReadFrame(0, block));
    m_record.Output(2).SetGain(120);
    for (int t = 0; t < 6; ++t)
    {
        Tick();
        Tick();    // nothing further leaves before the answer
        EXPECT_EQ(FramesWritten(), static_cast<size_t>(t + 1));
        Deliver(Wire(t < 4 ? Answer(0xA2, 0, 1, t + 1, Bytes(64, 0)) : kAck));
    }
    std::vector<Bytes> expected;
    for (int block = 1; block <= 4; ++block)
        expected.push_back(m_record.BuildBlockReadFrame(0, block).GetFrame());
    expected.push_back(m_record.BuildOutputParamFrame(2).GetFrame());
    expected.push_back(m_record.BuildPollFrame().GetFrame());
    EXPECT_EQ(m_pPort->Frames(), expected);
}
