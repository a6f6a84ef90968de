// Layout of the response graph and the texts it writes, without painting.

#include "editors/GraphLayout.h"
#include "editors/GraphText.h"

#include "model/Filter.h"
#include "model/GraphAxis.h"
#include "model/ValueText.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <map>
#include <string>

namespace
{
// The frequency and level a scale label names ("5K", "-20", "0dB").
int LabelFreq(const std::string& text)
{
    const bool kilo = text.back() == 'K';
    return std::stoi(kilo ? text.substr(0, text.size() - 1) : text) * (kilo ? 1000 : 1);
}

int LabelDb(const std::string& text)
{
    return std::stoi(text);
}

// A client of 646 x 270 gives the plot 601 x 240: 200 pixels per decade and
// 2 pixels per dB.
constexpr int kClientW = 646;
constexpr int kClientH = 270;

Point At(int curveX, int curveY)
{
    return {curveX + kCurveLeft, curveY + kCurveTop};
}

TEST(GraphLayoutTest, PlotGridAndScaleOfAn880By160Client)
{
    const GraphLayout layout = ComputeGraphLayout(880, 160);
    EXPECT_EQ(layout.W, 835);
    EXPECT_EQ(layout.H, 130);
    EXPECT_EQ(layout.rcPlot, (Rect{35, 10, 870, 140}));
    // 10 + truncate(10.833 x k)
    EXPECT_EQ(layout.aGridY[0], 20);
    EXPECT_EQ(layout.aGridY[5], 75);
    EXPECT_EQ(layout.aGridY[10], 129);
    EXPECT_EQ(layout.aGridY[11], 140);
    // W div 3 = 278 pixels per decade from 20 Hz.
    EXPECT_EQ(layout.aGridX[0], 35);      // 20 Hz
    EXPECT_EQ(layout.aGridX[8], 35 + 194); // 100 Hz
    EXPECT_EQ(layout.aGridX[9], 35 + 278); // 200 Hz
    EXPECT_EQ(layout.aGridX[18], 35 + 556); // 2000 Hz
    EXPECT_EQ(layout.aGridX[26], 35 + 750); // 10000 Hz

    struct Expected
    {
        const char* text;
        Point at;
    };
    const Expected expected[] = {
        {"+40", {6, 5}},   {"+20", {6, 23}},  {"0dB", {6, 43}},  {"-20", {6, 65}},  {"-40", {6, 89}},
        {"-60", {6, 109}}, {"-80", {6, 130}}, {"20", {30, 140}}, {"50", {143, 140}}, {"100", {220, 140}},
        {"200", {298, 140}}, {"500", {421, 140}}, {"1K", {501, 140}}, {"2K", {581, 140}}, {"5K", {700, 140}},
        {"10K", {780, 140}}, {"20K", {850, 140}},
    };
    const auto labels = ScaleLabels(layout);
    ASSERT_EQ(labels.size(), std::size(expected));
    for (size_t i = 0; i < labels.size(); ++i)
    {
        SCOPED_TRACE(expected[i].text);
        EXPECT_EQ(labels[i].strText, expected[i].text);
        EXPECT_EQ(labels[i].ptTopLeft, expected[i].at);
    }
}

// Each frequency label keeps to its grid line at any width: its left edge
// stands as far from the line as at the classic 835-pixel plot, and each
// level label as far from its level.
TEST(GraphLayoutTest, ScaleLabelsKeepToTheirLinesAtEveryWidth)
{
    const GraphLayout classic = ComputeGraphLayout(835 + kCurveLeft + kPlotMarginRight, 160);
    std::map<std::string, int> freqOffset;
    std::map<std::string, int> levelOffset;
    for (const ScaleLabel& label : ScaleLabels(classic))
    {
        if (label.ptTopLeft.y == classic.rcPlot.bottom)
            freqOffset[label.strText] = label.ptTopLeft.x - (kCurveLeft + FreqToX(LabelFreq(label.strText), classic.W));
        else
            levelOffset[label.strText] = label.ptTopLeft.y - (kCurveTop + DbToY(LabelDb(label.strText), classic.H));
    }
    ASSERT_EQ(freqOffset.size(), 10u);
    ASSERT_EQ(levelOffset.size(), 7u);

    for (const int W : {835, 1000, 1420, 2000})
        for (const int H : {130, 240, 500})
        {
            SCOPED_TRACE(testing::Message() << W << " x " << H);
            const GraphLayout layout = ComputeGraphLayout(W + kCurveLeft + kPlotMarginRight, H + kCurveTop + kPlotMarginBottom);
            for (const ScaleLabel& label : ScaleLabels(layout))
            {
                SCOPED_TRACE(label.strText);
                if (label.ptTopLeft.y == layout.rcPlot.bottom)
                {
                    const int line = kCurveLeft + FreqToX(LabelFreq(label.strText), W);
                    if (freqOffset.count(label.strText))
                        EXPECT_NEAR(label.ptTopLeft.x - line, freqOffset[label.strText], 2);
                    else
                        EXPECT_NEAR(label.ptTopLeft.x - line, -10, 10); // added labels: under their line
                }
                else if (levelOffset.count(label.strText) && label.strText != "+40")
                {
                    EXPECT_NEAR(label.ptTopLeft.y - (kCurveTop + DbToY(LabelDb(label.strText), H)),
                                levelOffset[label.strText], 2);
                }
            }
        }
}

// A plot with room gets finer lines and more labels; the classic one has
// the classic 17 labels and no more lines.
TEST(GraphLayoutTest, RoomyPlotsGetMoreLinesAndLabels)
{
    struct Case
    {
        int W, H;
        size_t labels, minorX, minorY;
    };
    const Case cases[] = {
        {835, 130, 17, 0, 0},  {1000, 240, 17, 0, 0}, {1080, 240, 20, 0, 0},
        {1420, 340, 26, 0, 0}, {1800, 480, 26, 6, 12}, {2000, 130, 20, 6, 0},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(testing::Message() << c.W << " x " << c.H);
        const GraphLayout layout = ComputeGraphLayout(c.W + kCurveLeft + kPlotMarginRight, c.H + kCurveTop + kPlotMarginBottom);
        const auto labels = ScaleLabels(layout);
        EXPECT_EQ(labels.size(), c.labels);
        EXPECT_EQ(layout.aMinorGridX.size(), c.minorX);
        EXPECT_EQ(layout.aMinorGridY.size(), c.minorY);
        // Added lines fall between the others, inside the plot.
        for (const int x : layout.aMinorGridX)
        {
            EXPECT_GT(x, layout.rcPlot.left);
            EXPECT_LT(x, layout.rcPlot.right);
        }
        // No two labels of one axis overlap (about 7 pixels a character).
        for (size_t i = 0; i < labels.size(); ++i)
            for (size_t j = i + 1; j < labels.size(); ++j)
            {
                const bool bothFreq = labels[i].ptTopLeft.y == layout.rcPlot.bottom && labels[j].ptTopLeft.y == layout.rcPlot.bottom;
                if (bothFreq)
                    EXPECT_GE(std::abs(labels[i].ptTopLeft.x - labels[j].ptTopLeft.x), 21) << labels[i].strText << " " << labels[j].strText;
                else if (labels[i].ptTopLeft.x == labels[j].ptTopLeft.x)
                    EXPECT_GE(std::abs(labels[i].ptTopLeft.y - labels[j].ptTopLeft.y), 12) << labels[i].strText << " " << labels[j].strText;
            }
    }
}

TEST(GraphLayoutTest, AClientSmallerThanItsMarginsStillHasAPlot)
{
    const GraphLayout layout = ComputeGraphLayout(20, 5);
    EXPECT_EQ(layout.W, 1);
    EXPECT_EQ(layout.H, 1);
}

TEST(GraphLayoutTest, PointLabelAlignment)
{
    const Rect plot{35, 10, 870, 140};
    struct Case
    {
        const char* name;
        Rect handle;
        int freq;
        ELabelAlign align;
    };
    const Case cases[] = {
        {"at the plot's right edge", {854, 50, 870, 66}, 1000, ELabelAlign::Left},
        {"at 20 Hz", {27, 50, 43, 66}, 20, ELabelAlign::Right},
        {"inside", {300, 50, 316, 66}, 1000, ELabelAlign::Centre},
        {"at 20 kHz", {840, 50, 856, 66}, 20000, ELabelAlign::Left},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(PointLabelAlign(c.handle, c.freq, plot), c.align);
    }
}

TEST(GraphLayoutTest, ValueAndReadoutUnderThePointer)
{
    const GraphLayout layout = ComputeGraphLayout(kClientW, kClientH);
    const PointerValue value = ValueAtPointer(At(400, 56), layout);
    EXPECT_TRUE(value.bInPlot);
    EXPECT_EQ(value.nFreq, 2000);
    EXPECT_EQ(value.nLevelDb, 12);
    EXPECT_FALSE(ValueAtPointer({10, 100}, layout).bInPlot);
    EXPECT_FALSE(ValueAtPointer(At(601, 100), layout).bInPlot);

    EXPECT_EQ(PointerReadoutText(At(400, 56), layout, kEnglish), QStringLiteral("2000Hz  12dB"));
    EXPECT_EQ(PointerReadoutText(At(200, 200), layout, kChinese), QStringLiteral("200Hz  -60dB"));
    EXPECT_TRUE(PointerReadoutText({10, 100}, layout, kEnglish).isEmpty());

    EXPECT_EQ(ReadoutRect(100, 14, layout), (Rect{532, 14, 632, 28}));
    // Wider than the plot: kept at its left edge.
    EXPECT_EQ(ReadoutRect(700, 14, layout).left, 35);
}

TEST(GraphLayoutTest, DragInfoSitsAboveThePointOrBelowItsSummaryAndStaysInThePlot)
{
    const GraphLayout layout = ComputeGraphLayout(kClientW, kClientH);
    const Rect handle{300, 150, 316, 166};
    const Rect label{300, 175, 470, 191};
    EXPECT_EQ(DragInfoRect(handle, label, 80, 40, layout), (Rect{268, 106, 348, 146}));

    const Rect highHandle{300, 20, 316, 36};
    const Rect highLabel{300, 45, 470, 61};
    EXPECT_EQ(DragInfoRect(highHandle, highLabel, 80, 40, layout), (Rect{268, 65, 348, 105}));

    const Rect edgeHandle{620, 150, 636, 166};
    EXPECT_EQ(DragInfoRect(edgeHandle, label, 80, 40, layout).right, layout.rcPlot.right);
}

TEST(GraphTextTest, DragInfoOfEachFilterKind)
{
    CFilter band;
    band.SetFrequency(1000);
    band.SetGainStep(430);
    band.SetBandwidthStep(29);
    EXPECT_EQ(DragInfoLines(band, kEnglish),
              (QStringList{"Freq 1000Hz", "Gain 3.0dB", "BW 0.30oct"}));
    EXPECT_EQ(DragInfoLines(band, kChinese),
              (QStringList{QString::fromUtf8("频率 1000Hz"), QString::fromUtf8("增益 3.0dB"),
                           QString::fromUtf8("带宽 0.30oct")}));

    band.SetType(CFilter::kHighShelf);
    EXPECT_EQ(DragInfoLines(band, kEnglish), (QStringList{"Freq 1000Hz", "Gain 3.0dB"}));

    CFilter highPass;
    highPass.SetType(CFilter::kHighPass);
    highPass.SetFrequency(80);
    highPass.SetSlope(2);
    EXPECT_EQ(DragInfoLines(highPass, kEnglish), (QStringList{"Freq 80Hz", "Slope 24dB/oct"}));
    EXPECT_EQ(PointLabelText(highPass, 15), QStringLiteral("H"));
    highPass.SetType(CFilter::kLowPass);
    EXPECT_EQ(PointLabelText(highPass, 16), QStringLiteral("L"));
    EXPECT_EQ(PointLabelText(band, 2), QStringLiteral("3"));
}
}
