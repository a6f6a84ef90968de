#pragma once

#include "model/ChannelAddress.h"

#include <QKeySequence>

#include <functional>
#include <vector>

class CChannelSelector;
class QWidget;

// The main window's keyboard shortcuts, one table for the window that binds
// them and the help pages that list them (a test checks both): a channel
// selected straight away, the selected channel muted or unmuted, its EQ
// switched on or bypassed. Each does what a click on its button does.
namespace MainShortcuts
{
enum class EAction
{
    Select,
    Mute,
    EqBypass,
};

struct Shortcut
{
    QKeySequence key;
    EAction eAction;
    ChannelAddress channel;  // for Select
};

// Alt+A..Alt+D inputs A..D, Alt+1..Alt+8 outputs 1..8, Ctrl+M mute,
// Ctrl+E EQ on/bypass.
const std::vector<Shortcut>& All();

// Binds All() in `window`: a Select calls `select`; Mute clicks the selected
// channel's mute button in `strip`, EqBypass the EQ switch of the selected
// side's panel, each when enabled. The button is looked up when the key is
// pressed, since the panels shown and the selected channel decide which.
void Bind(QWidget& window, const CChannelSelector& selector, const std::function<void(ChannelAddress)>& select,
          QWidget& strip, QWidget& inputEq, QWidget& outputEq);
}
