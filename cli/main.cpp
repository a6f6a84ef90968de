// orvan-cli: backs up, restores and checks loudspeaker processors from
// scripts and scheduled jobs, on the engine and files of the main program.

#include "cli/Cli.h"
#include "cli/Console.h"

#include <QCoreApplication>
#include <QLoggingCategory>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(CConsole::kProgram);
    // The serial layer's diagnostic lines ("CSerial::Open - Unable to open
    // port") are for developers; a failed command says what failed in its
    // own line. QT_LOGGING_RULES="default.warning=true" brings them back.
    QLoggingCategory::setFilterRules(QStringLiteral("default.debug=false\ndefault.warning=false"));
    CConsole console;
    return Cli::Run(QCoreApplication::arguments().mid(1), console);
}
