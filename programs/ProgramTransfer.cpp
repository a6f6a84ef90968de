#include "programs/ProgramTransfer.h"

#include "model/Audio_Data.h"
#include "link/Command.h"
#include "model/LockState.h"
#include "programs/ProgramCodec.h"
#include "link/SessionState.h"

#include <algorithm>
#include <memory>

namespace
{
constexpr uint32_t kAllPrograms = (1u << CProgramBank::kSlots) - 1;
// Progress positions, as the program window's bar counts them.
constexpr int kStoreFirstPosition = 1;
constexpr int kStorePositions = Frame::kChannelCount;
constexpr int kStoreAllPositions = 2 * CProgramBank::kSlots;
constexpr int kRecallAllPositions = 3 * CProgramBank::kSlots;
// Name, lock set and image.
constexpr int kDeletePositions = 3;

bool IsStoredProgram(int nSlot)
{
    return nSlot >= 1 && nSlot <= CProgramBank::kSlots;
}
}

CProgramTransfer::CProgramTransfer(CCommand& command, CAudio_Data& record, CLockState& locks, CSessionState& session,
                                   QObject* pParent)
    : QObject(pParent)
    , m_command(command)
    , m_record(record)
    , m_locks(locks)
    , m_session(session)
{
    connect(&m_command, &CCommand::programReceived, this, &CProgramTransfer::OnProgramReceived);
    connect(&m_command, &CCommand::requestAnswered, this, &CProgramTransfer::OnRequestAnswered);
    connect(&m_command, &CCommand::progressAdvanced, this, &CProgramTransfer::OnProgressAdvanced);
}

// ---- into the live program -----------------------------------------------------

bool CProgramTransfer::RecallProgramFromPC(std::span<const uint8_t> fileBody)
{
    const MuteTable abyLiveMutes = Mutes();

    if (ProgramCodec::DecodeProgram(fileBody, m_record, m_locks) != ProgramFileError::kNone)
        return false;
    m_record.Inputs().ResetLinkGroups();
    m_record.Outputs().ResetLinkGroups();

    Start(kStoreFirstPosition, kStorePositions);
    StopGenerator();
    Queue(m_record.BuildLockDataFrame(Frame::kLiveProgram, Frame::kLockSetWrite, m_locks.EncodeLockSet()));

    m_abySavedMutes = m_locks.IsLocked(CLockState::kOutMute) ? abyLiveMutes : Mutes();
    QueueStore(Frame::kLiveProgram);
    return true;
}

bool CProgramTransfer::LoadProgram(std::span<const uint8_t> fileBody)
{
    if (ProgramCodec::DecodeProgram(fileBody, m_record, m_locks) != ProgramFileError::kNone)
        return false;
    m_record.Inputs().ResetLinkGroups();
    m_record.Outputs().ResetLinkGroups();
    if (m_record.GetGenType() != 0)
        m_record.SetGenType(0);
    return true;
}

// ---- stored programs -------------------------------------------------------------

bool CProgramTransfer::RecallFromDevice(int nSlot)
{
    if (!IsStoredProgram(nSlot))
        return false;
    Start(kStoreFirstPosition, kStorePositions);
    StopGenerator();
    Queue(m_record.BuildLockDataFrame(nSlot, Frame::kLockSetRead));
    for (int block = 1; block <= CImageSlot::kBlockCount; ++block)
        QueueWithProgress(m_record.BuildBlockReadFrame(nSlot, block), block == CImageSlot::kBlockCount);
    m_command.SetTransferInProgress(true);
    return true;
}

bool CProgramTransfer::StoreToDevice(int nSlot)
{
    if (!IsStoredProgram(nSlot))
        return false;
    Start(kStoreFirstPosition, kStorePositions);
    QueueStore(nSlot);
    return true;
}

bool CProgramTransfer::DeleteOnDevice(int nSlot)
{
    if (!IsStoredProgram(nSlot))
        return false;
    Start(kStoreFirstPosition, kDeletePositions);
    QueueWithProgress(NameWrite(m_record, nSlot, {}));
    QueueWithProgress(m_record.BuildLockDataFrame(nSlot, Frame::kLockSetWrite, CLockState::LockSet{}));
    QueueWithProgress(m_record.BuildDefaultProgramStoreFrame(nSlot), true);
    m_command.SetTransferInProgress(true);
    return true;
}

void CProgramTransfer::StopGenerator()
{
    if (m_record.GetGenType() == 0)
        return;
    m_record.SetGenType(0);
    Queue(m_record.BuildGeneratorFrame(false));
}

CSendData CProgramTransfer::NameWrite(const CAudio_Data& builder, int nProgram, const std::string& strName)
{
    CSendData entry = builder.BuildProgramNameFrame(nProgram, Frame::kWrite, strName);
    m_session.SetProgramName(nProgram, strName.substr(0, Frame::kProgramNameBytes));
    return entry;
}

void CProgramTransfer::QueueStore(int nSlot)
{
    Queue(NameWrite(m_record, nSlot, m_record.GetName()));
    const CLockState::LockSet lockSet = m_locks.EncodeLockSet();
    Queue(m_record.BuildLockDataFrame(nSlot, Frame::kLockSetWrite, lockSet));
    if (nSlot == Frame::kLiveProgram)
    {
        Queue(m_record.BuildLockDataFrame(Frame::kSystemProgram, Frame::kLockSetWrite, lockSet));
        // The processor plays the program while its blocks arrive one by
        // one: everything stays muted until the last block is in.
        for (int n = 0; n < Frame::kChannelCount; ++n)
            m_record.Channel(n).SetOn(false);
        QueueChannelParams();
    }

    for (int i = 0; i < CAudio_InRoute::kCount; ++i)
        QueueWithProgress(m_record.BuildInputBlockFrame(nSlot, i));
    for (int i = 0; i < CAudio_OutRoute::kCount; ++i)
        QueueWithProgress(m_record.BuildOutputBlockFrame(nSlot, i), i == CAudio_OutRoute::kCount - 1);

    if (nSlot == Frame::kLiveProgram && m_record.GetGenType() == 0)
    {
        for (int n = 0; n < Frame::kChannelCount; ++n)
            m_record.Channel(n).SetOn(m_abySavedMutes[static_cast<size_t>(n)]);
        QueueChannelParams();
    }
    // Everything the record holds has gone out whole; the pump must not send
    // the mute changes a second time. A stored program is another matter:
    // edits still pending belong to the live program.
    if (nSlot == Frame::kLiveProgram)
        m_record.ClearAllChanged(false);
    m_command.SetTransferInProgress(true);
}

CProgramTransfer::MuteTable CProgramTransfer::Mutes() const
{
    MuteTable abyMutes{};
    for (int n = 0; n < Frame::kChannelCount; ++n)
        abyMutes[static_cast<size_t>(n)] = m_record.Channel(n).m_bOn;
    return abyMutes;
}

void CProgramTransfer::QueueChannelParams()
{
    for (int i = 0; i < CAudio_InRoute::kCount; ++i)
        Queue(m_record.BuildInputParamFrame(i));
    for (int i = 0; i < CAudio_OutRoute::kCount; ++i)
        Queue(m_record.BuildOutputParamFrame(i));
}

// ---- all programs ----------------------------------------------------------------

void CProgramTransfer::StoreAllToPC()
{
    Start(0, kStoreAllPositions);
    m_bReceiving = true;
    m_dwReceived = 0;
    for (int n = Frame::kFirstStoredProgram; n <= Frame::kLastStoredProgram; ++n)
    {
        QueueWithProgress(m_record.BuildLockDataFrame(n, Frame::kProgramLockRead));
        QueueWithProgress(m_record.BuildProgramRequestFrame(n), n == Frame::kLastStoredProgram);
    }
    m_command.SetTransferInProgress(true);
}

void CProgramTransfer::OnProgramReceived(int nProgram)
{
    if (!m_bRunning || !m_bReceiving || nProgram < Frame::kFirstStoredProgram || nProgram > Frame::kLastStoredProgram)
        return;
    const CImageSlot& received = m_command.GetReceiveSlot();
    CImageSlot& slot = m_bank.GetAt(nProgram - Frame::kFirstStoredProgram);
    slot.abyImage = received.abyImage;
    slot.strName = m_session.ProgramName(nProgram);
    // The latest lock-bytes answer, which asked for this program.
    slot.abyInfo = received.abyInfo;
    m_dwReceived |= 1u << (nProgram - Frame::kFirstStoredProgram);
    if (m_dwReceived == kAllPrograms)
        Finish();
}

void CProgramTransfer::RecallAllFromPC(const CProgramBank& bank)
{
    Start(0, kRecallAllPositions);
    // The images go out through a record of their own, addressed like the
    // live one; the live record itself does not change.
    auto pScratch = std::make_unique<CAudio_Data>();
    pScratch->SetDeviceId(m_record.GetDeviceId());
    for (int n = Frame::kFirstStoredProgram; n <= Frame::kLastStoredProgram; ++n)
    {
        const CImageSlot& slot = bank.GetAt(n - Frame::kFirstStoredProgram);
        pScratch->GetImage().abyImage = slot.abyImage;
        QueueWithProgress(NameWrite(*pScratch, n, slot.strName));
        QueueWithProgress(pScratch->BuildLockDataFrame(n, Frame::kProgramLockWrite, slot.abyInfo));
        QueueWithProgress(pScratch->BuildProgramStoreFrame(n), n == Frame::kLastStoredProgram);
    }
    m_command.SetTransferInProgress(true);
}

// ---- bookkeeping -----------------------------------------------------------------

void CProgramTransfer::Start(int nFirstPosition, int nPositions)
{
    m_bRunning = true;
    m_bReceiving = false;
    m_nFirstPosition = nFirstPosition;
    m_nProgress = nFirstPosition;
    m_nPositions = nPositions;
    m_abyLastFrame.clear();
}

void CProgramTransfer::Queue(CSendData entry)
{
    m_abyLastFrame = entry.GetFrame();
    m_command.Enqueue(std::move(entry));
}

void CProgramTransfer::QueueWithProgress(CSendData entry, bool bLast)
{
    entry.m_bProgress = true;
    entry.m_nProgressPos = m_nProgress++;
    entry.m_bLastOfTransfer = bLast ? 1 : 0;
    Queue(std::move(entry));
}

void CProgramTransfer::OnProgressAdvanced(int nPosition)
{
    if (m_bRunning)
        emit progressAdvanced(nPosition - m_nFirstPosition + 1, m_nPositions);
}

void CProgramTransfer::OnRequestAnswered()
{
    if (!m_bRunning || m_bReceiving)
        return;
    const CSendDataQueue& queue = m_command.Queue();
    for (int i = 0; i < queue.Count(); ++i)
        if (queue.At(i).GetFrame() == m_abyLastFrame)
            return;
    Finish();
}

void CProgramTransfer::Finish()
{
    m_bRunning = false;
    m_bReceiving = false;
    emit finished();
}

void CProgramTransfer::Abort()
{
    m_bRunning = false;
    m_bReceiving = false;
}
