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
    bool m_bNotSent = true;         // set until written once
    bool m_bProgress = false;       // sending it moves the progress bar
    int m_nProgressPos = 0;         // position given to the progress bar
    bool m_bLastOfTransfer = false; // sending it ends the current transfer
    int m_nProbedId = 0;            // device-ID probes only: the probed ID
    bool m_bAside = false;          // for another processor than the edited one

private:
    std::vector<uint8_t> m_abyFrame;
};
