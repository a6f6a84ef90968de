#pragma once

#include <QString>
#include <QValidator>

#include <functional>

// Limits what a user can type into a text field to the characters
// `isTypable` accepts, while a text the program put there (a name or an
// information text read from the processor, shown one character per byte)
// stays editable and goes back unchanged: its characters count as typable
// in that field too.
class CTypedTextValidator : public QValidator
{
public:
    CTypedTextValidator(std::function<bool(QChar)> isTypable, QObject* pParent);

    // The text the program is about to show in the field.
    void SetShown(const QString& strShown) { m_strShown = strShown; }

    State validate(QString& strInput, int& nPos) const override;

    // Letters A to Z and a to z and the digits, as the name fields take them.
    static bool IsLetterOrDigit(QChar ch);

private:
    std::function<bool(QChar)> m_isTypable;
    QString m_strShown;
};
