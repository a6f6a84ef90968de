// The one place a channel's wire code and column are worked out, against
// the record's own channel codes and the catalogue's notice codes.

#include "model/ChannelAddress.h"

#include "model/Audio_Data.h"
#include "model/ParamCatalogue.h"

#include <gtest/gtest.h>

#include <memory>

TEST(ChannelAddress, EveryChannelHasItsCodeAndColumn)
{
    struct Row
    {
        ChannelAddress address;
        int nCode;
        int nColumn;
    };
    const Row rows[] = {
        {ChannelAddress::Input(0), 1, 0},   {ChannelAddress::Input(1), 2, 1},    {ChannelAddress::Input(2), 3, 2},
        {ChannelAddress::Input(3), 4, 3},   {ChannelAddress::Output(0), 5, 4},   {ChannelAddress::Output(1), 6, 5},
        {ChannelAddress::Output(2), 7, 6},  {ChannelAddress::Output(3), 8, 7},   {ChannelAddress::Output(4), 9, 8},
        {ChannelAddress::Output(5), 10, 9}, {ChannelAddress::Output(6), 11, 10}, {ChannelAddress::Output(7), 12, 11},
    };
    auto pRecord = std::make_unique<CAudio_Data>();
    for (const Row& row : rows)
    {
        const ChannelAddress a = row.address;
        SCOPED_TRACE(row.nCode);
        EXPECT_TRUE(a.IsValid());
        EXPECT_EQ(a.Code(), row.nCode);
        EXPECT_EQ(a.Column(), row.nColumn);
        EXPECT_EQ(ChannelAddress::FromCode(row.nCode), a);
        EXPECT_EQ(ChannelAddress::FromColumn(row.nColumn), a);
        // The record agrees: the channel it hands out carries that code,
        // whether asked by address or by column.
        EXPECT_EQ(pRecord->Channel(a).GetChannel(), row.nCode);
        EXPECT_EQ(&pRecord->Channel(row.nColumn), &pRecord->Channel(a));
        // So do the catalogue's notices.
        const EParam gain = a.Pick(EParam::kInGain, EParam::kOutGain);
        EXPECT_EQ(ParamCatalogue::ChannelCode(gain, {a.nIndex, 0}), row.nCode);
    }
}

TEST(ChannelAddress, CodesOfNoChannelAndIndicesBeyondASideAreNoChannel)
{
    // 0 is the generator's code, 13 is past the last output.
    for (int nCode : {-1, 0, 13, 255})
        EXPECT_FALSE(ChannelAddress::FromCode(nCode).has_value()) << nCode;
    EXPECT_FALSE(ChannelAddress::Input(4).IsValid());
    EXPECT_FALSE(ChannelAddress::Output(8).IsValid());
    EXPECT_FALSE(ChannelAddress::Output(-1).IsValid());
    EXPECT_TRUE(ChannelAddress::Input(1).IsSameSide(ChannelAddress::Input(3)));
    EXPECT_FALSE(ChannelAddress::Input(1).IsSameSide(ChannelAddress::Output(1)));
    EXPECT_NE(ChannelAddress::Input(1), ChannelAddress::Output(1));
}
