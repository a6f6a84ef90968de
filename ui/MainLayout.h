#pragma once

#include <QRect>
#include <QSize>

// Where the areas of the main window lie, in pixels of its client area.
// The panels take their places from here, so that the shell and the panels
// agree on one layout:
//
//   +--------+-------------------------------------------+------+
//   | status |              response graph               | cmds |
//   +--------+-------------------------------------------+------+
//   |          channel panel (input or output side)             |
//   +------------------------------------------------------------+
//   |          EQ panel (input or output side)                   |
//   +------------------------------------------------------------+
//   |          channel strip: 4 input and 8 output columns       |
//   +------------------------------------------------------------+
namespace MainLayout
{
constexpr QSize kWindowSize{1200, 700};

constexpr QRect kStatusArea{8, 8, 212, 236};
constexpr QRect kGraph{228, 8, 856, 236};
constexpr QRect kCommandArea{1092, 8, 100, 236};
constexpr QRect kChannelPanel{8, 252, 1184, 92};
constexpr QRect kEqPanel{8, 352, 1184, 148};
constexpr QRect kChannelStrip{8, 508, 1184, 184};

// Command buttons, top to bottom inside the command area.
constexpr int kCommandButtonHeight = 28;
constexpr int kCommandButtonGap = 6;
}
