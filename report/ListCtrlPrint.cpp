#include "report/ListCtrlPrint.h"

#include "report/ReportTable.h"

#include <QFontMetrics>
#include <QPageLayout>
#include <QPainter>
#include <QPrinter>

#include <algorithm>
#include <climits>
#include <cmath>

namespace
{
constexpr double kTablePoints = 8.0;
// The smallest table font a report shrinks to so that its texts fit their
// columns; below it a text is cut at its cell's edges.
constexpr double kMinTablePoints = 4.0;
constexpr double kTablePointsStep = 0.25;
constexpr double kHeaderPoints = 12.0;
constexpr double kFooterPoints = 6.0;
// Room around a row's text and above the footer, in units of a 96 dpi
// screen so that a 1200 dpi printer does not squeeze the text onto the rules.
constexpr double kRowPadding = 4.0;
constexpr double kFooterPadding = 2.0;
constexpr double kScreenDpi = 96.0;

QFont MakeFont(const char* family, double points)
{
    QFont font(QString::fromLatin1(family));
    font.setPointSizeF(points);
    return font;
}

// Texts carry CR LF line breaks; a painter would draw the CR as a glyph.
QString PlainLines(const QString& text)
{
    QString lines = text;
    lines.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    return lines;
}

Qt::Alignment ToQtAlignment(EReportAlign align)
{
    switch (align)
    {
    case EReportAlign::Left:
        return Qt::AlignLeft;
    case EReportAlign::Right:
        return Qt::AlignRight;
    case EReportAlign::Centre:
        break;
    }
    return Qt::AlignHCenter;
}
}

CListCtrlPrint::CListCtrlPrint(const CReportTable& table)
    : m_table(table)
    , m_tableFont(MakeFont("Arial", kTablePoints))
    , m_headerFont(MakeFont("Arial", kHeaderPoints))
    , m_footerFont(MakeFont("Times New Roman", kFooterPoints))
{
}

void CListCtrlPrint::SetUpPrinter(QPrinter& printer)
{
    printer.setFullPage(false);
    printer.setPageMargins(QMarginsF(kMarginMm, kMarginMm, kMarginMm, kMarginMm), QPageLayout::Millimeter);
}

bool CListCtrlPrint::OnPreparePrinting(QPrinter& printer, QWidget* pParent)
{
    if (m_table.IsEmpty())
        return false;
    SetUpPrinter(printer);
    return CPrinterJob::OnPreparePrinting(printer, pParent);
}

int CListCtrlPrint::OnBeginPrinting(QPainter& painter)
{
    m_pDevice = painter.device();
    m_nWidth = m_pDevice->width();
    const double dScale = m_pDevice->logicalDpiY() / kScreenDpi;
    m_nPadding = static_cast<int>(std::lround(kRowPadding * dScale));

    m_tableFont.setPointSizeF(kTablePoints);
    FitTableFont();

    PrintMetrics metrics;
    metrics.nWidth = m_nWidth;
    metrics.nHeight = m_pDevice->height();
    metrics.nRowHeight = QFontMetrics(m_tableFont, m_pDevice).height() + m_nPadding;
    metrics.nFooterHeight = WrappedHeight(m_footerFont, m_nWidth, PlainLines(m_strFooter))
        + static_cast<int>(std::lround(kFooterPadding * dScale));

    std::vector<int> widths;
    for (const ReportColumn& column : m_table.Columns())
        widths.push_back(column.nWidth);
    m_layout = MakePrintLayout(
        metrics,
        [this](int nPages) {
            int nHeight = 0;
            for (int nPage = 1; nPage <= nPages; ++nPage)
                nHeight = std::max(nHeight, HeaderHeight(PageNumberText(nPage, nPages)));
            return nHeight;
        },
        widths, m_table.RowCount());
    return m_layout.nPages + (m_extraPage ? 1 : 0);
}

void CListCtrlPrint::OnPrintPage(QPainter& painter, int nPage)
{
    painter.setPen(QPen(Qt::black, 0));
    painter.setBrush(Qt::NoBrush);

    const int nPages = m_layout.nPages + (m_extraPage ? 1 : 0);
    const QString pageText = PageNumberText(nPage, nPages);
    const int nPageWidth = PageNumberWidth(pageText);
    painter.setFont(m_headerFont);
    painter.drawText(QRect(m_nWidth - nPageWidth, 0, nPageWidth, m_layout.nHeaderHeight),
                     Qt::AlignRight | Qt::AlignTop | Qt::TextWordWrap, pageText);
    painter.drawText(QRect(0, 0, m_nWidth - nPageWidth, m_layout.nHeaderHeight),
                     Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, PlainLines(m_strHeader));

    if (nPage > m_layout.nPages)
    {
        painter.save();
        m_extraPage(painter, QRect(0, m_layout.nHeaderHeight, m_nWidth, m_layout.nFooterTop - m_layout.nHeaderHeight));
        painter.restore();
    }
    else
    {
        painter.setFont(m_tableFont);
        DrawHeadingRow(painter);
        DrawRows(painter, nPage);
    }

    painter.setFont(m_footerFont);
    painter.drawText(QRect(0, m_layout.nFooterTop, m_nWidth, m_pDevice->height() - m_layout.nFooterTop),
                     Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, PlainLines(m_strFooter));
}

void CListCtrlPrint::DrawHeadingRow(QPainter& painter) const
{
    const std::vector<int>& edges = m_layout.columnEdges;
    const int nTop = m_layout.HeadingTop();
    const int nHeight = m_layout.nRowHeight;
    painter.drawRect(QRect(0, nTop, edges.back(), nHeight));
    for (int c = 0; c < m_table.ColumnCount(); ++c)
    {
        const QRect cell(edges[c], nTop, edges[c + 1] - edges[c], nHeight);
        painter.drawRect(cell);
        const ReportColumn& column = m_table.Columns()[static_cast<size_t>(c)];
        painter.drawText(cell.adjusted(m_nPadding, 0, -m_nPadding, 0), ToQtAlignment(column.eAlign) | Qt::AlignVCenter,
                         QString::fromStdString(column.strHeading));
    }
}

void CListCtrlPrint::DrawRows(QPainter& painter, int nPage) const
{
    const std::vector<int>& edges = m_layout.columnEdges;
    const PageRows rows = RowsOfPage(nPage, m_layout.nRowsPerPage, m_table.RowCount());
    const int nStep = m_layout.nRowHeight + 1;
    for (int i = 0; i < m_layout.nRowsPerPage; ++i)
    {
        const int nRow = rows.nFirst + i;
        const int nTop = m_layout.RowTop(i);
        for (int c = 0; c < m_table.ColumnCount(); ++c)
        {
            painter.drawLine(edges[c], nTop, edges[c], nTop + nStep);
            painter.drawLine(edges[c], nTop, edges[c + 1], nTop);
            if (nRow < rows.nTextEnd)
            {
                const QRect cell(edges[c] + m_nPadding, nTop + 1, edges[c + 1] - edges[c] - 2 * m_nPadding,
                                 m_layout.nRowHeight);
                painter.drawText(cell, ToQtAlignment(m_table.Columns()[static_cast<size_t>(c)].eAlign) | Qt::AlignVCenter,
                                 QString::fromStdString(m_table.Text(nRow, c)));
            }
        }
        painter.drawLine(edges.back(), nTop, edges.back(), nTop + nStep);
    }
    painter.drawLine(0, m_layout.GridBottom(), edges.back(), m_layout.GridBottom());
}

void CListCtrlPrint::FitTableFont()
{
    std::vector<int> widths;
    for (const ReportColumn& column : m_table.Columns())
        widths.push_back(column.nWidth);
    const std::vector<int> edges = ColumnEdges(widths, m_nWidth);
    // A narrow page (portrait, or a printer whose fonts run wide) would cut
    // the texts at the cell borders: a report that hides values.
    auto fits = [&] {
        const QFontMetrics metrics(m_tableFont, m_pDevice);
        for (int c = 0; c < m_table.ColumnCount(); ++c)
        {
            const int nRoom = edges[c + 1] - edges[c] - 2 * m_nPadding;
            if (metrics.horizontalAdvance(QString::fromStdString(m_table.Columns()[size_t(c)].strHeading)) > nRoom)
                return false;
            for (int r = 0; r < m_table.RowCount(); ++r)
                if (metrics.horizontalAdvance(QString::fromStdString(m_table.Text(r, c))) > nRoom)
                    return false;
        }
        return true;
    };
    while (m_tableFont.pointSizeF() > kMinTablePoints && !fits())
        m_tableFont.setPointSizeF(std::max(kMinTablePoints, m_tableFont.pointSizeF() - kTablePointsStep));
}

QString CListCtrlPrint::PageNumberText(int nPage, int nPages) const
{
    return m_strPageFormat.arg(nPage).arg(nPages);
}

int CListCtrlPrint::PageNumberWidth(const QString& pageText) const
{
    return std::min(m_nWidth, QFontMetrics(m_headerFont, m_pDevice).horizontalAdvance(pageText) + 1);
}

int CListCtrlPrint::HeaderHeight(const QString& pageText) const
{
    const int nPageWidth = PageNumberWidth(pageText);
    return std::max(WrappedHeight(m_headerFont, nPageWidth, pageText),
                    WrappedHeight(m_headerFont, m_nWidth - nPageWidth, PlainLines(m_strHeader)));
}

int CListCtrlPrint::WrappedHeight(const QFont& font, int nWidth, const QString& text) const
{
    if (text.isEmpty() || nWidth <= 0)
        return 0;
    return QFontMetrics(font, m_pDevice)
        .boundingRect(QRect(0, 0, nWidth, INT_MAX / 2), Qt::AlignLeft | Qt::TextWordWrap, text)
        .height();
}
