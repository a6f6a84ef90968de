// orvan-vproc: a virtual loudspeaker processor on a pseudo-terminal, for
// trying the control program without hardware and for the link tests.

#include "vproc/LineOptions.h"
#include "vproc/ProcessorLine.h"
#include "vproc/ProcessorState.h"
#include "vproc/PtyServer.h"
#include "vproc/StateFile.h"
#include "vproc/VirtualProcessor.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QSocketNotifier>
#include <QTimer>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <sys/socket.h>
#include <unistd.h>
#include <vector>

namespace
{
constexpr int kSaveDelayMs = 300;

int g_afdSignal[2] = {-1, -1};

void OnSignal(int nSignal)
{
    const char by = static_cast<char>(nSignal);
    [[maybe_unused]] const ssize_t n = ::write(g_afdSignal[0], &by, 1);
}

// Signals reach onSignal from the event loop, where anything may be done.
// SIGINT, SIGTERM and SIGHUP are to end the event loop normally, so the
// state is saved and the link removed; SIGUSR1 and SIGUSR2 silence and wake
// processors.
void WatchSignals(QCoreApplication& app, std::function<void(int)> onSignal)
{
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, g_afdSignal) != 0)
        return;
    auto* pNotifier = new QSocketNotifier(g_afdSignal[1], QSocketNotifier::Read, &app);
    QObject::connect(pNotifier, &QSocketNotifier::activated, &app, [onSignal = std::move(onSignal)] {
        char by = 0;
        if (::read(g_afdSignal[1], &by, 1) == 1)
            onSignal(by);
    });
    struct sigaction action{};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int nSignal : {SIGINT, SIGTERM, SIGHUP, SIGUSR1, SIGUSR2})
        sigaction(nSignal, &action, nullptr);
}

bool Refuse(const QString& name, const std::string& strReason)
{
    std::fprintf(stderr, "orvan-vproc: --%s: %s\n", qPrintable(name), strReason.c_str());
    return false;
}

bool IntOption(const QCommandLineParser& parser, const QString& name, int lo, int hi, int& value)
{
    if (!parser.isSet(name))
        return true;
    bool ok = false;
    const int n = parser.value(name).toInt(&ok);
    if (!ok || n < lo || n > hi)
        return Refuse(name, "must be a number from " + std::to_string(lo) + " to " + std::to_string(hi));
    value = n;
    return true;
}

bool IdsOption(const QCommandLineParser& parser, const QString& name, std::vector<int>& ids)
{
    std::string strError;
    return !parser.isSet(name) || LineOptions::ParseIds(parser.value(name).toStdString(), ids, strError)
           || Refuse(name, strError);
}

bool AssignmentsOption(const QCommandLineParser& parser, const QString& name,
                       std::vector<LineOptions::Assignment>& assignments)
{
    std::string strError;
    return !parser.isSet(name) || LineOptions::ParseAssignments(parser.value(name).toStdString(), assignments, strError)
           || Refuse(name, strError);
}

// A processor as it goes onto the line; kept ones are saved in the state file.
struct Planned
{
    CProcessorState state;
    bool bKept = true;
};

Planned* FindPlanned(std::vector<Planned>& planned, int nId)
{
    const auto found = std::ranges::find_if(planned, [nId](const Planned& p) { return p.state.nDeviceId == nId; });
    return found == planned.end() ? nullptr : &*found;
}

// Gives the processors named in the option their type or name; every ID
// named must be on the line.
bool Assign(std::vector<Planned>& planned, const QString& name, const std::vector<LineOptions::Assignment>& assignments,
            const std::function<bool(CProcessorState&, const std::string&)>& apply)
{
    for (const LineOptions::Assignment& a : assignments)
    {
        Planned* pPlanned = FindPlanned(planned, a.nId);
        if (!pPlanned)
            return Refuse(name, "device ID " + std::to_string(a.nId) + " is not on the line");
        if (!apply(pPlanned->state, a.strValue))
            return false;
    }
    return true;
}

// The processors to put on the line: those of --ids, each with its state
// from the file when it has one; without --ids, the file's processors, or a
// single one given nId when it is set. What the file holds beyond --ids goes
// aside, to be saved back untouched. False when nId is set for a file that
// holds a line.
bool PlanLine(const std::vector<CProcessorState>& fileStates, const std::vector<int>& ids, int nId,
              std::vector<Planned>& planned, std::vector<CProcessorState>& aside)
{
    if (!ids.empty())
    {
        for (int nListed : ids)
        {
            const auto found = std::ranges::find(fileStates, nListed, &CProcessorState::nDeviceId);
            planned.push_back({found == fileStates.end() ? CProcessorState::Numbered(nListed) : *found});
        }
        std::ranges::copy_if(fileStates, std::back_inserter(aside), [&ids](const CProcessorState& s) {
            return std::ranges::find(ids, s.nDeviceId) == ids.end();
        });
        return true;
    }
    if (fileStates.size() > 1)
    {
        for (const CProcessorState& state : fileStates)
            planned.push_back({state});
        return nId == 0;
    }
    planned.push_back({fileStates.empty() ? CProcessorState() : fileStates[0]});
    if (nId)
        planned[0].state.nDeviceId = nId;
    return true;
}

bool SetType(CProcessorState& state, const std::string& strValue)
{
    bool ok = false;
    const int nType = QString::fromStdString(strValue).toInt(&ok);
    if (!ok || nType < Frame::kFirstDeviceType || nType > Frame::kLastDeviceType)
        return Refuse("types", "\"" + strValue + "\" is not a device type from "
                                   + std::to_string(Frame::kFirstDeviceType) + " to "
                                   + std::to_string(Frame::kLastDeviceType));
    state.nDeviceType = nType;
    return true;
}

bool SetName(CProcessorState& state, const std::string& strValue)
{
    state.SetDeviceName(strValue);
    return true;
}

std::string IdText(const std::vector<int>& ids)
{
    std::string text;
    for (int nId : ids)
        text += (text.empty() ? "" : ",") + std::to_string(nId);
    return text;
}
}

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName("orvan-vproc");

    QCommandLineParser parser;
    parser.setApplicationDescription(
        "A virtual loudspeaker processor on a pseudo-terminal, or a line of several. It prints the path of\n"
        "its port, a symlink to the terminal, which the control program opens like a serial port.\n"
        "\n"
        "ID lists take IDs and ranges, e.g. 1-8 or 1,3,5-7; per-ID values take id:value or first-last:value\n"
        "items, e.g. 1:6,2-4:3.");
    parser.addHelpOption();
    const QString strDefaultLink = QDir::temp().filePath("orvan-vproc");
    parser.addOptions({
        {"link", "Where to make the symlink to the terminal (default " + strDefaultLink + ").", "path", strDefaultLink},
        {"state",
         "Start from the state in <file> when it exists, and keep every change in it. A file holding a line"
         " of processors plays them all unless --ids picks some.",
         "file"},
        {"id",
         QStringLiteral("Device ID, %1 to %2 (default %1, or the state file's).")
             .arg(Frame::kFirstDeviceId)
             .arg(Frame::kLastDeviceId),
         "n"},
        {"ids",
         "A line of processors with these device IDs (e.g. 1-8), each with its own state, kept in the"
         " state file; fresh ones are named VIRTUAL DSP <id>. Not with --id.",
         "list"},
        {"other-ids",
         "Further processors on the same line, with these device IDs (e.g. 17,40);"
         " fresh from the factory and not saved.",
         "list"},
        {"type",
         QStringLiteral("Device type of every processor, %1 to %2 (default %2: %3 inputs, %4 outputs, or the"
                        " state file's).")
             .arg(Frame::kFirstDeviceType)
             .arg(Frame::kLastDeviceType)
             .arg(Frame::kInputCount)
             .arg(Frame::kOutputCount),
         "n"},
        {"types", "Device types by ID, e.g. 1:6,2-4:1; they win over --type.", "list"},
        {"names",
         "Device names (the first information text, 15 characters) by ID, e.g. \"1:FOH L,2:FOH R\";"
         " no commas in a name.",
         "list"},
        {"firmware",
         "Version text, 8 characters (default C-DV1.05). C-DV0.90 plays an older processor,"
         " C-DV2.00 a newer one.",
         "text", CVirtualProcessor::kDefaultVersion},
        {"silent", "Never answer."},
        {"skip-every", "Lose every n-th request.", "n"},
        {"stop-after", "Answer the first n requests, then fall silent.", "n"},
        {"silence-id",
         "Processors to fall silent while the others go on: on SIGUSR1 (SIGUSR2 wakes them), or"
         " after --silence-after answers. Prints \"silent <id>\" or \"answering <id>\" when one does.",
         "list"},
        {"silence-after", "Each --silence-id processor answers n requests, then falls silent.", "n"},
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
    int nSilenceAfter = -1;
    std::vector<int> ids;
    std::vector<int> otherIds;
    std::vector<int> silenceIds;
    std::vector<LineOptions::Assignment> types;
    std::vector<LineOptions::Assignment> names;
    if (!IntOption(parser, "id", Frame::kFirstDeviceId, Frame::kLastDeviceId, nId)
        || !IntOption(parser, "type", Frame::kFirstDeviceType, Frame::kLastDeviceType, nType)
        || !IntOption(parser, "skip-every", 1, 1000000, options.nSkipEvery)
        || !IntOption(parser, "stop-after", 0, 1000000000, options.nStopAfter)
        || !IntOption(parser, "silence-after", 0, 1000000000, nSilenceAfter)
        || !IntOption(parser, "garbage", 0, 1000, options.nGarbage)
        || !IntOption(parser, "chunk", 1, 4096, options.nChunk)
        || !IntOption(parser, "chunk-gap", 0, 10000, options.nChunkGapMs) || !IdsOption(parser, "ids", ids)
        || !IdsOption(parser, "other-ids", otherIds) || !IdsOption(parser, "silence-id", silenceIds)
        || !AssignmentsOption(parser, "types", types) || !AssignmentsOption(parser, "names", names))
        return 2;
    if (nId && !ids.empty())
    {
        Refuse("id", "a line of processors (--ids) has no single ID");
        return 2;
    }
    if (nSilenceAfter >= 0 && silenceIds.empty())
    {
        Refuse("silence-after", "--silence-id names the processors to fall silent");
        return 2;
    }

    std::vector<CProcessorState> fileStates;
    const std::string strState = parser.value("state").toStdString();
    std::string strError;
    if (!strState.empty() && std::filesystem::exists(strState) && !CStateFile::LoadLine(strState, fileStates, strError))
    {
        std::fprintf(stderr, "orvan-vproc: %s\n", strError.c_str());
        return 1;
    }

    std::vector<Planned> planned;
    std::vector<CProcessorState> aside;
    if (!PlanLine(fileStates, ids, nId, planned, aside))
    {
        Refuse("id", strState + " holds a line of processors; --ids picks some of them");
        return 2;
    }
    for (int nOtherId : otherIds)
    {
        CProcessorState state;
        state.nDeviceId = nOtherId;
        planned.push_back({state, false});
    }

    if (nType)
        for (Planned& p : planned)
            p.state.nDeviceType = nType;
    if (!Assign(planned, "types", types, SetType) || !Assign(planned, "names", names, SetName))
        return 2;

    CProcessorLine line;
    for (Planned& p : planned)
    {
        CVirtualProcessor processor(p.state);
        processor.SetVersion(parser.value("firmware").toStdString());
        if (!line.Add(std::move(processor), p.bKept))
        {
            Refuse("other-ids", "device ID " + std::to_string(p.state.nDeviceId) + " is on the line already");
            return 2;
        }
    }
    for (int nSilenceId : silenceIds)
    {
        if (!line.Find(nSilenceId))
        {
            Refuse("silence-id", "device ID " + std::to_string(nSilenceId) + " is not on the line");
            return 2;
        }
        if (nSilenceAfter >= 0)
            line.SilenceAfter(nSilenceId, nSilenceAfter);
    }
    line.SetSilenceObserver([](int nSilentId, bool bSilent) {
        std::printf("%s %d\n", bSilent ? "silent" : "answering", nSilentId);
        std::fflush(stdout);
    });

    CPtyServer server(line, options);
    const bool bListen = parser.isSet("listen");
    const std::string strLink = parser.value("link").toStdString();
    if (bListen ? !server.Listen(parser.value("listen").toStdString(), strError) : !server.Start(strLink, strError))
    {
        std::fprintf(stderr, "orvan-vproc: %s\n", strError.c_str());
        return 1;
    }
    const std::string& strPort = bListen ? server.NetworkPort() : strLink;

    // Saved a moment after the last change, so a burst of edits costs one
    // write. The processors a line of the file holds beyond --ids go back
    // as they were, unless one on the line has taken their ID since.
    QTimer saveTimer;
    saveTimer.setSingleShot(true);
    saveTimer.setInterval(kSaveDelayMs);
    auto save = [&] {
        if (strState.empty())
            return;
        std::vector<CProcessorState> states = line.KeptStates();
        for (const CProcessorState& state : aside)
            if (std::ranges::find(states, state.nDeviceId, &CProcessorState::nDeviceId) == states.end())
                states.push_back(state);
        std::ranges::sort(states, {}, &CProcessorState::nDeviceId);
        std::string strSaveError;
        if (!CStateFile::SaveLine(strState, states, strSaveError))
            std::fprintf(stderr, "orvan-vproc: %s\n", strSaveError.c_str());
    };
    QObject::connect(&saveTimer, &QTimer::timeout, save);
    QObject::connect(&server, &CPtyServer::stateChanged, &saveTimer, qOverload<>(&QTimer::start));

    WatchSignals(app, [&](int nSignal) {
        if (nSignal != SIGUSR1 && nSignal != SIGUSR2)
        {
            QCoreApplication::quit();
            return;
        }
        for (int nSilenceId : silenceIds)
            line.SetSilent(nSilenceId, nSignal == SIGUSR1);
    });
    std::printf("%s\n", strPort.c_str());
    std::fflush(stdout);
    for (int i = 0; i < line.Count(); ++i)
        std::fprintf(stderr, "orvan-vproc: device ID %d, type %d, version %s on %s\n", line.At(i).GetState().nDeviceId,
                     line.At(i).GetState().nDeviceType, line.At(i).GetVersion().c_str(),
                     bListen ? strPort.c_str() : server.SlavePath().c_str());
    if (!aside.empty())
    {
        std::vector<int> asideIds;
        std::ranges::transform(aside, std::back_inserter(asideIds), &CProcessorState::nDeviceId);
        std::fprintf(stderr, "orvan-vproc: %s also holds device IDs %s, which are not in --ids: kept, not played\n",
                     strState.c_str(), IdText(asideIds).c_str());
    }

    const int nResult = app.exec();
    if (saveTimer.isActive())
        save();
    return nResult;
}
