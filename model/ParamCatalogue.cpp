#include "model/ParamCatalogue.h"

#include "model/Audio_Data.h"
#include "model/LinkRule.h"
#include "model/LockState.h"
#include "model/NumberText.h"
#include "wire/WireNumbers.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <system_error>
#include <type_traits>

namespace
{
using Flag = CLockState::Flag;
using Side = EParamSide;
using Group = EParamGroup;

// A parametric output EQ keeps its low shelf (band 1) below this frequency
// and its high shelf (band 15) above it.
constexpr int kShelfSplitHz = 2012;
constexpr int kRoutingSources = 4;

// ---- addressing -----------------------------------------------------------------

const CAudio_Channel& Channel(const CAudio_Data& data, Side side, ParamAt at)
{
    if (side == Side::kInput)
        return data.Input(at.nChannel);
    return data.Output(at.nChannel);
}

CAudio_Channel& Channel(CAudio_Data& data, Side side, ParamAt at)
{
    if (side == Side::kInput)
        return data.Input(at.nChannel);
    return data.Output(at.nChannel);
}

const CFilter& Band(const CAudio_Data& data, Side side, ParamAt at)
{
    return Channel(data, side, at).GetBand(at.nIndex);
}

CFilter& Band(CAudio_Data& data, Side side, ParamAt at)
{
    return Channel(data, side, at).GetBand(at.nIndex);
}

// A channel joining a group takes the sound of the group's lowest-indexed
// other member. It is marked changed whole, so that what it took reaches the
// processor even when no whole-block write follows.
template <class TRoute>
void JoinLinkGroup(TRoute& route, int channel, int group)
{
    if (LinkRule::Join(route, channel, group) < 0)
        return;
    auto& record = route.GetAt(channel);
    record.SetParamChanged(1);
    for (int k = 0; k < record.GetEQ().GetSize(); ++k)
        record.GetEQ().GetAt(k).SetChanged(1);
    if constexpr (std::is_same_v<TRoute, CAudio_OutRoute>)
        record.SetLimitChanged(1);
}

bool AllBandsInactive(const CAudio_Channel& channel)
{
    for (int k = 0; k < channel.GetBandCount(); ++k)
        if (!channel.GetBand(k).IsInactive())
            return false;
    return true;
}

// ---- rows -------------------------------------------------------------------------

using Getter = int (*)(const CAudio_Data&, Side, ParamAt);
using Setter = void (*)(CAudio_Data&, Side, ParamAt, int);
using Formatter = std::string (*)(int, int, bool, ParamShown);

struct Access
{
    Getter pfnGet;
    Setter pfnSet;
    Formatter pfnFormat;
};

// Accessors shared by the rows of both sides.
constexpr Access kOn{
    [](const CAudio_Data& d, Side s, ParamAt at) { return static_cast<int>(Channel(d, s, at).IsOn()); },
    [](CAudio_Data& d, Side s, ParamAt at, int v) { Channel(d, s, at).SetOn(v); },
    [](int v, int l, bool k, ParamShown) { return FormatOn(v, l, k); }};
constexpr Access kPolarity{
    [](const CAudio_Data& d, Side s, ParamAt at) { return Channel(d, s, at).GetPolarity(); },
    [](CAudio_Data& d, Side s, ParamAt at, int v) { Channel(d, s, at).SetPolarity(v); },
    [](int v, int l, bool k, ParamShown) { return FormatPolarity(v, l, k); }};
constexpr Access kGain{
    [](const CAudio_Data& d, Side s, ParamAt at) { return Channel(d, s, at).GetGain(); },
    [](CAudio_Data& d, Side s, ParamAt at, int v) { Channel(d, s, at).SetGain(v); },
    [](int v, int l, bool k, ParamShown) { return FormatGain(v, l, k); }};
constexpr Access kDelay{
    [](const CAudio_Data& d, Side s, ParamAt at) { return Channel(d, s, at).GetDelay(); },
    [](CAudio_Data& d, Side s, ParamAt at, int v) { Channel(d, s, at).SetDelay(v); },
    [](int v, int l, bool k, ParamShown) { return FormatDelay(v, l, k); }};
constexpr Access kEqBypass{
    [](const CAudio_Data& d, Side s, ParamAt at) { return AllBandsInactive(Channel(d, s, at)) ? 1 : 0; },
    [](CAudio_Data& d, Side s, ParamAt at, int v) { Channel(d, s, at).SetEqBypass(v); },
    // The master switch reads "OFF" while the EQ is bypassed.
    [](int v, int l, bool k, ParamShown) { return FormatRoute(v == 0 ? 1 : 0, l, k); }};

constexpr Access kBandType{
    [](const CAudio_Data& d, Side s, ParamAt at) { return Band(d, s, at).GetType(); },
    [](CAudio_Data& d, Side s, ParamAt at, int v) { Band(d, s, at).SetType(v); },
    [](int v, int l, bool k, ParamShown shown) { return FormatBandType(v, shown.bGeqMode, l, k); }};
constexpr Access kBandFreq{
    [](const CAudio_Data& d, Side s, ParamAt at) { return Band(d, s, at).GetFrequency(); },
    [](CAudio_Data& d, Side s, ParamAt at, int v) { Band(d, s, at).SetFrequency(v); },
    [](int v, int l, bool k, ParamShown) { return FormatFreq(v, l, k); }};
constexpr Access kBandGain{
    [](const CAudio_Data& d, Side s, ParamAt at) { return Band(d, s, at).GetGainStep(); },
    [](CAudio_Data& d, Side s, ParamAt at, int v) { Band(d, s, at).SetGainStep(v); },
    [](int v, int l, bool k, ParamShown shown) { return FormatEqGain(v, shown.bBandInactive, l, k); }};
constexpr Access kBandWidth{
    [](const CAudio_Data& d, Side s, ParamAt at) { return Band(d, s, at).GetBandwidthStep(); },
    [](CAudio_Data& d, Side s, ParamAt at, int v) { Band(d, s, at).SetBandwidthStep(v); },
    [](int v, int l, bool k, ParamShown) { return FormatBandwidth(v, l, k); }};
constexpr Access kBandSlope{
    [](const CAudio_Data& d, Side s, ParamAt at) { return Band(d, s, at).GetSlope(); },
    [](CAudio_Data& d, Side s, ParamAt at, int v) { Band(d, s, at).SetSlope(v); },
    [](int v, int l, bool k, ParamShown) { return FormatShelfSlope(v, l, k); }};
// The band button: on while the band is neither off nor bypassed.
constexpr Access kBandOn{
    [](const CAudio_Data& d, Side s, ParamAt at) { return Band(d, s, at).IsInactive() ? 0 : 1; },
    [](CAudio_Data& d, Side s, ParamAt at, int v) { Band(d, s, at).SetOff(v ? 0 : 1); },
    [](int v, int l, bool k, ParamShown) { return FormatRoute(v, l, k); }};
constexpr Access kBandBypass{
    [](const CAudio_Data& d, Side s, ParamAt at) { return Band(d, s, at).m_bBypass ? 1 : 0; },
    [](CAudio_Data& d, Side s, ParamAt at, int v) { Band(d, s, at).SetBypass(v); },
    [](int v, int l, bool k, ParamShown) { return FormatRoute(v, l, k); }};

// Crossover filters, high-pass or low-pass by the template argument.
template <bool HighPass>
const CFilter& Xover(const CAudio_Data& d, ParamAt at)
{
    return HighPass ? d.Output(at.nChannel).GetHighPass() : d.Output(at.nChannel).GetLowPass();
}
template <bool HighPass>
CFilter& Xover(CAudio_Data& d, ParamAt at)
{
    return HighPass ? d.Output(at.nChannel).GetHighPass() : d.Output(at.nChannel).GetLowPass();
}
template <bool HighPass>
constexpr Access kXoverType{
    [](const CAudio_Data& d, Side, ParamAt at) { return Xover<HighPass>(d, at).GetXoverType(); },
    [](CAudio_Data& d, Side, ParamAt at, int v) { Xover<HighPass>(d, at).SetXoverType(v); },
    [](int v, int l, bool k, ParamShown) { return FormatXoverType(v, l, k); }};
template <bool HighPass>
constexpr Access kXoverFreq{
    // The target the user set, not the frequency still walking towards it.
    [](const CAudio_Data& d, Side, ParamAt at) { return Xover<HighPass>(d, at).m_nFreq; },
    [](CAudio_Data& d, Side, ParamAt at, int v) { Xover<HighPass>(d, at).SetFrequency(v); },
    [](int v, int l, bool k, ParamShown) { return FormatFreq(v, l, k); }};
template <bool HighPass>
constexpr Access kXoverSlope{
    [](const CAudio_Data& d, Side, ParamAt at) { return Xover<HighPass>(d, at).GetSlope(); },
    [](CAudio_Data& d, Side, ParamAt at, int v) { Xover<HighPass>(d, at).SetSlope(v); },
    [](int v, int l, bool k, ParamShown) { return FormatSlope(v, l, k); }};

constexpr Access kNone{nullptr, nullptr, nullptr};

ParamRow Row(EParam param, Side side, Group group, int lockFlag, const char* english, const char* chinese, int min,
             int max, EEntry entry, Access access)
{
    ParamRow row{param, side, group, lockFlag, english, chinese, min, max, entry};
    row.pfnGet = access.pfnGet;
    row.pfnSet = access.pfnSet;
    row.pfnFormat = access.pfnFormat;
    return row;
}

ParamRow Linear(ParamRow row, double step, double offset, int offStep = -1, ParamRow::FieldForm fieldForm = {1, ""})
{
    row.dLinearStep = step;
    row.dLinearOffset = offset;
    row.nOffStep = offStep;
    row.fieldForm = fieldForm;
    return row;
}

// Frequency and integer rows show their step; some fields carry the unit.
ParamRow Whole(ParamRow row, const char* fieldUnit = "")
{
    row.fieldForm = ParamRow::FieldForm{0, fieldUnit};
    return row;
}

// The seven band rows of one side, in EParam order from `first`.
void AddBandRows(std::array<ParamRow, static_cast<size_t>(EParam::kCount)>& rows, EParam first, Side side, int lockFlag)
{
    struct BandRow
    {
        const char* pszEnglish;
        const char* pszChinese;
        int nMin;
        int nMax;
        EEntry eEntry;
        Access access;
    };
    const std::array<BandRow, 7> bandRows{{
        {" Type", " 类型", 0, 2, EEntry::kChoice, kBandType},
        {" FQCY", " 频率", kFreqMin, kFreqMax, EEntry::kFrequency, kBandFreq},
        {" Gain", " 增益", kEqGainMin, kEqGainMax, EEntry::kLinear, kBandGain},
        {" BW", " 带宽", kBandwidthMin, kBandwidthMax, EEntry::kBandwidth, kBandWidth},
        {" Slope", " 斜率", 0, 1, EEntry::kChoice, kBandSlope},
        {"", "", 0, 1, EEntry::kChoice, kBandOn},
        {" Bypass", " 直通", 0, 1, EEntry::kChoice, kBandBypass},
    }};
    for (size_t i = 0; i < bandRows.size(); ++i)
    {
        const BandRow& b = bandRows[i];
        const auto param = static_cast<EParam>(static_cast<int>(first) + static_cast<int>(i));
        ParamRow row = Row(param, side, Group::kEq, lockFlag, b.pszEnglish, b.pszChinese, b.nMin, b.nMax, b.eEntry,
                           b.access);
        if (b.eEntry == EEntry::kLinear)
            row = Linear(row, 0.1, 40);
        else if (b.eEntry == EEntry::kFrequency)
            row = Whole(row);
        rows[static_cast<size_t>(param)] = row;
    }
}

std::array<ParamRow, static_cast<size_t>(EParam::kCount)> BuildRows()
{
    std::array<ParamRow, static_cast<size_t>(EParam::kCount)> rows{};
    auto add = [&rows](const ParamRow& row) { rows[static_cast<size_t>(row.eParam)] = row; };

    for (Side side : {Side::kInput, Side::kOutput})
    {
        const bool in = side == Side::kInput;
        auto param = [in](EParam input, EParam output) { return in ? input : output; };
        auto flag = [in](Flag input, Flag output) { return static_cast<int>(in ? input : output); };
        add(Row(param(EParam::kInName, EParam::kOutName), side, Group::kName, flag(Flag::kInName, Flag::kOutName),
                "Name", "通道名", 0, 0, EEntry::kText, kNone));
        add(Row(param(EParam::kInOn, EParam::kOutOn), side, Group::kSignal, flag(Flag::kInMute, Flag::kOutMute), "Mute",
                "静音", 0, 1, EEntry::kChoice, kOn));
        add(Row(param(EParam::kInPolarity, EParam::kOutPolarity), side, Group::kSignal,
                flag(Flag::kInPolarity, Flag::kOutPolarity), "Polarity", "相位", 0, 1, EEntry::kChoice, kPolarity));
        add(Linear(Row(param(EParam::kInGain, EParam::kOutGain), side, Group::kSignal, flag(Flag::kInGain, Flag::kOutGain),
                       "Gain", "增益", kGainMin, kGainMax, EEntry::kLinear, kGain),
                   0.1, 30));
        add(Row(param(EParam::kInDelay, EParam::kOutDelay), side, Group::kSignal, flag(Flag::kInDelay, Flag::kOutDelay),
                "Delay", "延时", kDelayMin, kDelayMax, EEntry::kDelay, kDelay));
        add(Row(param(EParam::kInEqBypass, EParam::kOutEqBypass), side, Group::kEq, flag(Flag::kInEq, Flag::kOutEq),
                "EQ/BYPASS", "均衡/直通", 0, 1, EEntry::kChoice, kEqBypass));
        AddBandRows(rows, param(EParam::kInBandType, EParam::kOutBandType), side, flag(Flag::kInEq, Flag::kOutEq));
    }

    add(Linear(Row(EParam::kInGate, Side::kInput, Group::kSignal, Flag::kInGate, "NoiseGate", "噪声门", kGateMin,
                   kGateMax, EEntry::kLinear,
                   {[](const CAudio_Data& d, Side, ParamAt at) { return d.Input(at.nChannel).GetGate(); },
                    [](CAudio_Data& d, Side, ParamAt at, int v) { d.Input(at.nChannel).SetGate(v); },
                    [](int v, int l, bool k, ParamShown) { return FormatGate(v, l, k); }}),
               1.0, 120, kGateMin, {0, ""}));
    add(Row(EParam::kInLink, Side::kInput, Group::kLink, Flag::kInLink, "Link", "联调", 0, CAudio_InRoute::kCount - 1,
            EEntry::kChoice,
            {[](const CAudio_Data& d, Side, ParamAt at) { return d.Inputs().GetLinkGroup(at.nChannel); },
             [](CAudio_Data& d, Side, ParamAt at, int v) { JoinLinkGroup(d.Inputs(), at.nChannel, v); },
             [](int v, int l, bool k, ParamShown) { return FormatLinkGroup(v, false, l, k); }}));

    add(Row(EParam::kOutRoute, Side::kOutput, Group::kRouting, Flag::kOutRouting, "Src CH", "音源 CH", 0, 1,
            EEntry::kChoice,
            {[](const CAudio_Data& d, Side, ParamAt at) { return (d.Output(at.nChannel).GetRoute() >> at.nIndex) & 1; },
             [](CAudio_Data& d, Side, ParamAt at, int v) {
                 CAudio_OutData& out = d.Output(at.nChannel);
                 const int bit = 1 << at.nIndex;
                 out.SetRoute((out.GetRoute() & ~bit) | (v ? bit : 0));
             },
             [](int v, int l, bool k, ParamShown) { return FormatRoute(v, l, k); }}));
    // A mode switch flattens the bands; the mode itself travels in the
    // parameter group, which SetGeqMode does not mark.
    add(Row(EParam::kOutEqMode, Side::kOutput, Group::kEq, Flag::kOutEq, "EQ Mode", "均衡模式", 0, 1, EEntry::kChoice,
            {[](const CAudio_Data& d, Side, ParamAt at) { return d.Output(at.nChannel).GetGeqMode(); },
             [](CAudio_Data& d, Side, ParamAt at, int v) {
                 CAudio_OutData& out = d.Output(at.nChannel);
                 out.SetGeqMode(v, 1);
                 out.SetParamChanged(1);
             },
             [](int v, int l, bool k, ParamShown) { return FormatEqMode(v, l, k); }}));
    add(Row(EParam::kOutLink, Side::kOutput, Group::kLink, Flag::kOutLink, "Link", "联调", 0,
            CAudio_OutRoute::kCount - 1, EEntry::kChoice,
            {[](const CAudio_Data& d, Side, ParamAt at) { return d.Outputs().GetLinkGroup(at.nChannel); },
             [](CAudio_Data& d, Side, ParamAt at, int v) { JoinLinkGroup(d.Outputs(), at.nChannel, v); },
             [](int v, int l, bool k, ParamShown) { return FormatLinkGroup(v, true, l, k); }}));

    add(Row(EParam::kHighPassType, Side::kOutput, Group::kHighPass, Flag::kOutXover, "XMode_Hi", "高通类型", 0, 2,
            EEntry::kChoice, kXoverType<true>));
    add(Whole(Row(EParam::kHighPassFreq, Side::kOutput, Group::kHighPass, Flag::kOutXover, "XFQCY_Hi", "高通频率", kFreqMin,
            kFreqMax, EEntry::kFrequency, kXoverFreq<true>), "Hz"));
    add(Row(EParam::kHighPassSlope, Side::kOutput, Group::kHighPass, Flag::kOutXover, "XSLope_Hi", "高通斜率", 0,
            kXoverSlopeMax, EEntry::kChoice, kXoverSlope<true>));
    add(Row(EParam::kLowPassType, Side::kOutput, Group::kLowPass, Flag::kOutXover, "XMode_Lo", "低通类型", 0, 2,
            EEntry::kChoice, kXoverType<false>));
    add(Whole(Row(EParam::kLowPassFreq, Side::kOutput, Group::kLowPass, Flag::kOutXover, "XFQCY_Lo", "低通频率", kFreqMin,
            kFreqMax, EEntry::kFrequency, kXoverFreq<false>), "Hz"));
    add(Row(EParam::kLowPassSlope, Side::kOutput, Group::kLowPass, Flag::kOutXover, "XSLope_Lo", "低通斜率", 0,
            kXoverSlopeMax, EEntry::kChoice, kXoverSlope<false>));

    add(Linear(Row(EParam::kLimitThreshold, Side::kOutput, Group::kLimiter, Flag::kOutLimiter, "Threshold", "压限电平",
                   kLimitThresholdMin, kLimitThresholdMax, EEntry::kLinear,
                   {[](const CAudio_Data& d, Side, ParamAt at) { return d.Output(at.nChannel).GetLimitThreshold(); },
                    [](CAudio_Data& d, Side, ParamAt at, int v) { d.Output(at.nChannel).SetLimitThreshold(v); },
                    [](int v, int l, bool k, ParamShown) { return FormatLimitThreshold(v, l, k); }}),
               0.1, 40, kLimitThresholdOff));
    add(Row(EParam::kLimitAttack, Side::kOutput, Group::kLimiter, Flag::kOutLimiter, "Attack", "响应时间", kAttackMin,
            kAttackMax, EEntry::kAttack,
            {[](const CAudio_Data& d, Side, ParamAt at) { return d.Output(at.nChannel).GetLimitAttack(); },
             [](CAudio_Data& d, Side, ParamAt at, int v) { d.Output(at.nChannel).SetLimitAttack(v); },
             [](int v, int l, bool k, ParamShown) { return FormatAttack(v, l, k); }}));
    add(Whole(Row(EParam::kLimitRelease, Side::kOutput, Group::kLimiter, Flag::kOutLimiter, "Release", "释放时间",
            kReleaseMin, kReleaseMax, EEntry::kInteger,
            {[](const CAudio_Data& d, Side, ParamAt at) { return d.Output(at.nChannel).GetLimitRelease(); },
             [](CAudio_Data& d, Side, ParamAt at, int v) { d.Output(at.nChannel).SetLimitRelease(v); },
             [](int v, int l, bool k, ParamShown) { return FormatRelease(v, l, k); }})));

    add(Row(EParam::kGenType, Side::kProgram, Group::kGenerator, kNoLock, "SIGN", "信号", 0, kGenTypeMax,
            EEntry::kChoice,
            {[](const CAudio_Data& d, Side, ParamAt) { return d.GetGenType(); },
             [](CAudio_Data& d, Side, ParamAt, int v) { d.SetGenType(v); },
             [](int v, int l, bool k, ParamShown) { return FormatGenType(v, l, k); }}));
    add(Whole(Row(EParam::kGenFreq, Side::kProgram, Group::kGenerator, kNoLock, "FQCY", "频率", kFreqMin, kFreqMax,
            EEntry::kFrequency,
            {[](const CAudio_Data& d, Side, ParamAt) { return d.GetGenFreq(); },
             [](CAudio_Data& d, Side, ParamAt, int v) { d.SetGenFreq(v); },
             [](int v, int l, bool k, ParamShown) { return FormatFreq(v, l, k); }}), "Hz"));
    add(Linear(Row(EParam::kGenLevel, Side::kProgram, Group::kGenerator, kNoLock, "OUTPUT LEVEL", "输出电平",
                   kGenLevelMin, kGenLevelMax, EEntry::kLinear,
                   {[](const CAudio_Data& d, Side, ParamAt) { return d.GetGenLevel(); },
                    [](CAudio_Data& d, Side, ParamAt, int v) { d.SetGenLevel(v); },
                    [](int v, int l, bool k, ParamShown) { return FormatGenLevel(v, l, k); }}),
               0.1, 60, -1, {1, "dBu"}));
    add(Whole(Row(EParam::kGenParam, Side::kProgram, Group::kGenerator, kNoLock, "SWEEP TIME", "扫频周期", kSweepMin,
            kSweepMax, EEntry::kInteger,
            {[](const CAudio_Data& d, Side, ParamAt) { return d.GetGenParam(); },
             [](CAudio_Data& d, Side, ParamAt, int v) { d.SetGenParam(v); },
             [](int v, int l, bool k, ParamShown) { return FormatSeconds(v, l, k); }}), "s"));
    return rows;
}

const std::array<ParamRow, static_cast<size_t>(EParam::kCount)>& Rows()
{
    static const auto rows = BuildRows();
    return rows;
}

bool IsBandRow(EParam param)
{
    return (param >= EParam::kInBandType && param <= EParam::kInBandBypass)
           || (param >= EParam::kOutBandType && param <= EParam::kOutBandBypass);
}

bool IsAddressed(EParam param, ParamAt at)
{
    return at.nChannel >= 0 && at.nChannel < ParamCatalogue::ChannelCount(param) && at.nIndex >= 0
           && at.nIndex < ParamCatalogue::IndexCount(param);
}

// ---- typed text ---------------------------------------------------------------------

const char* SkipSpaces(const std::string& text)
{
    const char* p = text.c_str();
    while (*p == ' ' || *p == '\t')
        ++p;
    return p;
}

// The leading number of a typed text, with a decimal point or comma; none
// when the text does not start with one. A number too large for a double
// counts as infinitely far out, so that it is clamped like any value out of
// range.
bool LeadingNumber(const std::string& typed, double& value)
{
    const std::string text = DecimalPointText(typed);
    const char* begin = SkipSpaces(text);
    const char* end = text.c_str() + text.size();
    const auto [ptr, ec] = std::from_chars(begin, end, value, std::chars_format::fixed);
    if (ptr == begin)
        return false;
    if (ec == std::errc::result_out_of_range)
        value = *begin == '-' ? -std::numeric_limits<double>::infinity() : std::numeric_limits<double>::infinity();
    return !std::isnan(value);
}

bool LeadingInteger(const std::string& typed, long long& value)
{
    const std::string text = DecimalPointText(typed);
    const char* begin = SkipSpaces(text);
    const char* end = text.c_str() + text.size();
    const auto [ptr, ec] = std::from_chars(begin, end, value);
    if (ptr == begin)
        return false;
    if (ec == std::errc::result_out_of_range)
        value = *begin == '-' ? std::numeric_limits<long long>::min() : std::numeric_limits<long long>::max();
    return true;
}

// Attack steps 0..6 are tenths of a millisecond (0.3 to 0.9), whole
// milliseconds above.
constexpr int kAttackFineTop = 6;

TypedStep ClampTyped(long long value, int min, int max)
{
    if (value < min)
        return {min, true};
    if (value > max)
        return {max, true};
    return {static_cast<int>(value), false};
}

TypedStep ParseLinear(const ParamRow& row, const std::string& text, int current)
{
    double x = 0;
    if (row.nOffStep >= 0 && std::string(SkipSpaces(text)).starts_with("OFF"))
        x = row.nOffStep * row.dLinearStep - row.dLinearOffset;
    else if (!LeadingNumber(text, x))
        return {current, true};
    TypedStep result;
    const double lowest = row.nMin * row.dLinearStep - row.dLinearOffset;
    const double highest = row.nMax * row.dLinearStep - row.dLinearOffset;
    if (x > highest)
    {
        x = highest;
        result.bOutOfRange = true;
    }
    else if (x < lowest)
    {
        x = lowest;
        result.bOutOfRange = true;
    }
    // The quotient of a shown value lands a hair below its step as often as
    // not (-27.1 dB gives 28.999999999999986); the small term keeps every
    // shown value on its own step without lifting any other typed value
    // across a step boundary.
    result.nStep = std::clamp(
        static_cast<int>(std::trunc((x + row.dLinearOffset) * 10 / (row.dLinearStep * 10) + 1e-9)), row.nMin,
        row.nMax);
    return result;
}
}

namespace ParamCatalogue
{
std::span<const ParamRow> Params()
{
    return Rows();
}

const ParamRow& Param(EParam param)
{
    return Rows().at(static_cast<size_t>(param));
}

int ChannelCount(EParam param)
{
    switch (Param(param).eSide)
    {
    case Side::kInput:
        return CAudio_InRoute::kCount;
    case Side::kOutput:
        return CAudio_OutRoute::kCount;
    default:
        return 1;
    }
}

int IndexCount(EParam param)
{
    if (param == EParam::kOutRoute)
        return kRoutingSources;
    if (IsBandRow(param))
        return Param(param).eSide == Side::kInput ? CEQ::kInputBands : CEQ::kOutputBands;
    return 1;
}

int ChannelCode(EParam param, ParamAt at)
{
    switch (Param(param).eSide)
    {
    case Side::kInput:
        return ChannelAddress::Input(at.nChannel).Code();
    case Side::kOutput:
        return ChannelAddress::Output(at.nChannel).Code();
    default:
        return 0;
    }
}

std::string Caption(EParam param, int language, int index)
{
    const ParamRow& row = Param(param);
    const std::string caption = language == kEnglish ? row.pszEnglish : row.pszChinese;
    if (IsBandRow(param))
        return (language == kEnglish ? "EQ" : "均衡") + std::to_string(index + 1) + caption;
    if (param == EParam::kOutRoute)
        return caption + static_cast<char>('A' + index);
    return caption;
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
    if (param == EParam::kOutBandFreq)
    {
        const CAudio_OutData& out = data.Output(at.nChannel);
        if (out.GetGeqMode())
            range.nMin = range.nMax = out.GetBand(at.nIndex).GetFrequency();
        else if (at.nIndex == 0)
            range.nMax = kShelfSplitHz;
        else if (at.nIndex == CEQ::kOutputBands - 1)
            range.nMin = kShelfSplitHz;
    }
    else if (param == EParam::kHighPassFreq)
    {
        range.nMax = std::clamp(data.Output(at.nChannel).GetLowPass().m_nFreq, row.nMin, row.nMax);
    }
    else if (param == EParam::kLowPassFreq)
    {
        range.nMin = std::clamp(data.Output(at.nChannel).GetHighPass().m_nFreq, row.nMin, row.nMax);
    }
    return range;
}

bool NarrowsSilently(EParam param)
{
    return param == EParam::kHighPassFreq || param == EParam::kLowPassFreq;
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
    return FormatName(Channel(data, row.eSide, at).GetNameBytes().data());
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
    CAudio_Channel& channel = Channel(data, row.eSide, at);
    CAudio_Channel::Name bytes{};
    std::copy(name.begin(), name.end(), bytes.begin());
    if (bytes == channel.GetNameBytes())
        return false;
    channel.SetName(name);
    return true;
}

std::string FormatStep(EParam param, int step, int language, bool locked, EUnit unit, ParamShown shown)
{
    const ParamRow& row = Param(param);
    if (locked)
        return LockText(language);
    if (row.eEntry == EEntry::kDelay && unit == EUnit::kMetres)
        return FormatDelayMetres(step);
    if (row.eEntry == EEntry::kDelay && unit == EUnit::kFeet)
        return FormatDelayFeet(step);
    if (row.eEntry == EEntry::kBandwidth && unit == EUnit::kQ)
        return FormatQ(step, language);
    if (row.pfnFormat == nullptr)
        return {};
    return row.pfnFormat(step, language, false, shown);
}

std::string FieldText(EParam param, int step, int language, bool locked, EUnit unit)
{
    const ParamRow& row = Param(param);
    if (locked)
        return LockText(language);
    if (row.fieldForm && row.eEntry == EEntry::kLinear)
    {
        if (step == row.nOffStep)
            return "OFF";
        return FixedText(step * row.dLinearStep - row.dLinearOffset, row.fieldForm->nDecimals) + row.fieldForm->pszUnit;
    }
    if (row.fieldForm)
        return std::to_string(step) + row.fieldForm->pszUnit;
    switch (row.eEntry)
    {
    case EEntry::kDelay:
        if (unit == EUnit::kMetres)
            return FormatDelayMetres(step);
        if (unit == EUnit::kFeet)
            return FormatDelayFeet(step);
        return FixedText(DelayStepToMs(step), 3);
    case EEntry::kAttack:
        // The attack's own text without "ms".
        return step <= kAttackFineTop ? FixedText((step + 3) * 0.1, 1) : std::to_string(step - kAttackFineTop);
    case EEntry::kBandwidth:
        if (unit == EUnit::kQ)
            return FormatQ(step, language);
        return FixedText((step + 1) * 0.01, 2);
    default:
        return FormatStep(param, step, language, false, unit);
    }
}

int StepBy(EParam param, int step, int delta, StepRange range)
{
    if (Param(param).eEntry != EEntry::kFrequency)
        return static_cast<int>(std::clamp<long long>(static_cast<long long>(step) + delta, range.nMin, range.nMax));
    const auto& table = FreqTable();
    int hz = std::clamp(step, range.nMin, range.nMax);
    for (int n = 0; n < std::abs(delta); ++n)
    {
        int next = delta > 0 ? range.nMax : range.nMin;
        if (delta > 0)
        {
            for (double point : table)
                if (static_cast<int>(point) > hz)
                {
                    next = std::min(static_cast<int>(point), range.nMax);
                    break;
                }
        }
        else
        {
            for (auto it = table.rbegin(); it != table.rend(); ++it)
                if (static_cast<int>(*it) < hz)
                {
                    next = std::max(static_cast<int>(*it), range.nMin);
                    break;
                }
        }
        hz = next;
    }
    return hz;
}

ParamShown Shown(EParam param, const CAudio_Data& data, ParamAt at)
{
    ParamShown shown;
    if (!IsBandRow(param) || !IsAddressed(param, at))
        return shown;
    const Side side = Param(param).eSide;
    shown.bBandInactive = Band(data, side, at).IsInactive() != 0;
    shown.bGeqMode = side == Side::kOutput && data.Output(at.nChannel).GetGeqMode() != 0;
    return shown;
}

std::string Format(EParam param, const CAudio_Data& data, ParamAt at, int language, const CLockState* locks,
                   EUnit unit)
{
    const ParamRow& row = Param(param);
    const bool locked = IsLocked(param, locks);
    if (row.eEntry == EEntry::kText)
        return locked ? std::string(LockText(language)) : GetText(param, data, at);
    if (!IsAddressed(param, at))
        return {};
    return FormatStep(param, Get(param, data, at), language, locked, unit, Shown(param, data, at));
}

bool BandShowsSlope(EParam param, const CAudio_Data& data, ParamAt at)
{
    if ((param != EParam::kInBandWidth && param != EParam::kOutBandWidth) || !IsAddressed(param, at))
        return false;
    return Band(data, Param(param).eSide, at).GetType() != CFilter::kParametric && !Shown(param, data, at).bGeqMode;
}

TypedStep Parse(EParam param, const std::string& text, int current, EUnit unit)
{
    const ParamRow& row = Param(param);
    double x = 0;
    long long n = 0;
    switch (row.eEntry)
    {
    case EEntry::kChoice:
        for (int step = row.nMin; step <= row.nMax; ++step)
            for (int language : {kEnglish, kChinese})
                if (FormatStep(param, step, language) == text)
                    return {step, false};
        return {current, true};
    case EEntry::kLinear:
        return ParseLinear(row, text, current);
    case EEntry::kDelay:
        if (!LeadingNumber(text, x))
            return {current, true};
        if (unit == EUnit::kMetres)
            return DelayMetresToStep(x);
        if (unit == EUnit::kFeet)
            return DelayFeetToStep(x);
        return DelayMsToStep(x);
    case EEntry::kAttack:
        if (!LeadingNumber(text, x))
            return {current, true};
        return AttackMsToStep(x, current);
    case EEntry::kBandwidth:
        if (!LeadingNumber(text, x))
            return {current, true};
        return unit == EUnit::kQ ? QToBandwidthStep(x) : BandwidthOctToStep(x);
    case EEntry::kFrequency:
    case EEntry::kInteger:
        if (!LeadingInteger(text, n))
            return {current, true};
        return ClampTyped(n, row.nMin, row.nMax);
    case EEntry::kText:
        break;
    }
    return {current, true};
}
}
