#include "ReportExport.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTemporaryFile>

#include <xlsxwriter.h>

#include <locale.h>

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <map>
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

QByteArray CsvField(const std::string& text)
{
    QByteArray field = QByteArray::fromStdString(text);
    if (field.contains(',') || field.contains('"') || field.contains('\n') || field.contains('\r'))
    {
        field.replace("\"", "\"\"");
        field = '"' + field + '"';
    }
    return field;
}

// A file whose name is reserved in path's folder, removed again unless kept.
class CTempSibling
{
public:
    explicit CTempSibling(const QString& path)
        : m_file(QFileInfo(path).absoluteDir().filePath(QStringLiteral(".%1.XXXXXX.part").arg(QFileInfo(path).fileName())))
    {
        m_bReserved = m_file.open();
        m_file.close();
    }

    bool IsReserved() const { return m_bReserved; }
    QString Path() const { return m_file.fileName(); }
    void Keep() { m_file.setAutoRemove(false); }

private:
    QTemporaryFile m_file;
    bool m_bReserved = false;
};

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

bool FillSheet(lxw_workbook* workbook, const CReportTable& table, const QString& sheetName)
{
    lxw_worksheet* sheet = workbook_add_worksheet(workbook, sheetName.toUtf8().constData());
    if (!sheet)
        return false;
    CSheetFormats formats(workbook);
    bool bOk = true;
    auto check = [&bOk](lxw_error error) { bOk = bOk && error == LXW_NO_ERROR; };

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
    return bOk;
}

// libxlsxwriter writes every number of the sheet (cells, column widths,
// margins) with snprintf, which follows the C locale Qt sets from the
// desktop: with a decimal comma no program reads the sheet. The writing
// thread has the C locale meanwhile; the rest of the program keeps its own.
class CThreadCLocale
{
public:
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
    CThreadCLocale(const CThreadCLocale&) = delete;
    CThreadCLocale& operator=(const CThreadCLocale&) = delete;

    bool IsSet() const { return m_c != locale_t{}; }

private:
    locale_t m_c;
    locale_t m_previous;
};

std::filesystem::path FsPath(const QString& path)
{
    return std::filesystem::path(path.toStdU16String());
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
    auto line = [&bytes, &table](const std::function<const std::string&(int column)>& text) {
        for (int c = 0; c < table.ColumnCount(); ++c)
        {
            if (c > 0)
                bytes += ',';
            bytes += CsvField(text(c));
        }
        bytes += "\r\n";
    };
    line([&table](int c) -> const std::string& { return table.Columns()[static_cast<size_t>(c)].strHeading; });
    for (int r = 0; r < table.RowCount(); ++r)
        line([&table, r](int c) -> const std::string& { return table.Text(r, c); });
    return bytes;
}

EWriteResult WriteCsv(const CReportTable& table, const QString& path)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return EWriteResult::WriteFailed;
    const QByteArray bytes = CsvBytes(table);
    if (file.write(bytes) != bytes.size())
    {
        file.cancelWriting();
        return EWriteResult::WriteFailed;
    }
    return file.commit() ? EWriteResult::Ok : EWriteResult::WriteFailed;
}

EWriteResult WriteXlsx(const CReportTable& table, const QString& path, const QString& sheetName)
{
    return WriteThroughTempFile(path, [&](const QString& tempPath) {
        const CThreadCLocale cLocale;
        if (!cLocale.IsSet())
            return false;
        lxw_workbook* workbook = workbook_new(QFile::encodeName(tempPath).constData());
        if (!workbook)
            return false;
        const bool bFilled = FillSheet(workbook, table, sheetName);
        // Closing writes the file and frees the workbook, so it runs even
        // when filling failed.
        const bool bClosed = workbook_close(workbook) == LXW_NO_ERROR;
        return bFilled && bClosed;
    });
}

EWriteResult WriteReport(const CReportTable& table, const QString& path, const QString& sheetName)
{
    return ExportFormatOf(path) == EExportFormat::Csv ? WriteCsv(table, path) : WriteXlsx(table, path, sheetName);
}

EWriteResult WriteThroughTempFile(const QString& path, const std::function<bool(const QString& tempPath)>& write)
{
    CTempSibling temp(path);
    if (!temp.IsReserved() || !write(temp.Path()))
        return EWriteResult::WriteFailed;
    // The reserved name is private to its owner; the finished file gets the
    // permissions of any new file.
    QFile::setPermissions(temp.Path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup
                                           | QFileDevice::ReadOther);
    std::error_code error;
    std::filesystem::rename(FsPath(temp.Path()), FsPath(path), error);
    if (error)
        return EWriteResult::ReplaceFailed;
    temp.Keep();
    return EWriteResult::Ok;
}
