#include "controls/LampMeter.h"

#include "controls/ControlPalette.h"
#include "controls/ControlsAccessible.h"
#include "controls/ControlsText.h"

#include <QPainter>

namespace
{
constexpr double kGap = 1.5;

QColor LitColour(ELampRole role, const SControlPalette& colours)
{
    switch (role)
    {
    case ELampRole::Level:
        return colours.cOn;
    case ELampRole::Warning:
        return colours.cWarning;
    case ELampRole::Mark:
        return colours.cAccent;
    case ELampRole::Peak:
        break;
    }
    return colours.cAlarm;
}
}

CLampMeter::CLampMeter(ELampStyle style, QWidget* parent)
    : QWidget(parent)
    , m_eStyle(style)
{
    InstallControlsAccessibility();
    UpdateTexts();
}

void CLampMeter::SetStyle(ELampStyle style)
{
    m_eStyle = style;
    SetPattern(LampPattern(m_nLevel, m_eStyle));
}

void CLampMeter::SetLevel(int level)
{
    m_nLevel = level;
    SetPattern(LampPattern(level, m_eStyle));
}

void CLampMeter::SetPattern(std::uint16_t pattern)
{
    if (pattern == m_nPattern)
        return;
    m_nPattern = pattern;
    ++m_nRepaints;
    update();
    UpdateTexts();
    NotifyAccessibleValue(this, LitLampCount(pattern));
}

void CLampMeter::SetChannel(const QString& channel)
{
    m_szChannel = channel;
    UpdateTexts();
}

void CLampMeter::SetLanguage(int language)
{
    m_nLanguage = language;
    UpdateTexts();
}

QString CLampMeter::ValueText() const
{
    return LampsValue(LitLampCount(m_nPattern), IsMarkLit(m_nPattern, m_eStyle), m_nLanguage);
}

void CLampMeter::UpdateTexts()
{
    const QString name = ControlsText(EControlsText::LevelName, m_nLanguage).arg(m_szChannel);
    setAccessibleName(name);
    setToolTip(ControlsToolTip(name, ValueText(), m_nLanguage));
}

QSize CLampMeter::sizeHint() const
{
    return {10, kLampCount * 7};
}

void CLampMeter::paintEvent(QPaintEvent*)
{
    const SControlPalette& colours = ControlPalette();
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF body = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    painter.setPen(QPen(colours.cBorder, 1));
    painter.setBrush(colours.cWell);
    painter.drawRoundedRect(body, 2, 2);

    const QRectF inner = body.adjusted(2, 2, -2, -2);
    const double pitch = inner.height() / kLampCount;
    painter.setPen(Qt::NoPen);
    for (int lamp = 1; lamp <= kLampCount; ++lamp)
    {
        const double bottom = inner.bottom() - (lamp - 1) * pitch;
        const QRectF cell(inner.left(), bottom - pitch + kGap / 2, inner.width(), pitch - kGap);
        const bool lit = IsLampLit(m_nPattern, lamp);
        painter.setBrush(lit ? LitColour(LampRole(lamp, m_eStyle), colours) : colours.cLampOff);
        painter.drawRoundedRect(cell, 1, 1);
    }
}
