#pragma once

// The real serial port, noting when a parameter frame has been handed over
// and what went each way, frame by frame.

#include "link/SerialLinkPort.h"
#include "wire/WireNumbers.h"

#include <chrono>
#include <optional>
#include <vector>

class CTimedPort : public CLinkPort
{
public:
    using Clock = std::chrono::steady_clock;

    // One frame written and the bytes that came back before the next.
    struct Exchange
    {
        int nWritten = 0;
        int nAnswered = 0;
    };

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
        m_exchanges.push_back({nLength, 0});
        return nResult;
    }
    int Read(uint8_t* pData, int nCapacity) override
    {
        const int nRead = m_port.Read(pData, nCapacity);
        if (nRead > 0 && !m_exchanges.empty())
            m_exchanges.back().nAnswered += nRead;
        return nRead;
    }
    void Purge() override { m_port.Purge(); }

    std::optional<Clock::time_point> m_written;
    std::vector<Exchange> m_exchanges;

private:
    CSerialLinkPort m_port;
};
