#include "locks/PassWordEdit.h"

#include "model/LockState.h"

#include <QRegularExpression>
#include <QRegularExpressionValidator>

CPassWordEdit::CPassWordEdit(QWidget* pParent)
    : QLineEdit(pParent)
{
    setEchoMode(QLineEdit::Password);
    setMaxLength(CLockState::kPasswordLength);
    // The validator also stops what a paste would bring in.
    setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[A-Za-z0-9]*")), this));
    // No input method: it would bring characters past the validator's keys.
    setAttribute(Qt::WA_InputMethodEnabled, false);
}
