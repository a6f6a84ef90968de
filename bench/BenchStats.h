#pragma once

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstddef>
#include <vector>

// The sample at `fraction` (0.5 the median, 0.99 the 99th percentile).
inline double Percentile(std::vector<double> samples, double fraction)
{
    std::sort(samples.begin(), samples.end());
    const auto index = static_cast<size_t>(fraction * static_cast<double>(samples.size() - 1) + 0.5);
    return samples[index];
}

// main() of a benchmark that needs a Qt application object of type App.
template <class App>
int RunBenchmarks(int argc, char** argv)
{
    App app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
