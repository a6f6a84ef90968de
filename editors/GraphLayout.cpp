#include "editors/GraphLayout.h"

#include "model/DataDefine.h"
#include "model/GraphAxis.h"

#include <algorithm>

namespace
{
constexpr int kInfoGap = 4;
constexpr int kReadoutInset = 4;

constexpr std::array<int, kGridFreqCount> GridFrequencies()
{
    std::array<int, kGridFreqCount> freqs{};
    int i = 0;
    for (int decade = 10; decade <= 1000; decade *= 10)
        for (int k = 2; k <= 10; ++k)
            freqs[static_cast<size_t>(i++)] = k * decade;
    return freqs;
}

Rect MakeRect(int left, int top, int width, int height)
{
    return {left, top, left + width, top + height};
}

// Moves `box` into `bounds` as far as it fits; a box larger than `bounds`
// keeps its left or top edge on the bounds'.
Rect KeepWithin(Rect box, const Rect& bounds)
{
    const int width = box.right - box.left;
    const int height = box.bottom - box.top;
    const int left = std::max(bounds.left, std::min(box.left, bounds.right - width));
    const int top = std::max(bounds.top, std::min(box.top, bounds.bottom - height));
    return MakeRect(left, top, width, height);
}
}

GraphLayout ComputeGraphLayout(int clientWidth, int clientHeight)
{
    GraphLayout layout;
    layout.rcClient = {0, 0, clientWidth, clientHeight};
    layout.W = std::max(1, clientWidth - kCurveLeft - kPlotMarginRight);
    layout.H = std::max(1, clientHeight - kCurveTop - kPlotMarginBottom);
    layout.rcPlot = MakeRect(kCurveLeft, kCurveTop, layout.W, layout.H);

    // 20 Hz itself is the plot's left edge; its entry is kept so that the
    // indices match the grid frequencies, but no line is drawn there.
    static constexpr auto freqs = GridFrequencies();
    for (size_t i = 0; i < freqs.size(); ++i)
        layout.aGridX[i] = FreqToX(freqs[i], layout.W) + kCurveLeft;
    for (int k = 1; k <= kGridLevelLines; ++k)
        layout.aGridY[static_cast<size_t>(k - 1)] =
            layout.rcPlot.top + static_cast<int>(layout.H / 12.0 * k);

    if (layout.W / 3 >= kDecadeForMoreLines)
        for (const int f : {25, 150, 250, 1500, 2500, 15000})
            layout.aMinorGridX.push_back(FreqToX(f, layout.W) + kCurveLeft);
    if (layout.H / 12 >= kTenDbForMoreLines)
        for (int k = 0; k < kGridLevelLines; ++k)
            layout.aMinorGridY.push_back(layout.rcPlot.top + static_cast<int>(layout.H / 12.0 * (k + 0.5)));
    return layout;
}

std::vector<ScaleLabel> ScaleLabels(const GraphLayout& layout)
{
    struct Mark
    {
        const char* szText;
        int nValue;  // Hz or dB
        int nOffset; // from the line to the label's left or top edge
    };
    // The offsets are the classic places on the 835 x 130 plot ("50" at
    // W div 3 - 135 stands 2 pixels left of X(50)): there the labels stand
    // where they always stood, and everywhere else they keep to their lines.
    static constexpr Mark kLevels[] = {
        {"+40", 40, -5}, {"+20", 20, -9}, {"0dB", 0, -10}, {"-20", -20, -10},
        {"-40", -40, -8}, {"-60", -60, -9}, {"-80", -80, -10},
    };
    static constexpr Mark kMoreLevels[] = {
        {"+30", 30, -9}, {"+10", 10, -9}, {"-10", -10, -9}, {"-30", -30, -9}, {"-50", -50, -9}, {"-70", -70, -9},
    };
    static constexpr Mark kFreqs[] = {
        {"20", 20, -5},    {"50", 50, -2},   {"100", 100, -9}, {"200", 200, -15},    {"500", 500, -2},
        {"1K", 1000, -6},  {"2K", 2000, -10}, {"5K", 5000, -1}, {"10K", 10000, -5}, {"20K", 20000, -19},
    };
    static constexpr Mark kMoreFreqs[] = {{"30", 30, -6}, {"300", 300, -9}, {"3K", 3000, -6}};
    constexpr int kLevelLeft = 6;

    const bool moreLevels = layout.H / 12 >= kTenDbForMoreLabels;
    const bool moreFreqs = layout.W / 3 >= kDecadeForMoreLabels;
    std::vector<ScaleLabel> labels;
    auto level = [&](const Mark& mark) {
        // The top label never leaves the client: on the classic plot it
        // stands at client top + 5.
        const int top = std::max(layout.rcClient.top + 5, layout.rcPlot.top + DbToY(mark.nValue, layout.H) + mark.nOffset);
        labels.push_back({mark.szText, {kLevelLeft, top}});
    };
    auto freq = [&](const Mark& mark) {
        labels.push_back({mark.szText, {layout.rcPlot.left + FreqToX(mark.nValue, layout.W) + mark.nOffset,
                                        layout.rcPlot.bottom}});
    };
    for (const Mark& mark : kLevels)
        level(mark);
    for (const Mark& mark : kFreqs)
        freq(mark);
    if (moreLevels)
        for (const Mark& mark : kMoreLevels)
            level(mark);
    if (moreFreqs)
        for (const Mark& mark : kMoreFreqs)
            freq(mark);
    return labels;
}

CurvePoints CurveToPoints(const Response& curveDb, const GraphLayout& layout)
{
    const auto& freqs = FreqTable();
    CurvePoints points{};
    for (size_t i = 0; i < points.size(); ++i)
        points[i] = {layout.rcPlot.left + FreqToX(freqs[i], layout.W), layout.rcPlot.top + DbToY(curveDb[i], layout.H)};
    return points;
}

ELabelAlign PointLabelAlign(const Rect& handle, int freq, const Rect& plot)
{
    if (handle.right == plot.right)
        return ELabelAlign::Left;
    if (freq <= kFreqMin)
        return ELabelAlign::Right;
    if (freq < kFreqMax)
        return ELabelAlign::Centre;
    return ELabelAlign::Left;
}

PointerValue ValueAtPointer(Point pointer, const GraphLayout& layout)
{
    PointerValue value;
    value.bInPlot = Contains(layout.rcPlot, pointer);
    if (!value.bInPlot)
        return value;
    value.nFreq = XToFreq(pointer.x - kCurveLeft, layout.W);
    value.nLevelDb = YToDb(pointer.y - kCurveTop, layout.H);
    return value;
}

Rect ReadoutRect(int width, int height, const GraphLayout& layout)
{
    const Rect box = MakeRect(layout.rcPlot.right - kReadoutInset - width, layout.rcPlot.top + kReadoutInset,
                              width, height);
    return KeepWithin(box, layout.rcPlot);
}

Rect DragInfoRect(const Rect& handle, const Rect& label, int width, int height, const GraphLayout& layout)
{
    const int centreX = Centre(handle).x;
    int top = handle.top - kInfoGap - height;
    if (top < layout.rcPlot.top)
        top = std::max(handle.bottom, label.bottom) + kInfoGap;
    return KeepWithin(MakeRect(centreX - width / 2, top, width, height), layout.rcPlot);
}
