#pragma once

#include <QColor>

// The colours the skin controls draw with. They start as the main window's
// dark console look; the program may set its own look once at start, before
// the first control is shown.
struct SControlPalette
{
    QColor cFace;          // button face, top of its gradient
    QColor cFaceShade;     // button face, bottom of its gradient
    QColor cBorder;
    QColor cText;
    QColor cMutedText;     // disabled drawing and the grey "E"
    QColor cFocus;         // keyboard focus ring
    QColor cAccent;        // checked caption buttons, fader thumb grip
    QColor cOn;            // ticks, lit level lamps, routed letters
    QColor cAlarm;         // crossed speaker, red cross, selected channel, peak lamp
    QColor cWarning;       // lamps just below the top
    QColor cWell;          // fader slot and the dark meter body
    QColor cLampOff;
};

const SControlPalette& ControlPalette();
void SetControlPalette(const SControlPalette& palette);
