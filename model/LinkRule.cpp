#include "model/LinkRule.h"

#include "model/Audio_Data.h"

#include <algorithm>
#include <array>

namespace
{
bool IsFrequencyRow(EParam param)
{
    return param == EParam::kInBandFreq || param == EParam::kOutBandFreq;
}

bool IsWidthRow(EParam param)
{
    return param == EParam::kInBandWidth || param == EParam::kOutBandWidth;
}

const CAudio_Channel& Channel(const CAudio_Data& data, EParamSide side, int channel)
{
    if (side == EParamSide::kInput)
        return data.Input(channel);
    return data.Output(channel);
}

// A field a member takes through its record's own getter and setter,
// whichever its type (a yes/no polarity, a step).
template <class TRecord>
struct Field
{
    bool (*pfnSame)(const TRecord& a, const TRecord& b);
    void (*pfnTake)(const TRecord& from, TRecord& to);
};

template <class TRecord, auto pfnGet, auto pfnSet>
constexpr Field<TRecord> Through()
{
    return {[](const TRecord& a, const TRecord& b) { return (a.*pfnGet)() == (b.*pfnGet)(); },
            [](const TRecord& from, TRecord& to) { (to.*pfnSet)((from.*pfnGet)()); }};
}

// Gives `to` every field of `from` in `fields`, in order, when it differs in
// any of them; false when it holds them all already.
template <class TRecord, size_t N>
bool TakeFields(const TRecord& from, TRecord& to, const std::array<Field<TRecord>, N>& fields)
{
    if (std::ranges::all_of(fields, [&](const Field<TRecord>& f) { return f.pfnSame(to, from); }))
        return false;
    for (const Field<TRecord>& f : fields)
        f.pfnTake(from, to);
    return true;
}

using In = CAudio_InData;
using Out = CAudio_OutData;

// The parameter group of an input travels whole: polarity, delay, gain and
// gate, whichever of them was edited.
constexpr std::array<Field<In>, 4> kInputParams{{
    Through<In, &In::GetPolarity, &In::SetPolarity>(),
    Through<In, &In::GetDelay, &In::SetDelay>(),
    Through<In, &In::GetGain, &In::SetGain>(),
    Through<In, &In::GetGate, &In::SetGate>(),
}};
// An output's: polarity, delay and gain, and with them the EQ mode, which
// the output applies as it stands (a switch flattens its bands).
constexpr std::array<Field<Out>, 4> kOutputParams{{
    Through<Out, &Out::GetPolarity, &Out::SetPolarity>(),
    Through<Out, &Out::GetDelay, &Out::SetDelay>(),
    Through<Out, &Out::GetGain, &Out::SetGain>(),
    Through<Out, &Out::GetGeqMode, &Out::ApplyGeqMode>(),
}};
// The limiter travels whole: threshold, attack and release.
constexpr std::array<Field<Out>, 3> kLimiter{{
    Through<Out, &Out::GetLimitThreshold, &Out::SetLimitThreshold>(),
    Through<Out, &Out::GetLimitAttack, &Out::SetLimitAttack>(),
    Through<Out, &Out::GetLimitRelease, &Out::SetLimitRelease>(),
}};

enum class EGroup
{
    kOne,       // the edited value alone
    kInParams,  // an input's parameter group
    kOutParams, // an output's parameter group
    kLimiter,
};

EGroup GroupOf(EParam param)
{
    switch (param)
    {
    case EParam::kInPolarity:
    case EParam::kInDelay:
    case EParam::kInGain:
    case EParam::kInGate:
        return EGroup::kInParams;
    case EParam::kOutPolarity:
    case EParam::kOutDelay:
    case EParam::kOutGain:
        return EGroup::kOutParams;
    case EParam::kLimitThreshold:
    case EParam::kLimitAttack:
    case EParam::kLimitRelease:
        return EGroup::kLimiter;
    default:
        return EGroup::kOne;
    }
}

template <class TRoute>
std::vector<int> OthersInGroup(const TRoute& route, int channel)
{
    std::vector<int> peers;
    for (int i = 0; i < route.GetSize(); ++i)
        if (i != channel && route.IsSameGroup(i, channel))
            peers.push_back(i);
    return peers;
}

template <class TRoute>
int JoinGroup(TRoute& route, int channel, int group)
{
    route.SetLinkGroup(channel, group);
    const std::vector<int> members = OthersInGroup(route, channel);
    if (members.empty())
        return -1;
    auto& record = route.GetAt(channel);
    record.CopyLinkedSettings(route.GetAt(members.front()));
    record.UpdateCurve();
    return members.front();
}
}

namespace LinkRule
{
bool Spreads(EParam param)
{
    switch (param)
    {
    case EParam::kInName:
    case EParam::kOutName:
    case EParam::kInOn:
    case EParam::kOutOn:
    case EParam::kOutRoute:
    case EParam::kInLink:
    case EParam::kOutLink:
        return false;
    default:
        return ParamCatalogue::Param(param).eSide != EParamSide::kProgram;
    }
}

std::vector<int> Peers(const CAudio_Data& data, EParamSide side, int channel)
{
    if (side == EParamSide::kInput)
        return OthersInGroup(data.Inputs(), channel);
    if (side == EParamSide::kOutput)
        return OthersInGroup(data.Outputs(), channel);
    return {};
}

bool Takes(const CAudio_Data& data, EParam param, ParamAt at, int peer)
{
    if (!Spreads(param))
        return false;
    const EParamSide side = ParamCatalogue::Param(param).eSide;
    const bool bOutput = side == EParamSide::kOutput;
    if (IsFrequencyRow(param))
        return !bOutput || data.Output(peer).GetGeqMode() == 0;
    if (IsWidthRow(param))
        return Channel(data, side, peer).GetBand(at.nIndex).GetType() == CFilter::kParametric
               && (!bOutput || data.Output(peer).GetGeqMode() == data.Output(at.nChannel).GetGeqMode());
    return true;
}

bool Spread(const ParamRow& row, CAudio_Data& data, ParamAt at, int step)
{
    if (!Spreads(row.eParam))
        return false;
    bool bChanged = false;
    for (const int peer : Peers(data, row.eSide, at.nChannel))
    {
        switch (GroupOf(row.eParam))
        {
        case EGroup::kInParams:
            bChanged = TakeFields(data.Input(at.nChannel), data.Input(peer), kInputParams) || bChanged;
            continue;
        case EGroup::kOutParams:
            bChanged = TakeFields(data.Output(at.nChannel), data.Output(peer), kOutputParams) || bChanged;
            continue;
        case EGroup::kLimiter:
            bChanged = TakeFields(data.Output(at.nChannel), data.Output(peer), kLimiter) || bChanged;
            continue;
        case EGroup::kOne:
            break;
        }
        const ParamAt there{peer, at.nIndex};
        const int before = row.pfnGet(data, row.eSide, there);
        if (!Takes(data, row.eParam, at, peer) || before == step)
            continue;
        row.pfnSet(data, row.eSide, there, step);
        bChanged = row.pfnGet(data, row.eSide, there) != before || bChanged;
    }
    return bChanged;
}

int Join(CAudio_InRoute& inputs, int channel, int group)
{
    return JoinGroup(inputs, channel, group);
}

int Join(CAudio_OutRoute& outputs, int channel, int group)
{
    return JoinGroup(outputs, channel, group);
}
}
