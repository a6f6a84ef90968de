#pragma once

#include "model/Audio_Data.h"
#include "model/DataDefine.h"
#include "model/LinkRule.h"
#include "model/ParamAddress.h"
#include "model/ParamRow.h"
#include "model/ValueText.h"

#include <string>
#include <type_traits>

// What the catalogue's rows (model/ParamRows.cpp) are made of: the
// accessors they share, and the rows both sides of the processor have alike,
// written once as a shape (kGain, kBandFreq, ...) and placed on a side by
// InputRow and OutputRow. Only the table includes this.
namespace ParamRowParts
{
using Side = EParamSide;
using Group = EParamGroup;
using ParamAddress::Band;
using ParamAddress::Channel;

// A channel joining a group takes the sound of the group's lowest-indexed
// other member. It is marked changed whole, so that what it took reaches the
// processor even when no whole-block write follows.
template <class TRoute>
void JoinLinkGroup(TRoute& route, int channel, int group)
{
    if (LinkRule::Join(route, channel, group) < 0)
        return;
    auto& record = route.GetAt(channel);
    record.SetParamChanged(true);
    for (int k = 0; k < record.GetEQ().GetSize(); ++k)
        record.GetEQ().GetAt(k).SetChanged(true);
    if constexpr (std::is_same_v<TRoute, CAudio_OutRoute>)
        record.SetLimitChanged(true);
}

inline bool AllBandsInactive(const CAudio_Channel& channel)
{
    for (int k = 0; k < channel.GetBandCount(); ++k)
        if (!channel.GetBand(k).IsInactive())
            return false;
    return true;
}

// The text form of a row whose text depends on nothing but the step.
template <std::string (*Form)(int, ELanguage, bool)>
std::string Plain(int step, ELanguage language, bool locked, ParamShown)
{
    return Form(step, language, locked);
}

// The accessors of a crossover filter, the high-pass or the low-pass.
template <bool HighPass>
struct Xover
{
    static const CFilter& Of(const CAudio_Data& d, ParamAt at)
    {
        return HighPass ? d.Output(at.nChannel).GetHighPass() : d.Output(at.nChannel).GetLowPass();
    }
    static CFilter& Of(CAudio_Data& d, ParamAt at)
    {
        return HighPass ? d.Output(at.nChannel).GetHighPass() : d.Output(at.nChannel).GetLowPass();
    }
    static int GetType(const CAudio_Data& d, Side, ParamAt at) { return Of(d, at).GetXoverType(); }
    static void SetType(CAudio_Data& d, Side, ParamAt at, int v) { Of(d, at).SetXoverType(v); }
    // The target the user set, not the frequency still walking towards it.
    static int GetFreq(const CAudio_Data& d, Side, ParamAt at) { return Of(d, at).m_nFreq; }
    static void SetFreq(CAudio_Data& d, Side, ParamAt at, int v) { Of(d, at).SetFrequency(v); }
    static int GetSlope(const CAudio_Data& d, Side, ParamAt at) { return Of(d, at).GetSlope(); }
    static void SetSlope(CAudio_Data& d, Side, ParamAt at, int v) { Of(d, at).SetSlope(v); }
};
using HighPass = Xover<true>;
using LowPass = Xover<false>;

// ---- shapes of the rows both sides have -------------------------------------------

inline constexpr ParamRow kName{
    .eGroup = Group::kName, .pszEnglish = "Name", .pszChinese = "通道名", .eEntry = EEntry::kText};
inline constexpr ParamRow kOn{
    .eGroup = Group::kSignal,
    .pszEnglish = "Mute",
    .pszChinese = "静音",
    .nMax = 1,
    .pfnGet = [](const CAudio_Data& d, Side s, ParamAt at) { return Channel(d, s, at).IsOn() ? 1 : 0; },
    .pfnSet = [](CAudio_Data& d, Side s, ParamAt at, int v) { Channel(d, s, at).SetOn(v != 0); },
    .pfnFormat = Plain<FormatOn>};
inline constexpr ParamRow kPolarity{
    .eGroup = Group::kSignal,
    .pszEnglish = "Polarity",
    .pszChinese = "相位",
    .nMax = 1,
    .pfnGet = [](const CAudio_Data& d, Side s, ParamAt at) { return Channel(d, s, at).GetPolarity() ? 1 : 0; },
    .pfnSet = [](CAudio_Data& d, Side s, ParamAt at, int v) { Channel(d, s, at).SetPolarity(v != 0); },
    .pfnFormat = Plain<FormatPolarity>};
inline constexpr ParamRow kGain{
    .eGroup = Group::kSignal,
    .pszEnglish = "Gain",
    .pszChinese = "增益",
    .nMin = kGainMin,
    .nMax = kGainMax,
    .eEntry = EEntry::kLinear,
    .pScale = &Scales::kChannelGain,
    .pfnGet = [](const CAudio_Data& d, Side s, ParamAt at) { return Channel(d, s, at).GetGain(); },
    .pfnSet = [](CAudio_Data& d, Side s, ParamAt at, int v) { Channel(d, s, at).SetGain(v); },
    .pfnFormat = Plain<FormatGain>};
inline constexpr ParamRow kDelay{
    .eGroup = Group::kSignal,
    .pszEnglish = "Delay",
    .pszChinese = "延时",
    .nMin = kDelayMin,
    .nMax = kDelayMax,
    .eEntry = EEntry::kDelay,
    .pScale = &Scales::kDelay,
    .pfnGet = [](const CAudio_Data& d, Side s, ParamAt at) { return Channel(d, s, at).GetDelay(); },
    .pfnSet = [](CAudio_Data& d, Side s, ParamAt at, int v) { Channel(d, s, at).SetDelay(v); },
    .pfnFormat = Plain<FormatDelay>};
inline constexpr ParamRow kEqBypass{
    .eGroup = Group::kEq,
    .pszEnglish = "EQ/BYPASS",
    .pszChinese = "均衡/直通",
    .nMax = 1,
    .pfnGet = [](const CAudio_Data& d, Side s, ParamAt at) { return AllBandsInactive(Channel(d, s, at)) ? 1 : 0; },
    .pfnSet = [](CAudio_Data& d, Side s, ParamAt at, int v) { Channel(d, s, at).SetEqBypass(v != 0); },
    // The master switch reads "OFF" while the EQ is bypassed.
    .pfnFormat = [](int v, ELanguage l, bool k, ParamShown) { return FormatRoute(v == 0 ? 1 : 0, l, k); }};

// The seven rows of an EQ band; captioned after the band's number.
inline constexpr ParamRow kBandType{
    .eGroup = Group::kEq,
    .pszEnglish = " Type",
    .pszChinese = " 类型",
    .nMax = 2,
    .eIndex = EParamIndex::kBand,
    .pfnGet = [](const CAudio_Data& d, Side s, ParamAt at) { return Band(d, s, at).GetType(); },
    .pfnSet = [](CAudio_Data& d, Side s, ParamAt at, int v) { Band(d, s, at).SetType(v); },
    .pfnFormat = [](int v, ELanguage l, bool k, ParamShown shown) { return FormatBandType(v, shown.bGeqMode, l, k); }};
inline constexpr ParamRow kBandFreq{
    .eGroup = Group::kEq,
    .pszEnglish = " FQCY",
    .pszChinese = " 频率",
    .nMin = kFreqMin,
    .nMax = kFreqMax,
    .eEntry = EEntry::kFrequency,
    .pScale = &Scales::kFrequency,
    .eIndex = EParamIndex::kBand,
    .pfnGet = [](const CAudio_Data& d, Side s, ParamAt at) { return Band(d, s, at).GetFrequency(); },
    .pfnSet = [](CAudio_Data& d, Side s, ParamAt at, int v) { Band(d, s, at).SetFrequency(v); },
    .pfnFormat = Plain<FormatFreq>};
inline constexpr ParamRow kBandGain{
    .eGroup = Group::kEq,
    .pszEnglish = " Gain",
    .pszChinese = " 增益",
    .nMin = kEqGainMin,
    .nMax = kEqGainMax,
    .eEntry = EEntry::kLinear,
    .pScale = &Scales::kEqGain,
    .eIndex = EParamIndex::kBand,
    .pfnGet = [](const CAudio_Data& d, Side s, ParamAt at) { return Band(d, s, at).GetGainStep(); },
    .pfnSet = [](CAudio_Data& d, Side s, ParamAt at, int v) { Band(d, s, at).SetGainStep(v); },
    .pfnFormat = [](int v, ELanguage l, bool k, ParamShown shown) { return FormatEqGain(v, shown.bBandInactive, l, k); }};
inline constexpr ParamRow kBandWidth{
    .eGroup = Group::kEq,
    .pszEnglish = " BW",
    .pszChinese = " 带宽",
    .nMin = kBandwidthMin,
    .nMax = kBandwidthMax,
    .eEntry = EEntry::kBandwidth,
    .pScale = &Scales::kBandwidth,
    .eIndex = EParamIndex::kBand,
    .bSlopeOnShelf = true,
    .pfnGet = [](const CAudio_Data& d, Side s, ParamAt at) { return Band(d, s, at).GetBandwidthStep(); },
    .pfnSet = [](CAudio_Data& d, Side s, ParamAt at, int v) { Band(d, s, at).SetBandwidthStep(v); },
    .pfnFormat = Plain<FormatBandwidth>};
inline constexpr ParamRow kBandSlope{
    .eGroup = Group::kEq,
    .pszEnglish = " Slope",
    .pszChinese = " 斜率",
    .nMax = 1,
    .eIndex = EParamIndex::kBand,
    .pfnGet = [](const CAudio_Data& d, Side s, ParamAt at) { return Band(d, s, at).GetSlope(); },
    .pfnSet = [](CAudio_Data& d, Side s, ParamAt at, int v) { Band(d, s, at).SetSlope(v); },
    .pfnFormat = Plain<FormatShelfSlope>};
// The band button: on while the band is neither off nor bypassed.
inline constexpr ParamRow kBandOn{
    .eGroup = Group::kEq,
    .nMax = 1,
    .eIndex = EParamIndex::kBand,
    .pfnGet = [](const CAudio_Data& d, Side s, ParamAt at) { return Band(d, s, at).IsInactive() ? 0 : 1; },
    .pfnSet = [](CAudio_Data& d, Side s, ParamAt at, int v) { Band(d, s, at).SetOff(v == 0); },
    .pfnFormat = Plain<FormatRoute>};
inline constexpr ParamRow kBandBypass{
    .eGroup = Group::kEq,
    .pszEnglish = " Bypass",
    .pszChinese = " 直通",
    .nMax = 1,
    .eIndex = EParamIndex::kBand,
    .pfnGet = [](const CAudio_Data& d, Side s, ParamAt at) { return Band(d, s, at).m_bBypass ? 1 : 0; },
    .pfnSet = [](CAudio_Data& d, Side s, ParamAt at, int v) { Band(d, s, at).SetBypass(v != 0); },
    .pfnFormat = Plain<FormatRoute>};

// An output band's frequency keeps to its place in the EQ.
inline constexpr ParamRow kOutBandFreq = [] {
    ParamRow row = kBandFreq;
    row.eNarrowing = ENarrowing::kOutputBand;
    return row;
}();

// `shape` placed on one side: its parameter, that side's lock flag and, for
// a band row, that side's number of bands.
constexpr ParamRow OnSide(ParamRow shape, EParam param, Side side, int lockFlag)
{
    shape.eParam = param;
    shape.eSide = side;
    shape.nLockFlag = lockFlag;
    if (shape.eIndex == EParamIndex::kBand)
        shape.nIndexCount = side == Side::kInput ? CEQ::kInputBands : CEQ::kOutputBands;
    return shape;
}

constexpr ParamRow InputRow(EParam param, int lockFlag, const ParamRow& shape)
{
    return OnSide(shape, param, Side::kInput, lockFlag);
}

constexpr ParamRow OutputRow(EParam param, int lockFlag, const ParamRow& shape)
{
    return OnSide(shape, param, Side::kOutput, lockFlag);
}
}
