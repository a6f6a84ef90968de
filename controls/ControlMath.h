#pragma once

#include <cstdint>

// The arithmetic behind the skin controls, kept out of their paint and event
// code so that it can be checked without a window: where a fader's thumb
// sits, which lamps a level lights, what a name field lets a user type.

// ---- fader ------------------------------------------------------------------
// A vertical fader's position grows downwards: `min` sits at the top of the
// travel, `max` at the bottom. The panels' faders are inverted (their value
// is FaderHeightValue), so that the highest step, +12 dB, is at the top.
struct SFaderTravel
{
    int nMin = 0;
    int nMax = 0;
    double dTop = 0;     // thumb centre at position nMin, in pixels
    double dBottom = 0;  // thumb centre at position nMax
};

constexpr int kFaderPageStep = 10;

int ClampFaderPosition(const SFaderTravel& travel, int position);
// Thumb centre of a position; a range of one position sits at the top.
double FaderThumbCentre(const SFaderTravel& travel, int position);
// Nearest position to a thumb centre at `y`, clamped to the range.
int FaderPositionAt(const SFaderTravel& travel, double y);

enum class EFaderMove
{
    LineUp,
    LineDown,
    PageUp,
    PageDown,
    Top,
    Bottom,
};
// Position after a key move, clamped; up moves toward `min`.
int FaderMoved(const SFaderTravel& travel, int position, EFaderMove move);

// Whole wheel notches in `delta` (1/8 degree units, 120 a notch) plus what
// was left over from earlier events; `rest` keeps the part that does not yet
// make a notch, so fine-grained touchpads step as often as a wheel would.
// Positive results mean the wheel turned away from the user (thumb up).
int WheelNotches(int& rest, int delta);

// ---- lamp meter ---------------------------------------------------------------
constexpr int kLampCount = 11;

enum class ELampStyle
{
    Input,
    Output,
};

// Lamps lit by a level value, bit 0 = lamp 1 (the bottom one). An input
// value v lights lamps 1 to v. An output value carries a meter step in its
// low part (v, or v - 16 from 16 up) that lights up to nine lamps, a mark
// (16 and above) that lights lamp 10, and at full scale (low part 11, so 27)
// lamp 11 as well. Values outside 0..27 are taken as the nearest end; an
// input value that carries the mark shows only its meter step.
std::uint16_t LampPattern(int level, ELampStyle style);
// The meter step a level value carries (0..11, 11 = full scale) and whether
// it carries the mark.
int MeterStep(int level);
bool HasMark(int level);
constexpr int kFullScaleStep = 11;
// An output level carries the mark as this value added to its step.
constexpr int kLevelMark = 16;
// The lamp that shows meter step `step` at its top (0 for none): an
// output's body stops at nine lamps.
int TopLampOfStep(int step, ELampStyle style);
// The level of each meter step at its lamp, in dB below full scale, for the
// scale beside the meter: step 11 is full scale (0 dB), and each step below
// it the next threshold down. Steps outside 1..11 give the nearest end.
int StepDb(int step);
int LitLampCount(std::uint16_t pattern);

enum class ELampRole
{
    Level,    // the body of the meter
    Warning,  // the lamps just below the top
    Mark,     // an output's lamp 10
    Peak,     // lamp 11
};
// Colour role of lamp `lamp` (1 = bottom).
ELampRole LampRole(int lamp, ELampStyle style);

// ---- name field ---------------------------------------------------------------
// Channel names are eight bytes on the processor; a user may type only
// printable single-byte (ASCII) characters into them. Names read from the
// processor or a file may hold other bytes and are shown as they are.
constexpr int kNameMaxChars = 8;

bool IsTypableNameChar(char32_t character);

// The fader as a screen reader sees it, and the value of an inverted fader:
// a value that grows as the thumb goes up, so that "increase" lifts it
// (min + max - position). The same formula takes a value back to a position.
int FaderHeightValue(const SFaderTravel& travel, int position);

// Whether lamp `lamp` (1 = bottom) is lit in a pattern, and whether an
// output's mark lamp is.
bool IsLampLit(std::uint16_t pattern, int lamp);
bool IsMarkLit(std::uint16_t pattern, ELampStyle style);
