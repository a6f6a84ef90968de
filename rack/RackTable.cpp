#include "rack/RackTable.h"

#include "controls/ToggleButton.h"
#include "line/RackModel.h"
#include "rack/RackChoices.h"
#include "rack/RackText.h"
#include "rack/RackViewModel.h"

#include <QHeaderView>
#include <QLineEdit>

CRackTable::CRackTable(CRackModel& model, QWidget* pParent)
    : QTableView(pParent)
    , m_model(model)
{
    m_pView = new CRackViewModel(this);
    m_pView->setSourceModel(&m_model);
    setObjectName(QStringLiteral("RackTable"));
    setModel(m_pView);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    verticalHeader()->hide();
    horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    horizontalHeader()->setSectionResizeMode(CRackModel::kColumnLabel, QHeaderView::Stretch);
    horizontalHeader()->setSectionResizeMode(CRackModel::kColumnProgramName, QHeaderView::Stretch);
    verticalHeader()->setDefaultSectionSize(28);

    connect(&m_model, &QAbstractItemModel::modelReset, this, &CRackTable::BuildRowWidgets);
    connect(&m_model, &QAbstractItemModel::dataChanged, this, &CRackTable::RefreshRowWidgets);
}

void CRackTable::SetLanguage(ELanguage eLanguage)
{
    m_eLanguage = eLanguage;
    m_pView->SetLanguage(eLanguage);
    setAccessibleName(RackText(ERackText::Table, eLanguage));
    BuildRowWidgets();
}

void CRackTable::BuildRowWidgets()
{
    const QList<int> ids = m_model.Ids();
    for (int nRow = 0; nRow < ids.size(); ++nRow)
    {
        const int nId = ids.at(nRow);
        auto* pLabel = new QLineEdit(m_model.Find(nId)->strLabel);
        pLabel->setObjectName(QStringLiteral("RackLabel%1").arg(nId));
        pLabel->setAccessibleName(RackText(ERackText::LabelName, m_eLanguage).arg(nId));
        pLabel->setFrame(false);
        connect(pLabel, &QLineEdit::editingFinished, this, [this, nId] {
            if (QLineEdit* pField = LabelField(nId))
                emit labelEdited(nId, pField->text().trimmed());
        });
        setIndexWidget(m_pView->index(nRow, CRackModel::kColumnLabel), pLabel);
        // Made afresh in the language now in use.
        for (int nOutput = 0; nOutput < CRackModel::kOutputs; ++nOutput)
            setIndexWidget(m_pView->index(nRow, CRackModel::kColumnFirstMute + nOutput), nullptr);
    }
    RefreshRowWidgets();
}

CToggleButton* CRackTable::MakeMuteToggle(int nId, int nOutput)
{
    auto* pToggle = new CToggleButton(CToggleButton::EStyle::Mute);
    pToggle->setObjectName(QStringLiteral("RackMute%1_%2").arg(nId).arg(nOutput + 1));
    pToggle->setCheckable(true);
    pToggle->SetLanguage(m_eLanguage);
    pToggle->SetChannel(RackChoices::MuteChannel(nId, nOutput, m_eLanguage));
    connect(pToggle, &CToggleButton::clicked, this, [this, nId, nOutput] {
        RefreshRowWidgets(); // the toggle shows what the processor has until it changes
        emit muteClicked(nId, nOutput);
    });
    return pToggle;
}

void CRackTable::RefreshRowWidgets()
{
    for (const int nId : m_model.Ids())
    {
        const CRackModel::Row& row = *m_model.Find(nId);
        if (QLineEdit* pLabel = LabelField(nId); pLabel && !pLabel->hasFocus() && pLabel->text() != row.strLabel)
            pLabel->setText(row.strLabel);
        const int nRow = static_cast<int>(m_model.Ids().indexOf(nId));
        for (int nOutput = 0; nOutput < CRackModel::kOutputs; ++nOutput)
        {
            const QModelIndex cell = m_pView->index(nRow, CRackModel::kColumnFirstMute + nOutput);
            CToggleButton* pToggle = MuteToggle(nId, nOutput);
            // An output the model lacks, or mutes not read yet, have no toggle
            // (the view shows every widget a cell holds).
            if (!row.bMutesKnown || nOutput >= row.nOutputs)
            {
                if (pToggle)
                    setIndexWidget(cell, nullptr);
                continue;
            }
            if (!pToggle)
            {
                pToggle = MakeMuteToggle(nId, nOutput);
                setIndexWidget(cell, pToggle);
            }
            // Checked is on: the speaker of the panels' mute buttons.
            pToggle->setChecked(!row.abMuted.at(static_cast<size_t>(nOutput)));
        }
    }
}

CToggleButton* CRackTable::MuteToggle(int nId, int nOutput) const
{
    const int nRow = static_cast<int>(m_model.Ids().indexOf(nId));
    if (nRow < 0 || nOutput < 0 || nOutput >= CRackModel::kOutputs)
        return nullptr;
    return qobject_cast<CToggleButton*>(indexWidget(m_pView->index(nRow, CRackModel::kColumnFirstMute + nOutput)));
}

QLineEdit* CRackTable::LabelField(int nId) const
{
    const int nRow = static_cast<int>(m_model.Ids().indexOf(nId));
    if (nRow < 0)
        return nullptr;
    return qobject_cast<QLineEdit*>(indexWidget(m_pView->index(nRow, CRackModel::kColumnLabel)));
}

void CRackTable::SelectIds(const QList<int>& ids)
{
    clearSelection();
    const QList<int> all = m_model.Ids();
    for (const int nId : ids)
        if (const int nRow = static_cast<int>(all.indexOf(nId)); nRow >= 0)
            selectionModel()->select(m_pView->index(nRow, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
}

QList<int> CRackTable::SelectedIds() const
{
    QList<int> selected;
    const QList<int> all = m_model.Ids();
    for (const QModelIndex& index : selectionModel()->selectedRows())
        selected << all.value(index.row());
    return selected;
}

QList<int> CRackTable::TargetIds() const
{
    return RackChoices::TargetIds(SelectedIds(), m_model.Ids());
}
