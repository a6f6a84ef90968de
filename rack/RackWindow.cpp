#include "rack/RackWindow.h"

#include "line/LineText.h"
#include "rack/RackChoices.h"
#include "rack/RackText.h"
#include "session/ProcessorLink.h"
#include "ui/MainSkin.h"
#include "ui/MessageBox.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QSettings>
#include <QSpinBox>
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
    , m_pSettings(std::make_unique<QSettings>())
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
    m_pTable = new CRackTable(m_model, this);

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
    m_pOperations = std::make_unique<CRackOperations>(m_link, m_model, *m_pTable, *this, m_asker,
                                                      CRackOperations::Display{m_pStatus, m_pProgress, m_pResults});

    m_pSearchTimer = new QTimer(this);
    m_pSearchTimer->setInterval(CConnection::kSearchIntervalMs);
    connect(m_pSearchTimer, &QTimer::timeout, &m_link.Connection(), &CConnection::SearchTick);
    connect(&m_link.Connection(), &CConnection::searchEnded, this, &CRackWindow::OnSearchEnded);
    connect(&m_link.Notice(), &CRecordNotice::languageChanged, this, &CRackWindow::ApplyLanguage);
    connect(m_pTable, &CRackTable::labelEdited, this, &CRackWindow::OnLabelEdited);

    CRackOperations* pLineWide = m_pOperations.get();
    connect(m_pTable, &CRackTable::muteClicked, pLineWide, &CRackOperations::ToggleMute);
    connect(pLineWide, &CRackOperations::busyChanged, this, &CRackWindow::SetBusy);
    connect(pLineWide, &CRackOperations::operationEnded, this, &CRackWindow::operationEnded);

    connect(m_apButton[kSearch], &QPushButton::clicked, this, &CRackWindow::OnSearch);
    connect(m_apButton[kEdit], &QPushButton::clicked, this, &CRackWindow::OnEdit);
    connect(m_apButton[kMute], &QPushButton::clicked, this,
            [this] { m_pOperations->StartMute(m_pOutputs->text(), true); });
    connect(m_apButton[kUnmute], &QPushButton::clicked, this,
            [this] { m_pOperations->StartMute(m_pOutputs->text(), false); });
    connect(m_apButton[kRecall], &QPushButton::clicked, this, [this] { m_pOperations->StartRecall(m_pSlot->value()); });
    connect(m_apButton[kBackup], &QPushButton::clicked, pLineWide, &CRackOperations::StartBackup);
    connect(m_apButton[kRestore], &QPushButton::clicked, pLineWide, &CRackOperations::StartRestore);
    connect(m_apButton[kCompareBackups], &QPushButton::clicked, pLineWide, &CRackOperations::StartCompareBackups);
    connect(m_apButton[kCompareLine], &QPushButton::clicked, pLineWide, &CRackOperations::StartCompareLine);

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

// ---- language and the labels -------------------------------------------------------

void CRackWindow::ApplyLanguage()
{
    const ELanguage eLanguage = Language();
    setWindowTitle(RackText(ERackText::Title, eLanguage));
    m_model.SetLanguage(eLanguage);
    for (const ButtonDef& def : kButtons)
    {
        QPushButton* pButton = m_apButton.at(def.eButton);
        pButton->setText(RackText(def.eText, eLanguage));
        pButton->setAccessibleName(pButton->text());
    }
    m_pOutputsLabel->setText(RackText(ERackText::OutputsLabel, eLanguage));
    m_pOutputs->setAccessibleName(RackText(ERackText::OutputsField, eLanguage));
    m_pSlot->setAccessibleName(RackText(ERackText::RecallSlot, eLanguage));
    m_pProgress->setAccessibleName(RackText(ERackText::Progress, eLanguage));
    m_pResults->setAccessibleName(RackText(ERackText::Results, eLanguage));
    if (!Operation().IsRunning() && !m_pSearchTimer->isActive())
        m_pStatus->setText(RackText(ERackText::Idle, eLanguage));
    m_pTable->SetLanguage(eLanguage);
}

void CRackWindow::OnLabelEdited(int nId, const QString& strLabel)
{
    m_model.SetLabel(nId, strLabel);
    RackChoices::SaveLabel(*m_pSettings, CRackOperations::Port(m_link), nId, strLabel);
}

void CRackWindow::SetBusy(bool bBusy)
{
    for (QPushButton* pButton : m_apButton)
        pButton->setEnabled(!bBusy);
}

// ---- search ------------------------------------------------------------------------

void CRackWindow::OnSearch()
{
    const ELanguage eLanguage = Language();
    if (Operation().IsRunning() || m_link.IsSwitching() || m_link.Connection().IsSearching()
        || (m_link.IsConnected() && m_link.HasUnsentEdits()))
    {
        CMessageBox::Show(this, RackText(ERackText::Busy, eLanguage));
        return;
    }
    const QString strPort = CRackOperations::Port(m_link);
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
    SetBusy(Operation().IsRunning());
    m_pStatus->setText(RackText(ERackText::Idle, Language()));
    const QList<int> ids = RackChoices::FoundIds(m_link.Connection().GetDeviceIdTable());
    m_model.SetIds(ids);
    const QMap<int, QString> labels = RackChoices::LoadLabels(*m_pSettings, m_link.Connection().PortName());
    for (const int nId : ids)
        m_model.SetLabel(nId, labels.value(nId));
    const QMap<int, int>& programs = m_pOperations->Programs();
    for (auto it = programs.cbegin(); it != programs.cend(); ++it)
        m_model.Update(it.key(), [&](CRackModel::Row& row) { row.nProgram = it.value(); });
    const int nResume = std::exchange(m_nResumeId, 0);
    if (nResume != 0 && m_connector && !m_link.IsConnected())
        m_connector(m_strSearchPort, ids.contains(nResume) || ids.isEmpty() ? nResume : ids.front());
}

// ---- editing another processor -----------------------------------------------------

void CRackWindow::OnEdit()
{
    const ELanguage eLanguage = Language();
    const QList<int> selected = m_pTable->SelectedIds();
    if (selected.size() != 1)
    {
        CMessageBox::Show(this, RackText(ERackText::SelectOne, eLanguage));
        return;
    }
    const int nId = selected.front();
    if (!m_link.IsConnected())
    {
        const QString strPort = CRackOperations::Port(m_link);
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
    if (Operation().IsRunning() || !m_link.SwitchTo(nId, eUnsent))
        CMessageBox::Show(this, RackText(ERackText::Busy, eLanguage));
}
