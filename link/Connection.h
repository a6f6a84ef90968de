#pragma once

#include "model/ImageSlot.h"
#include "link/Receiver.h"
#include "wire/SendData.h"
#include "wire/WireNumbers.h"

#include <QObject>
#include <QString>
#include <QTimer>

#include <array>
#include <cstdint>
#include <optional>

class CAudio_Data;
class CCommand;
class CLockState;

// The connection procedure without any window: connecting to a processor and
// reading its whole state, the device search, the device-ID change and the
// disconnect. The main window drives it and shows what it reports; a
// command-line tool can drive it the same way under its own event loop.
//
// It owns the 20 ms send pump. Everything runs on the engine's thread;
// signals are emitted once the procedure has finished the step that caused
// them, so a slot may disconnect.
class CConnection : public QObject
{
    Q_OBJECT

public:
    static constexpr int kPumpIntervalMs = 20;
    static constexpr int kSearchIntervalMs = 30;
    // A probe is given up once it has waited more ticks than this.
    static constexpr int kProbeWaitTicks = 3;
    static constexpr int kFirstId = Frame::kFirstDeviceId;
    static constexpr int kLastId = Frame::kLastDeviceId;
    // The progress bar runs 0..kProgressMax during the state read; its frames
    // carry positions 2..kProgressMax - 1.
    static constexpr int kProgressMax = Frame::kStateReadProgress;

    enum class EState
    {
        Disconnected,
        WaitingForType,  // port open, the device type asked for
        Reading,         // the state read is under way
        Idle,            // connected, the pump polls the meters
    };
    Q_ENUM(EState)

    // Why the connection ended.
    enum class EReason
    {
        User,
        NoAnswer,        // a request went unanswered for about 4 s
        BadDeviceType,   // the type code is not 1..6
        DeviceOlder,     // major version below the one supported
        SoftwareOlder,   // major version above it
        LineFault,       // the port failed (an adapter pulled out)
    };
    Q_ENUM(EReason)

    struct ChannelCounts
    {
        int nInputs = 4;
        int nOutputs = 8;
        bool operator==(const ChannelCounts&) const = default;
    };

    using DeviceIdTable = CReceiver::DeviceIds;

    // Inputs and outputs of a processor type Frame::kFirstDeviceType ..
    // Frame::kLastDeviceType; none for other codes.
    static std::optional<ChannelCounts> CountsOfType(int nTypeCode);

    // The engine, the record being edited and the lock state are the
    // program's own and outlive the connection.
    CConnection(CCommand& command, CAudio_Data& record, CLockState& locks, QObject* pParent = nullptr);
    ~CConnection() override;

    // ---- connecting ------------------------------------------------------
    // Opens the port, addresses the record to nDeviceId and asks for the
    // device type; the answer starts the state read. False when the port
    // cannot be opened (the caller says "Unable to open COM-port") or a
    // connection is already up.
    bool Connect(const QString& strPort, int nDeviceId);
    // Closes the port, drops the queue, stops the pump, clears the locks and
    // the version text and loads the factory default program into the
    // record. Does nothing when not connected.
    void Disconnect(EReason eReason = EReason::User);

    bool IsConnected() const { return m_eState != EState::Disconnected; }
    // The port the last connect or search opened or tried to open, and the
    // system error code of that attempt (0 when it opened).
    const QString& PortName() const { return m_strPort; }
    int OpenError() const;
    // The system error code of the port's last failure while open, which
    // ended a connection with EReason::LineFault.
    int FaultError() const;
    EState GetState() const { return m_eState; }
    // The record's: the ID its frames are addressed to.
    int GetDeviceId() const;
    ChannelCounts GetChannelCounts() const { return m_counts; }
    const CImageSlot& FactorySlot() const { return m_factory; }

    // ---- device ID management (connected only) ---------------------------
    // Tells the connected processor its new ID (kFirstId..kLastId); later frames carry
    // it. Refused while the "Device ID" system lock is set.
    bool ChangeDeviceId(int nNewId);
    // Switches to the processor with nId (kFirstId..kLastId) on the same line and reads
    // its state afresh, as after connecting; the port stays open. Edits not
    // yet built into frames are dropped (CProcessorLink::SwitchTo asks first).
    bool ReconnectTo(int nId);

    // ---- device search (not connected only) --------------------------------
    // Opens the port and queues a probe for every ID kFirstId..kLastId, or only for
    // nFirstId..nLastId, emptying the device-ID table. False when the port
    // cannot be opened or the range is not one of valid IDs.
    bool StartSearch(const QString& strPort, int nFirstId = kFirstId, int nLastId = kLastId);
    // One step of the search, every kSearchIntervalMs: sends the next probe
    // or gives the one in flight up after kProbeWaitTicks; the search ends
    // when the last ID answers or its probe is given up.
    void SearchTick();
    // Ends a running search early.
    void StopSearch();
    bool IsSearching() const { return m_bSearching; }
    const DeviceIdTable& GetDeviceIdTable() const;

    // One tick of the pump, which the procedure's own timer also gives.
    void PumpTick();
    bool IsPumpRunning() const { return m_pump.isActive(); }

signals:
    // The processor reported a valid type; the counts are set.
    void deviceTypeKnown(int nInputs, int nOutputs);
    // The state read is queued: the progress bar starts again at 0 of
    // kProgressMax and the transfer is in progress.
    void stateReadStarted();
    void progressAdvanced(int nPosition);
    // Name, backlight, power-on, generator and information texts are in the
    // record; the engine holds the program names.
    void systemInfoLoaded();
    // A received program (the last block of a block read stored) is in the record.
    void liveProgramLoaded();
    // Emitted after the record holds the factory default program again.
    void disconnected(CConnection::EReason eReason);
    void searchProbed(int nId);
    void searchEnded();

private:
    void OnDeviceType(int nTypeCode);
    void OnVersionMismatch(int nMajorVersion);
    void OnSystemInfo();
    void OnLiveProgram();
    void OnLineFault();
    void QueueStateRead();
    void QueueRead(CSendData entry, bool bProgress);
    void LoadIntoRecord(const CImageSlot& slot);
    void EndSearch();

    CCommand& m_command;
    CAudio_Data& m_record;
    CLockState& m_locks;
    CImageSlot m_factory;
    QTimer m_pump;
    EState m_eState = EState::Disconnected;
    int m_nProgress = 0;
    ChannelCounts m_counts;
    bool m_bSearching = false;
    int m_nSearchLastId = kLastId;
    QString m_strPort;
};
