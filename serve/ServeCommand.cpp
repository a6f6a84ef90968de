#include "serve/ServeCommand.h"

#include "cli/CliOptions.h"
#include "cli/Console.h"
#include "serve/HttpApi.h"
#include "serve/OscAddresses.h"
#include "serve/OscServer.h"
#include "serve/RemotePage.h"
#include "serve/ServeLink.h"
#include "serve/ServeText.h"
#include "serve/ServeToken.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#include <csignal>
#include <memory>
#include <cstdio>

#include <fcntl.h>
#include <unistd.h>

namespace
{
constexpr int kDefaultHttpPort = 8080;

// SIGINT and SIGTERM reach the event loop through a pipe, so the service
// stops between two events, never inside one.
int g_anStopPipe[2] = {-1, -1};

void OnStopSignal(int)
{
    const char c = 1;
    [[maybe_unused]] const ssize_t n = ::write(g_anStopPipe[1], &c, 1);
}

bool CatchStopSignals()
{
    if (::pipe2(g_anStopPipe, O_CLOEXEC | O_NONBLOCK) != 0)
        return false;
    struct sigaction action{};
    action.sa_handler = OnStopSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    return ::sigaction(SIGINT, &action, nullptr) == 0 && ::sigaction(SIGTERM, &action, nullptr) == 0;
}

// One line per event on standard error, which the journal keeps.
void Log(const CConsole& console, const QString& strLine)
{
    std::fprintf(stderr, "%s: %s\n", console.Program(), strLine.toUtf8().constData());
    std::fflush(stderr);
}
}

int ServeCommand(const QStringList& args, CConsole& console)
{
    CCliOptions options(
        QString(),
        "Keeps a processor connected and lets show-control systems and browsers control it:\n"
        "an HTTP/JSON API under /api/v1 (described at /api/v1/openapi.json), WebSocket events\n"
        "at /api/v1/events, the tablet remote page at /, and with --osc-port OSC over UDP\n"
        "(/orvan/<id>/outputs/3/gain -3.0; --osc-addresses lists every address). It\n"
        "reconnects by itself after the processor falls silent or the port vanishes, and\n"
        "stops on SIGINT or SIGTERM.\n"
        "By default it listens on 127.0.0.1 only. On any other address every request must\n"
        "carry the bearer token, made on the first such start and shown that once; an OSC\n"
        "message carries it as its first argument.",
        CCliOptions::ELine::kPortAndDevice);
    options.Parser().addOption({"listen", "Address to listen on (default 127.0.0.1; 0.0.0.0 for every one).",
                                "address", "127.0.0.1"});
    options.Parser().addOption({"http-port",
                                QStringLiteral("TCP port of the API (default %1; 0 picks a free one).").arg(kDefaultHttpPort),
                                "n"});
    options.Parser().addOption({"token-file",
                                QStringLiteral("Where the token is kept (default %1).").arg(ServeToken::DefaultPath()),
                                "file"});
    options.Parser().addOption({"osc-port", "UDP port of OSC, on the --listen address (none by default; 0 picks a free one).",
                                "n"});
    options.Parser().addOption({"osc-addresses", "List every OSC address with its arguments and range, and stop."});
    // The list needs no processor, so no --port either.
    if (args.contains("--osc-addresses"))
    {
        console.Out(OscAddresses::List(CCliOptions::kDefaultDeviceId).join('\n'));
        return kExitOk;
    }
    if (const auto status = options.Parse(args, 0, console))
        return *status;
    const std::optional<int> nHttpPort = options.IntValue("http-port", 0, 65535, kDefaultHttpPort, console);
    if (!nHttpPort)
        return kExitUsage;
    const std::optional<int> nOscPort = options.IntValue("osc-port", 0, 65535, 0, console);
    if (!nOscPort)
        return kExitUsage;
    const QHostAddress address(options.Parser().value("listen"));
    if (address.isNull())
    {
        console.Error(QStringLiteral("--listen: \"%1\" is not an IP address").arg(options.Parser().value("listen")));
        return kExitUsage;
    }
    const ELanguage eLanguage = options.Language();

    CHttpApi::Options httpOptions;
    httpOptions.address = address;
    httpOptions.nPort = static_cast<quint16>(*nHttpPort);
    if (CAccessRule::NeedsToken(address))
    {
        const QString strTokenFile =
            options.Parser().isSet("token-file") ? options.Parser().value("token-file") : ServeToken::DefaultPath();
        const ServeToken::Outcome token = ServeToken::LoadOrCreate(strTokenFile);
        if (token.token.isEmpty())
        {
            console.Error(ServeText(EServeText::TokenUnwritable, eLanguage).arg(strTokenFile, token.strError));
            return kExitFailed;
        }
        Log(console, token.bCreated
                         ? ServeText(EServeText::TokenCreated, eLanguage).arg(QString::fromLatin1(token.token), strTokenFile)
                         : ServeText(EServeText::TokenRequired, eLanguage).arg(strTokenFile));
        httpOptions.token = token.token;
    }

    if (!CatchStopSignals())
    {
        console.Error(QStringLiteral("cannot catch SIGINT and SIGTERM"));
        return kExitFailed;
    }
    CServeLink::Options linkOptions;
    linkOptions.strPort = options.Port();
    linkOptions.nDeviceId = options.DeviceId();
    linkOptions.eLanguage = eLanguage;
    CServeLink link(linkOptions);
    QObject::connect(&link, &CServeLink::logLine, [&console](const QString& strLine) { Log(console, strLine); });
    CHttpApi api(link, httpOptions);
    api.SetPageHandler(RemotePage::Handler());
    QString strReason;
    if (!api.Listen(strReason))
    {
        console.Error(ServeText(EServeText::ListenFailed, eLanguage).arg(api.Address(), strReason));
        return kExitFailed;
    }
    Log(console, ServeText(EServeText::Listening, eLanguage).arg(api.Address()));
    std::unique_ptr<COscServer> pOsc;
    if (options.Parser().isSet("osc-port"))
    {
        COscServer::Options oscOptions;
        oscOptions.address = address;
        oscOptions.nPort = static_cast<quint16>(*nOscPort);
        oscOptions.token = httpOptions.token;
        pOsc = std::make_unique<COscServer>(link, oscOptions);
        if (!pOsc->Listen(strReason))
        {
            console.Error(ServeText(EServeText::ListenFailed, eLanguage).arg("udp://" + pOsc->Address(), strReason));
            return kExitFailed;
        }
        Log(console, ServeText(EServeText::OscListening, eLanguage).arg(pOsc->Address()));
    }

    QSocketNotifier stop(g_anStopPipe[0], QSocketNotifier::Read);
    QObject::connect(&stop, &QSocketNotifier::activated, [] { QCoreApplication::quit(); });
    link.Start();
    QCoreApplication::exec();
    Log(console, ServeText(EServeText::Stopping, eLanguage));
    link.Stop();
    return kExitOk;
}
