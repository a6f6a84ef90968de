#include "controls/ToggleButton.h"

#include "controls/ControlPalette.h"
#include "controls/ControlsAccessible.h"
#include "controls/ControlsText.h"

#include <QKeyEvent>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace
{
// Glyphs are drawn in a square of this share of the button's shorter side.
constexpr double kGlyphShare = 0.72;

QRectF GlyphSquare(const QRectF& face)
{
    const double side = std::min(face.width(), face.height()) * kGlyphShare;
    return {face.center().x() - side / 2, face.center().y() - side / 2, side, side};
}

void DrawSpeaker(QPainter& painter, const QRectF& box, const QColor& colour, bool on)
{
    const double u = box.width() / 10;
    QPainterPath speaker;
    speaker.moveTo(box.left() + 0.5 * u, box.top() + 3.5 * u);
    speaker.lineTo(box.left() + 2.5 * u, box.top() + 3.5 * u);
    speaker.lineTo(box.left() + 5 * u, box.top() + 1 * u);
    speaker.lineTo(box.left() + 5 * u, box.top() + 9 * u);
    speaker.lineTo(box.left() + 2.5 * u, box.top() + 6.5 * u);
    speaker.lineTo(box.left() + 0.5 * u, box.top() + 6.5 * u);
    speaker.closeSubpath();
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    painter.drawPath(speaker);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(colour, std::max(1.0, 0.8 * u), Qt::SolidLine, Qt::RoundCap));
    if (on)
    {
        const QPointF cone(box.left() + 5 * u, box.center().y());
        for (double radius : {2.0 * u, 3.6 * u})
            painter.drawArc(QRectF(cone.x() - radius, cone.y() - radius, 2 * radius, 2 * radius), -45 * 16, 90 * 16);
        return;
    }
    painter.drawLine(QPointF(box.left() + 6.5 * u, box.top() + 3.2 * u), QPointF(box.left() + 9.5 * u, box.top() + 6.8 * u));
    painter.drawLine(QPointF(box.left() + 9.5 * u, box.top() + 3.2 * u), QPointF(box.left() + 6.5 * u, box.top() + 6.8 * u));
}

void DrawPadlock(QPainter& painter, const QRectF& box, const QColor& colour)
{
    const double u = box.width() / 10;
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(colour, std::max(1.0, 1.1 * u)));
    painter.drawArc(QRectF(box.left() + 3 * u, box.top() + 0.8 * u, 4 * u, 6 * u), 0, 180 * 16);
    painter.drawLine(QPointF(box.left() + 3 * u, box.top() + 3.8 * u), QPointF(box.left() + 3 * u, box.top() + 4.8 * u));
    painter.drawLine(QPointF(box.left() + 7 * u, box.top() + 3.8 * u), QPointF(box.left() + 7 * u, box.top() + 4.8 * u));
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    painter.drawRoundedRect(QRectF(box.left() + 1.8 * u, box.top() + 4.6 * u, 6.4 * u, 4.8 * u), u, u);
}

void DrawTick(QPainter& painter, const QRectF& box, const QColor& colour)
{
    const double u = box.width() / 10;
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(colour, std::max(1.5, 1.4 * u), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    const QPointF points[] = {{box.left() + 1.5 * u, box.top() + 5.2 * u},
                              {box.left() + 4 * u, box.top() + 7.8 * u},
                              {box.left() + 8.5 * u, box.top() + 2.2 * u}};
    painter.drawPolyline(points, 3);
}

void DrawCross(QPainter& painter, const QRectF& box, const QColor& colour)
{
    const double u = box.width() / 10;
    painter.setPen(QPen(colour, std::max(1.5, 1.4 * u), Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(box.topLeft() + QPointF(2 * u, 2 * u), box.bottomRight() - QPointF(2 * u, 2 * u));
    painter.drawLine(box.topRight() + QPointF(-2 * u, 2 * u), box.bottomLeft() + QPointF(2 * u, -2 * u));
}
}

CToggleButton::CToggleButton(EStyle style, QWidget* parent)
    : QAbstractButton(parent)
    , m_eStyle(style)
{
    InstallControlsAccessibility();
    setCheckable(true);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_Hover);
    // The owner's setChecked changes what the button reads as.
    connect(this, &QAbstractButton::toggled, this, &CToggleButton::UpdateTexts);
    UpdateTexts();
}

void CToggleButton::SetChannel(const QString& channel)
{
    m_szChannel = channel;
    UpdateTexts();
}

void CToggleButton::SetRow(const QString& row)
{
    m_szRow = row;
    UpdateTexts();
}

void CToggleButton::SetCaptions(const QString& unchecked, const QString& checked, const QString& name)
{
    m_szUnchecked = unchecked;
    m_szChecked = checked;
    m_szCaptionName = name;
    UpdateTexts();
}

void CToggleButton::SetPadlockWhenDisabled(bool padlock)
{
    m_bPadlock = padlock;
    update();
}

void CToggleButton::SetCurveColour(const QColor& colour)
{
    m_cCurve = colour;
    update();
}

void CToggleButton::SetLanguage(ELanguage language)
{
    m_eLanguage = language;
    UpdateTexts();
}

QString CToggleButton::Name() const
{
    if (m_eStyle == EStyle::Caption && !m_szCaptionName.isEmpty())
        return m_szCaptionName;
    return ToggleName(m_eStyle, m_szChannel, m_szRow, m_eLanguage);
}

QString CToggleButton::ValueText() const
{
    return ToggleValue(m_eStyle, isChecked(), m_szUnchecked, m_szChecked, m_eLanguage);
}

QString CToggleButton::DrawnText() const
{
    switch (m_eStyle)
    {
    case EStyle::Select:
        return m_szChannel;
    case EStyle::Route:
        return m_szRow;
    case EStyle::RouteIndicator:
        return QStringLiteral("E");
    case EStyle::Curve:
        return ControlsText(EControlsText::CurveLabel, m_eLanguage);
    case EStyle::Caption:
        return isChecked() ? m_szChecked : m_szUnchecked;
    case EStyle::Mute:
    case EStyle::Tick:
        break;
    }
    return {};
}

QSize CToggleButton::sizeHint() const
{
    switch (m_eStyle)
    {
    case EStyle::Select:
    case EStyle::Curve:
    case EStyle::Caption:
        return {44, 24};
    case EStyle::Mute:
        return {32, 24};
    case EStyle::Route:
    case EStyle::RouteIndicator:
    case EStyle::Tick:
        break;
    }
    return {20, 20};
}

void CToggleButton::UpdateTexts()
{
    setText(DrawnText());
    setAccessibleName(Name());
    setToolTip(ControlsToolTip(Name(), ValueText(), m_eLanguage));
    update();
}

void CToggleButton::nextCheckState()
{
    // The owner sets the state after it has written the record.
}

void CToggleButton::changeEvent(QEvent* event)
{
    QAbstractButton::changeEvent(event);
    if (event->type() == QEvent::EnabledChange)
        update();
}

void CToggleButton::keyPressEvent(QKeyEvent* event)
{
    // Enter clicks as Space does, so the grid of small buttons is quick to
    // work through from the keyboard.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
    {
        click();
        return;
    }
    QAbstractButton::keyPressEvent(event);
}

void CToggleButton::paintEvent(QPaintEvent*)
{
    const SControlPalette& colours = ControlPalette();
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF face = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    const bool enabled = isEnabled();
    const bool checked = isChecked();

    QColor top = colours.cFace;
    QColor bottom = colours.cFaceShade;
    if (enabled && m_eStyle == EStyle::Select && checked)
    {
        top = colours.cAlarm;
        bottom = colours.cAlarm.darker(140);
    }
    else if (enabled && m_eStyle == EStyle::Caption && checked)
    {
        top = colours.cAccent;
        bottom = colours.cAccent.darker(140);
    }
    if (isDown())
    {
        top = top.darker(130);
        bottom = bottom.darker(130);
    }
    else if (enabled && underMouse())
        top = top.lighter(115);
    if (!enabled)
        top = bottom;
    QLinearGradient gradient(face.topLeft(), face.bottomLeft());
    gradient.setColorAt(0, top);
    gradient.setColorAt(1, bottom);
    painter.setPen(QPen(hasFocus() ? colours.cFocus : colours.cBorder, hasFocus() ? 1.5 : 1));
    painter.setBrush(gradient);
    painter.drawRoundedRect(face, 3, 3);

    const QRectF glyph = GlyphSquare(face);
    QFont font = painter.font();
    font.setBold(true);
    font.setPixelSize(std::max(8, int(face.height() * 0.5)));
    painter.setFont(font);

    switch (m_eStyle)
    {
    case EStyle::Mute:
        if (!enabled)
            DrawPadlock(painter, glyph, colours.cMutedText);
        else
            DrawSpeaker(painter, glyph, checked ? colours.cOn : colours.cAlarm, checked);
        return;
    case EStyle::Tick:
    {
        const QColor colour = !enabled ? colours.cMutedText : checked ? colours.cOn : colours.cAlarm;
        checked ? DrawTick(painter, glyph, colour) : DrawCross(painter, glyph, colour);
        return;
    }
    case EStyle::Curve:
    {
        if (!enabled)
            return;
        const double barHeight = std::max(3.0, face.height() * 0.18);
        const QRectF bar(face.left() + 4, face.bottom() - barHeight - 3, face.width() - 8, barHeight);
        QColor barColour = m_cCurve.isValid() ? m_cCurve : colours.cOn;
        if (!checked)
            barColour = barColour.darker(250);
        painter.setPen(Qt::NoPen);
        painter.setBrush(barColour);
        painter.drawRoundedRect(bar, 1.5, 1.5);
        font.setPixelSize(std::max(7, int(face.height() * 0.38)));
        painter.setFont(font);
        painter.setPen(checked ? colours.cText : colours.cMutedText);
        painter.drawText(face.adjusted(0, 1, 0, -barHeight - 3), Qt::AlignCenter, DrawnText());
        return;
    }
    case EStyle::Caption:
        if (!enabled && m_bPadlock)
        {
            DrawPadlock(painter, glyph, colours.cMutedText);
            return;
        }
        painter.setPen(!enabled ? colours.cMutedText : checked ? colours.cFaceShade : colours.cText);
        break;
    case EStyle::Select:
        painter.setPen(enabled ? colours.cText : colours.cMutedText);
        break;
    case EStyle::Route:
        painter.setPen(!enabled ? colours.cMutedText : checked ? colours.cOn : colours.cText);
        break;
    case EStyle::RouteIndicator:
        painter.setPen(!enabled && checked ? colours.cOn : colours.cMutedText);
        break;
    }
    painter.drawText(face, Qt::AlignCenter, DrawnText());
}
