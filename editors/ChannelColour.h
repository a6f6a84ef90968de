#pragma once

#include "model/Audio_Channel.h"

#include <QColor>

// A channel's curve colour as the records keep it (red | green << 8 |
// blue << 16), for drawing.
inline QColor ChannelColour(ColorRef colour)
{
    return QColor(static_cast<int>(colour & 0xFF), static_cast<int>((colour >> 8) & 0xFF),
                  static_cast<int>((colour >> 16) & 0xFF));
}
