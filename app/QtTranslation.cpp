#include "app/QtTranslation.h"

#include "model/ValueText.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace
{
// Installed once, loaded while Chinese is chosen.
QTranslator& Translator()
{
    static QTranslator translator;
    return translator;
}
}

namespace QtTranslation
{
bool Apply(ELanguage eLanguage)
{
    QTranslator& translator = Translator();
    QCoreApplication::removeTranslator(&translator);
    if (eLanguage == kEnglish)
        return true;
    if (!translator.load(QStringLiteral("qtbase_zh_CN"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        return false;
    return QCoreApplication::installTranslator(&translator);
}
}
