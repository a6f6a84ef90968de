// orvan-cli: backs up, restores and checks loudspeaker processors from
// scripts and scheduled jobs, on the engine and files of the main program.

#include "Cli.h"
#include "Console.h"

#include <QCoreApplication>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(CConsole::kProgram);
    CConsole console;
    return Cli::Run(QCoreApplication::arguments().mid(1), console);
}
