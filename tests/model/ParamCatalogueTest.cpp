#include "model/ParamCatalogue.h"

#include "model/Audio_Data.h"
#include "model/LockItems.h"
#include "model/LockState.h"

#include "tests/model/RecordFixture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

// The rows and their access to the record: address, range, writes and the
// link group. Their texts are tested in ParamTextsTest.

namespace
{
int Rounded(double value)
{
    return static_cast<int>(std::lround(value));
}

// Anything a setter marks for sending.
bool AnythingMarked(const CAudio_Data& data)
{
    if (data.IsGenChanged())
        return true;
    for (int i = 0; i < CAudio_InRoute::kCount; ++i)
    {
        const CAudio_InData& in = data.Input(i);
        if (in.IsParamChanged() || in.IsNameChanged())
            return true;
        for (int k = 0; k < in.GetEQ().GetSize(); ++k)
            if (in.GetEQ().GetAt(k).IsChanged())
                return true;
    }
    for (int i = 0; i < CAudio_OutRoute::kCount; ++i)
    {
        const CAudio_OutData& out = data.Output(i);
        if (out.IsParamChanged() || out.IsNameChanged() || out.IsLimitChanged())
            return true;
        for (int k = 0; k < out.GetEQ().GetSize(); ++k)
            if (out.GetEQ().GetAt(k).IsChanged())
                return true;
    }
    return false;
}
}

TEST(ParamCatalogue, EveryRowIsCompleteAndInItsPlace)
{
    const auto rows = ParamCatalogue::Params();
    ASSERT_EQ(rows.size(), static_cast<size_t>(EParam::kCount));
    for (size_t i = 0; i < rows.size(); ++i)
    {
        const ParamRow& row = rows[i];
        SCOPED_TRACE(ParamCatalogue::Caption(row.eParam, kEnglish));
        EXPECT_EQ(static_cast<size_t>(row.eParam), i);
        EXPECT_LE(row.nMin, row.nMax);
        EXPECT_FALSE(ParamCatalogue::Caption(row.eParam, kEnglish).empty());
        EXPECT_FALSE(ParamCatalogue::Caption(row.eParam, kChinese).empty());
        if (row.nLockFlag != kNoLock)
        {
            EXPECT_NE(LockItems::Find(row.nLockFlag), nullptr);
        }
        if (row.eEntry == EEntry::kText)
            continue;
        EXPECT_NE(row.pfnGet, nullptr);
        EXPECT_NE(row.pfnSet, nullptr);
        EXPECT_NE(row.pfnFormat, nullptr);
        if (row.eEntry != EEntry::kChoice)
        {
            ASSERT_NE(row.pScale, nullptr);
            EXPECT_EQ(row.nMin, row.pScale->nMinStep);
            EXPECT_EQ(row.nMax, row.pScale->nMaxStep);
        }
    }
}

// Each row writes the field it names, through a setter that marks it for
// sending; writing the same value again touches nothing.
TEST(ParamCatalogue, RowsWriteTheirOwnFields)
{
    struct Case
    {
        const char* name;
        EParam param;
        ParamAt at;
        int step;
        int expected;
        std::function<int(const CAudio_Data&)> read;
    };
    const std::vector<Case> cases{
        {"input on", EParam::kInOn, {1}, 0, 0, [](const CAudio_Data& d) { return int{d.Input(1).m_bOn}; }},
        {"input polarity", EParam::kInPolarity, {1}, 1, 1, [](const CAudio_Data& d) { return int{d.Input(1).m_bInvert}; }},
        {"input gain", EParam::kInGain, {2}, 123, 123, [](const CAudio_Data& d) { return d.Input(2).m_nGain; }},
        {"input delay", EParam::kInDelay, {3}, 500, 500, [](const CAudio_Data& d) { return d.Input(3).m_nDelay; }},
        {"input gate", EParam::kInGate, {0}, 10, 10, [](const CAudio_Data& d) { return d.Input(0).m_nGate; }},
        {"input band type", EParam::kInBandType, {2, 3}, 1, 1,
         [](const CAudio_Data& d) { return d.Input(2).GetBand(3).m_nType; }},
        {"input band frequency", EParam::kInBandFreq, {2, 3}, 5000, 5000,
         [](const CAudio_Data& d) { return d.Input(2).GetBand(3).m_nFreq; }},
        {"input band gain", EParam::kInBandGain, {2, 5}, 450, 50,
         [](const CAudio_Data& d) { return Rounded(d.Input(2).GetBand(5).m_dGain * 10); }},
        {"input band width", EParam::kInBandWidth, {0, 0}, 99, 100,
         [](const CAudio_Data& d) { return Rounded(d.Input(0).GetBand(0).m_dBandwidth * 100); }},
        {"input band slope", EParam::kInBandSlope, {0, 1}, 1, 1,
         [](const CAudio_Data& d) { return d.Input(0).GetBand(1).m_nSlope; }},
        {"output on", EParam::kOutOn, {7}, 0, 0, [](const CAudio_Data& d) { return int{d.Output(7).m_bOn}; }},
        {"output gain", EParam::kOutGain, {7}, 0, 0, [](const CAudio_Data& d) { return d.Output(7).m_nGain; }},
        {"output delay", EParam::kOutDelay, {6}, 1467, 1467, [](const CAudio_Data& d) { return d.Output(6).m_nDelay; }},
        {"routing bit C", EParam::kOutRoute, {3, 2}, 1, 0b101, [](const CAudio_Data& d) { return int{d.Output(3).m_byRoute}; }},
        {"routing bit A", EParam::kOutRoute, {3, 0}, 0, 0, [](const CAudio_Data& d) { return int{d.Output(3).m_byRoute}; }},
        {"EQ mode", EParam::kOutEqMode, {4}, 1, 1, [](const CAudio_Data& d) { return d.Output(4).m_bGeqMode; }},
        {"output band gain", EParam::kOutBandGain, {5, 14}, 0, -400,
         [](const CAudio_Data& d) { return Rounded(d.Output(5).GetBand(14).m_dGain * 10); }},
        {"high-pass type", EParam::kHighPassType, {1}, 0, 0, [](const CAudio_Data& d) { return d.Output(1).GetHighPass().m_nXoverType; }},
        {"high-pass frequency", EParam::kHighPassFreq, {1}, 200, 200, [](const CAudio_Data& d) { return d.Output(1).GetHighPass().m_nFreq; }},
        {"high-pass slope", EParam::kHighPassSlope, {1}, 3, 3, [](const CAudio_Data& d) { return d.Output(1).GetHighPass().m_nSlope; }},
        {"low-pass type", EParam::kLowPassType, {2}, 1, 1, [](const CAudio_Data& d) { return d.Output(2).GetLowPass().m_nXoverType; }},
        {"low-pass frequency", EParam::kLowPassFreq, {2}, 8000, 8000, [](const CAudio_Data& d) { return d.Output(2).GetLowPass().m_nFreq; }},
        {"low-pass slope", EParam::kLowPassSlope, {2}, 6, 6, [](const CAudio_Data& d) { return d.Output(2).GetLowPass().m_nSlope; }},
        {"limiter threshold", EParam::kLimitThreshold, {0}, 100, 100, [](const CAudio_Data& d) { return d.Output(0).m_nLimitThreshold; }},
        {"limiter attack", EParam::kLimitAttack, {0}, 3, 3, [](const CAudio_Data& d) { return d.Output(0).m_nLimitAttack; }},
        {"limiter release", EParam::kLimitRelease, {0}, 1000, 1000, [](const CAudio_Data& d) { return d.Output(0).m_nLimitRelease; }},
        {"generator type", EParam::kGenType, {}, 3, 3, [](const CAudio_Data& d) { return d.GetGenType(); }},
        {"generator frequency", EParam::kGenFreq, {}, 1000, 1000, [](const CAudio_Data& d) { return d.GetGenFreq(); }},
        {"generator level", EParam::kGenLevel, {}, 100, 100, [](const CAudio_Data& d) { return d.GetGenLevel(); }},
        {"generator sweep", EParam::kGenParam, {}, 10, 10, [](const CAudio_Data& d) { return d.GetGenParam(); }},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        auto data = Fresh();
        EXPECT_TRUE(ParamCatalogue::Set(c.param, *data, c.at, c.step));
        EXPECT_EQ(c.read(*data), c.expected);
        EXPECT_EQ(ParamCatalogue::Get(c.param, *data, c.at), c.step);
        EXPECT_TRUE(AnythingMarked(*data));

        data->ClearAllChanged(false);
        EXPECT_FALSE(ParamCatalogue::Set(c.param, *data, c.at, c.step));
        EXPECT_FALSE(AnythingMarked(*data));
    }
}

TEST(ParamCatalogue, StepsAreClampedToTheRangeTheRecordAllows)
{
    auto data = Fresh();
    ParamCatalogue::Set(EParam::kInGain, *data, {0}, 9999);
    EXPECT_EQ(data->Input(0).GetGain(), kGainMax);

    // The shelves of a parametric output EQ keep to their side of 2012 Hz.
    ParamCatalogue::Set(EParam::kOutBandFreq, *data, {0, 0}, 5000);
    EXPECT_EQ(data->Output(0).GetBand(0).GetFrequency(), 2012);
    ParamCatalogue::Set(EParam::kOutBandFreq, *data, {0, 14}, 100);
    EXPECT_EQ(data->Output(0).GetBand(14).GetFrequency(), 2012);

    // The high-pass never passes the low-pass, nor the low-pass the high-pass.
    ParamCatalogue::Set(EParam::kHighPassFreq, *data, {1}, 1000);
    ParamCatalogue::Set(EParam::kLowPassFreq, *data, {1}, 800);
    EXPECT_EQ(data->Output(1).GetLowPass().m_nFreq, 1000);
    ParamCatalogue::Set(EParam::kHighPassFreq, *data, {1}, 3000);
    EXPECT_EQ(data->Output(1).GetHighPass().m_nFreq, 1000);

    // In graphic mode a band stays at its fixed frequency.
    ParamCatalogue::Set(EParam::kOutEqMode, *data, {2}, 1);
    data->ClearAllChanged(false);
    EXPECT_FALSE(ParamCatalogue::Set(EParam::kOutBandFreq, *data, {2, 3}, 5000));
    EXPECT_EQ(data->Output(2).GetBand(3).GetFrequency(), 100);
    EXPECT_FALSE(AnythingMarked(*data));

    // Addresses outside the side are refused, not thrown.
    EXPECT_FALSE(ParamCatalogue::Set(EParam::kInBandGain, *data, {0, 6}, 450));
    EXPECT_FALSE(ParamCatalogue::Set(EParam::kInGain, *data, {4}, 100));
    EXPECT_EQ(ParamCatalogue::Get(EParam::kOutGain, *data, {8}), 0);
    EXPECT_EQ(ParamCatalogue::Format(EParam::kOutBandGain, *data, {0, 15}, kEnglish, nullptr), "");
}

TEST(ParamCatalogue, ABandAtZeroDecibelsCannotBeSwitchedOn)
{
    auto data = Fresh();
    EXPECT_EQ(ParamCatalogue::Get(EParam::kInBandOn, *data, {0, 2}), 0);
    EXPECT_FALSE(ParamCatalogue::Set(EParam::kInBandOn, *data, {0, 2}, 1));
    EXPECT_FALSE(AnythingMarked(*data));

    EXPECT_TRUE(ParamCatalogue::Set(EParam::kInBandGain, *data, {0, 2}, 430));
    EXPECT_EQ(ParamCatalogue::Get(EParam::kInBandOn, *data, {0, 2}), 1);
    EXPECT_TRUE(ParamCatalogue::Set(EParam::kInBandOn, *data, {0, 2}, 0));
    EXPECT_EQ(ParamCatalogue::Format(EParam::kInBandGain, *data, {0, 2}, kEnglish, nullptr), "0.0dB");
    EXPECT_EQ(ParamCatalogue::Get(EParam::kInBandGain, *data, {0, 2}), kEqGainZero);

    // The master switch bypasses every band and gives them back.
    EXPECT_TRUE(ParamCatalogue::Set(EParam::kInBandOn, *data, {0, 2}, 1));
    EXPECT_TRUE(ParamCatalogue::Set(EParam::kInEqBypass, *data, {0}, 1));
    EXPECT_EQ(ParamCatalogue::Get(EParam::kInBandBypass, *data, {0, 2}), 1);
    EXPECT_EQ(ParamCatalogue::Format(EParam::kInEqBypass, *data, {0}, kEnglish, nullptr), "Off");
    EXPECT_TRUE(ParamCatalogue::Set(EParam::kInEqBypass, *data, {0}, 0));
    EXPECT_EQ(ParamCatalogue::Get(EParam::kInBandOn, *data, {0, 2}), 1);
}

TEST(ParamCatalogue, EditsReachTheLinkedChannels)
{
    auto data = Fresh();
    data->Inputs().SetLinkGroup(2, 0);  // C with A
    data->Outputs().SetLinkGroup(2, 0);  // 3 with 1
    data->Outputs().SetLinkGroup(3, 0);  // 4 with 1

    // The records spread gain and limiter; mute and routing stay.
    ParamCatalogue::Set(EParam::kInGain, *data, {0}, 250);
    ParamCatalogue::Set(EParam::kInOn, *data, {0}, 0);
    EXPECT_EQ(data->Input(2).GetGain(), 250);
    EXPECT_EQ(data->Input(2).IsOn(), 1);
    ParamCatalogue::Set(EParam::kLimitAttack, *data, {2}, 20);
    EXPECT_EQ(data->Output(0).GetLimitAttack(), 20);
    ParamCatalogue::Set(EParam::kOutRoute, *data, {0, 1}, 1);
    EXPECT_EQ(data->Output(2).GetRoute(), 1);

    // Bands and crossovers are copied here, as the editors copy them.
    ParamCatalogue::Set(EParam::kInBandGain, *data, {2, 4}, 500);
    EXPECT_EQ(data->Input(0).GetBand(4).GetGainStep(), 500);
    EXPECT_EQ(data->Input(1).GetBand(4).GetGainStep(), kEqGainZero);
    ParamCatalogue::Set(EParam::kLowPassSlope, *data, {0}, 6);
    EXPECT_EQ(data->Output(2).GetLowPass().GetSlope(), 6);
    EXPECT_EQ(data->Output(3).GetLowPass().GetSlope(), 6);
    EXPECT_NE(data->Output(1).GetLowPass().GetSlope(), 6);
    ParamCatalogue::Set(EParam::kHighPassFreq, *data, {3}, 120);
    EXPECT_EQ(data->Output(0).GetHighPass().m_nFreq, 120);
    EXPECT_EQ(data->Output(1).GetHighPass().m_nFreq, 20);

    // A mode switch flattens the whole group and is marked for sending.
    data->ClearAllChanged(false);
    ParamCatalogue::Set(EParam::kOutEqMode, *data, {0}, 1);
    EXPECT_EQ(data->Output(3).GetGeqMode(), 1);
    EXPECT_TRUE(data->Output(3).IsParamChanged());
    EXPECT_EQ(data->Output(1).GetGeqMode(), 0);
}

TEST(ParamCatalogue, AChannelJoiningAGroupTakesItsSound)
{
    auto data = Fresh();
    ParamCatalogue::Set(EParam::kInGain, *data, {0}, 111);
    ParamCatalogue::Set(EParam::kInBandGain, *data, {0, 1}, 480);
    ParamCatalogue::Set(EParam::kInOn, *data, {0}, 0);
    ParamCatalogue::SetText(EParam::kInName, *data, {0}, "Lead");
    data->ClearAllChanged(false);

    EXPECT_TRUE(ParamCatalogue::Set(EParam::kInLink, *data, {1}, 0));
    const CAudio_InData& b = data->Input(1);
    EXPECT_EQ(b.GetGain(), 111);
    EXPECT_EQ(b.GetBand(1).GetGainStep(), 480);
    EXPECT_EQ(b.IsOn(), 1);
    EXPECT_EQ(b.GetName(), "B");
    EXPECT_TRUE(b.IsLinked());
    EXPECT_TRUE(b.IsParamChanged());
    EXPECT_TRUE(b.GetBand(1).IsChanged());
    EXPECT_EQ(ParamCatalogue::Format(EParam::kInLink, *data, {1}, kEnglish, nullptr), "Link A");

    // Back in a group of its own, it keeps what it took.
    EXPECT_TRUE(ParamCatalogue::Set(EParam::kInLink, *data, {1}, 1));
    EXPECT_FALSE(data->Input(1).IsLinked());
    EXPECT_EQ(data->Input(1).GetGain(), 111);
}

TEST(ParamCatalogue, NamesKeepToEightPrintableBytes)
{
    auto data = Fresh();
    EXPECT_TRUE(ParamCatalogue::SetText(EParam::kOutName, *data, {2}, "Sub\tLéft 12345"));
    EXPECT_EQ(ParamCatalogue::GetText(EParam::kOutName, *data, {2}), "SubLft 1");
    EXPECT_TRUE(data->Output(2).IsNameChanged());
    data->ClearAllChanged(false);
    EXPECT_FALSE(ParamCatalogue::SetText(EParam::kOutName, *data, {2}, "SubLft 1"));
    EXPECT_FALSE(data->Output(2).IsNameChanged());
    EXPECT_FALSE(ParamCatalogue::Set(EParam::kOutName, *data, {2}, 1));
}

TEST(ParamCatalogue, SpinStepsWalkTheFrequencyAxis)
{
    struct Case
    {
        const char* name;
        EParam param;
        int step;
        int delta;
        ParamCatalogue::StepRange range;
        int expected;
    };
    const std::vector<Case> cases{
        {"frequency up", EParam::kInBandFreq, 1000, 1, {20, 20000}, 1030},
        {"frequency down", EParam::kOutBandFreq, 1000, -1, {20, 20000}, 972},
        {"bottom stays", EParam::kGenFreq, 20, -1, {20, 20000}, 20},
        {"top stays", EParam::kHighPassFreq, 20000, 1, {20, 20000}, 20000},
        {"first point up leaves 20", EParam::kInBandFreq, 20, 1, {20, 20000}, 21},
        {"between points up to the next", EParam::kInBandFreq, 1010, 1, {20, 20000}, 1030},
        {"between points down to the nearer", EParam::kInBandFreq, 1010, -1, {20, 20000}, 1000},
        {"ten points", EParam::kInBandFreq, 1000, 10, {20, 20000}, 1335},
        {"narrowed range", EParam::kOutBandFreq, 2000, 1, {20, 2012}, 2012},
        {"narrowed range below", EParam::kLowPassFreq, 2000, -3, {1900, 20000}, 1900},
        {"gain by one", EParam::kInGain, 300, 1, {0, 420}, 301},
        {"gain by ten at the top", EParam::kInGain, 415, 10, {0, 420}, 420},
        {"release at the bottom", EParam::kLimitRelease, 50, -1, {50, 5000}, 50},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ParamCatalogue::StepBy(c.param, c.step, c.delta, c.range), c.expected);
    }
}

TEST(ParamCatalogue, EditsAreAnnouncedUnderTheirChannelCode)
{
    EXPECT_EQ(ParamCatalogue::ChannelCode(EParam::kInGain, {0, 0}), 1);
    EXPECT_EQ(ParamCatalogue::ChannelCode(EParam::kInBandGain, {3, 5}), 4);
    EXPECT_EQ(ParamCatalogue::ChannelCode(EParam::kOutBandFreq, {0, 14}), 5);
    EXPECT_EQ(ParamCatalogue::ChannelCode(EParam::kLimitRelease, {7, 0}), 12);
    EXPECT_EQ(ParamCatalogue::ChannelCode(EParam::kGenLevel, {}), 0);
}

// What a row addresses within a channel and how its range narrows are
// properties of the row: the band rows count their side's bands, routing its
// four sources, and only the crossover pair narrows without a message.
TEST(ParamCatalogue, RowsKnowTheirIndicesAndHowTheyNarrow)
{
    struct Case
    {
        EParam param;
        int channels;
        int indices;
        bool silent;
    };
    const std::vector<Case> cases{
        {EParam::kInGain, 4, 1, false},       {EParam::kInBandFreq, 4, 6, false}, {EParam::kInBandBypass, 4, 6, false},
        {EParam::kOutBandFreq, 8, 15, false}, {EParam::kOutBandOn, 8, 15, false}, {EParam::kOutRoute, 8, 4, false},
        {EParam::kHighPassFreq, 8, 1, true},  {EParam::kLowPassFreq, 8, 1, true}, {EParam::kLimitAttack, 8, 1, false},
        {EParam::kGenFreq, 1, 1, false},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(ParamCatalogue::Caption(c.param, kEnglish));
        EXPECT_EQ(ParamCatalogue::ChannelCount(c.param), c.channels);
        EXPECT_EQ(ParamCatalogue::IndexCount(c.param), c.indices);
        EXPECT_EQ(ParamCatalogue::NarrowsSilently(c.param), c.silent);
        EXPECT_TRUE(ParamCatalogue::IsAddressed(c.param, {c.channels - 1, c.indices - 1}));
        EXPECT_FALSE(ParamCatalogue::IsAddressed(c.param, {c.channels, 0}));
        EXPECT_FALSE(ParamCatalogue::IsAddressed(c.param, {0, c.indices}));
        EXPECT_FALSE(ParamCatalogue::IsAddressed(c.param, {-1, 0}));
        EXPECT_FALSE(ParamCatalogue::IsAddressed(c.param, {0, -1}));
    }
}

// A band's width reads as its shelf slope on a shelf, outside graphic-EQ
// mode; no other row and no band out of the channel's count does.
TEST(ParamCatalogue, OnlyAShelfWidthShowsTheSlope)
{
    auto data = Fresh();
    ASSERT_TRUE(ParamCatalogue::Set(EParam::kInBandType, *data, {1, 2}, CFilter::kLowShelf));
    ParamCatalogue::Set(EParam::kInBandType, *data, {1, 3}, CFilter::kParametric);
    ParamCatalogue::Set(EParam::kOutBandType, *data, {0, 4}, CFilter::kHighShelf);
    EXPECT_TRUE(ParamCatalogue::BandShowsSlope(EParam::kInBandWidth, *data, {1, 2}));
    EXPECT_FALSE(ParamCatalogue::BandShowsSlope(EParam::kInBandWidth, *data, {1, 3}));
    EXPECT_FALSE(ParamCatalogue::BandShowsSlope(EParam::kInBandGain, *data, {1, 2}));
    EXPECT_FALSE(ParamCatalogue::BandShowsSlope(EParam::kInBandWidth, *data, {1, 6}));
    EXPECT_TRUE(ParamCatalogue::BandShowsSlope(EParam::kOutBandWidth, *data, {0, 4}));
    ASSERT_TRUE(ParamCatalogue::Set(EParam::kOutEqMode, *data, {0}, 1));
    EXPECT_FALSE(ParamCatalogue::BandShowsSlope(EParam::kOutBandWidth, *data, {0, 4}));
}
