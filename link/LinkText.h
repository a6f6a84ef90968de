#pragma once

#include <QString>

// Every text the link's dialogs show (Connection, Device ID, data
// transmission window and their messages), in English and Chinese; the
// language flag (0 Chinese, 1 English, see DataDefine.h) picks the form.
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
};

QString LinkText(ELinkText id, int language);
