#include "model/GraphAxis.h"

#include "model/DataDefine.h"

#include <algorithm>
#include <cmath>

namespace
{
// Frequencies and levels reach the axis unchecked from program files and
// the processor. One off any real graph (a frequency of 0 or below, a level
// of thousands of dB, a curve that came out NaN) is pinned far outside the
// graph rather than overflowing the conversion to int, which is undefined.
int Truncate(double pixel)
{
    constexpr double kFarOutside = 1e6;
    if (std::isnan(pixel))
        return 0;
    return static_cast<int>(std::clamp(pixel, -kFarOutside, kFarOutside));
}
}

int FreqToX(double f, int W)
{
    return Truncate(std::log10(f / 20) * (W / 3));
}

int DbToY(double dB, int H)
{
    return Truncate(H / 120.0 * (40 - dB) + 0.5);
}

int XToFreq(int x, int W)
{
    const int decade = W / 3;
    // Before the widget is laid out the width can be 0; dividing by it would
    // give infinity or NaN and an undefined conversion to int.
    if (decade <= 0)
        return kFreqMin;
    const double f = 20 * std::pow(10.0, x / static_cast<double>(decade));
    return static_cast<int>(std::clamp(f, static_cast<double>(kFreqMin), static_cast<double>(kFreqMax)));
}

int YToDb(int y, int H)
{
    if (H <= 0)
        return 0;
    return static_cast<int>(std::round(40 - y * 120.0 / H));
}
