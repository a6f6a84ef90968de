#pragma once

#include "model/ValueText.h"
#include "serve/ServeText.h"

#include <QJsonObject>
#include <QString>
#include <QStringList>

// Why the service refused a request: the HTTP status, a fixed code for
// programs ("outOfRange") and the message for people, in the service's
// language. Every refusal sends nothing to the processor.
enum class EApiFault
{
    kNotFound,
    kMethodNotAllowed,
    kUnknownParameter,
    kNoChannel,
    kMalformedJson,
    kBadValue,
    kOutOfRange,
    kBadName,
    kLocked,
    kOffline,
    kBusy,
    kBodyTooLarge,
    kUnauthorized,
    kForbiddenOrigin,
    kBadHost,
    kTooManyRequests,
    kBadSlot,
    kBadMediaType,
    kMalformedOsc,
    kBadArguments,
};

struct CApiFault
{
    EApiFault eFault;
    // The %1, %2, ... of the message.
    QStringList args;

    int Status() const;
    const char* Code() const;
    QString Message(ELanguage language) const;
    // {"error": code, "message": text}
    QJsonObject Json(ELanguage language) const;
};
