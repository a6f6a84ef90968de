// One pointer move of a band drag on the response graph with all twelve
// curves shown, at 1200 x 700: the record moves the band, every shown
// channel's curve is recomputed, the picture is drawn again and the widget
// repainted. Each move is timed on its own, so that the median and the 99th
// percentile can be reported, not only the mean.

#include "editors/FStatic.h"

#include "model/Audio_Data.h"
#include "tests/editors/GraphFixture.h"
#include "bench/BenchStats.h"
#include "session/ProcessorLink.h"

#include <QApplication>
#include <QMouseEvent>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <ctime>
#include <vector>

namespace
{
// Counts the paints of the widget it watches.
class CPaintCount : public QObject
{
public:
    int nPaints = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            ++nPaints;
        return QObject::eventFilter(watched, event);
    }
};

void Send(QWidget& widget, QEvent::Type type, QPoint pos, Qt::MouseButton button, Qt::MouseButtons held)
{
    QMouseEvent event(type, QPointF(pos), widget.mapToGlobal(QPointF(pos)), button, held, Qt::NoModifier);
    QApplication::sendEvent(&widget, &event);
}

// CPU time of this thread: on a shared machine the wall clock also counts
// the time other processes held the cores.
double CpuMicros(clockid_t clock)
{
    timespec ts{};
    clock_gettime(clock, &ts);
    return static_cast<double>(ts.tv_sec) * 1e6 + static_cast<double>(ts.tv_nsec) / 1e3;
}

double ThreadCpuMicros()
{
    return CpuMicros(CLOCK_THREAD_CPUTIME_ID);
}

// Qt spreads large image copies over its thread pool: the process's CPU
// time counts those threads too.
double ProcessCpuMicros()
{
    return CpuMicros(CLOCK_PROCESS_CPUTIME_ID);
}

void BM_GraphBandDragAllCurves(benchmark::State& state)
{
    CProcessorLink link;
    CAudio_Data& data = link.Record();
    TuneAllChannels(data, true);
    CFStatic graph(link);
    graph.resize(1200, 700);
    graph.show();
    graph.Select(ChannelAddress::Output(2));
    QApplication::processEvents();
    CPaintCount paints;
    graph.installEventFilter(&paints);

    const CFilter& band = data.Output(2).GetBand(8);
    const QPoint start((band.m_rcHandle.left + band.m_rcHandle.right) / 2,
                       (band.m_rcHandle.top + band.m_rcHandle.bottom) / 2);
    Send(graph, QEvent::MouseMove, start, Qt::NoButton, Qt::NoButton);
    Send(graph, QEvent::MouseButtonPress, start, Qt::LeftButton, Qt::LeftButton);

    std::vector<double> micros;
    std::vector<double> cpuMicros;
    std::vector<double> processMicros;
    processMicros.reserve(static_cast<size_t>(state.max_iterations));
    micros.reserve(static_cast<size_t>(state.max_iterations));
    cpuMicros.reserve(static_cast<size_t>(state.max_iterations));
    int move = 0;
    int changes = 0;
    for (auto _ : state)
    {
        // A zigzag over two octaves and 40 dB: every move lands on another
        // frequency, so every move is a change that must be drawn.
        const QPoint to = start + QPoint((move * 37) % 300 - 150, (move * 13) % 160 - 80);
        ++move;
        const int freqBefore = band.m_nFreq;
        const double c0 = ThreadCpuMicros();
        const double p0 = ProcessCpuMicros();
        const auto t0 = std::chrono::steady_clock::now();
        Send(graph, QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton);
        // The repaint the move asked for, as the event loop would run it:
        // only what the graph marked as changed.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateRequest);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateLater);
        const auto t1 = std::chrono::steady_clock::now();
        cpuMicros.push_back(ThreadCpuMicros() - c0);
        processMicros.push_back(ProcessCpuMicros() - p0);
        micros.push_back(std::chrono::duration<double, std::micro>(t1 - t0).count());
        changes += band.m_nFreq != freqBefore;
    }
    Send(graph, QEvent::MouseButtonRelease, start, Qt::LeftButton, Qt::NoButton);

    state.counters["median_us"] = Percentile(micros, 0.5);
    state.counters["p99_us"] = Percentile(micros, 0.99);
    state.counters["cpu_median_us"] = Percentile(cpuMicros, 0.5);
    state.counters["cpu_p99_us"] = Percentile(cpuMicros, 0.99);
    state.counters["proc_median_us"] = Percentile(processMicros, 0.5);
    state.counters["changed_moves"] = changes;
    state.counters["painted_moves"] = paints.nPaints;
    state.counters["ratio"] = graph.devicePixelRatioF();
}
BENCHMARK(BM_GraphBandDragAllCurves)->Iterations(3000)->Unit(benchmark::kMicrosecond);
}

int main(int argc, char** argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    return RunBenchmarks<QApplication>(argc, argv);
}
