#include "line/LineOperation.h"

#include "line/LineText.h"
#include "model/ValueText.h"
#include "model/ProgramBank.h"
#include "programs/ProgramFile.h"
#include "session/ProcessorLink.h"

#include <QDir>
#include <QTimer>

namespace
{
ELineText WhyOf(CConnection::EReason eReason)
{
    switch (eReason)
    {
    case CConnection::EReason::User:
        return ELineText::WhyDisconnected;
    case CConnection::EReason::NoAnswer:
        return ELineText::WhyNoAnswer;
    case CConnection::EReason::BadDeviceType:
        return ELineText::WhyBadType;
    case CConnection::EReason::DeviceOlder:
        return ELineText::WhyDeviceOlder;
    case CConnection::EReason::SoftwareOlder:
        return ELineText::WhySoftwareOlder;
    case CConnection::EReason::LineFault:
        return ELineText::WhyLineFault;
    }
    return ELineText::WhyDisconnected;
}
}

CLineOperation::CLineOperation(CProcessorLink& link, QString strPort, QObject* pParent)
    : QObject(pParent)
    , m_link(link)
    , m_strPort(std::move(strPort))
    , m_eLanguage(kEnglish)
{
    connect(&m_link, &CProcessorLink::switched, this, [this] {
        if (m_ePhase == EPhase::kReaching || m_ePhase == EPhase::kReturning)
            OnReached();
    });
    // A fresh connection ends its state read without a switch.
    connect(&m_link.Connection(), &CConnection::liveProgramLoaded, this, [this] {
        if (m_bConnecting && m_link.Connection().GetState() == CConnection::EState::Idle)
            OnReached();
    });
    connect(&m_link.Connection(), &CConnection::disconnected, this, &CLineOperation::OnDisconnected);
    connect(&m_link.Transfer(), &CProgramTransfer::finished, this, &CLineOperation::OnTransferFinished);
    connect(&m_link.Transfer(), &CProgramTransfer::progressAdvanced, this, [this](int nDone, int nTotal) {
        if (m_ePhase == EPhase::kTransfer)
            emit progressAdvanced(nDone, nTotal);
    });
    connect(&m_link.Command(), &CCommand::requestAnswered, this, &CLineOperation::OnRequestAnswered);
}

CLineOperation::~CLineOperation() = default;

// ---- starting ------------------------------------------------------------------

bool CLineOperation::Backup(const QList<int>& ids, const QString& strFolder)
{
    m_strFolder = strFolder;
    return Begin(EKind::kBackup, ids);
}

bool CLineOperation::Restore(const QList<int>& ids, const QString& strFolder)
{
    m_strFolder = strFolder;
    return Begin(EKind::kRestore, ids);
}

bool CLineOperation::Mute(const QList<int>& ids, const QList<int>& outputs, bool bMute)
{
    m_outputs = outputs;
    return Begin(bMute ? EKind::kMute : EKind::kUnmute, ids);
}

bool CLineOperation::Recall(const QList<int>& ids, int nSlot)
{
    if (nSlot < Frame::kFirstStoredProgram || nSlot > Frame::kLastStoredProgram)
        return false;
    m_nSlot = nSlot;
    return Begin(EKind::kRecall, ids);
}

bool CLineOperation::Begin(EKind eKind, const QList<int>& ids)
{
    if (IsRunning() || ids.isEmpty())
        return false;
    m_eKind = eKind;
    m_ids = ids;
    m_nIndex = -1;
    m_results.clear();
    m_entries.clear();
    m_nReturnTo = m_link.IsConnected() ? m_link.Record().GetDeviceId() : 0;
    m_ePhase = EPhase::kReaching;
    // Everything the operation reports comes from the event loop, as it
    // would for every later processor.
    QTimer::singleShot(0, this, &CLineOperation::StartNext);
    return true;
}

void CLineOperation::StartNext()
{
    ++m_nIndex;
    if (m_nIndex >= m_ids.size())
    {
        End();
        return;
    }
    const int nId = CurrentId();
    emit processorStarted(nId, m_nIndex, static_cast<int>(m_ids.size()));
    if (m_eKind == EKind::kRestore)
    {
        QString strWhy;
        if (!ReadRestoreFiles(strWhy))
        {
            Fail(strWhy);
            return;
        }
    }
    m_ePhase = EPhase::kReaching;
    Reach(nId);
}

void CLineOperation::Reach(int nId)
{
    m_bConnecting = false;
    if (m_link.IsConnected())
    {
        if (m_link.SwitchTo(nId, CProcessorLink::EUnsentEdits::kSendFirst))
            return;
        // Still reading or transferring, nothing the operation started:
        // it is ended and the processor connected afresh.
        m_bOwnDisconnect = true;
        m_link.Connection().Disconnect();
        m_bOwnDisconnect = false;
    }
    m_bConnecting = true;
    if (!m_link.Connect(m_strPort, nId))
    {
        m_bConnecting = false;
        const QString strWhy = LineText(ELineText::WhyPortFailed, m_eLanguage);
        QTimer::singleShot(0, this, [this, strWhy] { Fail(strWhy); });
    }
}

// ---- at each processor ------------------------------------------------------------

void CLineOperation::OnReached()
{
    m_bConnecting = false;
    if (m_ePhase == EPhase::kReturning)
    {
        End();
        return;
    }
    m_bSecondTransfer = false;
    CProgramTransfer& transfer = m_link.Transfer();
    switch (m_eKind)
    {
    case EKind::kBackup:
        m_ePhase = EPhase::kTransfer;
        transfer.StoreAllToPC();
        return;
    case EKind::kRestore:
        m_ePhase = EPhase::kTransfer;
        transfer.RecallAllFromPC(*m_pBank);
        return;
    case EKind::kRecall:
        m_ePhase = EPhase::kTransfer;
        transfer.RecallFromDevice(m_nSlot);
        return;
    case EKind::kMute:
    case EKind::kUnmute:
    {
        // The locks are the processor's, read by the switch.
        if (m_bSkipMuteLocked && m_link.Locks().IsLocked(CLockState::kOutMute))
        {
            Fail(LineText(ELineText::WhyMuteLocked, m_eLanguage));
            return;
        }
        const int nOutputs = m_link.Connection().GetChannelCounts().nOutputs;
        for (const int nOutput : m_outputs)
            if (nOutput >= 0 && nOutput < nOutputs)
                m_link.Edit(EParam::kOutOn, {nOutput, 0}, m_eKind == EKind::kMute ? 0 : 1);
        m_ePhase = EPhase::kFlushing;
        OnRequestAnswered();
        return;
    }
    }
}

void CLineOperation::OnTransferFinished()
{
    if (m_ePhase != EPhase::kTransfer)
        return;
    QString strWhy;
    switch (m_eKind)
    {
    case EKind::kBackup:
        if (WriteBackupFiles(strWhy))
            Succeed();
        else
            Fail(strWhy);
        return;
    case EKind::kRestore:
        if (m_bSecondTransfer)
        {
            Succeed();
            return;
        }
        m_bSecondTransfer = true;
        // Read before the processor was reached, so it cannot be damaged.
        m_link.RecallProgramFromPC(m_abyProgram);
        return;
    case EKind::kRecall:
        m_link.Session().SetProgramNumber(m_nSlot);
        Succeed();
        return;
    case EKind::kMute:
    case EKind::kUnmute:
        return;
    }
}

void CLineOperation::OnRequestAnswered()
{
    if (m_ePhase == EPhase::kFlushing && !m_link.HasUnsentEdits())
        Succeed();
}

void CLineOperation::OnDisconnected(CConnection::EReason eReason)
{
    if (m_ePhase == EPhase::kIdle || m_bOwnDisconnect)
        return;
    m_bConnecting = false;
    if (m_ePhase == EPhase::kReturning)
    {
        End();
        return;
    }
    Fail(LineText(WhyOf(eReason), m_eLanguage));
}

void CLineOperation::Succeed()
{
    const Result result{CurrentId(), true, {}};
    m_results << result;
    m_ePhase = EPhase::kReaching;
    emit processorEnded(result);
    StartNext();
}

void CLineOperation::Fail(const QString& strWhy)
{
    const Result result{CurrentId(), false, strWhy};
    m_results << result;
    m_ePhase = EPhase::kReaching;
    emit processorEnded(result);
    StartNext();
}

void CLineOperation::End()
{
    if (m_ePhase != EPhase::kReturning && m_nReturnTo != 0 && m_link.IsConnected()
        && m_link.Record().GetDeviceId() != m_nReturnTo)
    {
        m_ePhase = EPhase::kReturning;
        if (m_link.SwitchTo(m_nReturnTo, CProcessorLink::EUnsentEdits::kSendFirst))
            return;
    }
    if (m_eKind == EKind::kBackup && !m_entries.isEmpty())
    {
        QString strReason;
        if (!LineBackup::WriteIndex(m_strFolder, m_entries, strReason))
        {
            // Without the index the folder is no backup: every processor's
            // files are there, but nothing says so.
            const QString strWhy = LineText(ELineText::WhyFileWrite, m_eLanguage)
                                       .arg(QDir(m_strFolder).filePath(LineBackup::kIndexName), strReason);
            for (Result& result : m_results)
                if (result.bOk)
                    result = Result{result.nId, false, strWhy};
        }
    }
    m_ePhase = EPhase::kIdle;
    m_pBank.reset();
    emit finished();
}

// ---- files -----------------------------------------------------------------------

bool CLineOperation::WriteBackupFiles(QString& strWhy)
{
    const int nId = CurrentId();
    const LineBackup::Entry entry = LineBackup::EntryFor(nId, m_labels.value(nId));
    const QDir folder(m_strFolder);
    QString strDetail;
    const QString strBank = folder.filePath(entry.strBankFile);
    ProgramFileError eError = ProgramFile::WriteBankFile(strBank, m_link.Transfer().GetBank(), &strDetail);
    if (eError == ProgramFileError::kNone)
    {
        // The record still holds the live program the switch read.
        const QString strProgram = folder.filePath(entry.strProgramFile);
        eError = ProgramFile::WriteProgramFile(strProgram, m_link.Record(), m_link.Locks(), &strDetail);
        if (eError != ProgramFileError::kNone)
            strWhy = LineText(ELineText::WhyFileWrite, m_eLanguage)
                         .arg(strProgram, LineBackup::Reason(eError, strDetail, m_eLanguage));
    }
    else
    {
        strWhy = LineText(ELineText::WhyFileWrite, m_eLanguage)
                     .arg(strBank, LineBackup::Reason(eError, strDetail, m_eLanguage));
    }
    if (eError != ProgramFileError::kNone)
        return false;
    m_entries << entry;
    return true;
}

bool CLineOperation::ReadRestoreFiles(QString& strWhy)
{
    QList<LineBackup::Entry> entries;
    QString strReason;
    const QString strIndex = QDir(m_strFolder).filePath(LineBackup::kIndexName);
    if (!LineBackup::ReadIndex(m_strFolder, entries, m_eLanguage, strReason))
    {
        strWhy = LineText(ELineText::WhyFileRead, m_eLanguage).arg(strIndex, strReason);
        return false;
    }
    const int nId = CurrentId();
    const auto it = std::find_if(entries.begin(), entries.end(), [nId](const auto& e) { return e.nId == nId; });
    if (it == entries.end())
    {
        strWhy = LineText(ELineText::WhyNotInBackup, m_eLanguage);
        return false;
    }
    const QDir folder(m_strFolder);
    auto pBank = std::make_unique<CProgramBank>();
    QString strDetail;
    const QString strBank = folder.filePath(it->strBankFile);
    ProgramFileError eError = ProgramFile::ReadBankFile(strBank, *pBank, &strDetail);
    QString strFailed = strBank;
    std::vector<uint8_t> program;
    if (eError == ProgramFileError::kNone)
    {
        strFailed = folder.filePath(it->strProgramFile);
        eError = ProgramFile::ReadFileBytes(strFailed, program, &strDetail);
        // Decoded here so a damaged file never reaches the processor.
        if (eError == ProgramFileError::kNone)
        {
            auto pCheck = std::make_unique<CAudio_Data>();
            CLockState locks;
            eError = ProgramFile::ReadProgramFile(strFailed, *pCheck, locks, &strDetail);
        }
    }
    if (eError != ProgramFileError::kNone)
    {
        strWhy = LineText(ELineText::WhyFileRead, m_eLanguage)
                     .arg(strFailed, LineBackup::Reason(eError, strDetail, m_eLanguage));
        return false;
    }
    m_pBank = std::move(pBank);
    m_abyProgram = std::move(program);
    return true;
}

// ---- the summary -------------------------------------------------------------------

QString CLineOperation::Title() const
{
    switch (m_eKind)
    {
    case EKind::kBackup:
        return LineText(ELineText::OpBackup, m_eLanguage);
    case EKind::kRestore:
        return LineText(ELineText::OpRestore, m_eLanguage);
    case EKind::kMute:
        return LineText(ELineText::OpMute, m_eLanguage);
    case EKind::kUnmute:
        return LineText(ELineText::OpUnmute, m_eLanguage);
    case EKind::kRecall:
        return LineText(ELineText::OpRecall, m_eLanguage).arg(m_nSlot);
    }
    return {};
}

QStringList CLineOperation::Summary() const
{
    QStringList lines;
    int nOk = 0;
    for (const Result& result : m_results)
    {
        nOk += result.bOk;
        lines << (result.bOk ? LineText(ELineText::ProcessorDone, m_eLanguage).arg(result.nId)
                             : LineText(ELineText::ProcessorFailed, m_eLanguage).arg(result.nId).arg(result.strWhy));
    }
    lines << LineText(ELineText::SummaryDone, m_eLanguage).arg(Title()).arg(nOk).arg(m_results.size());
    return lines;
}
