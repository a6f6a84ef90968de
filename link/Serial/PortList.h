#pragma once

#include <QList>
#include <QString>

#include <optional>

// One serial port of the machine, as the Connection dialog lists it.
struct SerialPortEntry
{
    QString strDevicePath;   // what CSerial::Open takes
    QString strPortName;     // e.g. COM3, ttyUSB0
    bool fUsb = false;       // a USB serial adapter
    QString strDescription;  // for the user
    QString strUsbId{};      // "vvvv:pppp" of a USB adapter, else empty
    QString strManufacturer{};  // as the adapter reports it, may be empty
    bool fVirtual = false;   // the virtual processor's pseudo-terminal
};

// What the system tells about one port, before it is turned into an entry.
struct SerialPortFacts
{
    QString strPortName;        // may be empty when only a friendly name is known
    QString strSystemLocation;  // device path
    QString strDescription;     // device description or friendly name, e.g. "USB-SERIAL CH340 (COM7)"
    bool fHasVendorId = false;  // a USB vendor identifier is known
    quint16 nVendorId = 0;
    bool fHasProductId = false;
    quint16 nProductId = 0;
    QString strManufacturer{};
};

namespace PortList
{
// Turns the system's facts into an entry; no entry when no port name can be
// found. The name is the system's, else the text in the first parentheses of
// the description, which is then a friendly name: "USB-SERIAL CH340 (COM7)"
// gives COM7 described as "USB-SERIAL CH340". USB when a vendor identifier is
// known or the location, description or name mentions USB (ttyUSB, usbserial)
// or ACM (ttyACM). A missing description is made from the name, cut before
// " (" when it ends with ")".
std::optional<SerialPortEntry> Describe(const SerialPortFacts& facts);

// The environment variable the run script sets to the virtual processor's
// port, so the Connection dialog offers it without typing.
constexpr const char* kVirtualPortVariable = "ORVAN_VIRTUAL_PORT";

// Puts the virtual processor's port (when strPath is not empty) at the top
// of the list, marked virtual; an enumerated entry for the same device goes.
void PutVirtualFirst(QList<SerialPortEntry>& lstPorts, const QString& strPath);

// Keeps only the entries whose port can be opened for reading and writing.
void RemoveUnopenable(QList<SerialPortEntry>& lstPorts);
}

// Fills lstPorts with the serial ports of the machine; with fTestOpen, only
// those that can be opened now. A machine without ports gives an empty list.
// The virtual processor named by kVirtualPortVariable comes first.
void EnumeratePorts(QList<SerialPortEntry>& lstPorts, bool fTestOpen = false);
