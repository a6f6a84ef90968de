#include "report/PrintLayout.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
struct PagesCase
{
    const char* szName;
    int nRows;
    int nRowsPerPage;
    int nPages;
    // rows of the last page that hold text, and empty ruled rows after them
    int nLastFirst;
    int nLastTextEnd;
};

class PageCountTest : public ::testing::TestWithParam<PagesCase>
{
};

TEST_P(PageCountTest, PagesAndRowsOfTheLastPage)
{
    const PagesCase& c = GetParam();
    EXPECT_EQ(PageCount(c.nRows, c.nRowsPerPage), c.nPages);
    const PageRows last = RowsOfPage(c.nPages, c.nRowsPerPage, c.nRows);
    EXPECT_EQ(last.nFirst, c.nLastFirst);
    EXPECT_EQ(last.nTextEnd, c.nLastTextEnd);
}

// 79 rows at 30 a page: page 3 holds rows 60 to 78 and 11 empty ruled rows.
// An exact fit ends on a page with rows: a page of nothing but an empty grid
// would be paper wasted.
INSTANTIATE_TEST_SUITE_P(Report, PageCountTest,
                         ::testing::Values(PagesCase{"SeventyNineAtThirty", 79, 30, 3, 60, 79},
                                           PagesCase{"ExactFit", 60, 30, 2, 30, 60},
                                           PagesCase{"OneRowOver", 61, 30, 3, 60, 61},
                                           PagesCase{"AllOnOnePage", 79, 85, 1, 0, 79},
                                           PagesCase{"OneRowAPage", 3, 1, 3, 2, 3},
                                           PagesCase{"NoRows", 0, 30, 1, 0, 0}),
                         [](const auto& info) { return std::string(info.param.szName); });

TEST(PrintLayoutTest, RowsOfAMiddlePage)
{
    const PageRows rows = RowsOfPage(2, 30, 79);
    EXPECT_EQ(rows.nFirst, 30);
    EXPECT_EQ(rows.nTextEnd, 60);
}

TEST(PrintLayoutTest, RowsPerPageLeaveTheHeaderHeadingFooterAndOneSpareRow)
{
    // 1000 - 100 header - 20 heading - 50 footer = 830 = 39 rows of 21, less one.
    EXPECT_EQ(RowsPerPage(1000, 100, 50, 20), 38);
    // A page too small for a single row still prints one a page rather than
    // dividing by zero or printing no rows at all.
    EXPECT_EQ(RowsPerPage(100, 90, 50, 20), 1);
    EXPECT_EQ(RowsPerPage(60, 0, 0, 20), 1);
}

TEST(PrintLayoutTest, ColumnsKeepTheirProportionsAndFillTheWidth)
{
    const std::vector<int> edges = ColumnEdges({90, 95, 190}, 3000);
    ASSERT_EQ(edges.size(), 4u);
    EXPECT_EQ(edges[0], 0);
    EXPECT_EQ(edges[1], 720);   // 90 / 375 of 3000
    EXPECT_EQ(edges[2], 1480);  // 185 / 375
    EXPECT_EQ(edges[3], 3000);
    EXPECT_EQ(edges[3] - edges[2], 2 * (edges[2] - edges[1]));

    // Truncated, not rounded: 1/3 and 2/3 of 100.
    EXPECT_EQ(ColumnEdges({1, 1, 1}, 100), (std::vector<int>{0, 33, 66, 100}));
    // Nothing to divide: every edge at 0.
    EXPECT_EQ(ColumnEdges({0, 0}, 100), (std::vector<int>{0, 0, 0}));
    EXPECT_EQ(ColumnEdges({}, 100), (std::vector<int>{0}));
}

TEST(PrintLayoutTest, TheGridEndsAboveTheFooterOnEveryPage)
{
    for (int nHeight : {300, 1000, 9000, 13000})
        for (int nRowHeight : {20, 137})
        {
            const PrintLayout layout = MakePrintLayout({5000, nHeight, nRowHeight, 250},
                                                       [](int) { return 400; }, {90, 95}, 79);
            if (RowsPerPage(nHeight, 400, 250, nRowHeight) > 1)
            {
                EXPECT_LE(layout.GridBottom() + nRowHeight, layout.nFooterTop) << nHeight << " " << nRowHeight;
            }
            EXPECT_EQ(layout.nPages, PageCount(79, layout.nRowsPerPage));
        }
}

TEST(PrintLayoutTest, HeaderGrowingWithThePageCountIsReservedOnEveryPage)
{
    // The page number wraps to a second line from ten pages on.
    int nAsked = 0;
    const auto header = [&nAsked](int nPages) {
        ++nAsked;
        return nPages >= 10 ? 200 : 100;
    };
    // 1000 - 100 - 10 - 0 = 890 -> 80 rows of 11, less one: 79 a page,
    // 800 rows in 11 pages; then 1000 - 200 - 10 = 790 -> 70 rows: 12 pages.
    const PrintLayout layout = MakePrintLayout({1000, 1000, 10, 0}, header, {1}, 800);
    EXPECT_EQ(layout.nHeaderHeight, 200);
    EXPECT_EQ(layout.nRowsPerPage, 70);
    EXPECT_EQ(layout.nPages, 12);
    EXPECT_EQ(layout.HeadingTop(), 200);
    EXPECT_EQ(layout.RowTop(0), 211);
    EXPECT_LE(layout.GridBottom(), layout.nFooterTop);
    EXPECT_LT(nAsked, 16);
}
}
