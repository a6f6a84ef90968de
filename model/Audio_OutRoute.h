#pragma once

#include "model/Audio_OutData.h"
#include "model/Audio_Route.h"

// The eight outputs 1 to 8 and their link groups.
class CAudio_OutRoute : public CAudio_Route<CAudio_OutData, Frame::kOutputCount>
{
public:
    CAudio_OutRoute();
};
