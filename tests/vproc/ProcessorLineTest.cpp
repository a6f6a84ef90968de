#include "vproc/ProcessorLine.h"

#include "model/Audio_Data.h"
#include "model/FactoryImage.h"
#include "wire/Frame.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace
{
using Bytes = std::vector<uint8_t>;

const auto kPoll = [](CAudio_Data& record) { return record.BuildPollFrame(); };

Bytes Payload(const Bytes& frame)
{
    return Bytes(frame.begin() + Frame::kOffPayload, frame.end() - 2);
}

// Processors 1 to 8 as `orvan-vproc --ids 1-8` puts them on the line.
class ProcessorLineTest : public ::testing::Test
{
protected:
    ProcessorLineTest()
    {
        for (int nId = 1; nId <= 8; ++nId)
            EXPECT_TRUE(m_line.Add(CVirtualProcessor(CProcessorState::Numbered(nId))));
        m_line.SetSilenceObserver([this](int nId, bool bSilent) { m_heard.emplace_back(nId, bSilent); });
    }

    // The line's answer to a request the record builds for processor nId.
    template <typename Build>
    std::optional<Bytes> Ask(int nId, Build build)
    {
        m_record.SetDeviceId(nId);
        return m_line.Answer(build(m_record).GetFrame());
    }

    std::vector<int> Search()
    {
        std::vector<int> found;
        for (int nId = Frame::kFirstDeviceId; nId <= Frame::kLastDeviceId; ++nId)
        {
            const auto answer = m_line.Answer(m_record.BuildDeviceIdProbeFrame(nId).GetFrame());
            if (answer)
            {
                EXPECT_EQ(Payload(*answer)[0], nId);
                found.push_back(nId);
            }
        }
        return found;
    }

    CProcessorLine m_line;
    CAudio_Data m_record;
    std::vector<std::pair<int, bool>> m_heard;
};
}

TEST_F(ProcessorLineTest, OnlyTheAddressedProcessorAnswersAndChanges)
{
    EXPECT_EQ(Search(), (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8}));
    EXPECT_FALSE(Ask(9, [](CAudio_Data& r) { return r.BuildDeviceTypeFrame(); }).has_value());
    EXPECT_FALSE(Ask(250, [](CAudio_Data& r) { return r.BuildVersionFrame(); }).has_value());

    // Each names itself in its first information text.
    for (int nId : {1, 5, 8})
    {
        const auto info = Ask(nId, [](CAudio_Data& r) { return r.BuildInfoReadFrame(); });
        ASSERT_TRUE(info.has_value()) << nId;
        EXPECT_EQ(Frame::Verify(*info) ? (*info)[Frame::kOffDeviceId] : 0, nId);
        std::string strName = "VIRTUAL DSP " + std::to_string(nId);
        strName.resize(15, ' ');
        EXPECT_EQ(Bytes(info->begin() + Frame::kOffPayload, info->begin() + Frame::kOffPayload + 15),
                  Bytes(strName.begin(), strName.end()));
    }

    m_record.SetDeviceId(5);
    m_record.Output(2).SetGain(250);
    const unsigned nChanges = m_line.GetChangeCount();
    ASSERT_TRUE(m_line.Answer(m_record.BuildOutputParamFrame(2).GetFrame()).has_value());
    EXPECT_GT(m_line.GetChangeCount(), nChanges);

    auto expected = FactoryDefaultImage();
    const auto block = m_record.Output(2).BuildBlock();
    const int nOffset = CImageSlot::BlockOffset(7) + CAudio_OutData::SubBlockOffset(1);
    std::copy_n(block.begin() + CAudio_OutData::SubBlockOffset(1), Frame::kSubBlockBytes, expected.begin() + nOffset);
    ASSERT_NE(expected, FactoryDefaultImage());
    for (int i = 0; i < m_line.Count(); ++i)
    {
        const CProcessorState& state = m_line.At(i).GetState();
        EXPECT_EQ(state.aImages[0], state.nDeviceId == 5 ? expected : FactoryDefaultImage()) << state.nDeviceId;
    }
}

TEST_F(ProcessorLineTest, DeviceIdChangeMovesAProcessorOnlyToAFreeId)
{
    // 5 to 6 would put two processors on 6: neither made nor answered.
    m_record.SetDeviceId(5);
    EXPECT_FALSE(m_line.Answer(m_record.BuildDeviceIdChangeFrame(6).GetFrame()).has_value());
    EXPECT_EQ(m_line.At(4).GetState().nDeviceId, 5);

    // 5 to 12 is free: acknowledged under 5, then 12 answers and 5 is gone.
    const auto ack = m_line.Answer(m_record.BuildDeviceIdChangeFrame(12).GetFrame());
    ASSERT_TRUE(ack.has_value());
    EXPECT_EQ((*ack)[Frame::kOffType], Frame::kAck);
    EXPECT_EQ((*ack)[Frame::kOffDeviceId], 5);
    EXPECT_EQ(Search(), (std::vector<int>{1, 2, 3, 4, 6, 7, 8, 12}));
    EXPECT_EQ(m_line.Find(12), &m_line.At(4));
    EXPECT_EQ(m_line.Find(5), nullptr);
    // Its own ID again changes nothing and is acknowledged.
    m_record.SetDeviceId(12);
    EXPECT_TRUE(m_line.Answer(m_record.BuildDeviceIdChangeFrame(12).GetFrame()).has_value());
    EXPECT_FALSE(m_line.Add(CVirtualProcessor(CProcessorState::Numbered(12))));
}

TEST_F(ProcessorLineTest, SilentProcessorNeitherAnswersNorChangesWhileTheOthersGoOn)
{
    ASSERT_TRUE(m_line.SetSilent(3, true));
    EXPECT_FALSE(m_line.SetSilent(9, true));
    EXPECT_TRUE(m_line.IsSilent(3));
    EXPECT_EQ(Search(), (std::vector<int>{1, 2, 4, 5, 6, 7, 8}));

    m_record.SetDeviceId(3);
    EXPECT_FALSE(m_line.Answer(m_record.BuildProgramNameFrame(4, Frame::kWrite, "LOST").GetFrame()).has_value());
    EXPECT_EQ(m_line.At(2).GetState(), CProcessorState::Numbered(3));

    ASSERT_TRUE(m_line.SetSilent(3, false));
    EXPECT_EQ(Search().size(), 8u);
    EXPECT_EQ(m_heard, (std::vector<std::pair<int, bool>>{{3, true}, {3, false}}));
}

TEST_F(ProcessorLineTest, SilenceAfterCountsTheProcessorsOwnAnswers)
{
    ASSERT_TRUE(m_line.SilenceAfter(4, 2));
    // Requests to others and to absent IDs do not count.
    for (int n = 0; n < 5; ++n)
    {
        EXPECT_TRUE(Ask(2, kPoll).has_value());
        EXPECT_FALSE(Ask(40, kPoll).has_value());
    }
    EXPECT_TRUE(Ask(4, kPoll).has_value());
    EXPECT_TRUE(m_heard.empty());
    EXPECT_TRUE(Ask(4, kPoll).has_value());
    EXPECT_EQ(m_heard, (std::vector<std::pair<int, bool>>{{4, true}}));
    EXPECT_FALSE(Ask(4, kPoll).has_value());
    EXPECT_TRUE(Ask(5, kPoll).has_value());
}

TEST_F(ProcessorLineTest, OnlyKeptProcessorsAreSaved)
{
    CProcessorState neighbour;
    neighbour.nDeviceId = 40;
    ASSERT_TRUE(m_line.Add(CVirtualProcessor(neighbour), false));
    const std::vector<CProcessorState> kept = m_line.KeptStates();
    ASSERT_EQ(kept.size(), 8u);
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(kept[static_cast<size_t>(i)], CProcessorState::Numbered(i + 1));
}
