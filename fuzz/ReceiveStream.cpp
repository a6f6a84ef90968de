#include "fuzz/ReceiveStream.h"

#include "model/Audio_Data.h"
#include "wire/Frame.h"
#include "wire/FrameAssembler.h"
#include "model/LockState.h"
#include "programs/ProgramCodec.h"
#include "link/Receiver.h"
#include "vproc/VirtualProcessor.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace ReceiveStream
{
namespace
{
constexpr size_t kMaxRead = 255;

void Require(bool condition, const char* rule)
{
    if (condition)
        return;
    std::fprintf(stderr, "receive rule broken: %s\n", rule);
    std::abort();
}

// Everything an answer may touch, taken apart so that each kind of answer
// can be held to its own fields.
struct Snapshot
{
    std::array<uint8_t, CImageSlot::kImageBytes> image{};
    std::array<uint8_t, CImageSlot::kInfoBytes> slotInfo{};
    Bytes staging;    // the staging record as a program file, without its name
    std::string stagingName;
    std::array<uint8_t, Frame::kGeneratorBytes> generator{};
    int backlight = 0;
    int powerOn = 0;
    std::array<uint8_t, Frame::kInfoBlockBytes> infoBlock{};
    std::string lastName;
    std::array<int, Frame::kLevelBytes> levels{};
    int deviceType = 0;
    std::string version;
    CReceiver::LockSet lockData{};
    CReceiver::DeviceIds ids{};
    Bytes locks;
};

Bytes LockBytes(const CLockState& locks)
{
    Bytes bytes(locks.m_abyFlags.begin(), locks.m_abyFlags.end());
    bytes.insert(bytes.end(), locks.m_abyFixed.begin(), locks.m_abyFixed.end());
    bytes.insert(bytes.end(), locks.GetPassword().begin(), locks.GetPassword().end());
    return bytes;
}

Snapshot Take(CReceiver& receiver, const CLockState& locks)
{
    Snapshot s;
    s.image = receiver.GetReceiveSlot().abyImage;
    s.slotInfo = receiver.GetReceiveSlot().abyInfo;
    CAudio_Data& staging = receiver.GetStaging();
    s.stagingName = staging.GetName();
    staging.SetName({});
    s.staging = ProgramCodec::EncodeProgram(staging, CLockState());
    staging.SetName(s.stagingName);
    const auto generator = staging.BuildGeneratorBlock();
    std::copy(generator.begin(), generator.end(), s.generator.begin());
    s.backlight = staging.GetBacklight();
    s.powerOn = staging.GetPowerOnMode();
    const auto info = staging.BuildInfoBlock();
    std::copy(info.begin(), info.end(), s.infoBlock.begin());
    s.lastName = receiver.GetLastName();
    for (int i = 0; i < Frame::kLevelBytes; ++i)
        s.levels[static_cast<size_t>(i)] = receiver.Level(i);
    s.deviceType = receiver.GetDeviceType();
    s.version = receiver.GetVersionText();
    s.lockData = receiver.GetLockData();
    s.ids = receiver.DeviceIdTable();
    s.locks = LockBytes(locks);
    return s;
}

// The image outside [from, from + n) is as it was.
bool ImageSameOutside(const Snapshot& a, const Snapshot& b, size_t from, size_t n)
{
    return std::equal(a.image.begin(), a.image.begin() + static_cast<long>(from), b.image.begin())
           && std::equal(a.image.begin() + static_cast<long>(from + n), a.image.end(),
                         b.image.begin() + static_cast<long>(from + n));
}

void CheckFields(std::span<const uint8_t> frame, const CReceiver::Outcome& outcome, const Snapshot& before,
                 const Snapshot& after)
{
    const int type = frame[Frame::kOffType];
    const int program = frame[Frame::kOffProgram];
    const int item = frame[Frame::kOffItem];
    const int block = frame[Frame::kOffBlock];
    const bool deviceItem = type == Frame::kDeviceItem || type == Frame::kSystemInfo;
    const bool wholeInfo = deviceItem && block == Frame::kWholeBlock;

    // The image: a block read fills its own block, an image answer any part.
    if (type == Frame::kBlockRead && CImageSlot::IsValidBlockCode(block))
        Require(ImageSameOutside(before, after, static_cast<size_t>(CImageSlot::BlockOffset(block)),
                                 static_cast<size_t>(CImageSlot::BlockSize(block))),
                "a block read wrote outside its block");
    else if (type != Frame::kProgramImage)
        Require(before.image == after.image, "the image changed without an image answer");
    if (!(type == Frame::kLockData && item == Frame::kProgramLockRead))
        Require(before.slotInfo == after.slotInfo, "program lock bytes changed without their answer");

    Require(before.staging == after.staging, "the staging record's channels changed");
    if (!(type == Frame::kProgramName && program == Frame::kLiveProgram))
        Require(before.stagingName == after.stagingName, "the staging name changed without a live name answer");
    if (!(deviceItem && item == Frame::kItemGenerator))
        Require(before.generator == after.generator, "the generator changed without its answer");
    if (!(deviceItem && item == Frame::kItemBacklight))
        Require(before.backlight == after.backlight, "the backlight changed without its answer");
    if (!(deviceItem && item == Frame::kItemPowerOn))
        Require(before.powerOn == after.powerOn, "the power-on mode changed without its answer");
    if (!wholeInfo)
        Require(before.infoBlock == after.infoBlock, "the information texts changed without their answer");

    // The session state keeps the names; only the answer naming a program
    // 0..30 announces one, and for that program.
    if (outcome.dwNotices & CReceiver::kProgramNameReceived)
        Require(type == Frame::kProgramName && outcome.nProgram == program && program >= Frame::kLiveProgram
                    && program < CReceiver::kProgramCount,
                "a name was announced for another program or without a name answer");
    if (type != Frame::kProgramName)
        Require(before.lastName == after.lastName, "the last name changed without a name answer");
    if (type != Frame::kLevels)
        Require(before.levels == after.levels, "the meters changed without a level answer");
    if (!(deviceItem && item == Frame::kItemDeviceType))
        Require(before.deviceType == after.deviceType, "the device type changed without its answer");
    if (!(deviceItem && item == Frame::kItemVersion))
        Require(before.version == after.version, "the version changed without its answer");
    if (!(type == Frame::kLockData && item == Frame::kLockSetRead))
    {
        Require(before.lockData == after.lockData, "the lock set changed without its answer");
        Require(before.locks == after.locks, "the lock state changed without a lock set");
    }

    // The device-ID table holds each ID at its own place or nothing, and
    // only an ID answer adds the ID it names.
    for (size_t k = 0; k < after.ids.size(); ++k)
    {
        const int id = static_cast<int>(k) + Frame::kFirstDeviceId;
        Require(after.ids[k] == 0 || after.ids[k] == id, "an ID stands in another's place");
        const bool named = deviceItem && item == Frame::kItemDeviceId
                           && frame.size() > static_cast<size_t>(Frame::kOverhead) && frame[Frame::kOffPayload] == id;
        if (!named)
            Require(before.ids[k] == after.ids[k], "an ID entry changed that the answer did not name");
    }
    for (int level : after.levels)
        Require(level >= 0 && level <= 27, "a meter step out of range");

    const bool known = type == Frame::kBlockRead || type == Frame::kAck || type == Frame::kAck2
                       || type == Frame::kLevels || type == Frame::kProgramName || deviceItem
                       || type == Frame::kLockData || type == Frame::kProgramImage;
    if (!known)
        Require(!outcome.bAnswered && outcome.dwNotices == CReceiver::kNoticeNone,
                "an unknown answer was taken as one");
}

// What the connection does with a complete live image.
void FoldIntoRecord(const CImageSlot& slot)
{
    CAudio_Data record;
    record.LoadFromImage(slot);
    for (int i = 0; i < Frame::kInputCount; ++i)
        record.Input(i).BuildBlock();
    for (int i = 0; i < Frame::kOutputCount; ++i)
        record.Output(i).BuildBlock();
}

void HandleFrame(std::span<const uint8_t> frame, CReceiver& receiver, const CLockState& locks)
{
    Require(Frame::Verify(frame), "the assembler passed a frame that does not verify");
    Require(frame.size() <= static_cast<size_t>(CFrameAssembler::kBufferBytes), "a frame larger than the buffer");
    const Snapshot before = Take(receiver, locks);
    const CReceiver::Outcome outcome = receiver.Handle(frame);
    const Snapshot after = Take(receiver, locks);
    CheckFields(frame, outcome, before, after);
    if (outcome.dwNotices & CReceiver::kLiveProgramRead)
        FoldIntoRecord(receiver.GetReceiveSlot());
}
}

void Check(std::span<const uint8_t> input)
{
    CFrameAssembler assembler;
    CReceiver receiver;
    CLockState locks;
    locks.SetPassword("fz0123");
    receiver.AttachLockState(&locks);

    size_t at = 0;
    while (at < input.size())
    {
        const size_t n = std::min<size_t>(input[at], input.size() - at - 1);
        const auto read = input.subspan(at + 1, n);
        at += 1 + n;
        if (read.empty())
            continue;
        // As the engine's read loop: what follows a finished or rejected
        // frame in the same read goes with it.
        const auto outcome = assembler.Feed(read);
        Require(outcome.nConsumed <= read.size(), "the assembler took more bytes than it was given");
        if (outcome.eResult == CFrameAssembler::EResult::kFrame)
            HandleFrame(assembler.GetFrame(), receiver, locks);
        else if (outcome.eResult == CFrameAssembler::EResult::kNeedMore)
            Require(outcome.nConsumed == read.size(), "the assembler left bytes while asking for more");
    }
}

Bytes AsReads(std::span<const uint8_t> line, size_t piece)
{
    piece = std::clamp<size_t>(piece, 1, kMaxRead);
    Bytes out;
    for (size_t at = 0; at < line.size(); at += piece)
    {
        const size_t n = std::min(piece, line.size() - at);
        out.push_back(static_cast<uint8_t>(n));
        out.insert(out.end(), line.begin() + static_cast<long>(at), line.begin() + static_cast<long>(at + n));
    }
    return out;
}

std::vector<Bytes> RealAnswers()
{
    CProcessorState state;
    state.nDeviceId = 7;
    CVirtualProcessor processor(state);
    CAudio_Data record;
    record.SetDeviceId(state.nDeviceId);
    record.Input(1).SetGate(13);

    std::vector<CSendData> requests;
    requests.push_back(record.BuildOutputLimitFrame(3));    // a write: acknowledged
    for (int code = Frame::kFirstInputCode; code <= Frame::kLastBlockCode; ++code)
        requests.push_back(record.BuildBlockReadFrame(Frame::kLiveProgram, code));
    requests.push_back(record.BuildPollFrame());
    requests.push_back(record.BuildProgramNameFrame(Frame::kLiveProgram, Frame::kRead));
    requests.push_back(record.BuildProgramNameFrame(5, Frame::kRead));
    requests.push_back(record.BuildDeviceIdProbeFrame(state.nDeviceId));
    requests.push_back(record.BuildDeviceTypeFrame());
    requests.push_back(record.BuildVersionFrame());
    requests.push_back(record.BuildGeneratorFrame(true));
    requests.push_back(record.BuildBacklightFrame(false));
    requests.push_back(record.BuildPowerOnFrame(false));
    requests.push_back(record.BuildInfoReadFrame());
    requests.push_back(record.BuildLockDataFrame(Frame::kLiveProgram, Frame::kLockSetRead));
    requests.push_back(record.BuildLockDataFrame(4, Frame::kProgramLockRead));
    requests.push_back(record.BuildProgramRequestFrame(3));
    requests.push_back(record.BuildProgramRequestFrame(Frame::kLiveProgram, Frame::kSecondBlock));

    std::vector<Bytes> answers;
    for (const CSendData& request : requests)
    {
        const auto& frame = request.GetFrame();
        // Requests go out with their preamble; the processor takes the frame.
        const auto start = std::find(frame.begin(), frame.end(), Frame::kStart);
        auto it = start;
        while (it + 1 != frame.end() && *(it + 1) == Frame::kStart)
            ++it;
        const auto answer = processor.Answer(std::span(&*it, static_cast<size_t>(frame.end() - it)));
        if (!answer)
            continue;
        Bytes line = {Frame::kStart, Frame::kStart};
        line.insert(line.end(), answer->begin(), answer->end());
        answers.push_back(std::move(line));
    }
    return answers;
}

std::vector<Bytes> Seeds()
{
    const std::vector<Bytes> answers = RealAnswers();
    std::vector<Bytes> seeds;
    Bytes all;
    Bytes allInPieces;
    for (const Bytes& answer : answers)
    {
        seeds.push_back(AsReads(answer, kMaxRead));
        const Bytes pieces = AsReads(answer, 7);
        all.insert(all.end(), seeds.back().begin(), seeds.back().end());
        allInPieces.insert(allInPieces.end(), pieces.begin(), pieces.end());
    }
    seeds.push_back(all);
    seeds.push_back(allInPieces);
    return seeds;
}
}
