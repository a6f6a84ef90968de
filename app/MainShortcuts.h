#pragma once

#include "model/ChannelAddress.h"

#include <QKeySequence>

#include <vector>

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
}
