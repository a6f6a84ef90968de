#include "rack/RackWindow.h"

#include "controls/ToggleButton.h"
#include "line/LineText.h"
#include "model/LockState.h"
#include "rack/RackChoices.h"
#include "rack/RackDiffDlg.h"
#include "rack/RackText.h"
#include "rack/RackViewModel.h"
#include "session/ProcessorLink.h"
#include "ui/MainSkin.h"
#include "ui/MessageBox.h"

#include <QDir>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QSettings>
#include <QSpinBox>
#include <QTableView>
#include <QTemporaryDir>
#include <QTimer>
#include <QVBoxLayout>

namespace
{
struct ButtonDef
{
    CRackWindow::EButton eButton;
    ERackText eText;
    const char* szObjectName;
};

constexpr std::array<ButtonDef, CRackWindow::kButtonCount> kButtons{{
    {CRackWindow::kSearch, ERackText::Search, "RackSearchButton"},
    {CRackWindow::kEdit, ERackText::Edit, "RackEditButton"},
    {CRackWindow::kMute, ERackText::MuteOutputs, "RackMuteButton"},
    {CRackWindow::kUnmute, ERackText::UnmuteOutputs, "RackUnmuteButton"},
    {CRackWindow::kRecall, ERackText::Recall, "RackRecallButton"},
    {CRackWindow::kBackup, ERackText::Backup, "RackBackupButton"},
    {CRackWindow::kRestore, ERackText::Restore, "RackRestoreButton"},
    {CRackWindow::kCompareBackups, ERackText::CompareBackups, "RackCompareBackupsButton"},
    {CRackWindow::kCompareLine, ERackText::CompareLine, "RackCompareLineButton"},
}};

CRackWindow::EAnswer AskInBox(QWidget* pParent, const QString& strQuestion, ELanguage eLanguage)
{
    QMessageBox box(QMessageBox::Question, CMessageBox::Caption(), strQuestion, QMessageBox::NoButton, pParent);
    QPushButton* pSend = box.addButton(RackText(ERackText::SendFirst, eLanguage), QMessageBox::AcceptRole);
    QPushButton* pDiscard = box.addButton(RackText(ERackText::Discard, eLanguage), QMessageBox::DestructiveRole);
    QPushButton* pCancel = box.addButton(RackText(ERackText::Cancel, eLanguage), QMessageBox::RejectRole);
    box.setDefaultButton(pSend);
    box.setEscapeButton(pCancel);
    box.exec();
    if (box.clickedButton() == pSend)
        return CRackWindow::EAnswer::kSendFirst;
    if (box.clickedButton() == pDiscard)
        return CRackWindow::EAnswer::kDiscard;
    return CRackWindow::EAnswer::kCancel;
}
}

CRackWindow::CRackWindow(CProcessorLink& link, QWidget* pParent)
    : QDialog(pParent)
    , m_link(link)
    , m_poll(link, m_model)
    , m_pOperation(std::make_unique<CLineOperation>(link, QString()))
    , m_pSettings(std::make_unique<QSettings>())
    , m_folderAsker([](QWidget* pParent, const QString& strTitle) {
        return QFileDialog::getExistingDirectory(pParent, strTitle);
    })
    , m_dialogRunner([](QDialog& dialog) { return dialog.exec(); })
{
    setObjectName(QStringLiteral("RackWindow"));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint
                   | Qt::WindowCloseButtonHint);
    setWindowIcon(CMainSkin::AppIcon());
    setStyleSheet(CMainSkin::StyleSheet());
    m_asker = [this](QWidget* pParent, const QString& strQuestion) {
        return AskInBox(pParent, strQuestion, Language());
    };

    for (const ButtonDef& def : kButtons)
    {
        auto* pButton = new QPushButton(this);
        pButton->setObjectName(QLatin1String(def.szObjectName));
        pButton->setAutoDefault(false);
        m_apButton.at(def.eButton) = pButton;
    }
    m_pView = new CRackViewModel(this);
    m_pView->setSourceModel(&m_model);
    m_pTable = new QTableView(this);
    m_pTable->setObjectName(QStringLiteral("RackTable"));
    m_pTable->setModel(m_pView);
    m_pTable->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_pTable->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_pTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_pTable->verticalHeader()->hide();
    m_pTable->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_pTable->horizontalHeader()->setSectionResizeMode(CRackModel::kColumnLabel, QHeaderView::Stretch);
    m_pTable->horizontalHeader()->setSectionResizeMode(CRackModel::kColumnProgramName, QHeaderView::Stretch);
    m_pTable->verticalHeader()->setDefaultSectionSize(28);

    m_pOutputsLabel = new QLabel(this);
    m_pOutputs = new QLineEdit(QStringLiteral("1-8"), this);
    m_pOutputs->setObjectName(QStringLiteral("RackOutputsField"));
    m_pOutputs->setMaximumWidth(90);
    m_pOutputsLabel->setBuddy(m_pOutputs);
    m_pSlot = new QSpinBox(this);
    m_pSlot->setObjectName(QStringLiteral("RackSlotBox"));
    m_pSlot->setRange(Frame::kFirstStoredProgram, Frame::kLastStoredProgram);
    m_pStatus = new QLabel(this);
    m_pStatus->setObjectName(QStringLiteral("RackStatus"));
    m_pProgress = new QProgressBar(this);
    m_pProgress->setObjectName(QStringLiteral("RackProgress"));
    m_pProgress->setRange(0, 1);
    m_pProgress->setValue(0);
    m_pProgress->setTextVisible(false);
    m_pProgress->setFixedHeight(10);
    m_pResults = new QListWidget(this);
    m_pResults->setObjectName(QStringLiteral("RackResults"));
    m_pResults->setMaximumHeight(110);

    auto* pLayout = new QVBoxLayout(this);
    auto* pTop = new QHBoxLayout;
    pTop->addWidget(m_apButton[kSearch]);
    pTop->addWidget(m_apButton[kEdit]);
    pTop->addStretch(1);
    pLayout->addLayout(pTop);
    pLayout->addWidget(m_pTable, 1);
    auto* pOperations = new QHBoxLayout;
    pOperations->addWidget(m_pOutputsLabel);
    pOperations->addWidget(m_pOutputs);
    pOperations->addWidget(m_apButton[kMute]);
    pOperations->addWidget(m_apButton[kUnmute]);
    pOperations->addSpacing(12);
    pOperations->addWidget(m_pSlot);
    pOperations->addWidget(m_apButton[kRecall]);
    pOperations->addSpacing(12);
    for (const EButton eButton : {kBackup, kRestore, kCompareBackups, kCompareLine})
        pOperations->addWidget(m_apButton.at(eButton));
    pOperations->addStretch(1);
    pLayout->addLayout(pOperations);
    pLayout->addWidget(m_pStatus);
    pLayout->addWidget(m_pProgress);
    pLayout->addWidget(m_pResults);
    resize(1000, 560);

    m_pSearchTimer = new QTimer(this);
    m_pSearchTimer->setInterval(CConnection::kSearchIntervalMs);
    connect(m_pSearchTimer, &QTimer::timeout, &m_link.Connection(), &CConnection::SearchTick);
    connect(&m_link.Connection(), &CConnection::searchEnded, this, &CRackWindow::OnSearchEnded);
    connect(&m_link, &CProcessorLink::switched, this, &CRackWindow::OnSwitched);
    connect(&m_link, &CProcessorLink::sessionChanged, this, [this] {
        // The edited processor's number is the one the program knows best.
        if (m_link.IsConnected() && m_link.Session().ProgramNumber() != 0)
            m_programs.insert(m_link.Record().GetDeviceId(), m_link.Session().ProgramNumber());
    });
    connect(&m_link.Notice(), &CRecordNotice::languageChanged, this, &CRackWindow::ApplyLanguage);
    connect(&m_model, &QAbstractItemModel::modelReset, this, &CRackWindow::BuildRowWidgets);
    connect(&m_model, &QAbstractItemModel::dataChanged, this, &CRackWindow::RefreshRowWidgets);

    connect(m_apButton[kSearch], &QPushButton::clicked, this, &CRackWindow::OnSearch);
    connect(m_apButton[kEdit], &QPushButton::clicked, this, &CRackWindow::OnEdit);
    connect(m_apButton[kMute], &QPushButton::clicked, this, [this] { StartMute(true); });
    connect(m_apButton[kUnmute], &QPushButton::clicked, this, [this] { StartMute(false); });
    connect(m_apButton[kRecall], &QPushButton::clicked, this, &CRackWindow::StartRecall);
    connect(m_apButton[kBackup], &QPushButton::clicked, this, &CRackWindow::StartBackup);
    connect(m_apButton[kRestore], &QPushButton::clicked, this, &CRackWindow::StartRestore);
    connect(m_apButton[kCompareBackups], &QPushButton::clicked, this, &CRackWindow::StartCompareBackups);
    connect(m_apButton[kCompareLine], &QPushButton::clicked, this, &CRackWindow::StartCompareLine);

    ApplyLanguage();
}

CRackWindow::~CRackWindow()
{
    m_poll.Stop();
    if (m_link.Connection().IsSearching() && m_pSearchTimer->isActive())
        m_link.Connection().StopSearch();
}

void CRackWindow::SetSettings(std::unique_ptr<QSettings> pSettings)
{
    m_pSettings = std::move(pSettings);
}

void CRackWindow::SetSearchIntervalMs(int nMs)
{
    m_pSearchTimer->setInterval(nMs);
}

ELanguage CRackWindow::Language() const
{
    return m_link.Notice().Language();
}

QString CRackWindow::Port() const
{
    // The port of the last connection, else of the last search.
    const QString strPort = m_link.Session().PortName();
    return strPort.isEmpty() ? m_link.Connection().PortName() : strPort;
}

void CRackWindow::paintEvent(QPaintEvent* /*pEvent*/)
{
    QPainter painter(this);
    CMainSkin::PaintBackground(painter, rect());
}

void CRackWindow::showEvent(QShowEvent* pEvent)
{
    QDialog::showEvent(pEvent);
    m_poll.Start();
}

void CRackWindow::hideEvent(QHideEvent* pEvent)
{
    m_poll.Stop();
    QDialog::hideEvent(pEvent);
}

// ---- language and the rows' own controls -----------------------------------------

void CRackWindow::ApplyLanguage()
{
    const ELanguage eLanguage = Language();
    setWindowTitle(RackText(ERackText::Title, eLanguage));
    m_model.SetLanguage(eLanguage);
    m_pView->SetLanguage(eLanguage);
    for (const ButtonDef& def : kButtons)
    {
        QPushButton* pButton = m_apButton.at(def.eButton);
        pButton->setText(RackText(def.eText, eLanguage));
        pButton->setAccessibleName(pButton->text());
    }
    m_pOutputsLabel->setText(RackText(ERackText::OutputsLabel, eLanguage));
    m_pOutputs->setAccessibleName(RackText(ERackText::OutputsField, eLanguage));
    m_pSlot->setAccessibleName(RackText(ERackText::RecallSlot, eLanguage));
    m_pTable->setAccessibleName(RackText(ERackText::Table, eLanguage));
    m_pProgress->setAccessibleName(RackText(ERackText::Progress, eLanguage));
    m_pResults->setAccessibleName(RackText(ERackText::Results, eLanguage));
    if (!m_pOperation->IsRunning() && !m_pSearchTimer->isActive())
        m_pStatus->setText(RackText(ERackText::Idle, eLanguage));
    BuildRowWidgets();
}

void CRackWindow::BuildRowWidgets()
{
    const ELanguage eLanguage = Language();
    const QList<int> ids = m_model.Ids();
    for (int nRow = 0; nRow < ids.size(); ++nRow)
    {
        const int nId = ids.at(nRow);
        auto* pLabel = new QLineEdit(m_model.Find(nId)->strLabel);
        pLabel->setObjectName(QStringLiteral("RackLabel%1").arg(nId));
        pLabel->setAccessibleName(RackText(ERackText::LabelName, eLanguage).arg(nId));
        pLabel->setFrame(false);
        connect(pLabel, &QLineEdit::editingFinished, this, [this, nId] { OnLabelEdited(nId); });
        m_pTable->setIndexWidget(m_pView->index(nRow, CRackModel::kColumnLabel), pLabel);
        // Made afresh in the language now in use.
        for (int nOutput = 0; nOutput < CRackModel::kOutputs; ++nOutput)
            m_pTable->setIndexWidget(m_pView->index(nRow, CRackModel::kColumnFirstMute + nOutput), nullptr);
    }
    RefreshRowWidgets();
}

CToggleButton* CRackWindow::MakeMuteToggle(int nId, int nOutput)
{
    const ELanguage eLanguage = Language();
    auto* pToggle = new CToggleButton(CToggleButton::EStyle::Mute);
    pToggle->setObjectName(QStringLiteral("RackMute%1_%2").arg(nId).arg(nOutput + 1));
    pToggle->setCheckable(true);
    pToggle->SetLanguage(eLanguage);
    pToggle->SetChannel(RackChoices::MuteChannel(nId, nOutput, eLanguage));
    connect(pToggle, &CToggleButton::clicked, this, [this, nId, nOutput] { OnMuteToggle(nId, nOutput); });
    return pToggle;
}

void CRackWindow::RefreshRowWidgets()
{
    for (const int nId : m_model.Ids())
    {
        const CRackModel::Row& row = *m_model.Find(nId);
        if (QLineEdit* pLabel = LabelField(nId); pLabel && !pLabel->hasFocus() && pLabel->text() != row.strLabel)
            pLabel->setText(row.strLabel);
        const int nRow = static_cast<int>(m_model.Ids().indexOf(nId));
        for (int nOutput = 0; nOutput < CRackModel::kOutputs; ++nOutput)
        {
            const QModelIndex cell = m_pView->index(nRow, CRackModel::kColumnFirstMute + nOutput);
            CToggleButton* pToggle = MuteToggle(nId, nOutput);
            // An output the model lacks, or mutes not read yet, have no toggle
            // (the view shows every widget a cell holds).
            if (!row.bMutesKnown || nOutput >= row.nOutputs)
            {
                if (pToggle)
                    m_pTable->setIndexWidget(cell, nullptr);
                continue;
            }
            if (!pToggle)
            {
                pToggle = MakeMuteToggle(nId, nOutput);
                m_pTable->setIndexWidget(cell, pToggle);
            }
            // Checked is on: the speaker of the panels' mute buttons.
            pToggle->setChecked(!row.abMuted.at(static_cast<size_t>(nOutput)));
        }
    }
}

CToggleButton* CRackWindow::MuteToggle(int nId, int nOutput) const
{
    const int nRow = static_cast<int>(m_model.Ids().indexOf(nId));
    if (nRow < 0 || nOutput < 0 || nOutput >= CRackModel::kOutputs)
        return nullptr;
    return qobject_cast<CToggleButton*>(
        m_pTable->indexWidget(m_pView->index(nRow, CRackModel::kColumnFirstMute + nOutput)));
}

QLineEdit* CRackWindow::LabelField(int nId) const
{
    const int nRow = static_cast<int>(m_model.Ids().indexOf(nId));
    if (nRow < 0)
        return nullptr;
    return qobject_cast<QLineEdit*>(m_pTable->indexWidget(m_pView->index(nRow, CRackModel::kColumnLabel)));
}

void CRackWindow::OnLabelEdited(int nId)
{
    QLineEdit* pLabel = LabelField(nId);
    if (!pLabel)
        return;
    const QString strLabel = pLabel->text().trimmed();
    m_model.SetLabel(nId, strLabel);
    RackChoices::SaveLabel(*m_pSettings, Port(), nId, strLabel);
}

// ---- selection -------------------------------------------------------------------

void CRackWindow::SelectIds(const QList<int>& ids)
{
    m_pTable->clearSelection();
    const QList<int> all = m_model.Ids();
    for (const int nId : ids)
        if (const int nRow = static_cast<int>(all.indexOf(nId)); nRow >= 0)
            m_pTable->selectionModel()->select(m_pView->index(nRow, 0),
                                               QItemSelectionModel::Select | QItemSelectionModel::Rows);
}

QList<int> CRackWindow::TargetIds() const
{
    QList<int> selected;
    const QList<int> all = m_model.Ids();
    for (const QModelIndex& index : m_pTable->selectionModel()->selectedRows())
        selected << all.value(index.row());
    return RackChoices::TargetIds(selected, all);
}

// ---- search ------------------------------------------------------------------------

void CRackWindow::OnSearch()
{
    const ELanguage eLanguage = Language();
    if (m_pOperation->IsRunning() || m_link.IsSwitching() || m_link.Connection().IsSearching()
        || (m_link.IsConnected() && m_link.HasUnsentEdits()))
    {
        CMessageBox::Show(this, RackText(ERackText::Busy, eLanguage));
        return;
    }
    const QString strPort = Port();
    if (strPort.isEmpty())
    {
        CMessageBox::Show(this, RackText(ERackText::NoPort, eLanguage));
        return;
    }
    m_nResumeId = 0;
    if (m_link.IsConnected())
    {
        // A search needs the line to itself; the editor comes back to its
        // processor when it has ended.
        if (m_link.Compare().HasUnsentSide()
            && m_asker(this, RackText(ERackText::UnsentSide, eLanguage)) == EAnswer::kCancel)
            return;
        m_nResumeId = m_link.Record().GetDeviceId();
        m_link.Connection().Disconnect(CConnection::EReason::User);
    }
    if (!m_link.Connection().StartSearch(strPort))
    {
        CMessageBox::Show(this, LineText(ELineText::WhyPortFailed, eLanguage), CMessageBox::EIcon::Warning);
        return;
    }
    m_strSearchPort = strPort;
    SetBusy(true);
    m_pStatus->setText(RackText(ERackText::Searching, eLanguage));
    m_pSearchTimer->start();
}

void CRackWindow::OnSearchEnded()
{
    m_pSearchTimer->stop();
    SetBusy(m_pOperation->IsRunning());
    m_pStatus->setText(RackText(ERackText::Idle, Language()));
    const QList<int> ids = RackChoices::FoundIds(m_link.Connection().GetDeviceIdTable());
    m_model.SetIds(ids);
    const QMap<int, QString> labels = RackChoices::LoadLabels(*m_pSettings, m_link.Connection().PortName());
    for (const int nId : ids)
        m_model.SetLabel(nId, labels.value(nId));
    for (auto it = m_programs.cbegin(); it != m_programs.cend(); ++it)
        m_model.Update(it.key(), [&](CRackModel::Row& row) { row.nProgram = it.value(); });
    const int nResume = std::exchange(m_nResumeId, 0);
    if (nResume != 0 && m_connector && !m_link.IsConnected())
        m_connector(m_strSearchPort, ids.contains(nResume) || ids.isEmpty() ? nResume : ids.front());
}

// ---- editing another processor -----------------------------------------------------

void CRackWindow::OnEdit()
{
    const ELanguage eLanguage = Language();
    QList<int> selected;
    for (const QModelIndex& index : m_pTable->selectionModel()->selectedRows())
        selected << m_model.Ids().value(index.row());
    if (selected.size() != 1)
    {
        CMessageBox::Show(this, RackText(ERackText::SelectOne, eLanguage));
        return;
    }
    const int nId = selected.front();
    if (!m_link.IsConnected())
    {
        const QString strPort = Port();
        if (strPort.isEmpty())
            CMessageBox::Show(this, RackText(ERackText::NoPort, eLanguage));
        else if (m_connector)
            m_connector(strPort, nId);
        return;
    }
    if (m_link.Record().GetDeviceId() == nId && !m_link.IsSwitching())
        return;
    CProcessorLink::EUnsentEdits eUnsent = CProcessorLink::EUnsentEdits::kSendFirst;
    const QString strQuestion =
        RackChoices::SwitchQuestion(nId, m_link.HasUnsentEdits(), m_link.Compare().HasUnsentSide(), eLanguage);
    if (!strQuestion.isEmpty())
    {
        const EAnswer eAnswer = m_asker(this, strQuestion);
        if (eAnswer == EAnswer::kCancel)
            return;
        if (eAnswer == EAnswer::kDiscard)
            eUnsent = CProcessorLink::EUnsentEdits::kDiscard;
    }
    if (m_pOperation->IsRunning() || !m_link.SwitchTo(nId, eUnsent))
        CMessageBox::Show(this, RackText(ERackText::Busy, eLanguage));
}

void CRackWindow::OnSwitched(int nId)
{
    // The processor cannot tell its live program's number; the program
    // remembers the one it recalled last.
    if (m_link.Session().ProgramNumber() == 0 && m_programs.contains(nId))
        m_link.Session().SetProgramNumber(m_programs.value(nId));
}

// ---- mutes ---------------------------------------------------------------------------

void CRackWindow::OnMuteToggle(int nId, int nOutput)
{
    RefreshRowWidgets(); // the toggle shows what the processor has until it changes
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
            CMessageBox::Show(this, RackText(ERackText::MuteLocked, Language()));
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

void CRackWindow::StartMute(bool bMute)
{
    const std::optional<QList<int>> outputs = RackChoices::Outputs(m_pOutputs->text());
    if (!outputs)
    {
        CMessageBox::Show(this, RackText(ERackText::BadOutputs, Language()));
        return;
    }
    m_outputs = *outputs;
    m_bMute = bMute;
    const QList<int> ids = TargetIds();
    if (ReadyOperation(ids, ERun::kMute, EAfter::kSummary))
        m_pOperation->Mute(ids, m_outputs, bMute);
}

// ---- the other operations ---------------------------------------------------------

void CRackWindow::StartRecall()
{
    m_nSlot = m_pSlot->value();
    const QList<int> ids = TargetIds();
    if (ReadyOperation(ids, ERun::kRecall, EAfter::kSummary))
        m_pOperation->Recall(ids, m_nSlot);
}

void CRackWindow::StartBackup()
{
    const QList<int> ids = TargetIds();
    if (ids.isEmpty())
        return;
    const QString strFolder = m_folderAsker(this, RackText(ERackText::BackupFolder, Language()));
    if (strFolder.isEmpty())
        return;
    // A folder typed in the dialog may not be there yet.
    if (!QDir().mkpath(strFolder))
    {
        CMessageBox::Show(this,
                          LineText(ELineText::WhyFileWrite, Language())
                              .arg(strFolder, LineText(ELineText::FileCannotWrite, Language())),
                          CMessageBox::EIcon::Warning);
        return;
    }
    if (ReadyOperation(ids, ERun::kOther, EAfter::kSummary))
        m_pOperation->Backup(ids, strFolder);
}

void CRackWindow::StartRestore()
{
    const QList<int> ids = TargetIds();
    if (ids.isEmpty())
        return;
    const QString strFolder = m_folderAsker(this, RackText(ERackText::RestoreFolder, Language()));
    if (!strFolder.isEmpty() && ReadyOperation(ids, ERun::kOther, EAfter::kSummary))
        m_pOperation->Restore(ids, strFolder);
}

void CRackWindow::StartCompareBackups()
{
    const QString strFirst = m_folderAsker(this, RackText(ERackText::FirstBackup, Language()));
    if (strFirst.isEmpty())
        return;
    const QString strSecond = m_folderAsker(this, RackText(ERackText::SecondBackup, Language()));
    if (strSecond.isEmpty())
        return;
    // A comparison of two folders needs no processor; the selection narrows it.
    QList<int> selected;
    for (const QModelIndex& index : m_pTable->selectionModel()->selectedRows())
        selected << m_model.Ids().value(index.row());
    ShowDiff(strFirst, strSecond, strSecond, selected);
}

void CRackWindow::StartCompareLine()
{
    const QList<int> ids = TargetIds();
    if (ids.isEmpty())
        return;
    const QString strFirst = m_folderAsker(this, RackText(ERackText::FirstBackup, Language()));
    if (strFirst.isEmpty())
        return;
    // The line is compared as a backup just taken of it.
    auto pCopy = std::make_unique<QTemporaryDir>();
    if (!pCopy->isValid())
    {
        CMessageBox::ShowFailure(this, RackText(ERackText::CompareFailed, Language()).arg(pCopy->path()),
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

bool CRackWindow::ReadyOperation(const QList<int>& ids, ERun eRun, EAfter eAfter)
{
    const ELanguage eLanguage = Language();
    if (ids.isEmpty())
        return false;
    if (m_pOperation->IsRunning() || m_link.IsSwitching() || m_link.Connection().IsSearching())
    {
        CMessageBox::Show(this, RackText(ERackText::Busy, eLanguage));
        return false;
    }
    const QString strPort = Port();
    if (strPort.isEmpty())
    {
        CMessageBox::Show(this, RackText(ERackText::NoPort, eLanguage));
        return false;
    }
    // Visiting another processor starts the editor's A/B sides afresh.
    const int nEdited = m_link.IsConnected() ? m_link.Record().GetDeviceId() : 0;
    const bool bLeaves = std::any_of(ids.begin(), ids.end(), [nEdited](int nId) { return nId != nEdited; });
    if (bLeaves && m_link.Compare().HasUnsentSide()
        && m_asker(this, RackText(ERackText::OperationLosesSide, eLanguage)) == EAnswer::kCancel)
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
    connect(pOperation.get(), &CLineOperation::processorStarted, this, &CRackWindow::OnProcessorStarted);
    connect(pOperation.get(), &CLineOperation::processorEnded, this, &CRackWindow::OnProcessorEnded);
    connect(pOperation.get(), &CLineOperation::finished, this, &CRackWindow::OnOperationFinished);
    m_pOperation = std::move(pOperation);
    m_eRun = eRun;
    m_eAfter = eAfter;
    BeginProgress();
    return true;
}

// ---- progress and the summary ------------------------------------------------------

void CRackWindow::BeginProgress()
{
    SetBusy(true);
    m_pResults->clear();
    m_pProgress->setRange(0, 1);
    m_pProgress->setValue(0);
}

void CRackWindow::SetBusy(bool bBusy)
{
    for (QPushButton* pButton : m_apButton)
        pButton->setEnabled(!bBusy);
}

void CRackWindow::OnProcessorStarted(int nId, int nIndex, int nCount)
{
    m_pStatus->setText(RackChoices::ProgressText(m_pOperation->Title(), nId, nIndex, nCount, Language()));
    m_pProgress->setRange(0, nCount);
    m_pProgress->setValue(nIndex);
}

void CRackWindow::OnProcessorEnded(const CLineOperation::Result& result)
{
    // The summary's line of this processor: the last before the total.
    const QStringList lines = m_pOperation->Summary();
    m_pResults->addItem(lines.value(lines.size() - 2));
    m_pResults->scrollToBottom();
    m_pProgress->setValue(static_cast<int>(m_pOperation->Results().size()));
    if (!result.bOk)
        return;
    if (m_eRun == ERun::kRecall)
    {
        m_programs.insert(result.nId, m_nSlot);
        m_model.Update(result.nId, [this](CRackModel::Row& row) { row.nProgram = m_nSlot; });
    }
}

void CRackWindow::OnOperationFinished()
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
    SetBusy(false);
    m_pStatus->setText(RackText(ERackText::Idle, eLanguage));
    const EAfter eAfter = std::exchange(m_eAfter, EAfter::kSummary);
    const QString strSummary = m_pOperation->Summary().join(QLatin1Char('\n'));
    const CMessageBox::EIcon eIcon = bAllOk ? CMessageBox::EIcon::Information : CMessageBox::EIcon::Warning;
    if (eAfter == EAfter::kSummary || (!bAllOk && eAfter != EAfter::kCompareLine))
        CMessageBox::Show(this, strSummary, eIcon);
    if (eAfter == EAfter::kCompareLine)
    {
        if (!bAllOk)
            CMessageBox::Show(this, strSummary, eIcon);
        ShowDiff(m_strCompareFirst, m_pLineCopy->path(), RackText(ERackText::BackupOfLine, eLanguage), m_compareIds);
        m_pLineCopy.reset();
    }
    emit operationEnded();
}

void CRackWindow::ShowDiff(const QString& strFirst, const QString& strSecond, const QString& strSecondName,
                           const QList<int>& ids)
{
    const ELanguage eLanguage = Language();
    QList<LineDiff::Row> rows;
    QString strReason;
    if (!LineDiff::CompareBackups(strFirst, strSecond, eLanguage, rows, strReason, ids))
    {
        CMessageBox::Show(this, RackText(ERackText::CompareFailed, eLanguage).arg(strReason),
                          CMessageBox::EIcon::Warning);
        return;
    }
    CRackDiffDlg dialog(rows, RackText(ERackText::CompareTitle, eLanguage).arg(strFirst, strSecondName), eLanguage,
                        this);
    m_dialogRunner(dialog);
}
