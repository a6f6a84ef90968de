#include "editors/FStatic.h"

#include "model/Audio_Data.h"
#include "session/ProcessorLink.h"
#include "editors/ChannelColour.h"
#include "model/DataDefine.h"
#include "editors/EditorsText.h"
#include "editors/GraphPicture.h"
#include "editors/GraphText.h"

#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>
#include <QPolygon>

namespace
{
const QColor kBackground(0, 0, 0);
const QColor kPlotOutline(0, 180, 0);
const QColor kArea(68, 86, 98);
const QColor kLabel(255, 255, 255);
// Beyond the classic picture: the pointer readout and the dragged point's
// values, quiet enough not to hide the curves beneath.
const QColor kReadout(190, 190, 190);
const QColor kInfoFill(0, 0, 0, 210);

constexpr int kInfoPadding = 4;
constexpr QSize kPreferredSize{856, 236};
constexpr QSize kSmallestSize{320, 140};

QRect ToQRect(const Rect& rect)
{
    return QRect(QPoint(rect.left, rect.top), QPoint(rect.right - 1, rect.bottom - 1));
}

template <typename Points>
QPolygon ToPolygon(const Points& points)
{
    QPolygon polygon(static_cast<int>(points.size()));
    for (int i = 0; i < polygon.size(); ++i)
        polygon.setPoint(i, points[static_cast<size_t>(i)].x, points[static_cast<size_t>(i)].y);
    return polygon;
}

Qt::Alignment ToQtAlign(ELabelAlign align)
{
    switch (align)
    {
    case ELabelAlign::Left:
        return Qt::AlignLeft | Qt::AlignVCenter;
    case ELabelAlign::Right:
        return Qt::AlignRight | Qt::AlignVCenter;
    case ELabelAlign::Centre:
        break;
    }
    return Qt::AlignCenter;
}

// Outline drawn inside `rect`, the way the plot and markers are framed.
void FrameRect(QPainter& painter, const QRect& rect, const QColor& colour, const QBrush& fill = Qt::NoBrush)
{
    painter.setPen(QPen(colour, 1));
    painter.setBrush(fill);
    painter.drawRect(rect.adjusted(0, 0, -1, -1));
}
}

CFStatic::CFStatic(CProcessorLink& link, QWidget* parent)
    : QWidget(parent)
    , m_program(link.Record())
    , m_pLocks(&link.Locks())
    , m_pointer(link.Record(), &link.Locks(),
                [&link](EParam param, ParamAt at, int step) { return link.EditQuietly(param, at, step); })
{
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(kSmallestSize);
    setAccessibleName(EditorsText(EEditorsText::GraphAccessibleName, m_nLanguage));
    m_program.SetLockState(m_pLocks);
    m_pointer.SetNotifier([&link](EParam param, ParamAt at) {
        link.Notice().NotifyValueChanged(ParamCatalogue::ChannelCode(param, at), param);
    });
    m_pointer.SetMoveNotifier([&link](EParam param, ParamAt at) {
        link.Notice().NotifyValueMoving(ParamCatalogue::ChannelCode(param, at), param);
    });

    m_notifyTimer.setInterval(kNotifyIntervalMs);
    connect(&m_notifyTimer, &QTimer::timeout, this, &CFStatic::NotifyTick);
    m_notifyTimer.start();
}

QSize CFStatic::sizeHint() const
{
    return kPreferredSize;
}

QSize CFStatic::minimumSizeHint() const
{
    return kSmallestSize;
}

void CFStatic::SetLockState(const CLockState* locks)
{
    m_pLocks = locks;
    m_pointer.SetLockState(locks);
    m_program.SetLockState(locks);
    Redraw(-1);
}

void CFStatic::SetLanguage(int language)
{
    m_nLanguage = language;
    setAccessibleName(EditorsText(EEditorsText::GraphAccessibleName, m_nLanguage));
    update();
}

void CFStatic::Select(ChannelAddress channel)
{
    if (!m_pointer.Select(channel))
        return;
    if (!channel.bInput)
    {
        EnsureLayout();
        m_program.Output(channel.nIndex).SetGraphRect(m_layout.W, m_layout.H);
    }
    Redraw(-1);
    UpdateCursor();
}

std::vector<ChannelAddress> CFStatic::ShownChannels() const
{
    std::vector<ChannelAddress> shown;
    const ChannelAddress selected = m_pointer.Selected();
    for (int column = 0; column < Frame::kChannelCount; ++column)
    {
        const ChannelAddress address = ChannelAddress::FromColumn(column);
        if (address != selected && m_program.Channel(address).IsCurveShown() != 0)
            shown.push_back(address);
    }
    shown.push_back(selected);
    return shown;
}

void CFStatic::NotifyTick()
{
    m_pointer.Tick();
}

// ---- picture --------------------------------------------------------------------------

void CFStatic::EnsureLayout()
{
    const qreal ratio = devicePixelRatioF();
    if (size() == m_layoutSize && ratio == m_dLayoutRatio)
        return;
    if (size() != m_layoutSize)
    {
        m_layout = ComputeGraphLayout(width(), height());
        m_program.SetGraphRect(m_layout.W, m_layout.H);
        m_layoutSize = size();
    }
    m_dLayoutRatio = ratio;
    m_imgPicture = QImage(size() * ratio, QImage::Format_ARGB32_Premultiplied);
    m_imgPicture.setDevicePixelRatio(ratio);
    m_imgCurveLayer = QImage(QSize(m_layout.W, m_layout.H) * ratio, QImage::Format_ARGB32_Premultiplied);
    m_imgCurveLayer.setDevicePixelRatio(ratio);
    m_bLayerValid = false;
    RenderBackground();
}

void CFStatic::RenderBackground()
{
    QPainter painter(&m_imgPicture);
    GraphPicture::PaintBackground(painter, m_layout, font());
}

void CFStatic::Redraw(int highlight)
{
    m_nHighlight = highlight;
    EnsureLayout();
    QPainter painter(&m_imgPicture);
    painter.setFont(font());
    RenderPlot(painter);
    painter.end();
    update();
}

void CFStatic::RenderPlot(QPainter& painter)
{
    const QRect plot = ToQRect(m_layout.rcPlot);
    painter.setClipRect(plot);
    painter.fillRect(plot, kBackground);

    const int highlightIndex = m_nHighlight >= 0 ? m_nHighlight : m_pointer.GetCurrentIndex();
    const CFilter* highlighted = m_pointer.Highlighted(m_nHighlight);
    const bool showHighlight = highlighted && !m_pointer.IsFilterLocked(highlightIndex);
    if (showHighlight)
    {
        painter.setRenderHint(QPainter::Antialiasing, true);
        painter.setPen(QPen(kArea, 1));
        painter.setBrush(kArea);
        painter.drawPolygon(ToPolygon(highlighted->GetPolygon()));
        painter.setRenderHint(QPainter::Antialiasing, false);
    }

    UpdateCurveLayer();
    painter.drawImage(QPoint(m_layout.rcPlot.left, m_layout.rcPlot.top), m_imgCurveLayer);
    FrameRect(painter, plot, kPlotOutline);

    CAudio_Channel& selected = m_pointer.SelectedChannel();
    selected.UpdateCurve();
    painter.setRenderHint(QPainter::Antialiasing, true);
    DrawCurve(painter, selected);
    painter.setRenderHint(QPainter::Antialiasing, false);

    DrawPointLabels(painter);

    const CFilter* current = m_pointer.CurrentFilter();
    if (current && current->GetType() == CFilter::kParametric
        && !m_pointer.IsFilterLocked(m_pointer.GetCurrentIndex()))
    {
        const QColor outline = ChannelColour(m_pointer.SelectedChannel().GetColor());
        FrameRect(painter, ToQRect(current->m_rcLowMarker), outline, kArea);
        FrameRect(painter, ToQRect(current->m_rcHighMarker), outline, kArea);
    }
    if (showHighlight)
    {
        painter.setPen(kLabel);
        painter.drawText(ToQRect(highlighted->m_rcLabel), Qt::AlignCenter,
                         QString::fromStdString(highlighted->Summary()));
    }
    painter.setClipping(false);
}

void CFStatic::UpdateCurveLayer()
{
    std::vector<LayerCurve> curves;
    curves.reserve(CAudio_InRoute::kCount + CAudio_OutRoute::kCount);
    const CAudio_Channel* selected = &m_pointer.SelectedChannel();
    auto collect = [&](CAudio_Channel& channel) {
        if (!channel.IsCurveShown() || &channel == selected)
            return;
        // The curve follows the filters and the locks, which may have
        // changed since the last picture.
        channel.UpdateCurve();
        curves.push_back({&channel, channel.GetColor(), channel.GetCurvePoints()});
    };
    for (int i = 0; i < CAudio_InRoute::kCount; ++i)
        collect(m_program.Input(i));
    for (int i = 0; i < CAudio_OutRoute::kCount; ++i)
        collect(m_program.Output(i));
    if (m_bLayerValid && curves == m_layerCurves)
        return;

    m_imgCurveLayer.fill(Qt::transparent);
    QPainter painter(&m_imgCurveLayer);
    painter.translate(-m_layout.rcPlot.left, -m_layout.rcPlot.top);
    GraphPicture::PaintGrid(painter, m_layout);
    painter.setRenderHint(QPainter::Antialiasing, true);
    for (const LayerCurve& curve : curves)
        DrawCurve(painter, *curve.pChannel);
    m_layerCurves = std::move(curves);
    m_bLayerValid = true;
}

void CFStatic::DrawCurve(QPainter& painter, const CAudio_Channel& channel)
{
    GraphPicture::PaintCurve(painter, channel.GetCurvePoints(), channel.GetColor());
}

void CFStatic::DrawPointLabels(QPainter& painter)
{
    painter.setPen(kLabel);
    const CEQ& eq = m_pointer.SelectedChannel().GetEQ();
    for (int i = eq.GetSize() - 1; i >= 0; --i)
    {
        if (m_pointer.IsFilterLocked(i))
            continue;
        const CFilter& filter = eq.GetAt(i);
        const ELabelAlign align = PointLabelAlign(filter.m_rcHandle, filter.GetFrequency(), m_layout.rcPlot);
        painter.drawText(ToQRect(filter.m_rcHandle), ToQtAlign(align), PointLabelText(filter, i));
    }
}

// ---- painting and the mouse ---------------------------------------------------

void CFStatic::paintEvent(QPaintEvent* /*event*/)
{
    if (size() != m_layoutSize || devicePixelRatioF() != m_dLayoutRatio)
        Redraw(m_nHighlight);
    QPainter painter(this);
    painter.drawImage(QPoint(0, 0), m_imgPicture);
    DrawOverlay(painter);
}

void CFStatic::DrawOverlay(QPainter& painter)
{
    const QFontMetrics metrics(font());
    painter.setFont(font());
    painter.setClipRect(ToQRect(m_layout.rcPlot));

    const CFilter* dragged = m_pointer.IsDragging() ? m_pointer.CurrentFilter() : nullptr;
    if (dragged)
    {
        const QStringList lines = DragInfoLines(*dragged, m_nLanguage);
        int textWidth = 0;
        for (const QString& line : lines)
            textWidth = std::max(textWidth, metrics.horizontalAdvance(line));
        const int lineHeight = metrics.height();
        const Rect box = DragInfoRect(dragged->m_rcHandle, dragged->m_rcLabel, textWidth + 2 * kInfoPadding,
                                      lineHeight * static_cast<int>(lines.size()) + 2 * kInfoPadding, m_layout);
        const QRect rect = ToQRect(box);
        FrameRect(painter, rect, ChannelColour(m_pointer.SelectedChannel().GetColor()), kInfoFill);
        painter.setPen(kLabel);
        for (int i = 0; i < lines.size(); ++i)
            painter.drawText(QRect(rect.left() + kInfoPadding, rect.top() + kInfoPadding + i * lineHeight,
                                   textWidth, lineHeight),
                             Qt::AlignLeft | Qt::AlignVCenter, lines[i]);
    }

    if (m_bPointerInside)
    {
        const QString text = PointerReadoutText(m_ptPointer, m_layout, m_nLanguage);
        if (!text.isEmpty())
        {
            const QSize textSize = metrics.size(0, text);
            painter.setPen(kReadout);
            painter.drawText(ToQRect(ReadoutRect(textSize.width(), textSize.height(), m_layout)),
                             Qt::AlignRight | Qt::AlignVCenter, text);
        }
    }
}

void CFStatic::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    Redraw(m_nHighlight);
}

void CFStatic::mouseMoveEvent(QMouseEvent* event)
{
    EnsureLayout();
    const QPoint pos = event->position().toPoint();
    m_ptPointer = {pos.x(), pos.y()};
    m_bPointerInside = true;
    if (m_pointer.Move(m_ptPointer))
        Redraw(-1);
    else
        update();
    UpdateCursor();
}

void CFStatic::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    EnsureLayout();
    const QPoint pos = event->position().toPoint();
    if (m_pointer.Press({pos.x(), pos.y()}))
        update();
    if (m_pointer.IsDragging() && !m_bDragAnnounced)
    {
        m_bDragAnnounced = true;
        emit dragStarted();
    }
    UpdateCursor();
}

void CFStatic::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    if (m_pointer.Release())
        update();
    UpdateCursor();
    if (m_bDragAnnounced)
    {
        m_bDragAnnounced = false;
        emit dragFinished();
    }
}

void CFStatic::leaveEvent(QEvent* event)
{
    QWidget::leaveEvent(event);
    m_bPointerInside = false;
    update();
}

void CFStatic::UpdateCursor()
{
    if (m_pointer.IsOverPoint() || m_pointer.IsDragging())
        setCursor(Qt::PointingHandCursor);
    else
        unsetCursor();
}
