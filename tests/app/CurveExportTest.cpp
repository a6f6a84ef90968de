// The response graph's picture and curves out of the program, and the
// report's page of curves, read back from the files written.

#include "app/MainText.h"
#include "app/OrvanDlgDlg.h"
#include "editors/FStatic.h"
#include "model/Audio_Data.h"
#include "model/DataDefine.h"
#include "model/ValueText.h"
#include "report/DataViewDlg.h"
#include "tests/app/WindowTestEnvironment.h"
#include "tests/report/PdfText.h"

#include <QFile>
#include <QImage>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

#include <memory>

namespace
{
class CurveExportTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_env.IsReady());
        m_window = std::make_unique<COrvanDlgDlg>(m_link);
        m_window->resize(1400, 800);
        // Curves that differ: a boost on input B, a cut and a gain on
        // output 3, which is selected.
        CAudio_Data& record = m_link.Record();
        record.Input(1).GetBand(2).SetFrequency(200);
        m_link.Edit(EParam::kInBandGain, {1, 2}, Scales::kEqGain.ZeroStep() + 60);
        m_link.Edit(EParam::kOutBandGain, {2, 4}, Scales::kEqGain.ZeroStep() - 90);
        m_link.Edit(EParam::kOutGain, {2, 0}, Scales::kChannelGain.ZeroStep() + 50);
        m_window->ShowCurves({ChannelAddress::Input(1), ChannelAddress::Output(6)});
        m_window->SelectChannel(ChannelAddress::Output(2));
    }

    CWindowTestEnvironment m_env;
    CProcessorLink m_link;
    std::unique_ptr<COrvanDlgDlg> m_window;
};

TEST_F(CurveExportTest, CsvHoldsTheShownChannelsResponsesAtTheAxisPoints)
{
    const QString path = m_env.FilePath("curves.csv");
    ASSERT_TRUE(m_window->ExportCurves(path));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(file.readAll()).remove(QChar(0xFEFF)).split("\r\n", Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 1 + kFreqPoints);
    // The selected channel last, as it is drawn on top.
    EXPECT_EQ(lines.front(), "Hz,CHB,CH7,CH3");
    const ChannelAddress channels[] = {ChannelAddress::Input(1), ChannelAddress::Output(6), ChannelAddress::Output(2)};
    for (int i = 0; i < kFreqPoints; ++i)
    {
        const QStringList fields = lines[i + 1].split(',');
        ASSERT_EQ(fields.size(), 4);
        EXPECT_NEAR(fields[0].toDouble(), FreqTable()[static_cast<size_t>(i)], 0.0005);
        for (size_t c = 0; c < std::size(channels); ++c)
            EXPECT_NEAR(fields[static_cast<qsizetype>(c) + 1].toDouble(),
                        m_link.Record().Channel(channels[c]).GetCurveDb()[static_cast<size_t>(i)], 0.00005)
                << i << " " << c;
    }
    // The curves are what the graph draws: a boost, a flat line, a cut
    // shifted by the channel gain.
    const Response& boosted = m_link.Record().Input(1).GetCurveDb();
    EXPECT_GT(*std::max_element(boosted.begin(), boosted.end()), 5.5);
    const Response& output3 = m_link.Record().Output(2).GetCurveDb();
    EXPECT_NEAR(output3.front(), 5.0, 0.1);
    EXPECT_LT(*std::min_element(output3.begin(), output3.end()), -3.0);
}

TEST_F(CurveExportTest, PngAndSvgAtTheChosenSize)
{
    const QString png = m_env.FilePath("graph.png");
    ASSERT_TRUE(m_window->ExportGraphPicture({1920, 1080}, png));
    const QImage image(png);
    EXPECT_EQ(image.size(), QSize(1920, 1080));
    // The selected channel's colour is there.
    const QColor colour(static_cast<int>(m_link.Record().Output(2).GetColor() & 0xFF),
                        static_cast<int>((m_link.Record().Output(2).GetColor() >> 8) & 0xFF),
                        static_cast<int>((m_link.Record().Output(2).GetColor() >> 16) & 0xFF));
    int found = 0;
    for (int y = 0; y < image.height(); y += 2)
        for (int x = 0; x < image.width(); x += 2)
            found += image.pixelColor(x, y) == colour ? 1 : 0;
    EXPECT_GT(found, 500);

    const QString svg = m_env.FilePath("graph.svg");
    ASSERT_TRUE(m_window->ExportGraphPicture({1280, 720}, svg));
    QFile file(svg);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&file);
    int polylines = 0;
    QString viewBox;
    while (!xml.atEnd())
    {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == QLatin1String("svg"))
            viewBox = xml.attributes().value("viewBox").toString();
        if (xml.isStartElement() && (xml.name() == QLatin1String("polyline") || xml.name() == QLatin1String("path")))
            ++polylines;
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    EXPECT_EQ(viewBox, "0 0 1280 720");
    EXPECT_GE(polylines, 3);
}

TEST_F(CurveExportTest, AFileThatCannotBeWrittenIsReportedWithTheSystemsReason)
{
    m_window->SetLanguage(kEnglish);
    EXPECT_FALSE(m_window->ExportCurves(m_env.FilePath("gone/curves.csv")));
    EXPECT_FALSE(m_window->ExportGraphPicture({800, 400}, m_env.FilePath("gone/graph.png")));
    ASSERT_EQ(m_env.Texts().size(), 2u);
    EXPECT_TRUE(m_env.Texts()[0].contains("curves.csv")) << m_env.Texts()[0].toStdString();
    EXPECT_TRUE(m_env.Texts()[0].contains("No such file or directory"));
    EXPECT_TRUE(m_env.Texts()[1].contains("graph.png"));
}

TEST_F(CurveExportTest, ReportPdfEndsWithAPageOfEveryChannelsCurves)
{
    m_window->SetLanguage(kEnglish);
    const QString path = m_env.FilePath("report.pdf");
    m_window->SetDialogRunner([&path](QDialog& dialog) {
        if (auto* view = qobject_cast<CDataViewDlg*>(&dialog))
        {
            view->SetFileAsker([&path](QWidget*, const QString&, const QString&, const QString&, const QStringList&) {
                return path;
            });
            view->ExportPdf();
        }
        return int(QDialog::Rejected);
    });
    m_window->CommandButton(COrvanDlgDlg::kReport)->click();
    const std::optional<QStringList> pages = PdfPages(path);
    if (!pages)
        GTEST_SKIP() << "pdftotext (poppler-utils) not installed";
    ASSERT_GE(pages->size(), 2);
    const QString last = pages->back().simplified();
    EXPECT_TRUE(last.contains(MainText(EMainText::CurvesPageTitle, kEnglish))) << last.toStdString();
    EXPECT_TRUE(last.contains("CHA CHB CHC CHD CH1 CH2 CH3 CH4 CH5 CH6 CH7 CH8")) << last.toStdString();
    EXPECT_TRUE(last.contains("1K") && last.contains("-40"));
    for (qsizetype p = 0; p + 1 < pages->size(); ++p)
        EXPECT_FALSE(pages->at(p).contains(MainText(EMainText::CurvesPageTitle, kEnglish))) << p;
}
}
