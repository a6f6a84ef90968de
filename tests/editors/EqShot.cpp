// Not a test: the EQ panels on their own, saved as PNGs to look at by eye:
// the input panel, the output panel in parametric and graphic mode, the
// output panel under the EQ lock and the graphic-EQ warning window.
//   eq_shot <folder> [en|zh] [width]

#include "editors/InEQDlg.h"
#include "editors/OutEQDlg.h"
#include "editors/WarnGEQDlg.h"

#include "ui/ChannelSelector.h"
#include "tests/editors/GraphFixture.h"
#include "ui/MainSkin.h"
#include "session/ProcessorLink.h"

#include <QApplication>
#include <QDir>

#include <cstdio>
#include <cstring>

namespace
{
bool Save(QWidget& widget, const QString& folder, const char* name)
{
    const QString path = QDir(folder).filePath(QString::fromLatin1(name));
    if (widget.grab().save(path))
        return true;
    std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    return false;
}
}

int main(int argc, char** argv)
{
    if (argc < 2)
    {
        std::fprintf(stderr, "usage: eq_shot <folder> [en|zh] [width]\n");
        return 2;
    }
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    app.setStyleSheet(CMainSkin::StyleSheet());
    const QString folder = QString::fromLocal8Bit(argv[1]);
    const int width = argc > 3 ? std::atoi(argv[3]) : EqLayout::kDesignSize.width();
    const QSize size(std::max(width, EqLayout::kDesignSize.width()), EqLayout::kDesignSize.height());

    CProcessorLink link;
    TuneAllChannels(link.Record(), false);
    link.Record().Output(2).GetBand(0).SetSlope(1);
    link.Record().Output(4).SetGeqMode(1, 0);
    for (int k = 0; k < 15; ++k)
        link.Record().Output(4).GetBand(k).SetGainStep(400 + ((k * 37) % 120) - 60);
    link.Notice().SetLanguage(argc > 2 && std::strcmp(argv[2], "zh") == 0 ? kChinese : kEnglish);

    CChannelSelector selector(ChannelAddress::Input(1));
    CInEQDlg in(link, selector);
    in.resize(size);
    in.show();
    in.RefreshFromRecord();
    bool ok = Save(in, folder, "eq_in.png");

    selector.Select(ChannelAddress::Output(2));
    COutEQDlg out(link, selector);
    out.resize(size);
    out.show();
    out.RefreshFromRecord();
    ok = Save(out, folder, "eq_out_parametric.png") && ok;

    selector.Select(ChannelAddress::Output(4));
    out.RefreshFromRecord();
    ok = Save(out, folder, "eq_out_graphic.png") && ok;

    link.Locks().SetFlag(CLockState::kOutEq, true);
    link.ApplyLocksEverywhere(false);
    ok = Save(out, folder, "eq_out_locked.png") && ok;

    CWarnGEQDlg warning(link.Notice().Language());
    warning.show();
    ok = Save(warning, folder, "eq_warning.png") && ok;
    return ok ? 0 : 1;
}
