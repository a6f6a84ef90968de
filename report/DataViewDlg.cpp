#include "report/DataViewDlg.h"

#include "disk/AtomicFileQt.h"
#include "report/CurveExport.h"
#include "report/ColorListCtrl.h"
#include "report/ListCtrlPrint.h"
#include "ui/MessageBox.h"
#include "report/ReportExport.h"
#include "report/ReportText.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QVBoxLayout>

#include <cerrno>

namespace
{
// The extension of a filter such as "Excel文件(*.xlsx)".
QString FilterExtension(const QString& filter)
{
    const QRegularExpressionMatch match = QRegularExpression(QStringLiteral("\\*\\.(\\w+)")).match(filter);
    return match.hasMatch() ? match.captured(1) : QString();
}
}

CDataViewDlg::CDataViewDlg(CReportTable table, ELanguage eLanguage, QWidget* pParent)
    : QDialog(pParent)
    , m_table(std::move(table))
    , m_eLanguage(eLanguage)
    , m_pPrintJob(std::make_unique<CListCtrlPrint>(m_table))
    , m_askFile(&CDataViewDlg::AskSaveFile)
{
    setObjectName(QStringLiteral("DataViewDialog"));
    setProperty("role", "dialog");
    setWindowTitle(ReportText(EReportText::Title, eLanguage));

    m_pPrintJob->SetDocumentName(ReportText(EReportText::DocumentName, eLanguage));
    m_pPrintJob->SetHeaderText(ReportText(EReportText::PrintHeader, eLanguage));
    m_pPrintJob->SetFooterText(ReportText(EReportText::PrintFooter, eLanguage));
    m_pPrintJob->SetPageNumberFormat(ReportText(EReportText::PageNumber, eLanguage));

    m_pList = new CColorListCtrl(this);
    m_pList->ShowTable(m_table);

    auto button = [this, eLanguage](EReportText text, const char* name, void (CDataViewDlg::*slot)()) {
        auto* pButton = new QPushButton(ReportText(text, eLanguage), this);
        pButton->setObjectName(QString::fromLatin1(name));
        pButton->setAutoDefault(false);
        connect(pButton, &QPushButton::clicked, this, slot);
        return pButton;
    };
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(button(EReportText::Print, "PrintButton", &CDataViewDlg::PrintTable));
    buttons->addWidget(button(EReportText::PrintPreview, "PreviewButton", &CDataViewDlg::PreviewTable));
    buttons->addWidget(button(EReportText::ExportPdf, "PdfButton", &CDataViewDlg::ExportPdf));
    buttons->addStretch(1);
    buttons->addWidget(button(EReportText::ExportExcel, "ExportButton", &CDataViewDlg::ExportTable));
    buttons->addWidget(button(EReportText::Close, "CloseButton", &QDialog::reject));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pList, 1);
    layout->addLayout(buttons);

    int nTableWidth = 2 * m_pList->frameWidth();
    for (const ReportColumn& column : m_table.Columns())
        nTableWidth += column.nWidth;
    resize(nTableWidth + layout->contentsMargins().left() + layout->contentsMargins().right()
               + m_pList->verticalScrollBar()->sizeHint().width(),
           640);
}

CDataViewDlg::~CDataViewDlg() = default;

QString CDataViewDlg::AskSaveFile(QWidget* pParent, const QString& title, const QString& folder,
                                  const QString& defaultName, const QStringList& filters)
{
    QFileDialog dialog(pParent, title, folder);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters(filters);
    dialog.setDefaultSuffix(FilterExtension(filters.value(0)));
    dialog.selectFile(defaultName);
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog](const QString& filter) {
        const QString extension = FilterExtension(filter);
        if (!extension.isEmpty())
            dialog.setDefaultSuffix(extension);
    });
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

QString CDataViewDlg::ExportFolder()
{
    return QDir::current().filePath(QStringLiteral("MusicFile"));
}

QString CDataViewDlg::AskFile(const QStringList& filters, const QString& extension)
{
    const QString defaultName = ExportStamp(QDateTime::currentDateTime()) + QLatin1Char('.') + extension;
    return m_askFile(this, ReportText(EReportText::ExportDialogTitle, m_eLanguage), ExportFolder(), defaultName,
                     filters);
}

void CDataViewDlg::ReportWrite(const AtomicFile::QtOutcome& outcome, const QString& path)
{
    ShowWriteOutcome(this, outcome, path, m_eLanguage);
}

void CDataViewDlg::ExportTable()
{
    if (m_table.RowCount() == 0)
        return;
    const QString path = AskFile({ReportText(EReportText::ExcelFilter, m_eLanguage),
                                  ReportText(EReportText::CsvFilter, m_eLanguage),
                                  ReportText(EReportText::AllFilesFilter, m_eLanguage)},
                                 QStringLiteral("xlsx"));
    if (path.isEmpty())
        return;
    ReportWrite(WriteReport(m_table, path, ReportSheetName()), path);
}

void CDataViewDlg::PrintTable()
{
    QPrinter printer(QPrinter::HighResolution);
    if (m_pPrintJob->Run(printer, this) == CPrinterJob::EResult::StartFailed)
        CMessageBox::Show(this, ReportText(EReportText::PrintStartFailed, m_eLanguage), CMessageBox::EIcon::Warning);
}

QPrintPreviewDialog* CDataViewDlg::CreatePreview(QPrinter& printer)
{
    CListCtrlPrint::SetUpPrinter(printer);
    auto* preview = new QPrintPreviewDialog(&printer, this);
    preview->setWindowTitle(ReportText(EReportText::PrintPreview, m_eLanguage));
    connect(preview, &QPrintPreviewDialog::paintRequested, this,
            [this](QPrinter* pPrinter) { m_pPrintJob->PrintOn(*pPrinter); });
    return preview;
}

void CDataViewDlg::PreviewTable()
{
    if (m_table.IsEmpty())
        return;
    QPrinter printer(QPrinter::HighResolution);
    std::unique_ptr<QPrintPreviewDialog> preview(CreatePreview(printer));
    preview->exec();
}

void CDataViewDlg::ExportPdf()
{
    if (m_table.IsEmpty())
        return;
    const QString path = AskFile({ReportText(EReportText::PdfFilter, m_eLanguage)}, QStringLiteral("pdf"));
    if (path.isEmpty())
        return;
    QPrinter printer(QPrinter::HighResolution);
    CListCtrlPrint::SetUpPrinter(printer);
    printer.setOutputFormat(QPrinter::PdfFormat);
    const AtomicFile::QtOutcome outcome = AtomicFile::WriteThrough(path, [&](const QString& tempPath, QString& reason) {
        printer.setOutputFileName(tempPath);
        errno = 0;
        m_pPrintJob->SetExtraPage(m_pdfCurvePage);
        const bool bPrinted = m_pPrintJob->PrintOn(printer) == CPrinterJob::EResult::Printed;
        m_pPrintJob->SetExtraPage({});
        // The printer neither notices a failed write (a full disk) nor keeps
        // a reason: the file is checked whole, and errno still holds the
        // system's reason.
        const int nErrno = errno;
        QFile written(tempPath);
        if (bPrinted && written.open(QIODevice::ReadOnly) && IsWholePdf(written.readAll()))
            return true;
        if (nErrno != 0)
            reason = QString::fromLocal8Bit(AtomicFile::Reason(nErrno));
        return false;
    });
    ReportWrite(outcome, path);
}
