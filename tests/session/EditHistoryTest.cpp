// Undo, redo and A/B compare against a processor stand-in that applies
// every frame the link sends to its own copy of the device image: after any
// sequence of undos the stand-in must hold what the record holds, and each
// undo must send the sub-blocks that differ and nothing else.

#include "session/ProcessorLink.h"

#include "model/FactoryImage.h"
#include "tests/link/FakeProcessor.h"
#include "model/ParamCatalogue.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <set>
#include <utility>
#include <vector>

namespace
{
using Bytes = std::vector<uint8_t>;
// (channel code, sub-block code) of a parameter-change frame.
using SubBlock = std::pair<int, int>;
using SubBlocks = std::set<SubBlock>;

constexpr int kBandCodeBase = 2;

int SubBlockOffset(int nChannelCode, int nCode)
{
    return nChannelCode < Frame::kFirstOutputCode ? CAudio_InData::SubBlockOffset(nCode)
                                                  : CAudio_OutData::SubBlockOffset(nCode);
}

std::vector<int> SubBlockCodes(int nChannelCode)
{
    std::vector<int> codes;
    const int nLast = nChannelCode < Frame::kFirstOutputCode ? 7 : CAudio_OutData::kXoverCode;
    for (int code = 0; code <= nLast; ++code)
        codes.push_back(code);
    return codes;
}

// The sub-blocks in which two device images differ.
SubBlocks Differing(const CImageSlot& a, const CImageSlot& b)
{
    SubBlocks diff;
    for (int c = Frame::kFirstInputCode; c <= Frame::kLastBlockCode; ++c)
        for (int code : SubBlockCodes(c))
        {
            const auto pa = a.Block(c).subspan(static_cast<size_t>(SubBlockOffset(c, code)), Frame::kSubBlockBytes);
            const auto pb = b.Block(c).subspan(static_cast<size_t>(SubBlockOffset(c, code)), Frame::kSubBlockBytes);
            if (!std::equal(pa.begin(), pa.end(), pb.begin()))
                diff.insert({c, code});
        }
    return diff;
}

class EditHistoryTest : public ::testing::Test
{
protected:
    EditHistoryTest()
    {
        auto pPort = std::make_unique<CFakePort>();
        m_pPort = pPort.get();
        m_pLink = std::make_unique<CProcessorLink>(std::move(pPort));
        // The program a connection reads: the factory image, nothing pending.
        CImageSlot factory;
        std::copy(FactoryDefaultImage().begin(), FactoryDefaultImage().end(), factory.abyImage.begin());
        Record().LoadFromImage(factory);
        Record().ClearAllChanged(false);
        // The factory image writes bandwidth 30 into the shelves where the
        // record writes the slope: the stand-in starts with the record's bytes.
        m_start = RecordImage();
        m_mirror = m_start;
        // Connected, so the bursts of link copies and graphic Q are queued.
        EXPECT_TRUE(Link().Connection().Connect("ttyFAKE", 1));
        Link().Command().Clear();
        History().Clear();
    }

    CProcessorLink& Link() { return *m_pLink; }
    CAudio_Data& Record() { return m_pLink->Record(); }
    CEditHistory& History() { return m_pLink->History(); }
    CABCompare& Compare() { return m_pLink->Compare(); }

    bool Edit(EParam param, ParamAt at, int step)
    {
        return Link().Notice().Apply(ParamCatalogue::ChannelCode(param, at), param,
                                     [&] { return ParamCatalogue::Set(param, Record(), at, step); });
    }

    // Plays the processor: takes every queued frame and every frame the
    // pump has pending, and writes each into the stand-in's image. Answers
    // the sub-blocks the frames carried.
    SubBlocks Send()
    {
        SubBlocks sent;
        std::vector<Bytes> frames;
        const CSendDataQueue& queue = Link().Command().Queue();
        for (int i = 0; i < queue.Count(); ++i)
            frames.push_back(queue.At(i).GetFrame());
        Link().Command().Clear();
        for (;;)
        {
            Bytes frame = Record().BuildNextPendingFrame().GetFrame();
            if (frame[Frame::kOffType] == Frame::kLevels)
                break;
            frames.push_back(std::move(frame));
        }
        for (const Bytes& frame : frames)
        {
            const int nCode = frame[Frame::kOffBlock];
            const auto payload = std::span(frame).subspan(Frame::kOffPayload, static_cast<size_t>(Frame::PayloadLength(frame)));
            auto block = m_mirror.Block(nCode);
            if (frame[Frame::kOffType] == Frame::kBlockWrite)
            {
                std::copy(payload.begin(), payload.end(), block.begin());
                for (int code : SubBlockCodes(nCode))
                    sent.insert({nCode, code});
                continue;
            }
            EXPECT_EQ(frame[Frame::kOffType], Frame::kParamChange);
            const int nSub = frame[Frame::kOffSelector];
            std::copy(payload.begin(), payload.end(), block.begin() + SubBlockOffset(nCode, nSub));
            sent.insert({nCode, nSub});
        }
        return sent;
    }

    // The record's blocks as the processor would hold them after a store.
    CImageSlot RecordImage()
    {
        CImageSlot slot;
        for (int i = 0; i < Frame::kInputCount; ++i)
        {
            const auto block = Record().Input(i).BuildBlock();
            std::copy(block.begin(), block.end(), slot.Block(Record().Input(i).GetChannel()).begin());
        }
        for (int i = 0; i < Frame::kOutputCount; ++i)
        {
            const auto block = Record().Output(i).BuildBlock();
            std::copy(block.begin(), block.end(), slot.Block(Record().Output(i).GetChannel()).begin());
        }
        return slot;
    }

    // One undo or redo, checked: the frames sent are exactly the sub-blocks
    // that change on the processor, and afterwards it holds the record.
    void Replay(bool bUndo)
    {
        const CImageSlot before = m_mirror;
        ASSERT_TRUE(bUndo ? History().Undo() : History().Redo());
        const SubBlocks sent = Send();
        EXPECT_EQ(sent, Differing(before, m_mirror));
        EXPECT_EQ(Differing(m_mirror, RecordImage()), SubBlocks{});
    }

    // A sequence of edits of every kind; answers how many steps it made.
    size_t EditEverything()
    {
        const auto step = [this] { Send(); };
        Edit(EParam::kInGain, {1, 0}, 250);
        step();
        Edit(EParam::kInBandGain, {0, 2}, 430);
        Edit(EParam::kInBandFreq, {0, 2}, 500);
        step();
        Link().Notice().Apply(ParamCatalogue::ChannelCode(EParam::kOutName, {1, 0}), EParam::kOutName,
                              [&] { return ParamCatalogue::SetText(EParam::kOutName, Record(), {1, 0}, "KICK"); });
        Edit(EParam::kLimitThreshold, {2, 0}, 500);
        Edit(EParam::kHighPassFreq, {0, 0}, 80);
        Edit(EParam::kOutGain, {5, 0}, 280);
        step();
        // A drag: many notices, one step.
        History().BeginGroup();
        for (int gain = 401; gain <= 420; ++gain)
            Edit(EParam::kOutBandGain, {3, 4}, gain);
        History().EndGroup();
        step();
        // Output 6 joins output 5's group and takes its settings.
        History().BeginGroup();
        Link().SetLinkGroup(ChannelAddress::Output(5), 4);
        Link().Notice().NotifyValueChanged(ParamCatalogue::ChannelCode(EParam::kOutLink, {5, 0}),
                                           EParam::kOutLink);
        History().EndGroup();
        step();
        Edit(EParam::kOutEqMode, {6, 0}, 1);
        step();
        History().BeginGroup();
        Link().ApplyGraphicQ(6, 60);
        Link().Notice().NotifyValueChanged(ParamCatalogue::ChannelCode(EParam::kOutBandWidth, {6, 0}),
                                           EParam::kOutBandWidth);
        History().EndGroup();
        step();
        return 11;
    }

    CFakePort* m_pPort = nullptr;
    std::unique_ptr<CProcessorLink> m_pLink;
    CImageSlot m_start;
    CImageSlot m_mirror;
};
}

TEST_F(EditHistoryTest, UndoingEverythingReturnsTheProcessorToItsStartSendingOnlyWhatDiffers)
{
    const CEditState start = CEditState::Capture(Record());
    const size_t nSteps = EditEverything();
    const CEditState end = CEditState::Capture(Record());
    const CImageSlot endImage = m_mirror;
    ASSERT_EQ(History().UndoCount(), nSteps);
    ASSERT_NE(Differing(m_start, m_mirror), SubBlocks{});

    while (History().CanUndo())
        Replay(true);
    EXPECT_TRUE(CEditState::Capture(Record()) == start);
    EXPECT_EQ(m_mirror.abyImage, m_start.abyImage);
    EXPECT_EQ(History().RedoCount(), nSteps);

    while (History().CanRedo())
        Replay(false);
    EXPECT_TRUE(CEditState::Capture(Record()) == end);
    EXPECT_EQ(m_mirror.abyImage, endImage.abyImage);
    EXPECT_FALSE(History().Redo());
}

TEST_F(EditHistoryTest, OneBandEditUndoesWithOneBandFrame)
{
    Edit(EParam::kOutBandGain, {2, 6}, 450);
    Send();
    ASSERT_TRUE(History().Undo());
    EXPECT_EQ(Send(), (SubBlocks{{Frame::kFirstOutputCode + 2, kBandCodeBase + 6}}));
    EXPECT_EQ(Record().Output(2).GetBand(6).GetGainStep(), 400);
}

TEST_F(EditHistoryTest, UnchangedValuesAndTheGeneratorMakeNoStep)
{
    EXPECT_FALSE(Edit(EParam::kInGain, {0, 0}, Record().Input(0).GetGain()));
    Link().Notice().NotifyValueChanged(1, EParam::kInGain);
    Edit(EParam::kGenLevel, {}, 500);
    EXPECT_FALSE(History().CanUndo());
}

TEST_F(EditHistoryTest, GroupsNestAndAStrayEndChangesNothing)
{
    History().EndGroup();
    History().BeginGroup();
    Edit(EParam::kInGain, {0, 0}, 310);
    History().BeginGroup();
    Edit(EParam::kInDelay, {0, 0}, 10);
    History().EndGroup();
    EXPECT_FALSE(History().CanUndo());
    EXPECT_FALSE(History().Undo());
    History().EndGroup();
    EXPECT_EQ(History().UndoCount(), 1U);
    Edit(EParam::kInGain, {0, 0}, 320);
    EXPECT_EQ(History().UndoCount(), 2U);
    ASSERT_TRUE(History().Undo());
    ASSERT_TRUE(History().Undo());
    EXPECT_EQ(Record().Input(0).GetGain(), 300);
    EXPECT_EQ(Record().Input(0).GetDelay(), 0);
}

TEST_F(EditHistoryTest, ANewEditAfterUndoEndsTheRedo)
{
    Edit(EParam::kInGain, {0, 0}, 310);
    Edit(EParam::kInGain, {0, 0}, 320);
    ASSERT_TRUE(History().Undo());
    EXPECT_TRUE(History().CanRedo());
    Edit(EParam::kInDelay, {0, 0}, 5);
    EXPECT_FALSE(History().CanRedo());
    ASSERT_TRUE(History().Undo());
    ASSERT_TRUE(History().Undo());
    EXPECT_EQ(Record().Input(0).GetGain(), 300);
    EXPECT_EQ(Record().Input(0).GetDelay(), 0);
}

TEST_F(EditHistoryTest, ProgramLoadIsOneStepAndItsUndoSendsOnlyTheDifference)
{
    CImageSlot other = m_start;
    // A program that differs from the live one in input C's gain only.
    other.Block(3)[12] = 0x40;
    Record().LoadFromImage(other);
    Record().ClearAllChanged(false);
    Link().Notice().NotifyProgramLoaded();
    m_mirror = other;  // a recall sends the program whole
    ASSERT_EQ(History().UndoCount(), 1U);
    Replay(true);
    EXPECT_EQ(m_mirror.abyImage, m_start.abyImage);
}

TEST_F(EditHistoryTest, LockedLinkKeepsItsGroupsWhenAStepIsUndone)
{
    History().BeginGroup();
    Link().SetLinkGroup(ChannelAddress::Input(1), 0);
    Link().Notice().NotifyValueChanged(2, EParam::kInLink);
    History().EndGroup();
    Link().SetLinkGroup(ChannelAddress::Input(1), 1);
    Link().Locks().SetFlag(CLockState::kInLink, true);
    Link().ApplyLocksEverywhere(false);
    Edit(EParam::kInGain, {0, 0}, 330);
    while (History().CanUndo())
        History().Undo();
    for (int i = 0; i < Frame::kInputCount; ++i)
        EXPECT_EQ(Record().Inputs().GetLinkGroup(i), i);
}

// ---- A/B -----------------------------------------------------------------------

TEST_F(EditHistoryTest, SwitchingSidesSendsOnlyWhatDiffersAndLeavesTheProcessorOnTheSelectedSide)
{
    EXPECT_EQ(Compare().Active(), CABCompare::ESide::A);
    Edit(EParam::kOutGain, {0, 0}, 250);
    Send();
    const CImageSlot sideA = m_mirror;

    // B starts as a copy of A: nothing to send.
    Compare().Switch();
    EXPECT_EQ(Compare().Active(), CABCompare::ESide::B);
    EXPECT_EQ(Send(), SubBlocks{});
    EXPECT_FALSE(Compare().HasUnsentSide());

    Edit(EParam::kInBandGain, {3, 1}, 380);
    Edit(EParam::kLimitAttack, {7, 0}, 20);
    Send();
    const CImageSlot sideB = m_mirror;
    EXPECT_TRUE(Compare().HasUnsentSide());

    for (const CImageSlot* pSide : {&sideA, &sideB, &sideA})
    {
        Compare().Switch();
        EXPECT_EQ(Send(), (SubBlocks{{4, kBandCodeBase + 1}, {12, CAudio_OutData::kLimitCode}}));
        EXPECT_EQ(m_mirror.abyImage, pSide->abyImage);
        EXPECT_EQ(Differing(m_mirror, RecordImage()), SubBlocks{});
    }
    EXPECT_EQ(Compare().Active(), CABCompare::ESide::A);

    // A switch is one undo step, and undoing it switches back.
    Replay(true);
    EXPECT_EQ(Compare().Active(), CABCompare::ESide::B);
    EXPECT_EQ(m_mirror.abyImage, sideB.abyImage);
    Replay(false);
    EXPECT_EQ(Compare().Active(), CABCompare::ESide::A);
    Compare().Switch();
    Send();
    EXPECT_EQ(m_mirror.abyImage, sideB.abyImage);
}

TEST_F(EditHistoryTest, SidesAndStepsSurviveALanguageSwitchAndDisconnectClearsThem)
{
    Edit(EParam::kOutGain, {0, 0}, 250);
    Compare().Switch();
    Edit(EParam::kOutGain, {0, 0}, 200);
    Link().Notice().SetLanguage(kEnglish);
    EXPECT_EQ(Compare().Active(), CABCompare::ESide::B);
    EXPECT_TRUE(Compare().HasUnsentSide());
    EXPECT_EQ(History().UndoCount(), 2U);

    Link().Connection().Disconnect();
    EXPECT_FALSE(Compare().IsComparing());
    EXPECT_EQ(Compare().Active(), CABCompare::ESide::A);
    EXPECT_FALSE(History().CanUndo());
    // The factory program the disconnect loads is no step either.
    EXPECT_FALSE(History().CanRedo());
}

TEST_F(EditHistoryTest, TheProgramReadAtConnectingStartsTheHistory)
{
    Link().Connection().Disconnect();
    Edit(EParam::kOutGain, {0, 0}, 250);
    ASSERT_TRUE(History().CanUndo());
    ASSERT_TRUE(Link().Connection().Connect("ttyFAKE", 1));
    CFakePort& port = *m_pPort;
    port.Deliver(FakeLine::Wire(FakeLine::DeviceItem(3, {6})));
    std::vector<Bytes> lockSets = {Bytes(12, 0), Bytes(12, 0)};
    FakeLine::AnswerStateRead(port, Link().Command(), [this] { Link().Connection().PumpTick(); }, lockSets);
    ASSERT_EQ(Link().Connection().GetState(), CConnection::EState::Idle);
    EXPECT_FALSE(History().CanUndo());
    Edit(EParam::kOutGain, {0, 0}, 250);
    EXPECT_EQ(History().UndoCount(), 1U);
}
