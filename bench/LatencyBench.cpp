// Edit-to-wire latency: from a record setter called as a panel calls it to
// the last byte of the parameter frame handed to the line, against the
// virtual processor on a pseudo-terminal at the real line rate, with nothing
// else queued but the pump's own meter polls, and again with the rack's poll
// going round seven more processors on the line. Each edit is timed on its
// own, so the median and the 99th percentile can be reported.

#include "session/ProcessorLink.h"

#include "model/Audio_Data.h"
#include "bench/BenchStats.h"
#include "bench/TimedPort.h"
#include "line/RackModel.h"
#include "line/RackPoll.h"
#include "link/Connection.h"
#include "model/ParamCatalogue.h"
#include "tests/VprocProcess.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <chrono>
#include <optional>

namespace
{
using Clock = CTimedPort::Clock;

// bRackPoll: eight processors on the line, and the rack's poll going round
// the seven not edited.
void EditToWire(benchmark::State& state, bool bRackPoll)
{
    QTemporaryDir dir;
    CVprocProcess processor(dir.filePath("port"));
    QStringList args{"--real-rate"};
    if (bRackPoll)
        args << "--ids" << "1-8";
    if (!processor.Start(args))
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

    CRackModel model;
    CRackPoll poll(link, model);
    if (bRackPoll)
    {
        model.SetIds({1, 2, 3, 4, 5, 6, 7, 8});
        poll.Start();
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
    if (bRackPoll)
        state.counters["poll_frames"] = static_cast<double>(poll.FramesOffered());
    link.Connection().Disconnect();
}

void BM_EditToWire(benchmark::State& state)
{
    EditToWire(state, false);
}
BENCHMARK(BM_EditToWire)->Iterations(1000)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_EditToWireWithRackPoll(benchmark::State& state)
{
    EditToWire(state, true);
}
BENCHMARK(BM_EditToWireWithRackPoll)->Iterations(1000)->UseManualTime()->Unit(benchmark::kMillisecond);
}

int main(int argc, char** argv)
{
    return RunBenchmarks<QCoreApplication>(argc, argv);
}
