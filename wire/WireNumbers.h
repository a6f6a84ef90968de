#pragma once

#include <cstdint>

// Every number of the serial protocol that more than one file needs: the
// frame envelope, the frame types and their sub-kinds, program numbers,
// channel codes, device IDs and payload sizes. Builders, the receiver, the
// transfers, the command line and the virtual processor name them from here
// so that a number of the processor is written down once.
//
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
// ---- payload sizes ----------------------------------------------------------
constexpr int kInputBlockBytes = 64;
constexpr int kOutputBlockBytes = 152;
// Four input blocks, then eight output blocks.
constexpr int kImageBytes = 1472;
// One 8-byte slice of a channel block, as a parameter change carries it.
constexpr int kSubBlockBytes = 8;
// The zeros a read request carries; also the width of a device item.
constexpr int kReadPayloadBytes = 8;
constexpr int kDeviceItemBytes = 8;
constexpr int kGeneratorBytes = 8;
constexpr int kVersionBytes = 8;
constexpr int kProgramNameBytes = 12;
// Six flag bytes and the six-character password.
constexpr int kLockSetBytes = 12;
// A program's lock bytes as a lock-bytes read answers them.
constexpr int kProgramLockBytes = 8;
constexpr int kInfoBlockBytes = 255;

// ---- the envelope -----------------------------------------------------------
constexpr uint8_t kStart = 0x5A;
// Two start bytes go before every frame on the wire.
constexpr int kPreambleSize = 2;
constexpr uint8_t kEnd = 0xAA;
constexpr int kHeaderSize = 9;
constexpr int kOverhead = 11;           // header + check + end
constexpr int kMaxFrame = kImageBytes + kOverhead;

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

// ---- frame types (byte 1) -----------------------------------------------------
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

// Lock-data items (byte 4 of a 0xA9 frame).
enum LockItem : uint8_t
{
    kLockSetRead = 1,
    kLockSetWrite = 2,
    kProgramLockRead = 3,
    kProgramLockWrite = 4,
};

// Read/write selectors.
constexpr uint8_t kRead = 1;
constexpr uint8_t kWrite = 2;

// Byte 4 of a parameter change: name changes always carry kChangeItem,
// changes of a linked channel kLinkedChangeItem. Block transfers, whole
// images and the information texts use kBlockItem / kWholeBlock likewise.
constexpr uint8_t kChangeItem = 1;
constexpr uint8_t kLinkedChangeItem = 0x10;
constexpr uint8_t kBlockItem = 1;
// Byte 5 of an image or information frame: the one block they have. An
// image frame of the live program with block 2 is stored like a block read.
constexpr uint8_t kWholeBlock = 1;
constexpr uint8_t kSecondBlock = 2;

// ---- program numbers (byte 3) -------------------------------------------------
constexpr int kLiveProgram = 0;
constexpr int kFirstStoredProgram = 1;
constexpr int kStoredPrograms = 30;
constexpr int kLastStoredProgram = kStoredPrograms;
// Lock data only: the fixed locks.
constexpr int kSystemProgram = 31;
// The live program and the stored ones: the names the processor holds.
constexpr int kProgramNumbers = kStoredPrograms + 1;
// Lock records the processor keeps: one per program number and the system's.
constexpr int kLockRecords = kSystemProgram + 1;

// ---- channel and block codes (byte 5) -----------------------------------------
constexpr int kInputCount = 4;
constexpr int kOutputCount = 8;
constexpr int kChannelCount = kInputCount + kOutputCount;
constexpr int kFirstInputCode = 1;
constexpr int kFirstOutputCode = kFirstInputCode + kInputCount;
constexpr int kLastBlockCode = kChannelCount;
// One level byte per channel, inputs first.
constexpr int kLevelBytes = kChannelCount;

// ---- device IDs and types -----------------------------------------------------
constexpr int kFirstDeviceId = 1;
constexpr int kLastDeviceId = 250;
constexpr int kDeviceIdCount = kLastDeviceId - kFirstDeviceId + 1;
constexpr int kFirstDeviceType = 1;
constexpr int kLastDeviceType = 6;

// ---- the state read after connecting ------------------------------------------
// Progress positions of the read: the two lock sets, every program name, the
// four device settings and the twelve blocks of the live program.
constexpr int kStateReadSettings = 4;
constexpr int kStateReadProgress = 2 + kProgramNumbers + kStateReadSettings + kChannelCount;

static_assert(kInputCount * kInputBlockBytes + kOutputCount * kOutputBlockBytes == kImageBytes);
static_assert(kStateReadProgress == 49);
}
