#pragma once

#include <QStringList>

class CConsole;

// orvan-cli search: the device IDs that answer on a line.
int SearchCommand(const QStringList& args, CConsole& console);
