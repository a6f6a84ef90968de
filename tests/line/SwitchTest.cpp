// Switching the editor between processors of one line without closing the
// port (CProcessorLink::SwitchTo), against eight virtual processors.

#include "tests/line/LineFixture.h"

#include "model/Audio_Data.h"
#include "model/ParamCatalogue.h"

#include <QFile>
#include <QSignalSpy>

namespace
{
using EUnsent = CProcessorLink::EUnsentEdits;

class SwitchTest : public LineFixture
{
protected:
    void SwitchTo(int nId, EUnsent eUnsent = EUnsent::kRefuse)
    {
        QSignalSpy switched(&m_link, &CProcessorLink::switched);
        ASSERT_TRUE(m_link.SwitchTo(nId, eUnsent));
        ASSERT_TRUE(RunUntil([&] { return switched.count() > 0 || !m_link.IsConnected(); }, 15000));
        ASSERT_EQ(switched.count(), 1) << "the switch to " << nId << " failed";
        EXPECT_EQ(switched.at(0).at(0).toInt(), nId);
        EXPECT_FALSE(m_link.IsSwitching());
        EXPECT_EQ(m_link.Record().GetDeviceId(), nId);
        EXPECT_EQ(m_link.Record().GetInfoText(0), "VIRTUAL DSP " + std::to_string(nId));
    }
};
}

TEST_F(SwitchTest, EachProcessorHoldsWhatTheEditorShowedWhileItWasSelectedAndTheOthersNeverChange)
{
    StartLine({"--ids", "1-8", "--types", "5:4"});
    ConnectTo(1);
    ASSERT_TRUE(m_link.Edit(EParam::kOutGain, {2, 0}, 250));
    // Unsent: the window must ask.
    EXPECT_TRUE(m_link.HasUnsentEdits());
    EXPECT_FALSE(m_link.SwitchTo(5));
    WaitUntilSent();

    SwitchTo(5);
    EXPECT_EQ(m_link.Connection().GetChannelCounts(), (CConnection::ChannelCounts{3, 6}));
    // Processor 5 shows its own program, not 1's edit.
    EXPECT_NE(m_link.Record().Output(2).GetGain(), 250);
    ASSERT_TRUE(m_link.Edit(EParam::kInGain, {1, 0}, 150));
    ASSERT_TRUE(m_link.EditText(EParam::kOutName, {0, 0}, "Tower"));
    // Sent to 5 before the switch back reads 1.
    SwitchTo(1, EUnsent::kSendFirst);
    EXPECT_EQ(m_link.Record().Output(2).GetGain(), 250);
    EXPECT_EQ(m_link.Record().Input(1).GetGain(), CAudio_Data().Input(1).GetGain());
    const CProcessorState::Image one = ImageOf(m_link.Record());
    ASSERT_TRUE(m_link.Edit(EParam::kOutGain, {3, 0}, 100));
    WaitUntilSent();
    const CProcessorState::Image oneEdited = ImageOf(m_link.Record());
    ASSERT_NE(one, oneEdited);

    SwitchTo(5);
    EXPECT_EQ(m_link.Record().Input(1).GetGain(), 150);
    EXPECT_EQ(ParamCatalogue::GetText(EParam::kOutName, m_link.Record(), {0, 0}), "Tower");
    const CProcessorState::Image fiveShown = ImageOf(m_link.Record());

    const std::vector<CProcessorState> line = StopAndReadLine();
    ASSERT_EQ(line.size(), 8u);
    for (const CProcessorState& state : line)
    {
        SCOPED_TRACE(state.nDeviceId);
        if (state.nDeviceId == 1)
            EXPECT_EQ(ShownImage(state.aImages[0]), oneEdited);
        else if (state.nDeviceId == 5)
            EXPECT_EQ(ShownImage(state.aImages[0]), fiveShown);
        else
            EXPECT_EQ(state, CProcessorState::Numbered(state.nDeviceId));
    }
}

TEST_F(SwitchTest, DiscardedEditsNeverReachEitherProcessor)
{
    StartLine();
    ConnectTo(2);
    // Marked, not yet built into a frame: the pump is between ticks.
    ASSERT_TRUE(m_link.Edit(EParam::kOutGain, {0, 0}, 111));
    ASSERT_TRUE(m_link.SwitchTo(3, EUnsent::kDiscard));
    ASSERT_TRUE(RunUntil([this] { return !m_link.IsSwitching(); }, 15000));
    EXPECT_EQ(m_link.Record().GetDeviceId(), 3);
    EXPECT_NE(m_link.Record().Output(0).GetGain(), 111);
    // Nothing reached any processor: none had anything to save.
    m_link.Connection().Disconnect();
    m_processor.Stop();
    EXPECT_FALSE(QFile::exists(m_strState));
}

TEST_F(SwitchTest, SwitchToASilentProcessorFailsWithItsReasonAndIsRefusedWhileBusy)
{
    StartLine({"--ids", "1-8", "--silence-id", "6"});
    ConnectTo(1);
    Signal(SIGUSR1);
    ASSERT_EQ(NextNotice(), "silent 6");
    EXPECT_FALSE(m_link.SwitchTo(0));
    EXPECT_FALSE(m_link.SwitchTo(251));
    QSignalSpy failed(&m_link, &CProcessorLink::switchFailed);
    ASSERT_TRUE(m_link.SwitchTo(6));
    EXPECT_FALSE(m_link.SwitchTo(2)) << "a second switch while the first runs";
    ASSERT_TRUE(RunUntil([&] { return failed.count() > 0; }, 12000));
    EXPECT_EQ(failed.at(0).at(0).toInt(), 6);
    EXPECT_EQ(failed.at(0).at(1).value<CConnection::EReason>(), CConnection::EReason::NoAnswer);
    EXPECT_FALSE(m_link.IsConnected());
    EXPECT_FALSE(m_link.IsSwitching());
}
