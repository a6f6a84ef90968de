#include "model/FilterDesign.h"

#include <algorithm>
#include <cmath>

namespace
{
// Two slightly different approximations of 2 pi / 96000 are in use: one for
// evaluating, one for designing. Both are kept as they are so that the curves
// match the processor's own arithmetic.
constexpr double kEvalTwoPi = 6.2831852;
constexpr double kSampleRate = 96000.0;
constexpr double kDesignAngle = 6.544985e-5;
constexpr double kZeroGuard = 1e-10;
// ln 2, where the textbook bandwidth formula has ln 2 / 2: a band of N
// octaves reaches half its gain N octaves either side of its centre, twice
// as wide as the textbook band.
constexpr double kPeakingLn2 = 0.69314718;

constexpr int kSlopeSteps = 7;
constexpr int kMaxSections = 4;

// d = 1 / (2 Q) per section; 0 ends the cascade. For slope steps 1, 3 and 5
// section 0 is first-order. Rows: slope step 0..6 (12..48 dB/oct).
using SectionParams = std::array<double, kMaxSections>;

constexpr std::array<SectionParams, kSlopeSteps> kLinkwitzRiley = {{
    {1.0},
    {1.0, 0.70422535211},
    {0.70422535211, 0.70422535211},
    {1.0, 0.62, 0.62},
    {1.0, 0.5, 0.5},
    {1.0, 0.453134315, 0.92592592593, 0.453134315},
    {0.92592592593, 0.373134315, 0.92592592593, 0.373134315},
}};

constexpr std::array<SectionParams, kSlopeSteps> kButterworth = {{
    {0.70422535},
    {1.0, 0.5},
    {0.92592593, 0.38167939},
    {1.0, 0.8064616129, 0.3086417953},
    {0.96153846, 0.70422535211, 0.2590673575},
    {1.0, 0.90909090909, 0.625, 0.2222222222},
    {0.98039216, 0.83333333, 0.55555556, 0.1953125},
}};

// High-pass Bessel: the same section form with Bessel Qs, all at one corner
// that is first divided by the row's divisor.
constexpr std::array<SectionParams, kSlopeSteps> kBesselHighPass = {{
    {0.70422535},
    {0.756, 0.72463768},
    {0.96153846, 0.61728395},
    {0.6656, 0.8928571428, 0.54347826},
    {0.980392156, 0.819672131, 0.490196},
    {0.5937, 0.943396226415, 0.757575757576, 0.4424778761},
    {0.98039216, 0.89285714, 0.70422535, 0.40650406},
}};

constexpr std::array<double, kSlopeSteps> kBesselHighPassDivisor = {
    1.2683112435, 1.2854981442, 1.5006420029, 1.3854981442,
    1.5554981442, 1.5554981442, 1.679120141,
};

// Low-pass Bessel prototype: sections 1 / (q s^2 + p s + 1) at the corner
// divided by the row's divisor; p = 0 is a pass-through.
struct BesselLowPassRow
{
    double dDivisor;
    SectionParams p;
    SectionParams q;
};

constexpr std::array<BesselLowPassRow, kSlopeSteps> kBesselLowPass = {{
    {1.3616541287, {1.0}, {0.3333333333}},
    {1.75567236868, {0.5693712514, 0.430628846}, {0.154812441, 0.0}},
    {2.1139176749, {0.369, 0.6278294896}, {0.087858766, 0.109408}},
    {1.0, {0.6656, 1.1402, 0.6216}, {0.0, 0.4128, 0.3245}},
    {1.0, {1.2217, 0.9686, 0.5131}, {0.3887, 0.3505, 0.2756}},
    {1.0, {0.5937, 1.0944, 0.8304, 0.4332}, {0.0, 0.3395, 0.3011, 0.2381}},
    {3.17961723751,
     {0.117235677, 0.226516664, 0.3067559, 0.3494916166},
     {0.02064747, 0.0259273886, 0.0294683265, 0.031272257}},
}};

// Shelves move their design angle and pick the slope parameter S by type and
// shelf slope: [high shelf][12 dB/oct].
struct ShelfRow
{
    double dAngleFactor;
    double dS;
};

constexpr ShelfRow kShelf[2][2] = {
    {{2.0, 0.5}, {1.2727272727, 1.05}},
    {{0.4545454546, 0.5}, {0.76923076923, 1.05}},
};

struct AxisTrig
{
    std::array<double, kFreqPoints> c{};
    std::array<double, kFreqPoints> s{};
};

// cos and sin of the evaluation angle at every axis point. They are the same
// for every section, so computing them once removes most of the cost of a
// drag step without changing a single bit of the results.
const AxisTrig& EvalTrig()
{
    static const AxisTrig trig = [] {
        AxisTrig t;
        const auto& freq = FreqTable();
        for (int i = 0; i < kFreqPoints; ++i)
        {
            const double w = kEvalTwoPi * freq[i] / kSampleRate;
            t.c[i] = std::cos(w);
            t.s[i] = std::sin(w);
        }
        return t;
    }();
    return trig;
}

double SnappedFreq(int hz)
{
    return FreqTable()[NearestFreqIndex(hz)];
}

int ClampSlope(int slope)
{
    return std::clamp(slope, 0, kSlopeSteps - 1);
}

bool IsFirstOrderStep(int slope)
{
    return slope == 1 || slope == 3 || slope == 5;
}

// The Bessel column belongs to the high-pass; the low-pass Bessel has its
// own prototype.
const SectionParams& XoverParams(int xoverType, int slope)
{
    switch (xoverType)
    {
    case kXoverLinkwitzRiley:
        return kLinkwitzRiley[slope];
    case kXoverBessel:
        return kBesselHighPass[slope];
    default:
        return kButterworth[slope];
    }
}

void Append(Cascade& cascade, const Section& section)
{
    cascade.aSections[cascade.nCount++] = section;
}

double Guarded(double a0)
{
    return a0 == 0.0 ? kZeroGuard : a0;
}

// A section divided through by its a0.
struct NormalisedSection
{
    double a1, a2, b0, b1, b2;
};

NormalisedSection Normalised(const Section& section)
{
    const double a0 = Guarded(section.a0);
    return {section.a1 / a0, section.a2 / a0, section.b0 / a0, section.b1 / a0, section.b2 / a0};
}

// |H| in dB on the unit circle, with the transfer function multiplied
// through by z so that only cos w and sin w are needed.
inline double PointDb(const NormalisedSection& n, double c, double s)
{
    const double dr = c + n.a1 + n.a2 * c;
    const double di = s - n.a2 * s;
    const double nr = n.b0 * c + n.b1 + n.b2 * c;
    const double ni = n.b0 * s - n.b2 * s;
    return 20 * std::log10(std::sqrt((nr * nr + ni * ni) / (dr * dr + di * di)));
}

// High- and low-pass cascades of the crossover section table share their
// structure and differ only in the numerators and the first-order section.
Cascade XoverCascade(bool highPass, double f, const SectionParams& d, int slope)
{
    const double w0 = kDesignAngle * f;
    const double cosw0 = std::cos(w0);
    const double sinw0 = std::sin(w0);
    const double K = std::tan(w0 / 2);
    Cascade cascade;
    for (int t = 0; t < kMaxSections && d[t] != 0.0; ++t)
    {
        Section s;
        if (t == 0 && IsFirstOrderStep(slope))
        {
            if (highPass)
                s = {d[0] * K + 1, d[0] * K - 1, 0.0, 1.0, -1.0, 0.0};
            else
                s = {K + d[0], K - d[0], 0.0, K, K, 0.0};
        }
        else
        {
            const double alpha = sinw0 * d[t];
            s.a0 = 1 + alpha;
            s.a1 = -2 * cosw0;
            s.a2 = 1 - alpha;
            if (highPass)
            {
                s.b0 = (1 + cosw0) / 2;
                s.b1 = -(1 + cosw0);
            }
            else
            {
                s.b0 = (1 - cosw0) / 2;
                s.b1 = 1 - cosw0;
            }
            s.b2 = s.b0;
        }
        Append(cascade, s);
    }
    return cascade;
}

Cascade BesselLowPassCascade(double f0, int slope)
{
    const BesselLowPassRow& row = kBesselLowPass[slope];
    const double w0 = kDesignAngle * (f0 / row.dDivisor);
    const double K = std::tan(w0 / 2);
    const double K2 = K * K;
    Cascade cascade;
    for (int t = 0; t < kMaxSections; ++t)
    {
        const double p = row.p[t];
        const double q = row.q[t];
        if (p == 0.0)
            continue;
        Append(cascade, {p * K + K2 + q, 2 * K2 - 2 * q, K2 - p * K + q, K2, 2 * K2, K2});
    }
    return cascade;
}

void Flat(Response& out)
{
    out.fill(0.0);
}
}

double SectionDb(const Section& section, int index)
{
    const AxisTrig& trig = EvalTrig();
    return PointDb(Normalised(section), trig.c[index], trig.s[index]);
}

void AddSectionDb(const Section& section, Response& response)
{
    const NormalisedSection n = Normalised(section);
    const AxisTrig& trig = EvalTrig();
    for (int i = 0; i < kFreqPoints; ++i)
        response[i] += PointDb(n, trig.c[i], trig.s[i]);
}

void CascadeResponse(const Cascade& cascade, Response& response)
{
    Flat(response);
    for (int t = 0; t < cascade.nCount; ++t)
        AddSectionDb(cascade.aSections[t], response);
}

Section PeakingSection(double f0, double gainDb, double bandwidthOct)
{
    const double A = std::pow(10.0, gainDb / 40);
    const double w0 = kDesignAngle * f0;
    const double sinw0 = std::sin(w0);
    const double cosw0 = std::cos(w0);
    const double alpha = sinw0 * std::sinh(kPeakingLn2 * bandwidthOct * w0 / sinw0);
    return {1 + alpha / A, -2 * cosw0, 1 - alpha / A, 1 + alpha * A, -2 * cosw0, 1 - alpha * A};
}

Section ShelfSection(bool highShelf, double f0, double gainDb, int slope)
{
    if (gainDb == 0.0)
        return {};
    const ShelfRow& row = kShelf[highShelf ? 1 : 0][slope != 0 ? 1 : 0];
    const double A = std::pow(10.0, gainDb / 40);
    const double w0 = kDesignAngle * f0 * row.dAngleFactor;
    const double cosw0 = std::cos(w0);
    const double alpha = std::sin(w0) / 2 * std::sqrt((A + 1 / A) * (1 / row.dS - 1) + 2);
    const double B = 2 * std::sqrt(A) * alpha;
    if (highShelf)
        return {
            (A + 1) - (A - 1) * cosw0 + B,
            2 * ((A - 1) - (A + 1) * cosw0),
            (A + 1) - (A - 1) * cosw0 - B,
            A * ((A + 1) + (A - 1) * cosw0 + B),
            -2 * A * ((A - 1) + (A + 1) * cosw0),
            A * ((A + 1) + (A - 1) * cosw0 - B),
        };
    return {
        (A + 1) + (A - 1) * cosw0 + B,
        -2 * ((A - 1) + (A + 1) * cosw0),
        (A + 1) + (A - 1) * cosw0 - B,
        A * ((A + 1) - (A - 1) * cosw0 + B),
        2 * A * ((A - 1) - (A + 1) * cosw0),
        A * ((A + 1) - (A - 1) * cosw0 - B),
    };
}

Cascade HighPassCascade(double f0, int xoverType, int slope)
{
    slope = ClampSlope(slope);
    double f = f0;
    if (xoverType == kXoverBessel)
        f = f0 / kBesselHighPassDivisor[slope];
    return XoverCascade(true, f, XoverParams(xoverType, slope), slope);
}

Cascade LowPassCascade(double f0, int xoverType, int slope)
{
    slope = ClampSlope(slope);
    if (xoverType == kXoverBessel)
        return BesselLowPassCascade(f0, slope);
    return XoverCascade(false, f0, XoverParams(xoverType, slope), slope);
}

void ComputeFilterResponse(const FilterShape& shape, Response& out)
{
    switch (shape.nType)
    {
    case kFilterParametric:
        Flat(out);
        if (!shape.bInactive)
            AddSectionDb(PeakingSection(SnappedFreq(shape.nFreq), shape.dGainDb, shape.dBandwidthOct), out);
        return;
    case kFilterLowShelf:
    case kFilterHighShelf:
        Flat(out);
        if (!shape.bInactive)
            AddSectionDb(ShelfSection(shape.nType == kFilterHighShelf, SnappedFreq(shape.nFreq), shape.dGainDb, shape.nSlope), out);
        return;
    case kFilterHighPass:
        if (shape.nFreq == kFreqMin)
            return Flat(out);
        return CascadeResponse(HighPassCascade(SnappedFreq(shape.nFreq), shape.nXoverType, shape.nSlope), out);
    case kFilterLowPass:
        if (shape.nFreq == kFreqMax)
            return Flat(out);
        return CascadeResponse(LowPassCascade(shape.nFreq, shape.nXoverType, shape.nSlope), out);
    default:
        return Flat(out);
    }
}
