#include "report/ReportBuilder.h"

#include "model/Audio_Data.h"
#include "model/LockState.h"
#include "model/ParamCatalogue.h"
#include "model/ValueText.h"

#include <gtest/gtest.h>

namespace
{
constexpr int kTitle = 0;
constexpr int kFirstOutputColumn = 5;
constexpr int kFirstInputEqRow = 6;
constexpr int kLastInputEqRow = 29;
constexpr int kFirstSourceRow = 66;

class ReportBuilderTest : public ::testing::Test
{
protected:
    CAudio_Data m_data;
    CLockState m_locks;
};
}

TEST_F(ReportBuilderTest, FullProcessorGivesEveryRowAndColumn)
{
    ParamCatalogue::Set(EParam::kOutGain, m_data, {2, 0}, 250);
    const CReportTable table = BuildReportTable(m_data, &m_locks, 4, 8, kEnglish);

    ASSERT_EQ(table.ColumnCount(), 13);
    ASSERT_EQ(table.RowCount(), 79);
    EXPECT_EQ(table.Columns()[0].strHeading, "Type");
    EXPECT_EQ(table.Columns()[1].strHeading, "CH_A");
    EXPECT_EQ(table.Columns()[12].strHeading, "CH_8");
    EXPECT_EQ(table.Text(0, kTitle), "Name");
    EXPECT_EQ(table.Text(2, kTitle), "Gain");
    EXPECT_EQ(table.Text(6, kTitle), "EQ1 Type");
    EXPECT_EQ(table.Text(78, kTitle), "Release");
    EXPECT_EQ(table.Text(2, kFirstOutputColumn + 2), FormatGain(250, kEnglish));
    EXPECT_TRUE(table.IsNumber(2, kFirstOutputColumn + 2));
    // Inputs have six bands and no crossover; outputs no noise gate.
    EXPECT_EQ(table.Text(30, 1), "");
    EXPECT_EQ(table.Text(70, 1), "");
    EXPECT_EQ(table.Text(3, kFirstOutputColumn), "");
    // Bands alternate light and dark; the name row is red.
    EXPECT_EQ(table.Rows()[6].background, (ReportColour{202, 202, 202}));
    EXPECT_EQ(table.Rows()[10].background, (ReportColour{128, 128, 128}));
    EXPECT_EQ(table.Rows()[0].background, (ReportColour{243, 0, 0}));
}

TEST_F(ReportBuilderTest, SmallProcessorLeavesMissingChannelsAndSourcesEmpty)
{
    const CReportTable table = BuildReportTable(m_data, &m_locks, 2, 4, kChinese);

    EXPECT_EQ(table.Columns()[2].strHeading, "CH_B");
    EXPECT_EQ(table.Columns()[3].strHeading, "");
    EXPECT_EQ(table.Columns()[9].strHeading, "");
    EXPECT_EQ(table.Text(0, 3), "");
    EXPECT_EQ(table.Text(0, kFirstOutputColumn + 4), "");
    EXPECT_EQ(table.Text(kFirstSourceRow + 1, kTitle), "音源 CHB");
    EXPECT_EQ(table.Text(kFirstSourceRow + 2, kTitle), "");
    EXPECT_EQ(table.Text(kFirstSourceRow + 2, kFirstOutputColumn), "");
}

TEST_F(ReportBuilderTest, LocksShowTheLockTextInBothLanguages)
{
    m_locks.SetFlag(CLockState::kInEq, true);
    m_locks.SetFlag(CLockState::kOutXover, true);
    for (ELanguage language : {kChinese, kEnglish})
    {
        SCOPED_TRACE(language);
        const CReportTable table = BuildReportTable(m_data, &m_locks, 4, 8, language);
        for (int row = kFirstInputEqRow; row <= kLastInputEqRow; ++row)
            EXPECT_EQ(table.Text(row, 1), LockText(language)) << row;
        for (int row = 70; row <= 75; ++row)
            EXPECT_EQ(table.Text(row, kFirstOutputColumn), LockText(language)) << row;
        EXPECT_FALSE(table.IsNumber(kFirstInputEqRow + 1, 1));
        EXPECT_NE(table.Text(kFirstInputEqRow, kFirstOutputColumn), LockText(language));
    }
}
