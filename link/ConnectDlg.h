#pragma once

#include "link/Serial/PortList.h"
#include "model/ValueText.h"

#include <QDialog>
#include <QList>
#include <QString>

class CConnection;
class QComboBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QTimer;

// The Connection dialog: the port to open and the device ID to talk to,
// with a search of the line for the IDs that answer. Modal; on Connect
// (accepted) PortName and DeviceId say what was chosen.
//
// The port box lists the machine's serial ports with their description and
// USB maker, the virtual processor first when one is running, and also
// takes a typed device path.
class CConnectDlg : public QDialog
{
    Q_OBJECT

public:
    static constexpr const char* kNoPort = "NULL";

    // ports: the machine's serial ports; strPresetPort: the port used last,
    // selected again when it is offered (or was typed).
    CConnectDlg(CConnection& connection, const QList<SerialPortEntry>& ports, const QString& strPresetPort,
                ELanguage eLanguage, QWidget* pParent = nullptr);

    QString PortName() const;
    // 0 when the device-ID list is empty.
    int DeviceId() const;
    // Chooses `nId` when the list offers it (the ID used last time).
    void SelectDeviceId(int nId);
    bool IsSearching() const;

    // The probe step; kSearchIntervalMs unless changed.
    void SetSearchIntervalMs(int nMs);

    // Leaving the dialog in any way ends a running search first.
    void done(int nResult) override;

    // The box saying why the connection's last open failed, with the advice.
    static void ShowOpenFailed(QWidget* pParent, const CConnection& connection, ELanguage eLanguage);

private:
    void FillPorts(const QList<SerialPortEntry>& ports, const QString& strPresetPort);
    void FillDeviceIds();
    void OnSearch();
    void OnSearchProbed(int nId);
    void OnSearchEnded();

    CConnection& m_connection;
    ELanguage m_eLanguage;
    QComboBox* m_pPort = nullptr;
    QComboBox* m_pDeviceId = nullptr;
    QPushButton* m_pSearch = nullptr;
    QPushButton* m_pConnect = nullptr;
    QProgressBar* m_pProgress = nullptr;
    QTimer* m_pSearchTimer = nullptr;
};
