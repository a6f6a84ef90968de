#pragma once

#include "link/Connection.h"
#include "model/ValueText.h"

#include <QString>

struct SerialPortEntry;

// What the link tells a user about ports: how each one is listed and, under
// each port message, a second line saying why it failed and what to do. Text
// only: the windows show it in their message boxes, the command line on its
// error line, so both say the same in either language.
namespace PortHelp
{
enum class ETrouble
{
    Permission,
    InUse,
    Missing,
    Vanished,
    Other,
    // a serial device server's stream
    NetAddress,
    NetHostUnknown,
    NetRefused,
    NetUnreachable,
    NetTimedOut,
    NetDropped,
};

// Sorts a failed open by its system error code (SerialError.h). A USB
// adapter's port that is missing or removed is one that vanished. The
// network codes of a serial device server's stream have their own kinds.
ETrouble Classify(int nError, const QString& strPort);

// The list text of a port: its name, description, maker and USB ID; the
// virtual processor's port is marked as such.
QString Label(const SerialPortEntry& entry, ELanguage language);

// Why opening strPort failed with the system error code nError and what to
// do about it: the line under "Unable to open COM-port".
QString OpenFailedAdvice(int nError, const QString& strPort, ELanguage language);
// "Unable to open COM-port" with the advice for the error below it.
QString OpenFailedMessage(int nError, const QString& strPort, ELanguage language);
// The advice under "Unable to Open COM-Port" after the connection ended
// for eReason on the connection's port: a silent processor names the port
// and device ID and points at Search ID; a USB adapter that failed points at
// brltty; a broken network stream says how it broke. Empty when there is
// nothing to add.
QString DisconnectAdvice(CConnection::EReason eReason, const CConnection& connection, ELanguage language);

// The message with the advice as its second line, when there is one.
QString WithAdvice(const QString& strMessage, const QString& strAdvice);
}
