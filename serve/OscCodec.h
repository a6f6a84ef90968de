#pragma once

#include "model/ParamCatalogue.h"
#include "serve/ApiFault.h"

#include <QByteArray>
#include <QJsonObject>
#include <QJsonValue>
#include <QString>

#include <cstring>
#include <functional>
#include <optional>
#include <string>
#include <variant>
#include <vector>

// OSC messages in their wire form, read and written through liblo, and the
// arguments the show-control service gives them: an incoming argument as
// the HTTP API's JSON would carry it, so both protocols share one write
// path, and an outgoing value as address, value and text. No sockets here.
namespace OscCodec
{
// An argument of a message the service sends: nil, T/F, i, f or s.
using Arg = std::variant<std::monostate, bool, int, float, std::string>;
// One OSC message in its wire form.
QByteArray Encode(const QByteArray& path, const std::vector<Arg>& args);

struct Message
{
    QString strAddress;
    // Undefined where no parameter takes the kind (blobs, MIDI, time tags,
    // infinities), so that the write refuses it rather than liblo.
    std::vector<QJsonValue> args;
};
// A malformed-message fault, saying why, when liblo cannot read it.
std::optional<CApiFault> Decode(const QByteArray& datagram, Message& message);

bool IsBundle(const QByteArray& packet);
// Hands each element of a bundle to `element`, in order, at once; its time
// tag is not waited for. nDepth counts the bundles around this one. A
// malformed fault when the bundle is nested too deep or an element does not
// fit, after the elements before it were handed on.
std::optional<CApiFault> ReadBundle(const QByteArray& packet, int nDepth,
                                    const std::function<void(const QByteArray&)>& element);

// An argument's value as liblo hands it over. liblo's lo_arg is a union with
// 8-byte members, but its pointers point into the packet, where arguments
// are only 4-byte aligned: reading a member through the union is undefined,
// so the bytes are copied out.
template <typename T>
T ArgValue(const void* pArg)
{
    T value;
    std::memcpy(&value, pArg, sizeof value);
    return value;
}
inline const char* ArgText(const void* pArg)
{
    return static_cast<const char*>(pArg);
}

// "/orvan/<device ID>/", before every address of the service.
QByteArray Prefix(int nDeviceId);

// A parameter's value as the service sends it (an answer, a change), from
// what ParamValues::Describe or a change event gives.
std::vector<Arg> ValueArgs(EParam param, const QJsonObject& described);
// Whether a mute argument asks to mute: T/F, or a whole 0 or 1.
std::optional<bool> MuteOf(const QJsonValue& value);
}
