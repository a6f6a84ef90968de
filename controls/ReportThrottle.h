#pragma once

#include <cstdint>

// Thins a stream of changes to at most one report per interval: a change
// that comes a full interval after the last report goes out at once, a
// change inside the interval is held back until the interval has passed.
// Times are milliseconds of a monotonic clock the caller reads, so tests
// drive it without waiting.
class CReportThrottle
{
public:
    explicit CReportThrottle(std::int64_t intervalMs);

    // Forgets earlier reports: the next change goes out at once.
    void Reset();

    // A change happened at `now`; true when it is to be reported now.
    bool Offer(std::int64_t now);

    // True when a held-back change is due at `now` (and counts it reported).
    bool Poll(std::int64_t now);

    bool IsPending() const { return m_bPending; }

    // Milliseconds from `now` until a held-back change is due (0 if it is).
    std::int64_t WaitFor(std::int64_t now) const;

    std::int64_t Interval() const { return m_nInterval; }

private:
    bool ElapsedAt(std::int64_t now) const;

    std::int64_t m_nInterval;
    std::int64_t m_nLastReport = 0;
    bool m_bReported = false;
    bool m_bPending = false;
};
