#include "model/Scale.h"

#include "model/DataDefine.h"
#include "model/NumberText.h"

#include <algorithm>
#include <cmath>

namespace
{
constexpr const char* kOffText = "OFF";

// Delay steps 0..477 are 0.021 ms apart; above, whole milliseconds.
constexpr int kDelayFineSteps = 477;
constexpr double kDelayFineMs = 0.021;
constexpr double kDelayFineTopMs = 10.017;
constexpr double kDelayTopStepMs = 999.017;
constexpr double kDelayMaxMs = 1000.0;

// Attack steps 0..6 are tenths of a millisecond from 0.3 to 0.9 ms, whole
// milliseconds up to 200 above.
constexpr int kAttackFineTop = 6;
constexpr double kAttackShortestMs = 0.3;
constexpr double kAttackFineTopMs = 0.9;
constexpr double kAttackLongestMs = 200;

bool IsOffText(std::string_view text)
{
    const size_t start = text.find_first_not_of(" \t");
    return start != std::string_view::npos && text.substr(start).starts_with(kOffText);
}

// Takes a typed value beyond either end at that end (NaN at the lowest);
// true when it was so taken, which the user is told.
bool TakeWithin(double& value, double lowest, double highest)
{
    if (std::isnan(value) || value < lowest)
    {
        value = lowest;
        return true;
    }
    if (value > highest)
    {
        value = highest;
        return true;
    }
    return false;
}

// Truncates a count of steps that a typed value gives. The small term keeps
// a shown value that lands a hair below its step (-27.1 dB gives
// 28.999999999999986 steps) on that step, without lifting any other typed
// value across a step boundary.
int TypedSteps(double steps)
{
    return static_cast<int>(std::trunc(steps + 1e-9));
}
}

// ---- every scale ------------------------------------------------------------------

bool CScale::HasView(EUnit unit) const
{
    return unit == EUnit::kNative;
}

std::string CScale::Text(int step, EUnit unit) const
{
    const bool native = unit == EUnit::kNative || !HasView(unit);
    if (!native || IsOff(step))
        return Number(step, unit);
    return Number(step, unit) + pszUnit;
}

int CScale::StepBy(int step, int delta, int min, int max) const
{
    return static_cast<int>(std::clamp<long long>(static_cast<long long>(step) + delta, min, max));
}

// ---- linear -----------------------------------------------------------------------

TypedStep CLinearScale::Typed(double value) const
{
    TypedStep result;
    result.bOutOfRange = TakeWithin(value, Value(nMinStep), Value(nMaxStep));
    result.nStep = std::clamp(TypedSteps((value + dOffset) * nWhole / (dStep * nWhole)), nMinStep, nMaxStep);
    return result;
}

std::string CLinearScale::ValueText(double value) const
{
    return FixedText(value, nDecimals) + pszUnit;
}

std::string CLinearScale::Number(int step, EUnit) const
{
    if (IsOff(step))
        return kOffText;
    return FixedText(Value(step), nDecimals);
}

TypedStep CLinearScale::Parse(std::string_view text, int current, EUnit) const
{
    if (nOffStep >= 0 && IsOffText(text))
        return Typed(Value(nOffStep));
    const std::optional<double> value = LeadingNumber(text);
    if (!value)
        return {current, true};
    return Typed(*value);
}

// ---- whole numbers and the frequency axis -------------------------------------------

std::string CWholeScale::Number(int step, EUnit) const
{
    return std::to_string(step);
}

TypedStep CWholeScale::Parse(std::string_view text, int current, EUnit) const
{
    const std::optional<long long> value = LeadingInteger(text);
    if (!value)
        return {current, true};
    if (*value < nMinStep)
        return {nMinStep, true};
    if (*value > nMaxStep)
        return {nMaxStep, true};
    return {static_cast<int>(*value), false};
}

double CFrequencyScale::AxisPoint(double hz) const
{
    return FreqTable()[static_cast<size_t>(NearestFreqIndex(hz))];
}

int CFrequencyScale::StepBy(int step, int delta, int min, int max) const
{
    const auto& table = FreqTable();
    int hz = std::clamp(step, min, max);
    for (int n = 0; n < std::abs(delta); ++n)
    {
        int next = delta > 0 ? max : min;
        if (delta > 0)
        {
            for (double point : table)
                if (static_cast<int>(point) > hz)
                {
                    next = std::min(static_cast<int>(point), max);
                    break;
                }
        }
        else
        {
            for (auto it = table.rbegin(); it != table.rend(); ++it)
                if (static_cast<int>(*it) < hz)
                {
                    next = std::max(static_cast<int>(*it), min);
                    break;
                }
        }
        hz = next;
    }
    return hz;
}

// ---- bandwidth and Q --------------------------------------------------------------

int CBandwidthScale::NearestStep(double octaves) const
{
    return static_cast<int>(std::clamp(std::round(octaves * 100), -1.0e6, 1.0e6)) - 1;
}

TypedStep CBandwidthScale::Typed(double octaves) const
{
    TypedStep result;
    result.bOutOfRange = TakeWithin(octaves, Value(nMinStep), Value(nMaxStep));
    result.nStep = TypedSteps((octaves - 0.01) * 1000 / 10);
    return result;
}

double CBandwidthScale::Q(int step) const
{
    return QTable()[static_cast<size_t>(std::clamp(step, nMinStep, nMaxStep))];
}

TypedStep CBandwidthScale::TypedQ(double q) const
{
    // Q falls as the width grows: 144.27 at the narrowest step, 0.404 at the
    // widest.
    const auto& table = QTable();
    TypedStep result;
    result.bOutOfRange = TakeWithin(q, table.back(), table.front());
    result.nStep = nMaxStep;
    for (int i = nMinStep; i <= nMaxStep; ++i)
    {
        if (q >= table[static_cast<size_t>(i)])
        {
            result.nStep = i;
            break;
        }
    }
    return result;
}

bool CBandwidthScale::HasView(EUnit unit) const
{
    return unit == EUnit::kNative || unit == EUnit::kQ;
}

std::string CBandwidthScale::Number(int step, EUnit unit) const
{
    // Q entry 0 is tabled to two decimals only.
    if (unit == EUnit::kQ)
        return FixedText(Q(step), step == 0 ? 2 : 3);
    return FixedText(Value(step), 2);
}

TypedStep CBandwidthScale::Parse(std::string_view text, int current, EUnit unit) const
{
    const std::optional<double> value = LeadingNumber(text);
    if (!value)
        return {current, true};
    return unit == EUnit::kQ ? TypedQ(*value) : Typed(*value);
}

// ---- delay ------------------------------------------------------------------------

double CDelayScale::Value(int step) const
{
    step = std::clamp(step, nMinStep, nMaxStep);
    if (step == nMaxStep)
        return kDelayMaxMs;
    if (step <= kDelayFineSteps)
        return step * kDelayFineMs;
    return (step - kDelayFineSteps) + kDelayFineTopMs;
}

TypedStep CDelayScale::Typed(double ms) const
{
    if (std::isnan(ms) || ms < 0)
        return {nMinStep, true};
    // 999.017..1000 ms is still accepted as the top step; only beyond it is
    // the user told.
    if (ms > kDelayTopStepMs)
        return {nMaxStep, ms > kDelayMaxMs};
    if (ms > kDelayFineTopMs)
        return {static_cast<int>(std::trunc(ms - kDelayFineTopMs + kDelayFineSteps)), false};
    return {static_cast<int>(std::trunc(ms / kDelayFineMs + 0.5)), false};
}

TypedStep CDelayScale::TypedMetres(double metres) const
{
    if (std::isnan(metres) || metres < 0)
        return {nMinStep, true};
    const double topMetres = DelayMsToMetres(kDelayTopStepMs);
    if (metres > topMetres)
        return {nMaxStep - 1, metres > DelayMsToMetres(kDelayMaxMs)};
    // At most the distance of 999.017 ms here, so at most step 1466.
    return Typed(DelayMetresToMs(metres));
}

TypedStep CDelayScale::TypedFeet(double feet) const
{
    if (std::isnan(feet) || feet < 0)
        return {nMinStep, true};
    // Feet are shown to 0.001 and, unlike metres, often rounded down, so that
    // retyping a shown distance would truncate to the millisecond below.
    // Taking the typed figure as up to half a shown digit more brings every
    // shown distance back to its own step.
    return TypedMetres((feet + 0.0005) / kFeetPerMetre);
}

bool CDelayScale::HasView(EUnit unit) const
{
    return unit == EUnit::kNative || unit == EUnit::kMetres || unit == EUnit::kFeet;
}

std::string CDelayScale::Number(int step, EUnit unit) const
{
    if (unit == EUnit::kMetres)
        return step == nMaxStep ? "340.000" : FixedText(DelayMsToMetres(Value(step)), 3);
    if (unit == EUnit::kFeet)
        return step == nMaxStep ? "1115.000" : FixedText(DelayMsToFeet(Value(step)), 3);
    return FixedText(Value(step), 3);
}

TypedStep CDelayScale::Parse(std::string_view text, int current, EUnit unit) const
{
    const std::optional<double> value = LeadingNumber(text);
    if (!value)
        return {current, true};
    if (unit == EUnit::kMetres)
        return TypedMetres(*value);
    if (unit == EUnit::kFeet)
        return TypedFeet(*value);
    return Typed(*value);
}

// ---- attack -----------------------------------------------------------------------

double CAttackScale::Value(int step) const
{
    if (step <= kAttackFineTop)
        return (step + 3) * 0.1;
    return step - kAttackFineTop;
}

TypedStep CAttackScale::Typed(double ms, int current) const
{
    if (std::isnan(ms))
        return {current, true};
    TypedStep result{current, false};
    result.bOutOfRange = TakeWithin(ms, kAttackShortestMs, kAttackLongestMs);
    if (ms <= kAttackFineTopMs)
        // (0.6 - 0.3) / 0.1 is 2.9999999999999996: the small term keeps the
        // shown 0.6 and 0.7 on their own steps.
        result.nStep = TypedSteps((ms - kAttackShortestMs) / 0.1);
    else if (ms >= 1)
        result.nStep = static_cast<int>(std::trunc(ms)) + kAttackFineTop;
    return result;
}

std::string CAttackScale::Number(int step, EUnit) const
{
    if (step <= kAttackFineTop)
        return FixedText(Value(step), 1);
    return std::to_string(step - kAttackFineTop);
}

TypedStep CAttackScale::Parse(std::string_view text, int current, EUnit) const
{
    const std::optional<double> value = LeadingNumber(text);
    if (!value)
        return {current, true};
    return Typed(*value, current);
}
