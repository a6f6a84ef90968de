#pragma once

#include "report/PrintLayout.h"
#include "report/PrinterJob.h"

#include <QFont>
#include <QRect>
#include <QString>

#include <functional>

class CReportTable;
class QPaintDevice;

// Prints a report table as a ruled grid: on every page the header text with
// the page number right beside it, the column headings, as many rows as fit
// (the last page's grid filled up with empty rows) and the footer text at the
// bottom. Columns keep their on-screen proportions and fill the width.
// Fonts: the table Arial 8 point (smaller when a text would not fit its
// column), the header Arial 12 point, the footer Times New Roman 6 point.
class CListCtrlPrint : public CPrinterJob
{
public:
    static constexpr double kMarginMm = 10.0;

    // The table must outlive the job.
    explicit CListCtrlPrint(const CReportTable& table);

    void SetHeaderText(const QString& text) { m_strHeader = text; }
    void SetFooterText(const QString& text) { m_strFooter = text; }
    // %1: the page, %2: the number of pages.
    void SetPageNumberFormat(const QString& format) { m_strPageFormat = format; }

    // A page after the table's, with the same header and footer, whose body
    // `paint` fills (the response curves); none when empty. `body` is in
    // the printer's device pixels.
    using PagePainter = std::function<void(QPainter& painter, const QRect& body)>;
    void SetExtraPage(PagePainter paint) { m_extraPage = std::move(paint); }

    // Sets the margins; the printer must not have been started yet.
    static void SetUpPrinter(QPrinter& printer);

    // The layout of the last document begun.
    const PrintLayout& Layout() const { return m_layout; }

protected:
    bool OnPreparePrinting(QPrinter& printer, QWidget* pParent) override;
    int OnBeginPrinting(QPainter& painter) override;
    void OnPrintPage(QPainter& painter, int nPage) override;

private:
    // The table font: 8 point, or smaller where texts would not fit.
    void FitTableFont();
    QString PageNumberText(int nPage, int nPages) const;
    // Height of the page header for one page number text, and the width the
    // page number takes at the right.
    int HeaderHeight(const QString& pageText) const;
    int PageNumberWidth(const QString& pageText) const;
    int WrappedHeight(const QFont& font, int nWidth, const QString& text) const;
    void DrawHeadingRow(QPainter& painter) const;
    void DrawRows(QPainter& painter, int nPage) const;

    const CReportTable& m_table;
    QString m_strHeader;
    QString m_strFooter;
    QString m_strPageFormat = QStringLiteral("%1 / %2");
    QFont m_tableFont;
    QFont m_headerFont;
    QFont m_footerFont;
    QPaintDevice* m_pDevice = nullptr;
    int m_nWidth = 0;
    int m_nPadding = 0;
    PrintLayout m_layout;
    PagePainter m_extraPage;
};
