#pragma once

#include "link/Command.h"
#include "tests/VprocProcess.h"
#include "wire/Frame.h"

// Runs the event loop until the engine has nothing left to send but level
// requests, which the pump adds while it is idle: every request queued
// before has been answered. False after nTimeoutMs.
inline bool WaitForPollsOnly(const CCommand& command, int nTimeoutMs)
{
    return RunUntil(
        [&command] {
            const CSendDataQueue& queue = command.Queue();
            for (int i = 0; i < queue.Count(); ++i)
                if (queue.At(i).GetFrame()[Frame::kOffType] != Frame::kLevels)
                    return false;
            return true;
        },
        nTimeoutMs);
}
