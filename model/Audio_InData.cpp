#include "model/Audio_InData.h"

#include "model/Archive.h"
#include "model/ByteIo.h"
#include "model/FileFields.h"

CAudio_InData::CAudio_InData(int index)
    : CAudio_Channel(CEQ::Kind::Input, index + Frame::kFirstInputCode)
{
}

void CAudio_InData::SetGate(int step)
{
    m_nGate = step;
    m_bParamChanged = true;
}

void CAudio_InData::SetGateActive(bool active)
{
    m_bGateActive = active ? 1 : 0;
    m_bParamChanged = true;
}

void CAudio_InData::SumEq()
{
    m_eq.SumInput(IsLocked(CLockState::kInEq));
}

void CAudio_InData::CopyLinkedSettings(const CAudio_InData& src)
{
    RecordField::Copy(src, *this, RecordField::kLinked);
    m_eq.CopyFrom(src.m_eq);
}

// The block is not built from the field visitor: it has its own order,
// biases and derived bytes (the gate byte carries the threshold, the gate
// flag follows from it).
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
    VisitFields(CFileFields(ar), *this);
    m_eq.Serialize(ar);
}
