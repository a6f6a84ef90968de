#include "rack/RackOperations.h"

#include "line/LineDiff.h"
#include "line/LineText.h"
#include "line/RackModel.h"
#include "model/LockState.h"
#include "rack/RackChoices.h"
#include "rack/RackDiffDlg.h"
#include "rack/RackTable.h"
#include "rack/RackText.h"
#include "session/ProcessorLink.h"
#include "ui/MessageBox.h"

#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QTemporaryDir>

CRackOperations::CRackOperations(CProcessorLink& link, CRackModel& model, CRackTable& table, QWidget& window,
                                 const Asker& asker, const Display& display)
    : m_link(link)
    , m_model(model)
    , m_table(table)
    , m_window(window)
    , m_asker(asker)
    , m_display(display)
    , m_pOperation(std::make_unique<CLineOperation>(link, QString()))
    , m_folderAsker([](QWidget* pParent, const QString& strTitle) {
        return QFileDialog::getExistingDirectory(pParent, strTitle);
    })
    , m_dialogRunner([](QDialog& dialog) { return dialog.exec(); })
{
    connect(&m_link, &CProcessorLink::switched, this, [this](int nId) {
        // The processor cannot tell its live program's number; the program
        // remembers the one it recalled last.
        if (m_link.Session().ProgramNumber() == 0 && m_programs.contains(nId))
            m_link.Session().SetProgramNumber(m_programs.value(nId));
    });
    connect(&m_link, &CProcessorLink::sessionChanged, this, [this] {
        // The edited processor's number is the one the program knows best.
        if (m_link.IsConnected() && m_link.Session().ProgramNumber() != 0)
            m_programs.insert(m_link.Record().GetDeviceId(), m_link.Session().ProgramNumber());
    });
}

CRackOperations::~CRackOperations() = default;

QString CRackOperations::Port(const CProcessorLink& link)
{
    const QString strPort = link.Session().PortName();
    return strPort.isEmpty() ? link.Connection().PortName() : strPort;
}

ELanguage CRackOperations::Language() const
{
    return m_link.Notice().Language();
}

// ---- mutes ---------------------------------------------------------------------------

void CRackOperations::ToggleMute(int nId, int nOutput)
{
    const CRackModel::Row* pRow = m_model.Find(nId);
    if (!pRow)
        return;
    const bool bMute = !pRow->abMuted.at(static_cast<size_t>(nOutput));
    const bool bEdited = m_link.IsConnected() && !m_link.IsSwitching() && m_link.Record().GetDeviceId() == nId
                         && m_link.Connection().GetState() == CConnection::EState::Idle;
    if (bEdited)
    {
        if (m_link.Locks().IsLocked(CLockState::kOutMute))
        {
            CMessageBox::Show(&m_window, RackText(ERackText::MuteLocked, Language()));
            return;
        }
        m_link.Edit(EParam::kOutOn, {nOutput, 0}, bMute ? 0 : 1);
        return;
    }
    m_outputs = {nOutput};
    m_bMute = bMute;
    if (ReadyOperation({nId}, ERun::kMute, EAfter::kQuietToggle))
        m_pOperation->Mute({nId}, m_outputs, bMute);
}

void CRackOperations::StartMute(const QString& strOutputs, bool bMute)
{
    const std::optional<QList<int>> outputs = RackChoices::Outputs(strOutputs);
    if (!outputs)
    {
        CMessageBox::Show(&m_window, RackText(ERackText::BadOutputs, Language()));
        return;
    }
    m_outputs = *outputs;
    m_bMute = bMute;
    const QList<int> ids = m_table.TargetIds();
    if (ReadyOperation(ids, ERun::kMute, EAfter::kSummary))
        m_pOperation->Mute(ids, m_outputs, bMute);
}

// ---- the other operations ---------------------------------------------------------

void CRackOperations::StartRecall(int nSlot)
{
    m_nSlot = nSlot;
    const QList<int> ids = m_table.TargetIds();
    if (ReadyOperation(ids, ERun::kRecall, EAfter::kSummary))
        m_pOperation->Recall(ids, m_nSlot);
}

void CRackOperations::StartBackup()
{
    const QList<int> ids = m_table.TargetIds();
    if (ids.isEmpty())
        return;
    const QString strFolder = m_folderAsker(&m_window, RackText(ERackText::BackupFolder, Language()));
    if (strFolder.isEmpty())
        return;
    // A folder typed in the dialog may not be there yet.
    if (!QDir().mkpath(strFolder))
    {
        CMessageBox::Show(&m_window,
                          LineText(ELineText::WhyFileWrite, Language())
                              .arg(strFolder, LineText(ELineText::FileCannotWrite, Language())),
                          CMessageBox::EIcon::Warning);
        return;
    }
    if (ReadyOperation(ids, ERun::kOther, EAfter::kSummary))
        m_pOperation->Backup(ids, strFolder);
}

void CRackOperations::StartRestore()
{
    const QList<int> ids = m_table.TargetIds();
    if (ids.isEmpty())
        return;
    const QString strFolder = m_folderAsker(&m_window, RackText(ERackText::RestoreFolder, Language()));
    if (!strFolder.isEmpty() && ReadyOperation(ids, ERun::kOther, EAfter::kSummary))
        m_pOperation->Restore(ids, strFolder);
}

void CRackOperations::StartCompareBackups()
{
    const QString strFirst = m_folderAsker(&m_window, RackText(ERackText::FirstBackup, Language()));
    if (strFirst.isEmpty())
        return;
    const QString strSecond = m_folderAsker(&m_window, RackText(ERackText::SecondBackup, Language()));
    if (strSecond.isEmpty())
        return;
    // A comparison of two folders needs no processor; the selection narrows it.
    ShowDiff(strFirst, strSecond, strSecond, m_table.SelectedIds());
}

void CRackOperations::StartCompareLine()
{
    const QList<int> ids = m_table.TargetIds();
    if (ids.isEmpty())
        return;
    const QString strFirst = m_folderAsker(&m_window, RackText(ERackText::FirstBackup, Language()));
    if (strFirst.isEmpty())
        return;
    // The line is compared as a backup just taken of it.
    auto pCopy = std::make_unique<QTemporaryDir>();
    if (!pCopy->isValid())
    {
        CMessageBox::ShowFailure(&m_window, RackText(ERackText::CompareFailed, Language()).arg(pCopy->path()),
                                 pCopy->errorString());
        return;
    }
    if (!ReadyOperation(ids, ERun::kOther, EAfter::kCompareLine))
        return;
    m_pLineCopy = std::move(pCopy);
    m_strCompareFirst = strFirst;
    m_compareIds = ids;
    m_pOperation->Backup(ids, m_pLineCopy->path());
}

bool CRackOperations::ReadyOperation(const QList<int>& ids, ERun eRun, EAfter eAfter)
{
    const ELanguage eLanguage = Language();
    if (ids.isEmpty())
        return false;
    if (m_pOperation->IsRunning() || m_link.IsSwitching() || m_link.Connection().IsSearching())
    {
        CMessageBox::Show(&m_window, RackText(ERackText::Busy, eLanguage));
        return false;
    }
    const QString strPort = Port(m_link);
    if (strPort.isEmpty())
    {
        CMessageBox::Show(&m_window, RackText(ERackText::NoPort, eLanguage));
        return false;
    }
    // Visiting another processor starts the editor's A/B sides afresh.
    const int nEdited = m_link.IsConnected() ? m_link.Record().GetDeviceId() : 0;
    const bool bLeaves = std::any_of(ids.begin(), ids.end(), [nEdited](int nId) { return nId != nEdited; });
    if (bLeaves && m_link.Compare().HasUnsentSide()
        && m_asker(&m_window, RackText(ERackText::OperationLosesSide, eLanguage)) == EAnswer::kCancel)
        return false;
    // The operation is made for the port of this run.
    auto pOperation = std::make_unique<CLineOperation>(m_link, strPort);
    // Line-wide mutes keep to the function locks as the editor's buttons do.
    pOperation->SetSkipMuteLocked(true);
    pOperation->SetLanguage(eLanguage);
    QMap<int, QString> labels;
    for (const int nId : m_model.Ids())
        labels.insert(nId, m_model.Find(nId)->strLabel);
    pOperation->SetLabels(labels);
    connect(pOperation.get(), &CLineOperation::processorStarted, this, &CRackOperations::OnProcessorStarted);
    connect(pOperation.get(), &CLineOperation::processorEnded, this, &CRackOperations::OnProcessorEnded);
    connect(pOperation.get(), &CLineOperation::finished, this, &CRackOperations::OnOperationFinished);
    m_pOperation = std::move(pOperation);
    m_eRun = eRun;
    m_eAfter = eAfter;
    emit busyChanged(true);
    m_display.pResults->clear();
    m_display.pProgress->setRange(0, 1);
    m_display.pProgress->setValue(0);
    return true;
}

// ---- progress and the summary ------------------------------------------------------

void CRackOperations::OnProcessorStarted(int nId, int nIndex, int nCount)
{
    m_display.pStatus->setText(RackChoices::ProgressText(m_pOperation->Title(), nId, nIndex, nCount, Language()));
    m_display.pProgress->setRange(0, nCount);
    m_display.pProgress->setValue(nIndex);
}

void CRackOperations::OnProcessorEnded(const CLineOperation::Result& result)
{
    // The summary's line of this processor: the last before the total.
    const QStringList lines = m_pOperation->Summary();
    m_display.pResults->addItem(lines.value(lines.size() - 2));
    m_display.pResults->scrollToBottom();
    m_display.pProgress->setValue(static_cast<int>(m_pOperation->Results().size()));
    if (!result.bOk)
        return;
    if (m_eRun == ERun::kRecall)
    {
        m_programs.insert(result.nId, m_nSlot);
        m_model.Update(result.nId, [this](CRackModel::Row& row) { row.nProgram = m_nSlot; });
    }
}

void CRackOperations::OnOperationFinished()
{
    const ELanguage eLanguage = Language();
    const QList<CLineOperation::Result>& results = m_pOperation->Results();
    const bool bAllOk = std::all_of(results.begin(), results.end(), [](const auto& r) { return r.bOk; });
    // The poll reads mutes only while nobody edits; what went out is known.
    if (m_eRun == ERun::kMute)
        for (const CLineOperation::Result& result : results)
            if (result.bOk)
                m_model.Update(result.nId, [this](CRackModel::Row& row) {
                    for (const int nOutput : m_outputs)
                        if (nOutput < row.nOutputs)
                            row.abMuted.at(static_cast<size_t>(nOutput)) = m_bMute;
                });
    emit busyChanged(false);
    m_display.pStatus->setText(RackText(ERackText::Idle, eLanguage));
    const EAfter eAfter = std::exchange(m_eAfter, EAfter::kSummary);
    const QString strSummary = m_pOperation->Summary().join(QLatin1Char('\n'));
    const CMessageBox::EIcon eIcon = bAllOk ? CMessageBox::EIcon::Information : CMessageBox::EIcon::Warning;
    if (eAfter == EAfter::kSummary || (!bAllOk && eAfter != EAfter::kCompareLine))
        CMessageBox::Show(&m_window, strSummary, eIcon);
    if (eAfter == EAfter::kCompareLine)
    {
        if (!bAllOk)
            CMessageBox::Show(&m_window, strSummary, eIcon);
        ShowDiff(m_strCompareFirst, m_pLineCopy->path(), RackText(ERackText::BackupOfLine, eLanguage), m_compareIds);
        m_pLineCopy.reset();
    }
    emit operationEnded();
}

void CRackOperations::ShowDiff(const QString& strFirst, const QString& strSecond, const QString& strSecondName,
                               const QList<int>& ids)
{
    const ELanguage eLanguage = Language();
    QList<LineDiff::Row> rows;
    QString strReason;
    if (!LineDiff::CompareBackups(strFirst, strSecond, eLanguage, rows, strReason, ids))
    {
        CMessageBox::Show(&m_window, RackText(ERackText::CompareFailed, eLanguage).arg(strReason),
                          CMessageBox::EIcon::Warning);
        return;
    }
    CRackDiffDlg dialog(rows, RackText(ERackText::CompareTitle, eLanguage).arg(strFirst, strSecondName), eLanguage,
                        &m_window);
    m_dialogRunner(dialog);
}
