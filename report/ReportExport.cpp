#include "report/ReportExport.h"

#include "disk/AtomicFileQt.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>

#include <xlsxwriter.h>

#include <locale.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <tuple>

namespace
{
// Excel's own limit on a column width.
constexpr double kMaxSheetWidth = 255.0;
constexpr double kSheetWidthPadding = 2.0;

bool IsWide(char32_t c)
{
    return (c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0xA4CF) || (c >= 0xAC00 && c <= 0xD7A3)
        || (c >= 0xF900 && c <= 0xFAFF) || (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF00 && c <= 0xFF60)
        || (c >= 0xFFE0 && c <= 0xFFE6) || (c >= 0x20000 && c <= 0x3FFFD);
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// A unit goes into the number format between quotation marks, which it
// must not hold itself; it starts with a letter or a sign such as '%'.
bool IsPlainUnit(const std::string& unit)
{
    if (unit.empty())
        return true;
    if (IsDigit(unit.front()) || unit.front() == '.' || unit.front() == ' ')
        return false;
    return std::none_of(unit.begin(), unit.end(),
                        [](char c) { return c == '"' || c == '\\' || static_cast<unsigned char>(c) < 0x20; });
}

// Spreadsheet programs read a field that starts with one of these as a
// formula (a tab or carriage return hides such a start from a naive check).
bool StartsLikeFormula(const std::string& text)
{
    return !text.empty() && std::string_view("=+-@\t\r").find(text.front()) != std::string_view::npos;
}

QByteArray CsvField(const std::string& text, bool bUserText)
{
    QByteArray field = QByteArray::fromStdString(text);
    // The apostrophe makes them show a user's text as text.
    if (bUserText && StartsLikeFormula(text))
        field.prepend('\'');
    if (field.contains(',') || field.contains('"') || field.contains('\n') || field.contains('\r'))
    {
        field.replace("\"", "\"\"");
        field = '"' + field + '"';
    }
    return field;
}

// Formats of the sheet, one per combination of what a cell needs.
class CSheetFormats
{
public:
    explicit CSheetFormats(lxw_workbook* workbook)
        : m_workbook(workbook)
    {
    }

    lxw_format* Heading()
    {
        if (!m_heading)
        {
            m_heading = workbook_add_format(m_workbook);
            format_set_bold(m_heading);
            format_set_align(m_heading, LXW_ALIGN_CENTER);
        }
        return m_heading;
    }

    lxw_format* Cell(const ReportRow& row, EReportAlign align, const std::string& numberFormat)
    {
        const Key key{Rgb(row.background), Rgb(row.text), static_cast<int>(align), numberFormat};
        auto found = m_cells.find(key);
        if (found != m_cells.end())
            return found->second;
        lxw_format* format = workbook_add_format(m_workbook);
        format_set_bg_color(format, Rgb(row.background));
        format_set_font_color(format, Rgb(row.text));
        format_set_align(format, align == EReportAlign::Left    ? LXW_ALIGN_LEFT
                                 : align == EReportAlign::Right ? LXW_ALIGN_RIGHT
                                                                : LXW_ALIGN_CENTER);
        if (!numberFormat.empty())
            format_set_num_format(format, numberFormat.c_str());
        m_cells.emplace(key, format);
        return format;
    }

private:
    using Key = std::tuple<lxw_color_t, lxw_color_t, int, std::string>;

    static lxw_color_t Rgb(const ReportColour& colour)
    {
        return (static_cast<lxw_color_t>(colour.r) << 16) | (static_cast<lxw_color_t>(colour.g) << 8) | colour.b;
    }

    lxw_workbook* m_workbook;
    lxw_format* m_heading = nullptr;
    std::map<Key, lxw_format*> m_cells;
};

// The first error of filling the sheet, or LXW_NO_ERROR.
lxw_error FillSheet(lxw_workbook* workbook, const CReportTable& table, const QString& sheetName)
{
    const QByteArray name = sheetName.toUtf8();
    lxw_worksheet* sheet = workbook_add_worksheet(workbook, name.constData());
    if (!sheet)
    {
        const lxw_error nameError = workbook_validate_sheet_name(workbook, name.constData());
        return nameError != LXW_NO_ERROR ? nameError : LXW_ERROR_MEMORY_MALLOC_FAILED;
    }
    CSheetFormats formats(workbook);
    lxw_error first = LXW_NO_ERROR;
    auto check = [&first](lxw_error error) {
        if (first == LXW_NO_ERROR)
            first = error;
    };

    const std::vector<double> widths = SheetColumnWidths(table);
    for (int c = 0; c < table.ColumnCount(); ++c)
    {
        const auto col = static_cast<lxw_col_t>(c);
        check(worksheet_set_column(sheet, col, col, widths[static_cast<size_t>(c)], nullptr));
        check(worksheet_write_string(sheet, 0, col, table.Columns()[static_cast<size_t>(c)].strHeading.c_str(),
                                     formats.Heading()));
    }
    for (int r = 0; r < table.RowCount(); ++r)
    {
        const ReportRow& row = table.Rows()[static_cast<size_t>(r)];
        const auto sheetRow = static_cast<lxw_row_t>(r + 1);
        for (int c = 0; c < table.ColumnCount(); ++c)
        {
            const auto col = static_cast<lxw_col_t>(c);
            const EReportAlign align = table.Columns()[static_cast<size_t>(c)].eAlign;
            const std::string& text = table.Text(r, c);
            const std::optional<SheetNumber> number =
                table.IsNumber(r, c) ? ParseSheetNumber(text) : std::nullopt;
            if (number)
                check(worksheet_write_number(sheet, sheetRow, col, number->dValue,
                                             formats.Cell(row, align, number->strFormat)));
            else
                check(worksheet_write_string(sheet, sheetRow, col, text.c_str(), formats.Cell(row, align, {})));
        }
    }
    worksheet_freeze_panes(sheet, 1, 1);
    return first;
}

// libxlsxwriter writes every number of the sheet (cells, column widths,
// margins) with snprintf, which follows the C locale Qt sets from the
// desktop: with a decimal comma no program reads the sheet. The writing
// thread has the C locale meanwhile; the rest of the program keeps its own.
class CThreadCLocale
{
public:
#ifdef _WIN32
    // The C runtime keeps a locale per thread once asked to.
    CThreadCLocale()
        : m_nPrevious(_configthreadlocale(_ENABLE_PER_THREAD_LOCALE))
        , m_strPrevious(CurrentNumeric())
        , m_bSet(m_nPrevious != -1 && setlocale(LC_NUMERIC, "C") != nullptr)
    {
    }
    ~CThreadCLocale()
    {
        if (m_nPrevious == -1)
            return;
        setlocale(LC_NUMERIC, m_strPrevious.c_str());
        _configthreadlocale(m_nPrevious);
    }
    bool IsSet() const { return m_bSet; }
#else
    CThreadCLocale()
        : m_c(newlocale(LC_ALL_MASK, "C", locale_t{}))
        , m_previous(m_c != locale_t{} ? uselocale(m_c) : locale_t{})
    {
    }
    ~CThreadCLocale()
    {
        if (m_c == locale_t{})
            return;
        uselocale(m_previous);
        freelocale(m_c);
    }
    bool IsSet() const { return m_c != locale_t{}; }
#endif
    CThreadCLocale(const CThreadCLocale&) = delete;
    CThreadCLocale& operator=(const CThreadCLocale&) = delete;

private:
#ifdef _WIN32
    static std::string CurrentNumeric()
    {
        const char* pszName = setlocale(LC_NUMERIC, nullptr);
        return pszName ? pszName : "C";
    }
    int m_nPrevious;
    std::string m_strPrevious;
    bool m_bSet;
#else
    locale_t m_c;
    locale_t m_previous;
#endif
};

// The library's text for an error; for one of its file operations also the
// system's reason, which errno still holds (the library reports it so).
QString WorkbookFailure(lxw_error error)
{
    if (error == LXW_NO_ERROR)
        return {};
    QString reason = QString::fromUtf8(lxw_strerror(error));
    const bool bFileError = error == LXW_ERROR_CREATING_XLSX_FILE || error == LXW_ERROR_CREATING_TMPFILE
                            || error == LXW_ERROR_READING_TMPFILE || error == LXW_ERROR_ZIP_FILE_OPERATION
                            || error == LXW_ERROR_ZIP_FILE_ADD || error == LXW_ERROR_ZIP_CLOSE;
    if (bFileError && errno != 0)
        reason += QStringLiteral(" (%1)").arg(QString::fromLocal8Bit(AtomicFile::Reason(errno)));
    return reason;
}
}

EExportFormat ExportFormatOf(const QString& path)
{
    return QFileInfo(path).suffix().compare(QLatin1String("csv"), Qt::CaseInsensitive) == 0 ? EExportFormat::Csv
                                                                                             : EExportFormat::Xlsx;
}

QString ExportStamp(const QDateTime& when)
{
    return when.toString(QStringLiteral("yyyyMMddHHmmss"));
}

std::optional<SheetNumber> ParseSheetNumber(const std::string& text)
{
    size_t pos = 0;
    if (pos < text.size() && text[pos] == '-')
        ++pos;
    const size_t intStart = pos;
    while (pos < text.size() && IsDigit(text[pos]))
        ++pos;
    if (pos == intStart)
        return std::nullopt;
    size_t decimals = 0;
    if (pos < text.size() && text[pos] == '.')
    {
        const size_t fracStart = ++pos;
        while (pos < text.size() && IsDigit(text[pos]))
            ++pos;
        decimals = pos - fracStart;
        if (decimals == 0)
            return std::nullopt;
    }
    const std::string unit = text.substr(pos);
    if (!IsPlainUnit(unit))
        return std::nullopt;

    SheetNumber number;
    const auto [end, error] = std::from_chars(text.data(), text.data() + pos, number.dValue);
    if (error != std::errc() || end != text.data() + pos)
        return std::nullopt;
    if (number.dValue == 0.0 && text.front() == '-')
        return std::nullopt;
    number.strFormat = "0";
    if (decimals > 0)
        number.strFormat += "." + std::string(decimals, '0');
    if (!unit.empty())
        number.strFormat += "\"" + unit + "\"";
    return number;
}

int TextDisplayWidth(const std::string& utf8)
{
    int width = 0;
    for (char32_t c : QString::fromStdString(utf8).toUcs4())
        width += IsWide(c) ? 2 : 1;
    return width;
}

std::vector<double> SheetColumnWidths(const CReportTable& table)
{
    std::vector<double> widths;
    for (int c = 0; c < table.ColumnCount(); ++c)
    {
        int chars = TextDisplayWidth(table.Columns()[static_cast<size_t>(c)].strHeading);
        for (int r = 0; r < table.RowCount(); ++r)
            chars = std::max(chars, TextDisplayWidth(table.Text(r, c)));
        widths.push_back(std::min(kMaxSheetWidth, chars + kSheetWidthPadding));
    }
    return widths;
}

QByteArray CsvBytes(const CReportTable& table)
{
    QByteArray bytes("\xEF\xBB\xBF");
    auto line = [&bytes, &table](const std::function<const std::string&(int column)>& text,
                                 const std::function<bool(int column)>& isUserText) {
        for (int c = 0; c < table.ColumnCount(); ++c)
        {
            if (c > 0)
                bytes += ',';
            bytes += CsvField(text(c), isUserText(c));
        }
        bytes += "\r\n";
    };
    line([&table](int c) -> const std::string& { return table.Columns()[static_cast<size_t>(c)].strHeading; },
         [](int) { return false; });
    for (int r = 0; r < table.RowCount(); ++r)
        line([&table, r](int c) -> const std::string& { return table.Text(r, c); },
             [&table, r](int c) { return table.IsUserText(r, c); });
    return bytes;
}

bool IsWholePdf(const QByteArray& pdf)
{
    static const QByteArray kStart("startxref");
    static const QByteArray kEnd("%%EOF");
    const QByteArray body = pdf.endsWith('\n') ? pdf.chopped(1) : pdf;
    const qsizetype start = body.lastIndexOf(kStart);
    if (!body.endsWith(kEnd) || start < 0)
        return false;
    const qsizetype from = start + kStart.size();
    bool bNumber = false;
    const qint64 xref = body.mid(from, body.size() - kEnd.size() - from).trimmed().toLongLong(&bNumber);
    return bNumber && xref >= 0 && xref < start && pdf.mid(xref, 4) == "xref";
}

AtomicFile::QtOutcome WriteCsv(const CReportTable& table, const QString& path)
{
    return AtomicFile::Write(path, CsvBytes(table));
}

AtomicFile::QtOutcome WriteXlsx(const CReportTable& table, const QString& path, const QString& sheetName)
{
    return AtomicFile::WriteThrough(path, [&](const QString& tempPath, QString& reason) {
        const CThreadCLocale cLocale;
        if (!cLocale.IsSet())
        {
            reason = QStringLiteral("no C locale for the numbers");
            return false;
        }
        errno = 0;
        lxw_workbook* workbook = workbook_new(QFile::encodeName(tempPath).constData());
        if (!workbook)
        {
            reason = WorkbookFailure(LXW_ERROR_CREATING_XLSX_FILE);
            return false;
        }
        const lxw_error filled = FillSheet(workbook, table, sheetName);
        // Closing writes the file and frees the workbook, so it runs even
        // when filling failed.
        const lxw_error closed = workbook_close(workbook);
        const lxw_error error = filled != LXW_NO_ERROR ? filled : closed;
        reason = WorkbookFailure(error);
        return error == LXW_NO_ERROR;
    });
}

AtomicFile::QtOutcome WriteReport(const CReportTable& table, const QString& path, const QString& sheetName)
{
    return ExportFormatOf(path) == EExportFormat::Csv ? WriteCsv(table, path) : WriteXlsx(table, path, sheetName);
}
