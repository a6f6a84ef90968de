// Edit-to-wire latency: from a record setter called as a panel calls it to
// the last byte of the parameter frame handed to the line, against the
// virtual processor on a pseudo-terminal at the real line rate, with nothing
// else queued but the pump's own meter polls. Each edit is timed on its own,
// so the median and the 99th percentile can be reported.

#include "session/ProcessorLink.h"

#include "model/Audio_Data.h"
#include "bench/BenchStats.h"
#include "link/Connection.h"
#include "model/ParamCatalogue.h"
#include "bench/TimedPort.h"
#include "tests/VprocProcess.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <chrono>
#include <optional>

namespace
{
void BM_EditToWire(benchmark::State& state)
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
    CProcessorLink link(std::move(pPort));
    if (!link.Connection().Connect(processor.Port(), Frame::kFirstDeviceId)
        || !RunUntil([&] { return link.Connection().GetState() == CConnection::EState::Idle; }, 30000))
    {
        state.SkipWithError("no connection to the virtual processor");
        return;
    }

    constexpr EParam kParam = EParam::kOutGain;
    const ParamAt at{2, 0};
    const auto range = ParamCatalogue::Range(kParam, link.Record(), at);
    std::vector<double> millis;
    int nStep = range.nMin;
    for (auto _ : state)
    {
        // Edits come at any moment of the pump's period and of a meter poll.
        RunUntil([] { return false; }, 3 + static_cast<int>(millis.size() % 37));
        nStep = nStep == range.nMax ? range.nMin : nStep + 1;
        port.m_written.reset();
        const auto start = Clock::now();
        link.Edit(kParam, at, nStep);
        if (!RunUntil([&] { return port.m_written.has_value(); }, 2000))
        {
            state.SkipWithError("the edit was not sent");
            return;
        }
        const std::chrono::duration<double> elapsed = *port.m_written - start;
        state.SetIterationTime(elapsed.count());
        millis.push_back(elapsed.count() * 1e3);
    }
    state.counters["median_ms"] = Percentile(millis, 0.5);
    state.counters["p99_ms"] = Percentile(millis, 0.99);
    state.counters["max_ms"] = Percentile(millis, 1.0);
    link.Connection().Disconnect();
}
BENCHMARK(BM_EditToWire)->Iterations(1000)->UseManualTime()->Unit(benchmark::kMillisecond);
}

int main(int argc, char** argv)
{
    return RunBenchmarks<QCoreApplication>(argc, argv);
}
