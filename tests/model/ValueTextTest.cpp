#include "model/ValueText.h"

#include "model/DataDefine.h"
#include "model/FilterTypes.h"

#include "tests/LocaleTable.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <functional>
#include <utility>
#include <string>
#include <vector>

namespace
{
// Parses the number at the start of a displayed text, as a user retyping it
// would; locale-free, so that the texts are what the locale table tests.
double Number(const std::string& text)
{
    double value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

struct TextCase
{
    std::string got;
    const char* want;
};

void ExpectTexts(const std::vector<TextCase>& cases)
{
    for (const auto& c : cases)
    {
        SCOPED_TRACE(testing::Message() << "row wanting \"" << c.want << "\"");
        EXPECT_EQ(c.got, c.want);
    }
}

// The suites whose texts hold numbers run under every table locale: the
// texts are the same on every desktop.
class Delay : public TLocaleTable<>
{
};
class Limiter : public TLocaleTable<>
{
};
class Scales : public TLocaleTable<>
{
};
class Bandwidth : public TLocaleTable<>
{
};
class Texts : public TLocaleTable<>
{
};
INSTANTIATE_TEST_SUITE_P(Locales, Delay, ::testing::ValuesIn(kTableLocales), LocaleTestName);
INSTANTIATE_TEST_SUITE_P(Locales, Limiter, ::testing::ValuesIn(kTableLocales), LocaleTestName);
INSTANTIATE_TEST_SUITE_P(Locales, Scales, ::testing::ValuesIn(kTableLocales), LocaleTestName);
INSTANTIATE_TEST_SUITE_P(Locales, Bandwidth, ::testing::ValuesIn(kTableLocales), LocaleTestName);
INSTANTIATE_TEST_SUITE_P(Locales, Texts, ::testing::ValuesIn(kTableLocales), LocaleTestName);
}

// ---- delay --------------------------------------------------------------------

TEST_P(Delay, StepTexts)
{
    ExpectTexts({
        {FormatDelay(0), "0.000ms"},
        {FormatDelay(1), "0.021ms"},
        {FormatDelay(477), "10.017ms"},
        {FormatDelay(478), "11.017ms"},
        {FormatDelay(1466), "999.017ms"},
        {FormatDelay(1467), "1000.000ms"},
        // Out-of-range steps are clamped rather than extrapolated.
        {FormatDelay(-1), "0.000ms"},
        {FormatDelay(1468), "1000.000ms"},
    });
}

TEST_P(Delay, EveryDisplayedTimeMapsBackToItsStep)
{
    for (int step = kDelayMin; step <= kDelayMax; ++step)
    {
        const TypedStep back = Scales::kDelay.Typed(Number(FormatDelay(step)));
        EXPECT_EQ(back.nStep, step) << FormatDelay(step);
        EXPECT_FALSE(back.bOutOfRange);
    }
}

TEST_P(Delay, DistanceTexts)
{
    ExpectTexts({
        {FormatDelayMetres(0), "0.000"},
        {FormatDelayFeet(0), "0.000"},
        {FormatDelayMetres(477), "3.406"},
        {FormatDelayFeet(477), "11.174"},
        {FormatDelayMetres(1464), "338.986"},
        {FormatDelayMetres(1466), "339.666"},
        {FormatDelayFeet(1466), "1114.443"},
        // The top step shows round figures, not the distance of 1000 ms in feet.
        {FormatDelayMetres(1467), "340.000"},
        {FormatDelayFeet(1467), "1115.000"},
    });
}

TEST_P(Delay, EveryDisplayedDistanceMapsBackToItsStep)
{
    // 1467 shows round figures that map to the highest typed step instead.
    for (int step = kDelayMin; step < kDelayMax; ++step)
    {
        EXPECT_EQ(Scales::kDelay.TypedMetres(Number(FormatDelayMetres(step))).nStep, step)
            << FormatDelayMetres(step) << " m";
        EXPECT_EQ(Scales::kDelay.TypedFeet(Number(FormatDelayFeet(step))).nStep, step)
            << FormatDelayFeet(step) << " ft";
    }
}

// ---- limiter ------------------------------------------------------------------

TEST_P(Limiter, Texts)
{
    ExpectTexts({
        {FormatLimitThreshold(0), "-40.0dBu"},
        {FormatLimitThreshold(400), "0.0dBu"},
        {FormatLimitThreshold(599), "19.9dBu"},
        {FormatLimitThreshold(600), "OFF"},
        {FormatAttack(0), "0.3ms"},
        {FormatAttack(3), "0.6ms"},
        {FormatAttack(6), "0.9ms"},
        {FormatAttack(7), "1ms"},
        {FormatAttack(206), "200ms"},
        {FormatRelease(50), "50ms"},
        {FormatRelease(5000), "5000ms"},
    });
}

TEST_P(Limiter, EveryDisplayedAttackMapsBackToItsStep)
{
    for (int step = kAttackMin; step <= kAttackMax; ++step)
    {
        const TypedStep back = Scales::kAttack.Typed(Number(FormatAttack(step)), -1);
        EXPECT_EQ(back.nStep, step) << FormatAttack(step);
        EXPECT_FALSE(back.bOutOfRange);
    }
}

// ---- levels, frequencies, slopes --------------------------------------------------

TEST_P(Scales, NumericTexts)
{
    ExpectTexts({
        {FormatGain(0), "-30.0dB"},
        {FormatGain(299), "-0.1dB"},
        {FormatGain(300), "0.0dB"},
        {FormatGain(420), "12.0dB"},
        {FormatGate(0), "OFF"},
        {FormatGate(1), "-119dBu"},
        {FormatGate(80), "-40dBu"},
        {FormatEqGain(0), "-40.0dB"},
        {FormatEqGain(400), "0.0dB"},
        {FormatEqGain(435), "3.5dB"},
        {FormatEqGain(600), "20.0dB"},
        {FormatEqGain(435, true), "0.0dB"},
        {FormatFreq(20), "20Hz"},
        {FormatFreq(20000), "20000Hz"},
        {FormatBandwidth(0), "0.01oct"},
        {FormatBandwidth(99), "1.00oct"},
        {FormatBandwidth(299), "3.00oct"},
        {FormatQ(0), "144.27"},
        {FormatQ(1), "72.134"},
        {FormatQ(99), "1.414"},
        {FormatQ(299), "0.404"},
        {FormatSlope(0), "12dB/oct"},
        {FormatSlope(4), "36dB/oct"},
        {FormatSlope(6), "48dB/oct"},
        {FormatShelfSlope(0), "6dB/oct"},
        {FormatShelfSlope(1), "12dB/oct"},
    });
}

TEST_P(Scales, NoLevelShowsMinusZero)
{
    for (int step = kGainMin; step <= kGainMax; ++step)
        EXPECT_NE(FormatGain(step), "-0.0dB") << step;
    for (int step = kEqGainMin; step <= kEqGainMax; ++step)
        EXPECT_NE(FormatEqGain(step), "-0.0dB") << step;
    for (int step = kLimitThresholdMin; step < kLimitThresholdMax; ++step)
        EXPECT_NE(FormatLimitThreshold(step), "-0.0dBu") << step;
}

// ---- bandwidth and Q ------------------------------------------------------------

TEST_P(Bandwidth, EveryStepSurvivesTheQView)
{
    for (int step = kBandwidthMin; step <= kBandwidthMax; ++step)
    {
        EXPECT_EQ(Scales::kBandwidth.Q(step), QTable()[step]);
        EXPECT_EQ(Scales::kBandwidth.TypedQ(Scales::kBandwidth.Q(step)).nStep, step);
        const TypedStep typed = Scales::kBandwidth.TypedQ(Number(FormatQ(step)));
        EXPECT_EQ(typed.nStep, step) << FormatQ(step);
        EXPECT_FALSE(typed.bOutOfRange);
    }
}

// Without the small term 19 shown widths (0.29oct among them) came back a
// step low.
TEST_P(Bandwidth, EveryDisplayedWidthMapsBackToItsStep)
{
    for (int step = kBandwidthMin; step <= kBandwidthMax; ++step)
    {
        const TypedStep typed = Scales::kBandwidth.Typed(Number(FormatBandwidth(step)));
        EXPECT_EQ(typed.nStep, step) << FormatBandwidth(step);
        EXPECT_FALSE(typed.bOutOfRange);
    }
}

TEST_P(Bandwidth, StepsOutsideTheTableAreClamped)
{
    EXPECT_EQ(Scales::kBandwidth.Q(-1), QTable().front());
    EXPECT_EQ(Scales::kBandwidth.Q(300), QTable().back());
    EXPECT_EQ(FormatQ(300), "0.404");
}

// ---- language and lock texts ------------------------------------------------------

TEST(Texts, LanguageForms)
{
    ExpectTexts({
        {FormatPolarity(0, kEnglish), "+"},
        {FormatPolarity(1, kEnglish), "-"},
        {FormatPolarity(0, kChinese), "正相"},
        {FormatPolarity(1, kChinese), "反相"},
        {FormatXoverType(0, kEnglish), "L_R"},
        {FormatXoverType(1, kEnglish), "Bessel"},
        {FormatXoverType(2, kEnglish), "BTWorth"},
        {FormatXoverType(0, kChinese), "宁克"},
        {FormatXoverType(1, kChinese), "贝塞尔"},
        {FormatXoverType(2, kChinese), "巴特沃斯"},
        {FormatBandType(0, false, kEnglish), "PEQ"},
        {FormatBandType(1, false, kEnglish), "Lo_Shf"},
        {FormatBandType(2, false, kEnglish), "Hi_Shf"},
        {FormatBandType(0, false, kChinese), "参量均衡"},
        {FormatBandType(1, false, kChinese), "低调"},
        {FormatBandType(2, false, kChinese), "高调"},
        {FormatBandType(1, true, kEnglish), "GEQ"},
        {FormatBandType(2, true, kChinese), "GEQ"},
        {LockText(kEnglish), "Lock"},
        {LockText(kChinese), "锁定"},
        {OutOfRangeText(kEnglish), "Out of Range"},
        {OutOfRangeText(kChinese), "超出范围"},
    });
}

TEST_P(Texts, GeneratorModeAndLinkForms)
{
    ExpectTexts({
        {FormatGenType(0, kEnglish), "OFF"},
        {FormatGenType(1, kEnglish), "White Noise"},
        {FormatGenType(4, kEnglish), "Sweep Freq"},
        {FormatGenType(2, kChinese), "粉噪发生器"},
        {FormatGenType(3, kChinese), "纯音发生器"},
        {FormatGenType(5, kEnglish), ""},
        {FormatGenLevel(0), "-60.0dBu"},
        {FormatGenLevel(600), "0.0dBu"},
        {FormatGenLevel(660), "6.0dBu"},
        {FormatSeconds(2), "2s"},
        {FormatEqMode(0), "PEQ"},
        {FormatEqMode(1), "GEQ"},
        {FormatLinkGroup(0, false, kEnglish), "Link A"},
        {FormatLinkGroup(3, false, kChinese), "联调D"},
        {FormatLinkGroup(7, true, kEnglish), "Link 8"},
        {FormatLinkGroup(4, false, kEnglish), ""},
        {FormatLinkGroup(0, true, kEnglish, true), "Lock"},
    });
}

TEST(Texts, SameInBothLanguages)
{
    for (ELanguage language : {kChinese, kEnglish})
    {
        ExpectTexts({
            {FormatOn(1, language), "On"},
            {FormatOn(0, language), "Mute"},
            {FormatRoute(1, language), "On"},
            {FormatRoute(0, language), "Off"},
            {FormatGate(0, language), "OFF"},
            {FormatLimitThreshold(600, language), "OFF"},
        });
    }
}

TEST(Texts, ValuesOutsideAnEnumerationGiveNoText)
{
    for (const std::string& text :
         {FormatPolarity(2, kEnglish), FormatOn(-1), FormatRoute(2), FormatShelfSlope(2), FormatSlope(7),
          FormatSlope(-1), FormatXoverType(3, kChinese), FormatBandType(3, false, kEnglish),
          FormatBandType(-1, true, kEnglish)})
        EXPECT_EQ(text, "");
}

TEST(Texts, LockedParametersShowTheLockText)
{
    const char name[8] = {'I', 'n', 'A'};
    const std::vector<std::pair<const char*, std::function<std::string(ELanguage, bool)>>> forms = {
        {"gain", [](ELanguage l, bool k) { return FormatGain(300, l, k); }},
        {"gate", [](ELanguage l, bool k) { return FormatGate(0, l, k); }},
        {"delay", [](ELanguage l, bool k) { return FormatDelay(10, l, k); }},
        {"polarity", [](ELanguage l, bool k) { return FormatPolarity(1, l, k); }},
        {"on", [](ELanguage l, bool k) { return FormatOn(1, l, k); }},
        {"route", [](ELanguage l, bool k) { return FormatRoute(1, l, k); }},
        {"threshold", [](ELanguage l, bool k) { return FormatLimitThreshold(600, l, k); }},
        {"attack", [](ELanguage l, bool k) { return FormatAttack(3, l, k); }},
        {"release", [](ELanguage l, bool k) { return FormatRelease(50, l, k); }},
        {"eq gain", [](ELanguage l, bool k) { return FormatEqGain(400, true, l, k); }},
        {"freq", [](ELanguage l, bool k) { return FormatFreq(1000, l, k); }},
        {"bandwidth", [](ELanguage l, bool k) { return FormatBandwidth(99, l, k); }},
        {"q", [](ELanguage l, bool k) { return FormatQ(99, l, k); }},
        {"shelf slope", [](ELanguage l, bool k) { return FormatShelfSlope(1, l, k); }},
        {"slope", [](ELanguage l, bool k) { return FormatSlope(4, l, k); }},
        {"xover type", [](ELanguage l, bool k) { return FormatXoverType(0, l, k); }},
        {"band type", [](ELanguage l, bool k) { return FormatBandType(0, true, l, k); }},
        {"name", [&name](ELanguage l, bool k) { return FormatName(name, l, k); }},
    };
    for (const auto& [what, format] : forms)
    {
        SCOPED_TRACE(what);
        EXPECT_EQ(format(kEnglish, true), "Lock");
        EXPECT_EQ(format(kChinese, true), "锁定");
        EXPECT_NE(format(kEnglish, false), "Lock");
        EXPECT_NE(format(kChinese, false), "锁定");
    }
}

// ---- names and band summary ----------------------------------------------------------

TEST(Texts, ChannelNames)
{
    const char full[9] = {'O', 'u', 't', 'p', 'u', 't', '_', '1', 'X'};  // no NUL in the 8 bytes
    const char shortName[8] = {'S', 'u', 'b', '\0', 'x', 'y', 'z', '\0'};
    const char empty[8] = {};
    const char latin1[8] = {'C', 'a', 'f', '\xE9'};
    ExpectTexts({
        {FormatName(full), "Output_1"},
        {FormatName(shortName), "Sub"},
        {FormatName(empty), ""},
        {FormatName(latin1), "Caf\xC3\xA9"},
        {FormatName(nullptr), ""},
    });
}

TEST_P(Texts, BandSummary)
{
    ExpectTexts({
        {FormatBandSummary(kFilterParametric, 1000, 0.30, 3.0, false), "1000HZ 0.30Oct 3.0dB"},
        {FormatBandSummary(kFilterParametric, 1000, 0.30, 3.0, true), "1000HZ 0.30Oct 0.0dB"},
        {FormatBandSummary(kFilterParametric, 63, 3.0, -12.5, false), "63HZ 3.00Oct -12.5dB"},
        {FormatBandSummary(kFilterLowShelf, 100, 1.0, 6.0, false), "100HZ 6.0dB"},
        {FormatBandSummary(kFilterHighShelf, 8000, 1.0, -3.0, true), "8000HZ 0.0dB"},
        {FormatBandSummary(kFilterHighPass, 80, 1.0, 6.0, false), "80HZ "},
        {FormatBandSummary(kFilterLowPass, 20000, 1.0, 6.0, false), "20000HZ "},
        {FormatBandSummary(5, 1000, 1.0, 0.0, false), ""},
    });
}
