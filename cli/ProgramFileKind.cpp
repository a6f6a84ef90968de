#include "ProgramFileKind.h"

namespace
{
const QString kProgramExtension = QStringLiteral(".dia1C");
const QString kBankExtension = QStringLiteral(".dat1C");
}

ProgramFileKind ProgramFileKindOf(const QString& strPath)
{
    if (strPath.endsWith(kProgramExtension, Qt::CaseInsensitive))
        return ProgramFileKind::kProgram;
    if (strPath.endsWith(kBankExtension, Qt::CaseInsensitive))
        return ProgramFileKind::kBank;
    return ProgramFileKind::kUnknown;
}

QString ProgramFileSavePath(const QString& strPath, ProgramFileKind eKind)
{
    const QString& strExtension = eKind == ProgramFileKind::kBank ? kBankExtension : kProgramExtension;
    return strPath.contains(strExtension, Qt::CaseInsensitive) ? strPath : strPath + strExtension;
}
