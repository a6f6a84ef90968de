#include "locks/PasswordStepDlg.h"

#include "locks/LocksText.h"
#include "locks/PassWordEdit.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace
{
std::string Latin1(const CPassWordEdit* pField)
{
    return pField == nullptr ? std::string() : pField->text().toLatin1().toStdString();
}
}

CPasswordStepDlg::CPasswordStepDlg(PasswordFlow::EStep eStep, ELanguage eLanguage, QWidget* pParent)
    : QDialog(pParent)
    , m_eStep(eStep)
{
    using namespace PasswordFlow;
    const Window* window = Find(eStep);
    setProperty("role", "dialog");
    if (window == nullptr)
        return;
    setObjectName(QLatin1String(window->szObjectName));
    setWindowTitle(LocksText(window->eTitle, eLanguage));

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(12);
    grid->setVerticalSpacing(8);
    int nLine = 0;
    for (const Row& row : window->rows)
    {
        if (row.eText)
        {
            auto* label = new QLabel(LocksText(*row.eText, eLanguage), this);
            label->setWordWrap(row.nField == 0 && !row.eButton);
            label->setMaximumWidth(460);
            // A text alone spans the line; beside a field or button it is
            // that control's caption.
            grid->addWidget(label, nLine, 0, 1, row.nField == 0 && !row.eButton ? 2 : 1);
        }
        if (row.nField != 0)
        {
            auto* field = new CPassWordEdit(this);
            field->setObjectName(row.nField == 1 ? QStringLiteral("FirstPasswordField")
                                                 : QStringLiteral("SecondPasswordField"));
            (row.nField == 1 ? m_pFirst : m_pSecond) = field;
            grid->addWidget(field, nLine, 1);
            if (row.eHint)
                grid->addWidget(new QLabel(LocksText(*row.eHint, eLanguage), this), ++nLine, 1);
        }
        if (row.eButton)
        {
            grid->addWidget(MakeButton(*row.eButton, LocksText(*row.eButtonText, eLanguage)), nLine, 1);
        }
        ++nLine;
    }

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    for (const BottomButton& bottom : window->buttons)
    {
        QPushButton* button = MakeButton(bottom.eButton, ButtonText(bottom, eLanguage));
        button->setDefault(bottom.eButton == EButton::Ok);
        buttons->addWidget(button);
    }

    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->setContentsMargins(16, 16, 16, 16);
    layout->addLayout(grid);
    layout->addLayout(buttons);
}

QPushButton* CPasswordStepDlg::MakeButton(PasswordFlow::EButton eButton, const QString& text)
{
    auto* button = new QPushButton(text, this);
    button->setObjectName(QLatin1String(PasswordFlow::ButtonName(eButton)));
    connect(button, &QPushButton::clicked, this, [this, eButton] {
        m_ePressed = eButton;
        accept();
    });
    return button;
}

std::string CPasswordStepDlg::FirstText() const
{
    return Latin1(m_pFirst);
}

std::string CPasswordStepDlg::SecondText() const
{
    return Latin1(m_pSecond);
}
