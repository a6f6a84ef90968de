// Usage: window_memory_probe SETTINGS.ini [--select CODE] [--curves C,C..]
//        [--language zh|en] [--port PATH] [--id N] [--size WxH] [--maximize]
// Not a test by itself: starts the main window as the program does, with
// the settings file given, prints one line of what it shows once it is on
// screen, makes the changes asked for, then closes the window, which saves
// the settings. The window tests run it once per start, each on the
// offscreen screens they configure (QT_QPA_PLATFORM=offscreen:configfile=...),
// since a process has its screens for life.
#include "app/OrvanDlg.h"
#include "app/OrvanDlgDlg.h"
#include "app/WindowMemory.h"
#include "model/DataDefine.h"
#include "model/ValueText.h"

#include <QCommandLineParser>
#include <QScreen>
#include <QSettings>
#include <QTimer>

#include <cstdio>

namespace
{
// Long enough for the offscreen platform to map the window and settle its
// frame.
constexpr int kSettleMs = 150;

void PrintState(const COrvanDlgDlg& window)
{
    const QRect frame = window.frameGeometry();
    const QRect client = window.geometry();
    const QRect available = window.screen()->availableGeometry();
    QStringList curves;
    for (const ChannelAddress address : CWindowMemory::ShownCurves(window.Link().Record()))
        curves << QString::number(address.Code());
    std::printf("frame=%d,%d,%d,%d client=%d,%d,%d,%d available=%d,%d,%d,%d screen=%s maximized=%d language=%d "
                "selected=%d curves=%s port=%s id=%d\n",
                frame.x(), frame.y(), frame.width(), frame.height(), client.x(), client.y(), client.width(),
                client.height(), available.x(), available.y(), available.width(), available.height(),
                qPrintable(window.screen()->name()), window.isMaximized() ? 1 : 0, window.GetLanguage(),
                window.Selector().Current().Code(), qPrintable(curves.join(QLatin1Char(','))),
                qPrintable(window.Link().Session().PortName()), window.Link().Record().GetDeviceId());
    std::fflush(stdout);
}
}

int main(int argc, char** argv)
{
    COrvanDlgApp app(argc, argv);
    QCommandLineParser parser;
    parser.addPositionalArgument("settings", "INI file");
    parser.addOptions({
        {"select", "Select the channel of this code.", "code"},
        {"curves", "Show exactly these channels' curves (codes).", "codes"},
        {"language", "zh or en.", "language"},
        {"port", "The port to remember.", "path"},
        {"id", "The device ID to remember.", "id"},
        {"size", "Resize the client to WxH.", "WxH"},
        {"maximize", "Maximise the window."},
    });
    parser.process(app);
    if (parser.positionalArguments().size() != 1)
    {
        std::fprintf(stderr, "%s", qPrintable(parser.helpText()));
        return 2;
    }

    CProcessorLink link;
    COrvanDlgDlg window(link);
    QSettings settings(parser.positionalArguments().at(0), QSettings::IniFormat);
    CWindowMemory memory(settings);
    memory.Restore(window);
    QObject::connect(&window, &QDialog::finished, &window, [&memory, &window] { memory.Save(window); });
    window.show();

    QTimer::singleShot(kSettleMs, &window, [&] {
        PrintState(window);
        if (parser.isSet("language"))
            window.SetLanguage(parser.value("language") == QLatin1String("en") ? kEnglish : kChinese);
        if (parser.isSet("select"))
            if (const auto address = ChannelAddress::FromCode(parser.value("select").toInt()))
                window.SelectChannel(*address);
        if (parser.isSet("curves"))
        {
            std::vector<ChannelAddress> shown;
            for (const QString& code : parser.value("curves").split(QLatin1Char(','), Qt::SkipEmptyParts))
                if (const auto address = ChannelAddress::FromCode(code.toInt()))
                    shown.push_back(*address);
            window.ShowCurves(shown);
        }
        if (parser.isSet("port"))
            window.Link().Session().SetPortName(parser.value("port"));
        if (parser.isSet("id"))
            window.Link().Record().SetDeviceId(parser.value("id").toInt());
        if (parser.isSet("size"))
        {
            const QStringList size = parser.value("size").split(QLatin1Char('x'));
            window.resize(size.value(0).toInt(), size.value(1).toInt());
        }
        if (parser.isSet("maximize"))
            window.showMaximized();
        QTimer::singleShot(kSettleMs, &window, [&window] { window.reject(); });
    });
    window.exec();
    return 0;
}
