#pragma once

#include "model/ValueText.h"

#include <QColor>
#include <QDialog>

#include <functional>

class QLabel;
class QTimer;

// The data transmission window: a small modeless window that says data is
// being transmitted while a transfer is in progress, blinking, then shows
// the end text for a while and goes away. It keeps its parent (the main
// window) disabled while it is shown.
//
// Created hidden, once; Show and Hide only show and hide it. It takes the
// owner's look and opens centred on it.
class CDisplayDlg : public QDialog
{
    Q_OBJECT

public:
    static constexpr int kBlinkMs = 200;
    static constexpr int kEndShownMs = 2000;
    // The two colours the text blinks between, readable on the panel colour.
    static QColor SteadyColour();
    static QColor BlinkColour();

    // transferInProgress tells whether the transfer is still going on.
    CDisplayDlg(std::function<bool()> transferInProgress, QWidget* pParent);

    // Shows the window with the texts of eLanguage and starts blinking.
    void Show(ELanguage eLanguage);
    void Hide();

    QString Text() const;
    QColor TextColour() const { return m_textColour; }

    // Only the program closes it: Escape and the window's close do nothing,
    // or the owner would stay disabled.
    void reject() override {}

protected:
    void closeEvent(QCloseEvent* pEvent) override;

private:
    void OnBlink();
    void SetTextColour(const QColor& colour);
    void EnableOwner(bool bEnable);
    void CentreOnOwner();

    std::function<bool()> m_transferInProgress;
    QLabel* m_pText = nullptr;
    QTimer* m_pBlink = nullptr;
    QTimer* m_pEndHide = nullptr;
    QColor m_textColour;
    ELanguage m_eLanguage = kChinese;
    bool m_bBlink = false;
};
