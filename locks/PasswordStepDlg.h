#pragma once

#include "locks/PasswordFlow.h"
#include "model/ValueText.h"

#include <QDialog>

#include <optional>
#include <string>

class CPassWordEdit;
class QPushButton;

// One window of the password chain (and the not-connected window), laid out
// from its row table. A button closes the window and is remembered; closing
// it any other way leaves Pressed() empty, which ends the chain.
class CPasswordStepDlg : public QDialog
{
    Q_OBJECT

public:
    CPasswordStepDlg(PasswordFlow::EStep eStep, ELanguage eLanguage, QWidget* pParent = nullptr);

    PasswordFlow::EStep Step() const { return m_eStep; }
    std::optional<PasswordFlow::EButton> Pressed() const { return m_ePressed; }
    // What the password fields hold; "" for a field the window lacks.
    std::string FirstText() const;
    std::string SecondText() const;

private:
    // A button that closes the window, remembering that it was pressed.
    QPushButton* MakeButton(PasswordFlow::EButton eButton, const QString& text);

    PasswordFlow::EStep m_eStep;
    std::optional<PasswordFlow::EButton> m_ePressed;
    CPassWordEdit* m_pFirst = nullptr;
    CPassWordEdit* m_pSecond = nullptr;
};
