#pragma once

#include "model/ValueText.h"

#include <QDialog>
#include <QPoint>

class CProgramManager;
class CTypedTextValidator;
class QButtonGroup;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTableWidget;

// The "Program" window: the processor's 30 program slots with their names,
// recall, store and delete on the processor, and one or all programs to and
// from files. Modal; every action that starts closes it, and the manager
// sees the transfer through. The system locks Load data, Save data and
// Delete data decide what can be started.
//
// Beyond the slots it shows which program the processor plays and whether
// the editor has changed it since it was recalled or stored.
class CProgramDlg : public QDialog
{
    Q_OBJECT

public:
    static constexpr QPoint kScreenPos{200, 20};

    enum EDeviceChoice : int
    {
        kRecallFromDevice,
        kStoreToDevice,
    };
    enum EPcChoice : int
    {
        kRecallFromPc,
        kStoreToPc,
        kRecallAllFromPc,
        kStoreAllToPc,
    };

    CProgramDlg(CProgramManager& manager, ELanguage eLanguage, QWidget* pParent);

    int SelectedSlot() const { return m_nSlot; }
    // As clicking the slot's row.
    void SelectSlot(int nSlot);
    // An action was started; the owner then shows the data transmission
    // window when connected.
    bool IsDone() const { return m_bDone; }

protected:
    void changeEvent(QEvent* pEvent) override;

private:
    void BuildUi();
    void RetranslateUi();
    void FillList();
    void ShowRow(int nSlot);
    void ApplyLocks();
    void OnDeviceChoice(int nChoice);
    void OnDeviceAction();
    void OnDelete();
    void OnPcAction();

    CProgramManager& m_manager;
    ELanguage m_eLanguage;
    int m_nSlot = 1;
    bool m_bDone = false;
    bool m_bEdited = false;
    bool m_bLoadLocked = false;
    bool m_bSaveLocked = false;
    bool m_bDeleteLocked = false;

    QGroupBox* m_pDeviceGroup = nullptr;
    QGroupBox* m_pPcGroup = nullptr;
    QButtonGroup* m_pDeviceChoice = nullptr;
    QButtonGroup* m_pPcChoice = nullptr;
    QRadioButton* m_apDeviceRadio[2] = {};
    QRadioButton* m_apPcRadio[4] = {};
    QTableWidget* m_pList = nullptr;
    QLabel* m_pLiveLabel = nullptr;
    QLabel* m_pNameLabel = nullptr;
    QLabel* m_pSlotLabel = nullptr;
    QLabel* m_pSlotNumber = nullptr;
    QLineEdit* m_pName = nullptr;
    CTypedTextValidator* m_pNameValidator = nullptr;
    QPushButton* m_pDeviceButton = nullptr;
    QPushButton* m_pDeleteButton = nullptr;
    QPushButton* m_pPcButton = nullptr;
};
