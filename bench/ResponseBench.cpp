// Cost of redrawing an output channel's curves: every filter's response and
// the summed channel curve, which a drag recomputes on every mouse move.

#include "model/Audio_Data.h"
#include "model/FilterDesign.h"
#include "model/GraphAxis.h"
#include "model/ParamCatalogue.h"

#include <benchmark/benchmark.h>

#include <array>

namespace
{
constexpr int kBands = 15;
constexpr int kFilters = kBands + 2;
constexpr int kGraphHeight = 240;

// An output as it might be tuned: cuts and boosts of a few dB on every band,
// shelves at both ends and a 24 dB/oct Linkwitz-Riley high-pass at 80 Hz with
// a 48 dB/oct Butterworth low-pass at 12 kHz.
std::array<FilterShape, kFilters> TypicalOutput()
{
    constexpr int freq[kBands] = {25, 40, 63, 100, 160, 250, 400, 630, 1000, 1600, 2500, 4000, 6300, 10000, 16000};
    std::array<FilterShape, kFilters> shapes{};
    for (int i = 0; i < kBands; ++i)
    {
        shapes[i].nType = kFilterParametric;
        shapes[i].nFreq = freq[i];
        shapes[i].dGainDb = (i % 2 ? -1 : 1) * (3.0 + i % 4 * 2.0);
        shapes[i].dBandwidthOct = 0.3 + i % 3 * 0.35;
    }
    shapes[0].nType = kFilterLowShelf;
    shapes[0].nSlope = 1;
    shapes[kBands - 1].nType = kFilterHighShelf;
    shapes[kBands - 1].nSlope = 1;
    shapes[kBands] = {kFilterHighPass, 80, 0.0, 0.3, 2, kXoverLinkwitzRiley, false};
    shapes[kBands + 1] = {kFilterLowPass, 12000, 0.0, 0.3, 6, kXoverButterworth, false};
    return shapes;
}

struct Channel
{
    std::array<FilterShape, kFilters> shapes = TypicalOutput();
    std::array<Response, kFilters> responses{};
    std::array<const Response*, kFilters> parts{};
    Response sum{};
    std::array<int, kFreqPoints> curveY{};

    Channel()
    {
        for (int i = 0; i < kFilters; ++i)
            parts[i] = &responses[i];
    }

    void UpdateCurve()
    {
        SumResponses(parts, sum);
        for (int i = 0; i < kFreqPoints; ++i)
            curveY[i] = DbToY(sum[i], kGraphHeight);
    }
};

// All 17 filters recomputed and summed: what a channel change or a link
// copy costs.
void BM_RecomputeChannel(benchmark::State& state)
{
    Channel channel;
    for (auto _ : state)
    {
        for (int i = 0; i < kFilters; ++i)
            ComputeFilterResponse(channel.shapes[i], channel.responses[i]);
        channel.UpdateCurve();
        benchmark::DoNotOptimize(channel.curveY.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_RecomputeChannel);

// One drag step: the dragged band moves and the channel curve follows.
void BM_DragStep(benchmark::State& state)
{
    Channel channel;
    for (int i = 0; i < kFilters; ++i)
        ComputeFilterResponse(channel.shapes[i], channel.responses[i]);
    int step = 0;
    for (auto _ : state)
    {
        FilterShape& band = channel.shapes[8];
        band.dGainDb = -12 + step++ % 25;
        ComputeFilterResponse(band, channel.responses[8]);
        channel.UpdateCurve();
        benchmark::DoNotOptimize(channel.curveY.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_DragStep);

// What the graph does per mouse move while a band is dragged with all twelve
// curves shown: the band asks for its new frequency and gain, both are
// written through the catalogue as every edit is, then every channel curve
// is recomputed for the redraw.
void BM_RecordDragWithAllCurves(benchmark::State& state)
{
    CAudio_Data data;
    data.SetGraphRect(601, kGraphHeight);
    for (int i = 0; i < 8; ++i)
        for (int k = 0; k < kBands; ++k)
            data.Output(i).GetBand(k).SetGainStep(380 + k * 3);
    CFilter& band = data.Output(0).GetBand(8);
    band.BeginDrag(Centre(band.m_rcHandle));
    int step = 0;
    for (auto _ : state)
    {
        const Point centre = Centre(band.m_rcHandle);
        const BandDrag target = band.BandDragTo(
            {centre.x + band.m_ptDragOffset.x + (step % 7) - 3, 60 + step % 40 + band.m_ptDragOffset.y});
        ParamCatalogue::Set(EParam::kOutBandFreq, data, {0, 8}, target.nFreq);
        ParamCatalogue::Set(EParam::kOutBandGain, data, {0, 8}, target.nGainStep);
        ++step;
        for (int i = 0; i < 4; ++i)
            data.Input(i).UpdateCurve();
        for (int i = 0; i < 8; ++i)
            data.Output(i).UpdateCurve();
        benchmark::DoNotOptimize(data.Output(0).GetCurvePoints().data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_RecordDragWithAllCurves);
}
