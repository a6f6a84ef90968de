#pragma once

#include "model/Audio_InData.h"
#include "model/Audio_Route.h"

// The four inputs A to D. Inputs with equal group numbers are linked: an
// edit of one reaches the others (LinkRule.h).
class CAudio_InRoute : public CAudio_Route<CAudio_InData, Frame::kInputCount>
{
public:
    CAudio_InRoute();
};
