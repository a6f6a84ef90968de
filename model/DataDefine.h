#pragma once

#include "model/FilterTypes.h"

#include <array>
#include <string>

// Scales of every parameter: step ranges, step <-> value rules, the text
// forms shown to the user, and the two fixed tables behind them (the
// 241-point frequency axis and the 300-entry Q table).
//
// Texts are UTF-8. Where a text has two language forms the language flag
// picks it (0 Chinese, 1 English). A parameter whose function lock is set is
// shown as the lock text instead of its value.

enum Language : int
{
    kChinese = 0,
    kEnglish = 1,
};

// ---- ranges and fixed steps -------------------------------------------------
constexpr int kGainMin = 0, kGainMax = 420, kGainZero = 300;
constexpr int kGateMin = 0, kGateMax = 80;
constexpr int kDelayMin = 0, kDelayMax = 1467;
constexpr int kLimitThresholdMin = 0, kLimitThresholdMax = 600, kLimitThresholdOff = 600;
constexpr int kAttackMin = 0, kAttackMax = 206;
constexpr int kReleaseMin = 50, kReleaseMax = 5000;
constexpr int kEqGainMin = 0, kEqGainMax = 600, kEqGainZero = 400;
constexpr int kFreqMin = 20, kFreqMax = 20000;
constexpr int kBandwidthMin = 0, kBandwidthMax = 299;
constexpr int kXoverSlopeMax = 6;
constexpr int kGenTypeMax = 4;
constexpr int kGenLevelMin = 0, kGenLevelMax = 660;
constexpr int kSweepMin = 2, kSweepMax = 30;

constexpr int kFreqPoints = 241;
constexpr int kQSteps = 300;

// Speed of sound used for delays shown as distances: c = 331 + 0.6 T m/s.
constexpr double kAirTemperature = 15.0;

// ---- tables -------------------------------------------------------------------
// Frequencies (Hz) at which every response curve is evaluated; index 0..240.
const std::array<double, kFreqPoints>& FreqTable();
// Q of a bandwidth of (i + 1) / 100 octaves, i = 0..299, rounded as tabled.
const std::array<double, kQSteps>& QTable();

// ---- conversions --------------------------------------------------------------
// Delay step 0..1467 -> ms: 0.021 ms steps up to 10.017 ms (step 477), whole
// ms above, step 1467 exactly 1000 ms. Steps outside 0..1467 are clamped.
double DelayStepToMs(int step);

// Result of converting a typed value: the step, and whether the value lay
// outside the accepted range (the caller shows "Out of Range").
struct TypedStep
{
    int nStep = 0;
    bool bOutOfRange = false;
};

// Typed time (ms) -> delay step: below 0 gives step 0, above 999.017 gives
// step 1467; flagged out of range below 0 and above 1000 (NaN: step 0).
TypedStep DelayMsToStep(double ms);
// Distance sound travels in `ms` at air temperature `temperature` (deg C),
// and back. Feet are metres x 3.281.
double DelayMsToMetres(double ms, double temperature = kAirTemperature);
double DelayMetresToMs(double metres, double temperature = kAirTemperature);
double DelayMsToFeet(double ms, double temperature = kAirTemperature);
double DelayFeetToMs(double feet, double temperature = kAirTemperature);
constexpr double kFeetPerMetre = 3.281;
// Typed distance -> delay step, at the fixed air temperature. Distances above
// that of 999.017 ms give step 1466: a typed distance never reaches 1467.
// Flagged out of range below 0 and beyond 340 m (1000 ms); the feet field of
// the editors shows no message either way and may ignore the flag. A typed
// feet figure counts half a shown digit (0.0005 ft) more, so that every shown
// distance maps back to its own step.
TypedStep DelayMetresToStep(double metres);
TypedStep DelayFeetToStep(double feet);
// Index 0..240 of the axis point nearest to `hz`; a tie goes to the higher
// index, anything above 20000 Hz gives 240.
int NearestFreqIndex(double hz);
// Typed Q -> narrowest bandwidth step whose Q does not exceed it. A Q outside
// 0.404..144.27 is flagged out of range and taken at the nearer limit
// (NaN at 0.404).
TypedStep QToBandwidthStep(double q);
// Q table entry of a bandwidth step. Every step 0..299 is answered from the
// table (the editors show step 0 and 299 too); steps outside are clamped.
double BandwidthStepToQ(int step);
// A typed attack time (ms) -> step. Times are taken between 0.3 and 200 ms,
// flagged out of range outside; `current` is kept for times between 0.9 and
// 1 ms, which no step shows. NaN is flagged and keeps `current`.
TypedStep AttackMsToStep(double ms, int current);
// A typed bandwidth (octaves) -> step. Widths are taken between 0.01 and
// 3.00 octaves, flagged out of range outside (NaN at 0.01). Every shown
// width typed back gives its own step.
TypedStep BandwidthOctToStep(double octaves);

// ---- texts --------------------------------------------------------------------
// Each Format* gives the lock text when `locked` is set. Enumerated forms
// (polarity, on, route, slopes, crossover and band types) give "" for a value
// outside their range.
const char* LockText(int language);        // "Lock" / "锁定"
const char* OutOfRangeText(int language);  // "Out of Range" / "超出范围"

std::string FormatGain(int step, int language = kChinese, bool locked = false);
std::string FormatGate(int step, int language = kChinese, bool locked = false);
std::string FormatDelay(int step, int language = kChinese, bool locked = false);
// Delay as distance, "%0.3f" without unit; step 1467 shows 340.000 m and
// 1115.000 ft rather than the computed distance of 1000 ms.
std::string FormatDelayMetres(int step);
std::string FormatDelayFeet(int step);
std::string FormatPolarity(int invert, int language, bool locked = false);
std::string FormatOn(int on, int language = kChinese, bool locked = false);
std::string FormatRoute(int bit, int language = kChinese, bool locked = false);
std::string FormatLimitThreshold(int step, int language = kChinese, bool locked = false);
std::string FormatAttack(int step, int language = kChinese, bool locked = false);
std::string FormatRelease(int step, int language = kChinese, bool locked = false);
// `inactive`: the band is off or bypassed and shows 0.0dB.
std::string FormatEqGain(int step, bool inactive = false, int language = kChinese, bool locked = false);
std::string FormatFreq(int hz, int language = kChinese, bool locked = false);
std::string FormatBandwidth(int step, int language = kChinese, bool locked = false);
std::string FormatQ(int step, int language = kChinese, bool locked = false);
std::string FormatShelfSlope(int slope, int language = kChinese, bool locked = false);
std::string FormatSlope(int step, int language = kChinese, bool locked = false);
std::string FormatXoverType(int type, int language, bool locked = false);
std::string FormatBandType(int type, bool geqMode, int language, bool locked = false);
// "PEQ" for 0, else "GEQ", as the mode button labels the output EQ.
std::string FormatEqMode(int geqMode, int language = kChinese, bool locked = false);
// A link group as the channel strip offers it: "Link A" .. "Link D" for
// inputs, "Link 1" .. "Link 8" for outputs ("联调A", "联调1" in Chinese).
std::string FormatLinkGroup(int group, bool output, int language, bool locked = false);
// Generator type 1..4 as the type list names it; 0, the generator off,
// shows "OFF".
std::string FormatGenType(int type, int language, bool locked = false);
// Generator level step 0..660: step x 0.1 - 60 dBu, "%0.1fdBu".
std::string FormatGenLevel(int step, int language = kChinese, bool locked = false);
// Sweep period, "%ds".
std::string FormatSeconds(int seconds, int language = kChinese, bool locked = false);
// Channel name: the 8 stored bytes up to the first NUL, one character per
// byte (Latin-1), returned as UTF-8. A null pointer gives "".
std::string FormatName(const char* name8, int language = kChinese, bool locked = false);

// One-line summary drawn in the highlighted filter's label box, from a
// FilterType and plain values: e.g. "1000HZ 0.30Oct 3.0dB" for a parametric
// band, "1000HZ 3.0dB" for a shelf, "1000HZ " for a high- or low-pass
// filter; an inactive (off or bypassed) band shows 0.0dB. An unknown type
// gives "". CFilter::Summary passes a filter's own values.
std::string FormatBandSummary(int type, int hz, double bandwidthOct, double gainDb, bool inactive);
