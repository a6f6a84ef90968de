#pragma once

#include "model/ValueText.h"
#include "serve/ApiFault.h"
#include "serve/ParamAddress.h"
#include "serve/ServeEvents.h"
#include "session/ProcessorLink.h"

#include <QJsonObject>
#include <QJsonValue>
#include <QObject>
#include <QString>
#include <QTimer>

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class CLinkPort;

// The service's processor: one processor link, connected as the window
// connects (device type and version checked, whole state read) and kept
// connected. When the processor falls silent or the port fails, it tries
// again after 1 s, then 2, 4, ... up to the longest wait, and the state read
// that follows brings the mirror back. It polls the meters, tells every
// change through its event stream and writes one log line per event.
//
// The operations of remote clients are here, so every protocol checks and
// writes the same way: every value through CProcessorLink::Edit (the
// window's own path: record setters, link rule, pump and pacing), the
// program slots through CProgramTransfer. A refused operation sends nothing.
class CServeLink : public QObject
{
    Q_OBJECT

public:
    struct Options
    {
        QString strPort;
        int nDeviceId = 1;
        ELanguage eLanguage = kEnglish;
        int nMeterIntervalMs = 50;
        int nFirstRetryMs = 1000;
        int nLastRetryMs = 30000;
    };

    explicit CServeLink(Options options, std::unique_ptr<CLinkPort> pPort = nullptr, QObject* pParent = nullptr);
    ~CServeLink() override;

    // Connects, and from then on reconnects by itself.
    void Start();
    // Disconnects for good.
    void Stop();

    CProcessorLink& Link() { return m_link; }
    const CProcessorLink& Link() const { return m_link; }
    CServeEvents& Events() { return m_events; }
    ELanguage Language() const { return m_options.eLanguage; }
    int DeviceId() const { return m_options.nDeviceId; }
    // Connected with the state read done.
    bool IsOnline() const;
    // "offline", "connecting", "reading" or "online".
    QString StateWord() const;
    // The channels of the connected processor (of the largest model before).
    int Inputs() const;
    int Outputs() const;
    int RetryCount() const { return m_nRetries; }

    // {"online", "state", "port", "deviceId", "deviceType", "model",
    //  "inputs", "outputs", "firmware", "deviceName", "programNumber",
    //  "programName", "transferRunning"}
    QJsonObject ProcessorJson() const;
    // {"current", "live", "programs": [{"number", "name"} x 30]}
    QJsonObject ProgramsJson() const;

    // Whether a parameter write may go ahead now (online, no transfer).
    std::optional<CApiFault> CheckWritable() const;
    // The same, and whether a function lock covers the parameter.
    std::optional<CApiFault> CheckWritable(const ParamAddress& address) const;
    // The address a client's path names on this processor ("outputs/3/gain",
    // ParamAddresses); unknownParameter or noChannel when it names none.
    std::optional<CApiFault> Resolve(std::string_view path, ParamAddress& address) const;
    // A value as a client writes it: a name for a name row, otherwise a
    // value or a step (ParamValues::StepOf). Offline and locks are checked
    // before the value, so a locked parameter says so whatever was asked.
    std::optional<CApiFault> WriteValue(const ParamAddress& address, const QJsonValue& value, const QJsonValue& step,
                                        const QString& strClient, bool& bChanged);
    // strClient names who asked, for the log. bChanged: the record took a
    // new value (an equal one sends nothing).
    std::optional<CApiFault> Write(const ParamAddress& address, int nStep, const QString& strClient, bool& bChanged);
    std::optional<CApiFault> WriteName(const ParamAddress& address, const std::string& strName,
                                       const QString& strClient, bool& bChanged);
    // Programs 1..30. Store takes the slot's name unless one is given.
    std::optional<CApiFault> Recall(int nSlot, const QString& strClient);
    std::optional<CApiFault> Store(int nSlot, const std::optional<std::string>& name, const QString& strClient);

signals:
    void logLine(const QString& strLine);

private:
    void TryConnect();
    void ScheduleRetry();
    void OnDisconnected(CConnection::EReason eReason);
    void OnProgramLoaded();
    void OnValueChanged();
    void PublishMeters();
    void PublishConnection(const QString& strState, QJsonObject extra = {});
    void Snapshot();
    void Log(const QString& strLine) { emit logLine(strLine); }
    std::optional<CApiFault> CheckSlot(int nSlot, int nLockFlag, const char* pszOperation) const;

    Options m_options;
    CProcessorLink m_link;
    CServeEvents m_events;
    QTimer m_retry;
    QTimer m_meters;
    int m_nRetryMs;
    int m_nRetries = 0;
    bool m_bRunning = false;
    bool m_bOnline = false;
    QString m_strOperation;
    // Every address as last told, to tell what an edit changed (the link
    // group's other members too).
    std::vector<ParamAddress> m_addresses;
    std::vector<int> m_anSteps;
    std::vector<std::string> m_astrNames;
};
