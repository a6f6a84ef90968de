#pragma once

#include <QStringList>

class CConsole;

// orvan-server --port PORT [--id N] [--listen ADDRESS] [--http-port N]
// [--token-file FILE] [--language en|zh]: the show-control service, run
// until SIGINT or SIGTERM. Runs inside a QCoreApplication; returns the exit
// status (0 after a clean stop, 1 when it cannot start, 2 for a wrong
// command line).
int ServeCommand(const QStringList& args, CConsole& console);
