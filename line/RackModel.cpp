#include "line/RackModel.h"

#include "line/LineText.h"
#include "model/ValueText.h"

#include <algorithm>

CRackModel::CRackModel(QObject* pParent)
    : QAbstractTableModel(pParent)
    , m_eLanguage(kEnglish)
{
}

void CRackModel::SetIds(const QList<int>& ids)
{
    QList<int> sorted = ids;
    std::sort(sorted.begin(), sorted.end());
    sorted.erase(std::unique(sorted.begin(), sorted.end()), sorted.end());
    std::vector<Row> rows;
    for (const int nId : sorted)
    {
        Row row;
        row.nId = nId;
        const Row* pKept = Find(nId);
        rows.push_back(pKept ? *pKept : row);
    }
    beginResetModel();
    m_rows = std::move(rows);
    endResetModel();
}

QList<int> CRackModel::Ids() const
{
    QList<int> ids;
    for (const Row& row : m_rows)
        ids << row.nId;
    return ids;
}

const CRackModel::Row* CRackModel::Find(int nId) const
{
    const auto it = std::find_if(m_rows.begin(), m_rows.end(), [nId](const Row& row) { return row.nId == nId; });
    return it == m_rows.end() ? nullptr : &*it;
}

void CRackModel::Update(int nId, const std::function<void(Row&)>& fn)
{
    const auto it = std::find_if(m_rows.begin(), m_rows.end(), [nId](const Row& row) { return row.nId == nId; });
    if (it == m_rows.end())
        return;
    const Row before = *it;
    fn(*it);
    it->nId = nId;
    if (*it == before)
        return;
    const int nRow = static_cast<int>(it - m_rows.begin());
    emit dataChanged(index(nRow, 0), index(nRow, kColumnCount - 1));
}

void CRackModel::SetLabel(int nId, const QString& strLabel)
{
    Update(nId, [&](Row& row) { row.strLabel = strLabel; });
}

void CRackModel::SetLanguage(ELanguage eLanguage)
{
    m_eLanguage = eLanguage;
    emit headerDataChanged(Qt::Horizontal, 0, kColumnCount - 1);
    if (!m_rows.empty())
        emit dataChanged(index(0, 0), index(rowCount() - 1, kColumnCount - 1));
}

int CRackModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

int CRackModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : kColumnCount;
}

QString CRackModel::Text(const Row& row, int nColumn) const
{
    switch (nColumn)
    {
    case kColumnId:
        return QString::number(row.nId);
    case kColumnLabel:
        return row.strLabel;
    case kColumnModel:
        return row.nInputs == 0 ? QString()
                                : LineText(ELineText::ModelText, m_eLanguage).arg(row.nInputs).arg(row.nOutputs);
    case kColumnFirmware:
        return row.strFirmware;
    case kColumnProgram:
        return row.nProgram == 0 ? QString() : QString::number(row.nProgram);
    case kColumnProgramName:
        return row.strProgramName;
    default:
        return {};
    }
}

QVariant CRackModel::data(const QModelIndex& index, int nRole) const
{
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= kColumnCount)
        return {};
    const Row& row = m_rows.at(static_cast<size_t>(index.row()));
    const int nColumn = index.column();
    if (nRole == kEditedRole)
        return row.bEdited;
    if (nRole == Qt::DisplayRole)
        return Text(row, nColumn);
    if (nRole != Qt::CheckStateRole)
        return {};
    if (nColumn == kColumnOnline)
        return row.bOnline ? Qt::Checked : Qt::Unchecked;
    const int nOutput = nColumn - kColumnFirstMute;
    // An output the model lacks, or mutes not read yet, shows no toggle.
    if (nOutput < 0 || !row.bMutesKnown || nOutput >= row.nOutputs)
        return {};
    return row.abMuted.at(static_cast<size_t>(nOutput)) ? Qt::Checked : Qt::Unchecked;
}

QVariant CRackModel::headerData(int nSection, Qt::Orientation orientation, int nRole) const
{
    if (orientation != Qt::Horizontal || nRole != Qt::DisplayRole || nSection < 0 || nSection >= kColumnCount)
        return QAbstractTableModel::headerData(nSection, orientation, nRole);
    switch (nSection)
    {
    case kColumnId:
        return LineText(ELineText::ColumnId, m_eLanguage);
    case kColumnLabel:
        return LineText(ELineText::ColumnLabel, m_eLanguage);
    case kColumnModel:
        return LineText(ELineText::ColumnModel, m_eLanguage);
    case kColumnFirmware:
        return LineText(ELineText::ColumnFirmware, m_eLanguage);
    case kColumnProgram:
        return LineText(ELineText::ColumnProgram, m_eLanguage);
    case kColumnProgramName:
        return LineText(ELineText::ColumnProgramName, m_eLanguage);
    case kColumnOnline:
        return LineText(ELineText::ColumnOnline, m_eLanguage);
    default:
        return LineText(ELineText::ColumnMute, m_eLanguage).arg(nSection - kColumnFirstMute + 1);
    }
}
