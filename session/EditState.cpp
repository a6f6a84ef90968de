#include "session/EditState.h"

#include "model/Audio_Data.h"
#include "model/LockState.h"

#include <algorithm>

namespace
{
using FilterState = CEditState::FilterState;
using ParamState = CEditState::ParamState;
using LimiterState = CEditState::LimiterState;
using ChannelState = CEditState::ChannelState;

FilterState FilterOf(const CFilter& f)
{
    return {f.m_nType, f.m_nFreq, f.m_nGeqFreq, f.m_dGain, f.m_bOff, f.m_bBypass, f.m_bSavedBypass,
            f.m_dBandwidth, f.m_dGeqBandwidth, f.m_nXoverType, f.m_nSlope, f.m_bGeq};
}

ParamState ParamsOf(const CAudio_InData& input)
{
    return {input.m_bOn, input.m_bInvert, input.m_nDelay, input.m_nGain, input.m_nGate, input.m_bGateActive,
            input.m_nSpare15, 0, 0};
}

ParamState ParamsOf(const CAudio_OutData& output)
{
    return {output.m_bOn, output.m_bInvert, output.m_nDelay, output.m_nGain, 0, 0, 0, output.m_byRoute,
            output.m_bGeqMode};
}

LimiterState LimiterOf(const CAudio_InData&)
{
    return {};
}

LimiterState LimiterOf(const CAudio_OutData& output)
{
    return {output.m_nLimitThreshold, output.m_nLimitAttack, output.m_nLimitRelease};
}

void WriteParams(const ParamState& s, CAudio_InData& input)
{
    input.m_nGate = s.nGate;
    input.m_bGateActive = static_cast<uint8_t>(s.bGateActive);
    input.m_nSpare15 = s.nSpare15;
}

void WriteParams(const ParamState& s, CAudio_OutData& output)
{
    output.m_byRoute = static_cast<uint8_t>(s.nRoute);
    output.m_bGeqMode = s.bGeqMode;
}

void WriteLimiter(const LimiterState&, CAudio_InData&)
{
}

void WriteLimiter(const LimiterState& s, CAudio_OutData& output)
{
    output.m_nLimitThreshold = s.nThreshold;
    output.m_nLimitAttack = s.nAttack;
    output.m_nLimitRelease = s.nRelease;
}

template <class TRecord>
ChannelState ChannelOf(const TRecord& record)
{
    ChannelState s{record.GetNameBytes(), ParamsOf(record), LimiterOf(record), {}};
    const CEQ& eq = record.GetEQ();
    s.filters.reserve(static_cast<size_t>(eq.GetSize()));
    for (int k = 0; k < eq.GetSize(); ++k)
        s.filters.push_back(FilterOf(eq.GetAt(k)));
    return s;
}

void WriteFilter(const FilterState& s, CFilter& f)
{
    if (FilterOf(f) == s)
        return;
    f.m_nType = s.nType;
    f.m_nFreq = s.nFreq;
    f.m_nGeqFreq = s.nGeqFreq;
    f.m_dGain = s.dGain;
    f.m_bOff = s.bOff;
    f.m_bBypass = s.bBypass;
    f.m_bSavedBypass = s.bSavedBypass;
    f.m_dBandwidth = s.dBandwidth;
    f.m_dGeqBandwidth = s.dGeqBandwidth;
    f.m_nXoverType = s.nXoverType;
    f.m_nSlope = s.nSlope;
    f.m_bGeq = s.bGeq;
    f.UpdateHandle();
    if (f.m_bIsBand)
        f.UpdateMarkers();
    f.ComputeResponse();
}

// Raises the change flag of the group that sub-block `code` carries.
void MarkSubBlock(CAudio_InData& input, int code)
{
    if (code == 0)
        input.SetNameChanged(1);
    else if (code == 1)
        input.SetParamChanged(1);
    else
        input.GetBand(code - 2).SetChanged(1);
}

void MarkSubBlock(CAudio_OutData& output, int code)
{
    if (code == 0)
        output.SetNameChanged(1);
    else if (code == 1)
        output.SetParamChanged(1);
    else if (code == CAudio_OutData::kLimitCode)
        output.SetLimitChanged(1);
    else if (code == CAudio_OutData::kXoverCode)
        output.GetHighPass().SetChanged(1);
    else
        output.GetBand(code - 2).SetChanged(1);
}

int LastSubBlockCode(const CAudio_InData&)
{
    return 1 + CEQ::kInputBands;
}

int LastSubBlockCode(const CAudio_OutData&)
{
    return CAudio_OutData::kXoverCode;
}

// A crossover filter keeps the frequency it has sent so far: the pump walks
// it to the restored target an octave at a time, as after any other move.
void MarkCrossoverWalks(CAudio_InData&)
{
}

void MarkCrossoverWalks(CAudio_OutData& output)
{
    for (CFilter* pXover : {&output.GetHighPass(), &output.GetLowPass()})
        if (pXover->GetSentFreq() != pXover->m_nFreq)
            pXover->SetChanged(1);
}

// Fields the processor never sees (the gain of a band that is off, the
// parametric bandwidth of a graphic band) are restored too, but only a
// sub-block whose bytes change is marked for sending.
template <class TRecord>
bool WriteChannel(const ChannelState& s, TRecord& record)
{
    if (ChannelOf(record) == s)
        return false;
    const auto built = record.BuildBlock();
    const std::vector<uint8_t> before(built.begin(), built.end());

    record.m_szName = s.name;
    record.m_bOn = static_cast<uint8_t>(s.params.bOn);
    record.m_bInvert = static_cast<uint8_t>(s.params.bInvert);
    record.m_nDelay = s.params.nDelay;
    record.m_nGain = s.params.nGain;
    WriteParams(s.params, record);
    WriteLimiter(s.limiter, record);
    CEQ& eq = record.GetEQ();
    for (int k = 0; k < eq.GetSize() && k < static_cast<int>(s.filters.size()); ++k)
        WriteFilter(s.filters[static_cast<size_t>(k)], eq.GetAt(k));

    const auto after = record.BuildBlock();
    for (int code = 0; code <= LastSubBlockCode(record); ++code)
    {
        const auto offset = static_cast<size_t>(TRecord::SubBlockOffset(code));
        if (!std::equal(after.begin() + offset, after.begin() + offset + Frame::kSubBlockBytes, before.begin() + offset))
            MarkSubBlock(record, code);
    }
    MarkCrossoverWalks(record);
    record.UpdateAllBandsOff();
    record.UpdateCurve();
    return true;
}

template <class TRoute, size_t N>
bool WriteGroups(const std::array<int, N>& groups, TRoute& route, bool bLocked)
{
    bool bChanged = false;
    for (int i = 0; i < route.GetSize() && !bLocked; ++i)
    {
        const int nGroup = groups.at(static_cast<size_t>(i));
        if (route.GetLinkGroup(i) != nGroup)
        {
            route.SetLinkGroup(i, nGroup);
            bChanged = true;
        }
    }
    return bChanged;
}
}

CEditState CEditState::Capture(const CAudio_Data& record)
{
    CEditState state;
    state.m_strName = record.GetName();
    for (int i = 0; i < Frame::kInputCount; ++i)
    {
        state.m_aChannels.at(static_cast<size_t>(i)) = ChannelOf(record.Input(i));
        state.m_anInputGroups.at(static_cast<size_t>(i)) = record.Inputs().GetLinkGroup(i);
    }
    for (int i = 0; i < Frame::kOutputCount; ++i)
    {
        state.m_aChannels.at(static_cast<size_t>(Frame::kInputCount + i)) = ChannelOf(record.Output(i));
        state.m_anOutputGroups.at(static_cast<size_t>(i)) = record.Outputs().GetLinkGroup(i);
    }
    return state;
}

bool CEditState::ApplyTo(CAudio_Data& record, const CLockState& locks) const
{
    bool bChanged = false;
    if (record.GetName() != m_strName)
    {
        record.SetName(m_strName);
        bChanged = true;
    }
    // Groups first: the linked marker of the frames the pump builds follows them.
    bChanged = WriteGroups(m_anInputGroups, record.Inputs(), locks.IsLocked(CLockState::kInLink)) || bChanged;
    bChanged = WriteGroups(m_anOutputGroups, record.Outputs(), locks.IsLocked(CLockState::kOutLink)) || bChanged;
    for (int i = 0; i < Frame::kInputCount; ++i)
        bChanged = WriteChannel(m_aChannels.at(static_cast<size_t>(i)), record.Input(i)) || bChanged;
    for (int i = 0; i < Frame::kOutputCount; ++i)
        bChanged = WriteChannel(m_aChannels.at(static_cast<size_t>(Frame::kInputCount + i)), record.Output(i)) || bChanged;
    return bChanged;
}
