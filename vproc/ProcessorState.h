#pragma once

#include "ImageSlot.h"

#include <array>
#include <cstdint>
#include <string>

// Everything a virtual processor remembers between runs: its device ID and
// type, the live program (0) and the 30 stored programs with their names,
// one lock record per number 0..31, and the device settings.
struct CProcessorState
{
    static constexpr int kProgramCount = 31;
    static constexpr int kLockRecordCount = 32;
    static constexpr int kNameBytes = 12;
    static constexpr int kLockBytes = 12;
    static constexpr int kGeneratorBytes = 8;
    static constexpr int kInfoBytes = 255;

    using Image = std::array<uint8_t, CImageSlot::kImageBytes>;
    using Name = std::array<uint8_t, kNameBytes>;
    using LockRecord = std::array<uint8_t, kLockBytes>;

    // A processor fresh from the factory: default images, empty names, no
    // locks and no password.
    CProcessorState();

    // A program name as the processor keeps it: the text's first 12 bytes,
    // zero-padded.
    static Name MakeName(const std::string& text);

    int nDeviceId = 1;
    int nDeviceType = 6;
    uint8_t byBacklight = 1;
    uint8_t byPowerOn = 1;
    std::array<uint8_t, kGeneratorBytes> abyGenerator{};
    std::array<uint8_t, kInfoBytes> abyInfo{};
    std::array<Image, kProgramCount> aImages{};
    std::array<Name, kProgramCount> aNames{};
    std::array<LockRecord, kLockRecordCount> aLocks{};

    bool operator==(const CProcessorState&) const = default;
};
