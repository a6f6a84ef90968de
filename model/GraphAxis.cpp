#include "GraphAxis.h"

#include "DataDefine.h"

#include <algorithm>
#include <cmath>

int FreqToX(double f, int W)
{
    return static_cast<int>(std::log10(f / 20) * (W / 3));
}

int DbToY(double dB, int H)
{
    return static_cast<int>(H / 120.0 * (40 - dB) + 0.5);
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
