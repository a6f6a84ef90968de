#include "serve/AccessRule.h"

namespace
{
// Compares in a time that does not tell how much of a guess was right.
bool SameSecret(const QByteArray& a, const QByteArray& b)
{
    if (a.size() != b.size())
        return false;
    unsigned char diff = 0;
    for (qsizetype i = 0; i < a.size(); ++i)
        diff |= static_cast<unsigned char>(a[i] ^ b[i]);
    return diff == 0;
}
}

CAccessRule::CAccessRule(QHostAddress listenAddress, quint16 nPort, QByteArray token)
    : m_listenAddress(std::move(listenAddress))
    , m_nPort(nPort)
    , m_token(std::move(token))
{
}

bool CAccessRule::NeedsToken(const QHostAddress& listenAddress)
{
    return !listenAddress.isLoopback();
}

bool CAccessRule::HostIsOurs(const QByteArray& host) const
{
    const QByteArray port = ":" + QByteArray::number(m_nPort);
    QByteArray listen = m_listenAddress.toString().toLatin1();
    if (m_listenAddress.protocol() == QAbstractSocket::IPv6Protocol)
        listen = "[" + listen + "]";
    for (const QByteArray& name : {QByteArray("127.0.0.1"), QByteArray("localhost"), QByteArray("[::1]"), listen})
    {
        if (host.compare(name + port, Qt::CaseInsensitive) == 0 || (m_nPort == 80 && host.compare(name, Qt::CaseInsensitive) == 0))
            return true;
    }
    return false;
}

std::optional<CApiFault> CAccessRule::Check(const Request& request) const
{
    if (TokenNeeded())
    {
        static const QByteArray kBearer("Bearer ");
        const bool bHeader = request.authorization.startsWith(kBearer)
                             && SameSecret(request.authorization.mid(kBearer.size()).trimmed(), m_token);
        if (!bHeader && !SameSecret(request.queryToken, m_token))
            return CApiFault{EApiFault::kUnauthorized, {}};
    }
    else if (!request.host.isEmpty() && !HostIsOurs(request.host))
        return CApiFault{EApiFault::kBadHost, {}};
    if (!request.origin.isEmpty() && request.origin != "http://" + request.host)
        return CApiFault{EApiFault::kForbiddenOrigin, {}};
    return std::nullopt;
}
