// The HTTP API against the virtual processor on a pseudo-terminal: what a
// client writes reaches the processor, what the API reports is what the
// processor holds, and every refused request sends nothing.

#include "tests/serve/ServeFixture.h"

#include "cli/ProgramJson.h"
#include "model/Audio_Data.h"
#include "model/ImageSlot.h"
#include "model/LockState.h"

#include <QJsonArray>
#include <QTcpSocket>

namespace
{
class ServeApiTest : public ServeFixture
{
};

// Waits for the transfer a recall or store started to end.
bool WaitTransfer(CServeLink& link)
{
    bool bFinished = false;
    const auto connection = QObject::connect(&link.Events(), &CServeEvents::published,
                                             [&bFinished](CServeEvents::EKind eKind, const QJsonObject& event)
                                             {
                                                 if (eKind == CServeEvents::EKind::kTransfer
                                                     && event.value("finished").toBool())
                                                     bFinished = true;
                                             });
    const bool bOk = RunUntil([&] { return bFinished; }, 20000);
    QObject::disconnect(connection);
    return bOk;
}
}

TEST_F(ServeApiTest, GainsMutesAndARecallReachTheProcessorWhoseLiveProgramIsTheApisDocument)
{
    StartProcessor();
    StartService();

    const ApiAnswer gain = Put("/api/v1/outputs/3/gain", {{"value", -3.0}});
    EXPECT_EQ(gain.nStatus, 200) << gain.raw.toStdString();
    EXPECT_EQ(gain.json.value("text").toString(), "-3.0dB");
    EXPECT_TRUE(gain.json.value("changed").toBool());
    EXPECT_EQ(Put("/api/v1/inputs/2/gain", {{"value", "-6.5dB"}}).json.value("value").toDouble(), -6.5);
    EXPECT_EQ(Put("/api/v1/outputs/5/bands/4/gain", {{"step", 460}}).json.value("text").toString(), "6.0dB");
    EXPECT_EQ(Put("/api/v1/outputs/2/mute", {{"value", true}}).nStatus, 200);
    EXPECT_EQ(Put("/api/v1/outputs/1/name", {{"value", "SUB L"}}).json.value("value").toString(), "SUB L");
    // The same value again changes nothing.
    EXPECT_FALSE(Put("/api/v1/outputs/3/gain", {{"value", "-3"}}).json.value("changed").toBool());
    EXPECT_EQ(Get("/api/v1/outputs/2/mute").json.value("value"), QJsonValue(true));
    EXPECT_EQ(Get("/api/v1/outputs/2/on").json.value("value").toString(), "Mute");

    // Stored into slot 7, changed, recalled: the slot's gain is back.
    EXPECT_EQ(Post("/api/v1/programs/7/store", {{"name", "SHOW A"}}).nStatus, 202);
    ASSERT_TRUE(WaitTransfer(*m_pLink));
    EXPECT_EQ(Get("/api/v1/programs").json.value("programs").toArray().at(6).toObject().value("name").toString(),
              "SHOW A");
    EXPECT_EQ(Put("/api/v1/outputs/3/gain", {{"value", 6}}).nStatus, 200);
    EXPECT_EQ(Post("/api/v1/programs/7/recall").nStatus, 202);
    ASSERT_TRUE(WaitTransfer(*m_pLink));
    ASSERT_TRUE(RunUntil([this] { return m_pLink->IsOnline(); }, 5000));
    EXPECT_EQ(Get("/api/v1/outputs/3/gain").json.value("value").toDouble(), -3.0);
    EXPECT_EQ(Get("/api/v1/processor").json.value("programNumber").toInt(), 7);
    // Whether reading a stored program also makes it the processor's live
    // one is the processor's affair (the virtual one does not); the gain
    // written after it is the live program's either way.
    EXPECT_EQ(Put("/api/v1/outputs/3/gain", {{"value", -4.5}}).nStatus, 200);

    WaitDrained();
    const QJsonObject reported = Get("/api/v1/program").json;
    EXPECT_EQ(reported.value("kind").toString(), "program");
    const CProcessorState state = ProcessorState();
    CImageSlot live;
    live.abyImage = state.aImages[Frame::kLiveProgram];
    CAudio_Data held;
    held.LoadFromImage(live);
    const QJsonObject processor = ProgramJson::Program(held, CLockState());
    EXPECT_EQ(reported.value("inputs"), processor.value("inputs"));
    EXPECT_EQ(reported.value("outputs"), processor.value("outputs"));

}

TEST_F(ServeApiTest, BadRequestsAreAnsweredWithTheirErrorAndSendNothing)
{
    StartProcessor();
    StartService();
    using Headers = std::vector<std::pair<QByteArray, QByteArray>>;
    const Headers json{{"Content-Type", "application/json"}};
    struct Case
    {
        const char* pszName;
        QByteArray method;
        QString strPath;
        QByteArray body;
        Headers headers;
        int nStatus;
        const char* pszError;
    };
    const std::vector<Case> cases{
        {"above the range", "PUT", "/api/v1/outputs/3/gain", R"({"value": 99})", json, 422, "outOfRange"},
        {"step below the range", "PUT", "/api/v1/outputs/3/gain", R"({"step": -1})", json, 422, "outOfRange"},
        {"unknown parameter", "PUT", "/api/v1/outputs/3/gian", R"({"value": 1})", json, 404, "unknownParameter"},
        {"no such output", "PUT", "/api/v1/outputs/9/gain", R"({"value": 1})", json, 404, "unknownParameter"},
        {"no such band", "PUT", "/api/v1/outputs/3/bands/16/gain", R"({"value": 1})", json, 404, "unknownParameter"},
        {"channel written 03", "PUT", "/api/v1/outputs/03/gain", R"({"value": 1})", json, 404, "unknownParameter"},
        {"malformed JSON", "PUT", "/api/v1/outputs/3/gain", R"({"value": )", json, 400, "malformedJson"},
        {"not an object", "PUT", "/api/v1/outputs/3/gain", "[-3]", json, 400, "malformedJson"},
        {"no value", "PUT", "/api/v1/outputs/3/gain", "{}", json, 400, "badValue"},
        {"value and step", "PUT", "/api/v1/outputs/3/gain", R"({"value": 1, "step": 1})", json, 400, "badValue"},
        {"text without a number", "PUT", "/api/v1/outputs/3/gain", R"({"value": "loud"})", json, 400, "badValue"},
        {"step not whole", "PUT", "/api/v1/outputs/3/gain", R"({"step": 1.5})", json, 400, "badValue"},
        {"unknown choice", "PUT", "/api/v1/outputs/3/eqMode", R"({"value": "Bogus"})", json, 400, "badValue"},
        {"mute not a boolean", "PUT", "/api/v1/outputs/3/mute", R"({"value": 1})", json, 400, "badValue"},
        {"name too long", "PUT", "/api/v1/outputs/3/name", R"({"value": "MAIN LEFT"})", json, 422, "badName"},
        {"name not ASCII", "PUT", "/api/v1/outputs/3/name", R"({"value": "Bühne"})", json, 422, "badName"},
        {"not JSON", "PUT", "/api/v1/outputs/3/gain", R"({"value": -3})", {{"Content-Type", "text/plain"}}, 415,
         "badMediaType"},
        {"program 31", "POST", "/api/v1/programs/31/recall", {}, json, 404, "badProgramNumber"},
        {"program 0", "POST", "/api/v1/programs/0/store", {}, json, 404, "badProgramNumber"},
        {"program name too long", "POST", "/api/v1/programs/3/store", R"({"name": "A VERY LONG NAME"})", json, 422,
         "badName"},
        {"recall by GET", "GET", "/api/v1/programs/3/recall", {}, json, 405, "methodNotAllowed"},
        {"delete", "DELETE", "/api/v1/outputs/3/gain", {}, json, 405, "methodNotAllowed"},
        {"another version", "GET", "/api/v2/processor", {}, {}, 404, "notFound"},
        {"another page's origin", "PUT", "/api/v1/outputs/3/gain", R"({"value": -3})",
         {{"Content-Type", "application/json"}, {"Origin", "http://show.example"}}, 403, "forbiddenOrigin"},
        {"a name pointed at this machine", "PUT", "/api/v1/outputs/3/gain", R"({"value": -3})",
         {{"Content-Type", "application/json"}, {"Host", "show.example:" + QByteArray::number(m_pApi->Port())}}, 403,
         "badHost"},
    };
    const QJsonObject before = Get("/api/v1/program").json;
    int nNotices = 0;
    QObject::connect(&m_pLink->Link().Notice(), &CRecordNotice::valueChanged, [&nNotices] { ++nNotices; });
    for (const Case& c : cases)
    {
        const ApiAnswer answer = Send(c.method, c.strPath, c.body, c.headers);
        EXPECT_EQ(answer.nStatus, c.nStatus) << c.pszName << ": " << answer.raw.toStdString();
        EXPECT_EQ(answer.Error(), QLatin1String(c.pszError)) << c.pszName;
        EXPECT_FALSE(answer.json.value("message").toString().isEmpty()) << c.pszName;
    }
    // A locked parameter says so, whatever was asked of it.
    m_pLink->Link().Locks().SetFlag(CLockState::kOutGain, true);
    EXPECT_EQ(Put("/api/v1/outputs/3/gain", {{"value", -3.0}}).nStatus, 423);
    EXPECT_EQ(Put("/api/v1/outputs/3/gain", {{"value", 99}}).Error(), "locked");
    EXPECT_EQ(Get("/api/v1/outputs/3/gain").json.value("locked"), QJsonValue(true));
    m_pLink->Link().Locks().SetFlag(CLockState::kSysLoad, true);
    EXPECT_EQ(Post("/api/v1/programs/2/recall").nStatus, 423);

    EXPECT_EQ(nNotices, 0);
    EXPECT_EQ(m_pLink->Link().Command().Queue().Count() <= 1, true);
    const QJsonObject after = Get("/api/v1/program").json;
    for (const char* pszPart : {"name", "inputs", "outputs"})
        EXPECT_EQ(after.value(pszPart), before.value(pszPart)) << pszPart;
}

TEST_F(ServeApiTest, AnOversizedBodyIsRefusedBeforeItIsRead)
{
    StartProcessor();
    CHttpApi::Options options;
    options.nMaxBodyBytes = 1024;
    StartService(options);
    const QString strName = Get("/api/v1/outputs/3/name").json.value("value").toString();
    QTcpSocket socket;
    socket.connectToHost("127.0.0.1", m_pApi->Port());
    ASSERT_TRUE(socket.waitForConnected(5000));
    const QByteArray header = "PUT /api/v1/outputs/3/name HTTP/1.1\r\nHost: 127.0.0.1:" + QByteArray::number(m_pApi->Port())
                              + "\r\nContent-Type: application/json\r\nContent-Length: 10000000\r\n\r\n";
    socket.write(header + "{\"value\": \"" + QByteArray(8192, 'x'));
    QByteArray answer;
    RunUntil(
        [&]
        {
            answer += socket.readAll();
            return socket.state() == QAbstractSocket::UnconnectedState || answer.contains("}");
        },
        5000);
    EXPECT_TRUE(answer.startsWith("HTTP/1.1 413")) << answer.toStdString();
    EXPECT_TRUE(answer.contains("bodyTooLarge")) << answer.toStdString();
    EXPECT_EQ(Get("/api/v1/outputs/3/name").json.value("value").toString(), strName);
}

TEST_F(ServeApiTest, AFloodIsAnsweredTooManyRequestsAndTheServiceGoesOn)
{
    StartProcessor();
    CHttpApi::Options options;
    options.nBurst = 5;
    options.nPerSecond = 10;
    StartService(options);
    int nRefused = 0;
    for (int n = 0; n < 12; ++n)
        nRefused += Get("/api/v1/outputs/3/gain").nStatus == 429 ? 1 : 0;
    EXPECT_GE(nRefused, 5);
    RunUntil([] { return false; }, 300);
    EXPECT_EQ(Put("/api/v1/outputs/3/gain", {{"value", -1.0}}).nStatus, 200);
}

TEST_F(ServeApiTest, TheOpenApiDocumentListsEveryCatalogueRowWithItsRange)
{
    StartProcessor();
    StartService();
    const QJsonObject paths = Get("/api/v1/openapi.json").json.value("paths").toObject();
    for (const ParamRow& row : ParamCatalogue::Params())
        EXPECT_TRUE(paths.contains("/api/v1/" + QString::fromStdString(ParamAddresses::Pattern(row.eParam))))
            << ParamAddresses::Pattern(row.eParam);
    const QJsonObject gain = paths.value("/api/v1/outputs/{channel}/gain").toObject();
    const QJsonObject value = gain.value("put").toObject().value("requestBody").toObject().value("content").toObject()
                                  .value("application/json").toObject().value("schema").toObject().value("properties")
                                  .toObject().value("value").toObject().value("oneOf").toArray().at(0).toObject();
    EXPECT_EQ(value.value("minimum").toDouble(), -30.0);
    EXPECT_EQ(value.value("maximum").toDouble(), 12.0);
}
