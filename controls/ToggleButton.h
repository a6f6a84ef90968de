#pragma once

#include "controls/ToggleStyle.h"
#include "model/ValueText.h"

#include <QAbstractButton>
#include <QColor>

// Two-state button of the panels and the channel strip. A click (mouse,
// Space, Enter or a screen reader's press or toggle action) only emits
// clicked(); the owner decides the new state and sets it with setChecked,
// as the panels do when they write the record first.
class CToggleButton : public QAbstractButton
{
    Q_OBJECT

public:
    using EStyle = EToggleStyle;

    explicit CToggleButton(EStyle style, QWidget* parent = nullptr);

    EStyle Style() const { return m_eStyle; }

    // The channel the button belongs to ("CHA", "CH3"); it names the button
    // for screen readers and is the Select style's label.
    void SetChannel(const QString& channel);
    // The Route style's letter ("A".."D").
    void SetRow(const QString& row);
    // The Caption style's texts when unchecked and checked; its accessible
    // name is `name` (empty: the channel).
    void SetCaptions(const QString& unchecked, const QString& checked, const QString& name = {});
    // Caption style: show a padlock while disabled, as a locked polarity
    // button does.
    void SetPadlockWhenDisabled(bool padlock);
    // The Curve style's bar colour (the channel's curve colour).
    void SetCurveColour(const QColor& colour);
    void SetLanguage(ELanguage language);

    // What the button shows, for the tooltip and screen readers.
    QString Name() const;
    QString ValueText() const;
    QString DrawnText() const;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void nextCheckState() override;
    void changeEvent(QEvent* event) override;

private:
    void UpdateTexts();

    EStyle m_eStyle;
    QString m_szChannel;
    QString m_szRow;
    QString m_szUnchecked;
    QString m_szChecked;
    QString m_szCaptionName;
    QColor m_cCurve;
    bool m_bPadlock = false;
    ELanguage m_eLanguage = kChinese;
};
