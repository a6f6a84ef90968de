#include "model/Audio_Data.h"
#include "model/ParamCatalogue.h"
#include "wire/Frame.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace
{
// Header bytes 3..6 and the payload size, written compactly for comparison.
std::string Describe(const CSendData& entry)
{
    const auto& f = entry.GetFrame();
    char text[64];
    std::snprintf(text, sizeof text, "%02X %d/%d/%d/%d", f[1], f[3], f[4], f[5], f[6]);
    return text;
}

bool IsPoll(const CSendData& entry)
{
    return entry.GetFrame()[Frame::kOffType] == Frame::kLevels;
}

int Word(const CSendData& entry, int payloadOffset)
{
    const auto& f = entry.GetFrame();
    return f[9 + payloadOffset] | (f[10 + payloadOffset] << 8);
}

std::vector<std::string> DrainUntilPoll(CAudio_Data& data, int limit = 400)
{
    std::vector<std::string> frames;
    for (int i = 0; i < limit; ++i)
    {
        const CSendData entry = data.BuildNextPendingFrame();
        if (IsPoll(entry))
            break;
        frames.push_back(Describe(entry));
    }
    return frames;
}
}

TEST(FramePump, NewRecordSendsEveryNameBandAndCrossoverFirst)
{
    CAudio_Data data;
    const auto frames = DrainUntilPoll(data);
    // 4 inputs: name + 6 bands; 8 outputs: name + 15 bands + crossover
    // (the high-pass, then the low-pass) each.
    ASSERT_EQ(frames.size(), 4u * 7 + 8u * 18);
    EXPECT_EQ(frames[0], "A1 0/1/1/0");
    EXPECT_EQ(frames[1], "A1 0/1/1/2");
    EXPECT_EQ(frames[6], "A1 0/1/1/7");
    EXPECT_EQ(frames[7], "A1 0/1/2/0");
    EXPECT_EQ(frames[28], "A1 0/1/5/0");
    EXPECT_EQ(frames[29], "A1 0/1/5/2");
    EXPECT_EQ(frames[43], "A1 0/1/5/16");
    EXPECT_EQ(frames[44], "A1 0/1/5/18");
    EXPECT_EQ(frames[45], "A1 0/1/5/18");
    EXPECT_EQ(frames.back(), "A1 0/1/12/18");
    EXPECT_TRUE(IsPoll(data.BuildNextPendingFrame()));
}

TEST(FramePump, AfterClearingOnlyLevelRequestsUntilAnEdit)
{
    CAudio_Data data;
    data.ClearAllChanged(false);
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(IsPoll(data.BuildNextPendingFrame()));
    EXPECT_FALSE(data.BuildNextChangeFrame().has_value());

    data.Input(1).SetGain(310);
    const CSendData entry = data.BuildNextPendingFrame();
    EXPECT_EQ(Describe(entry), "A1 0/1/2/1");
    const std::vector<uint8_t> payload(entry.GetFrame().begin() + 9, entry.GetFrame().end() - 2);
    const auto block = data.Input(1).GetBlock();
    EXPECT_EQ(payload, std::vector<uint8_t>(block.begin() + 8, block.begin() + 16));
    EXPECT_EQ(Word(entry, 4), 611);
    EXPECT_TRUE(Frame::Verify(entry.GetFrame()));
    EXPECT_TRUE(IsPoll(data.BuildNextPendingFrame()));

    data.Input(1).SetGain(311);
    const std::optional<CSendData> change = data.BuildNextChangeFrame();
    ASSERT_TRUE(change.has_value());
    EXPECT_EQ(Word(*change, 4), 612);
    EXPECT_FALSE(data.BuildNextChangeFrame().has_value());
}

TEST(FramePump, GeneratorGoesFirstAndLinkedChannelsAreMarked)
{
    CAudio_Data data;
    data.ClearAllChanged(false);
    data.Outputs().SetLinkGroup(1, 0);
    ParamCatalogue::Set(EParam::kLimitRelease, data, {0, 0}, 800);
    data.Output(7).GetBand(3).SetGainStep(410);
    data.SetGenType(1);
    data.Input(0).SetName("Vox");
    EXPECT_EQ(DrainUntilPoll(data), (std::vector<std::string>{
                                        "A8 0/4/0/2",
                                        "A1 0/1/1/0",
                                        "A1 0/16/5/17",
                                        "A1 0/16/6/17",
                                        "A1 0/1/12/5",
                                    }));
}

TEST(FramePump, ClearingWithTheGeneratorFlagKeepsTheGeneratorDue)
{
    CAudio_Data data;
    data.ClearAllChanged(true);
    EXPECT_EQ(Describe(data.BuildNextPendingFrame()), "A8 0/4/0/2");
    EXPECT_TRUE(IsPoll(data.BuildNextPendingFrame()));
}

TEST(FramePump, CrossoverWalkKeepsLaterOutputsWaitingButNotEarlierChannels)
{
    CAudio_Data data;
    data.ClearAllChanged(false);
    data.Output(1).GetHighPass().SetFrequency(20000);
    data.Output(4).SetGain(100);

    std::vector<int> sent;
    const CSendData first = data.BuildNextPendingFrame();
    ASSERT_EQ(Describe(first), "A1 0/1/6/18");
    sent.push_back(Word(first, 4));
    data.Input(0).SetDelay(3);  // an earlier channel goes first
    EXPECT_EQ(Describe(data.BuildNextPendingFrame()), "A1 0/1/1/1");
    for (;;)
    {
        const CSendData entry = data.BuildNextPendingFrame();
        if (Describe(entry) != "A1 0/1/6/18")
        {
            EXPECT_EQ(Describe(entry), "A1 0/1/9/1");
            break;
        }
        sent.push_back(Word(entry, 4));
    }
    EXPECT_EQ(sent, (std::vector<int>{40, 80, 160, 320, 640, 1280, 2560, 5120, 10240, 20000, 20000}));
}

TEST(FramePump, LowPassWalksDownAfterTheHighPassIsDone)
{
    CAudio_Data data;
    data.ClearAllChanged(false);
    data.Output(0).GetLowPass().SetFrequency(2000);
    std::vector<int> sent;
    for (;;)
    {
        const CSendData entry = data.BuildNextPendingFrame();
        if (IsPoll(entry))
            break;
        sent.push_back(Word(entry, 0));
    }
    EXPECT_EQ(sent, (std::vector<int>{10000, 5000, 2500, 2000, 2000}));
}
