// Not a test: the input and output channel panels, alone, saved as PNGs to
// look at by eye, in both languages and once with every lock of the output
// side set.
//   face_shot <folder> [scale]

#include "editors/InFaceDlg.h"
#include "editors/OutFaceDlg.h"

#include "ui/ChannelSelector.h"
#include "ui/MainSkin.h"
#include "session/ProcessorLink.h"
#include "tests/editors/ShotSetup.h"

#include <QApplication>
#include <QDir>
#include <QPixmap>

#include <cstdio>

namespace
{
bool Save(QWidget& panel, const QString& path)
{
    panel.show();
    QApplication::processEvents();
    if (panel.grab().save(path))
        return true;
    std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    return false;
}
}

int main(int argc, char** argv)
{
    if (!PrepareShot(argc, argv, "face_shot <folder> [scale]"))
        return 2;
    QApplication app(argc, argv);
    app.setStyleSheet(CMainSkin::StyleSheet());
    const QDir folder(QString::fromLocal8Bit(argv[1]));

    CProcessorLink link;
    CAudio_Data& record = link.Record();
    record.Input(0).SetGain(345);
    record.Input(0).SetPolarity(true);
    record.Input(0).SetDelay(512);
    record.Output(2).SetGain(260);
    record.Output(2).GetHighPass().SetFrequency(80);
    record.Output(2).GetLowPass().SetFrequency(3150);
    record.Output(2).GetLowPass().SetSlope(6);
    record.Output(2).SetLimitThreshold(420);
    record.Output(1).SetRoute(0x03);
    record.Output(4).SetRoute(0x0C);

    CChannelSelector inputSide;
    CChannelSelector outputSide(ChannelAddress::Output(2));
    CInFaceDlg in(link, inputSide);
    COutFaceDlg out(link, outputSide);
    in.RefreshFromRecord();
    out.RefreshFromRecord();

    bool ok = true;
    for (ELanguage language : {kEnglish, kChinese})
    {
        link.Notice().SetLanguage(language);
        const QString suffix = language == kEnglish ? QStringLiteral("en") : QStringLiteral("zh");
        ok = Save(in, folder.filePath(QStringLiteral("input_%1.png").arg(suffix))) && ok;
        ok = Save(out, folder.filePath(QStringLiteral("output_%1.png").arg(suffix))) && ok;
    }
    for (int flag : {CLockState::kOutGain, CLockState::kOutPolarity, CLockState::kOutDelay, CLockState::kOutXover,
                     CLockState::kOutLimiter, CLockState::kOutRouting})
        link.Locks().SetFlag(flag, true);
    link.Notice().NotifyLocksChanged();
    link.Notice().SetLanguage(kEnglish);
    ok = Save(out, folder.filePath(QStringLiteral("output_locked_en.png"))) && ok;
    out.resize(1600, 92);
    ok = Save(out, folder.filePath(QStringLiteral("output_locked_wide_en.png"))) && ok;
    return ok ? 0 : 1;
}
