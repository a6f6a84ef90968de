// orvan-server: the show-control service. One processor, kept connected,
// controlled over HTTP and WebSocket by show-control systems and browsers.

#include "cli/Console.h"
#include "serve/ServeCommand.h"

#include <QCoreApplication>
#include <QLoggingCategory>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName("orvan-server");
    // The serial layer's and the HTTP server's diagnostic lines are for
    // developers; the service logs its own line per event.
    // QT_LOGGING_RULES="default.warning=true" brings them back.
    QLoggingCategory::setFilterRules(QStringLiteral("default.debug=false\ndefault.warning=false"));
    CConsole console(stdout, stderr, "orvan-server");
    return ServeCommand(QCoreApplication::arguments().mid(1), console);
}
