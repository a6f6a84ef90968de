#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

// The envelope of every frame on the line, in both directions:
//
//   offset  size     content
//   0       1        start 0x5A
//   1       1        type 0xA1..0xAE
//   2       1        device ID (1..250)
//   3       1        program (0 live, 1..30 stored, 31 system)
//   4       1        item
//   5       1        block / channel code / read-write selector
//   6       1        selector / sub-block code
//   7       2        payload length, little-endian
//   9       length   payload
//   9+len   1        check: XOR of bytes 1 .. 8+len
//   10+len  1        end 0xAA
//
// On the wire every frame is preceded by 0x5A 0x5A. Boundaries come from
// the preamble and the length, so 0x5A and 0xAA inside a frame need no escape.
namespace Frame
{
constexpr uint8_t kStart = 0x5A;
constexpr uint8_t kEnd = 0xAA;
constexpr int kHeaderSize = 9;
constexpr int kOverhead = 11;           // header + check + end
constexpr int kMaxFrame = 1472 + kOverhead;

enum Offset : int
{
    kOffStart = 0,
    kOffType = 1,
    kOffDeviceId = 2,
    kOffProgram = 3,
    kOffItem = 4,
    kOffBlock = 5,
    kOffSelector = 6,
    kOffLengthLow = 7,
    kOffLengthHigh = 8,
    kOffPayload = 9,
};

enum Type : uint8_t
{
    kParamChange = 0xA1,
    kBlockRead = 0xA2,
    kBlockWrite = 0xA3,
    kAck = 0xA4,
    kAck2 = 0xA5,
    kLevels = 0xA6,
    kProgramName = 0xA7,
    kDeviceItem = 0xA8,
    kLockData = 0xA9,
    kSystemInfo = 0xAD,
    kProgramImage = 0xAE,
};

// Device-item numbers (byte 4 of a 0xA8 frame).
enum DeviceItem : uint8_t
{
    kItemDeviceId = 2,
    kItemDeviceType = 3,
    kItemGenerator = 4,
    kItemBacklight = 6,
    kItemVersion = 7,
    kItemPowerOn = 8,
};

// Read/write selectors.
constexpr uint8_t kRead = 1;
constexpr uint8_t kWrite = 2;

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
}
