#include "model/DataDefine.h"

#include "model/NumberText.h"

#include <algorithm>
#include <cmath>

const std::array<double, kFreqPoints>& FreqTable()
{
    static const std::array<double, kFreqPoints> table = {
    19.7, 20.3, 20.9, 21.5, 22.1, 22.7, 23.4, 24.1, 24.8, 25.5,
    26.3, 27.0, 27.8, 28.7, 29.5, 30.4, 31.3, 32.2, 33.1, 34.1,
    35.1, 36.1, 37.2, 38.3, 39.4, 40.5, 41.7, 42.9, 44.2, 45.5,
    46.8, 48.2, 49.6, 51.1, 52.6, 54.1, 55.7, 57.3, 59.0, 60.7,
    62.5, 64.3, 66.2, 68.2, 70.2, 72.2, 74.3, 76.5, 78.7, 81.1,
    83.4, 85.9, 88.4, 91.0, 93.6, 96.4, 99.2, 102.0, 105.0, 108.0,
    111.0, 115.0, 118.0, 121.0, 125.0, 129.0, 132.0, 136.0, 140.0, 144.0,
    149.0, 153.0, 158.0, 162.0, 167.0, 172.0, 179.0, 182.0, 187.0, 193.0,
    198.0, 204.0, 210.0, 216.0, 223.0, 229.0, 236.0, 243.0, 250.0, 257.0,
    265.0, 273.0, 281.0, 289.0, 297.0, 306.0, 315.0, 324.0, 334.0, 344.0,
    354.0, 364.0, 375.0, 386.0, 397.0, 409.0, 420.0, 433.0, 445.0, 459.0,
    472.0, 486.0, 500.0, 515.0, 530.0, 545.0, 561.0, 578.0, 595.0, 612.0,
    630.0, 648.0, 667.0, 687.0, 707.0, 728.0, 749.0, 771.0, 794.0, 817.0,
    841.0, 866.0, 891.0, 917.0, 944.0, 972.0, 1000.0, 1030.0, 1060.0, 1090.0,
    1123.0, 1155.0, 1190.0, 1224.0, 1260.0, 1297.0, 1335.0, 1374.0, 1414.0, 1456.0,
    1498.0, 1542.0, 1587.0, 1634.0, 1682.0, 1731.0, 1782.0, 1834.0, 1888.0, 1943.0,
    2000.0, 2059.0, 2119.0, 2181.0, 2245.0, 2311.0, 2378.0, 2448.0, 2520.0, 2594.0,
    2670.0, 2748.0, 2828.0, 2911.0, 2997.0, 3084.0, 3175.0, 3268.0, 3364.0, 3462.0,
    3564.0, 3668.0, 3776.0, 3886.0, 4000.0, 4117.0, 4238.0, 4362.0, 4490.0, 4621.0,
    4757.0, 4896.0, 5040.0, 5187.0, 5339.0, 5496.0, 5657.0, 5823.0, 5993.0, 6169.0,
    6350.0, 6536.0, 6727.0, 6924.0, 7127.0, 7336.0, 7551.0, 7772.0, 8000.0, 8234.0,
    8476.0, 8724.0, 8980.0, 9243.0, 9514.0, 9792.0, 10079.0, 10374.0, 10679.0, 10992.0,
    11314.0, 11645.0, 11987.0, 12338.0, 12699.0, 13071.0, 13454.0, 13849.0, 14254.0, 14672.0,
    15102.0, 15545.0, 16000.0, 16469.0, 16951.0, 17448.0, 17959.0, 18486.0, 19027.0, 19585.0,
    20000.0,
    };
    return table;
}

const std::array<double, kQSteps>& QTable()
{
    // Q = 2^(N/2) / (2^N - 1) for N = (i + 1) / 100 octaves, kept to three
    // decimals (two for the first entry), exactly as the processor tables it.
    static const std::array<double, kQSteps> table = [] {
        std::array<double, kQSteps> q{};
        for (int i = 0; i < kQSteps; ++i)
        {
            const double n = Scales::kBandwidth.Value(i);
            const double value = std::pow(2.0, n / 2.0) / (std::pow(2.0, n) - 1.0);
            const double scale = i == 0 ? 100.0 : 1000.0;
            q[i] = std::round(value * scale) / scale;
        }
        return q;
    }();
    return table;
}

namespace
{
// Picks the text of the current language (anything but English is Chinese).
const char* ByLanguage(int language, const char* english, const char* chinese)
{
    return language == kEnglish ? english : chinese;
}

template <std::size_t N>
std::string Pick(const char* const (&texts)[N], int index)
{
    return index >= 0 && index < static_cast<int>(N) ? texts[index] : "";
}

double SpeedOfSound(double temperature)
{
    return 331 + 0.6 * temperature;
}
}

// ---- conversions --------------------------------------------------------------

double DelayMsToMetres(double ms, double temperature)
{
    return ms * SpeedOfSound(temperature) / 1000;
}

double DelayMetresToMs(double metres, double temperature)
{
    return metres * 1000 / SpeedOfSound(temperature);
}

double DelayMsToFeet(double ms, double temperature)
{
    return DelayMsToMetres(ms, temperature) * kFeetPerMetre;
}

double DelayFeetToMs(double feet, double temperature)
{
    return DelayMetresToMs(feet / kFeetPerMetre, temperature);
}

int NearestFreqIndex(double hz)
{
    // First axis point at or above hz; ties between neighbours go up.
    const auto& table = FreqTable();
    const auto it = std::lower_bound(table.begin(), table.end(), hz);
    if (it == table.end())
        return kFreqPoints - 1;
    const int i = static_cast<int>(it - table.begin());
    if (i == 0)
        return 0;
    return hz - table[i - 1] >= table[i] - hz ? i : i - 1;
}

// ---- texts --------------------------------------------------------------------

const char* LockText(int language)
{
    return ByLanguage(language, "Lock", "锁定");
}

const char* OutOfRangeText(int language)
{
    return ByLanguage(language, "Out of Range", "超出范围");
}

std::string FormatGain(int step, int language, bool locked)
{
    if (locked)
        return LockText(language);
    return Scales::kChannelGain.Text(step);
}

std::string FormatGate(int step, int language, bool locked)
{
    if (locked)
        return LockText(language);
    return Scales::kGate.Text(step);
}

std::string FormatDelay(int step, int language, bool locked)
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

std::string FormatPolarity(int invert, int language, bool locked)
{
    if (locked)
        return LockText(language);
    static const char* const english[] = {"+", "-"};
    static const char* const chinese[] = {"正相", "反相"};
    return language == kEnglish ? Pick(english, invert) : Pick(chinese, invert);
}

std::string FormatOn(int on, int language, bool locked)
{
    if (locked)
        return LockText(language);
    static const char* const texts[] = {"Mute", "On"};
    return Pick(texts, on);
}

std::string FormatRoute(int bit, int language, bool locked)
{
    if (locked)
        return LockText(language);
    static const char* const texts[] = {"Off", "On"};
    return Pick(texts, bit);
}

std::string FormatLimitThreshold(int step, int language, bool locked)
{
    if (locked)
        return LockText(language);
    return Scales::kLimitThreshold.Text(step);
}

std::string FormatAttack(int step, int language, bool locked)
{
    if (locked)
        return LockText(language);
    return Scales::kAttack.Text(step);
}

std::string FormatRelease(int step, int language, bool locked)
{
    if (locked)
        return LockText(language);
    return Scales::kRelease.Text(step);
}

std::string FormatEqGain(int step, bool inactive, int language, bool locked)
{
    if (locked)
        return LockText(language);
    return Scales::kEqGain.Text(inactive ? kEqGainZero : step);
}

std::string FormatFreq(int hz, int language, bool locked)
{
    if (locked)
        return LockText(language);
    return Scales::kFrequency.Text(hz);
}

std::string FormatBandwidth(int step, int language, bool locked)
{
    if (locked)
        return LockText(language);
    return Scales::kBandwidth.Text(step);
}

std::string FormatQ(int step, int language, bool locked)
{
    if (locked)
        return LockText(language);
    return Scales::kBandwidth.Text(step, EUnit::kQ);
}

std::string FormatShelfSlope(int slope, int language, bool locked)
{
    if (locked)
        return LockText(language);
    static const char* const texts[] = {"6dB/oct", "12dB/oct"};
    return Pick(texts, slope);
}

std::string FormatSlope(int step, int language, bool locked)
{
    if (locked)
        return LockText(language);
    if (step < 0 || step > kXoverSlopeMax)
        return "";
    return std::to_string(12 + 6 * step) + "dB/oct";
}

std::string FormatXoverType(int type, int language, bool locked)
{
    if (locked)
        return LockText(language);
    static const char* const english[] = {"L_R", "Bessel", "BTWorth"};
    static const char* const chinese[] = {"宁克", "贝塞尔", "巴特沃斯"};
    return language == kEnglish ? Pick(english, type) : Pick(chinese, type);
}

std::string FormatBandType(int type, bool geqMode, int language, bool locked)
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

std::string FormatEqMode(int geqMode, int language, bool locked)
{
    if (locked)
        return LockText(language);
    // Any nonzero mode is graphic, as the records treat it.
    return geqMode != 0 ? "GEQ" : "PEQ";
}

std::string FormatLinkGroup(int group, bool output, int language, bool locked)
{
    if (locked)
        return LockText(language);
    const int count = output ? 8 : 4;
    if (group < 0 || group >= count)
        return "";
    const char label = static_cast<char>(output ? '1' + group : 'A' + group);
    return std::string(ByLanguage(language, "Link ", "联调")) + label;
}

std::string FormatGenType(int type, int language, bool locked)
{
    if (locked)
        return LockText(language);
    static const char* const english[] = {"OFF", "White Noise", "Pink Noise", "Simple Tone", "Sweep Freq"};
    static const char* const chinese[] = {"OFF", "白噪发声器", "粉噪发生器", "纯音发生器", "扫频模式"};
    return language == kEnglish ? Pick(english, type) : Pick(chinese, type);
}

std::string FormatGenLevel(int step, int language, bool locked)
{
    if (locked)
        return LockText(language);
    return Scales::kGenLevel.Text(step);
}

std::string FormatSeconds(int seconds, int language, bool locked)
{
    if (locked)
        return LockText(language);
    return Scales::kSweep.Text(seconds);
}

std::string FormatName(const char* name8, int language, bool locked)
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
