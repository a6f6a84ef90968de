#include "serve/OscServer.h"

#include "serve/OscCodec.h"
#include "serve/ParamAddress.h"
#include "serve/ParamValue.h"
#include "serve/ServeLink.h"
#include "serve/ServeText.h"

#include <QJsonArray>
#include <QNetworkDatagram>

#include <algorithm>
#include <cmath>

using OscCodec::Arg;
using OscCodec::Encode;
using OscCodec::MuteOf;
using OscCodec::ValueArgs;

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
    return OscCodec::Prefix(m_link.DeviceId());
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
    if (!OscCodec::IsBundle(packet))
    {
        Message(packet, peer);
        return;
    }
    const auto element = [&](const QByteArray& inner) { Packet(inner, peer, nDepth + 1); };
    if (const auto fault = OscCodec::ReadBundle(packet, nDepth, element))
        Refuse(peer, {}, *fault);
}

void COscServer::Message(const QByteArray& message, const Peer& peer)
{
    if (!m_rateLimit.Take(peer.address.toString()))
    {
        Refuse(peer, {}, {EApiFault::kTooManyRequests, {}});
        return;
    }
    OscCodec::Message decoded;
    if (const auto fault = OscCodec::Decode(message, decoded))
    {
        Refuse(peer, {}, *fault);
        return;
    }
    const QString& strAddress = decoded.strAddress;
    std::vector<QJsonValue>& args = decoded.args;

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
