#pragma once

#include "programs/ProgramFileError.h"

#include <cstdint>
#include <span>
#include <vector>

class CAudio_Data;
class CLockState;
class CProgramBank;

// The program files as bytes, without touching the disk. Decoding is all or
// nothing: the file is read completely into scratch records first, and the
// target changes only when that succeeded. Bytes after a complete layout
// are ignored, as they always were.
namespace ProgramCodec
{
// "*.dia1C": the program record with function locks 0 to 31.
std::vector<uint8_t> EncodeProgram(CAudio_Data& program, const CLockState& locks);
// On success the records, lock flags 0 to 31 and fixed locks 0 to 31 hold
// the file; on failure program and locks are untouched.
ProgramFileError DecodeProgram(std::span<const uint8_t> bytes, CAudio_Data& program, CLockState& locks);

// "*.dat1C": the 30 slots of the program bank.
std::vector<uint8_t> EncodeBank(const CProgramBank& bank);
// On success every slot holds the file (each slot's last byte, which files
// do not hold, stays); on failure the bank is untouched.
ProgramFileError DecodeBank(std::span<const uint8_t> bytes, CProgramBank& bank);
}
