#pragma once

#include "model/ValueText.h"

#include <QString>
#include <QStringList>

// The program's own help pages (HTML, one folder per language), which HELP
// opens when the help files of the working directory are absent.
namespace HelpPages
{
// Names a folder to take the pages from first (a test or a packager's
// staging tree).
constexpr const char* kDirVariable = "ORVAN_HELP_DIR";

// Where the pages are looked for, in order: the variable's folder, beside
// an installed program (<prefix>/share/orvan/help) and in the build tree
// (<build>/help), strAppDir being the program's own folder.
QStringList SearchDirs(const QString& strAppDir);

// The start page of the language from the first folder that has one; empty
// when none has.
QString IndexPath(ELanguage language, const QString& strAppDir);
}
