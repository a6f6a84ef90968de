#include "app/EditCommandBar.h"

#include "app/MainText.h"
#include "session/ProcessorLink.h"

#include <QHBoxLayout>
#include <QKeySequence>
#include <QPushButton>
#include <QShortcut>

namespace
{
QPushButton* MakeButton(QWidget* pParent, const char* szObjectName)
{
    auto* pButton = new QPushButton(pParent);
    pButton->setObjectName(QLatin1String(szObjectName));
    pButton->setProperty("role", "command");
    pButton->setAutoDefault(false);
    pButton->setCursor(Qt::PointingHandCursor);
    return pButton;
}

void AddShortcut(QWidget* pParent, const QKeySequence& keys, QPushButton* pButton)
{
    auto* pShortcut = new QShortcut(keys, pParent);
    // The whole window: the keys work wherever the focus is, except in a
    // text field that takes Ctrl+Z for its own typing.
    pShortcut->setContext(Qt::WindowShortcut);
    QObject::connect(pShortcut, &QShortcut::activated, pButton, [pButton] {
        if (pButton->isEnabled())
            pButton->click();
    });
}
}

CEditCommandBar::CEditCommandBar(CProcessorLink& link, QWidget* pParent)
    : QWidget(pParent)
    , m_link(link)
{
    setObjectName(QStringLiteral("EditCommands"));
    m_pUndo = MakeButton(this, "UndoButton");
    m_pRedo = MakeButton(this, "RedoButton");
    m_pCompare = MakeButton(this, "CompareButton");
    auto* pRow = new QHBoxLayout(this);
    pRow->setContentsMargins(0, 0, 0, 0);
    pRow->setSpacing(2);
    for (QPushButton* pButton : {m_pUndo, m_pRedo, m_pCompare})
        pRow->addWidget(pButton);

    connect(m_pUndo, &QPushButton::clicked, this, [this] { m_link.History().Undo(); });
    connect(m_pRedo, &QPushButton::clicked, this, [this] { m_link.History().Redo(); });
    connect(m_pCompare, &QPushButton::clicked, this, [this] { m_link.Compare().Switch(); });
    AddShortcut(pParent, QKeySequence::Undo, m_pUndo);
    AddShortcut(pParent, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), m_pRedo);
    AddShortcut(pParent, QKeySequence(Qt::CTRL | Qt::Key_Y), m_pRedo);

    connect(&m_link.History(), &CEditHistory::changed, this, &CEditCommandBar::Refresh);
    connect(&m_link.Compare(), &CABCompare::changed, this, &CEditCommandBar::Refresh);
    connect(&m_link.Notice(), &CRecordNotice::languageChanged, this, &CEditCommandBar::ApplyLanguage);
    ApplyLanguage();
}

void CEditCommandBar::Refresh()
{
    const ELanguage language = m_link.Notice().Language();
    m_pUndo->setEnabled(m_link.History().CanUndo());
    m_pRedo->setEnabled(m_link.History().CanRedo());
    const bool bOnB = m_link.Compare().Active() == CABCompare::ESide::B;
    m_pCompare->setText(MainText(bOnB ? EMainText::CompareB : EMainText::CompareA, language));
    // A screen reader hears the side in use, which the caption shows by
    // its capital letter only.
    m_pCompare->setAccessibleName(MainText(EMainText::CompareInUse, language).arg(bOnB ? QLatin1Char('B') : QLatin1Char('A')));
    m_pCompare->setAccessibleDescription(MainText(EMainText::CompareTip, language));
}

void CEditCommandBar::ApplyLanguage()
{
    const ELanguage language = m_link.Notice().Language();
    m_pUndo->setText(MainText(EMainText::Undo, language));
    m_pUndo->setToolTip(MainText(EMainText::UndoTip, language));
    m_pRedo->setText(MainText(EMainText::Redo, language));
    m_pRedo->setToolTip(MainText(EMainText::RedoTip, language));
    m_pCompare->setToolTip(MainText(EMainText::CompareTip, language));
    Refresh();
}
