// What the EQ panels show per band and the copy of a dragged band into its
// link group.

#include "model/EqPanelRules.h"

#include "model/Audio_Data.h"

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

TEST(EqPanelRules, DraggedInputBandReachesTheLinkedInputsOnlyOnce)
{
    CAudio_Data data;
    data.Inputs().SetLinkGroup(1, 0);
    data.ClearAllChanged(0);
    // What a drag does: the band of input A alone moves.
    CFilter& dragged = data.Input(0).GetBand(2);
    dragged.SetFrequency(2500);
    dragged.SetGainStep(460);
    dragged.SetBandwidthStep(80);

    EXPECT_TRUE(EqPanelRules::SpreadDraggedBand(data, true, 0, 2));

    const CFilter& peer = data.Input(1).GetBand(2);
    EXPECT_EQ(peer.GetFrequency(), 2500);
    EXPECT_EQ(peer.GetGainStep(), 460);
    EXPECT_EQ(peer.GetBandwidthStep(), 80);
    EXPECT_EQ(peer.IsChanged(), 1);
    EXPECT_NE(data.Input(2).GetBand(2).GetFrequency(), 2500);
    EXPECT_EQ(data.Input(2).GetBand(2).IsChanged(), 0);

    // Nothing differs any more: nothing is written or marked.
    data.ClearAllChanged(0);
    EXPECT_FALSE(EqPanelRules::SpreadDraggedBand(data, true, 0, 2));
    EXPECT_EQ(peer.IsChanged(), 0);
}

TEST(EqPanelRules, DraggedOutputBandKeepsShelfWidthsAndGraphicFrequencies)
{
    CAudio_Data data;
    data.Outputs().SetLinkGroup(3, 2);
    data.Output(2).SetGeqMode(0, 0);
    // Parametric low shelf: frequency and gain follow, the width does not.
    CFilter& shelf = data.Output(2).GetBand(0);
    shelf.SetFrequency(120);
    shelf.SetGainStep(430);
    shelf.SetBandwidthStep(99);
    EXPECT_TRUE(EqPanelRules::SpreadDraggedBand(data, false, 2, 0));
    const CFilter& peerShelf = data.Output(3).GetBand(0);
    EXPECT_EQ(peerShelf.GetFrequency(), 120);
    EXPECT_EQ(peerShelf.GetGainStep(), 430);
    EXPECT_NE(peerShelf.GetBandwidthStep(), 99);

    // Graphic mode: only the gain follows.
    data.Output(2).SetGeqMode(1, 0);
    data.Output(3).SetGeqMode(1, 0);
    CFilter& band = data.Output(2).GetBand(6);
    band.SetGainStep(350);
    EXPECT_TRUE(EqPanelRules::SpreadDraggedBand(data, false, 2, 6));
    EXPECT_EQ(data.Output(3).GetBand(6).GetGainStep(), 350);
    EXPECT_EQ(data.Output(3).GetBand(6).GetFrequency(), 400);
}
