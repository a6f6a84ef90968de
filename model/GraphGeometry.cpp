#include "model/GraphGeometry.h"

#include "model/DataDefine.h"
#include "model/FilterTypes.h"
#include "model/GraphAxis.h"

#include <algorithm>
#include <cmath>

namespace
{
constexpr int kHalfHandle = kHandleSize / 2;
constexpr int kHalfMarker = kMarkerSize / 2;
// Outside graphic-EQ mode the markers stand this far outside the band edges.
constexpr int kMarkerShift = 10;
// A drag moves a band in whole decibels over the whole gain scale, and its
// bandwidth markers over the whole bandwidth scale.
constexpr const CLinearScale& kGain = Scales::kEqGain;
constexpr int kMinGainDb = static_cast<int>(kGain.Value(kGain.nMinStep));
constexpr int kMaxGainDb = static_cast<int>(kGain.Value(kGain.nMaxStep));
constexpr double kMinBandwidthOct = Scales::kBandwidth.Value(Scales::kBandwidth.nMinStep);
constexpr double kMaxBandwidthOct = Scales::kBandwidth.Value(Scales::kBandwidth.nMaxStep);

void Offset(Rect& rect, int dx, int dy)
{
    rect.left += dx;
    rect.right += dx;
    rect.top += dy;
    rect.bottom += dy;
}

// Handles may hang half over the right edge, and band handles half over the
// bottom edge, no further.
void PullLeftOfRightEdge(Rect& handle, int W)
{
    if (handle.right > W + kHalfHandle)
        Offset(handle, W + kHalfHandle - handle.right, 0);
}

void PullAboveBottomEdge(Rect& handle, int H)
{
    if (handle.bottom > H + kHalfHandle)
        Offset(handle, 0, H + kHalfHandle - handle.bottom);
}

// The label box sits below the handle and flips to end at the right edge of
// the curve area when it would not fit to the right of the handle.
Rect LabelBeside(const Rect& handle, int reach, int width, int W)
{
    Rect label{0, handle.top + 25, 0, handle.bottom + 25};
    const int rightEdge = W + kCurveLeft;
    if (rightEdge < handle.right + reach)
    {
        label.right = rightEdge;
        label.left = rightEdge - width;
    }
    else
    {
        label.left = handle.left;
        label.right = handle.right + reach;
    }
    return label;
}

Rect MarkerAround(int cx, int cy)
{
    return {cx - kHalfMarker, cy - kHalfMarker, cx + kHalfMarker, cy + kHalfMarker};
}
}

bool Contains(const Rect& rect, Point point)
{
    return point.x >= rect.left && point.x < rect.right && point.y >= rect.top && point.y < rect.bottom;
}

Point Centre(const Rect& rect)
{
    return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

BandHandle BandHandleGeometry(const BandHandleInput& band, int W, int H)
{
    int x = FreqToX(band.dFreq, W) - kHalfHandle;
    int y = DbToY(band.bInactive ? 0.0 : band.dGainDb, H) - kHalfHandle;
    // The higher output bands keep their handles wholly inside the curve
    // area; every other handle may hang half over the left edge.
    if (band.bGeqFreqSet && band.nCode >= 11 && band.nCode <= 16)
        x = std::min(std::max(x, 0), W - kHandleSize);
    else
        x = std::max(x, -kHalfHandle);
    y = std::max(y, 0);

    BandHandle result;
    result.rcHandle = {x, y, x + kHandleSize, y + kHandleSize};
    PullLeftOfRightEdge(result.rcHandle, W);
    PullAboveBottomEdge(result.rcHandle, H);
    Offset(result.rcHandle, kCurveLeft, kCurveTop);

    const bool parametric = band.nType == kFilterParametric;
    result.rcLabel = LabelBeside(result.rcHandle, parametric ? 150 : 90, parametric ? 170 : 116, W);
    result.markers = BandMarkerRects(result.rcHandle, band.dFreq, band.dBandwidthOct, band.dGainDb, band.bGeq, W);
    return result;
}

MarkerRects BandMarkerRects(const Rect& handle, double freq, double bandwidthOct, double gainDb, bool geq, int W)
{
    // Above the handle for a cut and below it for a boost: on the flanks of
    // the curve rather than on its tip.
    const int cy = Centre(handle).y + (gainDb < 0 ? -10 : 10);
    const double span = std::pow(2.0, bandwidthOct);
    const int highX = FreqToX(freq * span, W) + (geq ? kCurveLeft : kCurveLeft + kMarkerShift);
    const int lowX = FreqToX(freq / span, W) + (geq ? kCurveLeft : kCurveLeft - kMarkerShift);
    return {MarkerAround(lowX, cy), MarkerAround(highX, cy)};
}

XoverHandle XoverHandleGeometry(double freq, bool highPass, int W, int H)
{
    const int x = std::max(FreqToX(freq, W) - kHalfHandle, -kHalfHandle);
    const int y = DbToY(highPass ? -40.0 : -50.0, H);
    XoverHandle result;
    result.rcHandle = {x, y, x + kHandleSize, y + kHandleSize};
    PullLeftOfRightEdge(result.rcHandle, W);
    Offset(result.rcHandle, kCurveLeft, kCurveTop);
    result.rcLabel = LabelBeside(result.rcHandle, 50, 66, W);
    return result;
}

Point HandleDragOffset(Point pointer, const Rect& handle)
{
    const Point centre = Centre(handle);
    return {pointer.x - centre.x, pointer.y - centre.y};
}

int MarkerDragOffset(int x, const Rect& marker, bool lowerMarker)
{
    return x - (lowerMarker ? marker.right : marker.left);
}

BandDrag BandDragTarget(const BandDragInput& drag, int W, int H)
{
    const int x = std::clamp(drag.ptPointer.x - drag.ptDragOffset.x - kCurveLeft, 0, W);
    // The pointer's reach stops short of the top and bottom edges; both cuts
    // still lie beyond +20 and -40 dB, so both gain limits stay reachable.
    const int y = std::clamp(drag.ptPointer.y - drag.ptDragOffset.y - kCurveTop, H / 11, 5 * H / 6);

    BandDrag result;
    result.nFreq = drag.nFreq;
    if (!drag.bGeq)
    {
        result.nFreq = XToFreq(x, W);
        if (drag.nType == kFilterLowShelf)
            result.nFreq = std::min(result.nFreq, kShelfDragLimit);
        else if (drag.nType == kFilterHighShelf)
            result.nFreq = std::max(result.nFreq, kShelfDragLimit);
    }
    result.nGainDb = std::clamp(YToDb(y, H), kMinGainDb, kMaxGainDb);
    // A whole-dB gain has an exact step; 0 dB switches the band off, whose
    // step is the 0 dB step as well.
    result.nGainStep = kGain.NearestStep(result.nGainDb);
    result.dGain = kGain.Value(result.nGainStep);
    result.bChanged = result.nFreq != drag.nFreq || result.nGainStep != drag.nGainStep;
    return result;
}

int BandwidthDragStep(int x, bool lowerMarker, double freq, int W)
{
    const double n = lowerMarker ? std::log2(freq / XToFreq(x - (kCurveLeft - kMarkerShift), W))
                                 : std::log2(XToFreq(x - (kCurveLeft + kMarkerShift), W) / freq);
    const double octaves = std::clamp(n, kMinBandwidthOct, kMaxBandwidthOct);
    return Scales::kBandwidth.NearestStep(octaves);
}

XoverDrag XoverDragTarget(int pointerX, int dragOffsetX, bool highPass, int freq, int pairedFreq, int W)
{
    int x = pointerX - dragOffsetX - kCurveLeft;
    XoverDrag result;
    if (highPass && x <= 0)
    {
        result.bChanged = true;
        result.nFreq = kFreqMin;
        return result;
    }
    x = std::min(x, W);
    const int target = XToFreq(x, W);
    result.nFreq = freq;
    if (target == freq)
        return result;
    result.bChanged = true;
    if (highPass)
    {
        result.nFreq = std::min(target, pairedFreq);
        result.bOff = false;
    }
    else
    {
        result.nFreq = std::max(target, pairedFreq);
        result.bOff = result.nFreq == kFreqMax;
    }
    return result;
}
