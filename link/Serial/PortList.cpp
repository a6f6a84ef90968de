#include "link/Serial/PortList.h"

#include "link/Serial/Serial.h"

#include <QSerialPortInfo>

namespace
{
QString NameInParentheses(const QString& strText)
{
    const qsizetype nOpen = strText.indexOf(QLatin1Char('('));
    if (nOpen < 0)
        return {};
    const qsizetype nClose = strText.indexOf(QLatin1Char(')'), nOpen + 1);
    if (nClose < 0)
        return {};
    return strText.mid(nOpen + 1, nClose - nOpen - 1).trimmed();
}

QString CutParenthesisedTail(const QString& strName)
{
    const qsizetype nCut = strName.indexOf(QStringLiteral(" ("));
    if (nCut >= 0 && strName.endsWith(QLatin1Char(')')))
        return strName.left(nCut);
    return strName;
}

bool MentionsUsb(const QString& strText)
{
    return strText.contains(QStringLiteral("USB"), Qt::CaseInsensitive)
        || strText.contains(QStringLiteral("ttyACM"), Qt::CaseInsensitive);
}
}

namespace PortList
{
std::optional<SerialPortEntry> Describe(const SerialPortFacts& facts)
{
    SerialPortEntry entry;
    entry.strPortName = facts.strPortName.trimmed();
    QString strDescription = facts.strDescription;
    if (entry.strPortName.isEmpty())
    {
        // A friendly name such as "USB-SERIAL CH340 (COM7)": the name is in
        // the parentheses and the device description before them.
        entry.strPortName = NameInParentheses(facts.strDescription);
        strDescription = CutParenthesisedTail(facts.strDescription);
    }
    if (entry.strPortName.isEmpty())
        return std::nullopt;

    entry.strDevicePath = facts.strSystemLocation.isEmpty() ? entry.strPortName : facts.strSystemLocation;
    entry.fUsb = facts.fHasVendorId || MentionsUsb(facts.strSystemLocation)
        || MentionsUsb(facts.strDescription) || MentionsUsb(entry.strPortName);
    entry.strDescription = strDescription.isEmpty() ? CutParenthesisedTail(entry.strPortName) : strDescription;
    if (facts.fHasVendorId)
    {
        // The ID form lsusb and udev rules use, so a user can match it.
        entry.strUsbId = QStringLiteral("%1:%2")
                             .arg(facts.nVendorId, 4, 16, QLatin1Char('0'))
                             .arg(facts.fHasProductId ? facts.nProductId : 0, 4, 16, QLatin1Char('0'));
    }
    entry.strManufacturer = facts.strManufacturer.trimmed();
    return entry;
}

void PutVirtualFirst(QList<SerialPortEntry>& lstPorts, const QString& strPath)
{
    if (strPath.isEmpty())
        return;
    lstPorts.removeIf([&strPath](const SerialPortEntry& entry)
                      { return entry.strDevicePath == strPath || entry.strPortName == strPath; });
    SerialPortEntry entry;
    entry.strDevicePath = strPath;
    entry.strPortName = strPath;
    entry.fVirtual = true;
    lstPorts.prepend(entry);
}

void RemoveUnopenable(QList<SerialPortEntry>& lstPorts)
{
    lstPorts.removeIf(
        [](const SerialPortEntry& entry)
        {
            CSerial port;
            return port.Open(entry.strDevicePath) != 0;
        });
}
}

void EnumeratePorts(QList<SerialPortEntry>& lstPorts, bool fTestOpen)
{
    lstPorts.clear();
    const QList<QSerialPortInfo> infos = QSerialPortInfo::availablePorts();
    for (const QSerialPortInfo& info : infos)
    {
        const SerialPortFacts facts{info.portName(),          info.systemLocation(),
                                    info.description(),       info.hasVendorIdentifier(),
                                    info.vendorIdentifier(),  info.hasProductIdentifier(),
                                    info.productIdentifier(), info.manufacturer()};
        if (const auto entry = PortList::Describe(facts))
            lstPorts.append(*entry);
    }
    if (fTestOpen)
        PortList::RemoveUnopenable(lstPorts);
    PortList::PutVirtualFirst(lstPorts, qEnvironmentVariable(PortList::kVirtualPortVariable));
}
