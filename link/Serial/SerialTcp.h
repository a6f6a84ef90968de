#pragma once

#include <QAbstractSocket>
#include <QObject>
#include <QString>
#include <QtGlobal>

#include <memory>

class QTcpSocket;

// A processor behind a serial device server (ser2net, a terminal server):
// the line is a raw TCP stream to "tcp://host:port". It offers what the
// engine uses of CSerialWnd, with the same results and signals, so the engine
// cannot tell the two apart.
//
// Results are system error codes (SerialError.h), 0 on success. Line events
// are queued to the owner as with CSerialWnd; a stream that breaks while open
// (the server closed or reset it, the network failed) is closed at once and
// reported through lineFault. Nothing here talks to the user.
class CSerialTcp : public QObject
{
    Q_OBJECT

public:
    // How long Open waits for the server to accept; a host that never
    // answers would otherwise hold the window for the system's minutes.
    static constexpr int kConnectWaitMs = 3000;
    static constexpr int kDefaultWaitMs = 5000;

    explicit CSerialTcp(QObject* pParent = nullptr);
    ~CSerialTcp() override;

    // True for a name in the network form, whether or not it is well made.
    static bool IsNetworkName(const QString& strName);
    // Host and port of "tcp://host:port" ("tcp://[::1]:4001" for IPv6);
    // false when the name is not of that form or the port is not 1..65535.
    static bool SplitAddress(const QString& strName, QString& strHost, quint16& nPort);

    // Connects, waiting at most nWaitMs. 123 for a name that is not
    // "tcp://host:port", 11001 for an unknown host (at once for a name
    // under the reserved domain "invalid"), 10061 when refused,
    // 10065 when the host cannot be reached, 10060 when it did not accept in
    // time, 1247 when already open.
    int Open(const QString& strName, int nWaitMs = kConnectWaitMs);
    int Close();
    bool IsOpen() const;
    // Hands all bytes to the network, waiting at most nWaitMs.
    int Write(const void* pData, qint64 iLen, qint64* pdwWritten = nullptr, int nWaitMs = kDefaultWaitMs);
    // Copies up to iLen bytes already received and returns at once.
    int Read(void* pData, qint64 iLen, qint64* pdwRead = nullptr);
    // Drops the bytes received and not yet read; what is already on the
    // network cannot be called back.
    int Purge();
    int GetLastError() const { return m_nLastError; }

    // The socket's error as a system code.
    static int FromSocketError(QAbstractSocket::SocketError eError);

signals:
    // Same words as CSerialWnd::lineEvent: EEventRecv when bytes arrived.
    void lineEvent(quint32 wParam);
    // The stream broke and has been closed; nError is 10054 (reset),
    // 10101 (closed by the server), 10065 (unreachable) or another code.
    void lineFault(int nError);

private:
    int SetError(int nError) { return m_nLastError = nError; }
    int Fail(const char* pszTrace, int nError);
    void OnReadyRead();
    void OnSocketError(QAbstractSocket::SocketError eError);
    void Disconnect();

    std::unique_ptr<QTcpSocket> m_pSocket;
    int m_nLastError = 0;
    bool m_bOpen = false;
    // Bumped by every Open and Close, so queued events of an earlier
    // connection never reach the owner of a later one.
    quint64 m_nSession = 0;
};
