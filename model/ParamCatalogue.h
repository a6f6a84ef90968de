#pragma once

#include "model/DataDefine.h"
#include "model/ValueText.h"

#include <span>
#include <string>

class CAudio_Data;
class CLockState;

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
// Writing goes through the records' own setters, so change flags are raised
// as for any edit, and then through the link rule (model/LinkRule.h), which
// gives the value to the other channels of the link group. A write compares
// first: an unchanged value calls no setter and marks nothing. Editors write
// through CProcessorLink::Edit, which wraps Set in the record notice.

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
    kSignal,  // mute, gain, gate, polarity, delay
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
    kText,       // a name, set with SetText
    kChoice,     // one of the row's texts, as a list offers them
    kLinear,     // a CLinearScale: gain, gate, threshold, level
    kDelay,      // milliseconds (or metres, feet)
    kFrequency,  // whole hertz, leading digits
    kAttack,
    kInteger,    // the step itself
    kBandwidth,  // octaves (or Q)
};

struct ParamAt
{
    int nChannel = 0;
    int nIndex = 0;  // band, or source input of a routing bit
};

constexpr int kNoLock = -1;

// What a shown step depends on beyond itself: a band that is off or bypassed
// shows 0.0dB, and in graphic-EQ mode every band type shows "GEQ".
struct ParamShown
{
    bool bBandInactive = false;
    bool bGeqMode = false;
};

struct ParamRow
{
    EParam eParam;
    EParamSide eSide;
    EParamGroup eGroup;
    int nLockFlag;  // CLockState::Flag, or kNoLock
    // Caption; rows within a channel (bands, routing) are captioned with
    // their number, see ParamCatalogue::Caption.
    const char* pszEnglish;
    const char* pszChinese;
    int nMin;
    int nMax;
    EEntry eEntry;
    // The scale of a numeric row (model/Scale.h): its steps, their texts and
    // what a typed text gives; none for names and choices. nMin and nMax are
    // the scale's.
    const CScale* pScale = nullptr;
    // Whether the numeric field shows the unit too ("20000Hz" of a
    // crossover or the generator, "-6.0dBu", "12s"); other fields show the
    // bare number.
    bool bFieldUnit = false;
    // Accessors of the stored step, given the row's side and the address;
    // use ParamCatalogue::Get and Set, which check the address, clamp and
    // compare. Text rows have none.
    int (*pfnGet)(const CAudio_Data&, EParamSide, ParamAt) = nullptr;
    void (*pfnSet)(CAudio_Data&, EParamSide, ParamAt, int) = nullptr;
    // Text of a step in the native unit (the lock text when locked).
    std::string (*pfnFormat)(int step, int language, bool locked, ParamShown shown) = nullptr;
};

namespace ParamCatalogue
{
// Every row, in EParam order.
std::span<const ParamRow> Params();
const ParamRow& Param(EParam param);

// Number of channels on the row's side (1 for generator rows), and of
// indices within one channel (bands of that side, 4 routing sources, else 1).
int ChannelCount(EParam param);
int IndexCount(EParam param);

// The channel code an edit of the row at `at` is announced under: inputs
// 1..4, outputs 5..12, 0 for generator rows.
int ChannelCode(EParam param, ParamAt at);

// "Gain" / "增益"; rows within a channel carry the number: "EQ3 Gain" /
// "均衡3 增益" for band index 2, "Src CHB" / "音源 CHB" for source 1.
std::string Caption(EParam param, int language, int index = 0);

// Whether the row's function lock is set; never for unlocked rows or
// without a lock state.
bool IsLocked(EParam param, const CLockState* locks);

// The steps the address accepts now: the row's range, narrowed where the
// record constrains it (band 1 of a parametric output EQ up to 2012 Hz,
// band 15 from 2012 Hz, a graphic-EQ band at its fixed frequency, the
// high-pass never above the low-pass and back).
struct StepRange
{
    int nMin;
    int nMax;
};
StepRange Range(EParam param, const CAudio_Data& data, ParamAt at = {});

// Whether the narrowing above is the other filter of a crossover pair: a
// value typed beyond it is taken at the other filter's frequency without the
// out-of-range message, since the pair only keeps its order.
bool NarrowsSilently(EParam param);

// The stored step. Text rows give 0.
int Get(EParam param, const CAudio_Data& data, ParamAt at = {});
// Clamps `step` to Range, and writes it only when it differs from Get; then
// true when the value read back differs (a band at exactly 0 dB refuses to
// be switched on).
bool Set(EParam param, CAudio_Data& data, ParamAt at, int step);

// Names: the text read, and written with only printable ASCII kept, cut to
// eight characters; true when the stored name changed.
std::string GetText(EParam param, const CAudio_Data& data, ParamAt at = {});
bool SetText(EParam param, CAudio_Data& data, ParamAt at, const std::string& text);

// The text of any step of the row, as the Format* functions give it.
std::string FormatStep(EParam param, int step, int language, bool locked = false, EUnit unit = EUnit::kNative,
                       ParamShown shown = {});
// The text of the stored value, with the lock text where `locks` cover it.
std::string Format(EParam param, const CAudio_Data& data, ParamAt at, int language, const CLockState* locks,
                   EUnit unit = EUnit::kNative);
// The text a numeric field shows for a step: the bare number ("-27.2",
// "1000", "0.30", "12.500"), "OFF" where the row has it, and the unit only
// where the field carries it ("20000Hz" of a crossover or the generator,
// "-6.0dBu" of the generator level, "12s"); the lock text when locked.
// Every such text parses back to its own step.
std::string FieldText(EParam param, int step, int language, bool locked = false, EUnit unit = EUnit::kNative);

// A spin step: `delta` steps on from `step`, kept within `range`. Frequency
// rows walk the curve axis point by point instead of hertz by hertz, each
// step to the next axis frequency (whole hertz) beyond the value, so a value
// between points reaches the nearer point first.
int StepBy(EParam param, int step, int delta, StepRange range);

// What the stored value's text depends on beyond its step.
ParamShown Shown(EParam param, const CAudio_Data& data, ParamAt at);

// Whether a band's width (kInBandWidth, kOutBandWidth) is shown as its shelf
// slope rather than its bandwidth: a band that is not parametric, outside
// graphic-EQ mode. False for every other row.
bool BandShowsSlope(EParam param, const CAudio_Data& data, ParamAt at);

// A typed text -> step, by the row's entry rule; the text may carry the unit
// its form shows ("12.0dB", "1000Hz", "OFF") and a decimal comma for the
// point ("-3,5", whatever the locale). `current` is kept where the
// rule keeps it (an attack between 0.9 and 1 ms) and for text that holds no
// value, which is flagged. Choice rows accept their texts in either
// language. The step is not yet clamped to a narrower Range.
TypedStep Parse(EParam param, const std::string& text, int current, EUnit unit = EUnit::kNative);
}
