#include "serve/ApiFault.h"

#include <array>

namespace
{
struct FaultRow
{
    EApiFault eFault;
    int nStatus;
    const char* pszCode;
    EServeText eText;
};

constexpr std::array kFaults{
    FaultRow{EApiFault::kNotFound, 404, "notFound", EServeText::ErrNotFound},
    FaultRow{EApiFault::kMethodNotAllowed, 405, "methodNotAllowed", EServeText::ErrMethod},
    FaultRow{EApiFault::kUnknownParameter, 404, "unknownParameter", EServeText::ErrUnknownParameter},
    FaultRow{EApiFault::kNoChannel, 404, "noChannel", EServeText::ErrNoChannel},
    FaultRow{EApiFault::kMalformedJson, 400, "malformedJson", EServeText::ErrMalformedJson},
    FaultRow{EApiFault::kBadValue, 400, "badValue", EServeText::ErrBadValue},
    FaultRow{EApiFault::kOutOfRange, 422, "outOfRange", EServeText::ErrOutOfRange},
    FaultRow{EApiFault::kBadName, 422, "badName", EServeText::ErrBadName},
    FaultRow{EApiFault::kLocked, 423, "locked", EServeText::ErrLocked},
    FaultRow{EApiFault::kOffline, 503, "offline", EServeText::ErrOffline},
    FaultRow{EApiFault::kBusy, 409, "busy", EServeText::ErrBusy},
    FaultRow{EApiFault::kBodyTooLarge, 413, "bodyTooLarge", EServeText::ErrBodyTooLarge},
    FaultRow{EApiFault::kUnauthorized, 401, "unauthorized", EServeText::ErrUnauthorized},
    FaultRow{EApiFault::kForbiddenOrigin, 403, "forbiddenOrigin", EServeText::ErrForbiddenOrigin},
    FaultRow{EApiFault::kBadHost, 403, "badHost", EServeText::ErrBadHost},
    FaultRow{EApiFault::kTooManyRequests, 429, "tooManyRequests", EServeText::ErrTooManyRequests},
    FaultRow{EApiFault::kBadSlot, 404, "badProgramNumber", EServeText::ErrBadSlot},
    FaultRow{EApiFault::kBadMediaType, 415, "badMediaType", EServeText::ErrBadMediaType},
    FaultRow{EApiFault::kMalformedOsc, 400, "malformedOsc", EServeText::ErrMalformedOsc},
    FaultRow{EApiFault::kBadArguments, 400, "badArguments", EServeText::ErrBadArguments},
};

constexpr bool InOrder()
{
    for (size_t i = 0; i < kFaults.size(); ++i)
        if (static_cast<size_t>(kFaults[i].eFault) != i)
            return false;
    return true;
}
static_assert(InOrder(), "rows must follow the order of EApiFault");

const FaultRow& Row(EApiFault eFault)
{
    return kFaults.at(static_cast<size_t>(eFault));
}
}

int CApiFault::Status() const
{
    return Row(eFault).nStatus;
}

const char* CApiFault::Code() const
{
    return Row(eFault).pszCode;
}

QString CApiFault::Message(ELanguage language) const
{
    QString strText = ServeText(Row(eFault).eText, language);
    for (const QString& strArg : args)
        strText = strText.arg(strArg);
    return strText;
}

QJsonObject CApiFault::Json(ELanguage language) const
{
    return {{"error", QLatin1String(Code())}, {"message", Message(language)}};
}
