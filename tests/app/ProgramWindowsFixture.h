#pragma once

// What the program manager and the System window tests share: the main
// window on its own link against virtual processor programs on
// pseudo-terminals, with the windows filled in as a user would and file
// dialogs answered by the test.

#include "link/DisplayDlg.h"
#include "app/OrvanDlgDlg.h"
#include "programs/ProgramDlg.h"
#include "programs/ProgramManager.h"
#include "tests/app/WindowTestEnvironment.h"

#include "vproc/ProcessorState.h"
#include "vproc/StateFile.h"
#include "tests/VprocProcess.h"

#include <QAbstractButton>

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <memory>
#include <vector>


class ProgramWindowsTest : public ::testing::Test
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
        m_window->Programs().SetFilePicker([this](QWidget*, const CProgramManager::FileRequest& request) {
            m_requests.push_back(request);
            if (m_paths.empty())
                return QString();
            const QString path = m_paths.front();
            m_paths.pop_front();
            return path;
        });
        m_window->Programs().SetAsker([this](QWidget*, const QString& question) {
            m_questions.push_back(question);
            return m_bYes;
        });
        QObject::connect(&m_window->Connection(), &CConnection::liveProgramLoaded, [this] { ++m_nLoads; });
        QObject::connect(&m_window->Connection(), &CConnection::disconnected,
                         [this](CConnection::EReason) { ++m_nDisconnects; });
    }

    void TearDown() override
    {
        m_window.reset();
        m_pLink.reset();
    }

    COrvanDlgDlg& Window() { return *m_window; }
    CAudio_Data& Record() { return m_window->Data(); }
    QString MusicFile(const QString& name) const { return m_env.FilePath("MusicFile/" + name); }

    std::unique_ptr<CVprocProcess> StartProcessor(const QString& name, QStringList args,
                                                  const CProcessorState* state = nullptr)
    {
        const QString statePath = m_env.FilePath(name + ".state");
        std::string error;
        if (state)
        {
            EXPECT_TRUE(CStateFile::Save(statePath.toStdString(), *state, error)) << error;
        }
        auto processor = std::make_unique<CVprocProcess>(m_env.FilePath(name));
        EXPECT_TRUE(processor->Start(args << "--state" << statePath)) << "no virtual processor";
        return processor;
    }

    // Stops the processor, which saves its state, and reads that state.
    CProcessorState StateAfter(CVprocProcess& processor, const QString& name)
    {
        processor.Stop();
        CProcessorState state;
        std::string error;
        EXPECT_TRUE(CStateFile::Load(m_env.FilePath(name + ".state").toStdString(), state, error)) << error;
        return state;
    }

    void Connect(CVprocProcess& processor)
    {
        const int loads = m_nLoads;
        ASSERT_TRUE(Window().Connect(processor.Port(), 1));
        ASSERT_TRUE(RunUntil([&] { return m_nLoads > loads; }, 8000)) << "no live program";
    }

    // PROGRAM, with the window filled in by `fill`.
    void Program(const std::function<void(CProgramDlg&)>& fill)
    {
        m_fillIn = [fill](QDialog& dialog) { fill(dynamic_cast<CProgramDlg&>(dialog)); };
        Window().CommandButton(COrvanDlgDlg::kProgram)->click();
        m_fillIn = nullptr;
    }

    // Until nothing but level requests is left to send and the data
    // transmission window, which keeps the main window disabled, is gone.
    bool WaitUntilSent(int timeoutMs = 10000)
    {
        const CCommand& engine = Window().Engine();
        return RunUntil(
            [&] {
                const CSendDataQueue& queue = engine.Queue();
                for (int i = 0; i < queue.Count(); ++i)
                    if (queue.At(i).GetFrame()[1] != 0xA6)
                        return false;
                return !engine.IsTransferInProgress() && Window().DisplayWindow()->isHidden();
            },
            timeoutMs);
    }

    static void Click(QWidget& window, const char* name) { window.findChild<QAbstractButton*>(name)->click(); }

    CWindowTestEnvironment m_env;
    // The link outlives the window, as the application object has it.
    std::unique_ptr<CProcessorLink> m_pLink;
    std::unique_ptr<COrvanDlgDlg> m_window;
    std::function<void(QDialog&)> m_fillIn;
    std::deque<QString> m_paths;
    std::vector<CProgramManager::FileRequest> m_requests;
    std::vector<QString> m_questions;
    bool m_bYes = true;
    int m_nLoads = 0;
    int m_nDisconnects = 0;
};
