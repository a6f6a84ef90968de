#include "model/Audio_Channel.h"

#include "model/ByteIo.h"
#include "model/GraphAxis.h"
#include "model/Scale.h"

#include <algorithm>

namespace
{
// The block's gain word is the step + 301, so 0.0 dB (step 300) is 601.
constexpr int kGainWordBias = 301;
}

CAudio_Channel::CAudio_Channel(CEQ::Kind kind, int channelCode)
    : m_byChannel(static_cast<uint8_t>(channelCode))
    , m_eq(kind)
    , m_nBands(kind == CEQ::Kind::Input ? CEQ::kInputBands : CEQ::kOutputBands)
    , m_nGainLockFlag(kind == CEQ::Kind::Input ? CLockState::kInGain : CLockState::kOutGain)
{
}

void CAudio_Channel::SetGraphRect(int width, int height)
{
    m_nGraphW = width;
    m_nGraphH = height;
    const auto& eqPoints = m_eq.GetPoints();
    m_eq.SetGraphRect(width, height);
    for (int i = 0; i < kFreqPoints; ++i)
        m_aptCurve[static_cast<size_t>(i)] = {eqPoints[static_cast<size_t>(i)].x, height / 2};
    UpdateCurve();
}

void CAudio_Channel::UpdateCurve()
{
    const int zeroY = DbToY(0, m_nGraphH) + kCurveTop;
    SumEq();
    const auto& eqPoints = m_eq.GetPoints();
    m_adCurveDb = m_eq.GetSum();
    if (IsLocked(m_nGainLockFlag))
    {
        for (int i = 0; i < kFreqPoints; ++i)
            m_aptCurve[static_cast<size_t>(i)].y = eqPoints[static_cast<size_t>(i)].y;
        return;
    }
    const double gainDb = Scales::kChannelGain.Value(m_nGain);
    m_nGainOffset = DbToY(gainDb, m_nGraphH) + kCurveTop;
    for (int i = 0; i < kFreqPoints; ++i)
    {
        m_aptCurve[static_cast<size_t>(i)].y = eqPoints[static_cast<size_t>(i)].y + m_nGainOffset - zeroY;
        m_adCurveDb[static_cast<size_t>(i)] += gainDb;
    }
}

void CAudio_Channel::SetName(const std::string& name)
{
    m_szName.fill('\0');
    std::copy_n(name.begin(), std::min(name.size(), m_szName.size()), m_szName.begin());
    m_bNameChanged = true;
}

std::string CAudio_Channel::GetName() const
{
    const auto end = std::find(m_szName.begin(), m_szName.end(), '\0');
    return std::string(m_szName.begin(), end);
}

void CAudio_Channel::SetOn(bool on)
{
    m_bOn = on ? 1 : 0;
    m_bParamChanged = true;
}

void CAudio_Channel::SetPolarity(bool invert)
{
    m_bInvert = invert ? 1 : 0;
    m_bParamChanged = true;
}

void CAudio_Channel::SetDelay(int step)
{
    m_nDelay = step;
    m_bParamChanged = true;
}

void CAudio_Channel::SetGain(int step)
{
    m_nGain = step;
    m_bParamChanged = true;
}

void CAudio_Channel::SetEqBypass(bool bypass)
{
    for (int i = 0; i < m_nBands; ++i)
        m_eq.GetAt(i).SetBypass(bypass);
}

bool CAudio_Channel::UpdateAllBandsOff()
{
    bool allOff = true;
    for (int i = 0; i < m_nBands; ++i)
        allOff = allOff && m_eq.GetAt(i).IsInactive();
    m_bAllBandsOff = allOff;
    return allOff;
}

void CAudio_Channel::BuildBlockHead(std::span<uint8_t> block) const
{
    std::copy(m_szName.begin(), m_szName.end(), block.begin());
    block[8] = static_cast<uint8_t>(m_bOn + 1);
    block[9] = static_cast<uint8_t>(m_bInvert + 1);
    ByteIo::PutWord(block, 10, m_nDelay + 1LL);
    ByteIo::PutWord(block, 12, m_nGain + static_cast<long long>(kGainWordBias));
}

void CAudio_Channel::LoadBlockHead(std::span<const uint8_t> block)
{
    ByteIo::PutText(m_szName, block.first(kNameBytes));
    m_bOn = static_cast<uint8_t>(block[8] - 1);
    m_bInvert = static_cast<uint8_t>(block[9] - 1);
    m_nDelay = ByteIo::GetSignedWord(block, 10) - 1;
    m_nGain = ByteIo::GetSignedWord(block, 12) - kGainWordBias;
}
