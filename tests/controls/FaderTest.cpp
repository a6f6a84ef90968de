#include "model/ValueText.h"
#include "controls/Fader.h"

#include <QAccessible>
#include <QApplication>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>
#include <QWheelEvent>

#include <gtest/gtest.h>

namespace
{
// A gain fader as the channel panels set it up: positions 0 (top, +12 dB)
// to 420 (bottom), timed by a clock the test moves.
class FaderTest : public ::testing::Test
{
protected:
    FaderTest()
        : m_spy(&m_fader, &CFader::ValueReported)
    {
        m_fader.resize(40, 200);
        m_fader.SetRange(0, 420);
        m_fader.SetPosition(120);
        m_fader.SetClock([this] { return m_now; });
        m_fader.SetCaption(QStringLiteral("Gain"));
        m_fader.SetValueText([](int position) { return QString::fromStdString(FormatGain(420 - position)); });
    }

    QList<int> Reports()
    {
        QList<int> reports;
        for (const QList<QVariant>& signal : m_spy)
            reports << signal.at(0).toInt();
        m_spy.clear();
        return reports;
    }

    QPointF ThumbAt(int position)
    {
        return {m_fader.width() / 2.0, FaderThumbCentre(m_fader.Travel(), position)};
    }

    void Mouse(QEvent::Type type, QPointF at, Qt::MouseButtons buttons)
    {
        QMouseEvent event(type, at, m_fader.mapToGlobal(at), Qt::LeftButton, buttons, Qt::NoModifier);
        QApplication::sendEvent(&m_fader, &event);
    }
    void Press(QPointF at) { Mouse(QEvent::MouseButtonPress, at, Qt::LeftButton); }
    void MoveTo(QPointF at) { Mouse(QEvent::MouseMove, at, Qt::LeftButton); }
    void Release(QPointF at) { Mouse(QEvent::MouseButtonRelease, at, Qt::NoButton); }

    void Wheel(int delta)
    {
        const QPointF at(20, 100);
        QWheelEvent event(at, m_fader.mapToGlobal(at), {}, {0, delta}, Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(&m_fader, &event);
    }

    CFader m_fader;
    QSignalSpy m_spy;
    qint64 m_now = 10000;
};

TEST_F(FaderTest, KeysMoveAndReportAtOnce)
{
    struct
    {
        Qt::Key eKey;
        int nPosition;
    } const cases[] = {
        {Qt::Key_Up, 119},      {Qt::Key_Down, 120},   {Qt::Key_Left, 119}, {Qt::Key_Right, 120},
        {Qt::Key_PageUp, 110},  {Qt::Key_PageDown, 120}, {Qt::Key_Home, 0}, {Qt::Key_End, 420},
    };
    for (const auto& c : cases)
    {
        QTest::keyClick(&m_fader, c.eKey);
        EXPECT_EQ(m_fader.Position(), c.nPosition) << QTest::toString(c.eKey);
        EXPECT_EQ(Reports(), QList<int>{c.nPosition}) << QTest::toString(c.eKey);
    }
    // At the bottom already: nothing moves, nothing is reported.
    QTest::keyClick(&m_fader, Qt::Key_PageDown);
    EXPECT_EQ(Reports(), QList<int>{});
}

TEST_F(FaderTest, WheelStepsPerNotch)
{
    Wheel(120);  // away from the user: the thumb goes up
    EXPECT_EQ(Reports(), QList<int>{119});
    Wheel(-240);
    EXPECT_EQ(Reports(), QList<int>{121});
    Wheel(60);
    EXPECT_EQ(Reports(), QList<int>{});
    Wheel(60);
    EXPECT_EQ(Reports(), QList<int>{120});
}

TEST_F(FaderTest, ProgramPositionIsNotReported)
{
    m_fader.SetPosition(300);
    m_fader.SetPosition(-5);
    EXPECT_EQ(m_fader.Position(), 0);
    m_fader.SetPosition(999);
    EXPECT_EQ(m_fader.Position(), 420);
    EXPECT_EQ(Reports(), QList<int>{});
}

TEST_F(FaderTest, DragReportsAtMostEvery200MsAndOnRelease)
{
    Press(ThumbAt(120));
    EXPECT_TRUE(m_fader.IsDragging());
    EXPECT_EQ(Reports(), QList<int>{});

    MoveTo(ThumbAt(100));  // the first move goes out at once
    EXPECT_EQ(Reports(), QList<int>{100});
    m_now += 50;
    MoveTo(ThumbAt(80));
    m_now += 50;
    MoveTo(ThumbAt(60));
    EXPECT_EQ(Reports(), QList<int>{});
    m_now += 99;  // 199 ms after the report: still held back
    m_fader.DragTick();
    EXPECT_EQ(Reports(), QList<int>{});
    m_now += 1;
    m_fader.DragTick();
    EXPECT_EQ(Reports(), QList<int>{60});
    m_now += 200;
    m_fader.DragTick();  // nothing new since
    EXPECT_EQ(Reports(), QList<int>{});

    m_now += 10;
    MoveTo(ThumbAt(40));  // 210 ms after the last report: at once
    EXPECT_EQ(Reports(), QList<int>{40});
    m_now += 10;
    MoveTo(ThumbAt(30));
    Release(ThumbAt(30));
    EXPECT_EQ(Reports(), QList<int>{30});
    EXPECT_FALSE(m_fader.IsDragging());
    EXPECT_EQ(m_fader.Position(), 30);
}

TEST_F(FaderTest, HeldBackPositionGoesOutOnItsOwnTimer)
{
    m_fader.SetClock({});  // the real clock and the fader's own timer
    Press(ThumbAt(120));
    MoveTo(ThumbAt(100));
    MoveTo(ThumbAt(70));
    EXPECT_EQ(Reports(), QList<int>{100});
    // The pointer rests: the held-back position arrives without a new event.
    ASSERT_TRUE(m_spy.wait(1000));
    EXPECT_EQ(Reports(), QList<int>{70});
    Release(ThumbAt(70));
    EXPECT_EQ(Reports(), QList<int>{});
}

TEST_F(FaderTest, ReleaseAfterAReportedFinalPositionAddsNothing)
{
    Press(ThumbAt(120));
    MoveTo(ThumbAt(90));
    Release(ThumbAt(90));
    EXPECT_EQ(Reports(), QList<int>{90});

    // A press and release without a move reports nothing either.
    Press(ThumbAt(90));
    Release(ThumbAt(90));
    EXPECT_EQ(Reports(), QList<int>{});
}

TEST_F(FaderTest, DragBeyondTheEndsStopsAtTopAndBottom)
{
    // Grabbing the thumb off centre keeps that offset while it moves.
    const QPointF grab = ThumbAt(120) + QPointF(0, 6);
    Press(grab);
    MoveTo(grab);
    EXPECT_EQ(Reports(), QList<int>{});
    MoveTo({20, -300});
    EXPECT_EQ(m_fader.Position(), 0);
    m_now += 500;
    MoveTo({20, 900});
    Release({20, 900});
    EXPECT_EQ(Reports(), (QList<int>{0, 420}));
}

TEST_F(FaderTest, PressBesideTheThumbPages)
{
    Press({20, m_fader.height() - 2.0});
    Release({20, m_fader.height() - 2.0});
    EXPECT_EQ(Reports(), QList<int>{130});
    Press({20, 1});
    EXPECT_EQ(Reports(), QList<int>{120});
}

TEST_F(FaderTest, TooltipAndAccessibleValueFollowThePosition)
{
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(&m_fader);
    ASSERT_NE(accessible, nullptr);
    EXPECT_EQ(accessible->role(), QAccessible::Slider);
    EXPECT_EQ(accessible->text(QAccessible::Name), "Gain");
    EXPECT_EQ(accessible->text(QAccessible::Value), "0.0dB");
    EXPECT_EQ(m_fader.toolTip(), "Gain：0.0dB");  // Chinese until told otherwise
    m_fader.SetLanguage(kEnglish);
    EXPECT_EQ(m_fader.toolTip(), "Gain: 0.0dB");

    QAccessibleValueInterface* value = accessible->valueInterface();
    ASSERT_NE(value, nullptr);
    EXPECT_EQ(value->currentValue().toInt(), 300);  // grows upward like the gain
    value->setCurrentValue(320);
    EXPECT_EQ(m_fader.Position(), 100);
    EXPECT_EQ(Reports(), QList<int>{100});
    EXPECT_EQ(m_fader.toolTip(), "Gain: 2.0dB");

    QAccessibleActionInterface* actions = accessible->actionInterface();
    ASSERT_NE(actions, nullptr);
    actions->doAction(QAccessibleActionInterface::increaseAction());
    EXPECT_EQ(Reports(), QList<int>{99});
    actions->doAction(QAccessibleActionInterface::decreaseAction());
    EXPECT_EQ(Reports(), QList<int>{100});

    m_fader.setEnabled(false);
    value->setCurrentValue(0);
    EXPECT_EQ(Reports(), QList<int>{});
}
}
