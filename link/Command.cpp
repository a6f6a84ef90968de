#include "link/Command.h"

#include "model/Audio_Data.h"
#include "wire/Frame.h"
#include "link/LinkPort.h"
#include "link/SerialLinkPort.h"

#include <array>
#include <optional>

CCommand::CCommand(std::unique_ptr<CLinkPort> pPort, QObject* pParent)
    : QObject(pParent)
    , m_pPort(pPort ? std::move(pPort) : std::make_unique<CSerialLinkPort>())
{
    connect(m_pPort.get(), &CLinkPort::bytesArrived, this, &CCommand::ReadAndParse);
    connect(m_pPort.get(), &CLinkPort::lineFault, this, &CCommand::OnLineFault);
}

CCommand::~CCommand()
{
    Close();
}

// ---- the line ----------------------------------------------------------------

bool CCommand::Open(const QString& strPort)
{
    if (m_pPort->IsOpen())
        m_pPort->Close();
    ResetReceive();
    m_nFaultError = 0;
    m_nOpenError = m_pPort->Open(strPort);
    if (m_nOpenError != 0)
        return false;
    m_pPort->Purge();
    return true;
}

void CCommand::Close()
{
    if (m_pPort->IsOpen())
        m_pPort->Close();
    ResetReceive();
}

bool CCommand::IsOpen() const
{
    return m_pPort->IsOpen();
}

void CCommand::OnLineFault(int nError)
{
    ResetReceive();
    m_nFaultError = nError;
    emit lineFault(nError);
}

// ---- sending and pacing ------------------------------------------------------

void CCommand::SendHead()
{
    if (m_queue.IsEmpty())
        return;
    const std::vector<uint8_t> bytes = Frame::OnWire(m_queue.Head().GetFrame());
    m_pPort->Write(bytes.data(), static_cast<int>(bytes.size()), kWriteWaitMs);
}

bool CCommand::SendHeadOnce()
{
    if (m_queue.IsEmpty() || !m_queue.Head().m_bNotSent)
        return false;
    SendHead();
    m_queue.Head().m_bNotSent = false;
    ++m_nFramesSent;
    return true;
}

int CCommand::WaitHead()
{
    if (m_queue.IsEmpty())
        return 0;
    return ++m_queue.Head().m_nWaitTicks;
}

void CCommand::ResetLine()
{
    m_pPort->Purge();
    ResetReceive();
}

void CCommand::PumpTick(CAudio_Data& record)
{
    // A level request waits only for an empty queue: queued behind the one
    // in flight it would hold an edit back by a whole further round trip,
    // while the meters gain nothing from it (the next request goes out on
    // the tick after the answer either way).
    if (m_queue.Count() < kPumpLowWater)
    {
        if (std::optional<CSendData> change = record.BuildNextChangeFrame())
            m_queue.Enqueue(std::move(*change));
        else if (m_queue.IsEmpty())
        {
            std::optional<CSendData> aside = m_asideSource ? m_asideSource() : std::nullopt;
            if (aside)
                aside->m_bAside = true;
            m_queue.Enqueue(aside ? std::move(*aside) : record.BuildPollFrame());
        }
    }
    ServiceHead();
}

void CCommand::ServiceHead()
{
    if (m_queue.IsEmpty())
        return;

    if (SendHeadOnce())
    {
        const CSendData& head = m_queue.Head();
        const bool bProgress = head.m_bProgress;
        const int nPosition = head.m_nProgressPos;
        const bool bLast = head.m_bLastOfTransfer;
        if (bLast)
            m_bTransferInProgress = false;
        if (bProgress)
            emit progressAdvanced(nPosition);
        if (bLast)
            emit transferEnded();
        return;
    }

    if (AsideInFlight())
    {
        if (WaitHead() < kAsideGiveUpTicks)
            return;
        // A late answer must not be taken for the next frame's.
        ResetLine();
        const std::vector<uint8_t> request = m_queue.Head().GetFrame();
        m_queue.RemoveHead();
        emit asideGivenUp(request);
        return;
    }

    // The wait keeps counting across repeats: the give-up comes about 4 s
    // after the first send, not after the last repeat.
    const int nWaited = WaitHead();
    if (nWaited == kFirstRepeatTicks || nWaited == kSecondRepeatTicks)
    {
        ResetLine();
        SendHead();
    }
    else if (nWaited == kGiveUpTicks)
    {
        emit disconnectRequested();
    }
}

// ---- receiving ---------------------------------------------------------------

void CCommand::ReadAndParse()
{
    std::array<uint8_t, kReadBytes> abyRead;
    for (;;)
    {
        const int nRead = m_pPort->Read(abyRead.data(), kReadBytes);
        if (nRead <= 0)
            return;
        const auto outcome = m_assembler.Feed(std::span(abyRead).first(static_cast<size_t>(nRead)));
        // Whatever follows a finished or rejected frame in the same read is
        // dropped with it: one frame is in flight, so nothing else is due.
        if (outcome.eResult == CFrameAssembler::EResult::kFrame)
        {
            HandleFrame(m_assembler.GetFrame());
            return;
        }
        if (outcome.eResult == CFrameAssembler::EResult::kDropped)
            return;
        // A full read may have left bytes behind, and no further
        // notification comes for them until more arrive.
        if (nRead < kReadBytes)
            return;
    }
}

bool CCommand::AsideInFlight() const
{
    return !m_queue.IsEmpty() && m_queue.Head().m_bAside && !m_queue.Head().m_bNotSent;
}

void CCommand::HandleAsideFrame(std::span<const uint8_t> frame)
{
    const CReceiver::Outcome out = m_asideReceiver.Handle(frame);
    ResetReceive();
    // A version the editor would refuse is still an answer here.
    if (!out.bAnswered && !(out.dwNotices & CReceiver::kVersionMismatch))
        return;
    const std::vector<uint8_t> request = m_queue.Head().GetFrame();
    m_queue.RemoveHead();
    emit asideAnswered(request, m_asideReceiver, out);
    emit requestAnswered();
}

void CCommand::HandleFrame(std::span<const uint8_t> frame)
{
    if (AsideInFlight())
    {
        HandleAsideFrame(frame);
        return;
    }
    const CReceiver::Outcome out = m_receiver.Handle(frame);
    ResetReceive();
    if (out.bAnswered)
        m_queue.RemoveHead();

    const unsigned dw = out.dwNotices;
    if (dw & CReceiver::kLockSetReceived)
        emit lockSetReceived(out.nProgram);
    if (dw & CReceiver::kProgramNameReceived)
        emit programNameReceived(out.nProgram, m_receiver.GetLastName());
    if (dw & CReceiver::kLiveProgramRead)
        emit liveProgramRead();
    if (dw & CReceiver::kProgramReceived)
        emit programReceived(out.nProgram);
    if (dw & CReceiver::kLevelsReceived)
        emit levelsReceived();
    if (dw & CReceiver::kDeviceTypeReceived)
        emit deviceTypeReceived(out.nDeviceType);
    if (dw & CReceiver::kVersionMismatch)
        emit versionMismatch(out.nMajorVersion);
    if (dw & CReceiver::kSystemInfoReceived)
        emit systemInfoReceived();
    if ((dw & CReceiver::kLastIdAnswered) && m_bSearching)
        emit searchComplete();
    if (out.bAnswered)
        emit requestAnswered();
}
