#pragma once

#include <QStringList>

class CConsole;

// orvan-cli show [--json] [--program N] FILE: a program file, read as the
// program reads it, as text or as JSON.
int ShowCommand(const QStringList& args, CConsole& console);
