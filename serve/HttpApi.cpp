#include "serve/HttpApi.h"

#include "cli/ProgramJson.h"
#include "serve/EventSockets.h"
#include "serve/OpenApi.h"
#include "serve/ParamAddress.h"
#include "serve/ParamValue.h"
#include "serve/ServeLink.h"
#include "model/Audio_Data.h"

#include <QJsonArray>
#include <QMetaEnum>
#include <QJsonDocument>
#include <QJsonParseError>
#include <QTcpServer>
#include <QTcpSocket>
#include <QUrlQuery>
#include <QtHttpServer/QHttpServerRequest>

namespace
{
using Status = QHttpServerResponder::StatusCode;

const QString kPrefix = QStringLiteral("/api/v1");

// Accepts connections as QTcpServer does, and watches each one's bytes
// before the HTTP server reads them: a request that grows beyond the limit
// is answered 413 and the connection closed, so no client can make the
// service hold an arbitrarily large body. The HTTP server keeps a request it
// has not finished in a read transaction; a finished one ends it, which
// starts the count afresh.
class CGuardedTcpServer : public QTcpServer
{
public:
    CGuardedTcpServer(qint64 nLimit, std::function<QByteArray()> tooLarge, QObject* pParent)
        : QTcpServer(pParent)
        , m_nLimit(nLimit)
        , m_tooLarge(std::move(tooLarge))
    {
    }

protected:
    void incomingConnection(qintptr nDescriptor) override
    {
        auto* pSocket = new QTcpSocket(this);
        if (!pSocket->setSocketDescriptor(nDescriptor))
        {
            delete pSocket;
            return;
        }
        auto nPending = std::make_shared<qint64>(0);
        connect(pSocket, &QTcpSocket::readyRead, pSocket,
                [this, pSocket, nPending]
                {
                    if (!pSocket->isTransactionStarted())
                        *nPending = 0;
                    *nPending += pSocket->bytesAvailable();
                    if (*nPending <= m_nLimit)
                        return;
                    // Nobody else reads this request: the HTTP server's own
                    // handler, connected after this one, is skipped.
                    disconnect(pSocket, &QTcpSocket::readyRead, nullptr, nullptr);
                    const QByteArray body = m_tooLarge();
                    pSocket->write("HTTP/1.1 413 Payload Too Large\r\nContent-Type: application/json\r\n"
                                   "Connection: close\r\nContent-Length: "
                                   + QByteArray::number(body.size()) + "\r\n\r\n" + body);
                    pSocket->disconnectFromHost();
                });
        addPendingConnection(pSocket);
    }

private:
    qint64 m_nLimit;
    std::function<QByteArray()> m_tooLarge;
};

QString ClientOf(const QTcpSocket* pSocket)
{
    return pSocket->peerAddress().toString() + ":" + QString::number(pSocket->peerPort());
}

std::optional<int> SlotNumber(const QString& text)
{
    bool bOk = false;
    const int n = text.toInt(&bOk);
    return bOk && (text == "0" || !text.startsWith('0')) && !text.startsWith('+') ? std::optional<int>(n) : std::nullopt;
}
}

CHttpApi::CHttpApi(CServeLink& link, Options options, QObject* pParent)
    : QAbstractHttpServer(pParent)
    , m_link(link)
    , m_options(std::move(options))
    , m_access(m_options.address, m_options.nPort, m_options.token)
    , m_rateLimit(m_options.nPerSecond, m_options.nBurst)
{
    m_pEvents = std::make_unique<CEventSockets>(*this, link, m_access);
}

CHttpApi::~CHttpApi() = default;

bool CHttpApi::Listen(QString& strReason)
{
    const qint64 nLimit = m_options.nMaxBodyBytes;
    const ELanguage eLanguage = m_link.Language();
    auto* pServer = new CGuardedTcpServer(
        nLimit,
        [nLimit, eLanguage]
        {
            return QJsonDocument(CApiFault{EApiFault::kBodyTooLarge, {QString::number(nLimit)}}.Json(eLanguage))
                .toJson(QJsonDocument::Compact);
        },
        this);
    if (!pServer->listen(m_options.address, m_options.nPort))
    {
        strReason = pServer->errorString();
        delete pServer;
        return false;
    }
    m_nPort = pServer->serverPort();
    m_access.SetPort(m_nPort);
    bind(pServer);
    return true;
}

QString CHttpApi::Address() const
{
    return AddressText(m_options.address, m_nPort);
}

void CHttpApi::Reply(QHttpServerResponder& responder, int nStatus, const QJsonObject& json)
{
    const QByteArray body = QJsonDocument(json).toJson(QJsonDocument::Compact);
    responder.write(body,
                    {{"Content-Type", "application/json"},
                     {"Cache-Control", "no-store"},
                     {"X-Content-Type-Options", "nosniff"}},
                    static_cast<Status>(nStatus));
}

void CHttpApi::ReplyFault(QHttpServerResponder& responder, const CApiFault& fault, ELanguage eLanguage)
{
    const QByteArray body = QJsonDocument(fault.Json(eLanguage)).toJson(QJsonDocument::Compact);
    if (fault.eFault == EApiFault::kUnauthorized)
        responder.write(body,
                        {{"Content-Type", "application/json"},
                         {"Cache-Control", "no-store"},
                         {"WWW-Authenticate", "Bearer"}},
                        Status::Unauthorized);
    else
        Reply(responder, fault.Status(), fault.Json(eLanguage));
}

bool CHttpApi::handleRequest(const QHttpServerRequest& request, QTcpSocket* pSocket)
{
    // The HTTP server hands a WebSocket upgrade to the event stream only
    // when this answers true and has written nothing; a refused upgrade is
    // answered by missingHandler, which the server calls next.
    if (request.value("upgrade").compare("websocket", Qt::CaseInsensitive) == 0)
    {
        if (request.url().path() != CEventSockets::kPath)
            m_upgradeRefusal = CApiFault{EApiFault::kNotFound, {request.url().path()}};
        else
            m_upgradeRefusal = m_access.Check({request.value("host"), request.value("origin"),
                                               request.value("authorization"),
                                               request.query().queryItemValue("token", QUrl::FullyDecoded).toLatin1()});
        return !m_upgradeRefusal.has_value();
    }
    QHttpServerResponder responder = makeResponder(request, pSocket);
    const QString strPath = request.url().path();
    if (!strPath.startsWith(QStringLiteral("/api/")) && m_pageHandler && m_pageHandler(request, responder))
        return true;

    const ELanguage eLanguage = m_link.Language();
    const CAccessRule::Request access{request.value("host"), request.value("origin"), request.value("authorization"),
                                      {}};
    if (const auto fault = m_access.Check(access))
    {
        ReplyFault(responder, *fault, eLanguage);
        return true;
    }
    if (!m_rateLimit.Take(pSocket->peerAddress().toString()))
    {
        ReplyFault(responder, {EApiFault::kTooManyRequests, {}}, eLanguage);
        return true;
    }
    if (request.body().size() > m_options.nMaxBodyBytes)
    {
        ReplyFault(responder, {EApiFault::kBodyTooLarge, {QString::number(m_options.nMaxBodyBytes)}}, eLanguage);
        return true;
    }
    Route(request, responder, ClientOf(pSocket));
    return true;
}

void CHttpApi::missingHandler(const QHttpServerRequest& request, QTcpSocket* pSocket)
{
    QHttpServerResponder responder = makeResponder(request, pSocket);
    const CApiFault fault = m_upgradeRefusal.value_or(CApiFault{EApiFault::kNotFound, {request.url().path()}});
    m_upgradeRefusal.reset();
    ReplyFault(responder, fault, m_link.Language());
}

void CHttpApi::Route(const QHttpServerRequest& request, QHttpServerResponder& responder, const QString& strClient)
{
    const ELanguage eLanguage = m_link.Language();
    const QString strPath = request.url().path();
    const bool bGet = request.method() == QHttpServerRequest::Method::Get;
    const CApiFault notFound{EApiFault::kNotFound, {strPath}};
    const CApiFault wrongMethod{EApiFault::kMethodNotAllowed,
                                {QString::fromLatin1(QMetaEnum::fromType<QHttpServerRequest::Method>().valueToKey(
                                    static_cast<int>(request.method())))}};
    if (!strPath.startsWith(kPrefix + "/") && strPath != kPrefix)
    {
        ReplyFault(responder, notFound, eLanguage);
        return;
    }
    const QString strRest = strPath.mid(kPrefix.size() + 1);
    const QStringList parts = strRest.split('/');

    auto getOnly = [&](const std::function<QJsonObject()>& fnJson)
    {
        if (bGet)
            Reply(responder, 200, fnJson());
        else
            ReplyFault(responder, wrongMethod, eLanguage);
    };
    if (strRest.isEmpty())
        getOnly([] {
            return QJsonObject{{"processor", kPrefix + "/processor"}, {"program", kPrefix + "/program"},
                               {"programs", kPrefix + "/programs"}, {"parameters", kPrefix + "/parameters"},
                               {"events", kPrefix + "/events"},     {"openapi", kPrefix + "/openapi.json"}};
        });
    else if (strRest == "processor")
        getOnly([this] { return m_link.ProcessorJson(); });
    else if (strRest == "program")
        getOnly([this] { return ProgramJson::Program(m_link.Link().Record(), m_link.Link().Locks()); });
    else if (strRest == "openapi.json")
        getOnly([] { return OpenApi::Document(); });
    else if (strRest == "parameters")
        getOnly(
            [this, &request]
            {
                const QString strPrefix = request.query().queryItemValue("prefix", QUrl::FullyDecoded);
                QJsonArray values;
                const CProcessorLink& link = m_link.Link();
                for (const ParamAddress& address : ParamAddresses::All(m_link.Inputs(), m_link.Outputs()))
                    if (QString::fromStdString(ParamAddresses::Path(address)).startsWith(strPrefix))
                        values.append(ParamValues::Describe(address, link.Record(), link.Locks()));
                return QJsonObject{{"parameters", values}};
            });
    else if (parts.value(0) == "programs")
        Program(request, responder, parts, strClient);
    else if (parts.size() == 3 && parts[2] == "mute" && (parts[0] == "inputs" || parts[0] == "outputs"))
    {
        const bool bInput = parts[0] == "inputs";
        const auto address = ParamAddresses::Resolve((parts[0] + "/" + parts[1] + "/on").toStdString());
        if (!address)
            ReplyFault(responder, notFound, eLanguage);
        else
            Mute(request, responder, bInput, address->at.nChannel, strClient);
    }
    else
        Parameter(request, responder, strRest, strClient);
}

std::optional<CApiFault> CHttpApi::Body(const QHttpServerRequest& request, QJsonObject& body) const
{
    if (!request.value("content-type").toLower().startsWith("application/json"))
        return CApiFault{EApiFault::kBadMediaType, {}};
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(request.body(), &error);
    if (error.error != QJsonParseError::NoError)
        return CApiFault{EApiFault::kMalformedJson, {error.errorString()}};
    if (!document.isObject())
        return CApiFault{EApiFault::kMalformedJson, {QStringLiteral("not an object")}};
    body = document.object();
    return std::nullopt;
}

void CHttpApi::Parameter(const QHttpServerRequest& request, QHttpServerResponder& responder, const QString& strPath,
                         const QString& strClient)
{
    const ELanguage eLanguage = m_link.Language();
    ParamAddress address;
    if (auto fault = m_link.Resolve(strPath.toStdString(), address))
    {
        ReplyFault(responder, *fault, eLanguage);
        return;
    }
    CProcessorLink& link = m_link.Link();
    if (request.method() == QHttpServerRequest::Method::Get)
    {
        Reply(responder, 200, ParamValues::Describe(address, link.Record(), link.Locks()));
        return;
    }
    if (request.method() != QHttpServerRequest::Method::Put)
    {
        ReplyFault(responder, {EApiFault::kMethodNotAllowed, {QStringLiteral("this method")}}, eLanguage);
        return;
    }
    QJsonObject body;
    if (auto fault = Body(request, body))
    {
        ReplyFault(responder, *fault, eLanguage);
        return;
    }
    bool bChanged = false;
    const std::optional<CApiFault> fault =
        m_link.WriteValue(address, body.value("value"), body.value("step"), strClient, bChanged);
    if (fault)
    {
        ReplyFault(responder, *fault, eLanguage);
        return;
    }
    QJsonObject json = ParamValues::Describe(address, link.Record(), link.Locks());
    json["changed"] = bChanged;
    Reply(responder, 200, json);
}

void CHttpApi::Mute(const QHttpServerRequest& request, QHttpServerResponder& responder, bool bInput, int nChannel,
                    const QString& strClient)
{
    const ELanguage eLanguage = m_link.Language();
    const ParamAddress address{bInput ? EParam::kInOn : EParam::kOutOn, {nChannel, 0}};
    const int nCount = bInput ? m_link.Inputs() : m_link.Outputs();
    if (nChannel >= nCount)
    {
        ReplyFault(responder, {EApiFault::kNoChannel, {QString::number(nChannel + 1), QString::number(nCount)}},
                   eLanguage);
        return;
    }
    CProcessorLink& link = m_link.Link();
    const QString strPath = QStringLiteral("%1/%2/mute").arg(bInput ? "inputs" : "outputs").arg(nChannel + 1);
    auto describe = [&]
    {
        return QJsonObject{{"path", strPath},
                           {"value", ParamCatalogue::Get(address.eParam, link.Record(), address.at) == 0},
                           {"locked", ParamCatalogue::IsLocked(address.eParam, &link.Locks())}};
    };
    if (request.method() == QHttpServerRequest::Method::Get)
    {
        Reply(responder, 200, describe());
        return;
    }
    if (request.method() != QHttpServerRequest::Method::Put)
    {
        ReplyFault(responder, {EApiFault::kMethodNotAllowed, {QStringLiteral("this method")}}, eLanguage);
        return;
    }
    QJsonObject body;
    std::optional<CApiFault> fault = Body(request, body);
    if (!fault && !body.value("value").isBool())
        fault = CApiFault{EApiFault::kBadValue, {strPath}};
    bool bChanged = false;
    if (!fault)
        fault = m_link.Write(address, body.value("value").toBool() ? 0 : 1, strClient, bChanged);
    if (fault)
    {
        ReplyFault(responder, *fault, eLanguage);
        return;
    }
    QJsonObject json = describe();
    json["changed"] = bChanged;
    Reply(responder, 200, json);
}

void CHttpApi::Program(const QHttpServerRequest& request, QHttpServerResponder& responder, const QStringList& parts,
                       const QString& strClient)
{
    const ELanguage eLanguage = m_link.Language();
    const bool bPost = request.method() == QHttpServerRequest::Method::Post;
    if (parts.size() == 1)
    {
        if (request.method() == QHttpServerRequest::Method::Get)
            Reply(responder, 200, m_link.ProgramsJson());
        else
            ReplyFault(responder, {EApiFault::kMethodNotAllowed, {QStringLiteral("this method")}}, eLanguage);
        return;
    }
    const auto slot = SlotNumber(parts.value(1));
    const QString strAction = parts.value(2);
    if (parts.size() != 3 || !slot || (strAction != "recall" && strAction != "store"))
    {
        ReplyFault(responder, {EApiFault::kNotFound, {request.url().path()}}, eLanguage);
        return;
    }
    if (!bPost)
    {
        ReplyFault(responder, {EApiFault::kMethodNotAllowed, {QStringLiteral("this method")}}, eLanguage);
        return;
    }
    std::optional<CApiFault> fault;
    if (strAction == "recall")
        fault = m_link.Recall(*slot, strClient);
    else
    {
        QJsonObject body;
        std::optional<std::string> name;
        if (!request.body().isEmpty())
            fault = Body(request, body);
        if (!fault && body.contains("name"))
        {
            const ParamValues::NameOrFault typed = ParamValues::NameOf(body.value("name"), Frame::kProgramNameBytes);
            fault = typed.fault;
            name = typed.strName;
        }
        if (!fault)
            fault = m_link.Store(*slot, name, strClient);
    }
    if (fault)
        ReplyFault(responder, *fault, eLanguage);
    else
        Reply(responder, 202, {{"program", *slot}, {"operation", strAction}, {"started", true}});
}
