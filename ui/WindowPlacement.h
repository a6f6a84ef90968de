#pragma once

#include <QMargins>
#include <QPoint>
#include <QRect>
#include <QSize>

// Where a top-level window goes on a screen, as arithmetic on rects so that
// tests reach it without a display. "Frame" is the window with its title bar
// and borders; "client" is what the window's own widgets fill.
namespace WindowPlacement
{
// The share of the screen's available area a window takes on first start.
constexpr double kFirstStartShare = 0.85;

// The client rect of a first start on a screen whose available area is
// `available`: a frame of 85 % of it, never smaller than `minimumClient`
// plus `frame` and never larger than the available area, centred, so that
// the whole frame (title bar included) is on screen.
QRect FirstStartClient(const QRect& available, QSize minimumClient, const QMargins& frame);

// Where the frame `frame` must move so that it lies within `available`:
// its own top-left when it already does. A frame larger than the area keeps
// its top-left corner (the title bar) on it.
QPoint FrameOnScreen(const QRect& frame, const QRect& available);
}
