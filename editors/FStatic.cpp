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
#include <QRegion>

namespace
{
using GraphPicture::FrameRect;
using GraphPicture::kBackground;
using GraphPicture::kPlotOutline;
using GraphPicture::ToQRect;

const QColor kArea(68, 86, 98);
const QColor kLabel(255, 255, 255);
// Beyond the classic picture: the pointer readout and the dragged point's
// values, quiet enough not to hide the curves beneath.
const QColor kReadout(190, 190, 190);
const QColor kInfoFill(0, 0, 0, 210);

constexpr int kInfoPadding = 4;
constexpr QSize kPreferredSize{856, 236};
constexpr QSize kSmallestSize{320, 140};

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
    setAccessibleName(EditorsText(EEditorsText::GraphAccessibleName, m_eLanguage));
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

void CFStatic::SetLanguage(ELanguage language)
{
    m_eLanguage = language;
    setAccessibleName(EditorsText(EEditorsText::GraphAccessibleName, m_eLanguage));
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
        if (address != selected && m_program.Channel(address).IsCurveShown())
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
    m_imgBase = QImage(size() * ratio, QImage::Format_ARGB32_Premultiplied);
    m_imgBase.setDevicePixelRatio(ratio);
    m_imgCurveLayer = QImage();
    m_bLayerValid = false;
}

void CFStatic::Redraw(int highlight)
{
    m_nHighlight = highlight;
    EnsureLayout();
    // Drawn straight into the widget's back buffer at the next paint: a
    // picture of our own would cost one more copy of every pixel per move,
    // which at a pixel ratio of 2 is most of a drag's time.
    update();
}

QImage CFStatic::Picture()
{
    EnsureLayout();
    QImage picture(size() * m_dLayoutRatio, QImage::Format_ARGB32_Premultiplied);
    picture.setDevicePixelRatio(m_dLayoutRatio);
    QPainter painter(&picture);
    PaintPicture(painter);
    return picture;
}

void CFStatic::PaintPicture(QPainter& painter)
{
    painter.setFont(font());
    const int highlightIndex = m_nHighlight >= 0 ? m_nHighlight : m_pointer.GetCurrentIndex();
    const CFilter* highlighted = m_pointer.Highlighted(m_nHighlight);
    const bool showHighlight = highlighted && !m_pointer.IsFilterLocked(highlightIndex);
    UpdateCurveLayer(showHighlight);
    // The still part (background, scale, grid and the other channels'
    // curves) goes in as one opaque copy.
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(QPoint(0, 0), m_imgBase);
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);

    const QRect plot = ToQRect(m_layout.rcPlot);
    painter.setClipRect(plot);
    if (showHighlight)
    {
        // The area lies under the grid and the other curves: they are laid
        // over it again, within the area's bounds only.
        const QPolygon area = ToPolygon(highlighted->GetPolygon());
        painter.setRenderHint(QPainter::Antialiasing, true);
        painter.setPen(QPen(kArea, 1));
        painter.setBrush(kArea);
        painter.drawPolygon(area);
        painter.setRenderHint(QPainter::Antialiasing, false);
        const QRect bounds = area.boundingRect().adjusted(-1, -1, 1, 1).intersected(plot);
        if (!bounds.isEmpty())
        {
            const QRect inLayer = bounds.translated(-m_layout.rcPlot.left, -m_layout.rcPlot.top);
            painter.drawImage(QRectF(bounds), m_imgCurveLayer,
                              QRectF(QPointF(inLayer.topLeft()) * m_dLayoutRatio,
                                     QSizeF(inLayer.size()) * m_dLayoutRatio));
        }
        FrameRect(painter, plot, kPlotOutline);
    }

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

bool CFStatic::UpdateCurveLayer(bool needLayer)
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
    const bool baseValid = m_bLayerValid && curves == m_layerCurves;
    // A layer kept is drawn with the base, so it is as new as the base.
    const bool keepLayer = needLayer || !m_imgCurveLayer.isNull();
    if (baseValid && (!needLayer || !m_imgCurveLayer.isNull()))
        return false;

    QImage layer(QSize(m_layout.W, m_layout.H) * m_dLayoutRatio, QImage::Format_ARGB32_Premultiplied);
    layer.setDevicePixelRatio(m_dLayoutRatio);
    layer.fill(Qt::transparent);
    QPainter painter(&layer);
    painter.translate(-m_layout.rcPlot.left, -m_layout.rcPlot.top);
    GraphPicture::PaintGrid(painter, m_layout);
    painter.setRenderHint(QPainter::Antialiasing, true);
    for (const LayerCurve& curve : curves)
        DrawCurve(painter, *curve.pChannel);
    painter.end();
    if (keepLayer)
        m_imgCurveLayer = layer;
    if (baseValid)
        return false;
    m_layerCurves = std::move(curves);
    m_bLayerValid = true;

    QPainter base(&m_imgBase);
    GraphPicture::PaintBackground(base, m_layout, font());
    const QRect plot = ToQRect(m_layout.rcPlot);
    base.fillRect(plot, kBackground);
    base.drawImage(QPoint(m_layout.rcPlot.left, m_layout.rcPlot.top), layer);
    FrameRect(base, plot, kPlotOutline);
    return true;
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
    EnsureLayout();
    QPainter painter(this);
    PaintPicture(painter);
    DrawOverlay(painter);
    // What the next move must draw over again, wherever it goes.
    m_drawnMoving = MovingParts();
    m_bPainted = true;
}

CFStatic::Overlay CFStatic::OverlayNow() const
{
    const QFontMetrics metrics(font());
    Overlay overlay;
    if (const CFilter* dragged = m_pointer.IsDragging() ? m_pointer.CurrentFilter() : nullptr)
    {
        overlay.aszInfo = DragInfoLines(*dragged, m_eLanguage);
        for (const QString& line : overlay.aszInfo)
            overlay.nInfoTextWidth = std::max(overlay.nInfoTextWidth, metrics.horizontalAdvance(line));
        overlay.nLineHeight = metrics.height();
        overlay.rcInfo = ToQRect(DragInfoRect(dragged->m_rcHandle, dragged->m_rcLabel,
                                              overlay.nInfoTextWidth + 2 * kInfoPadding,
                                              overlay.nLineHeight * static_cast<int>(overlay.aszInfo.size())
                                                  + 2 * kInfoPadding,
                                              m_layout));
    }
    if (m_bPointerInside)
    {
        overlay.szReadout = PointerReadoutText(m_ptPointer, m_layout, m_eLanguage);
        if (!overlay.szReadout.isEmpty())
        {
            const QSize textSize = metrics.size(0, overlay.szReadout);
            overlay.rcReadout = ToQRect(ReadoutRect(textSize.width(), textSize.height(), m_layout));
        }
    }
    return overlay;
}

void CFStatic::DrawOverlay(QPainter& painter)
{
    painter.setFont(font());
    painter.setClipRect(ToQRect(m_layout.rcPlot));
    const Overlay overlay = OverlayNow();
    if (!overlay.aszInfo.isEmpty())
    {
        const QRect& rect = overlay.rcInfo;
        FrameRect(painter, rect, ChannelColour(m_pointer.SelectedChannel().GetColor()), kInfoFill);
        painter.setPen(kLabel);
        for (int i = 0; i < overlay.aszInfo.size(); ++i)
            painter.drawText(QRect(rect.left() + kInfoPadding, rect.top() + kInfoPadding + i * overlay.nLineHeight,
                                   overlay.nInfoTextWidth, overlay.nLineHeight),
                             Qt::AlignLeft | Qt::AlignVCenter, overlay.aszInfo[i]);
    }
    if (!overlay.szReadout.isEmpty())
    {
        painter.setPen(kReadout);
        painter.drawText(overlay.rcReadout, Qt::AlignRight | Qt::AlignVCenter, overlay.szReadout);
    }
}

QRegion CFStatic::MovingParts() const
{
    // What PaintPicture and DrawOverlay draw over the still picture, each
    // with room for antialiasing and the 3-pixel pen.
    constexpr int kCurveChunk = 24;
    constexpr int kPen = 3;
    QRegion region;
    const CAudio_Channel& selected = m_pointer.SelectedChannel();
    const auto& curve = selected.GetCurvePoints();
    for (size_t first = 0; first < curve.size(); first += kCurveChunk - 1)
    {
        const size_t last = std::min(curve.size(), first + kCurveChunk);
        int left = curve[first].x, right = left, top = curve[first].y, bottom = top;
        for (size_t i = first; i < last; ++i)
        {
            left = std::min(left, curve[i].x);
            right = std::max(right, curve[i].x);
            top = std::min(top, curve[i].y);
            bottom = std::max(bottom, curve[i].y);
        }
        region += QRect(QPoint(left, top), QPoint(right, bottom)).adjusted(-kPen, -kPen, kPen, kPen);
    }
    const QFontMetrics metrics(font());
    const CEQ& eq = selected.GetEQ();
    for (int i = 0; i < eq.GetSize(); ++i)
    {
        const CFilter& filter = eq.GetAt(i);
        region += ToQRect(filter.m_rcHandle).adjusted(-2, -2, 2, 2);
        region += ToQRect(filter.m_rcLowMarker).adjusted(-1, -1, 1, 1);
        region += ToQRect(filter.m_rcHighMarker).adjusted(-1, -1, 1, 1);
    }
    if (const CFilter* highlighted = m_pointer.Highlighted(m_nHighlight))
    {
        region += ToPolygon(highlighted->GetPolygon()).boundingRect().adjusted(-2, -2, 2, 2);
        const QRect label = ToQRect(highlighted->m_rcLabel);
        const int textWidth = metrics.horizontalAdvance(QString::fromStdString(highlighted->Summary()));
        region += QRect(label.center().x() - textWidth / 2 - 2, label.top() - metrics.height(), textWidth + 4,
                        label.height() + 2 * metrics.height());
    }
    const Overlay overlay = OverlayNow();
    region += overlay.rcInfo.adjusted(-1, -1, 1, 1);
    region += overlay.rcReadout.adjusted(-2, -2, 2, 2);
    return region & ToQRect(m_layout.rcPlot);
}

void CFStatic::RedrawMoved()
{
    m_nHighlight = -1;
    EnsureLayout();
    m_pointer.SelectedChannel().UpdateCurve();
    // The other curves changed too (a linked channel follows the drag): the
    // whole picture.
    if (!m_bPainted || UpdateCurveLayer(false))
    {
        update();
        return;
    }
    update(m_drawnMoving.united(MovingParts()));
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
    // Only what moved is drawn again: the curve, the points and the boxes
    // beside them, the readout.
    m_pointer.Move(m_ptPointer);
    RedrawMoved();
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
