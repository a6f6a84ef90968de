#pragma once

// A line of virtual processors on a pseudo-terminal and the program's
// processor link on it, as the editor has it.

#include "session/ProcessorLink.h"

#include "model/Audio_Data.h"

#include "tests/VprocProcess.h"
#include "tests/vproc/LinkWait.h"
#include "vproc/StateFile.h"

#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <csignal>
#include <string>
#include <vector>

// The live image a processor holds once it has every edit of the record.
inline CProcessorState::Image ImageOf(CAudio_Data& record)
{
    CProcessorState::Image image{};
    for (int i = 0; i < CAudio_InRoute::kCount; ++i)
        std::ranges::copy(record.Input(i).BuildBlock(),
                          image.begin() + CImageSlot::BlockOffset(Frame::kFirstInputCode + i));
    for (int i = 0; i < CAudio_OutRoute::kCount; ++i)
        std::ranges::copy(record.Output(i).BuildBlock(),
                          image.begin() + CImageSlot::BlockOffset(Frame::kFirstOutputCode + i));
    return image;
}

// A processor's image as the editor shows it once read (shelf widths in
// the editor's form).
inline CProcessorState::Image ShownImage(const CProcessorState::Image& live)
{
    CAudio_Data record;
    CImageSlot slot;
    slot.abyImage = live;
    record.LoadFromImage(slot);
    return ImageOf(record);
}

class LineFixture : public ::testing::Test
{
protected:
    ~LineFixture() override
    {
        m_link.Connection().Disconnect();
        m_processor.Stop();
    }

    // The processors of `args` (--ids 1-8 unless given), their state kept in
    // the test's folder.
    void StartLine(QStringList args = {"--ids", "1-8"})
    {
        args << "--state" << m_strState;
        ASSERT_TRUE(m_processor.Start(args)) << "no port from the processor";
    }

    void ConnectTo(int nId)
    {
        ASSERT_TRUE(m_link.Connect(m_processor.Port(), nId));
        ASSERT_TRUE(RunUntil([this] { return Idle() || !m_link.IsConnected(); }, 15000));
        ASSERT_TRUE(Idle()) << "no connection to " << nId;
    }

    bool Idle() const { return m_link.Connection().GetState() == CConnection::EState::Idle; }

    // Everything the editor marked has been sent and answered.
    void WaitUntilSent()
    {
        ASSERT_TRUE(RunUntil([this] { return !m_link.HasUnsentEdits(); }, 5000));
    }

    // Ends the connection and the processors, which save their line.
    std::vector<CProcessorState> StopAndReadLine()
    {
        m_link.Connection().Disconnect();
        m_processor.Stop();
        std::vector<CProcessorState> line;
        std::string strError;
        EXPECT_TRUE(CStateFile::LoadLine(m_strState.toStdString(), line, strError)) << strError;
        return line;
    }

    QString NextNotice() { return m_processor.NextNotice(); }
    void Signal(int nSignal) { m_processor.Signal(nSignal); }

    QTemporaryDir m_dir;
    CVprocProcess m_processor{m_dir.filePath("port")};
    const QString m_strState = m_dir.filePath("line.state");
    CProcessorLink m_link;
};
