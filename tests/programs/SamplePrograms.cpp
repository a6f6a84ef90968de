#include "tests/programs/SamplePrograms.h"

#include "model/Audio_Data.h"
#include "model/LockState.h"
#include "model/ProgramBank.h"

#include <initializer_list>
#include <string>

namespace SamplePrograms
{
void FillProgram(CAudio_Data& program, CLockState& locks)
{
    program.SetName("Mix %s 100%");
    for (int flag : std::initializer_list<int>{CLockState::kInGain, CLockState::kInEq, CLockState::kInLink, 9, CLockState::kOutGain,
                     CLockState::kOutEq, CLockState::kOutLink, CLockState::kSysSave})
        locks.SetFlag(flag, true);
    locks.SetFixed(CLockState::kInEq, true);
    locks.SetPassword("abc123");

    CAudio_InData& a = program.Input(0);
    a.SetName("Overhead");
    a.SetOn(false);
    a.SetPolarity(true);
    a.SetDelay(1467);
    a.SetGain(0);
    a.SetGate(80);
    a.SetGateActive(true);
    a.SetSpare15(-7);
    a.GetBand(0).SetGainStep(430);
    a.GetBand(0).SetBypass(true);
    a.GetBand(1).SetGainStep(400);
    a.GetBand(2).SetGainStep(250);
    a.GetBand(2).SetOff(true);
    a.GetBand(3).SetType(CFilter::kHighShelf);
    a.GetBand(3).SetSlope(1);
    a.GetBand(3).SetFrequency(12345);
    a.GetBand(3).SetBandwidthStep(299);
    a.GetBand(5).SetGainStep(0);
    program.Input(1).SetName("%d%n%s");
    program.Input(2).SetName("");
    program.Input(3).SetGain(420);

    CAudio_OutData& one = program.Output(0);
    one.SetName("Sub Left");
    one.m_nReserved = -1;
    one.SetRoute(0x0F);
    one.SetGain(420);
    one.SetDelay(7);
    one.SetGeqMode(1, 1);
    one.GetBand(4).SetGainStep(460);
    one.GetBand(4).SetBandwidthStep(99);
    one.SetLimitThreshold(123);
    one.SetLimitAttack(206);
    one.SetLimitRelease(5000);
    one.GetHighPass().SetFrequency(80);
    one.GetHighPass().SetXoverType(0);
    one.GetHighPass().SetSlope(6);
    one.GetHighPass().StepTowardTarget(false);
    one.GetLowPass().SetFrequency(1000);
    one.GetLowPass().StepTowardTarget(false);

    CAudio_OutData& two = program.Output(1);
    two.SetName("12345678");
    two.SetOn(false);
    two.SetPolarity(true);
    two.GetBand(0).SetGainStep(520);
    two.GetBand(7).SetGainStep(100);
    two.SetEqBypass(true);

    program.Output(7).SetGeqMode(1, 0);
    program.Output(7).GetBand(14).SetGainStep(401);
}

void FillBank(CProgramBank& bank)
{
    for (int i = 0; i < CProgramBank::kSlots; ++i)
    {
        CImageSlot& slot = bank.GetAt(i);
        for (size_t k = 0; k < slot.abyImage.size(); ++k)
            slot.abyImage[k] = static_cast<uint8_t>(i * 7 + k);
        for (size_t k = 0; k < slot.abyInfo.size(); ++k)
            slot.abyInfo[k] = static_cast<uint8_t>(0x11 * (k + 1) + i);
        slot.byLast = static_cast<uint8_t>(0xA0 + i);
        slot.strName = "P" + std::to_string(i + 1);
    }
    bank.GetAt(0).strName.clear();
    bank.GetAt(1).strName = "Live%d";
    bank.GetAt(2).strName = "ABCDEFGHIJKL";
    bank.GetAt(3).strName = std::string(300, 'x');
    bank.GetAt(4).strName = std::string("caf\xE9\0end", 7);
}
}
