#pragma once

#include "controls/ControlMath.h"
#include "controls/ReportThrottle.h"
#include "model/ValueText.h"

#include <QList>
#include <QString>
#include <QTimer>
#include <QWidget>

#include <functional>

// Vertical fader. Its position runs from the range's minimum at the top to
// its maximum at the bottom. Its value is the position, or on an inverted
// fader the range read from the bottom up, so that a scale's steps can be
// set and read as they are with the highest step at the top. The owner
// hears of the user's moves through ValueReported: while the thumb is
// dragged at most every 200 ms and once more on release if the last report
// was not the final position; keys (arrows one step, Page Up/Down ten,
// Home/End the ends) and the wheel report at once. SetPosition and SetValue
// from the program report nothing.
class CFader : public QWidget
{
    Q_OBJECT

public:
    struct SMark
    {
        int nValue;
        QString szLabel;
    };
    using Clock = std::function<qint64()>;
    using ValueText = std::function<QString(int value)>;

    static constexpr int kDragReportMs = 200;

    explicit CFader(QWidget* parent = nullptr);

    void SetRange(int min, int max);
    int Minimum() const { return m_nMin; }
    int Maximum() const { return m_nMax; }
    // Inverted: the value is min + max - position, the maximum at the top.
    void SetInverted(bool inverted);
    void SetPosition(int position);
    int Position() const { return m_nPosition; }
    void SetValue(int value);
    int Value() const { return ValueOf(m_nPosition); }
    // The value a position stands for, and back (the same mapping).
    int ValueOf(int position) const;
    int PositionOf(int value) const { return ValueOf(value); }

    // Space kept free above and below the thumb's travel, in pixels.
    void SetMargin(int margin);
    // Scale labels drawn beside the slot at their values, e.g. +12, 0, -12,
    // -30 for a gain.
    void SetMarks(const QList<SMark>& marks);

    // What the fader stands for and how a value reads, in the current
    // language (the owner sets both again on a language switch). They make
    // the tooltip and the accessible name and value.
    void SetCaption(const QString& caption);
    void SetValueText(ValueText valueText);
    QString ValueTextOf(int position) const;
    QString Caption() const { return m_szCaption; }
    void SetLanguage(ELanguage language);

    // A user's move that does not come through the pointer, e.g. from a
    // screen reader: sets the position and reports it at once.
    void MoveTo(int position);

    // The clock the drag reports are timed with; tests give a fake one.
    void SetClock(Clock clock);
    // What the report timer does when it fires: report a held-back drag
    // position that is now due. Tests call it after moving their clock.
    void DragTick();
    bool IsDragging() const { return m_bDragging; }

    // Range and the thumb centre's travel at the current height.
    SFaderTravel Travel() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    void ValueReported(int value);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    QRectF ThumbRect() const;
    // Sets the position the user moved to; true when it changed.
    bool Move(int position);
    void Report();
    void ReportNowIfChanged();
    void EndDrag();
    void UpdateTexts();

    int m_nMin = 0;
    int m_nMax = 100;
    bool m_bInverted = false;
    int m_nPosition = 0;
    int m_nMargin = 8;
    QList<SMark> m_marks;
    QString m_szCaption;
    ValueText m_valueText;
    ELanguage m_eLanguage = kChinese;

    Clock m_clock;
    CReportThrottle m_throttle{kDragReportMs};
    QTimer m_reportTimer;
    bool m_bDragging = false;
    double m_dGrabOffset = 0;
    int m_nReported = 0;
    int m_nWheelRest = 0;
};
