#include "controls/MeterBallistics.h"

#include <algorithm>

namespace
{
std::uint16_t LampBit(int lamp)
{
    return lamp > 0 ? static_cast<std::uint16_t>(1u << (lamp - 1)) : 0;
}
}

void CMeterBallistics::Feed(int level, std::int64_t nowMs)
{
    const int step = MeterStep(level);
    // A fall starts from where the meter stands now, not from the last
    // answer: two answers in quick succession keep the decay smooth.
    m_dFrom = std::max(Shown(nowMs), static_cast<double>(step));
    m_nFromMs = nowMs;
    m_nTarget = step;
    m_nLevel = level;
    if (step >= Peak(nowMs))
    {
        m_nPeak = step;
        m_nPeakMs = nowMs;
    }
    if (step >= kFullScaleStep)
        m_bClipped = true;
}

void CMeterBallistics::Reset()
{
    *this = CMeterBallistics();
}

double CMeterBallistics::Shown(std::int64_t nowMs) const
{
    const double elapsed = static_cast<double>(std::max<std::int64_t>(0, nowMs - m_nFromMs)) / 1000.0;
    return std::max(static_cast<double>(m_nTarget), m_dFrom - elapsed * kDecayStepsPerSecond);
}

int CMeterBallistics::Peak(std::int64_t nowMs) const
{
    return nowMs - m_nPeakMs < kPeakHoldMs ? m_nPeak : 0;
}

bool CMeterBallistics::IsMoving(std::int64_t nowMs) const
{
    return Shown(nowMs) > m_nTarget || Peak(nowMs) > m_nTarget;
}

std::uint16_t CMeterBallistics::Pattern(std::int64_t nowMs, ELampStyle style) const
{
    const int shown = static_cast<int>(Shown(nowMs));
    // The decayed step carries the last answer's mark, which is no level.
    std::uint16_t pattern = LampPattern(HasMark(m_nLevel) ? shown + kLevelMark : shown, style);
    pattern |= LampBit(TopLampOfStep(Peak(nowMs), style));
    if (m_bClipped)
        pattern |= LampBit(kLampCount);
    return pattern;
}
