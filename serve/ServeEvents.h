#pragma once

#include <QJsonObject>
#include <QObject>
#include <QStringView>

#include <optional>

// The one stream of what happens at the processor, which every remote
// protocol of the service reads: the WebSocket clients, and whatever else
// speaks for the service. Each event is a JSON object whose "type" is the
// word of its kind.
//
//   meters      {"inputs": [4 steps 0..11], "outputs": [8], "indicators": [8 bools]}, 20 times a second
//   param       one parameter after any change, whoever made it (ParamValues::Describe)
//   program     another program is in the record: {"number", "name"}; read everything again
//   programs    the program names or the current number changed
//   locks       the function locks changed
//   connection  {"state": "connecting" | "reading" | "online" | "offline", "reason"?, "retryInMs"?}
//   transfer    {"operation", "done", "total", "finished"?}
class CServeEvents : public QObject
{
    Q_OBJECT

public:
    enum class EKind
    {
        kMeters,
        kParam,
        kProgram,
        kPrograms,
        kLocks,
        kConnection,
        kTransfer,
    };
    Q_ENUM(EKind)
    static constexpr int kKinds = 7;

    using QObject::QObject;

    static const char* Word(EKind eKind);
    static std::optional<EKind> KindOf(QStringView word);

    // Adds "type" and tells every reader.
    void Publish(EKind eKind, QJsonObject event);

signals:
    void published(CServeEvents::EKind eKind, const QJsonObject& event);
};
