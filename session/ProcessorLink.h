#pragma once

#include "session/ABCompare.h"
#include "model/Audio_Data.h"
#include "model/ChannelAddress.h"
#include "link/Command.h"
#include "link/Connection.h"
#include "session/EditHistory.h"
#include "model/LockState.h"
#include "model/ParamCatalogue.h"
#include "programs/ProgramTransfer.h"
#include "session/RecordNotice.h"
#include "link/SessionState.h"

#include <QObject>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>

class CLinkPort;

// The processor as the program sees it, wired once: the program record, the
// lock state, the engine, the connection procedure, the program transfers,
// the record notice and the session state (program names, program number,
// port). The application object and the command-line program each own one;
// the main window and every panel are handed it by reference.
//
// Besides the pump, which sends what the editors mark changed, the few
// bursts the editors need sent at once live here: the lock set, the EQ
// resends and the whole block of a channel that joins a link group. Each
// sends only while connected; the record changes either way.
class CProcessorLink : public QObject
{
    Q_OBJECT

public:
    // Without a port the engine makes the serial one.
    explicit CProcessorLink(std::unique_ptr<CLinkPort> pPort = nullptr, QObject* pParent = nullptr);
    ~CProcessorLink() override;

    CAudio_Data& Record() { return m_record; }
    const CAudio_Data& Record() const { return m_record; }
    CLockState& Locks() { return m_locks; }
    const CLockState& Locks() const { return m_locks; }
    CCommand& Command() { return m_command; }
    const CCommand& Command() const { return m_command; }
    CConnection& Connection() { return *m_pConnection; }
    const CConnection& Connection() const { return *m_pConnection; }
    CProgramTransfer& Transfer() { return *m_pTransfer; }
    const CProgramTransfer& Transfer() const { return *m_pTransfer; }
    CRecordNotice& Notice() { return m_notice; }
    const CRecordNotice& Notice() const { return m_notice; }
    // The one copy of the program names, the program number and the port;
    // sessionChanged tells of every change.
    CSessionState& Session() { return m_session; }
    const CSessionState& Session() const { return m_session; }
    bool IsConnected() const { return m_pConnection->IsConnected(); }
    // Remembers the port and starts talking to nDeviceId there
    // (CConnection::Connect); false when the port cannot be opened.
    bool Connect(const QString& strPort, int nDeviceId);
    // ---- another processor on the same line ---------------------------------
    // What SwitchTo does with edits the current processor has not answered yet.
    enum class EUnsentEdits
    {
        kRefuse,     // SwitchTo answers false; the window asks the user first
        kSendFirst,  // the switch waits until the current processor has them
        kDiscard,    // dropped; frames already built still reach the current one
    };
    // Edits processor nId on the open port: the connect sequence for it (type
    // and version check, lock sets, names, settings, the live program) runs
    // without closing the port, and the undo steps and A/B sides start
    // afresh. Switching back reads that processor again. Ends with switched,
    // or with switchFailed when nId does not answer or is refused (the
    // connection then ends as a connect would). False, with nothing changed,
    // when not connected and idle, a transfer runs, nId is not a device ID,
    // or edits are unsent and eUnsent is kRefuse.
    bool SwitchTo(int nId, EUnsentEdits eUnsent = EUnsentEdits::kRefuse);
    // Edits marked in the record and not yet sent, or sent and not yet
    // answered. The undo history and A/B sides are not edits of the line.
    bool HasUnsentEdits() const;
    // From SwitchTo until switched or switchFailed.
    bool IsSwitching() const { return m_nSwitchId != 0 || m_nSwitchAfterEdits != 0; }

    // Undo and redo of the editor, and its A/B comparison. Both start afresh
    // with the program read at connecting and are cleared on disconnect.
    CEditHistory& History() { return m_history; }
    CABCompare& Compare() { return m_compare; }

    // The version text of the last processor refused for its version; the
    // disconnect that follows clears the engine's own copy.
    const std::string& RefusedVersionText() const { return m_strRefusedVersion; }

    // ---- the one edit path ------------------------------------------------
    // Writes `step` into (param, at) inside the record notice: the catalogue
    // checks, clamps and compares, the link rule gives the value to the rest
    // of the link group, and listeners hear of it once, only when the record
    // changed. Every control, the response graph, the generator and the
    // filter import edit through here. Three rows are the link's own
    // operations: a link group (SetLinkGroup), the output EQ mode
    // (SwitchOutputEqMode) and, in graphic-EQ mode, a band width, which is
    // the graphic Q of all fifteen bands (ApplyGraphicQ). False when the
    // record refused the value or held it already.
    bool Edit(EParam param, ParamAt at, int step);
    // A channel name, as ParamCatalogue::SetText takes it.
    bool EditText(EParam param, ParamAt at, const std::string& text);
    // As Edit, but the notice is left to the caller, who tells it once for a
    // run of edits (CRecordNotice::NotifyValueChanged): the response graph
    // writes a drag on every mouse move and tells it every 300 ms.
    bool EditQuietly(EParam param, ParamAt at, int step);

    // ---- locks -------------------------------------------------------------
    // Queues the live lock set (lock data, program 0, item 2). False, with
    // nothing queued, when not connected.
    bool SendLockSet();
    // After the lock flags changed: sends them when bSend is set, applies the
    // link locks to the record and tells every listener.
    void ApplyLocksEverywhere(bool bSend);

    // ---- transfers that replace the record ---------------------------------
    // CProgramTransfer::RecallProgramFromPC, then the notices of the new
    // locks and program. False, with nothing changed, for a damaged body.
    bool RecallProgramFromPC(std::span<const uint8_t> fileBody);

    // ---- EQ bursts (nothing is sent unless connected) ----------------------
    // The 15 band frames of output nOutput (0-based), in bulk form: every
    // frame carries the linked marker 0x10 in byte 4.
    bool SendOutputBands(int nOutput);
    // Mutes the channel, sends all its bands in bulk form and restores the
    // mute, so the processor takes the new EQ while the channel is silent.
    // The change flags involved are cleared: the pump sends nothing twice.
    bool ResendInputEqMuted(int nInput);
    bool ResendOutputEqMuted(int nOutput);
    // bMute: remembers the output's mute state and mutes it; otherwise puts
    // the remembered state back. Either way its parameter frame goes out.
    bool MuteOutputForUpdate(int nOutput, bool bMute);
    // The graphic-mode Q of output nOutput and of its link group: all 15
    // bands of each take bandwidth step nStep and are sent at once. False,
    // with nothing changed, when band 1 already has that step.
    bool ApplyGraphicQ(int nOutput, int nStep);
    // Switches output nOutput and its link group to graphic (nMode 1) or
    // parametric EQ, which flattens all their bands to the mode's defaults.
    // Connected, the group is muted, each output's bands go out at once in
    // bulk form and the mutes are put back (their parameter frames carry the
    // new mode), with every flag involved cleared so the pump sends nothing
    // twice; otherwise the outputs are marked changed for the pump. False,
    // with nothing changed, when the output is in that mode already.
    bool SwitchOutputEqMode(int nOutput, int nMode);

    // ---- linking -----------------------------------------------------------
    // Puts the channel into group nGroup of its side. A channel that joins
    // other members takes their settings (LinkRule::Join) and, while
    // connected, is sent whole into the live program. False, with nothing
    // changed, when the group is the same or the side's link lock is set.
    bool SetLinkGroup(ChannelAddress channel, int nGroup);

    static constexpr int kOutputs = CAudio_OutRoute::kCount;
    using SavedMutes = std::array<uint8_t, kOutputs>;

signals:
    // A program name, the program number or the port changed.
    void sessionChanged();
    // The record holds processor nId's live program, read after SwitchTo.
    void switched(int nId);
    // Processor nId did not answer or was refused; the connection has ended.
    void switchFailed(int nId, CConnection::EReason eReason);

private:
    // Edit without the notice.
    bool Write(EParam param, ParamAt at, int step);
    void OnLiveProgramLoaded();
    void OnDisconnected(CConnection::EReason eReason);
    void StartSwitch(int nId);
    void OnRequestAnswered();
    // Clears the undo steps and the A/B sides: the record holds a program
    // of the processor's, or the factory program.
    void ForgetEditing();
    void OnLockSetReceived();
    void ApplyLinkLocks();
    // Runs fnQueue with the channel's linked flag forced to 1, so every frame
    // it builds carries the linked marker.
    void InBulkForm(CAudio_Channel& channel, const std::function<void()>& fnQueue);
    // Muted parameter frame, every band in bulk form, parameter frame with
    // the mute state put back.
    void ResendEqMuted(CAudio_Channel& channel, const std::function<CSendData()>& fnParam,
                       const std::function<CSendData(int)>& fnBand);

    CAudio_Data m_record;
    CLockState m_locks;
    CCommand m_command;
    CRecordNotice m_notice;
    CSessionState m_session{m_command};
    CEditHistory m_history{m_record, m_locks, m_notice};
    CABCompare m_compare{m_record, m_history};
    // Set while the state read after connecting runs: the program it ends
    // with is the start of the editing, not a step.
    bool m_bStateRead = false;
    std::string m_strRefusedVersion;
    // The processor a switch is reading, and one waiting for unsent edits.
    int m_nSwitchId = 0;
    int m_nSwitchAfterEdits = 0;
    // Made after the link hears the engine, so its handlers run first.
    std::unique_ptr<CConnection> m_pConnection;
    std::unique_ptr<CProgramTransfer> m_pTransfer;
    SavedMutes m_abySavedMutes{};
};
