#include "model/LockState.h"

#include <algorithm>

namespace
{

bool IsPadding(char c)
{
    return c == ' ' || c == '\0';
}
}

void CLockState::SetPassword(const std::string& password)
{
    m_strPassword = password;
}

void CLockState::DecodeLockSet(int program, std::span<const uint8_t> lockSet)
{
    LockSet set{};
    std::copy_n(lockSet.begin(), std::min(lockSet.size(), set.size()), set.begin());

    auto bit = [&set](int flag) { return static_cast<uint8_t>((set[static_cast<size_t>(flag / 8)] >> (flag % 8)) & 1); };

    if (program == Frame::kLiveProgram)
    {
        for (int flag = 0; flag < kFlagBytes * 8; ++flag)
            m_abyFlags[static_cast<size_t>(flag)] = bit(flag);
        for (int i = 0; i < kPasswordLength; ++i)
            m_abyFlags[static_cast<size_t>(kPasswordFirstFlag + i)] = set[static_cast<size_t>(kFlagBytes + i)];
        std::string text(set.begin() + kFlagBytes, set.end());
        const auto first = std::find_if_not(text.begin(), text.end(), IsPadding);
        const auto last = std::find_if_not(text.rbegin(), text.rend(), IsPadding).base();
        m_strPassword = first < last ? std::string(first, last) : std::string();
        return;
    }

    for (int flag = 0; flag < kFunctionFlags; ++flag)
    {
        m_abyFixed[static_cast<size_t>(flag)] = bit(flag);
        if (program != Frame::kSystemProgram)
            m_abyFlags[static_cast<size_t>(flag)] = bit(flag);
    }
}

CLockState::LockSet CLockState::EncodeLockSet() const
{
    LockSet set{};
    for (int flag = 0; flag < kFlagBytes * 8; ++flag)
        if (m_abyFlags[static_cast<size_t>(flag)])
            set[static_cast<size_t>(flag / 8)] |= static_cast<uint8_t>(1 << (flag % 8));
    // The PC only ever holds an empty or a six-character password; anything
    // else received from the processor is sent back cut or space-padded.
    for (int i = 0; i < kPasswordLength; ++i)
    {
        const size_t n = static_cast<size_t>(i);
        set[kFlagBytes + n] = n < m_strPassword.size() ? static_cast<uint8_t>(m_strPassword[n]) : ' ';
    }
    return set;
}

void CLockState::ClearLocks()
{
    m_abyFlags.fill(0);
}
