#include "controls/ControlPalette.h"

#include "ui/MainSkin.h"

namespace
{
SControlPalette& Current()
{
    // The main window's look, and the lamp colours only the controls use.
    static SControlPalette palette{
        .cFace = CMainSkin::kButtonTop,
        .cFaceShade = CMainSkin::kButtonBottom,
        .cBorder = CMainSkin::kPanelBorder,
        .cText = CMainSkin::kText,
        .cMutedText = CMainSkin::kMutedText,
        .cFocus = CMainSkin::kFieldText,
        .cAccent = CMainSkin::kAccent,
        .cOn = CMainSkin::kOn,
        .cAlarm = QColor(0xe0, 0x4b, 0x4b),
        .cWarning = QColor(0xf2, 0xd2, 0x3a),
        .cWell = CMainSkin::kField,
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
