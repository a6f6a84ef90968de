#include "controls/ReportThrottle.h"

#include <algorithm>

CReportThrottle::CReportThrottle(std::int64_t intervalMs)
    : m_nInterval(intervalMs)
{
}

void CReportThrottle::Reset()
{
    m_bReported = false;
    m_bPending = false;
}

bool CReportThrottle::ElapsedAt(std::int64_t now) const
{
    return !m_bReported || now - m_nLastReport >= m_nInterval;
}

bool CReportThrottle::Offer(std::int64_t now)
{
    if (!ElapsedAt(now))
    {
        m_bPending = true;
        return false;
    }
    m_bReported = true;
    m_nLastReport = now;
    m_bPending = false;
    return true;
}

bool CReportThrottle::Poll(std::int64_t now)
{
    if (!m_bPending || !ElapsedAt(now))
        return false;
    m_bPending = false;
    m_nLastReport = now;
    return true;
}

std::int64_t CReportThrottle::WaitFor(std::int64_t now) const
{
    if (ElapsedAt(now))
        return 0;
    return std::max<std::int64_t>(0, m_nLastReport + m_nInterval - now);
}
