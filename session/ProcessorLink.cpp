#include "session/ProcessorLink.h"

#include "link/LinkPort.h"
#include "model/LinkRule.h"
#include "wire/WireNumbers.h"

#include <algorithm>
#include <utility>

CProcessorLink::CProcessorLink(std::unique_ptr<CLinkPort> pPort, QObject* pParent)
    : QObject(pParent)
    , m_command(std::move(pPort))
{
    // Lock sets the processor sends are unpacked into the program's state.
    m_command.AttachLockState(&m_locks);
    // Heard before the connection procedure refuses the processor, which
    // empties the engine's version text.
    connect(&m_command, &CCommand::versionMismatch, this,
            [this] { m_strRefusedVersion = m_command.GetVersionText(); });

    m_pConnection = std::make_unique<CConnection>(m_command, m_record, m_locks);
    m_pTransfer = std::make_unique<CProgramTransfer>(m_command, m_record, m_locks, m_session);
    connect(&m_session, &CSessionState::changed, this, &CProcessorLink::sessionChanged);

    connect(m_pConnection.get(), &CConnection::stateReadStarted, this, [this] { m_bStateRead = true; });
    connect(m_pConnection.get(), &CConnection::liveProgramLoaded, this, &CProcessorLink::OnLiveProgramLoaded);
    connect(m_pConnection.get(), &CConnection::disconnected, this, &CProcessorLink::OnDisconnected);
    connect(&m_command, &CCommand::lockSetReceived, this, &CProcessorLink::OnLockSetReceived);
    connect(&m_command, &CCommand::requestAnswered, this, &CProcessorLink::OnRequestAnswered);
}

CProcessorLink::~CProcessorLink()
{
    m_pTransfer->Abort();
    // Quietly: nobody is left to hear of the factory program.
    m_pConnection->blockSignals(true);
    m_pConnection->Disconnect();
}

bool CProcessorLink::Connect(const QString& strPort, int nDeviceId)
{
    m_session.SetPortName(strPort);
    return m_pConnection->Connect(strPort, nDeviceId);
}

// ---- what the connection reports ---------------------------------------------

void CProcessorLink::OnLiveProgramLoaded()
{
    // The lock sets of the state read arrived before the program; the panels
    // apply them together with it.
    ApplyLocksEverywhere(false);
    m_notice.NotifyProgramLoaded();
    if (m_bStateRead)
    {
        m_bStateRead = false;
        ForgetEditing();
    }
    if (m_nSwitchId != 0 && m_pConnection->GetState() == CConnection::EState::Idle)
    {
        const int nId = std::exchange(m_nSwitchId, 0);
        emit switched(nId);
    }
}

void CProcessorLink::OnDisconnected(CConnection::EReason eReason)
{
    m_pTransfer->Abort();
    m_bStateRead = false;
    const int nSwitchId = std::exchange(m_nSwitchId, 0) + std::exchange(m_nSwitchAfterEdits, 0);
    m_session.SetProgramNumber(0);
    // The locks are released and the record holds the factory program.
    ApplyLocksEverywhere(false);
    m_notice.NotifyProgramLoaded();
    ForgetEditing();
    if (nSwitchId != 0)
        emit switchFailed(nSwitchId, eReason);
}

// ---- another processor on the same line -------------------------------------

namespace
{
bool RecordHasMarks(const CAudio_Data& record)
{
    if (record.IsGenChanged())
        return true;
    for (int n = 0; n < Frame::kChannelCount; ++n)
    {
        const CAudio_Channel& channel = record.Channel(n);
        if (channel.IsNameChanged() || channel.IsParamChanged())
            return true;
        for (int k = 0; k < channel.GetBandCount(); ++k)
            if (channel.GetBand(k).IsChanged())
                return true;
    }
    for (int i = 0; i < CAudio_OutRoute::kCount; ++i)
    {
        const CAudio_OutData& output = record.Output(i);
        if (output.IsLimitChanged() || output.GetHighPass().IsChanged() || output.GetLowPass().IsChanged())
            return true;
    }
    return false;
}
}

bool CProcessorLink::HasUnsentEdits() const
{
    if (RecordHasMarks(m_record))
        return true;
    // Level requests are the pump's own; anything else queued is the
    // editor's, a transfer's or the connection's and has not been answered.
    const CSendDataQueue& queue = m_command.Queue();
    for (int i = 0; i < queue.Count(); ++i)
        if (queue.At(i).GetFrame()[Frame::kOffType] != Frame::kLevels)
            return true;
    return false;
}

bool CProcessorLink::SwitchTo(int nId, EUnsentEdits eUnsent)
{
    if (!IsConnected() || m_pConnection->GetState() != CConnection::EState::Idle || m_pTransfer->IsRunning()
        || IsSwitching() || nId < Frame::kFirstDeviceId || nId > Frame::kLastDeviceId)
        return false;
    if (HasUnsentEdits())
    {
        switch (eUnsent)
        {
        case EUnsentEdits::kRefuse:
            return false;
        case EUnsentEdits::kSendFirst:
            m_nSwitchAfterEdits = nId;
            return true;
        case EUnsentEdits::kDiscard:
            break;
        }
    }
    StartSwitch(nId);
    return true;
}

void CProcessorLink::StartSwitch(int nId)
{
    m_nSwitchId = nId;
    m_session.SetProgramNumber(0);
    m_pConnection->ReconnectTo(nId);
}

void CProcessorLink::OnRequestAnswered()
{
    if (m_nSwitchAfterEdits == 0 || HasUnsentEdits())
        return;
    StartSwitch(std::exchange(m_nSwitchAfterEdits, 0));
}

void CProcessorLink::ForgetEditing()
{
    m_compare.Clear();
    m_history.Clear();
}

void CProcessorLink::OnLockSetReceived()
{
    // Those of the state read are heard with the live program.
    if (m_pConnection->GetState() == CConnection::EState::Idle)
        ApplyLocksEverywhere(false);
}

// ---- the one edit path -------------------------------------------------------

bool CProcessorLink::Edit(EParam param, ParamAt at, int step)
{
    return m_notice.Apply(ParamCatalogue::ChannelCode(param, at), param, [&] { return Write(param, at, step); });
}

bool CProcessorLink::EditText(EParam param, ParamAt at, const std::string& text)
{
    return m_notice.Apply(ParamCatalogue::ChannelCode(param, at), param,
                          [&] { return ParamCatalogue::SetText(param, m_record, at, text); });
}

bool CProcessorLink::EditQuietly(EParam param, ParamAt at, int step)
{
    return Write(param, at, step);
}

bool CProcessorLink::Write(EParam param, ParamAt at, int step)
{
    const ParamRow& row = ParamCatalogue::Param(param);
    const bool bAddressed = at.nChannel >= 0 && at.nChannel < ParamCatalogue::ChannelCount(param);
    const int nStep = std::clamp(step, row.nMin, row.nMax);
    if (bAddressed && (param == EParam::kInLink || param == EParam::kOutLink))
        return SetLinkGroup({param == EParam::kInLink, at.nChannel}, nStep);
    if (bAddressed && param == EParam::kOutEqMode)
        return SwitchOutputEqMode(at.nChannel, nStep);
    if (bAddressed && param == EParam::kOutBandWidth && m_record.Output(at.nChannel).GetGeqMode())
        return ApplyGraphicQ(at.nChannel, nStep);
    return ParamCatalogue::Set(param, m_record, at, step);
}

// ---- locks -----------------------------------------------------------------

bool CProcessorLink::SendLockSet()
{
    if (!IsConnected())
        return false;
    m_command.Enqueue(m_record.BuildLockDataFrame(Frame::kLiveProgram, Frame::kLockSetWrite, m_locks.EncodeLockSet()));
    return true;
}

void CProcessorLink::ApplyLocksEverywhere(bool bSend)
{
    if (bSend)
        SendLockSet();
    ApplyLinkLocks();
    m_notice.NotifyLocksChanged();
}

void CProcessorLink::ApplyLinkLocks()
{
    // A locked link puts every channel of its side in a group of its own.
    if (m_locks.IsLocked(CLockState::kInLink))
        m_record.Inputs().ResetLinkGroups();
    if (m_locks.IsLocked(CLockState::kOutLink))
        m_record.Outputs().ResetLinkGroups();
}

// ---- transfers ---------------------------------------------------------------

bool CProcessorLink::RecallProgramFromPC(std::span<const uint8_t> fileBody)
{
    if (!m_pTransfer->RecallProgramFromPC(fileBody))
        return false;
    // The transfer has sent the file's lock set already.
    ApplyLocksEverywhere(false);
    m_notice.NotifyProgramLoaded();
    return true;
}

// ---- EQ bursts -------------------------------------------------------------

void CProcessorLink::InBulkForm(CAudio_Channel& channel, const std::function<void()>& fnQueue)
{
    const bool bLinked = channel.IsLinked();
    channel.SetLinked(true);
    fnQueue();
    channel.SetLinked(bLinked);
}

bool CProcessorLink::SendOutputBands(int nOutput)
{
    if (!IsConnected())
        return false;
    CAudio_OutData& output = m_record.Output(nOutput);
    InBulkForm(output, [&] {
        for (int k = 0; k < output.GetBandCount(); ++k)
            m_command.Enqueue(m_record.BuildOutputBandFrame(nOutput, k));
    });
    return true;
}

void CProcessorLink::ResendEqMuted(CAudio_Channel& channel, const std::function<CSendData()>& fnParam,
                                   const std::function<CSendData(int)>& fnBand)
{
    const bool bOn = channel.IsOn();
    channel.SetOn(false);
    channel.SetParamChanged(false);
    m_command.Enqueue(fnParam());
    InBulkForm(channel, [&] {
        for (int k = 0; k < channel.GetBandCount(); ++k)
        {
            channel.GetBand(k).StepTowardTarget(false);
            m_command.Enqueue(fnBand(k));
        }
    });
    channel.SetOn(bOn);
    channel.SetParamChanged(false);
    m_command.Enqueue(fnParam());
}

bool CProcessorLink::ResendInputEqMuted(int nInput)
{
    if (!IsConnected())
        return false;
    ResendEqMuted(m_record.Input(nInput), [&] { return m_record.BuildInputParamFrame(nInput); },
                  [&](int k) { return m_record.BuildInputBandFrame(nInput, k); });
    return true;
}

bool CProcessorLink::ResendOutputEqMuted(int nOutput)
{
    if (!IsConnected())
        return false;
    ResendEqMuted(m_record.Output(nOutput), [&] { return m_record.BuildOutputParamFrame(nOutput); },
                  [&](int k) { return m_record.BuildOutputBandFrame(nOutput, k); });
    return true;
}

bool CProcessorLink::MuteOutputForUpdate(int nOutput, bool bMute)
{
    if (!IsConnected())
        return false;
    CAudio_OutData& output = m_record.Output(nOutput);
    uint8_t& bySaved = m_abySavedMutes.at(static_cast<size_t>(nOutput));
    if (bMute)
    {
        bySaved = static_cast<uint8_t>(output.IsOn());
        output.SetOn(false);
    }
    else
    {
        output.SetOn(bySaved);
    }
    output.SetParamChanged(false);
    m_command.Enqueue(m_record.BuildOutputParamFrame(nOutput));
    return true;
}

bool CProcessorLink::ApplyGraphicQ(int nOutput, int nStep)
{
    if (m_record.Output(nOutput).GetBand(0).GetBandwidthStep() == nStep)
        return false;
    // This output first, then the others of its group in channel order.
    const auto setAndSend = [&](int i) {
        CAudio_OutData& output = m_record.Output(i);
        for (int k = 0; k < output.GetBandCount(); ++k)
        {
            output.GetBand(k).SetBandwidthStep(nStep);
            output.GetBand(k).SetChanged(false);
        }
        SendOutputBands(i);
    };
    setAndSend(nOutput);
    for (const int i : LinkRule::Peers(m_record, EParamSide::kOutput, nOutput))
        setAndSend(i);
    return true;
}

bool CProcessorLink::SwitchOutputEqMode(int nOutput, int nMode)
{
    if (!IsConnected())
        return ParamCatalogue::Set(EParam::kOutEqMode, m_record, {nOutput, 0}, nMode);
    if (m_record.Output(nOutput).GetGeqMode() == nMode)
        return false;
    // Both in channel order.
    const std::vector<int> peers = LinkRule::Peers(m_record, EParamSide::kOutput, nOutput);
    std::vector<int> group = peers;
    group.insert(std::upper_bound(group.begin(), group.end(), nOutput), nOutput);
    const auto forGroup = [&](bool bIncludeSelf, const std::function<void(int)>& fn) {
        for (const int i : bIncludeSelf ? group : peers)
            fn(i);
    };
    // This output takes the new mode first, so the muting frames of the
    // others still carry their old one until their own bands follow.
    m_record.Output(nOutput).SetGeqMode(nMode, 0);
    forGroup(true, [&](int i) { MuteOutputForUpdate(i, true); });
    SendOutputBands(nOutput);
    forGroup(false, [&](int i) {
        m_record.Output(i).SetGeqMode(nMode, 0);
        SendOutputBands(i);
    });
    forGroup(true, [&](int i) { MuteOutputForUpdate(i, false); });
    return true;
}

// ---- linking -----------------------------------------------------------------

bool CProcessorLink::SetLinkGroup(ChannelAddress channel, int nGroup)
{
    const int nIndex = channel.nIndex;
    const auto join = [&](auto& route, int nLockFlag, auto buildBlock) {
        if (m_locks.IsLocked(nLockFlag) || route.GetLinkGroup(nIndex) == nGroup)
            return false;
        // Block frames carry no linked marker: the block is the same before
        // and after the linked flags are recomputed.
        if (LinkRule::Join(route, nIndex, nGroup) >= 0 && IsConnected())
            m_command.Enqueue((m_record.*buildBlock)(Frame::kLiveProgram, nIndex));
        return true;
    };
    if (channel.bInput)
        return join(m_record.Inputs(), CLockState::kInLink, &CAudio_Data::BuildInputBlockFrame);
    return join(m_record.Outputs(), CLockState::kOutLink, &CAudio_Data::BuildOutputBlockFrame);
}
