// The show-control service: from an API write to the last byte of its frame
// on the line, against the virtual processor at the real line rate; and the
// cost of 50 WebSocket clients taking the meters 20 times a second, measured
// on the orvan-server process itself (CPU time and resident memory).

#include "bench/BenchStats.h"
#include "bench/TimedPort.h"
#include "serve/HttpApi.h"
#include "serve/ServeLink.h"
#include "tests/VprocProcess.h"

#include <QCoreApplication>
#include <QFile>
#include <QJsonDocument>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QWebSocket>

#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include <unistd.h>

namespace
{
using Clock = CTimedPort::Clock;

void BM_ApiWriteToWire(benchmark::State& state)
{
    QTemporaryDir dir;
    CVprocProcess processor(dir.filePath("port"));
    if (!processor.Start({"--real-rate"}))
    {
        state.SkipWithError("the virtual processor did not start");
        return;
    }
    auto pPort = std::make_unique<CTimedPort>();
    CTimedPort& port = *pPort;
    CServeLink::Options linkOptions;
    linkOptions.strPort = processor.Port();
    CServeLink link(linkOptions, std::move(pPort));
    CHttpApi::Options apiOptions;
    apiOptions.nPort = 0;
    CHttpApi api(link, apiOptions);
    QString strReason;
    if (!api.Listen(strReason))
    {
        state.SkipWithError("cannot listen");
        return;
    }
    link.Start();
    if (!RunUntil([&] { return link.IsOnline(); }, 30000))
    {
        state.SkipWithError("no connection to the virtual processor");
        return;
    }
    QNetworkAccessManager network;
    const QUrl url(QStringLiteral("http://127.0.0.1:%1/api/v1/outputs/3/gain").arg(api.Port()));
    std::vector<double> millis;
    int nStep = 0;
    for (auto _ : state)
    {
        // Writes come at any moment of the pump's period and of a meter poll.
        RunUntil([] { return false; }, 3 + static_cast<int>(millis.size() % 37));
        nStep = nStep == 420 ? 0 : nStep + 1;
        port.m_written.reset();
        QNetworkRequest request(url);
        request.setHeader(QNetworkRequest::ContentTypeHeader, "application/json");
        const auto start = Clock::now();
        QNetworkReply* pReply = network.put(request, QByteArray("{\"step\": ") + QByteArray::number(nStep) + "}");
        if (!RunUntil([&] { return port.m_written.has_value() && pReply->isFinished(); }, 2000))
        {
            state.SkipWithError("the write was not sent");
            return;
        }
        pReply->deleteLater();
        const std::chrono::duration<double> elapsed = *port.m_written - start;
        state.SetIterationTime(elapsed.count());
        millis.push_back(elapsed.count() * 1e3);
    }
    state.counters["median_ms"] = Percentile(millis, 0.5);
    state.counters["p99_ms"] = Percentile(millis, 0.99);
    state.counters["max_ms"] = Percentile(millis, 1.0);
}
BENCHMARK(BM_ApiWriteToWire)->Iterations(1000)->UseManualTime()->Unit(benchmark::kMillisecond);

// User plus system CPU time of a process, in clock ticks.
long long CpuTicks(qint64 nPid)
{
    QFile file(QStringLiteral("/proc/%1/stat").arg(nPid));
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray stat = file.readAll();
    // The fields after the command name, which may hold spaces.
    const QList<QByteArray> fields = stat.mid(stat.lastIndexOf(')') + 2).split(' ');
    return fields.value(11).toLongLong() + fields.value(12).toLongLong();
}

double ResidentMegabytes(qint64 nPid)
{
    QFile file(QStringLiteral("/proc/%1/status").arg(nPid));
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    const QRegularExpressionMatch match =
        QRegularExpression("VmRSS:\\s*(\\d+) kB").match(QString::fromLatin1(file.readAll()));
    return match.hasMatch() ? match.captured(1).toDouble() / 1024.0 : -1;
}

void BM_FiftyMeterClients(benchmark::State& state)
{
    constexpr int kClients = 50;
    constexpr int kSeconds = 20;
    QTemporaryDir dir;
    CVprocProcess processor(dir.filePath("port"));
    if (!processor.Start({"--real-rate"}))
    {
        state.SkipWithError("the virtual processor did not start");
        return;
    }
    QProcess server;
    server.start(ORVAN_SERVER, {"--port", processor.Port(), "--http-port", "0"});
    QString strLog;
    QString strPort;
    const bool bUp = RunUntil(
        [&]
        {
            strLog += QString::fromUtf8(server.readAllStandardError());
            const QRegularExpressionMatch match = QRegularExpression("127\\.0\\.0\\.1:(\\d+)").match(strLog);
            strPort = match.captured(1);
            return !strPort.isEmpty() && strLog.contains("online:");
        },
        30000);
    if (!bUp)
    {
        state.SkipWithError("the service did not start");
        return;
    }
    std::vector<std::unique_ptr<QWebSocket>> clients;
    std::vector<int> received(kClients, 0);
    for (int i = 0; i < kClients; ++i)
    {
        auto pClient = std::make_unique<QWebSocket>();
        QObject::connect(pClient.get(), &QWebSocket::textMessageReceived, [&received, i] { ++received[i]; });
        pClient->open(QUrl(QStringLiteral("ws://127.0.0.1:%1/api/v1/events?subscribe=meters").arg(strPort)));
        clients.push_back(std::move(pClient));
    }
    RunUntil([&] { return std::all_of(received.begin(), received.end(), [](int n) { return n > 2; }); }, 10000);
    const long nTicksPerSecond = ::sysconf(_SC_CLK_TCK);
    for (auto _ : state)
    {
        std::fill(received.begin(), received.end(), 0);
        const long long nStart = CpuTicks(server.processId());
        RunUntil([] { return false; }, kSeconds * 1000);
        const long long nEnd = CpuTicks(server.processId());
        state.counters["service_cpu_percent"] = 100.0 * static_cast<double>(nEnd - nStart) / nTicksPerSecond / kSeconds;
        state.counters["service_rss_mb"] = ResidentMegabytes(server.processId());
        int nLeast = received[0];
        for (int n : received)
            nLeast = std::min(nLeast, n);
        state.counters["meters_per_s_least_client"] = static_cast<double>(nLeast) / kSeconds;
    }
    clients.clear();
    ::kill(static_cast<pid_t>(server.processId()), SIGTERM);
    server.waitForFinished(5000);
}
BENCHMARK(BM_FiftyMeterClients)->Iterations(1)->Unit(benchmark::kSecond);
}

int main(int argc, char** argv)
{
    return RunBenchmarks<QCoreApplication>(argc, argv);
}
