#include "model/Audio_OutRoute.h"

namespace
{
constexpr std::array<ColorRef, CAudio_OutRoute::kCount> kColors = {
    MakeRgb(255, 0, 0), MakeRgb(0, 192, 0), MakeRgb(128, 128, 192), MakeRgb(255, 64, 255),
    MakeRgb(0, 192, 192), MakeRgb(192, 168, 0), MakeRgb(255, 128, 0), MakeRgb(0, 0, 255)};
}

CAudio_OutRoute::CAudio_OutRoute()
    : CAudio_Route(kColors, '1')
{
}
