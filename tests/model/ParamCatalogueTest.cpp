#include "model/ParamCatalogue.h"

#include "model/Audio_Data.h"
#include "model/LockItems.h"
#include "model/LockState.h"
#include "model/ReportRows.h"

#include "tests/LocaleTable.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace
{
using PC = CLockState;

std::unique_ptr<CAudio_Data> Fresh()
{
    auto data = std::make_unique<CAudio_Data>();
    data->ClearAllChanged(0);
    return data;
}

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

// The units a numeric row is shown in.
std::vector<EUnit> UnitsOf(const ParamRow& row)
{
    if (row.eEntry == EEntry::kDelay)
        return {EUnit::kNative, EUnit::kMetres, EUnit::kFeet};
    if (row.eEntry == EEntry::kBandwidth)
        return {EUnit::kNative, EUnit::kQ};
    return {EUnit::kNative};
}

// The tests of texts and typed values run under every table locale.
class CatalogueTexts : public TLocaleTable<>
{
};
INSTANTIATE_TEST_SUITE_P(Locales, CatalogueTexts, ::testing::ValuesIn(kTableLocales), LocaleTestName);
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

        data->ClearAllChanged(0);
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
    data->ClearAllChanged(0);
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
    data->ClearAllChanged(0);
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
    data->ClearAllChanged(0);

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
    data->ClearAllChanged(0);
    EXPECT_FALSE(ParamCatalogue::SetText(EParam::kOutName, *data, {2}, "SubLft 1"));
    EXPECT_FALSE(data->Output(2).IsNameChanged());
    EXPECT_FALSE(ParamCatalogue::Set(EParam::kOutName, *data, {2}, 1));
}

// Every text a row shows is the scale's own text form.
TEST_P(CatalogueTexts, TextsAreTheScalesTextForms)
{
    struct Case
    {
        EParam param;
        std::function<std::string(int step, int language, bool locked)> expected;
    };
    const std::vector<Case> cases{
        {EParam::kInOn, [](int s, int l, bool k) { return FormatOn(s, l, k); }},
        {EParam::kOutPolarity, [](int s, int l, bool k) { return FormatPolarity(s, l, k); }},
        {EParam::kInGain, [](int s, int l, bool k) { return FormatGain(s, l, k); }},
        {EParam::kOutDelay, [](int s, int l, bool k) { return FormatDelay(s, l, k); }},
        {EParam::kInGate, [](int s, int l, bool k) { return FormatGate(s, l, k); }},
        {EParam::kOutLink, [](int s, int l, bool k) { return FormatLinkGroup(s, true, l, k); }},
        {EParam::kInBandType, [](int s, int l, bool k) { return FormatBandType(s, false, l, k); }},
        {EParam::kOutBandFreq, [](int s, int l, bool k) { return FormatFreq(s, l, k); }},
        {EParam::kOutBandGain, [](int s, int l, bool k) { return FormatEqGain(s, false, l, k); }},
        {EParam::kInBandWidth, [](int s, int l, bool k) { return FormatBandwidth(s, l, k); }},
        {EParam::kOutBandSlope, [](int s, int l, bool k) { return FormatShelfSlope(s, l, k); }},
        {EParam::kOutRoute, [](int s, int l, bool k) { return FormatRoute(s, l, k); }},
        {EParam::kOutEqMode, [](int s, int l, bool k) { return FormatEqMode(s, l, k); }},
        {EParam::kLowPassType, [](int s, int l, bool k) { return FormatXoverType(s, l, k); }},
        {EParam::kHighPassSlope, [](int s, int l, bool k) { return FormatSlope(s, l, k); }},
        {EParam::kLimitThreshold, [](int s, int l, bool k) { return FormatLimitThreshold(s, l, k); }},
        {EParam::kLimitAttack, [](int s, int l, bool k) { return FormatAttack(s, l, k); }},
        {EParam::kLimitRelease, [](int s, int l, bool k) { return FormatRelease(s, l, k); }},
        {EParam::kGenType, [](int s, int l, bool k) { return FormatGenType(s, l, k); }},
        {EParam::kGenLevel, [](int s, int l, bool k) { return FormatGenLevel(s, l, k); }},
        {EParam::kGenParam, [](int s, int l, bool k) { return FormatSeconds(s, l, k); }},
    };
    for (const Case& c : cases)
    {
        const ParamRow& row = ParamCatalogue::Param(c.param);
        SCOPED_TRACE(ParamCatalogue::Caption(c.param, kEnglish));
        for (int language : {kEnglish, kChinese})
            for (bool locked : {false, true})
                for (int step = row.nMin; step <= row.nMax; ++step)
                    ASSERT_EQ(ParamCatalogue::FormatStep(c.param, step, language, locked), c.expected(step, language, locked))
                        << step;
    }
    EXPECT_EQ(ParamCatalogue::FormatStep(EParam::kInDelay, 1467, kEnglish, false, EUnit::kMetres), "340.000");
    EXPECT_EQ(ParamCatalogue::FormatStep(EParam::kInDelay, 1467, kEnglish, false, EUnit::kFeet), "1115.000");
    EXPECT_EQ(ParamCatalogue::FormatStep(EParam::kOutBandWidth, 99, kEnglish, false, EUnit::kQ), "1.414");
    EXPECT_EQ(ParamCatalogue::FormatStep(EParam::kOutBandWidth, 99, kChinese, true, EUnit::kQ), "锁定");
    EXPECT_EQ(ParamCatalogue::FormatStep(EParam::kOutBandType, 1, kEnglish, false, EUnit::kNative, {false, true}), "GEQ");
}

// Retyping what a field shows gives its step back, for every step of every
// row whose typed rule is exact.
TEST_P(CatalogueTexts, EveryShownValueParsesBackToItsStep)
{
    struct Case
    {
        EParam param;
        EUnit unit;
        int lastStep;  // a distance never reaches 1000 ms
    };
    const int rowMax = -1;
    const std::vector<Case> cases{
        {EParam::kInDelay, EUnit::kNative, rowMax},  {EParam::kOutDelay, EUnit::kMetres, kDelayMax - 1},
        {EParam::kInDelay, EUnit::kFeet, kDelayMax - 1}, {EParam::kOutBandFreq, EUnit::kNative, rowMax},
        {EParam::kInBandWidth, EUnit::kNative, rowMax}, {EParam::kOutBandWidth, EUnit::kQ, rowMax},
        {EParam::kLimitAttack, EUnit::kNative, rowMax}, {EParam::kLimitRelease, EUnit::kNative, rowMax},
        {EParam::kGenParam, EUnit::kNative, rowMax},   {EParam::kGenFreq, EUnit::kNative, rowMax},
    };
    for (const Case& c : cases)
    {
        const ParamRow& row = ParamCatalogue::Param(c.param);
        SCOPED_TRACE(ParamCatalogue::Caption(c.param, kEnglish));
        const int last = c.lastStep == rowMax ? row.nMax : c.lastStep;
        for (int step = row.nMin; step <= last; ++step)
        {
            const std::string shown = ParamCatalogue::FormatStep(c.param, step, kEnglish, false, c.unit);
            const TypedStep typed = ParamCatalogue::Parse(c.param, shown, -1, c.unit);
            ASSERT_EQ(typed.nStep, step) << shown;
            ASSERT_FALSE(typed.bOutOfRange) << shown;
        }
    }
    // Every text of a list, in either language.
    for (const ParamRow& row : ParamCatalogue::Params())
    {
        if (row.eEntry != EEntry::kChoice)
            continue;
        SCOPED_TRACE(ParamCatalogue::Caption(row.eParam, kEnglish));
        for (int language : {kEnglish, kChinese})
            for (int step = row.nMin; step <= row.nMax; ++step)
            {
                const std::string shown = ParamCatalogue::FormatStep(row.eParam, step, language);
                EXPECT_EQ(ParamCatalogue::Parse(row.eParam, shown, -1).nStep, step) << shown;
            }
    }
}

// What a numeric field shows, typed back, gives the step it shows: every
// step of every numeric row, in each unit the row is shown in.
TEST_P(CatalogueTexts, EveryFieldTextParsesBackToItsStep)
{
    for (const ParamRow& row : ParamCatalogue::Params())
    {
        if (row.eEntry == EEntry::kChoice || row.eEntry == EEntry::kText)
            continue;
        for (EUnit unit : UnitsOf(row))
        {
            SCOPED_TRACE(ParamCatalogue::Caption(row.eParam, kEnglish) + " unit " + std::to_string(int(unit)));
            // A distance never reaches 1000 ms.
            const bool distance = unit == EUnit::kMetres || unit == EUnit::kFeet;
            const int last = distance ? row.nMax - 1 : row.nMax;
            for (int step = row.nMin; step <= last; ++step)
            {
                const std::string shown = ParamCatalogue::FieldText(row.eParam, step, kEnglish, false, unit);
                const TypedStep typed = ParamCatalogue::Parse(row.eParam, shown, -1, unit);
                ASSERT_EQ(typed.nStep, step) << shown;
                ASSERT_FALSE(typed.bOutOfRange) << shown;
            }
        }
    }
}

TEST_P(CatalogueTexts, FieldTextsAreBareNumbers)
{
    struct Case
    {
        EParam param;
        int step;
        const char* text;
        EUnit unit = EUnit::kNative;
    };
    const std::vector<Case> cases{
        {EParam::kInGain, 28, "-27.2"},
        {EParam::kOutGain, 420, "12.0"},
        {EParam::kInGate, 0, "OFF"},
        {EParam::kInGate, 1, "-119"},
        {EParam::kLimitThreshold, 600, "OFF"},
        {EParam::kLimitThreshold, 599, "19.9"},
        {EParam::kOutBandGain, 400, "0.0"},
        {EParam::kGenLevel, 660, "6.0dBu"},
        {EParam::kInDelay, 1467, "1000.000"},
        {EParam::kInDelay, 477, "10.017"},
        {EParam::kOutDelay, 1467, "340.000", EUnit::kMetres},
        {EParam::kOutDelay, 1467, "1115.000", EUnit::kFeet},
        {EParam::kInBandFreq, 1000, "1000"},
        {EParam::kHighPassFreq, 20, "20Hz"},
        {EParam::kLowPassFreq, 20000, "20000Hz"},
        {EParam::kGenFreq, 440, "440Hz"},
        {EParam::kLimitAttack, 6, "0.9"},
        {EParam::kLimitAttack, 7, "1"},
        {EParam::kLimitRelease, 50, "50"},
        {EParam::kGenParam, 30, "30s"},
        {EParam::kInBandWidth, 29, "0.30"},
        {EParam::kOutBandWidth, 0, "144.27", EUnit::kQ},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ParamCatalogue::FieldText(c.param, c.step, kEnglish, false, c.unit), c.text);
    EXPECT_EQ(ParamCatalogue::FieldText(EParam::kInGain, 300, kEnglish, true), "Lock");
    EXPECT_EQ(ParamCatalogue::FieldText(EParam::kOutDelay, 3, kChinese, true, EUnit::kFeet), "锁定");
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

TEST_P(CatalogueTexts, TypedValuesFollowTheFieldsRules)
{
    struct Case
    {
        const char* name;
        EParam param;
        const char* typed;
        int current;
        int step;
        bool outOfRange;
        EUnit unit = EUnit::kNative;
    };
    const std::vector<Case> cases{
        {"gain above +12", EParam::kOutGain, "12.34", 300, 420, true},
        {"gain typed as shown keeps its step", EParam::kInGain, "-27.1", 300, 29, false},
        {"gain between steps truncates", EParam::kInGain, "-27.15", 300, 28, false},
        {"gain with its unit", EParam::kInGain, "0.0dB", 0, 300, false},
        {"gain with a decimal comma", EParam::kInGain, "-27,1", 300, 29, false},
        {"band gain with the minus sign and a comma", EParam::kOutBandGain, "\xE2\x88\x92" "3,5", 400, 365, false},
        {"milliseconds with a comma", EParam::kOutDelay, "10,017", 0, 477, false},
        {"feet with a comma", EParam::kOutDelay, "11,174", 0, 477, false, EUnit::kFeet},
        {"bandwidth with a comma", EParam::kInBandWidth, "0,30", 0, 29, false},
        {"Q with a comma", EParam::kOutBandWidth, "1,41", 0, 100, false, EUnit::kQ},
        {"attack with a comma and its unit", EParam::kLimitAttack, "0,6ms", 77, 3, false},
        {"generator level with a comma", EParam::kGenLevel, "-6,5dBu", 0, 535, false},
        {"frequency takes the digits before a comma", EParam::kOutBandFreq, "1000,9", 20, 1000, false},
        {"gate kept at OFF", EParam::kInGate, "OFF", 40, 0, false},
        {"gate below OFF", EParam::kInGate, "-130", 40, 0, true},
        {"threshold kept at OFF", EParam::kLimitThreshold, "OFF", 0, 600, false},
        {"generator level", EParam::kGenLevel, "0.0dBu", 0, 600, false},
        {"milliseconds at 1000", EParam::kInDelay, "1000", 0, 1467, false},
        {"milliseconds beyond 1000", EParam::kInDelay, "1000.5", 0, 1467, true},
        {"negative milliseconds", EParam::kOutDelay, "-1", 5, 0, true},
        {"metres 339", EParam::kInDelay, "339", 0, 1464, false, EUnit::kMetres},
        {"metres 345", EParam::kInDelay, "345", 0, 1466, true, EUnit::kMetres},
        {"frequency with unit", EParam::kHighPassFreq, "1000Hz", 20, 1000, false},
        {"frequency takes leading digits", EParam::kInBandFreq, "1000.9", 20, 1000, false},
        {"frequency above 20000", EParam::kGenFreq, "30000", 20, 20000, true},
        {"frequency of many digits", EParam::kGenFreq, "99999999999999999999999", 20, 20000, true},
        {"frequency below 20", EParam::kOutBandFreq, "5", 1000, 20, true},
        {"Q 1.41", EParam::kInBandWidth, "1.41", 0, 100, false, EUnit::kQ},
        {"Q 200", EParam::kInBandWidth, "200", 0, 0, true, EUnit::kQ},
        {"bandwidth 4", EParam::kInBandWidth, "4", 0, 299, true},
        {"attack between 0.9 and 1", EParam::kLimitAttack, "0.95", 77, 77, false},
        {"attack 0.6", EParam::kLimitAttack, "0.6ms", 77, 3, false},
        {"release below 50", EParam::kLimitRelease, "10", 500, 50, true},
        {"sweep with its unit", EParam::kGenParam, "12s", 2, 12, false},
        {"crossover type in Chinese", EParam::kLowPassType, "巴特沃斯", 0, 2, false},
        {"crossover type in English", EParam::kHighPassType, "Bessel", 0, 1, false},
        {"unknown choice", EParam::kOutPolarity, "?", 1, 1, true},
        {"no number", EParam::kOutGain, "", 250, 250, true},
        {"not a number", EParam::kInDelay, "nan", 9, 9, true},
        {"a name is not parsed", EParam::kInName, "A", 0, 0, true},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        const TypedStep typed = ParamCatalogue::Parse(c.param, c.typed, c.current, c.unit);
        EXPECT_EQ(typed.nStep, c.step);
        EXPECT_EQ(typed.bOutOfRange, c.outOfRange);
    }
}

// Every text of every row (both languages, every unit, the full and the
// field form) and the step its field text parses to, written down under each
// table locale: the lists match line by line. The field text with a decimal
// comma parses to the same step.
TEST(ParamCatalogue, TextsAndTypedValuesAreTheSameInEveryLocale)
{
    // The first field text whose comma form parses otherwise, if any.
    std::string commaMismatch;
    auto describe = [&commaMismatch] {
        std::vector<std::string> lines;
        for (const ParamRow& row : ParamCatalogue::Params())
        {
            if (row.eEntry == EEntry::kText)
                continue;
            for (EUnit unit : UnitsOf(row))
                for (int language : {kEnglish, kChinese})
                    for (int step = row.nMin; step <= row.nMax; ++step)
                    {
                        const std::string field = ParamCatalogue::FieldText(row.eParam, step, language, false, unit);
                        std::string comma = field;
                        std::ranges::replace(comma, '.', ',');
                        const TypedStep typed = ParamCatalogue::Parse(row.eParam, field, -1, unit);
                        const TypedStep typedComma = ParamCatalogue::Parse(row.eParam, comma, -1, unit);
                        const std::string where = ParamCatalogue::Caption(row.eParam, kEnglish) + " unit "
                                                  + std::to_string(static_cast<int>(unit)) + " language "
                                                  + std::to_string(language) + " step " + std::to_string(step);
                        if (commaMismatch.empty()
                            && (typedComma.nStep != typed.nStep || typedComma.bOutOfRange != typed.bOutOfRange))
                            commaMismatch = where + ": " + comma;
                        lines.push_back(where + ": " + ParamCatalogue::FormatStep(row.eParam, step, language, false, unit)
                                        + " | " + field + " -> " + std::to_string(typed.nStep)
                                        + (typed.bOutOfRange ? " out of range" : ""));
                    }
        }
        return lines;
    };
    std::vector<std::vector<std::string>> byLocale;
    for (const TableLocale& locale : kTableLocales)
    {
        const CLocaleScope scope(locale.pszName);
        ASSERT_TRUE(InEffect(scope, locale));
        byLocale.push_back(describe());
        EXPECT_EQ(commaMismatch, "") << locale.pszName;
    }
    ASSERT_GT(byLocale.front().size(), 100000u);
    for (size_t locale = 1; locale < byLocale.size(); ++locale)
    {
        SCOPED_TRACE(kTableLocales[locale].pszName);
        ASSERT_EQ(byLocale[locale].size(), byLocale.front().size());
        for (size_t i = 0; i < byLocale.front().size(); ++i)
            ASSERT_EQ(byLocale[locale][i], byLocale.front()[i]);
    }
}

TEST(ParamCatalogue, LockedParametersShowTheLockText)
{
    auto data = Fresh();
    CLockState locks;
    locks.SetFlag(PC::kInGain, true);
    locks.SetFlag(PC::kOutEq, true);
    for (int language : {kEnglish, kChinese})
    {
        const std::string lock = LockText(language);
        EXPECT_EQ(ParamCatalogue::Format(EParam::kInGain, *data, {1}, language, &locks), lock);
        EXPECT_EQ(ParamCatalogue::Format(EParam::kOutBandFreq, *data, {1, 4}, language, &locks), lock);
        EXPECT_EQ(ParamCatalogue::Format(EParam::kOutEqMode, *data, {1}, language, &locks), lock);
        EXPECT_EQ(ParamCatalogue::Format(EParam::kOutGain, *data, {1}, language, &locks), "0.0dB");
        EXPECT_EQ(ParamCatalogue::Format(EParam::kInBandFreq, *data, {1, 0}, language, &locks), "20Hz");
        EXPECT_EQ(ParamCatalogue::Format(EParam::kInGain, *data, {1}, language, nullptr), "0.0dB");
    }
    locks.SetFlag(PC::kOutName, true);
    EXPECT_EQ(ParamCatalogue::Format(EParam::kOutName, *data, {0}, kEnglish, &locks), "Lock");
    EXPECT_EQ(ParamCatalogue::Format(EParam::kInName, *data, {0}, kEnglish, &locks), "A");
    for (int flag = 0; flag < PC::kFlagCount; ++flag)
        locks.SetFlag(flag, true);
    EXPECT_EQ(ParamCatalogue::Format(EParam::kGenLevel, *data, {}, kEnglish, &locks), "0.0dBu");
}

TEST(LockItems, CaptionsAsTheLockWindowNumbersThem)
{
    struct Case
    {
        int flag;
        const char* english;
        const char* chinese;
    };
    for (const Case& c : std::vector<Case>{
             {PC::kInGain, "1.Gain", "1、增益"},
             {PC::kInPolarity, "3.Polarity", "3、相位"},
             {PC::kInDelay, "2.Delay", "2、延时"},
             {PC::kInGate, "6.Noise gate", "6、噪声门"},
             {PC::kOutPolarity, "2.Polarity", "2、相位"},
             {PC::kOutRouting, "6.Matrix", "6、矩阵"},
             {PC::kOutXover, "7.X-over", "7、分频"},
             {PC::kOutLink, "10.Link", "10、联调"},
             {PC::kSysDeviceId, "5.Device ID", "5、设备ID"},
             {PC::kSysSoundTest, "10.Sound_Test", "10、Sound_Test"},
         })
    {
        SCOPED_TRACE(c.english);
        EXPECT_EQ(LockItems::Caption(c.flag, kEnglish), c.english);
        EXPECT_EQ(LockItems::Caption(c.flag, kChinese), c.chinese);
    }
    EXPECT_EQ(LockItems::Items().size(), 28u);
    for (int flag : {8, 15, 26, 31, 42, 48})
        EXPECT_EQ(LockItems::Find(flag), nullptr) << flag;
    EXPECT_EQ(LockItems::Name(8, kEnglish), "");
}

TEST(ReportRows, TitlesInTheReportsOrder)
{
    const auto rows = ReportRows::Rows();
    ASSERT_EQ(rows.size(), 79u);
    struct Case
    {
        size_t row;
        const char* english;
        const char* chinese;
        EParamGroup group;
    };
    for (const Case& c : std::vector<Case>{
             {0, "Name", "通道名", EParamGroup::kName},
             {1, "Mute", "静音", EParamGroup::kSignal},
             {3, "NoiseGate", "噪声门", EParamGroup::kSignal},
             {5, "Delay", "延时", EParamGroup::kSignal},
             {6, "EQ1 Type", "均衡1 类型", EParamGroup::kEq},
             {7, "EQ1 Gain", "均衡1 增益", EParamGroup::kEq},
             {8, "EQ1 FQCY", "均衡1 频率", EParamGroup::kEq},
             {9, "EQ1 BW", "均衡1 带宽", EParamGroup::kEq},
             {65, "EQ15 BW", "均衡15 带宽", EParamGroup::kEq},
             {66, "Src CHA", "音源 CHA", EParamGroup::kRouting},
             {69, "Src CHD", "音源 CHD", EParamGroup::kRouting},
             {70, "XMode_Lo", "低通类型", EParamGroup::kLowPass},
             {72, "XSLope_Lo", "低通斜率", EParamGroup::kLowPass},
             {74, "XFQCY_Hi", "高通频率", EParamGroup::kHighPass},
             {76, "Threshold", "压限电平", EParamGroup::kLimiter},
             {78, "Release", "释放时间", EParamGroup::kLimiter},
         })
    {
        SCOPED_TRACE(c.english);
        EXPECT_EQ(ReportRows::Title(rows[c.row], kEnglish), c.english);
        EXPECT_EQ(ReportRows::Title(rows[c.row], kChinese), c.chinese);
        EXPECT_EQ(ReportRows::Group(rows[c.row]), c.group);
    }
}

TEST(ReportRows, CellsFollowTheChannelAndItsLocks)
{
    auto data = Fresh();
    const auto rows = ReportRows::Rows();
    auto cell = [&](size_t row, EParamSide side, int channel, const CLockState* locks = nullptr) {
        return ReportRows::Cell(rows[row], *data, side, channel, kEnglish, locks);
    };
    EXPECT_EQ(cell(0, EParamSide::kInput, 1), "B");
    EXPECT_EQ(cell(3, EParamSide::kInput, 0), "-80dBu");
    EXPECT_EQ(cell(3, EParamSide::kOutput, 0), "");
    EXPECT_EQ(cell(29, EParamSide::kInput, 0), "0.30oct");   // band 6 of an input
    EXPECT_EQ(cell(30, EParamSide::kInput, 0), "");          // inputs have no band 7
    EXPECT_EQ(cell(6, EParamSide::kOutput, 0), "Lo_Shf");
    EXPECT_EQ(cell(9, EParamSide::kOutput, 0), "6dB/oct");   // a shelf shows its slope
    EXPECT_EQ(cell(13, EParamSide::kOutput, 0), "0.30oct");
    EXPECT_EQ(cell(66, EParamSide::kOutput, 0), "On");
    EXPECT_EQ(cell(67, EParamSide::kOutput, 0), "Off");
    EXPECT_EQ(cell(66, EParamSide::kInput, 0), "");
    EXPECT_EQ(cell(71, EParamSide::kOutput, 0), "20000Hz");
    EXPECT_EQ(cell(74, EParamSide::kOutput, 0), "20Hz");
    EXPECT_EQ(cell(77, EParamSide::kOutput, 0), "50ms");

    CLockState locks;
    locks.SetFlag(PC::kInEq, true);
    locks.SetFlag(PC::kOutXover, true);
    for (size_t row = 6; row <= 29; ++row)
        EXPECT_EQ(cell(row, EParamSide::kInput, 3, &locks), "Lock") << row;
    for (size_t row = 70; row <= 75; ++row)
        EXPECT_EQ(cell(row, EParamSide::kOutput, 7, &locks), "Lock") << row;
    EXPECT_EQ(cell(6, EParamSide::kOutput, 0, &locks), "Lo_Shf");
    EXPECT_EQ(cell(76, EParamSide::kOutput, 0, &locks), "OFF");
}
