#include "link/SerialLinkPort.h"

CSerialLinkPort::CSerialLinkPort(QObject* pParent)
    : CLinkPort(pParent)
{
    connect(&m_port, &CSerialWnd::lineEvent, this, &CSerialLinkPort::OnLineEvent);
    connect(&m_port, &CSerialWnd::lineFault, this, &CLinkPort::lineFault);
    connect(&m_tcp, &CSerialTcp::lineEvent, this, &CSerialLinkPort::OnLineEvent);
    connect(&m_tcp, &CSerialTcp::lineFault, this, &CLinkPort::lineFault);
}

int CSerialLinkPort::Open(const QString& strPort)
{
    Close();
    m_bTcp = CSerialTcp::IsNetworkName(strPort);
    if (m_bTcp)
        return m_tcp.Open(strPort);
    int nError = m_port.Open(strPort, kQueueBytes, kQueueBytes);
    if (nError == 0)
        nError = m_port.Setup(kBaudrate, CSerial::EData8, CSerial::EParNone, CSerial::EStop1);
    if (nError == 0)
        nError = m_port.SetupHandshaking(CSerial::EHandshakeOff);
    if (nError == 0)
        nError = m_port.SetupReadTimeouts(CSerial::EReadTimeoutNonblocking);
    if (nError == 0)
        nError = m_port.SetMask(CSerial::EEventAll);
    if (nError != 0)
        m_port.Close();
    return nError;
}

void CSerialLinkPort::Close()
{
    if (m_port.IsOpen())
        m_port.Close();
    if (m_tcp.IsOpen())
        m_tcp.Close();
}

bool CSerialLinkPort::IsOpen() const
{
    return m_bTcp ? m_tcp.IsOpen() : m_port.IsOpen();
}

int CSerialLinkPort::Write(const uint8_t* pData, int nLength, int nWaitMs)
{
    return m_bTcp ? m_tcp.Write(pData, nLength, nullptr, nWaitMs) : m_port.Write(pData, nLength, nullptr, nWaitMs);
}

int CSerialLinkPort::Read(uint8_t* pData, int nCapacity)
{
    qint64 dwRead = 0;
    const int nError = m_bTcp ? m_tcp.Read(pData, nCapacity, &dwRead) : m_port.Read(pData, nCapacity, &dwRead);
    if (nError != 0)
        return 0;
    return static_cast<int>(dwRead);
}

void CSerialLinkPort::Purge()
{
    if (m_bTcp)
        m_tcp.Purge();
    else
        m_port.Purge();
}

void CSerialLinkPort::OnLineEvent(quint32 wParam)
{
    // Only received characters concern the engine; the other line events
    // carry nothing it acts on.
    if (CSerialWnd::EventWord(wParam) & CSerial::EEventRecv)
        emit bytesArrived();
}
