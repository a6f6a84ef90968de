#include "report/PrintLayout.h"

#include <algorithm>
#include <cstdint>
#include <numeric>

int RowsPerPage(int nHeight, int nHeaderHeight, int nFooterHeight, int nRowHeight)
{
    const int nRemaining = nHeight - nHeaderHeight - nRowHeight - nFooterHeight;
    if (nRowHeight < 0 || nRemaining <= 0)
        return 1;
    return std::max(1, nRemaining / (nRowHeight + 1) - 1);
}

int PageCount(int nRows, int nRowsPerPage)
{
    const int nPerPage = std::max(1, nRowsPerPage);
    return std::max(1, (std::max(0, nRows) + nPerPage - 1) / nPerPage);
}

std::vector<int> ColumnEdges(const std::vector<int>& widths, int nWidth)
{
    std::vector<int> edges(widths.size() + 1, 0);
    int64_t nTotal = 0;
    for (int w : widths)
        nTotal += std::max(0, w);
    int64_t nSum = 0;
    for (size_t i = 0; i < widths.size(); ++i)
    {
        nSum += std::max(0, widths[i]);
        edges[i + 1] = nTotal > 0 ? static_cast<int>(nSum * nWidth / nTotal) : 0;
    }
    return edges;
}

PageRows RowsOfPage(int nPage, int nRowsPerPage, int nRows)
{
    PageRows rows;
    rows.nFirst = (nPage - 1) * nRowsPerPage;
    rows.nTextEnd = std::clamp(nRows, rows.nFirst, rows.nFirst + nRowsPerPage);
    return rows;
}

PrintLayout MakePrintLayout(const PrintMetrics& metrics, const std::function<int(int nPages)>& headerHeight,
                            const std::vector<int>& widths, int nRows)
{
    PrintLayout layout;
    layout.nRowHeight = metrics.nRowHeight;
    layout.nFooterTop = metrics.nHeight - metrics.nFooterHeight;
    layout.columnEdges = ColumnEdges(widths, metrics.nWidth);

    // A taller header means fewer rows a page and so perhaps more pages,
    // whose page number may need a taller header again. The header height
    // only grows, so this settles within a few rounds.
    int nPages = 1;
    for (int nRound = 0; nRound < 16; ++nRound)
    {
        layout.nHeaderHeight = std::max(layout.nHeaderHeight, headerHeight(nPages));
        layout.nRowsPerPage =
            RowsPerPage(metrics.nHeight, layout.nHeaderHeight, metrics.nFooterHeight, metrics.nRowHeight);
        const int nNeeded = PageCount(nRows, layout.nRowsPerPage);
        if (nNeeded == nPages)
            break;
        nPages = std::max(nPages, nNeeded);
    }
    layout.nPages = PageCount(nRows, layout.nRowsPerPage);
    return layout;
}
