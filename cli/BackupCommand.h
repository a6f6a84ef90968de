#pragma once

#include <QStringList>

class CConsole;

// orvan-cli backup: the processor's 30 stored programs into a .dat1C file.
int BackupCommand(const QStringList& args, CConsole& console);
