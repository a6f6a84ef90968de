#include "locks/LockSelection.h"

#include <algorithm>

namespace
{
using Flag = CLockState::Flag;

constexpr std::array kInputFlags{
    int(Flag::kInGain), int(Flag::kInPolarity), int(Flag::kInDelay), int(Flag::kInEq),
    int(Flag::kInMute), int(Flag::kInGate),     int(Flag::kInName),  int(Flag::kInLink),
};
constexpr std::array kOutputFlags{
    int(Flag::kOutGain),    int(Flag::kOutPolarity), int(Flag::kOutDelay),   int(Flag::kOutEq),
    int(Flag::kOutMute),    int(Flag::kOutRouting),  int(Flag::kOutXover),   int(Flag::kOutLimiter),
    int(Flag::kOutName),    int(Flag::kOutLink),
};
constexpr std::array kSystemFlags{
    int(Flag::kSysLoad),   int(Flag::kSysSave),      int(Flag::kSysDelete),
    int(Flag::kSysCopy),   int(Flag::kSysDeviceId),  int(Flag::kSysShow),
    int(Flag::kSysBacklight), int(Flag::kSysPowerOn), int(Flag::kSysKeyEdit),
};
}

CLockSelection::CLockSelection(const CLockState& locks)
    : m_abyFlags(locks.m_abyFlags)
    , m_abyFixed(locks.m_abyFixed)
{
}

std::span<const int> CLockSelection::Flags(EGroup eGroup)
{
    switch (eGroup)
    {
    case kInputs:
        return kInputFlags;
    case kOutputs:
        return kOutputFlags;
    case kSystem:
        break;
    }
    return kSystemFlags;
}

bool CLockSelection::IsTicked(int flag) const
{
    return m_abyFlags.at(static_cast<size_t>(flag)) != 0;
}

bool CLockSelection::IsEnabled(int flag) const
{
    return flag >= CLockState::kFunctionFlags || m_abyFixed.at(static_cast<size_t>(flag)) == 0;
}

void CLockSelection::SetItem(int flag, bool bTicked)
{
    if (IsEnabled(flag))
        m_abyFlags.at(static_cast<size_t>(flag)) = bTicked ? 1 : 0;
}

bool CLockSelection::IsAllTicked(EGroup eGroup) const
{
    return std::ranges::all_of(Flags(eGroup), [this](int flag) { return IsTicked(flag); });
}

bool CLockSelection::IsSelectAllEnabled(EGroup eGroup) const
{
    return std::ranges::any_of(Flags(eGroup), [this](int flag) { return IsEnabled(flag); });
}

void CLockSelection::SetAll(EGroup eGroup, bool bTicked)
{
    for (int flag : Flags(eGroup))
        SetItem(flag, bTicked);
}

void CLockSelection::ApplyTo(CLockState& locks) const
{
    locks.m_abyFlags = m_abyFlags;
}
