#include "model/ParamCatalogue.h"

#include "model/Audio_Data.h"
#include "model/LinkRule.h"
#include "model/LockState.h"
#include "model/ParamAddress.h"

#include <algorithm>

// How the rows reach the record: their address, range, lock, the stored
// step and name, and a write with its link group.

namespace
{
// A parametric output EQ keeps its low shelf (band 1) below this frequency
// and its high shelf (band 15) above it.
constexpr int kShelfSplitHz = 2012;
}

namespace ParamCatalogue
{
int ChannelCount(EParam param)
{
    switch (Param(param).eSide)
    {
    case EParamSide::kInput:
        return CAudio_InRoute::kCount;
    case EParamSide::kOutput:
        return CAudio_OutRoute::kCount;
    default:
        return 1;
    }
}

int IndexCount(EParam param)
{
    return Param(param).nIndexCount;
}

bool IsAddressed(EParam param, ParamAt at)
{
    return at.nChannel >= 0 && at.nChannel < ChannelCount(param) && at.nIndex >= 0 && at.nIndex < IndexCount(param);
}

int ChannelCode(EParam param, ParamAt at)
{
    const EParamSide side = Param(param).eSide;
    return side == EParamSide::kProgram ? 0 : ParamAddress::Of(side, at).Code();
}

bool IsLocked(EParam param, const CLockState* locks)
{
    const int flag = Param(param).nLockFlag;
    return locks != nullptr && flag != kNoLock && locks->IsLocked(flag);
}

StepRange Range(EParam param, const CAudio_Data& data, ParamAt at)
{
    const ParamRow& row = Param(param);
    StepRange range{row.nMin, row.nMax};
    if (!IsAddressed(param, at))
        return range;
    switch (row.eNarrowing)
    {
    case ENarrowing::kNone:
        break;
    case ENarrowing::kOutputBand: {
        const CAudio_OutData& out = data.Output(at.nChannel);
        if (out.GetGeqMode())
            range.nMin = range.nMax = out.GetBand(at.nIndex).GetFrequency();
        else if (at.nIndex == 0)
            range.nMax = kShelfSplitHz;
        else if (at.nIndex == CEQ::kOutputBands - 1)
            range.nMin = kShelfSplitHz;
        break;
    }
    case ENarrowing::kBelowLowPass:
        range.nMax = std::clamp(data.Output(at.nChannel).GetLowPass().m_nFreq, row.nMin, row.nMax);
        break;
    case ENarrowing::kAboveHighPass:
        range.nMin = std::clamp(data.Output(at.nChannel).GetHighPass().m_nFreq, row.nMin, row.nMax);
        break;
    }
    return range;
}

bool NarrowsSilently(EParam param)
{
    return Param(param).bNarrowsSilently;
}

int Get(EParam param, const CAudio_Data& data, ParamAt at)
{
    const ParamRow& row = Param(param);
    if (row.pfnGet == nullptr || !IsAddressed(param, at))
        return 0;
    return row.pfnGet(data, row.eSide, at);
}

bool Set(EParam param, CAudio_Data& data, ParamAt at, int step)
{
    const ParamRow& row = Param(param);
    if (row.pfnSet == nullptr || !IsAddressed(param, at))
        return false;
    const StepRange range = Range(param, data, at);
    step = std::clamp(step, range.nMin, range.nMax);
    const int before = row.pfnGet(data, row.eSide, at);
    if (step == before)
        return false;
    row.pfnSet(data, row.eSide, at, step);
    // The other members of the link group follow, whatever the answer of
    // this one (a band at 0 dB refuses to be switched on, and so do theirs).
    LinkRule::Spread(row, data, at, step);
    return row.pfnGet(data, row.eSide, at) != before;
}

std::string GetText(EParam param, const CAudio_Data& data, ParamAt at)
{
    const ParamRow& row = Param(param);
    if (row.eEntry != EEntry::kText || !IsAddressed(param, at))
        return {};
    return FormatName(ParamAddress::Channel(data, row.eSide, at).GetNameBytes().data());
}

bool SetText(EParam param, CAudio_Data& data, ParamAt at, const std::string& text)
{
    const ParamRow& row = Param(param);
    if (row.eEntry != EEntry::kText || !IsAddressed(param, at))
        return false;
    // Names travel as single bytes; what a user types is kept to the
    // printable ASCII the processor shows.
    std::string name;
    for (char c : text)
        if (c >= 0x20 && c < 0x7F && name.size() < static_cast<size_t>(CAudio_Channel::kNameBytes))
            name += c;
    CAudio_Channel& channel = ParamAddress::Channel(data, row.eSide, at);
    CAudio_Channel::Name bytes{};
    std::copy(name.begin(), name.end(), bytes.begin());
    if (bytes == channel.GetNameBytes())
        return false;
    channel.SetName(name);
    return true;
}

int StepBy(EParam param, int step, int delta, StepRange range)
{
    const ParamRow& row = Param(param);
    if (row.pScale != nullptr)
        return row.pScale->StepBy(step, delta, range.nMin, range.nMax);
    return static_cast<int>(std::clamp<long long>(static_cast<long long>(step) + delta, range.nMin, range.nMax));
}

ParamShown Shown(EParam param, const CAudio_Data& data, ParamAt at)
{
    ParamShown shown;
    const ParamRow& row = Param(param);
    if (row.eIndex != EParamIndex::kBand || !IsAddressed(param, at))
        return shown;
    shown.bBandInactive = ParamAddress::Band(data, row.eSide, at).IsInactive();
    shown.bGeqMode = row.eSide == EParamSide::kOutput && data.Output(at.nChannel).GetGeqMode() != 0;
    return shown;
}

bool BandShowsSlope(EParam param, const CAudio_Data& data, ParamAt at)
{
    const ParamRow& row = Param(param);
    if (!row.bSlopeOnShelf || !IsAddressed(param, at))
        return false;
    return ParamAddress::Band(data, row.eSide, at).GetType() != CFilter::kParametric
           && !Shown(param, data, at).bGeqMode;
}
}
