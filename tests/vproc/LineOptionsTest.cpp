#include "vproc/LineOptions.h"

#include <gtest/gtest.h>

#include <vector>

using LineOptions::Assignment;

TEST(LineOptionsTest, IdListsTakeIdsAndRangesInAnyOrder)
{
    struct Case
    {
        const char* text;
        std::vector<int> ids;
    };
    for (const Case& c : {Case{"1-8", {1, 2, 3, 4, 5, 6, 7, 8}}, Case{"1,3,5-7", {1, 3, 5, 6, 7}},
                          Case{"250, 17 ,4-4", {4, 17, 250}}, Case{"249-250", {249, 250}}})
    {
        std::vector<int> ids;
        std::string strError;
        EXPECT_TRUE(LineOptions::ParseIds(c.text, ids, strError)) << c.text << ": " << strError;
        EXPECT_EQ(ids, c.ids) << c.text;
    }
}

TEST(LineOptionsTest, BadIdListsAreRefusedWithTheReason)
{
    struct Case
    {
        const char* text;
        const char* reason;
    };
    for (const Case& c :
         {Case{"", "\"\" is not a device ID"}, Case{"0-3", "\"0-3\" is not"}, Case{"1-251", "\"1-251\" is not"},
          Case{"8-1", "\"8-1\" is not"}, Case{"1,,2", "\"\" is not"}, Case{"1-", "\"1-\" is not"},
          Case{"3x", "\"3x\" is not"}, Case{"1-4,3", "device ID 3 is given twice"}})
    {
        std::vector<int> ids = {99};
        std::string strError;
        EXPECT_FALSE(LineOptions::ParseIds(c.text, ids, strError)) << c.text;
        EXPECT_NE(strError.find(c.reason), std::string::npos) << c.text << ": " << strError;
        EXPECT_EQ(ids, std::vector<int>{99}) << c.text;
    }
}

TEST(LineOptionsTest, AssignmentsGiveEachIdItsValue)
{
    std::vector<Assignment> assignments;
    std::string strError;
    ASSERT_TRUE(LineOptions::ParseAssignments("7:FOH: left,1-2:4,5:", assignments, strError)) << strError;
    EXPECT_EQ(assignments, (std::vector<Assignment>{{1, "4"}, {2, "4"}, {5, ""}, {7, "FOH: left"}}));

    for (const char* text : {"1", "1:6,1:4", "1-3:6,2:4", "0:6", ":6"})
    {
        std::vector<Assignment> none;
        EXPECT_FALSE(LineOptions::ParseAssignments(text, none, strError)) << text;
        EXPECT_TRUE(none.empty()) << text;
    }
}
