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
    return layout;
}

std::array<ScaleLabel, kScaleLabelCount> ScaleLabels(const GraphLayout& layout)
{
    const int h12 = layout.H / 12;
    const int w3 = layout.W / 3;
    const int bottom = layout.rcPlot.bottom;
    constexpr int left = 6;
    return {{
        {"+40", {left, layout.rcClient.top + 5}},
        {"+20", {left, h12 * 2 + 3}},
        {"0dB", {left, h12 * 4 + 3}},
        {"-20", {left, h12 * 6 + 5}},
        {"-40", {left, h12 * 8 + 9}},
        {"-60", {left, h12 * 10 + 9}},
        {"-80", {left, layout.H}},
        {"20", {30, bottom}},
        {"50", {w3 - 135, bottom}},
        {"100", {w3 - 58, bottom}},
        {"200", {w3 + 20, bottom}},
        {"500", {w3 * 2 - 135, bottom}},
        {"1K", {w3 * 2 - 55, bottom}},
        {"2K", {w3 * 2 + 25, bottom}},
        {"5K", {layout.W - 135, bottom}},
        {"10K", {layout.W - 55, bottom}},
        {"20K", {layout.W + 15, bottom}},
    }};
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
