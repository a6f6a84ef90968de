#pragma once

#include "controls/ControlMath.h"

#include <cstdint>

// What a level meter shows between the processor's level answers, which
// come at the line's pace (a few a second): a rise at once, a fall as a
// steady decay drawn at the display's rate, the highest step held for
// kPeakHoldMs, and a clip latch that a full-scale answer sets and only the
// user clears. Times are milliseconds of a monotonic clock the caller
// passes in, so that tests can drive it.
class CMeterBallistics
{
public:
    static constexpr int kPeakHoldMs = 1500;
    // The whole scale falls in about 0.7 s.
    static constexpr double kDecayStepsPerSecond = 16.0;

    // A level answer (the receive side's value, 0..27) at `nowMs`.
    void Feed(int level, std::int64_t nowMs);
    // Forgets everything shown, the clip latch included (disconnected).
    void Reset();

    // The step drawn at `nowMs`: the last answer's, or above it while the
    // meter falls from a higher one.
    double Shown(std::int64_t nowMs) const;
    // The step held as the peak, or 0 when the hold has run out.
    int Peak(std::int64_t nowMs) const;
    bool IsClipped() const { return m_bClipped; }
    void ClearClip() { m_bClipped = false; }
    // Whether the picture still changes without a new answer: falling, or a
    // peak waiting to run out.
    bool IsMoving(std::int64_t nowMs) const;

    // The lamps drawn at `nowMs`: the shown step with the last answer's
    // mark, the held peak's lamp, and while latched the top lamp as the
    // clip indicator.
    std::uint16_t Pattern(std::int64_t nowMs, ELampStyle style) const;

private:
    int m_nLevel = 0;
    int m_nTarget = 0;
    double m_dFrom = 0;
    std::int64_t m_nFromMs = 0;
    int m_nPeak = 0;
    std::int64_t m_nPeakMs = 0;
    bool m_bClipped = false;
};
