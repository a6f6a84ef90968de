#pragma once

#include "wire/WireNumbers.h"

#include <array>
#include <cstdint>
#include <span>
#include <string>

// The processor's function and system locks as the PC keeps them, and the
// password that guards them.
//
// Lock set, 12 bytes, as it travels in lock data frames:
//   0      input function locks, bit k = flag k (flags 0..7)
//   1      reserved (flags 8..15 lock nothing)
//   2      output function locks, flags 16..23
//   3      bits 0, 1: output function locks, flags 24, 25
//   4      system locks, flags 32..39
//   5      bits 0, 1: system locks, flags 40, 41
//   6..11  password, six spaces when there is none
class CLockState
{
public:
    static constexpr int kFlagCount = 54;
    static constexpr int kFunctionFlags = 32;
    // Bytes of a lock set before the password.
    static constexpr int kFlagBytes = 6;
    static constexpr int kPasswordLength = Frame::kLockSetBytes - kFlagBytes;
    static constexpr int kPasswordFirstFlag = 48;

    // Flag numbers.
    enum Flag : int
    {
        kInGain = 0,
        kInPolarity = 1,
        kInDelay = 2,
        kInEq = 3,
        kInMute = 4,
        kInGate = 5,
        kInName = 6,
        kInLink = 7,
        kOutGain = 16,
        kOutPolarity = 17,
        kOutDelay = 18,
        kOutEq = 19,
        kOutMute = 20,
        kOutRouting = 21,
        kOutXover = 22,
        kOutLimiter = 23,
        kOutName = 24,
        kOutLink = 25,
        kSysLoad = 32,
        kSysSave = 33,
        kSysDelete = 34,
        kSysCopy = 35,
        kSysDeviceId = 36,
        kSysShow = 37,
        kSysBacklight = 38,
        kSysPowerOn = 39,
        kSysKeyEdit = 40,
        kSysSoundTest = 41,
    };

    using LockSet = std::array<uint8_t, Frame::kLockSetBytes>;

    bool IsLocked(int flag) const { return m_abyFlags.at(static_cast<size_t>(flag)) != 0; }
    void SetFlag(int flag, bool locked) { m_abyFlags.at(static_cast<size_t>(flag)) = locked ? 1 : 0; }
    bool IsFixed(int flag) const { return flag < kFunctionFlags && m_abyFixed.at(static_cast<size_t>(flag)) != 0; }
    void SetFixed(int flag, bool fixed) { m_abyFixed.at(static_cast<size_t>(flag)) = fixed ? 1 : 0; }
    const std::string& GetPassword() const { return m_strPassword; }
    void SetPassword(const std::string& password);

    // Applies a lock set received for `program`: 0 is the live set (flags
    // and password), 31 the fixed locks, any other a stored program's
    // function locks, which then become fixed. A shorter set counts its
    // missing bytes as 0.
    void DecodeLockSet(int program, std::span<const uint8_t> lockSet);
    LockSet EncodeLockSet() const;
    // Lock flags 0..53 cleared; fixed locks and password stay.
    void ClearLocks();

    std::array<uint8_t, kFlagCount> m_abyFlags{};
    std::array<uint8_t, kFunctionFlags> m_abyFixed{};

private:
    std::string m_strPassword;
};
