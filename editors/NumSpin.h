#pragma once

#include "controls/ReportThrottle.h"
#include "model/ValueText.h"

#include <QTimer>
#include <QWidget>

#include <cstdint>
#include <functional>

class CNumEdit;

// The up-down arrows beside a numeric field (its buddy); the spin's position
// is the field's step. The owner reads and sets values through the spin
// (GetPos, SetPos) and hears of a new step through stepChosen, whether it
// came from the arrows, the field's keys and wheel or typing in the field.
//
// A held arrow (or key, or a turning wheel) moves the value at the native
// repeat rate but reports at most one step per kRepeatPeriodMs, the last one
// when it is let go, so a held control does not flood the record and the
// line. Frequencies step along the curve axis.
//
// Set a pair up in this order: the field's Bind, SetBuddy, SetRange, SetPos.
class CNumSpin : public QWidget
{
    Q_OBJECT

public:
    static constexpr int kRepeatPeriodMs = 400;
    // The arrow's own repeat while held: a pause, then a steady rate.
    static constexpr int kRepeatDelayMs = 300;
    static constexpr int kRepeatRateMs = 60;

    // Milliseconds of a monotonic clock.
    using Clock = std::function<std::int64_t()>;

    explicit CNumSpin(QWidget* pParent = nullptr);

    void SetBuddy(CNumEdit* pEdit);
    CNumEdit* Buddy() const { return m_pBuddy; }

    // Stores the range and sets the buddy's (its value becomes `min`).
    void SetRange(int min, int max);
    // The buddy's step, taking typing not yet taken.
    int GetPos();
    // Outside the range: the message "Pos setting error" and nothing
    // changes (false). A locked pair keeps the value for when it is
    // unlocked and goes on showing the lock text.
    bool SetPos(int pos);
    // Shows the value the record holds, in the range or not, without a
    // message (CNumEdit::ShowHeld); a step from outside the range goes to
    // the nearest value in it.
    void ShowHeld(int pos);

    // Locks the buddy too; a locked spin is disabled and does not step.
    void Lock(bool locked);
    bool IsLocked() const { return m_bLocked; }

    // Also sets the buddy's language.
    void SetLanguage(ELanguage language);

    // Replaces the clock the report thinning reads (tests use a fake one).
    void SetClock(Clock clock);

    // One spin step of `delta` (an arrow click is 1 or -1). A step while not
    // held is reported at once; a held one goes through the thinning.
    void Step(int delta, bool held);
    // The arrow, key or wheel is let go: a held-back step is reported now.
    void Release();

    bool IsHeld() const { return m_nHeldDelta != 0; }
    // An arrow is held or a step is still held back: the value shown is
    // ahead of the last one reported.
    bool IsStepping() const { return IsHeld() || m_throttle.IsPending(); }

    // What the repeat and report timers do; public so tests drive them
    // with the fake clock instead of waiting.
    void OnRepeatTimer();
    void OnReportTimer();

    QSize sizeHint() const override;

signals:
    void stepChosen(int step);

protected:
    void paintEvent(QPaintEvent* pEvent) override;
    void mousePressEvent(QMouseEvent* pEvent) override;
    void mouseReleaseEvent(QMouseEvent* pEvent) override;
    void changeEvent(QEvent* pEvent) override;

private:
    void Report();
    void UpdateTexts();

    CNumEdit* m_pBuddy = nullptr;
    int m_nPos = 0;
    int m_nMin = 0;
    int m_nMax = 0;
    bool m_bLocked = false;
    ELanguage m_eLanguage = kChinese;
    int m_nHeldDelta = 0;  // the held arrow's direction, 0 when none is held
    CReportThrottle m_throttle{kRepeatPeriodMs};
    Clock m_clock;
    QTimer m_repeatTimer;
    QTimer m_reportTimer;
};
