#include "model/ValueText.h"

#include "model/DataDefine.h"
#include "model/FilterTypes.h"
#include "model/NumberText.h"
#include "model/Scale.h"

namespace
{
// Picks the text of the current language (anything but English is Chinese).
const char* ByLanguage(ELanguage language, const char* english, const char* chinese)
{
    return language == kEnglish ? english : chinese;
}

template <std::size_t N>
std::string Pick(const char* const (&texts)[N], int index)
{
    return index >= 0 && index < static_cast<int>(N) ? texts[index] : "";
}
}

const char* LockText(ELanguage language)
{
    return ByLanguage(language, "Lock", "锁定");
}

const char* OutOfRangeText(ELanguage language)
{
    return ByLanguage(language, "Out of Range", "超出范围");
}

std::string FormatGain(int step, ELanguage language, bool locked)
{
    if (locked)
        return LockText(language);
    return Scales::kChannelGain.Text(step);
}

std::string FormatGate(int step, ELanguage language, bool locked)
{
    if (locked)
        return LockText(language);
    return Scales::kGate.Text(step);
}

std::string FormatDelay(int step, ELanguage language, bool locked)
{
    if (locked)
        return LockText(language);
    return Scales::kDelay.Text(step);
}

std::string FormatDelayMetres(int step)
{
    return Scales::kDelay.Text(step, EUnit::kMetres);
}

std::string FormatDelayFeet(int step)
{
    return Scales::kDelay.Text(step, EUnit::kFeet);
}

std::string FormatPolarity(int invert, ELanguage language, bool locked)
{
    if (locked)
        return LockText(language);
    static const char* const english[] = {"+", "-"};
    static const char* const chinese[] = {"正相", "反相"};
    return language == kEnglish ? Pick(english, invert) : Pick(chinese, invert);
}

std::string FormatOn(int on, ELanguage language, bool locked)
{
    if (locked)
        return LockText(language);
    static const char* const texts[] = {"Mute", "On"};
    return Pick(texts, on);
}

std::string FormatRoute(int bit, ELanguage language, bool locked)
{
    if (locked)
        return LockText(language);
    static const char* const texts[] = {"Off", "On"};
    return Pick(texts, bit);
}

std::string FormatLimitThreshold(int step, ELanguage language, bool locked)
{
    if (locked)
        return LockText(language);
    return Scales::kLimitThreshold.Text(step);
}

std::string FormatAttack(int step, ELanguage language, bool locked)
{
    if (locked)
        return LockText(language);
    return Scales::kAttack.Text(step);
}

std::string FormatRelease(int step, ELanguage language, bool locked)
{
    if (locked)
        return LockText(language);
    return Scales::kRelease.Text(step);
}

std::string FormatEqGain(int step, bool inactive, ELanguage language, bool locked)
{
    if (locked)
        return LockText(language);
    return Scales::kEqGain.Text(inactive ? kEqGainZero : step);
}

std::string FormatFreq(int hz, ELanguage language, bool locked)
{
    if (locked)
        return LockText(language);
    return Scales::kFrequency.Text(hz);
}

std::string FormatBandwidth(int step, ELanguage language, bool locked)
{
    if (locked)
        return LockText(language);
    return Scales::kBandwidth.Text(step);
}

std::string FormatQ(int step, ELanguage language, bool locked)
{
    if (locked)
        return LockText(language);
    return Scales::kBandwidth.Text(step, EUnit::kQ);
}

std::string FormatShelfSlope(int slope, ELanguage language, bool locked)
{
    if (locked)
        return LockText(language);
    static const char* const texts[] = {"6dB/oct", "12dB/oct"};
    return Pick(texts, slope);
}

std::string FormatSlope(int step, ELanguage language, bool locked)
{
    if (locked)
        return LockText(language);
    if (step < 0 || step > kXoverSlopeMax)
        return "";
    return std::to_string(12 + 6 * step) + "dB/oct";
}

std::string FormatXoverType(int type, ELanguage language, bool locked)
{
    if (locked)
        return LockText(language);
    static const char* const english[] = {"L_R", "Bessel", "BTWorth"};
    static const char* const chinese[] = {"宁克", "贝塞尔", "巴特沃斯"};
    return language == kEnglish ? Pick(english, type) : Pick(chinese, type);
}

std::string FormatBandType(int type, bool geqMode, ELanguage language, bool locked)
{
    if (locked)
        return LockText(language);
    if (type < 0 || type > 2)
        return "";
    if (geqMode)
        return "GEQ";
    static const char* const english[] = {"PEQ", "Lo_Shf", "Hi_Shf"};
    static const char* const chinese[] = {"参量均衡", "低调", "高调"};
    return language == kEnglish ? Pick(english, type) : Pick(chinese, type);
}

std::string FormatEqMode(int geqMode, ELanguage language, bool locked)
{
    if (locked)
        return LockText(language);
    // Any nonzero mode is graphic, as the records treat it.
    return geqMode != 0 ? "GEQ" : "PEQ";
}

std::string FormatLinkGroup(int group, bool output, ELanguage language, bool locked)
{
    if (locked)
        return LockText(language);
    const int count = output ? 8 : 4;
    if (group < 0 || group >= count)
        return "";
    const char label = static_cast<char>(output ? '1' + group : 'A' + group);
    return std::string(ByLanguage(language, "Link ", "联调")) + label;
}

std::string FormatGenType(int type, ELanguage language, bool locked)
{
    if (locked)
        return LockText(language);
    static const char* const english[] = {"OFF", "White Noise", "Pink Noise", "Simple Tone", "Sweep Freq"};
    static const char* const chinese[] = {"OFF", "白噪发声器", "粉噪发生器", "纯音发生器", "扫频模式"};
    return language == kEnglish ? Pick(english, type) : Pick(chinese, type);
}

std::string FormatGenLevel(int step, ELanguage language, bool locked)
{
    if (locked)
        return LockText(language);
    return Scales::kGenLevel.Text(step);
}

std::string FormatSeconds(int seconds, ELanguage language, bool locked)
{
    if (locked)
        return LockText(language);
    return Scales::kSweep.Text(seconds);
}

std::string FormatName(const char* name8, ELanguage language, bool locked)
{
    if (locked)
        return LockText(language);
    std::string text;
    if (name8 == nullptr)
        return text;
    // Names are single bytes shown one character each; bytes above 0x7F are
    // Latin-1 and take two bytes in UTF-8.
    for (int i = 0; i < 8 && name8[i] != '\0'; ++i)
    {
        const auto byte = static_cast<unsigned char>(name8[i]);
        if (byte < 0x80)
        {
            text += static_cast<char>(byte);
        }
        else
        {
            text += static_cast<char>(0xC0 | (byte >> 6));
            text += static_cast<char>(0x80 | (byte & 0x3F));
        }
    }
    return text;
}

std::string FormatBandSummary(int type, int hz, double bandwidthOct, double gainDb, bool inactive)
{
    const std::string freq = std::to_string(hz) + "HZ ";
    const std::string gain = Scales::kEqGain.ValueText(inactive ? 0.0 : gainDb);
    switch (type)
    {
    case kFilterParametric:
        return freq + FixedText(bandwidthOct, 2) + "Oct " + gain;
    case kFilterLowShelf:
    case kFilterHighShelf:
        return freq + gain;
    case kFilterHighPass:
    case kFilterLowPass:
        return freq;
    default:
        return "";
    }
}
