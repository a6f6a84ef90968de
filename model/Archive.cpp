#include "model/Archive.h"

#include <algorithm>
#include <bit>
#include <cassert>

namespace
{
constexpr uint8_t kLongLength = 0xFF;       // a 2-byte length follows
constexpr uint32_t kWideMarker = 0xFFFE;    // 16-bit characters follow; never written
constexpr uint32_t kHugeLength = 0xFFFF;    // a 4-byte length follows
}

CArchive::CArchive(std::span<const uint8_t> bytes)
    : m_bStoring(false)
    , m_abyIn(bytes)
{
}

// ---- storing -----------------------------------------------------------------

void CArchive::WriteByte(uint8_t value)
{
    assert(m_bStoring);
    m_abyOut.push_back(value);
}

void CArchive::WriteLong(int32_t value)
{
    const auto bits = static_cast<uint32_t>(value);
    for (int i = 0; i < 4; ++i)
        WriteByte(static_cast<uint8_t>(bits >> (8 * i)));
}

void CArchive::WriteDouble(double value)
{
    const auto bits = std::bit_cast<uint64_t>(value);
    for (int i = 0; i < 8; ++i)
        WriteByte(static_cast<uint8_t>(bits >> (8 * i)));
}

void CArchive::WriteString(std::string_view text)
{
    const size_t n = text.size();
    assert(n <= UINT32_MAX);
    if (n < kLongLength)
    {
        WriteByte(static_cast<uint8_t>(n));
    }
    else if (n < kWideMarker)
    {
        WriteByte(kLongLength);
        WriteByte(static_cast<uint8_t>(n));
        WriteByte(static_cast<uint8_t>(n >> 8));
    }
    else
    {
        WriteByte(kLongLength);
        WriteByte(0xFF);
        WriteByte(0xFF);
        for (int i = 0; i < 4; ++i)
            WriteByte(static_cast<uint8_t>(n >> (8 * i)));
    }
    m_abyOut.insert(m_abyOut.end(), text.begin(), text.end());
}

void CArchive::WriteBytes(std::span<const uint8_t> bytes)
{
    assert(m_bStoring);
    m_abyOut.insert(m_abyOut.end(), bytes.begin(), bytes.end());
}

// ---- loading -----------------------------------------------------------------

std::span<const uint8_t> CArchive::Take(size_t n)
{
    assert(!m_bStoring);
    if (!IsOk())
        return {};
    if (n > GetRemaining())
    {
        m_eStatus = Status::kEndOfData;
        return {};
    }
    const auto bytes = m_abyIn.subspan(m_nPos, n);
    m_nPos += n;
    return bytes;
}

uint32_t CArchive::TakeUnsigned(size_t n)
{
    const auto bytes = Take(n);
    uint32_t value = 0;
    for (size_t i = 0; i < bytes.size(); ++i)
        value |= static_cast<uint32_t>(bytes[i]) << (8 * i);
    return value;
}

bool CArchive::ReadByte(uint8_t& value)
{
    const uint32_t v = TakeUnsigned(1);
    if (!IsOk())
        return false;
    value = static_cast<uint8_t>(v);
    return true;
}

bool CArchive::ReadLong(int32_t& value)
{
    const uint32_t v = TakeUnsigned(4);
    if (!IsOk())
        return false;
    value = static_cast<int32_t>(v);
    return true;
}

bool CArchive::ReadDouble(double& value)
{
    const auto bytes = Take(8);
    if (!IsOk())
        return false;
    uint64_t bits = 0;
    for (size_t i = 0; i < 8; ++i)
        bits |= static_cast<uint64_t>(bytes[i]) << (8 * i);
    value = std::bit_cast<double>(bits);
    return true;
}

bool CArchive::ReadString(std::string& text)
{
    uint32_t n = TakeUnsigned(1);
    if (n == kLongLength)
    {
        n = TakeUnsigned(2);
        if (IsOk() && n == kWideMarker)
            MarkDamaged();
        else if (n == kHugeLength)
            n = TakeUnsigned(4);
    }
    // Take checks the length against what is left before anything is
    // allocated, so a damaged prefix cannot ask for gigabytes.
    const auto bytes = Take(n);
    if (!IsOk())
        return false;
    text.assign(bytes.begin(), bytes.end());
    return true;
}

bool CArchive::ReadBytes(std::span<uint8_t> out)
{
    const auto bytes = Take(out.size());
    if (!IsOk())
        return false;
    std::copy(bytes.begin(), bytes.end(), out.begin());
    return true;
}

void CArchive::MarkDamaged()
{
    if (IsOk())
        m_eStatus = Status::kDamaged;
}

// ---- either direction ----------------------------------------------------------

void CArchive::ExchangeByte(uint8_t& value)
{
    if (m_bStoring)
        WriteByte(value);
    else
        ReadByte(value);
}

void CArchive::ExchangeLong(int32_t& value)
{
    if (m_bStoring)
        WriteLong(value);
    else
        ReadLong(value);
}

void CArchive::ExchangeDouble(double& value)
{
    if (m_bStoring)
        WriteDouble(value);
    else
        ReadDouble(value);
}

void CArchive::ExchangeString(std::string& text)
{
    if (m_bStoring)
        WriteString(text);
    else
        ReadString(text);
}
