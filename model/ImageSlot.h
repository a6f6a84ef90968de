#pragma once

#include "wire/WireNumbers.h"

#include <array>
#include <cstdint>
#include <span>
#include <string>

// One program's worth of bytes: the processor's 1472-byte parameter image,
// the program name and the program's 12 info (lock) bytes. Used for the
// edited program, each of the 30 stored programs and in program files.
//
// Device image: input blocks A to D (64 bytes each) at 0, 64, 128, 192;
// output blocks 1 to 8 (152 bytes each) at 256 + 152 n. The block with code
// c (1..4 inputs, 5..12 outputs) lies at BlockOffset(c).
struct CImageSlot
{
    static constexpr int kImageBytes = Frame::kImageBytes;
    // A lock set's worth: what a program's lock bytes are kept in.
    static constexpr int kInfoBytes = Frame::kLockSetBytes;
    static constexpr int kInputBlockBytes = Frame::kInputBlockBytes;
    static constexpr int kOutputBlockBytes = Frame::kOutputBlockBytes;
    static constexpr int kBlockCount = Frame::kLastBlockCode;

    std::array<uint8_t, kImageBytes> abyImage{};
    std::string strName;
    std::array<uint8_t, kInfoBytes> abyInfo{};
    // Copied with the slot; not stored in files.
    uint8_t byLast = 0;

    static constexpr bool IsInputCode(int code) { return code < Frame::kFirstOutputCode; }
    static constexpr bool IsValidBlockCode(int code) { return code >= Frame::kFirstInputCode && code <= kBlockCount; }
    static constexpr int BlockOffset(int code)
    {
        return IsInputCode(code) ? (code - Frame::kFirstInputCode) * kInputBlockBytes
                                 : Frame::kInputCount * kInputBlockBytes +
                                       (code - Frame::kFirstOutputCode) * kOutputBlockBytes;
    }
    static constexpr int BlockSize(int code) { return IsInputCode(code) ? kInputBlockBytes : kOutputBlockBytes; }

    std::span<uint8_t> Block(int code) { return std::span(abyImage).subspan(BlockOffset(code), BlockSize(code)); }
    std::span<const uint8_t> Block(int code) const
    {
        return std::span(abyImage).subspan(BlockOffset(code), BlockSize(code));
    }

    bool operator==(const CImageSlot&) const = default;
};
