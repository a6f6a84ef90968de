#pragma once

#include "model/ValueText.h"

#include <QList>
#include <QTableView>

class CRackModel;
class CRackViewModel;
class CToggleButton;
class QLineEdit;

// The rack window's table: one row a processor, with a label field and a
// mute toggle per output placed in the row's cells and kept current with
// the model. What the user does in them goes out as signals.
class CRackTable : public QTableView
{
    Q_OBJECT

public:
    // The model must outlive the table.
    explicit CRackTable(CRackModel& model, QWidget* pParent = nullptr);

    // The language of the view, its name and the row controls (made afresh).
    void SetLanguage(ELanguage eLanguage);

    // The mute toggle and the label field of a row; null for an ID not in the rack.
    CToggleButton* MuteToggle(int nId, int nOutput) const;
    QLineEdit* LabelField(int nId) const;

    // Selects the rows of these IDs (none: no row).
    void SelectIds(const QList<int>& ids);
    // The IDs of the selected rows.
    QList<int> SelectedIds() const;
    // The IDs an operation takes now: the selected rows, or all.
    QList<int> TargetIds() const;

signals:
    // The user clicked the mute toggle of a row's output (0-based).
    void muteClicked(int nId, int nOutput);
    // The user has finished editing a row's label (trimmed).
    void labelEdited(int nId, const QString& strLabel);

private:
    void BuildRowWidgets();
    void RefreshRowWidgets();
    CToggleButton* MakeMuteToggle(int nId, int nOutput);

    CRackModel& m_model;
    CRackViewModel* m_pView = nullptr;
    ELanguage m_eLanguage = kEnglish;
};
