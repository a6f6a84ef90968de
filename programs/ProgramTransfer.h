#pragma once

#include "model/ProgramBank.h"
#include "wire/SendData.h"
#include "wire/WireNumbers.h"

#include <QObject>

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

class CAudio_Data;
class CCommand;
class CLockState;
class CSessionState;

// The program manager's transfers between the processor and files, without
// a window: the same frames in the same order, with the same muting, queued
// on the engine of a connected processor whose state has been read.
//
// A transfer has finished when the processor has answered its last frame
// (or, for StoreAllToPC, once all thirty programs have arrived), not merely
// when that frame has been sent. Whoever drives the connection calls Abort
// when it drops; a transfer never waits on its own.
class CProgramTransfer : public QObject
{
    Q_OBJECT

public:
    // Inputs A..D, then outputs 1..8.
    using MuteTable = std::array<uint8_t, Frame::kChannelCount>;

    // The record and locks are the connection's: they hold the processor's
    // live state when a transfer starts. The session state holds the
    // program names, which a backup reads and a write updates.
    CProgramTransfer(CCommand& command, CAudio_Data& record, CLockState& locks, CSessionState& session,
                     QObject* pParent = nullptr);

    // Loads a single-program file body into the record and locks, then sends
    // it into the live program. The saved mute table starts as the live
    // program's own, so a file whose output mute is locked leaves the
    // processor's mute states as they were. False, with nothing sent and
    // nothing changed, when the body does not read as a program.
    bool RecallProgramFromPC(std::span<const uint8_t> fileBody);
    // The same load without a processor: the record and locks take the
    // file, link groups start afresh and the generator is off; nothing is
    // queued. False, with nothing changed, when the body does not read as
    // a program.
    bool LoadProgram(std::span<const uint8_t> fileBody);

    // Stored programs 1..30 (other numbers are refused with false):
    // Reads program nSlot into the live program. Its lock set becomes the
    // live and fixed locks; the connection loads the blocks into the record
    // once the last one has arrived.
    bool RecallFromDevice(int nSlot);
    // Writes the record into program nSlot under the record's name, with
    // the current lock set. The record and its pending edits stay as they are.
    bool StoreToDevice(int nSlot);
    // Leaves program nSlot empty: no name, no locks, the factory default
    // program.
    bool DeleteOnDevice(int nSlot);
    // Reads the 30 stored programs with their lock bytes into the bank.
    void StoreAllToPC();
    // Sends the 30 programs of the bank, with their names and lock bytes.
    void RecallAllFromPC(const CProgramBank& bank);

    // The connection has gone: the transfer ends unfinished.
    void Abort();

    bool IsRunning() const { return m_bRunning; }
    const CProgramBank& GetBank() const { return m_bank; }

signals:
    // nDone of nTotal frames that move the progress bar have been sent.
    void progressAdvanced(int nDone, int nTotal);
    void finished();

private:
    void QueueStore(int nSlot);
    // Also writes the name into the session state, which then holds what
    // the processor holds without reading it back.
    CSendData NameWrite(const CAudio_Data& builder, int nProgram, const std::string& strName);
    void StopGenerator();
    void OnProgramReceived(int nProgram);
    void OnRequestAnswered();
    void OnProgressAdvanced(int nPosition);
    void Start(int nFirstPosition, int nPositions);
    void Queue(CSendData entry);
    // The entry takes the next progress position.
    void QueueWithProgress(CSendData entry, bool bLast = false);
    void QueueChannelParams();
    // The record's mute states, channel by channel.
    MuteTable Mutes() const;
    void Finish();

    CCommand& m_command;
    CAudio_Data& m_record;
    CLockState& m_locks;
    CSessionState& m_session;
    CProgramBank m_bank;
    MuteTable m_abySavedMutes{};
    bool m_bRunning = false;
    bool m_bReceiving = false;
    uint32_t m_dwReceived = 0;  // bit n - 1: program n has arrived
    int m_nProgress = 0;
    int m_nFirstPosition = 0;
    int m_nPositions = 0;
    // The last frame queued: the transfer is over once no copy of it is
    // left in the queue.
    std::vector<uint8_t> m_abyLastFrame;
};
