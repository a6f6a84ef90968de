#include "editors/WarnGEQDlg.h"

#include "editors/EditorsText.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

CWarnGEQDlg::CWarnGEQDlg(ELanguage language, QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("WarnGeq"));
    setProperty("role", "dialog");
    setWindowTitle(EditorsText(EEditorsText::WarnGeqTitle, language));
    m_pText = new QLabel(EditorsText(EEditorsText::WarnGeqText, language), this);
    m_pText->setObjectName(QStringLiteral("WarnGeqText"));
    m_pText->setTextFormat(Qt::PlainText);
    m_pText->setWordWrap(true);
    m_pText->setMinimumWidth(420);
    m_pOk = new QPushButton(EditorsText(EEditorsText::WarnGeqOk, language), this);
    m_pOk->setObjectName(QStringLiteral("WarnGeqOk"));
    m_pExit = new QPushButton(EditorsText(EEditorsText::WarnGeqExit, language), this);
    m_pExit->setObjectName(QStringLiteral("WarnGeqExit"));
    // Enter must not delete the EQ by accident.
    m_pExit->setDefault(true);
    connect(m_pOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_pExit, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_pOk);
    buttons->addWidget(m_pExit);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pText);
    layout->addLayout(buttons);
}

QString CWarnGEQDlg::Text() const
{
    return m_pText->text();
}
