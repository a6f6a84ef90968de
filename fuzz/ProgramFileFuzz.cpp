// libFuzzer target for the program file readers. Every input is offered to
// both readers, as a user may open a file of either kind as the other. A
// failed read must leave its target exactly as it was; a successful one
// must give records that write, read and write again to the same bytes.
// Any broken rule aborts, and the sanitizers catch the rest.

#include "model/Audio_Data.h"
#include "model/LockState.h"
#include "model/ProgramBank.h"
#include "programs/ProgramCodec.h"

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <span>
#include <vector>

namespace
{
using Bytes = std::vector<uint8_t>;

void Require(bool condition, const char* rule)
{
    if (condition)
        return;
    std::fprintf(stderr, "program file rule broken: %s\n", rule);
    std::abort();
}

bool SameLocks(const CLockState& a, const CLockState& b)
{
    return a.m_abyFlags == b.m_abyFlags && a.m_abyFixed == b.m_abyFixed && a.GetPassword() == b.GetPassword();
}

void CheckProgramReader(std::span<const uint8_t> bytes)
{
    CAudio_Data program;
    program.Input(2).SetGate(13);
    CLockState locks;
    locks.SetFlag(CLockState::kSysDelete, true);
    locks.SetFlag(CLockState::kOutEq, true);
    locks.SetPassword("fz0123");
    const Bytes before = ProgramCodec::EncodeProgram(program, locks);
    const CLockState locksBefore = locks;

    if (ProgramCodec::DecodeProgram(bytes, program, locks) != ProgramFileError::kNone)
    {
        Require(ProgramCodec::EncodeProgram(program, locks) == before, "failed read changed the program");
        Require(SameLocks(locks, locksBefore), "failed read changed the locks");
        return;
    }
    Require(program.Input(2).GetGate() == 13, "read changed a gate threshold");
    Require(locks.IsLocked(CLockState::kSysDelete) && locks.GetPassword() == "fz0123",
            "read changed a system lock or the password");

    const Bytes once = ProgramCodec::EncodeProgram(program, locks);
    CAudio_Data again;
    CLockState againLocks;
    Require(ProgramCodec::DecodeProgram(once, again, againLocks) == ProgramFileError::kNone,
            "written program does not read");
    Require(ProgramCodec::EncodeProgram(again, againLocks) == once, "program write-read-write differs");
}

void CheckBankReader(std::span<const uint8_t> bytes)
{
    auto bank = std::make_unique<CProgramBank>();
    for (int i = 0; i < CProgramBank::kSlots; ++i)
    {
        bank->GetAt(i).strName = "kept";
        bank->GetAt(i).byLast = static_cast<uint8_t>(i + 1);
    }
    const auto before = std::make_unique<CProgramBank>(*bank);

    if (ProgramCodec::DecodeBank(bytes, *bank) != ProgramFileError::kNone)
    {
        Require(*bank == *before, "failed read changed the bank");
        return;
    }
    for (int i = 0; i < CProgramBank::kSlots; ++i)
        Require(bank->GetAt(i).byLast == i + 1, "read changed a slot's last byte");

    const Bytes once = ProgramCodec::EncodeBank(*bank);
    auto again = std::make_unique<CProgramBank>();
    Require(ProgramCodec::DecodeBank(once, *again) == ProgramFileError::kNone, "written bank does not read");
    Require(ProgramCodec::EncodeBank(*again) == once, "bank write-read-write differs");
}
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::span<const uint8_t> bytes(data, size);
    CheckProgramReader(bytes);
    CheckBankReader(bytes);
    return 0;
}
