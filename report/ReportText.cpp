#include "report/ReportText.h"

#include "text/TextTable.h"

#include <array>

namespace
{
using TextPair = CTextPair<EReportText>;

// Kept in the order of EReportText; ReportText checks it.
constexpr std::array kTexts{
    TextPair{EReportText::Title, "Data View", "参数值显示"},
    TextPair{EReportText::Print, "print", "print"},
    TextPair{EReportText::Close, "close", "close"},
    TextPair{EReportText::ExportExcel, "Export Excel", "Export Excel"},
    TextPair{EReportText::PrintPreview, "Print Preview", "打印预览"},
    TextPair{EReportText::ExportPdf, "Export PDF", "导出PDF"},
    TextPair{EReportText::ExportDialogTitle, "导出", "导出"},
    TextPair{EReportText::ExcelFilter, "Excel文件(*.xlsx)", "Excel文件(*.xlsx)"},
    TextPair{EReportText::CsvFilter, "CSV file(*.csv)", "CSV文件(*.csv)"},
    TextPair{EReportText::PdfFilter, "PDF file(*.pdf)", "PDF文件(*.pdf)"},
    TextPair{EReportText::AllFilesFilter, "所有文件 (*.*)", "所有文件 (*.*)"},
    TextPair{EReportText::ExportSaved, "导出文件保存于%1!", "导出文件保存于%1!"},
    TextPair{EReportText::OverwriteFailed, "覆盖文件时出错！", "覆盖文件时出错！"},
    TextPair{EReportText::WriteFailed, "Error writing the file %1!", "写入文件%1时出错！"},
    TextPair{EReportText::PrintStartFailed, "无法启动打印作业。", "无法启动打印作业。"},
    TextPair{EReportText::DocumentName, "senza nome", "senza nome"},
    TextPair{EReportText::PrintHeader, "This is the report of the file\r\nMultiline!\r\n",
             "This is the report of the file\r\nMultiline!\r\n"},
    TextPair{EReportText::PrintFooter, "Just a huar for the footers\r\neventually multiline too ..",
             "Just a huar for the footers\r\neventually multiline too .."},
    TextPair{EReportText::PageNumber, "Page %1 of %2", "Page %1 of %2"},
};

static_assert(InEnumOrder(kTexts), "report texts must follow the order of EReportText");
}

QString ReportText(EReportText id, ELanguage language)
{
    return PickText(kTexts, id, language);
}

QString ReportSheetName()
{
    return QStringLiteral("ProcessorData");
}
