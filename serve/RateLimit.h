#pragma once

#include <QElapsedTimer>
#include <QHash>
#include <QString>

// How many requests one client address may make: nBurst at once, then
// nPerSecond on average (a bucket of tokens per address). The HTTP API and
// the OSC listener each keep one. An address whose bucket has filled up
// again is forgotten once many are known, so a stream of forged sender
// addresses cannot grow the table without end.
class CRateLimit
{
public:
    CRateLimit(int nPerSecond, int nBurst);

    // False when the address has used up its share just now.
    bool Take(const QString& strClient);

private:
    struct Bucket
    {
        double dTokens = 0;
        qint64 nLastMs = 0;
    };
    void Forget(qint64 nNow);

    int m_nPerSecond;
    int m_nBurst;
    QHash<QString, Bucket> m_buckets;
    QElapsedTimer m_clock;
};
