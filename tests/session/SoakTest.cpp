// The whole program path under line faults: random edits of random
// parameters of random channels go through the record setters, as the panels
// make them, to the virtual processor over a line that loses answers, adds
// noise and splits answers into pieces. Once the queue has drained, the
// processor's live program must be the editor's image byte for byte. A
// processor falling silent in the middle must end the connection, and after
// re-connecting the editor must show exactly what the processor holds.
//
// ORVAN_SOAK_EDITS sets the number of edits (the short form by default;
// scripts/soak.sh runs the long one), ORVAN_SOAK_SEED the random seed.

#include "session/ProcessorLink.h"

#include "model/Audio_Data.h"
#include "link/Connection.h"
#include "model/FactoryImage.h"
#include "model/ParamCatalogue.h"
#include "session/RecordNotice.h"
#include "vproc/StateFile.h"
#include "vproc/VirtualProcessor.h"
#include "tests/VprocProcess.h"
#include "tests/link/FakePort.h"

#include <QTimer>

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <vector>

namespace
{
using Image = std::array<uint8_t, Frame::kImageBytes>;

int EnvInt(const char* name, int fallback)
{
    const char* value = std::getenv(name);
    return value && *value ? std::atoi(value) : fallback;
}

// The faults of the line: every 20th request lost (5 %), noise before every
// answer, answers written in pieces of 5 bytes.
const QStringList kFaultyLine = {"--skip-every", "20", "--garbage", "3", "--chunk", "5", "--chunk-gap", "1"};

Image EditorImage(CAudio_Data& record)
{
    Image image{};
    for (int i = 0; i < Frame::kInputCount; ++i)
    {
        const auto block = record.Input(i).BuildBlock();
        std::copy(block.begin(), block.end(), image.begin() + CImageSlot::BlockOffset(Frame::kFirstInputCode + i));
    }
    for (int i = 0; i < Frame::kOutputCount; ++i)
    {
        const auto block = record.Output(i).BuildBlock();
        std::copy(block.begin(), block.end(), image.begin() + CImageSlot::BlockOffset(Frame::kFirstOutputCode + i));
    }
    return image;
}

// Where two images differ, by block and byte within the block.
std::string Differences(const Image& editor, const Image& processor)
{
    std::string text;
    for (int code = Frame::kFirstInputCode; code <= Frame::kLastBlockCode; ++code)
        for (int k = 0; k < CImageSlot::BlockSize(code); ++k)
        {
            const size_t at = static_cast<size_t>(CImageSlot::BlockOffset(code) + k);
            if (editor[at] != processor[at])
                text += "block " + std::to_string(code) + " byte " + std::to_string(k) + ": editor "
                        + std::to_string(editor[at]) + ", processor " + std::to_string(processor[at]) + "\n";
        }
    return text;
}

// The factory program as the editor writes it. The factory image gives
// the shelves a bandwidth word of 30 where the editor writes the shelf
// slope + 1, a word the processor keeps until that band is sent; starting
// from the editor's own form makes every byte comparable.
CProcessorState EditorFormState()
{
    auto pRecord = std::make_unique<CAudio_Data>();
    CImageSlot factory;
    factory.abyImage = FactoryDefaultImage();
    pRecord->LoadFromImage(factory);
    CProcessorState state;
    state.aImages[Frame::kLiveProgram] = EditorImage(*pRecord);
    return state;
}

// A line without faults to a processor in the same process: every frame
// written is answered on the next turn of the event loop.
class CLoopbackPort : public CFakePort
{
public:
    int Write(const uint8_t* pData, int nLength, int nWaitMs) override
    {
        CFakePort::Write(pData, nLength, nWaitMs);
        // Every write is one frame behind its preamble.
        if (nLength <= Frame::kPreambleSize)
            return 0;
        const std::span frame(pData + Frame::kPreambleSize, static_cast<size_t>(nLength - Frame::kPreambleSize));
        if (auto answer = m_processor.Answer(frame))
            QTimer::singleShot(0, this, [this, bytes = *answer] { Deliver(FakeLine::Wire(bytes)); });
        return 0;
    }
    CVirtualProcessor m_processor{EditorFormState()};
};

class SoakTest : public ::testing::Test
{
protected:
    explicit SoakTest(std::unique_ptr<CLinkPort> pPort = nullptr)
        : m_pPort(pPort.get())
        , m_link(std::move(pPort))
    {
        QObject::connect(&m_link.Connection(), &CConnection::disconnected,
                         [this](CConnection::EReason eReason) { m_reasons.push_back(eReason); });
        std::printf("soak seed %u, %d edits\n", m_nSeed, m_nEdits);
    }
    ~SoakTest() override
    {
        m_link.Connection().Disconnect();
    }

    QString StatePath() const { return m_dir.filePath("live.state"); }

    void StartProcessor(QStringList args)
    {
        std::string strError;
        if (!QFile::exists(StatePath()))
            ASSERT_TRUE(CStateFile::Save(StatePath().toStdString(), EditorFormState(), strError)) << strError;
        m_processor = std::make_unique<CVprocProcess>(m_dir.filePath("port"));
        ASSERT_TRUE(m_processor->Start(args << "--state" << StatePath()));
    }

    // Stops the processor, which saves its state, and gives its live program.
    Image ProcessorImage()
    {
        m_processor->Stop();
        CProcessorState state;
        std::string strError;
        EXPECT_TRUE(CStateFile::Load(StatePath().toStdString(), state, strError)) << strError;
        return state.aImages[Frame::kLiveProgram];
    }

    void ConnectAndRead()
    {
        ASSERT_TRUE(m_link.Connection().Connect(m_processor->Port(), Frame::kFirstDeviceId));
        ASSERT_TRUE(RunUntil([this] { return m_link.Connection().GetState() == CConnection::EState::Idle; }, 60000))
            << "the state read did not finish";
    }

    // Drained: for a while nothing but level requests stood in the queue, so
    // the pump found no edit left to send.
    bool WaitDrained(int nTimeoutMs)
    {
        int nQuietRounds = 0;
        return RunUntil(
            [&]
            {
                nQuietRounds = OnlyLevelRequests(m_link.Command().Queue()) ? nQuietRounds + 1 : 0;
                return nQuietRounds >= 100;
            },
            nTimeoutMs);
    }

    int Uniform(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(m_random); }

    // One edit as a panel makes it: a value, a name, a link group, the
    // graphic-mode Q or an EQ resent with the channel muted.
    void RandomEdit()
    {
        CAudio_Data& record = m_link.Record();
        const auto params = ParamCatalogue::Params();
        const ParamRow& row = params[static_cast<size_t>(Uniform(0, static_cast<int>(params.size()) - 1))];
        if (row.eSide == EParamSide::kProgram)
            return;
        const ParamAt at{Uniform(0, ParamCatalogue::ChannelCount(row.eParam) - 1),
                         Uniform(0, ParamCatalogue::IndexCount(row.eParam) - 1)};
        const int nCode = ParamCatalogue::ChannelCode(row.eParam, at);
        const EParam eParam = row.eParam;
        const bool bInput = row.eSide == EParamSide::kInput;
        const auto range = ParamCatalogue::Range(row.eParam, record, at);
        m_strLastEdit = std::string(row.pszEnglish) + " channel " + std::to_string(at.nChannel) + " index "
                        + std::to_string(at.nIndex);

        if (row.eEntry == EEntry::kText)
        {
            std::string name;
            for (int n = Uniform(0, 8); n > 0; --n)
                name.push_back(static_cast<char>(Uniform(' ', '~')));
            m_link.Notice().Apply(nCode, eParam,
                                  [&] { return ParamCatalogue::SetText(row.eParam, record, at, name); });
        }
        else if (row.eParam == EParam::kInLink || row.eParam == EParam::kOutLink)
        {
            const int nGroup = Uniform(range.nMin, range.nMax);
            m_link.Notice().Apply(nCode, eParam, [&] { return m_link.SetLinkGroup({bInput, at.nChannel}, nGroup); });
        }
        else if (row.eParam == EParam::kOutBandWidth && record.Output(at.nChannel).GetGeqMode())
        {
            const int nStep = Uniform(range.nMin, range.nMax);
            m_link.Notice().Apply(nCode, eParam, [&] { return m_link.ApplyGraphicQ(at.nChannel, nStep); });
        }
        else if (Uniform(0, 49) == 0)
        {
            // Recalled EQ: the whole EQ goes out while the channel is muted.
            if (bInput)
                m_link.ResendInputEqMuted(at.nChannel);
            else
                m_link.ResendOutputEqMuted(at.nChannel);
        }
        else
        {
            const int nStep = Uniform(range.nMin, range.nMax);
            m_link.Notice().Apply(nCode, eParam, [&] { return ParamCatalogue::Set(row.eParam, record, at, nStep); });
        }
    }

    // Edits at a human pace (one every few pump ticks) and in bursts (many
    // between two ticks), until nEdits are made or the connection ends.
    int EditWhileConnected(int nEdits)
    {
        int nMade = 0;
        while (nMade < nEdits && m_link.IsConnected())
        {
            const bool bBurst = Uniform(0, 3) == 0;
            const int nRun = bBurst ? Uniform(10, 60) : Uniform(1, 10);
            for (int i = 0; i < nRun && nMade < nEdits; ++i, ++nMade)
            {
                RandomEdit();
                if (!bBurst)
                    RunUntil([] { return false; }, Uniform(5, 40));
            }
            RunUntil([] { return false; }, Uniform(0, 60));
        }
        return nMade;
    }

    const unsigned m_nSeed = static_cast<unsigned>(EnvInt("ORVAN_SOAK_SEED", 18));
    const int m_nEdits = EnvInt("ORVAN_SOAK_EDITS", 150);
    std::mt19937 m_random{m_nSeed};
    QTemporaryDir m_dir;
    CLinkPort* m_pPort;    // the link's, when the test gave one
    CProcessorLink m_link;
    std::unique_ptr<CVprocProcess> m_processor;
    std::vector<CConnection::EReason> m_reasons;
    std::string m_strLastEdit;
};

class SoakLoopbackTest : public SoakTest
{
protected:
    SoakLoopbackTest()
        : SoakTest(std::make_unique<CLoopbackPort>())
    {
    }
    CLoopbackPort& Port() { return dynamic_cast<CLoopbackPort&>(*m_pPort); }

    // Pumps until the record has nothing left to send and every frame is answered.
    void Drain()
    {
        for (int n = 0; n < 2000; ++n)
        {
            m_link.Connection().PumpTick();
            QCoreApplication::processEvents();
            // An empty queue alone says nothing: a crossover walk leaves it
            // empty between its steps. The pump asks for the levels only
            // when the record has nothing left to send.
            const CSendDataQueue& q = m_link.Command().Queue();
            const std::vector<std::vector<uint8_t>> written = Port().Frames();
            bool bQuiet = !written.empty() && written.back()[Frame::kOffType] == Frame::kLevels;
            for (int i = 0; i < q.Count(); ++i)
                bQuiet = bQuiet && q.At(i).GetFrame()[Frame::kOffType] == Frame::kLevels;
            if (bQuiet && n > 3)
                return;
        }
    }
};
}

TEST_F(SoakLoopbackTest, EveryEditReachesTheProcessor)
{
    ASSERT_TRUE(m_link.Connection().Connect("loop", Frame::kFirstDeviceId));
    ASSERT_TRUE(RunUntil([this] { return m_link.Connection().GetState() == CConnection::EState::Idle; }, 10000));
    for (int n = 0; n < m_nEdits; ++n)
    {
        RandomEdit();
        Drain();
        const Image editor = EditorImage(m_link.Record());
        const Image processor = Port().m_processor.GetState().aImages[Frame::kLiveProgram];
        ASSERT_TRUE(processor == editor) << "edit " << n << ": " << m_strLastEdit << "\n"
                                         << Differences(editor, processor);
    }
}

TEST_F(SoakTest, RandomEditsOverAFaultyLineLeaveTheProcessorHoldingTheEditorsImage)
{
    StartProcessor(kFaultyLine);
    ConnectAndRead();
    EXPECT_EQ(EditWhileConnected(m_nEdits), m_nEdits);
    // Every 20th request waits a second for its repeat, and bursts queue
    // whole blocks and EQs: the backlog of a long run takes minutes.
    ASSERT_TRUE(WaitDrained(200 * m_nEdits + 60000)) << "the queue did not drain";
    ASSERT_TRUE(m_link.IsConnected());
    EXPECT_TRUE(m_reasons.empty());

    const Image editor = EditorImage(m_link.Record());
    const Image processor = ProcessorImage();
    EXPECT_TRUE(processor == editor) << Differences(editor, processor);
}

TEST_F(SoakTest, AfterTheProcessorFellSilentReconnectingShowsWhatItHolds)
{
    // Enough answers for the state read and part of the edits.
    StartProcessor(QStringList(kFaultyLine) << "--stop-after" << "200");
    ConnectAndRead();
    EditWhileConnected(m_nEdits * 10);
    ASSERT_TRUE(RunUntil([this] { return !m_link.IsConnected(); }, 15000)) << "a silent processor kept the connection";
    ASSERT_EQ(m_reasons, std::vector{CConnection::EReason::NoAnswer});

    const Image held = ProcessorImage();
    StartProcessor(kFaultyLine);
    ConnectAndRead();
    const Image editor = EditorImage(m_link.Record());
    EXPECT_TRUE(editor == held) << Differences(editor, held);
}
