#include "report/PrinterJob.h"

#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>

#include <algorithm>

CPrinterJob::EResult CPrinterJob::Run(QPrinter& printer, QWidget* pParent)
{
    if (!OnPreparePrinting(printer, pParent))
        return EResult::Cancelled;
    return PrintOn(printer);
}

CPrinterJob::EResult CPrinterJob::PrintOn(QPrinter& printer)
{
    printer.setDocName(m_strDocumentName);
    QPainter painter;
    if (!painter.begin(&printer))
        return EResult::StartFailed;

    m_nPages = std::max(1, OnBeginPrinting(painter));
    int nFirst = 1;
    int nLast = m_nPages;
    if (printer.printRange() != QPrinter::AllPages && printer.fromPage() > 0)
    {
        nFirst = std::clamp(printer.fromPage(), 1, m_nPages);
        nLast = std::clamp(std::max(printer.toPage(), printer.fromPage()), nFirst, m_nPages);
    }

    EResult result = EResult::Printed;
    for (int nPage = nFirst; nPage <= nLast; ++nPage)
    {
        // The printer starts the first page itself.
        if (nPage > nFirst && !printer.newPage())
        {
            printer.abort();
            result = EResult::Aborted;
            break;
        }
        painter.save();
        OnPrepareDC(painter, nPage);
        OnPrintPage(painter, nPage);
        painter.restore();
    }
    // Pending window messages are not let through between pages: a second
    // click on print would start another job on this printer mid-document.
    if (!painter.end() && result == EResult::Printed)
        result = EResult::Aborted;
    OnEndPrinting();
    return result;
}

bool CPrinterJob::OnPreparePrinting(QPrinter& printer, QWidget* pParent)
{
    QPrintDialog dialog(&printer, pParent);
    return dialog.exec() == QDialog::Accepted;
}

void CPrinterJob::OnPrepareDC(QPainter& painter, int)
{
    painter.setBackgroundMode(Qt::TransparentMode);
}
