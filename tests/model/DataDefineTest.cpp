#include "model/DataDefine.h"

#include <gtest/gtest.h>

#include <functional>
#include <limits>
#include <utility>
#include <vector>

// The fixed tables and the conversions of typed values into steps; the texts
// the steps are shown as are tested in ValueTextTest.

namespace
{
struct TypedCase
{
    double typed;
    int step;
    bool outOfRange;
};

void ExpectTyped(const char* what, const std::function<TypedStep(double)>& convert,
                 const std::vector<TypedCase>& cases)
{
    for (const auto& c : cases)
    {
        SCOPED_TRACE(testing::Message() << what << " typed " << c.typed);
        const TypedStep result = convert(c.typed);
        EXPECT_EQ(result.nStep, c.step);
        EXPECT_EQ(result.bOutOfRange, c.outOfRange);
    }
}

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
}

// ---- tables -----------------------------------------------------------------

TEST(FreqTable, HoldsThePublishedAxis)
{
    const double published[kFreqPoints] = {
        19.7, 20.3, 20.9, 21.5, 22.1, 22.7, 23.4, 24.1, 24.8, 25.5, 26.3, 27,
        27.8, 28.7, 29.5, 30.4, 31.3, 32.2, 33.1, 34.1, 35.1, 36.1, 37.2, 38.3,
        39.4, 40.5, 41.7, 42.9, 44.2, 45.5, 46.8, 48.2, 49.6, 51.1, 52.6, 54.1,
        55.7, 57.3, 59, 60.7, 62.5, 64.3, 66.2, 68.2, 70.2, 72.2, 74.3, 76.5,
        78.7, 81.1, 83.4, 85.9, 88.4, 91, 93.6, 96.4, 99.2, 102, 105, 108,
        111, 115, 118, 121, 125, 129, 132, 136, 140, 144, 149, 153,
        158, 162, 167, 172, 179, 182, 187, 193, 198, 204, 210, 216,
        223, 229, 236, 243, 250, 257, 265, 273, 281, 289, 297, 306,
        315, 324, 334, 344, 354, 364, 375, 386, 397, 409, 420, 433,
        445, 459, 472, 486, 500, 515, 530, 545, 561, 578, 595, 612,
        630, 648, 667, 687, 707, 728, 749, 771, 794, 817, 841, 866,
        891, 917, 944, 972, 1000, 1030, 1060, 1090, 1123, 1155, 1190, 1224,
        1260, 1297, 1335, 1374, 1414, 1456, 1498, 1542, 1587, 1634, 1682, 1731,
        1782, 1834, 1888, 1943, 2000, 2059, 2119, 2181, 2245, 2311, 2378, 2448,
        2520, 2594, 2670, 2748, 2828, 2911, 2997, 3084, 3175, 3268, 3364, 3462,
        3564, 3668, 3776, 3886, 4000, 4117, 4238, 4362, 4490, 4621, 4757, 4896,
        5040, 5187, 5339, 5496, 5657, 5823, 5993, 6169, 6350, 6536, 6727, 6924,
        7127, 7336, 7551, 7772, 8000, 8234, 8476, 8724, 8980, 9243, 9514, 9792,
        10079, 10374, 10679, 10992, 11314, 11645, 11987, 12338, 12699, 13071, 13454, 13849,
        14254, 14672, 15102, 15545, 16000, 16469, 16951, 17448, 17959, 18486, 19027, 19585,
        20000
    };
    const auto& table = FreqTable();
    for (int i = 0; i < kFreqPoints; ++i)
        EXPECT_EQ(table[i], published[i]) << "index " << i;
    EXPECT_EQ(table[76], 179.0);
    for (int i = 1; i < kFreqPoints; ++i)
        EXPECT_LT(table[i - 1], table[i]) << "index " << i;
}

TEST(QTable, PublishedEntriesAndStrictFall)
{
    const auto& q = QTable();
    const std::vector<std::pair<int, double>> published = {
        {0, 144.27}, {1, 72.134}, {14, 9.614}, {94, 1.492}, {99, 1.414}, {299, 0.404},
    };
    for (const auto& [index, value] : published)
        EXPECT_DOUBLE_EQ(q[index], value) << "entry " << index;
    for (int i = 1; i < kQSteps; ++i)
        EXPECT_LT(q[i], q[i - 1]) << "entry " << i;
}

// ---- frequency axis lookup --------------------------------------------------

TEST(NearestFreqIndex, SnapsToTheNearerPointAndTiesGoUp)
{
    const std::vector<std::pair<double, int>> cases = {
        {0.0, 0},     {19.0, 0},      {19.7, 0},      {25.0, 8},       // 24.8 nearer than 25.5
        {175.5, 76},  {175.4, 75},    {179.0, 76},                      // tie 172 / 179 goes up
        {1015.0, 137}, {1014.9, 136}, {19999.0, 240}, {20000.0, 240}, {30000.0, 240},
    };
    for (const auto& [hz, index] : cases)
        EXPECT_EQ(NearestFreqIndex(hz), index) << hz << " Hz";
}

TEST(NearestFreqIndex, EveryAxisPointFindsItself)
{
    for (int i = 0; i < kFreqPoints; ++i)
        EXPECT_EQ(NearestFreqIndex(FreqTable()[i]), i);
}

// ---- typed delays -----------------------------------------------------------

TEST(Delay, TypedTimes)
{
    ExpectTyped("ms", [](double ms) { return Scales::kDelay.Typed(ms); }, {
        {0.0, 0, false},
        {0.021, 1, false},
        {10.017, 477, false},
        {10.5, 477, false},     // truncate(10.5 - 10.017 + 477)
        {11.017, 478, false},
        {999.017, 1466, false},
        {999.5, 1467, false},   // above the last whole-ms step: the top step, quietly
        {1000.0, 1467, false},
        {1000.5, 1467, true},
        {-1.0, 0, true},
        {kNaN, 0, true},
    });
}

TEST(Delay, SpeedOfSoundFollowsTheTemperature)
{
    EXPECT_DOUBLE_EQ(DelayMsToMetres(1000), 340.0);
    EXPECT_DOUBLE_EQ(DelayMsToMetres(1000, 20), 343.0);
    EXPECT_DOUBLE_EQ(DelayMetresToMs(340), 1000.0);
    EXPECT_DOUBLE_EQ(DelayMsToFeet(1000), 340 * 3.281);
    EXPECT_DOUBLE_EQ(DelayFeetToMs(340 * 3.281), 1000.0);
}

TEST(Delay, TypedDistances)
{
    ExpectTyped("metres", [](double m) { return Scales::kDelay.TypedMetres(m); }, {
        {0.0, 0, false},
        {339.0, 1464, false},
        {339.666, 1466, false},   // the shown distance of 999.017 ms
        {340.0, 1466, false},
        {345.0, 1466, true},
        {-1.0, 0, true},
        {kNaN, 0, true},
    });
    ExpectTyped("feet", [](double ft) { return Scales::kDelay.TypedFeet(ft); }, {
        {0.0, 0, false},
        {1114.443, 1466, false},  // the shown distance of 999.017 ms, rounded down
        {13.405, 479, false},     // 12.017 ms is 13.4054 ft, shown rounded down
        {13.404, 478, false},
        {1115.0, 1466, false},
        {2000.0, 1466, true},
        {-1.0, 0, true},
    });
}

TEST(Delay, TypedDistanceNeverReachesTheTopStep)
{
    EXPECT_EQ(Scales::kDelay.TypedMetres(DelayMsToMetres(999.017)).nStep, 1466);
    // From the shown distance of 999.017 ms up, in steps finer than the display.
    for (int k = 0; k < 200000; ++k)
    {
        const double metres = 339.666 + k * 0.00001;
        const double feet = 1114.443 + k * 0.00003;
        EXPECT_EQ(Scales::kDelay.TypedMetres(metres).nStep, 1466) << metres;
        EXPECT_EQ(Scales::kDelay.TypedFeet(feet).nStep, 1466) << feet;
    }
}

// ---- typed attack -----------------------------------------------------------

TEST(Limiter, TypedAttack)
{
    constexpr int current = 42;
    ExpectTyped("attack", [](double ms) { return Scales::kAttack.Typed(ms, current); }, {
        {0.3, 0, false},
        {0.6, 3, false},   // (0.6 - 0.3) / 0.1 is a hair below 3
        {0.7, 4, false},
        {0.9, 6, false},
        {0.95, current, false},  // between the two scales: unchanged
        {1.0, 7, false},
        {1.5, 7, false},
        {200.0, 206, false},
        {0.2, 0, true},
        {-5.0, 0, true},
        {250.0, 206, true},
        {kNaN, current, true},
    });
}

// ---- typed bandwidth and Q --------------------------------------------------

TEST(Bandwidth, TypedQ)
{
    ExpectTyped("Q", [](double q) { return Scales::kBandwidth.TypedQ(q); }, {
        {1.414, 99, false},
        {1.5, 94, false},     // entry 1.492, the first not above 1.5
        {10.0, 14, false},    // entry 9.614
        {100.0, 1, false},
        {144.27, 0, false},
        {0.404, 299, false},
        {200.0, 0, true},
        {0.3, 299, true},
        {kNaN, 299, true},
    });
}

TEST(Bandwidth, TypedOctaves)
{
    ExpectTyped("bandwidth", [](double oct) { return Scales::kBandwidth.Typed(oct); }, {
        {0.01, 0, false},
        {0.3, 29, false},
        {0.305, 29, false},
        {3.0, 299, false},
        {3.5, 299, true},
        {0.0, 0, true},
        {-1.0, 0, true},
        {kNaN, 0, true},
    });
}
