#include "link/DeviceDlg.h"

#include "ui/CommonText.h"
#include "model/ValueText.h"
#include "link/LinkText.h"

#include <QComboBox>
#include <QGridLayout>
#include <QPushButton>
#include <QRadioButton>

CDeviceDlg::CDeviceDlg(const DeviceIdTable& table, bool bDeviceIdLocked, ELanguage eLanguage, QWidget* pParent)
    : QDialog(pParent)
{
    setObjectName(QStringLiteral("DeviceDialog"));
    setProperty("role", "dialog");
    setWindowTitle(LinkText(ELinkText::DeviceTitle, eLanguage));

    m_pChange = new QRadioButton(LinkText(ELinkText::ChangeIdChoice, eLanguage), this);
    m_pChange->setObjectName(QStringLiteral("ChangeIdRadio"));
    m_pReconnect = new QRadioButton(LinkText(ELinkText::ReconnectChoice, eLanguage), this);
    m_pReconnect->setObjectName(QStringLiteral("ReconnectRadio"));

    m_pNewId = new QComboBox(this);
    m_pNewId->setObjectName(QStringLiteral("NewIdCombo"));
    m_pNewId->setMaxVisibleItems(16);
    m_pReconnectId = new QComboBox(this);
    m_pReconnectId->setObjectName(QStringLiteral("ReconnectIdCombo"));
    m_pReconnectId->setMaxVisibleItems(16);

    auto* ok = new QPushButton(CommonText(ECommonText::Ok, eLanguage), this);
    ok->setObjectName(QStringLiteral("OkButton"));
    ok->setDefault(true);

    if (bDeviceIdLocked)
    {
        m_pChange->setEnabled(false);
        m_pNewId->addItem(QString::fromUtf8(LockText(eLanguage)));
        m_pNewId->setEnabled(false);
        m_eMode = kReconnect;
    }
    else
    {
        for (int nId = Frame::kFirstDeviceId; nId <= Frame::kLastDeviceId; ++nId)
            m_pNewId->addItem(QString::number(nId));
    }
    for (uint16_t nId : table)
        if (nId != 0)
            m_pReconnectId->addItem(QString::number(nId));

    m_pNewId->setCurrentIndex(0);
    m_pReconnectId->setCurrentIndex(m_pReconnectId->count() > 0 ? 0 : -1);
    m_nReconnectId = m_pReconnectId->currentText().toInt();
    (m_eMode == kChangeId ? m_pChange : m_pReconnect)->setChecked(true);

    connect(m_pNewId, &QComboBox::currentIndexChanged, this, [this](int nIndex) {
        if (m_pNewId->isEnabled() && nIndex >= 0)
            m_nNewId = nIndex + 1;
    });
    connect(m_pReconnectId, &QComboBox::currentIndexChanged, this,
            [this] { m_nReconnectId = m_pReconnectId->currentText().toInt(); });
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* layout = new QGridLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->setContentsMargins(16, 16, 16, 16);
    layout->setHorizontalSpacing(12);
    layout->setVerticalSpacing(10);
    layout->addWidget(m_pChange, 0, 0);
    layout->addWidget(m_pNewId, 0, 1);
    layout->addWidget(m_pReconnect, 1, 0);
    layout->addWidget(m_pReconnectId, 1, 1);
    layout->addWidget(ok, 2, 1);
    layout->setColumnMinimumWidth(1, 90);
}

void CDeviceDlg::accept()
{
    m_eMode = m_pReconnect->isChecked() ? kReconnect : kChangeId;
    QDialog::accept();
}
