#pragma once

#include <string>

// The texts a parameter's value is shown as, in the user's language. Numbers
// come from the parameter's scale (model/Scale.h); the enumerated forms
// (polarity, on, route, slopes, crossover and band types, links, the
// generator) are listed here.
//
// Texts are UTF-8. Where a text has two language forms the language flag
// picks it (0 Chinese, 1 English). A parameter whose function lock is set is
// shown as the lock text instead of its value.

enum ELanguage : int
{
    kChinese = 0,
    kEnglish = 1,
};

// Each Format* gives the lock text when `locked` is set. Enumerated forms
// (polarity, on, route, slopes, crossover and band types) give "" for a value
// outside their range.
const char* LockText(ELanguage language);        // "Lock" / "锁定"
const char* OutOfRangeText(ELanguage language);  // "Out of Range" / "超出范围"

std::string FormatGain(int step, ELanguage language = kChinese, bool locked = false);
std::string FormatGate(int step, ELanguage language = kChinese, bool locked = false);
std::string FormatDelay(int step, ELanguage language = kChinese, bool locked = false);
// Delay as distance, "%0.3f" without unit (CDelayScale::Number).
std::string FormatDelayMetres(int step);
std::string FormatDelayFeet(int step);
std::string FormatPolarity(int invert, ELanguage language, bool locked = false);
std::string FormatOn(int on, ELanguage language = kChinese, bool locked = false);
std::string FormatRoute(int bit, ELanguage language = kChinese, bool locked = false);
std::string FormatLimitThreshold(int step, ELanguage language = kChinese, bool locked = false);
std::string FormatAttack(int step, ELanguage language = kChinese, bool locked = false);
std::string FormatRelease(int step, ELanguage language = kChinese, bool locked = false);
// `inactive`: the band is off or bypassed and shows 0.0dB.
std::string FormatEqGain(int step, bool inactive = false, ELanguage language = kChinese, bool locked = false);
std::string FormatFreq(int hz, ELanguage language = kChinese, bool locked = false);
std::string FormatBandwidth(int step, ELanguage language = kChinese, bool locked = false);
std::string FormatQ(int step, ELanguage language = kChinese, bool locked = false);
std::string FormatShelfSlope(int slope, ELanguage language = kChinese, bool locked = false);
std::string FormatSlope(int step, ELanguage language = kChinese, bool locked = false);
std::string FormatXoverType(int type, ELanguage language, bool locked = false);
std::string FormatBandType(int type, bool geqMode, ELanguage language, bool locked = false);
// "PEQ" for 0, else "GEQ", as the mode button labels the output EQ.
std::string FormatEqMode(int geqMode, ELanguage language = kChinese, bool locked = false);
// A link group as the channel strip offers it: "Link A" .. "Link D" for
// inputs, "Link 1" .. "Link 8" for outputs ("联调A", "联调1" in Chinese).
std::string FormatLinkGroup(int group, bool output, ELanguage language, bool locked = false);
// Generator type 1..4 as the type list names it; 0, the generator off,
// shows "OFF".
std::string FormatGenType(int type, ELanguage language, bool locked = false);
// Generator level step 0..660: "%0.1fdBu".
std::string FormatGenLevel(int step, ELanguage language = kChinese, bool locked = false);
// Sweep period, "%ds".
std::string FormatSeconds(int seconds, ELanguage language = kChinese, bool locked = false);
// Channel name: the 8 stored bytes up to the first NUL, one character per
// byte (Latin-1), returned as UTF-8. A null pointer gives "".
std::string FormatName(const char* name8, ELanguage language = kChinese, bool locked = false);

// One-line summary drawn in the highlighted filter's label box, from a
// FilterType and plain values: e.g. "1000HZ 0.30Oct 3.0dB" for a parametric
// band, "1000HZ 3.0dB" for a shelf, "1000HZ " for a high- or low-pass
// filter; an inactive (off or bypassed) band shows 0.0dB. An unknown type
// gives "". CFilter::Summary passes a filter's own values.
std::string FormatBandSummary(int type, int hz, double bandwidthOct, double gainDb, bool inactive);
