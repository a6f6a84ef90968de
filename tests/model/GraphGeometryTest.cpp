#include "model/GraphGeometry.h"

#include "model/FilterTypes.h"
#include "model/GraphAxis.h"

#include <gtest/gtest.h>

#include <vector>

namespace
{
constexpr int W = 601, H = 240;  // 200 pixels per decade, 2 pixels per dB

BandHandleInput Band(double freq, double gainDb, int type = kFilterParametric)
{
    BandHandleInput band;
    band.dFreq = freq;
    band.dGainDb = gainDb;
    band.nType = type;
    return band;
}

int ZeroDbLine()
{
    return DbToY(0, H) + kCurveTop;
}

// The widget point at which the centre of a handle would sit for these values.
Point PointerAt(double freq, double gainDb)
{
    return {FreqToX(freq, W) + kCurveLeft, DbToY(gainDb, H) + kCurveTop};
}
}

TEST(BandHandle, SitsOnItsFrequencyAndGainWithTheLabelBelowIt)
{
    const BandHandle g = BandHandleGeometry(Band(1000, 6.0), W, H);
    // X(1000) = 339, Y(6) = 68; 8 pixels either side, moved by the origin.
    EXPECT_EQ(g.rcHandle, (Rect{366, 70, 382, 86}));
    EXPECT_EQ(g.rcLabel, (Rect{366, 95, 532, 111}));
    EXPECT_EQ(Centre(g.rcHandle), (Point{374, 78}));
}

TEST(BandHandle, InactiveBandSitsOnTheZeroLineWhateverItsGain)
{
    BandHandleInput band = Band(1000, -12.0);
    band.bInactive = true;
    EXPECT_EQ(Centre(BandHandleGeometry(band, W, H).rcHandle).y, ZeroDbLine());
    band.bInactive = false;
    EXPECT_EQ(Centre(BandHandleGeometry(band, W, H).rcHandle).y, DbToY(-12, H) + kCurveTop);
}

TEST(BandHandle, EdgesOfTheGraph)
{
    struct Row
    {
        const char* name;
        BandHandleInput band;
        Rect handle;
        Rect label;
    };
    BandHandleInput keptLow = Band(20, 0.0);
    keptLow.bGeqFreqSet = true;
    keptLow.nCode = 16;
    BandHandleInput keptHigh = Band(20000, 0.0);
    keptHigh.bGeqFreqSet = true;
    keptHigh.nCode = 11;
    BandHandleInput notKept = Band(20000, 0.0);
    notKept.bGeqFreqSet = true;
    notKept.nCode = 10;
    const Row rows[] = {
        // Half over the left edge, but no further.
        {"20 Hz band", Band(20, 0.0), {27, 82, 43, 98}, {27, 107, 193, 123}},
        // Half over the right edge; the label flips to end at the right edge.
        {"20 kHz band", notKept, {627, 82, 643, 98}, {466, 107, 636, 123}},
        {"20 kHz shelf", Band(20000, 0.0, kFilterHighShelf), {627, 82, 643, 98}, {520, 107, 636, 123}},
        // The higher output bands stay wholly inside once they have a graphic frequency.
        {"kept 20 Hz band", keptLow, {35, 82, 51, 98}, {35, 107, 201, 123}},
        {"kept 20 kHz band", keptHigh, {620, 82, 636, 98}, {466, 107, 636, 123}},
    };
    for (const Row& row : rows)
    {
        const BandHandle g = BandHandleGeometry(row.band, W, H);
        EXPECT_EQ(g.rcHandle, row.handle) << row.name;
        EXPECT_EQ(g.rcLabel, row.label) << row.name;
    }
    // On a low graph +20 dB lies less than half a handle below the top; the
    // handle stops at the top edge.
    EXPECT_EQ(BandHandleGeometry(Band(1000, 20.0), W, 24).rcHandle.top, kCurveTop);
}

TEST(BandMarkers, StandOutsideTheBandEdgesOnTheFlanksOfTheCurve)
{
    const BandHandle boost = BandHandleGeometry(Band(1000, 6.0), W, H);
    const BandHandle cut = BandHandleGeometry(Band(1000, -12.0), W, H);
    EXPECT_EQ(Centre(boost.markers.rcLow).y, Centre(boost.rcHandle).y + 10);
    EXPECT_EQ(Centre(cut.markers.rcLow).y, Centre(cut.rcHandle).y - 10);
    EXPECT_EQ(Centre(cut.markers.rcHigh).y, Centre(cut.rcHandle).y - 10);

    // 0.3 octave: X(812.3) = 321 and X(1231.1) = 357, moved 10 pixels outward.
    EXPECT_EQ(boost.markers.rcLow, (Rect{342, 84, 350, 92}));
    EXPECT_EQ(boost.markers.rcHigh, (Rect{398, 84, 406, 92}));
    const MarkerRects geq = BandMarkerRects(boost.rcHandle, 1000, 0.3, 6.0, true, W);
    EXPECT_EQ(Centre(geq.rcLow).x, 321 + kCurveLeft);
    EXPECT_EQ(Centre(geq.rcHigh).x, 357 + kCurveLeft);
}

TEST(XoverHandle, HighPassOnMinus40AndLowPassOnMinus50)
{
    const XoverHandle hp = XoverHandleGeometry(1000, true, W, H);
    EXPECT_EQ(hp.rcHandle, (Rect{366, 170, 382, 186}));
    EXPECT_EQ(hp.rcLabel, (Rect{366, 195, 432, 211}));
    const XoverHandle lp = XoverHandleGeometry(20000, false, W, H);
    EXPECT_EQ(lp.rcHandle, (Rect{627, 190, 643, 206}));
    EXPECT_EQ(lp.rcLabel, (Rect{570, 215, 636, 231}));
    EXPECT_EQ(XoverHandleGeometry(20, true, W, H).rcHandle.left, 27);
}

TEST(DragOffsets, AreMeasuredFromTheHandleCentreAndTheMarkersInnerEdge)
{
    const Rect handle{366, 70, 382, 86};
    EXPECT_EQ(HandleDragOffset({370, 80}, handle), (Point{-4, 2}));
    const Rect marker{342, 84, 350, 92};
    EXPECT_EQ(MarkerDragOffset(347, marker, true), -3);
    EXPECT_EQ(MarkerDragOffset(347, marker, false), 5);
}

TEST(BandDrag, LimitsOfTheDrag)
{
    struct Row
    {
        const char* name;
        int type;
        bool geq;
        Point pointer;
        int freq;
        int gainDb;
    };
    const int right = W + kCurveLeft + 50, left = kCurveLeft - 50;
    const int top = kCurveTop - 50, bottom = H + kCurveTop + 50;
    const Row rows[] = {
        {"low shelf dragged right", kFilterLowShelf, false, {right, ZeroDbLine()}, 2012, 0},
        {"low shelf below the limit", kFilterLowShelf, false, PointerAt(1000, -3), 990, -3},
        {"high shelf dragged left", kFilterHighShelf, false, {left, ZeroDbLine()}, 2012, 0},
        {"high shelf above the limit", kFilterHighShelf, false, PointerAt(5000, 3), 4966, 3},
        {"band dragged to the top left", kFilterParametric, false, {left, top}, 20, 20},
        {"band dragged to the bottom right", kFilterParametric, false, {right, bottom}, 20000, -40},
        {"graphic band moves only vertically", kFilterParametric, true, {right, top}, 630, 20},
    };
    for (const Row& row : rows)
    {
        BandDragInput drag;
        drag.ptPointer = row.pointer;
        drag.nType = row.type;
        drag.bGeq = row.geq;
        drag.nFreq = 630;
        drag.nGainStep = 400;
        const BandDrag result = BandDragTarget(drag, W, H);
        EXPECT_EQ(result.nFreq, row.freq) << row.name;
        EXPECT_EQ(result.nGainDb, row.gainDb) << row.name;
        EXPECT_EQ(result.nGainStep, 400 + 10 * row.gainDb) << row.name;
        EXPECT_TRUE(result.bChanged) << row.name;
    }
}

TEST(BandDrag, ReportsAChangeOnlyWhenFrequencyOrGainStepMoves)
{
    BandDragInput drag;
    drag.nType = kFilterParametric;
    drag.ptDragOffset = {3, -2};
    drag.ptPointer = {PointerAt(1000, -6).x + 3, PointerAt(1000, -6).y - 2};
    drag.nFreq = 990;      // what X(1000) maps back to
    drag.nGainStep = 340;  // -6 dB
    BandDrag result = BandDragTarget(drag, W, H);
    EXPECT_FALSE(result.bChanged);
    EXPECT_EQ(result.dGain, 340 * 0.1 - 40);

    // An inactive band reports step 400; dragging it onto 0 dB changes nothing.
    drag.ptPointer = {PointerAt(1000, 0).x + 3, PointerAt(1000, 0).y - 2};
    drag.nGainStep = 400;
    result = BandDragTarget(drag, W, H);
    EXPECT_FALSE(result.bChanged);
    EXPECT_EQ(result.dGain, 0.0);

    drag.nGainStep = 420;  // it was at +2 dB
    EXPECT_TRUE(BandDragTarget(drag, W, H).bChanged);
}

TEST(BandwidthDrag, MarkersGiveBackTheBandwidthTheyShow)
{
    // Both ways truncate: a pixel is 1/200 decade (0.017 octave) and the
    // frequency read back drops its fraction of a hertz, so a marker dropped
    // where it stands reads back within three steps. Mixing up the two
    // markers' 10-pixel shifts would be 33 steps off.
    for (int step : {0, 9, 29, 99, 150, 299})
    {
        const double octaves = step * 0.01 + 0.01;
        const BandHandle g = BandHandleGeometry(Band(400, 6.0), W, H);
        const MarkerRects markers = BandMarkerRects(g.rcHandle, 400, octaves, 6.0, false, W);
        EXPECT_NEAR(BandwidthDragStep(Centre(markers.rcLow).x, true, 400, W), step, 3) << "lower, step " << step;
        EXPECT_NEAR(BandwidthDragStep(Centre(markers.rcHigh).x, false, 400, W), step, 3) << "upper, step " << step;
    }
}

TEST(BandwidthDrag, LimitsOfTheDrag)
{
    const int ownX = FreqToX(1000, W);
    EXPECT_EQ(BandwidthDragStep(ownX + 25, true, 1000, W), 0);        // 0.01 octave
    EXPECT_EQ(BandwidthDragStep(ownX + 45 - 30, false, 1000, W), 0);  // upper marker pulled inside
    EXPECT_EQ(BandwidthDragStep(FreqToX(125, W) + 25, true, 1000, W), 299);  // 3 octaves below
    EXPECT_EQ(BandwidthDragStep(25 - 100, true, 1000, W), 299);              // far beyond the left edge
    EXPECT_EQ(BandwidthDragStep(FreqToX(2000, W) + 45, false, 1000, W), 99); // one octave above
}

TEST(XoverDrag, TheFiltersNeverCross)
{
    struct Row
    {
        const char* name;
        bool highPass;
        int pointerX;
        int freq;
        int paired;
        bool changed;
        int newFreq;
        std::optional<bool> off;
    };
    const auto at = [](double hz) { return FreqToX(hz, W) + kCurveLeft; };
    const Row rows[] = {
        {"high-pass to the left edge", true, kCurveLeft, 500, 5000, true, 20, std::nullopt},
        {"high-pass at 20 Hz to the left edge", true, 0, 20, 5000, true, 20, std::nullopt},
        {"high-pass moved", true, at(1000), 500, 5000, true, 990, false},
        {"high-pass above the low-pass", true, at(10000), 500, 5000, true, 5000, false},
        {"low-pass below the high-pass", false, at(200), 5000, 1000, true, 1000, false},
        {"low-pass to the right edge", false, W + kCurveLeft + 80, 5000, 1000, true, 20000, true},
        {"low-pass to the left edge", false, -200, 5000, 80, true, 80, false},
        {"same frequency", false, at(1000), 990, 80, false, 990, std::nullopt},
    };
    for (const Row& row : rows)
    {
        const XoverDrag result = XoverDragTarget(row.pointerX, 0, row.highPass, row.freq, row.paired, W);
        EXPECT_EQ(result.bChanged, row.changed) << row.name;
        EXPECT_EQ(result.nFreq, row.newFreq) << row.name;
        EXPECT_EQ(result.bOff, row.off) << row.name;
    }
    // The offset taken at the start of the drag is kept off the pointer.
    EXPECT_EQ(XoverDragTarget(at(1000) + 6, 6, true, 500, 5000, W).nFreq, 990);
}
