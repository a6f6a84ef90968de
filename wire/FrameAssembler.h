#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

// Cuts the byte stream of the line into frames.
//
// A frame is recognised after 0x5A, 0x5A (other bytes may lie between the
// two) immediately followed by a third 0x5A, its start byte. Anything else
// before that is line noise and is skipped. From the start byte on, bytes
// are collected until the length field says the frame is whole; a frame that
// would not fit the receive buffer, or whose end byte or check is wrong, is
// dropped and the hunt for the next preamble begins again.
//
// Pure: bytes in, frames out; no port, no clock.
class CFrameAssembler
{
public:
    static constexpr int kBufferBytes = 2000;

    enum class EResult
    {
        kNeedMore,   // every byte taken, no frame finished yet
        kFrame,      // a whole, verified frame is in GetFrame()
        kDropped,    // a frame was rejected (length, end byte, check)
    };

    struct Outcome
    {
        EResult eResult = EResult::kNeedMore;
        size_t nConsumed = 0;    // bytes of the input taken, up to the frame's end
    };

    // Takes bytes until a frame finishes or is dropped; the caller decides
    // what becomes of the bytes after nConsumed. After kFrame or kDropped the
    // assembler hunts for a new preamble.
    Outcome Feed(std::span<const uint8_t> bytes);

    // The frame of the last kFrame result, start byte to end byte.
    const std::vector<uint8_t>& GetFrame() const { return m_abyFrame; }

    // Back to hunting: nothing received, no preamble mark seen.
    void Reset();

    bool IsSynced() const { return m_bSynced; }

private:
    // Expected frame length once the length field is in, else 0.
    int ExpectedLength() const;

    std::array<uint8_t, kBufferBytes> m_abyBuffer{};
    std::vector<uint8_t> m_abyFrame;
    int m_nReceived = 0;
    bool m_bSynced = false;
    bool m_bFirstMark = false;
    bool m_bSecondMark = false;
};
