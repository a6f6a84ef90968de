#include "model/FilterDesign.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <vector>

namespace
{
constexpr int k1000Hz = 136;
constexpr int k500Hz = 112;
constexpr int k2000Hz = 160;
constexpr double kFs = 96000.0;

Response Compute(const FilterShape& shape)
{
    Response r;
    ComputeFilterResponse(shape, r);
    return r;
}

Response Of(const Section& section)
{
    Cascade cascade;
    cascade.aSections[0] = section;
    cascade.nCount = 1;
    Response r;
    CascadeResponse(cascade, r);
    return r;
}

FilterShape Band(int type, int hz, double gainDb, double bandwidthOct = 0.3, int slope = 0)
{
    return {type, hz, gainDb, bandwidthOct, slope, kXoverButterworth, false};
}

FilterShape Xover(int type, int hz, int xoverType, int slope)
{
    return {type, hz, 0.0, 0.3, slope, xoverType, false};
}

// |H| of an analog second-order section at s = j omega, in dB.
double AnalogDb(std::complex<double> b2, std::complex<double> b1, std::complex<double> b0,
                std::complex<double> a2, std::complex<double> a1, std::complex<double> a0, double omega)
{
    const std::complex<double> s(0.0, omega);
    return 20 * std::log10(std::abs((b2 * s * s + b1 * s + b0) / (a2 * s * s + a1 * s + a0)));
}

// The bilinear transform maps an angle w onto the analog frequency tan(w / 2).
// Designs place their corner with the design angle and are evaluated at the
// evaluation angle, two slightly different approximations of 2 pi / fs.
double Warped(double f, double designHz)
{
    return std::tan(6.2831852 * f / kFs / 2) / std::tan(6.544985e-5 * designHz / 2);
}
}

TEST(SectionEvaluation, MatchesTheTransferFunctionOnTheUnitCircle)
{
    const Section section{1.3, -1.7, 0.6, 0.9, -0.4, 0.25};
    const auto& freq = FreqTable();
    for (int i : {0, 60, 136, 200, 240})
    {
        const std::complex<double> z = std::polar(1.0, 6.2831852 * freq[i] / kFs);
        const std::complex<double> h = (section.b0 + section.b1 / z + section.b2 / (z * z)) /
                                       (section.a0 + section.a1 / z + section.a2 / (z * z));
        EXPECT_NEAR(SectionDb(section, i), 20 * std::log10(std::abs(h)), 1e-9) << "point " << i;
        EXPECT_EQ(SectionDb(section, i), Of(section)[i]);
    }
}

TEST(SectionEvaluation, PassThroughIsExactlyFlatAndAZeroA0IsGuarded)
{
    for (double db : Of(Section{}))
        EXPECT_EQ(db, 0.0);
    // b0 / 1e-10 = 1e10: +200 dB instead of a division by zero.
    EXPECT_NEAR(SectionDb(Section{0.0, 0.0, 0.0, 1.0, 0.0, 0.0}, 100), 200.0, 1e-9);
}

TEST(Peaking, SixDbAtOneKilohertzIsFlatAtTheAxisEnds)
{
    const Response r = Compute(Band(kFilterParametric, 1000, 6.0, 1.0));
    EXPECT_NEAR(r[k1000Hz], 6.0, 0.1);
    EXPECT_NEAR(r[0], 0.0, 0.1);
    EXPECT_NEAR(r[kFreqPoints - 1], 0.0, 0.1);
    for (int i = 0; i < kFreqPoints; ++i)
        EXPECT_LE(r[i], r[k1000Hz]) << "point " << i;
}

TEST(Peaking, HalfTheGainLiesOneBandwidthAwayOnEachSide)
{
    // The bandwidth enters with ln 2 rather than ln 2 / 2: a band of one
    // octave reaches half its gain one octave below and above its centre.
    const Response r = Compute(Band(kFilterParametric, 1000, 12.0, 1.0));
    EXPECT_NEAR(r[k500Hz], 6.0, 0.01);
    EXPECT_NEAR(r[k2000Hz], 6.0, 0.01);
}

TEST(Shelf, MatchesItsAnalogPrototypeWithHalfTheGainAtItsMidpoint)
{
    // The shelf table moves the midpoint off the set frequency and sets the
    // slope parameter S; the section is the bilinear image of
    // A (s^2 + sqrt(A)/Q s + A) / (A s^2 + sqrt(A)/Q s + 1) (low shelf; the
    // high shelf swaps s and 1/s) with 1/Q = sqrt((A + 1/A)(1/S - 1) + 2).
    // At the warped frequency the two agree to rounding, so 1e-9 dB is room
    // enough, and a slip in any figure of a factor or an S shows.
    struct Row
    {
        const char* name;
        int type;
        int slope;
        double midpointFactor;
        double S;
    };
    const Row rows[] = {
        {"low 6dB/oct", kFilterLowShelf, 0, 2.0, 0.5},
        {"low 12dB/oct", kFilterLowShelf, 1, 14.0 / 11.0, 1.05},
        {"high 6dB/oct", kFilterHighShelf, 0, 5.0 / 11.0, 0.5},
        {"high 12dB/oct", kFilterHighShelf, 1, 10.0 / 13.0, 1.05},
    };
    const auto& freq = FreqTable();
    for (const Row& row : rows)
    {
        for (double gainDb : {12.0, -7.5})
        {
            SCOPED_TRACE(::testing::Message() << row.name << " " << gainDb << " dB");
            const Response r = Compute(Band(row.type, 1000, gainDb, 0.3, row.slope));
            const double A = std::pow(10.0, gainDb / 40);
            const double sqrtAOverQ = std::sqrt(A) * std::sqrt((A + 1 / A) * (1 / row.S - 1) + 2);
            const double midpoint = 1000.0 * row.midpointFactor;
            for (int i = 0; i < kFreqPoints; ++i)
            {
                double omega = Warped(freq[i], midpoint);
                if (row.type == kFilterHighShelf)
                    omega = 1 / omega;
                EXPECT_NEAR(r[i], AnalogDb(A, sqrtAOverQ * A, A * A, A, sqrtAOverQ, 1.0, omega), 1e-7)
                    << "point " << i;
            }
        }
    }
}

TEST(Dispatch, FlatWhereTheFilterDoesNothing)
{
    FilterShape inactivePeak = Band(kFilterParametric, 1000, 6.0);
    inactivePeak.bInactive = true;
    FilterShape inactiveShelf = Band(kFilterLowShelf, 100, -9.0);
    inactiveShelf.bInactive = true;
    std::vector<std::pair<const char*, FilterShape>> cases = {
        {"inactive band", inactivePeak},
        {"inactive shelf", inactiveShelf},
        {"active shelf at 0 dB", Band(kFilterHighShelf, 5000, 0.0, 0.3, 1)},
        {"unknown type", Band(7, 1000, 6.0)},
    };
    for (int xover : {kXoverLinkwitzRiley, kXoverBessel, kXoverButterworth})
        for (int slope = 0; slope <= kXoverSlopeMax; ++slope)
        {
            cases.push_back({"high-pass at 20 Hz", Xover(kFilterHighPass, 20, xover, slope)});
            cases.push_back({"low-pass at 20000 Hz", Xover(kFilterLowPass, 20000, xover, slope)});
        }
    for (const auto& [name, shape] : cases)
        for (double db : Compute(shape))
            ASSERT_EQ(db, 0.0) << name << ", characteristic " << shape.nXoverType << ", slope " << shape.nSlope;
}

TEST(Dispatch, CrossoverFiltersIgnoreOffAndBypass)
{
    for (int type : {kFilterHighPass, kFilterLowPass})
    {
        FilterShape shape = Xover(type, 1000, kXoverLinkwitzRiley, 2);
        const Response active = Compute(shape);
        shape.bInactive = true;
        EXPECT_EQ(Compute(shape), active) << "type " << type;
        EXPECT_LT(active[k1000Hz], -5.0);
    }
}

TEST(Dispatch, BandsAndTheHighPassDesignAtTheNearestAxisFrequency)
{
    struct Row
    {
        int setHz;
        double axisHz;
    };
    // Ties go to the higher point: 1015 Hz lies halfway between 1000 and 1030.
    const Row rows[] = {{1015, 1030.0}, {1014, 1000.0}, {19, 19.7}, {25, 24.8}, {30000, 20000.0}};
    for (const Row& row : rows)
    {
        SCOPED_TRACE(::testing::Message() << row.setHz << " Hz");
        EXPECT_EQ(Compute(Band(kFilterParametric, row.setHz, 4.0, 0.5)), Of(PeakingSection(row.axisHz, 4.0, 0.5)));
        EXPECT_EQ(Compute(Band(kFilterLowShelf, row.setHz, 4.0)), Of(ShelfSection(false, row.axisHz, 4.0, 0)));
        EXPECT_EQ(Compute(Band(kFilterHighShelf, row.setHz, 4.0)), Of(ShelfSection(true, row.axisHz, 4.0, 0)));
        Response expected;
        CascadeResponse(HighPassCascade(row.axisHz, kXoverBessel, 3), expected);
        EXPECT_EQ(Compute(Xover(kFilterHighPass, row.setHz, kXoverBessel, 3)), expected);
    }
}

TEST(Dispatch, TheLowPassDesignsAtItsSetFrequency)
{
    for (int xover : {kXoverLinkwitzRiley, kXoverBessel, kXoverButterworth})
    {
        Response at1015, at1030;
        CascadeResponse(LowPassCascade(1015.0, xover, 4), at1015);
        CascadeResponse(LowPassCascade(1030.0, xover, 4), at1030);
        const Response r = Compute(Xover(kFilterLowPass, 1015, xover, 4));
        EXPECT_EQ(r, at1015) << "characteristic " << xover;
        EXPECT_NE(r, at1030) << "characteristic " << xover;
    }
}

TEST(Dispatch, OutOfRangeSlopesAndCharacteristicsStayInsideTheTables)
{
    EXPECT_EQ(Compute(Xover(kFilterHighPass, 500, kXoverButterworth, 9)),
              Compute(Xover(kFilterHighPass, 500, kXoverButterworth, kXoverSlopeMax)));
    EXPECT_EQ(Compute(Xover(kFilterLowPass, 500, kXoverBessel, -1)),
              Compute(Xover(kFilterLowPass, 500, kXoverBessel, 0)));
    EXPECT_EQ(Compute(Xover(kFilterLowPass, 500, 5, 2)),
              Compute(Xover(kFilterLowPass, 500, kXoverButterworth, 2)));
}

TEST(ResponseSum, AddsPointByPointAndNothingIsFlat)
{
    const Response a = Compute(Band(kFilterParametric, 100, 6.0, 1.0));
    const Response b = Compute(Xover(kFilterHighPass, 200, kXoverLinkwitzRiley, 2));
    const Response c = Compute(Band(kFilterHighShelf, 8000, -3.0));
    const Response* parts[] = {&a, &b, &c};
    Response sum;
    SumResponses(parts, sum);
    for (int i = 0; i < kFreqPoints; ++i)
        EXPECT_EQ(sum[i], a[i] + b[i] + c[i]) << "point " << i;

    SumResponses({}, sum);
    for (double db : sum)
        EXPECT_EQ(db, 0.0);
}
