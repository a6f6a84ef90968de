#include "DisplayDlg.h"

#include "LinkText.h"

#include <QCloseEvent>
#include <QLabel>
#include <QTimer>
#include <QVBoxLayout>

const QColor CDisplayDlg::kBackground{229, 229, 229};
const QColor CDisplayDlg::kDarkBlue{0, 0, 128};
const QColor CDisplayDlg::kRed{255, 0, 0};

CDisplayDlg::CDisplayDlg(std::function<bool()> transferInProgress, QWidget* pParent)
    : QDialog(pParent, Qt::Dialog | Qt::WindowTitleHint | Qt::CustomizeWindowHint)
    , m_transferInProgress(std::move(transferInProgress))
{
    setObjectName(QStringLiteral("DisplayWindow"));
    setModal(false);
    // Its own look, whatever the owner's style says.
    setStyleSheet(QStringLiteral("QDialog#DisplayWindow { background: %1; }").arg(kBackground.name()));

    m_pText = new QLabel(this);
    m_pText->setObjectName(QStringLiteral("DisplayText"));
    m_pText->setAlignment(Qt::AlignCenter);
    QFont font = m_pText->font();
    font.setPointSize(12);
    font.setBold(true);
    m_pText->setFont(font);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 18, 24, 18);
    layout->addWidget(m_pText);
    setFixedSize(280, 90);

    m_pBlink = new QTimer(this);
    m_pBlink->setInterval(kBlinkMs);
    connect(m_pBlink, &QTimer::timeout, this, &CDisplayDlg::OnBlink);

    // The end text stays a while without holding up the event loop: line
    // events, the pump and repaints go on meanwhile.
    m_pEndHide = new QTimer(this);
    m_pEndHide->setSingleShot(true);
    m_pEndHide->setInterval(kEndShownMs);
    connect(m_pEndHide, &QTimer::timeout, this, &CDisplayDlg::Hide);

    SetTextColour(kDarkBlue);
    hide();
}

void CDisplayDlg::Show(int nLanguage)
{
    m_nLanguage = nLanguage;
    m_pEndHide->stop();
    move(kScreenPos);
    setWindowTitle(LinkText(ELinkText::TransferTitle, nLanguage));
    m_pText->setText(LinkText(ELinkText::Transferring, nLanguage));
    m_bBlink = false;
    SetTextColour(kDarkBlue);
    EnableOwner(false);
    m_pBlink->start();
    show();
}

void CDisplayDlg::Hide()
{
    EnableOwner(true);
    m_pBlink->stop();
    m_pEndHide->stop();
    hide();
}

void CDisplayDlg::closeEvent(QCloseEvent* pEvent)
{
    pEvent->ignore();
}

QString CDisplayDlg::Text() const
{
    return m_pText->text();
}

void CDisplayDlg::OnBlink()
{
    if (m_transferInProgress && m_transferInProgress())
    {
        m_bBlink = !m_bBlink;
        SetTextColour(m_bBlink ? kRed : kDarkBlue);
        return;
    }
    m_pBlink->stop();
    m_pText->setText(LinkText(ELinkText::TransferEnded, m_nLanguage));
    m_pEndHide->start();
}

void CDisplayDlg::SetTextColour(const QColor& colour)
{
    m_textColour = colour;
    // The label's own sheet wins over any sheet it inherits.
    m_pText->setStyleSheet(QStringLiteral("color: %1; background: transparent;").arg(colour.name()));
}

void CDisplayDlg::EnableOwner(bool bEnable)
{
    if (QWidget* pOwner = parentWidget())
    {
        pOwner->setEnabled(bEnable);
        // The owner's state reaches this window too; it has nothing to
        // press, but its text must not turn grey.
        setEnabled(true);
    }
}
