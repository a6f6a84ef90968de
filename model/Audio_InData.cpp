#include "model/Audio_InData.h"

#include "model/Archive.h"
#include "model/ByteIo.h"

CAudio_InData::CAudio_InData(int index)
    : CAudio_Channel(CEQ::Kind::Input, index + Frame::kFirstInputCode)
{
}

void CAudio_InData::SetGate(int step)
{
    m_nGate = step;
    m_bParamChanged = 1;
}

void CAudio_InData::SetGateActive(int active)
{
    m_bGateActive = static_cast<uint8_t>(active);
    m_bParamChanged = 1;
}

void CAudio_InData::SumEq()
{
    m_eq.SumInput(IsLocked(CLockState::kInEq));
}

void CAudio_InData::CopyLinkedSettings(const CAudio_InData& src)
{
    m_bInvert = src.m_bInvert;
    m_nDelay = src.m_nDelay;
    m_nGain = src.m_nGain;
    m_nGate = src.m_nGate;
    m_bGateActive = src.m_bGateActive;
    m_eq.CopyFrom(src.m_eq);
}

std::span<const uint8_t, CAudio_InData::kBlockBytes> CAudio_InData::BuildBlock()
{
    std::span<uint8_t, kBlockBytes> block(m_abyBlock);
    BuildBlockHead(block);
    block[14] = static_cast<uint8_t>(m_nGate & 0xFF);
    block[15] = 0;
    for (int k = 0; k < CEQ::kInputBands; ++k)
        m_eq.GetAt(k).BuildBandBytes(block.subspan(kBandOffset + CFilter::kBandBytes * k).first<CFilter::kBandBytes>());
    return m_abyBlock;
}

void CAudio_InData::LoadBlock(std::span<const uint8_t, kBlockBytes> block)
{
    LoadBlockHead(block);
    m_nGate = block[14];
    m_bGateActive = block[14] != 0 ? 1 : 0;
    m_nSpare15 = block[15];
    for (int k = 0; k < CEQ::kInputBands; ++k)
        m_eq.GetAt(k).LoadBandBytes(block.subspan(kBandOffset + CFilter::kBandBytes * k).first<CFilter::kBandBytes>());
}

void CAudio_InData::Serialize(CArchive& ar)
{
    std::string name = GetName();
    ar.ExchangeString(name);
    if (ar.IsLoading())
        SetNameFromFile(name);
    ar.ExchangeByte(m_bOn);
    ar.ExchangeByte(m_bInvert);
    ar.ExchangeLong(m_nDelay);
    ar.ExchangeLong(m_nGain);
    ar.ExchangeByte(m_bGateActive);
    ar.ExchangeLong(m_nSpare15);
    ar.ExchangeByte(m_byParamCode);
    ExchangeChannelCode(ar);
    m_eq.Serialize(ar);
}
