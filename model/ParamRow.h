#pragma once

#include "model/Scale.h"
#include "model/ValueText.h"

#include <string>

class CAudio_Data;

// Every editable parameter of a program, one row each: where it lives, its
// step range, how it reads, writes, shows and parses, which function lock
// covers it and what it is called. The numeric controls, panels, channel
// strip, report and command line all go through these rows, so a parameter's
// rules are written here once.
//
// A row is addressed by the channel index on its side (inputs 0..3, outputs
// 0..7) and, for EQ bands and routing, an index within the channel (band
// 0..5 or 0..14, source input 0..3). Generator rows take no address.
//
// This header says what a row is; model/ParamCatalogue.h how rows are read,
// written and shown.

enum class EParam : int
{
    // inputs
    kInName,
    kInOn,
    kInPolarity,
    kInGain,
    kInDelay,
    kInGate,
    kInLink,
    kInEqBypass,
    kInBandType,
    kInBandFreq,
    kInBandGain,
    kInBandWidth,
    kInBandSlope,
    kInBandOn,
    kInBandBypass,
    // outputs
    kOutName,
    kOutOn,
    kOutPolarity,
    kOutGain,
    kOutDelay,
    kOutRoute,
    kOutEqMode,
    kOutLink,
    kOutEqBypass,
    kOutBandType,
    kOutBandFreq,
    kOutBandGain,
    kOutBandWidth,
    kOutBandSlope,
    kOutBandOn,
    kOutBandBypass,
    kHighPassType,
    kHighPassFreq,
    kHighPassSlope,
    kLowPassType,
    kLowPassFreq,
    kLowPassSlope,
    kLimitThreshold,
    kLimitAttack,
    kLimitRelease,
    // the program's test generator
    kGenType,
    kGenFreq,
    kGenLevel,
    kGenParam,
    kCount
};

// The record a row lives in.
enum class EParamSide : int
{
    kInput,
    kOutput,
    kProgram,
};

// Families of parameters, as the report bands its rows.
enum class EParamGroup : int
{
    kName,
    kSignal, // mute, gain, gate, polarity, delay
    kLink,
    kEq,
    kRouting,
    kHighPass,
    kLowPass,
    kLimiter,
    kGenerator,
};

// How a typed value turns into a step: the numeric fields' modes. Every
// numeric mode parses by the row's scale.
enum class EEntry : int
{
    kText,      // a name, set with SetText
    kChoice,    // one of the row's texts, as a list offers them
    kLinear,    // a CLinearScale: gain, gate, threshold, level
    kDelay,     // milliseconds (or metres, feet)
    kFrequency, // whole hertz, leading digits
    kAttack,
    kInteger,   // the step itself
    kBandwidth, // octaves (or Q)
};

struct ParamAt
{
    int nChannel = 0;
    int nIndex = 0; // band, or source input of a routing bit
};

constexpr int kNoLock = -1;

// What a shown step depends on beyond itself: a band that is off or bypassed
// shows 0.0dB, and in graphic-EQ mode every band type shows "GEQ".
struct ParamShown
{
    bool bBandInactive = false;
    bool bGeqMode = false;
};

// What the index within a channel counts.
enum class EParamIndex : int
{
    kNone,   // one value per channel
    kBand,   // the bands of the channel's EQ
    kSource, // the inputs an output can take its sound from
};

// How the record narrows a row's range (ParamCatalogue::Range).
enum class ENarrowing : int
{
    kNone,
    // An output EQ band: in graphic-EQ mode fixed at its frequency, else the
    // low shelf (band 1) kept below the shelf split and the high shelf
    // (band 15) above it.
    kOutputBand,
    kBelowLowPass,  // the high-pass never above its output's low-pass
    kAboveHighPass, // the low-pass never below its output's high-pass
};

// One parameter. The rows are one constant table (model/ParamRows.cpp) in
// EParam order. Every field has a default, so a row names only what it has;
// the parameter's default, kCount, fails the table's order check.
struct ParamRow
{
    EParam eParam = EParam::kCount;
    EParamSide eSide = EParamSide::kProgram;
    EParamGroup eGroup = EParamGroup::kName;
    int nLockFlag = kNoLock; // CLockState::Flag, or kNoLock
    // Caption; rows within a channel (bands, routing) are captioned with
    // their number, see ParamCatalogue::Caption.
    const char* pszEnglish = "";
    const char* pszChinese = "";
    int nMin = 0;
    int nMax = 0;
    EEntry eEntry = EEntry::kChoice;
    // The scale of a numeric row (model/Scale.h): its steps, their texts and
    // what a typed text gives; none for names and choices. nMin and nMax are
    // the scale's.
    const CScale* pScale = nullptr;
    // Whether the numeric field shows the unit too ("20000Hz" of a
    // crossover or the generator, "-6.0dBu", "12s"); other fields show the
    // bare number.
    bool bFieldUnit = false;
    // What the index within a channel addresses, and how many there are.
    EParamIndex eIndex = EParamIndex::kNone;
    int nIndexCount = 1;
    ENarrowing eNarrowing = ENarrowing::kNone;
    // Whether a value typed beyond the narrowed range is taken at its edge
    // without the out-of-range message: the other filter of a crossover
    // pair only keeps the pair in order.
    bool bNarrowsSilently = false;
    // A band's width, shown as the shelf slope on a band that is not
    // parametric (ParamCatalogue::BandShowsSlope).
    bool bSlopeOnShelf = false;
    // Accessors of the stored step, given the row's side and the address;
    // use ParamCatalogue::Get and Set, which check the address, clamp and
    // compare. Text rows have none.
    int (*pfnGet)(const CAudio_Data&, EParamSide, ParamAt) = nullptr;
    void (*pfnSet)(CAudio_Data&, EParamSide, ParamAt, int) = nullptr;
    // Text of a step in the native unit (the lock text when locked).
    std::string (*pfnFormat)(int step, ELanguage language, bool locked, ParamShown shown) = nullptr;
};
