#include "report/ReportTable.h"

namespace
{
const std::string& EmptyText()
{
    static const std::string empty;
    return empty;
}
}

const ReportCell* CReportTable::Cell(int row, int column) const
{
    if (row < 0 || row >= RowCount() || column < 1 || column >= ColumnCount())
        return nullptr;
    const std::vector<ReportCell>& cells = m_rows[static_cast<size_t>(row)].cells;
    const size_t index = static_cast<size_t>(column - 1);
    return index < cells.size() ? &cells[index] : nullptr;
}

const std::string& CReportTable::Text(int row, int column) const
{
    if (column == 0 && row >= 0 && row < RowCount() && ColumnCount() > 0)
        return m_rows[static_cast<size_t>(row)].strTitle;
    const ReportCell* cell = Cell(row, column);
    return cell ? cell->strText : EmptyText();
}

bool CReportTable::IsNumber(int row, int column) const
{
    const ReportCell* cell = Cell(row, column);
    return cell && cell->eKind == EReportCell::Number;
}

bool CReportTable::IsUserText(int row, int column) const
{
    const ReportCell* cell = Cell(row, column);
    return cell && cell->eKind == EReportCell::UserText;
}
