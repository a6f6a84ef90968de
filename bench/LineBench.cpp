// The line of processors at the real line rate, against eight virtual
// processors on a pseudo-terminal: switching the editor to another
// processor against the pacing floor of its connect sequence, and backing
// up eight processors in one line operation against eight single backups.

#include "session/ProcessorLink.h"

#include "bench/BenchStats.h"
#include "bench/TimedPort.h"
#include "line/LineOperation.h"
#include "model/ProgramBank.h"
#include "programs/ProgramFile.h"
#include "tests/VprocProcess.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cmath>

namespace
{
constexpr double kBitsPerByte = 10.0;  // 8 data bits, start and stop
constexpr double kBaud = 57600.0;
constexpr double kTickMs = CConnection::kPumpIntervalMs;

// The least the exchanges can take under the pacing rule: each frame
// leaves on a pump tick, and the next only on the first tick after its
// answer has crossed the line.
double PacingFloorMs(const std::vector<CTimedPort::Exchange>& exchanges)
{
    double dMs = 0;
    for (const CTimedPort::Exchange& exchange : exchanges)
    {
        const double dWireMs = (exchange.nWritten + exchange.nAnswered) * kBitsPerByte / kBaud * 1000.0;
        dMs += std::ceil(dWireMs / kTickMs) * kTickMs;
    }
    return dMs;
}

bool StartLine(CVprocProcess& processor)
{
    return processor.Start({"--real-rate", "--ids", "1-8"});
}

bool WaitIdle(CProcessorLink& link)
{
    return RunUntil([&] { return link.Connection().GetState() == CConnection::EState::Idle || !link.IsConnected(); },
                    60000)
           && link.IsConnected();
}

void BM_SwitchProcessor(benchmark::State& state)
{
    QTemporaryDir dir;
    CVprocProcess processor(dir.filePath("port"));
    if (!StartLine(processor))
    {
        state.SkipWithError("the virtual processors did not start");
        return;
    }
    auto pPort = std::make_unique<CTimedPort>();
    CTimedPort& port = *pPort;
    CProcessorLink link(std::move(pPort));
    if (!link.Connect(processor.Port(), 1) || !WaitIdle(link))
    {
        state.SkipWithError("no connection");
        return;
    }
    std::vector<double> ratios;
    std::vector<double> millis;
    int nId = 1;
    for (auto _ : state)
    {
        nId = nId % 8 + 1;
        port.m_exchanges.clear();
        bool bSwitched = false;
        const QMetaObject::Connection done =
            QObject::connect(&link, &CProcessorLink::switched, [&] { bSwitched = true; });
        QElapsedTimer clock;
        clock.start();
        if (!link.SwitchTo(nId) || !RunUntil([&] { return bSwitched || !link.IsConnected(); }, 60000) || !bSwitched)
        {
            state.SkipWithError("the switch failed");
            return;
        }
        const double dMs = static_cast<double>(clock.nsecsElapsed()) / 1e6;
        QObject::disconnect(done);
        state.SetIterationTime(dMs / 1000.0);
        millis.push_back(dMs);
        ratios.push_back(dMs / PacingFloorMs(port.m_exchanges));
    }
    state.counters["median_ms"] = Percentile(millis, 0.5);
    state.counters["ratio_median"] = Percentile(ratios, 0.5);
    state.counters["ratio_max"] = Percentile(ratios, 1.0);
}
BENCHMARK(BM_SwitchProcessor)->Iterations(16)->UseManualTime()->Unit(benchmark::kMillisecond);

// Each processor as `orvan-cli backup` and `pull-live` read it: a
// connection of its own, its 30 programs and its live program.
void BM_EightSingleBackups(benchmark::State& state)
{
    QTemporaryDir dir;
    CVprocProcess processor(dir.filePath("port"));
    if (!StartLine(processor))
    {
        state.SkipWithError("the virtual processors did not start");
        return;
    }
    for (auto _ : state)
    {
        QElapsedTimer clock;
        clock.start();
        for (int nId = 1; nId <= 8; ++nId)
        {
            CProcessorLink link;
            bool bFinished = false;
            QObject::connect(&link.Transfer(), &CProgramTransfer::finished, [&] { bFinished = true; });
            if (!link.Connect(processor.Port(), nId) || !WaitIdle(link))
            {
                state.SkipWithError("no connection");
                return;
            }
            link.Transfer().StoreAllToPC();
            if (!RunUntil([&] { return bFinished || !link.IsConnected(); }, 120000) || !bFinished)
            {
                state.SkipWithError("the backup failed");
                return;
            }
            const QString strBase = dir.filePath(QString::number(nId));
            ProgramFile::WriteBankFile(strBase + ".dat1C", link.Transfer().GetBank());
            ProgramFile::WriteProgramFile(strBase + ".dia1C", link.Record(), link.Locks());
            link.Connection().Disconnect();
        }
        state.SetIterationTime(static_cast<double>(clock.nsecsElapsed()) / 1e9);
    }
}
BENCHMARK(BM_EightSingleBackups)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_LineBackupOfEight(benchmark::State& state)
{
    QTemporaryDir dir;
    CVprocProcess processor(dir.filePath("port"));
    if (!StartLine(processor))
    {
        state.SkipWithError("the virtual processors did not start");
        return;
    }
    for (auto _ : state)
    {
        CProcessorLink link;
        CLineOperation operation(link, processor.Port());
        bool bFinished = false;
        QObject::connect(&operation, &CLineOperation::finished, [&] { bFinished = true; });
        QElapsedTimer clock;
        clock.start();
        if (!operation.Backup({1, 2, 3, 4, 5, 6, 7, 8}, dir.path()) || !RunUntil([&] { return bFinished; }, 600000))
        {
            state.SkipWithError("the line backup did not finish");
            return;
        }
        state.SetIterationTime(static_cast<double>(clock.nsecsElapsed()) / 1e9);
        for (const CLineOperation::Result& result : operation.Results())
            if (!result.bOk)
                state.SkipWithError("a processor failed");
        link.Connection().Disconnect();
    }
}
BENCHMARK(BM_LineBackupOfEight)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);
}

int main(int argc, char** argv)
{
    return RunBenchmarks<QCoreApplication>(argc, argv);
}
