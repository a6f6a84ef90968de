#include "model/Audio_InRoute.h"

namespace
{
constexpr std::array<ColorRef, CAudio_InRoute::kCount> kColors = {
    MakeRgb(0, 255, 255), MakeRgb(223, 18, 123), MakeRgb(2, 123, 192), MakeRgb(255, 255, 0)};
}

CAudio_InRoute::CAudio_InRoute()
    : CAudio_Route(kColors, 'A')
{
}
