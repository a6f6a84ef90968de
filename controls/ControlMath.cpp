#include "controls/ControlMath.h"

#include <algorithm>
#include <array>
#include <cmath>

int ClampFaderPosition(const SFaderTravel& travel, int position)
{
    return std::clamp(position, travel.nMin, std::max(travel.nMin, travel.nMax));
}

double FaderThumbCentre(const SFaderTravel& travel, int position)
{
    const int span = travel.nMax - travel.nMin;
    if (span <= 0)
        return travel.dTop;
    const double share = double(ClampFaderPosition(travel, position) - travel.nMin) / span;
    return travel.dTop + share * (travel.dBottom - travel.dTop);
}

int FaderPositionAt(const SFaderTravel& travel, double y)
{
    const int span = travel.nMax - travel.nMin;
    const double length = travel.dBottom - travel.dTop;
    if (span <= 0 || length <= 0)
        return travel.nMin;
    const double share = (y - travel.dTop) / length;
    return ClampFaderPosition(travel, travel.nMin + int(std::lround(share * span)));
}

int FaderMoved(const SFaderTravel& travel, int position, EFaderMove move)
{
    switch (move)
    {
    case EFaderMove::LineUp:
        return ClampFaderPosition(travel, position - 1);
    case EFaderMove::LineDown:
        return ClampFaderPosition(travel, position + 1);
    case EFaderMove::PageUp:
        return ClampFaderPosition(travel, position - kFaderPageStep);
    case EFaderMove::PageDown:
        return ClampFaderPosition(travel, position + kFaderPageStep);
    case EFaderMove::Top:
        return travel.nMin;
    case EFaderMove::Bottom:
        return ClampFaderPosition(travel, travel.nMax);
    }
    return position;
}

int WheelNotches(int& rest, int delta)
{
    constexpr int kNotch = 120;
    rest += delta;
    const int notches = rest / kNotch;  // toward zero, so the rest keeps its sign
    rest -= notches * kNotch;
    return notches;
}

namespace
{
constexpr int kMarkLevel = kLevelMark;
constexpr int kTopLevel = 27;
constexpr int kFullStep = 11;
constexpr int kOutputBodyLamps = 9;
constexpr int kMarkLamp = 10;
constexpr int kPeakLamp = 11;

std::uint16_t LowerLamps(int count)
{
    return std::uint16_t((1u << count) - 1u);
}

std::uint16_t Lamp(int lamp)
{
    return std::uint16_t(1u << (lamp - 1));
}
}

int MeterStep(int level)
{
    level = std::clamp(level, 0, kTopLevel);
    // 12 to 15 never come from the receive side; they are full scale as well.
    return std::min(level >= kMarkLevel ? level - kMarkLevel : level, kFullStep);
}

bool HasMark(int level)
{
    return std::clamp(level, 0, kTopLevel) >= kMarkLevel;
}

int TopLampOfStep(int step, ELampStyle style)
{
    step = std::clamp(step, 0, kFullStep);
    if (style == ELampStyle::Output && step < kFullStep)
        return std::min(step, kOutputBodyLamps);
    return step;
}

int StepDb(int step)
{
    // The processor's lamps are spaced closer near the top, where engineers
    // read headroom; the same thresholds for inputs and outputs.
    static constexpr std::array<int, kFullStep> kDb{-48, -42, -36, -30, -24, -18, -12, -9, -6, -3, 0};
    return kDb.at(static_cast<size_t>(std::clamp(step, 1, kFullStep) - 1));
}

std::uint16_t LampPattern(int level, ELampStyle style)
{
    const bool marked = HasMark(level);
    const int step = MeterStep(level);
    if (style == ELampStyle::Input)
        return LowerLamps(step);
    std::uint16_t pattern = LowerLamps(std::min(step, kOutputBodyLamps));
    if (marked)
        pattern |= Lamp(kMarkLamp);
    if (step == kFullStep)
        pattern |= Lamp(kPeakLamp);
    return pattern;
}

int LitLampCount(std::uint16_t pattern)
{
    int count = 0;
    for (; pattern; pattern &= std::uint16_t(pattern - 1))
        ++count;
    return count;
}

ELampRole LampRole(int lamp, ELampStyle style)
{
    if (lamp >= kPeakLamp)
        return ELampRole::Peak;
    if (style == ELampStyle::Output && lamp == kMarkLamp)
        return ELampRole::Mark;
    if (lamp >= kOutputBodyLamps)
        return ELampRole::Warning;
    return ELampRole::Level;
}

bool IsTypableNameChar(char32_t character)
{
    return character >= 0x20 && character <= 0x7e;
}

int FaderHeightValue(const SFaderTravel& travel, int position)
{
    return travel.nMin + travel.nMax - position;
}

bool IsLampLit(std::uint16_t pattern, int lamp)
{
    return lamp >= 1 && lamp <= kLampCount && (pattern & Lamp(lamp));
}

bool IsMarkLit(std::uint16_t pattern, ELampStyle style)
{
    return style == ELampStyle::Output && IsLampLit(pattern, kMarkLamp);
}
