// What the EQ panels show per band.

#include "model/EqPanelRules.h"

#include <gtest/gtest.h>

using EqPanelRules::BandFields;

TEST(EqPanelRules, GraphicQChoicesMapToTheirBandwidthStepsAndBack)
{
    const struct
    {
        int nStep;
        int nChoice;
        const char* pszText;
    } rows[] = {{21, 0, "6.551"}, {26, 1, "5.336"}, {33, 2, "4.233"}};
    for (const auto& row : rows)
    {
        EXPECT_EQ(EqPanelRules::GraphicQChoice(row.nStep), row.nChoice) << row.nStep;
        EXPECT_STREQ(EqPanelRules::GraphicQText(row.nChoice), row.pszText);
    }
    // A width no entry shows (the parametric default) leaves the combo alone.
    EXPECT_EQ(EqPanelRules::GraphicQChoice(29), -1);
    EXPECT_STREQ(EqPanelRules::ShelfSlopeText(1), "12dB/Oct");
}

TEST(EqPanelRules, OutputBandFieldsFollowTheModeAndTheShelves)
{
    const struct
    {
        const char* pszName;
        bool bGraphic;
        int nBand;
        BandFields fields;
    } rows[] = {
        {"parametric low shelf", false, 0, {true, false, true, true, false}},
        {"parametric peak", false, 7, {true, true, true, false, false}},
        {"parametric high shelf", false, 14, {true, false, true, true, false}},
        {"graphic band 1 holds the Q", true, 0, {false, false, false, false, true}},
        {"graphic peak", true, 7, {false, true, false, false, false}},
        {"graphic band 15 shows its width", true, 14, {false, true, false, false, false}},
    };
    for (const auto& row : rows)
    {
        const BandFields f = EqPanelRules::OutputBandFields(row.bGraphic, row.nBand);
        EXPECT_EQ(f.bFrequencyEnabled, row.fields.bFrequencyEnabled) << row.pszName;
        EXPECT_EQ(f.bWidthShown, row.fields.bWidthShown) << row.pszName;
        EXPECT_EQ(f.bWidthEnabled, row.fields.bWidthEnabled) << row.pszName;
        EXPECT_EQ(f.bSlopeShown, row.fields.bSlopeShown) << row.pszName;
        EXPECT_EQ(f.bGraphicQShown, row.fields.bGraphicQShown) << row.pszName;
    }
}
