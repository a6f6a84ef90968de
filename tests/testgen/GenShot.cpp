// Not a test: the channel strip with the generator panel shown and a tone
// running, saved as a PNG to look at by eye.
//   gen_shot <file.png> [en|zh] [inputs]
// With "inputs" the generator is off and the input columns are shown.

#include "testgen/TestGenDlg.h"

#include "editors/CHEDlg.h"
#include "ui/ChannelSelector.h"
#include "ui/MainSkin.h"
#include "session/ProcessorLink.h"

#include <QApplication>
#include <QPixmap>

#include <cstdio>
#include <cstring>

int main(int argc, char** argv)
{
    if (argc < 2)
    {
        std::fprintf(stderr, "usage: gen_shot <file.png> [en|zh] [inputs]\n");
        return 2;
    }
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    app.setStyleSheet(CMainSkin::StyleSheet());

    CProcessorLink link;
    CChannelSelector selector;
    CCHEDlg strip(link, selector);
    QObject::connect(&strip, &CCHEDlg::selectRequested, [&](ChannelAddress address) { selector.Select(address); });
    CTestGenDlg generator(link, strip);
    link.Notice().SetLanguage(argc > 2 && std::strcmp(argv[2], "en") == 0 ? kEnglish : kChinese);

    const uint8_t tone[] = {3, 10, 0xE8, 0x03, 0x2C, 0x02, 0, 0};  // 1000 Hz, -4.4 dBu
    if (argc < 4 || std::strcmp(argv[3], "inputs") != 0)
        link.Record().SetGeneratorBlock(tone);
    link.Notice().NotifyProgramLoaded();
    strip.resize(1224, 184);
    strip.show();
    QApplication::processEvents();

    if (!strip.grab().save(QString::fromLocal8Bit(argv[1])))
    {
        std::fprintf(stderr, "cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
