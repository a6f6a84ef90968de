#include "model/Filter.h"

#include "model/Archive.h"
#include "model/ByteIo.h"
#include "model/DataDefine.h"
#include "model/FileFields.h"
#include "model/FilterDesign.h"
#include "model/GraphAxis.h"
#include "model/ValueText.h"

#include <algorithm>

void CFilter::SetFrequency(int hz)
{
    m_nFreq = hz;
    UpdateHandle();
    ComputeResponse();
    m_bChanged = true;
}

void CFilter::SetGeqFrequency(int hz)
{
    m_nGeqFreq = hz;
    m_bGeqFreqSet = true;
}

void CFilter::SetGainStep(int step)
{
    // The scale's own double: it is stored in program files bit for bit.
    m_dGain = Scales::kEqGain.Value(step);
    if (m_dGain != 0.0)
    {
        m_bOff = 0;
        m_bBypass = 0;
    }
    else
    {
        m_bOff = 1;
    }
    UpdateHandle();
    ComputeResponse();
    m_bChanged = true;
}

void CFilter::SetBandwidthStep(int step)
{
    const double bandwidth = Scales::kBandwidth.Value(step);
    if (m_bGeq)
        m_dGeqBandwidth = bandwidth;
    else
        m_dBandwidth = bandwidth;
    UpdateHandle();
    ComputeResponse();
    m_bChanged = true;
}

void CFilter::SetOff(bool off)
{
    m_bBypass = 0;
    // A band at exactly 0 dB is off by definition; switching it on would
    // send a band that does nothing.
    if (m_dGain == 0.0)
        return;
    m_bOff = off ? 1 : 0;
    UpdateHandle();
    ComputeResponse();
    m_bChanged = true;
}

void CFilter::SetBypass(bool bypass)
{
    if (bypass)
    {
        m_bSavedBypass = m_bBypass != 0;
        m_bBypass = 1;
    }
    else
    {
        m_bBypass = m_bSavedBypass;
    }
    if (m_bOff == 0)
    {
        UpdateHandle();
        ComputeResponse();
        m_bChanged = true;
    }
}

void CFilter::SetType(int type)
{
    m_nType = type;
    if (type == kLowPass)
        m_nSentFreq = kFreqMax;
    ComputeResponse();
    m_bChanged = true;
}

void CFilter::SetSlope(int slope)
{
    m_nSlope = slope;
    ComputeResponse();
    m_bChanged = true;
}

void CFilter::SetXoverType(int type)
{
    m_nXoverType = type;
    ComputeResponse();
    m_bChanged = true;
}

void CFilter::SetGeq(bool geq)
{
    m_bGeq = geq;
    m_nFreq = m_nGeqFreq;
    m_dGain = 0.0;
    m_bOff = 1;
    m_bBypass = 1;
    m_bSavedBypass = true;
    if (!geq)
        m_dBandwidth = 0.3;
    UpdateHandle();
    ComputeResponse();
}

void CFilter::StepTowardTarget(bool changed)
{
    if (m_bIsBand || m_nSentFreq == m_nFreq)
    {
        m_bChanged = changed;
        return;
    }
    // A sent frequency of 0 or below can only come from a damaged block;
    // go straight to the target instead of dividing by it.
    if (m_nSentFreq <= 0)
        m_nSentFreq = m_nFreq;
    else if (m_nFreq / m_nSentFreq >= 2)
        m_nSentFreq *= 2;
    else if (static_cast<double>(m_nFreq) / m_nSentFreq > 0.5)
        m_nSentFreq = m_nFreq;
    else
        m_nSentFreq /= 2;
    m_bChanged = true;
}

void CFilter::CopyFrom(const CFilter& src)
{
    RecordField::Copy(src, *this, RecordField::kLinked);
    // The copy holds a new target, not a walk towards it: the link join
    // sends it whole.
    m_nSentFreq = m_nFreq;
    UpdateHandle();
    ComputeResponse();
}

int CFilter::GetGainStep() const
{
    if (m_bOff || m_bBypass)
        return kEqGainZero;
    // A gain read from a damaged file can be far outside any step; the
    // block word keeps its low 16 bits anyway.
    return Scales::kEqGain.NearestStep(m_dGain);
}

int CFilter::GetBandwidthStep() const
{
    return Scales::kBandwidth.NearestStep(GetBandwidth());
}

// Band sub-block:
//   0  type + 1 (1 parametric, 2 low shelf, 3 high shelf)
//   1  shelf slope + 1, for every band type
//   2  parametric: bandwidth step + 1 (hundredths of an octave); shelves: slope + 1
//   4  frequency, Hz (the graphic frequency in graphic-EQ mode)
//   6  gain step + 1 (401 = 0 dB, also whenever the band is off or bypassed)
void CFilter::BuildBandBytes(std::span<uint8_t, kBandBytes> out) const
{
    out[0] = static_cast<uint8_t>(m_nType + 1LL);
    out[1] = static_cast<uint8_t>(m_nSlope + 1LL);
    // A damaged file may hold any int here; the word keeps its low 16 bits.
    const long long width = m_nType == kParametric ? GetBandwidthStep() + 1LL : m_nSlope + 1LL;
    ByteIo::PutWord(out, 2, width);
    ByteIo::PutWord(out, 4, GetFrequency());
    ByteIo::PutWord(out, 6, GetGainStep() + 1LL);
}

void CFilter::LoadBandBytes(std::span<const uint8_t, kBandBytes> in)
{
    m_nType = in[0] - 1;
    m_nFreq = ByteIo::GetSignedWord(in, 4);
    m_bBypass = 0;
    SetGainStep(ByteIo::GetSignedWord(in, 6) - 1);
    SetBandwidthStep(ByteIo::GetSignedWord(in, 2) - 1);
    m_nSlope = in[1] - 1;
}

void CFilter::LoadXover(int freq, int xoverType, int slope)
{
    m_nXoverType = xoverType;
    m_nFreq = freq;
    m_nSentFreq = freq;
    m_nSlope = slope;
    UpdateHandle();
    ComputeResponse();
}

void CFilter::ComputeResponse()
{
    FilterShape shape;
    shape.nType = m_nType;
    shape.nFreq = GetFrequency();
    shape.dGainDb = m_dGain;
    shape.dBandwidthOct = GetBandwidth();
    shape.nSlope = m_nSlope;
    shape.nXoverType = m_nXoverType;
    shape.bInactive = IsInactive();
    ComputeFilterResponse(shape, m_adResponse);
    for (int i = 0; i < kFreqPoints; ++i)
        m_aptPolygon[static_cast<size_t>(i + 1)].y = DbToY(m_adResponse[static_cast<size_t>(i)], m_nGraphH) + kCurveTop;
}

void CFilter::UpdateHandle()
{
    if (m_bIsBand)
        UpdateBandHandle();
    else
        UpdateXoverHandle();
}

void CFilter::UpdateBandHandle()
{
    BandHandleInput band;
    band.dFreq = GetFrequency();
    band.dGainDb = m_dGain;
    band.bInactive = IsInactive();
    band.dBandwidthOct = GetBandwidth();
    band.nType = m_nType;
    band.nCode = m_nCode;
    band.bGeq = m_bGeq;
    band.bGeqFreqSet = m_bGeqFreqSet;
    const BandHandle geometry = BandHandleGeometry(band, m_nGraphW, m_nGraphH);
    m_rcHandle = geometry.rcHandle;
    m_rcLabel = geometry.rcLabel;
    m_rcLowMarker = geometry.markers.rcLow;
    m_rcHighMarker = geometry.markers.rcHigh;
}

void CFilter::UpdateXoverHandle()
{
    const XoverHandle geometry = XoverHandleGeometry(m_nFreq, m_nType == kHighPass, m_nGraphW, m_nGraphH);
    m_rcHandle = geometry.rcHandle;
    m_rcLabel = geometry.rcLabel;
}

void CFilter::UpdateMarkers()
{
    const MarkerRects markers = BandMarkerRects(m_rcHandle, GetFrequency(), GetBandwidth(), m_dGain, m_bGeq, m_nGraphW);
    m_rcLowMarker = markers.rcLow;
    m_rcHighMarker = markers.rcHigh;
}

void CFilter::SetGraphRect(int width, int height)
{
    m_nGraphW = width;
    m_nGraphH = height;
    UpdateHandle();
    const int zeroY = DbToY(0, height) + kCurveTop;
    m_aptPolygon.front() = {kCurveLeft, zeroY};
    m_aptPolygon.back() = {width + kCurveLeft, zeroY};
    const auto& freqs = FreqTable();
    for (int i = 0; i < kFreqPoints; ++i)
        m_aptPolygon[static_cast<size_t>(i + 1)].x = FreqToX(freqs[static_cast<size_t>(i)], width) + kCurveLeft;
    ComputeResponse();
}

void CFilter::BeginDrag(Point point)
{
    m_ptDragOffset = HandleDragOffset(point, m_rcHandle);
}

void CFilter::BeginMarkerDrag(int x)
{
    if (m_bDragLowMarker)
        m_nLowMarkerOffset = MarkerDragOffset(x, m_rcLowMarker, true);
    else
        m_nHighMarkerOffset = MarkerDragOffset(x, m_rcHighMarker, false);
}

BandDrag CFilter::BandDragTo(Point point) const
{
    BandDragInput drag;
    drag.ptPointer = point;
    drag.ptDragOffset = m_ptDragOffset;
    drag.nType = m_nType;
    drag.bGeq = m_bGeq;
    drag.nFreq = m_nFreq;
    drag.nGainStep = GetGainStep();
    return BandDragTarget(drag, m_nGraphW, m_nGraphH);
}

std::optional<int> CFilter::BandwidthDragTo(int x) const
{
    if (m_bGeq)
        return std::nullopt;
    return BandwidthDragStep(x, m_bDragLowMarker, GetFrequency(), m_nGraphW);
}

XoverDrag CFilter::XoverDragTo(Point point, int pairedFreq) const
{
    return XoverDragTarget(point.x, m_ptDragOffset.x, m_nType == kHighPass, m_nFreq, pairedFreq, m_nGraphW);
}

void CFilter::Serialize(CArchive& ar)
{
    CFileFields file(ar);
    VisitFields(file, *this);
    if (!file.AllFinite())
        ar.MarkDamaged();
    // A failed read is thrown away; its curves are not worth computing.
    if (ar.IsLoading() && ar.IsOk())
    {
        m_bChanged = false;
        UpdateHandle();
        ComputeResponse();
    }
}

std::string CFilter::Summary() const
{
    return FormatBandSummary(GetType(), GetFrequency(), GetBandwidth(), GetGain(), IsInactive());
}
