#include "model/ParamCatalogue.h"

#include "model/Audio_Data.h"
#include "model/LockState.h"

#include "tests/LocaleTable.h"
#include "tests/model/RecordFixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

// The rows' texts: what a step shows, in every unit, language and field,
// and what a typed text gives back.

namespace
{
using PC = CLockState;

// The units a numeric row is shown in.
std::vector<EUnit> UnitsOf(const ParamRow& row)
{
    if (row.eEntry == EEntry::kDelay)
        return {EUnit::kNative, EUnit::kMetres, EUnit::kFeet};
    if (row.eEntry == EEntry::kBandwidth)
        return {EUnit::kNative, EUnit::kQ};
    return {EUnit::kNative};
}

// The tests of texts and typed values run under every table locale.
class CatalogueTexts : public TLocaleTable<>
{
};
INSTANTIATE_TEST_SUITE_P(Locales, CatalogueTexts, ::testing::ValuesIn(kTableLocales), LocaleTestName);
}

// Every text a row shows is the scale's own text form.
TEST_P(CatalogueTexts, TextsAreTheScalesTextForms)
{
    struct Case
    {
        EParam param;
        std::function<std::string(int step, ELanguage language, bool locked)> expected;
    };
    const std::vector<Case> cases{
        {EParam::kInOn, [](int s, ELanguage l, bool k) { return FormatOn(s, l, k); }},
        {EParam::kOutPolarity, [](int s, ELanguage l, bool k) { return FormatPolarity(s, l, k); }},
        {EParam::kInGain, [](int s, ELanguage l, bool k) { return FormatGain(s, l, k); }},
        {EParam::kOutDelay, [](int s, ELanguage l, bool k) { return FormatDelay(s, l, k); }},
        {EParam::kInGate, [](int s, ELanguage l, bool k) { return FormatGate(s, l, k); }},
        {EParam::kOutLink, [](int s, ELanguage l, bool k) { return FormatLinkGroup(s, true, l, k); }},
        {EParam::kInBandType, [](int s, ELanguage l, bool k) { return FormatBandType(s, false, l, k); }},
        {EParam::kOutBandFreq, [](int s, ELanguage l, bool k) { return FormatFreq(s, l, k); }},
        {EParam::kOutBandGain, [](int s, ELanguage l, bool k) { return FormatEqGain(s, false, l, k); }},
        {EParam::kInBandWidth, [](int s, ELanguage l, bool k) { return FormatBandwidth(s, l, k); }},
        {EParam::kOutBandSlope, [](int s, ELanguage l, bool k) { return FormatShelfSlope(s, l, k); }},
        {EParam::kOutRoute, [](int s, ELanguage l, bool k) { return FormatRoute(s, l, k); }},
        {EParam::kOutEqMode, [](int s, ELanguage l, bool k) { return FormatEqMode(s, l, k); }},
        {EParam::kLowPassType, [](int s, ELanguage l, bool k) { return FormatXoverType(s, l, k); }},
        {EParam::kHighPassSlope, [](int s, ELanguage l, bool k) { return FormatSlope(s, l, k); }},
        {EParam::kLimitThreshold, [](int s, ELanguage l, bool k) { return FormatLimitThreshold(s, l, k); }},
        {EParam::kLimitAttack, [](int s, ELanguage l, bool k) { return FormatAttack(s, l, k); }},
        {EParam::kLimitRelease, [](int s, ELanguage l, bool k) { return FormatRelease(s, l, k); }},
        {EParam::kGenType, [](int s, ELanguage l, bool k) { return FormatGenType(s, l, k); }},
        {EParam::kGenLevel, [](int s, ELanguage l, bool k) { return FormatGenLevel(s, l, k); }},
        {EParam::kGenParam, [](int s, ELanguage l, bool k) { return FormatSeconds(s, l, k); }},
    };
    for (const Case& c : cases)
    {
        const ParamRow& row = ParamCatalogue::Param(c.param);
        SCOPED_TRACE(ParamCatalogue::Caption(c.param, kEnglish));
        for (ELanguage language : {kEnglish, kChinese})
            for (bool locked : {false, true})
                for (int step = row.nMin; step <= row.nMax; ++step)
                    ASSERT_EQ(ParamCatalogue::FormatStep(c.param, step, language, locked), c.expected(step, language, locked))
                        << step;
    }
    EXPECT_EQ(ParamCatalogue::FormatStep(EParam::kInDelay, 1467, kEnglish, false, EUnit::kMetres), "340.000");
    EXPECT_EQ(ParamCatalogue::FormatStep(EParam::kInDelay, 1467, kEnglish, false, EUnit::kFeet), "1115.000");
    EXPECT_EQ(ParamCatalogue::FormatStep(EParam::kOutBandWidth, 99, kEnglish, false, EUnit::kQ), "1.414");
    EXPECT_EQ(ParamCatalogue::FormatStep(EParam::kOutBandWidth, 99, kChinese, true, EUnit::kQ), "锁定");
    EXPECT_EQ(ParamCatalogue::FormatStep(EParam::kOutBandType, 1, kEnglish, false, EUnit::kNative, {false, true}), "GEQ");
}

// Retyping what a field shows gives its step back, for every step of every
// row whose typed rule is exact.
TEST_P(CatalogueTexts, EveryShownValueParsesBackToItsStep)
{
    struct Case
    {
        EParam param;
        EUnit unit;
        int lastStep;  // a distance never reaches 1000 ms
    };
    const int rowMax = -1;
    const std::vector<Case> cases{
        {EParam::kInDelay, EUnit::kNative, rowMax},  {EParam::kOutDelay, EUnit::kMetres, kDelayMax - 1},
        {EParam::kInDelay, EUnit::kFeet, kDelayMax - 1}, {EParam::kOutBandFreq, EUnit::kNative, rowMax},
        {EParam::kInBandWidth, EUnit::kNative, rowMax}, {EParam::kOutBandWidth, EUnit::kQ, rowMax},
        {EParam::kLimitAttack, EUnit::kNative, rowMax}, {EParam::kLimitRelease, EUnit::kNative, rowMax},
        {EParam::kGenParam, EUnit::kNative, rowMax},   {EParam::kGenFreq, EUnit::kNative, rowMax},
    };
    for (const Case& c : cases)
    {
        const ParamRow& row = ParamCatalogue::Param(c.param);
        SCOPED_TRACE(ParamCatalogue::Caption(c.param, kEnglish));
        const int last = c.lastStep == rowMax ? row.nMax : c.lastStep;
        for (int step = row.nMin; step <= last; ++step)
        {
            const std::string shown = ParamCatalogue::FormatStep(c.param, step, kEnglish, false, c.unit);
            const TypedStep typed = ParamCatalogue::Parse(c.param, shown, -1, c.unit);
            ASSERT_EQ(typed.nStep, step) << shown;
            ASSERT_FALSE(typed.bOutOfRange) << shown;
        }
    }
    // Every text of a list, in either language.
    for (const ParamRow& row : ParamCatalogue::Params())
    {
        if (row.eEntry != EEntry::kChoice)
            continue;
        SCOPED_TRACE(ParamCatalogue::Caption(row.eParam, kEnglish));
        for (ELanguage language : {kEnglish, kChinese})
            for (int step = row.nMin; step <= row.nMax; ++step)
            {
                const std::string shown = ParamCatalogue::FormatStep(row.eParam, step, language);
                EXPECT_EQ(ParamCatalogue::Parse(row.eParam, shown, -1).nStep, step) << shown;
            }
    }
}

// What a numeric field shows, typed back, gives the step it shows: every
// step of every numeric row, in each unit the row is shown in.
TEST_P(CatalogueTexts, EveryFieldTextParsesBackToItsStep)
{
    for (const ParamRow& row : ParamCatalogue::Params())
    {
        if (row.eEntry == EEntry::kChoice || row.eEntry == EEntry::kText)
            continue;
        for (EUnit unit : UnitsOf(row))
        {
            SCOPED_TRACE(ParamCatalogue::Caption(row.eParam, kEnglish) + " unit " + std::to_string(int(unit)));
            // A distance never reaches 1000 ms.
            const bool distance = unit == EUnit::kMetres || unit == EUnit::kFeet;
            const int last = distance ? row.nMax - 1 : row.nMax;
            for (int step = row.nMin; step <= last; ++step)
            {
                const std::string shown = ParamCatalogue::FieldText(row.eParam, step, kEnglish, false, unit);
                const TypedStep typed = ParamCatalogue::Parse(row.eParam, shown, -1, unit);
                ASSERT_EQ(typed.nStep, step) << shown;
                ASSERT_FALSE(typed.bOutOfRange) << shown;
            }
        }
    }
}

TEST_P(CatalogueTexts, FieldTextsAreBareNumbers)
{
    struct Case
    {
        EParam param;
        int step;
        const char* text;
        EUnit unit = EUnit::kNative;
    };
    const std::vector<Case> cases{
        {EParam::kInGain, 28, "-27.2"},
        {EParam::kOutGain, 420, "12.0"},
        {EParam::kInGate, 0, "OFF"},
        {EParam::kInGate, 1, "-119"},
        {EParam::kLimitThreshold, 600, "OFF"},
        {EParam::kLimitThreshold, 599, "19.9"},
        {EParam::kOutBandGain, 400, "0.0"},
        {EParam::kGenLevel, 660, "6.0dBu"},
        {EParam::kInDelay, 1467, "1000.000"},
        {EParam::kInDelay, 477, "10.017"},
        {EParam::kOutDelay, 1467, "340.000", EUnit::kMetres},
        {EParam::kOutDelay, 1467, "1115.000", EUnit::kFeet},
        {EParam::kInBandFreq, 1000, "1000"},
        {EParam::kHighPassFreq, 20, "20Hz"},
        {EParam::kLowPassFreq, 20000, "20000Hz"},
        {EParam::kGenFreq, 440, "440Hz"},
        {EParam::kLimitAttack, 6, "0.9"},
        {EParam::kLimitAttack, 7, "1"},
        {EParam::kLimitRelease, 50, "50"},
        {EParam::kGenParam, 30, "30s"},
        {EParam::kInBandWidth, 29, "0.30"},
        {EParam::kOutBandWidth, 0, "144.27", EUnit::kQ},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ParamCatalogue::FieldText(c.param, c.step, kEnglish, false, c.unit), c.text);
    EXPECT_EQ(ParamCatalogue::FieldText(EParam::kInGain, 300, kEnglish, true), "Lock");
    EXPECT_EQ(ParamCatalogue::FieldText(EParam::kOutDelay, 3, kChinese, true, EUnit::kFeet), "锁定");
}

TEST_P(CatalogueTexts, TypedValuesFollowTheFieldsRules)
{
    struct Case
    {
        const char* name;
        EParam param;
        const char* typed;
        int current;
        int step;
        bool outOfRange;
        EUnit unit = EUnit::kNative;
    };
    const std::vector<Case> cases{
        {"gain above +12", EParam::kOutGain, "12.34", 300, 420, true},
        {"gain typed as shown keeps its step", EParam::kInGain, "-27.1", 300, 29, false},
        {"gain between steps truncates", EParam::kInGain, "-27.15", 300, 28, false},
        {"gain with its unit", EParam::kInGain, "0.0dB", 0, 300, false},
        {"gain with a decimal comma", EParam::kInGain, "-27,1", 300, 29, false},
        {"band gain with the minus sign and a comma", EParam::kOutBandGain, "\xE2\x88\x92" "3,5", 400, 365, false},
        {"milliseconds with a comma", EParam::kOutDelay, "10,017", 0, 477, false},
        {"feet with a comma", EParam::kOutDelay, "11,174", 0, 477, false, EUnit::kFeet},
        {"bandwidth with a comma", EParam::kInBandWidth, "0,30", 0, 29, false},
        {"Q with a comma", EParam::kOutBandWidth, "1,41", 0, 100, false, EUnit::kQ},
        {"attack with a comma and its unit", EParam::kLimitAttack, "0,6ms", 77, 3, false},
        {"generator level with a comma", EParam::kGenLevel, "-6,5dBu", 0, 535, false},
        {"frequency takes the digits before a comma", EParam::kOutBandFreq, "1000,9", 20, 1000, false},
        {"gate kept at OFF", EParam::kInGate, "OFF", 40, 0, false},
        {"gate below OFF", EParam::kInGate, "-130", 40, 0, true},
        {"threshold kept at OFF", EParam::kLimitThreshold, "OFF", 0, 600, false},
        {"generator level", EParam::kGenLevel, "0.0dBu", 0, 600, false},
        {"milliseconds at 1000", EParam::kInDelay, "1000", 0, 1467, false},
        {"milliseconds beyond 1000", EParam::kInDelay, "1000.5", 0, 1467, true},
        {"negative milliseconds", EParam::kOutDelay, "-1", 5, 0, true},
        {"metres 339", EParam::kInDelay, "339", 0, 1464, false, EUnit::kMetres},
        {"metres 345", EParam::kInDelay, "345", 0, 1466, true, EUnit::kMetres},
        {"frequency with unit", EParam::kHighPassFreq, "1000Hz", 20, 1000, false},
        {"frequency takes leading digits", EParam::kInBandFreq, "1000.9", 20, 1000, false},
        {"frequency above 20000", EParam::kGenFreq, "30000", 20, 20000, true},
        {"frequency of many digits", EParam::kGenFreq, "99999999999999999999999", 20, 20000, true},
        {"frequency below 20", EParam::kOutBandFreq, "5", 1000, 20, true},
        {"Q 1.41", EParam::kInBandWidth, "1.41", 0, 100, false, EUnit::kQ},
        {"Q 200", EParam::kInBandWidth, "200", 0, 0, true, EUnit::kQ},
        {"bandwidth 4", EParam::kInBandWidth, "4", 0, 299, true},
        {"attack between 0.9 and 1", EParam::kLimitAttack, "0.95", 77, 77, false},
        {"attack 0.6", EParam::kLimitAttack, "0.6ms", 77, 3, false},
        {"release below 50", EParam::kLimitRelease, "10", 500, 50, true},
        {"sweep with its unit", EParam::kGenParam, "12s", 2, 12, false},
        {"crossover type in Chinese", EParam::kLowPassType, "巴特沃斯", 0, 2, false},
        {"crossover type in English", EParam::kHighPassType, "Bessel", 0, 1, false},
        {"unknown choice", EParam::kOutPolarity, "?", 1, 1, true},
        {"no number", EParam::kOutGain, "", 250, 250, true},
        {"not a number", EParam::kInDelay, "nan", 9, 9, true},
        {"a name is not parsed", EParam::kInName, "A", 0, 0, true},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        const TypedStep typed = ParamCatalogue::Parse(c.param, c.typed, c.current, c.unit);
        EXPECT_EQ(typed.nStep, c.step);
        EXPECT_EQ(typed.bOutOfRange, c.outOfRange);
    }
}

// Every text of every row (both languages, every unit, the full and the
// field form) and the step its field text parses to, written down under each
// table locale: the lists match line by line. The field text with a decimal
// comma parses to the same step.
TEST(ParamCatalogue, TextsAndTypedValuesAreTheSameInEveryLocale)
{
    // The first field text whose comma form parses otherwise, if any.
    std::string commaMismatch;
    auto describe = [&commaMismatch] {
        std::vector<std::string> lines;
        for (const ParamRow& row : ParamCatalogue::Params())
        {
            if (row.eEntry == EEntry::kText)
                continue;
            for (EUnit unit : UnitsOf(row))
                for (ELanguage language : {kEnglish, kChinese})
                    for (int step = row.nMin; step <= row.nMax; ++step)
                    {
                        const std::string field = ParamCatalogue::FieldText(row.eParam, step, language, false, unit);
                        std::string comma = field;
                        std::ranges::replace(comma, '.', ',');
                        const TypedStep typed = ParamCatalogue::Parse(row.eParam, field, -1, unit);
                        const TypedStep typedComma = ParamCatalogue::Parse(row.eParam, comma, -1, unit);
                        const std::string where = ParamCatalogue::Caption(row.eParam, kEnglish) + " unit "
                                                  + std::to_string(static_cast<int>(unit)) + " language "
                                                  + std::to_string(language) + " step " + std::to_string(step);
                        if (commaMismatch.empty()
                            && (typedComma.nStep != typed.nStep || typedComma.bOutOfRange != typed.bOutOfRange))
                            commaMismatch = where + ": " + comma;
                        lines.push_back(where + ": " + ParamCatalogue::FormatStep(row.eParam, step, language, false, unit)
                                        + " | " + field + " -> " + std::to_string(typed.nStep)
                                        + (typed.bOutOfRange ? " out of range" : ""));
                    }
        }
        return lines;
    };
    std::vector<std::vector<std::string>> byLocale;
    for (const TableLocale& locale : kTableLocales)
    {
        const CLocaleScope scope(locale.pszName);
        ASSERT_TRUE(InEffect(scope, locale));
        byLocale.push_back(describe());
        EXPECT_EQ(commaMismatch, "") << locale.pszName;
    }
    ASSERT_GT(byLocale.front().size(), 100000u);
    for (size_t locale = 1; locale < byLocale.size(); ++locale)
    {
        SCOPED_TRACE(kTableLocales[locale].pszName);
        ASSERT_EQ(byLocale[locale].size(), byLocale.front().size());
        for (size_t i = 0; i < byLocale.front().size(); ++i)
            ASSERT_EQ(byLocale[locale][i], byLocale.front()[i]);
    }
}

TEST(ParamCatalogue, LockedParametersShowTheLockText)
{
    auto data = Fresh();
    CLockState locks;
    locks.SetFlag(PC::kInGain, true);
    locks.SetFlag(PC::kOutEq, true);
    for (ELanguage language : {kEnglish, kChinese})
    {
        const std::string lock = LockText(language);
        EXPECT_EQ(ParamCatalogue::Format(EParam::kInGain, *data, {1}, language, &locks), lock);
        EXPECT_EQ(ParamCatalogue::Format(EParam::kOutBandFreq, *data, {1, 4}, language, &locks), lock);
        EXPECT_EQ(ParamCatalogue::Format(EParam::kOutEqMode, *data, {1}, language, &locks), lock);
        EXPECT_EQ(ParamCatalogue::Format(EParam::kOutGain, *data, {1}, language, &locks), "0.0dB");
        EXPECT_EQ(ParamCatalogue::Format(EParam::kInBandFreq, *data, {1, 0}, language, &locks), "20Hz");
        EXPECT_EQ(ParamCatalogue::Format(EParam::kInGain, *data, {1}, language, nullptr), "0.0dB");
    }
    locks.SetFlag(PC::kOutName, true);
    EXPECT_EQ(ParamCatalogue::Format(EParam::kOutName, *data, {0}, kEnglish, &locks), "Lock");
    EXPECT_EQ(ParamCatalogue::Format(EParam::kInName, *data, {0}, kEnglish, &locks), "A");
    for (int flag = 0; flag < PC::kFlagCount; ++flag)
        locks.SetFlag(flag, true);
    EXPECT_EQ(ParamCatalogue::Format(EParam::kGenLevel, *data, {}, kEnglish, &locks), "0.0dBu");
}
