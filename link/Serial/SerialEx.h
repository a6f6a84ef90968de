#pragma once

#include "link/Serial/Serial.h"

#include <QObject>
#include <QSerialPort>

// A port that watches its line and reports events through OnEvent.
//
// The listener is the port's own readyRead and errorOccurred signals, so
// events arrive on the thread that owns the port, between its other calls;
// no thread of our own is needed. Received bytes give EEventRecv; an I/O
// error that leaves the port usable gives EEventError with EErrorIOE. Events
// outside the mask in force are not reported.
//
// A port that stops working while open (a USB adapter pulled out, the far
// side of a pseudo-terminal closed) is closed at once and reported through
// OnFault.
class CSerialEx : public QObject, public CSerial
{
    Q_OBJECT

public:
    explicit CSerialEx(QObject* pParent = nullptr);
    ~CSerialEx() override;

    // Opens the port and starts the listener; if the listener cannot start
    // the port is closed again and the error returned.
    int Open(const QString& strDevice, qint64 dwInQueue = 0, qint64 dwOutQueue = 0) override;
    int Close() override;

    int StartListener();
    int StopListener();
    bool IsListening() const { return static_cast<bool>(m_connReadyRead); }

protected:
    // dwEvent: the events that occurred, within the mask; never 0.
    // dwErrors: line error flags (EError), 0 unless EEventError is set.
    virtual void OnEvent(quint32 dwEvent, quint32 dwErrors) = 0;
    // The port has already been closed; nError tells why.
    virtual void OnFault(int nError) = 0;

private:
    void HandleReadyRead();
    void HandleError(QSerialPort::SerialPortError eError);

    QMetaObject::Connection m_connReadyRead;
    QMetaObject::Connection m_connError;
};
