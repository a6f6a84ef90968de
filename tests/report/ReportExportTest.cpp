#include "model/Audio_Data.h"
#include "model/ParamCatalogue.h"
#include "model/ValueText.h"
#include "report/ReportBuilder.h"
#include "report/ReportExport.h"
#include "tests/report/ReportFixture.h"

#include "tests/LocaleTable.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <tuple>

namespace
{
// ---- numbers in the sheet -------------------------------------------------------

struct NumberCase
{
    const char* szName;
    const char* szText;
    bool bNumber;
    double dValue;
    const char* szFormat;
};

class SheetNumberTest : public ::testing::TestWithParam<NumberCase>
{
};

TEST_P(SheetNumberTest, ParsesTheShownTextIntoValueAndFormat)
{
    const NumberCase& c = GetParam();
    const std::optional<SheetNumber> number = ParseSheetNumber(c.szText);
    ASSERT_EQ(number.has_value(), c.bNumber);
    if (number)
    {
        EXPECT_EQ(number->dValue, c.dValue);
        EXPECT_EQ(number->strFormat, c.szFormat);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Report, SheetNumberTest,
    ::testing::Values(NumberCase{"Decibels", "-3.5dB", true, -3.5, "0.0\"dB\""},
                      NumberCase{"Hertz", "1000Hz", true, 1000, "0\"Hz\""},
                      NumberCase{"Milliseconds", "10.017ms", true, 10.017, "0.000\"ms\""},
                      NumberCase{"Slope", "24dB/oct", true, 24, "0\"dB/oct\""},
                      NumberCase{"PlainFigure", "1.41", true, 1.41, "0.00"},
                      NumberCase{"Integer", "7", true, 7, "0"},
                      // a number cannot show the sign of a negative zero
                      NumberCase{"NegativeZero", "-0.0dB", false, 0, ""},
                      NumberCase{"LockText", "Lock", false, 0, ""},
                      NumberCase{"ChineseLockText", "锁定", false, 0, ""},
                      NumberCase{"Empty", "", false, 0, ""},
                      NumberCase{"NoDigitsAfterPoint", "3.dB", false, 0, ""},
                      NumberCase{"SpaceBeforeUnit", "3 dB", false, 0, ""},
                      NumberCase{"QuoteInUnit", "3\"", false, 0, ""},
                      NumberCase{"TwoPoints", "1.2.3", false, 0, ""},
                      NumberCase{"PlusSign", "+3dB", false, 0, ""}),
    [](const auto& info) { return std::string(info.param.szName); });

TEST(ReportExportTest, WideCharactersCountTwiceInColumnWidths)
{
    EXPECT_EQ(TextDisplayWidth("Gain"), 4);
    EXPECT_EQ(TextDisplayWidth("增益"), 4);
    EXPECT_EQ(TextDisplayWidth("均衡1 类型"), 10);
    EXPECT_EQ(TextDisplayWidth("B\xC3\xBChne"), 5);

    CReportTable table;
    table.AddColumn({"Type", 90});
    table.AddColumn({"CH_A", 95});
    table.AddRow({"低通频率", {}, {}, {{"20000Hz", EReportCell::Number}}});
    table.AddRow({"x", {}, {}, {}});
    EXPECT_EQ(SheetColumnWidths(table), (std::vector<double>{10.0, 9.0}));
}

TEST(ReportExportTest, StampIsFourteenDigits)
{
    EXPECT_EQ(ExportStamp(QDateTime(QDate(2024, 3, 7), QTime(9, 5, 2))), QStringLiteral("20240307090502"));
    EXPECT_EQ(ExportStamp(QDateTime(QDate(2023, 12, 31), QTime(23, 59, 59))), QStringLiteral("20231231235959"));
}

TEST(ReportExportTest, FormatFollowsTheExtension)
{
    EXPECT_EQ(ExportFormatOf("a/b.csv"), EExportFormat::Csv);
    EXPECT_EQ(ExportFormatOf("b.CSV"), EExportFormat::Csv);
    EXPECT_EQ(ExportFormatOf("b.xlsx"), EExportFormat::Xlsx);
    EXPECT_EQ(ExportFormatOf("b"), EExportFormat::Xlsx);
}

// ---- CSV ----------------------------------------------------------------------

TEST(ReportExportTest, CsvBytesQuoteWhatNeedsIt)
{
    CReportTable table;
    table.AddColumn({"Type", 90});
    table.AddColumn({"CH_A", 95});
    table.AddColumn({"", 95});
    table.AddRow({"Name", {}, {}, {{"Kick, \"Sub\""}, {}}});
    table.AddRow({"通道名", {}, {}, {{"two\nlines"}, {"cr\r"}}});
    table.AddRow({"Gain", {}, {}, {{"-3.5dB", EReportCell::Number}}});
    const QByteArray expected = "\xEF\xBB\xBF"
                                "Type,CH_A,\r\n"
                                "Name,\"Kick, \"\"Sub\"\"\",\r\n"
                                "\xE9\x80\x9A\xE9\x81\x93\xE5\x90\x8D,\"two\nlines\",\"cr\r\"\r\n"
                                "Gain,-3.5dB,\r\n";
    EXPECT_EQ(CsvBytes(table), expected);
}

TEST(ReportExportTest, CsvShowsAUsersTextAsTextNeverAsAFormula)
{
    struct Case
    {
        const char* szText;
        EReportCell eKind;
        const char* szField;
    };
    const Case cases[] = {
        {"=1+2", EReportCell::UserText, "'=1+2"},
        {"@SUM(1)", EReportCell::UserText, "'@SUM(1)"},
        {"+cmd", EReportCell::UserText, "'+cmd"},
        {"-2+3", EReportCell::UserText, "'-2+3"},
        {"\tx", EReportCell::UserText, "'\tx"},
        {"\rx", EReportCell::UserText, "\"'\rx\""},
        {"=a,\"b", EReportCell::UserText, "\"'=a,\"\"b\""},
        {"a=b", EReportCell::UserText, "a=b"},
        {"Caf\xC3\xA9", EReportCell::UserText, "Caf\xC3\xA9"},
        // the program's own texts and numbers stay as they are
        {"-3.0dB", EReportCell::Number, "-3.0dB"},
        {"-", EReportCell::Text, "-"},
    };
    for (const Case& c : cases)
    {
        CReportTable table;
        table.AddColumn({"Type", 90});
        table.AddColumn({"CH_A", 95});
        table.AddRow({"=Title", {}, {}, {{c.szText, c.eKind}}});
        EXPECT_EQ(CsvBytes(table), QByteArray("\xEF\xBB\xBFType,CH_A\r\n=Title,") + c.szField + "\r\n") << c.szText;
    }
}

// ---- PDF ------------------------------------------------------------------------

TEST(ReportExportTest, APdfIsWholeOnlyWithItsTableWhereTheTrailerSays)
{
    const QByteArray head = "%PDF-1.4\n1 0 obj\n<< /Type /Catalog >>\nendobj\n";
    const QByteArray tail = "xref\n0 2\n0000000000 65535 f \n0000000009 00000 n \ntrailer\n<< /Size 2 >>\nstartxref\n"
                            + QByteArray::number(head.size()) + "\n%%EOF\n";
    const QByteArray whole = head + tail;
    EXPECT_TRUE(IsWholePdf(whole));
    EXPECT_TRUE(IsWholePdf(whole.chopped(1)));
    struct Case
    {
        const char* szName;
        QByteArray pdf;
    };
    const Case broken[] = {
        {"EndCut", whole.chopped(3)},
        {"ByteLostBeforeTheTable", head.chopped(1) + tail},
        {"ByteLostInTheTable", head + tail.mid(1)},
        {"TrailerOnly", tail},
        {"Empty", QByteArray()},
        {"TableBeyondTheTrailer", head + QByteArray(tail).replace("startxref\n", "startxref\n9")},
        {"NoNumber", QByteArray(whole).replace("startxref\n", "startxref\nx")},
    };
    for (const Case& c : broken)
        EXPECT_FALSE(IsWholePdf(c.pdf)) << c.szName;
}

// ---- failed writes ------------------------------------------------------------

QStringList Entries(const QString& folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
}

TEST(ReportExportTest, WriteIntoAMissingFolderFailsAndLeavesNothing)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const CReportTable table = SampleReport(kEnglish);
    for (const AtomicFile::QtOutcome& outcome : {WriteXlsx(table, dir.filePath("missing/r.xlsx"), "ProcessorData"),
                                                 WriteCsv(table, dir.filePath("missing/r.csv"))})
    {
        EXPECT_EQ(outcome.eResult, AtomicFile::EResult::kWriteFailed);
        EXPECT_EQ(outcome.strReason, "No such file or directory");
    }
    EXPECT_TRUE(Entries(dir.path()).isEmpty());
}

TEST(ReportExportTest, ReplacingAFolderFailsAndLeavesNoTempFile)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    ASSERT_TRUE(QDir(dir.path()).mkdir("r.xlsx"));
    const AtomicFile::QtOutcome outcome = WriteXlsx(SampleReport(kEnglish), dir.filePath("r.xlsx"), "ProcessorData");
    EXPECT_EQ(outcome.eResult, AtomicFile::EResult::kReplaceFailed);
    EXPECT_EQ(outcome.strReason, "Is a directory");
    EXPECT_EQ(Entries(dir.path()), QStringList{"r.xlsx"});
}

TEST(ReportExportTest, FailedSpreadsheetKeepsTheOldFile)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath("r.xlsx");
    {
        QFile old(path);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("old");
    }
    // A cell longer than a spreadsheet cell may be stops the writer half-way.
    CReportTable table = SampleReport(kEnglish);
    table.AddRow({std::string(40000, 'x'), {}, {}, {}});
    const AtomicFile::QtOutcome outcome = WriteXlsx(table, path, "ProcessorData");
    EXPECT_EQ(outcome.eResult, AtomicFile::EResult::kWriteFailed);
    EXPECT_EQ(outcome.strReason, "String exceeds Excel's limit of 32,767 characters.");
    EXPECT_EQ(Entries(dir.path()), QStringList{"r.xlsx"});
    QFile old(path);
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    EXPECT_EQ(old.readAll(), QByteArray("old"));
}

// ---- the spreadsheet read back --------------------------------------------------

// In each language, written on a desktop in each table locale: the numbers
// in the sheet's XML must not follow the locale.
class XlsxReadBackTest : public ::testing::TestWithParam<std::tuple<ELanguage, TableLocale>>
{
};

// The spreadsheet as python3's standard library reads it (read_xlsx.py);
// empty when it could not be read.
QJsonObject ReadXlsx(const QString& path)
{
    QProcess reader;
    reader.start(QStringLiteral(ORVAN_PYTHON), {QStringLiteral(ORVAN_XLSX_READER), path});
    if (!reader.waitForFinished(30000) || reader.exitCode() != 0)
    {
        ADD_FAILURE() << "reading " << path.toStdString() << ": " << reader.readAllStandardError().toStdString();
        return {};
    }
    return QJsonDocument::fromJson(reader.readAllStandardOutput()).object();
}

bool HasPython()
{
    return !QStringLiteral(ORVAN_PYTHON).isEmpty();
}

TEST(ReportExportTest, ChannelNamesStayTheirTextInTheSpreadsheetAndNumbersStayNumbers)
{
    if (!HasPython())
        GTEST_SKIP() << "python3 not found: the spreadsheet cannot be read back";
    // Names are bytes shown one character each: 0xE9 is Latin-1 "é".
    const std::vector<std::string> names = {"=1+2", "@SUM(1)", "+cmd", "-2+3", "a,\"b", "Caf\xE9"};
    auto data = std::make_unique<CAudio_Data>();
    for (size_t n = 0; n < names.size(); ++n)
    {
        CAudio_Channel& channel = n < 4 ? static_cast<CAudio_Channel&>(data->Input(static_cast<int>(n)))
                                        : static_cast<CAudio_Channel&>(data->Output(static_cast<int>(n) - 4));
        channel.SetName(names[n]);
    }
    ParamCatalogue::Set(EParam::kOutGain, *data, {0, 0}, 0);
    const CReportTable table = BuildReportTable(*data, nullptr, 4, 8, kEnglish);
    constexpr int kNameRow = 0;
    constexpr int kGainRow = 2;
    constexpr int kFirstOutput = 5;
    const std::string gain = table.Text(kGainRow, kFirstOutput);
    ASSERT_EQ(gain.front(), '-');
    ASSERT_TRUE(table.IsNumber(kGainRow, kFirstOutput));

    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath("names.xlsx");
    ASSERT_TRUE(WriteXlsx(table, path, "ProcessorData").Ok());
    const QJsonArray rows = ReadXlsx(path)["cells"].toArray();
    ASSERT_EQ(rows.size(), 80);
    const QStringList expected = {"=1+2", "@SUM(1)", "+cmd", "-2+3", "a,\"b", QStringLiteral("Caf\u00E9")};
    for (int n = 0; n < expected.size(); ++n)
    {
        const int column = n < 4 ? 1 + n : kFirstOutput + n - 4;
        const QJsonObject cell = rows[kNameRow + 1].toArray()[column].toObject();
        EXPECT_EQ(cell["type"].toString(), "s") << n;
        EXPECT_EQ(cell["value"].toString(), expected[n]);
        EXPECT_EQ(cell["format"].toString(), "General") << n;
    }
    const QJsonObject gainCell = rows[kGainRow + 1].toArray()[kFirstOutput].toObject();
    EXPECT_EQ(gainCell["type"].toString(), "n");
    EXPECT_EQ(gainCell["value"].toDouble(), ParseSheetNumber(gain)->dValue);

    // The CSV form: the names that would start a formula get an apostrophe,
    // the negative gain none.
    const QList<QByteArray> lines = CsvBytes(table).split('\n');
    EXPECT_TRUE(lines.value(1).startsWith("Name,'=1+2,'@SUM(1),'+cmd,'-2+3,\"a,\"\"b\",Caf\xC3\xA9,"))
        << lines.value(1).toStdString();
    EXPECT_EQ(lines.value(kGainRow + 1).split(',').value(kFirstOutput).toStdString(), gain);
}

TEST_P(XlsxReadBackTest, EveryCellAsTheTableShowsIt)
{
    if (!HasPython())
        GTEST_SKIP() << "python3 not found: the spreadsheet cannot be read back";
    const auto [language, locale] = GetParam();
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath("20240307090502.xlsx");
    const CReportTable table = SampleReport(language);
    {
        const CLocaleScope scope(locale.pszName);
        ASSERT_TRUE(InEffect(scope, locale));
        ASSERT_TRUE(WriteXlsx(table, path, "ProcessorData").Ok());
    }
    EXPECT_EQ(Entries(dir.path()), QStringList{"20240307090502.xlsx"});

    const QJsonObject sheet = ReadXlsx(path);

    EXPECT_EQ(sheet["sheets"].toArray(), QJsonArray{"ProcessorData"});
    EXPECT_EQ(sheet["frozen"].toObject()["rows"].toInt(), 1);
    EXPECT_EQ(sheet["frozen"].toObject()["columns"].toInt(), 1);

    const QJsonArray rows = sheet["cells"].toArray();
    ASSERT_EQ(rows.size(), kSampleRows + 1);
    for (int c = 0; c < table.ColumnCount(); ++c)
    {
        const QJsonObject heading = rows[0].toArray()[c].toObject();
        EXPECT_EQ(heading["value"].toString().toStdString(), table.Columns()[static_cast<size_t>(c)].strHeading);
        EXPECT_EQ(heading["type"].toString(), "s");
        EXPECT_TRUE(heading["bold"].toBool()) << c;
    }
    int nNumbers = 0;
    for (int r = 0; r < table.RowCount(); ++r)
    {
        const QJsonArray cells = rows[r + 1].toArray();
        for (int c = 0; c < table.ColumnCount(); ++c)
        {
            const std::string& text = table.Text(r, c);
            const QJsonObject cell = cells[c].toObject();
            const std::string where = "row " + std::to_string(r) + " column " + std::to_string(c) + " " + text;
            EXPECT_FALSE(cell["bold"].toBool()) << where;
            if (table.IsNumber(r, c))
            {
                const std::optional<SheetNumber> number = ParseSheetNumber(text);
                ASSERT_TRUE(number) << where;
                EXPECT_EQ(cell["type"].toString(), "n") << where;
                EXPECT_EQ(cell["value"].toDouble(), number->dValue) << where;
                EXPECT_EQ(cell["format"].toString().toStdString(), number->strFormat) << where;
                ++nNumbers;
            }
            else
            {
                // an empty text is a blank cell
                EXPECT_EQ(cell["value"].toString().toStdString(), text) << where;
                if (!text.empty())
                {
                    EXPECT_EQ(cell["type"].toString(), "s") << where;
                }
            }
        }
    }
    EXPECT_GT(nNumbers, 400);
}

INSTANTIATE_TEST_SUITE_P(Report, XlsxReadBackTest,
                         ::testing::Combine(::testing::Values(kChinese, kEnglish), ::testing::ValuesIn(kTableLocales)),
                         [](const auto& info) {
                             return std::string(std::get<0>(info.param) == kEnglish ? "English_" : "Chinese_")
                                    + TableLocaleName(std::get<1>(info.param));
                         });
}
