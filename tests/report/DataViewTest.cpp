#include "report/ColorListCtrl.h"
#include "model/DataDefine.h"
#include "model/ValueText.h"
#include "report/DataViewDlg.h"
#include "report/ListCtrlPrint.h"
#include "report/ReportExport.h"
#include "tests/report/PdfText.h"
#include "tests/report/ReportFixture.h"
#include "report/ReportText.h"
#include "tests/app/WindowTestEnvironment.h"

#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QProcess>
#include <QPrinter>
#include <QPushButton>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <string>

namespace
{
QColor ToQColor(const ReportColour& colour)
{
    return QColor(colour.r, colour.g, colour.b);
}

QString Caption(const CDataViewDlg& dialog, const char* name)
{
    const auto* button = dialog.findChild<QPushButton*>(QString::fromLatin1(name));
    return button ? button->text() : QStringLiteral("<missing>");
}

// ---- the window -------------------------------------------------------------------

TEST(DataViewTest, TitleAndButtonsInBothLanguages)
{
    const CDataViewDlg english(SampleReport(kEnglish), kEnglish);
    EXPECT_EQ(english.windowTitle(), "Data View");
    const CDataViewDlg chinese(SampleReport(kChinese), kChinese);
    EXPECT_EQ(chinese.windowTitle(), "参数值显示");
    for (const CDataViewDlg* dialog : {&english, &chinese})
    {
        EXPECT_EQ(Caption(*dialog, "PrintButton"), "print");
        EXPECT_EQ(Caption(*dialog, "CloseButton"), "close");
        EXPECT_EQ(Caption(*dialog, "ExportButton"), "Export Excel");
    }
    EXPECT_EQ(Caption(english, "PreviewButton"), "Print Preview");
    EXPECT_EQ(Caption(chinese, "PreviewButton"), "打印预览");
}

TEST(DataViewTest, ListShowsEveryCellInItsRowColour)
{
    const CReportTable table = SampleReport(kChinese);
    const CDataViewDlg dialog(table, kChinese);
    const CColorListCtrl& list = *dialog.ListCtrl();
    ASSERT_EQ(list.rowCount(), kSampleRows);
    ASSERT_EQ(list.columnCount(), 13);
    EXPECT_EQ(list.horizontalHeaderItem(0)->text(), "Type");
    EXPECT_EQ(list.horizontalHeaderItem(12)->text(), "CH_8");
    EXPECT_EQ(list.columnWidth(0), 90);
    EXPECT_EQ(list.columnWidth(5), 95);
    for (int r = 0; r < table.RowCount(); ++r)
        for (int c = 0; c < table.ColumnCount(); ++c)
        {
            const QTableWidgetItem* item = list.item(r, c);
            ASSERT_NE(item, nullptr);
            EXPECT_EQ(item->text().toStdString(), table.Text(r, c)) << r << "," << c;
            EXPECT_EQ(item->textAlignment(), int(Qt::AlignCenter));
            EXPECT_EQ(item->background().color(), ToQColor(table.Rows()[size_t(r)].background)) << r;
            EXPECT_EQ(item->foreground().color(), QColor(Qt::black));
        }
    EXPECT_EQ(list.item(6, 1)->text(), "锁定");
    EXPECT_EQ(list.item(0, 0)->text(), "通道名");
}

TEST(DataViewTest, LastColourEntryWinsAndRowsBelowADeletedRowKeepTheirColours)
{
    CReportTable table;
    table.AddColumn({"Type", 90});
    table.AddColumn({"CH_A", 95});
    for (const char* title : {"r0", "r1", "r2"})
        table.AddRow({title, {10, 20, 30}, {}, {}});
    CColorListCtrl list;
    list.ShowTable(table);

    list.SetCellColours(1, 1, Qt::red, Qt::yellow);
    list.SetRowBackground(2, Qt::blue);
    EXPECT_EQ(list.CellBackground(1, 1), QColor(Qt::yellow));
    EXPECT_EQ(list.item(1, 1)->foreground().color(), QColor(Qt::red));
    EXPECT_EQ(list.CellBackground(1, 0), QColor(10, 20, 30));
    EXPECT_EQ(list.CellBackground(2, 1), QColor(Qt::blue));

    list.DeleteRow(1);
    ASSERT_EQ(list.rowCount(), 2);
    EXPECT_EQ(list.item(1, 0)->text(), "r2");
    EXPECT_EQ(list.CellBackground(1, 1), QColor(Qt::blue));
    EXPECT_EQ(list.item(1, 1)->background().color(), QColor(Qt::blue));
    EXPECT_FALSE(list.CellBackground(2, 1).isValid());

    list.ClearColours();
    EXPECT_FALSE(list.CellBackground(0, 0).isValid());
    EXPECT_EQ(list.item(0, 0)->background().style(), Qt::NoBrush);
    list.SetCellColours(0, 0, Qt::black, Qt::green);
    list.DeleteAllRows();
    EXPECT_EQ(list.rowCount(), 0);
    EXPECT_FALSE(list.CellBackground(0, 0).isValid());
}

// ---- exports from the window ----------------------------------------------------------

struct AskedFile
{
    QString strTitle;
    QString strFolder;
    QString strDefaultName;
    QStringList filters;
    int nAsked = 0;
};

CDataViewDlg::FileAsker Answer(AskedFile& asked, const QString& answer)
{
    return [&asked, answer](QWidget*, const QString& title, const QString& folder, const QString& defaultName,
                            const QStringList& filters) {
        asked = {title, folder, defaultName, filters, asked.nAsked + 1};
        return answer;
    };
}

TEST(DataViewTest, ExportAsksInMusicFileAndSaysWhereTheFileWent)
{
    CWindowTestEnvironment env;
    ASSERT_TRUE(env.IsReady());
    ASSERT_TRUE(QDir(env.Path()).mkdir("MusicFile"));
    CDataViewDlg dialog(SampleReport(kEnglish), kEnglish);
    AskedFile asked;
    const QString path = env.FilePath("MusicFile/report.xlsx");
    dialog.SetFileAsker(Answer(asked, path));

    dialog.findChild<QPushButton*>("ExportButton")->click();
    EXPECT_EQ(asked.nAsked, 1);
    EXPECT_EQ(asked.strTitle, "导出");
    EXPECT_EQ(QDir(asked.strFolder).canonicalPath(), QDir(env.FilePath("MusicFile")).canonicalPath());
    EXPECT_TRUE(QRegularExpression("^\\d{14}\\.xlsx$").match(asked.strDefaultName).hasMatch())
        << asked.strDefaultName.toStdString();
    EXPECT_EQ(asked.filters.value(0), "Excel文件(*.xlsx)");
    EXPECT_EQ(asked.filters.value(2), "所有文件 (*.*)");
    EXPECT_TRUE(QFile::exists(path));
    EXPECT_EQ(env.Texts(), (std::vector<QString>{"导出文件保存于report.xlsx!"}));

    // A ".csv" name gets the CSV form.
    dialog.SetFileAsker(Answer(asked, env.FilePath("MusicFile/report.csv")));
    dialog.ExportTable();
    QFile csv(env.FilePath("MusicFile/report.csv"));
    ASSERT_TRUE(csv.open(QIODevice::ReadOnly));
    EXPECT_EQ(csv.readAll(), CsvBytes(dialog.Table()));
}

TEST(DataViewTest, CancelledOrFailedExportsWriteNothing)
{
    CWindowTestEnvironment env;
    ASSERT_TRUE(env.IsReady());
    CDataViewDlg dialog(SampleReport(kChinese), kChinese);
    AskedFile asked;

    dialog.SetFileAsker(Answer(asked, QString()));
    dialog.ExportTable();
    dialog.ExportPdf();
    EXPECT_EQ(asked.nAsked, 2);
    EXPECT_TRUE(env.Texts().empty());

    dialog.SetFileAsker(Answer(asked, env.FilePath("gone/r.xlsx")));
    dialog.ExportTable();
    dialog.SetFileAsker(Answer(asked, env.FilePath("gone/r.pdf")));
    dialog.ExportPdf();
    // The program's text, then the system's reason.
    EXPECT_EQ(env.Texts(), (std::vector<QString>{"写入文件r.xlsx时出错！\nNo such file or directory",
                                                 "写入文件r.pdf时出错！\nNo such file or directory"}));

    ASSERT_TRUE(QDir(env.Path()).mkdir("r.xlsx"));
    dialog.SetFileAsker(Answer(asked, env.FilePath("r.xlsx")));
    dialog.ExportTable();
    EXPECT_EQ(env.Texts().back(), "覆盖文件时出错！\nIs a directory");
    EXPECT_EQ(QDir(env.Path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList{"r.xlsx"});
}

TEST(DataViewTest, EmptyTableExportsAndPrintsNothing)
{
    CWindowTestEnvironment env;
    CReportTable table;
    table.AddColumn({"Type", 90});
    CDataViewDlg dialog(table, kEnglish);
    AskedFile asked;
    dialog.SetFileAsker(Answer(asked, env.FilePath("r.xlsx")));
    dialog.ExportTable();
    dialog.ExportPdf();
    dialog.PreviewTable();
    EXPECT_EQ(asked.nAsked, 0);
    EXPECT_TRUE(env.Texts().empty());
}

// ---- the printed pages ---------------------------------------------------------

// A row as pdftotext lays it out on one line: its texts with single spaces.
QString RowLine(const CReportTable& table, int row)
{
    QStringList texts;
    for (int c = 0; c < table.ColumnCount(); ++c)
        if (!table.Text(row, c).empty())
            texts << QString::fromStdString(table.Text(row, c));
    return texts.join(QLatin1Char(' '));
}

QStringList Lines(const QString& page)
{
    QStringList lines;
    for (const QString& line : page.split(QLatin1Char('\n')))
        lines << line.simplified();
    return lines;
}

struct PrintCase
{
    const char* szName;
    ELanguage eLanguage;
    QPageLayout::Orientation eOrientation;
};

class ReportPrintTest : public ::testing::TestWithParam<PrintCase>
{
};

TEST_P(ReportPrintTest, EveryPageHasHeaderNumberFooterAndWholeRows)
{
    const PrintCase& c = GetParam();
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath("report.pdf");
    const CReportTable table = SampleReport(c.eLanguage);

    CListCtrlPrint job(table);
    job.SetHeaderText(ReportText(EReportText::PrintHeader, c.eLanguage));
    job.SetFooterText(ReportText(EReportText::PrintFooter, c.eLanguage));
    job.SetPageNumberFormat(ReportText(EReportText::PageNumber, c.eLanguage));
    QPrinter printer(QPrinter::HighResolution);
    CListCtrlPrint::SetUpPrinter(printer);
    printer.setPageOrientation(c.eOrientation);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    ASSERT_EQ(job.PrintOn(printer), CPrinterJob::EResult::Printed);

    const PrintLayout& layout = job.Layout();
    EXPECT_EQ(layout.nPages, PageCount(kSampleRows, layout.nRowsPerPage));
    if (c.eOrientation == QPageLayout::Landscape)
    {
        EXPECT_GE(layout.nPages, 2) << "the landscape page should not hold all rows";
    }
    EXPECT_LE(layout.GridBottom(), layout.nFooterTop);

    const std::optional<QStringList> pages = PdfPages(path);
    if (!pages)
        GTEST_SKIP() << "pdftotext (poppler-utils) not installed: the printed pages are not read back";
    ASSERT_EQ(pages->size(), layout.nPages);
    for (int p = 1; p <= layout.nPages; ++p)
    {
        const QStringList lines = Lines(pages->at(p - 1));
        const QString text = lines.join(QLatin1Char('\n'));
        EXPECT_TRUE(text.contains("This is the report of the file")) << p;
        EXPECT_TRUE(text.contains("Multiline!")) << p;
        EXPECT_TRUE(text.contains(QStringLiteral("Page %1 of %2").arg(p).arg(layout.nPages))) << p;
        EXPECT_TRUE(text.contains("Just a huar for the footers")) << p;
        EXPECT_TRUE(text.contains("eventually multiline too ..")) << p;
        EXPECT_TRUE(lines.contains("Type CH_A CH_B CH_C CH_D CH_1 CH_2 CH_3 CH_4 CH_5 CH_6 CH_7 CH_8")) << p;
    }
    // Each row whole on the page the layout gives it, and on no other.
    for (int r = 0; r < kSampleRows; ++r)
    {
        const QString row = RowLine(table, r);
        const int nPage = r / layout.nRowsPerPage + 1;
        for (int p = 1; p <= layout.nPages; ++p)
            EXPECT_EQ(Lines(pages->at(p - 1)).count(row), p == nPage ? 1 : 0)
                << "row " << r << " on page " << p << ": " << row.toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(Report, ReportPrintTest,
                         ::testing::Values(PrintCase{"EnglishPortrait", kEnglish, QPageLayout::Portrait},
                                           PrintCase{"EnglishLandscape", kEnglish, QPageLayout::Landscape},
                                           PrintCase{"ChineseLandscape", kChinese, QPageLayout::Landscape}),
                         [](const auto& info) { return std::string(info.param.szName); });

TEST(ReportPrintTest, APageRangePrintsOnlyThosePages)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const CReportTable table = SampleReport(kEnglish);
    CListCtrlPrint job(table);
    job.SetPageNumberFormat("Page %1 of %2");
    QPrinter printer(QPrinter::HighResolution);
    CListCtrlPrint::SetUpPrinter(printer);
    printer.setPageOrientation(QPageLayout::Landscape);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath("r.pdf"));
    printer.setPrintRange(QPrinter::PageRange);
    printer.setFromTo(2, 9);
    ASSERT_EQ(job.PrintOn(printer), CPrinterJob::EResult::Printed);
    const std::optional<QStringList> pages = PdfPages(dir.filePath("r.pdf"));
    if (!pages)
        GTEST_SKIP() << "pdftotext (poppler-utils) not installed";
    const int nPages = job.Layout().nPages;
    ASSERT_EQ(pages->size(), nPages - 1);
    EXPECT_TRUE(pages->at(0).contains(QStringLiteral("Page 2 of %1").arg(nPages)));
}

TEST(ReportPrintTest, PdfExportFromTheWindow)
{
    CWindowTestEnvironment env;
    ASSERT_TRUE(env.IsReady());
    CDataViewDlg dialog(SampleReport(kEnglish), kEnglish);
    AskedFile asked;
    dialog.SetFileAsker(Answer(asked, env.FilePath("report.pdf")));
    dialog.findChild<QPushButton*>("PdfButton")->click();
    EXPECT_TRUE(asked.strDefaultName.endsWith(".pdf"));
    EXPECT_EQ(env.Texts(), (std::vector<QString>{"导出文件保存于report.pdf!"}));
    QFile pdf(env.FilePath("report.pdf"));
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    EXPECT_TRUE(pdf.read(5) == "%PDF-");
}
}
