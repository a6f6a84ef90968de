#pragma once

#include "model/LockState.h"

#include <array>
#include <cstdint>
#include <span>

// The lock window's working copy of the lock flags: what the user ticks
// changes only this copy until OK hands it back. Fixed function locks (those
// a recalled program or a loaded file brought) cannot be cleared here, and
// "Select all" leaves them alone.
class CLockSelection
{
public:
    enum EGroup : int
    {
        kInputs,
        kOutputs,
        kSystem,
    };

    explicit CLockSelection(const CLockState& locks);

    // The flags the window shows for a group, top to bottom (the "Sound_Test"
    // system lock has no box).
    static std::span<const int> Flags(EGroup eGroup);

    bool IsTicked(int flag) const;
    // False for a fixed lock.
    bool IsEnabled(int flag) const;
    // Ignored for a fixed lock.
    void SetItem(int flag, bool bTicked);

    // "Select all" of the inputs or the outputs: ticked when every box of
    // the group is; usable unless every item of the group is fixed.
    bool IsAllTicked(EGroup eGroup) const;
    bool IsSelectAllEnabled(EGroup eGroup) const;
    // Every enabled box of the group takes bTicked.
    void SetAll(EGroup eGroup, bool bTicked);

    // Copies the working flags (0 to 53) into the lock state.
    void ApplyTo(CLockState& locks) const;

private:
    std::array<uint8_t, CLockState::kFlagCount> m_abyFlags{};
    std::array<uint8_t, CLockState::kFunctionFlags> m_abyFixed{};
};
