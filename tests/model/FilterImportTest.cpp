#include "model/FilterImport.h"

#include "model/Audio_Data.h"
#include "model/DataDefine.h"
#include "model/ParamCatalogue.h"
#include "model/Response.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <memory>
#include <numbers>
#include <string>
#include <vector>

using namespace FilterImport;

namespace
{
std::unique_ptr<CAudio_Data> Fresh()
{
    auto data = std::make_unique<CAudio_Data>();
    data->ClearAllChanged(false);
    return data;
}

// The band that took the file's line `line`, or null.
const PlannedBand* BandOfLine(const Plan& plan, int line)
{
    const auto it = std::ranges::find_if(plan.bands, [line](const PlannedBand& b) { return b.bFromFile && b.source.nLine == line; });
    return it == plan.bands.end() ? nullptr : &*it;
}

// A problem without a value or detail: of a line, or of the whole file.
Problem Whole(EProblem kind, int line = 0)
{
    Problem problem;
    problem.eProblem = kind;
    problem.nLine = line;
    return problem;
}

int FromFileCount(const Plan& plan)
{
    return static_cast<int>(std::ranges::count_if(plan.bands, [](const PlannedBand& b) { return b.bFromFile; }));
}

std::string Utf16(const std::string& ascii, bool bigEndian)
{
    std::string out = bigEndian ? std::string("\xFE\xFF", 2) : std::string("\xFF\xFE", 2);
    for (char c : ascii)
    {
        if (bigEndian)
            out += '\0', out += c;
        else
            out += c, out += '\0';
    }
    return out;
}

const std::string kRoomTool = "Filter Settings file\n"
                              "\n"
                              "Room EQ V5.31\n"
                              "Dated: 10-Dec-2026 07:00:00\n"
                              "\n"
                              "Notes:\n"
                              "\n"
                              "Equaliser: Generic\n"
                              "Average 1\n"
                              "Filter  1: ON  PK       Fc   63.0 Hz  Gain  -5.2 dB  Q  4.00\n"
                              "Filter  2: ON  PK       Fc   125 Hz   Gain   3.0 dB  Q  1.41\n"
                              "Filter  3: OFF None\n"
                              "Filter  4: ON  PK       Fc   2500 Hz  Gain  -8.5 dB  Q  8.00\n";
}

// Each row a whole file, planned onto input 1 (six parametric bands) or
// output 1 (low shelf, 13 peaking bands, high shelf).
TEST(FilterImportTest, FilesPlanTheirBandsAndListWhatCannotBeDone)
{
    struct Expected
    {
        int nLine;
        int nBand;
        int nFreq;
        int nGainStep;
        int nWidthStep;  // -1: not checked (shelves)
        int nSlope;      // -1: not checked
    };
    struct Case
    {
        const char* name;
        std::string bytes;
        bool bOutput;
        std::vector<Expected> bands;
        std::vector<Problem> problems;
    };
    const std::string crlf = [] {
        std::string s;
        for (char c : kRoomTool)
            s += c == '\n' ? std::string("\r\n") : std::string(1, c);
        return s;
    }();
    const std::vector<Expected> roomBands = {
        {10, 0, 63, 348, 17, -1}, {11, 1, 125, 430, 49, -1}, {13, 2, 2520, 315, 8, -1}};
    std::string sevenPeaks;
    for (int i = 1; i <= 7; ++i)
        sevenPeaks += "Filter " + std::to_string(i) + ": ON PK Fc " + std::to_string(100 * i) + " Hz Gain -1 dB Q 2\n";

    const Case cases[] = {
        {"room tool export", kRoomTool, false, roomBands, {}},
        {"Windows line ends", crlf, false, roomBands, {}},
        {"UTF-16 little endian", Utf16(crlf, false), false, roomBands, {}},
        {"UTF-16 big endian", Utf16(kRoomTool, true), false, roomBands, {}},
        {"UTF-8 with BOM", "\xEF\xBB\xBF" + kRoomTool, false, roomBands, {}},
        {"equaliser form with preamp",
         "Preamp: -6 dB\nFilter 1: ON PK Fc 100 Hz Gain -3 dB Q 1.41\nFilter: ON PK Fc 1 kHz Gain 2,5 dB BW Oct 1.0\n",
         false,
         {{2, 0, 99, 370, 49, -1}, {3, 1, 1000, 425, 49, -1}},
         {{EProblem::kPreampNotApplied, 1, EValue::kNone, "-6"}}},
        {"more filters than bands", sevenPeaks, false,
         {{1, 0, 99, 390, 35, -1},
          {2, 1, 198, 390, 35, -1},
          {3, 2, 297, 390, 35, -1},
          {4, 3, 397, 390, 35, -1},
          {5, 4, 500, 390, 35, -1},
          {6, 5, 595, 390, 35, -1}},
         {{EProblem::kTooManyFilters, 7, EValue::kNone, ""}}},
        {"shelves on an output", "Filter 1: ON LS Fc 80 Hz Gain 4 dB\nFilter 2: ON HSC 6 dB Fc 8000 Hz Gain -2 dB\n"
                                 "Filter 3: ON PK Fc 1000 Hz Gain 1 dB Q 1.41\n",
         true,
         {{1, 0, 81, 440, -1, 1}, {2, 14, 8000, 380, -1, 0}, {3, 1, 1000, 410, 49, -1}},
         {}},
        {"shelves on an input", "Filter 1: ON LS Fc 80 Hz Gain 4 dB\nFilter 2: ON PK Fc 1000 Hz Gain 1 dB Q 1.41\n",
         false,
         {{2, 0, 1000, 410, 49, -1}},
         {{EProblem::kUnsupportedType, 1, EValue::kNone, "LS"}}},
        {"second low shelf", "Filter 1: ON LS Fc 80 Hz Gain 4 dB\nFilter 2: ON LS12 Fc 90 Hz Gain 1 dB\n", true,
         {{1, 0, 81, 440, -1, 1}},
         {{EProblem::kTooManyFilters, 2, EValue::kNone, ""}}},
        {"unsupported types", "Filter 1: ON HP Fc 30 Hz\nFilter 2: ON NO Fc 50 Hz\nFilter 3: ON PK Fc 40 Hz Gain 2 dB Q 3\n",
         false,
         {{3, 0, 41, 420, 23, -1}},
         {{EProblem::kUnsupportedType, 1, EValue::kNone, "HP"}, {EProblem::kUnsupportedType, 2, EValue::kNone, "NO"}}},
        {"values out of range",
         "Filter 1: ON PK Fc 10 Hz Gain -3 dB Q 2\nFilter 2: ON PK Fc 100 Hz Gain 25 dB Q 2\n"
         "Filter 3: ON PK Fc 100 Hz Gain -45 dB Q 2\nFilter 4: ON PK Fc 100 Hz Gain -3 dB Q 0.05\n"
         "Filter 5: ON PK Fc 100 Hz Gain -3 dB Q 200\nFilter 6: ON PK Fc 30000 Hz Gain -3 dB Q 2\n"
         "Filter 7: ON LSC 9 dB Fc 100 Hz Gain 2 dB\nFilter 8: ON LS Fc 3000 Hz Gain 2 dB\n",
         true,
         {},
         {{EProblem::kOutOfRange, 1, EValue::kFrequency, "10"},
          {EProblem::kOutOfRange, 2, EValue::kGain, "25"},
          {EProblem::kOutOfRange, 3, EValue::kGain, "-45"},
          {EProblem::kOutOfRange, 4, EValue::kQ, "0.05"},
          {EProblem::kOutOfRange, 5, EValue::kQ, "200"},
          {EProblem::kOutOfRange, 6, EValue::kFrequency, "30000"},
          {EProblem::kOutOfRange, 7, EValue::kSlope, "9"},
          {EProblem::kOutOfRange, 8, EValue::kFrequency, "3000"}}},
        {"unreadable lines",
         "Filter 1: ON PK Fc abc Hz Gain -3 dB Q 2\nFilter 2: ON PK Fc 100 Hz Gain -3 dB\nFilter 3: MAYBE PK\n"
         "Preamp: loud\nFilter 4: ON PK Fc 200 Hz Gain -3 dB Q 2 extra\nFilter 5: ON PK Fc 300 Hz Gain -3 dB Q 2\n",
         false,
         {{6, 0, 297, 370, 35, -1}},
         {Whole(EProblem::kUnreadableLine, 1), Whole(EProblem::kUnreadableLine, 2), Whole(EProblem::kUnreadableLine, 3),
          Whole(EProblem::kUnreadableLine, 4), Whole(EProblem::kUnreadableLine, 5)}},
        {"nothing to import", "Just some notes\nFilter 1: OFF None\n", false, {}, {Whole(EProblem::kNoFilters)}},
        {"empty file", "", false, {}, {Whole(EProblem::kNoFilters)}},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        const auto data = Fresh();
        const Plan plan = PlanImport(c.bytes, *data, {!c.bOutput, 0});
        EXPECT_EQ(plan.problems, c.problems);
        EXPECT_EQ(FromFileCount(plan), static_cast<int>(c.bands.size()));
        EXPECT_EQ(plan.bands.size(), c.bOutput ? 15u : 6u);
        EXPECT_EQ(plan.CanApply(), !c.bands.empty());
        for (const Expected& e : c.bands)
        {
            SCOPED_TRACE(e.nLine);
            const PlannedBand* band = BandOfLine(plan, e.nLine);
            ASSERT_NE(band, nullptr);
            EXPECT_EQ(band->nBand, e.nBand);
            EXPECT_EQ(band->nFreq, e.nFreq);
            EXPECT_EQ(band->nGainStep, e.nGainStep);
            if (e.nWidthStep >= 0)
            {
                EXPECT_EQ(band->nWidthStep, e.nWidthStep);
            }
            if (e.nSlope >= 0)
            {
                EXPECT_EQ(band->nSlope, e.nSlope);
            }
        }
        // Bands the file does not reach are switched off.
        for (const PlannedBand& band : plan.bands)
        {
            if (!band.bFromFile)
            {
                EXPECT_EQ(band.nGainStep, kEqGainZero) << band.nBand;
            }
        }
    }
}

TEST(FilterImportTest, LockedOrGraphicChannelsTakeNothing)
{
    auto data = Fresh();
    const Plan locked = PlanImport(kRoomTool, *data, ChannelAddress::Input(2), true);
    EXPECT_FALSE(locked.CanApply());
    EXPECT_EQ(locked.problems, std::vector<Problem>{Whole(EProblem::kLocked)});

    data->Output(3).SetGeqMode(1, 0);
    const Plan graphic = PlanImport(kRoomTool, *data, ChannelAddress::Output(3));
    EXPECT_FALSE(graphic.CanApply());
    EXPECT_EQ(graphic.problems, std::vector<Problem>{Whole(EProblem::kGraphicMode)});
}

// The processor's peaking design spreads a step over twice the bandwidth the
// step names; the step chosen for a file's Q is the one whose curve is
// nearest, so a Q of 1.41 (one octave) becomes the step named half an octave.
TEST(FilterImportTest, WidthStepMatchesTheCurveTheQDescribes)
{
    EXPECT_EQ(WidthStepForQ(1.414), 49);
    EXPECT_EQ(WidthStepForQ(QOfBandwidth(2.0)), 99);
    EXPECT_EQ(WidthStepForQ(72.0), 0);
    EXPECT_EQ(WidthStepForQ(0.127), 299);
    EXPECT_EQ(WidthStepForQ(0.1), -1);
    EXPECT_EQ(WidthStepForQ(150.0), -1);
    EXPECT_EQ(WidthStepForQ(0.0), -1);
    EXPECT_EQ(WidthStepForQ(std::nan("")), -1);
}

// The curve after the import against the curve the file describes: the
// common peaking biquad at the file's own Fc, gain and Q, at the processor's
// 96 kHz. They agree within what the axis resolves: each point of the
// record's curve lies within the file curve's span over the neighbouring axis
// points, give or take a gain step.
TEST(FilterImportTest, CurveAfterImportFollowsTheFileCurve)
{
    constexpr double kRate = 96000.0;
    const std::string file = "Filter 1: ON PK Fc 63.0 Hz Gain -5.2 dB Q 4.00\n"
                             "Filter 2: ON PK Fc 140 Hz Gain 4.5 dB Q 1.00\n"
                             "Filter 3: ON PK Fc 410 Hz Gain -3.3 dB Q 0.70\n"
                             "Filter 4: ON PK Fc 1234 Hz Gain 6.0 dB Q 2.50\n"
                             "Filter 5: ON PK Fc 5100 Hz Gain -9.0 dB Q 6.00\n"
                             "Filter 6: ON PK Fc 12000 Hz Gain 2.0 dB Q 0.50\n";
    struct Peak
    {
        double f, g, q;
    };
    const Peak peaks[] = {{63, -5.2, 4}, {140, 4.5, 1}, {410, -3.3, 0.7}, {1234, 6, 2.5}, {5100, -9, 6}, {12000, 2, 0.5}};

    Response described{};
    for (const Peak& p : peaks)
    {
        const double w0 = 2 * std::numbers::pi * p.f / kRate;
        const double a = std::pow(10.0, p.g / 40.0);
        const double alpha = std::sin(w0) / (2 * p.q);
        const double b[3] = {1 + alpha * a, -2 * std::cos(w0), 1 - alpha * a};
        const double den[3] = {1 + alpha / a, -2 * std::cos(w0), 1 - alpha / a};
        for (int i = 0; i < kFreqPoints; ++i)
        {
            const std::complex<double> z1 = std::polar(1.0, -2 * std::numbers::pi * FreqTable()[i] / kRate);
            const std::complex<double> h = (b[0] + b[1] * z1 + b[2] * z1 * z1) / (den[0] + den[1] * z1 + den[2] * z1 * z1);
            described[i] += 20 * std::log10(std::abs(h));
        }
    }

    auto data = Fresh();
    const Plan plan = PlanImport(file, *data, ChannelAddress::Input(1));
    ASSERT_TRUE(plan.problems.empty());
    for (const PlannedBand& band : plan.bands)
    {
        const ParamAt at{1, band.nBand};
        ParamCatalogue::Set(EParam::kInBandFreq, *data, at, band.nFreq);
        ParamCatalogue::Set(EParam::kInBandWidth, *data, at, band.nWidthStep);
        ParamCatalogue::Set(EParam::kInBandGain, *data, at, band.nGainStep);
    }
    std::vector<const Response*> parts;
    for (int band = 0; band < 6; ++band)
        parts.push_back(&data->Input(1).GetBand(band).GetResponse());
    Response record{};
    SumResponses(parts, record);

    for (int i = 0; i < kFreqPoints; ++i)
    {
        const int lo = std::max(i - 1, 0);
        const int hi = std::min(i + 1, kFreqPoints - 1);
        const auto [least, most] = std::minmax({described[lo], described[i], described[hi]});
        EXPECT_GE(record[i], least - 0.2) << "at " << FreqTable()[i] << " Hz";
        EXPECT_LE(record[i], most + 0.2) << "at " << FreqTable()[i] << " Hz";
    }
}
