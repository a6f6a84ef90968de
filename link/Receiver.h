#pragma once

#include "model/Audio_Data.h"
#include "model/ImageSlot.h"
#include "wire/WireNumbers.h"

#include <array>
#include <cstdint>
#include <span>
#include <string>

class CLockState;

// What the processor's answers leave behind, and the handler for each kind
// of answer.
//
// Handle takes one whole, verified frame, stores what it carries and says
// whether it answers the request in flight and whom to tell. It never talks
// to the port or the queue itself, so the engine can finish its own
// bookkeeping before anyone is told.
class CReceiver
{
public:
    static constexpr int kProgramCount = Frame::kProgramNumbers;
    static constexpr int kSupportedMajorVersion = 1;
    // Assumed until the processor says otherwise: the largest model.
    static constexpr int kDefaultDeviceType = Frame::kLastDeviceType;

    enum ENotice : unsigned
    {
        kNoticeNone = 0,
        kLiveProgramRead = 1u << 0,      // the last block stored
        kProgramReceived = 1u << 1,      // a whole stored program arrived
        kSystemInfoReceived = 1u << 2,
        kLevelsReceived = 1u << 3,
        kLastIdAnswered = 1u << 4,       // ends a device search
        kVersionMismatch = 1u << 5,
        kDeviceTypeReceived = 1u << 6,
        kLockSetReceived = 1u << 7,      // a lock set was unpacked
        kProgramNameReceived = 1u << 8,  // the name of program 0..30, in GetLastName
    };

    struct Outcome
    {
        bool bAnswered = false;    // the request in flight is done
        unsigned dwNotices = kNoticeNone;
        int nProgram = 0;          // for kProgramReceived, kLockSetReceived, kProgramNameReceived
        int nMajorVersion = 0;     // for kVersionMismatch
        int nDeviceType = 0;       // for kDeviceTypeReceived
    };

    using LockSet = std::array<uint8_t, Frame::kLockSetBytes>;
    using DeviceIds = std::array<uint16_t, Frame::kDeviceIdCount>;

    CReceiver();

    Outcome Handle(std::span<const uint8_t> frame);

    // Lock sets are unpacked into this state when it is attached.
    void AttachLockState(CLockState* pLockState) { m_pLockState = pLockState; }

    // Level meter i: a step 0..11 in the low four bits; bit 4 marks an
    // output's indicator.
    int Level(int i) const { return m_anLevels.at(static_cast<size_t>(i)); }

    CImageSlot& GetReceiveSlot() { return m_receiveSlot; }
    const CImageSlot& GetReceiveSlot() const { return m_receiveSlot; }
    CAudio_Data& GetStaging() { return m_staging; }
    const CAudio_Data& GetStaging() const { return m_staging; }
    // The last program name answered, of whatever program number; the
    // session state keeps the names (link/SessionState.h).
    const std::string& GetLastName() const { return m_strName; }

    int GetDeviceType() const { return m_nDeviceType; }
    const std::string& GetVersionText() const { return m_strVersion; }
    void ClearVersionText() { m_strVersion.clear(); }
    const LockSet& GetLockData() const { return m_abyLockData; }

    // Entry k holds ID k + 1 when that ID is offered for connection, else 0.
    DeviceIds& DeviceIdTable() { return m_anDeviceIds; }
    const DeviceIds& DeviceIdTable() const { return m_anDeviceIds; }

    // The integer read from the fifth character of a version text on;
    // 0 when no digit stands there.
    static int MajorVersion(const std::string& text);
    // Level byte as the meters take it: 12..15 become 11, above 27 become 27.
    static int ClampLevel(int value);

private:
    void StoreAtBlock(int blockCode, std::span<const uint8_t> payload, size_t limit);
    void OnBlock(int blockCode, std::span<const uint8_t> payload, Outcome& out);
    void OnLevels(std::span<const uint8_t> payload, Outcome& out);
    void OnProgramName(int program, std::span<const uint8_t> payload, Outcome& out);
    void OnDeviceItem(int item, int block, std::span<const uint8_t> payload, Outcome& out);
    void OnLockData(int program, int item, std::span<const uint8_t> payload, Outcome& out);
    void OnProgramImage(int program, int block, std::span<const uint8_t> payload, Outcome& out);

    CImageSlot m_receiveSlot;
    CAudio_Data m_staging;
    std::string m_strName;
    std::array<int, Frame::kLevelBytes> m_anLevels{};
    int m_nDeviceType = kDefaultDeviceType;
    std::string m_strVersion;
    LockSet m_abyLockData{};
    DeviceIds m_anDeviceIds{};
    CLockState* m_pLockState = nullptr;
};
