#include "link/Serial/SerialEx.h"

#include "link/Serial/SerialError.h"

#include <QDebug>

using namespace SerialError;

CSerialEx::CSerialEx(QObject* pParent)
    : QObject(pParent)
{
}

CSerialEx::~CSerialEx()
{
    StopListener();
}

int CSerialEx::Open(const QString& strDevice, qint64 dwInQueue, qint64 dwOutQueue)
{
    const int nError = CSerial::Open(strDevice, dwInQueue, dwOutQueue);
    if (nError != kSuccess)
        return nError;

    const int nListenerError = StartListener();
    if (nListenerError != kSuccess)
    {
        CSerial::Close();
        return SetError(nListenerError);
    }
    return SetError(kSuccess);
}

int CSerialEx::Close()
{
    StopListener();
    return CSerial::Close();
}

int CSerialEx::StartListener()
{
    if (!IsOpen())
        return SetError(kInvalidHandle);
    if (IsListening())
        return SetError(kSuccess);

    m_connReadyRead = connect(&Port(), &QSerialPort::readyRead, this, &CSerialEx::HandleReadyRead);
    m_connError = connect(&Port(), &QSerialPort::errorOccurred, this, &CSerialEx::HandleError);
    if (!m_connReadyRead || !m_connError)
    {
        StopListener();
        return Fail("CSerialEx::StartListener - Unable to start COMM watcher thread", kGenFailure);
    }
    return SetError(kSuccess);
}

int CSerialEx::StopListener()
{
    disconnect(m_connReadyRead);
    disconnect(m_connError);
    m_connReadyRead = {};
    m_connError = {};
    return kSuccess;
}

void CSerialEx::HandleReadyRead()
{
    const quint32 dwEvent = EEventRecv & GetEventMask();
    if (dwEvent != 0)
        OnEvent(dwEvent, EErrorNone);
}

void CSerialEx::HandleError(QSerialPort::SerialPortError eError)
{
    switch (eError)
    {
    case QSerialPort::ResourceError:
    case QSerialPort::ReadError:
    {
        // A readable port that yields no data has lost its device (a pseudo-
        // terminal whose far side closed reads end-of-file, a pulled adapter
        // fails). Qt would report it again on every pass of the event loop,
        // so the port is closed here and now.
        qWarning("CSerialEx::ThreadProc - Unable to wait until COM event has arrived");
        const int nError = FromQt(eError);
        Close();
        SetError(nError);
        OnFault(nError);
        break;
    }
    case QSerialPort::WriteError:
    case QSerialPort::UnknownError:
        if (EEventError & GetEventMask())
            OnEvent(EEventError, EErrorIOE);
        break;
    default:
        // Failures of our own calls (open, settings, time-outs) come back
        // through their return codes.
        break;
    }
}
