#include "model/Audio_OutData.h"

#include "model/Archive.h"
#include "model/ByteIo.h"
#include "model/FileFields.h"

CAudio_OutData::CAudio_OutData(int index)
    : CAudio_Channel(CEQ::Kind::Output, index + Frame::kFirstOutputCode)
{
}

void CAudio_OutData::SetRoute(int mask)
{
    m_byRoute = static_cast<uint8_t>(mask);
    m_bParamChanged = true;
}

void CAudio_OutData::SetLimitThreshold(int step)
{
    m_nLimitThreshold = step;
    m_bLimitChanged = true;
}

void CAudio_OutData::SetLimitAttack(int step)
{
    m_nLimitAttack = step;
    m_bLimitChanged = true;
}

void CAudio_OutData::SetLimitRelease(int ms)
{
    m_nLimitRelease = ms;
    m_bLimitChanged = true;
}

void CAudio_OutData::SumEq()
{
    m_eq.SumOutput(IsLocked(CLockState::kOutEq), IsLocked(CLockState::kOutXover));
}

void CAudio_OutData::SwitchBands(int mode)
{
    m_bGeqMode = mode;
    for (int k = 0; k < CEQ::kOutputBands; ++k)
    {
        CFilter& band = m_eq.GetAt(k);
        // The outer bands are shelves in parametric mode only.
        if (k == 0)
            band.SetType(mode ? CFilter::kParametric : CFilter::kLowShelf);
        else if (k == CEQ::kOutputBands - 1)
            band.SetType(mode ? CFilter::kParametric : CFilter::kHighShelf);
        band.SetGeq(mode != 0);
    }
}

void CAudio_OutData::SetGeqMode(int mode, bool changed)
{
    SwitchBands(mode);
    for (int k = 0; k < CEQ::kOutputBands; ++k)
        m_eq.GetAt(k).StepTowardTarget(changed);
}

void CAudio_OutData::ApplyGeqMode(int mode)
{
    if (mode == m_bGeqMode)
        return;
    SwitchBands(mode);
}

void CAudio_OutData::CopyLinkedSettings(const CAudio_OutData& src)
{
    // The mode switch sets what the filter copy leaves alone (the bands'
    // graphic-EQ flag and outer types); the copy then stores the same mode.
    SetGeqMode(src.m_bGeqMode, false);
    RecordField::Copy(src, *this, RecordField::kLinked);
    m_eq.CopyFrom(src.m_eq);
}

// The block is not built from the field visitor: it has its own order,
// biases and derived words (the crossover's sent frequency, not its target).
std::span<const uint8_t, CAudio_OutData::kBlockBytes> CAudio_OutData::BuildBlock()
{
    std::span<uint8_t, kBlockBytes> block(m_abyBlock);
    BuildBlockHead(block);
    block[14] = m_byRoute;
    block[15] = static_cast<uint8_t>(m_bGeqMode + 1LL);

    ByteIo::PutWord(block, 16, m_nLimitThreshold + 1LL);
    ByteIo::PutWord(block, 18, m_nLimitAttack + 1LL);
    ByteIo::PutWord(block, 20, m_nLimitRelease);
    block[22] = 0;
    block[23] = 0;

    const CFilter& lowPass = GetLowPass();
    const CFilter& highPass = GetHighPass();
    ByteIo::PutWord(block, 24, lowPass.GetSentFreq());
    block[26] = static_cast<uint8_t>(lowPass.GetXoverType() + 1LL);
    block[27] = static_cast<uint8_t>(lowPass.GetSlope() + 1LL);
    ByteIo::PutWord(block, 28, highPass.GetSentFreq());
    block[30] = static_cast<uint8_t>(highPass.GetXoverType() + 1LL);
    block[31] = static_cast<uint8_t>(highPass.GetSlope() + 1LL);

    for (int k = 0; k < CEQ::kOutputBands; ++k)
        m_eq.GetAt(k).BuildBandBytes(block.subspan(kBandOffset + CFilter::kBandBytes * k).first<CFilter::kBandBytes>());
    return m_abyBlock;
}

void CAudio_OutData::LoadBlock(std::span<const uint8_t, kBlockBytes> block)
{
    LoadBlockHead(block);
    m_byRoute = block[14];
    SetGeqMode(block[15] - 1, 0);
    m_nLimitThreshold = ByteIo::GetSignedWord(block, 16) - 1;
    m_nLimitAttack = ByteIo::GetSignedWord(block, 18) - 1;
    m_nLimitRelease = ByteIo::GetSignedWord(block, 20);
    for (int k = 0; k < CEQ::kOutputBands; ++k)
        m_eq.GetAt(k).LoadBandBytes(block.subspan(kBandOffset + CFilter::kBandBytes * k).first<CFilter::kBandBytes>());
    GetHighPass().LoadXover(ByteIo::GetSignedWord(block, 28), block[30] - 1, block[31] - 1);
    GetLowPass().LoadXover(ByteIo::GetSignedWord(block, 24), block[26] - 1, block[27] - 1);
}

void CAudio_OutData::Serialize(CArchive& ar)
{
    VisitFields(CFileFields(ar), *this);
    if (ar.IsLoading())
    {
        // Switching the mode flattens the bands; the stored bands that
        // follow then overwrite them, keeping what the switch set beyond
        // the file's fields (graphic-EQ flag, saved bypass).
        SetGeqMode(m_bGeqMode, true);
        m_bParamChanged = false;
    }
    m_eq.Serialize(ar);
}
