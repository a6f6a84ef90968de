#pragma once

#include "link/Serial/SerialEx.h"

// A port that hands its line events to the owner as Qt signals.
//
// Events are delivered the way a posted window message would be: queued, so
// the owner's slot never runs inside one of the port's own calls (a Write
// that waits may take in bytes meanwhile). Events still queued when the port
// is closed or opened again are dropped. An owner that destroys the port from
// a slot of these signals does so with deleteLater.
class CSerialWnd : public CSerialEx
{
    Q_OBJECT

public:
    explicit CSerialWnd(QObject* pParent = nullptr);
    // Closes a port still open, tracing that the owner forgot to.
    ~CSerialWnd() override;

    int Open(const QString& strDevice, qint64 dwInQueue = 0, qint64 dwOutQueue = 0) override;
    int Close() override;

    static constexpr quint32 EventWord(quint32 wParam) { return wParam & 0xFFFFu; }
    static constexpr quint32 ErrorFlags(quint32 wParam) { return wParam >> 16; }

signals:
    // wParam: event word (CSerial::EEvent) in the low 16 bits, line error
    // flags (CSerial::EError) in the high 16 bits.
    void lineEvent(quint32 wParam);
    // The port stopped working and has been closed; nError is a system code
    // such as 1617 (ERROR_DEVICE_REMOVED).
    void lineFault(int nError);

protected:
    void OnEvent(quint32 dwEvent, quint32 dwErrors) override;
    void OnFault(int nError) override;

private:
    template <typename F>
    void Post(F fnEmit);

    // Bumped by every Open and Close, so queued events of an earlier opening
    // never reach the owner of a later one.
    quint64 m_nSession = 0;
};
