#pragma once

#include "vproc/ProcessorState.h"
#include "wire/WireNumbers.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

// A loudspeaker processor as the link sees it: it takes one request frame at
// a time and gives the answer frame, or none.
//
// It answers only frames addressed to its own device ID. Reads are answered
// with the data asked for, echoing bytes 3 to 6 of the request; every write
// is applied at once and acknowledged with type 0xA4 and 8 zero bytes. A
// request it cannot serve (unknown type, channel, sub-block, program number
// or payload length) gets no answer, so the program's time-out shows it.
//
// Reading a block of a stored program also recalls that block into the live
// program: that is how the program recalls a stored program.
class CVirtualProcessor
{
public:
    using Bytes = std::vector<uint8_t>;

    static constexpr const char* kDefaultVersion = "C-DV1.05";

    explicit CVirtualProcessor(CProcessorState state = {});

    // The answer to one whole, verified frame (start byte to end byte,
    // without the preamble).
    std::optional<Bytes> Answer(std::span<const uint8_t> frame);

    const CProcessorState& GetState() const { return m_state; }
    void SetDeviceId(int nId) { m_state.nDeviceId = nId; }
    void SetDeviceType(int nType) { m_state.nDeviceType = nType; }
    // Cut or space-padded to 8 characters.
    void SetVersion(const std::string& text);
    const std::string& GetVersion() const { return m_strVersion; }
    // Asked before the device ID changes to another one: true when some
    // other processor on the line answers to it already. The change is then
    // neither made nor answered, so the program's time-out shows the clash.
    void SetIdTaken(std::function<bool(int)> isTaken) { m_isIdTaken = std::move(isTaken); }

    // Grows with every change of the state (writes, recalls), so a saver
    // can tell when there is something to save.
    unsigned GetChangeCount() const { return m_nChanges; }

    // The meters as the next level answer gives them: each channel swings
    // on its own; muted channels show nothing; loud outputs light bit 4.
    std::array<uint8_t, Frame::kLevelBytes> NextLevels();

private:
    struct Request;

    std::optional<Bytes> OnParamChange(const Request& rq);
    std::optional<Bytes> OnBlockRead(const Request& rq);
    std::optional<Bytes> OnBlockWrite(const Request& rq);
    std::optional<Bytes> OnLevels(const Request& rq);
    std::optional<Bytes> OnProgramName(const Request& rq);
    std::optional<Bytes> OnDeviceItem(const Request& rq);
    std::optional<Bytes> OnLockData(const Request& rq);
    std::optional<Bytes> OnSystemInfo(const Request& rq);
    std::optional<Bytes> OnProgramImage(const Request& rq);

    Bytes Reply(const Request& rq, std::span<const uint8_t> payload) const;
    Bytes Acknowledge(const Request& rq);

    CProcessorState m_state;
    std::string m_strVersion;
    std::function<bool(int)> m_isIdTaken;
    unsigned m_nChanges = 0;
    unsigned m_nLevelTick = 0;
};
