// OSC against the virtual processor on a pseudo-terminal, from a client on
// liblo as a lighting desk would send: what it sets reaches the processor,
// what it asks is answered to it, and every refused message is answered
// with its error having sent nothing.

#include "tests/serve/ServeFixture.h"

#include "model/Audio_Data.h"
#include "model/ImageSlot.h"
#include "model/LockState.h"
#include "serve/OscCodec.h"
#include "serve/OscServer.h"

#include <lo/lo.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>

#include <variant>

namespace
{
using Arg = OscCodec::Arg;

struct Received
{
    std::string strPath;
    std::string strTypes;
    std::vector<Arg> args;

    std::string String(size_t i) const
    {
        return i < args.size() && std::holds_alternative<std::string>(args[i]) ? std::get<std::string>(args[i]) : "";
    }
};

// A desk: its own liblo server, whose port the service answers to.
class COscClient
{
public:
    explicit COscClient(quint16 nServicePort)
        : m_pServer(lo_server_new_with_proto(nullptr, LO_UDP, nullptr))
        , m_pService(lo_address_new("127.0.0.1", std::to_string(nServicePort).c_str()))
    {
        lo_server_add_method(m_pServer, nullptr, nullptr, &COscClient::OnMessage, this);
    }
    ~COscClient()
    {
        lo_address_free(m_pService);
        lo_server_free(m_pServer);
    }

    void Send(const char* pszPath, const std::vector<Arg>& args = {})
    {
        lo_message message = Message(args);
        lo_send_message_from(m_pService, m_pServer, pszPath, message);
        lo_message_free(message);
    }
    void SendBundle(const std::vector<std::pair<const char*, std::vector<Arg>>>& messages)
    {
        lo_bundle bundle = lo_bundle_new(LO_TT_IMMEDIATE);
        for (const auto& [pszPath, args] : messages)
            lo_bundle_add_message(bundle, pszPath, Message(args));
        lo_send_bundle_from(m_pService, m_pServer, bundle);
        lo_bundle_free_recursive(bundle);
    }
    // Bytes as they stand, from the same port.
    void SendRaw(const QByteArray& bytes, quint16 nServicePort)
    {
        sockaddr_in to{};
        to.sin_family = AF_INET;
        to.sin_port = htons(nServicePort);
        to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        ::sendto(lo_server_get_socket_fd(m_pServer), bytes.constData(), static_cast<size_t>(bytes.size()), 0,
                 reinterpret_cast<const sockaddr*>(&to), sizeof to);
    }

    // Runs the service until nCount more messages came, or the time is up.
    bool Wait(size_t nCount, int nTimeoutMs = 3000)
    {
        const size_t nWanted = m_received.size() + nCount;
        return RunUntil(
            [&] {
                while (lo_server_recv_noblock(m_pServer, 0) > 0)
                {
                }
                return m_received.size() >= nWanted;
            },
            nTimeoutMs);
    }
    // Whatever came within a while.
    void Drain(int nMs = 300) { Wait(1u << 30, nMs); }
    const Received* Last(const std::string& strPath) const
    {
        for (auto it = m_received.rbegin(); it != m_received.rend(); ++it)
            if (it->strPath == strPath)
                return &*it;
        return nullptr;
    }

    std::vector<Received> m_received;

private:
    static lo_message Message(const std::vector<Arg>& args)
    {
        lo_message message = lo_message_new();
        for (const Arg& arg : args)
        {
            if (std::holds_alternative<std::monostate>(arg))
                lo_message_add_nil(message);
            else if (const bool* pb = std::get_if<bool>(&arg))
                *pb ? lo_message_add_true(message) : lo_message_add_false(message);
            else if (const int* pn = std::get_if<int>(&arg))
                lo_message_add_int32(message, *pn);
            else if (const float* pf = std::get_if<float>(&arg))
                lo_message_add_float(message, *pf);
            else
                lo_message_add_string(message, std::get<std::string>(arg).c_str());
        }
        return message;
    }
    static int OnMessage(const char* pszPath, const char* pszTypes, lo_arg** ppArgs, int nArgs, lo_message, void* pData)
    {
        Received received{pszPath, pszTypes, {}};
        for (int i = 0; i < nArgs; ++i)
            switch (pszTypes[i])
            {
            case LO_INT32:
                received.args.emplace_back(OscCodec::ArgValue<int32_t>(ppArgs[i]));
                break;
            case LO_FLOAT:
                received.args.emplace_back(OscCodec::ArgValue<float>(ppArgs[i]));
                break;
            case LO_STRING:
                received.args.emplace_back(std::string(OscCodec::ArgText(ppArgs[i])));
                break;
            case LO_TRUE:
                received.args.emplace_back(true);
                break;
            case LO_FALSE:
                received.args.emplace_back(false);
                break;
            default:
                received.args.emplace_back();
                break;
            }
        static_cast<COscClient*>(pData)->m_received.push_back(std::move(received));
        return 0;
    }

    lo_server m_pServer;
    lo_address m_pService;
};

class ServeOscTest : public ServeFixture
{
protected:
    ~ServeOscTest() override { m_pOsc.reset(); }

    void StartOsc(COscServer::Options options = {})
    {
        options.nPort = 0;
        m_pOsc = std::make_unique<COscServer>(*m_pLink, options);
        QString strReason;
        ASSERT_TRUE(m_pOsc->Listen(strReason)) << strReason.toStdString();
        m_pClient = std::make_unique<COscClient>(m_pOsc->Port());
    }

    std::unique_ptr<COscServer> m_pOsc;
    std::unique_ptr<COscClient> m_pClient;
};

// An OSC string: the text, a NUL, padded to four bytes.
QByteArray OscString(const QByteArray& text)
{
    QByteArray bytes = text + '\0';
    while (bytes.size() % 4 != 0)
        bytes += '\0';
    return bytes;
}
}

TEST_F(ServeOscTest, ADeskSetsAndAsksAndTheProcessorFollows)
{
    StartProcessor();
    StartService();
    StartOsc();
    COscClient& desk = *m_pClient;

    desk.Send("/orvan/1/outputs/3/gain", {-3.0f});
    desk.Send("/orvan/1/inputs/2/gain", {std::string("-6.5dB")});
    desk.Send("/orvan/1/outputs/2/mute", {true});
    desk.Send("/orvan/1/outputs/1/name", {std::string("SUB L")});
    desk.Send("/orvan/1/outputs/4/bands/2/type", {1});
    desk.SendBundle({{"/orvan/1/outputs/5/gain", {-1.5f}}, {"/orvan/1/outputs/6/polarity", {true}}});
    // A write is not answered; a question is, to the sender.
    desk.Send("/orvan/1/outputs/3/gain");
    ASSERT_TRUE(desk.Wait(1));
    ASSERT_EQ(desk.m_received.size(), 1u)
        << desk.m_received.front().strPath << " " << desk.m_received.front().String(2);
    const Received& gain = desk.m_received.front();
    EXPECT_EQ(gain.strPath, "/orvan/1/outputs/3/gain");
    EXPECT_EQ(gain.strTypes, "fs");
    EXPECT_EQ(std::get<float>(gain.args[0]), -3.0f);
    EXPECT_EQ(gain.String(1), "-3.0dB");

    desk.Send("/orvan/1/outputs/2/mute");
    desk.Send("/orvan/1/outputs/4/bands/2/type");
    desk.Send("/orvan/1/outputs/1/name");
    desk.Send("/orvan/1/online");
    ASSERT_TRUE(desk.Wait(4));
    EXPECT_EQ(desk.Last("/orvan/1/outputs/2/mute")->strTypes, "T");
    EXPECT_EQ(desk.Last("/orvan/1/outputs/4/bands/2/type")->strTypes, "is");
    EXPECT_EQ(desk.Last("/orvan/1/outputs/4/bands/2/type")->String(1), "Lo_Shf");
    EXPECT_EQ(desk.Last("/orvan/1/outputs/1/name")->String(0), "SUB L");
    EXPECT_EQ(desk.Last("/orvan/1/online")->strTypes, "Ts");
    // Whoever asks, the HTTP API tells the same.
    EXPECT_EQ(Get("/api/v1/outputs/5/gain").json.value("value").toDouble(), -1.5);

    WaitDrained();
    const CProcessorState state = ProcessorState();
    CImageSlot live;
    live.abyImage = state.aImages[Frame::kLiveProgram];
    CAudio_Data held;
    held.LoadFromImage(live);
    auto text = [&held](EParam param, int nChannel) {
        return ParamCatalogue::FormatStep(param, ParamCatalogue::Get(param, held, {nChannel, 0}), kEnglish);
    };
    EXPECT_EQ(text(EParam::kOutGain, 2), "-3.0dB");
    EXPECT_EQ(text(EParam::kInGain, 1), "-6.5dB");
    EXPECT_EQ(text(EParam::kOutOn, 1), "Mute");
    EXPECT_EQ(ParamCatalogue::FormatStep(EParam::kOutBandType, ParamCatalogue::Get(EParam::kOutBandType, held, {3, 1}),
                                         kEnglish),
              "Lo_Shf");
    EXPECT_EQ(text(EParam::kOutGain, 4), "-1.5dB");
    EXPECT_EQ(text(EParam::kOutPolarity, 5), "-");
    EXPECT_EQ(ParamCatalogue::GetText(EParam::kOutName, held, {0, 0}).substr(0, 5), "SUB L");
}

TEST_F(ServeOscTest, ASubscriberReceivesMetersAndAChangeMadeOverHttp)
{
    StartProcessor();
    StartService();
    StartOsc();
    COscClient& desk = *m_pClient;
    desk.Send("/orvan/1/subscribe", {std::string("meters"), std::string("param")});
    ASSERT_TRUE(desk.Wait(1));
    EXPECT_EQ(desk.m_received.front().strPath, "/orvan/1/subscribe");
    EXPECT_EQ(m_pOsc->SubscriberCount(), 1);
    ASSERT_TRUE(RunUntil(
        [&] {
            desk.Drain(50);
            return desk.Last("/orvan/1/meters/outputs") != nullptr;
        },
        3000));
    EXPECT_EQ(desk.Last("/orvan/1/meters/outputs")->strTypes, "iiiiiiii");
    EXPECT_EQ(desk.Last("/orvan/1/meters/indicators")->strTypes.size(), 8u);

    EXPECT_EQ(Put("/api/v1/outputs/7/gain", {{"value", -12.0}}).nStatus, 200);
    ASSERT_TRUE(RunUntil(
        [&] {
            desk.Drain(50);
            return desk.Last("/orvan/1/outputs/7/gain") != nullptr;
        },
        3000));
    EXPECT_EQ(std::get<float>(desk.Last("/orvan/1/outputs/7/gain")->args[0]), -12.0f);

    desk.Send("/orvan/1/unsubscribe");
    ASSERT_TRUE(RunUntil(
        [&] {
            desk.Drain(20);
            return m_pOsc->SubscriberCount() == 0;
        },
        3000));
    desk.Drain(200);
    desk.m_received.clear();
    desk.Drain(300);
    EXPECT_TRUE(desk.m_received.empty());
}

TEST_F(ServeOscTest, BadMessagesAreAnsweredWithTheirErrorAndSendNothing)
{
    StartProcessor();
    StartService();
    StartOsc();
    COscClient& desk = *m_pClient;
    struct Case
    {
        const char* pszName;
        const char* pszPath;
        std::vector<Arg> args;
        const char* pszError;
    };
    const std::vector<Case> cases{
        {"unknown parameter", "/orvan/1/outputs/3/gian", {1.0f}, "unknownParameter"},
        {"another device ID", "/orvan/2/outputs/3/gain", {1.0f}, "notFound"},
        {"outside the service", "/mixer/fader/1", {1.0f}, "notFound"},
        {"no such output", "/orvan/1/outputs/9/gain", {1.0f}, "unknownParameter"},
        {"no such band", "/orvan/1/outputs/3/bands/16/gain", {1.0f}, "unknownParameter"},
        {"a pattern", "/orvan/1/outputs/*/gain", {1.0f}, "unknownParameter"},
        {"above the range", "/orvan/1/outputs/3/gain", {99.0f}, "outOfRange"},
        {"text without a number", "/orvan/1/outputs/3/gain", {std::string("loud")}, "badValue"},
        {"two values", "/orvan/1/outputs/3/gain", {1.0f, 2.0f}, "badArguments"},
        {"nil where there is no OFF", "/orvan/1/outputs/3/gain", {Arg()}, "badValue"},
        {"unknown choice", "/orvan/1/outputs/3/eqMode", {7}, "outOfRange"},
        {"mute by half", "/orvan/1/outputs/3/mute", {0.5f}, "badArguments"},
        {"mute of no channel", "/orvan/1/outputs/9/mute", {true}, "unknownParameter"},
        {"name too long", "/orvan/1/outputs/3/name", {std::string("MAIN LEFT")}, "badName"},
        {"name as a number", "/orvan/1/outputs/3/name", {3}, "badName"},
        {"program 31", "/orvan/1/recall", {31}, "badProgramNumber"},
        {"program as text", "/orvan/1/recall", {std::string("7")}, "badArguments"},
        {"unknown event kind", "/orvan/1/subscribe", {std::string("levels")}, "badArguments"},
    };
    const QJsonObject before = Get("/api/v1/program").json;
    int nNotices = 0;
    QObject::connect(&m_pLink->Link().Notice(), &CRecordNotice::valueChanged, [&nNotices] { ++nNotices; });
    for (const Case& c : cases)
    {
        desk.m_received.clear();
        desk.Send(c.pszPath, c.args);
        ASSERT_TRUE(desk.Wait(1)) << c.pszName;
        const Received& answer = desk.m_received.back();
        EXPECT_EQ(answer.strPath, "/orvan/1/error") << c.pszName;
        EXPECT_EQ(answer.strTypes, "sss") << c.pszName;
        EXPECT_EQ(answer.String(0), c.pszPath) << c.pszName;
        EXPECT_EQ(answer.String(1), c.pszError) << c.pszName << ": " << answer.String(2);
        EXPECT_FALSE(answer.String(2).empty()) << c.pszName;
    }

    // Packets liblo cannot read, and bundles whose elements do not fit.
    const QByteArray gain = OscString("/orvan/1/outputs/3/gain");
    const QByteArray bundle = OscString("#bundle") + QByteArray(8, '\0');
    const std::vector<std::pair<const char*, QByteArray>> packets{
        {"address not terminated", "/orvan/1/x"},
        {"float cut short", gain + OscString(",f") + QByteArray(2, '\0')},
        {"unknown type tag", gain + OscString(",q") + QByteArray(4, '\0')},
        {"element larger than the bundle", bundle + QByteArray::fromHex("00000040") + gain},
        {"element size not of four", bundle + QByteArray::fromHex("00000003") + gain},
        {"nothing but a size", bundle + QByteArray::fromHex("0000")},
        {"larger than a packet may be", gain + OscString(",s") + OscString(QByteArray(9000, 'x'))},
    };
    for (const auto& [pszName, bytes] : packets)
    {
        desk.m_received.clear();
        desk.SendRaw(bytes, m_pOsc->Port());
        ASSERT_TRUE(desk.Wait(1)) << pszName;
        EXPECT_EQ(desk.m_received.back().strPath, "/orvan/1/error") << pszName;
        const std::string strCode = desk.m_received.back().String(1);
        EXPECT_TRUE(strCode == "malformedOsc" || strCode == "bodyTooLarge") << pszName << ": " << strCode;
    }

    // A well-formed argument of a kind no parameter takes: a blob.
    desk.m_received.clear();
    desk.SendRaw(gain + OscString(",b") + QByteArray::fromHex("0000000401020304"), m_pOsc->Port());
    ASSERT_TRUE(desk.Wait(1));
    EXPECT_EQ(desk.m_received.back().String(1), "badArguments");

    // A locked parameter: said so, nothing sent.
    m_pLink->Link().Locks().SetFlag(CLockState::kOutGain, true);
    desk.m_received.clear();
    desk.Send("/orvan/1/outputs/3/gain", {-3.0f});
    ASSERT_TRUE(desk.Wait(1));
    EXPECT_EQ(desk.m_received.back().String(1), "locked");

    EXPECT_EQ(nNotices, 0);
    EXPECT_LE(m_pLink->Link().Command().Queue().Count(), 1);
    const QJsonObject after = Get("/api/v1/program").json;
    for (const char* pszPart : {"name", "inputs", "outputs"})
        EXPECT_EQ(after.value(pszPart), before.value(pszPart)) << pszPart;
}

TEST_F(ServeOscTest, BeyondLoopbackAMessageNeedsTheTokenFirst)
{
    StartProcessor();
    StartService();
    COscServer::Options options;
    options.token = "0123456789abcdef";
    StartOsc(options);
    COscClient& desk = *m_pClient;
    desk.Send("/orvan/1/outputs/3/gain", {-9.0f});
    desk.Send("/orvan/1/outputs/3/gain", {std::string("0123456789abcdeX"), -9.0f});
    desk.Send("/orvan/1/outputs/3/gain");
    ASSERT_TRUE(desk.Wait(3));
    for (const Received& answer : desk.m_received)
        EXPECT_EQ(answer.String(1), "unauthorized");
    EXPECT_EQ(Get("/api/v1/outputs/3/gain").json.value("value").toDouble(), 0.0);

    desk.m_received.clear();
    desk.Send("/orvan/1/outputs/3/gain", {std::string("0123456789abcdef"), -9.0f});
    desk.Send("/orvan/1/outputs/3/gain", {std::string("0123456789abcdef")});
    ASSERT_TRUE(desk.Wait(1));
    EXPECT_EQ(desk.m_received.back().String(1), "-9.0dB");
}
