#include "wire/Frame.h"

namespace Frame
{
std::vector<uint8_t> Build(const Header& header, std::span<const uint8_t> payload)
{
    const size_t length = payload.size();
    std::vector<uint8_t> frame;
    frame.reserve(length + kOverhead);
    frame.push_back(kStart);
    frame.push_back(header.byType);
    frame.push_back(header.byDeviceId);
    frame.push_back(header.byProgram);
    frame.push_back(header.byItem);
    frame.push_back(header.byBlock);
    frame.push_back(header.bySelector);
    frame.push_back(static_cast<uint8_t>(length & 0xFF));
    frame.push_back(static_cast<uint8_t>((length >> 8) & 0xFF));
    frame.insert(frame.end(), payload.begin(), payload.end());
    frame.push_back(Check(frame));
    frame.push_back(kEnd);
    return frame;
}

uint8_t Check(std::span<const uint8_t> bytes)
{
    uint8_t check = 0;
    for (size_t i = 1; i < bytes.size(); ++i)
        check ^= bytes[i];
    return check;
}

int PayloadLength(std::span<const uint8_t> frame)
{
    if (frame.size() < kHeaderSize)
        return -1;
    return frame[kOffLengthLow] | (frame[kOffLengthHigh] << 8);
}

bool Verify(std::span<const uint8_t> frame)
{
    const int length = PayloadLength(frame);
    if (length < 0 || frame[kOffStart] != kStart)
        return false;
    if (frame.size() != static_cast<size_t>(length) + kOverhead)
        return false;
    if (frame[frame.size() - 1] != kEnd)
        return false;
    return Check(frame.first(frame.size() - 2)) == frame[frame.size() - 2];
}

std::vector<uint8_t> OnWire(std::span<const uint8_t> frame)
{
    std::vector<uint8_t> bytes;
    bytes.reserve(frame.size() + kPreambleSize);
    bytes.insert(bytes.end(), static_cast<size_t>(kPreambleSize), kStart);
    bytes.insert(bytes.end(), frame.begin(), frame.end());
    return bytes;
}
}
