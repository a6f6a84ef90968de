#include "model/Audio_Data.h"
#include "model/GraphAxis.h"
#include "model/ParamCatalogue.h"

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

    // Drags band `band` of output `output` from its handle's centre to a
    // pointer position, written as the response graph writes a drag.
    int DragHandle(int output, int band, Point to)
    {
        CFilter& filter = data.Output(output).GetBand(band);
        filter.BeginDrag(Centre(filter.m_rcHandle));
        const Point offset = filter.m_ptDragOffset;
        const BandDrag target = filter.BandDragTo({to.x + offset.x, to.y + offset.y});
        if (!target.bChanged)
            return 0;
        ParamCatalogue::Set(EParam::kOutBandFreq, data, {output, band}, target.nFreq);
        ParamCatalogue::Set(EParam::kOutBandGain, data, {output, band}, target.nGainStep);
        return 1;
    }

    // Drags a crossover filter of output `output` to pointer x.
    XoverDrag DragXover(int output, bool highPass, int x)
    {
        CAudio_OutData& out = data.Output(output);
        CFilter& filter = highPass ? out.GetHighPass() : out.GetLowPass();
        filter.BeginDrag(Centre(filter.m_rcHandle));
        const XoverDrag target = filter.XoverDragTo({x + filter.m_ptDragOffset.x, 0},
                                                    (highPass ? out.GetLowPass() : out.GetHighPass()).GetFrequency());
        if (target.bOff)
            filter.m_bOff = *target.bOff ? 1 : 0;
        const EParam row = highPass ? EParam::kHighPassFreq : EParam::kLowPassFreq;
        if (target.bChanged)
            ParamCatalogue::Set(row, data, {output, 0}, target.nFreq);
        return target;
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

    band.SetOff(true);
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
    band.SetBypass(true);
    EXPECT_EQ(Centre(band.m_rcHandle).y, kZeroY);
}

TEST_F(Curves, DraggingABandStopsAtItsLimits)
{
    CFilter& lowShelf = data.Output(0).GetBand(0);
    CFilter& highShelf = data.Output(0).GetBand(14);
    CFilter& peak = data.Output(0).GetBand(6);

    DragHandle(0, 0, {kW + kCurveLeft, 100});
    EXPECT_EQ(lowShelf.GetFrequency(), 2012);
    DragHandle(0, 14, {kCurveLeft, 100});
    EXPECT_EQ(highShelf.GetFrequency(), 2012);

    EXPECT_EQ(DragHandle(0, 6, {300, 0}), 1);
    EXPECT_EQ(peak.GetGainStep(), 600);
    EXPECT_TRUE(peak.IsChanged());
    DragHandle(0, 6, {300, kH + 50});
    EXPECT_EQ(peak.GetGainStep(), 0);
    DragHandle(0, 6, {300, kZeroY});
    EXPECT_EQ(peak.m_bOff, 1);
}

TEST_F(Curves, GraphicBandsMoveOnlyVerticallyAndKeepTheirWidth)
{
    CAudio_OutData& out = data.Output(1);
    out.SetGeqMode(1, 0);
    CFilter& band = out.GetBand(8);
    DragHandle(1, 8, {50, 40});
    EXPECT_EQ(band.GetFrequency(), 1000);
    EXPECT_GT(band.GetGainStep(), 400);
    EXPECT_EQ(band.IsChanged(), 1);
    band.m_bDragLowMarker = true;
    EXPECT_FALSE(band.BandwidthDragTo(band.m_rcLowMarker.left - 100).has_value());
    EXPECT_DOUBLE_EQ(band.GetBandwidth(), 0.22);
}

TEST_F(Curves, BandwidthMarkersStopAtAHundredthAndThreeOctaves)
{
    CFilter& band = data.Input(2).GetBand(3);
    band.SetFrequency(1000);
    band.SetGainStep(450);
    band.m_bDragLowMarker = true;
    EXPECT_EQ(band.BandwidthDragTo(FreqToX(1000, kW) + 25).value_or(-1), 0);
    EXPECT_EQ(band.BandwidthDragTo(FreqToX(20, kW) + 25).value_or(-1), 299);
}

TEST_F(Curves, LowPassNeverGoesBelowItsHighPassPartner)
{
    CAudio_OutData& out = data.Output(3);
    CFilter& high = out.GetHighPass();
    CFilter& low = out.GetLowPass();
    high.SetFrequency(800);
    EXPECT_TRUE(DragXover(3, false, kCurveLeft + 10).bChanged);
    EXPECT_EQ(low.GetFrequency(), 800);
    EXPECT_EQ(low.m_bOff, 0);
    EXPECT_FALSE(IsFlat(low.GetResponse()));

    DragXover(3, false, kW + kCurveLeft + 40);
    EXPECT_EQ(low.GetFrequency(), 20000);
    EXPECT_EQ(low.m_bOff, 1);
    EXPECT_TRUE(IsFlat(low.GetResponse()));

    DragXover(3, true, -100);
    EXPECT_EQ(high.GetFrequency(), 20);
    EXPECT_TRUE(IsFlat(high.GetResponse()));
}
