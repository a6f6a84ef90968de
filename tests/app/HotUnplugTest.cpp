// The line disappearing under the main window: the virtual processor's
// process is killed, which closes its terminal as a pulled adapter would,
// while a curve is dragged on the response graph, while a transfer runs and
// while the program manager saves a file. Each time the user sees one
// message, the window is disconnected and usable, and no file is left half
// written.

#include "link/DisplayDlg.h"
#include "editors/FStatic.h"
#include "app/OrvanDlgDlg.h"
#include "programs/ProgramDlg.h"
#include "programs/ProgramManager.h"
#include "tests/app/WindowTestEnvironment.h"

#include "controls/ControlMath.h"
#include "model/FactoryImage.h"
#include "model/LockState.h"
#include "model/ProgramBank.h"
#include "programs/ProgramCodec.h"
#include "tests/VprocProcess.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMouseEvent>
#include <QPushButton>

#include <gtest/gtest.h>

#include <csignal>
#include <functional>
#include <memory>

namespace
{
class HotUnplugTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_env.IsReady());
        m_pLink = std::make_unique<CProcessorLink>();
        m_window = std::make_unique<COrvanDlgDlg>(*m_pLink);
        m_window->SetDialogRunner([this](QDialog& dialog) {
            if (m_fillIn)
                m_fillIn(dialog);
            return dialog.result();
        });
        m_window->Programs().SetFilePicker([this](QWidget*, const CProgramManager::FileRequest&) {
            if (m_onPick)
                m_onPick();
            return m_strPath;
        });
        m_window->Programs().SetAsker([](QWidget*, const QString&) { return true; });
        QObject::connect(&m_window->Connection(), &CConnection::liveProgramLoaded, [this] { ++m_nLoads; });
        QObject::connect(&m_window->Connection(), &CConnection::disconnected,
                         [this](CConnection::EReason eReason) { m_reasons.push_back(eReason); });
        m_window->show();
    }

    void TearDown() override
    {
        m_window.reset();
        m_pLink.reset();
        m_vproc.reset();
    }

    void Connect(QStringList args = {})
    {
        m_vproc = std::make_unique<CVprocProcess>(m_env.FilePath("port"));
        ASSERT_TRUE(m_vproc->Start(args)) << "no virtual processor";
        const int nLoads = m_nLoads;
        ASSERT_TRUE(m_window->Connect(m_vproc->Port(), 1));
        ASSERT_TRUE(RunUntil([&] { return m_nLoads > nLoads; }, 10000)) << "no live program";
    }

    // The adapter pulled out: the processor's end of the line is gone at once.
    void Unplug() { m_vproc->Stop(SIGKILL); }

    bool WaitDisconnected() { return RunUntil([&] { return !m_reasons.empty(); }, 8000); }

    // One message, the connection ended by the line, the editor back to the
    // factory program, every window usable.
    void ExpectDisconnectedAndUsable()
    {
        ASSERT_EQ(m_reasons, std::vector{CConnection::EReason::LineFault});
        // Late events of the line must not add a second message.
        RunUntil([] { return false; }, 300);
        EXPECT_EQ(m_env.Texts().size(), 1u);
        EXPECT_FALSE(m_window->Connection().IsConnected());
        EXPECT_TRUE(m_window->isEnabled());
        EXPECT_TRUE(m_window->DisplayWindow()->isHidden());
        EXPECT_FALSE(m_window->Engine().IsTransferInProgress());
        EXPECT_EQ(m_window->Data().GetImage().abyImage, FactoryDefaultImage());
    }

    void Program(const std::function<void(CProgramDlg&)>& fill)
    {
        m_fillIn = [fill](QDialog& dialog) { fill(dynamic_cast<CProgramDlg&>(dialog)); };
        m_window->CommandButton(COrvanDlgDlg::kProgram)->click();
        m_fillIn = nullptr;
    }

    static void Click(QWidget& window, const char* name) { window.findChild<QAbstractButton*>(name)->click(); }

    void Mouse(QWidget& widget, QEvent::Type type, QPoint pos, Qt::MouseButton button, Qt::MouseButtons held)
    {
        QMouseEvent event(type, QPointF(pos), widget.mapToGlobal(QPointF(pos)), button, held, Qt::NoModifier);
        QApplication::sendEvent(&widget, &event);
    }

    QStringList MusicFiles() const { return QDir(m_env.FilePath("MusicFile")).entryList(QDir::Files); }

    CWindowTestEnvironment m_env;
    // The link outlives the window, as the application object has it.
    std::unique_ptr<CProcessorLink> m_pLink;
    std::unique_ptr<COrvanDlgDlg> m_window;
    std::unique_ptr<CVprocProcess> m_vproc;
    std::function<void(QDialog&)> m_fillIn;
    std::function<void()> m_onPick;
    QString m_strPath;
    std::vector<CConnection::EReason> m_reasons;
    int m_nLoads = 0;
};
}

TEST_F(HotUnplugTest, WhileACurveIsDraggedOnTheGraph)
{
    Connect();
    m_window->SelectChannel(ChannelAddress::Output(2));
    CFStatic& graph = *m_window->findChild<CFStatic*>();
    graph.Redraw();
    const CFilter& band = m_window->Data().Output(2).GetBand(7);
    const Point handle = Centre(band.m_rcHandle);
    const QPoint start(handle.x, handle.y);
    Mouse(graph, QEvent::MouseMove, start, Qt::NoButton, Qt::NoButton);
    ASSERT_EQ(graph.Pointer().CurrentFilter(), &band);
    Mouse(graph, QEvent::MouseButtonPress, start, Qt::LeftButton, Qt::LeftButton);
    for (int i = 1; i <= 10; ++i)
    {
        Mouse(graph, QEvent::MouseMove, start + QPoint(6 * i, -4 * i), Qt::NoButton, Qt::LeftButton);
        RunUntil([] { return false; }, 30);
    }

    Unplug();
    // The hand keeps moving while the line is gone and after the window
    // has noticed.
    for (int i = 11; i <= 40 && m_reasons.empty(); ++i)
    {
        Mouse(graph, QEvent::MouseMove, start + QPoint(6 * (i % 20), -4 * (i % 20)), Qt::NoButton, Qt::LeftButton);
        RunUntil([] { return false; }, 30);
    }
    ASSERT_TRUE(WaitDisconnected());
    Mouse(graph, QEvent::MouseMove, start + QPoint(20, 20), Qt::NoButton, Qt::LeftButton);
    Mouse(graph, QEvent::MouseButtonRelease, start + QPoint(20, 20), Qt::LeftButton, Qt::NoButton);
    ExpectDisconnectedAndUsable();

    // Usable: a processor plugged in again is connected and edited.
    m_reasons.clear();
    m_env.Boxes().clear();
    Connect();
    graph.Redraw();
    const int nGain = m_window->Data().Output(2).GetBand(7).GetGainStep();
    Mouse(graph, QEvent::MouseMove, start, Qt::NoButton, Qt::NoButton);
    Mouse(graph, QEvent::MouseButtonPress, start, Qt::LeftButton, Qt::LeftButton);
    Mouse(graph, QEvent::MouseMove, start + QPoint(30, -20), Qt::NoButton, Qt::LeftButton);
    Mouse(graph, QEvent::MouseButtonRelease, start + QPoint(30, -20), Qt::LeftButton, Qt::NoButton);
    EXPECT_GT(m_window->Data().Output(2).GetBand(7).GetGainStep(), nGain);
    EXPECT_TRUE(m_window->Connection().IsConnected());
    EXPECT_TRUE(m_env.Boxes().empty());
}

TEST_F(HotUnplugTest, WhileATransferRuns)
{
    // At the real line rate the thirty stored programs take seconds to read.
    Connect({"--real-rate"});
    int nProgress = 0;
    QObject::connect(&m_window->Engine(), &CCommand::progressAdvanced, [&](int) { ++nProgress; });
    m_strPath = m_env.FilePath("MusicFile/all");
    Program([](CProgramDlg& dialog) {
        Click(dialog, "StoreAllToPcRadio");
        Click(dialog, "PcButton");
    });
    ASSERT_TRUE(RunUntil([&] { return nProgress >= 3; }, 8000)) << "the transfer did not get going";
    EXPECT_FALSE(m_window->DisplayWindow()->isHidden());

    Unplug();
    ASSERT_TRUE(WaitDisconnected());
    ExpectDisconnectedAndUsable();
    EXPECT_TRUE(MusicFiles().isEmpty());
}

TEST_F(HotUnplugTest, WhileTheProgramManagerSavesAFile)
{
    Connect();
    // The line goes while the manager is in the middle of saving the live
    // program: the user is choosing the file, and the window learns of the
    // fault before the file is written.
    m_strPath = m_env.FilePath("MusicFile/live");
    bool bPicked = false;
    m_onPick = [&] {
        bPicked = true;
        Unplug();
        EXPECT_TRUE(WaitDisconnected());
    };
    Program([](CProgramDlg& dialog) {
        Click(dialog, "StoreToPcRadio");
        Click(dialog, "PcButton");
    });
    ASSERT_TRUE(bPicked);
    ExpectDisconnectedAndUsable();

    // Whatever was written is a whole file that reads back, or nothing.
    for (const QString& name : MusicFiles())
    {
        SCOPED_TRACE(name.toStdString());
        QFile file(m_env.FilePath("MusicFile/" + name));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        auto pProgram = std::make_unique<CAudio_Data>();
        CLockState locks;
        EXPECT_EQ(ProgramCodec::DecodeProgram(std::span(reinterpret_cast<const uint8_t*>(bytes.data()),
                                                        static_cast<size_t>(bytes.size())),
                                              *pProgram, locks),
                  ProgramFileError::kNone);
    }
}
