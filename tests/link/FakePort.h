#pragma once

#include "wire/Frame.h"
#include "link/LinkPort.h"

#include <deque>
#include <vector>

// A port without a line: writes are recorded, and each delivered chunk is
// what one read returns.
class CFakePort : public CLinkPort
{
public:
    using Bytes = std::vector<uint8_t>;

    int Open(const QString& strPort) override
    {
        m_strOpened = strPort;
        m_bOpen = strPort != "NULL" && m_nRefuseWith == 0;
        return m_bOpen ? 0 : (m_nRefuseWith != 0 ? m_nRefuseWith : 2);
    }
    void Close() override { m_bOpen = false; }
    bool IsOpen() const override { return m_bOpen; }
    int Write(const uint8_t* pData, int nLength, int) override
    {
        m_writes.emplace_back(pData, pData + nLength);
        return 0;
    }
    int Read(uint8_t* pData, int nCapacity) override
    {
        if (m_reads.empty())
            return 0;
        Bytes& chunk = m_reads.front();
        const int n = std::min(nCapacity, static_cast<int>(chunk.size()));
        std::copy_n(chunk.begin(), n, pData);
        chunk.erase(chunk.begin(), chunk.begin() + n);
        if (chunk.empty())
            m_reads.pop_front();
        return n;
    }
    void Purge() override
    {
        ++m_nPurges;
        m_reads.clear();
    }

    // Makes the bytes readable as one read and tells the engine.
    void Deliver(const Bytes& chunk)
    {
        m_reads.push_back(chunk);
        emit bytesArrived();
    }
    void Fault(int nError)
    {
        m_bOpen = false;
        emit lineFault(nError);
    }

    // Frames written, one a write, each without its preamble. A write that
    // does not start with the preamble is kept whole, so comparing it with
    // a frame fails.
    std::vector<Bytes> Frames() const
    {
        std::vector<Bytes> frames;
        for (const Bytes& w : m_writes)
        {
            const bool bPreamble = w.size() > Frame::kPreambleSize && w[0] == Frame::kStart && w[1] == Frame::kStart;
            frames.emplace_back(w.begin() + (bPreamble ? Frame::kPreambleSize : 0), w.end());
        }
        return frames;
    }

    std::vector<Bytes> m_writes;
    std::deque<Bytes> m_reads;
    QString m_strOpened;
    bool m_bOpen = false;
    // The system error code every open fails with, 0 for none.
    int m_nRefuseWith = 0;
    int m_nPurges = 0;
};

// Frames as a processor with ID 1 sends them, and the preamble before them.
namespace FakeLine
{
using Bytes = std::vector<uint8_t>;

inline Bytes Wire(const Bytes& frame)
{
    return Frame::OnWire(frame);
}

inline Bytes Answer(uint8_t type, int program, int item, int block, const Bytes& payload)
{
    return Frame::Build({type, 1, static_cast<uint8_t>(program), static_cast<uint8_t>(item),
                         static_cast<uint8_t>(block), 1},
                        payload);
}
}
