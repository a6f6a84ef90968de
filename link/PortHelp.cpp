#include "link/PortHelp.h"

#include "link/LinkText.h"
#include "link/Serial/PortList.h"
#include "link/Serial/SerialError.h"
#include "link/Serial/SerialTcp.h"

#include <QDir>
#include <QFileInfo>

namespace
{
// The group most distributions give their serial devices.
constexpr const char* kUsualSerialGroup = "dialout";

QString DevicePath(const QString& strPort)
{
    return QDir::isAbsolutePath(strPort) ? strPort : QStringLiteral("/dev/") + strPort;
}

bool IsUsbAdapterPort(const QString& strPort)
{
    return strPort.contains(QStringLiteral("ttyUSB")) || strPort.contains(QStringLiteral("ttyACM"))
        || strPort.contains(QStringLiteral("usbserial"), Qt::CaseInsensitive);
}

QString OwningGroup(const QString& strPort)
{
    const QString strGroup = QFileInfo(DevicePath(strPort)).group();
    // A device owned by root's group says nothing a user could join.
    if (strGroup.isEmpty() || strGroup == QStringLiteral("root"))
        return QLatin1String(kUsualSerialGroup);
    return strGroup;
}
}

namespace PortHelp
{
ETrouble Classify(int nError, const QString& strPort)
{
    switch (nError)
    {
    case SerialError::kInvalidName: return ETrouble::NetAddress;
    case SerialError::kHostNotFound: return ETrouble::NetHostUnknown;
    case SerialError::kConnectionRefused: return ETrouble::NetRefused;
    case SerialError::kHostUnreachable: return ETrouble::NetUnreachable;
    case SerialError::kConnectTimedOut: return ETrouble::NetTimedOut;
    case SerialError::kConnectionReset:
    case SerialError::kConnectionClosed: return ETrouble::NetDropped;
    case SerialError::kAccessDenied: return ETrouble::Permission;
    case SerialError::kSharingViolation:
    case SerialError::kAlreadyInitialized: return ETrouble::InUse;
    case SerialError::kFileNotFound:
    case SerialError::kDeviceRemoved: return IsUsbAdapterPort(strPort) ? ETrouble::Vanished : ETrouble::Missing;
    default: return ETrouble::Other;
    }
}

QString Label(const SerialPortEntry& entry, ELanguage language)
{
    if (entry.fVirtual)
        return entry.strPortName + QStringLiteral(" - ") + LinkText(ELinkText::VirtualPort, language);
    QString strLabel = entry.strPortName;
    if (!entry.strDescription.isEmpty() && entry.strDescription != entry.strPortName)
        strLabel += QStringLiteral(" - ") + entry.strDescription;
    QStringList maker;
    if (!entry.strManufacturer.isEmpty())
        maker << entry.strManufacturer;
    if (!entry.strUsbId.isEmpty())
        maker << QStringLiteral("USB ") + entry.strUsbId;
    if (!maker.isEmpty())
        strLabel += QStringLiteral(" (") + maker.join(QStringLiteral(", ")) + QLatin1Char(')');
    return strLabel;
}

static QString Advice(ETrouble eTrouble, const QString& strPort, ELanguage language)
{
    switch (eTrouble)
    {
    case ETrouble::NetAddress: return LinkText(ELinkText::AdviceNetAddress, language).arg(strPort);
    case ETrouble::NetHostUnknown: return LinkText(ELinkText::AdviceNetHostUnknown, language).arg(strPort);
    case ETrouble::NetRefused: return LinkText(ELinkText::AdviceNetRefused, language).arg(strPort);
    case ETrouble::NetUnreachable: return LinkText(ELinkText::AdviceNetUnreachable, language).arg(strPort);
    case ETrouble::NetTimedOut: return LinkText(ELinkText::AdviceNetTimedOut, language).arg(strPort);
    case ETrouble::NetDropped: return LinkText(ELinkText::AdviceNetDropped, language).arg(strPort);
    default: return {};
    }
}

QString OpenFailedAdvice(int nError, const QString& strPort, ELanguage language)
{
    const ETrouble eTrouble = Classify(nError, strPort);
    switch (eTrouble)
    {
    case ETrouble::Permission:
        return LinkText(ELinkText::AdvicePermission, language).arg(strPort, OwningGroup(strPort));
    case ETrouble::InUse: return LinkText(ELinkText::AdviceInUse, language).arg(strPort);
    case ETrouble::Missing: return LinkText(ELinkText::AdviceMissing, language).arg(strPort);
    case ETrouble::Vanished: return LinkText(ELinkText::AdviceVanished, language).arg(strPort);
    case ETrouble::Other: return LinkText(ELinkText::AdviceOther, language).arg(strPort).arg(nError);
    default: return Advice(eTrouble, strPort, language);
    }
}

QString OpenFailedMessage(int nError, const QString& strPort, ELanguage language)
{
    return WithAdvice(LinkText(ELinkText::PortOpenFailed, language), OpenFailedAdvice(nError, strPort, language));
}

QString DisconnectAdvice(CConnection::EReason eReason, const CConnection& connection, ELanguage language)
{
    const QString& strPort = connection.PortName();
    switch (eReason)
    {
    case CConnection::EReason::NoAnswer:
        return LinkText(ELinkText::AdviceNoAnswer, language).arg(strPort).arg(connection.GetDeviceId());
    case CConnection::EReason::LineFault:
        if (CSerialTcp::IsNetworkName(strPort))
        {
            const ETrouble eTrouble = Classify(connection.FaultError(), strPort);
            return Advice(eTrouble == ETrouble::Other ? ETrouble::NetDropped : eTrouble, strPort, language);
        }
        if (IsUsbAdapterPort(strPort))
            return LinkText(ELinkText::AdviceVanished, language).arg(strPort);
        return {};
    default: return {};
    }
}

QString WithAdvice(const QString& strMessage, const QString& strAdvice)
{
    return strAdvice.isEmpty() ? strMessage : strMessage + QLatin1Char('\n') + strAdvice;
}
}
