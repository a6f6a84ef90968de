#include "cli/PortsCommand.h"

#include "cli/CliOptions.h"
#include "cli/Console.h"
#include "link/Serial/PortList.h"

QString PortLine(const SerialPortEntry& entry)
{
    return QStringList{entry.strPortName, entry.fUsb ? QStringLiteral("usb") : QStringLiteral("-"),
                       entry.strDevicePath, entry.strDescription}
        .join('\t');
}

int PortsCommand(const QStringList& args, CConsole& console)
{
    CCliOptions options("ports",
                        "Lists the serial ports of this machine, one a line: name, \"usb\" for a USB\n"
                        "serial adapter (else \"-\"), device path and description, separated by tabs.\n"
                        "Any of the names or paths can be given as --port.",
                        CCliOptions::ELine::kNone);
    if (const auto status = options.Parse(args, 0, console))
        return *status;

    QList<SerialPortEntry> lstPorts;
    EnumeratePorts(lstPorts);
    for (const SerialPortEntry& entry : lstPorts)
        console.Out(PortLine(entry));
    return kExitOk;
}
