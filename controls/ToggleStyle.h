#pragma once

// The kinds of two-state button the panels and the channel strip show.
enum class EToggleStyle
{
    Mute,            // checked: speaker (channel on); unchecked: crossed speaker; disabled: padlock
    Select,          // the channel label; checked: red (the channel the editors show)
    Curve,           // "curve" over a bar in the channel's colour; disabled: blank
    Route,           // input letter; checked green, unchecked white, disabled grey
    RouteIndicator,  // grey "E"; disabled and checked: green "E"
    Tick,            // checked: green tick; unchecked: red cross; disabled: grey
    Caption,         // a text per state (e.g. "+" / "-"); checked: accent face
};
