#pragma once

#include "link/SerialLinkPort.h"
#include "wire/WireNumbers.h"

#include <chrono>
#include <optional>

using Clock = std::chrono::steady_clock;

// The real serial port, noting when a parameter frame has been handed over:
// the end of an edit's way to the line.
class CTimedPort : public CLinkPort
{
public:
    CTimedPort()
    {
        connect(&m_port, &CLinkPort::bytesArrived, this, &CLinkPort::bytesArrived);
        connect(&m_port, &CLinkPort::lineFault, this, &CLinkPort::lineFault);
    }
    int Open(const QString& strPort) override { return m_port.Open(strPort); }
    void Close() override { m_port.Close(); }
    bool IsOpen() const override { return m_port.IsOpen(); }
    int Write(const uint8_t* pData, int nLength, int nWaitMs) override
    {
        const int nResult = m_port.Write(pData, nLength, nWaitMs);
        // Each write is the preamble and one frame.
        const uint8_t* pFrame = pData + Frame::kPreambleSize;
        if (nLength > Frame::kPreambleSize + Frame::kOffType && pFrame[Frame::kOffStart] == Frame::kStart
            && pFrame[Frame::kOffType] == Frame::kParamChange)
            m_written = Clock::now();
        return nResult;
    }
    int Read(uint8_t* pData, int nCapacity) override { return m_port.Read(pData, nCapacity); }
    void Purge() override { m_port.Purge(); }

    std::optional<Clock::time_point> m_written;

private:
    CSerialLinkPort m_port;
};
