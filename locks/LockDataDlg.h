#pragma once

#include "locks/LockSelection.h"
#include "model/ValueText.h"

#include <QDialog>

#include <map>

class CProcessorLink;
class QCheckBox;

// The lock window: the function locks of the current program per input and
// output and the processor's system locks. The boxes edit a working copy;
// OK puts it into the lock state, sends it and tells every window. Closing
// the window any other way changes nothing.
class CLockDataDlg : public QDialog
{
    Q_OBJECT

public:
    CLockDataDlg(CProcessorLink& link, QWidget* pParent = nullptr);

    void accept() override;

    // The box of a lock flag; nullptr for a flag without one.
    QCheckBox* Box(int flag) const;
    // "Select all" of the inputs or the outputs.
    QCheckBox* SelectAll(CLockSelection::EGroup eGroup) const;

private:
    QWidget* MakeGroup(CLockSelection::EGroup eGroup, ELanguage eLanguage);
    // Shows the working copy: every box and both "Select all" boxes.
    void Refresh();

    CProcessorLink& m_link;
    CLockSelection m_selection;
    std::map<int, QCheckBox*> m_boxes;
    QCheckBox* m_pAllInputs = nullptr;
    QCheckBox* m_pAllOutputs = nullptr;
};
