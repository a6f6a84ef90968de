#include "model/GraphAxis.h"

#include <gtest/gtest.h>

#include <limits>

TEST(GraphAxis, TwoHundredPixelsPerDecadeOnA601PixelWidth)
{
    EXPECT_EQ(FreqToX(20, 601), 0);
    EXPECT_EQ(FreqToX(200, 601), 200);
    EXPECT_EQ(FreqToX(2000, 601), 400);
    EXPECT_EQ(FreqToX(20000, 601), 600);
    // W div 3 is integer division: 599 pixels give 199 per decade.
    EXPECT_EQ(FreqToX(20000, 599), 597);
    // log10(50) x 200 = 339.79 truncates.
    EXPECT_EQ(FreqToX(1000, 601), 339);
}

TEST(GraphAxis, LevelsOnA240PixelHeight)
{
    EXPECT_EQ(DbToY(40, 240), 0);
    EXPECT_EQ(DbToY(0, 240), 80);
    EXPECT_EQ(DbToY(-80, 240), 240);
    EXPECT_EQ(DbToY(-0.3, 240), 81);  // 80.6 + 0.5 truncates to 81
    EXPECT_EQ(DbToY(-0.2, 240), 80);  // 80.4 + 0.5 truncates to 80
    // Above the top the sum is negative and truncates toward zero.
    EXPECT_EQ(DbToY(41, 240), -1);    // -2 + 0.5 = -1.5
    // H / 120 is a real quotient: 100 pixels give 0.833 per dB.
    EXPECT_EQ(DbToY(0, 100), 33);
}

TEST(GraphAxis, PixelsBackToFrequencyAreClampedToTheAxis)
{
    EXPECT_EQ(XToFreq(0, 601), 20);
    EXPECT_EQ(XToFreq(200, 601), 200);
    EXPECT_EQ(XToFreq(600, 601), 20000);
    EXPECT_EQ(XToFreq(-40, 601), 20);
    EXPECT_EQ(XToFreq(700, 601), 20000);
    EXPECT_EQ(XToFreq(339, 601), 990);   // 990.8 truncates
    EXPECT_EQ(XToFreq(100, 0), 20);      // a graph not laid out yet
}

TEST(GraphAxis, PixelsBackToWholeDecibelsRoundHalfAwayFromZero)
{
    EXPECT_EQ(YToDb(0, 240), 40);
    EXPECT_EQ(YToDb(240, 240), -80);
    EXPECT_EQ(YToDb(80, 240), 0);
    EXPECT_EQ(YToDb(1, 240), 40);     // 39.5
    EXPECT_EQ(YToDb(81, 240), -1);    // -0.5
    EXPECT_EQ(YToDb(161, 240), -41);  // -40.5
    EXPECT_EQ(YToDb(82, 240), -1);
    EXPECT_EQ(YToDb(50, 0), 0);       // a graph with no height
}

TEST(GraphAxis, ValuesOffAnyGraphArePinnedInsteadOfOverflowing)
{
    // Unchecked values from files or the processor; each conversion would
    // otherwise be undefined.
    EXPECT_EQ(FreqToX(0, 601), -1000000);
    EXPECT_EQ(FreqToX(-5, 601), 0);  // log of a negative number is NaN
    EXPECT_EQ(FreqToX(1000, 0), 0);  // 0 x log10(50)
    EXPECT_EQ(FreqToX(0, 2), 0);     // -infinity x 0 is NaN
    EXPECT_EQ(DbToY(-1e300, 240), 1000000);
    EXPECT_EQ(DbToY(1e300, 240), -1000000);
    EXPECT_EQ(DbToY(std::numeric_limits<double>::quiet_NaN(), 240), 0);
    EXPECT_EQ(DbToY(-std::numeric_limits<double>::infinity(), 240), 1000000);
}
