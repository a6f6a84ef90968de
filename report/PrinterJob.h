#pragma once

#include <QString>

class QPainter;
class QPrinter;
class QWidget;

// A print job: the print dialog, the document and the page loop, with hooks
// for what a kind of document lays out and draws.
class CPrinterJob
{
public:
    enum class EResult
    {
        Printed,
        Cancelled,     // nothing to print, or the user said no
        StartFailed,   // the document could not be started
        Aborted,       // a page could not be started; the document was dropped
    };

    virtual ~CPrinterJob() = default;

    // The whole job: prepare printing (the print dialog), then print on
    // `printer`. The caller shows a message for StartFailed.
    EResult Run(QPrinter& printer, QWidget* pParent);
    // Prints the pages the printer asks for (all when it names none) on a
    // printer already set up: for a preview, a PDF file or a test.
    EResult PrintOn(QPrinter& printer);

    int PageCount() const { return m_nPages; }
    void SetDocumentName(const QString& name) { m_strDocumentName = name; }

protected:
    // Sets the printer up and asks the user; false stops the job.
    virtual bool OnPreparePrinting(QPrinter& printer, QWidget* pParent);
    // Lays out the document on the started printer and gives the number of
    // pages.
    virtual int OnBeginPrinting(QPainter& painter) = 0;
    virtual void OnPrepareDC(QPainter& painter, int nPage);
    virtual void OnPrintPage(QPainter& painter, int nPage) = 0;
    virtual void OnEndPrinting() {}

private:
    QString m_strDocumentName;
    int m_nPages = 0;
};
