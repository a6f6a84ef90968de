#pragma once

#include "serve/AccessRule.h"
#include "serve/ApiFault.h"
#include "serve/RateLimit.h"
#include "serve/ServeEvents.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QHostAddress>
#include <QJsonValue>
#include <QObject>
#include <QUdpSocket>

#include <vector>

class CServeLink;

// Show control over OSC on UDP, for lighting desks and button panels. The
// addresses are the HTTP API's parameter paths under /orvan/<device ID>/,
// so the catalogue names every one (ParamAddresses, listed by OscAddresses):
//
//   /orvan/1/outputs/3/gain -3.0        set, as the HTTP API takes a value
//   /orvan/1/outputs/3/gain             no argument: ask; answered to the sender
//   /orvan/1/outputs/3/mute T           mute (T or 1) or unmute (F or 0)
//   /orvan/1/recall 7                   recall program 7
//   /orvan/1/subscribe meters param     meters at 20 Hz and every change, to
//                                       the sender, for a minute; send again
//                                       to stay subscribed
//
// Every write is CServeLink's (offline, transfer, locks, range), and any
// refused message is answered /orvan/<id>/error <address> <code> <message>
// having sent nothing to the processor. A listener on an address other
// than a loopback one takes a message only when its first argument is the
// service's token (a string), which is then dropped.
class COscServer : public QObject
{
    Q_OBJECT

public:
    struct Options : CListenRule
    {
        quint16 nPort = 9000;  // 0 picks a free port
        int nSubscriptionMs = 60000;
        int nMaxSubscribers = 16;
    };
    // A datagram larger than this is refused unread (a bundle of writes
    // fits many times over).
    static constexpr qsizetype kMaxPacketBytes = 8192;

    COscServer(CServeLink& link, Options options, QObject* pParent = nullptr);
    ~COscServer() override;

    // False, with the system's reason, when the port cannot be bound.
    bool Listen(QString& strReason);
    quint16 Port() const { return m_socket.localPort(); }
    // "127.0.0.1:9000"
    QString Address() const;
    int SubscriberCount() const { return static_cast<int>(m_subscribers.size()); }

private:
    struct Peer
    {
        QHostAddress address;
        quint16 nPort = 0;

        QString Name() const;
        bool operator==(const Peer& other) const { return address == other.address && nPort == other.nPort; }
    };
    struct Subscriber
    {
        Peer peer;
        qint64 nUntilMs = 0;
        bool bMeters = false;
        bool bParams = false;
    };

    void OnReadyRead();
    void Packet(const QByteArray& packet, const Peer& peer, int nDepth);
    void Message(const QByteArray& message, const Peer& peer);
    void Dispatch(const QString& strAddress, std::vector<QJsonValue> args, const Peer& peer);
    void Parameter(const QString& strAddress, const QString& strPath, const std::vector<QJsonValue>& args,
                   const Peer& peer);
    void Mute(const QString& strAddress, const QString& strChannel, const std::vector<QJsonValue>& args,
              const Peer& peer);
    void Subscribe(const QString& strAddress, const std::vector<QJsonValue>& args, const Peer& peer);
    void OnEvent(CServeEvents::EKind eKind, const QJsonObject& event);
    void Send(const Peer& peer, const QByteArray& datagram);
    void Refuse(const Peer& peer, const QString& strAddress, const CApiFault& fault);
    QByteArray Prefix() const;
    QString Client(const Peer& peer) const { return "osc " + peer.Name(); }

    CServeLink& m_link;
    Options m_options;
    CAccessRule m_access;
    CRateLimit m_rateLimit;
    QUdpSocket m_socket;
    std::vector<Subscriber> m_subscribers;
    QElapsedTimer m_clock;
};
