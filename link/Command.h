#pragma once

#include "wire/FrameAssembler.h"
#include "link/LinkPort.h"
#include "link/Receiver.h"
#include "link/SendDataQueue.h"

#include <QObject>
#include <QString>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class CAudio_Data;

// The communication engine: owns the port, the send queue and the receive
// side, paces requests so exactly one frame is in flight, and tells its
// owner what has arrived.
//
// Everything runs on the thread that owns the engine. Signals are emitted
// after the engine has finished with the frame or tick that caused them, so
// a slot may close the port or clear the queue.
class CCommand : public QObject
{
    Q_OBJECT

public:
    // As much as the assembler can hold.
    static constexpr int kReadBytes = CFrameAssembler::kBufferBytes;
    static constexpr int kWriteWaitMs = 5000;
    // Pump ticks (20 ms each) an unanswered head waits before it is sent
    // again with the line reset, and before the engine gives up.
    static constexpr int kFirstRepeatTicks = 50;
    static constexpr int kSecondRepeatTicks = 100;
    static constexpr int kGiveUpTicks = 200;
    // The pump adds a pending edit only when fewer frames are waiting, and a
    // level request only when none is.
    static constexpr int kPumpLowWater = 2;
    // An aside frame (CSendData::m_bAside) is never repeated: unanswered
    // after this many ticks it is dropped, as a search drops a probe, so a
    // silent processor elsewhere on the line holds the edited one up for
    // about 100 ms at most and never ends its connection.
    static constexpr int kAsideGiveUpTicks = 5;

    // Asked on a pump tick that finds nothing of the editor's to send and
    // the queue empty: a frame for another processor on the line (marked
    // aside) goes out in place of the level request, or none.
    using AsideSource = std::function<std::optional<CSendData>()>;

    // Without a port the engine makes the serial one.
    explicit CCommand(std::unique_ptr<CLinkPort> pPort = nullptr, QObject* pParent = nullptr);
    ~CCommand() override;

    // ---- the line ----------------------------------------------------------
    // Closes a port that is still open, opens the named one and clears both
    // directions. False when it cannot be opened; the caller then tells the
    // user "Unable to open COM-port", with advice by OpenError.
    bool Open(const QString& strPort);
    // The system error code of the last Open (SerialError.h), 0 after success.
    int OpenError() const { return m_nOpenError; }
    // The system error code the port gave when it last failed while open.
    int FaultError() const { return m_nFaultError; }
    void Close();
    bool IsOpen() const;

    // ---- the send queue ----------------------------------------------------
    void Enqueue(CSendData entry) { m_queue.Enqueue(std::move(entry)); }
    // Only when the queue is not empty.
    const CSendData& Head() const { return m_queue.Head(); }
    void RemoveHead() { m_queue.RemoveHead(); }
    int Count() const { return m_queue.Count(); }
    void Clear() { m_queue.Clear(); }
    const CSendDataQueue& Queue() const { return m_queue; }

    // Writes the preamble and the head frame in one write. The result is not
    // examined: an unanswered frame is repeated anyway.
    void SendHead();
    // Sends the head when it has not left yet and marks it sent; false when
    // it is already in flight or nothing is queued.
    bool SendHeadOnce();
    // Counts one more tick for the head in flight; the ticks it has waited.
    int WaitHead();
    // Purges the port and starts the hunt for a frame afresh.
    void ResetLine();
    // One pump tick: tops the queue up from the record's pending edits, or
    // asks for the levels when the queue is empty, then services the head.
    void PumpTick(CAudio_Data& record);
    // Sends the head if it has not left yet, or counts the time it has
    // waited, repeats it, and at last asks the owner to disconnect.
    void ServiceHead();

    // Only one source at a time; an empty function removes it.
    void SetAsideSource(AsideSource source) { m_asideSource = std::move(source); }
    // Frames written to the line so far, repeats not counted.
    qint64 FramesSent() const { return m_nFramesSent; }

    // Transfer in progress: set by the producers of a transfer, cleared when
    // the last frame of the transfer is sent.
    void SetTransferInProgress(bool bOn) { m_bTransferInProgress = bOn; }
    bool IsTransferInProgress() const { return m_bTransferInProgress; }

    // ---- the receive side --------------------------------------------------
    // Reads what has arrived and handles at most one whole frame.
    void ReadAndParse();
    // Back to hunting for a preamble; bytes collected so far are dropped.
    void ResetReceive() { m_assembler.Reset(); }

    // Lock sets that arrive are unpacked into this state (the program's one).
    void AttachLockState(CLockState* pLockState) { m_receiver.AttachLockState(pLockState); }

    // While set, an answer from the last device ID ends the device search.
    void SetSearching(bool bOn) { m_bSearching = bOn; }

    CReceiver& Receiver() { return m_receiver; }
    const CReceiver& Receiver() const { return m_receiver; }
    int Level(int i) const { return m_receiver.Level(i); }
    const CImageSlot& GetReceiveSlot() const { return m_receiver.GetReceiveSlot(); }
    CAudio_Data& GetStaging() { return m_receiver.GetStaging(); }
    int GetDeviceType() const { return m_receiver.GetDeviceType(); }
    const std::string& GetVersionText() const { return m_receiver.GetVersionText(); }

signals:
    // The last block of a block read has been stored in the receive slot.
    void liveProgramRead();
    // A whole stored program (1..30) is in the receive slot.
    void programReceived(int nProgram);
    // The information texts are in the staging record.
    void systemInfoReceived();
    void levelsReceived();
    // The last device ID answered during a device search.
    void searchComplete();
    // The processor's major version is not the one supported; the version
    // request stays at the head.
    void versionMismatch(int nMajorVersion);
    void deviceTypeReceived(int nType);
    // A lock set has been unpacked for program nProgram.
    void lockSetReceived(int nProgram);
    // The processor named program nProgram (0..30); kept by the session
    // state, not here.
    void programNameReceived(int nProgram, const std::string& strName);
    // A frame marked for the progress bar has been sent.
    void progressAdvanced(int nPosition);
    // The last frame of a transfer has been sent.
    void transferEnded();
    // The request in flight has been answered and has left the queue; the
    // other notices of the same answer come first.
    void requestAnswered();
    // The head went unanswered for about 4 s: the processor is gone.
    void disconnectRequested();
    // The port failed while open and has been closed.
    void lineFault(int nError);
    // The answer to an aside frame, read by a receiver of its own so that
    // nothing of the edited processor's state changes; `request` is the
    // frame it answers. requestAnswered follows.
    void asideAnswered(const std::vector<uint8_t>& request, const CReceiver& answer,
                       const CReceiver::Outcome& outcome);
    // An aside frame went unanswered and has been dropped.
    void asideGivenUp(const std::vector<uint8_t>& request);

private:
    void HandleFrame(std::span<const uint8_t> frame);
    // The head is an aside frame in flight.
    bool AsideInFlight() const;
    void HandleAsideFrame(std::span<const uint8_t> frame);
    void OnLineFault(int nError);

    std::unique_ptr<CLinkPort> m_pPort;
    CSendDataQueue m_queue;
    CFrameAssembler m_assembler;
    CReceiver m_receiver;
    CReceiver m_asideReceiver;
    AsideSource m_asideSource;
    qint64 m_nFramesSent = 0;
    bool m_bSearching = false;
    bool m_bTransferInProgress = false;
    int m_nOpenError = 0;
    int m_nFaultError = 0;
};
