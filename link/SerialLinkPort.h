#pragma once

#include "link/LinkPort.h"
#include "link/Serial/SerialTcp.h"
#include "link/Serial/SerialWnd.h"

// The engine's port on a real serial line (or anything that opens like one,
// such as a pseudo-terminal), or on a serial device server's TCP stream when
// the name is "tcp://host:port". Line events come in queued from the port, so
// the engine reads between its own calls, never inside a write.
class CSerialLinkPort : public CLinkPort
{
    Q_OBJECT

public:
    static constexpr qint32 kBaudrate = 57600;
    static constexpr qint64 kQueueBytes = 2048;

    explicit CSerialLinkPort(QObject* pParent = nullptr);

    // Opens the port, sets 57600 8N1 without flow control and asks for every
    // line event. A port that cannot take these settings is closed again.
    // A network port connects instead; its server owns the line settings.
    int Open(const QString& strPort) override;
    void Close() override;
    bool IsOpen() const override;
    int Write(const uint8_t* pData, int nLength, int nWaitMs) override;
    int Read(uint8_t* pData, int nCapacity) override;
    void Purge() override;

private:
    void OnLineEvent(quint32 wParam);

    CSerialWnd m_port;
    CSerialTcp m_tcp;
    // Which of the two the last Open chose.
    bool m_bTcp = false;
};
