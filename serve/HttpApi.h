#pragma once

#include "model/ValueText.h"
#include "serve/AccessRule.h"
#include "serve/ApiFault.h"
#include "serve/RateLimit.h"

#include <QHostAddress>
#include <QJsonObject>
#include <QtHttpServer/QAbstractHttpServer>
#include <QtHttpServer/QHttpServerResponder>

#include <functional>
#include <memory>
#include <optional>

class CServeLink;
class CEventSockets;
class QHttpServerRequest;
class QTcpSocket;

// The HTTP/JSON API under /api/v1 (and the event stream at
// /api/v1/events, see CEventSockets), on Qt's HTTP server:
//
//   GET  /api/v1/processor                       model, ID, firmware, online
//   GET  /api/v1/program                         the live program, as `orvan-cli show --json`
//   GET  /api/v1/programs                        names of the 30 slots, the current one
//   POST /api/v1/programs/{n}/recall             recall slot n into the live program
//   POST /api/v1/programs/{n}/store {"name"?}    store the live program into slot n
//   GET  /api/v1/parameters[?prefix=outputs/3/]  every parameter's value
//   GET  /api/v1/{parameter path}                one parameter (ParamAddresses)
//   PUT  /api/v1/{parameter path} {"value": -3.0} or {"step": 370}
//   GET|PUT /api/v1/{inputs|outputs}/{n}/mute {"value": true}
//   GET  /api/v1/openapi.json                    this list, from the catalogue
//
// Every request passes the access rule first, then a rate limit per client
// address; a write must be JSON and no larger than the body limit. Any
// refusal answers {"error", "message"} and sends nothing to the processor.
class CHttpApi : public QAbstractHttpServer
{
    Q_OBJECT

public:
    struct Options : CListenRule
    {
        quint16 nPort = 8080;  // 0 picks a free port
        qint64 nMaxBodyBytes = 16 * 1024;
    };

    // What serves the rest of the paths (the remote page); false: not found.
    using PageHandler = std::function<bool(const QHttpServerRequest& request, QHttpServerResponder& responder)>;

    CHttpApi(CServeLink& link, Options options, QObject* pParent = nullptr);
    ~CHttpApi() override;

    // False, with the system's reason, when the address cannot be bound.
    bool Listen(QString& strReason);
    quint16 Port() const { return m_nPort; }
    // "127.0.0.1:8080"
    QString Address() const;
    const CAccessRule& Access() const { return m_access; }
    void SetPageHandler(PageHandler handler) { m_pageHandler = std::move(handler); }

    // Writes a JSON answer with the service's headers.
    static void Reply(QHttpServerResponder& responder, int nStatus, const QJsonObject& json);
    static void ReplyFault(QHttpServerResponder& responder, const CApiFault& fault, ELanguage eLanguage);

protected:
    bool handleRequest(const QHttpServerRequest& request, QTcpSocket* pSocket) override;
    void missingHandler(const QHttpServerRequest& request, QTcpSocket* pSocket) override;

private:
    void Route(const QHttpServerRequest& request, QHttpServerResponder& responder, const QString& strClient);
    void Parameter(const QHttpServerRequest& request, QHttpServerResponder& responder, const QString& strPath,
                   const QString& strClient);
    void Mute(const QHttpServerRequest& request, QHttpServerResponder& responder, bool bInput, int nChannel,
              const QString& strClient);
    void Program(const QHttpServerRequest& request, QHttpServerResponder& responder, const QStringList& parts,
                 const QString& strClient);
    // The body of a write as an object; a fault for anything else.
    std::optional<CApiFault> Body(const QHttpServerRequest& request, QJsonObject& body) const;

    CServeLink& m_link;
    Options m_options;
    CAccessRule m_access;
    quint16 m_nPort = 0;
    PageHandler m_pageHandler;
    std::unique_ptr<CEventSockets> m_pEvents;
    // Why the upgrade just refused was refused, for missingHandler.
    std::optional<CApiFault> m_upgradeRefusal;
    CRateLimit m_rateLimit;
};
