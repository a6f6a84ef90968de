// The response graph as a widget: its size reaching the records, a drag
// through mouse events with its notices, side switching, and what the
// picture shows.

#include "editors/FStatic.h"

#include "model/Audio_Data.h"
#include "model/GraphAxis.h"
#include "tests/editors/GraphFixture.h"
#include "model/LockState.h"
#include "session/ProcessorLink.h"

#include <QApplication>
#include <QMouseEvent>
#include <QScreen>
#include <QSignalSpy>

#include <gtest/gtest.h>

namespace
{
// The plot is then 601 x 240: 200 pixels per decade and 2 pixels per dB.
constexpr QSize kClient{646, 270};

QPoint ToQPoint(Point p)
{
    return {p.x, p.y};
}

QPoint At(int curveX, int curveY)
{
    return {curveX + kCurveLeft, curveY + kCurveTop};
}

class ResponseGraphTest : public ::testing::Test
{
protected:
    ResponseGraphTest()
    {
        graph.resize(kClient);
        graph.show();
        graph.Redraw(-1);
    }

    void Send(QEvent::Type type, QPoint pos, Qt::MouseButton button, Qt::MouseButtons held)
    {
        QMouseEvent event(type, QPointF(pos), graph.mapToGlobal(QPointF(pos)), button, held, Qt::NoModifier);
        QApplication::sendEvent(&graph, &event);
    }
    void Hover(QPoint pos) { Send(QEvent::MouseMove, pos, Qt::NoButton, held); }
    void Press(QPoint pos)
    {
        held = Qt::LeftButton;
        Send(QEvent::MouseButtonPress, pos, Qt::LeftButton, held);
    }
    void Release(QPoint pos)
    {
        held = Qt::NoButton;
        Send(QEvent::MouseButtonRelease, pos, Qt::LeftButton, held);
    }

    // Band 3 of input A, moved to 500 Hz, clear of its neighbours; gives its
    // point's centre.
    QPoint PlaceBand()
    {
        data.Input(0).GetBand(2).SetFrequency(500);
        return ToQPoint(Centre(data.Input(0).GetBand(2).m_rcHandle));
    }

    CProcessorLink link;
    CAudio_Data& data = link.Record();
    CLockState& locks = link.Locks();
    CFStatic graph{link};
    Qt::MouseButtons held = Qt::NoButton;
};

TEST_F(ResponseGraphTest, TheRecordsFollowTheWidgetSize)
{
    graph.resize(880, 160);
    graph.Redraw(-1);
    EXPECT_EQ(graph.Layout().W, 835);
    EXPECT_EQ(graph.Layout().H, 130);
    EXPECT_EQ(data.Input(0).GetEQ().GetGraphHeight(), 130);
    EXPECT_EQ(data.Output(7).GetEQ().GetGraphHeight(), 130);
    // The high-pass point rides on -40 dB: Y(-40) = 87 for H = 130.
    EXPECT_EQ(data.Output(7).GetEQ().GetHighPass().m_rcHandle.top, 87 + kCurveTop);

    graph.resize(1200, 700);
    graph.Redraw(-1);
    EXPECT_EQ(data.Input(3).GetEQ().GetGraphHeight(), 670);
    EXPECT_EQ(graph.Picture().size(), QSize(1200, 700) * graph.devicePixelRatioF());
}

TEST_F(ResponseGraphTest, ADragFromPressToReleaseMovesTheBandAndIsReportedPerTick)
{
    const CFilter& band = data.Input(0).GetBand(2);
    const QPoint start = PlaceBand();
    QSignalSpy spy(&link.Notice(), &CRecordNotice::valueChanged);

    Hover(start);
    EXPECT_EQ(graph.Pointer().CurrentFilter(), &band);
    EXPECT_EQ(graph.cursor().shape(), Qt::PointingHandCursor);
    Press(start);
    Hover(At(300, 70));
    Hover(At(350, 60));
    EXPECT_EQ(spy.count(), 0);
    graph.NotifyTick();
    ASSERT_EQ(spy.count(), 1);
    // Input A's band 3: its gain was the last value the drag wrote.
    EXPECT_EQ(spy.at(0).at(0).toInt(), 1);
    EXPECT_EQ(spy.at(0).at(1).value<EParam>(), EParam::kInBandGain);

    Hover(At(400, 56));
    graph.NotifyTick();
    graph.NotifyTick();
    EXPECT_EQ(spy.count(), 2);
    Release(At(400, 56));

    EXPECT_EQ(band.m_nFreq, 2000);
    EXPECT_EQ(band.GetGainStep(), 520);
    Hover(At(100, 200));
    EXPECT_EQ(band.m_nFreq, 2000);
    EXPECT_NE(graph.cursor().shape(), Qt::PointingHandCursor);
}

TEST_F(ResponseGraphTest, TheNotifyTimerRunsOnItsOwn)
{
    const QPoint start = PlaceBand();
    QSignalSpy spy(&link.Notice(), &CRecordNotice::valueChanged);
    Hover(start);
    Press(start);
    Hover(At(400, 56));
    Release(At(400, 56));
    EXPECT_TRUE(spy.wait(3 * CFStatic::kNotifyIntervalMs));
    EXPECT_EQ(spy.count(), 1);
}

TEST_F(ResponseGraphTest, SelectingAnOutputSwitchesToOutputPoints)
{
    QSignalSpy spy(&link.Notice(), &CRecordNotice::valueChanged);
    graph.Select(ChannelAddress::Output(2));
    EXPECT_EQ(graph.Pointer().Selected(), ChannelAddress::Output(2));

    CFilter& lowPass = data.Output(2).GetEQ().GetLowPass();
    const QPoint start = ToQPoint(Centre(lowPass.m_rcHandle));
    Hover(start);
    EXPECT_EQ(graph.Pointer().GetCurrentIndex(), 16);
    Press(start);
    Hover(At(400, 190));
    Release(At(400, 190));
    EXPECT_EQ(lowPass.m_nFreq, 2000);
    graph.NotifyTick();
    ASSERT_EQ(spy.count(), 1);
    EXPECT_EQ(spy.at(0).at(0).toInt(), 7);
    EXPECT_EQ(spy.at(0).at(1).value<EParam>(), EParam::kLowPassFreq);

    graph.Select(ChannelAddress::Input(3));
    EXPECT_TRUE(graph.Pointer().Selected().bInput);
    EXPECT_EQ(graph.Pointer().CurrentFilter(), nullptr);
    // The output's points no longer take the mouse.
    Hover(start);
    EXPECT_EQ(graph.Pointer().CurrentFilter(), nullptr);
}

TEST_F(ResponseGraphTest, TheHoveredBandsAreaIsFilledUnlessTheEqIsLocked)
{
    PlaceBand();
    CFilter& band = data.Input(0).GetBand(2);
    band.SetGainStep(520);
    band.SetBandwidthStep(99);
    Hover(ToQPoint(Centre(band.m_rcHandle)));
    Hover(At(400, 220));  // away: the band stays highlighted

    // Between the band's +12 dB peak (y 66) and the 0 dB line (y 90), just
    // right of the 500 Hz grid line.
    const QPoint inside(FreqToX(500, 601) + kCurveLeft + 2, 80);
    const QColor area(68, 86, 98);
    EXPECT_EQ(graph.Picture().pixelColor(inside), area);

    locks.SetFlag(CLockState::kInEq, true);
    graph.Redraw(-1);
    EXPECT_EQ(graph.Picture().pixelColor(inside), QColor(Qt::black));
}

int CountPixels(const QImage& image, const QColor& colour)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += image.pixelColor(x, y) == colour;
    return count;
}

QColor ColourOf(const CAudio_Channel& channel)
{
    const ColorRef c = channel.GetColor();
    return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}

TEST_F(ResponseGraphTest, ShownCurvesAreDrawnAndTheSelectedOneLiesOnTop)
{
    TuneAllChannels(data, false);
    graph.Select(ChannelAddress::Output(2));
    const QColor inputA = ColourOf(data.Input(0));
    EXPECT_EQ(CountPixels(graph.Picture(), inputA), 0);

    TuneAllChannels(data, true);
    graph.Redraw(-1);
    const QImage& picture = graph.Picture();
    EXPECT_GT(CountPixels(picture, inputA), 100);

    const CAudio_OutData& selected = data.Output(2);
    int onTop = 0, checked = 0;
    for (const Point p : selected.GetCurvePoints())
    {
        bool underLabel = false;
        for (int k = 0; k < selected.GetEQ().GetSize(); ++k)
            underLabel |= Contains(selected.GetEQ().GetAt(k).m_rcHandle, p);
        if (underLabel || !Contains(graph.Layout().rcPlot, p))
            continue;
        ++checked;
        onTop += picture.pixelColor(p.x, p.y) == ColourOf(selected);
    }
    ASSERT_GT(checked, 150);
    EXPECT_EQ(onTop, checked);
}

// A move draws only what moved into the widget's back buffer; after a drag
// and a hover over every curve shown, the screen shows what a whole new
// picture shows, pixel for pixel.
TEST(ResponseGraphRepaintTest, DrawingOnlyWhatMovedLeavesTheWholePicture)
{
    CProcessorLink link;
    TuneAllChannels(link.Record(), true);
    CFStatic graph(link);
    graph.resize(900, 360);
    graph.show();
    graph.Select(ChannelAddress::Output(2));
    QApplication::processEvents();
    const auto send = [&graph](QEvent::Type type, QPoint pos, Qt::MouseButton button, Qt::MouseButtons held) {
        QMouseEvent event(type, QPointF(pos), graph.mapToGlobal(QPointF(pos)), button, held, Qt::NoModifier);
        QApplication::sendEvent(&graph, &event);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateRequest);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateLater);
    };
    // The screen (the back buffer) against a whole new picture.
    const auto differing = [&graph] {
        const QImage shown = graph.screen()->grabWindow(graph.winId()).toImage().convertToFormat(QImage::Format_RGB32);
        const QImage whole = graph.grab().toImage().convertToFormat(QImage::Format_RGB32);
        int count = shown.size() == whole.size() ? 0 : -1;
        for (int y = 0; count >= 0 && y < whole.height(); ++y)
            for (int x = 0; x < whole.width(); ++x)
                count += shown.pixel(x, y) != whole.pixel(x, y) ? 1 : 0;
        return count;
    };
    const CFilter& band = link.Record().Output(2).GetBand(6);
    const QPoint start = ToQPoint(Centre(band.m_rcHandle));
    send(QEvent::MouseMove, start, Qt::NoButton, Qt::NoButton);
    send(QEvent::MouseButtonPress, start, Qt::LeftButton, Qt::LeftButton);
    const int freq = band.m_nFreq;
    for (int move = 1; move <= 40; ++move)
    {
        send(QEvent::MouseMove, start + QPoint((move * 37) % 300 - 150, (move * 13) % 120 - 60), Qt::NoButton,
             Qt::LeftButton);
        if (move % 10 == 0)
            EXPECT_EQ(differing(), 0) << "drag move " << move;
    }
    EXPECT_NE(band.m_nFreq, freq);
    send(QEvent::MouseButtonRelease, start + QPoint(60, -30), Qt::LeftButton, Qt::NoButton);
    // Hovering from point to point moves the highlighted area, its summary
    // and the markers.
    const CEQ& eq = link.Record().Output(2).GetEQ();
    for (int i = 0; i < eq.GetSize(); i += 2)
    {
        send(QEvent::MouseMove, ToQPoint(Centre(eq.GetAt(i).m_rcHandle)), Qt::NoButton, Qt::NoButton);
        EXPECT_EQ(differing(), 0) << "hover over filter " << i;
    }
    for (int x = 40; x < 880; x += 97)
        send(QEvent::MouseMove, QPoint(x, 60 + x % 200), Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(differing(), 0);
}
}
