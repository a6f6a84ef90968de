#include "rack/RackDiffDlg.h"

#include "line/LineText.h"
#include "rack/RackText.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

CRackDiffDlg::CRackDiffDlg(const QList<LineDiff::Row>& rows, const QString& strTitle, ELanguage eLanguage, QWidget* pParent)
    : QDialog(pParent)
{
    setObjectName(QStringLiteral("RackDiffWindow"));
    setWindowTitle(strTitle);
    auto* pLayout = new QVBoxLayout(this);
    auto* pTitle = new QLabel(strTitle, this);
    pLayout->addWidget(pTitle);

    const QStringList headers{LineText(ELineText::DiffProcessor, eLanguage),
                              LineText(ELineText::DiffChannel, eLanguage),
                              LineText(ELineText::DiffParameter, eLanguage), LineText(ELineText::DiffFirst, eLanguage),
                              LineText(ELineText::DiffSecond, eLanguage)};
    m_pTable = new QTableWidget(static_cast<int>(rows.size()), static_cast<int>(headers.size()), this);
    m_pTable->setObjectName(QStringLiteral("DiffTable"));
    m_pTable->setAccessibleName(strTitle);
    m_pTable->setHorizontalHeaderLabels(headers);
    m_pTable->verticalHeader()->hide();
    m_pTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_pTable->setSelectionBehavior(QAbstractItemView::SelectRows);
    for (int nRow = 0; nRow < rows.size(); ++nRow)
    {
        const LineDiff::Row& row = rows.at(nRow);
        const QStringList cells{QString::number(row.nId), row.strWhere, row.strParameter, row.strFirst, row.strSecond};
        for (int nColumn = 0; nColumn < cells.size(); ++nColumn)
            m_pTable->setItem(nRow, nColumn, new QTableWidgetItem(cells.at(nColumn)));
    }
    m_pTable->resizeColumnsToContents();
    m_pTable->horizontalHeader()->setStretchLastSection(true);
    pLayout->addWidget(m_pTable, 1);
    if (rows.isEmpty())
    {
        auto* pSame = new QLabel(LineText(ELineText::DiffSame, eLanguage), this);
        pSame->setObjectName(QStringLiteral("NoDifferences"));
        pLayout->addWidget(pSame);
        m_pTable->hide();
    }

    auto* pButtons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    pButtons->button(QDialogButtonBox::Close)->setText(RackText(ERackText::Close, eLanguage));
    connect(pButtons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    pLayout->addWidget(pButtons);
    resize(720, 420);
}
