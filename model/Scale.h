#pragma once

#include <string>
#include <string_view>

// The scale of a parameter, written once: the steps the processor stores,
// the value each step stands for, the text a step is shown as and the step a
// typed text gives back. The catalogue rows, the record's filters, the
// response graph, the filter import, the generator and the faders all ask
// the scale, so that a field, a fader, the graph and an import cannot
// disagree about a step.
//
// Values are computed in the form and order the processor's scale is
// written, in doubles (a band's gain is step x 0.1 - 40, its bandwidth
// step x 0.01 + 0.01): these doubles go into program files byte for byte,
// and an algebraically equal form gives other last bits for hundreds of
// steps. Every typed conversion adds 1e-9 before it truncates, so that every
// shown value typed back gives its own step.

// The views of one stored step: a delay shown as a distance, a bandwidth
// shown as Q.
enum class EUnit : int
{
    kNative,
    kMetres,
    kFeet,
    kQ,
};

// Result of converting a typed value: the step, and whether the value lay
// outside the accepted range (the caller shows "Out of Range").
struct TypedStep
{
    int nStep = 0;
    bool bOutOfRange = false;
};

class CScale
{
public:
    int nMinStep;
    int nMaxStep;
    const char* pszUnit; // of the native view: "dB", "ms", "Hz"
    int nOffStep;        // the step shown and typed as "OFF"; -1: none

    constexpr bool IsOff(int step) const { return nOffStep >= 0 && step == nOffStep; }
    // Whether the scale is shown in `unit`: every scale in its native view,
    // the delay in metres and feet too, the bandwidth as Q.
    virtual bool HasView(EUnit unit) const;
    // The bare number of a step: "-3.0", "12.500", "0.30", "1.414" (Q);
    // "OFF" for the off step. A view the scale lacks is its native one.
    virtual std::string Number(int step, EUnit unit) const = 0;
    // The number with its unit: "-3.0dB", "0.30oct", "20000Hz"; the distance
    // and Q views and "OFF" carry none.
    std::string Text(int step, EUnit unit = EUnit::kNative) const;
    // A typed text -> step: the number it starts with (a decimal point or
    // comma, a unit may follow), "OFF" where the scale has it. Text that
    // holds no value keeps `current`, flagged; so does an attack between 0.9
    // and 1 ms, unflagged. The step lies within the scale's range.
    virtual TypedStep Parse(std::string_view text, int current, EUnit unit) const = 0;
    // A spin step: `delta` steps on from `step`, kept within min..max.
    virtual int StepBy(int step, int delta, int min, int max) const;

    constexpr CScale(int minStep, int maxStep, const char* unit, int offStep = -1)
        : nMinStep(minStep)
        , nMaxStep(maxStep)
        , pszUnit(unit)
        , nOffStep(offStep)
    {
    }

protected:
    ~CScale() = default;
};

// value = step x dStep - dOffset.
class CLinearScale final : public CScale
{
public:
    double dStep;
    double dOffset;
    int nDecimals;
    // A power of ten that makes the step whole (dStep x nWhole is exact). A
    // value is scaled by it before it is divided into steps: no double holds
    // 0.1, and dividing by it would land shown values a step low.
    int nWhole;

    constexpr CLinearScale(int minStep, int maxStep, double step, double offset, int decimals, const char* unit,
                           int offStep = -1, int whole = 10)
        : CScale(minStep, maxStep, unit, offStep)
        , dStep(step)
        , dOffset(offset)
        , nDecimals(decimals)
        , nWhole(whole)
    {
    }

    constexpr double Value(int step) const { return step * dStep - dOffset; }
    // The step nearest a value, half-way going up; a value far off the
    // scale (a damaged file's) gives at most 10^6 steps either way.
    constexpr int NearestStep(double value) const
    {
        const double x = (value + dOffset) * nWhole / (dStep * nWhole) + 0.5;
        constexpr double kFar = 1.0e6;
        if (!(x > -kFar))
            return -static_cast<int>(kFar);
        if (x >= kFar)
            return static_cast<int>(kFar);
        const auto whole = static_cast<long long>(x);
        return static_cast<int>(static_cast<double>(whole) > x ? whole - 1 : whole);
    }
    // The step of 0 (dB, dBu).
    constexpr int ZeroStep() const { return NearestStep(0.0); }
    // A typed value -> step, truncated; a value beyond either end is taken
    // there and flagged (NaN at the lowest).
    TypedStep Typed(double value) const;
    // A value of the scale, not necessarily a step's, as text: "-3.3dB".
    std::string ValueText(double value) const;

    std::string Number(int step, EUnit unit) const override;
    TypedStep Parse(std::string_view text, int current, EUnit unit) const override;
};

// Steps whose value is the step itself: whole hertz, milliseconds, seconds.
class CWholeScale : public CScale
{
public:
    using CScale::CScale;

    std::string Number(int step, EUnit unit) const override;
    // A typed number's whole part; beyond either end it is taken there and
    // flagged.
    TypedStep Parse(std::string_view text, int current, EUnit unit) const override;
};

// Whole hertz, 20 to 20000, over the 241-point axis every curve is
// evaluated on (FreqTable).
class CFrequencyScale final : public CWholeScale
{
public:
    using CWholeScale::CWholeScale;

    // The axis point nearest `hz` (a tie goes up).
    double AxisPoint(double hz) const;
    // A spin walks the axis instead of hertz by hertz: each step goes to the
    // next axis frequency (whole hertz) beyond the value, so a value between
    // points reaches the nearer point first.
    int StepBy(int step, int delta, int min, int max) const override;
};

// Width of a band in octaves, 0.01 to 3.00 in hundredths; also shown as Q.
class CBandwidthScale final : public CScale
{
public:
    using CScale::CScale;

    constexpr double Value(int step) const { return step * 0.01 + 0.01; }
    // The step of a width to the nearest hundredth of an octave; a width far
    // off the scale gives at most 10^6 steps either way.
    int NearestStep(double octaves) const;
    // A typed width -> step. Widths are taken between 0.01 and 3.00 octaves,
    // flagged out of range outside (NaN at 0.01).
    TypedStep Typed(double octaves) const;
    // The Q table's entry of a step; steps outside are clamped.
    double Q(int step) const;
    // A typed Q -> the narrowest step whose Q does not exceed it. A Q outside
    // 0.404..144.27 is flagged and taken at the nearer limit (NaN at 0.404).
    TypedStep TypedQ(double q) const;

    bool HasView(EUnit unit) const override;
    std::string Number(int step, EUnit unit) const override;
    TypedStep Parse(std::string_view text, int current, EUnit unit) const override;
};

// Delay, steps 0..1467: 0.021 ms apart up to 10.017 ms (step 477), whole
// milliseconds above, step 1467 exactly 1000 ms; also shown as the distance
// sound travels in that time, in metres and feet, at the fixed air
// temperature.
class CDelayScale final : public CScale
{
public:
    using CScale::CScale;

    // Milliseconds; steps outside are clamped.
    double Value(int step) const;
    // A typed time -> step: below 0 gives step 0, above 999.017 ms step 1467;
    // flagged below 0 and above 1000 ms (NaN: step 0).
    TypedStep Typed(double ms) const;
    // A typed distance -> step. Distances above that of 999.017 ms give step
    // 1466: a typed distance never reaches 1467. Flagged below 0 and beyond
    // 340 m (1000 ms). A typed feet figure counts half a shown digit
    // (0.0005 ft) more, so that every shown distance maps back to its step.
    TypedStep TypedMetres(double metres) const;
    TypedStep TypedFeet(double feet) const;

    bool HasView(EUnit unit) const override;
    // Distances have three decimals and no unit; step 1467 shows the round
    // 340.000 m and 1115.000 ft rather than the computed distance of 1000 ms.
    std::string Number(int step, EUnit unit) const override;
    TypedStep Parse(std::string_view text, int current, EUnit unit) const override;
};

// Limiter attack, steps 0..206: 0.3 to 0.9 ms in tenths (steps 0..6), then
// whole milliseconds 1 to 200.
class CAttackScale final : public CScale
{
public:
    using CScale::CScale;

    double Value(int step) const;
    // A typed time -> step. Times are taken between 0.3 and 200 ms, flagged
    // outside; `current` is kept for times between 0.9 and 1 ms, which no
    // step shows. NaN is flagged and keeps `current`.
    TypedStep Typed(double ms, int current) const;

    std::string Number(int step, EUnit unit) const override;
    TypedStep Parse(std::string_view text, int current, EUnit unit) const override;
};

namespace Scales
{
inline constexpr CLinearScale kChannelGain{0, 420, 0.1, 30, 1, "dB"};
inline constexpr CLinearScale kEqGain{0, 600, 0.1, 40, 1, "dB"};
inline constexpr CLinearScale kGate{0, 80, 1.0, 120, 0, "dBu", 0};
inline constexpr CLinearScale kLimitThreshold{0, 600, 0.1, 40, 1, "dBu", 600};
inline constexpr CLinearScale kGenLevel{0, 660, 0.1, 60, 1, "dBu"};
inline constexpr CFrequencyScale kFrequency{20, 20000, "Hz"};
inline constexpr CBandwidthScale kBandwidth{0, 299, "oct"};
inline constexpr CDelayScale kDelay{0, 1467, "ms"};
inline constexpr CAttackScale kAttack{0, 206, "ms"};
inline constexpr CWholeScale kRelease{50, 5000, "ms"};
inline constexpr CWholeScale kSweep{2, 30, "s"};
}
