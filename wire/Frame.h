#pragma once

#include "wire/WireNumbers.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

// The frame codec: builds and checks frames. The numbers of the envelope and
// of the command catalogue are in WireNumbers.h.
namespace Frame
{
struct Header
{
    uint8_t byType = 0;
    uint8_t byDeviceId = 0;
    uint8_t byProgram = 0;
    uint8_t byItem = 0;
    uint8_t byBlock = 0;
    uint8_t bySelector = 0;
};

// Builds a complete frame: header, payload, check and end byte.
std::vector<uint8_t> Build(const Header& header, std::span<const uint8_t> payload);

// XOR of bytes [1, end) of a frame buffer.
uint8_t Check(std::span<const uint8_t> bytes);

// Payload length written in a frame's header (bytes 7 and 8).
int PayloadLength(std::span<const uint8_t> frame);

// True when the bytes hold exactly one whole frame: start byte, length that
// fits, matching check and end byte.
bool Verify(std::span<const uint8_t> frame);

// The bytes a frame takes on the wire: the preamble 0x5A 0x5A, then the
// frame. Handed to the port in one write, so a sender stopped between two
// writes can never leave a preamble without its frame on the line.
std::vector<uint8_t> OnWire(std::span<const uint8_t> frame);
}
