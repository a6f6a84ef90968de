#include "link/Serial/Serial.h"

#include "link/Serial/SerialError.h"

#include <QDeadlineTimer>
#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <QSerialPort>

using namespace SerialError;

CSerial::CSerial()
    : m_pPort(std::make_unique<QSerialPort>())
{
}

CSerial::~CSerial()
{
    CSerial::Close();
}

QString CSerial::SystemLocation(const QString& strDevice)
{
    QString strLocation = strDevice;
    // The Windows device form names the same port QSerialPort opens by name.
    const QString strWin32Prefix = QStringLiteral("\\\\.\\");
    if (strLocation.startsWith(strWin32Prefix))
        strLocation.remove(0, strWin32Prefix.size());

    // Resolving a symlink lets the port lock see the real device, so the same
    // port opened under two names is still refused as in use.
    if (QDir::isAbsolutePath(strLocation))
    {
        const QString strCanonical = QFileInfo(strLocation).canonicalFilePath();
        if (!strCanonical.isEmpty())
            strLocation = strCanonical;
    }
    return strLocation;
}

int CSerial::Fail(const char* pszTrace, int nError)
{
    qWarning("%s", pszTrace);
    return SetError(nError);
}

int CSerial::TakePortError(int nFallback)
{
    const QSerialPort::SerialPortError eError = m_pPort->error();
    m_pPort->clearError();
    return eError == QSerialPort::NoError ? nFallback : FromQt(eError);
}

int CSerial::Open(const QString& strDevice, qint64 /*dwInQueue*/, qint64 /*dwOutQueue*/)
{
    if (IsOpen())
        return Fail("CSerial::Open - Port already opened", kAlreadyInitialized);

    const QString strLocation = SystemLocation(strDevice);
    if (strLocation.isEmpty())
        return Fail("CSerial::Open - Unable to open port", kFileNotFound);

    m_pPort->setPortName(strLocation);
    if (!m_pPort->open(QIODevice::ReadWrite))
    {
        int nError = TakePortError(kGenFailure);
        // Qt reports a port held by another program (busy device, lock file)
        // as a permission error too; the advice to the user differs.
        if (nError == kAccessDenied && QFileInfo(strLocation).isReadable() && QFileInfo(strLocation).isWritable())
            nError = kSharingViolation;
        return Fail("CSerial::Open - Unable to open port", nError);
    }

    m_dwEventMask = EEventBreak | EEventError | EEventRecv;
    return SetError(kSuccess);
}

int CSerial::Close()
{
    if (IsOpen())
        m_pPort->close();
    m_pPort->clearError();
    return SetError(kSuccess);
}

int CSerial::Setup(qint32 nBaudrate, EDataBits eDataBits, EParity eParity, EStopBits eStopBits)
{
    if (!IsOpen())
        return SetError(kInvalidHandle);

    QSerialPort::Parity eQtParity = QSerialPort::NoParity;
    switch (eParity)
    {
    case EParNone: eQtParity = QSerialPort::NoParity; break;
    case EParOdd: eQtParity = QSerialPort::OddParity; break;
    case EParEven: eQtParity = QSerialPort::EvenParity; break;
    case EParMark: eQtParity = QSerialPort::MarkParity; break;
    case EParSpace: eQtParity = QSerialPort::SpaceParity; break;
    default: return Fail("CSerial::Setup - Unable to set DCB information", kInvalidParameter);
    }

    QSerialPort::StopBits eQtStopBits = QSerialPort::OneStop;
    switch (eStopBits)
    {
    case EStop1: eQtStopBits = QSerialPort::OneStop; break;
    case EStop1_5: eQtStopBits = QSerialPort::OneAndHalfStop; break;
    case EStop2: eQtStopBits = QSerialPort::TwoStop; break;
    default: return Fail("CSerial::Setup - Unable to set DCB information", kInvalidParameter);
    }

    if (nBaudrate <= 0 || eDataBits < EData5 || eDataBits > EData8)
        return Fail("CSerial::Setup - Unable to set DCB information", kInvalidParameter);

    const bool fOk = m_pPort->setBaudRate(nBaudrate)
        && m_pPort->setDataBits(static_cast<QSerialPort::DataBits>(eDataBits))
        && m_pPort->setParity(eQtParity)
        && m_pPort->setStopBits(eQtStopBits);
    if (!fOk)
        return Fail("CSerial::Setup - Unable to set DCB information", TakePortError(kGenFailure));
    return SetError(kSuccess);
}

int CSerial::SetupHandshaking(EHandshake eHandshake)
{
    if (!IsOpen())
        return SetError(kInvalidHandle);

    QSerialPort::FlowControl eFlow = QSerialPort::NoFlowControl;
    switch (eHandshake)
    {
    case EHandshakeOff: eFlow = QSerialPort::NoFlowControl; break;
    case EHandshakeHardware: eFlow = QSerialPort::HardwareControl; break;
    case EHandshakeSoftware: eFlow = QSerialPort::SoftwareControl; break;
    default: return Fail("CSerial::Setup - Unable to set DCB information", kInvalidParameter);
    }
    if (!m_pPort->setFlowControl(eFlow))
        return Fail("CSerial::Setup - Unable to set DCB information", TakePortError(kGenFailure));

    if (eHandshake == EHandshakeOff)
    {
        // Modem lines are a courtesy to the far end; a port that has none
        // (a pseudo-terminal, some USB bridges) still carries the data.
        const bool fLinesOk = m_pPort->setDataTerminalReady(false) && m_pPort->setRequestToSend(false);
        const QSerialPort::SerialPortError eError = m_pPort->error();
        if (!fLinesOk && eError != QSerialPort::UnsupportedOperationError)
            return Fail("CSerial::Setup - Unable to set DCB information", TakePortError(kGenFailure));
        m_pPort->clearError();
    }
    return SetError(kSuccess);
}

int CSerial::SetupReadTimeouts(EReadTimeout eReadTimeout)
{
    if (!IsOpen())
        return SetError(kInvalidHandle);
    // QSerialPort reads are non-blocking by nature; there is nothing else to set.
    return SetError(eReadTimeout == EReadTimeoutNonblocking ? kSuccess : kInvalidParameter);
}

int CSerial::SetMask(quint32 dwMask)
{
    if (!IsOpen())
        return SetError(kInvalidHandle);
    m_dwEventMask = dwMask & EEventAll;
    return SetError(kSuccess);
}

int CSerial::Write(const void* pData, qint64 iLen, qint64* pdwWritten, int nWaitMs)
{
    if (pdwWritten)
        *pdwWritten = 0;
    if (!IsOpen())
        return SetError(kInvalidHandle);
    if (iLen <= 0)
        return SetError(kSuccess);

    const QDeadlineTimer deadline(nWaitMs);
    const qint64 dwQueued = m_pPort->write(static_cast<const char*>(pData), iLen);
    if (dwQueued != iLen)
    {
        m_pPort->clear(QSerialPort::Output);
        return Fail("CSerial::Write - Unable to write the data", TakePortError(kWriteFault));
    }

    int nError = kSuccess;
    while (IsOpen() && m_pPort->bytesToWrite() > 0)
    {
        const int nLeftMs = deadline.isForever() ? -1 : static_cast<int>(deadline.remainingTime());
        if ((!deadline.isForever() && nLeftMs <= 0) || !m_pPort->waitForBytesWritten(nLeftMs))
        {
            nError = m_pPort->error() == QSerialPort::NoError || m_pPort->error() == QSerialPort::TimeoutError
                ? kTimeout
                : TakePortError(kWriteFault);
            break;
        }
    }
    // The port may have been closed under us when the device vanished.
    if (!IsOpen())
        return Fail("CSerial::Write - Unable to write the data", kInvalidHandle);

    if (pdwWritten)
        *pdwWritten = iLen - m_pPort->bytesToWrite();
    if (nError != kSuccess)
    {
        // Like a cancelled overlapped write: what the driver has not taken is dropped,
        // so a late tail cannot run into the next frame.
        m_pPort->clear(QSerialPort::Output);
        m_pPort->clearError();
        return Fail("CSerial::Write - Unable to write the data", nError);
    }
    return SetError(kSuccess);
}

int CSerial::Read(void* pData, qint64 iLen, qint64* pdwRead)
{
    if (pdwRead)
        *pdwRead = 0;
    if (!IsOpen())
        return SetError(kInvalidHandle);
    if (iLen <= 0)
        return SetError(kSuccess);

    const qint64 dwRead = m_pPort->read(static_cast<char*>(pData), iLen);
    if (dwRead < 0)
        return Fail("CSerial::Read - Unable to read the data", TakePortError(kReadFault));
    if (pdwRead)
        *pdwRead = dwRead;
    return SetError(kSuccess);
}

int CSerial::Purge()
{
    if (!IsOpen())
        return Fail("CSerial::Purge - Device is not opened", kInvalidHandle);
    if (!m_pPort->clear(QSerialPort::AllDirections))
        return SetError(TakePortError(kGenFailure));
    return SetError(kSuccess);
}

bool CSerial::IsOpen() const
{
    return m_pPort->isOpen();
}
