#pragma once

#include "model/FilterTypes.h"
#include "model/GraphGeometry.h"
#include "model/RecordField.h"
#include "model/Response.h"
#include "wire/WireNumbers.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

class CArchive;

// One EQ band, or one crossover filter of an output.
//
// Setters store the value and raise m_bChanged; the frame pump clears it
// when it has sent the band. A crossover filter never hands the processor a
// frequency more than an octave from the last one it sent: m_nSentFreq walks
// towards m_nFreq one pump call at a time (StepTowardTarget).
class CFilter
{
public:
    enum Type : int
    {
        kParametric = kFilterParametric,
        kLowShelf = kFilterLowShelf,
        kHighShelf = kFilterHighShelf,
        kHighPass = kFilterHighPass,
        kLowPass = kFilterLowPass,
    };

    static constexpr int kBandBytes = Frame::kSubBlockBytes;
    // The curve polygon: the 241 response points between two points on the
    // 0 dB line at the left and right edge, so that it can be filled.
    static constexpr int kPolygonPoints = kFreqPoints + 2;
    using Polygon = std::array<Point, kPolygonPoints>;

    CFilter() = default;
    CFilter(const CFilter&) = delete;
    CFilter& operator=(const CFilter&) = delete;

    void SetFrequency(int hz);
    void SetGeqFrequency(int hz);
    void SetGainStep(int step);
    void SetBandwidthStep(int step);
    void SetOff(bool off);
    void SetBypass(bool bypass);
    void SetType(int type);
    void SetSlope(int slope);
    void SetXoverType(int type);
    void SetGeq(bool geq);
    // `changed` is what the change flag becomes when the filter has no walk
    // left to make.
    void StepTowardTarget(bool changed);
    // Copies the fields a linked filter takes over (RecordField::kLinked);
    // its code and graphic-EQ assignment stay this filter's own.
    void CopyFrom(const CFilter& src);

    int GetFrequency() const { return m_bGeq ? m_nGeqFreq : m_nFreq; }
    int GetGainStep() const;
    int GetBandwidthStep() const;
    bool IsInactive() const { return m_bBypass != 0 || m_bOff != 0; }

    int GetType() const { return m_nType; }
    int GetSlope() const { return m_nSlope; }
    int GetXoverType() const { return m_nXoverType; }
    int GetCode() const { return m_nCode; }
    int GetSentFreq() const { return m_nSentFreq; }
    bool IsChanged() const { return m_bChanged; }
    void SetChanged(bool changed) { m_bChanged = changed; }
    bool IsGeq() const { return m_bGeq; }
    double GetGain() const { return m_dGain; }
    double GetBandwidth() const { return m_bGeq ? m_dGeqBandwidth : m_dBandwidth; }
    // The band summary of the label box: in graphic-EQ mode with the graphic
    // frequency and bandwidth.
    std::string Summary() const;

    // The 8-byte band sub-block of the device image.
    void BuildBandBytes(std::span<uint8_t, kBandBytes> out) const;
    // Sets the band from its sub-block, as loaded from the processor.
    void LoadBandBytes(std::span<const uint8_t, kBandBytes> in);
    // Sets a crossover filter's target and sent frequency at once.
    void LoadXover(int freq, int xoverType, int slope);

    // Program file record, 60 bytes, every field a LONG unless marked:
    //   type, frequency, graphic-EQ frequency, sent frequency, gain (DOUBLE),
    //   bypass, off, bandwidth (DOUBLE), graphic-EQ bandwidth (DOUBLE),
    //   crossover characteristic, slope, code.
    // These are the visitor's kFile fields. Bypass comes before off. Read
    // values are taken as stored, except that a NaN or infinite double marks
    // the file as damaged; a read filter counts as sent and has its handle
    // and curve recomputed.
    void Serialize(CArchive& ar);

    // Calls v(field, filter.member...) for every stored field, file fields
    // first and in file order, for one filter or for several side by side
    // (a copy visits source and target together). See model/RecordField.h.
    template <class V, class... Self>
    static void VisitFields(V&& v, Self&... self)
    {
        using namespace RecordField;
        v(Field{"type", kSound}, self.m_nType...);
        v(Field{"frequency", kSound}, self.m_nFreq...);
        v(Field{"geqFrequency", kFile | kSetting}, self.m_nGeqFreq...);
        v(Field{"sentFrequency", kFile}, self.m_nSentFreq...);
        v(Field{"gain", kSound}, self.m_dGain...);
        v(Field{"bypass", kSound}, self.m_bBypass...);
        v(Field{"off", kSound}, self.m_bOff...);
        v(Field{"bandwidth", kSound}, self.m_dBandwidth...);
        v(Field{"geqBandwidth", kSound}, self.m_dGeqBandwidth...);
        v(Field{"xoverType", kSound}, self.m_nXoverType...);
        v(Field{"slope", kSound}, self.m_nSlope...);
        v(Field{"code", kFile}, self.m_nCode...);
        v(Field{"savedBypass", kSetting}, self.m_bSavedBypass...);
        v(Field{"geq", kSetting}, self.m_bGeq...);
    }

    // ---- curve and handles on the response graph ---------------------------
    // Curve and handle geometry follow every change that alters them.
    void ComputeResponse();
    // The band or crossover handle, whichever this filter has.
    void UpdateHandle();
    void UpdateBandHandle();
    void UpdateXoverHandle();
    void UpdateMarkers();
    // Size of the curve area in pixels; curves start kCurveLeft, kCurveTop
    // into the graph.
    void SetGraphRect(int width, int height);

    const Response& GetResponse() const { return m_adResponse; }
    const Polygon& GetPolygon() const { return m_aptPolygon; }

    // A drag only asks: what it asks for is written like any other edit
    // (CProcessorLink::Edit), so that it reaches the linked channels and the
    // processor the same way.
    void BeginDrag(Point point);
    // For the marker whose drag flag (m_bDragLowMarker / m_bDragHighMarker) is set.
    void BeginMarkerDrag(int x);
    // The set frequency (kept in graphic-EQ mode) and whole-decibel gain step
    // an EQ band's point dragged to `point` asks for; bChanged when either
    // differs from the band's.
    BandDrag BandDragTo(Point point) const;
    // The bandwidth step the held marker dragged to x asks for; none in
    // graphic-EQ mode, where the width is the output's graphic Q.
    std::optional<int> BandwidthDragTo(int x) const;
    // The frequency a crossover filter's point dragged to `point` asks for,
    // never past its partner's frequency `pairedFreq`, and the off flag the
    // drag leaves on the filter.
    XoverDrag XoverDragTo(Point point, int pairedFreq) const;

    // Stored fields, named as the file and block layouts name them.
    int m_nType = kParametric;
    int m_nFreq = 1000;
    int m_nGeqFreq = 0;
    int m_nSentFreq = 20;
    double m_dGain = 0.0;
    // Yes/no, but a program file holds off and bypass as LONGs and a read
    // file's numbers are kept as stored, so that it writes back byte for
    // byte; read them through IsInactive.
    int m_bOff = 1;
    int m_bBypass = 0;
    bool m_bSavedBypass = false;
    double m_dBandwidth = 0.3;
    double m_dGeqBandwidth = 0.22;
    int m_nXoverType = 2;
    int m_nSlope = 0;
    int m_nCode = 0;
    bool m_bIsBand = true;
    bool m_bChanged = false;
    bool m_bGeq = false;
    bool m_bGeqFreqSet = false;

    Rect m_rcHandle;
    Rect m_rcLabel;
    Rect m_rcLowMarker;
    Rect m_rcHighMarker;
    Point m_ptDragOffset;
    int m_nLowMarkerOffset = 0;
    int m_nHighMarkerOffset = 0;
    bool m_bDragLowMarker = false;
    bool m_bDragHighMarker = false;
    // Pointer state, kept here for the response graph only.
    bool m_bOverHandle = false;
    bool m_bOverLowMarker = false;
    bool m_bOverHighMarker = false;
    bool m_bDragHandle = false;

private:
    Response m_adResponse{};
    Polygon m_aptPolygon{};
    int m_nGraphW = 0;
    int m_nGraphH = 0;
};
