#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The parameter report as plain data: what the Data View window shows, what
// the export writes and what printing lays out. Column 0 holds the row
// titles; texts are UTF-8 exactly as shown.
struct ReportColour
{
    uint8_t r = 0;
    uint8_t g = 0;
    uint8_t b = 0;

    friend bool operator==(const ReportColour&, const ReportColour&) = default;
};

enum class EReportAlign
{
    Left,
    Centre,
    Right,
};

struct ReportColumn
{
    std::string strHeading;
    int nWidth = 0;  // on-screen width in pixels; printing keeps the proportions
    EReportAlign eAlign = EReportAlign::Centre;
};

enum class EReportCell
{
    Text,
    // A decimal figure, maybe followed by its unit ("-3.5dB", "1000Hz"); a
    // spreadsheet gets the figure as a number. Lock texts and empty cells
    // are never numbers.
    Number,
    // Typed by a user (a channel name): a spreadsheet must show it as the
    // text it is, never read it as a number or a formula.
    UserText,
};

struct ReportCell
{
    std::string strText;
    EReportCell eKind = EReportCell::Text;
};

struct ReportRow
{
    std::string strTitle;
    ReportColour background{255, 255, 255};
    ReportColour text{0, 0, 0};
    // One cell per column after the title column; missing cells read empty.
    std::vector<ReportCell> cells;
};

class CReportTable
{
public:
    void AddColumn(ReportColumn column) { m_columns.push_back(std::move(column)); }
    void AddRow(ReportRow row) { m_rows.push_back(std::move(row)); }

    const std::vector<ReportColumn>& Columns() const { return m_columns; }
    const std::vector<ReportRow>& Rows() const { return m_rows; }
    int ColumnCount() const { return static_cast<int>(m_columns.size()); }
    int RowCount() const { return static_cast<int>(m_rows.size()); }
    bool IsEmpty() const { return m_rows.empty() || m_columns.empty(); }

    // The text shown at (row, column): the title in column 0, "" outside
    // the table or past a row's cells.
    const std::string& Text(int row, int column) const;
    // Whether (row, column) holds a number, or a user's text; never for
    // column 0.
    bool IsNumber(int row, int column) const;
    bool IsUserText(int row, int column) const;

private:
    const ReportCell* Cell(int row, int column) const;

    std::vector<ReportColumn> m_columns;
    std::vector<ReportRow> m_rows;
};
