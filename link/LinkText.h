#pragma once

#include "model/ValueText.h"

#include <QString>

// Every text the link's dialogs show (Connection, Device ID, data
// transmission window and their messages), in English and Chinese; the
// language flag (0 Chinese, 1 English, see ValueText.h) picks the form.
enum class ELinkText
{
    // Connection dialog
    ConnectTitle,
    ConnectButton,
    SearchIdButton,
    DeviceIdPrompt,
    PortPrompt,
    // Device dialog
    DeviceTitle,
    ChangeIdChoice,
    ReconnectChoice,
    // data transmission window
    TransferTitle,
    Transferring,
    TransferEnded,
    // messages
    PortOpenFailed,
    // the port list: what marks the virtual processor's port
    VirtualPort,
    // second lines under the port messages; %1 is the port
    AdvicePermission,   // %2 the group that owns the device
    AdviceInUse,
    AdviceMissing,
    AdviceVanished,     // a USB adapter gone at once: brltty
    AdviceOther,        // %2 the system error code
    AdviceNoAnswer,     // %2 the device ID
    // a serial device server ("tcp://host:port"); %1 is the port
    AdviceNetAddress,
    AdviceNetHostUnknown,
    AdviceNetRefused,
    AdviceNetUnreachable,
    AdviceNetTimedOut,
    AdviceNetDropped,
};

QString LinkText(ELinkText id, ELanguage language);
