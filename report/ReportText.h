#pragma once

#include "model/ValueText.h"

#include <QString>

// Every text of the Data View window, its export and its printout, in
// English and Chinese; the language flag (0 Chinese, 1 English) picks the form.
enum class EReportText
{
    Title,
    // buttons
    Print,
    Close,
    ExportExcel,
    PrintPreview,
    ExportPdf,
    // export
    ExportDialogTitle,
    ExcelFilter,
    CsvFilter,
    PdfFilter,
    AllFilesFilter,
    ExportSaved,     // %1: the file's name without its folder
    OverwriteFailed,
    WriteFailed,     // %1: the file's name without its folder
    // printing
    PrintStartFailed,
    DocumentName,
    PrintHeader,
    PrintFooter,
    PageNumber,      // %1: page, %2: number of pages
};

QString ReportText(EReportText id, ELanguage language);

// The sheet of the exported spreadsheet.
QString ReportSheetName();
