// Usage: main_window_shot zh|en OUTPUT.png [--output N] [--scene SCENE] [--port PATH] [--size WxH]
//        [--first-start] [--timing]
// Shows the main window in the given language, grabs it from the screen once
// it has been drawn, saves the picture and exits. The window has its minimum
// size unless --size asks for a larger one, or --first-start for the size a
// first start gives it on this screen. --timing prints the time from the
// start of the program to the window first drawn with all its panels, and
// the resident memory when the picture is taken. Scenes:
//   main          the window as it starts (with --output N: output N shown)
//   connect       the Connection dialog open over it
//   device        the Device dialog open over it
//   message       a message box over it (the one for a newer processor)
//   transfer      connecting to the processor at PATH, while the state is read
//   transfer-end  the same when the transfer has ended but the processor
//                 has not answered the last block (the end text is shown)
//   connected     connected to the processor at PATH, the state read done
//   curves        the same with output 3 selected on the channel strip and
//                 every channel's curve shown on the graph
//   program       the Program window open over it
//   system        the System window open over it
//   rack          the rack window alone, after its search of the line at
//                 PATH (eight processors) and a round of its poll
#include "editors/CHEDlg.h"
#include "link/ConnectDlg.h"
#include "model/ValueText.h"
#include "link/DeviceDlg.h"
#include "link/DisplayDlg.h"
#include "app/InformationDlg.h"
#include "app/MainText.h"
#include "ui/MessageBox.h"
#include "app/OrvanDlg.h"
#include "app/OrvanDlgDlg.h"
#include "link/Serial/PortList.h"
#include "programs/ProgramDlg.h"
#include "controls/ToggleButton.h"
#include "rack/RackWindow.h"

#include "editors/FStatic.h"
#include "ui/MainLayout.h"
#include "ui/WindowPlacement.h"

#include <QCommandLineParser>
#include <QElapsedTimer>
#include <QFile>
#include <QMessageBox>
#include <QScreen>
#include <QTimer>

#include <cstdio>

namespace
{
constexpr int kDrawnMs = 800;
constexpr int kTransferShownMs = 250;
constexpr int kEndTextShownMs = 700;
constexpr int kGiveUpMs = 10000;

// A line of this process's /proc status in kB (VmRSS, RssAnon, RssFile,
// RssShmem), 0 where /proc does not say.
long StatusKb(const char* key)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray prefix = QByteArray(key) + ':';
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith(prefix))
            return line.mid(prefix.size()).trimmed().split(' ').value(0).toLong();
    return 0;
}

// Notes when the widget it watches is first painted.
class CFirstPaint : public QObject
{
public:
    CFirstPaint(const QElapsedTimer& clock, QObject* parent)
        : QObject(parent)
        , m_clock(clock)
    {
    }
    qint64 Ms() const { return m_nMs; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && m_nMs < 0)
            m_nMs = m_clock.elapsed();
        return QObject::eventFilter(watched, event);
    }

private:
    const QElapsedTimer& m_clock;
    qint64 m_nMs = -1;
};
// A search of every ID and the poll's round of eight processors take longer.
constexpr int kRackGiveUpMs = 40000;
}

int main(int argc, char** argv)
{
    QElapsedTimer clock;
    clock.start();
    COrvanDlgApp app(argc, argv);
    QCommandLineParser parser;
    parser.addPositionalArgument("language", "zh or en");
    parser.addPositionalArgument("output", "PNG file to write");
    parser.addOptions({
        {"output", "Show output channel N (1..8).", "N"},
        {"scene", "main, connect, device, message, transfer, transfer-end, connected, curves, program, system or rack.",
         "scene",
         "main"},
        {"port", "The processor's port for the scenes that connect.", "path"},
        {"size", "Client size of the window, WxH.", "WxH"},
        {"first-start", "The size of a first start on this screen."},
        {"timing", "Print the time to the window shown and the resident memory."},
    });
    parser.process(app);
    const QStringList args = parser.positionalArguments();
    const QString scene = parser.value("scene");
    const bool bNeedsPort = scene.startsWith(QLatin1String("transfer")) || scene == QLatin1String("connected")
                            || scene == QLatin1String("curves") || scene == QLatin1String("rack");
    if (args.size() != 2 || (bNeedsPort && !parser.isSet("port")))
    {
        std::fprintf(stderr, "%s", qPrintable(parser.helpText()));
        return 2;
    }

    CProcessorLink link;
    COrvanDlgDlg window(link);
    window.SetLanguage(args.at(0) == QLatin1String("en") ? kEnglish : kChinese);
    if (parser.isSet("output"))
        window.SelectChannel(ChannelAddress::Output(parser.value("output").toInt() - 1));
    if (parser.isSet("size"))
    {
        const QStringList size = parser.value("size").split(QLatin1Char('x'));
        if (size.size() == 2)
            window.resize(size.at(0).toInt(), size.at(1).toInt());
    }
    if (parser.isSet("first-start"))
        window.resize(WindowPlacement::FirstStartClient(window.screen()->availableGeometry(), MainLayout::kMinimumClient,
                                                        QMargins())
                          .size());
    auto* firstPaint = new CFirstPaint(clock, &window);
    window.findChild<CFStatic*>()->installEventFilter(firstPaint);
    window.move(0, 0);
    window.show();

    int result = 1;
    // The main window and whatever stands over it, as the screen shows them.
    auto grab = [&] {
        // Measured before the grab, whose picture is the tool's, not the
        // program's.
        if (parser.isSet("timing"))
            std::printf("size=%dx%d ratio=%.2f shown_ms=%lld rss_kb=%ld (anon %ld, file %ld, shmem %ld)\n",
                        window.width(), window.height(), window.devicePixelRatioF(),
                        static_cast<long long>(firstPaint->Ms()), StatusKb("VmRSS"), StatusKb("RssAnon"),
                        StatusKb("RssFile"), StatusKb("RssShmem"));
        const QPixmap shot = window.screen()->grabWindow(0, 0, 0, window.width(), window.height());
        result = shot.save(args.at(1)) ? 0 : 1;
        window.done(0);
    };
    QTimer::singleShot(scene == "rack" ? kRackGiveUpMs : kGiveUpMs, &window, [&] {
        std::fprintf(stderr, "main_window_shot: scene %s did not come about\n", qPrintable(scene));
        window.done(0);
    });

    if (scene == "connect")
    {
        QList<SerialPortEntry> ports;
        EnumeratePorts(ports);
        auto* dialog = new CConnectDlg(window.Connection(), ports, QStringLiteral("/tmp/orvan-vproc"),
                                       window.GetLanguage(), &window);
        QTimer::singleShot(0, dialog, [dialog] { dialog->open(); });
        QTimer::singleShot(kDrawnMs, &window, grab);
    }
    else if (scene == "device")
    {
        auto* dialog = new CDeviceDlg(window.Connection().GetDeviceIdTable(), false, window.GetLanguage(), &window);
        QTimer::singleShot(0, dialog, [dialog] { dialog->open(); });
        QTimer::singleShot(kDrawnMs, &window, grab);
    }
    else if (scene == "program" || scene == "system")
    {
        QDialog* dialog = nullptr;
        if (scene == "program")
            dialog = new CProgramDlg(window.Programs(), window.GetLanguage(), &window);
        else
            dialog = new CInformationDlg(window.Data(), window.Locks(), window.Engine(), [] { return false; },
                                         window.GetLanguage(), &window);
        QTimer::singleShot(0, dialog, [dialog] { dialog->open(); });
        QTimer::singleShot(kDrawnMs, &window, grab);
    }
    else if (scene == "message")
    {
        // The box as CMessageBox shows it, opened without blocking.
        const ELanguage language = window.GetLanguage();
        auto* box = new QMessageBox(QMessageBox::Information, CMessageBox::Caption(),
                                    MainText(EMainText::SoftwareOlder, language) + QLatin1Char('\n')
                                        + MainText(EMainText::VersionHowTo, language),
                                    QMessageBox::Ok, &window);
        QTimer::singleShot(0, box, [box] { box->open(); });
        QTimer::singleShot(kDrawnMs, &window, grab);
    }
    else if (scene == "transfer" || scene == "transfer-end")
    {
        const bool bEnd = scene == "transfer-end";
        QObject::connect(&window.Connection(), &CConnection::stateReadStarted, &window, [&, bEnd] {
            if (!bEnd)
                QTimer::singleShot(kTransferShownMs, &window, grab);
        });
        QObject::connect(&window.Engine(), &CCommand::transferEnded, &window, [&, bEnd] {
            if (bEnd)
                QTimer::singleShot(kEndTextShownMs, &window, grab);
        });
        QTimer::singleShot(kDrawnMs, &window, [&] { window.Connect(parser.value("port"), 1); });
    }
    else if (scene == "curves")
    {
        QObject::connect(&window.Connection(), &CConnection::liveProgramLoaded, &window, [&] {
            // As a user would: output 3's select, then every curve button.
            auto* strip = window.findChild<CCHEDlg*>();
            strip->ColumnAt(CCHEDlg::kInputColumns + 2).pSelect->click();
            for (int column = 0; column < CCHEDlg::kColumns; ++column)
                strip->ColumnAt(column).pCurve->click();
            QTimer::singleShot(kDrawnMs, &window, grab);
        });
        QTimer::singleShot(kDrawnMs, &window, [&] { window.Connect(parser.value("port"), 1); });
    }
    else if (scene == "rack")
    {
        CRackWindow& rack = window.Rack();
        rack.SetSearchIntervalMs(2);
        rack.move(0, 0);
        bool bSearched = false;
        auto* pRound = new QTimer(&window);
        pRound->setInterval(200);
        QObject::connect(pRound, &QTimer::timeout, &window, [&, pRound] {
            const CRackModel& model = rack.Model();
            for (const int nId : model.Ids())
                if (!model.Find(nId)->bMutesKnown || model.Find(nId)->strFirmware.isEmpty())
                    return;
            pRound->stop();
            QTimer::singleShot(kDrawnMs, &window, [&] {
                result = rack.grab().save(args.at(1)) ? 0 : 1;
                window.done(0);
            });
        });
        QObject::connect(&window.Connection(), &CConnection::liveProgramLoaded, &window, [&, pRound] {
            if (!std::exchange(bSearched, true))
            {
                // As a user would: RACK, then its Search, which comes back to 1.
                window.CommandButton(COrvanDlgDlg::kRack)->click();
                rack.Button(CRackWindow::kSearch)->click();
                return;
            }
            const bool bEnglish = window.GetLanguage() == kEnglish;
            rack.Model().SetLabel(1, bEnglish ? QStringLiteral("Stage left") : QStringLiteral("舞台左"));
            rack.Model().SetLabel(2, bEnglish ? QStringLiteral("Stage right") : QStringLiteral("舞台右"));
            rack.Model().SetLabel(5, bEnglish ? QStringLiteral("Delay tower 1") : QStringLiteral("延时塔 1"));
            rack.MuteToggle(1, 3)->click();
            rack.SelectIds({2, 3});
            pRound->start();
        });
        QTimer::singleShot(kDrawnMs, &window, [&] { window.Connect(parser.value("port"), 1); });
    }
    else if (scene == "connected")
    {
        QObject::connect(&window.Connection(), &CConnection::liveProgramLoaded, &window,
                         [&] { QTimer::singleShot(kDrawnMs, &window, grab); });
        QTimer::singleShot(kDrawnMs, &window, [&] { window.Connect(parser.value("port"), 1); });
    }
    else
    {
        QTimer::singleShot(kDrawnMs, &window, grab);
    }
    window.exec();
    return result;
}
