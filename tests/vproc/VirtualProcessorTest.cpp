#include "vproc/VirtualProcessor.h"

#include "model/Audio_Data.h"
#include "model/FactoryImage.h"
#include "wire/Frame.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
using Bytes = std::vector<uint8_t>;

struct Header
{
    int type, id, program, item, block, selector;
    size_t payload;
};

Header Describe(const Bytes& frame)
{
    return {frame[1], frame[2], frame[3], frame[4], frame[5], frame[6], frame.size() - Frame::kOverhead};
}

Bytes Payload(const Bytes& frame)
{
    return Bytes(frame.begin() + Frame::kOffPayload, frame.end() - 2);
}

Bytes Request(int type, int id, int program, int item, int block, int selector, const Bytes& payload)
{
    return Frame::Build({static_cast<uint8_t>(type), static_cast<uint8_t>(id), static_cast<uint8_t>(program),
                         static_cast<uint8_t>(item), static_cast<uint8_t>(block), static_cast<uint8_t>(selector)},
                        payload);
}

// The processor's answer to a frame the program record builds.
std::optional<Bytes> Ask(CVirtualProcessor& vp, const CSendData& entry)
{
    return vp.Answer(entry.GetFrame());
}

void ExpectAck(const std::optional<Bytes>& answer, const CSendData& request)
{
    ASSERT_TRUE(answer.has_value());
    const Bytes& rq = request.GetFrame();
    EXPECT_EQ(*answer, Frame::Build({0xA4, rq[2], rq[3], rq[4], rq[5], rq[6]}, Bytes(8, 0)));
}

class VirtualProcessorTest : public ::testing::Test
{
protected:
    VirtualProcessorTest() { m_record.SetDeviceId(1); }

    CVirtualProcessor m_vp;
    CAudio_Data m_record;
};
}

TEST_F(VirtualProcessorTest, ReadsAnswerWithTheRequestsHeaderAndTheDataAsked)
{
    struct Case
    {
        const char* name;
        CSendData request;
        size_t nPayload;
    };
    const std::vector<Case> cases = {
        {"device type", m_record.BuildDeviceTypeFrame(), 8},
        {"version", m_record.BuildVersionFrame(), 8},
        {"ID probe", m_record.BuildDeviceIdProbeFrame(1), 8},
        {"generator", m_record.BuildGeneratorFrame(true), 8},
        {"backlight", m_record.BuildBacklightFrame(false), 8},
        {"power-on", m_record.BuildPowerOnFrame(false), 8},
        {"levels", m_record.BuildPollFrame(), 12},
        {"name", m_record.BuildProgramNameFrame(30, 1), 12},
        {"lock set", m_record.BuildLockDataFrame(31, 1), 12},
        {"program lock bytes", m_record.BuildLockDataFrame(4, 3), 8},
        {"system information", m_record.BuildInfoReadFrame(), 255},
        {"input block", m_record.BuildBlockReadFrame(0, 4), 64},
        {"output block", m_record.BuildBlockReadFrame(0, 5), 152},
        {"program image", m_record.BuildProgramRequestFrame(30), 1472},
    };
    for (const Case& c : cases)
    {
        const auto answer = Ask(m_vp, c.request);
        ASSERT_TRUE(answer.has_value()) << c.name;
        EXPECT_TRUE(Frame::Verify(*answer)) << c.name;
        const Bytes& rq = c.request.GetFrame();
        EXPECT_EQ(Bytes(answer->begin() + 1, answer->begin() + 7), Bytes(rq.begin() + 1, rq.begin() + 7)) << c.name;
        EXPECT_EQ(Describe(*answer).payload, c.nPayload) << c.name;
    }

    EXPECT_EQ(Payload(*Ask(m_vp, m_record.BuildDeviceTypeFrame()))[0], 6);
    const Bytes version = Payload(*Ask(m_vp, m_record.BuildVersionFrame()));
    EXPECT_EQ(std::string(version.begin(), version.end()), "C-DV1.05");
    EXPECT_EQ(Payload(*Ask(m_vp, m_record.BuildProgramNameFrame(0, 1))), Bytes(12, 0));
    const Bytes image = Payload(*Ask(m_vp, m_record.BuildProgramRequestFrame(12)));
    EXPECT_TRUE(std::equal(image.begin(), image.end(), FactoryDefaultImage().begin()));
    EXPECT_EQ(Payload(*Ask(m_vp, m_record.BuildLockDataFrame(0, 1))),
              (Bytes{0, 0, 0, 0, 0, 0, ' ', ' ', ' ', ' ', ' ', ' '}));
}

TEST_F(VirtualProcessorTest, RequestsItCannotServeGoUnanswered)
{
    struct Case
    {
        const char* name;
        Bytes request;
    };
    const Bytes z8(8, 0), z12(12, 0);
    const std::vector<Case> cases = {
        {"another device's ID", m_record.BuildDeviceIdProbeFrame(2).GetFrame()},
        {"unknown type", Request(0xA0, 1, 0, 0, 0, 0, z8)},
        {"answer type", Request(0xA4, 1, 0, 0, 0, 0, z8)},
        {"block code 0", Request(0xA2, 1, 0, 1, 0, 0, z8)},
        {"block code 13", Request(0xA2, 1, 0, 1, 13, 0, z8)},
        {"program 31 block", Request(0xA2, 1, 31, 1, 1, 0, z8)},
        {"input sub-block 8", Request(0xA1, 1, 0, 1, 4, 8, z8)},
        {"output sub-block 19", Request(0xA1, 1, 0, 1, 5, 19, z8)},
        {"short sub-block", Request(0xA1, 1, 0, 1, 5, 1, Bytes(7, 0))},
        {"input block of output size", Request(0xA3, 1, 0, 1, 1, 0, Bytes(152, 0))},
        {"program name 31", Request(0xA7, 1, 31, 0, 1, 0, z12)},
        {"name neither read nor write", Request(0xA7, 1, 1, 0, 3, 0, z12)},
        {"device type write", Request(0xA8, 1, 0, 3, 0, 2, z8)},
        {"version write", Request(0xA8, 1, 0, 7, 0, 2, z8)},
        {"device item 5", Request(0xA8, 1, 0, 5, 0, 1, z8)},
        {"device ID 251", Request(0xA8, 1, 0, 2, 0, 2, Bytes{251, 0, 0, 0, 0, 0, 0, 0})},
        {"lock number 32", Request(0xA9, 32, 0, 1, 0, 0, z12)},
        {"lock item 5", Request(0xA9, 1, 0, 5, 0, 0, z12)},
        {"short information", Request(0xAD, 1, 0, 0, 1, 2, Bytes(254, ' '))},
        {"image block 2", Request(0xAE, 1, 3, 0, 2, 1, z8)},
        {"short image", Request(0xAE, 1, 3, 0, 1, 2, Bytes(1471, 0))},
    };
    for (const Case& c : cases)
        EXPECT_FALSE(m_vp.Answer(c.request).has_value()) << c.name;
    EXPECT_EQ(m_vp.GetState(), CProcessorState());
}

TEST_F(VirtualProcessorTest, ParameterChangesBuildTheRecordsImageInTheLiveProgram)
{
    // A new record sends every name, band and crossover; with the parameter
    // and limiter flags raised too, every sub-block of every channel goes.
    m_record.Input(1).SetGain(250);
    m_record.Input(3).GetBand(2).SetGainStep(430);
    m_record.Output(2).SetGain(200);
    m_record.Output(6).SetLimitThreshold(500);
    m_record.Output(7).SetName("SUB");
    for (int i = 0; i < 4; ++i)
        m_record.Input(i).SetParamChanged(true);
    for (int i = 0; i < 8; ++i)
    {
        m_record.Output(i).SetParamChanged(true);
        m_record.Output(i).SetLimitChanged(true);
    }
    int nFrames = 0;
    for (;; ++nFrames)
    {
        const CSendData entry = m_record.BuildNextPendingFrame();
        if (entry.GetFrame()[Frame::kOffType] == Frame::kLevels)
            break;
        ExpectAck(Ask(m_vp, entry), entry);
    }
    EXPECT_EQ(nFrames, 4 * 8 + 8 * 20);    // outputs: the crossover goes once per filter

    const auto& live = m_vp.GetState().aImages[0];
    for (int i = 0; i < 4; ++i)
    {
        const auto block = m_record.Input(i).BuildBlock();
        EXPECT_TRUE(std::equal(block.begin(), block.end(), live.begin() + CImageSlot::BlockOffset(i + 1)))
            << "input " << i;
    }
    for (int i = 0; i < 8; ++i)
    {
        const auto block = m_record.Output(i).BuildBlock();
        EXPECT_TRUE(std::equal(block.begin(), block.end(), live.begin() + CImageSlot::BlockOffset(i + 5)))
            << "output " << i;
    }
}

TEST_F(VirtualProcessorTest, StoredDataReadsBackAsWritten)
{
    // Block and whole-image writes into stored programs.
    m_record.Output(0).SetGain(123);
    const CSendData blockWrite = m_record.BuildOutputBlockFrame(3, 0);
    ExpectAck(Ask(m_vp, blockWrite), blockWrite);
    EXPECT_EQ(Payload(*Ask(m_vp, m_record.BuildBlockReadFrame(3, 5))), Payload(blockWrite.GetFrame()));

    const CSendData store = m_record.BuildProgramStoreFrame(7);
    ExpectAck(Ask(m_vp, store), store);
    EXPECT_EQ(Payload(*Ask(m_vp, m_record.BuildProgramRequestFrame(7))), Payload(store.GetFrame()));

    // Names, lock sets and a program's lock bytes.
    ExpectAck(Ask(m_vp, m_record.BuildProgramNameFrame(5, 2, "ABC")), m_record.BuildProgramNameFrame(5, 2, "ABC"));
    EXPECT_EQ(Payload(*Ask(m_vp, m_record.BuildProgramNameFrame(5, 1))),
              (Bytes{'A', 'B', 'C', 0, 0, 0, 0, 0, 0, 0, 0, 0}));
    const Bytes set = {0x11, 0x22, 0x33, 0x44, 0x55, 0x66, 'p', 'a', 's', 's', 'w', 'd'};
    Ask(m_vp, m_record.BuildLockDataFrame(31, 2, set));
    EXPECT_EQ(Payload(*Ask(m_vp, m_record.BuildLockDataFrame(31, 1))), set);
    Ask(m_vp, m_record.BuildLockDataFrame(9, 4, set));
    EXPECT_EQ(Payload(*Ask(m_vp, m_record.BuildLockDataFrame(9, 3))), Bytes(set.begin(), set.begin() + 8));

    // Device settings.
    m_record.SetBacklight(2);
    m_record.SetPowerOnMode(3);
    m_record.SetGenType(2);
    m_record.SetGenFreq(1000);
    m_record.SetInfoText(1, "Stage left");
    const CSendData writes[] = {m_record.BuildBacklightFrame(true), m_record.BuildPowerOnFrame(true),
                                m_record.BuildGeneratorFrame(false), m_record.BuildInfoWriteFrame()};
    for (const CSendData& w : writes)
        ExpectAck(Ask(m_vp, w), w);
    EXPECT_EQ(Payload(*Ask(m_vp, m_record.BuildBacklightFrame(false)))[0], 2);
    EXPECT_EQ(Payload(*Ask(m_vp, m_record.BuildPowerOnFrame(false)))[0], 3);
    EXPECT_EQ(Payload(*Ask(m_vp, m_record.BuildGeneratorFrame(true))), Payload(writes[2].GetFrame()));
    EXPECT_EQ(Payload(*Ask(m_vp, m_record.BuildInfoReadFrame())), Payload(writes[3].GetFrame()));
}

TEST_F(VirtualProcessorTest, DeviceIdChangeIsAcknowledgedUnderTheOldId)
{
    const CSendData change = m_record.BuildDeviceIdChangeFrame(7);
    EXPECT_EQ(change.GetFrame(), (Bytes{0x5A, 0xA8, 0x01, 0x00, 0x02, 0x00, 0x02, 0x08, 0x00, 0x07, 0, 0, 0, 0, 0, 0,
                                        0, 0xA6, 0xAA}));
    ExpectAck(Ask(m_vp, change), change);
    EXPECT_EQ(m_vp.GetState().nDeviceId, 7);
    EXPECT_FALSE(Ask(m_vp, m_record.BuildPollFrame()).has_value());
    m_record.SetDeviceId(7);
    const auto answer = Ask(m_vp, m_record.BuildDeviceIdProbeFrame(7));
    ASSERT_TRUE(answer.has_value());
    EXPECT_EQ(Payload(*answer)[0], 7);
}

TEST_F(VirtualProcessorTest, ReadingAStoredProgramsBlocksRecallsItIntoTheLiveProgram)
{
    m_record.Input(0).SetGain(111);
    Ask(m_vp, m_record.BuildInputBlockFrame(4, 0));
    const auto before = m_vp.GetChangeCount();
    const Bytes block = Payload(*Ask(m_vp, m_record.BuildBlockReadFrame(4, 1)));
    EXPECT_GT(m_vp.GetChangeCount(), before);
    EXPECT_EQ(Payload(*Ask(m_vp, m_record.BuildBlockReadFrame(0, 1))), block);
    // Program 4's other blocks have not been read: the live ones stay.
    EXPECT_EQ(m_vp.GetState().aImages[0][64], FactoryDefaultImage()[64]);
}

TEST_F(VirtualProcessorTest, LevelsMoveAndMutedChannelsStayDark)
{
    m_record.Output(1).SetOn(false);
    Ask(m_vp, m_record.BuildOutputParamFrame(1));
    std::vector<Bytes> readings;
    for (int n = 0; n < 30; ++n)
        readings.push_back(Payload(*Ask(m_vp, m_record.BuildPollFrame())));
    for (int i = 0; i < 12; ++i)
    {
        int nLow = 255, nHigh = 0;
        for (const Bytes& r : readings)
        {
            EXPECT_LE(r[i] & 0x0F, 11);
            if (i < 4)
            {
                EXPECT_EQ(r[i] & 0x10, 0) << "inputs have no indicator";
            }
            nLow = std::min<int>(nLow, r[i]);
            nHigh = std::max<int>(nHigh, r[i]);
        }
        if (i == 5)
        {
            EXPECT_EQ(nHigh, 0) << "muted output 2";
        }
        else
        {
            EXPECT_LT(nLow, nHigh) << "channel " << i;
        }
    }
}
