#include "link/ConnectDlg.h"

#include "link/Connection.h"
#include "link/LinkText.h"
#include "ui/MessageBox.h"
#include "link/PortHelp.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>

#include <algorithm>

CConnectDlg::CConnectDlg(CConnection& connection, const QList<SerialPortEntry>& ports, const QString& strPresetPort,
                         ELanguage eLanguage, QWidget* pParent)
    : QDialog(pParent)
    , m_connection(connection)
    , m_eLanguage(eLanguage)
{
    setObjectName(QStringLiteral("ConnectDialog"));
    setProperty("role", "dialog");
    setWindowTitle(LinkText(ELinkText::ConnectTitle, eLanguage));

    auto* portLabel = new QLabel(LinkText(ELinkText::PortPrompt, eLanguage), this);
    auto* idLabel = new QLabel(LinkText(ELinkText::DeviceIdPrompt, eLanguage), this);

    m_pPort = new QComboBox(this);
    m_pPort->setObjectName(QStringLiteral("PortCombo"));
    // A device path the enumeration does not know can be typed in.
    m_pPort->setEditable(true);
    m_pPort->setInsertPolicy(QComboBox::NoInsert);
    m_pPort->setMinimumWidth(200);

    m_pDeviceId = new QComboBox(this);
    m_pDeviceId->setObjectName(QStringLiteral("DeviceIdCombo"));
    m_pDeviceId->setMaxVisibleItems(16);

    m_pSearch = new QPushButton(LinkText(ELinkText::SearchIdButton, eLanguage), this);
    m_pSearch->setObjectName(QStringLiteral("SearchButton"));
    m_pSearch->setAutoDefault(false);

    m_pProgress = new QProgressBar(this);
    m_pProgress->setObjectName(QStringLiteral("SearchProgress"));
    m_pProgress->setRange(CConnection::kFirstId, CConnection::kLastId);
    m_pProgress->setValue(0);
    m_pProgress->setTextVisible(false);
    m_pProgress->hide();

    m_pConnect = new QPushButton(LinkText(ELinkText::ConnectButton, eLanguage), this);
    m_pConnect->setObjectName(QStringLiteral("ConnectButton"));
    m_pConnect->setDefault(true);

    auto* layout = new QGridLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->setContentsMargins(16, 16, 16, 16);
    layout->setHorizontalSpacing(10);
    layout->setVerticalSpacing(10);
    layout->addWidget(portLabel, 0, 0);
    layout->addWidget(m_pPort, 0, 1, 1, 2);
    layout->addWidget(idLabel, 1, 0);
    layout->addWidget(m_pDeviceId, 1, 1);
    layout->addWidget(m_pSearch, 1, 2);
    layout->addWidget(m_pProgress, 2, 0, 1, 3);
    layout->addWidget(m_pConnect, 3, 2);
    // The bar comes and goes without the dialog changing its size.
    QSizePolicy keep = m_pProgress->sizePolicy();
    keep.setRetainSizeWhenHidden(true);
    m_pProgress->setSizePolicy(keep);

    m_pSearchTimer = new QTimer(this);
    m_pSearchTimer->setInterval(CConnection::kSearchIntervalMs);
    m_pSearchTimer->setTimerType(Qt::PreciseTimer);
    connect(m_pSearchTimer, &QTimer::timeout, &m_connection, &CConnection::SearchTick);
    connect(&m_connection, &CConnection::searchProbed, this, &CConnectDlg::OnSearchProbed);
    connect(&m_connection, &CConnection::searchEnded, this, &CConnectDlg::OnSearchEnded);
    connect(m_pSearch, &QPushButton::clicked, this, &CConnectDlg::OnSearch);
    connect(m_pConnect, &QPushButton::clicked, this, &QDialog::accept);

    FillPorts(ports, strPresetPort);
    FillDeviceIds();
}

void CConnectDlg::FillPorts(const QList<SerialPortEntry>& ports, const QString& strPresetPort)
{
    // The list shows labels; the port each one stands for rides along.
    int nSelect = -1;
    int nFirstUsb = -1;
    for (const SerialPortEntry& entry : ports)
    {
        if (entry.strPortName.isEmpty())
            continue;
        m_pPort->addItem(PortHelp::Label(entry, m_eLanguage), entry.strPortName);
        const int nIndex = m_pPort->count() - 1;
        m_pPort->setItemData(nIndex, entry.strDescription, Qt::ToolTipRole);
        // A new user's one click goes to the virtual processor.
        if (nSelect < 0 && entry.fVirtual)
            nSelect = nIndex;
        if (nFirstUsb < 0 && entry.fUsb)
            nFirstUsb = nIndex;
    }
    if (nSelect < 0)
        nSelect = nFirstUsb;
    if (m_pPort->count() == 0)
        m_pPort->addItem(QLatin1String(kNoPort), QLatin1String(kNoPort));

    // A path typed last time is offered again although no enumeration
    // lists it.
    if (!strPresetPort.isEmpty())
    {
        int nPreset = m_pPort->findData(strPresetPort);
        if (nPreset < 0)
        {
            m_pPort->addItem(strPresetPort, strPresetPort);
            nPreset = m_pPort->count() - 1;
        }
        nSelect = nPreset;
    }
    m_pPort->setCurrentIndex(std::max(nSelect, 0));
}

void CConnectDlg::FillDeviceIds()
{
    m_pDeviceId->clear();
    for (uint16_t nId : m_connection.GetDeviceIdTable())
        if (nId != 0)
            m_pDeviceId->addItem(QString::number(nId));
    m_pDeviceId->setCurrentIndex(m_pDeviceId->count() > 0 ? 0 : -1);
}

QString CConnectDlg::PortName() const
{
    // A label picked from the list names its port; anything else was typed.
    const int nIndex = m_pPort->currentIndex();
    if (nIndex >= 0 && m_pPort->currentText() == m_pPort->itemText(nIndex))
        return m_pPort->itemData(nIndex).toString();
    return m_pPort->currentText().trimmed();
}

int CConnectDlg::DeviceId() const
{
    return m_pDeviceId->currentText().toInt();
}

void CConnectDlg::SelectDeviceId(int nId)
{
    const int nIndex = m_pDeviceId->findText(QString::number(nId));
    if (nIndex >= 0)
        m_pDeviceId->setCurrentIndex(nIndex);
}

bool CConnectDlg::IsSearching() const
{
    return m_connection.IsSearching();
}

void CConnectDlg::SetSearchIntervalMs(int nMs)
{
    m_pSearchTimer->setInterval(nMs);
}

void CConnectDlg::OnSearch()
{
    if (m_connection.IsSearching())
        return;
    if (!m_connection.StartSearch(PortName()))
    {
        ShowOpenFailed(this, m_connection, m_eLanguage);
        return;
    }
    // A second search cannot start while this one runs.
    m_pSearch->setEnabled(false);
    m_pProgress->setValue(0);
    m_pProgress->show();
    m_pSearchTimer->start();
}

void CConnectDlg::OnSearchProbed(int nId)
{
    m_pProgress->setValue(nId);
}

void CConnectDlg::OnSearchEnded()
{
    m_pSearchTimer->stop();
    FillDeviceIds();
    m_pProgress->hide();
    m_pSearch->setEnabled(true);
}

void CConnectDlg::done(int nResult)
{
    if (m_connection.IsSearching())
        m_connection.StopSearch();
    QDialog::done(nResult);
}

void CConnectDlg::ShowOpenFailed(QWidget* pParent, const CConnection& connection, ELanguage eLanguage)
{
    CMessageBox::Show(pParent, PortHelp::OpenFailedMessage(connection.OpenError(), connection.PortName(), eLanguage),
                      CMessageBox::EIcon::Critical);
}
