#include "link/DisplayDlg.h"

#include "link/LinkText.h"
#include "ui/MainSkin.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

QColor CDisplayDlg::SteadyColour()
{
    return CMainSkin::kFieldText;
}

QColor CDisplayDlg::BlinkColour()
{
    return CMainSkin::kAlert;
}

CDisplayDlg::CDisplayDlg(std::function<bool()> transferInProgress, QWidget* pParent)
    : QDialog(pParent, Qt::Dialog | Qt::WindowTitleHint | Qt::CustomizeWindowHint)
    , m_transferInProgress(std::move(transferInProgress))
{
    setObjectName(QStringLiteral("DisplayWindow"));
    setModal(false);

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

    SetTextColour(SteadyColour());
    hide();
}

void CDisplayDlg::Show(ELanguage eLanguage)
{
    m_eLanguage = eLanguage;
    m_pEndHide->stop();
    CentreOnOwner();
    setWindowTitle(LinkText(ELinkText::TransferTitle, eLanguage));
    m_pText->setText(LinkText(ELinkText::Transferring, eLanguage));
    m_bBlink = false;
    SetTextColour(SteadyColour());
    EnableOwner(false);
    m_pBlink->start();
    show();
    // Its frame is known only once it is shown.
    CentreOnOwner();
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
        SetTextColour(m_bBlink ? BlinkColour() : SteadyColour());
        return;
    }
    m_pBlink->stop();
    m_pText->setText(LinkText(ELinkText::TransferEnded, m_eLanguage));
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

void CDisplayDlg::CentreOnOwner()
{
    QRect frame = frameGeometry();
    if (QWidget* pOwner = parentWidget())
        frame.moveCenter(pOwner->window()->frameGeometry().center());
    else if (const QScreen* pScreen = QGuiApplication::primaryScreen())
        frame.moveCenter(pScreen->availableGeometry().center());
    move(frame.topLeft());
}
