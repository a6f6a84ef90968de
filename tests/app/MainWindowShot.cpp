// Usage: main_window_shot zh|en OUTPUT.png [output-channel]
// Shows the main window in the given language, grabs it from the screen once
// it has been drawn, saves the picture and exits.
#include "DataDefine.h"
#include "OrvanDlg.h"
#include "OrvanDlgDlg.h"

#include <QScreen>
#include <QTimer>

#include <cstdio>

int main(int argc, char** argv)
{
    COrvanDlgApp app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() < 3)
    {
        std::fprintf(stderr, "usage: main_window_shot zh|en OUTPUT.png [output-channel]\n");
        return 2;
    }

    COrvanDlgDlg window;
    window.SetLanguage(args.at(1) == QLatin1String("en") ? kEnglish : kChinese);
    if (args.size() > 3)
        window.SelectOutputChannel(args.at(3).toInt() - 1);
    window.move(0, 0);
    window.show();

    int result = 1;
    QTimer::singleShot(800, &window, [&] {
        const QPixmap shot = window.screen()->grabWindow(window.winId());
        result = shot.save(args.at(2)) ? 0 : 1;
        window.done(0);
    });
    window.exec();
    return result;
}
