#pragma once

#include <algorithm>
#include <cassert>
#include <cstddef>
#include <cstdint>
#include <span>

// Little-endian 16-bit fields and fixed texts of the device blocks (and the
// records' texts read from files). Every access goes through these so an
// offset outside the block is caught in one place.
namespace ByteIo
{
// Takes a wide value so that the offsets added to stored steps (which a
// damaged file can set to any 32-bit value) never overflow; only the low
// 16 bits go into the block.
inline void PutWord(std::span<uint8_t> bytes, size_t offset, long long value)
{
    assert(offset + 2 <= bytes.size());
    bytes[offset] = static_cast<uint8_t>(value & 0xFF);
    bytes[offset + 1] = static_cast<uint8_t>((value >> 8) & 0xFF);
}

// Blocks are read back as signed 16-bit values: a zero gain word loads as
// step -301, which the records keep as it is.
inline int GetSignedWord(std::span<const uint8_t> bytes, size_t offset)
{
    assert(offset + 2 <= bytes.size());
    return static_cast<int16_t>(bytes[offset] | (bytes[offset + 1] << 8));
}

inline int GetUnsignedWord(std::span<const uint8_t> bytes, size_t offset)
{
    assert(offset + 2 <= bytes.size());
    return bytes[offset] | (bytes[offset + 1] << 8);
}

// A fixed text field (a channel name): the bytes of `src` before its first
// NUL, cut to the field and padded with NUL.
inline void PutText(std::span<char> field, std::span<const uint8_t> src)
{
    std::fill(field.begin(), field.end(), '\0');
    for (size_t i = 0; i < field.size() && i < src.size() && src[i] != 0; ++i)
        field[i] = static_cast<char>(src[i]);
}
}
