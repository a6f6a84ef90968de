#include "ui/ChannelLabel.h"
#include "model/ValueText.h"
#include "text/TextTable.h"

#include <gtest/gtest.h>

#include <array>

namespace
{
enum class ESample
{
    First,
    Second,
    Third,
};

using Pair = CTextPair<ESample>;

constexpr std::array kInOrder{
    Pair{ESample::First, "first", "第一"},
    Pair{ESample::Second, "second", "第二"},
    Pair{ESample::Third, "third", "第三"},
};
static_assert(InEnumOrder(kInOrder));

TEST(TextTableTest, OrderCheckRejectsSwappedMissingAndRepeatedRows)
{
    struct Case
    {
        const char* szName;
        std::array<Pair, 3> texts;
    };
    const Case cases[] = {
        {"swapped", {Pair{ESample::First, "", ""}, Pair{ESample::Third, "", ""}, Pair{ESample::Second, "", ""}}},
        {"first missing", {Pair{ESample::Second, "", ""}, Pair{ESample::Third, "", ""}, Pair{ESample::Third, "", ""}}},
        {"repeated", {Pair{ESample::First, "", ""}, Pair{ESample::First, "", ""}, Pair{ESample::Third, "", ""}}},
    };
    for (const Case& c : cases)
        EXPECT_FALSE(InEnumOrder(c.texts)) << c.szName;
}

TEST(TextTableTest, LanguageFlagPicksTheForm)
{
    EXPECT_EQ(PickText(kInOrder, ESample::Second, kEnglish), QStringLiteral("second"));
    EXPECT_EQ(PickText(kInOrder, ESample::Second, kChinese), QString::fromUtf8("第二"));
    EXPECT_EQ(PickText(kInOrder, ESample::Third, kChinese), QString::fromUtf8("第三"));
    EXPECT_EQ(PickText("HELP", "帮助", kChinese), QString::fromUtf8("帮助"));
    EXPECT_EQ(PickText("HELP", "帮助", kEnglish), QStringLiteral("HELP"));
}

TEST(ChannelLabelTest, InputsAreLettersAndOutputsNumbersFromOne)
{
    EXPECT_EQ(InputLabel(0), QStringLiteral("A"));
    EXPECT_EQ(InputLabel(3), QStringLiteral("D"));
    EXPECT_EQ(OutputLabel(0), QStringLiteral("1"));
    EXPECT_EQ(OutputLabel(7), QStringLiteral("8"));
}
}
