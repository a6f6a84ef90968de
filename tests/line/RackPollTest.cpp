// The rack's round-robin poll beside the edited processor, against eight
// virtual processors on one line.

#include "tests/line/LineFixture.h"

#include "line/RackModel.h"
#include "line/RackPoll.h"
#include "model/ParamCatalogue.h"

#include <QElapsedTimer>

namespace
{
class RackPollTest : public LineFixture
{
protected:
    // Processor 2 has output 4 muted, 3 a live program named "Foyer", 4 is
    // a 3 x 6 model.
    void StartPreparedLine()
    {
        std::vector<CProcessorState> line;
        for (int nId = 1; nId <= 8; ++nId)
            line.push_back(CProcessorState::Numbered(nId));
        const int nOnByte = CImageSlot::BlockOffset(Frame::kFirstOutputCode + 3) + CAudio_OutData::kParamOffset;
        line[1].aImages[0][static_cast<size_t>(nOnByte)] = 1;  // on + 1: off
        line[2].aNames[0] = CProcessorState::MakeName("Foyer");
        line[3].nDeviceType = 4;
        std::string strError;
        ASSERT_TRUE(CStateFile::SaveLine(m_strState.toStdString(), line, strError)) << strError;
        StartLine({});
    }

    bool AllKnown() const
    {
        for (const int nId : m_model.Ids())
        {
            const CRackModel::Row* pRow = m_model.Find(nId);
            if (!pRow->bOnline || !pRow->bMutesKnown || pRow->strFirmware.isEmpty())
                return false;
        }
        return true;
    }

    CRackModel m_model;
    CRackPoll m_poll{m_link, m_model};
};
}

TEST_F(RackPollTest, RowsShowEveryProcessorOfTheLineWithoutTouchingTheEditedOne)
{
    StartPreparedLine();
    ConnectTo(1);
    m_model.SetIds({8, 7, 6, 5, 4, 3, 2, 1});
    m_model.SetLabel(3, "Foyer left");
    m_poll.Start();
    ASSERT_TRUE(RunUntil([this] { return AllKnown(); }, 30000));

    EXPECT_EQ(m_model.Ids(), (QList<int>{1, 2, 3, 4, 5, 6, 7, 8}));
    for (const int nId : m_model.Ids())
    {
        SCOPED_TRACE(nId);
        const CRackModel::Row& row = *m_model.Find(nId);
        EXPECT_EQ(row.bEdited, nId == 1);
        EXPECT_EQ(row.strFirmware, "C-DV1.05");
        EXPECT_EQ(row.nInputs, nId == 4 ? 3 : 4);
        EXPECT_EQ(row.nOutputs, nId == 4 ? 6 : 8);
        EXPECT_EQ(row.strProgramName, nId == 3 ? "Foyer" : "");
        for (int i = 0; i < CRackModel::kOutputs; ++i)
            EXPECT_EQ(row.abMuted.at(static_cast<size_t>(i)), nId == 2 && i == 3) << "output " << i + 1;
    }
    EXPECT_EQ(m_model.Find(3)->strLabel, "Foyer left");
    EXPECT_EQ(m_model.data(m_model.index(1, CRackModel::kColumnFirstMute + 3), Qt::CheckStateRole), Qt::Checked);
    EXPECT_EQ(m_model.data(m_model.index(3, CRackModel::kColumnModel)).toString(), "3 x 6");
    // An output a 3 x 6 model lacks has no toggle.
    EXPECT_FALSE(m_model.data(m_model.index(3, CRackModel::kColumnFirstMute + 6), Qt::CheckStateRole).isValid());

    // Nothing of the answers reached the editor.
    EXPECT_EQ(m_link.Record().GetDeviceId(), 1);
    EXPECT_EQ(m_link.Session().ProgramName(0), "");
    EXPECT_EQ(m_link.Connection().GetChannelCounts(), (CConnection::ChannelCounts{4, 8}));
    EXPECT_FALSE(m_link.HasUnsentEdits());
}

TEST_F(RackPollTest, SilentProcessorGoesOfflineAndTheEditorStaysConnected)
{
    StartLine({"--ids", "1-8", "--silence-id", "6"});
    ConnectTo(2);
    m_model.SetIds({1, 2, 3, 4, 5, 6, 7, 8});
    m_poll.Start();
    ASSERT_TRUE(RunUntil([this] { return AllKnown(); }, 30000));
    Signal(SIGUSR1);
    ASSERT_EQ(NextNotice(), "silent 6");
    ASSERT_TRUE(RunUntil([this] { return !m_model.Find(6)->bOnline; }, 30000));
    EXPECT_TRUE(m_link.IsConnected());
    for (const int nId : {1, 3, 4, 5, 7, 8})
        EXPECT_TRUE(m_model.Find(nId)->bOnline) << nId;
    Signal(SIGUSR2);
    ASSERT_EQ(NextNotice(), "answering 6");
    ASSERT_TRUE(RunUntil([this] { return m_model.Find(6)->bOnline; }, 30000));
    m_link.Connection().Disconnect();
    EXPECT_FALSE(m_model.Find(2)->bEdited);
}

TEST_F(RackPollTest, WhileTheUserEditsThePollTakesAtMostOneFrameInTenAndReadsNoBlocks)
{
    StartLine();
    ConnectTo(1);
    m_model.SetIds({1, 2, 3, 4, 5, 6, 7, 8});
    m_poll.Start();
    int nBlockReads = 0;
    QObject::connect(&m_link.Command(), &CCommand::asideAnswered, [&](const std::vector<uint8_t>& request, auto&, auto&) {
        nBlockReads += request.at(Frame::kOffType) == Frame::kBlockRead;
    });

    const qint64 nSentBefore = m_link.Command().FramesSent();
    const qint64 nOfferedBefore = m_poll.FramesOffered();
    QElapsedTimer clock;
    clock.start();
    int nStep = 0;
    while (clock.elapsed() < 3000)
    {
        ASSERT_TRUE(m_link.Edit(EParam::kOutGain, {0, 0}, 200 + nStep % 50));
        ++nStep;
        RunUntil([] { return false; }, 40);
    }
    const qint64 nSent = m_link.Command().FramesSent() - nSentBefore;
    const qint64 nOffered = m_poll.FramesOffered() - nOfferedBefore;
    EXPECT_GT(nOffered, 0);
    EXPECT_LE(nOffered * CRackPoll::kShareWhileEditing, nSent + CRackPoll::kShareWhileEditing);
    EXPECT_EQ(nBlockReads, 0);
    WaitUntilSent();
    // The last edit reached processor 1.
    for (const CProcessorState& state : StopAndReadLine())
        if (state.nDeviceId == 1)
        {
            CAudio_Data read;
            CImageSlot slot;
            slot.abyImage = state.aImages[0];
            read.LoadFromImage(slot);
            EXPECT_EQ(read.Output(0).GetGain(), 200 + (nStep - 1) % 50);
        }
}
