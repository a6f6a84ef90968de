#include "serve/RateLimit.h"

#include <algorithm>

namespace
{
constexpr qsizetype kKnownAddresses = 4096;
}

CRateLimit::CRateLimit(int nPerSecond, int nBurst)
    : m_nPerSecond(nPerSecond)
    , m_nBurst(nBurst)
{
    m_clock.start();
}

bool CRateLimit::Take(const QString& strClient)
{
    const qint64 nNow = m_clock.elapsed();
    auto it = m_buckets.find(strClient);
    if (it == m_buckets.end())
    {
        if (m_buckets.size() >= kKnownAddresses)
            Forget(nNow);
        it = m_buckets.insert(strClient, Bucket{static_cast<double>(m_nBurst), nNow});
    }
    Bucket& bucket = it.value();
    bucket.dTokens = std::min<double>(m_nBurst, bucket.dTokens + (nNow - bucket.nLastMs) * m_nPerSecond / 1000.0);
    bucket.nLastMs = nNow;
    if (bucket.dTokens < 1.0)
        return false;
    bucket.dTokens -= 1.0;
    return true;
}

void CRateLimit::Forget(qint64 nNow)
{
    m_buckets.removeIf([this, nNow](const QHash<QString, Bucket>::iterator& it) {
        return it->dTokens + (nNow - it->nLastMs) * m_nPerSecond / 1000.0 >= m_nBurst;
    });
}
