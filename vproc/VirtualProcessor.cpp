#include "vproc/VirtualProcessor.h"

#include "model/Audio_InData.h"
#include "model/Audio_OutData.h"
#include "model/ChannelAddress.h"
#include "wire/Frame.h"

#include <algorithm>

namespace
{
// Levels, names and lock data all travel in 12 bytes.
constexpr int kShortPayload = Frame::kLevelBytes;
static_assert(kShortPayload == Frame::kProgramNameBytes && kShortPayload == Frame::kLockSetBytes);
constexpr int kMeterTop = 11;
// The triangle of a meter rises over 6 to 10 answers, and channels start
// 3 answers apart.
constexpr unsigned kMeterHalfMin = 6;
constexpr unsigned kMeterHalfSpread = 5;
constexpr unsigned kMeterPhaseStep = 3;
constexpr uint8_t kMutedOn = 1;     // "on" byte of a muted channel
constexpr uint8_t kIndicator = 0x10;

bool IsStoredOrLive(int program)
{
    return program >= Frame::kLiveProgram && program < Frame::kProgramNumbers;
}

int SubBlockOffset(int blockCode, int code)
{
    return CImageSlot::IsInputCode(blockCode) ? CAudio_InData::SubBlockOffset(code)
                                              : CAudio_OutData::SubBlockOffset(code);
}
}

struct CVirtualProcessor::Request
{
    uint8_t byType;
    uint8_t byDeviceId;
    int nProgram;
    int nItem;
    int nBlock;
    int nSelector;
    std::span<const uint8_t> payload;

    int Length() const { return static_cast<int>(payload.size()); }
};

CVirtualProcessor::CVirtualProcessor(CProcessorState state)
    : m_state(std::move(state))
{
    SetVersion(kDefaultVersion);
}

void CVirtualProcessor::SetVersion(const std::string& text)
{
    m_strVersion = text.substr(0, Frame::kVersionBytes);
    m_strVersion.resize(Frame::kVersionBytes, ' ');
}

std::optional<CVirtualProcessor::Bytes> CVirtualProcessor::Answer(std::span<const uint8_t> frame)
{
    if (!Frame::Verify(frame))
        return std::nullopt;
    const Request rq{frame[Frame::kOffType],
                     frame[Frame::kOffDeviceId],
                     frame[Frame::kOffProgram],
                     frame[Frame::kOffItem],
                     frame[Frame::kOffBlock],
                     frame[Frame::kOffSelector],
                     frame.subspan(Frame::kOffPayload, frame.size() - Frame::kOverhead)};
    // Several processors share the line: only our own ID is answered.
    if (rq.byDeviceId != m_state.nDeviceId)
        return std::nullopt;

    switch (rq.byType)
    {
    case Frame::kParamChange:
        return OnParamChange(rq);
    case Frame::kBlockRead:
        return OnBlockRead(rq);
    case Frame::kBlockWrite:
        return OnBlockWrite(rq);
    case Frame::kLevels:
        return OnLevels(rq);
    case Frame::kProgramName:
        return OnProgramName(rq);
    case Frame::kDeviceItem:
        return OnDeviceItem(rq);
    case Frame::kLockData:
        return OnLockData(rq);
    case Frame::kSystemInfo:
        return OnSystemInfo(rq);
    case Frame::kProgramImage:
        return OnProgramImage(rq);
    default:
        return std::nullopt;
    }
}

CVirtualProcessor::Bytes CVirtualProcessor::Reply(const Request& rq, std::span<const uint8_t> payload) const
{
    Frame::Header header;
    header.byType = rq.byType;
    header.byDeviceId = static_cast<uint8_t>(m_state.nDeviceId);
    header.byProgram = static_cast<uint8_t>(rq.nProgram);
    header.byItem = static_cast<uint8_t>(rq.nItem);
    header.byBlock = static_cast<uint8_t>(rq.nBlock);
    header.bySelector = static_cast<uint8_t>(rq.nSelector);
    return Frame::Build(header, payload);
}

CVirtualProcessor::Bytes CVirtualProcessor::Acknowledge(const Request& rq)
{
    ++m_nChanges;
    Request ack = rq;
    ack.byType = Frame::kAck;
    static constexpr std::array<uint8_t, Frame::kReadPayloadBytes> kZeros{};
    return Reply(ack, kZeros);
}

std::optional<CVirtualProcessor::Bytes> CVirtualProcessor::OnParamChange(const Request& rq)
{
    if (rq.Length() != Frame::kSubBlockBytes || !CImageSlot::IsValidBlockCode(rq.nBlock))
        return std::nullopt;
    const int nOffset = SubBlockOffset(rq.nBlock, rq.nSelector);
    if (nOffset < 0)
        return std::nullopt;
    // Linked channels are sent one by one by the program, so a change
    // touches the named channel only.
    auto& live = m_state.aImages[Frame::kLiveProgram];
    std::ranges::copy(rq.payload, live.begin() + CImageSlot::BlockOffset(rq.nBlock) + nOffset);
    return Acknowledge(rq);
}

std::optional<CVirtualProcessor::Bytes> CVirtualProcessor::OnBlockRead(const Request& rq)
{
    if (rq.Length() != Frame::kReadPayloadBytes || !IsStoredOrLive(rq.nProgram) || !CImageSlot::IsValidBlockCode(rq.nBlock))
        return std::nullopt;
    const auto& image = m_state.aImages[static_cast<size_t>(rq.nProgram)];
    const auto block = std::span(image).subspan(CImageSlot::BlockOffset(rq.nBlock), CImageSlot::BlockSize(rq.nBlock));
    if (rq.nProgram != Frame::kLiveProgram)
    {
        auto& live = m_state.aImages[Frame::kLiveProgram];
        std::ranges::copy(block, live.begin() + CImageSlot::BlockOffset(rq.nBlock));
        ++m_nChanges;
    }
    return Reply(rq, block);
}

std::optional<CVirtualProcessor::Bytes> CVirtualProcessor::OnBlockWrite(const Request& rq)
{
    if (!IsStoredOrLive(rq.nProgram) || !CImageSlot::IsValidBlockCode(rq.nBlock) ||
        rq.Length() != CImageSlot::BlockSize(rq.nBlock))
        return std::nullopt;
    auto& image = m_state.aImages[static_cast<size_t>(rq.nProgram)];
    std::ranges::copy(rq.payload, image.begin() + CImageSlot::BlockOffset(rq.nBlock));
    return Acknowledge(rq);
}

std::array<uint8_t, Frame::kLevelBytes> CVirtualProcessor::NextLevels()
{
    const unsigned t = m_nLevelTick++;
    std::array<uint8_t, Frame::kLevelBytes> levels{};
    const auto& live = m_state.aImages[Frame::kLiveProgram];
    for (int i = 0; i < Frame::kLevelBytes; ++i)
    {
        const int nCode = ChannelAddress::FromColumn(i).Code();
        if (live[static_cast<size_t>(CImageSlot::BlockOffset(nCode) + CAudio_InData::kParamOffset)] == kMutedOn)
            continue;
        // A triangle from 0 to the top of the meter and back, a different
        // period for each channel so the meters do not move in step.
        const unsigned nHalf = kMeterHalfMin + static_cast<unsigned>(i) % kMeterHalfSpread;
        const unsigned nPhase = (t + kMeterPhaseStep * static_cast<unsigned>(i)) % (2 * nHalf);
        const unsigned nRise = nPhase < nHalf ? nPhase : 2 * nHalf - nPhase;
        int nLevel = static_cast<int>(nRise * kMeterTop / nHalf);
        if (!CImageSlot::IsInputCode(nCode) && nLevel >= kMeterTop - 1)
            nLevel |= kIndicator;
        levels[static_cast<size_t>(i)] = static_cast<uint8_t>(nLevel);
    }
    return levels;
}

std::optional<CVirtualProcessor::Bytes> CVirtualProcessor::OnLevels(const Request& rq)
{
    if (rq.Length() != kShortPayload)
        return std::nullopt;
    return Reply(rq, NextLevels());
}

std::optional<CVirtualProcessor::Bytes> CVirtualProcessor::OnProgramName(const Request& rq)
{
    if (rq.Length() != kShortPayload || !IsStoredOrLive(rq.nProgram))
        return std::nullopt;
    auto& name = m_state.aNames[static_cast<size_t>(rq.nProgram)];
    if (rq.nBlock == Frame::kRead)
        return Reply(rq, name);
    if (rq.nBlock == Frame::kWrite)
    {
        std::ranges::copy(rq.payload, name.begin());
        return Acknowledge(rq);
    }
    return std::nullopt;
}

std::optional<CVirtualProcessor::Bytes> CVirtualProcessor::OnDeviceItem(const Request& rq)
{
    if (rq.Length() != Frame::kDeviceItemBytes || (rq.nSelector != Frame::kRead && rq.nSelector != Frame::kWrite))
        return std::nullopt;
    const bool bRead = rq.nSelector == Frame::kRead;
    std::array<uint8_t, Frame::kDeviceItemBytes> answer{};

    switch (rq.nItem)
    {
    case Frame::kItemDeviceId:
        if (bRead)
        {
            answer[0] = static_cast<uint8_t>(m_state.nDeviceId);
            return Reply(rq, answer);
        }
        if (rq.payload[0] < Frame::kFirstDeviceId || rq.payload[0] > Frame::kLastDeviceId)
            return std::nullopt;
        if (rq.payload[0] != m_state.nDeviceId && m_isIdTaken && m_isIdTaken(rq.payload[0]))
            return std::nullopt;
        {
            // Acknowledged under the old ID, which is the one the program
            // addressed; from then on the new one answers.
            Bytes ack = Acknowledge(rq);
            m_state.nDeviceId = rq.payload[0];
            return ack;
        }
    case Frame::kItemDeviceType:
        if (!bRead)
            return std::nullopt;
        answer[0] = static_cast<uint8_t>(m_state.nDeviceType);
        return Reply(rq, answer);
    case Frame::kItemGenerator:
        if (bRead)
            return Reply(rq, m_state.abyGenerator);
        std::ranges::copy(rq.payload, m_state.abyGenerator.begin());
        return Acknowledge(rq);
    case Frame::kItemBacklight:
    case Frame::kItemPowerOn:
    {
        uint8_t& bySetting = rq.nItem == Frame::kItemBacklight ? m_state.byBacklight : m_state.byPowerOn;
        if (bRead)
        {
            answer[0] = bySetting;
            return Reply(rq, answer);
        }
        bySetting = rq.payload[0];
        return Acknowledge(rq);
    }
    case Frame::kItemVersion:
        if (!bRead)
            return std::nullopt;
        std::copy_n(m_strVersion.begin(), Frame::kVersionBytes, answer.begin());
        return Reply(rq, answer);
    default:
        return std::nullopt;
    }
}

std::optional<CVirtualProcessor::Bytes> CVirtualProcessor::OnLockData(const Request& rq)
{
    if (rq.Length() != kShortPayload || rq.nProgram < Frame::kLiveProgram || rq.nProgram > Frame::kSystemProgram)
        return std::nullopt;
    auto& record = m_state.aLocks[static_cast<size_t>(rq.nProgram)];
    switch (rq.nItem)
    {
    case Frame::kLockSetRead:
        return Reply(rq, record);
    case Frame::kProgramLockRead:
        return Reply(rq, std::span(record).first(Frame::kProgramLockBytes));
    case Frame::kLockSetWrite:
    case Frame::kProgramLockWrite:
        std::ranges::copy(rq.payload, record.begin());
        return Acknowledge(rq);
    default:
        return std::nullopt;
    }
}

std::optional<CVirtualProcessor::Bytes> CVirtualProcessor::OnSystemInfo(const Request& rq)
{
    if (rq.nBlock != Frame::kWholeBlock)
        return std::nullopt;
    if (rq.nSelector == Frame::kRead && rq.Length() == Frame::kReadPayloadBytes)
        return Reply(rq, m_state.abyInfo);
    if (rq.nSelector == Frame::kWrite && rq.Length() == Frame::kInfoBlockBytes)
    {
        std::ranges::copy(rq.payload, m_state.abyInfo.begin());
        return Acknowledge(rq);
    }
    return std::nullopt;
}

std::optional<CVirtualProcessor::Bytes> CVirtualProcessor::OnProgramImage(const Request& rq)
{
    if (rq.nBlock != Frame::kWholeBlock || !IsStoredOrLive(rq.nProgram))
        return std::nullopt;
    auto& image = m_state.aImages[static_cast<size_t>(rq.nProgram)];
    if (rq.nSelector == Frame::kRead && rq.Length() == Frame::kReadPayloadBytes)
        return Reply(rq, image);
    if (rq.nSelector == Frame::kWrite && rq.Length() == Frame::kImageBytes)
    {
        std::ranges::copy(rq.payload, image.begin());
        return Acknowledge(rq);
    }
    return std::nullopt;
}
