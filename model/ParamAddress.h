#pragma once

#include "model/Audio_Data.h"
#include "model/ChannelAddress.h"
#include "model/ParamRow.h"

// The record's parts a row's address names, for the catalogue's rows and
// its access: the channel (by the row's side) and the band within it. The
// address must be checked first (ParamCatalogue::IsAddressed).
namespace ParamAddress
{
constexpr ChannelAddress Of(EParamSide side, ParamAt at)
{
    return side == EParamSide::kInput ? ChannelAddress::Input(at.nChannel) : ChannelAddress::Output(at.nChannel);
}

inline const CAudio_Channel& Channel(const CAudio_Data& data, EParamSide side, ParamAt at)
{
    return data.Channel(Of(side, at));
}

inline CAudio_Channel& Channel(CAudio_Data& data, EParamSide side, ParamAt at)
{
    return data.Channel(Of(side, at));
}

inline const CFilter& Band(const CAudio_Data& data, EParamSide side, ParamAt at)
{
    return Channel(data, side, at).GetBand(at.nIndex);
}

inline CFilter& Band(CAudio_Data& data, EParamSide side, ParamAt at)
{
    return Channel(data, side, at).GetBand(at.nIndex);
}
}
