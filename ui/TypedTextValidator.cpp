#include "ui/TypedTextValidator.h"

CTypedTextValidator::CTypedTextValidator(std::function<bool(QChar)> isTypable, QObject* pParent)
    : QValidator(pParent)
    , m_isTypable(std::move(isTypable))
{
}

QValidator::State CTypedTextValidator::validate(QString& strInput, int& /*nPos*/) const
{
    for (QChar ch : strInput)
        if (!m_isTypable(ch) && !m_strShown.contains(ch))
            return Invalid;
    return Acceptable;
}

bool CTypedTextValidator::IsLetterOrDigit(QChar ch)
{
    return (ch >= u'A' && ch <= u'Z') || (ch >= u'a' && ch <= u'z') || (ch >= u'0' && ch <= u'9');
}
