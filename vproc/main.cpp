// orvan-vproc: a virtual loudspeaker processor on a pseudo-terminal, for
// trying the control program without hardware and for the link tests.

#include "vproc/ProcessorState.h"
#include "vproc/PtyServer.h"
#include "vproc/StateFile.h"
#include "vproc/VirtualProcessor.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QSocketNotifier>
#include <QTimer>

#include <csignal>
#include <cstdio>
#include <deque>
#include <filesystem>
#include <vector>
#include <sys/socket.h>
#include <unistd.h>

namespace
{
constexpr int kSaveDelayMs = 300;

int g_afdQuit[2] = {-1, -1};

void OnQuitSignal(int)
{
    const char by = 1;
    [[maybe_unused]] const ssize_t n = ::write(g_afdQuit[0], &by, 1);
}

// SIGINT and SIGTERM end the event loop normally, so the state is saved and
// the link removed.
void QuitOnSignals(QCoreApplication& app)
{
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, g_afdQuit) != 0)
        return;
    auto* pNotifier = new QSocketNotifier(g_afdQuit[1], QSocketNotifier::Read, &app);
    QObject::connect(pNotifier, &QSocketNotifier::activated, &app, &QCoreApplication::quit);
    struct sigaction action{};
    action.sa_handler = OnQuitSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGHUP, &action, nullptr);
}

bool IntOption(const QCommandLineParser& parser, const QString& name, int lo, int hi, int& value)
{
    if (!parser.isSet(name))
        return true;
    bool ok = false;
    const int n = parser.value(name).toInt(&ok);
    if (!ok || n < lo || n > hi)
    {
        std::fprintf(stderr, "orvan-vproc: --%s must be a number from %d to %d\n", qPrintable(name), lo, hi);
        return false;
    }
    value = n;
    return true;
}

bool IdList(const QString& strList, std::vector<int>& ids)
{
    for (const QString& strId : strList.split(QLatin1Char(','), Qt::SkipEmptyParts))
    {
        bool ok = false;
        const int n = strId.trimmed().toInt(&ok);
        if (!ok || n < Frame::kFirstDeviceId || n > Frame::kLastDeviceId)
        {
            std::fprintf(stderr, "orvan-vproc: --other-ids takes device IDs from %d to %d\n", Frame::kFirstDeviceId,
                         Frame::kLastDeviceId);
            return false;
        }
        ids.push_back(n);
    }
    return true;
}
}

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName("orvan-vproc");

    QCommandLineParser parser;
    parser.setApplicationDescription(
        "A virtual loudspeaker processor on a pseudo-terminal. It prints the path of its port,\n"
        "a symlink to the terminal, which the control program opens like a serial port.");
    parser.addHelpOption();
    const QString strDefaultLink = QDir::temp().filePath("orvan-vproc");
    parser.addOptions({
        {"link", "Where to make the symlink to the terminal (default " + strDefaultLink + ").", "path",
         strDefaultLink},
        {"state", "Start from the state in <file> when it exists, and keep every change in it.", "file"},
        {"id",
         QStringLiteral("Device ID, %1 to %2 (default %1, or the state file's).")
             .arg(Frame::kFirstDeviceId)
             .arg(Frame::kLastDeviceId),
         "n"},
        {"other-ids",
         "Further processors on the same line, with these device IDs (comma-separated, e.g. 17,40);"
         " fresh from the factory and not saved.",
         "ids"},
        {"type",
         QStringLiteral("Device type, %1 to %2 (default %2: %3 inputs, %4 outputs, or the state file's).")
             .arg(Frame::kFirstDeviceType)
             .arg(Frame::kLastDeviceType)
             .arg(Frame::kInputCount)
             .arg(Frame::kOutputCount),
         "n"},
        {"firmware",
         "Version text, 8 characters (default C-DV1.05). C-DV0.90 plays an older processor,"
         " C-DV2.00 a newer one.",
         "text", CVirtualProcessor::kDefaultVersion},
        {"silent", "Never answer."},
        {"skip-every", "Lose every n-th request.", "n"},
        {"stop-after", "Answer the first n requests, then fall silent.", "n"},
        {"garbage", "Send n noise bytes before each answer.", "n"},
        {"chunk", "Write answers in pieces of n bytes.", "n"},
        {"chunk-gap", "Milliseconds between pieces (default 5).", "ms"},
        {"real-rate", "Send no faster than a 57600-baud line."},
        {"verbose", "Log every request and answer to stderr."},
        {"listen",
         "Serve on a TCP port instead of a terminal, as a serial device server does: [IPv4 address:]port"
         " (address 127.0.0.1 unless given; port 0 picks a free one). Prints tcp://address:port, the name"
         " the control program connects to.",
         "address"},
    });
    parser.process(app);

    CPtyServer::Options options;
    options.bSilent = parser.isSet("silent");
    options.bRealRate = parser.isSet("real-rate");
    options.bVerbose = parser.isSet("verbose");
    int nId = 0;
    int nType = 0;
    if (!IntOption(parser, "id", Frame::kFirstDeviceId, Frame::kLastDeviceId, nId) ||
        !IntOption(parser, "type", Frame::kFirstDeviceType, Frame::kLastDeviceType, nType) ||
        !IntOption(parser, "skip-every", 1, 1000000, options.nSkipEvery) ||
        !IntOption(parser, "stop-after", 0, 1000000000, options.nStopAfter) ||
        !IntOption(parser, "garbage", 0, 1000, options.nGarbage) ||
        !IntOption(parser, "chunk", 1, 4096, options.nChunk) ||
        !IntOption(parser, "chunk-gap", 0, 10000, options.nChunkGapMs))
        return 2;

    CProcessorState state;
    const std::string strState = parser.value("state").toStdString();
    std::string strError;
    if (!strState.empty() && std::filesystem::exists(strState) && !CStateFile::Load(strState, state, strError))
    {
        std::fprintf(stderr, "orvan-vproc: %s\n", strError.c_str());
        return 1;
    }
    CVirtualProcessor processor(state);
    if (nId)
        processor.SetDeviceId(nId);
    if (nType)
        processor.SetDeviceType(nType);
    processor.SetVersion(parser.value("firmware").toStdString());

    std::vector<int> otherIds;
    if (parser.isSet("other-ids") && !IdList(parser.value("other-ids"), otherIds))
        return 2;
    std::deque<CVirtualProcessor> neighbours;

    CPtyServer server(processor, options);
    for (int nOtherId : otherIds)
    {
        neighbours.emplace_back();
        neighbours.back().SetDeviceId(nOtherId);
        neighbours.back().SetVersion(processor.GetVersion());
        server.AddNeighbour(neighbours.back());
    }
    const bool bListen = parser.isSet("listen");
    const std::string strLink = parser.value("link").toStdString();
    if (bListen ? !server.Listen(parser.value("listen").toStdString(), strError) : !server.Start(strLink, strError))
    {
        std::fprintf(stderr, "orvan-vproc: %s\n", strError.c_str());
        return 1;
    }
    const std::string& strPort = bListen ? server.NetworkPort() : strLink;

    // Saved a moment after the last change, so a burst of edits costs one write.
    QTimer saveTimer;
    saveTimer.setSingleShot(true);
    saveTimer.setInterval(kSaveDelayMs);
    auto save = [&]
    {
        std::string strSaveError;
        if (!strState.empty() && !CStateFile::Save(strState, processor.GetState(), strSaveError))
            std::fprintf(stderr, "orvan-vproc: %s\n", strSaveError.c_str());
    };
    QObject::connect(&saveTimer, &QTimer::timeout, save);
    QObject::connect(&server, &CPtyServer::stateChanged, &saveTimer, qOverload<>(&QTimer::start));

    QuitOnSignals(app);
    std::printf("%s\n", strPort.c_str());
    std::fflush(stdout);
    std::fprintf(stderr, "orvan-vproc: device ID %d, type %d, version %s on %s\n",
                 processor.GetState().nDeviceId, processor.GetState().nDeviceType, processor.GetVersion().c_str(),
                 bListen ? strPort.c_str() : server.SlavePath().c_str());

    const int nResult = app.exec();
    if (saveTimer.isActive())
        save();
    return nResult;
}
