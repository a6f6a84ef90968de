#include "ControlPalette.h"

namespace
{
SControlPalette& Current()
{
    static SControlPalette palette{
        .cFace = QColor(0x3d, 0x47, 0x57),
        .cFaceShade = QColor(0x2b, 0x32, 0x3e),
        .cBorder = QColor(0x41, 0x4c, 0x5c),
        .cText = QColor(0xe4, 0xe9, 0xf0),
        .cMutedText = QColor(0x8d, 0x99, 0xab),
        .cFocus = QColor(0x7f, 0xd4, 0xff),
        .cAccent = QColor(0xf2, 0xa5, 0x3a),
        .cOn = QColor(0x56, 0xc9, 0x65),
        .cAlarm = QColor(0xe0, 0x4b, 0x4b),
        .cWarning = QColor(0xf2, 0xd2, 0x3a),
        .cWell = QColor(0x0b, 0x0e, 0x13),
        .cLampOff = QColor(0x22, 0x28, 0x31),
    };
    return palette;
}
}

const SControlPalette& ControlPalette()
{
    return Current();
}

void SetControlPalette(const SControlPalette& palette)
{
    Current() = palette;
}
