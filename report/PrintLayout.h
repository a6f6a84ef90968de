#pragma once

#include <functional>
#include <vector>

// Page arithmetic of the printed report, in device units of the printable
// area (the page less its margins). Every page has, from the top: the page
// header, the column heading row, the table rows each one unit apart, and
// the footer at the bottom.
struct PrintMetrics
{
    int nWidth = 0;         // printable width
    int nHeight = 0;        // printable height
    int nRowHeight = 0;     // height of one table row
    int nFooterHeight = 0;  // height reserved at the bottom for the footer
};

struct PrintLayout
{
    int nRowHeight = 0;
    int nHeaderHeight = 0;
    int nFooterTop = 0;
    int nRowsPerPage = 1;
    int nPages = 1;
    // Left edges of the columns and the right edge of the last, n + 1 in all.
    std::vector<int> columnEdges;

    // Top of the column heading row; the same on every page, so that no
    // page's rows sit lower than the layout allowed for.
    int HeadingTop() const { return nHeaderHeight; }
    // Top of the i-th table row of a page (0-based).
    int RowTop(int i) const { return HeadingTop() + (i + 1) * (nRowHeight + 1); }
    // Bottom of the last row of a page.
    int GridBottom() const { return RowTop(nRowsPerPage); }
};

// Rows that fit below the header and heading row and above the footer, one
// spare row kept free. Never less than one, so that a tiny page still
// prints rather than dividing by zero.
int RowsPerPage(int nHeight, int nHeaderHeight, int nFooterHeight, int nRowHeight);

// Pages needed for the rows: a page count that divides the rows exactly
// leaves no page behind with nothing but an empty grid.
int PageCount(int nRows, int nRowsPerPage);

// Column edges scaled so that the table fills the width; every column keeps
// its share of the on-screen width. Positions are truncated to whole units.
std::vector<int> ColumnEdges(const std::vector<int>& widths, int nWidth);

// Rows of page p (1-based): the ruled rows [nFirst, nFirst + rows per page)
// of which [nFirst, nTextEnd) hold rows of the table.
struct PageRows
{
    int nFirst = 0;
    int nTextEnd = 0;
};
PageRows RowsOfPage(int nPage, int nRowsPerPage, int nRows);

// The layout of a table of nRows rows. The page header's height may depend
// on the page count (the page number text "Page 9 of 10" can wrap where
// "Page 1 of 9" does not); headerHeight(nPages) gives the tallest header of
// a document of nPages pages, and the layout reserves room for it on every
// page.
PrintLayout MakePrintLayout(const PrintMetrics& metrics, const std::function<int(int nPages)>& headerHeight,
                            const std::vector<int>& widths, int nRows);
