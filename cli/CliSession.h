#pragma once

#include "model/ValueText.h"
#include "session/ProcessorLink.h"

#include <QList>
#include <QEventLoop>
#include <QObject>
#include <QString>

#include <functional>

class CConsole;

// One processor, for the length of one command: the program's processor link
// (engine, record, locks, connection procedure and transfers), driven by a
// local event loop. Every failure writes its one error line to
// the console; the caller only returns the exit status. A port that fails
// is reported with the message and advice the main program's windows give,
// in the session's language.
class CCliSession : public QObject
{
    Q_OBJECT

public:
    // eLanguage: the language flag (ValueText.h) of the port messages.
    CCliSession(CConsole& console, ELanguage eLanguage, QObject* pParent = nullptr);
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

    // The one line that says why a connection of `link` ended, as this
    // session reports it; empty for a disconnect the user asked for.
    static QString DisconnectLine(CConnection::EReason eReason, const CProcessorLink& link);
    // The line after the port of `connection` could not be opened.
    static QString OpenFailedLine(const CConnection& connection, ELanguage eLanguage);

    CCommand& Command() { return m_link.Command(); }
    CAudio_Data& Record() { return m_link.Record(); }
    CLockState& Locks() { return m_link.Locks(); }
    CConnection& Connection() { return m_link.Connection(); }
    CProgramTransfer& Transfer() { return m_link.Transfer(); }
    const CSessionState& Session() const { return m_link.Session(); }
    ELanguage Language() const { return m_link.Notice().Language(); }

private:
    // Runs the event loop until done() holds or the connection drops; false
    // on the drop. done() is looked at again whenever Wake is called.
    bool RunUntil(const std::function<bool()>& done);
    void Wake();
    void OnDisconnected(CConnection::EReason eReason);
    // The error line after the port could not be opened.
    void ReportOpenFailed();

    CConsole& m_console;
    CProcessorLink m_link;
    bool m_bFailed = false;
    QEventLoop* m_pLoop = nullptr;
};
