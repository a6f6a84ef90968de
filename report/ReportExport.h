#pragma once

#include "disk/AtomicFileQt.h"
#include "report/ReportTable.h"

#include <QByteArray>
#include <QString>

#include <optional>
#include <string>
#include <vector>

class QDateTime;

// Writing the report to files: a spreadsheet ("*.xlsx", one sheet) or a CSV
// file, whole or not at all (AtomicFile): a failure never leaves a
// half-written file nor harms the file it was to replace, and says why.

enum class EExportFormat
{
    Xlsx,
    Csv,
};

// ".csv" in any case is CSV; everything else is a spreadsheet.
EExportFormat ExportFormatOf(const QString& path);

// The proposed file name: local date and time as fourteen digits,
// year month day hour minute second.
QString ExportStamp(const QDateTime& when);

// A shown text that spreadsheets should hold as a number: its value, and a
// number format that shows it as the text did ("-3.5dB" -> -3.5 and
// 0.0"dB"). None for texts that are not a figure with an optional unit, and
// for "-0..." which a number could not show with its sign.
struct SheetNumber
{
    double dValue = 0.0;
    std::string strFormat;
};
std::optional<SheetNumber> ParseSheetNumber(const std::string& text);

// Width of a text in spreadsheet character units: East Asian wide
// characters count two.
int TextDisplayWidth(const std::string& utf8);
// A width per column that fits its heading and every cell, with a little room.
std::vector<double> SheetColumnWidths(const CReportTable& table);

// The CSV form: UTF-8 with a byte order mark (spreadsheet programs then read
// the Chinese texts right), CRLF line ends, the headings as the first line,
// fields quoted where they hold a comma, a quotation mark or a line break.
// A user's text that starts with "=", "+", "-", "@", a tab or a carriage
// return gets a leading apostrophe, so that no spreadsheet runs it as a
// formula; number cells stay as they are ("-3.0dB").
QByteArray CsvBytes(const CReportTable& table);

// Whether a PDF file as the printer wrote it is whole: its cross-reference
// table stands where its trailer says and nothing follows the end mark. The
// printer does not see its own failed writes (a full disk): a byte lost
// anywhere moves the table or cuts the end.
bool IsWholePdf(const QByteArray& pdf);

AtomicFile::QtOutcome WriteCsv(const CReportTable& table, const QString& path);
// One sheet named sheetName; the heading row bold and frozen with the title
// column, rows in their colours, number cells as numbers, every other cell
// (a user's text above all) as a string.
AtomicFile::QtOutcome WriteXlsx(const CReportTable& table, const QString& path, const QString& sheetName);
// Writes in the format ExportFormatOf gives for path.
AtomicFile::QtOutcome WriteReport(const CReportTable& table, const QString& path, const QString& sheetName);

