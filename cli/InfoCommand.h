#pragma once

#include <QStringList>

class CConsole;

// orvan-cli info: what the processor told about itself while connecting.
int InfoCommand(const QStringList& args, CConsole& console);
