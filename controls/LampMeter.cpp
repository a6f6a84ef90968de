#include "controls/LampMeter.h"

#include "controls/ControlPalette.h"
#include "controls/ControlsAccessible.h"
#include "controls/ControlsText.h"

#include <QElapsedTimer>
#include <algorithm>
#include <array>
#include <QMouseEvent>
#include <QPainter>

namespace
{
constexpr double kGap = 1.5;
// The lamps' column; what the meter has beyond it holds the dB scale.
constexpr int kLampsWidth = 10;
constexpr int kTicksMinWidth = 4;
constexpr int kScaleMinWidth = 18;
// The steps the scale writes; the others have a tick only.
constexpr std::array<int, 5> kScaleSteps{11, 9, 7, 5, 1};

std::int64_t MonotonicMs()
{
    static QElapsedTimer clock;
    if (!clock.isValid())
        clock.start();
    return clock.elapsed();
}

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
    , m_clock(&MonotonicMs)
{
    InstallControlsAccessibility();
    m_frameTimer.setInterval(kFrameMs);
    connect(&m_frameTimer, &QTimer::timeout, this, &CLampMeter::Tick);
    UpdateTexts();
}

void CLampMeter::SetStyle(ELampStyle style)
{
    m_eStyle = style;
    ShowNow();
    UpdateTexts();
}

void CLampMeter::SetLevel(int level)
{
    const bool changed = level != m_nLevel;
    m_nLevel = level;
    m_ballistics.Feed(level, m_clock());
    ShowNow();
    if (changed)
    {
        UpdateTexts();
        NotifyAccessibleValue(this, LitLampCount(Pattern()));
    }
}

void CLampMeter::ClearClip()
{
    if (!m_ballistics.IsClipped())
        return;
    m_ballistics.ClearClip();
    ShowNow();
    UpdateTexts();
}

void CLampMeter::Reset()
{
    m_ballistics.Reset();
    m_nLevel = 0;
    ShowNow();
    UpdateTexts();
}

void CLampMeter::SetClock(Clock clock)
{
    m_clock = std::move(clock);
}

void CLampMeter::Tick()
{
    ShowNow();
}

void CLampMeter::ShowNow()
{
    const std::int64_t now = m_clock();
    SetPattern(m_ballistics.Pattern(now, m_eStyle));
    // The timer runs only while the picture still changes by itself.
    if (m_ballistics.IsMoving(now))
    {
        if (!m_frameTimer.isActive())
            m_frameTimer.start();
    }
    else
    {
        m_frameTimer.stop();
    }
}

void CLampMeter::SetPattern(std::uint16_t pattern)
{
    if (pattern == m_nPattern)
        return;
    m_nPattern = pattern;
    ++m_nRepaints;
    update();
}

void CLampMeter::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        ClearClip();
    QWidget::mousePressEvent(event);
}

void CLampMeter::SetChannel(const QString& channel)
{
    m_szChannel = channel;
    UpdateTexts();
}

void CLampMeter::SetLanguage(ELanguage language)
{
    m_eLanguage = language;
    UpdateTexts();
}

QString CLampMeter::ValueText() const
{
    const std::uint16_t pattern = Pattern();
    return LampsValue(LitLampCount(pattern), IsMarkLit(pattern, m_eStyle), IsClipped(), m_eLanguage);
}

void CLampMeter::UpdateTexts()
{
    const QString name = ControlsText(EControlsText::LevelName, m_eLanguage).arg(m_szChannel);
    setAccessibleName(name);
    setToolTip(ControlsToolTip(name, ValueText(), m_eLanguage));
}

QSize CLampMeter::sizeHint() const
{
    return {kLampsWidth, kLampCount * 7};
}

void CLampMeter::paintEvent(QPaintEvent*)
{
    const SControlPalette& colours = ControlPalette();
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const bool withTicks = width() >= kLampsWidth + kTicksMinWidth;
    const bool withScale = width() >= kLampsWidth + kScaleMinWidth;
    const QRect lamps = withTicks ? QRect(0, 0, kLampsWidth + 2, height()) : rect();
    const QRectF body = QRectF(lamps).adjusted(0.5, 0.5, -0.5, -0.5);
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
    if (!withTicks)
        return;

    // The scale: a tick at each lamp's centre, the dB of some written
    // beside them in a font that fits the pitch.
    QFont small = font();
    small.setPixelSize(std::clamp(static_cast<int>(pitch * 0.9), 7, 10));
    painter.setFont(small);
    painter.setPen(QPen(colours.cBorder, 1));
    const int tickLeft = lamps.right() + 2;
    for (int step = 1; step <= kLampCount; ++step)
    {
        const int lamp = TopLampOfStep(step, m_eStyle);
        if (m_eStyle == ELampStyle::Output && lamp != step)
            continue;
        const double y = inner.bottom() - (lamp - 0.5) * pitch;
        painter.drawLine(QPointF(tickLeft, y), QPointF(tickLeft + 2, y));
        if (!withScale || std::find(kScaleSteps.begin(), kScaleSteps.end(), step) == kScaleSteps.end())
            continue;
        const QRectF text(tickLeft + 3, y - pitch, width() - tickLeft - 3, 2 * pitch);
        painter.drawText(text, Qt::AlignLeft | Qt::AlignVCenter, QString::number(StepDb(step)));
    }
}
