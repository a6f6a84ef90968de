#include "app/InformationDlg.h"

#include "model/Audio_Data.h"
#include "ui/CommonText.h"
#include "link/Command.h"
#include "model/ValueText.h"
#include "model/LockState.h"
#include "app/MainText.h"
#include "ui/TypedTextValidator.h"

#include <QComboBox>
#include <QEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <algorithm>
#include <string>

namespace
{
constexpr int kPowerOnMin = 1;
constexpr int kPowerOnMax = 3;

QString Latin1(const std::string& text)
{
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

// What the information fields take from the keyboard.
bool IsInfoChar(QChar ch)
{
    return CTypedTextValidator::IsLetterOrDigit(ch) || ch == u'.' || ch == u' ';
}

// Fills a list with its entries, or with the lock text alone when locked,
// without telling anyone.
void FillList(QComboBox* pList, const QStringList& entries, int nSelection, bool bLocked, ELanguage eLanguage)
{
    const QSignalBlocker blocker(pList);
    pList->clear();
    if (bLocked)
    {
        pList->addItem(QString::fromUtf8(LockText(eLanguage)));
        pList->setCurrentIndex(0);
    }
    else
    {
        pList->addItems(entries);
        pList->setCurrentIndex(nSelection >= 0 && nSelection < entries.size() ? nSelection : -1);
    }
    pList->setEnabled(!bLocked);
}
}

CInformationDlg::CInformationDlg(CAudio_Data& record, const CLockState& locks, CCommand& command,
                                 std::function<bool()> isConnected, ELanguage eLanguage, QWidget* pParent)
    : QDialog(pParent)
    , m_record(record)
    , m_locks(locks)
    , m_command(command)
    , m_isConnected(std::move(isConnected))
    , m_eLanguage(eLanguage == kEnglish ? kEnglish : kChinese)
    , m_nBacklight(record.GetBacklight() - 1)
    , m_nPowerOn(record.GetPowerOnMode() - 1)
{
    setObjectName(QStringLiteral("SystemWindow"));
    setProperty("role", "dialog");
    BuildUi();
    RetranslateUi();
    ShowTexts();
    m_pVersion->setText(Latin1(m_command.GetVersionText()));
}

void CInformationDlg::BuildUi()
{
    m_pLanguageGroup = new QGroupBox(this);
    m_pLanguageButton = new QPushButton(m_pLanguageGroup);
    m_pLanguageButton->setObjectName(QStringLiteral("LanguageButton"));
    m_pLanguageButton->setAutoDefault(false);
    auto* pLanguageLayout = new QHBoxLayout(m_pLanguageGroup);
    pLanguageLayout->addWidget(m_pLanguageButton);

    m_pVersionLabel = new QLabel(this);
    m_pVersion = new QLabel(this);
    m_pVersion->setObjectName(QStringLiteral("VersionText"));
    m_pBacklightLabel = new QLabel(this);
    m_pBacklight = new QComboBox(this);
    m_pBacklight->setObjectName(QStringLiteral("BacklightList"));
    m_pPowerOnLabel = new QLabel(this);
    m_pPowerOn = new QComboBox(this);
    m_pPowerOn->setObjectName(QStringLiteral("PowerOnList"));
    auto* pSettings = new QFormLayout;
    pSettings->addRow(m_pVersionLabel, m_pVersion);
    pSettings->addRow(m_pBacklightLabel, m_pBacklight);
    pSettings->addRow(m_pPowerOnLabel, m_pPowerOn);

    m_pInfoGroup = new QGroupBox(this);
    auto* pInfoLayout = new QFormLayout(m_pInfoGroup);
    for (int i = 0; i < kInfoTexts; ++i)
    {
        auto* pField = new QLineEdit(m_pInfoGroup);
        pField->setObjectName(QStringLiteral("InfoText%1").arg(i + 1));
        pField->setMaxLength(CAudio_Data::InfoTextSize(i));
        pField->setMinimumWidth(320);
        m_apValidator.at(static_cast<size_t>(i)) = new CTypedTextValidator(IsInfoChar, pField);
        pField->setValidator(m_apValidator.at(static_cast<size_t>(i)));
        pField->hide();
        m_apText.at(static_cast<size_t>(i)) = pField;
    }
    for (size_t row = 0; row < kShownTexts.size(); ++row)
    {
        m_apRowLabel.at(row) = new QLabel(m_pInfoGroup);
        QLineEdit* pField = m_apText.at(static_cast<size_t>(kShownTexts.at(row)));
        pField->show();
        pInfoLayout->addRow(m_apRowLabel.at(row), pField);
    }

    m_pOk = new QPushButton(this);
    m_pOk->setObjectName(QStringLiteral("OkButton"));
    m_pOk->setAutoDefault(false);

    auto* pButtons = new QHBoxLayout;
    pButtons->addStretch();
    pButtons->addWidget(m_pOk);
    auto* pLayout = new QVBoxLayout(this);
    pLayout->addWidget(m_pLanguageGroup);
    pLayout->addLayout(pSettings);
    pLayout->addWidget(m_pInfoGroup);
    pLayout->addLayout(pButtons);

    connect(m_pLanguageButton, &QPushButton::clicked, this, &CInformationDlg::OnLanguageButton);
    connect(m_pBacklight, &QComboBox::currentIndexChanged, this, &CInformationDlg::OnBacklightChanged);
    connect(m_pPowerOn, &QComboBox::currentIndexChanged, this, &CInformationDlg::OnPowerOnChanged);
    connect(m_pOk, &QPushButton::clicked, this, &CInformationDlg::OnOk);
}

void CInformationDlg::ShowTexts()
{
    const bool bLocked = m_locks.IsLocked(CLockState::kSysShow);
    const QString strLock = QString::fromUtf8(LockText(m_eLanguage));
    for (int i = 0; i < kInfoTexts; ++i)
    {
        QLineEdit* pField = m_apText.at(static_cast<size_t>(i));
        const QString strText = bLocked ? strLock : Latin1(m_record.GetInfoText(i));
        m_apValidator.at(static_cast<size_t>(i))->SetShown(strText);
        pField->setText(strText);
        pField->setEnabled(!bLocked);
    }
    m_pOk->setEnabled(!bLocked);
}

void CInformationDlg::FillLists()
{
    const auto text = [this](EMainText eText) { return MainText(eText, m_eLanguage); };
    FillList(m_pBacklight, {text(EMainText::BacklightKeepOn), text(EMainText::Backlight60s)}, m_nBacklight,
             m_locks.IsLocked(CLockState::kSysBacklight), m_eLanguage);
    FillList(m_pPowerOn,
             {text(EMainText::PowerOnKeepState), text(EMainText::PowerOnAllMute), text(EMainText::PowerOnLoad)},
             m_nPowerOn, m_locks.IsLocked(CLockState::kSysPowerOn), m_eLanguage);
}

void CInformationDlg::changeEvent(QEvent* pEvent)
{
    if (pEvent->type() == QEvent::LanguageChange && m_pOk)
        RetranslateUi();
    QDialog::changeEvent(pEvent);
}

void CInformationDlg::RetranslateUi()
{
    const auto text = [this](EMainText eText) { return MainText(eText, m_eLanguage); };
    setWindowTitle(text(EMainText::SystemTitle));
    m_pLanguageGroup->setTitle(text(EMainText::LanguageGroup));
    m_pLanguageButton->setText(text(EMainText::LanguageButton));
    m_pVersionLabel->setText(text(EMainText::VersionLabel));
    m_pBacklightLabel->setText(text(m_bSwitched ? EMainText::BacklightLabelSwitched : EMainText::BacklightLabel));
    m_pPowerOnLabel->setText(text(EMainText::PowerOnLabel));
    m_pInfoGroup->setTitle(text(EMainText::InformationGroup));
    for (size_t row = 0; row < m_apRowLabel.size(); ++row)
        m_apRowLabel.at(row)->setText(text(EMainText::InformationRow).arg(row + 1));
    m_pOk->setText(CommonText(ECommonText::Ok, m_eLanguage));
    FillLists();
    // Locked fields show the lock text, which has a form per language.
    if (m_locks.IsLocked(CLockState::kSysShow))
        ShowTexts();
}

void CInformationDlg::OnBacklightChanged(int nIndex)
{
    if (nIndex < 0 || nIndex == m_nBacklight || m_locks.IsLocked(CLockState::kSysBacklight))
        return;
    m_nBacklight = nIndex;
    m_record.SetBacklight(nIndex + 1);
    if (m_isConnected())
        m_command.Enqueue(m_record.BuildBacklightFrame(true));
}

void CInformationDlg::OnPowerOnChanged(int nIndex)
{
    if (nIndex < 0 || nIndex == m_nPowerOn || m_locks.IsLocked(CLockState::kSysPowerOn))
        return;
    m_nPowerOn = nIndex;
    m_record.SetPowerOnMode(std::clamp(nIndex + 1, kPowerOnMin, kPowerOnMax));
    if (m_isConnected())
        m_command.Enqueue(m_record.BuildPowerOnFrame(true));
}

void CInformationDlg::OnLanguageButton()
{
    m_eLanguage = m_eLanguage == kEnglish ? kChinese : kEnglish;
    m_bSwitched = true;
    RetranslateUi();
    emit languageSwitched(m_eLanguage);
}

void CInformationDlg::OnOk()
{
    if (m_isConnected())
    {
        for (int i = 0; i < kInfoTexts; ++i)
        {
            const QByteArray bytes = m_apText.at(static_cast<size_t>(i))->text().toLatin1();
            m_record.SetInfoText(i, std::string(bytes.constData(), static_cast<size_t>(bytes.size())));
        }
        m_command.Enqueue(m_record.BuildInfoWriteFrame());
    }
    accept();
}
