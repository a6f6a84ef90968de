#include "model/ReportRows.h"

#include "model/Audio_Data.h"
#include "model/LockState.h"
#include "model/ParamCatalogue.h"

#include "tests/model/RecordFixture.h"

#include <gtest/gtest.h>

#include <vector>

namespace
{
using PC = CLockState;
}

TEST(ReportRows, TitlesInTheReportsOrder)
{
    const auto rows = ReportRows::Rows();
    ASSERT_EQ(rows.size(), 79u);
    struct Case
    {
        size_t row;
        const char* english;
        const char* chinese;
        EParamGroup group;
    };
    for (const Case& c : std::vector<Case>{
             {0, "Name", "通道名", EParamGroup::kName},
             {1, "Mute", "静音", EParamGroup::kSignal},
             {3, "NoiseGate", "噪声门", EParamGroup::kSignal},
             {5, "Delay", "延时", EParamGroup::kSignal},
             {6, "EQ1 Type", "均衡1 类型", EParamGroup::kEq},
             {7, "EQ1 Gain", "均衡1 增益", EParamGroup::kEq},
             {8, "EQ1 FQCY", "均衡1 频率", EParamGroup::kEq},
             {9, "EQ1 BW", "均衡1 带宽", EParamGroup::kEq},
             {65, "EQ15 BW", "均衡15 带宽", EParamGroup::kEq},
             {66, "Src CHA", "音源 CHA", EParamGroup::kRouting},
             {69, "Src CHD", "音源 CHD", EParamGroup::kRouting},
             {70, "XMode_Lo", "低通类型", EParamGroup::kLowPass},
             {72, "XSLope_Lo", "低通斜率", EParamGroup::kLowPass},
             {74, "XFQCY_Hi", "高通频率", EParamGroup::kHighPass},
             {76, "Threshold", "压限电平", EParamGroup::kLimiter},
             {78, "Release", "释放时间", EParamGroup::kLimiter},
         })
    {
        SCOPED_TRACE(c.english);
        EXPECT_EQ(ReportRows::Title(rows[c.row], kEnglish), c.english);
        EXPECT_EQ(ReportRows::Title(rows[c.row], kChinese), c.chinese);
        EXPECT_EQ(ReportRows::Group(rows[c.row]), c.group);
    }
}

TEST(ReportRows, CellsFollowTheChannelAndItsLocks)
{
    auto data = Fresh();
    const auto rows = ReportRows::Rows();
    auto cell = [&](size_t row, EParamSide side, int channel, const CLockState* locks = nullptr) {
        return ReportRows::Cell(rows[row], *data, side, channel, kEnglish, locks);
    };
    EXPECT_EQ(cell(0, EParamSide::kInput, 1), "B");
    EXPECT_EQ(cell(3, EParamSide::kInput, 0), "-80dBu");
    EXPECT_EQ(cell(3, EParamSide::kOutput, 0), "");
    EXPECT_EQ(cell(29, EParamSide::kInput, 0), "0.30oct");   // band 6 of an input
    EXPECT_EQ(cell(30, EParamSide::kInput, 0), "");          // inputs have no band 7
    EXPECT_EQ(cell(6, EParamSide::kOutput, 0), "Lo_Shf");
    EXPECT_EQ(cell(9, EParamSide::kOutput, 0), "6dB/oct");   // a shelf shows its slope
    EXPECT_EQ(cell(13, EParamSide::kOutput, 0), "0.30oct");
    EXPECT_EQ(cell(66, EParamSide::kOutput, 0), "On");
    EXPECT_EQ(cell(67, EParamSide::kOutput, 0), "Off");
    EXPECT_EQ(cell(66, EParamSide::kInput, 0), "");
    EXPECT_EQ(cell(71, EParamSide::kOutput, 0), "20000Hz");
    EXPECT_EQ(cell(74, EParamSide::kOutput, 0), "20Hz");
    EXPECT_EQ(cell(77, EParamSide::kOutput, 0), "50ms");

    CLockState locks;
    locks.SetFlag(PC::kInEq, true);
    locks.SetFlag(PC::kOutXover, true);
    for (size_t row = 6; row <= 29; ++row)
        EXPECT_EQ(cell(row, EParamSide::kInput, 3, &locks), "Lock") << row;
    for (size_t row = 70; row <= 75; ++row)
        EXPECT_EQ(cell(row, EParamSide::kOutput, 7, &locks), "Lock") << row;
    EXPECT_EQ(cell(6, EParamSide::kOutput, 0, &locks), "Lo_Shf");
    EXPECT_EQ(cell(76, EParamSide::kOutput, 0, &locks), "OFF");
}
