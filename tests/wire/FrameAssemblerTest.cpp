#include "wire/FrameAssembler.h"
#include "wire/Frame.h"

#include <gtest/gtest.h>

#include <vector>

namespace
{
using Bytes = std::vector<uint8_t>;
using EResult = CFrameAssembler::EResult;

Bytes Cat(const Bytes& a, const Bytes& b)
{
    Bytes out = a;
    out.insert(out.end(), b.begin(), b.end());
    return out;
}

// A level answer: no 0x5A after its start byte, so stray marks stay visible.
Bytes LevelFrame()
{
    return Frame::Build({0xA6, 0x01, 0, 0, 0, 0}, Bytes{0x11, 0x22, 0x33, 0x44, 0x55, 0x66, 0x77, 0x08, 0x09, 0x0A,
                                                         0x0B, 0x0C});
}

const Bytes kPreamble = {0x5A, 0x5A};
}

TEST(FrameAssembler, MarksMayBeSeparatedButTheStartByteMustFollowAtOnce)
{
    CFrameAssembler assembler;
    // 00 FF skipped, 5A first mark, 12 skipped, 5A second mark, the frame's
    // own 5A is its start byte.
    const Bytes bytes = Cat({0x00, 0xFF, 0x5A, 0x12, 0x5A}, LevelFrame());
    const auto outcome = assembler.Feed(bytes);
    ASSERT_EQ(outcome.eResult, EResult::kFrame);
    EXPECT_EQ(outcome.nConsumed, bytes.size());
    EXPECT_EQ(assembler.GetFrame(), LevelFrame());
}

TEST(FrameAssembler, AnyOtherByteAfterBothMarksStartsTheHuntAgain)
{
    CFrameAssembler assembler;
    // 5A 5A 00 clears both marks; the frame's start byte is then only a
    // first mark and the frame goes by unrecognised.
    EXPECT_EQ(assembler.Feed(Cat({0x5A, 0x5A, 0x00}, LevelFrame())).eResult, EResult::kNeedMore);
    EXPECT_FALSE(assembler.IsSynced());
    assembler.Reset();
    const auto outcome = assembler.Feed(Cat(kPreamble, LevelFrame()));
    ASSERT_EQ(outcome.eResult, EResult::kFrame);
    EXPECT_EQ(assembler.GetFrame(), LevelFrame());
}

TEST(FrameAssembler, FrameSplitOverSeveralReadsIsAssembled)
{
    const Bytes wire = Cat(kPreamble, LevelFrame());
    // Cut points: inside the preamble, right after the start byte, inside the
    // header (length bytes apart), between header and payload, before the end.
    const std::vector<std::vector<size_t>> cases = {
        {1}, {3}, {9, 10}, {11}, {5, 9, 15, 24}, {wire.size() - 1}};
    for (const auto& cuts : cases)
    {
        testing::Message cutNames;
        for (size_t cut : cuts)
            cutNames << " " << cut;
        SCOPED_TRACE(testing::Message() << "cuts at" << cutNames);
        CFrameAssembler assembler;
        size_t from = 0;
        for (size_t cut : cuts)
        {
            EXPECT_EQ(assembler.Feed(std::span(wire).subspan(from, cut - from)).eResult, EResult::kNeedMore);
            from = cut;
        }
        EXPECT_EQ(assembler.Feed(std::span(wire).subspan(from)).eResult, EResult::kFrame) << "first cut " << cuts[0];
        EXPECT_EQ(assembler.GetFrame(), LevelFrame());
    }

    CFrameAssembler byteWise;
    int nFrames = 0;
    for (uint8_t by : wire)
        nFrames += byteWise.Feed(std::span(&by, 1)).eResult == EResult::kFrame;
    EXPECT_EQ(nFrames, 1);
}

TEST(FrameAssembler, DamagedFramesAreDroppedAndTheHuntStartsAgain)
{
    Bytes badCheck = LevelFrame();
    badCheck[badCheck.size() - 2] ^= 0x01;
    Bytes badEnd = LevelFrame();
    badEnd.back() = 0xAB;
    for (const Bytes& bad : {badCheck, badEnd})
    {
        CFrameAssembler assembler;
        const auto outcome = assembler.Feed(Cat(kPreamble, bad));
        EXPECT_EQ(outcome.eResult, EResult::kDropped);
        EXPECT_EQ(outcome.nConsumed, bad.size() + 2);
        EXPECT_FALSE(assembler.IsSynced());
        EXPECT_EQ(assembler.Feed(Cat(kPreamble, LevelFrame())).eResult, EResult::kFrame);
    }
}

TEST(FrameAssembler, LengthBeyondTheBufferIsDroppedOnceTheLengthIsIn)
{
    // Payload length 1990 makes a 2001-byte frame: one too many.
    const Bytes header = {0x5A, 0x5A, 0x5A, 0xA2, 0x01, 0x00, 0x01, 0x01, 0x00, 0xC6, 0x07};
    CFrameAssembler assembler;
    EXPECT_EQ(assembler.Feed(header).eResult, EResult::kNeedMore);
    const Bytes more(3000, 0x00);
    const auto outcome = assembler.Feed(more);
    EXPECT_EQ(outcome.eResult, EResult::kDropped);
    EXPECT_EQ(outcome.nConsumed, 1u);
    EXPECT_FALSE(assembler.IsSynced());
}

TEST(FrameAssembler, FrameFillingTheWholeBufferIsAccepted)
{
    const Bytes payload(CFrameAssembler::kBufferBytes - Frame::kOverhead, 0x33);
    const Bytes frame = Frame::Build({0xA4, 1, 0, 0, 0, 0}, payload);
    ASSERT_EQ(frame.size(), 2000u);
    CFrameAssembler assembler;
    ASSERT_EQ(assembler.Feed(Cat(kPreamble, frame)).eResult, EResult::kFrame);
    EXPECT_EQ(assembler.GetFrame(), frame);
}

TEST(FrameAssembler, ConsumesOnlyUpToTheEndOfTheFrame)
{
    CFrameAssembler assembler;
    const Bytes wire = Cat(Cat(kPreamble, LevelFrame()), Cat(kPreamble, LevelFrame()));
    const auto first = assembler.Feed(wire);
    ASSERT_EQ(first.eResult, EResult::kFrame);
    EXPECT_EQ(first.nConsumed, wire.size() / 2);
    EXPECT_EQ(assembler.Feed(std::span(wire).subspan(first.nConsumed)).eResult, EResult::kFrame);
}
