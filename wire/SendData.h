#pragma once

#include <cstdint>
#include <vector>

// One queued frame with the bookkeeping the send queue needs to pace it.
// The entry owns its frame bytes; a frame is never changed once built.
class CSendData
{
public:
    CSendData() = default;
    explicit CSendData(std::vector<uint8_t> frame);

    const std::vector<uint8_t>& GetFrame() const { return m_abyFrame; }
    const uint8_t* GetData() const { return m_abyFrame.data(); }
    int GetLength() const { return static_cast<int>(m_abyFrame.size()); }

    int m_nWaitTicks = 0;         // pump ticks since sent, unanswered
    int m_bNotSent = 1;           // set until written once
    int m_bProgress = 0;          // sending it moves the progress bar
    int m_nProgressPos = 0;       // position given to the progress bar
    int m_bLastOfTransfer = 0;    // sending it ends the current transfer
    int m_nProbedId = 0;          // device-ID probes only: the probed ID
    int m_bAside = 0;             // for another processor than the edited one

private:
    std::vector<uint8_t> m_abyFrame;
};
