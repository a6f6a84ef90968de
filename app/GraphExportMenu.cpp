#include "app/GraphExportMenu.h"

#include "app/MainText.h"
#include "editors/EditorsText.h"
#include "editors/FStatic.h"
#include "editors/GraphPicture.h"
#include "report/CurveExport.h"
#include "report/DataViewDlg.h"
#include "report/ReportText.h"
#include "session/ProcessorLink.h"
#include "ui/ChannelLabel.h"

#include <QMenu>
#include <QPainter>

#include <algorithm>
#include <utility>
#include <vector>

CGraphExportMenu::CGraphExportMenu(CProcessorLink& link, CFStatic& graph)
    : QObject(&graph)
    , m_link(link)
    , m_graph(graph)
    , m_saveAsker([&graph](const QString& title, const QStringList& filters) {
        return CDataViewDlg::AskSaveFile(graph.window(), title, CDataViewDlg::ExportFolder(), QString(), filters);
    })
{
    graph.setContextMenuPolicy(Qt::CustomContextMenu);
    connect(&graph, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& pos) { Offer(m_graph.mapToGlobal(pos)); });
}

ELanguage CGraphExportMenu::Language() const
{
    return m_link.Notice().Language();
}

void CGraphExportMenu::Offer(const QPoint& where)
{
    const ELanguage language = Language();
    QMenu menu(m_graph.window());
    QMenu* picture = menu.addMenu(MainText(EMainText::ExportPicture, language));
    std::vector<std::pair<QAction*, QSize>> sizes;
    const QSize shown = m_graph.size();
    sizes.emplace_back(
        picture->addAction(MainText(EMainText::PictureAsShown, language).arg(shown.width()).arg(shown.height())), shown);
    for (const QSize size : {QSize(1280, 720), QSize(1920, 1080), QSize(3840, 2160)})
        sizes.emplace_back(picture->addAction(MainText(EMainText::PictureSize, language).arg(size.width()).arg(size.height())),
                           size);
    QAction* curves = menu.addAction(MainText(EMainText::ExportCurves, language));
    QAction* chosen = menu.exec(where);
    if (chosen == nullptr)
        return;
    if (chosen == curves)
    {
        const QString path = m_saveAsker(MainText(EMainText::ExportCurves, language),
                                         {ReportText(EReportText::CsvFilter, language)});
        if (!path.isEmpty())
            ExportCurves(path);
        return;
    }
    for (const auto& [action, size] : sizes)
        if (action == chosen)
        {
            const QString path = m_saveAsker(MainText(EMainText::ExportPicture, language),
                                             {MainText(EMainText::PictureFilter, language),
                                              MainText(EMainText::SvgFilter, language)});
            if (!path.isEmpty())
                ExportPicture(size, path);
        }
}

bool CGraphExportMenu::ExportPicture(QSize size, const QString& path)
{
    const std::vector<ChannelAddress> shown = m_graph.ShownChannels();
    const AtomicFile::QtOutcome outcome = WritePicture(
        path, size,
        [this, size, &shown](QPainter& painter) {
            GraphPicture::Paint(painter, size, m_link.Record(), shown, m_graph.font());
        },
        MainText(EMainText::Title, Language()));
    ShowWriteOutcome(m_graph.window(), outcome, path, Language());
    return outcome.Ok();
}

bool CGraphExportMenu::ExportCurves(const QString& path)
{
    std::vector<CurveColumn> columns;
    for (const ChannelAddress address : m_graph.ShownChannels())
    {
        CAudio_Channel& channel = m_link.Record().Channel(address);
        channel.UpdateCurve();
        columns.push_back({EditorsText(EEditorsText::StripChannel, Language()).arg(ChannelLabel(address)),
                           channel.GetCurveDb()});
    }
    const AtomicFile::QtOutcome outcome = WriteCurvesCsv(columns, path);
    ShowWriteOutcome(m_graph.window(), outcome, path, Language());
    return outcome.Ok();
}

void CGraphExportMenu::PaintCurvePage(QPainter& painter, const QRect& body, CAudio_Data& record, int inputs,
                                      int outputs, QFont font, ELanguage language)
{
    constexpr int kPictureWidth = 1400;
    constexpr int kTitlePixels = 20;
    const double scale = body.width() / static_cast<double>(kPictureWidth);
    painter.translate(body.topLeft());
    painter.scale(scale, scale);
    font.setPixelSize(kTitlePixels);
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(QRect(0, 0, kPictureWidth, 2 * kTitlePixels), Qt::AlignLeft | Qt::AlignVCenter,
                     MainText(EMainText::CurvesPageTitle, language));
    std::vector<ChannelAddress> every;
    for (int n = 0; n < inputs; ++n)
        every.push_back(ChannelAddress::Input(n));
    for (int n = 0; n < outputs; ++n)
        every.push_back(ChannelAddress::Output(n));
    font.setPixelSize(kTitlePixels * 3 / 5);
    const int height = std::min(static_cast<int>(body.height() / scale) - 3 * kTitlePixels, kPictureWidth * 3 / 5);
    painter.translate(0, 3 * kTitlePixels);
    GraphPicture::Paint(painter, QSize(kPictureWidth, height), record, every, font, true);
}
