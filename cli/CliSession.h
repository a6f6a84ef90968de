#pragma once

#include "Audio_Data.h"
#include "Command.h"
#include "Connection.h"
#include "LockState.h"
#include "ProgramTransfer.h"

#include <QList>
#include <QEventLoop>
#include <QObject>
#include <QString>

#include <functional>
#include <memory>

class CConsole;

// One processor, for the length of one command: the program's engine, its
// record and lock state, the connection procedure and the program transfers,
// driven by a local event loop. Every failure writes its one error line to
// the console; the caller only returns the exit status.
class CCliSession : public QObject
{
    Q_OBJECT

public:
    explicit CCliSession(CConsole& console, QObject* pParent = nullptr);
    ~CCliSession() override;

    // Opens the port, checks the device type and version and reads the
    // processor's whole state, as the main program connects. False when
    // that failed.
    bool Connect(const QString& strPort, int nDeviceId);
    // Starts a transfer with fnStart and waits until the processor has
    // answered all of it. False when fnStart refuses (it writes the error
    // line) or the connection dropped first.
    bool RunTransfer(const QString& strLabel, const std::function<bool(CProgramTransfer&)>& fnStart);
    // Probes the IDs nFirst..nLast on the port as the Connection dialog's
    // search does; the IDs that answered, in order. False when the port
    // could not be opened.
    bool Search(const QString& strPort, int nFirst, int nLast, QList<int>& lstFound);

    CCommand& Command() { return m_command; }
    CAudio_Data& Record() { return m_record; }
    CLockState& Locks() { return m_locks; }
    CConnection& Connection() { return *m_pConnection; }
    CProgramTransfer& Transfer() { return *m_pTransfer; }
    const QString& Port() const { return m_strPort; }

private:
    // Runs the event loop until done() holds or the connection drops; false
    // on the drop. done() is looked at again whenever Wake is called.
    bool RunUntil(const std::function<bool()>& done);
    void Wake();
    void OnDisconnected(CConnection::EReason eReason);

    CConsole& m_console;
    CCommand m_command;
    CAudio_Data m_record;
    CLockState m_locks;
    std::unique_ptr<CConnection> m_pConnection;
    std::unique_ptr<CProgramTransfer> m_pTransfer;
    QString m_strPort;
    QString m_strVersion;
    bool m_bFailed = false;
    QEventLoop* m_pLoop = nullptr;
};
