#pragma once

#include "editors/GraphLayout.h"
#include "model/Audio_Channel.h"
#include "model/ChannelAddress.h"

#include <QBrush>
#include <QColor>
#include <QRect>
#include <QSize>

#include <vector>

class CAudio_Data;
class QFont;
class QPainter;

// Drawing the response graph, shared by the graph widget and the pictures
// made of it (exports, the report's curve page), so that they look alike.
namespace GraphPicture
{
// Colours the widget and the pictures share.
inline const QColor kBackground{0, 0, 0};
inline const QColor kPlotOutline{0, 180, 0};

// A model rect (right and bottom exclusive) as Qt's.
QRect ToQRect(const Rect& rect);
// An outline drawn inside `rect`, the way the plot and markers are framed.
void FrameRect(QPainter& painter, const QRect& rect, const QColor& colour, const QBrush& fill = Qt::NoBrush);

// Black client with its grey outline and the scale labels.
void PaintBackground(QPainter& painter, const GraphLayout& layout, const QFont& font);
// The grid lines, finer ones first.
void PaintGrid(QPainter& painter, const GraphLayout& layout);
// A channel's curve: 3 pixels wide, in its colour.
void PaintCurve(QPainter& painter, const CurvePoints& points, ColorRef colour);

// A whole picture of `size`: background, grid, plot outline and the curves
// of `channels` in dB from the record (each brought up to date first), the
// last on top. With `legend`, the channels' labels in their colours along
// the plot's top.
void Paint(QPainter& painter, QSize size, CAudio_Data& record, const std::vector<ChannelAddress>& channels,
           const QFont& font, bool legend = false);
}
