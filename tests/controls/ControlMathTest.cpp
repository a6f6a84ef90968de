#include "controls/ControlMath.h"
#include "controls/ReportThrottle.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace
{
// Lamps given as the numbers that light, bottom = 1, so a table row reads
// like the meter.
std::uint16_t Lamps(std::initializer_list<int> lamps)
{
    std::uint16_t pattern = 0;
    for (int lamp : lamps)
        pattern |= std::uint16_t(1u << (lamp - 1));
    return pattern;
}

struct SLampCase
{
    const char* szName;
    ELampStyle eStyle;
    int nLevel;
    std::uint16_t nPattern;
};

TEST(LampPatternTest, LevelsLightTheirLamps)
{
    const SLampCase cases[] = {
        {"input silent", ELampStyle::Input, 0, 0},
        {"input 1", ELampStyle::Input, 1, Lamps({1})},
        {"input 5", ELampStyle::Input, 5, Lamps({1, 2, 3, 4, 5})},
        {"input full", ELampStyle::Input, 11, 0x7ff},
        {"input 12 is full", ELampStyle::Input, 12, 0x7ff},
        {"input mark ignored", ELampStyle::Input, 16, 0},
        {"input mark with 3", ELampStyle::Input, 19, Lamps({1, 2, 3})},
        {"input below range", ELampStyle::Input, -4, 0},
        {"input above range", ELampStyle::Input, 200, 0x7ff},
        {"output silent", ELampStyle::Output, 0, 0},
        {"output 5", ELampStyle::Output, 5, Lamps({1, 2, 3, 4, 5})},
        {"output body ends at 9", ELampStyle::Output, 9, Lamps({1, 2, 3, 4, 5, 6, 7, 8, 9})},
        {"output 10 stays in body", ELampStyle::Output, 10, Lamps({1, 2, 3, 4, 5, 6, 7, 8, 9})},
        {"output full without mark", ELampStyle::Output, 11, Lamps({1, 2, 3, 4, 5, 6, 7, 8, 9, 11})},
        {"output mark alone", ELampStyle::Output, 16, Lamps({10})},
        {"output mark with 4", ELampStyle::Output, 20, Lamps({1, 2, 3, 4, 10})},
        {"output mark with 10", ELampStyle::Output, 26, Lamps({1, 2, 3, 4, 5, 6, 7, 8, 9, 10})},
        {"output 27 lights all", ELampStyle::Output, 27, 0x7ff},
        {"output above range", ELampStyle::Output, 99, 0x7ff},
    };
    for (const SLampCase& c : cases)
        EXPECT_EQ(LampPattern(c.nLevel, c.eStyle), c.nPattern) << c.szName;
}

TEST(LampPatternTest, CountAndMark)
{
    EXPECT_EQ(LitLampCount(LampPattern(27, ELampStyle::Output)), 11);
    EXPECT_EQ(LitLampCount(LampPattern(20, ELampStyle::Output)), 5);
    EXPECT_TRUE(IsMarkLit(LampPattern(16, ELampStyle::Output), ELampStyle::Output));
    EXPECT_FALSE(IsMarkLit(LampPattern(10, ELampStyle::Output), ELampStyle::Output));
    // An input's lamp 10 is part of its level, not a mark.
    EXPECT_FALSE(IsMarkLit(LampPattern(11, ELampStyle::Input), ELampStyle::Input));
    EXPECT_EQ(LampRole(10, ELampStyle::Output), ELampRole::Mark);
    EXPECT_EQ(LampRole(10, ELampStyle::Input), ELampRole::Warning);
    EXPECT_EQ(LampRole(11, ELampStyle::Input), ELampRole::Peak);
    EXPECT_EQ(LampRole(1, ELampStyle::Output), ELampRole::Level);
}

TEST(FaderTravelTest, PositionsAndPixelsMapBothWays)
{
    const SFaderTravel gain{0, 420, 11, 149};
    EXPECT_DOUBLE_EQ(FaderThumbCentre(gain, 0), 11);
    EXPECT_DOUBLE_EQ(FaderThumbCentre(gain, 420), 149);
    EXPECT_DOUBLE_EQ(FaderThumbCentre(gain, 210), 80);
    // More positions than pixels: every position's centre still leads back
    // to a position at most one away, and the ends exactly to the ends.
    for (int position = 0; position <= 420; ++position)
        EXPECT_NEAR(FaderPositionAt(gain, FaderThumbCentre(gain, position)), position, 1) << position;
    EXPECT_EQ(FaderPositionAt(gain, 11), 0);
    EXPECT_EQ(FaderPositionAt(gain, 149), 420);
    EXPECT_EQ(FaderPositionAt(gain, -500), 0);
    EXPECT_EQ(FaderPositionAt(gain, 5000), 420);

    const SFaderTravel few{50, 60, 0, 100};
    for (int position = 50; position <= 60; ++position)
        EXPECT_EQ(FaderPositionAt(few, FaderThumbCentre(few, position)), position);
    EXPECT_EQ(FaderPositionAt(few, 4.9), 50);
    EXPECT_EQ(FaderPositionAt(few, 5.1), 51);
}

TEST(FaderTravelTest, DegenerateTravelStaysDefined)
{
    const SFaderTravel single{7, 7, 10, 90};
    EXPECT_DOUBLE_EQ(FaderThumbCentre(single, 7), 10);
    EXPECT_EQ(FaderPositionAt(single, 60), 7);
    // A fader squeezed to no travel at all.
    const SFaderTravel flat{0, 420, 20, 20};
    EXPECT_EQ(FaderPositionAt(flat, 20), 0);
    EXPECT_EQ(ClampFaderPosition(single, 3), 7);
}

TEST(FaderTravelTest, KeyMovesStayInRange)
{
    const SFaderTravel travel{0, 600, 0, 100};
    struct
    {
        const char* szName;
        int nFrom;
        EFaderMove eMove;
        int nTo;
    } const cases[] = {
        {"line up", 300, EFaderMove::LineUp, 299},
        {"line down", 300, EFaderMove::LineDown, 301},
        {"page up", 300, EFaderMove::PageUp, 290},
        {"page down", 300, EFaderMove::PageDown, 310},
        {"top", 300, EFaderMove::Top, 0},
        {"bottom", 300, EFaderMove::Bottom, 600},
        {"line up at top", 0, EFaderMove::LineUp, 0},
        {"page up near top", 4, EFaderMove::PageUp, 0},
        {"page down near bottom", 595, EFaderMove::PageDown, 600},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FaderMoved(travel, c.nFrom, c.eMove), c.nTo) << c.szName;
    // A screen reader's value grows upward.
    EXPECT_EQ(FaderHeightValue(travel, 0), 600);
    EXPECT_EQ(FaderHeightValue(travel, FaderHeightValue(travel, 123)), 123);
}

TEST(WheelNotchesTest, PartialDeltasAddUp)
{
    int rest = 0;
    EXPECT_EQ(WheelNotches(rest, 120), 1);
    EXPECT_EQ(WheelNotches(rest, 240), 2);
    EXPECT_EQ(WheelNotches(rest, -120), -1);
    EXPECT_EQ(WheelNotches(rest, 40), 0);
    EXPECT_EQ(WheelNotches(rest, 40), 0);
    EXPECT_EQ(WheelNotches(rest, 40), 1);
    EXPECT_EQ(rest, 0);
    // Turning back cancels what was left over.
    EXPECT_EQ(WheelNotches(rest, 60), 0);
    EXPECT_EQ(WheelNotches(rest, -60), 0);
    EXPECT_EQ(WheelNotches(rest, -119), 0);
    EXPECT_EQ(WheelNotches(rest, -1), -1);
}

TEST(ReportThrottleTest, AtMostOneReportPerInterval)
{
    CReportThrottle throttle(200);
    EXPECT_TRUE(throttle.Offer(1000));  // the first change goes out at once
    EXPECT_FALSE(throttle.Offer(1050));
    EXPECT_TRUE(throttle.IsPending());
    EXPECT_EQ(throttle.WaitFor(1050), 150);
    EXPECT_FALSE(throttle.Poll(1199));
    EXPECT_TRUE(throttle.Poll(1200));
    EXPECT_FALSE(throttle.Poll(1500));  // nothing held back any more
    EXPECT_FALSE(throttle.Offer(1300));
    EXPECT_TRUE(throttle.Offer(1400));  // a full interval after 1200
    EXPECT_FALSE(throttle.IsPending());

    throttle.Reset();
    EXPECT_TRUE(throttle.Offer(1401));
}

TEST(NameCharTest, OnlyPrintableAsciiIsTypable)
{
    for (char32_t c : {U' ', U'A', U'z', U'0', U'~', U'-'})
        EXPECT_TRUE(IsTypableNameChar(c)) << int(c);
    for (char32_t c : {U'\0', U'\t', char32_t(0x1f), char32_t(0x7f), U'é', U'中', U'😀'})
        EXPECT_FALSE(IsTypableNameChar(c)) << int(c);
}
}
