#pragma once

#include "controls/ControlMath.h"

#include <QWidget>

#include <cstdint>

// Column of eleven lamps showing a channel's level value as the receive side
// stores it (0..11, and for outputs 16..27 with the mark). It repaints only
// when the lamp pattern changes.
class CLampMeter : public QWidget
{
    Q_OBJECT

public:
    explicit CLampMeter(ELampStyle style = ELampStyle::Input, QWidget* parent = nullptr);

    void SetStyle(ELampStyle style);
    ELampStyle Style() const { return m_eStyle; }
    void SetLevel(int level);
    std::uint16_t Pattern() const { return m_nPattern; }

    // The channel ("CH3") the meter belongs to, for its accessible name.
    void SetChannel(const QString& channel);
    void SetLanguage(int language);
    QString ValueText() const;

    // How many times the meter asked to be repainted since it was made;
    // tests check that an unchanged pattern does not.
    int RepaintRequests() const { return m_nRepaints; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void SetPattern(std::uint16_t pattern);
    void UpdateTexts();

    ELampStyle m_eStyle;
    int m_nLevel = 0;
    std::uint16_t m_nPattern = 0;
    QString m_szChannel;
    int m_nLanguage = 0;
    int m_nRepaints = 0;
};
