#include "app/HelpPages.h"

#include "model/ValueText.h"

#include <QDir>
#include <QFileInfo>

namespace HelpPages
{
QStringList SearchDirs(const QString& strAppDir)
{
    QStringList dirs;
    const QString strVariable = qEnvironmentVariable(kDirVariable);
    if (!strVariable.isEmpty())
        dirs << strVariable;
    const QDir appDir(strAppDir);
    dirs << QDir::cleanPath(appDir.filePath(QStringLiteral("../share/orvan/help")))
         << QDir::cleanPath(appDir.filePath(QStringLiteral("../help")));
    return dirs;
}

QString IndexPath(ELanguage language, const QString& strAppDir)
{
    const QString strPage = language == kEnglish ? QStringLiteral("en/index.html") : QStringLiteral("zh/index.html");
    for (const QString& strDir : SearchDirs(strAppDir))
    {
        const QString strPath = QDir(strDir).filePath(strPage);
        if (QFileInfo(strPath).isFile())
            return strPath;
    }
    return {};
}
}
