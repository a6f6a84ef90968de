#include "cli/CliSession.h"

#include "cli/Console.h"
#include "link/LinkText.h"
#include "link/PortHelp.h"

#include <QEventLoop>
#include <QTimer>

namespace
{
// The connection's own progress positions during the state read.
constexpr int kStateReadLastPosition = 48;

QString Supported()
{
    return QStringLiteral("C-DV%1.00 to C-DV%1.99").arg(CReceiver::kSupportedMajorVersion);
}

// A window's message with its advice line, on the one error line a failure
// leaves.
QString OneLine(const QString& strMessage, const QString& strAdvice)
{
    return strAdvice.isEmpty() ? strMessage : strMessage + QStringLiteral(": ") + strAdvice;
}
}

CCliSession::CCliSession(CConsole& console, ELanguage eLanguage, QObject* pParent)
    : QObject(pParent)
    , m_console(console)
{
    m_link.Notice().SetLanguage(eLanguage);
    CConnection* pConnection = &m_link.Connection();
    connect(pConnection, &CConnection::disconnected, this, &CCliSession::OnDisconnected);
    // Whatever a wait can be waiting for ends with one of these.
    connect(pConnection, &CConnection::liveProgramLoaded, this, &CCliSession::Wake);
    connect(pConnection, &CConnection::searchEnded, this, &CCliSession::Wake);
    connect(&m_link.Transfer(), &CProgramTransfer::finished, this, &CCliSession::Wake);
    connect(pConnection, &CConnection::progressAdvanced, this,
            [this, pConnection](int nPosition)
            {
                if (pConnection->GetState() == CConnection::EState::Reading)
                    m_console.Progress(QStringLiteral("reading the processor"), nPosition, kStateReadLastPosition);
            });
}

CCliSession::~CCliSession()
{
    m_console.EndProgress();
}

bool CCliSession::Connect(const QString& strPort, int nDeviceId)
{
    m_bFailed = false;
    if (!m_link.Connect(strPort, nDeviceId))
    {
        ReportOpenFailed();
        return false;
    }
    const bool bOk = RunUntil([this] { return Connection().GetState() == CConnection::EState::Idle; });
    m_console.EndProgress();
    return bOk;
}

bool CCliSession::RunTransfer(const QString& strLabel, const std::function<bool(CProgramTransfer&)>& fnStart)
{
    bool bFinished = false;
    const QMetaObject::Connection finished =
        connect(&Transfer(), &CProgramTransfer::finished, this, [&bFinished] { bFinished = true; });
    const QMetaObject::Connection progress =
        connect(&Transfer(), &CProgramTransfer::progressAdvanced, this,
                [this, strLabel](int nDone, int nTotal) { m_console.Progress(strLabel, nDone, nTotal); });
    const bool bOk = fnStart(Transfer()) && RunUntil([&bFinished] { return bFinished; });
    disconnect(finished);
    disconnect(progress);
    m_console.EndProgress();
    return bOk;
}

bool CCliSession::Search(const QString& strPort, int nFirst, int nLast, QList<int>& lstFound)
{
    lstFound.clear();
    if (!Connection().StartSearch(strPort, nFirst, nLast))
    {
        ReportOpenFailed();
        return false;
    }
    QTimer tick;
    tick.setInterval(CConnection::kSearchIntervalMs);
    tick.setTimerType(Qt::PreciseTimer);
    connect(&tick, &QTimer::timeout, &Connection(), &CConnection::SearchTick);
    const QMetaObject::Connection probed =
        connect(&Connection(), &CConnection::searchProbed, this,
                [this, nFirst, nLast](int nId)
                { m_console.Progress(QStringLiteral("searching"), nId - nFirst + 1, nLast - nFirst + 1); });
    tick.start();
    RunUntil([this] { return !Connection().IsSearching(); });
    disconnect(probed);
    m_console.EndProgress();

    const CConnection::DeviceIdTable& table = Connection().GetDeviceIdTable();
    for (int nId = nFirst; nId <= nLast; ++nId)
        if (table.at(static_cast<size_t>(nId - 1)) != 0)
            lstFound << nId;
    return true;
}

bool CCliSession::RunUntil(const std::function<bool()>& done)
{
    QEventLoop loop;
    m_pLoop = &loop;
    while (!done() && !m_bFailed)
        loop.exec();
    m_pLoop = nullptr;
    return !m_bFailed;
}

void CCliSession::Wake()
{
    if (m_pLoop)
        m_pLoop->quit();
}

QString CCliSession::DisconnectLine(CConnection::EReason eReason, const CProcessorLink& link)
{
    const CConnection& connection = link.Connection();
    const int nId = connection.GetDeviceId();
    const QString& strPort = link.Session().PortName();
    switch (eReason)
    {
    case CConnection::EReason::User:
        break;
    case CConnection::EReason::NoAnswer:
        return QStringLiteral("no answer from device ID %1 on %2").arg(nId).arg(strPort);
    case CConnection::EReason::BadDeviceType:
        return QStringLiteral("device ID %1 on %2 reports a device type other than 1 to 6").arg(nId).arg(strPort);
    case CConnection::EReason::DeviceOlder:
        return QStringLiteral("device version %1 is older than this software supports (%2)")
            .arg(QString::fromLatin1(link.RefusedVersionText()), Supported());
    case CConnection::EReason::SoftwareOlder:
        return QStringLiteral("device version %1 is newer than this software supports (%2)")
            .arg(QString::fromLatin1(link.RefusedVersionText()), Supported());
    case CConnection::EReason::LineFault:
        return OneLine(QStringLiteral("the port %1 stopped working").arg(strPort),
                       PortHelp::DisconnectAdvice(eReason, connection, link.Notice().Language()));
    }
    return {};
}

QString CCliSession::OpenFailedLine(const CConnection& connection, ELanguage eLanguage)
{
    const QString strAdvice = PortHelp::OpenFailedAdvice(connection.OpenError(), connection.PortName(), eLanguage);
    return OneLine(LinkText(ELinkText::PortOpenFailed, eLanguage), strAdvice);
}

void CCliSession::OnDisconnected(CConnection::EReason eReason)
{
    if (eReason == CConnection::EReason::User)
        return;
    m_bFailed = true;
    m_console.Error(DisconnectLine(eReason, m_link));
    Wake();
}

void CCliSession::ReportOpenFailed()
{
    m_console.Error(OpenFailedLine(Connection(), Language()));
}
