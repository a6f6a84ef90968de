#pragma once

#include "model/Scale.h"

#include <optional>

// Geometry of the handles on the response graph and the arithmetic that turns
// a mouse position into new filter values. Coordinates are widget pixels: the
// curve origin lies kCurveLeft right of and kCurveTop below the widget's
// origin, and W and H are the size of the curve area.

constexpr int kCurveLeft = 35;
constexpr int kCurveTop = 10;
constexpr int kHandleSize = 16;
constexpr int kMarkerSize = 8;
// Shelves cannot be dragged across this frequency: a low shelf stays at or
// below it, a high shelf at or above it.
constexpr int kShelfDragLimit = 2012;

struct Point
{
    int x = 0, y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

// Right and bottom are exclusive.
struct Rect
{
    int left = 0, top = 0, right = 0, bottom = 0;
    friend bool operator==(const Rect&, const Rect&) = default;
};

bool Contains(const Rect& rect, Point point);
// Integer centre, ((left + right) div 2, (top + bottom) div 2).
Point Centre(const Rect& rect);

// ---- handles ----------------------------------------------------------------
struct BandHandleInput
{
    double dFreq = 1000.0;      // the frequency shown: graphic in graphic-EQ mode
    double dGainDb = 0.0;       // the stored gain, kept even while inactive
    bool bInactive = false;     // off or bypassed: the handle sits on 0 dB
    double dBandwidthOct = 0.3; // the bandwidth shown: graphic in graphic-EQ mode
    int nType = 0;              // 0 parametric, 1 low shelf, 2 high shelf
    int nCode = 0;              // sub-block code of the band
    bool bGeq = false;          // graphic-EQ mode
    bool bGeqFreqSet = false;   // a graphic frequency has been assigned
};

struct MarkerRects
{
    Rect rcLow, rcHigh;
};

struct BandHandle
{
    Rect rcHandle, rcLabel;
    MarkerRects markers;
};

// Handle, label box and bandwidth markers of an EQ band.
BandHandle BandHandleGeometry(const BandHandleInput& band, int W, int H);
// The two bandwidth markers beside `handle`, for a band of frequency `freq`,
// bandwidth `bandwidthOct` and stored gain `gainDb`.
MarkerRects BandMarkerRects(const Rect& handle, double freq, double bandwidthOct,
                            double gainDb, bool geq, int W);

struct XoverHandle
{
    Rect rcHandle, rcLabel;
};

// Handle and label box of a crossover filter: the high-pass handle rides on
// the -40 dB line, the low-pass one on -50 dB, so that both stay reachable
// when their frequencies meet.
XoverHandle XoverHandleGeometry(double freq, bool highPass, int W, int H);

// ---- drags ------------------------------------------------------------------
// Stored when a handle drag starts, so that the handle does not jump to the
// pointer: pointer - handle centre.
Point HandleDragOffset(Point pointer, const Rect& handle);
// Stored when a marker drag starts: pointer x - the marker's inner edge (the
// right edge of the lower marker, the left edge of the upper one).
int MarkerDragOffset(int x, const Rect& marker, bool lowerMarker);

struct BandDragInput
{
    Point ptPointer;
    Point ptDragOffset;
    int nType = 0;       // 0 parametric, 1 low shelf, 2 high shelf
    bool bGeq = false;   // graphic-EQ mode: the frequency stays
    int nFreq = 1000;    // the band's set frequency (m_nFreq)
    int nGainStep = Scales::kEqGain.ZeroStep(); // the band's gain step before the drag (0 dB while inactive)
};

struct BandDrag
{
    int nFreq = 0;        // new set frequency
    int nGainDb = 0;      // new gain, whole dB, -40..+20
    // Its step (0 dB switches the band off), and the gain as the band stores
    // it: the scale's value of the step.
    int nGainStep = Scales::kEqGain.ZeroStep();
    double dGain = 0.0;
    bool bChanged = false;
};

// A handle drag moves a band in whole decibels and, outside graphic-EQ mode,
// along the frequency axis.
BandDrag BandDragTarget(const BandDragInput& drag, int W, int H);

// The bandwidth step (0..299) that dragging a marker to pointer x gives a
// band of frequency `freq`: 0.01 to 3.00 octaves on the 0.01-octave grid.
int BandwidthDragStep(int x, bool lowerMarker, double freq, int W);

struct XoverDrag
{
    bool bChanged = false;
    int nFreq = 0;
    // The value m_bOff takes, when the drag sets it.
    std::optional<bool> bOff;
};

// A handle drag of a crossover filter to pointer x. `pairedFreq` is the other
// crossover filter's frequency: a high-pass never passes above it, a low-pass
// never below it. Dragging a high-pass to the left edge switches it to 20 Hz.
XoverDrag XoverDragTarget(int pointerX, int dragOffsetX, bool highPass, int freq,
                          int pairedFreq, int W);
