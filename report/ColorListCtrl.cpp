#include "report/ColorListCtrl.h"

#include "report/ReportTable.h"

#include <QHeaderView>

#include <algorithm>

namespace
{
Qt::Alignment ToQtAlignment(EReportAlign align)
{
    switch (align)
    {
    case EReportAlign::Left:
        return Qt::AlignLeft | Qt::AlignVCenter;
    case EReportAlign::Right:
        return Qt::AlignRight | Qt::AlignVCenter;
    case EReportAlign::Centre:
        break;
    }
    return Qt::AlignCenter;
}

QColor ToQColor(const ReportColour& colour)
{
    return QColor(colour.r, colour.g, colour.b);
}
}

CColorListCtrl::CColorListCtrl(QWidget* pParent)
    : QTableWidget(pParent)
{
    setObjectName(QStringLiteral("ColorListCtrl"));
    setShowGrid(true);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    verticalHeader()->setVisible(false);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
}

void CColorListCtrl::ShowTable(const CReportTable& table)
{
    DeleteAllRows();
    setColumnCount(table.ColumnCount());
    for (int c = 0; c < table.ColumnCount(); ++c)
    {
        const ReportColumn& column = table.Columns()[static_cast<size_t>(c)];
        auto* heading = new QTableWidgetItem(QString::fromStdString(column.strHeading));
        heading->setTextAlignment(ToQtAlignment(column.eAlign));
        setHorizontalHeaderItem(c, heading);
        setColumnWidth(c, column.nWidth);
    }
    setRowCount(table.RowCount());
    for (int r = 0; r < table.RowCount(); ++r)
    {
        for (int c = 0; c < table.ColumnCount(); ++c)
        {
            auto* item = new QTableWidgetItem(QString::fromStdString(table.Text(r, c)));
            item->setTextAlignment(ToQtAlignment(table.Columns()[static_cast<size_t>(c)].eAlign));
            setItem(r, c, item);
        }
        const ReportRow& row = table.Rows()[static_cast<size_t>(r)];
        for (int c = 0; c < table.ColumnCount(); ++c)
            m_entries.push_back({r, c, ToQColor(row.text), ToQColor(row.background)});
    }
    ApplyAllColours();
}

void CColorListCtrl::SetCellColours(int nRow, int nColumn, const QColor& text, const QColor& background)
{
    m_entries.push_back({nRow, nColumn, text, background});
    ApplyColours(nRow, nColumn);
}

void CColorListCtrl::SetRowBackground(int nRow, const QColor& background)
{
    for (int c = 0; c < columnCount(); ++c)
        SetCellColours(nRow, c, Qt::black, background);
}

void CColorListCtrl::ClearColours()
{
    m_entries.clear();
    ApplyAllColours();
}

void CColorListCtrl::DeleteAllRows()
{
    m_entries.clear();
    setRowCount(0);
}

void CColorListCtrl::DeleteRow(int nRow)
{
    if (nRow < 0 || nRow >= rowCount())
        return;
    std::erase_if(m_entries, [nRow](const ColourEntry& entry) { return entry.nRow == nRow; });
    // Leaving the later entries at their numbers would paint each row below
    // in the colours of the row that was beneath it.
    for (ColourEntry& entry : m_entries)
        if (entry.nRow > nRow)
            --entry.nRow;
    removeRow(nRow);
}

QColor CColorListCtrl::CellTextColour(int nRow, int nColumn) const
{
    const ColourEntry* entry = EntryOf(nRow, nColumn);
    return entry ? entry->text : QColor();
}

QColor CColorListCtrl::CellBackground(int nRow, int nColumn) const
{
    const ColourEntry* entry = EntryOf(nRow, nColumn);
    return entry ? entry->background : QColor();
}

const CColorListCtrl::ColourEntry* CColorListCtrl::EntryOf(int nRow, int nColumn) const
{
    const auto found = std::find_if(m_entries.rbegin(), m_entries.rend(), [&](const ColourEntry& entry) {
        return entry.nRow == nRow && entry.nColumn == nColumn;
    });
    return found == m_entries.rend() ? nullptr : &*found;
}

void CColorListCtrl::ApplyColours(int nRow, int nColumn)
{
    QTableWidgetItem* cell = item(nRow, nColumn);
    if (!cell)
        return;
    const ColourEntry* entry = EntryOf(nRow, nColumn);
    cell->setForeground(entry ? QBrush(entry->text) : QBrush());
    cell->setBackground(entry ? QBrush(entry->background) : QBrush());
}

void CColorListCtrl::ApplyAllColours()
{
    for (int r = 0; r < rowCount(); ++r)
        for (int c = 0; c < columnCount(); ++c)
            ApplyColours(r, c);
}
