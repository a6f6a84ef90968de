#pragma once

#include "model/Audio_Data.h"

#include <memory>

// A record as the catalogue's tests start from: its construction defaults,
// nothing marked for sending.
inline std::unique_ptr<CAudio_Data> Fresh()
{
    auto data = std::make_unique<CAudio_Data>();
    data->ClearAllChanged(false);
    return data;
}
