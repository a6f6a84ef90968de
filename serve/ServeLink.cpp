#include "serve/ServeLink.h"

#include "cli/CliSession.h"
#include "link/LinkPort.h"
#include "model/Audio_Channel.h"
#include "model/ChannelAddress.h"
#include "serve/ParamValue.h"
#include "serve/ServeText.h"

#include <QJsonArray>

namespace
{
constexpr int kIndicatorBit = 0x10;
constexpr int kLevelBits = 0x0F;
constexpr int kFirstSlot = 1;
constexpr int kLastSlot = CSessionState::kProgramCount - 1;

QString Latin1(const std::string& bytes)
{
    return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

QString Trimmed(const std::string& bytes)
{
    return Latin1(bytes).remove(QChar(0)).trimmed();
}
}

CServeLink::CServeLink(Options options, std::unique_ptr<CLinkPort> pPort, QObject* pParent)
    : QObject(pParent)
    , m_options(std::move(options))
    , m_link(std::move(pPort))
    , m_events(this)
    , m_nRetryMs(m_options.nFirstRetryMs)
{
    m_link.Notice().SetLanguage(m_options.eLanguage);
    m_retry.setSingleShot(true);
    connect(&m_retry, &QTimer::timeout, this, &CServeLink::TryConnect);
    m_meters.setInterval(m_options.nMeterIntervalMs);
    m_meters.setTimerType(Qt::PreciseTimer);
    connect(&m_meters, &QTimer::timeout, this, &CServeLink::PublishMeters);

    CConnection& connection = m_link.Connection();
    connect(&connection, &CConnection::disconnected, this, &CServeLink::OnDisconnected);
    connect(&connection, &CConnection::stateReadStarted, this, [this] { PublishConnection("reading"); });
    connect(&connection, &CConnection::progressAdvanced, this,
            [this](int nPosition)
            {
                if (m_link.Connection().GetState() == CConnection::EState::Reading)
                    m_events.Publish(CServeEvents::EKind::kTransfer, {{"operation", "stateRead"},
                                                                       {"done", nPosition},
                                                                       {"total", CConnection::kProgressMax}});
            });
    connect(&m_link.Notice(), &CRecordNotice::programLoaded, this, &CServeLink::OnProgramLoaded);
    connect(&m_link.Notice(), &CRecordNotice::valueChanged, this, &CServeLink::OnValueChanged);
    connect(&m_link.Notice(), &CRecordNotice::locksChanged, this,
            [this] { m_events.Publish(CServeEvents::EKind::kLocks, {}); });
    connect(&m_link, &CProcessorLink::sessionChanged, this,
            [this] { m_events.Publish(CServeEvents::EKind::kPrograms, ProgramsJson()); });
    connect(&m_link.Transfer(), &CProgramTransfer::progressAdvanced, this,
            [this](int nDone, int nTotal)
            {
                m_events.Publish(CServeEvents::EKind::kTransfer,
                                 {{"operation", m_strOperation}, {"done", nDone}, {"total", nTotal}});
            });
    connect(&m_link.Transfer(), &CProgramTransfer::finished, this,
            [this]
            {
                Log(ServeText(EServeText::TransferDone, Language()));
                m_events.Publish(CServeEvents::EKind::kTransfer, {{"operation", m_strOperation}, {"finished", true}});
            });

    m_addresses = ParamAddresses::All(Frame::kInputCount, Frame::kOutputCount);
    Snapshot();
}

CServeLink::~CServeLink()
{
    Stop();
}

void CServeLink::Start()
{
    m_bRunning = true;
    m_nRetryMs = m_options.nFirstRetryMs;
    TryConnect();
}

void CServeLink::Stop()
{
    m_bRunning = false;
    m_retry.stop();
    m_meters.stop();
    if (m_link.IsConnected())
        m_link.Connection().Disconnect();
}

bool CServeLink::IsOnline() const
{
    return m_bOnline && m_link.Connection().GetState() == CConnection::EState::Idle;
}

QString CServeLink::StateWord() const
{
    switch (m_link.Connection().GetState())
    {
    case CConnection::EState::Disconnected: return "offline";
    case CConnection::EState::WaitingForType: return "connecting";
    case CConnection::EState::Reading: return "reading";
    case CConnection::EState::Idle: break;
    }
    return m_bOnline ? "online" : "reading";
}

int CServeLink::Inputs() const
{
    return m_link.IsConnected() ? m_link.Connection().GetChannelCounts().nInputs : Frame::kInputCount;
}

int CServeLink::Outputs() const
{
    return m_link.IsConnected() ? m_link.Connection().GetChannelCounts().nOutputs : Frame::kOutputCount;
}

void CServeLink::TryConnect()
{
    if (!m_bRunning || m_link.IsConnected())
        return;
    Log(ServeText(EServeText::Connecting, Language()).arg(m_options.strPort).arg(m_options.nDeviceId));
    PublishConnection("connecting");
    if (!m_link.Connect(m_options.strPort, m_options.nDeviceId))
    {
        const QString strWhy = CCliSession::OpenFailedLine(m_link.Connection(), Language());
        Log(ServeText(EServeText::Offline, Language()).arg(strWhy));
        PublishConnection("offline", {{"reason", strWhy}});
        ScheduleRetry();
    }
}

void CServeLink::ScheduleRetry()
{
    if (!m_bRunning)
        return;
    Log(ServeText(EServeText::RetryIn, Language()).arg(m_nRetryMs / 1000.0, 0, 'g', 3));
    m_events.Publish(CServeEvents::EKind::kConnection, {{"state", "offline"}, {"retryInMs", m_nRetryMs}});
    m_retry.start(m_nRetryMs);
    ++m_nRetries;
    m_nRetryMs = std::min(m_nRetryMs * 2, m_options.nLastRetryMs);
}

void CServeLink::OnDisconnected(CConnection::EReason eReason)
{
    const bool bWasOnline = m_bOnline;
    m_bOnline = false;
    m_meters.stop();
    if (eReason == CConnection::EReason::User)
    {
        PublishConnection("offline");
        return;
    }
    const QString strWhy = CCliSession::DisconnectLine(eReason, m_link);
    Log(ServeText(EServeText::Offline, Language()).arg(strWhy));
    PublishConnection("offline", {{"reason", strWhy}});
    // A processor that was there a moment ago is looked for again soon.
    if (bWasOnline)
        m_nRetryMs = m_options.nFirstRetryMs;
    ScheduleRetry();
}

void CServeLink::OnProgramLoaded()
{
    Snapshot();
    if (!m_bOnline && m_link.Connection().GetState() == CConnection::EState::Idle)
    {
        m_bOnline = true;
        m_nRetryMs = m_options.nFirstRetryMs;
        const CConnection::ChannelCounts counts = m_link.Connection().GetChannelCounts();
        Log(ServeText(EServeText::Online, Language())
                .arg(m_link.Command().GetDeviceType())
                .arg(counts.nInputs)
                .arg(counts.nOutputs)
                .arg(Trimmed(m_link.Command().GetVersionText())));
        PublishConnection("online");
        m_meters.start();
    }
    m_events.Publish(CServeEvents::EKind::kProgram,
                     {{"number", m_link.Session().ProgramNumber()}, {"name", Latin1(m_link.Record().GetName())}});
}

void CServeLink::OnValueChanged()
{
    const CAudio_Data& record = m_link.Record();
    const int nInputs = Inputs();
    const int nOutputs = Outputs();
    for (size_t i = 0; i < m_addresses.size(); ++i)
    {
        const ParamAddress& address = m_addresses[i];
        const ParamRow& row = ParamCatalogue::Param(address.eParam);
        bool bChanged = false;
        if (row.eEntry == EEntry::kText)
        {
            std::string strName = ParamCatalogue::GetText(address.eParam, record, address.at);
            bChanged = strName != m_astrNames[i];
            m_astrNames[i] = std::move(strName);
        }
        else
        {
            const int nStep = ParamCatalogue::Get(address.eParam, record, address.at);
            bChanged = nStep != m_anSteps[i];
            m_anSteps[i] = nStep;
        }
        const int nCount = row.eSide == EParamSide::kInput ? nInputs : nOutputs;
        if (bChanged && (row.eSide == EParamSide::kProgram || address.at.nChannel < nCount))
            m_events.Publish(CServeEvents::EKind::kParam, ParamValues::Describe(address, record, m_link.Locks()));
    }
}

void CServeLink::Snapshot()
{
    const CAudio_Data& record = m_link.Record();
    m_anSteps.resize(m_addresses.size());
    m_astrNames.resize(m_addresses.size());
    for (size_t i = 0; i < m_addresses.size(); ++i)
    {
        const ParamAddress& address = m_addresses[i];
        if (ParamCatalogue::Param(address.eParam).eEntry == EEntry::kText)
            m_astrNames[i] = ParamCatalogue::GetText(address.eParam, record, address.at);
        else
            m_anSteps[i] = ParamCatalogue::Get(address.eParam, record, address.at);
    }
}

void CServeLink::PublishMeters()
{
    if (!IsOnline())
        return;
    QJsonArray inputs;
    QJsonArray outputs;
    QJsonArray indicators;
    for (int i = 0; i < Inputs(); ++i)
        inputs.append(m_link.Command().Level(ChannelAddress::Input(i).Column()) & kLevelBits);
    for (int i = 0; i < Outputs(); ++i)
    {
        const int nLevel = m_link.Command().Level(ChannelAddress::Output(i).Column());
        outputs.append(nLevel & kLevelBits);
        indicators.append((nLevel & kIndicatorBit) != 0);
    }
    m_events.Publish(CServeEvents::EKind::kMeters,
                     {{"inputs", inputs}, {"outputs", outputs}, {"indicators", indicators}});
}

void CServeLink::PublishConnection(const QString& strState, QJsonObject extra)
{
    extra.insert("state", strState);
    m_events.Publish(CServeEvents::EKind::kConnection, extra);
}

QJsonObject CServeLink::ProcessorJson() const
{
    const bool bKnown = m_link.IsConnected() && m_link.Connection().GetState() != CConnection::EState::WaitingForType;
    const CSessionState& session = m_link.Session();
    QJsonObject json{
        {"online", IsOnline()},
        {"state", StateWord()},
        {"port", m_options.strPort},
        {"deviceId", m_options.nDeviceId},
        {"programNumber", session.ProgramNumber()},
        {"programName", Latin1(m_link.Record().GetName())},
        {"transferRunning", m_link.Transfer().IsRunning()},
        {"reconnects", m_nRetries},
    };
    if (bKnown)
    {
        json["deviceType"] = m_link.Command().GetDeviceType();
        json["inputs"] = Inputs();
        json["outputs"] = Outputs();
        json["model"] = QStringLiteral("%1x%2").arg(Inputs()).arg(Outputs());
        json["firmware"] = Trimmed(m_link.Command().GetVersionText());
        json["deviceName"] = Trimmed(m_link.Record().GetInfoText(0));
    }
    return json;
}

QJsonObject CServeLink::ProgramsJson() const
{
    const CSessionState& session = m_link.Session();
    QJsonArray programs;
    for (int n = kFirstSlot; n <= kLastSlot; ++n)
        programs.append(QJsonObject{{"number", n}, {"name", Latin1(session.ProgramName(n))}});
    return {{"current", session.ProgramNumber()},
            {"live", Latin1(session.ProgramName(Frame::kLiveProgram))},
            {"programs", programs}};
}

std::optional<CApiFault> CServeLink::CheckWritable() const
{
    if (!IsOnline())
        return CApiFault{EApiFault::kOffline, {}};
    if (m_link.Transfer().IsRunning())
        return CApiFault{EApiFault::kBusy, {}};
    return std::nullopt;
}

std::optional<CApiFault> CServeLink::CheckWritable(const ParamAddress& address) const
{
    if (auto fault = CheckWritable())
        return fault;
    if (ParamCatalogue::IsLocked(address.eParam, &m_link.Locks()))
        return CApiFault{EApiFault::kLocked, {QString::fromStdString(ParamAddresses::Path(address))}};
    return std::nullopt;
}

std::optional<CApiFault> CServeLink::Resolve(std::string_view path, ParamAddress& address) const
{
    const auto resolved = ParamAddresses::Resolve(path);
    if (!resolved)
        return CApiFault{EApiFault::kUnknownParameter, {QString::fromUtf8(path.data(), static_cast<qsizetype>(path.size()))}};
    const EParamSide eSide = ParamCatalogue::Param(resolved->eParam).eSide;
    const int nCount = eSide == EParamSide::kInput ? Inputs() : Outputs();
    if (eSide != EParamSide::kProgram && resolved->at.nChannel >= nCount)
        return CApiFault{EApiFault::kNoChannel, {QString::number(resolved->at.nChannel + 1), QString::number(nCount)}};
    address = *resolved;
    return std::nullopt;
}

std::optional<CApiFault> CServeLink::WriteValue(const ParamAddress& address, const QJsonValue& value,
                                                const QJsonValue& step, const QString& strClient, bool& bChanged)
{
    bChanged = false;
    if (ParamCatalogue::Param(address.eParam).eEntry == EEntry::kText)
    {
        const ParamValues::NameOrFault name = ParamValues::NameOf(value, CAudio_Channel::kNameBytes);
        return name.fault ? name.fault : WriteName(address, name.strName, strClient, bChanged);
    }
    if (auto fault = CheckWritable(address))
        return fault;
    const ParamValues::StepOrFault typed = ParamValues::StepOf(address, value, step, m_link.Record());
    return typed.fault ? typed.fault : Write(address, typed.nStep, strClient, bChanged);
}

std::optional<CApiFault> CServeLink::Write(const ParamAddress& address, int nStep, const QString& strClient,
                                           bool& bChanged)
{
    bChanged = false;
    if (auto fault = CheckWritable(address))
        return fault;
    const QString strPath = QString::fromStdString(ParamAddresses::Path(address));
    bChanged = m_link.Edit(address.eParam, address.at, nStep);
    if (bChanged)
        Log(ServeText(EServeText::Written, Language())
                .arg(strPath, QString::fromStdString(ParamCatalogue::FormatStep(address.eParam, nStep, kEnglish)),
                     strClient));
    return std::nullopt;
}

std::optional<CApiFault> CServeLink::WriteName(const ParamAddress& address, const std::string& strName,
                                               const QString& strClient, bool& bChanged)
{
    bChanged = false;
    if (auto fault = CheckWritable(address))
        return fault;
    const QString strPath = QString::fromStdString(ParamAddresses::Path(address));
    bChanged = m_link.EditText(address.eParam, address.at, strName);
    if (bChanged)
        Log(ServeText(EServeText::Written, Language()).arg(strPath, Latin1(strName), strClient));
    return std::nullopt;
}

std::optional<CApiFault> CServeLink::CheckSlot(int nSlot, int nLockFlag, const char* pszOperation) const
{
    if (nSlot < kFirstSlot || nSlot > kLastSlot)
        return CApiFault{EApiFault::kBadSlot, {QString::number(kFirstSlot), QString::number(kLastSlot)}};
    if (auto fault = CheckWritable())
        return fault;
    if (m_link.Locks().IsLocked(nLockFlag))
        return CApiFault{EApiFault::kLocked, {QLatin1String(pszOperation)}};
    return std::nullopt;
}

std::optional<CApiFault> CServeLink::Recall(int nSlot, const QString& strClient)
{
    if (auto fault = CheckSlot(nSlot, CLockState::kSysLoad, "recall"))
        return fault;
    Log(ServeText(EServeText::Recalling, Language()).arg(nSlot).arg(strClient));
    m_strOperation = "recall";
    m_link.Session().SetProgramNumber(nSlot);
    m_link.Transfer().RecallFromDevice(nSlot);
    return std::nullopt;
}

std::optional<CApiFault> CServeLink::Store(int nSlot, const std::optional<std::string>& name, const QString& strClient)
{
    if (auto fault = CheckSlot(nSlot, CLockState::kSysSave, "store"))
        return fault;
    const std::string strName = name ? *name : m_link.Session().ProgramName(nSlot);
    Log(ServeText(EServeText::Storing, Language()).arg(nSlot).arg(Latin1(strName), strClient));
    m_strOperation = "store";
    m_link.Record().SetName(strName);
    m_link.Session().SetProgramName(nSlot, strName);
    m_link.Session().SetProgramNumber(nSlot);
    m_link.Transfer().StoreToDevice(nSlot);
    return std::nullopt;
}
