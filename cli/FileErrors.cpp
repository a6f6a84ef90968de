#include "cli/FileErrors.h"

#include <QDir>

namespace FileErrors
{
QString Describe(const QString& strPath, ProgramFileError eError, const QString& strDetail)
{
    const QString strFile = QDir::toNativeSeparators(strPath);
    const QString strBecause = strDetail.isEmpty() ? QString() : ": " + strDetail;
    switch (eError)
    {
    case ProgramFileError::kNone:
        break;
    case ProgramFileError::kCannotRead:
        return QStringLiteral("cannot read %1%2").arg(strFile, strBecause);
    case ProgramFileError::kTooLarge:
        return QStringLiteral("%1 is far too large for a program file").arg(strFile);
    case ProgramFileError::kTruncated:
        return QStringLiteral("%1 ends before its layout does: cut short, or not a file of this kind").arg(strFile);
    case ProgramFileError::kDamaged:
        return QStringLiteral("%1 is damaged: it holds values no program file can hold").arg(strFile);
    case ProgramFileError::kCannotWrite:
        return QStringLiteral("cannot write %1%2").arg(strFile, strBecause);
    }
    return QString();
}
}
