#include "model/Audio_Data.h"
#include "model/GraphAxis.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace
{
constexpr int kW = 601;
constexpr int kH = 240;
constexpr int kZeroY = 80 + kCurveTop;  // DbToY(0, 240) + 10

bool IsFlat(const Response& response)
{
    return std::ranges::all_of(response, [](double db) { return db == 0.0; });
}

class Curves : public ::testing::Test
{
protected:
    void SetUp() override
    {
        data.SetLockState(&locks);
        data.SetGraphRect(kW, kH);
    }

    // Drags a band's handle from its centre to a pointer position.
    int DragHandle(CFilter& filter, Point to)
    {
        filter.BeginDrag(Centre(filter.m_rcHandle));
        const Point offset = filter.m_ptDragOffset;
        return filter.DragBand({to.x + offset.x, to.y + offset.y});
    }

    CLockState locks;
    CAudio_Data data;
};
}

TEST_F(Curves, ParametricBandPeaksAtItsFrequencyAndIsFlatAtTheEnds)
{
    CFilter& band = data.Input(0).GetBand(3);
    band.SetFrequency(1000);
    band.SetBandwidthStep(99);
    band.SetGainStep(460);
    const Response& r = band.GetResponse();
    EXPECT_NEAR(r[136], 6.0, 0.01);
    EXPECT_EQ(std::ranges::max_element(r) - r.begin(), 136);
    EXPECT_NEAR(r.front(), 0.0, 0.1);
    EXPECT_NEAR(r.back(), 0.0, 0.1);
    EXPECT_EQ(band.GetPolygon()[137].y, DbToY(r[136], kH) + kCurveTop);
    EXPECT_EQ(band.GetPolygon()[0], (Point{kCurveLeft, kZeroY}));
    EXPECT_EQ(band.GetPolygon()[242], (Point{kW + kCurveLeft, kZeroY}));

    band.SetOff(1);
    EXPECT_TRUE(IsFlat(band.GetResponse()));
}

TEST_F(Curves, BandsSnapToTheAxisButTheLowPassDoesNot)
{
    CFilter& a = data.Input(0).GetBand(2);
    CFilter& b = data.Input(1).GetBand(2);
    for (CFilter* band : {&a, &b})
    {
        band->SetGainStep(480);
        band->SetBandwidthStep(50);
    }
    a.SetFrequency(1015);
    b.SetFrequency(1030);
    EXPECT_EQ(a.GetResponse(), b.GetResponse());

    CFilter& lowA = data.Output(0).GetLowPass();
    CFilter& lowB = data.Output(1).GetLowPass();
    lowA.SetFrequency(1015);
    lowB.SetFrequency(1030);
    EXPECT_NE(lowA.GetResponse(), lowB.GetResponse());
}

TEST_F(Curves, OpenCrossoversAndZeroShelvesAreFlat)
{
    CAudio_OutData& out = data.Output(0);
    for (int type = 0; type <= 2; ++type)
        for (int slope = 0; slope <= 6; ++slope)
        {
            out.GetHighPass().SetXoverType(type);
            out.GetHighPass().SetSlope(slope);
            out.GetLowPass().SetXoverType(type);
            out.GetLowPass().SetSlope(slope);
            EXPECT_TRUE(IsFlat(out.GetHighPass().GetResponse())) << type << slope;
            EXPECT_TRUE(IsFlat(out.GetLowPass().GetResponse())) << type << slope;
        }
    CFilter& shelf = out.GetBand(0);
    shelf.m_bOff = 0;
    shelf.ComputeResponse();
    EXPECT_TRUE(IsFlat(shelf.GetResponse()));
}

TEST_F(Curves, ChannelCurveIsTheEqSumShiftedByTheGain)
{
    CAudio_InData& a = data.Input(0);
    a.SetGain(360);  // +6.0 dB
    a.UpdateCurve();
    const int gainY = DbToY(6.0, kH) + kCurveTop;
    EXPECT_EQ(a.GetGainOffset(), gainY);
    EXPECT_EQ(a.GetCurvePoints()[100].y, gainY);
    EXPECT_EQ(a.GetCurvePoints()[100].x, FreqToX(FreqTable()[100], kW) + kCurveLeft);

    a.GetBand(3).SetFrequency(1000);
    a.GetBand(3).SetGainStep(460);
    a.UpdateCurve();
    EXPECT_EQ(a.GetCurvePoints()[136].y, DbToY(a.GetBand(3).GetResponse()[136], kH) + kCurveTop + gainY - kZeroY);

    locks.SetFlag(CLockState::kInGain, true);
    a.UpdateCurve();
    EXPECT_EQ(a.GetCurvePoints()[0].y, kZeroY);
    EXPECT_LT(a.GetCurvePoints()[136].y, kZeroY);

    locks.SetFlag(CLockState::kInEq, true);
    a.UpdateCurve();
    for (const Point& point : a.GetCurvePoints())
        ASSERT_EQ(point.y, kZeroY);
}

TEST_F(Curves, OutputLocksChooseWhichFiltersAreSummed)
{
    CAudio_OutData& out = data.Output(2);
    locks.SetFlag(CLockState::kOutGain, true);
    out.GetBand(10).SetFrequency(2500);
    out.GetBand(10).SetGainStep(520);  // +12 dB near index 160
    out.GetHighPass().SetFrequency(500);
    const size_t peak = 166;   // 2500 Hz on the axis
    const size_t bass = 40;    // 62.5 Hz, far below the high-pass

    struct Case
    {
        bool eq, xover, peakShown, highPassShown;
    };
    for (const Case c : {Case{false, false, true, true}, Case{true, false, false, true},
                         Case{false, true, true, false}, Case{true, true, false, false}})
    {
        locks.SetFlag(CLockState::kOutEq, c.eq);
        locks.SetFlag(CLockState::kOutXover, c.xover);
        out.UpdateCurve();
        EXPECT_EQ(out.GetCurvePoints()[peak].y < kZeroY, c.peakShown) << c.eq << c.xover;
        EXPECT_EQ(out.GetCurvePoints()[bass].y > kZeroY, c.highPassShown) << c.eq << c.xover;
    }
}

TEST_F(Curves, InactiveBandsSitOnTheZeroLineAndCutsRaiseTheMarkers)
{
    CFilter& band = data.Output(0).GetBand(5);
    band.SetGainStep(280);  // -12 dB
    const int centreY = Centre(band.m_rcHandle).y;
    EXPECT_EQ(Centre(band.m_rcLowMarker).y, centreY - 10);
    band.SetBypass(1);
    EXPECT_EQ(Centre(band.m_rcHandle).y, kZeroY);
}

TEST_F(Curves, DraggingABandStopsAtItsLimits)
{
    CFilter& lowShelf = data.Output(0).GetBand(0);
    CFilter& highShelf = data.Output(0).GetBand(14);
    CFilter& peak = data.Output(0).GetBand(6);
    int fader = -1;
    peak.SetFader([&fader](int position) { fader = position; });

    DragHandle(lowShelf, {kW + kCurveLeft, 100});
    EXPECT_EQ(lowShelf.GetFrequency(), 2012);
    DragHandle(highShelf, {kCurveLeft, 100});
    EXPECT_EQ(highShelf.GetFrequency(), 2012);

    EXPECT_EQ(DragHandle(peak, {300, 0}), 1);
    EXPECT_EQ(peak.GetGainStep(), 600);
    EXPECT_EQ(fader, 0);
    EXPECT_TRUE(peak.IsChanged());
    DragHandle(peak, {300, kH + 50});
    EXPECT_EQ(peak.GetGainStep(), 0);
    EXPECT_EQ(fader, 600);
    DragHandle(peak, {300, kZeroY});
    EXPECT_EQ(peak.m_bOff, 1);
}

TEST_F(Curves, GraphicBandsMoveOnlyVerticallyAndKeepTheirWidth)
{
    CAudio_OutData& out = data.Output(1);
    out.SetGeqMode(1, 0);
    CFilter& band = out.GetBand(8);
    DragHandle(band, {50, 40});
    EXPECT_EQ(band.GetFrequency(), 1000);
    EXPECT_GT(band.GetGainStep(), 400);
    EXPECT_EQ(band.IsChanged(), 1);
    band.m_bDragLowMarker = 1;
    EXPECT_EQ(band.DragBandwidth(band.m_rcLowMarker.left - 100), 0);
    EXPECT_DOUBLE_EQ(band.GetBandwidth(), 0.22);
}

TEST_F(Curves, BandwidthMarkersStopAtAHundredthAndThreeOctaves)
{
    CFilter& band = data.Input(2).GetBand(3);
    band.SetFrequency(1000);
    band.SetGainStep(450);
    band.m_bDragLowMarker = 1;
    EXPECT_EQ(band.DragBandwidth(FreqToX(1000, kW) + 25), 1);
    EXPECT_EQ(band.GetBandwidthStep(), 0);
    band.DragBandwidth(FreqToX(20, kW) + 25);
    EXPECT_EQ(band.GetBandwidthStep(), 299);
}

TEST_F(Curves, LowPassNeverGoesBelowItsHighPassPartner)
{
    CAudio_OutData& out = data.Output(3);
    CFilter& high = out.GetHighPass();
    CFilter& low = out.GetLowPass();
    high.SetFrequency(800);
    low.BeginDrag(Centre(low.m_rcHandle));
    EXPECT_EQ(low.DragXover({kCurveLeft + 10 + low.m_ptDragOffset.x, 0}, high.GetFrequency()), 1);
    EXPECT_EQ(low.GetFrequency(), 800);
    EXPECT_EQ(low.m_bOff, 0);
    EXPECT_FALSE(IsFlat(low.GetResponse()));

    low.BeginDrag(Centre(low.m_rcHandle));
    low.DragXover({kW + kCurveLeft + 40 + low.m_ptDragOffset.x, 0}, high.GetFrequency());
    EXPECT_EQ(low.GetFrequency(), 20000);
    EXPECT_EQ(low.m_bOff, 1);
    EXPECT_TRUE(IsFlat(low.GetResponse()));

    high.BeginDrag(Centre(high.m_rcHandle));
    high.DragXover({-100, 0}, low.GetFrequency());
    EXPECT_EQ(high.GetFrequency(), 20);
    EXPECT_TRUE(IsFlat(high.GetResponse()));
}
