// The one rule for linked channels, as the catalogue applies it to every
// edit: what the other members of a group take, and what a member whose own
// mode cannot hold a value keeps.

#include "model/LinkRule.h"

#include "model/Audio_Data.h"

#include <gtest/gtest.h>

#include <vector>

TEST(LinkRule, AnEditedBandReachesTheLinkedInputsOnlyOnce)
{
    CAudio_Data data;
    data.Inputs().SetLinkGroup(1, 0);
    data.ClearAllChanged(false);
    EXPECT_TRUE(ParamCatalogue::Set(EParam::kInBandFreq, data, {0, 2}, 2500));
    EXPECT_TRUE(ParamCatalogue::Set(EParam::kInBandGain, data, {0, 2}, 460));
    EXPECT_TRUE(ParamCatalogue::Set(EParam::kInBandWidth, data, {0, 2}, 80));

    const CFilter& peer = data.Input(1).GetBand(2);
    EXPECT_EQ(peer.GetFrequency(), 2500);
    EXPECT_EQ(peer.GetGainStep(), 460);
    EXPECT_EQ(peer.GetBandwidthStep(), 80);
    EXPECT_EQ(peer.IsChanged(), 1);
    EXPECT_NE(data.Input(2).GetBand(2).GetFrequency(), 2500);
    EXPECT_EQ(data.Input(2).GetBand(2).IsChanged(), 0);

    // Nothing differs any more: nothing is written or marked.
    data.ClearAllChanged(false);
    EXPECT_FALSE(ParamCatalogue::Set(EParam::kInBandGain, data, {0, 2}, 460));
    EXPECT_EQ(peer.IsChanged(), 0);
}

// A value reaches a member only where the member's own mode can hold it.
TEST(LinkRule, AMemberTakesWhatItsOwnModeCanHold)
{
    struct Case
    {
        const char* pszName;
        bool bMemberGraphic;
        bool bPeerGraphic;
        EParam eParam;
        int nBand;
        int nStep;
        bool bTaken;
    };
    const std::vector<Case> cases{
        {"frequency, both parametric", false, false, EParam::kOutBandFreq, 6, 500, true},
        {"frequency, peer graphic: keeps its fixed one", false, true, EParam::kOutBandFreq, 6, 500, false},
        {"width, both parametric", false, false, EParam::kOutBandWidth, 6, 80, true},
        {"width of the low shelf", false, false, EParam::kOutBandWidth, 0, 80, false},
        {"width of the high shelf", false, false, EParam::kOutBandWidth, 14, 80, false},
        {"width, both graphic: the graphic width", true, true, EParam::kOutBandWidth, 6, 40, true},
        {"width, peer graphic: a parametric width is no Q", false, true, EParam::kOutBandWidth, 6, 80, false},
        {"gain, peer graphic", false, true, EParam::kOutBandGain, 6, 450, true},
        {"slope of the low shelf", false, false, EParam::kOutBandSlope, 0, 1, true},
    };
    for (const Case& c : cases)
    {
        CAudio_Data data;
        data.Outputs().SetLinkGroup(4, 1);
        // Straight on the records: a group whose members differ in mode.
        data.Output(1).SetGeqMode(c.bMemberGraphic ? 1 : 0, 0);
        data.Output(4).SetGeqMode(c.bPeerGraphic ? 1 : 0, 0);
        data.ClearAllChanged(false);
        const int before = ParamCatalogue::Get(c.eParam, data, {4, c.nBand});

        EXPECT_TRUE(ParamCatalogue::Set(c.eParam, data, {1, c.nBand}, c.nStep)) << c.pszName;
        EXPECT_EQ(LinkRule::Takes(data, c.eParam, {1, c.nBand}, 4), c.bTaken) << c.pszName;
        EXPECT_EQ(ParamCatalogue::Get(c.eParam, data, {4, c.nBand}), c.bTaken ? c.nStep : before) << c.pszName;
        EXPECT_EQ(data.Output(4).GetBand(c.nBand).IsChanged(), c.bTaken ? 1 : 0) << c.pszName;
    }

    // An input band made a shelf keeps its width too.
    CAudio_Data data;
    data.Inputs().SetLinkGroup(3, 0);
    ParamCatalogue::Set(EParam::kInBandType, data, {0, 1}, CFilter::kLowShelf);
    EXPECT_EQ(data.Input(3).GetBand(1).GetType(), CFilter::kLowShelf);
    const int width = data.Input(3).GetBand(1).GetBandwidthStep();
    ParamCatalogue::Set(EParam::kInBandWidth, data, {0, 1}, 150);
    EXPECT_EQ(data.Input(3).GetBand(1).GetBandwidthStep(), width);
}

TEST(LinkRule, NameMuteRoutingAndTheGeneratorStayWithTheirChannel)
{
    for (const ParamRow& row : ParamCatalogue::Params())
    {
        const bool bOwn = row.eEntry == EEntry::kText || row.eSide == EParamSide::kProgram
                          || row.eParam == EParam::kInOn || row.eParam == EParam::kOutOn
                          || row.eParam == EParam::kOutRoute || row.eParam == EParam::kInLink
                          || row.eParam == EParam::kOutLink;
        EXPECT_EQ(LinkRule::Spreads(row.eParam), !bOwn) << row.pszEnglish;
    }
}

TEST(LinkRule, PeersAreTheOtherMembersInChannelOrder)
{
    CAudio_Data data;
    data.Outputs().SetLinkGroup(6, 3);
    data.Outputs().SetLinkGroup(1, 3);
    EXPECT_EQ(LinkRule::Peers(data, EParamSide::kOutput, 3), (std::vector<int>{1, 6}));
    EXPECT_EQ(LinkRule::Peers(data, EParamSide::kOutput, 6), (std::vector<int>{1, 3}));
    EXPECT_TRUE(LinkRule::Peers(data, EParamSide::kInput, 3).empty());
    EXPECT_TRUE(LinkRule::Peers(data, EParamSide::kProgram, 0).empty());
}

TEST(LinkRule, AJoiningChannelTakesTheLowestMembersSoundAndIsNotMarked)
{
    CAudio_Data data;
    data.Outputs().SetLinkGroup(5, 2);
    ParamCatalogue::Set(EParam::kOutGain, data, {2, 0}, 250);
    ParamCatalogue::Set(EParam::kOutBandGain, data, {2, 3}, 470);
    ParamCatalogue::Set(EParam::kOutRoute, data, {2, 3}, 1);
    data.Output(6).SetGain(100);
    data.ClearAllChanged(false);

    EXPECT_EQ(LinkRule::Join(data.Outputs(), 7, 2), 2);
    const CAudio_OutData& joined = data.Output(7);
    EXPECT_EQ(joined.GetGain(), 250);
    EXPECT_EQ(joined.GetBand(3).GetGainStep(), 470);
    EXPECT_EQ(joined.GetRoute(), 1);
    EXPECT_TRUE(joined.IsLinked());
    EXPECT_FALSE(joined.IsParamChanged());
    EXPECT_FALSE(joined.GetBand(3).IsChanged());

    // A group of its own: nobody to take from.
    EXPECT_EQ(LinkRule::Join(data.Outputs(), 6, 6), -1);
    EXPECT_EQ(data.Output(6).GetGain(), 100);
}
