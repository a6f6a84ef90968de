#pragma once

#include "model/ValueText.h"

#include <QString>

// Every text the show-control service writes for people: its log lines and
// the messages of the API's errors, in English and Chinese; the language
// flag (0 Chinese, 1 English, see DataDefine.h) picks the form.
enum class EServeText
{
    // log lines
    Listening,          // %1 address:port
    OscListening,       // %1 address:port
    TokenCreated,       // %1 token, %2 file
    TokenRequired,      // %1 file
    TokenUnreadable,    // %1 file, %2 reason
    TokenUnwritable,    // %1 file, %2 reason
    ListenFailed,       // %1 address:port, %2 reason
    Connecting,         // %1 port, %2 device ID
    Online,             // %1 device type, %2 inputs, %3 outputs, %4 firmware
    Offline,            // %1 why
    RetryIn,            // %1 seconds
    Recalling,          // %1 program, %2 client
    Storing,            // %1 program, %2 name, %3 client
    Written,            // %1 parameter path, %2 value text, %3 client
    TransferDone,
    ClientJoined,       // %1 client
    ClientLeft,         // %1 client
    Stopping,
    // API errors
    ErrNotFound,        // %1 path
    ErrMethod,          // %1 method
    ErrUnknownParameter,// %1 path
    ErrNoChannel,       // %1 channel, %2 side's count
    ErrMalformedJson,   // %1 parser's reason
    ErrBadValue,        // %1 parameter path
    ErrOutOfRange,      // %1 value, %2 lowest, %3 highest
    ErrBadName,         // %1 longest
    ErrLocked,          // %1 parameter path or operation
    ErrOffline,
    ErrBusy,
    ErrBodyTooLarge,    // %1 limit in bytes
    ErrUnauthorized,
    ErrForbiddenOrigin,
    ErrBadHost,
    ErrTooManyRequests,
    ErrBadSlot,         // %1 lowest, %2 highest
    ErrBadMediaType,
    ErrMalformedOsc,    // %1 what is wrong
    ErrBadArguments,    // %1 OSC address
};

QString ServeText(EServeText id, ELanguage language);
