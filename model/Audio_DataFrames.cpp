#include "model/Audio_Data.h"

#include "model/ByteIo.h"
#include "model/FactoryImage.h"
#include "wire/Frame.h"

#include <algorithm>

// The record's outgoing side: the blocks and frames it builds for the
// processor, the generator and information blocks read back, and the pump
// that turns the change marks into frames.

namespace
{
constexpr int kInfoFirstField = 15;
constexpr int kInfoField = 40;
constexpr std::array<uint8_t, Frame::kReadPayloadBytes> kReadZeros{};
constexpr std::array<uint8_t, Frame::kLevelBytes> kLevelZeros{};
using DeviceItemPayload = std::array<uint8_t, Frame::kDeviceItemBytes>;

int LinkedItem(const CAudio_Channel& channel)
{
    return channel.IsLinked() ? Frame::kLinkedChangeItem : Frame::kChangeItem;
}

int InfoFieldOffset(int i)
{
    return i == 0 ? 0 : kInfoFirstField + kInfoField * (i - 1);
}

int InfoFieldSize(int i)
{
    return i == 0 ? kInfoFirstField : kInfoField;
}

std::span<const uint8_t> NameBytes(const CAudio_Channel::Name& name)
{
    return {reinterpret_cast<const uint8_t*>(name.data()), name.size()};
}
}

// ---- generator and information blocks ---------------------------------------

int CAudio_Data::InfoTextSize(int i)
{
    return InfoFieldSize(i);
}

std::span<const uint8_t, CAudio_Data::kGenBlockBytes> CAudio_Data::BuildGeneratorBlock()
{
    m_abyGenBlock.fill(0);
    m_abyGenBlock[0] = static_cast<uint8_t>(m_nGenType);
    m_abyGenBlock[1] = static_cast<uint8_t>(m_nGenParam);
    ByteIo::PutWord(m_abyGenBlock, 2, m_nGenFreq);
    ByteIo::PutWord(m_abyGenBlock, 4, m_nGenLevel);
    return m_abyGenBlock;
}

void CAudio_Data::SetGeneratorBlock(std::span<const uint8_t> bytes)
{
    std::array<uint8_t, kGenBlockBytes> block{};
    std::copy_n(bytes.begin(), std::min(bytes.size(), block.size()), block.begin());
    m_nGenType = block[0];
    m_nGenParam = block[1];
    m_nGenFreq = ByteIo::GetUnsignedWord(block, 2);
    m_nGenLevel = ByteIo::GetUnsignedWord(block, 4);
}

std::span<const uint8_t, CAudio_Data::kInfoBlockBytes> CAudio_Data::BuildInfoBlock()
{
    m_abyInfoBlock.fill(' ');
    for (int i = 0; i < kInfoTexts; ++i)
    {
        const std::string& text = m_astrInfo[static_cast<size_t>(i)];
        const size_t n = std::min(text.size(), static_cast<size_t>(InfoFieldSize(i)));
        std::copy_n(text.begin(), n, m_abyInfoBlock.begin() + InfoFieldOffset(i));
    }
    return m_abyInfoBlock;
}

void CAudio_Data::SetInfoBlock(std::span<const uint8_t> bytes)
{
    for (int i = 0; i < kInfoTexts; ++i)
    {
        const size_t begin = std::min(bytes.size(), static_cast<size_t>(InfoFieldOffset(i)));
        const size_t end = std::min(bytes.size(), begin + InfoFieldSize(i));
        std::string text(bytes.begin() + static_cast<long>(begin), bytes.begin() + static_cast<long>(end));
        text.erase(text.find_last_not_of(' ') + 1);
        m_astrInfo[static_cast<size_t>(i)] = text;
    }
}

// ---- frames ------------------------------------------------------------------

CSendData CAudio_Data::MakeFrame(uint8_t type, int program, int item, int block, int selector,
                                 std::span<const uint8_t> payload, int deviceId) const
{
    Frame::Header header;
    header.byType = type;
    header.byDeviceId = static_cast<uint8_t>(deviceId < 0 ? m_nDeviceId : deviceId);
    header.byProgram = static_cast<uint8_t>(program);
    header.byItem = static_cast<uint8_t>(item);
    header.byBlock = static_cast<uint8_t>(block);
    header.bySelector = static_cast<uint8_t>(selector);
    return CSendData(Frame::Build(header, payload));
}

std::span<const uint8_t> CAudio_Data::RefreshInputBlock(int i)
{
    CAudio_InData& input = Input(i);
    const auto block = input.BuildBlock();
    std::ranges::copy(block, m_image.Block(input.GetChannel()).begin());
    return block;
}

std::span<const uint8_t> CAudio_Data::RefreshOutputBlock(int i)
{
    CAudio_OutData& output = Output(i);
    const auto block = output.BuildBlock();
    std::ranges::copy(block, m_image.Block(output.GetChannel()).begin());
    return block;
}

CSendData CAudio_Data::BuildSubBlockFrame(int channelCode, int item, int code, std::span<const uint8_t> block,
                                          int offset) const
{
    return MakeFrame(Frame::kParamChange, Frame::kLiveProgram, item, channelCode, code,
                     block.subspan(offset, Frame::kSubBlockBytes));
}

CSendData CAudio_Data::BuildInputNameFrame(int i)
{
    const CAudio_InData& input = Input(i);
    return MakeFrame(Frame::kParamChange, Frame::kLiveProgram, Frame::kChangeItem, input.GetChannel(), input.GetNameCode(),
                     NameBytes(input.GetNameBytes()));
}

CSendData CAudio_Data::BuildInputParamFrame(int i)
{
    const auto block = RefreshInputBlock(i);
    const CAudio_InData& input = Input(i);
    return BuildSubBlockFrame(input.GetChannel(), LinkedItem(input), input.GetParamCode(), block,
                              CAudio_InData::kParamOffset);
}

CSendData CAudio_Data::BuildInputBandFrame(int i, int k)
{
    const auto block = RefreshInputBlock(i);
    const CAudio_InData& input = Input(i);
    return BuildSubBlockFrame(input.GetChannel(), LinkedItem(input), input.GetBand(k).GetCode(), block,
                              CAudio_InData::kBandOffset + Frame::kSubBlockBytes * k);
}

CSendData CAudio_Data::BuildOutputNameFrame(int i)
{
    const CAudio_OutData& output = Output(i);
    return MakeFrame(Frame::kParamChange, Frame::kLiveProgram, Frame::kChangeItem, output.GetChannel(), output.GetNameCode(),
                     NameBytes(output.GetNameBytes()));
}

CSendData CAudio_Data::BuildOutputParamFrame(int i)
{
    const auto block = RefreshOutputBlock(i);
    const CAudio_OutData& output = Output(i);
    return BuildSubBlockFrame(output.GetChannel(), LinkedItem(output), output.GetParamCode(), block,
                              CAudio_OutData::kParamOffset);
}

CSendData CAudio_Data::BuildOutputLimitFrame(int i)
{
    const auto block = RefreshOutputBlock(i);
    const CAudio_OutData& output = Output(i);
    return BuildSubBlockFrame(output.GetChannel(), LinkedItem(output), output.GetLimitCode(), block,
                              CAudio_OutData::kLimitOffset);
}

CSendData CAudio_Data::BuildOutputXoverFrame(int i)
{
    const auto block = RefreshOutputBlock(i);
    const CAudio_OutData& output = Output(i);
    return BuildSubBlockFrame(output.GetChannel(), LinkedItem(output), output.GetHighPass().GetCode(), block,
                              CAudio_OutData::kXoverOffset);
}

CSendData CAudio_Data::BuildOutputBandFrame(int i, int k)
{
    const auto block = RefreshOutputBlock(i);
    const CAudio_OutData& output = Output(i);
    return BuildSubBlockFrame(output.GetChannel(), LinkedItem(output), output.GetBand(k).GetCode(), block,
                              CAudio_OutData::kBandOffset + Frame::kSubBlockBytes * k);
}

CSendData CAudio_Data::BuildInputBlockFrame(int program, int i)
{
    const auto block = RefreshInputBlock(i);
    return MakeFrame(Frame::kBlockWrite, program, Frame::kBlockItem, Input(i).GetChannel(), 0, block);
}

CSendData CAudio_Data::BuildOutputBlockFrame(int program, int i)
{
    const auto block = RefreshOutputBlock(i);
    return MakeFrame(Frame::kBlockWrite, program, Frame::kBlockItem, Output(i).GetChannel(), 0, block);
}

CSendData CAudio_Data::BuildBlockReadFrame(int program, int block)
{
    return MakeFrame(Frame::kBlockRead, program, Frame::kBlockItem, block, 0, kReadZeros);
}

CSendData CAudio_Data::BuildPollFrame() const
{
    return MakeFrame(Frame::kLevels, Frame::kLiveProgram, 0, 0, 0, kLevelZeros);
}

CSendData CAudio_Data::BuildProgramNameFrame(int program, int op, const std::string& name) const
{
    std::array<uint8_t, Frame::kProgramNameBytes> payload{};
    if (op == Frame::kWrite)
        std::copy_n(name.begin(), std::min(name.size(), payload.size()), payload.begin());
    return MakeFrame(Frame::kProgramName, program, 0, op, 0, payload);
}

CSendData CAudio_Data::BuildProgramRequestFrame(int program, int block) const
{
    return MakeFrame(Frame::kProgramImage, program, 0, block, Frame::kRead, kReadZeros);
}

CSendData CAudio_Data::BuildProgramStoreFrame(int program) const
{
    return MakeFrame(Frame::kProgramImage, program, 0, Frame::kWholeBlock, Frame::kWrite, m_image.abyImage);
}

CSendData CAudio_Data::BuildDefaultProgramStoreFrame(int program) const
{
    return MakeFrame(Frame::kProgramImage, program, 0, Frame::kWholeBlock, Frame::kWrite, FactoryDefaultImage());
}

CSendData CAudio_Data::BuildGeneratorFrame(bool read)
{
    if (read)
        return MakeFrame(Frame::kDeviceItem, 0, Frame::kItemGenerator, 0, Frame::kRead, kReadZeros);
    return MakeFrame(Frame::kDeviceItem, 0, Frame::kItemGenerator, 0, Frame::kWrite, BuildGeneratorBlock());
}

CSendData CAudio_Data::BuildBacklightFrame(bool write) const
{
    DeviceItemPayload payload{};
    if (write)
        payload[0] = static_cast<uint8_t>(m_nBacklight);
    return MakeFrame(Frame::kDeviceItem, 0, Frame::kItemBacklight, 0, write ? Frame::kWrite : Frame::kRead, payload);
}

CSendData CAudio_Data::BuildPowerOnFrame(bool write) const
{
    DeviceItemPayload payload{};
    if (write)
        payload[0] = static_cast<uint8_t>(m_nPowerOnMode);
    return MakeFrame(Frame::kDeviceItem, 0, Frame::kItemPowerOn, 0, write ? Frame::kWrite : Frame::kRead, payload);
}

CSendData CAudio_Data::BuildInfoWriteFrame()
{
    return MakeFrame(Frame::kSystemInfo, 0, 0, Frame::kWholeBlock, Frame::kWrite, BuildInfoBlock());
}

CSendData CAudio_Data::BuildInfoReadFrame(int block) const
{
    return MakeFrame(Frame::kSystemInfo, 0, 0, block, Frame::kRead, kReadZeros);
}

CSendData CAudio_Data::BuildDeviceIdProbeFrame(int probedId) const
{
    CSendData entry = MakeFrame(Frame::kDeviceItem, 0, Frame::kItemDeviceId, 0, Frame::kRead, kReadZeros, probedId);
    entry.m_nProbedId = probedId;
    return entry;
}

CSendData CAudio_Data::BuildDeviceIdChangeFrame(int newId) const
{
    DeviceItemPayload payload{};
    payload[0] = static_cast<uint8_t>(newId);
    return MakeFrame(Frame::kDeviceItem, 0, Frame::kItemDeviceId, 0, Frame::kWrite, payload);
}

CSendData CAudio_Data::BuildDeviceTypeFrame() const
{
    return MakeFrame(Frame::kDeviceItem, 0, Frame::kItemDeviceType, 0, Frame::kRead, kReadZeros);
}

CSendData CAudio_Data::BuildVersionFrame() const
{
    return MakeFrame(Frame::kDeviceItem, 0, Frame::kItemVersion, 0, Frame::kRead, kReadZeros);
}

CSendData CAudio_Data::BuildLockDataFrame(int program, int item, std::span<const uint8_t> lockSet) const
{
    std::array<uint8_t, Frame::kLockSetBytes> payload{};
    std::copy_n(lockSet.begin(), std::min(lockSet.size(), payload.size()), payload.begin());
    return MakeFrame(Frame::kLockData, program, item, 0, 0, payload);
}

// ---- the frame pump --------------------------------------------------------

std::optional<CSendData> CAudio_Data::BuildNextChangeFrame()
{
    if (m_bGenChanged)
    {
        m_bGenChanged = false;
        return BuildGeneratorFrame(false);
    }

    for (int i = 0; i < CAudio_InRoute::kCount; ++i)
    {
        CAudio_InData& input = Input(i);
        if (input.IsNameChanged())
        {
            input.SetNameChanged(false);
            return BuildInputNameFrame(i);
        }
        if (input.IsParamChanged())
        {
            input.SetParamChanged(false);
            return BuildInputParamFrame(i);
        }
        for (int k = 0; k < input.GetBandCount(); ++k)
        {
            CFilter& band = input.GetBand(k);
            if (band.IsChanged())
            {
                band.StepTowardTarget(false);
                return BuildInputBandFrame(i, k);
            }
        }
    }

    for (int i = 0; i < CAudio_OutRoute::kCount; ++i)
    {
        CAudio_OutData& output = Output(i);
        if (output.IsNameChanged())
        {
            output.SetNameChanged(false);
            return BuildOutputNameFrame(i);
        }
        if (output.IsParamChanged())
        {
            output.SetParamChanged(false);
            return BuildOutputParamFrame(i);
        }
        for (int k = 0; k < output.GetBandCount(); ++k)
        {
            CFilter& band = output.GetBand(k);
            if (band.IsChanged())
            {
                band.StepTowardTarget(false);
                return BuildOutputBandFrame(i, k);
            }
        }
        // One crossover frame carries both filters; the high-pass walks first.
        for (CFilter* xover : {&output.GetHighPass(), &output.GetLowPass()})
        {
            if (xover->IsChanged())
            {
                xover->StepTowardTarget(false);
                return BuildOutputXoverFrame(i);
            }
        }
        if (output.IsLimitChanged())
        {
            output.SetLimitChanged(false);
            return BuildOutputLimitFrame(i);
        }
    }

    return std::nullopt;
}

CSendData CAudio_Data::BuildNextPendingFrame()
{
    std::optional<CSendData> change = BuildNextChangeFrame();
    return change ? std::move(*change) : BuildPollFrame();
}
