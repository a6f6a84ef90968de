#pragma once

#include <QStringList>

class CConsole;
struct SerialPortEntry;

// orvan-cli ports: the machine's serial ports, one a line.
int PortsCommand(const QStringList& args, CConsole& console);

// "<name>\t<usb|->\t<device path>\t<description>": tabs, so that scripts
// can cut the columns; descriptions may hold spaces.
QString PortLine(const SerialPortEntry& entry);
