#include "link/Receiver.h"

#include "wire/Frame.h"
#include "model/LockState.h"

#include <algorithm>

namespace
{
constexpr int kMaxMajorVersion = 9999;
constexpr size_t kVersionNumberAt = 4;    // "C-DV1.05": the number starts at the fifth character
constexpr uint8_t kFirstPrintable = 0x20;
// The meters show steps 0..11; 12..15 read as full scale. Above 15 the
// indicator bit of an output is set, up to 27.
constexpr int kMeterTop = 11;
constexpr int kMeterFirstOver = 12;
constexpr int kMeterLastOver = 15;
constexpr int kMeterMax = 27;

uint8_t PayloadByte(std::span<const uint8_t> payload, size_t i)
{
    return i < payload.size() ? payload[i] : 0;
}
}

CReceiver::CReceiver()
{
    for (int k = 0; k < Frame::kDeviceIdCount; ++k)
        m_anDeviceIds[static_cast<size_t>(k)] = static_cast<uint16_t>(k + Frame::kFirstDeviceId);
}

int CReceiver::MajorVersion(const std::string& text)
{
    int nMajor = 0;
    for (size_t i = kVersionNumberAt; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
        nMajor = std::min(kMaxMajorVersion, nMajor * 10 + (text[i] - '0'));
    return nMajor;
}

int CReceiver::ClampLevel(int value)
{
    if (value >= kMeterFirstOver && value <= kMeterLastOver)
        return kMeterTop;
    return std::min(value, kMeterMax);
}

CReceiver::Outcome CReceiver::Handle(std::span<const uint8_t> frame)
{
    Outcome out;
    if (frame.size() < static_cast<size_t>(Frame::kOverhead))
        return out;
    const int nType = frame[Frame::kOffType];
    const int nProgram = frame[Frame::kOffProgram];
    const int nItem = frame[Frame::kOffItem];
    const int nBlock = frame[Frame::kOffBlock];
    const auto payload = frame.subspan(Frame::kOffPayload, frame.size() - Frame::kOverhead);

    out.bAnswered = true;
    switch (nType)
    {
    case Frame::kBlockRead:
        OnBlock(nBlock, payload, out);
        break;
    case Frame::kAck:
    case Frame::kAck2:
        break;
    case Frame::kLevels:
        OnLevels(payload, out);
        break;
    case Frame::kProgramName:
        OnProgramName(nProgram, payload, out);
        break;
    case Frame::kDeviceItem:
    case Frame::kSystemInfo:
        OnDeviceItem(nItem, nBlock, payload, out);
        break;
    case Frame::kLockData:
        OnLockData(nProgram, nItem, payload, out);
        break;
    case Frame::kProgramImage:
        OnProgramImage(nProgram, nBlock, payload, out);
        break;
    default:
        // Not an answer the program knows: the request stays in flight.
        out.bAnswered = false;
        break;
    }
    return out;
}

void CReceiver::StoreAtBlock(int blockCode, std::span<const uint8_t> payload, size_t limit)
{
    const size_t offset = static_cast<size_t>(CImageSlot::BlockOffset(blockCode));
    // Never past the image, whatever the processor claims to send.
    const size_t n = std::min({payload.size(), limit, m_receiveSlot.abyImage.size() - offset});
    std::copy_n(payload.begin(), n, m_receiveSlot.abyImage.begin() + static_cast<long>(offset));
}

void CReceiver::OnBlock(int blockCode, std::span<const uint8_t> payload, Outcome& out)
{
    if (CImageSlot::IsValidBlockCode(blockCode))
        StoreAtBlock(blockCode, payload, static_cast<size_t>(CImageSlot::BlockSize(blockCode)));
    if (blockCode == Frame::kLastBlockCode)
        out.dwNotices |= kLiveProgramRead;
}

void CReceiver::OnLevels(std::span<const uint8_t> payload, Outcome& out)
{
    const size_t n = std::min(payload.size(), m_anLevels.size());
    for (size_t i = 0; i < n; ++i)
        m_anLevels[i] = ClampLevel(payload[i]);
    out.dwNotices |= kLevelsReceived;
}

void CReceiver::OnProgramName(int program, std::span<const uint8_t> payload, Outcome& out)
{
    // Control bytes (the zero padding among them) read as spaces and are
    // trimmed; every other byte is kept as it is, so a name read and written
    // back does not change.
    std::string name;
    const size_t n = std::min(payload.size(), static_cast<size_t>(Frame::kProgramNameBytes));
    for (size_t i = 0; i < n; ++i)
        name.push_back(static_cast<char>(payload[i] < kFirstPrintable ? ' ' : payload[i]));
    name.erase(name.find_last_not_of(' ') + 1);

    m_strName = name;
    if (program < Frame::kLiveProgram || program >= Frame::kProgramNumbers)
        return;
    out.dwNotices |= kProgramNameReceived;
    out.nProgram = program;
    if (program == Frame::kLiveProgram)
        m_staging.SetName(name);
}

void CReceiver::OnDeviceItem(int item, int block, std::span<const uint8_t> payload, Outcome& out)
{
    switch (item)
    {
    case Frame::kItemDeviceId:
    {
        const int nId = PayloadByte(payload, 0);
        if (nId >= Frame::kFirstDeviceId && nId <= Frame::kLastDeviceId)
            m_anDeviceIds[static_cast<size_t>(nId - Frame::kFirstDeviceId)] = static_cast<uint16_t>(nId);
        if (nId == Frame::kLastDeviceId)
            out.dwNotices |= kLastIdAnswered;
        break;
    }
    case Frame::kItemDeviceType:
        m_nDeviceType = PayloadByte(payload, 0);
        out.nDeviceType = m_nDeviceType;
        out.dwNotices |= kDeviceTypeReceived;
        break;
    case Frame::kItemGenerator:
        m_staging.SetGeneratorBlock(payload.first(std::min(payload.size(), size_t{Frame::kGeneratorBytes})));
        break;
    case Frame::kItemBacklight:
        m_staging.SetBacklight(PayloadByte(payload, 0));
        break;
    case Frame::kItemVersion:
    {
        const auto text = payload.first(std::min(payload.size(), size_t{Frame::kVersionBytes}));
        m_strVersion.assign(text.begin(), std::find(text.begin(), text.end(), uint8_t{0}));
        const int nMajor = MajorVersion(m_strVersion);
        if (nMajor != kSupportedMajorVersion)
        {
            // The request stays at the head: the owner disconnects anyway.
            out.bAnswered = false;
            out.nMajorVersion = nMajor;
            out.dwNotices |= kVersionMismatch;
        }
        break;
    }
    case Frame::kItemPowerOn:
        m_staging.SetPowerOnMode(PayloadByte(payload, 0));
        break;
    default:
        break;
    }

    if (block == Frame::kWholeBlock)
    {
        m_staging.SetInfoBlock(payload.first(std::min(payload.size(), size_t{Frame::kInfoBlockBytes})));
        out.dwNotices |= kSystemInfoReceived;
    }
}

void CReceiver::OnLockData(int program, int item, std::span<const uint8_t> payload, Outcome& out)
{
    if (item == Frame::kLockSetRead)
    {
        m_abyLockData.fill(0);
        std::copy_n(payload.begin(), std::min(payload.size(), m_abyLockData.size()), m_abyLockData.begin());
        if (m_pLockState)
            m_pLockState->DecodeLockSet(program, m_abyLockData);
        out.nProgram = program;
        out.dwNotices |= kLockSetReceived;
    }
    else if (item == Frame::kProgramLockRead)
    {
        // The answer fills the first 8 lock bytes; the other four are 0.
        auto& info = m_receiveSlot.abyInfo;
        info.fill(0);
        std::copy_n(payload.begin(), std::min(payload.size(), size_t{Frame::kProgramLockBytes}), info.begin());
    }
}

void CReceiver::OnProgramImage(int program, int block, std::span<const uint8_t> payload, Outcome& out)
{
    if (block == Frame::kWholeBlock && program != Frame::kLiveProgram)
    {
        StoreAtBlock(Frame::kFirstInputCode, payload, CImageSlot::kImageBytes);
        out.nProgram = program;
        out.dwNotices |= kProgramReceived;
    }
    else if ((block == Frame::kWholeBlock || block == Frame::kSecondBlock) && program == Frame::kLiveProgram)
    {
        StoreAtBlock(block, payload, CImageSlot::kImageBytes);
    }
}
