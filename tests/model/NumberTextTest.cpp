#include "model/NumberText.h"

#include "tests/LocaleTable.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <limits>
#include <string>
#include <vector>

namespace
{
struct FixedCase
{
    double value;
    int decimals;
};

// Halves at the last decimal, values a hair beside them, negative zero and
// values that round to it, and the extremes.
const std::vector<FixedCase> kFixedCases{
    {0.0, 1},          {-0.0, 1},      {-0.04, 1},   {0.05, 1},     {0.25, 1},      {0.35, 1},
    {2.5, 0},          {3.5, 0},       {-2.5, 0},    {0.125, 2},    {0.305, 2},     {1.005, 2},
    {10.0175, 3},      {999.0175, 3},  {-27.15, 1},  {300 * 0.1 - 30, 1},           {29 * 0.1 - 30, 1},
    {144.265, 2},      {1114.4425, 3}, {1e20, 1},    {-1e300, 0},   {std::numeric_limits<double>::max(), 3},
    {std::numeric_limits<double>::denorm_min(), 3},  {std::numeric_limits<double>::infinity(), 1},
};

std::string CPrintf(double value, int decimals)
{
    char text[400];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}
}

// The texts were written with printf under the C locale; FixedText gives the
// same bytes without asking the locale.
TEST(NumberText, FixedTextIsPrintfUnderTheCLocale)
{
    const CLocaleScope c("C");
    ASSERT_TRUE(c.IsSet());
    for (const FixedCase& f : kFixedCases)
        EXPECT_EQ(FixedText(f.value, f.decimals), CPrintf(f.value, f.decimals)) << f.value << " " << f.decimals;
}

class NumberTextLocales : public TLocaleTable<>
{
};
INSTANTIATE_TEST_SUITE_P(Locales, NumberTextLocales, ::testing::ValuesIn(kTableLocales), LocaleTestName);

TEST_P(NumberTextLocales, FixedTextWritesAPoint)
{
    EXPECT_EQ(FixedText(-3.5, 1), "-3.5");
    EXPECT_EQ(FixedText(20000.0, 2), "20000.00");
    EXPECT_EQ(FixedText(0.3, 2), "0.30");
}

TEST(NumberText, DecimalPointTextTakesACommaAndTheMinusSign)
{
    const struct
    {
        const char* typed;
        const char* read;
    } cases[] = {
        {"-3,5", "-3.5"},
        {"\xE2\x88\x92" "3,5", "-3.5"},
        {"\xE2\x88\x92" "3.5dB", "-3.5dB"},
        {" 0,30oct", " 0.30oct"},
        {"12.0", "12.0"},
        {"1,000,5", "1.000.5"},
        // a lone first byte of the minus sign stays as it is
        {"\xE2\x88" "3", "\xE2\x88" "3"},
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DecimalPointText(c.typed), c.read) << c.typed;
}
