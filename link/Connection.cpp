#include "link/Connection.h"

#include "model/Audio_Data.h"
#include "link/Command.h"
#include "model/FactoryImage.h"
#include "model/LockState.h"

#include <algorithm>

namespace
{
// Power-on settings the processor knows; anything else reads as the nearest.
constexpr int kPowerOnMin = 1;
constexpr int kPowerOnMax = 3;

// Inputs and outputs by type code, from the first.
constexpr std::array<CConnection::ChannelCounts, Frame::kLastDeviceType - Frame::kFirstDeviceType + 1> kCountsByType{{
    {2, 4},
    {2, 6},
    {2, 8},
    {3, 6},
    {4, 6},
    {4, 8},
}};
}

std::optional<CConnection::ChannelCounts> CConnection::CountsOfType(int nTypeCode)
{
    if (nTypeCode < Frame::kFirstDeviceType || nTypeCode > Frame::kLastDeviceType)
        return std::nullopt;
    return kCountsByType.at(static_cast<size_t>(nTypeCode - Frame::kFirstDeviceType));
}

CConnection::CConnection(CCommand& command, CAudio_Data& record, CLockState& locks, QObject* pParent)
    : QObject(pParent)
    , m_command(command)
    , m_record(record)
    , m_locks(locks)
{
    m_factory.abyImage = FactoryDefaultImage();

    m_pump.setInterval(kPumpIntervalMs);
    m_pump.setTimerType(Qt::PreciseTimer);
    connect(&m_pump, &QTimer::timeout, this, &CConnection::PumpTick);

    connect(&m_command, &CCommand::deviceTypeReceived, this, &CConnection::OnDeviceType);
    connect(&m_command, &CCommand::versionMismatch, this, &CConnection::OnVersionMismatch);
    connect(&m_command, &CCommand::systemInfoReceived, this, &CConnection::OnSystemInfo);
    connect(&m_command, &CCommand::liveProgramRead, this, &CConnection::OnLiveProgram);
    connect(&m_command, &CCommand::progressAdvanced, this, &CConnection::progressAdvanced);
    connect(&m_command, &CCommand::disconnectRequested, this, [this] { Disconnect(EReason::NoAnswer); });
    connect(&m_command, &CCommand::lineFault, this, &CConnection::OnLineFault);
    connect(&m_command, &CCommand::searchComplete, this, &CConnection::EndSearch);
}

CConnection::~CConnection()
{
    m_pump.stop();
}

// ---- connecting --------------------------------------------------------------

bool CConnection::Connect(const QString& strPort, int nDeviceId)
{
    if (IsConnected())
        return false;
    if (m_bSearching)
        StopSearch();
    m_strPort = strPort;
    if (!m_command.Open(strPort))
        return false;

    m_eState = EState::WaitingForType;
    m_command.SetTransferInProgress(false);
    m_command.Clear();
    m_record.SetDeviceId(nDeviceId);
    m_record.ClearAllChanged(false);

    // The type request leaves at once. Until it is answered the pump adds
    // nothing, but the request is repeated and given up like any other, so
    // a silent line does not leave the program waiting for ever.
    m_command.Enqueue(m_record.BuildDeviceTypeFrame());
    m_command.SendHeadOnce();
    m_pump.start();
    return true;
}

void CConnection::Disconnect(EReason eReason)
{
    if (!IsConnected())
        return;
    m_eState = EState::Disconnected;
    m_pump.stop();
    m_command.Close();
    m_command.Clear();
    m_command.SetTransferInProgress(false);

    m_command.Receiver().ClearVersionText();
    m_locks.ClearLocks();
    LoadIntoRecord(m_factory);
    emit disconnected(eReason);
}

void CConnection::PumpTick()
{
    if (m_eState == EState::WaitingForType)
        m_command.ServiceHead();
    else
        m_command.PumpTick(m_record);
}

void CConnection::OnDeviceType(int nTypeCode)
{
    if (!IsConnected())
        return;
    const std::optional<ChannelCounts> counts = CountsOfType(nTypeCode);
    if (!counts)
    {
        Disconnect(EReason::BadDeviceType);
        return;
    }
    m_counts = *counts;
    emit deviceTypeKnown(m_counts.nInputs, m_counts.nOutputs);
    // A slot may have disconnected.
    if (!IsConnected())
        return;
    QueueStateRead();
    emit stateReadStarted();
}

void CConnection::QueueRead(CSendData entry, bool bProgress)
{
    if (bProgress)
    {
        entry.m_bProgress = true;
        entry.m_nProgressPos = m_nProgress;
        ++m_nProgress;
    }
    m_command.Enqueue(std::move(entry));
}

void CConnection::QueueStateRead()
{
    m_eState = EState::Reading;
    m_nProgress = 0;

    QueueRead(m_record.BuildVersionFrame(), false);
    // The two lock reads move no bar but still count, so the names start at 2.
    QueueRead(m_record.BuildLockDataFrame(Frame::kLiveProgram, Frame::kLockSetRead), false);
    ++m_nProgress;
    QueueRead(m_record.BuildLockDataFrame(Frame::kSystemProgram, Frame::kLockSetRead), false);
    ++m_nProgress;
    for (int n = Frame::kLiveProgram; n < Frame::kProgramNumbers; ++n)
        QueueRead(m_record.BuildProgramNameFrame(n, Frame::kRead), true);
    QueueRead(m_record.BuildBacklightFrame(false), true);
    QueueRead(m_record.BuildPowerOnFrame(false), true);
    QueueRead(m_record.BuildGeneratorFrame(true), true);
    QueueRead(m_record.BuildInfoReadFrame(), true);

    m_pump.start();

    for (int block = Frame::kFirstInputCode; block <= Frame::kLastBlockCode; ++block)
    {
        CSendData entry = m_record.BuildBlockReadFrame(Frame::kLiveProgram, block);
        entry.m_bLastOfTransfer = block == Frame::kLastBlockCode;
        QueueRead(std::move(entry), true);
    }
    m_command.SetTransferInProgress(true);
    Q_ASSERT(m_nProgress == kProgressMax);
}

void CConnection::OnVersionMismatch(int nMajorVersion)
{
    Disconnect(nMajorVersion < CReceiver::kSupportedMajorVersion ? EReason::DeviceOlder : EReason::SoftwareOlder);
}

void CConnection::OnSystemInfo()
{
    m_record.CopySystemSettings(m_command.GetStaging());
    m_record.SetPowerOnMode(std::clamp(m_record.GetPowerOnMode(), kPowerOnMin, kPowerOnMax));
    emit systemInfoLoaded();
}

void CConnection::OnLiveProgram()
{
    LoadIntoRecord(m_command.GetReceiveSlot());
    if (m_eState == EState::Reading)
        m_eState = EState::Idle;
    emit liveProgramLoaded();
}

void CConnection::LoadIntoRecord(const CImageSlot& slot)
{
    m_record.Inputs().ResetLinkGroups();
    m_record.Outputs().ResetLinkGroups();
    m_record.LoadFromImage(slot);
    // Nothing of what was just loaded is sent back.
    m_record.ClearAllChanged(false);
    m_record.HideAllCurves();
}

void CConnection::OnLineFault()
{
    if (m_bSearching)
        EndSearch();
    Disconnect(EReason::LineFault);
}

// ---- device ID management ----------------------------------------------------

bool CConnection::ChangeDeviceId(int nNewId)
{
    if (!IsConnected() || nNewId < kFirstId || nNewId > kLastId || m_locks.IsLocked(CLockState::kSysDeviceId))
        return false;
    // Built before anything changes, so it goes to the old ID.
    m_command.Enqueue(m_record.BuildDeviceIdChangeFrame(nNewId));
    m_record.SetDeviceId(nNewId);
    return true;
}

bool CConnection::ReconnectTo(int nId)
{
    if (!IsConnected() || nId < kFirstId || nId > kLastId)
        return false;
    m_record.SetDeviceId(nId);
    m_record.ClearAllChanged(false);
    // As after Connect: until the type answer the pump adds nothing, so an
    // edit made meanwhile cannot reach the new processor with the old
    // program's bytes. Frames queued before still go to the old ID.
    m_eState = EState::WaitingForType;
    m_command.Enqueue(m_record.BuildDeviceTypeFrame());
    return true;
}

int CConnection::OpenError() const
{
    return m_command.OpenError();
}

int CConnection::FaultError() const
{
    return m_command.FaultError();
}

// ---- device search -----------------------------------------------------------

int CConnection::GetDeviceId() const
{
    return m_record.GetDeviceId();
}

const CConnection::DeviceIdTable& CConnection::GetDeviceIdTable() const
{
    return std::as_const(m_command).Receiver().DeviceIdTable();
}

bool CConnection::StartSearch(const QString& strPort, int nFirstId, int nLastId)
{
    if (IsConnected() || m_bSearching || nFirstId < kFirstId || nLastId > kLastId || nFirstId > nLastId)
        return false;
    m_strPort = strPort;
    if (!m_command.Open(strPort))
        return false;

    m_bSearching = true;
    m_command.Clear();
    m_command.SetSearching(true);
    m_nSearchLastId = nLastId;
    DeviceIdTable& table = m_command.Receiver().DeviceIdTable();
    table.fill(0);
    for (int nId = nFirstId; nId <= nLastId; ++nId)
        m_command.Enqueue(m_record.BuildDeviceIdProbeFrame(nId));
    return true;
}

void CConnection::SearchTick()
{
    if (!m_bSearching)
        return;
    // The last ID of a narrowed search has answered; only the last device
    // ID's answer ends a search by itself.
    if (m_command.Count() == 0)
    {
        EndSearch();
        return;
    }
    const int nProbedId = m_command.Head().m_nProbedId;
    if (m_command.SendHeadOnce())
    {
        emit searchProbed(nProbedId);
        return;
    }
    if (m_command.WaitHead() <= kProbeWaitTicks)
        return;
    if (nProbedId == m_nSearchLastId)
        EndSearch();
    else
        m_command.RemoveHead();
}

void CConnection::StopSearch()
{
    EndSearch();
}

void CConnection::EndSearch()
{
    if (!m_bSearching)
        return;
    m_bSearching = false;
    m_command.Close();
    // Nothing is left after the last device ID answered; otherwise the probes still
    // waiting go with the search.
    m_command.Clear();
    m_command.SetSearching(false);
    emit searchEnded();
}
