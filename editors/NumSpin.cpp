#include "editors/NumSpin.h"

#include "editors/EditorsText.h"
#include "ui/MainSkin.h"
#include "ui/MessageBox.h"
#include "editors/NumEdit.h"

#include <QElapsedTimer>
#include <QEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace
{
CNumSpin::Clock SteadyClock()
{
    auto timer = std::make_shared<QElapsedTimer>();
    timer->start();
    return [timer] { return static_cast<std::int64_t>(timer->elapsed()); };
}
}

CNumSpin::CNumSpin(QWidget* pParent)
    : QWidget(pParent)
    , m_clock(SteadyClock())
{
    setFocusPolicy(Qt::NoFocus);
    setCursor(Qt::ArrowCursor);
    connect(&m_repeatTimer, &QTimer::timeout, this, &CNumSpin::OnRepeatTimer);
    m_reportTimer.setSingleShot(true);
    connect(&m_reportTimer, &QTimer::timeout, this, &CNumSpin::OnReportTimer);
}

void CNumSpin::SetBuddy(CNumEdit* pEdit)
{
    if (m_pBuddy != nullptr)
        disconnect(m_pBuddy, nullptr, this, nullptr);
    m_pBuddy = pEdit;
    if (pEdit == nullptr)
        return;
    connect(pEdit, &CNumEdit::stepRequested, this, &CNumSpin::Step);
    connect(pEdit, &CNumEdit::stepReleased, this, &CNumSpin::Release);
    connect(pEdit, &CNumEdit::stepChosen, this, [this](int step) {
        m_nPos = step;
        UpdateTexts();
        emit stepChosen(step);
    });
    m_nPos = pEdit->Value();
    UpdateTexts();
}

void CNumSpin::SetRange(int min, int max)
{
    m_nMin = min;
    m_nMax = std::max(min, max);
    m_nPos = m_nMin;
    if (m_pBuddy != nullptr)
        m_pBuddy->SetRange(m_nMin, m_nMax);
}

int CNumSpin::GetPos()
{
    if (m_pBuddy != nullptr)
        m_nPos = m_pBuddy->GetValue();
    return m_nPos;
}

bool CNumSpin::SetPos(int pos)
{
    if (pos < m_nMin || pos > m_nMax)
    {
        CMessageBox::Show(this, EditorsText(EEditorsText::PosSettingError, m_eLanguage));
        return false;
    }
    m_nPos = pos;
    if (m_pBuddy != nullptr)
        m_pBuddy->SetValue(pos);
    UpdateTexts();
    return true;
}

void CNumSpin::ShowHeld(int pos)
{
    m_nPos = pos;
    if (m_pBuddy != nullptr)
        m_pBuddy->ShowHeld(pos);
    UpdateTexts();
}

void CNumSpin::Lock(bool locked)
{
    m_bLocked = locked;
    if (locked)
    {
        m_repeatTimer.stop();
        m_nHeldDelta = 0;
    }
    setEnabled(!locked);
    if (m_pBuddy != nullptr)
        m_pBuddy->Lock(locked);
    UpdateTexts();
}

void CNumSpin::SetLanguage(ELanguage language)
{
    m_eLanguage = language;
    if (m_pBuddy != nullptr)
        m_pBuddy->SetLanguage(language);
    UpdateTexts();
}

void CNumSpin::SetClock(Clock clock)
{
    m_clock = clock ? std::move(clock) : SteadyClock();
    m_throttle.Reset();
}

void CNumSpin::Step(int delta, bool held)
{
    if (m_bLocked || m_pBuddy == nullptr || delta == 0)
        return;
    // Typing not yet taken is the value the step starts from.
    if (m_pBuddy->IsModified())
        m_nPos = m_pBuddy->GetValue();
    const int next = ParamCatalogue::StepBy(m_pBuddy->Param(), m_nPos, delta, {m_nMin, m_nMax});
    if (next == m_nPos)
        return;
    m_nPos = next;
    m_pBuddy->SetValue(m_nPos);
    UpdateTexts();
    const std::int64_t now = m_clock();
    if (!held)
    {
        // A single press goes out at once and starts the interval anew.
        m_throttle.Reset();
        m_throttle.Offer(now);
        m_reportTimer.stop();
        emit stepChosen(m_nPos);
        return;
    }
    if (m_throttle.Offer(now))
        emit stepChosen(m_nPos);
    else if (!m_reportTimer.isActive())
        m_reportTimer.start(static_cast<int>(m_throttle.WaitFor(now)));
}

void CNumSpin::Release()
{
    m_repeatTimer.stop();
    m_reportTimer.stop();
    m_nHeldDelta = 0;
    const bool pending = m_throttle.IsPending();
    m_throttle.Reset();
    if (pending)
        emit stepChosen(m_nPos);
}

void CNumSpin::OnRepeatTimer()
{
    if (m_nHeldDelta == 0)
    {
        m_repeatTimer.stop();
        return;
    }
    m_repeatTimer.setInterval(kRepeatRateMs);
    Step(m_nHeldDelta, true);
}

void CNumSpin::OnReportTimer()
{
    const std::int64_t now = m_clock();
    if (m_throttle.Poll(now))
        emit stepChosen(m_nPos);
    else if (m_throttle.IsPending())
        m_reportTimer.start(static_cast<int>(m_throttle.WaitFor(now)));
}

void CNumSpin::UpdateTexts()
{
    const QString caption =
        m_pBuddy != nullptr ? m_pBuddy->accessibleName() : QString();
    setAccessibleName(EditorsText(EEditorsText::SpinAccessibleName, m_eLanguage).arg(caption));
    if (m_pBuddy != nullptr)
        setToolTip(m_pBuddy->toolTip());
}

QSize CNumSpin::sizeHint() const
{
    return {16, 22};
}

void CNumSpin::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF area = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    const qreal half = area.height() / 2;
    for (int i = 0; i < 2; ++i)
    {
        const QRectF box(area.left(), area.top() + i * half, area.width(), half);
        const bool pressed = (i == 0 && m_nHeldDelta > 0) || (i == 1 && m_nHeldDelta < 0);
        QLinearGradient face(box.topLeft(), box.bottomLeft());
        face.setColorAt(0, pressed ? CMainSkin::kButtonBottom : CMainSkin::kButtonTop);
        face.setColorAt(1, pressed ? CMainSkin::kButtonTop : CMainSkin::kButtonBottom);
        painter.setPen(QPen(CMainSkin::kPanelBorder, 1));
        painter.setBrush(face);
        painter.drawRect(box);

        const qreal w = std::min(box.width() * 0.5, box.height() * 0.8);
        const qreal h = w / 2;
        const QPointF c = box.center();
        QPainterPath arrow;
        if (i == 0)
        {
            arrow.moveTo(c.x() - w / 2, c.y() + h / 2);
            arrow.lineTo(c.x() + w / 2, c.y() + h / 2);
            arrow.lineTo(c.x(), c.y() - h / 2);
        }
        else
        {
            arrow.moveTo(c.x() - w / 2, c.y() - h / 2);
            arrow.lineTo(c.x() + w / 2, c.y() - h / 2);
            arrow.lineTo(c.x(), c.y() + h / 2);
        }
        arrow.closeSubpath();
        painter.setPen(Qt::NoPen);
        painter.setBrush(isEnabled() ? CMainSkin::kText : CMainSkin::kMutedText);
        painter.drawPath(arrow);
    }
}

void CNumSpin::mousePressEvent(QMouseEvent* pEvent)
{
    if (pEvent->button() != Qt::LeftButton || m_bLocked)
        return QWidget::mousePressEvent(pEvent);
    m_nHeldDelta = pEvent->position().y() < height() / 2.0 ? 1 : -1;
    Step(m_nHeldDelta, true);
    m_repeatTimer.start(kRepeatDelayMs);
    update();
}

void CNumSpin::mouseReleaseEvent(QMouseEvent* pEvent)
{
    if (pEvent->button() != Qt::LeftButton)
        return QWidget::mouseReleaseEvent(pEvent);
    Release();
    update();
}

void CNumSpin::changeEvent(QEvent* pEvent)
{
    if (pEvent->type() == QEvent::EnabledChange)
        update();
    QWidget::changeEvent(pEvent);
}
