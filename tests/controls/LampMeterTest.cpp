#include "model/ValueText.h"
#include "controls/LampMeter.h"

#include <QAccessible>

#include <gtest/gtest.h>

namespace
{
TEST(LampMeterTest, RepaintsOnlyWhenThePatternChanges)
{
    CLampMeter meter(ELampStyle::Output);
    const int before = meter.RepaintRequests();
    meter.SetLevel(9);
    EXPECT_EQ(meter.RepaintRequests(), before + 1);
    meter.SetLevel(10);  // the body stops at nine lamps: same pattern
    meter.SetLevel(9);
    EXPECT_EQ(meter.RepaintRequests(), before + 1);
    meter.SetLevel(25);
    EXPECT_EQ(meter.RepaintRequests(), before + 2);
    // The same value read as an input lights other lamps.
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
}
