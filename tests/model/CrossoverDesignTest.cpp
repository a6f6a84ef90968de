#include "model/FilterDesign.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <numbers>
#include <ostream>
#include <string>
#include <vector>

// Checks of the crossover designs against the magnitudes their names promise.
//
// The high-pass is set to 2000 Hz and the low-pass to 198 Hz, both axis
// points, so the corner and the points one decade beyond it (198 / 99.2 Hz
// and 2000 / 4000 Hz) are evaluated exactly. Slopes are measured against the
// warped frequency tan(pi f / fs), the analog frequency the bilinear design
// maps f to; that takes the cramping towards 48 kHz out of the low-pass
// figures.

namespace
{
constexpr double kFs = 96000.0;
const double kDbPerOctavePerOrder = 20 * std::log10(2.0);  // 6.02
const double kHalfPowerDb = -10 * std::log10(2.0);          // -3.01

constexpr int kHighPassHz = 2000, kHighPassCorner = 160;
constexpr int kLowPassHz = 198, kLowPassCorner = 80;

Response Design(int type, int hz, int xover, int slope)
{
    Response r;
    ComputeFilterResponse({type, hz, 0.0, 0.3, slope, xover, false}, r);
    return r;
}

double Warp(double f)
{
    return std::tan(std::numbers::pi * f / kFs);
}

double SlopeDbPerOctave(const Response& r, int i, int j)
{
    const auto& freq = FreqTable();
    return (r[j] - r[i]) / std::log2(Warp(freq[j]) / Warp(freq[i]));
}

int Order(int slope)
{
    return slope + 2;
}

const char* Name(int xover)
{
    switch (xover)
    {
    case kXoverLinkwitzRiley:
        return "LR";
    case kXoverBessel:
        return "Bessel";
    default:
        return "Butterworth";
    }
}

struct CornerRow
{
    int xover;
    int slope;
    double highPassDb;  // at the set frequency
    double lowPassDb;
};

std::string RowName(const ::testing::TestParamInfo<CornerRow>& info)
{
    return std::string(Name(info.param.xover)) + "_" + std::to_string(12 + 6 * info.param.slope) + "dB";
}

void PrintTo(const CornerRow& row, std::ostream* os)
{
    *os << Name(row.xover) << " " << 12 + 6 * row.slope << " dB/oct";
}

// Corner levels, to 1e-6 dB. Every entry of a row sets them: a second-order
// section adds -20 log10(2 d) at the corner and a first-order one
// -10 log10(1 + d^2); Bessel rows also move the corner by their divisor. The
// pinned levels are therefore what catches a mistyped entry: changing any
// single entry of the tables by one part in 100000 (a slip in its fifth
// significant figure) fails its row, as perturbing each entry in turn shows.
// The high-pass and low-pass of one row differ by a few 1e-6 dB only because
// they are evaluated at different frequencies.
//
// Where a closed form exists (Butterworth, even Linkwitz-Riley, the low-pass
// Bessel) the prototype test below shows these levels are the right ones; the
// remaining rows are held to their family's corner by the ranges in
// CornerSitsWhereItsFamilySaysIt.
const CornerRow kCornerRows[] = {
    {kXoverLinkwitzRiley, 0, -6.020600, -6.020599},
    {kXoverLinkwitzRiley, 1, -5.985134, -5.985132},
    {kXoverLinkwitzRiley, 2, -5.949667, -5.949665},
    {kXoverLinkwitzRiley, 3, -6.747169, -6.747166},
    {kXoverLinkwitzRiley, 4, -6.020602, -6.020598},
    {kXoverLinkwitzRiley, 5, -6.652705, -6.652701},
    {kXoverLinkwitzRiley, 6, -5.620059, -5.620055},
    {kXoverBessel, 0, -1.384657, -3.010338},
    {kXoverBessel, 1, -2.830110, -3.010362},
    {kXoverBessel, 2, -2.836209, -2.959849},
    {kXoverBessel, 3, -2.930827, -3.010684},
    {kXoverBessel, 4, -3.185724, -3.010587},
    {kXoverBessel, 5, -2.538092, -3.009781},
    {kXoverBessel, 6, -3.021181, -3.010378},
    {kXoverButterworth, 0, -2.974834, -2.974832},
    {kXoverButterworth, 1, -3.010301, -3.010299},
    {kXoverButterworth, 2, -3.006700, -3.006698},
    {kXoverButterworth, 3, -2.972270, -2.972267},
    {kXoverButterworth, 4, -2.943622, -2.943618},
    {kXoverButterworth, 5, -3.097598, -3.097594},
    {kXoverButterworth, 6, -3.035924, -3.035920},
};

class CrossoverRow : public ::testing::TestWithParam<CornerRow>
{
protected:
    const CornerRow& row = GetParam();
    const Response highPass = Design(kFilterHighPass, kHighPassHz, row.xover, row.slope);
    const Response lowPass = Design(kFilterLowPass, kLowPassHz, row.xover, row.slope);
};
}

TEST_P(CrossoverRow, CornerLevelIsPinned)
{
    EXPECT_NEAR(highPass[kHighPassCorner], row.highPassDb, 2e-6);
    EXPECT_NEAR(lowPass[kLowPassCorner], row.lowPassDb, 2e-6);
}

TEST_P(CrossoverRow, CornerSitsWhereItsFamilySaysIt)
{
    // Butterworth is 3 dB down; the table's rounded Qs stay within 0.1 dB.
    // Linkwitz-Riley is 6 dB down; the odd slopes are not true
    // Linkwitz-Riley alignments and sit up to 0.75 dB away. The low-pass
    // Bessel divisors put it 3 dB down; the high-pass Bessel shares one corner
    // below the set frequency between all its sections, which leaves the set
    // frequency 1.3 to 3.2 dB down.
    const double nominal = row.xover == kXoverLinkwitzRiley ? 2 * kHalfPowerDb : kHalfPowerDb;
    const double range = row.xover == kXoverLinkwitzRiley ? 0.75 : 0.1;
    EXPECT_NEAR(lowPass[kLowPassCorner], nominal, row.xover == kXoverBessel ? 0.06 : range);
    if (row.xover == kXoverBessel)
    {
        EXPECT_GT(highPass[kHighPassCorner], -3.2);
        EXPECT_LT(highPass[kHighPassCorner], -1.3);
    }
    else
    {
        EXPECT_NEAR(highPass[kHighPassCorner], nominal, range);
    }
}

TEST_P(CrossoverRow, FallsAtItsSlopeOneDecadeBeyondTheCorner)
{
    // Over the octave that starts one decade out, Butterworth and
    // Linkwitz-Riley fall at the order x 6.02 dB per octave to within 0.07;
    // Bessel, which approaches its asymptote most gently, to within 0.27.
    // A section too many or too few would be 6 dB per octave off.
    const double nominal = Order(row.slope) * kDbPerOctavePerOrder;
    EXPECT_NEAR(SlopeDbPerOctave(highPass, 56, 80), nominal, 0.3);   // 99.2 -> 198 Hz
    EXPECT_NEAR(SlopeDbPerOctave(lowPass, 160, 184), -nominal, 0.3); // 2000 -> 4000 Hz
}

TEST_P(CrossoverRow, IsMonotoneAndPassesUnityFarFromTheCorner)
{
    // Rounded Qs leave ripples of up to 0.0015 dB, far below a drawn pixel.
    for (int i = 1; i < kFreqPoints; ++i)
    {
        EXPECT_GE(highPass[i], highPass[i - 1] - 0.002) << "high-pass point " << i;
        EXPECT_LE(lowPass[i], lowPass[i - 1] + 0.002) << "low-pass point " << i;
    }
    const Response farHighPass = Design(kFilterHighPass, 25, row.xover, row.slope);
    const Response farLowPass = Design(kFilterLowPass, 16000, row.xover, row.slope);
    EXPECT_NEAR(farHighPass[kFreqPoints - 1], 0.0, 0.01);
    EXPECT_NEAR(farLowPass[0], 0.0, 0.01);
}

INSTANTIATE_TEST_SUITE_P(Table, CrossoverRow, ::testing::ValuesIn(kCornerRows), RowName);

namespace
{
// Analog low-pass prototypes with their corner at omega = 1, in dB.
double ButterworthDb(int order, double omega)
{
    return -10 * std::log10(1 + std::pow(omega, 2 * order));
}

// A Linkwitz-Riley filter is a Butterworth of half the order, squared.
double LinkwitzRileyDb(int order, double omega)
{
    return 2 * ButterworthDb(order / 2, omega);
}

// Reverse Bessel polynomial, sum of (2n - k)! / (2^(n - k) k! (n - k)!) s^k.
std::complex<double> BesselDenominator(int order, std::complex<double> s)
{
    std::complex<double> sum = 0.0, power = 1.0;
    for (int k = 0; k <= order; ++k)
    {
        const double coefficient = std::tgamma(2 * order - k + 1) /
                                   (std::pow(2.0, order - k) * std::tgamma(k + 1) * std::tgamma(order - k + 1));
        sum += coefficient * power;
        power *= s;
    }
    return sum;
}

double BesselDelayNormalisedDb(int order, double omega)
{
    return 20 * std::log10(std::abs(BesselDenominator(order, 0.0) / BesselDenominator(order, {0.0, omega})));
}

// Bessel low-pass with its 3 dB point moved to omega = 1.
double BesselDb(int order, double omega)
{
    double low = 0.5, high = 5.0;
    for (int i = 0; i < 60; ++i)
    {
        const double mid = (low + high) / 2;
        (BesselDelayNormalisedDb(order, mid) > kHalfPowerDb ? low : high) = mid;
    }
    return BesselDelayNormalisedDb(order, omega * low);
}
}

TEST(CrossoverPrototype, ClosedFormDesignsFollowTheirAnalogPrototypeEverywhere)
{
    // The bilinear design reproduces the analog prototype at the warped
    // frequency, so what is left is the table's rounding of the ideal values:
    // up to 0.09 dB (Butterworth 42 dB/oct, Bessel 24 dB/oct, whose factors
    // are rounded to three figures). Linkwitz-Riley 48 dB/oct tables d = 0.373
    // where the squared Butterworth has 0.383, which costs 0.4 dB near the
    // corner.
    struct Row
    {
        int xover;
        int slope;
        double tolerance;
    };
    std::vector<Row> rows;
    for (int slope = 0; slope <= kXoverSlopeMax; ++slope)
    {
        rows.push_back({kXoverButterworth, slope, 0.1});
        rows.push_back({kXoverBessel, slope, 0.1});
        if (Order(slope) % 2 == 0)
            rows.push_back({kXoverLinkwitzRiley, slope, slope == 6 ? 0.45 : 0.1});
    }
    const auto& freq = FreqTable();
    for (const Row& row : rows)
    {
        SCOPED_TRACE(::testing::Message() << Name(row.xover) << " " << 12 + 6 * row.slope << " dB/oct");
        const int order = Order(row.slope);
        const Response lowPass = Design(kFilterLowPass, kLowPassHz, row.xover, row.slope);
        const Response highPass = Design(kFilterHighPass, kHighPassHz, row.xover, row.slope);
        for (int i = 0; i < kFreqPoints; ++i)
        {
            const double omegaLow = Warp(freq[i]) / Warp(kLowPassHz);
            const double omegaHigh = Warp(kHighPassHz) / Warp(freq[i]);
            switch (row.xover)
            {
            case kXoverButterworth:
                ASSERT_NEAR(lowPass[i], ButterworthDb(order, omegaLow), row.tolerance) << "low-pass point " << i;
                ASSERT_NEAR(highPass[i], ButterworthDb(order, omegaHigh), row.tolerance) << "high-pass point " << i;
                break;
            case kXoverLinkwitzRiley:
                ASSERT_NEAR(lowPass[i], LinkwitzRileyDb(order, omegaLow), row.tolerance) << "low-pass point " << i;
                ASSERT_NEAR(highPass[i], LinkwitzRileyDb(order, omegaHigh), row.tolerance) << "high-pass point " << i;
                break;
            default:
                // The high-pass Bessel is not a transformed Bessel low-pass
                // (its sections share one corner), so only the low-pass has a
                // prototype.
                ASSERT_NEAR(lowPass[i], BesselDb(order, omegaLow), row.tolerance) << "low-pass point " << i;
                break;
            }
        }
    }
}
