#pragma once

#include "serve/ServeEvents.h"

#include <QList>
#include <QObject>

#include <memory>
#include <vector>

class CAccessRule;
class CServeLink;
class QAbstractHttpServer;
class QWebSocket;

// The event stream at /api/v1/events: WebSocket clients of the HTTP server,
// each receiving the service's events (CServeEvents) as JSON text messages.
// A client takes every kind unless it names some, on the address
// (?subscribe=meters,param) or at any time with a message
// {"subscribe": ["param"], "prefix": "outputs/3/"}; the prefix narrows
// parameter events to paths that start with it. The access rule is the
// HTTP API's; a client it refuses is closed at once, having received
// nothing.
class CEventSockets : public QObject
{
    Q_OBJECT

public:
    static constexpr const char* kPath = "/api/v1/events";

    CEventSockets(QAbstractHttpServer& server, CServeLink& link, const CAccessRule& access, QObject* pParent = nullptr);
    ~CEventSockets() override;

    int ClientCount() const { return static_cast<int>(m_clients.size()); }

private:
    struct Client;
    void OnNewConnection();
    void OnEvent(CServeEvents::EKind eKind, const QJsonObject& event);
    void OnMessage(Client& client, const QString& strMessage);
    void Drop(QWebSocket* pSocket);

    QAbstractHttpServer& m_server;
    CServeLink& m_link;
    const CAccessRule& m_access;
    std::vector<std::unique_ptr<Client>> m_clients;
};
