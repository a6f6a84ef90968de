#pragma once

#include <QStringList>

class CConsole;

// orvan-cli restore: a .dat1C file into the processor's 30 stored programs.
int RestoreCommand(const QStringList& args, CConsole& console);
