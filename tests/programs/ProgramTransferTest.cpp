// The program transfers on a port without a line: which frames go out, in
// which order, with which mute states, and when a transfer counts as done.

#include "programs/ProgramTransfer.h"

#include "model/Audio_Data.h"
#include "link/Command.h"
#include "link/SessionState.h"
#include "tests/link/FakePort.h"
#include "model/FactoryImage.h"
#include "wire/Frame.h"
#include "model/LockState.h"
#include "programs/ProgramCodec.h"
#include "tests/programs/SamplePrograms.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace
{
using FakeLine::Answer;
using FakeLine::Bytes;
using FakeLine::Wire;

Bytes Payload(const Bytes& frame)
{
    return {frame.begin() + Frame::kOffPayload, frame.end() - 2};
}

// One frame in a line that shows what matters here: type, addressing, and
// for parameter and block frames the channel's on byte (0 muted, 1 on).
std::string Describe(const Bytes& frame)
{
    const int type = frame[Frame::kOffType];
    const int program = frame[Frame::kOffProgram];
    const int item = frame[Frame::kOffItem];
    const int block = frame[Frame::kOffBlock];
    const Bytes payload = Payload(frame);
    char text[64];
    switch (type)
    {
    case Frame::kParamChange:
        std::snprintf(text, sizeof text, "A1 ch%d i%d c%d on%d", block, item, frame[Frame::kOffSelector],
                      payload[0] - 1);
        return text;
    case Frame::kBlockWrite:
        std::snprintf(text, sizeof text, "A3 p%d b%d on%d", program, block, payload[8] - 1);
        return text;
    case Frame::kProgramName:
    {
        const auto end = std::find(payload.begin(), payload.end(), uint8_t{0});
        return "A7 p" + std::to_string(program) + " '" + std::string(payload.begin(), end) + "'";
    }
    case Frame::kLockData:
        std::snprintf(text, sizeof text, "A9 p%d i%d", program, item);
        return text;
    case Frame::kDeviceItem:
        std::snprintf(text, sizeof text, "A8 i%d s%d type%d", item, frame[Frame::kOffSelector], payload[0]);
        return text;
    case Frame::kProgramImage:
        std::snprintf(text, sizeof text, "AE p%d %s", program,
                      frame[Frame::kOffSelector] == Frame::kWrite ? "store" : "request");
        return text;
    default:
        std::snprintf(text, sizeof text, "%02X", type);
        return text;
    }
}

class ProgramTransferTest : public ::testing::Test
{
protected:
    ProgramTransferTest()
    {
        auto pPort = std::make_unique<CFakePort>();
        m_pPort = pPort.get();
        m_pCommand = std::make_unique<CCommand>(std::move(pPort));
        EXPECT_TRUE(m_pCommand->Open("ttyFAKE"));
        m_pCommand->AttachLockState(&m_locks);
        m_record.SetDeviceId(1);
        m_record.ClearAllChanged(false);
        m_pSession = std::make_unique<CSessionState>(*m_pCommand);
        m_pTransfer = std::make_unique<CProgramTransfer>(*m_pCommand, m_record, m_locks, *m_pSession);
        QObject::connect(m_pTransfer.get(), &CProgramTransfer::finished, [this] { ++m_nFinished; });
    }

    std::vector<std::string> QueuedFrames() const
    {
        std::vector<std::string> lines;
        for (int i = 0; i < m_pCommand->Count(); ++i)
            lines.push_back(Describe(m_pCommand->Queue().At(i).GetFrame()));
        return lines;
    }

    // Pumps and answers every frame as a processor would: writes with an
    // acknowledge, reads with what `read` makes of them. Stops once the
    // transfer has finished or nFrames have been answered.
    void PlayProcessor(int nFrames, const std::function<Bytes(const Bytes&)>& read = {})
    {
        for (int n = 0; n < nFrames && m_nFinished == 0; ++n)
        {
            m_pCommand->PumpTick(m_record);
            const Bytes head = m_pCommand->Head().GetFrame();
            const Bytes answer = read ? read(head) : Bytes{};
            Deliver(answer.empty() ? Answer(Frame::kAck, 0, 0, 0, Bytes(8, 0)) : answer);
        }
    }

    void Deliver(const Bytes& frame) { m_pPort->Deliver(Wire(frame)); }

    CFakePort* m_pPort = nullptr;
    std::unique_ptr<CCommand> m_pCommand;
    CAudio_Data m_record;
    CLockState m_locks;
    std::unique_ptr<CSessionState> m_pSession;
    std::unique_ptr<CProgramTransfer> m_pTransfer;
    int m_nFinished = 0;
};

std::vector<std::string> ChannelFrames(const char* pszFormat, const std::vector<int>& on, int program = 0)
{
    std::vector<std::string> lines;
    for (int code = 1; code <= 12; ++code)
    {
        char text[64];
        if (program < 0)
            std::snprintf(text, sizeof text, pszFormat, code, on[static_cast<size_t>(code - 1)]);
        else
            std::snprintf(text, sizeof text, pszFormat, program, code, on[static_cast<size_t>(code - 1)]);
        lines.push_back(text);
    }
    return lines;
}
}

// ---- push-live ------------------------------------------------------------------------

TEST_F(ProgramTransferTest, LiveProgramGoesOutMutedAndGetsItsMuteStatesBackAfterTheLastBlock)
{
    struct Case
    {
        const char* pszName;
        bool bGeneratorRunning;
        bool bFileLocksOutputMute;
    };
    for (const Case& c : {Case{"plain", false, false}, Case{"generator running", true, false},
                          Case{"file locks output mute", false, true}})
    {
        SCOPED_TRACE(c.pszName);
        m_pCommand->Clear();
        // The live program as read when connecting: input B and output 3
        // muted, outputs 1 and 2 linked, system lock "Save data" and a
        // password, perhaps the generator running.
        for (int i = 0; i < 4; ++i)
            m_record.Input(i).SetOn(i != 1);
        for (int i = 0; i < 8; ++i)
            m_record.Output(i).SetOn(i != 2);
        m_record.Outputs().SetLinkGroup(1, 0);
        m_record.SetGenType(c.bGeneratorRunning ? 2 : 0);
        m_record.ClearAllChanged(false);
        m_locks = CLockState();
        m_locks.SetFlag(CLockState::kSysSave, true);
        m_locks.SetPassword("abc123");

        // The file: input A and output 2 muted, function locks of its own.
        auto pFile = std::make_unique<CAudio_Data>();
        CLockState fileLocks;
        SamplePrograms::FillProgram(*pFile, fileLocks);
        fileLocks.SetFlag(CLockState::kOutMute, c.bFileLocksOutputMute);
        const Bytes body = ProgramCodec::EncodeProgram(*pFile, fileLocks);

        ASSERT_TRUE(m_pTransfer->RecallProgramFromPC(body));

        std::vector<std::string> expected;
        if (c.bGeneratorRunning)
            expected.push_back("A8 i4 s2 type0");
        for (const char* line : {"A9 p0 i2", "A7 p0 'Mix %s 100%'", "A9 p0 i2", "A9 p31 i2"})
            expected.push_back(line);
        const std::vector<int> muted(12, 0);
        const auto mute = ChannelFrames("A1 ch%d i1 c1 on%d", muted, -1);
        const auto blocks = ChannelFrames("A3 p%d b%d on%d", muted);
        // Without the lock the file's own mute states come back, with it the
        // processor keeps its own.
        const std::vector<int> restored = c.bFileLocksOutputMute
            ? std::vector<int>{1, 0, 1, 1, 1, 1, 0, 1, 1, 1, 1, 1}
            : std::vector<int>{0, 1, 1, 1, 1, 0, 1, 1, 1, 1, 1, 1};
        const auto unmute = ChannelFrames("A1 ch%d i1 c1 on%d", restored, -1);
        expected.insert(expected.end(), mute.begin(), mute.end());
        expected.insert(expected.end(), blocks.begin(), blocks.end());
        expected.insert(expected.end(), unmute.begin(), unmute.end());
        EXPECT_EQ(QueuedFrames(), expected);

        // Every lock set sent carries the file's function locks and the
        // processor's own system locks and password.
        const auto fileSet = fileLocks.EncodeLockSet();
        CLockState liveLocks;
        liveLocks.SetFlag(CLockState::kSysSave, true);
        liveLocks.SetPassword("abc123");
        Bytes expectedSet(fileSet.begin(), fileSet.begin() + 4);
        const auto liveSet = liveLocks.EncodeLockSet();
        expectedSet.insert(expectedSet.end(), liveSet.begin() + 4, liveSet.end());
        int nBlock = 0;
        for (int i = 0; i < m_pCommand->Count(); ++i)
        {
            const CSendData& entry = m_pCommand->Queue().At(i);
            if (entry.GetFrame()[Frame::kOffType] == Frame::kLockData)
            {
                EXPECT_EQ(Payload(entry.GetFrame()), expectedSet);
            }
            if (entry.GetFrame()[Frame::kOffType] == Frame::kBlockWrite)
            {
                ++nBlock;
                EXPECT_EQ(entry.m_nProgressPos, nBlock);
                EXPECT_EQ(entry.m_bLastOfTransfer, nBlock == 12 ? 1 : 0);
            }
        }
        EXPECT_EQ(m_record.GetGenType(), 0);
    }
}

TEST_F(ProgramTransferTest, TransferFinishesWhenItsLastFrameIsAnsweredAndLeavesNothingPending)
{
    auto pFile = std::make_unique<CAudio_Data>();
    CLockState fileLocks;
    SamplePrograms::FillProgram(*pFile, fileLocks);
    ASSERT_TRUE(m_pTransfer->RecallProgramFromPC(ProgramCodec::EncodeProgram(*pFile, fileLocks)));
    const int nFrames = m_pCommand->Count();

    PlayProcessor(nFrames - 1);
    EXPECT_EQ(m_nFinished, 0);
    EXPECT_EQ(m_pCommand->Count(), 1);
    PlayProcessor(1);
    EXPECT_EQ(m_nFinished, 1);
    EXPECT_FALSE(m_pTransfer->IsRunning());

    // The mute changes went out with the transfer; the pump only polls.
    m_pCommand->PumpTick(m_record);
    EXPECT_EQ(Describe(m_pCommand->Head().GetFrame()), "A6");
}

TEST_F(ProgramTransferTest, DamagedProgramSendsNothingAndChangesNothing)
{
    m_record.SetName("LIVE");
    const Bytes body(100, 0x33);
    EXPECT_FALSE(m_pTransfer->RecallProgramFromPC(body));
    EXPECT_EQ(m_pCommand->Count(), 0);
    EXPECT_EQ(m_record.GetName(), "LIVE");
    EXPECT_FALSE(m_pTransfer->IsRunning());
}

// ---- stored programs ----------------------------------------------------------------------

TEST_F(ProgramTransferTest, StoredProgramsAreReadWrittenAndEmptiedWithTheirNamesAndLocks)
{
    for (int nSlot : {0, 31})
    {
        EXPECT_FALSE(m_pTransfer->RecallFromDevice(nSlot));
        EXPECT_FALSE(m_pTransfer->StoreToDevice(nSlot));
        EXPECT_FALSE(m_pTransfer->DeleteOnDevice(nSlot));
    }
    EXPECT_EQ(m_pCommand->Count(), 0);

    ASSERT_TRUE(m_pTransfer->RecallFromDevice(5));
    std::vector<std::string> expected{"A9 p5 i1"};
    for (int block = 1; block <= 12; ++block)
        expected.push_back("A2");
    EXPECT_EQ(QueuedFrames(), expected);
    for (int i = 1; i <= 12; ++i)
    {
        const CSendData& entry = m_pCommand->Queue().At(i);
        EXPECT_EQ(entry.GetFrame()[Frame::kOffProgram], 5);
        EXPECT_EQ(entry.GetFrame()[Frame::kOffBlock], i);
        EXPECT_EQ(entry.m_nProgressPos, i);
        EXPECT_EQ(entry.m_bLastOfTransfer, i == 12 ? 1 : 0);
    }
    PlayProcessor(13);
    EXPECT_EQ(m_nFinished, 1);

    // A store takes the record as it stands and leaves the editor's pending
    // edit for the live program.
    m_pCommand->Clear();
    m_nFinished = 0;
    m_record.SetName("Show");
    m_record.Output(2).SetGain(250);
    ASSERT_TRUE(m_pTransfer->StoreToDevice(12));
    expected = {"A7 p12 'Show'", "A9 p12 i2"};
    const std::vector<int> on(12, 1);
    const std::vector<std::string> blocks = ChannelFrames("A3 p%d b%d on%d", on, 12);
    expected.insert(expected.end(), blocks.begin(), blocks.end());
    EXPECT_EQ(QueuedFrames(), expected);
    EXPECT_EQ(m_pSession->ProgramName(12), "Show");
    PlayProcessor(20);
    EXPECT_EQ(m_nFinished, 1);
    m_pCommand->PumpTick(m_record);
    EXPECT_EQ(Describe(m_pCommand->Head().GetFrame()).substr(0, 6), "A1 ch7");

    m_pCommand->Clear();
    ASSERT_TRUE(m_pTransfer->DeleteOnDevice(12));
    EXPECT_EQ(QueuedFrames(), std::vector<std::string>({"A7 p12 ''", "A9 p12 i2", "AE p12 store"}));
    EXPECT_EQ(Payload(m_pCommand->Queue().At(1).GetFrame()), Bytes(12, 0));
    const auto factory = FactoryDefaultImage();
    EXPECT_EQ(Payload(m_pCommand->Queue().At(2).GetFrame()), Bytes(factory.begin(), factory.end()));
    EXPECT_EQ(m_pCommand->Queue().At(2).m_bLastOfTransfer, 1);
    EXPECT_EQ(m_pSession->ProgramName(12), "");
}

// ---- backup and restore -------------------------------------------------------------------

TEST_F(ProgramTransferTest, BackupReadsLockBytesThenImageOfEachProgramIntoTheBank)
{
    // Names as the connection read them.
    for (int n = 1; n <= 30; ++n)
    {
        Bytes name(12, 0);
        name[0] = 'N';
        name[1] = static_cast<uint8_t>('0' + n % 10);
        Deliver(Answer(Frame::kProgramName, n, 0, 1, name));
    }
    m_pTransfer->StoreAllToPC();

    std::vector<std::string> expected;
    for (int n = 1; n <= 30; ++n)
    {
        expected.push_back("A9 p" + std::to_string(n) + " i3");
        expected.push_back("AE p" + std::to_string(n) + " request");
    }
    EXPECT_EQ(QueuedFrames(), expected);
    EXPECT_EQ(m_pCommand->Queue().At(59).m_bLastOfTransfer, 1);
    EXPECT_EQ(m_pCommand->Queue().At(59).m_nProgressPos, 59);

    const auto image = [](int n)
    {
        Bytes b(1472);
        for (size_t k = 0; k < b.size(); ++k)
            b[k] = static_cast<uint8_t>(n * 3 + k);
        return b;
    };
    PlayProcessor(200, [&](const Bytes& head) -> Bytes
    {
        const int n = head[Frame::kOffProgram];
        if (head[Frame::kOffType] == Frame::kLockData)
            return Answer(Frame::kLockData, n, 3, 0, Bytes{uint8_t(n), 0x11, 0x22, 0x33, 0x44, 0x55, 0x66, 0x77});
        if (head[Frame::kOffType] == Frame::kProgramImage)
            return Answer(Frame::kProgramImage, n, 0, 1, image(n));
        return {};
    });
    ASSERT_EQ(m_nFinished, 1);
    for (int n = 1; n <= 30; ++n)
    {
        const CImageSlot& slot = m_pTransfer->GetBank().GetAt(n - 1);
        EXPECT_EQ(Bytes(slot.abyImage.begin(), slot.abyImage.end()), image(n)) << n;
        EXPECT_EQ(slot.strName, std::string("N") + char('0' + n % 10));
        const std::array<uint8_t, 12> info{uint8_t(n), 0x11, 0x22, 0x33, 0x44, 0x55, 0x66, 0x77, 0, 0, 0, 0};
        EXPECT_EQ(slot.abyInfo, info);
    }
}

TEST_F(ProgramTransferTest, RestoreSendsNameLockBytesAndImageOfEachProgramAddressedLikeTheLiveOne)
{
    m_record.SetDeviceId(7);
    const CImageSlot liveBefore = m_record.GetImage();
    auto pBank = std::make_unique<CProgramBank>();
    SamplePrograms::FillBank(*pBank);
    m_pTransfer->RecallAllFromPC(*pBank);

    ASSERT_EQ(m_pCommand->Count(), 90);
    for (int n = 1; n <= 30; ++n)
    {
        SCOPED_TRACE(n);
        const CImageSlot& slot = pBank->GetAt(n - 1);
        const auto at = [&](int k) { return m_pCommand->Queue().At(3 * (n - 1) + k); };
        const Bytes name = Payload(at(0).GetFrame());
        const size_t nName = std::min<size_t>(slot.strName.size(), 12);
        EXPECT_EQ(std::string(name.begin(), name.begin() + static_cast<long>(nName)), slot.strName.substr(0, 12));
        EXPECT_EQ(Describe(at(1).GetFrame()), "A9 p" + std::to_string(n) + " i4");
        EXPECT_EQ(Payload(at(1).GetFrame()), Bytes(slot.abyInfo.begin(), slot.abyInfo.end()));
        EXPECT_EQ(Describe(at(2).GetFrame()), "AE p" + std::to_string(n) + " store");
        EXPECT_EQ(Payload(at(2).GetFrame()), Bytes(slot.abyImage.begin(), slot.abyImage.end()));
        for (int k = 0; k < 3; ++k)
        {
            EXPECT_EQ(at(k).GetFrame()[Frame::kOffDeviceId], 7);
            EXPECT_EQ(at(k).m_nProgressPos, 3 * (n - 1) + k);
            EXPECT_EQ(at(k).m_bLastOfTransfer, n == 30 && k == 2 ? 1 : 0);
        }
    }
    EXPECT_EQ(m_record.GetImage(), liveBefore);

    PlayProcessor(200);
    EXPECT_EQ(m_nFinished, 1);
}
