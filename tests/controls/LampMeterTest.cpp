#include "model/ValueText.h"
#include "controls/LampMeter.h"

#include <QAccessible>
#include <QTest>

#include <gtest/gtest.h>

namespace
{
TEST(LampMeterTest, RepaintsOnlyWhenThePatternChanges)
{
    CLampMeter meter(ELampStyle::Output);
    std::int64_t nowMs = 0;
    meter.SetClock([&nowMs] { return nowMs; });
    const int before = meter.RepaintRequests();
    meter.SetLevel(9);
    EXPECT_EQ(meter.RepaintRequests(), before + 1);
    meter.SetLevel(10);  // the body stops at nine lamps: same pattern
    meter.SetLevel(9);
    EXPECT_EQ(meter.RepaintRequests(), before + 1);
    meter.SetLevel(25);
    EXPECT_EQ(meter.RepaintRequests(), before + 2);
    // Once the peak of 10 has run out, the same value read as an input
    // lights other lamps.
    nowMs += 2000;
    meter.SetLevel(25);
    meter.SetStyle(ELampStyle::Input);
    EXPECT_EQ(meter.Pattern(), LampPattern(25, ELampStyle::Input));
    EXPECT_EQ(meter.RepaintRequests(), before + 3);
    meter.SetLevel(0);
    EXPECT_EQ(meter.Pattern(), 0);
}

TEST(LampMeterTest, AccessibleLevelInBothLanguages)
{
    CLampMeter meter(ELampStyle::Output);
    meter.SetChannel(QStringLiteral("CH2"));
    meter.SetLevel(20);
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(&meter);
    ASSERT_NE(accessible, nullptr);
    EXPECT_EQ(accessible->text(QAccessible::Name), "CH2 电平");
    EXPECT_EQ(accessible->text(QAccessible::Value), "5/11 灯，标记亮");
    meter.SetLanguage(kEnglish);
    EXPECT_EQ(accessible->text(QAccessible::Name), "CH2 level");
    EXPECT_EQ(accessible->text(QAccessible::Value), "5 of 11 lamps, mark lit");
    EXPECT_EQ(meter.toolTip(), "CH2 level: 5 of 11 lamps, mark lit");
    meter.SetLevel(3);
    EXPECT_EQ(meter.toolTip(), "CH2 level: 3 of 11 lamps");

    QAccessibleValueInterface* value = accessible->valueInterface();
    ASSERT_NE(value, nullptr);
    EXPECT_EQ(value->currentValue().toInt(), 3);
    EXPECT_EQ(value->maximumValue().toInt(), 11);
    value->setCurrentValue(9);  // the processor sets the level, nobody else
    EXPECT_EQ(value->currentValue().toInt(), 3);
}

// The meter with a clock the test moves: a level answer every 250 ms, the
// display's frames between them.
class MeterClockTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_meter.SetClock([this] { return m_nowMs; });
        m_meter.resize(30, 120);
    }
    void Advance(int ms)
    {
        m_nowMs += ms;
        m_meter.Tick();
    }
    // How many of lamps 1..9 are lit: the body of an output meter.
    int Body() const
    {
        int lit = 0;
        for (int lamp = 1; lamp <= 9; ++lamp)
            lit += IsLampLit(m_meter.ShownPattern(), lamp) ? 1 : 0;
        return lit;
    }

    std::int64_t m_nowMs = 1000;
    CLampMeter m_meter{ELampStyle::Input};
};

TEST_F(MeterClockTest, RisesAtOnceFallsSmoothlyBetweenAnswers)
{
    m_meter.SetLevel(10);
    EXPECT_EQ(LitLampCount(m_meter.ShownPattern()), 10);
    m_meter.SetLevel(2);
    // The answer says 2, the lamps fall 16 steps a second from 10; the peak
    // lamp (10) stays lit meanwhile.
    EXPECT_EQ(m_meter.Pattern(), LampPattern(2, ELampStyle::Input));
    const int before = m_meter.RepaintRequests();
    std::vector<int> tops;
    for (int frame = 0; frame < 30; ++frame)
    {
        Advance(CLampMeter::kFrameMs);
        int top = 0;
        for (int lamp = 1; lamp < 10; ++lamp)
            if (IsLampLit(m_meter.ShownPattern(), lamp))
                top = lamp;
        tops.push_back(top);
    }
    // A lamp at a time, never up, down to the answer within half a second.
    for (size_t i = 1; i < tops.size(); ++i)
    {
        EXPECT_LE(tops[i], tops[i - 1]);
        EXPECT_GE(tops[i], tops[i - 1] - 1);
    }
    EXPECT_EQ(tops.front(), 9);
    EXPECT_EQ(tops.back(), 2);
    // One repaint per lamp that went out, none for the frames between.
    EXPECT_EQ(m_meter.RepaintRequests() - before, 7);
}

TEST_F(MeterClockTest, PeakHoldsForOneAndAHalfSeconds)
{
    m_meter.SetLevel(8);
    m_meter.SetLevel(3);
    for (int answer = 0; answer < 5; ++answer)
    {
        Advance(250);
        m_meter.SetLevel(3);
    }
    Advance(200);
    // Just under 1.5 s after the 8: lamps 1..3 and the held 8.
    EXPECT_TRUE(IsLampLit(m_meter.ShownPattern(), 8));
    EXPECT_FALSE(IsLampLit(m_meter.ShownPattern(), 7));
    Advance(50);
    EXPECT_EQ(m_meter.ShownPattern(), LampPattern(3, ELampStyle::Input));
    // A new peak restarts the hold; one below the held one does not.
    m_meter.SetLevel(6);
    Advance(1000);
    m_meter.SetLevel(5);
    Advance(600);
    EXPECT_EQ(m_meter.ShownPattern(), LampPattern(5, ELampStyle::Input));
}

TEST_F(MeterClockTest, ClipStaysLitUntilClicked)
{
    CLampMeter& meter = m_meter;
    meter.SetStyle(ELampStyle::Output);
    meter.SetLevel(27);  // full scale
    meter.SetLevel(3);
    Advance(5000);
    meter.SetLevel(3);
    EXPECT_TRUE(meter.IsClipped());
    EXPECT_TRUE(IsLampLit(meter.ShownPattern(), kLampCount));
    EXPECT_EQ(Body(), 3);
    meter.SetLanguage(kEnglish);
    EXPECT_EQ(meter.ValueText(), "3 of 11 lamps, clipped");

    QTest::mouseClick(&meter, Qt::LeftButton);
    EXPECT_FALSE(meter.IsClipped());
    EXPECT_EQ(meter.ShownPattern(), LampPattern(3, ELampStyle::Output));
    EXPECT_EQ(meter.ValueText(), "3 of 11 lamps");

    // Disconnected: dark at once, latch forgotten.
    meter.SetLevel(27);
    meter.Reset();
    EXPECT_EQ(meter.ShownPattern(), 0);
    EXPECT_FALSE(meter.IsClipped());
}

TEST(MeterScaleTest, StepsReadInDecibelsDownFromFullScale)
{
    EXPECT_EQ(StepDb(kFullScaleStep), 0);
    EXPECT_EQ(StepDb(1), -48);
    for (int step = 2; step <= kFullScaleStep; ++step)
        EXPECT_GT(StepDb(step), StepDb(step - 1)) << step;
    // An output's body stops at nine lamps; full scale is its top lamp.
    EXPECT_EQ(TopLampOfStep(10, ELampStyle::Output), 9);
    EXPECT_EQ(TopLampOfStep(11, ELampStyle::Output), 11);
    EXPECT_EQ(TopLampOfStep(10, ELampStyle::Input), 10);
}
}
