// Editing in the main window against the virtual processor program on a
// pseudo-terminal: a band dragged on the response graph, a mute, a routing
// cell and a name changed on the channel strip each reach the processor's
// live program; the strip's meters follow the levels it reports; the test
// generator switched on the strip reaches the processor and freezes the
// routing grid while it runs.

#include "editors/CHEDlg.h"
#include "editors/FStatic.h"
#include "app/OrvanDlgDlg.h"
#include "testgen/TestGenDlg.h"
#include "tests/app/WindowTestEnvironment.h"

#include "link/ConnectDlg.h"
#include "controls/ControlMath.h"
#include "testgen/GenToggle.h"
#include "controls/LampMeter.h"
#include "controls/NameEdit.h"
#include "editors/NumEdit.h"
#include "vproc/ProcessorState.h"
#include "vproc/StateFile.h"
#include "controls/ToggleButton.h"
#include "tests/VprocProcess.h"
#include "tests/app/VprocWindow.h"

#include <QApplication>
#include <QComboBox>
#include <QFocusEvent>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <span>
#include <vector>

namespace
{
class EditingWindowTest : public CVprocWindowTest
{
};
}

TEST_F(EditingWindowTest, GraphAndStripEditsReachTheLiveProgram)
{
    Connect();
    CAudio_Data& record = m_window->Data();

    // Output 3 chosen on the strip: the graph shows its points.
    Strip().ColumnAt(CCHEDlg::kInputColumns + 2).pSelect->click();
    EXPECT_FALSE(m_window->Selector().Current().bInput);
    EXPECT_EQ(m_window->Selector().Current().nIndex, 2);
    EXPECT_EQ(Graph().Pointer().Selected(), ChannelAddress::Output(2));

    // Band 8 of output 3 dragged up and to the right.
    Graph().Redraw();
    const CFilter& band = record.Output(2).GetBand(7);
    const int nFreq = band.m_nFreq;
    const int nGain = band.GetGainStep();
    const Point handle = Centre(band.m_rcHandle);
    const QPoint start(handle.x, handle.y);
    SendMouse(Graph(), QEvent::MouseMove, start, Qt::NoButton, Qt::NoButton);
    ASSERT_EQ(Graph().Pointer().CurrentFilter(), &band);
    SendMouse(Graph(), QEvent::MouseButtonPress, start, Qt::LeftButton, Qt::LeftButton);
    SendMouse(Graph(), QEvent::MouseMove, start + QPoint(30, -20), Qt::NoButton, Qt::LeftButton);
    SendMouse(Graph(), QEvent::MouseMove, start + QPoint(60, -40), Qt::NoButton, Qt::LeftButton);
    SendMouse(Graph(), QEvent::MouseButtonRelease, start + QPoint(60, -40), Qt::LeftButton, Qt::NoButton);
    EXPECT_GT(band.m_nFreq, nFreq);
    EXPECT_GT(band.GetGainStep(), nGain);

    // Input B muted, output 5 takes input C, output 2 renamed.
    Strip().ColumnAt(1).pMute->click();
    EXPECT_EQ(record.Input(1).IsOn(), 0);
    const int nRoute = record.Output(4).GetRoute();
    Strip().ColumnAt(CCHEDlg::kInputColumns + 4).apRoute[2]->click();
    EXPECT_EQ(record.Output(4).GetRoute(), nRoute ^ 0x04);
    CNameEdit* name = Strip().ColumnAt(CCHEDlg::kInputColumns + 1).pName;
    name->selectAll();
    QTest::keyClicks(name, "SUB L");
    // The user leaves the field (the offscreen window is never active, so
    // the focus cannot really move).
    QFocusEvent leave(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(name, &leave);
    EXPECT_EQ(record.Output(1).GetName(), "SUB L");

    // Level requests go out only when no edit is waiting, but two of them
    // may already stand in the queue ahead of the edits: the third answer
    // comes after every edit has been acknowledged.
    ASSERT_TRUE(WaitForLevels(3));
    const CProcessorState state = StopAndReadState();
    const auto& live = state.aImages[0];
    const auto& factory = m_window->Connection().FactorySlot().abyImage;
    // Each edit travels as one 8-byte sub-block of its channel: the live
    // program must hold the record's bytes there, and they must not be the
    // factory program's.
    struct Sent
    {
        const char* what;
        int nCode;
        int nOffset;
    };
    const Sent sent[] = {
        {"input B parameters (mute)", 2, 8},
        {"output 5 parameters (routing)", 9, 8},
        {"output 2 name", 6, 0},
        {"output 3 band 8", 7, CAudio_OutData::kBandOffset + Frame::kSubBlockBytes * 7},
    };
    for (const Sent& s : sent)
    {
        SCOPED_TRACE(s.what);
        const int nChannel = s.nCode - 1;
        const std::span<const uint8_t> block = nChannel < CAudio_InRoute::kCount
                                                   ? std::span<const uint8_t>(record.Input(nChannel).BuildBlock())
                                                   : record.Output(nChannel - CAudio_InRoute::kCount).BuildBlock();
        const auto at = static_cast<size_t>(CImageSlot::BlockOffset(s.nCode) + s.nOffset);
        const std::vector<uint8_t> mine(block.begin() + s.nOffset, block.begin() + s.nOffset + Frame::kSubBlockBytes);
        const std::vector<uint8_t> theirs(live.begin() + at, live.begin() + at + Frame::kSubBlockBytes);
        const std::vector<uint8_t> before(factory.begin() + at, factory.begin() + at + Frame::kSubBlockBytes);
        EXPECT_EQ(theirs, mine);
        EXPECT_NE(theirs, before);
    }
    EXPECT_TRUE(m_env.Boxes().empty());
}

TEST_F(EditingWindowTest, MetersFollowTheReportedLevels)
{
    Connect();
    int nLit = 0;
    for (int round = 0; round < 6; ++round)
    {
        ASSERT_TRUE(WaitForLevels(1));
        for (int column = 0; column < CCHEDlg::kColumns; ++column)
        {
            const CLampMeter* meter = Strip().ColumnAt(column).pMeter;
            const int level = m_window->Engine().Level(column);
            EXPECT_EQ(meter->Pattern(), LampPattern(level, meter->Style())) << "column " << column;
            nLit += LitLampCount(meter->Pattern());
        }
    }
    // The processor's levels swing: the meters are not all dark.
    EXPECT_GT(nLit, 0);

    m_window->Disconnect();
    for (int column = 0; column < CCHEDlg::kColumns; ++column)
        EXPECT_EQ(Strip().ColumnAt(column).pMeter->Pattern(), 0);
}

TEST_F(EditingWindowTest, GeneratorToneThenSweepReachTheProcessorAndFreezeRouting)
{
    using GenBytes = std::array<uint8_t, Frame::kGeneratorBytes>;
    // Waits until the processor has kept `expected` as its generator block.
    const auto holds = [this](const GenBytes& expected) {
        GenBytes held{};
        RunUntil(
            [&] {
                CProcessorState state;
                std::string error;
                if (CStateFile::Load(m_env.FilePath("state.txt").toStdString(), state, error))
                    held = state.abyGenerator;
                return held == expected;
            },
            4000);
        return held;
    };
    const auto enabledCells = [this] {
        int enabled = 0;
        for (int column = CCHEDlg::kInputColumns; column < CCHEDlg::kColumns; ++column)
            for (CToggleButton* cell : Strip().ColumnAt(column).apRoute)
                enabled += cell->isEnabled() ? 1 : 0;
        return enabled;
    };
    CTestGenDlg& generator = *m_window->findChild<CTestGenDlg*>();
    const auto chooseType = [&](int entry) {
        generator.TypeCombo()->setCurrentIndex(entry);
        emit generator.TypeCombo()->activated(entry);
    };

    Connect();
    const int nAllCells = enabledCells();
    ASSERT_GT(nAllCells, 0);

    generator.Toggle()->click();
    EXPECT_FALSE(m_window->Selector().Current().bInput);  // input A gave way to output 1
    generator.OnOff()->click();
    EXPECT_EQ(enabledCells(), 0);
    chooseType(2);  // tone
    CNumEdit* freq = generator.FreqEdit();
    freq->selectAll();
    QTest::keyClicks(freq, "1000");
    // The user leaves the field (the window takes Enter by moving the focus,
    // which the offscreen window cannot really do).
    QFocusEvent leave(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(freq, &leave);
    EXPECT_EQ(m_window->Data().GetGenFreq(), 1000);

    // Tone, period 2 s, 1000 Hz, level 600 (0.0 dBu).
    const GenBytes tone{0x03, 0x02, 0xE8, 0x03, 0x58, 0x02, 0x00, 0x00};
    EXPECT_EQ(holds(tone), tone);
    EXPECT_EQ(enabledCells(), 0);

    chooseType(3);  // sweep
    const GenBytes sweep{0x04, 0x02, 0xE8, 0x03, 0x58, 0x02, 0x00, 0x00};
    EXPECT_EQ(holds(sweep), sweep);
    EXPECT_EQ(enabledCells(), 0);

    // Off again: the routing grid comes back.
    generator.OnOff()->click();
    const GenBytes off{0x00, 0x02, 0xE8, 0x03, 0x58, 0x02, 0x00, 0x00};
    EXPECT_EQ(holds(off), off);
    EXPECT_EQ(enabledCells(), nAllCells);
    EXPECT_TRUE(m_env.Boxes().empty());
}
