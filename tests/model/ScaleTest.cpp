// The scales as every route reads them: each step of each numeric row,
// shown in every view and language and typed back, is that step again; and
// a step taken into the record, onto the response graph or in from a
// measurement tool's file holds the scale's own value and comes back as the
// same step.

#include "model/Scale.h"

#include "model/Audio_Data.h"
#include "model/FilterImport.h"
#include "model/GraphAxis.h"
#include "model/GraphGeometry.h"
#include "model/NumberText.h"
#include "model/ParamCatalogue.h"

#include "tests/LocaleTable.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace
{
constexpr EUnit kUnits[] = {EUnit::kNative, EUnit::kMetres, EUnit::kFeet, EUnit::kQ};

// Every bit of the double: the record's doubles go into program files as they are.
std::uint64_t Bits(double value)
{
    return std::bit_cast<std::uint64_t>(value);
}

std::unique_ptr<CAudio_Data> Fresh()
{
    auto data = std::make_unique<CAudio_Data>();
    data->ClearAllChanged(false);
    return data;
}

// A graph tall enough to give every whole decibel its own pixels.
constexpr int kGraphW = 600, kGraphH = 1200;

// The band that an import of one peaking filter at `hz` and `gain` (as
// written in the file) plans on input 1; none when the plan refuses it.
std::optional<FilterImport::PlannedBand> Imported(const CAudio_Data& data, const std::string& hz,
                                                  const std::string& gain)
{
    const std::string file = "Filter 1: ON PK Fc " + hz + " Hz Gain " + gain + " dB Q 2\n";
    for (const FilterImport::PlannedBand& band : FilterImport::PlanImport(file, data, ChannelAddress::Input(0)).bands)
        if (band.bFromFile)
            return band;
    return std::nullopt;
}

class ScaleTable : public TLocaleTable<>
{
};
INSTANTIATE_TEST_SUITE_P(Locales, ScaleTable, ::testing::ValuesIn(kTableLocales), LocaleTestName);
}

// Every step of every row with a scale, in each view the scale has and both
// languages: the row's text, its field's text, and the scale's own text and
// bare number all parse back to the step. A distance never reaches the top
// step, whose round 340 m stands for 1000 ms.
TEST_P(ScaleTable, EveryStepsTextsParseBackToIt)
{
    for (const ParamRow& row : ParamCatalogue::Params())
    {
        if (row.pScale == nullptr)
            continue;
        const CScale& scale = *row.pScale;
        for (EUnit unit : kUnits)
        {
            if (!scale.HasView(unit))
                continue;
            const bool distance = unit == EUnit::kMetres || unit == EUnit::kFeet;
            const int last = distance ? row.nMax - 1 : row.nMax;
            for (ELanguage language : {kEnglish, kChinese})
                for (int step = row.nMin; step <= last; ++step)
                {
                    const std::string texts[] = {
                        ParamCatalogue::FormatStep(row.eParam, step, language, false, unit),
                        ParamCatalogue::FieldText(row.eParam, step, language, false, unit),
                        scale.Text(step, unit),
                        scale.Number(step, unit),
                    };
                    for (const std::string& text : texts)
                    {
                        const TypedStep typed = ParamCatalogue::Parse(row.eParam, text, -1, unit);
                        ASSERT_EQ(typed.nStep, step) << ParamCatalogue::Caption(row.eParam, kEnglish) << " unit "
                                                     << static_cast<int>(unit) << ": " << text;
                        ASSERT_FALSE(typed.bOutOfRange) << text;
                    }
                }
        }
    }
}

// The routes a step takes besides the field. Each row: a parameter, the
// route, and the check of one step on it.
TEST_P(ScaleTable, RecordGraphImportAndFieldAgreeOnEveryStep)
{
    const std::unique_ptr<CAudio_Data> data = Fresh();
    data->Input(0).SetGraphRect(kGraphW, kGraphH);
    data->Input(1).SetGraphRect(kGraphW, kGraphH);
    data->Output(0).SetGraphRect(kGraphW, kGraphH);
    const CLinearScale& eqGain = Scales::kEqGain;
    const CBandwidthScale& width = Scales::kBandwidth;

    struct Route
    {
        const char* pszRoute;
        EParam eParam;
        std::function<void(int step)> check;
    };
    auto recordGain = [&](EParam param, int step) {
        ParamCatalogue::Set(param, *data, {0, 2}, step);
        const CFilter& band = param == EParam::kInBandGain ? data->Input(0).GetBand(2) : data->Output(0).GetBand(2);
        EXPECT_EQ(Bits(band.GetGain()), Bits(eqGain.Value(step)));
        EXPECT_EQ(band.GetGainStep(), step);
        EXPECT_EQ(ParamCatalogue::Get(param, *data, {0, 2}), step);
        // The handle sits on the value's line; its label reads as the field.
        EXPECT_EQ(Centre(band.m_rcHandle).y, DbToY(eqGain.Value(step), kGraphH) + kCurveTop);
        EXPECT_TRUE(band.Summary().ends_with(" " + FormatEqGain(step, false, kEnglish))) << band.Summary();
    };
    const std::vector<Route> routes{
        {"record and graph", EParam::kInBandGain, [&](int step) { recordGain(EParam::kInBandGain, step); }},
        {"record and graph", EParam::kOutBandGain, [&](int step) { recordGain(EParam::kOutBandGain, step); }},
        {"graph drag", EParam::kInBandGain,
         [&](int step) {
             // The graph moves a band in whole decibels: those steps only.
             if ((step - eqGain.ZeroStep()) % 10 != 0)
                 return;
             CFilter& band = data->Input(1).GetBand(0);
             band.SetGainStep(eqGain.ZeroStep());
             band.BeginDrag(Centre(band.m_rcHandle));
             const BandDrag target =
                 band.BandDragTo({Centre(band.m_rcHandle).x, DbToY(eqGain.Value(step), kGraphH) + kCurveTop});
             EXPECT_EQ(target.nGainStep, step);
             band.SetGainStep(target.nGainStep);
             EXPECT_EQ(Bits(band.GetGain()), Bits(eqGain.Value(step)));
         }},
        {"import", EParam::kInBandGain,
         [&](int step) {
             for (const std::string& gain :
                  {ParamCatalogue::FieldText(EParam::kInBandGain, step, kEnglish), FixedText(eqGain.Value(step), 17)})
             {
                 const auto band = Imported(*data, "1000", gain);
                 ASSERT_TRUE(band.has_value()) << gain;
                 EXPECT_EQ(band->nGainStep, step) << gain;
             }
         }},
        {"record", EParam::kInBandWidth,
         [&](int step) {
             ParamCatalogue::Set(EParam::kInBandWidth, *data, {1, 3}, step);
             const CFilter& band = data->Input(1).GetBand(3);
             EXPECT_EQ(Bits(band.GetBandwidth()), Bits(width.Value(step)));
             EXPECT_EQ(band.GetBandwidthStep(), step);
             EXPECT_EQ(width.NearestStep(width.Value(step)), step);
         }},
        {"graph markers", EParam::kOutBandWidth,
         [&](int step) {
             ParamCatalogue::Set(EParam::kOutBandWidth, *data, {0, 5}, step);
             const CFilter& band = data->Output(0).GetBand(5);
             const MarkerRects markers = BandMarkerRects(band.m_rcHandle, band.GetFrequency(), width.Value(step),
                                                         band.GetGain(), false, kGraphW);
             EXPECT_EQ(band.m_rcLowMarker, markers.rcLow);
             EXPECT_EQ(band.m_rcHighMarker, markers.rcHigh);
         }},
        {"import", EParam::kInBandWidth,
         [&](int step) {
             // A file's bandwidth names half the width of the processor's
             // design: twice the step's width in octaves is the step's Q.
             EXPECT_EQ(FilterImport::WidthStepForQ(FilterImport::QOfBandwidth(2 * width.Value(step))), step);
         }},
        {"import", EParam::kInBandFreq,
         [&](int step) {
             // A file's frequency lands on the nearest axis point, in whole
             // hertz: the points' own hertz come back as they are.
             if (std::lround(Scales::kFrequency.AxisPoint(step)) != step)
                 return;
             const auto band = Imported(*data, ParamCatalogue::FieldText(EParam::kInBandFreq, step, kEnglish), "-3");
             ASSERT_TRUE(band.has_value());
             EXPECT_EQ(band->nFreq, step);
         }},
        {"curve", EParam::kInGain,
         [&](int step) {
             ParamCatalogue::Set(EParam::kInGain, *data, {0, 0}, step);
             data->Input(0).UpdateCurve();
             EXPECT_EQ(data->Input(0).GetGainOffset(), DbToY(Scales::kChannelGain.Value(step), kGraphH) + kCurveTop);
         }},
    };
    for (const Route& route : routes)
    {
        const ParamRow& row = ParamCatalogue::Param(route.eParam);
        SCOPED_TRACE(ParamCatalogue::Caption(route.eParam, kEnglish) + ", " + route.pszRoute);
        for (int step = row.nMin; step <= row.nMax; ++step)
        {
            SCOPED_TRACE(step);
            route.check(step);
            if (HasFailure())
                return;
        }
    }
}

// What a linear scale's value gives back: the nearest step (a stored double)
// and the typed step (a value typed in full) of each step's own value are
// the step.
TEST(Scales, EveryLinearStepsValueComesBackAsTheStep)
{
    const CLinearScale* scales[] = {&Scales::kChannelGain, &Scales::kEqGain, &Scales::kGate, &Scales::kLimitThreshold,
                                    &Scales::kGenLevel};
    for (const CLinearScale* scale : scales)
        for (int step = scale->nMinStep; step <= scale->nMaxStep; ++step)
        {
            ASSERT_EQ(scale->NearestStep(scale->Value(step)), step) << scale->pszUnit << " " << step;
            const TypedStep typed = scale->Typed(scale->Value(step));
            ASSERT_EQ(typed.nStep, step) << scale->pszUnit << " " << step;
            ASSERT_FALSE(typed.bOutOfRange);
        }
    EXPECT_EQ(Scales::kChannelGain.ZeroStep(), 300);
    EXPECT_EQ(Scales::kEqGain.ZeroStep(), 400);
    EXPECT_EQ(Scales::kGenLevel.ZeroStep(), 600);
}
