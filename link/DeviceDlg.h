#pragma once

#include "model/ValueText.h"
#include "wire/WireNumbers.h"

#include <QDialog>

#include <array>
#include <cstdint>

class QComboBox;
class QRadioButton;

// The Device dialog: give the connected processor a new ID, or switch to
// another processor on the same line. Modal; once accepted, Mode, NewId and
// ReconnectId say what to do.
class CDeviceDlg : public QDialog
{
    Q_OBJECT

public:
    enum EMode : int
    {
        kChangeId = 0,
        kReconnect = 1,
    };

    using DeviceIdTable = std::array<uint16_t, Frame::kDeviceIdCount>;

    // table: the IDs offered for re-connecting (non-zero entries);
    // bDeviceIdLocked: the "Device ID" system lock, which leaves only the
    // re-connect choice.
    CDeviceDlg(const DeviceIdTable& table, bool bDeviceIdLocked, ELanguage eLanguage, QWidget* pParent = nullptr);

    EMode Mode() const { return m_eMode; }
    int NewId() const { return m_nNewId; }
    // 0 when the table offers no ID.
    int ReconnectId() const { return m_nReconnectId; }

    void accept() override;

private:
    QRadioButton* m_pChange = nullptr;
    QRadioButton* m_pReconnect = nullptr;
    QComboBox* m_pNewId = nullptr;
    QComboBox* m_pReconnectId = nullptr;
    EMode m_eMode = kChangeId;
    int m_nNewId = 1;
    int m_nReconnectId = 0;
};
