#pragma once

#include "model/ParamRow.h"
#include "model/ValueText.h"

#include <span>
#include <string>

class CAudio_Data;
class CLockState;

// The catalogue of parameters (model/ParamRow.h): the rows
// (model/ParamRows.cpp), their access to the record (ParamAccess.cpp) and
// their texts (ParamTexts.cpp).
//
// Writing goes through the records' own setters, so change flags are raised
// as for any edit, and then through the link rule (model/LinkRule.h), which
// gives the value to the other channels of the link group. A write compares
// first: an unchanged value calls no setter and marks nothing. Editors write
// through CProcessorLink::Edit, which wraps Set in the record notice.

namespace ParamCatalogue
{
// Every row, in EParam order.
std::span<const ParamRow> Params();
const ParamRow& Param(EParam param);

// Number of channels on the row's side (1 for generator rows), and of
// indices within one channel (bands of that side, 4 routing sources, else 1).
int ChannelCount(EParam param);
int IndexCount(EParam param);
// Whether `at` names a channel and an index the row has.
bool IsAddressed(EParam param, ParamAt at);

// The channel code an edit of the row at `at` is announced under: inputs
// 1..4, outputs 5..12, 0 for generator rows.
int ChannelCode(EParam param, ParamAt at);

// "Gain" / "增益"; rows within a channel carry the number: "EQ3 Gain" /
// "均衡3 增益" for band index 2, "Src CHB" / "音源 CHB" for source 1.
std::string Caption(EParam param, ELanguage language, int index = 0);

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
// out-of-range message, since the pair only keeps its order
// (ParamRow::bNarrowsSilently).
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
std::string FormatStep(EParam param, int step, ELanguage language, bool locked = false, EUnit unit = EUnit::kNative,
                       ParamShown shown = {});
// The text of the stored value, with the lock text where `locks` cover it.
std::string Format(EParam param, const CAudio_Data& data, ParamAt at, ELanguage language, const CLockState* locks,
                   EUnit unit = EUnit::kNative);
// The text a numeric field shows for a step: the bare number ("-27.2",
// "1000", "0.30", "12.500"), "OFF" where the row has it, and the unit only
// where the field carries it ("20000Hz" of a crossover or the generator,
// "-6.0dBu" of the generator level, "12s"); the lock text when locked.
// Every such text parses back to its own step.
std::string FieldText(EParam param, int step, ELanguage language, bool locked = false, EUnit unit = EUnit::kNative);

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
