#include "DataDefine.h"
#include "ReportExport.h"
#include "ReportFixture.h"

#include "LocaleTable.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

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
    table.AddRow({"低通频率", {}, {}, {{"20000Hz", true}}});
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
    table.AddRow({"Gain", {}, {}, {{"-3.5dB", true}}});
    const QByteArray expected = "\xEF\xBB\xBF"
                                "Type,CH_A,\r\n"
                                "Name,\"Kick, \"\"Sub\"\"\",\r\n"
                                "\xE9\x80\x9A\xE9\x81\x93\xE5\x90\x8D,\"two\nlines\",\"cr\r\"\r\n"
                                "Gain,-3.5dB,\r\n";
    EXPECT_EQ(CsvBytes(table), expected);
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
    EXPECT_EQ(WriteXlsx(table, dir.filePath("missing/r.xlsx"), "ProcessorData"), EWriteResult::WriteFailed);
    EXPECT_EQ(WriteCsv(table, dir.filePath("missing/r.csv")), EWriteResult::WriteFailed);
    EXPECT_TRUE(Entries(dir.path()).isEmpty());
}

TEST(ReportExportTest, ReplacingAFolderFailsAndLeavesNoTempFile)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    ASSERT_TRUE(QDir(dir.path()).mkdir("r.xlsx"));
    EXPECT_EQ(WriteXlsx(SampleReport(kEnglish), dir.filePath("r.xlsx"), "ProcessorData"),
              EWriteResult::ReplaceFailed);
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
    EXPECT_EQ(WriteXlsx(table, path, "ProcessorData"), EWriteResult::WriteFailed);
    EXPECT_EQ(Entries(dir.path()), QStringList{"r.xlsx"});
    QFile old(path);
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    EXPECT_EQ(old.readAll(), QByteArray("old"));
}

TEST(ReportExportTest, ReadOnlyFolderLeavesNothing)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    {
        QFile probe(dir.filePath("probe"));
        if (probe.open(QIODevice::WriteOnly))
        {
            probe.remove();
            QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
            GTEST_SKIP() << "this user writes into read-only folders (root)";
        }
    }
    const CReportTable table = SampleReport(kChinese);
    EXPECT_EQ(WriteXlsx(table, dir.filePath("r.xlsx"), "ProcessorData"), EWriteResult::WriteFailed);
    EXPECT_EQ(WriteCsv(table, dir.filePath("r.csv")), EWriteResult::WriteFailed);
    EXPECT_TRUE(Entries(dir.path()).isEmpty());
    QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

// ---- the spreadsheet read back --------------------------------------------------

// In each language, written on a desktop in each table locale: the numbers
// in the sheet's XML must not follow the locale.
class XlsxReadBackTest : public ::testing::TestWithParam<std::tuple<int, TableLocale>>
{
};

TEST_P(XlsxReadBackTest, EveryCellAsTheTableShowsIt)
{
    const QString python = QStringLiteral(ORVAN_PYTHON);
    if (python.isEmpty())
        GTEST_SKIP() << "python3 not found: the spreadsheet cannot be read back";
    const auto [language, locale] = GetParam();
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath("20240307090502.xlsx");
    const CReportTable table = SampleReport(language);
    {
        const CLocaleScope scope(locale.pszName);
        ASSERT_TRUE(InEffect(scope, locale));
        ASSERT_EQ(WriteXlsx(table, path, "ProcessorData"), EWriteResult::Ok);
    }
    EXPECT_EQ(Entries(dir.path()), QStringList{"20240307090502.xlsx"});

    QProcess reader;
    reader.start(python, {QStringLiteral(ORVAN_XLSX_READER), path});
    ASSERT_TRUE(reader.waitForFinished(30000));
    ASSERT_EQ(reader.exitCode(), 0) << reader.readAllStandardError().toStdString();
    const QJsonObject sheet = QJsonDocument::fromJson(reader.readAllStandardOutput()).object();

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
