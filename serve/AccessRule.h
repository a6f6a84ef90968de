#pragma once

#include "serve/ApiFault.h"

#include <QByteArray>
#include <QHostAddress>

#include <optional>

// Who may use the service, decided the same way for a request and for an
// event stream:
//
// - Listening on a loopback address only, no token is asked for, but the
//   Host header must name the loopback address (so that a web page whose
//   name was made to point at this machine cannot reach the service).
// - Listening on any other address, every request must carry the token:
//   "Authorization: Bearer <token>" (an event stream opened by a browser,
//   which cannot set that header, may give it as ?token=<token>).
// - Requests from a web page of another origin are refused (no CORS is
//   granted); programs other than browsers send no Origin header.
class CAccessRule
{
public:
    // token: empty when none is needed.
    CAccessRule(QHostAddress listenAddress, quint16 nPort, QByteArray token);

    // Whether listening on this address needs the token.
    static bool NeedsToken(const QHostAddress& listenAddress);

    struct Request
    {
        QByteArray host;           // the Host header
        QByteArray origin;         // the Origin header, empty when absent
        QByteArray authorization;  // the Authorization header
        QByteArray queryToken;     // ?token=, only taken from event streams
    };
    // Nothing when the request may go on.
    std::optional<CApiFault> Check(const Request& request) const;

    void SetPort(quint16 nPort) { m_nPort = nPort; }
    bool TokenNeeded() const { return !m_token.isEmpty(); }

private:
    bool HostIsOurs(const QByteArray& host) const;

    QHostAddress m_listenAddress;
    quint16 m_nPort;
    QByteArray m_token;
};
