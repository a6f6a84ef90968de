#include "controls/Fader.h"

#include "controls/ControlPalette.h"
#include "controls/ControlsAccessible.h"
#include "controls/ControlsText.h"

#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include <algorithm>

namespace
{
constexpr double kThumbHeight = 22;
constexpr double kThumbWidth = 26;
constexpr double kSlotWidth = 5;
constexpr int kLabelWidth = 26;

qint64 MonotonicMs()
{
    static QElapsedTimer started = [] {
        QElapsedTimer timer;
        timer.start();
        return timer;
    }();
    return started.elapsed();
}
}

CFader::CFader(QWidget* parent)
    : QWidget(parent)
    , m_clock(MonotonicMs)
{
    InstallControlsAccessibility();
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_Hover);
    m_reportTimer.setSingleShot(true);
    connect(&m_reportTimer, &QTimer::timeout, this, &CFader::DragTick);
    UpdateTexts();
}

void CFader::SetRange(int min, int max)
{
    m_nMin = min;
    m_nMax = std::max(min, max);
    SetPosition(m_nPosition);
}

void CFader::SetInverted(bool inverted)
{
    m_bInverted = inverted;
    UpdateTexts();
    update();
}

int CFader::ValueOf(int position) const
{
    return m_bInverted ? FaderHeightValue(Travel(), position) : position;
}

void CFader::SetValue(int value)
{
    SetPosition(PositionOf(value));
}

void CFader::SetPosition(int position)
{
    position = ClampFaderPosition(Travel(), position);
    m_nReported = position;
    if (position == m_nPosition)
        return;
    m_nPosition = position;
    UpdateTexts();
    update();
}

void CFader::SetMargin(int margin)
{
    m_nMargin = std::max(0, margin);
    update();
}

void CFader::SetMarks(const QList<SMark>& marks)
{
    m_marks = marks;
    update();
}

void CFader::SetCaption(const QString& caption)
{
    m_szCaption = caption;
    UpdateTexts();
}

void CFader::SetValueText(ValueText valueText)
{
    m_valueText = std::move(valueText);
    UpdateTexts();
}

QString CFader::ValueTextOf(int position) const
{
    return m_valueText ? m_valueText(ValueOf(position)) : QString::number(ValueOf(position));
}

void CFader::SetLanguage(ELanguage language)
{
    m_eLanguage = language;
    UpdateTexts();
}

void CFader::MoveTo(int position)
{
    if (Move(position))
        ReportNowIfChanged();
}

void CFader::SetClock(Clock clock)
{
    m_clock = clock ? std::move(clock) : Clock(MonotonicMs);
}

void CFader::DragTick()
{
    if (!m_bDragging)
        return;
    if (m_throttle.Poll(m_clock()))
        Report();
    else if (m_throttle.IsPending())
        m_reportTimer.start(int(m_throttle.WaitFor(m_clock())));
}

QSize CFader::sizeHint() const
{
    return {int(kThumbWidth) + (m_marks.isEmpty() ? 8 : kLabelWidth + 4), 160};
}

QSize CFader::minimumSizeHint() const
{
    return {int(kThumbWidth) + 4, int(kThumbHeight) * 3};
}

SFaderTravel CFader::Travel() const
{
    const double top = m_nMargin + kThumbHeight / 2;
    return {m_nMin, m_nMax, top, std::max(top, height() - m_nMargin - kThumbHeight / 2)};
}

QRectF CFader::ThumbRect() const
{
    const double left = m_marks.isEmpty() ? (width() - kThumbWidth) / 2 : width() - kThumbWidth - 2;
    const double centre = FaderThumbCentre(Travel(), m_nPosition);
    return {left, centre - kThumbHeight / 2, kThumbWidth, kThumbHeight};
}

bool CFader::Move(int position)
{
    position = ClampFaderPosition(Travel(), position);
    if (position == m_nPosition)
        return false;
    m_nPosition = position;
    UpdateTexts();
    update();
    return true;
}

void CFader::Report()
{
    m_nReported = m_nPosition;
    emit ValueReported(Value());
}

void CFader::ReportNowIfChanged()
{
    if (m_nPosition != m_nReported)
        Report();
}

void CFader::EndDrag()
{
    m_bDragging = false;
    m_reportTimer.stop();
    m_throttle.Reset();
    ReportNowIfChanged();
    update();
}

void CFader::UpdateTexts()
{
    setToolTip(ControlsToolTip(m_szCaption, ValueTextOf(m_nPosition), m_eLanguage));
    setAccessibleName(m_szCaption);
    NotifyAccessibleValue(this, FaderHeightValue(Travel(), m_nPosition));
}

void CFader::paintEvent(QPaintEvent*)
{
    const SControlPalette& colours = ControlPalette();
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF thumb = ThumbRect();
    const double slotX = thumb.center().x();

    // Scale: a tick across the slot and the label beside it for each mark.
    QFont font = painter.font();
    font.setPointSizeF(7);
    painter.setFont(font);
    for (const SMark& mark : m_marks)
    {
        const double y = FaderThumbCentre(Travel(), PositionOf(mark.nValue));
        painter.setPen(QPen(colours.cMutedText, 1));
        painter.drawLine(QPointF(slotX - kThumbWidth / 2 + 2, y), QPointF(slotX + kThumbWidth / 2 - 2, y));
        const QRectF label(0, y - 7, thumb.left() - 2, 14);
        painter.drawText(label, Qt::AlignRight | Qt::AlignVCenter, mark.szLabel);
    }

    const SFaderTravel travel = Travel();
    const QRectF slot(slotX - kSlotWidth / 2, travel.dTop, kSlotWidth, travel.dBottom - travel.dTop);
    painter.setPen(QPen(colours.cBorder, 1));
    painter.setBrush(colours.cWell);
    painter.drawRoundedRect(slot, 2, 2);

    QLinearGradient face(thumb.topLeft(), thumb.bottomLeft());
    face.setColorAt(0, isEnabled() ? colours.cFace.lighter(125) : colours.cFaceShade);
    face.setColorAt(1, colours.cFaceShade);
    const bool hot = m_bDragging || hasFocus();
    painter.setPen(QPen(hot ? colours.cFocus : colours.cBorder, hot ? 1.5 : 1));
    painter.setBrush(face);
    painter.drawRoundedRect(thumb.adjusted(0.5, 0.5, -0.5, -0.5), 3, 3);
    // The grip line marks the exact position on the scale.
    painter.setPen(QPen(isEnabled() ? colours.cAccent : colours.cMutedText, 2));
    painter.drawLine(QPointF(thumb.left() + 4, thumb.center().y()), QPointF(thumb.right() - 4, thumb.center().y()));
}

void CFader::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return QWidget::mousePressEvent(event);
    const QRectF thumb = ThumbRect();
    const double y = event->position().y();
    if (thumb.contains(event->position()))
    {
        m_bDragging = true;
        m_dGrabOffset = y - thumb.center().y();
        m_throttle.Reset();
        update();
        return;
    }
    // A press beside the thumb pages toward the pointer, like the keys.
    const EFaderMove move = y < thumb.top() ? EFaderMove::PageUp : EFaderMove::PageDown;
    if (Move(FaderMoved(Travel(), m_nPosition, move)))
        ReportNowIfChanged();
}

void CFader::mouseMoveEvent(QMouseEvent* event)
{
    if (!m_bDragging)
        return QWidget::mouseMoveEvent(event);
    if (!Move(FaderPositionAt(Travel(), event->position().y() - m_dGrabOffset)))
        return;
    if (m_throttle.Offer(m_clock()))
        Report();
    else if (!m_reportTimer.isActive())
        m_reportTimer.start(int(m_throttle.WaitFor(m_clock())));
}

void CFader::mouseReleaseEvent(QMouseEvent* event)
{
    if (!m_bDragging || event->button() != Qt::LeftButton)
        return QWidget::mouseReleaseEvent(event);
    EndDrag();
}

void CFader::keyPressEvent(QKeyEvent* event)
{
    EFaderMove move;
    switch (event->key())
    {
    case Qt::Key_Up:
    case Qt::Key_Left:
        move = EFaderMove::LineUp;
        break;
    case Qt::Key_Down:
    case Qt::Key_Right:
        move = EFaderMove::LineDown;
        break;
    case Qt::Key_PageUp:
        move = EFaderMove::PageUp;
        break;
    case Qt::Key_PageDown:
        move = EFaderMove::PageDown;
        break;
    case Qt::Key_Home:
        move = EFaderMove::Top;
        break;
    case Qt::Key_End:
        move = EFaderMove::Bottom;
        break;
    default:
        return QWidget::keyPressEvent(event);
    }
    MoveTo(FaderMoved(Travel(), m_nPosition, move));
}

void CFader::wheelEvent(QWheelEvent* event)
{
    const int notches = WheelNotches(m_nWheelRest, event->angleDelta().y());
    // Turning the wheel away from the user lifts the thumb.
    MoveTo(m_nPosition - notches);
    event->accept();
}

void CFader::focusInEvent(QFocusEvent* event)
{
    update();
    QWidget::focusInEvent(event);
}

void CFader::focusOutEvent(QFocusEvent* event)
{
    // A drag cut short by losing the focus still ends with its final report.
    if (m_bDragging)
        EndDrag();
    update();
    QWidget::focusOutEvent(event);
}
