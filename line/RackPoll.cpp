#include "line/RackPoll.h"

#include "session/ProcessorLink.h"

#include <algorithm>

namespace
{
bool IsMuted(const CAudio_OutData& output)
{
    return !output.IsOn();
}
}

CRackPoll::CRackPoll(CProcessorLink& link, CRackModel& model, QObject* pParent)
    : QObject(pParent)
    , m_link(link)
    , m_model(model)
{
    CCommand& command = m_link.Command();
    connect(&command, &CCommand::asideAnswered, this, &CRackPoll::OnAnswered);
    connect(&command, &CCommand::asideGivenUp, this, &CRackPoll::OnGivenUp);
    CRecordNotice& notice = m_link.Notice();
    const auto edited = [this] { m_sinceEdit.start(); ShowEdited(); };
    connect(&notice, &CRecordNotice::valueChanged, this, edited);
    connect(&notice, &CRecordNotice::valueMoving, this, [this] { m_sinceEdit.start(); });
    connect(&notice, &CRecordNotice::programLoaded, this, &CRackPoll::ShowEdited);
    connect(&m_link, &CProcessorLink::sessionChanged, this, &CRackPoll::ShowEdited);
    connect(&m_link, &CProcessorLink::switched, this, &CRackPoll::ShowEdited);
    connect(&m_model, &QAbstractItemModel::modelReset, this, &CRackPoll::ShowEdited);
}

CRackPoll::~CRackPoll()
{
    Stop();
}

void CRackPoll::Start()
{
    if (m_bRunning)
        return;
    m_bRunning = true;
    m_link.Command().SetAsideSource([this] { return NextFrame(); });
    ShowEdited();
}

void CRackPoll::Stop()
{
    if (!m_bRunning)
        return;
    m_bRunning = false;
    m_link.Command().SetAsideSource({});
}

bool CRackPoll::UserEdits() const
{
    return m_sinceEdit.isValid() && m_sinceEdit.elapsed() < kEditingMs;
}

const CRackModel::Row* CRackPoll::Current()
{
    const int nEdited = m_link.IsConnected() ? m_link.Record().GetDeviceId() : 0;
    const qsizetype nRows = m_model.Ids().size();
    for (qsizetype n = 0; n <= nRows; ++n)
    {
        const CRackModel::Row* pRow = m_model.Find(m_nCursorId);
        if (pRow && pRow->nId != nEdited)
            return pRow;
        NextProcessor();
    }
    return nullptr;
}

void CRackPoll::NextProcessor()
{
    const QList<int> ids = m_model.Ids();
    m_eStep = EStep::kType;
    m_nOutput = 0;
    if (ids.isEmpty())
    {
        m_nCursorId = 0;
        return;
    }
    const auto it = std::upper_bound(ids.begin(), ids.end(), m_nCursorId);
    m_nCursorId = it == ids.end() ? ids.front() : *it;
}

std::optional<CSendData> CRackPoll::NextFrame()
{
    // Only what the editor has finished reading is polled around.
    if (!m_bRunning || m_link.Connection().GetState() != CConnection::EState::Idle || m_link.Transfer().IsRunning())
        return std::nullopt;
    const qint64 nShare = UserEdits() ? kShareWhileEditing : kShareIdle;
    if (m_link.Command().FramesSent() - m_nLastSent < nShare)
        return std::nullopt;
    const CRackModel::Row* pRow = Current();
    if (!pRow)
        return std::nullopt;
    // Mutes wait while the user edits; the processor's turn ends there.
    if (m_eStep == EStep::kMute && UserEdits())
    {
        NextProcessor();
        pRow = Current();
        if (!pRow)
            return std::nullopt;
    }

    m_builder.SetDeviceId(pRow->nId);
    std::optional<CSendData> frame;
    switch (m_eStep)
    {
    case EStep::kType:
        frame = m_builder.BuildDeviceTypeFrame();
        break;
    case EStep::kVersion:
        frame = m_builder.BuildVersionFrame();
        break;
    case EStep::kName:
        frame = m_builder.BuildProgramNameFrame(Frame::kLiveProgram, Frame::kRead);
        break;
    case EStep::kMute:
        frame = m_builder.BuildBlockReadFrame(Frame::kLiveProgram, Frame::kFirstOutputCode + m_nOutput);
        break;
    }
    // It leaves on this tick: the share counts from it.
    m_nLastSent = m_link.Command().FramesSent();
    ++m_nOffered;
    return frame;
}

void CRackPoll::Advance(const CRackModel::Row& row)
{
    switch (m_eStep)
    {
    case EStep::kType:
        m_eStep = row.strFirmware.isEmpty() ? EStep::kVersion : EStep::kName;
        return;
    case EStep::kVersion:
        m_eStep = EStep::kName;
        return;
    case EStep::kName:
        if (row.nOutputs == 0 || UserEdits())
            NextProcessor();
        else
            m_eStep = EStep::kMute;
        return;
    case EStep::kMute:
        if (++m_nOutput >= row.nOutputs)
            NextProcessor();
        return;
    }
}

void CRackPoll::OnAnswered(const std::vector<uint8_t>& request, const CReceiver& answer,
                           const CReceiver::Outcome& outcome)
{
    const int nId = request.at(Frame::kOffDeviceId);
    const int nType = request.at(Frame::kOffType);
    const int nItem = request.at(Frame::kOffItem);
    m_model.Update(nId, [&](CRackModel::Row& row) {
        row.bOnline = true;
        if (nType == Frame::kDeviceItem && nItem == Frame::kItemDeviceType)
        {
            const auto counts = CConnection::CountsOfType(outcome.nDeviceType);
            row.nInputs = counts ? counts->nInputs : 0;
            row.nOutputs = counts ? counts->nOutputs : 0;
        }
        else if (nType == Frame::kDeviceItem && nItem == Frame::kItemVersion)
        {
            row.strFirmware = QString::fromLatin1(answer.GetVersionText());
        }
        else if (nType == Frame::kProgramName)
        {
            row.strProgramName = QString::fromLatin1(answer.GetLastName());
        }
        else if (nType == Frame::kBlockRead)
        {
            const int nOutput = request.at(Frame::kOffBlock) - Frame::kFirstOutputCode;
            if (nOutput < 0 || nOutput >= CRackModel::kOutputs)
                return;
            m_reader.LoadFromImage(answer.GetReceiveSlot());
            row.abMuted.at(static_cast<size_t>(nOutput)) = IsMuted(m_reader.Output(nOutput));
            row.bMutesKnown = true;
        }
    });
    if (const CRackModel::Row* pRow = m_model.Find(nId); pRow && nId == m_nCursorId)
        Advance(*pRow);
}

void CRackPoll::OnGivenUp(const std::vector<uint8_t>& request)
{
    const int nId = request.at(Frame::kOffDeviceId);
    m_model.Update(nId, [](CRackModel::Row& row) { row.bOnline = false; });
    if (nId == m_nCursorId)
        NextProcessor();
}

void CRackPoll::ShowEdited()
{
    const bool bConnected = m_link.IsConnected();
    const int nEdited = bConnected ? m_link.Record().GetDeviceId() : 0;
    for (const int nId : m_model.Ids())
    {
        m_model.Update(nId, [&](CRackModel::Row& row) {
            row.bEdited = nId == nEdited;
            // From the switch to the end of the read the record still holds
            // the processor before, and the session has forgotten its number.
            if (!row.bEdited || m_link.IsSwitching() || m_link.Connection().GetState() != CConnection::EState::Idle)
                return;
            const CConnection::ChannelCounts counts = m_link.Connection().GetChannelCounts();
            const CAudio_Data& record = m_link.Record();
            row.bOnline = true;
            row.nInputs = counts.nInputs;
            row.nOutputs = counts.nOutputs;
            row.strFirmware = QString::fromLatin1(m_link.Command().GetVersionText());
            row.nProgram = m_link.Session().ProgramNumber();
            row.strProgramName = QString::fromLatin1(m_link.Session().ProgramName(Frame::kLiveProgram));
            for (int i = 0; i < CRackModel::kOutputs; ++i)
                row.abMuted.at(static_cast<size_t>(i)) = IsMuted(record.Output(i));
            row.bMutesKnown = true;
        });
    }
}
