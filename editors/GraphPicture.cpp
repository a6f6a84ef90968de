#include "editors/GraphPicture.h"

#include "editors/ChannelColour.h"
#include "editors/EditorsText.h"
#include "model/DataDefine.h"
#include "model/ValueText.h"
#include "model/Audio_Data.h"
#include "ui/ChannelLabel.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPolygon>

namespace
{
const QColor kOutline(100, 100, 100);
const QColor kGrid(21, 100, 21);
// The finer lines a roomy plot adds, quieter than the 10 dB and decade lines.
const QColor kMinorGrid(14, 58, 14);
constexpr int kCurveWidth = 3;
constexpr int kLegendGap = 12;

}

namespace GraphPicture
{
QRect ToQRect(const Rect& rect)
{
    return QRect(QPoint(rect.left, rect.top), QPoint(rect.right - 1, rect.bottom - 1));
}

void FrameRect(QPainter& painter, const QRect& rect, const QColor& colour, const QBrush& fill)
{
    painter.setPen(QPen(colour, 1));
    painter.setBrush(fill);
    painter.drawRect(rect.adjusted(0, 0, -1, -1));
}

void PaintBackground(QPainter& painter, const GraphLayout& layout, const QFont& font)
{
    const QRect client = ToQRect(layout.rcClient);
    painter.fillRect(client, kBackground);
    FrameRect(painter, client, kOutline);
    painter.setFont(font);
    painter.setPen(kOutline);
    const QFontMetrics metrics(font);
    for (const ScaleLabel& label : ScaleLabels(layout))
    {
        const QString text = QString::fromStdString(label.strText);
        painter.drawText(QRect(QPoint(label.ptTopLeft.x, label.ptTopLeft.y), metrics.size(0, text)),
                         Qt::AlignLeft | Qt::AlignTop, text);
    }
}

void PaintGrid(QPainter& painter, const GraphLayout& layout)
{
    const QRect plot = ToQRect(layout.rcPlot);
    painter.setPen(QPen(kMinorGrid, 1));
    for (const int x : layout.aMinorGridX)
        painter.drawLine(x, plot.top(), x, plot.bottom());
    for (const int y : layout.aMinorGridY)
        painter.drawLine(plot.left(), y, plot.right(), y);
    painter.setPen(QPen(kGrid, 1));
    // 20 Hz is the plot's left edge: no line of its own.
    for (size_t i = 1; i < layout.aGridX.size(); ++i)
        painter.drawLine(layout.aGridX[i], plot.top(), layout.aGridX[i], plot.bottom());
    for (const int y : layout.aGridY)
        painter.drawLine(plot.left(), y, plot.right(), y);
}

void PaintCurve(QPainter& painter, const CurvePoints& points, ColorRef colour)
{
    QPen pen(ChannelColour(colour), kCurveWidth);
    // Round joins cost a third more to stroke and look the same at 3 pixels.
    pen.setJoinStyle(Qt::BevelJoin);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    QPolygon polygon(static_cast<int>(points.size()));
    for (int i = 0; i < polygon.size(); ++i)
        polygon.setPoint(i, points[static_cast<size_t>(i)].x, points[static_cast<size_t>(i)].y);
    painter.drawPolyline(polygon);
}

void Paint(QPainter& painter, QSize size, CAudio_Data& record, const std::vector<ChannelAddress>& channels,
           const QFont& font, bool legend)
{
    const GraphLayout layout = ComputeGraphLayout(size.width(), size.height());
    PaintBackground(painter, layout, font);
    const QRect plot = ToQRect(layout.rcPlot);
    painter.save();
    painter.setClipRect(plot);
    PaintGrid(painter, layout);
    painter.setRenderHint(QPainter::Antialiasing, true);
    for (const ChannelAddress address : channels)
    {
        CAudio_Channel& channel = record.Channel(address);
        channel.UpdateCurve();
        PaintCurve(painter, CurveToPoints(channel.GetCurveDb(), layout), channel.GetColor());
    }
    painter.restore();
    FrameRect(painter, plot, kPlotOutline);
    if (!legend)
        return;
    painter.setFont(font);
    const QFontMetrics metrics(font);
    int left = plot.left() + kLegendGap;
    for (const ChannelAddress address : channels)
    {
        const QString label = EditorsText(EEditorsText::StripChannel, kEnglish).arg(ChannelLabel(address));
        painter.setPen(ChannelColour(record.Channel(address).GetColor()));
        painter.drawText(QPoint(left, plot.top() + metrics.ascent() + 4), label);
        left += metrics.horizontalAdvance(label) + kLegendGap;
    }
}
}
