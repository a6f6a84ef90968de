#include "Filter.h"

#include "Archive.h"
#include "ByteIo.h"

#include <cmath>

void CFilter::SetFrequency(int hz)
{
    m_nFreq = hz;
    UpdateHandle();
    ComputeResponse();
    m_bChanged = 1;
}

void CFilter::SetGeqFrequency(int hz)
{
    m_nGeqFreq = hz;
    m_bGeqFreqSet = 1;
}

void CFilter::SetGainStep(int step)
{
    // Written as the processor's scale is defined (step x 0.1 - 40): the
    // resulting double is stored in program files bit for bit.
    m_dGain = step * 0.1 - 40;
    if (m_dGain != 0.0)
    {
        m_bOff = 0;
        m_bBypass = 0;
    }
    else
    {
        m_bOff = 1;
    }
    UpdateHandle();
    ComputeResponse();
    m_bChanged = 1;
}

void CFilter::SetBandwidthStep(int step)
{
    const double bandwidth = step * 0.01 + 0.01;
    if (m_bGeq)
        m_dGeqBandwidth = bandwidth;
    else
        m_dBandwidth = bandwidth;
    UpdateHandle();
    ComputeResponse();
    m_bChanged = 1;
}

void CFilter::SetOff(int off)
{
    m_bBypass = 0;
    // A band at exactly 0 dB is off by definition; switching it on would
    // send a band that does nothing.
    if (m_dGain == 0.0)
        return;
    m_bOff = off;
    UpdateHandle();
    ComputeResponse();
    m_bChanged = 1;
}

void CFilter::SetBypass(int bypass)
{
    if (bypass)
    {
        m_bSavedBypass = m_bBypass;
        m_bBypass = bypass;
    }
    else
    {
        m_bBypass = m_bSavedBypass;
    }
    if (m_bOff == 0)
    {
        UpdateHandle();
        ComputeResponse();
        m_bChanged = 1;
    }
}

void CFilter::SetType(int type)
{
    m_nType = type;
    if (type == kLowPass)
        m_nSentFreq = 20000;
    ComputeResponse();
    m_bChanged = 1;
}

void CFilter::SetSlope(int slope)
{
    m_nSlope = slope;
    ComputeResponse();
    m_bChanged = 1;
}

void CFilter::SetXoverType(int type)
{
    m_nXoverType = type;
    ComputeResponse();
    m_bChanged = 1;
}

void CFilter::SetGeq(int geq)
{
    m_bGeq = geq;
    m_nFreq = m_nGeqFreq;
    m_dGain = 0.0;
    m_bOff = 1;
    m_bBypass = 1;
    m_bSavedBypass = 1;
    if (geq == 0)
        m_dBandwidth = 0.3;
    UpdateHandle();
    ComputeResponse();
}

void CFilter::StepTowardTarget(int flag)
{
    if (m_bIsBand || m_nSentFreq == m_nFreq)
    {
        m_bChanged = flag;
        return;
    }
    // A sent frequency of 0 or below can only come from a damaged block;
    // go straight to the target instead of dividing by it.
    if (m_nSentFreq <= 0)
        m_nSentFreq = m_nFreq;
    else if (m_nFreq / m_nSentFreq >= 2)
        m_nSentFreq *= 2;
    else if (static_cast<double>(m_nFreq) / m_nSentFreq > 0.5)
        m_nSentFreq = m_nFreq;
    else
        m_nSentFreq /= 2;
    m_bChanged = 1;
}

void CFilter::CopyFrom(const CFilter& src)
{
    m_nType = src.m_nType;
    m_dGain = src.m_dGain;
    m_bOff = src.m_bOff;
    m_bBypass = src.m_bBypass;
    m_dBandwidth = src.m_dBandwidth;
    m_dGeqBandwidth = src.m_dGeqBandwidth;
    m_nFreq = src.m_nFreq;
    m_nSlope = src.m_nSlope;
    m_nXoverType = src.m_nXoverType;
    m_nSentFreq = m_nFreq;
    UpdateHandle();
    ComputeResponse();
}

int CFilter::GetGainStep() const
{
    if (m_bOff || m_bBypass)
        return 400;
    return static_cast<int>(std::floor((m_dGain + 40) * 10 + 0.5));
}

int CFilter::GetBandwidthStep() const
{
    return static_cast<int>(std::lround(GetBandwidth() * 100)) - 1;
}

// Band sub-block:
//   0  type + 1 (1 parametric, 2 low shelf, 3 high shelf)
//   1  shelf slope + 1, for every band type
//   2  parametric: bandwidth step + 1 (hundredths of an octave); shelves: slope + 1
//   4  frequency, Hz (the graphic frequency in graphic-EQ mode)
//   6  gain step + 1 (401 = 0 dB, also whenever the band is off or bypassed)
void CFilter::BuildBandBytes(std::span<uint8_t, kBandBytes> out) const
{
    out[0] = static_cast<uint8_t>(m_nType + 1);
    out[1] = static_cast<uint8_t>(m_nSlope + 1);
    const int width = m_nType == kParametric ? GetBandwidthStep() + 1 : m_nSlope + 1;
    ByteIo::PutWord(out, 2, width);
    ByteIo::PutWord(out, 4, GetFrequency());
    ByteIo::PutWord(out, 6, GetGainStep() + 1);
}

void CFilter::LoadBandBytes(std::span<const uint8_t, kBandBytes> in)
{
    m_nType = in[0] - 1;
    m_nFreq = ByteIo::GetSignedWord(in, 4);
    m_bBypass = 0;
    SetGainStep(ByteIo::GetSignedWord(in, 6) - 1);
    SetBandwidthStep(ByteIo::GetSignedWord(in, 2) - 1);
    m_nSlope = in[1] - 1;
}

void CFilter::LoadXover(int freq, int xoverType, int slope)
{
    m_nXoverType = xoverType;
    m_nFreq = freq;
    m_nSentFreq = freq;
    m_nSlope = slope;
    UpdateHandle();
    ComputeResponse();
}

void CFilter::ComputeResponse()
{
    // The response curve is computed by the graph arithmetic, wired in with it.
}

void CFilter::UpdateHandle()
{
    // Handle and marker geometry come with the response graph arithmetic.
}

void CFilter::Serialize(CArchive& ar)
{
    ar.ExchangeLong(m_nType);
    ar.ExchangeLong(m_nFreq);
    ar.ExchangeLong(m_nGeqFreq);
    ar.ExchangeLong(m_nSentFreq);
    ar.ExchangeDouble(m_dGain);
    ar.ExchangeLong(m_bBypass);
    ar.ExchangeLong(m_bOff);
    ar.ExchangeDouble(m_dBandwidth);
    ar.ExchangeDouble(m_dGeqBandwidth);
    ar.ExchangeLong(m_nXoverType);
    ar.ExchangeLong(m_nSlope);
    ar.ExchangeLong(m_nCode);
    if (ar.IsLoading())
    {
        m_bChanged = 0;
        UpdateHandle();
        ComputeResponse();
    }
}
