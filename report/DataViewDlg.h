#pragma once

#include "model/ValueText.h"
#include "report/ReportTable.h"

#include <QDialog>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class CColorListCtrl;
class CListCtrlPrint;
class QPainter;
class QPrinter;
class QRect;
class QPrintPreviewDialog;
namespace AtomicFile
{
struct QtOutcome;
}

// The "Data View" window: the parameter report as a coloured table, with
// printing (and a preview), and export to a spreadsheet, CSV or PDF file.
// It shows the table it was given when opened and sends nothing anywhere.
class CDataViewDlg : public QDialog
{
    Q_OBJECT

public:
    // Asks for the file to write; an empty text cancels.
    using FileAsker = std::function<QString(QWidget* pParent, const QString& title, const QString& folder,
                                            const QString& defaultName, const QStringList& filters)>;

    CDataViewDlg(CReportTable table, ELanguage eLanguage, QWidget* pParent = nullptr);
    ~CDataViewDlg() override;

    // Replaces the save dialog (tests answer without one).
    void SetFileAsker(FileAsker asker) { m_askFile = std::move(asker); }
    // The save dialog: opens in `folder` with `defaultName` proposed and the
    // first filter's extension added to a name typed without one.
    static QString AskSaveFile(QWidget* pParent, const QString& title, const QString& folder,
                               const QString& defaultName, const QStringList& filters);
    // Where the save dialogs open: "MusicFile" in the working directory.
    static QString ExportFolder();

    const CReportTable& Table() const { return m_table; }
    CColorListCtrl* ListCtrl() const { return m_pList; }

    // "Export Excel": asks for a file and writes the table as a spreadsheet
    // or, for a ".csv" name, as CSV; says where it went or that it failed.
    void ExportTable();
    // "print": the print dialog, then the printer.
    void PrintTable();
    // The preview window over a printer of the default kind; the caller
    // shows it. It draws through this window's print job.
    QPrintPreviewDialog* CreatePreview(QPrinter& printer);
    void PreviewTable();
    // Prints to a PDF file the user names; a curve page set here follows
    // the table's pages there.
    void ExportPdf();
    using PagePainter = std::function<void(QPainter& painter, const QRect& body)>;
    void SetPdfCurvePage(PagePainter paint) { m_pdfCurvePage = std::move(paint); }

private:
    QString AskFile(const QStringList& filters, const QString& extension);
    void ReportWrite(const AtomicFile::QtOutcome& outcome, const QString& path);

    CReportTable m_table;
    ELanguage m_eLanguage;
    CColorListCtrl* m_pList = nullptr;
    std::unique_ptr<CListCtrlPrint> m_pPrintJob;
    FileAsker m_askFile;
    PagePainter m_pdfCurvePage;
};
