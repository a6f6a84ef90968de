#pragma once

#include <QStringList>

class CConsole;

// The command-line program: picks the subcommand named first and runs it.
// Runs inside a QCoreApplication; returns the exit status.
namespace Cli
{
int Run(const QStringList& args, CConsole& console);
}
