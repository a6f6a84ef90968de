#pragma once

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
double DelayStepToMs(int step);

// Result of converting a typed value: the step, and whether the value lay
// outside the accepted range (the caller shows "Out of Range").
struct TypedStep
{
    int nStep = 0;
    bool bOutOfRange = false;
};

TypedStep DelayMsToStep(double ms);
double DelayMsToMetres(double ms, double temperature = kAirTemperature);
double DelayMetresToMs(double metres, double temperature = kAirTemperature);
int NearestFreqIndex(double hz);
TypedStep QToBandwidthStep(double q);
double BandwidthStepToQ(int step);
// A typed attack time; `current` is kept for times between 0.9 and 1 ms.
TypedStep AttackMsToStep(double ms, int current);

// ---- texts --------------------------------------------------------------------
const char* LockText(int language);        // "Lock" / "锁定"
const char* OutOfRangeText(int language);  // "Out of Range" / "超出范围"

std::string FormatGain(int step, int language = kChinese, bool locked = false);
std::string FormatGate(int step, int language = kChinese, bool locked = false);
std::string FormatDelay(int step, int language = kChinese, bool locked = false);
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
// Channel name: the 8 stored bytes up to the first NUL.
std::string FormatName(const char* name8);

class CFilter;
// One-line summary drawn in the highlighted filter's label box.
std::string FormatBandSummary(const CFilter& filter);
