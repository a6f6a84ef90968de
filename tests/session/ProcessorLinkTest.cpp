// The processor link on a port without a line: what it tells the panels
// when the connection reads, loses or reloads the program, and the bursts
// it sends for the editors, byte for byte.

#include "session/ProcessorLink.h"

#include "tests/link/FakeProcessor.h"
#include "wire/Frame.h"
#include "programs/ProgramCodec.h"
#include "tests/programs/SamplePrograms.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace
{
using Bytes = std::vector<uint8_t>;
using FakeLine::Answer;
using FakeLine::DeviceItem;
using FakeLine::Wire;

constexpr int kBulk = 0x10;

class ProcessorLinkTest : public ::testing::Test
{
protected:
    ProcessorLinkTest()
    {
        auto pPort = std::make_unique<CFakePort>();
        m_pPort = pPort.get();
        m_pLink = std::make_unique<CProcessorLink>(std::move(pPort));
        CRecordNotice& notice = m_pLink->Notice();
        QObject::connect(&notice, &CRecordNotice::programLoaded, [this] { ++m_nLoads; });
        QObject::connect(&notice, &CRecordNotice::locksChanged, [this] { ++m_nLocks; });
        QObject::connect(&notice, &CRecordNotice::valueChanged, [this] { ++m_nValues; });
    }

    CProcessorLink& Link() { return *m_pLink; }
    CAudio_Data& Record() { return m_pLink->Record(); }
    void Deliver(const Bytes& frame) { m_pPort->Deliver(Wire(frame)); }

    // Connects as ID 1 to a type-6 processor and answers its state read.
    void ConnectAndRead()
    {
        ASSERT_TRUE(Link().Connection().Connect("ttyFAKE", 1));
        Deliver(DeviceItem(3, {6}));
        FakeLine::AnswerStateRead(*m_pPort, Link().Command(), [this] { Link().Connection().PumpTick(); },
                                  m_lockSets);
        ASSERT_EQ(Link().Connection().GetState(), CConnection::EState::Idle);
    }

    // Connected as ID 1 with nothing waiting, so a burst is all the queue holds.
    void ConnectQuietly()
    {
        ASSERT_TRUE(Link().Connection().Connect("ttyFAKE", 1));
        Link().Command().Clear();
    }

    std::vector<Bytes> Queued() const { return FakeLine::QueuedFrames(m_pLink->Command()); }

    void ResetCounts() { m_nLoads = m_nLocks = m_nValues = 0; }

    CFakePort* m_pPort = nullptr;
    std::unique_ptr<CProcessorLink> m_pLink;
    int m_nLoads = 0;
    int m_nLocks = 0;
    int m_nValues = 0;
    // Live set: input EQ locked, system lock "Device ID", password ABCDEF;
    // fixed locks: none.
    std::vector<Bytes> m_lockSets = {{0x08, 0, 0, 0, 0x10, 0, 'A', 'B', 'C', 'D', 'E', 'F'}, Bytes(12, 0)};
};
}

// ---- notices -------------------------------------------------------------------

TEST_F(ProcessorLinkTest, StateReadIsHeardOnceAsLocksAndProgramAndDisconnectOnceMore)
{
    ConnectAndRead();
    // The two lock sets of the read are heard with the program, not apart.
    EXPECT_EQ(m_nLoads, 1);
    EXPECT_EQ(m_nLocks, 1);
    EXPECT_TRUE(Link().Locks().IsLocked(CLockState::kInEq));
    EXPECT_EQ(Link().Locks().GetPassword(), "ABCDEF");

    ResetCounts();
    Link().Connection().Disconnect();
    EXPECT_EQ(m_nLoads, 1);
    EXPECT_EQ(m_nLocks, 1);
    EXPECT_FALSE(Link().Locks().IsLocked(CLockState::kInEq));
    EXPECT_EQ(m_nValues, 0);
}

TEST_F(ProcessorLinkTest, LockSetArrivingAfterTheReadIsHeardAtOnce)
{
    ConnectAndRead();
    ResetCounts();
    // A recalled program's lock set.
    Link().Command().Clear();
    Link().Command().Enqueue(Record().BuildLockDataFrame(3, 1));
    Deliver(Answer(0xA9, 3, 1, 0, {0x80, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(m_nLocks, 1);
    EXPECT_EQ(m_nLoads, 0);
    EXPECT_TRUE(Link().Locks().IsLocked(CLockState::kInLink));
}

// One copy of the program names, the program number and the port, fed by
// the engine's name answers and by the program operations; a change is
// told once, a write of what is held not at all.
TEST_F(ProcessorLinkTest, SessionStateHoldsTheNamesTheNumberAndThePort)
{
    int nChanges = 0;
    QObject::connect(&Link(), &CProcessorLink::sessionChanged, [&nChanges] { ++nChanges; });
    ASSERT_TRUE(Link().Connect("ttyFAKE", 1));
    EXPECT_EQ(Link().Session().PortName(), "ttyFAKE");
    EXPECT_EQ(nChanges, 1);
    Deliver(DeviceItem(3, {6}));
    FakeLine::AnswerStateRead(*m_pPort, Link().Command(), [this] { Link().Connection().PumpTick(); }, m_lockSets);
    ASSERT_EQ(Link().Connection().GetState(), CConnection::EState::Idle);
    for (int n = 0; n < CSessionState::kProgramCount; ++n)
        EXPECT_EQ(Link().Session().ProgramName(n), std::string({'P', static_cast<char>('A' + n)})) << n;
    EXPECT_EQ(nChanges, 1 + CSessionState::kProgramCount);

    nChanges = 0;
    Link().Session().SetProgramName(4, "PE");
    Link().Session().SetProgramNumber(0);
    EXPECT_EQ(nChanges, 0);
    Link().Session().SetProgramNumber(7);
    EXPECT_EQ(nChanges, 1);

    // The connection gone, the number is 0 again; names and port stay.
    Link().Connection().Disconnect();
    EXPECT_EQ(Link().Session().ProgramNumber(), 0);
    EXPECT_EQ(nChanges, 2);
    EXPECT_EQ(Link().Session().ProgramName(30), "P_");
    EXPECT_EQ(Link().Session().PortName(), "ttyFAKE");

    // A port that will not open is still the one offered next time.
    EXPECT_FALSE(Link().Connect("NULL", 1));
    EXPECT_EQ(Link().Session().PortName(), "NULL");
}

TEST_F(ProcessorLinkTest, RefusedVersionIsKeptAfterTheDisconnectClearsTheEngines)
{
    ASSERT_TRUE(Link().Connection().Connect("ttyFAKE", 1));
    Deliver(DeviceItem(3, {6}));
    Link().Connection().PumpTick();
    Deliver(DeviceItem(7, {'C', '-', 'D', 'V', '2', '.', '0', '0'}));
    EXPECT_FALSE(Link().IsConnected());
    EXPECT_EQ(Link().Command().GetVersionText(), "");
    EXPECT_EQ(Link().RefusedVersionText(), "C-DV2.00");
}

TEST_F(ProcessorLinkTest, ProgramFileLoadIsHeardOnceAndADamagedOneNotAtAll)
{
    CAudio_Data file;
    CLockState fileLocks;
    SamplePrograms::FillProgram(file, fileLocks);
    const Bytes body = ProgramCodec::EncodeProgram(file, fileLocks);
    ConnectAndRead();
    ResetCounts();

    EXPECT_FALSE(Link().RecallProgramFromPC(Bytes(body.begin(), body.begin() + 40)));
    EXPECT_EQ(m_nLoads + m_nLocks, 0);

    EXPECT_TRUE(Link().RecallProgramFromPC(body));
    EXPECT_EQ(m_nLoads, 1);
    EXPECT_EQ(m_nLocks, 1);
    EXPECT_EQ(Record().GetName(), file.GetName());
}

TEST_F(ProcessorLinkTest, DestroyingTheLinkWhileConnectedClosesThePortQuietly)
{
    ConnectAndRead();
    ResetCounts();
    m_pLink.reset();
    EXPECT_EQ(m_nLoads + m_nLocks, 0);
}

// ---- lock sets -----------------------------------------------------------------

TEST_F(ProcessorLinkTest, LockWindowOkSendsTheLiveLockSetAndIsHeardOnce)
{
    ConnectQuietly();
    CLockState& locks = Link().Locks();
    for (int flag : {CLockState::kInEq, CLockState::kOutMute, CLockState::kOutLink, CLockState::kSysDeviceId,
                     CLockState::kSysSoundTest})
        locks.SetFlag(flag, true);
    locks.SetPassword("Ab3dE9");
    Record().Outputs().SetLinkGroup(1, 0);
    ASSERT_TRUE(Record().Output(0).IsLinked());

    Link().ApplyLocksEverywhere(true);

    const Bytes expected = {0x5A, 0xA9, 0x01, 0x00, 0x02, 0x00, 0x00, 0x0C, 0x00, 0x08, 0x00, 0x10, 0x02,
                            0x10, 0x02, 'A',  'b',  '3',  'd',  'E',  '9',  0xA6, 0xAA};
    EXPECT_EQ(Queued(), std::vector<Bytes>{expected});
    EXPECT_EQ(m_nLocks, 1);
    // The output link lock put every output in a group of its own.
    EXPECT_FALSE(Record().Output(0).IsLinked());
    EXPECT_EQ(Record().Outputs().GetLinkGroup(1), 1);
}

TEST_F(ProcessorLinkTest, LockSetIsNotSentWhileDisconnectedButTheChangeIsStillHeard)
{
    Link().Locks().SetFlag(CLockState::kOutGain, true);
    EXPECT_FALSE(Link().SendLockSet());
    Link().ApplyLocksEverywhere(true);
    EXPECT_TRUE(Queued().empty());
    EXPECT_EQ(m_nLocks, 1);
}

// ---- EQ bursts -------------------------------------------------------------------

TEST_F(ProcessorLinkTest, EqResendMutesSendsEveryBandInBulkFormAndRestoresTheMute)
{
    struct Case
    {
        const char* szName;
        bool bInput;
        int nIndex;
        int nBands;
        uint8_t byChannel;
    };
    const Case cases[] = {{"input B", true, 1, 6, 2}, {"output 1", false, 0, 15, 5}, {"output 8", false, 7, 15, 12}};
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.szName);
        ConnectQuietly();
        CAudio_Channel& channel = c.bInput ? static_cast<CAudio_Channel&>(Record().Input(c.nIndex))
                                           : static_cast<CAudio_Channel&>(Record().Output(c.nIndex));
        channel.GetBand(0).SetChanged(true);
        ASSERT_TRUE(c.bInput ? Link().ResendInputEqMuted(c.nIndex) : Link().ResendOutputEqMuted(c.nIndex));

        const std::vector<Bytes> frames = Queued();
        ASSERT_EQ(frames.size(), static_cast<size_t>(c.nBands + 2));
        for (size_t n = 0; n < frames.size(); ++n)
        {
            const Bytes& f = frames[n];
            const bool bParam = n == 0 || n + 1 == frames.size();
            EXPECT_TRUE(Frame::Verify(f)) << n;
            EXPECT_EQ(f[Frame::kOffType], 0xA1) << n;
            EXPECT_EQ(f[Frame::kOffItem], bParam ? 1 : kBulk) << n;
            EXPECT_EQ(f[Frame::kOffBlock], c.byChannel) << n;
            EXPECT_EQ(f[Frame::kOffSelector], bParam ? 1 : static_cast<int>(n) + 1) << n;
        }
        // On + 1: muted first, on again last.
        EXPECT_EQ(frames.front()[Frame::kOffPayload], 1);
        EXPECT_EQ(frames.back()[Frame::kOffPayload], 2);

        EXPECT_EQ(channel.IsOn(), 1);
        EXPECT_EQ(channel.IsParamChanged(), 0);
        EXPECT_EQ(channel.IsLinked(), 0);
        for (int k = 0; k < c.nBands; ++k)
            EXPECT_EQ(channel.GetBand(k).IsChanged(), 0) << k;
        Link().Connection().Disconnect();
    }
}

TEST_F(ProcessorLinkTest, OutputParameterFramesOfTheResendAreByteExact)
{
    ConnectQuietly();
    ASSERT_TRUE(Link().ResendOutputEqMuted(0));
    const std::vector<Bytes> frames = Queued();
    // Muted, then on: on + 1, polarity + 1, delay word + 1, gain word 601,
    // routing input A, parametric EQ.
    EXPECT_EQ(frames.front(), (Bytes{0x5A, 0xA1, 0x01, 0x00, 0x01, 0x05, 0x01, 0x08, 0x00, 0x01, 0x01, 0x01, 0x00,
                                     0x59, 0x02, 0x01, 0x01, 0xF7, 0xAA}));
    EXPECT_EQ(frames.back(), (Bytes{0x5A, 0xA1, 0x01, 0x00, 0x01, 0x05, 0x01, 0x08, 0x00, 0x02, 0x01, 0x01, 0x00,
                                    0x59, 0x02, 0x01, 0x01, 0xF4, 0xAA}));
}

TEST_F(ProcessorLinkTest, MuteForUpdateRemembersTheMuteStateAndPutsItBack)
{
    ConnectQuietly();
    Record().Output(4).SetOn(false);
    ASSERT_TRUE(Link().MuteOutputForUpdate(3, true));
    ASSERT_TRUE(Link().MuteOutputForUpdate(4, true));
    ASSERT_TRUE(Link().MuteOutputForUpdate(3, false));
    ASSERT_TRUE(Link().MuteOutputForUpdate(4, false));

    const std::vector<Bytes> frames = Queued();
    ASSERT_EQ(frames.size(), 4u);
    const int anChannel[] = {8, 9, 8, 9};
    const int anOnByte[] = {1, 1, 2, 1};
    for (size_t n = 0; n < frames.size(); ++n)
    {
        EXPECT_EQ(frames[n][Frame::kOffBlock], anChannel[n]) << n;
        EXPECT_EQ(frames[n][Frame::kOffSelector], 1) << n;
        EXPECT_EQ(frames[n][Frame::kOffPayload], anOnByte[n]) << n;
    }
    EXPECT_EQ(Record().Output(3).IsOn(), 1);
    EXPECT_EQ(Record().Output(4).IsOn(), 0);
    EXPECT_EQ(Record().Output(4).IsParamChanged(), 0);
}

TEST_F(ProcessorLinkTest, GraphicQChangeSendsAllBandsOfEveryLinkedOutputAtOnce)
{
    // Outputs 3 and 4 linked in graphic mode; output 5 alone.
    Record().Output(2).SetGeqMode(1, 0);
    ASSERT_TRUE(Link().SetLinkGroup(ChannelAddress::Output(3), 2));
    Record().Output(4).SetGeqMode(1, 0);
    ConnectQuietly();

    ASSERT_TRUE(Link().ApplyGraphicQ(2, 33));

    const std::vector<Bytes> frames = Queued();
    ASSERT_EQ(frames.size(), 30u);
    const int anFreq[] = {25, 40, 63, 100, 160, 250, 400, 630, 1000, 1600, 2500, 4000, 6300, 10000, 16000};
    for (size_t n = 0; n < frames.size(); ++n)
    {
        const Bytes& f = frames[n];
        const int k = static_cast<int>(n % 15);
        EXPECT_TRUE(Frame::Verify(f)) << n;
        EXPECT_EQ(f[Frame::kOffItem], kBulk) << n;
        EXPECT_EQ(f[Frame::kOffBlock], n < 15 ? 7 : 8) << n;
        EXPECT_EQ(f[Frame::kOffSelector], k + 2) << n;
        // Peaking, bandwidth word 34, the fixed frequency, gain word 401.
        const Bytes band(f.begin() + Frame::kOffPayload, f.end() - 2);
        EXPECT_EQ(band, (Bytes{0x01, 0x01, 34, 0, static_cast<uint8_t>(anFreq[k] & 0xFF),
                               static_cast<uint8_t>(anFreq[k] >> 8), 0x91, 0x01}))
            << n;
    }
    EXPECT_EQ(frames[0], (Bytes{0x5A, 0xA1, 0x01, 0x00, 0x10, 0x07, 0x02, 0x08, 0x00, 0x01, 0x01, 0x22, 0x00, 0x19,
                                0x00, 0x91, 0x01, 0x16, 0xAA}));

    for (int i : {2, 3})
    {
        EXPECT_EQ(Record().Output(i).IsLinked(), 1) << i;
        for (int k = 0; k < 15; ++k)
        {
            EXPECT_EQ(Record().Output(i).GetBand(k).GetBandwidthStep(), 33) << i << " " << k;
            EXPECT_EQ(Record().Output(i).GetBand(k).IsChanged(), 0) << i << " " << k;
        }
    }
    EXPECT_EQ(Record().Output(4).GetBand(0).GetBandwidthStep(), 21);

    // The same Q again changes and sends nothing.
    Link().Command().Clear();
    EXPECT_FALSE(Link().ApplyGraphicQ(3, 33));
    EXPECT_TRUE(Queued().empty());
}

TEST_F(ProcessorLinkTest, BurstsSendNothingWhileDisconnectedButTheQChangeStillReachesTheRecord)
{
    Record().Output(0).SetGeqMode(1, 0);
    EXPECT_FALSE(Link().SendOutputBands(0));
    EXPECT_FALSE(Link().ResendInputEqMuted(0));
    EXPECT_FALSE(Link().ResendOutputEqMuted(0));
    EXPECT_FALSE(Link().MuteOutputForUpdate(0, true));
    EXPECT_TRUE(Link().ApplyGraphicQ(0, 26));
    EXPECT_TRUE(Queued().empty());
    EXPECT_EQ(Record().Output(0).GetBand(14).GetBandwidthStep(), 26);
    EXPECT_EQ(Record().Output(0).IsOn(), 1);
}

TEST_F(ProcessorLinkTest, ModeSwitchMutesTheGroupSendsEachOutputsBandsOnceAndUnmutes)
{
    // Outputs 3 and 4 linked, 4 muted by the user; output 5 alone.
    ASSERT_TRUE(Link().SetLinkGroup(ChannelAddress::Output(3), 2));
    Record().Output(3).SetOn(false);
    Record().Output(2).GetBand(4).SetGainStep(470);
    ConnectQuietly();
    Record().ClearAllChanged(false);

    ASSERT_TRUE(Link().SwitchOutputEqMode(2, 1));

    const std::vector<Bytes> frames = Queued();
    ASSERT_EQ(frames.size(), 34u);
    // Muting: output 3 already carries the graphic mode (byte 15 = 2), its
    // partner still the parametric one until its own bands follow.
    struct ParamFrame
    {
        size_t nAt;
        int nBlock;
        int nOnByte;
        int nModeByte;
    };
    for (const ParamFrame& p : {ParamFrame{0, 7, 1, 2}, ParamFrame{1, 8, 1, 1}, ParamFrame{32, 7, 2, 2},
                                ParamFrame{33, 8, 1, 2}})
    {
        const Bytes& f = frames.at(p.nAt);
        EXPECT_TRUE(Frame::Verify(f)) << p.nAt;
        EXPECT_EQ(f[Frame::kOffBlock], p.nBlock) << p.nAt;
        EXPECT_EQ(f[Frame::kOffSelector], 1) << p.nAt;
        EXPECT_EQ(f[Frame::kOffPayload], p.nOnByte) << p.nAt;
        EXPECT_EQ(f[Frame::kOffPayload + 7], p.nModeByte) << p.nAt;
    }
    const int anFreq[] = {25, 40, 63, 100, 160, 250, 400, 630, 1000, 1600, 2500, 4000, 6300, 10000, 16000};
    for (size_t n = 2; n < 32; ++n)
    {
        const Bytes& f = frames[n];
        const int k = static_cast<int>((n - 2) % 15);
        EXPECT_EQ(f[Frame::kOffItem], kBulk) << n;
        EXPECT_EQ(f[Frame::kOffBlock], n < 17 ? 7 : 8) << n;
        EXPECT_EQ(f[Frame::kOffSelector], k + 2) << n;
        // Flat peaking bands at the fixed frequencies, graphic width 0.22.
        const Bytes band(f.begin() + Frame::kOffPayload, f.end() - 2);
        EXPECT_EQ(band, (Bytes{0x01, 0x01, 22, 0, static_cast<uint8_t>(anFreq[k] & 0xFF),
                               static_cast<uint8_t>(anFreq[k] >> 8), 0x91, 0x01}))
            << n;
    }

    // Nothing is left for the pump, and the mutes are back.
    for (int i : {2, 3})
    {
        const CAudio_OutData& out = Record().Output(i);
        EXPECT_EQ(out.GetGeqMode(), 1) << i;
        EXPECT_EQ(out.IsParamChanged(), 0) << i;
        for (int k = 0; k < 15; ++k)
            EXPECT_EQ(out.GetBand(k).IsChanged(), 0) << i << " " << k;
    }
    EXPECT_EQ(Record().Output(2).IsOn(), 1);
    EXPECT_EQ(Record().Output(3).IsOn(), 0);
    EXPECT_EQ(Record().Output(4).GetGeqMode(), 0);

    Link().Command().Clear();
    EXPECT_FALSE(Link().SwitchOutputEqMode(3, 1));
    EXPECT_TRUE(Queued().empty());
}

TEST_F(ProcessorLinkTest, ModeSwitchWhileDisconnectedLeavesTheGroupMarkedForThePump)
{
    ASSERT_TRUE(Link().SetLinkGroup(ChannelAddress::Output(1), 0));
    Record().ClearAllChanged(false);

    ASSERT_TRUE(Link().SwitchOutputEqMode(0, 1));

    EXPECT_TRUE(Queued().empty());
    for (int i : {0, 1})
    {
        EXPECT_EQ(Record().Output(i).GetGeqMode(), 1) << i;
        EXPECT_EQ(Record().Output(i).IsParamChanged(), 1) << i;
        EXPECT_EQ(Record().Output(i).GetBand(7).IsChanged(), 1) << i;
    }
    EXPECT_EQ(Record().Output(2).GetGeqMode(), 0);
}

// ---- linking -----------------------------------------------------------------------

TEST_F(ProcessorLinkTest, ChannelJoiningAGroupTakesItsSettingsAndIsSentWhole)
{
    ConnectQuietly();
    Record().Input(0).SetGain(350);
    Record().Input(0).GetBand(2).SetGainStep(520);

    ASSERT_TRUE(Link().SetLinkGroup(ChannelAddress::Input(1), 0));

    CAudio_InData& inputB = Record().Input(1);
    EXPECT_EQ(inputB.GetGain(), 350);
    EXPECT_EQ(inputB.GetBand(2).GetGainStep(), 520);
    EXPECT_EQ(inputB.IsLinked(), 1);
    EXPECT_EQ(Record().Input(0).IsLinked(), 1);

    const std::vector<Bytes> frames = Queued();
    ASSERT_EQ(frames.size(), 1u);
    const Bytes& f = frames[0];
    EXPECT_EQ(Bytes(f.begin(), f.begin() + Frame::kOffPayload),
              (Bytes{0x5A, 0xA3, 0x01, 0x00, 0x01, 0x02, 0x00, 0x40, 0x00}));
    ASSERT_EQ(f.size(), 75u);
    EXPECT_TRUE(Frame::Verify(f));
    // The gain word of the block: 350 + 301.
    EXPECT_EQ(f[Frame::kOffPayload + 12], 0x8B);
    EXPECT_EQ(f[Frame::kOffPayload + 13], 0x02);
    EXPECT_EQ(Bytes(f.begin() + Frame::kOffPayload, f.end() - 2),
              Bytes(inputB.GetBlock().begin(), inputB.GetBlock().end()));
}

TEST_F(ProcessorLinkTest, LinkChangesThatSendNothing)
{
    ASSERT_TRUE(Link().SetLinkGroup(ChannelAddress::Output(5), 6));
    ConnectQuietly();
    // Back alone in a group of its own: nothing to take, nothing to send.
    EXPECT_TRUE(Link().SetLinkGroup(ChannelAddress::Output(5), 5));
    EXPECT_FALSE(Record().Output(5).IsLinked());
    EXPECT_FALSE(Record().Output(6).IsLinked());
    // The same group again, and a locked side, change nothing.
    EXPECT_FALSE(Link().SetLinkGroup(ChannelAddress::Output(5), 5));
    Link().Locks().SetFlag(CLockState::kInLink, true);
    EXPECT_FALSE(Link().SetLinkGroup(ChannelAddress::Input(2), 0));
    EXPECT_EQ(Record().Inputs().GetLinkGroup(2), 2);
    EXPECT_TRUE(Queued().empty());
}
