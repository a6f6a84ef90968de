// The mouse on the response graph without a widget: what hovering, pressing,
// dragging and releasing do to the records, and when a drag is reported.

#include "editors/GraphPointer.h"

#include "model/Audio_Data.h"
#include "model/GraphAxis.h"
#include "model/LockState.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace
{
// 200 pixels per decade and 2 pixels per dB: X(2000 Hz) = 400, Y(+12 dB) = 56.
constexpr int kW = 601;
constexpr int kH = 240;

Point At(int curveX, int curveY)
{
    return {curveX + kCurveLeft, curveY + kCurveTop};
}

class GraphPointerTest : public ::testing::Test
{
protected:
    GraphPointerTest()
    {
        data.SetLockState(&locks);
        data.SetGraphRect(kW, kH);
        // Told as (filter position, side): a crossover by its place after the bands.
        pointer.SetNotifier([this](EParam param, ParamAt at) {
            int index = at.nIndex;
            if (param == EParam::kHighPassFreq)
                index = CGraphPointer::kHighPassIndex;
            else if (param == EParam::kLowPassFreq)
                index = CGraphPointer::kLowPassIndex;
            notices.emplace_back(index, ParamCatalogue::Param(param).eSide == EParamSide::kInput);
        });
    }

    // What the response graph gives the pointer: every edit's writer.
    CGraphPointer::Editor Editor()
    {
        return [this](EParam param, ParamAt at, int step) { return ParamCatalogue::Set(param, data, at, step); };
    }

    // Hover, press, move through `path`, release.
    void Drag(Point from, std::initializer_list<Point> path)
    {
        pointer.Move(from);
        ASSERT_TRUE(pointer.Press(from));
        for (const Point p : path)
            pointer.Move(p);
        pointer.Release();
    }

    CLockState locks;
    CAudio_Data data;
    CGraphPointer pointer{data, &locks, Editor()};
    std::vector<std::pair<int, bool>> notices;
};

TEST_F(GraphPointerTest, HoverMakesTheBandUnderThePointerCurrentAndKeepsItAfterwards)
{
    CFilter& band = data.Input(0).GetBand(2);
    band.SetFrequency(500);
    EXPECT_FALSE(pointer.Move({0, 0}));
    EXPECT_EQ(pointer.CurrentFilter(), nullptr);

    EXPECT_TRUE(pointer.Move(Centre(band.m_rcHandle)));
    EXPECT_EQ(pointer.CurrentFilter(), &band);
    EXPECT_EQ(pointer.GetCurrentIndex(), 2);
    EXPECT_TRUE(pointer.IsOverPoint());
    EXPECT_EQ(pointer.Highlighted(-1), &band);
    EXPECT_EQ(pointer.Highlighted(4), &data.Input(0).GetBand(4));
    EXPECT_EQ(pointer.Highlighted(6), nullptr);

    pointer.Move({band.m_rcHandle.right + 40, band.m_rcHandle.bottom + 40});
    EXPECT_EQ(pointer.CurrentFilter(), &band);
    EXPECT_FALSE(pointer.IsOverPoint());
}

TEST_F(GraphPointerTest, OverlappingPointsGoToTheLowerPosition)
{
    data.Input(0).GetBand(2).SetFrequency(500);
    data.Input(0).GetBand(3).SetFrequency(500);
    pointer.Move(Centre(data.Input(0).GetBand(3).m_rcHandle));
    EXPECT_EQ(pointer.GetCurrentIndex(), 2);
}

TEST_F(GraphPointerTest, BandDragMovesFrequencyAndWholeDecibelsAndIsReportedOncePerTick)
{
    CFilter& band = data.Input(0).GetBand(2);
    band.SetFrequency(500);
    const Point start = Centre(band.m_rcHandle);

    pointer.Move(start);
    ASSERT_TRUE(pointer.Press(start));
    EXPECT_TRUE(pointer.IsHandleDragged());
    EXPECT_TRUE(pointer.Move(At(300, 70)));
    EXPECT_TRUE(pointer.Move(At(400, 56)));
    EXPECT_EQ(band.m_nFreq, 2000);
    EXPECT_EQ(band.GetGainStep(), 520);  // +12.0 dB
    EXPECT_EQ(band.m_bOff, 0);

    pointer.Tick();
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_EQ(notices[0], std::make_pair(2, true));

    // Within the same whole decibel and pixel: nothing changes, nothing is told.
    EXPECT_FALSE(pointer.Move(At(400, 56)));
    pointer.Tick();
    EXPECT_EQ(notices.size(), 1u);

    EXPECT_TRUE(pointer.Release());
    EXPECT_FALSE(pointer.IsDragging());
    // Once released, moving over the graph drags nothing.
    pointer.Move(At(100, 150));
    EXPECT_EQ(band.m_nFreq, 2000);
    EXPECT_EQ(band.GetGainStep(), 520);
}

TEST_F(GraphPointerTest, DraggingToZeroDecibelsSwitchesTheBandOff)
{
    CFilter& band = data.Input(0).GetBand(2);
    band.SetFrequency(500);
    band.SetGainStep(520);
    Drag(Centre(band.m_rcHandle), {At(400, DbToY(0, kH))});
    EXPECT_EQ(band.GetGainStep(), kEqGainZero);
    EXPECT_EQ(band.m_bOff, 1);
}

TEST_F(GraphPointerTest, ANoticeWaitingForAnotherFilterGoesOutBeforeItIsReplaced)
{
    CFilter& first = data.Input(0).GetBand(2);
    CFilter& second = data.Input(0).GetBand(4);
    first.SetFrequency(500);
    Drag(Centre(first.m_rcHandle), {At(330, 60)});
    EXPECT_TRUE(notices.empty());

    Drag(Centre(second.m_rcHandle), {At(520, 100)});
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_EQ(notices[0], std::make_pair(2, true));
    pointer.Tick();
    ASSERT_EQ(notices.size(), 2u);
    EXPECT_EQ(notices[1], std::make_pair(4, true));
}

TEST_F(GraphPointerTest, SelectingAChannelReportsAPendingChangeAndEndsTheDrag)
{
    ASSERT_TRUE(pointer.Select(ChannelAddress::Output(2)));
    CFilter& band = data.Output(2).GetBand(7);
    const Point start = Centre(band.m_rcHandle);
    pointer.Move(start);
    pointer.Press(start);
    pointer.Move({start.x + 30, start.y - 30});

    ASSERT_TRUE(pointer.Select(ChannelAddress::Input(1)));
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_EQ(notices[0], std::make_pair(7, false));
    EXPECT_EQ(pointer.CurrentFilter(), nullptr);
    EXPECT_EQ(band.m_bDragHandle, 0);
    EXPECT_EQ(band.m_bOverHandle, 0);
    pointer.Tick();
    EXPECT_EQ(notices.size(), 1u);

    EXPECT_FALSE(pointer.Select(ChannelAddress::Input(4)));
    EXPECT_FALSE(pointer.Select(ChannelAddress::Output(-1)));
    EXPECT_EQ(pointer.Selected(), ChannelAddress::Input(1));
}

TEST_F(GraphPointerTest, MarkerDragSetsTheBandwidthWithinItsLimits)
{
    CFilter& band = data.Input(0).GetBand(2);
    band.SetFrequency(500);
    band.SetGainStep(520);
    pointer.Move(Centre(band.m_rcHandle));

    const Point low = Centre(band.m_rcLowMarker);
    EXPECT_FALSE(pointer.Move(low));
    EXPECT_TRUE(pointer.IsOverPoint());
    ASSERT_TRUE(pointer.Press(low));
    EXPECT_TRUE(pointer.Move(At(0, 100)));
    EXPECT_EQ(band.GetBandwidthStep(), kBandwidthMax);  // 3.00 octaves
    pointer.Move(At(kW, 100));
    EXPECT_EQ(band.GetBandwidthStep(), kBandwidthMin);  // 0.01 octave
    pointer.Release();
    pointer.Tick();
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_EQ(notices[0], std::make_pair(2, true));

    // A marker move that keeps the step is no change.
    const Point high = Centre(band.m_rcHighMarker);
    pointer.Move(high);
    ASSERT_TRUE(pointer.Press(high));
    EXPECT_FALSE(pointer.Move(high));
    pointer.Release();
    pointer.Tick();
    EXPECT_EQ(notices.size(), 1u);
}

TEST_F(GraphPointerTest, OnlyParametricBandsOfferTheirMarkers)
{
    pointer.Select(ChannelAddress::Output(0));
    CFilter& shelf = data.Output(0).GetBand(0);
    ASSERT_EQ(shelf.GetType(), CFilter::kLowShelf);
    shelf.SetGainStep(460);
    pointer.Move(Centre(shelf.m_rcHandle));
    ASSERT_EQ(pointer.CurrentFilter(), &shelf);
    const Point marker = Centre(shelf.m_rcHighMarker);
    ASSERT_FALSE(Contains(shelf.m_rcHandle, marker));
    pointer.Move(marker);
    EXPECT_FALSE(pointer.IsOverPoint());
    EXPECT_FALSE(pointer.Press(marker));
}

TEST_F(GraphPointerTest, CrossoverDragsStopAtTheirPartner)
{
    pointer.Select(ChannelAddress::Output(0));
    CEQ& eq = data.Output(0).GetEQ();
    CFilter& highPass = eq.GetHighPass();
    CFilter& lowPass = eq.GetLowPass();

    pointer.Move(Centre(highPass.m_rcHandle));
    EXPECT_EQ(pointer.GetCurrentIndex(), CGraphPointer::kHighPassIndex);
    Drag(Centre(highPass.m_rcHandle), {At(400, 170)});
    EXPECT_EQ(highPass.m_nFreq, 2000);
    EXPECT_EQ(highPass.m_bOff, 0);

    // Leaving a crossover point without a drag drops it.
    pointer.Move(At(100, 20));
    EXPECT_EQ(pointer.CurrentFilter(), nullptr);

    pointer.Move(Centre(lowPass.m_rcHandle));
    EXPECT_EQ(pointer.GetCurrentIndex(), CGraphPointer::kLowPassIndex);
    Drag(Centre(lowPass.m_rcHandle), {At(200, 190)});  // 200 Hz: below the high-pass
    EXPECT_EQ(lowPass.m_nFreq, 2000);

    pointer.Tick();
    ASSERT_EQ(notices.size(), 2u);
    EXPECT_EQ(notices[0], std::make_pair(CGraphPointer::kHighPassIndex, false));
    EXPECT_EQ(notices[1], std::make_pair(CGraphPointer::kLowPassIndex, false));
}

TEST_F(GraphPointerTest, InputEqLockFreezesEveryInputPoint)
{
    CFilter& band = data.Input(0).GetBand(2);
    band.SetFrequency(500);
    locks.SetFlag(CLockState::kInEq, true);
    const Point centre = Centre(band.m_rcHandle);
    EXPECT_FALSE(pointer.Move(centre));
    EXPECT_EQ(pointer.CurrentFilter(), nullptr);
    EXPECT_FALSE(pointer.Press(centre));
    EXPECT_TRUE(pointer.IsFilterLocked(2));
}

TEST_F(GraphPointerTest, OutputLocksChooseWhichPointsTakeTheMouse)
{
    pointer.Select(ChannelAddress::Output(0));
    CEQ& eq = data.Output(0).GetEQ();
    const Point band = Centre(eq.GetAt(7).m_rcHandle);
    const Point highPass = Centre(eq.GetHighPass().m_rcHandle);

    locks.SetFlag(CLockState::kOutEq, true);
    pointer.Move(band);
    EXPECT_EQ(pointer.CurrentFilter(), nullptr);
    pointer.Move(highPass);
    EXPECT_EQ(pointer.GetCurrentIndex(), CGraphPointer::kHighPassIndex);
    EXPECT_TRUE(pointer.Press(highPass));
    pointer.Release();

    locks.SetFlag(CLockState::kOutEq, false);
    locks.SetFlag(CLockState::kOutXover, true);
    pointer.Move(At(100, 20));
    pointer.Move(highPass);
    EXPECT_EQ(pointer.CurrentFilter(), nullptr);
    pointer.Move(band);
    EXPECT_EQ(pointer.GetCurrentIndex(), 7);
    EXPECT_TRUE(pointer.IsFilterLocked(CGraphPointer::kLowPassIndex));
    EXPECT_FALSE(pointer.IsFilterLocked(7));
}

TEST_F(GraphPointerTest, ABandCurrentWhenTheEqIsLockedStillLetsTheCrossoverBeFound)
{
    pointer.Select(ChannelAddress::Output(0));
    CEQ& eq = data.Output(0).GetEQ();
    pointer.Move(Centre(eq.GetAt(7).m_rcHandle));
    locks.SetFlag(CLockState::kOutEq, true);
    pointer.Move(Centre(eq.GetHighPass().m_rcHandle));
    EXPECT_EQ(pointer.GetCurrentIndex(), CGraphPointer::kHighPassIndex);
}

TEST_F(GraphPointerTest, ALockArrivingDuringADragEndsIt)
{
    pointer.Select(ChannelAddress::Output(1));
    CFilter& band = data.Output(1).GetBand(7);
    const Point start = Centre(band.m_rcHandle);
    const int freq = band.m_nFreq;
    pointer.Move(start);
    ASSERT_TRUE(pointer.Press(start));
    locks.SetFlag(CLockState::kOutEq, true);
    pointer.Move({start.x + 60, start.y - 40});
    EXPECT_EQ(band.m_nFreq, freq);
    EXPECT_EQ(band.m_bDragHandle, 0);
    EXPECT_FALSE(pointer.IsDragging());
    pointer.Tick();
    EXPECT_TRUE(notices.empty());
}

TEST_F(GraphPointerTest, NoLockStateMeansNothingIsLocked)
{
    CGraphPointer free(data, nullptr, Editor());
    free.Select(ChannelAddress::Output(0));
    EXPECT_FALSE(free.IsFilterLocked(0));
    EXPECT_FALSE(free.IsFilterLocked(CGraphPointer::kLowPassIndex));
    EXPECT_TRUE(free.IsFilterLocked(17));
}
}
