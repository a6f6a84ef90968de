#pragma once

// The main window with its rack window, and a line of eight virtual
// processors on a pseudo-terminal found by the Connection window's search.

#include "app/OrvanDlgDlg.h"
#include "link/ConnectDlg.h"
#include "rack/RackWindow.h"
#include "tests/VprocProcess.h"
#include "tests/app/WindowTestEnvironment.h"
#include "tests/line/LineFixture.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>

#include <gtest/gtest.h>

#include <memory>

class RackWindowFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_env.IsReady());
        m_pLink = std::make_unique<CProcessorLink>();
        m_window = std::make_unique<COrvanDlgDlg>(*m_pLink);
        m_window->show();
        // The program starts in Chinese; the texts below are the English ones.
        m_window->SetLanguage(kEnglish);
        Rack().SetSettings(std::make_unique<QSettings>(m_env.FilePath("settings.ini"), QSettings::IniFormat));
        Rack().SetSearchIntervalMs(2);
        Rack().SetAsker([this](QWidget*, const QString& strQuestion) {
            m_questions << strQuestion;
            return m_eAnswer;
        });
    }

    void TearDown() override
    {
        m_window.reset();
        m_pLink.reset();
        m_vproc.Stop();
    }

    CRackWindow& Rack() { return m_window->Rack(); }
    CProcessorLink& Link() { return *m_pLink; }
    bool Idle() const
    {
        return m_pLink->IsConnected() && m_pLink->Connection().GetState() == CConnection::EState::Idle
               && !m_pLink->IsSwitching();
    }

    // Starts the line (state kept in the test's folder), searches it from
    // the Connection window and connects to device ID 1; opens the rack.
    void SearchAndConnect(QStringList args = {"--ids", "1-8"})
    {
        args << "--state" << m_strState;
        ASSERT_TRUE(m_vproc.Start(args)) << "no virtual processor";
        m_window->SetDialogRunner([this](QDialog& dialog) {
            auto& connect = dynamic_cast<CConnectDlg&>(dialog);
            connect.findChild<QComboBox*>("PortCombo")->setEditText(m_vproc.Port());
            connect.SetSearchIntervalMs(2);
            connect.findChild<QPushButton*>("SearchButton")->click();
            EXPECT_TRUE(RunUntil([&] { return !connect.IsSearching(); }, 30000));
            auto* ids = connect.findChild<QComboBox*>("DeviceIdCombo");
            ids->setCurrentIndex(ids->findText(QStringLiteral("1")));
            connect.accept();
            return dialog.result();
        });
        m_window->CommandButton(COrvanDlgDlg::kConnection)->click();
        ASSERT_TRUE(RunUntil([this] { return Idle(); }, 15000)) << "no connection to 1";
        m_window->CommandButton(COrvanDlgDlg::kRack)->click();
        ASSERT_TRUE(Rack().isVisible());
    }

    // Selects the rows of ids, presses Edit and waits for the switch.
    void EditThrough(int nId)
    {
        QSignalSpy switched(m_pLink.get(), &CProcessorLink::switched);
        Rack().SelectIds({nId});
        Rack().Button(CRackWindow::kEdit)->click();
        ASSERT_TRUE(RunUntil([&] { return switched.count() > 0 || !m_pLink->IsConnected(); }, 15000));
        ASSERT_EQ(switched.count(), 1) << "no switch to " << nId;
        ASSERT_EQ(switched.at(0).at(0).toInt(), nId);
    }

    // Presses an operation's button and waits until its summary is shown.
    void RunOperation(CRackWindow::EButton eButton)
    {
        QSignalSpy ended(&Rack(), &CRackWindow::operationEnded);
        Rack().Button(eButton)->click();
        ASSERT_TRUE(RunUntil([&] { return ended.count() > 0; }, 90000)) << "the operation never ended";
        ASSERT_TRUE(RunUntil([this] { return Idle() && !m_pLink->HasUnsentEdits(); }, 15000));
    }

    QString Field(const char* szName) const { return m_window->findChild<QLineEdit*>(szName)->text(); }

    std::vector<CProcessorState> StopAndReadLine()
    {
        m_pLink->Connection().Disconnect();
        m_vproc.Stop();
        std::vector<CProcessorState> line;
        std::string strError;
        EXPECT_TRUE(CStateFile::LoadLine(m_strState.toStdString(), line, strError)) << strError;
        return line;
    }

    CWindowTestEnvironment m_env;
    CVprocProcess m_vproc{m_env.FilePath("port")};
    const QString m_strState = m_env.FilePath("line.state");
    // The link outlives the window, as the application object has it.
    std::unique_ptr<CProcessorLink> m_pLink;
    std::unique_ptr<COrvanDlgDlg> m_window;
    QStringList m_questions;
    CRackWindow::EAnswer m_eAnswer = CRackWindow::EAnswer::kCancel;
};
