#include "programs/ProgramDlg.h"

#include "model/Audio_Data.h"
#include "ui/CommonText.h"
#include "model/DataDefine.h"
#include "model/ValueText.h"
#include "model/LockState.h"
#include "ui/MessageBox.h"
#include "programs/ProgramManager.h"
#include "link/SessionState.h"
#include "programs/ProgramsText.h"
#include "wire/WireNumbers.h"
#include "ui/TypedTextValidator.h"

#include <QButtonGroup>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <string>

namespace
{
constexpr int kNameChars = Frame::kProgramNameBytes;
constexpr int kNumberColumnWidth = 70;
constexpr int kNameColumnWidth = 195;

QString Latin1(const std::string& text)
{
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

QRadioButton* MakeRadio(QWidget* pParent, QButtonGroup* pGroup, int nId, const char* szName)
{
    auto* pRadio = new QRadioButton(pParent);
    pRadio->setObjectName(QLatin1String(szName));
    pGroup->addButton(pRadio, nId);
    return pRadio;
}

QPushButton* MakeButton(QWidget* pParent, const char* szName)
{
    auto* pButton = new QPushButton(pParent);
    pButton->setObjectName(QLatin1String(szName));
    pButton->setAutoDefault(false);
    return pButton;
}
}

CProgramDlg::CProgramDlg(CProgramManager& manager, ELanguage eLanguage, QWidget* pParent)
    : QDialog(pParent)
    , m_manager(manager)
    , m_eLanguage(eLanguage)
{
    setObjectName(QStringLiteral("ProgramWindow"));
    setProperty("role", "dialog");
    const CLockState& locks = m_manager.Locks();
    m_bLoadLocked = locks.IsLocked(CLockState::kSysLoad);
    m_bSaveLocked = locks.IsLocked(CLockState::kSysSave);
    m_bDeleteLocked = locks.IsLocked(CLockState::kSysDelete);
    m_bEdited = m_manager.IsEdited();

    BuildUi();
    FillList();
    m_pDeviceChoice->button(kRecallFromDevice)->setChecked(true);
    m_pPcChoice->button(kRecallFromPc)->setChecked(true);
    ApplyLocks();
    OnDeviceChoice(m_pDeviceChoice->checkedId());
    SelectSlot(1);
    RetranslateUi();
    move(kScreenPos);
}

void CProgramDlg::BuildUi()
{
    // ---- the processor's slots
    m_pDeviceGroup = new QGroupBox(this);
    m_pDeviceChoice = new QButtonGroup(this);
    m_apDeviceRadio[kRecallFromDevice] = MakeRadio(m_pDeviceGroup, m_pDeviceChoice, kRecallFromDevice, "RecallFromDeviceRadio");
    m_apDeviceRadio[kStoreToDevice] = MakeRadio(m_pDeviceGroup, m_pDeviceChoice, kStoreToDevice, "StoreToDeviceRadio");

    m_pList = new QTableWidget(CProgramManager::kSlots, 2, m_pDeviceGroup);
    m_pList->setObjectName(QStringLiteral("SlotList"));
    m_pList->setShowGrid(true);
    m_pList->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_pList->setSelectionMode(QAbstractItemView::SingleSelection);
    m_pList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_pList->verticalHeader()->hide();
    m_pList->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_pList->setColumnWidth(0, kNumberColumnWidth);
    m_pList->setColumnWidth(1, kNameColumnWidth);
    m_pList->setStyleSheet(QStringLiteral("QTableWidget { color: rgb(0, 0, 255); background: rgb(247, 247, 255); }"));
    m_pList->setMinimumSize(kNumberColumnWidth + kNameColumnWidth + 24, 260);
    connect(m_pList, &QTableWidget::cellClicked, this, [this](int nRow, int) { SelectSlot(nRow + 1); });

    m_pLiveLabel = new QLabel(m_pDeviceGroup);
    m_pLiveLabel->setObjectName(QStringLiteral("LiveLabel"));
    m_pLiveLabel->setWordWrap(true);

    m_pNameLabel = new QLabel(m_pDeviceGroup);
    m_pName = new QLineEdit(m_pDeviceGroup);
    m_pName->setObjectName(QStringLiteral("NameEdit"));
    m_pName->setMaxLength(kNameChars);
    m_pNameValidator = new CTypedTextValidator(&CTypedTextValidator::IsLetterOrDigit, m_pName);
    m_pName->setValidator(m_pNameValidator);
    m_pSlotLabel = new QLabel(m_pDeviceGroup);
    m_pSlotNumber = new QLabel(m_pDeviceGroup);
    m_pSlotNumber->setObjectName(QStringLiteral("SlotNumber"));

    m_pDeviceButton = MakeButton(m_pDeviceGroup, "DeviceButton");
    m_pDeleteButton = MakeButton(m_pDeviceGroup, "DeleteButton");

    auto* pFields = new QGridLayout;
    pFields->addWidget(m_pNameLabel, 0, 0);
    pFields->addWidget(m_pName, 0, 1);
    pFields->addWidget(m_pSlotLabel, 1, 0);
    pFields->addWidget(m_pSlotNumber, 1, 1);
    auto* pDeviceButtons = new QHBoxLayout;
    pDeviceButtons->addWidget(m_pDeviceButton);
    pDeviceButtons->addWidget(m_pDeleteButton);
    auto* pDeviceLayout = new QVBoxLayout(m_pDeviceGroup);
    pDeviceLayout->addWidget(m_apDeviceRadio[kRecallFromDevice]);
    pDeviceLayout->addWidget(m_apDeviceRadio[kStoreToDevice]);
    pDeviceLayout->addWidget(m_pList);
    pDeviceLayout->addWidget(m_pLiveLabel);
    pDeviceLayout->addLayout(pFields);
    pDeviceLayout->addLayout(pDeviceButtons);

    // ---- files on the PC
    m_pPcGroup = new QGroupBox(this);
    m_pPcChoice = new QButtonGroup(this);
    const char* const aszPcRadios[] = {"RecallFromPcRadio", "StoreToPcRadio", "RecallAllFromPcRadio", "StoreAllToPcRadio"};
    auto* pPcLayout = new QVBoxLayout(m_pPcGroup);
    for (int nChoice = kRecallFromPc; nChoice <= kStoreAllToPc; ++nChoice)
    {
        m_apPcRadio[nChoice] = MakeRadio(m_pPcGroup, m_pPcChoice, nChoice, aszPcRadios[nChoice]);
        pPcLayout->addWidget(m_apPcRadio[nChoice]);
    }
    m_pPcButton = MakeButton(m_pPcGroup, "PcButton");
    pPcLayout->addStretch();
    pPcLayout->addWidget(m_pPcButton);

    auto* pLayout = new QHBoxLayout(this);
    pLayout->addWidget(m_pDeviceGroup);
    pLayout->addWidget(m_pPcGroup, 0, Qt::AlignTop);

    connect(m_pDeviceChoice, &QButtonGroup::idClicked, this, &CProgramDlg::OnDeviceChoice);
    connect(m_pDeviceButton, &QPushButton::clicked, this, &CProgramDlg::OnDeviceAction);
    connect(m_pDeleteButton, &QPushButton::clicked, this, &CProgramDlg::OnDelete);
    connect(m_pPcButton, &QPushButton::clicked, this, &CProgramDlg::OnPcAction);
}

void CProgramDlg::FillList()
{
    const int nLive = m_manager.Session().ProgramNumber();
    for (int nSlot = 1; nSlot <= CProgramManager::kSlots; ++nSlot)
    {
        const bool bLive = nSlot == nLive;
        auto* pNumber = new QTableWidgetItem;
        auto* pName = new QTableWidgetItem(Latin1(m_manager.Session().ProgramName(nSlot)));
        for (QTableWidgetItem* pItem : {pNumber, pName})
        {
            pItem->setTextAlignment(Qt::AlignCenter);
            QFont font = pItem->font();
            font.setBold(bLive);
            pItem->setFont(font);
        }
        m_pList->setItem(nSlot - 1, 0, pNumber);
        m_pList->setItem(nSlot - 1, 1, pName);
    }
}

void CProgramDlg::ShowRow(int nSlot)
{
    m_pList->item(nSlot - 1, 1)->setText(Latin1(m_manager.Session().ProgramName(nSlot)));
}

void CProgramDlg::SelectSlot(int nSlot)
{
    if (nSlot < 1 || nSlot > CProgramManager::kSlots)
        return;
    m_nSlot = nSlot;
    m_pList->selectRow(nSlot - 1);
    m_pSlotNumber->setText(QString::number(nSlot));
    const QString strName = Latin1(m_manager.Session().ProgramName(nSlot));
    m_pNameValidator->SetShown(strName);
    m_pName->setText(strName);
    m_pName->setFocus(Qt::OtherFocusReason);
}

void CProgramDlg::ApplyLocks()
{
    if (m_bLoadLocked && m_bSaveLocked)
    {
        for (QRadioButton* pRadio : m_apDeviceRadio)
            pRadio->setEnabled(false);
        for (QRadioButton* pRadio : m_apPcRadio)
            pRadio->setEnabled(false);
        m_pName->setEnabled(false);
        m_pDeviceButton->setEnabled(false);
        m_pPcButton->setEnabled(false);
    }
    else if (m_bLoadLocked)
    {
        for (QRadioButton* pRadio : {m_apDeviceRadio[kRecallFromDevice], m_apPcRadio[kRecallFromPc],
                                     m_apPcRadio[kRecallAllFromPc], m_apPcRadio[kStoreAllToPc]})
            pRadio->setEnabled(false);
        m_pDeviceChoice->button(kStoreToDevice)->setChecked(true);
        m_pPcChoice->button(kStoreToPc)->setChecked(true);
    }
    else if (m_bSaveLocked)
    {
        for (QRadioButton* pRadio : {m_apDeviceRadio[kStoreToDevice], m_apPcRadio[kStoreToPc],
                                     m_apPcRadio[kRecallAllFromPc], m_apPcRadio[kStoreAllToPc]})
            pRadio->setEnabled(false);
    }
    m_pDeleteButton->setEnabled(!m_bDeleteLocked);
}

void CProgramDlg::changeEvent(QEvent* pEvent)
{
    if (pEvent->type() == QEvent::LanguageChange && m_pList)
        RetranslateUi();
    QDialog::changeEvent(pEvent);
}

void CProgramDlg::RetranslateUi()
{
    const auto text = [this](EProgramsText eText) { return ProgramsText(eText, m_eLanguage); };
    const QString strLock = QString::fromUtf8(LockText(m_eLanguage));
    setWindowTitle(text(EProgramsText::Title));
    m_pDeviceGroup->setTitle(text(EProgramsText::DeviceGroup));
    m_apDeviceRadio[kRecallFromDevice]->setText(text(EProgramsText::RecallFromDevice));
    m_apDeviceRadio[kStoreToDevice]->setText(text(EProgramsText::StoreToDevice));
    m_pList->setHorizontalHeaderLabels({text(EProgramsText::ProgramColumn), text(EProgramsText::NameColumn)});
    m_pNameLabel->setText(text(EProgramsText::NameLabel));
    m_pSlotLabel->setText(text(EProgramsText::SlotLabel));
    m_pPcGroup->setTitle(text(EProgramsText::PcGroup));
    m_apPcRadio[kRecallFromPc]->setText(text(EProgramsText::RecallFromPc));
    m_apPcRadio[kStoreToPc]->setText(text(EProgramsText::StoreToPc));
    m_apPcRadio[kRecallAllFromPc]->setText(text(EProgramsText::RecallAllFromPc));
    m_apPcRadio[kStoreAllToPc]->setText(text(EProgramsText::StoreAllToPc));

    const bool bNoTransfer = m_bLoadLocked && m_bSaveLocked;
    const bool bStore = m_pDeviceChoice->checkedId() == kStoreToDevice;
    m_pDeviceButton->setText(bNoTransfer ? strLock : text(bStore ? EProgramsText::Save : EProgramsText::Load));
    m_pPcButton->setText(bNoTransfer ? strLock : CommonText(ECommonText::Ok, m_eLanguage));
    m_pDeleteButton->setText(m_bDeleteLocked ? strLock : text(EProgramsText::Delete));

    const int nLive = m_manager.Session().ProgramNumber();
    for (int nSlot = 1; nSlot <= CProgramManager::kSlots; ++nSlot)
    {
        const EProgramsText eRow = m_bEdited ? EProgramsText::LiveRowEdited : EProgramsText::LiveRow;
        m_pList->item(nSlot - 1, 0)->setText(nSlot == nLive ? text(eRow).arg(nSlot) : QString::number(nSlot));
    }
    const bool bShowsLive = nLive >= 1 && nLive <= CProgramManager::kSlots;
    m_pLiveLabel->setVisible(bShowsLive);
    m_pLiveLabel->setText(
        bShowsLive ? text(m_bEdited ? EProgramsText::LiveStatusEdited : EProgramsText::LiveStatus).arg(nLive) : QString());
}

void CProgramDlg::OnDeviceChoice(int nChoice)
{
    m_pName->setReadOnly(nChoice != kStoreToDevice);
    if (!(m_bLoadLocked && m_bSaveLocked))
        m_pDeviceButton->setText(
            ProgramsText(nChoice == kStoreToDevice ? EProgramsText::Save : EProgramsText::Load, m_eLanguage));
}

void CProgramDlg::OnDeviceAction()
{
    if (!m_manager.IsConnected())
    {
        CMessageBox::Show(this, CommonText(ECommonText::OpenPortFirst, m_eLanguage));
        return;
    }
    const QByteArray typed = m_pName->text().toLatin1();
    std::string strName(typed.constData(), static_cast<size_t>(typed.size()));
    strName.erase(0, strName.find_first_not_of(" \t\r\n\f\v"));
    const bool bStore = m_pDeviceChoice->checkedId() == kStoreToDevice;
    if (bStore && strName.empty())
    {
        CMessageBox::Show(this, ProgramsText(EProgramsText::NameEmpty, m_eLanguage));
        return;
    }
    const std::string& strOld = m_manager.Session().ProgramName(m_nSlot);
    if (bStore && strOld.find_first_not_of(' ') != std::string::npos
        && !m_manager.Ask(this, ProgramsText(EProgramsText::ReplaceSlot, m_eLanguage).arg(m_nSlot).arg(Latin1(strOld))))
        return;

    m_manager.Record().SetName(strName);
    m_manager.Session().SetProgramName(m_nSlot, strName);
    m_manager.Session().SetProgramNumber(m_nSlot);
    ShowRow(m_nSlot);
    if (bStore)
        m_manager.StoreToDevice(m_nSlot);
    else
        m_manager.RecallFromDevice(m_nSlot);
    m_bDone = true;
    accept();
}

void CProgramDlg::OnDelete()
{
    if (!m_manager.IsConnected())
    {
        CMessageBox::Show(this, CommonText(ECommonText::OpenPortFirst, m_eLanguage));
        return;
    }
    m_manager.Session().SetProgramName(m_nSlot, {});
    m_manager.Session().SetProgramNumber(m_nSlot);
    ShowRow(m_nSlot);
    m_pName->clear();
    m_manager.DeleteOnDevice(m_nSlot);
    m_bDone = true;
    accept();
}

void CProgramDlg::OnPcAction()
{
    switch (m_pPcChoice->checkedId())
    {
    case kRecallFromPc:
        m_bDone = m_manager.RecallProgramFromPC();
        break;
    case kStoreToPc:
        m_manager.StoreProgramToPC();
        break;
    case kRecallAllFromPc:
        m_bDone = m_manager.RecallAllFromPC();
        FillList();
        break;
    case kStoreAllToPc:
        m_bDone = m_manager.StoreAllToPC();
        break;
    default:
        return;
    }
    accept();
}
