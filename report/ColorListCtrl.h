#pragma once

#include <QColor>
#include <QTableWidget>

#include <vector>

class CReportTable;

// A read-only table with grid lines and whole-row selection whose cells can
// be coloured one by one. Colour entries pile up; for a cell the last
// matching entry wins, and a cell without one keeps the palette's colours.
class CColorListCtrl : public QTableWidget
{
    Q_OBJECT

public:
    explicit CColorListCtrl(QWidget* pParent = nullptr);

    // Replaces everything shown with the table: headings, widths, texts and
    // one background entry per row.
    void ShowTable(const CReportTable& table);

    void SetCellColours(int nRow, int nColumn, const QColor& text, const QColor& background);
    // One entry per column, text black.
    void SetRowBackground(int nRow, const QColor& background);
    void ClearColours();
    // Also clears every colour entry.
    void DeleteAllRows();
    // Drops the row's entries; entries of the rows below move up with them.
    void DeleteRow(int nRow);

    // The colours a cell is drawn in; invalid colours where no entry applies.
    QColor CellTextColour(int nRow, int nColumn) const;
    QColor CellBackground(int nRow, int nColumn) const;

private:
    struct ColourEntry
    {
        int nRow;
        int nColumn;
        QColor text;
        QColor background;
    };

    const ColourEntry* EntryOf(int nRow, int nColumn) const;
    void ApplyColours(int nRow, int nColumn);
    void ApplyAllColours();

    std::vector<ColourEntry> m_entries;
};
