// The event stream, the access rule and the reconnection, against the
// virtual processor on a pseudo-terminal.

#include "tests/serve/ServeFixture.h"

#include <QJsonArray>
#include <QNetworkInterface>
#include <QWebSocket>

#include <csignal>

namespace
{
// A WebSocket client that keeps every event it receives.
class CEventClient
{
public:
    explicit CEventClient(const QString& strUrl, const QByteArray& authorization = {})
    {
        QObject::connect(&m_socket, &QWebSocket::textMessageReceived,
                         [this](const QString& strText) { m_events.append(QJsonDocument::fromJson(strText.toUtf8()).object()); });
        QObject::connect(&m_socket, &QWebSocket::disconnected, [this] { m_bClosed = true; });
        QObject::connect(&m_socket, qOverload<QAbstractSocket::SocketError>(&QWebSocket::error), [this] { m_bClosed = true; });
        QNetworkRequest request{QUrl(strUrl)};
        if (!authorization.isEmpty())
            request.setRawHeader("Authorization", authorization);
        m_socket.open(request);
    }

    int Count(const QString& strType) const
    {
        int n = 0;
        for (const QJsonObject& event : m_events)
            n += event.value("type").toString() == strType ? 1 : 0;
        return n;
    }
    const QJsonObject* Find(const QString& strType, const QString& strPath) const
    {
        for (const QJsonObject& event : m_events)
            if (event.value("type").toString() == strType && event.value("path").toString() == strPath)
                return &event;
        return nullptr;
    }

    QWebSocket m_socket;
    QList<QJsonObject> m_events;
    bool m_bClosed = false;
};

class ServeLiveTest : public ServeFixture
{
protected:
    QString Events(const QString& strQuery = {}, const QString& strHost = "127.0.0.1") const
    {
        return QStringLiteral("ws://%1:%2/api/v1/events%3").arg(strHost).arg(m_pApi->Port()).arg(strQuery);
    }
};
}

TEST_F(ServeLiveTest, AnEventClientReceivesMetersAndAChangeMadeByAnotherClient)
{
    StartProcessor();
    StartService();
    CEventClient all(Events());
    CEventClient outputs(Events("?subscribe=param&prefix=outputs/"));
    CEventClient inputs(Events("?subscribe=param&prefix=inputs/"));
    ASSERT_TRUE(RunUntil([&] { return all.Count("hello") && outputs.Count("hello") && inputs.Count("hello"); }, 5000));

    ASSERT_EQ(Put("/api/v1/outputs/4/gain", {{"value", -4.5}}).nStatus, 200);
    ASSERT_TRUE(RunUntil([&] { return outputs.Find("param", "outputs/4/gain") && all.Count("meters") >= 10; }, 5000))
        << all.Count("meters") << " meter events";
    EXPECT_EQ(outputs.Find("param", "outputs/4/gain")->value("text").toString(), "-4.5dB");
    EXPECT_TRUE(all.Find("param", "outputs/4/gain"));
    const QJsonObject meters = [&] {
        for (const QJsonObject& event : all.m_events)
            if (event.value("type") == "meters")
                return event;
        return QJsonObject();
    }();
    EXPECT_EQ(meters.value("inputs").toArray().size(), 4);
    EXPECT_EQ(meters.value("outputs").toArray().size(), 8);
    EXPECT_EQ(outputs.Count("meters"), 0);
    EXPECT_FALSE(inputs.Find("param", "outputs/4/gain"));

    // A subscription changed on the way: only what was asked for comes.
    inputs.m_socket.sendTextMessage(R"({"subscribe": ["meters"]})");
    ASSERT_TRUE(RunUntil([&] { return inputs.Count("meters") >= 2; }, 3000));
    EXPECT_EQ(inputs.Count("reply"), 1);

    // An output linked with output 4 follows its gain: its change is told too.
    ASSERT_EQ(Put("/api/v1/outputs/5/link", {{"step", 1}}).nStatus, 200);
    ASSERT_EQ(Put("/api/v1/outputs/4/link", {{"step", 1}}).nStatus, 200);
    ASSERT_EQ(Put("/api/v1/outputs/4/gain", {{"value", -8.0}}).nStatus, 200);
    EXPECT_TRUE(RunUntil(
        [&]
        {
            const QJsonObject* pEvent = outputs.Find("param", "outputs/5/gain");
            return pEvent && pEvent->value("value").toDouble() == -8.0;
        },
        3000));
}

TEST_F(ServeLiveTest, BeyondLoopbackEveryRequestNeedsTheTokenAndWithoutItNothingChanges)
{
    EXPECT_FALSE(CAccessRule::NeedsToken(QHostAddress::LocalHost));
    EXPECT_FALSE(CAccessRule::NeedsToken(QHostAddress::LocalHostIPv6));
    EXPECT_TRUE(CAccessRule::NeedsToken(QHostAddress::AnyIPv4));
    EXPECT_TRUE(CAccessRule::NeedsToken(QHostAddress("192.168.1.20")));

    StartProcessor();
    CHttpApi::Options options;
    options.address = QHostAddress::AnyIPv4;
    options.token = "0123456789abcdef";
    StartService(options);
    // Through loopback, and through this machine's own network address
    // where it has one: the rule is the listening address's, not the peer's.
    QStringList hosts{"127.0.0.1"};
    for (const QHostAddress& address : QNetworkInterface::allAddresses())
        if (address.protocol() == QAbstractSocket::IPv4Protocol && !address.isLoopback())
        {
            hosts << address.toString();
            break;
        }
    const std::vector<std::pair<QByteArray, QByteArray>> right{{"Content-Type", "application/json"},
                                                               {"Authorization", "Bearer 0123456789abcdef"}};
    for (const QString& strHost : hosts)
    {
        const QString strBase = Base(strHost);
        const ApiAnswer none = Send("PUT", "/api/v1/outputs/3/gain", R"({"value": -9})",
                                    {{"Content-Type", "application/json"}}, strBase);
        EXPECT_EQ(none.nStatus, 401) << strHost.toStdString();
        EXPECT_EQ(none.Error(), "unauthorized");
        const ApiAnswer wrong = Send("PUT", "/api/v1/outputs/3/gain", R"({"value": -9})",
                                     {{"Content-Type", "application/json"}, {"Authorization", "Bearer 0123456789abcdeX"}},
                                     strBase);
        EXPECT_EQ(wrong.nStatus, 401);
        EXPECT_EQ(Send("GET", "/api/v1/processor", {}, {}, strBase).nStatus, 401);
        EXPECT_EQ(Send("GET", "/api/v1/outputs/3/gain", {}, right, strBase).json.value("value").toDouble(), 0.0)
            << strHost.toStdString();
    }
    EXPECT_EQ(Send("PUT", "/api/v1/outputs/3/gain", R"({"value": -9})", right).nStatus, 200);

    // The event stream: refused and closed without a word, or let in with
    // the token as a browser gives it.
    CEventClient refused(Events());
    CEventClient admitted(Events("?token=0123456789abcdef"));
    ASSERT_TRUE(RunUntil([&] { return refused.m_bClosed && admitted.Count("hello"); }, 5000));
    EXPECT_TRUE(refused.m_events.isEmpty());
}

TEST_F(ServeLiveTest, AProcessorThatFallsSilentAndReturnsIsReadAgain)
{
    StartProcessor({"--silence-id", "1"});
    StartService();
    CEventClient events(Events("?subscribe=connection"));
    ASSERT_EQ(Put("/api/v1/outputs/3/gain", {{"value", -3.0}}).nStatus, 200);
    WaitDrained();

    ::kill(static_cast<pid_t>(m_pProcessor->Process().processId()), SIGUSR1);
    ASSERT_TRUE(RunUntil([this] { return !m_pLink->IsOnline(); }, 15000)) << "the silence went unnoticed";
    EXPECT_EQ(Get("/api/v1/processor").json.value("online"), QJsonValue(false));
    const ApiAnswer refused = Put("/api/v1/outputs/3/gain", {{"value", -20.0}});
    EXPECT_EQ(refused.nStatus, 503);
    EXPECT_EQ(refused.Error(), "offline");
    // It keeps trying while the processor stays silent.
    ASSERT_TRUE(RunUntil([this] { return m_pLink->RetryCount() >= 2; }, 20000));

    ::kill(static_cast<pid_t>(m_pProcessor->Process().processId()), SIGUSR2);
    ASSERT_TRUE(WaitOnline(30000)) << "the service did not come back";
    // What the processor held came back with the state read.
    EXPECT_EQ(Get("/api/v1/outputs/3/gain").json.value("value").toDouble(), -3.0);
    QStringList states;
    for (const QJsonObject& event : events.m_events)
        if (event.value("type") == "connection" && (states.isEmpty() || states.last() != event.value("state").toString()))
            states << event.value("state").toString();
    EXPECT_TRUE(states.contains("offline")) << states.join(',').toStdString();
    EXPECT_EQ(states.last(), "online") << states.join(',').toStdString();
}
