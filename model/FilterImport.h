#pragma once

#include "model/ChannelAddress.h"

#include <string>
#include <string_view>
#include <vector>

class CAudio_Data;

// Filter sets written as text by room-measurement tools and equaliser
// programs, planned onto the EQ bands of one channel. Two forms are read:
//
//   Filter  1: ON  PK       Fc   63.0 Hz  Gain  -5.2 dB  Q  4.00
//   Preamp: -6 dB
//   Filter 2: ON LSC 12 dB Fc 80 Hz Gain 3 dB
//
// (peaking PK/PEQ/Modal, shelves LS/HS with the variants LSC/HSC, LSQ/HSQ,
// LS6/LS12 and a slope of 6 or 12 dB written after the type; "Filter:" without a
// number; Q or "BW Oct"). Other lines (headers, notes, comments) are passed
// over. The bytes may be UTF-8 (with or without BOM) or UTF-16 with a BOM,
// with LF, CR LF or CR line ends.
//
// Nothing is applied here: the plan says what every band of the channel
// would become and lists what the file asks for that cannot be done.
namespace FilterImport
{
enum class EKind
{
    kPeaking,
    kLowShelf,
    kHighShelf,
};

enum class EProblem
{
    kTooManyFilters,   // no band of the filter's kind left on the channel
    kUnsupportedType,  // a type the channel has no band for (strDetail: the type)
    kOutOfRange,       // eValue beyond what the band takes (strDetail: as written)
    kUnreadableLine,   // a filter or preamp line that cannot be read
    kNoFilters,        // the file holds no filter that is switched on
    kPreampNotApplied, // strDetail: the preamp in dB as written
    kGraphicMode,      // the output's EQ is in graphic mode: only fixed bands
    kLocked,           // the channel's EQ lock is set
};

enum class EValue
{
    kNone,
    kFrequency,
    kGain,
    kQ,
    kBandwidth,
    kSlope,
};

struct Problem
{
    EProblem eProblem = EProblem::kUnreadableLine;
    int nLine = 0;  // 1-based line of the file, 0 for the file as a whole
    EValue eValue = EValue::kNone;
    std::string strDetail;
    bool operator==(const Problem&) const = default;
};

// One filter as the file gives it.
struct FileFilter
{
    int nLine = 0;
    EKind eKind = EKind::kPeaking;
    double dFreq = 0.0;
    double dGainDb = 0.0;
    double dQ = 0.0;  // peaking bands; from "BW Oct" when written so
    int nSlopeDb = 12; // shelves
};

struct PlannedBand
{
    int nBand = 0;       // 0-based band of the channel
    bool bFromFile = false;
    FileFilter source;   // what the file said, when bFromFile
    // The band's settings after the import, in the catalogue's steps. A band
    // the file does not use is switched off (0 dB) and keeps the rest.
    int nFreq = 0;
    int nGainStep = 0;
    int nWidthStep = 0;
    int nSlope = 0;
    bool operator==(const PlannedBand&) const = default;
};

struct Plan
{
    ChannelAddress channel;
    std::vector<PlannedBand> bands;  // every band of the channel, in order
    std::vector<Problem> problems;
    // Whether anything from the file would reach a band.
    bool CanApply() const;
};

// The bytes as UTF-8 text with '\n' line ends.
std::string DecodeText(std::string_view bytes);

// The bandwidth step whose response is nearest the peaking filter of quality
// `q` that measurement tools mean (the common biquad, alpha = sin w0 / 2Q).
// The processor's own design doubles the bandwidth a step names, so the step
// is the Q table's nearest entry to `q` at half its bandwidth; the Q an
// editor shows for the step is therefore not the file's. -1 when `q` is
// beyond what a step reaches.
int WidthStepForQ(double q);
// The Q a file means by a bandwidth in octaves, as the tools convert it.
double QOfBandwidth(double octaves);

// The plan for `channel` of `data`. `locked`: the channel's EQ lock is
// set; the plan then holds no band.
Plan PlanImport(std::string_view fileBytes, const CAudio_Data& data, ChannelAddress channel, bool locked = false);
}
