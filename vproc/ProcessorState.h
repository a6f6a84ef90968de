#pragma once

#include "model/ImageSlot.h"
#include "wire/WireNumbers.h"

#include <array>
#include <cstdint>
#include <string>

// Everything a virtual processor remembers between runs: its device ID and
// type, the live program (0) and the 30 stored programs with their names,
// one lock record per program number and the system's, and the device
// settings.
struct CProcessorState
{
    using Image = std::array<uint8_t, Frame::kImageBytes>;
    using Name = std::array<uint8_t, Frame::kProgramNameBytes>;
    using LockRecord = std::array<uint8_t, Frame::kLockSetBytes>;

    // A processor fresh from the factory: default images, empty names, no
    // locks and no password.
    CProcessorState();
    // A fresh processor for a line of several: device ID nId and a device
    // name that says the ID, so the processors of a rack can be told apart.
    static CProcessorState Numbered(int nId);

    // A program name as the processor keeps it: the text's first 12 bytes,
    // zero-padded.
    static Name MakeName(const std::string& text);

    // Sets the device name, the first information text: cut or space-padded
    // to its field, the other texts untouched.
    void SetDeviceName(const std::string& text);

    int nDeviceId = Frame::kFirstDeviceId;
    int nDeviceType = Frame::kLastDeviceType;
    uint8_t byBacklight = 1;
    uint8_t byPowerOn = 1;
    std::array<uint8_t, Frame::kGeneratorBytes> abyGenerator{};
    std::array<uint8_t, Frame::kInfoBlockBytes> abyInfo{};
    std::array<Image, Frame::kProgramNumbers> aImages{};
    std::array<Name, Frame::kProgramNumbers> aNames{};
    std::array<LockRecord, Frame::kLockRecords> aLocks{};

    bool operator==(const CProcessorState&) const = default;
};
