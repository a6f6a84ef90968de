#include "serve/ServeCommand.h"

#include "cli/CliOptions.h"
#include "cli/Console.h"
#include "serve/HttpApi.h"
#include "serve/ServeLink.h"
#include "serve/ServeText.h"
#include "serve/ServeToken.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#include <csignal>
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
        "an HTTP/JSON API under /api/v1 (described at /api/v1/openapi.json) and WebSocket\n"
        "events at /api/v1/events. It reconnects by itself after the processor falls silent\n"
        "or the port vanishes, and stops on SIGINT or SIGTERM.\n"
        "By default it listens on 127.0.0.1 only. On any other address every request must\n"
        "carry the bearer token, made on the first such start and shown that once.",
        CCliOptions::ELine::kPortAndDevice);
    options.Parser().addOption({"listen", "Address to listen on (default 127.0.0.1; 0.0.0.0 for every one).",
                                "address", "127.0.0.1"});
    options.Parser().addOption({"http-port",
                                QStringLiteral("TCP port of the API (default %1; 0 picks a free one).").arg(kDefaultHttpPort),
                                "n"});
    options.Parser().addOption({"token-file",
                                QStringLiteral("Where the token is kept (default %1).").arg(ServeToken::DefaultPath()),
                                "file"});
    if (const auto status = options.Parse(args, 0, console))
        return *status;
    const std::optional<int> nHttpPort = options.IntValue("http-port", 0, 65535, kDefaultHttpPort, console);
    if (!nHttpPort)
        return kExitUsage;
    const QHostAddress address(options.Parser().value("listen"));
    if (address.isNull())
    {
        console.Error(QStringLiteral("--listen: \"%1\" is not an IP address").arg(options.Parser().value("listen")));
        return kExitUsage;
    }
    const int nLanguage = options.Language();

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
            console.Error(ServeText(EServeText::TokenUnwritable, nLanguage).arg(strTokenFile, token.strError));
            return kExitFailed;
        }
        Log(console, token.bCreated
                         ? ServeText(EServeText::TokenCreated, nLanguage).arg(QString::fromLatin1(token.token), strTokenFile)
                         : ServeText(EServeText::TokenRequired, nLanguage).arg(strTokenFile));
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
    linkOptions.nLanguage = nLanguage;
    CServeLink link(linkOptions);
    QObject::connect(&link, &CServeLink::logLine, [&console](const QString& strLine) { Log(console, strLine); });
    CHttpApi api(link, httpOptions);
    QString strReason;
    if (!api.Listen(strReason))
    {
        console.Error(ServeText(EServeText::ListenFailed, nLanguage).arg(api.Address(), strReason));
        return kExitFailed;
    }
    Log(console, ServeText(EServeText::Listening, nLanguage).arg(api.Address()));

    QSocketNotifier stop(g_anStopPipe[0], QSocketNotifier::Read);
    QObject::connect(&stop, &QSocketNotifier::activated, [] { QCoreApplication::quit(); });
    link.Start();
    QCoreApplication::exec();
    Log(console, ServeText(EServeText::Stopping, nLanguage));
    link.Stop();
    return kExitOk;
}
