#include "editors/FilterImportDlg.h"

#include "editors/EditorsText.h"
#include "editors/FilterImportPlan.h"
#include "ui/MessageBox.h"
#include "session/ProcessorLink.h"
#include "session/RecordNotice.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

using namespace FilterImport;

CFilterImportDlg::CFilterImportDlg(const Plan& plan, ELanguage language, QWidget* pParent)
    : QDialog(pParent)
{
    setWindowTitle(FilterImportPlan::Title(plan, language));
    auto* pLayout = new QVBoxLayout(this);

    pLayout->addWidget(new QLabel(EditorsText(EEditorsText::ImportBandsHeading, language), this));
    auto* pBands = new QTableWidget(static_cast<int>(plan.bands.size()), 3, this);
    pBands->setObjectName(QStringLiteral("ImportBands"));
    pBands->setHorizontalHeaderLabels({EditorsText(EEditorsText::ImportColumnBand, language),
                                       EditorsText(EEditorsText::ImportColumnFile, language),
                                       EditorsText(EEditorsText::ImportColumnPlanned, language)});
    pBands->verticalHeader()->hide();
    pBands->setEditTriggers(QAbstractItemView::NoEditTriggers);
    pBands->setSelectionMode(QAbstractItemView::NoSelection);
    for (int nRow = 0; nRow < pBands->rowCount(); ++nRow)
    {
        const PlannedBand& band = plan.bands[static_cast<size_t>(nRow)];
        pBands->setItem(nRow, 0, new QTableWidgetItem(FilterImportPlan::BandName(band, language)));
        pBands->setItem(nRow, 1, new QTableWidgetItem(FilterImportPlan::FileText(band, language)));
        pBands->setItem(nRow, 2, new QTableWidgetItem(FilterImportPlan::PlannedText(plan, band, language)));
    }
    pBands->resizeColumnsToContents();
    pBands->horizontalHeader()->setStretchLastSection(true);
    pLayout->addWidget(pBands, 1);
    auto* pWidthNote = new QLabel(EditorsText(EEditorsText::ImportWidthNote, language), this);
    pWidthNote->setWordWrap(true);
    pLayout->addWidget(pWidthNote);

    auto* pProblems = new QListWidget(this);
    pProblems->setObjectName(QStringLiteral("ImportProblems"));
    for (const Problem& problem : plan.problems)
        pProblems->addItem(FilterImportPlan::ProblemText(problem, language));
    auto* pProblemsHeading = new QLabel(plan.problems.empty() ? EditorsText(EEditorsText::ImportNoProblems, language)
                                                              : EditorsText(EEditorsText::ImportProblemsHeading, language),
                                        this);
    pLayout->addWidget(pProblemsHeading);
    pLayout->addWidget(pProblems);
    pProblems->setVisible(!plan.problems.empty());

    auto* pButtons = new QDialogButtonBox(this);
    m_pImport = pButtons->addButton(EditorsText(EEditorsText::ImportApply, language), QDialogButtonBox::AcceptRole);
    m_pImport->setObjectName(QStringLiteral("ImportButton"));
    m_pImport->setEnabled(plan.CanApply());
    QPushButton* pCancel = pButtons->addButton(EditorsText(EEditorsText::ImportCancel, language),
                                               QDialogButtonBox::RejectRole);
    pCancel->setObjectName(QStringLiteral("CancelButton"));
    (plan.CanApply() ? m_pImport : pCancel)->setDefault(true);
    connect(pButtons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(pButtons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    pLayout->addWidget(pButtons);
    resize(720, 480);
}

bool ImportFilterSet(QWidget* pParent, CProcessorLink& link, int nChannelCode, const QString& strPath)
{
    const ELanguage language = link.Notice().Language();
    Plan plan;
    if (!FilterImportPlan::PlanFile(strPath, link, nChannelCode, plan))
    {
        if (FilterImportPlan::IsChannelCode(nChannelCode))
            CMessageBox::Show(pParent, EditorsText(EEditorsText::ImportUnreadableFile, language).arg(strPath),
                              CMessageBox::EIcon::Warning);
        return false;
    }
    CFilterImportDlg dialog(plan, language, pParent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    return FilterImportPlan::Apply(link, plan);
}
