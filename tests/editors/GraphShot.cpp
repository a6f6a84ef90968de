// Not a test: the response graph with every curve shown and a band being
// dragged, saved as a PNG to look at by eye.
//   graph_shot <file.png> [scale] [en|zh]

#include "editors/FStatic.h"

#include "model/Audio_Data.h"
#include "tests/editors/GraphFixture.h"
#include "session/ProcessorLink.h"
#include "tests/editors/ShotSetup.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPixmap>

#include <cstdio>
#include <cstring>

namespace
{
void Send(QWidget& widget, QEvent::Type type, QPoint pos, Qt::MouseButton button, Qt::MouseButtons held)
{
    QMouseEvent event(type, QPointF(pos), widget.mapToGlobal(QPointF(pos)), button, held, Qt::NoModifier);
    QApplication::sendEvent(&widget, &event);
}
}

int main(int argc, char** argv)
{
    if (!PrepareShot(argc, argv, "graph_shot <file.png> [scale] [en|zh]"))
        return 2;
    QApplication app(argc, argv);

    CProcessorLink link;
    CAudio_Data& data = link.Record();
    TuneAllChannels(data, true);
    CFStatic graph(link);
    graph.SetLanguage(argc > 3 && std::strcmp(argv[3], "zh") == 0 ? kChinese : kEnglish);
    graph.resize(1000, 360);
    graph.show();
    graph.Select(ChannelAddress::Output(2));

    const CFilter& band = data.Output(2).GetBand(8);
    const Rect handle = band.m_rcHandle;
    const QPoint start((handle.left + handle.right) / 2, (handle.top + handle.bottom) / 2);
    Send(graph, QEvent::MouseMove, start, Qt::NoButton, Qt::NoButton);
    Send(graph, QEvent::MouseButtonPress, start, Qt::LeftButton, Qt::LeftButton);
    Send(graph, QEvent::MouseMove, start + QPoint(40, -30), Qt::NoButton, Qt::LeftButton);

    if (!graph.grab().save(QString::fromLocal8Bit(argv[1])))
    {
        std::fprintf(stderr, "cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
