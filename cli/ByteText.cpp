#include "cli/ByteText.h"

namespace
{
constexpr unsigned char kFirstPrintable = 0x20;
constexpr unsigned char kDelete = 0x7F;
}

namespace ByteText
{
QString Hex(uint8_t by)
{
    return QStringLiteral("%1").arg(by, 2, 16, QChar('0')).toUpper();
}

QString Shown(const std::string& bytes)
{
    QString text;
    for (const char ch : bytes)
    {
        const auto by = static_cast<unsigned char>(ch);
        if (by < kFirstPrintable || by == kDelete)
            text += QStringLiteral("\\x") + Hex(by);
        else
            text += QChar(by);
    }
    return text;
}
}
