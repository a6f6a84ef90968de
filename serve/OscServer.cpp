#include "serve/OscServer.h"

#include "model/Audio_Channel.h"
#include "model/Scale.h"
#include "serve/ParamAddress.h"
#include "serve/ParamValue.h"
#include "serve/ServeLink.h"
#include "serve/ServeText.h"
#include "wire/WireNumbers.h"

#include <QJsonArray>
#include <QNetworkDatagram>

#include <lo/lo.h>

#include <algorithm>
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

// An argument as the HTTP API's JSON would carry it; undefined for a kind
// no parameter takes (blobs, MIDI, time tags, infinities).
QJsonValue JsonOf(char cType, const lo_arg* pArg)
{
    switch (cType)
    {
    case LO_FLOAT:
        return std::isfinite(pArg->f) ? QJsonValue(static_cast<double>(pArg->f)) : QJsonValue::Undefined;
    case LO_DOUBLE:
        return std::isfinite(pArg->d) ? QJsonValue(pArg->d) : QJsonValue::Undefined;
    case LO_INT32:
        return pArg->i;
    case LO_INT64:
        return static_cast<double>(pArg->h);
    case LO_STRING:
    case LO_SYMBOL:
        return QString::fromUtf8(&pArg->s);
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

// A parameter's value as the service sends it (an answer, a change): the
// value in display units as a float (nil for OFF) or a choice's step as an
// int, then the text the window shows; a name alone.
std::vector<COscServer::Arg> ValueArgs(EParam param, const QJsonObject& described)
{
    const ParamRow& row = ParamCatalogue::Param(param);
    const std::string strText =
        described.value(row.eEntry == EEntry::kText ? "value" : "text").toString().toStdString();
    if (row.eEntry == EEntry::kText)
        return {strText};
    if (row.pScale == nullptr)
        return {described.value("step").toInt(), strText};
    const QJsonValue value = described.value("value");
    return {value.isDouble() ? COscServer::Arg(static_cast<float>(value.toDouble())) : COscServer::Arg(), strText};
}

// Whether a mute argument asks to mute: T/F, or a whole 0 or 1.
std::optional<bool> MuteOf(const QJsonValue& value)
{
    if (value.isBool())
        return value.toBool();
    if (value.isDouble() && (value.toDouble() == 0.0 || value.toDouble() == 1.0))
        return value.toDouble() == 1.0;
    return std::nullopt;
}

// The type tags a row takes and what they mean, for the address list.
std::pair<std::string, std::string> RangeText(const ParamRow& row)
{
    const EParam param = row.eParam;
    if (row.eEntry == EEntry::kText)
        return {"s", "up to " + std::to_string(CAudio_Channel::kNameBytes) + " printable ASCII characters"};
    if (row.pScale != nullptr)
    {
        std::string strText = ParamCatalogue::FormatStep(param, row.nMin, kEnglish) + " to "
                              + ParamCatalogue::FormatStep(param, row.nMax, kEnglish) + " (or such a text)";
        if (row.pScale->nOffStep >= 0)
            strText += ", nil or \"OFF\" for off";
        return {"f", strText};
    }
    std::string strText;
    for (int n = row.nMin; n <= row.nMax; ++n)
        strText +=
            (n == row.nMin ? "" : ", ") + std::to_string(n) + " " + ParamCatalogue::FormatStep(param, n, kEnglish);
    return {row.nMax - row.nMin == 1 ? "i|T|F" : "i", strText};
}
}

QString COscServer::Peer::Name() const
{
    return address.toString() + ":" + QString::number(nPort);
}

COscServer::COscServer(CServeLink& link, Options options, QObject* pParent)
    : QObject(pParent)
    , m_link(link)
    , m_options(std::move(options))
    , m_access(m_options.address, m_options.nPort, m_options.token)
    , m_rateLimit(m_options.nPerSecond, m_options.nBurst)
{
    m_clock.start();
    connect(&m_socket, &QUdpSocket::readyRead, this, &COscServer::OnReadyRead);
    connect(&link.Events(), &CServeEvents::published, this, &COscServer::OnEvent);
}

COscServer::~COscServer() = default;

bool COscServer::Listen(QString& strReason)
{
    // Not shared: a second service on the same port is told it is busy.
    if (!m_socket.bind(m_options.address, m_options.nPort, QAbstractSocket::DontShareAddress))
    {
        strReason = m_socket.errorString();
        return false;
    }
    return true;
}

QString COscServer::Address() const
{
    return AddressText(m_options.address, m_socket.state() == QAbstractSocket::BoundState ? Port() : m_options.nPort);
}

QByteArray COscServer::Prefix() const
{
    return "/orvan/" + QByteArray::number(m_link.DeviceId()) + "/";
}

QByteArray COscServer::Encode(const QByteArray& path, const std::vector<Arg>& args)
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

void COscServer::OnReadyRead()
{
    while (m_socket.hasPendingDatagrams())
    {
        const QNetworkDatagram datagram = m_socket.receiveDatagram();
        const Peer peer{datagram.senderAddress(), static_cast<quint16>(datagram.senderPort())};
        if (peer.address.isNull())
            continue;
        if (datagram.data().size() > kMaxPacketBytes)
            Refuse(peer, {}, {EApiFault::kBodyTooLarge, {QString::number(kMaxPacketBytes)}});
        else
            Packet(datagram.data(), peer, 0);
    }
}

void COscServer::Packet(const QByteArray& packet, const Peer& peer, int nDepth)
{
    if (!packet.startsWith(kBundleTag))
    {
        Message(packet, peer);
        return;
    }
    // A bundle's messages are taken at once, in order; its time tag is not
    // waited for.
    const CApiFault malformed{EApiFault::kMalformedOsc, {QStringLiteral("a bundle's element does not fit")}};
    if (nDepth >= kMaxBundleDepth || packet.size() < kBundleTag.size() + kTimeTagBytes)
    {
        Refuse(peer, {}, malformed);
        return;
    }
    qsizetype nAt = kBundleTag.size() + kTimeTagBytes;
    while (nAt < packet.size())
    {
        if (packet.size() - nAt < 4)
        {
            Refuse(peer, {}, malformed);
            return;
        }
        const auto* pSize = reinterpret_cast<const uchar*>(packet.constData() + nAt);
        const quint32 nSize =
            (quint32(pSize[0]) << 24) | (quint32(pSize[1]) << 16) | (quint32(pSize[2]) << 8) | pSize[3];
        nAt += 4;
        if (nSize == 0 || nSize % 4 != 0 || nSize > static_cast<quint32>(packet.size() - nAt))
        {
            Refuse(peer, {}, malformed);
            return;
        }
        Packet(packet.mid(nAt, nSize), peer, nDepth + 1);
        nAt += nSize;
    }
}

void COscServer::Message(const QByteArray& message, const Peer& peer)
{
    if (!m_rateLimit.Take(peer.address.toString()))
    {
        Refuse(peer, {}, {EApiFault::kTooManyRequests, {}});
        return;
    }
    QByteArray copy = message;
    int nResult = 0;
    const MessagePtr parsed(lo_message_deserialise(copy.data(), static_cast<size_t>(copy.size()), &nResult));
    if (!parsed)
    {
        Refuse(peer, {}, {EApiFault::kMalformedOsc, {WhyMalformed(nResult)}});
        return;
    }
    const QString strAddress = QString::fromUtf8(lo_get_path(copy.data(), copy.size()));
    const char* pszTypes = lo_message_get_types(parsed.get());
    lo_arg** ppArgs = lo_message_get_argv(parsed.get());
    std::vector<QJsonValue> args;
    for (int i = 0; i < lo_message_get_argc(parsed.get()); ++i)
        args.push_back(JsonOf(pszTypes[i], ppArgs[i]));

    if (m_access.TokenNeeded())
    {
        const QByteArray token =
            !args.empty() && args.front().isString() ? args.front().toString().toLatin1() : QByteArray();
        if (const auto fault = m_access.Check({{}, {}, {}, token}))
        {
            Refuse(peer, strAddress, *fault);
            return;
        }
        args.erase(args.begin());
    }
    Dispatch(strAddress, std::move(args), peer);
}

void COscServer::Dispatch(const QString& strAddress, std::vector<QJsonValue> args, const Peer& peer)
{
    const QString strPrefix = QString::fromLatin1(Prefix());
    if (!strAddress.startsWith(strPrefix))
    {
        Refuse(peer, strAddress, {EApiFault::kNotFound, {strAddress}});
        return;
    }
    const QString strRest = strAddress.mid(strPrefix.size());
    const bool bQuery = args.empty();
    const CApiFault badArguments{EApiFault::kBadArguments, {strAddress}};
    if (args.size() > 1 && strRest != "subscribe")
    {
        Refuse(peer, strAddress, badArguments);
        return;
    }
    if (strRest == "recall")
    {
        if (bQuery)
        {
            const CSessionState& session = m_link.Link().Session();
            Send(peer,
                 Encode(strAddress.toUtf8(), {session.ProgramNumber(), session.ProgramName(session.ProgramNumber())}));
            return;
        }
        const double dSlot = args.front().toDouble(std::nan(""));
        if (!args.front().isDouble() || dSlot != std::floor(dSlot) || std::abs(dSlot) > 1e6)
            Refuse(peer, strAddress, badArguments);
        else if (const auto fault = m_link.Recall(static_cast<int>(dSlot), Client(peer)))
            Refuse(peer, strAddress, *fault);
    }
    else if (strRest == "online")
    {
        if (bQuery)
            Send(peer, Encode(strAddress.toUtf8(), {m_link.IsOnline(), m_link.StateWord().toStdString()}));
        else
            Refuse(peer, strAddress, badArguments);
    }
    else if (strRest == "subscribe" || strRest == "unsubscribe")
        Subscribe(strAddress, args, peer);
    else if (strRest.endsWith("/mute") && strRest.count('/') == 2)
        Mute(strAddress, strRest.chopped(5), args, peer);
    else
        Parameter(strAddress, strRest, args, peer);
}

void COscServer::Parameter(const QString& strAddress, const QString& strPath, const std::vector<QJsonValue>& args,
                           const Peer& peer)
{
    ParamAddress address;
    if (const auto fault = m_link.Resolve(strPath.toStdString(), address))
    {
        Refuse(peer, strAddress, *fault);
        return;
    }
    const CProcessorLink& link = m_link.Link();
    if (args.empty())
    {
        Send(peer, Encode(strAddress.toUtf8(),
                          ValueArgs(address.eParam, ParamValues::Describe(address, link.Record(), link.Locks()))));
        return;
    }
    if (args.front().isUndefined())
    {
        Refuse(peer, strAddress, {EApiFault::kBadArguments, {strAddress}});
        return;
    }
    bool bChanged = false;
    if (const auto fault = m_link.WriteValue(address, args.front(), QJsonValue::Undefined, Client(peer), bChanged))
        Refuse(peer, strAddress, *fault);
}

void COscServer::Mute(const QString& strAddress, const QString& strChannel, const std::vector<QJsonValue>& args,
                      const Peer& peer)
{
    // The channel's "on" row: step 0 is muted.
    ParamAddress address;
    if (m_link.Resolve((strChannel + "/on").toStdString(), address))
    {
        Refuse(peer, strAddress, {EApiFault::kUnknownParameter, {strAddress}});
        return;
    }
    if (args.empty())
    {
        Send(peer, Encode(strAddress.toUtf8(),
                          {ParamCatalogue::Get(address.eParam, m_link.Link().Record(), address.at) == 0}));
        return;
    }
    const std::optional<bool> muted = MuteOf(args.front());
    bool bChanged = false;
    if (!muted)
        Refuse(peer, strAddress, {EApiFault::kBadArguments, {strAddress}});
    else if (const auto fault = m_link.Write(address, *muted ? 0 : 1, Client(peer), bChanged))
        Refuse(peer, strAddress, *fault);
}

void COscServer::Subscribe(const QString& strAddress, const std::vector<QJsonValue>& args, const Peer& peer)
{
    const bool bEnd = strAddress.endsWith("/unsubscribe");
    auto it = std::find_if(m_subscribers.begin(), m_subscribers.end(),
                           [&peer](const Subscriber& subscriber) { return subscriber.peer == peer; });
    if (bEnd)
    {
        if (!args.empty())
        {
            Refuse(peer, strAddress, {EApiFault::kBadArguments, {strAddress}});
            return;
        }
        if (it != m_subscribers.end())
        {
            m_subscribers.erase(it);
            emit m_link.logLine(ServeText(EServeText::ClientLeft, m_link.Language()).arg(Client(peer)));
        }
        Send(peer, Encode(strAddress.toUtf8(), {}));
        return;
    }
    Subscriber wanted{peer, m_clock.elapsed() + m_options.nSubscriptionMs, args.empty(), args.empty()};
    for (const QJsonValue& arg : args)
    {
        if (arg.toString() == "meters")
            wanted.bMeters = true;
        else if (arg.toString() == "param")
            wanted.bParams = true;
        else
        {
            Refuse(peer, strAddress, {EApiFault::kBadArguments, {strAddress}});
            return;
        }
    }
    if (it != m_subscribers.end())
        *it = wanted;
    else if (static_cast<int>(m_subscribers.size()) >= m_options.nMaxSubscribers)
    {
        Refuse(peer, strAddress, {EApiFault::kTooManyRequests, {}});
        return;
    }
    else
    {
        m_subscribers.push_back(wanted);
        emit m_link.logLine(ServeText(EServeText::ClientJoined, m_link.Language()).arg(Client(peer)));
    }
    std::vector<Arg> answer;
    if (wanted.bMeters)
        answer.emplace_back(std::string("meters"));
    if (wanted.bParams)
        answer.emplace_back(std::string("param"));
    answer.emplace_back(m_options.nSubscriptionMs / 1000);
    Send(peer, Encode(strAddress.toUtf8(), answer));
}

void COscServer::OnEvent(CServeEvents::EKind eKind, const QJsonObject& event)
{
    if (m_subscribers.empty() || (eKind != CServeEvents::EKind::kMeters && eKind != CServeEvents::EKind::kParam))
        return;
    const qint64 nNow = m_clock.elapsed();
    std::erase_if(m_subscribers, [this, nNow](const Subscriber& subscriber) {
        if (subscriber.nUntilMs > nNow)
            return false;
        emit m_link.logLine(ServeText(EServeText::ClientLeft, m_link.Language()).arg(Client(subscriber.peer)));
        return true;
    });
    // Written once, sent to every subscriber that wants it.
    std::vector<QByteArray> datagrams;
    if (eKind == CServeEvents::EKind::kMeters)
    {
        for (const char* pszPart : {"inputs", "outputs", "indicators"})
        {
            std::vector<Arg> args;
            for (const QJsonValue& value : event.value(pszPart).toArray())
            {
                if (value.isBool())
                    args.emplace_back(value.toBool());
                else
                    args.emplace_back(value.toInt());
            }
            datagrams.push_back(Encode(Prefix() + "meters/" + pszPart, args));
        }
    }
    else
    {
        const std::string strPath = event.value("path").toString().toStdString();
        const auto address = ParamAddresses::Resolve(strPath);
        if (!address)
            return;
        datagrams.push_back(Encode(Prefix() + QByteArray::fromStdString(strPath), ValueArgs(address->eParam, event)));
    }
    for (const Subscriber& subscriber : m_subscribers)
        if (eKind == CServeEvents::EKind::kMeters ? subscriber.bMeters : subscriber.bParams)
            for (const QByteArray& datagram : datagrams)
                Send(subscriber.peer, datagram);
}

void COscServer::Send(const Peer& peer, const QByteArray& datagram)
{
    m_socket.writeDatagram(datagram, peer.address, peer.nPort);
}

void COscServer::Refuse(const Peer& peer, const QString& strAddress, const CApiFault& fault)
{
    Send(peer, Encode(Prefix() + "error", {strAddress.toStdString(), std::string(fault.Code()),
                                           fault.Message(m_link.Language()).toStdString()}));
}

QStringList COscServer::AddressList(int nDeviceId)
{
    const std::string strPrefix = "/orvan/" + std::to_string(nDeviceId) + "/";
    auto line = [&strPrefix](const std::string& strAddress, const char* pszTypes, const std::string& strText) {
        return QString::fromStdString(strPrefix + strAddress).leftJustified(50) + " "
               + QString::fromLatin1(pszTypes).leftJustified(6) + " " + QString::fromStdString(strText);
    };
    QStringList lines;
    lines << QStringLiteral("Send one argument to set, none to ask (answered to the sender as address, value, text).")
          << QStringLiteral("{channel} is 1 to %1 for inputs, 1 to %2 for outputs; {band} 1 to %3; {source} 1 to %4.")
                 .arg(Frame::kInputCount)
                 .arg(Frame::kOutputCount)
                 .arg(ParamCatalogue::IndexCount(EParam::kOutBandGain))
                 .arg(ParamCatalogue::IndexCount(EParam::kOutRoute))
          << QString();
    for (const ParamRow& row : ParamCatalogue::Params())
    {
        const auto [strTypes, strText] = RangeText(row);
        lines << line(ParamAddresses::Pattern(row.eParam), strTypes.c_str(), strText);
    }
    lines << line("inputs/{channel}/mute", "T|F", "or 1|0; muted is T")
          << line("outputs/{channel}/mute", "T|F", "or 1|0; muted is T")
          << line("recall", "i", "program 1 to 30; no argument: the current number and name")
          << line("online", "", "no argument: T|F and the connection state")
          << line("subscribe", "s...", "meters, param (none: both), for 60 s; send again to stay")
          << line("unsubscribe", "", "")
          << line("meters/inputs", "i...", "to subscribers 20 times a second, steps 0 to 11")
          << line("meters/outputs", "i...", "the same for the outputs")
          << line("meters/indicators", "T|F...", "the outputs' limiter lamps")
          << line("error", "s s s", "answer to a refused message: its address, the code, the message");
    for (QString& strLine : lines)
        strLine = strLine.trimmed();
    return lines;
}
