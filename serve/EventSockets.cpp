#include "serve/EventSockets.h"

#include "serve/AccessRule.h"
#include "serve/ServeLink.h"
#include "serve/ServeText.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QUrlQuery>
#include <QWebSocket>
#include <QtHttpServer/QAbstractHttpServer>

#include <array>

namespace
{
// A client that does not read falls behind: past this much unsent text it
// is dropped rather than allowed to grow the service's memory.
constexpr qint64 kMaxBacklogBytes = 1 << 20;
// What a client may send: a subscription, nothing larger.
constexpr qint64 kMaxMessageBytes = 4096;
}

struct CEventSockets::Client
{
    std::unique_ptr<QWebSocket> pSocket;
    std::array<bool, CServeEvents::kKinds> abWants{};
    QString strPrefix;
    QString strName;

    void WantAll() { abWants.fill(true); }
    // Kinds named in a list; false when one is not a kind.
    bool Want(const QStringList& words)
    {
        std::array<bool, CServeEvents::kKinds> wants{};
        for (const QString& strWord : words)
        {
            const auto eKind = CServeEvents::KindOf(strWord.trimmed());
            if (!eKind)
                return false;
            wants.at(static_cast<size_t>(*eKind)) = true;
        }
        abWants = wants;
        return true;
    }
};

CEventSockets::CEventSockets(QAbstractHttpServer& server, CServeLink& link, const CAccessRule& access, QObject* pParent)
    : QObject(pParent)
    , m_server(server)
    , m_link(link)
    , m_access(access)
{
    connect(&server, &QAbstractHttpServer::newWebSocketConnection, this, &CEventSockets::OnNewConnection);
    connect(&link.Events(), &CServeEvents::published, this, &CEventSockets::OnEvent);
}

CEventSockets::~CEventSockets()
{
    for (auto& pClient : m_clients)
        pClient->pSocket->disconnect(this);
}

void CEventSockets::OnNewConnection()
{
    while (std::unique_ptr<QWebSocket> pSocket = m_server.nextPendingWebSocketConnection())
    {
        const QUrl url = pSocket->requestUrl();
        const QUrlQuery query(url);
        const QNetworkRequest& request = pSocket->request();
        const CAccessRule::Request access{request.rawHeader("Host"), pSocket->origin().toLatin1(),
                                          request.rawHeader("Authorization"),
                                          query.queryItemValue("token").toLatin1()};
        const auto fault = url.path() != QLatin1String(kPath) ? std::optional<CApiFault>(CApiFault{EApiFault::kNotFound, {url.path()}})
                                                      : m_access.Check(access);
        if (fault)
        {
            pSocket->close(QWebSocketProtocol::CloseCodePolicyViolated, QLatin1String(fault->Code()));
            pSocket.release()->deleteLater();
            continue;
        }
        auto pClient = std::make_unique<Client>();
        pClient->strName = pSocket->peerAddress().toString() + ":" + QString::number(pSocket->peerPort());
        pClient->WantAll();
        if (query.hasQueryItem("subscribe") && !pClient->Want(query.queryItemValue("subscribe").split(',')))
        {
            pSocket->close(QWebSocketProtocol::CloseCodeBadOperation, QStringLiteral("unknown event kind"));
            pSocket.release()->deleteLater();
            continue;
        }
        pClient->strPrefix = query.queryItemValue("prefix");
        pSocket->setMaxAllowedIncomingMessageSize(kMaxMessageBytes);
        pSocket->setMaxAllowedIncomingFrameSize(kMaxMessageBytes);
        QWebSocket* pRaw = pSocket.get();
        Client* pKnown = pClient.get();
        connect(pRaw, &QWebSocket::textMessageReceived, this,
                [this, pKnown](const QString& strMessage) { OnMessage(*pKnown, strMessage); });
        connect(pRaw, &QWebSocket::disconnected, this, [this, pRaw] { Drop(pRaw); });
        pClient->pSocket = std::move(pSocket);
        emit m_link.logLine(ServeText(EServeText::ClientJoined, m_link.Language()).arg(pClient->strName));
        m_clients.push_back(std::move(pClient));
        // A new client learns where things stand without waiting for a change.
        pRaw->sendTextMessage(QString::fromUtf8(
            QJsonDocument(QJsonObject{{"type", "hello"}, {"processor", m_link.ProcessorJson()}}).toJson(QJsonDocument::Compact)));
    }
}

void CEventSockets::OnMessage(Client& client, const QString& strMessage)
{
    const QJsonDocument document = QJsonDocument::fromJson(strMessage.toUtf8());
    const QJsonObject request = document.object();
    QJsonObject answer;
    if (!document.isObject() || (!request.value("subscribe").isArray() && !request.value("prefix").isString()))
        answer = CApiFault{EApiFault::kMalformedJson, {QStringLiteral("{\"subscribe\": [kinds], \"prefix\": text}")}}
                     .Json(m_link.Language());
    else
    {
        QStringList words;
        for (const QJsonValue& word : request.value("subscribe").toArray())
            words << word.toString();
        if (request.contains("subscribe") && !client.Want(words))
            answer = CApiFault{EApiFault::kBadValue, {QStringLiteral("subscribe")}}.Json(m_link.Language());
        else
        {
            if (request.contains("prefix"))
                client.strPrefix = request.value("prefix").toString();
            QJsonArray kinds;
            for (int i = 0; i < CServeEvents::kKinds; ++i)
                if (client.abWants.at(static_cast<size_t>(i)))
                    kinds.append(QLatin1String(CServeEvents::Word(static_cast<CServeEvents::EKind>(i))));
            answer = {{"subscribed", kinds}, {"prefix", client.strPrefix}};
        }
    }
    answer.insert("type", "reply");
    client.pSocket->sendTextMessage(QString::fromUtf8(QJsonDocument(answer).toJson(QJsonDocument::Compact)));
}

void CEventSockets::OnEvent(CServeEvents::EKind eKind, const QJsonObject& event)
{
    if (m_clients.empty())
        return;
    // Written once, sent to every client that wants it.
    const QString strText = QString::fromUtf8(QJsonDocument(event).toJson(QJsonDocument::Compact));
    const QString strPath = eKind == CServeEvents::EKind::kParam ? event.value("path").toString() : QString();
    std::vector<QWebSocket*> behind;
    for (const auto& pClient : m_clients)
    {
        if (!pClient->abWants.at(static_cast<size_t>(eKind)))
            continue;
        if (!strPath.isNull() && !strPath.startsWith(pClient->strPrefix))
            continue;
        if (pClient->pSocket->bytesToWrite() > kMaxBacklogBytes)
            behind.push_back(pClient->pSocket.get());
        else
            pClient->pSocket->sendTextMessage(strText);
    }
    for (QWebSocket* pSocket : behind)
        pSocket->abort();
}

void CEventSockets::Drop(QWebSocket* pSocket)
{
    for (auto it = m_clients.begin(); it != m_clients.end(); ++it)
        if ((*it)->pSocket.get() == pSocket)
        {
            emit m_link.logLine(ServeText(EServeText::ClientLeft, m_link.Language()).arg((*it)->strName));
            (*it)->pSocket.release()->deleteLater();
            m_clients.erase(it);
            return;
        }
}
