#include "serve/OscCodec.h"

#include <lo/lo.h>

#include <cmath>
#include <cstdlib>
#include <memory>

namespace
{
constexpr int kMaxBundleDepth = 4;
const QByteArray kBundleTag("#bundle\0", 8);
constexpr qsizetype kTimeTagBytes = 8;

struct MessageFree
{
    void operator()(lo_message message) const { lo_message_free(message); }
};
using MessagePtr = std::unique_ptr<std::remove_pointer_t<lo_message>, MessageFree>;

// Why liblo would not read a message, for the answer.
QString WhyMalformed(int nResult)
{
    switch (nResult)
    {
    case LO_EINVALIDPATH:
        return QStringLiteral("the address is not a terminated OSC string");
    case LO_EINVALIDTYPE:
        return QStringLiteral("the type tags are not a terminated OSC string");
    case LO_EBADTYPE:
        return QStringLiteral("an unknown type tag");
    case LO_EINVALIDARG:
        return QStringLiteral("an argument runs past the end");
    case LO_ESIZE:
        return QStringLiteral("the size is not a multiple of 4");
    default:
        break;
    }
    return QStringLiteral("liblo error %1").arg(nResult);
}

QJsonValue JsonOf(char cType, const lo_arg* pArg)
{
    switch (cType)
    {
    case LO_FLOAT:
        return std::isfinite(OscCodec::ArgValue<float>(pArg))
                   ? QJsonValue(static_cast<double>(OscCodec::ArgValue<float>(pArg)))
                   : QJsonValue::Undefined;
    case LO_DOUBLE:
        return std::isfinite(OscCodec::ArgValue<double>(pArg)) ? QJsonValue(OscCodec::ArgValue<double>(pArg))
                                                               : QJsonValue::Undefined;
    case LO_INT32:
        return OscCodec::ArgValue<int32_t>(pArg);
    case LO_INT64:
        return static_cast<double>(OscCodec::ArgValue<int64_t>(pArg));
    case LO_STRING:
    case LO_SYMBOL:
        return QString::fromUtf8(OscCodec::ArgText(pArg));
    case LO_TRUE:
        return true;
    case LO_FALSE:
        return false;
    case LO_NIL:
        return QJsonValue::Null;
    default:
        break;
    }
    return QJsonValue::Undefined;
}
}

QByteArray OscCodec::Encode(const QByteArray& path, const std::vector<Arg>& args)
{
    const MessagePtr message(lo_message_new());
    for (const Arg& arg : args)
    {
        if (std::holds_alternative<std::monostate>(arg))
            lo_message_add_nil(message.get());
        else if (const bool* pbValue = std::get_if<bool>(&arg))
            *pbValue ? lo_message_add_true(message.get()) : lo_message_add_false(message.get());
        else if (const int* pnValue = std::get_if<int>(&arg))
            lo_message_add_int32(message.get(), *pnValue);
        else if (const float* pfValue = std::get_if<float>(&arg))
            lo_message_add_float(message.get(), *pfValue);
        else
            lo_message_add_string(message.get(), std::get<std::string>(arg).c_str());
    }
    size_t nSize = 0;
    void* pData = lo_message_serialise(message.get(), path.constData(), nullptr, &nSize);
    QByteArray datagram(static_cast<const char*>(pData), static_cast<qsizetype>(nSize));
    std::free(pData);
    return datagram;
}

std::optional<CApiFault> OscCodec::Decode(const QByteArray& datagram, Message& message)
{
    // liblo takes a writable buffer.
    QByteArray copy = datagram;
    int nResult = 0;
    const MessagePtr parsed(lo_message_deserialise(copy.data(), static_cast<size_t>(copy.size()), &nResult));
    if (!parsed)
        return CApiFault{EApiFault::kMalformedOsc, {WhyMalformed(nResult)}};
    message.strAddress = QString::fromUtf8(lo_get_path(copy.data(), copy.size()));
    const char* pszTypes = lo_message_get_types(parsed.get());
    lo_arg** ppArgs = lo_message_get_argv(parsed.get());
    message.args.clear();
    for (int i = 0; i < lo_message_get_argc(parsed.get()); ++i)
        message.args.push_back(JsonOf(pszTypes[i], ppArgs[i]));
    return std::nullopt;
}

bool OscCodec::IsBundle(const QByteArray& packet)
{
    return packet.startsWith(kBundleTag);
}

std::optional<CApiFault> OscCodec::ReadBundle(const QByteArray& packet, int nDepth,
                                              const std::function<void(const QByteArray&)>& element)
{
    const CApiFault malformed{EApiFault::kMalformedOsc, {QStringLiteral("a bundle's element does not fit")}};
    if (nDepth >= kMaxBundleDepth || packet.size() < kBundleTag.size() + kTimeTagBytes)
        return malformed;
    qsizetype nAt = kBundleTag.size() + kTimeTagBytes;
    while (nAt < packet.size())
    {
        if (packet.size() - nAt < 4)
            return malformed;
        const auto* pSize = reinterpret_cast<const uchar*>(packet.constData() + nAt);
        const quint32 nSize =
            (quint32(pSize[0]) << 24) | (quint32(pSize[1]) << 16) | (quint32(pSize[2]) << 8) | pSize[3];
        nAt += 4;
        if (nSize == 0 || nSize % 4 != 0 || nSize > static_cast<quint32>(packet.size() - nAt))
            return malformed;
        element(packet.mid(nAt, nSize));
        nAt += nSize;
    }
    return std::nullopt;
}

QByteArray OscCodec::Prefix(int nDeviceId)
{
    return "/orvan/" + QByteArray::number(nDeviceId) + "/";
}

// The value in display units as a float (nil for OFF) or a choice's step as
// an int, then the text the window shows; a name alone.
std::vector<OscCodec::Arg> OscCodec::ValueArgs(EParam param, const QJsonObject& described)
{
    const ParamRow& row = ParamCatalogue::Param(param);
    const std::string strText =
        described.value(row.eEntry == EEntry::kText ? "value" : "text").toString().toStdString();
    if (row.eEntry == EEntry::kText)
        return {strText};
    if (row.pScale == nullptr)
        return {described.value("step").toInt(), strText};
    const QJsonValue value = described.value("value");
    return {value.isDouble() ? Arg(static_cast<float>(value.toDouble())) : Arg(), strText};
}

std::optional<bool> OscCodec::MuteOf(const QJsonValue& value)
{
    if (value.isBool())
        return value.toBool();
    if (value.isDouble() && (value.toDouble() == 0.0 || value.toDouble() == 1.0))
        return value.toDouble() == 1.0;
    return std::nullopt;
}
