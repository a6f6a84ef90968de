#include "model/DataDefine.h"

#include <algorithm>
#include <cmath>

const std::array<double, kFreqPoints>& FreqTable()
{
    static const std::array<double, kFreqPoints> table = {
    19.7, 20.3, 20.9, 21.5, 22.1, 22.7, 23.4, 24.1, 24.8, 25.5,
    26.3, 27.0, 27.8, 28.7, 29.5, 30.4, 31.3, 32.2, 33.1, 34.1,
    35.1, 36.1, 37.2, 38.3, 39.4, 40.5, 41.7, 42.9, 44.2, 45.5,
    46.8, 48.2, 49.6, 51.1, 52.6, 54.1, 55.7, 57.3, 59.0, 60.7,
    62.5, 64.3, 66.2, 68.2, 70.2, 72.2, 74.3, 76.5, 78.7, 81.1,
    83.4, 85.9, 88.4, 91.0, 93.6, 96.4, 99.2, 102.0, 105.0, 108.0,
    111.0, 115.0, 118.0, 121.0, 125.0, 129.0, 132.0, 136.0, 140.0, 144.0,
    149.0, 153.0, 158.0, 162.0, 167.0, 172.0, 179.0, 182.0, 187.0, 193.0,
    198.0, 204.0, 210.0, 216.0, 223.0, 229.0, 236.0, 243.0, 250.0, 257.0,
    265.0, 273.0, 281.0, 289.0, 297.0, 306.0, 315.0, 324.0, 334.0, 344.0,
    354.0, 364.0, 375.0, 386.0, 397.0, 409.0, 420.0, 433.0, 445.0, 459.0,
    472.0, 486.0, 500.0, 515.0, 530.0, 545.0, 561.0, 578.0, 595.0, 612.0,
    630.0, 648.0, 667.0, 687.0, 707.0, 728.0, 749.0, 771.0, 794.0, 817.0,
    841.0, 866.0, 891.0, 917.0, 944.0, 972.0, 1000.0, 1030.0, 1060.0, 1090.0,
    1123.0, 1155.0, 1190.0, 1224.0, 1260.0, 1297.0, 1335.0, 1374.0, 1414.0, 1456.0,
    1498.0, 1542.0, 1587.0, 1634.0, 1682.0, 1731.0, 1782.0, 1834.0, 1888.0, 1943.0,
    2000.0, 2059.0, 2119.0, 2181.0, 2245.0, 2311.0, 2378.0, 2448.0, 2520.0, 2594.0,
    2670.0, 2748.0, 2828.0, 2911.0, 2997.0, 3084.0, 3175.0, 3268.0, 3364.0, 3462.0,
    3564.0, 3668.0, 3776.0, 3886.0, 4000.0, 4117.0, 4238.0, 4362.0, 4490.0, 4621.0,
    4757.0, 4896.0, 5040.0, 5187.0, 5339.0, 5496.0, 5657.0, 5823.0, 5993.0, 6169.0,
    6350.0, 6536.0, 6727.0, 6924.0, 7127.0, 7336.0, 7551.0, 7772.0, 8000.0, 8234.0,
    8476.0, 8724.0, 8980.0, 9243.0, 9514.0, 9792.0, 10079.0, 10374.0, 10679.0, 10992.0,
    11314.0, 11645.0, 11987.0, 12338.0, 12699.0, 13071.0, 13454.0, 13849.0, 14254.0, 14672.0,
    15102.0, 15545.0, 16000.0, 16469.0, 16951.0, 17448.0, 17959.0, 18486.0, 19027.0, 19585.0,
    20000.0,
    };
    return table;
}

const std::array<double, kQSteps>& QTable()
{
    // Q = 2^(N/2) / (2^N - 1) for N = (i + 1) / 100 octaves, kept to three
    // decimals (two for the first entry), exactly as the processor tables it.
    static const std::array<double, kQSteps> table = [] {
        std::array<double, kQSteps> q{};
        for (int i = 0; i < kQSteps; ++i)
        {
            const double n = Scales::kBandwidth.Value(i);
            const double value = std::pow(2.0, n / 2.0) / (std::pow(2.0, n) - 1.0);
            const double scale = i == 0 ? 100.0 : 1000.0;
            q[i] = std::round(value * scale) / scale;
        }
        return q;
    }();
    return table;
}

namespace
{
double SpeedOfSound(double temperature)
{
    return 331 + 0.6 * temperature;
}
}

// ---- conversions --------------------------------------------------------------

double DelayMsToMetres(double ms, double temperature)
{
    return ms * SpeedOfSound(temperature) / 1000;
}

double DelayMetresToMs(double metres, double temperature)
{
    return metres * 1000 / SpeedOfSound(temperature);
}

double DelayMsToFeet(double ms, double temperature)
{
    return DelayMsToMetres(ms, temperature) * kFeetPerMetre;
}

double DelayFeetToMs(double feet, double temperature)
{
    return DelayMetresToMs(feet / kFeetPerMetre, temperature);
}

int NearestFreqIndex(double hz)
{
    // First axis point at or above hz; ties between neighbours go up.
    const auto& table = FreqTable();
    const auto it = std::lower_bound(table.begin(), table.end(), hz);
    if (it == table.end())
        return kFreqPoints - 1;
    const int i = static_cast<int>(it - table.begin());
    if (i == 0)
        return 0;
    return hz - table[i - 1] >= table[i] - hz ? i : i - 1;
}
