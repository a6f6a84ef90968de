#pragma once

// What the main-window tests against the virtual processor share: the
// connection window answered with the processor's port and device ID 1, the
// bytes the record would send for every channel, the processor's state as it
// saves it when it ends, mouse events as the platform delivers them, and a
// fixture with the window, the processor and their counters.

#include "editors/CHEDlg.h"
#include "link/ConnectDlg.h"
#include "editors/FStatic.h"
#include "app/OrvanDlgDlg.h"
#include "vproc/ProcessorState.h"
#include "vproc/StateFile.h"
#include "tests/VprocProcess.h"
#include "tests/app/WindowTestEnvironment.h"

#include <QApplication>
#include <QComboBox>
#include <QMouseEvent>
#include <QPushButton>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <span>

inline void AnswerConnectWithProcessor(COrvanDlgDlg& window, const CVprocProcess& vproc)
{
    window.SetDialogRunner([&vproc](QDialog& dialog) {
        auto& connect = dynamic_cast<CConnectDlg&>(dialog);
        connect.findChild<QComboBox*>("PortCombo")->setEditText(vproc.Port());
        auto* ids = connect.findChild<QComboBox*>("DeviceIdCombo");
        ids->setCurrentIndex(ids->findText(QStringLiteral("1")));
        connect.accept();
        return dialog.result();
    });
}

inline CProcessorState::Image BuiltImage(CAudio_Data& record)
{
    CProcessorState::Image image{};
    for (int i = 0; i < CAudio_InRoute::kCount; ++i)
    {
        const auto block = record.Input(i).BuildBlock();
        std::copy(block.begin(), block.end(), image.begin() + CImageSlot::BlockOffset(record.Input(i).GetChannel()));
    }
    for (int i = 0; i < CAudio_OutRoute::kCount; ++i)
    {
        const auto block = record.Output(i).BuildBlock();
        std::copy(block.begin(), block.end(), image.begin() + CImageSlot::BlockOffset(record.Output(i).GetChannel()));
    }
    return image;
}

inline CProcessorState StopAndReadState(CVprocProcess& vproc, const QString& strStateFile)
{
    vproc.Stop();
    CProcessorState state;
    std::string error;
    EXPECT_TRUE(CStateFile::Load(strStateFile.toStdString(), state, error)) << error;
    return state;
}

inline void SendMouse(QWidget& widget, QEvent::Type type, QPointF pos, Qt::MouseButton button,
                      Qt::MouseButtons held)
{
    QMouseEvent event(type, pos, widget.mapToGlobal(pos), button, held, Qt::NoModifier);
    QApplication::sendEvent(&widget, &event);
}

// The main window and a virtual processor it connects to on demand; counts
// the live programs loaded and the level answers.
class CVprocWindowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_env.IsReady());
        m_pLink = std::make_unique<CProcessorLink>();
        m_window = std::make_unique<COrvanDlgDlg>(*m_pLink);
        AnswerConnectWithProcessor(*m_window, m_vproc);
        QObject::connect(&m_window->Connection(), &CConnection::liveProgramLoaded, [this] { ++m_nLiveLoads; });
        QObject::connect(&m_window->Engine(), &CCommand::levelsReceived, [this] { ++m_nLevels; });
        m_window->show();
    }

    void TearDown() override
    {
        m_window.reset();
        m_pLink.reset();
        m_vproc.Stop();
    }

    // Starts the processor, with these options besides its state file, and
    // connects to it from the window.
    void Connect(QStringList options = {})
    {
        options << "--state" << m_env.FilePath("state.txt");
        ASSERT_TRUE(m_vproc.Start(options)) << "no virtual processor";
        m_window->CommandButton(COrvanDlgDlg::kConnection)->click();
        ASSERT_TRUE(RunUntil([&] { return m_nLiveLoads > 0; }, 8000)) << "no live program";
    }

    bool WaitForLevels(int n)
    {
        const int nTarget = m_nLevels + n;
        return RunUntil([&] { return m_nLevels >= nTarget; }, 8000);
    }

    // The processor's state as it saves it when it ends.
    CProcessorState StopAndReadState() { return ::StopAndReadState(m_vproc, m_env.FilePath("state.txt")); }

    CCHEDlg& Strip() { return *m_window->findChild<CCHEDlg*>(); }
    CFStatic& Graph() { return *m_window->findChild<CFStatic*>(); }

    CWindowTestEnvironment m_env;
    CVprocProcess m_vproc{m_env.FilePath("port")};
    // The link outlives the window, as the application object has it.
    std::unique_ptr<CProcessorLink> m_pLink;
    std::unique_ptr<COrvanDlgDlg> m_window;
    int m_nLiveLoads = 0;
    int m_nLevels = 0;
};
