#include "programs/ProgramFileKind.h"

namespace
{
const QString kProgramExtension = QStringLiteral(".dia1C");
const QString kBankExtension = QStringLiteral(".dat1C");

const QString& Extension(ProgramFileKind eKind)
{
    return eKind == ProgramFileKind::kBank ? kBankExtension : kProgramExtension;
}
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
    const QString& strExtension = Extension(eKind);
    return strPath.contains(strExtension, Qt::CaseInsensitive) ? strPath : strPath + strExtension;
}

QString ProgramFilePattern(ProgramFileKind eKind)
{
    return QLatin1Char('*') + Extension(eKind);
}
