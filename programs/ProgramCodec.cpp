#include "programs/ProgramCodec.h"

#include "model/Archive.h"
#include "model/Audio_Data.h"
#include "model/LockState.h"
#include "model/ProgramBank.h"

#include <cassert>
#include <memory>

namespace
{
ProgramFileError ToError(CArchive::Status status)
{
    switch (status)
    {
    case CArchive::Status::kOk:
        return ProgramFileError::kNone;
    case CArchive::Status::kEndOfData:
        return ProgramFileError::kTruncated;
    case CArchive::Status::kDamaged:
        break;
    }
    return ProgramFileError::kDamaged;
}
}

namespace ProgramCodec
{
std::vector<uint8_t> EncodeProgram(CAudio_Data& program, const CLockState& locks)
{
    CArchive ar;
    CLockState copy = locks;
    program.Serialize(ar, copy);
    return ar.TakeBuffer();
}

ProgramFileError DecodeProgram(std::span<const uint8_t> bytes, CAudio_Data& program, CLockState& locks)
{
    // The records cannot be copied whole, so the file is read twice: into a
    // scratch record to prove it reads completely, then into the target.
    // The layout depends on nothing but the bytes, so the second read takes
    // the same path and cannot fail.
    {
        auto scratch = std::make_unique<CAudio_Data>();
        CLockState scratchLocks = locks;
        CArchive ar(bytes);
        scratch->Serialize(ar, scratchLocks);
        if (!ar.IsOk())
            return ToError(ar.GetStatus());
    }
    CArchive ar(bytes);
    program.Serialize(ar, locks);
    assert(ar.IsOk());
    return ToError(ar.GetStatus());
}

std::vector<uint8_t> EncodeBank(const CProgramBank& bank)
{
    CArchive ar;
    bank.WriteProgramBank(ar);
    return ar.TakeBuffer();
}

ProgramFileError DecodeBank(std::span<const uint8_t> bytes, CProgramBank& bank)
{
    // Starting from a copy keeps the slots' last bytes, which the file
    // does not hold.
    auto scratch = std::make_unique<CProgramBank>(bank);
    CArchive ar(bytes);
    scratch->ReadProgramBank(ar);
    if (!ar.IsOk())
        return ToError(ar.GetStatus());
    bank = *scratch;
    return ProgramFileError::kNone;
}
}
