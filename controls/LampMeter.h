#pragma once

#include "controls/ControlMath.h"
#include "controls/MeterBallistics.h"
#include "model/ValueText.h"

#include <QTimer>
#include <QWidget>

#include <cstdint>
#include <functional>

// Column of eleven lamps showing a channel's level value as the receive side
// stores it (0..11, and for outputs 16..27 with the mark), with a dB scale
// beside it when it is wide enough. Between answers the lamps fall at the
// display's rate, the highest step stays lit for 1.5 s and a full-scale
// answer latches the top lamp as the clip indicator until the meter is
// clicked (CMeterBallistics). It repaints only when the lamps drawn change.
class CLampMeter : public QWidget
{
    Q_OBJECT

public:
    explicit CLampMeter(ELampStyle style = ELampStyle::Input, QWidget* parent = nullptr);

    void SetStyle(ELampStyle style);
    ELampStyle Style() const { return m_eStyle; }
    void SetLevel(int level);
    // The lamps of the last level value, as the processor reported it.
    std::uint16_t Pattern() const { return LampPattern(m_nLevel, m_eStyle); }
    // The lamps drawn now: falling, peak and clip indicator included.
    std::uint16_t ShownPattern() const { return m_nPattern; }
    bool IsClipped() const { return m_ballistics.IsClipped(); }
    // What a click on the meter does: the clip indicator goes out.
    void ClearClip();
    // Dark at once, clip indicator and peak forgotten (disconnected).
    void Reset();

    // The clock the lamps fall by, in milliseconds; tests pass their own and
    // call Tick, which the display-rate timer calls otherwise.
    using Clock = std::function<std::int64_t()>;
    void SetClock(Clock clock);
    void Tick();
    static constexpr int kFrameMs = 16;

    // The channel ("CH3") the meter belongs to, for its accessible name.
    void SetChannel(const QString& channel);
    void SetLanguage(ELanguage language);
    ELanguage Language() const { return m_eLanguage; }
    QString ValueText() const;

    // How many times the meter asked to be repainted since it was made;
    // tests check that an unchanged pattern does not.
    int RepaintRequests() const { return m_nRepaints; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    void SetPattern(std::uint16_t pattern);
    void ShowNow();
    void UpdateTexts();

    ELampStyle m_eStyle;
    int m_nLevel = 0;
    std::uint16_t m_nPattern = 0;
    QString m_szChannel;
    ELanguage m_eLanguage = kChinese;
    int m_nRepaints = 0;
    CMeterBallistics m_ballistics;
    Clock m_clock;
    QTimer m_frameTimer;
};
