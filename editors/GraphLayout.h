#pragma once

#include "model/GraphGeometry.h"
#include "model/Response.h"

#include <array>
#include <string>
#include <vector>

// Where the response graph puts things, from the size of its client area
// alone, so that tests can check the layout without painting. Coordinates are
// client pixels; rectangles keep the model's exclusive right and bottom edges.

constexpr int kPlotMarginRight = 10;
constexpr int kPlotMarginBottom = 20;
constexpr int kGridFreqCount = 27;
constexpr int kGridLevelLines = 12;  // one line every 10 dB
// The 17 labels every graph has; a roomy one gets more (ScaleLabels).
constexpr int kScaleLabelCount = 17;
// Room a graph needs before it adds lines and labels: pixels per decade of
// frequency, pixels per 10 dB.
constexpr int kDecadeForMoreLabels = 360;
constexpr int kDecadeForMoreLines = 600;
constexpr int kTenDbForMoreLabels = 28;
constexpr int kTenDbForMoreLines = 40;

struct GraphLayout
{
    Rect rcClient;
    // The client area moved in by kCurveLeft, kCurveTop, kPlotMarginRight and
    // kPlotMarginBottom; W and H are its size, at least 1 each.
    Rect rcPlot;
    int W = 1;
    int H = 1;
    // Client x of the grid frequencies 20, 30 .. 100, 200 .. 1000, 2000 .. 10000 Hz.
    std::array<int, kGridFreqCount> aGridX{};
    // Client y of the level lines at -10 .. -80 dB below the top of the plot
    // (k = 1 .. 12): plot top + truncate(H / 12 x k).
    std::array<int, kGridLevelLines> aGridY{};
    // Finer lines between those where the plot has room for them: client x
    // of 25, 150, 250, 1500, 2500 and 15000 Hz, client y of the levels 5 dB
    // below each line. Empty on a small plot.
    std::vector<int> aMinorGridX;
    std::vector<int> aMinorGridY;
};

GraphLayout ComputeGraphLayout(int clientWidth, int clientHeight);

// The grey scale labels around the plot, each anchored at its top-left
// corner. Every label follows its axis mapping at any size: it keeps the
// distance to its grid line (or level) that it has on the classic 835 x 130
// plot, where it stands exactly where it always stood. A plot with room for
// them gets more: levels every 10 dB and the frequencies 30, 300 and 3K.
struct ScaleLabel
{
    std::string strText;
    Point ptTopLeft;
    friend bool operator==(const ScaleLabel&, const ScaleLabel&) = default;
};
std::vector<ScaleLabel> ScaleLabels(const GraphLayout& layout);

// A curve in dB at the 241 axis frequencies (FreqTable) as client pixels
// of `layout`: what a graph of another size than the records' (an export)
// draws.
using CurvePoints = std::array<Point, kFreqPoints>;
CurvePoints CurveToPoints(const Response& curveDb, const GraphLayout& layout);

// How a point's label (its band number, "H" or "L") sits in its 16 x 16
// square: it hugs the inner side at the plot's right edge and at 20 Hz, so
// that it stays readable where the square leaves the plot.
enum class ELabelAlign
{
    Left,
    Centre,
    Right,
};
ELabelAlign PointLabelAlign(const Rect& handle, int freq, const Rect& plot);

// ---- what the graph shows beyond the curves -----------------------------
// Frequency and level under the pointer, or nothing when it lies outside the
// plot.
struct PointerValue
{
    bool bInPlot = false;
    int nFreq = 0;   // Hz, 20..20000
    int nLevelDb = 0;
};
PointerValue ValueAtPointer(Point pointer, const GraphLayout& layout);

// The box of the pointer readout, `width` x `height`, in the plot's
// top-right corner.
Rect ReadoutRect(int width, int height, const GraphLayout& layout);

// The box beside a dragged point that shows its values, `width` x `height`:
// above the point when there is room, else below the point's summary box
// (`label`), and kept within the plot as far as it fits.
Rect DragInfoRect(const Rect& handle, const Rect& label, int width, int height, const GraphLayout& layout);
