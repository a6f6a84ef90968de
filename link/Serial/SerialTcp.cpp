#include "link/Serial/SerialTcp.h"

#include "link/Serial/Serial.h"
#include "link/Serial/SerialError.h"

#include <QDeadlineTimer>
#include <QTcpSocket>
#include <QUrl>

using namespace SerialError;

namespace
{
constexpr const char* kScheme = "tcp";

// Names under the reserved top-level domain "invalid" never resolve
// (RFC 6761). Asking a resolver anyway could wait for an unreachable name
// server, or a search domain could answer for them.
bool IsReservedInvalid(const QString& strHost)
{
    QString strName = strHost.toLower();
    if (strName.endsWith(QLatin1Char('.')))
        strName.chop(1);
    return strName == QStringLiteral("invalid") || strName.endsWith(QStringLiteral(".invalid"));
}
}

CSerialTcp::CSerialTcp(QObject* pParent)
    : QObject(pParent)
    , m_pSocket(std::make_unique<QTcpSocket>())
{
    connect(m_pSocket.get(), &QTcpSocket::readyRead, this, &CSerialTcp::OnReadyRead);
    connect(m_pSocket.get(), &QTcpSocket::errorOccurred, this, &CSerialTcp::OnSocketError);
}

CSerialTcp::~CSerialTcp()
{
    m_pSocket->disconnect(this);
    Disconnect();
}

bool CSerialTcp::IsNetworkName(const QString& strName)
{
    return strName.trimmed().startsWith(QLatin1String(kScheme) + QStringLiteral("://"), Qt::CaseInsensitive);
}

bool CSerialTcp::SplitAddress(const QString& strName, QString& strHost, quint16& nPort)
{
    if (!IsNetworkName(strName))
        return false;
    const QUrl url(strName.trimmed(), QUrl::StrictMode);
    if (!url.isValid() || url.host().isEmpty() || !url.userInfo().isEmpty()
        || !(url.path().isEmpty() || url.path() == QStringLiteral("/")) || url.hasQuery() || url.hasFragment())
        return false;
    const int nUrlPort = url.port(-1);
    if (nUrlPort < 1 || nUrlPort > 65535)
        return false;
    strHost = url.host();
    nPort = static_cast<quint16>(nUrlPort);
    return true;
}

int CSerialTcp::FromSocketError(QAbstractSocket::SocketError eError)
{
    switch (eError)
    {
    case QAbstractSocket::ConnectionRefusedError: return kConnectionRefused;
    case QAbstractSocket::RemoteHostClosedError: return kConnectionClosed;
    case QAbstractSocket::HostNotFoundError: return kHostNotFound;
    case QAbstractSocket::NetworkError: return kHostUnreachable;
    case QAbstractSocket::SocketTimeoutError: return kConnectTimedOut;
    case QAbstractSocket::SocketAccessError: return kAccessDenied;
    default: return kConnectionReset;
    }
}

int CSerialTcp::Fail(const char* pszTrace, int nError)
{
    qWarning("%s", pszTrace);
    return SetError(nError);
}

int CSerialTcp::Open(const QString& strName, int nWaitMs)
{
    if (IsOpen())
        return Fail("CSerialTcp::Open - Port already opened", kAlreadyInitialized);
    QString strHost;
    quint16 nPort = 0;
    if (!SplitAddress(strName, strHost, nPort))
        return Fail("CSerialTcp::Open - Unable to open port", kInvalidName);
    if (IsReservedInvalid(strHost))
        return Fail("CSerialTcp::Open - Unable to open port", kHostNotFound);

    ++m_nSession;
    // Frames are a few bytes each and answered one at a time: batching them
    // (Nagle) would only add delay to every request.
    m_pSocket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
    m_pSocket->setSocketOption(QAbstractSocket::KeepAliveOption, 1);
    m_pSocket->connectToHost(strHost, nPort);
    if (!m_pSocket->waitForConnected(nWaitMs))
    {
        const QAbstractSocket::SocketError eError = m_pSocket->error();
        Disconnect();
        return Fail("CSerialTcp::Open - Unable to open port",
                    eError == QAbstractSocket::UnknownSocketError ? kConnectTimedOut : FromSocketError(eError));
    }
    m_pSocket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
    m_bOpen = true;
    return SetError(kSuccess);
}

void CSerialTcp::Disconnect()
{
    m_bOpen = false;
    m_pSocket->abort();
}

int CSerialTcp::Close()
{
    ++m_nSession;
    Disconnect();
    return SetError(kSuccess);
}

bool CSerialTcp::IsOpen() const
{
    return m_bOpen;
}

int CSerialTcp::Write(const void* pData, qint64 iLen, qint64* pdwWritten, int nWaitMs)
{
    if (pdwWritten)
        *pdwWritten = 0;
    if (!IsOpen())
        return SetError(kInvalidHandle);
    if (iLen <= 0)
        return SetError(kSuccess);

    const QDeadlineTimer deadline(nWaitMs);
    if (m_pSocket->write(static_cast<const char*>(pData), iLen) != iLen)
        return Fail("CSerialTcp::Write - Unable to write the data", kWriteFault);
    while (IsOpen() && m_pSocket->bytesToWrite() > 0)
    {
        const int nLeftMs = deadline.isForever() ? -1 : static_cast<int>(deadline.remainingTime());
        if ((!deadline.isForever() && nLeftMs <= 0) || !m_pSocket->waitForBytesWritten(nLeftMs))
            break;
    }
    // The stream may have broken while we waited; the fault is on its way.
    if (!IsOpen())
        return Fail("CSerialTcp::Write - Unable to write the data", kInvalidHandle);
    if (pdwWritten)
        *pdwWritten = iLen - m_pSocket->bytesToWrite();
    if (m_pSocket->bytesToWrite() > 0)
        return Fail("CSerialTcp::Write - Unable to write the data", kTimeout);
    return SetError(kSuccess);
}

int CSerialTcp::Read(void* pData, qint64 iLen, qint64* pdwRead)
{
    if (pdwRead)
        *pdwRead = 0;
    if (!IsOpen())
        return SetError(kInvalidHandle);
    // The socket buffers whatever arrived, so this never waits.
    const qint64 dwRead = iLen > 0 ? m_pSocket->read(static_cast<char*>(pData), iLen) : 0;
    if (dwRead < 0)
        return Fail("CSerialTcp::Read - Unable to read the data", kReadFault);
    if (pdwRead)
        *pdwRead = dwRead;
    return SetError(kSuccess);
}

int CSerialTcp::Purge()
{
    if (!IsOpen())
        return Fail("CSerialTcp::Purge - Device is not opened", kInvalidHandle);
    m_pSocket->readAll();
    return SetError(kSuccess);
}

void CSerialTcp::OnReadyRead()
{
    if (!IsOpen())
        return;
    const quint64 nSession = m_nSession;
    QMetaObject::invokeMethod(
        this,
        [this, nSession]
        {
            if (nSession == m_nSession)
                emit lineEvent(CSerial::EEventRecv);
        },
        Qt::QueuedConnection);
}

void CSerialTcp::OnSocketError(QAbstractSocket::SocketError eError)
{
    // Errors while connecting come back through Open's result.
    if (!IsOpen())
        return;
    qWarning("CSerialTcp - The connection broke");
    const int nError = FromSocketError(eError);
    Close();
    SetError(nError);
    // Close has run, so the fault belongs to the session now current.
    const quint64 nSession = m_nSession;
    QMetaObject::invokeMethod(
        this,
        [this, nSession, nError]
        {
            if (nSession == m_nSession)
                emit lineFault(nError);
        },
        Qt::QueuedConnection);
}
