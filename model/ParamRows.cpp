#include "model/ParamCatalogue.h"

#include "model/LockState.h"
#include "model/ParamRowParts.h"

#include <array>

// The rows of the catalogue: one constant table, one row per parameter in
// EParam order. What both sides of the processor have alike is a shape of
// model/ParamRowParts.h placed on each side by InputRow and OutputRow; the
// rest is written where it stands.

namespace
{
using Flag = CLockState::Flag;
using namespace ParamRowParts;

constexpr int kRoutingSources = 4;

// ---- the table ----------------------------------------------------------------------

constexpr std::array kRows{
    InputRow(EParam::kInName, Flag::kInName, kName),
    InputRow(EParam::kInOn, Flag::kInMute, kOn),
    InputRow(EParam::kInPolarity, Flag::kInPolarity, kPolarity),
    InputRow(EParam::kInGain, Flag::kInGain, kGain),
    InputRow(EParam::kInDelay, Flag::kInDelay, kDelay),
    ParamRow{.eParam = EParam::kInGate,
             .eSide = Side::kInput,
             .eGroup = Group::kSignal,
             .nLockFlag = Flag::kInGate,
             .pszEnglish = "NoiseGate",
             .pszChinese = "噪声门",
             .nMin = kGateMin,
             .nMax = kGateMax,
             .eEntry = EEntry::kLinear,
             .pScale = &Scales::kGate,
             .pfnGet = [](const CAudio_Data& d, Side, ParamAt at) { return d.Input(at.nChannel).GetGate(); },
             .pfnSet = [](CAudio_Data& d, Side, ParamAt at, int v) { d.Input(at.nChannel).SetGate(v); },
             .pfnFormat = Plain<FormatGate>},
    ParamRow{.eParam = EParam::kInLink,
             .eSide = Side::kInput,
             .eGroup = Group::kLink,
             .nLockFlag = Flag::kInLink,
             .pszEnglish = "Link",
             .pszChinese = "联调",
             .nMax = CAudio_InRoute::kCount - 1,
             .pfnGet = [](const CAudio_Data& d, Side, ParamAt at) { return d.Inputs().GetLinkGroup(at.nChannel); },
             .pfnSet = [](CAudio_Data& d, Side, ParamAt at, int v) { JoinLinkGroup(d.Inputs(), at.nChannel, v); },
             .pfnFormat = [](int v, ELanguage l, bool k, ParamShown) { return FormatLinkGroup(v, false, l, k); }},
    InputRow(EParam::kInEqBypass, Flag::kInEq, kEqBypass),
    InputRow(EParam::kInBandType, Flag::kInEq, kBandType),
    InputRow(EParam::kInBandFreq, Flag::kInEq, kBandFreq),
    InputRow(EParam::kInBandGain, Flag::kInEq, kBandGain),
    InputRow(EParam::kInBandWidth, Flag::kInEq, kBandWidth),
    InputRow(EParam::kInBandSlope, Flag::kInEq, kBandSlope),
    InputRow(EParam::kInBandOn, Flag::kInEq, kBandOn),
    InputRow(EParam::kInBandBypass, Flag::kInEq, kBandBypass),

    OutputRow(EParam::kOutName, Flag::kOutName, kName),
    OutputRow(EParam::kOutOn, Flag::kOutMute, kOn),
    OutputRow(EParam::kOutPolarity, Flag::kOutPolarity, kPolarity),
    OutputRow(EParam::kOutGain, Flag::kOutGain, kGain),
    OutputRow(EParam::kOutDelay, Flag::kOutDelay, kDelay),
    ParamRow{.eParam = EParam::kOutRoute,
             .eSide = Side::kOutput,
             .eGroup = Group::kRouting,
             .nLockFlag = Flag::kOutRouting,
             .pszEnglish = "Src CH",
             .pszChinese = "音源 CH",
             .nMax = 1,
             .eIndex = EParamIndex::kSource,
             .nIndexCount = kRoutingSources,
             .pfnGet = [](const CAudio_Data& d, Side,
                          ParamAt at) { return (d.Output(at.nChannel).GetRoute() >> at.nIndex) & 1; },
             .pfnSet =
                 [](CAudio_Data& d, Side, ParamAt at, int v) {
                     CAudio_OutData& out = d.Output(at.nChannel);
                     const int bit = 1 << at.nIndex;
                     out.SetRoute((out.GetRoute() & ~bit) | (v ? bit : 0));
                 },
             .pfnFormat = Plain<FormatRoute>},
    // A mode switch flattens the bands; the mode itself travels in the
    // parameter group, which SetGeqMode does not mark.
    ParamRow{.eParam = EParam::kOutEqMode,
             .eSide = Side::kOutput,
             .eGroup = Group::kEq,
             .nLockFlag = Flag::kOutEq,
             .pszEnglish = "EQ Mode",
             .pszChinese = "均衡模式",
             .nMax = 1,
             .pfnGet = [](const CAudio_Data& d, Side, ParamAt at) { return d.Output(at.nChannel).GetGeqMode(); },
             .pfnSet =
                 [](CAudio_Data& d, Side, ParamAt at, int v) {
                     CAudio_OutData& out = d.Output(at.nChannel);
                     out.SetGeqMode(v, true);
                     out.SetParamChanged(true);
                 },
             .pfnFormat = Plain<FormatEqMode>},
    ParamRow{.eParam = EParam::kOutLink,
             .eSide = Side::kOutput,
             .eGroup = Group::kLink,
             .nLockFlag = Flag::kOutLink,
             .pszEnglish = "Link",
             .pszChinese = "联调",
             .nMax = CAudio_OutRoute::kCount - 1,
             .pfnGet = [](const CAudio_Data& d, Side, ParamAt at) { return d.Outputs().GetLinkGroup(at.nChannel); },
             .pfnSet = [](CAudio_Data& d, Side, ParamAt at, int v) { JoinLinkGroup(d.Outputs(), at.nChannel, v); },
             .pfnFormat = [](int v, ELanguage l, bool k, ParamShown) { return FormatLinkGroup(v, true, l, k); }},
    OutputRow(EParam::kOutEqBypass, Flag::kOutEq, kEqBypass),
    OutputRow(EParam::kOutBandType, Flag::kOutEq, kBandType),
    OutputRow(EParam::kOutBandFreq, Flag::kOutEq, kOutBandFreq),
    OutputRow(EParam::kOutBandGain, Flag::kOutEq, kBandGain),
    OutputRow(EParam::kOutBandWidth, Flag::kOutEq, kBandWidth),
    OutputRow(EParam::kOutBandSlope, Flag::kOutEq, kBandSlope),
    OutputRow(EParam::kOutBandOn, Flag::kOutEq, kBandOn),
    OutputRow(EParam::kOutBandBypass, Flag::kOutEq, kBandBypass),

    ParamRow{.eParam = EParam::kHighPassType,
             .eSide = Side::kOutput,
             .eGroup = Group::kHighPass,
             .nLockFlag = Flag::kOutXover,
             .pszEnglish = "XMode_Hi",
             .pszChinese = "高通类型",
             .nMax = 2,
             .pfnGet = HighPass::GetType,
             .pfnSet = HighPass::SetType,
             .pfnFormat = Plain<FormatXoverType>},
    ParamRow{.eParam = EParam::kHighPassFreq,
             .eSide = Side::kOutput,
             .eGroup = Group::kHighPass,
             .nLockFlag = Flag::kOutXover,
             .pszEnglish = "XFQCY_Hi",
             .pszChinese = "高通频率",
             .nMin = kFreqMin,
             .nMax = kFreqMax,
             .eEntry = EEntry::kFrequency,
             .pScale = &Scales::kFrequency,
             .bFieldUnit = true,
             .eNarrowing = ENarrowing::kBelowLowPass,
             .bNarrowsSilently = true,
             .pfnGet = HighPass::GetFreq,
             .pfnSet = HighPass::SetFreq,
             .pfnFormat = Plain<FormatFreq>},
    ParamRow{.eParam = EParam::kHighPassSlope,
             .eSide = Side::kOutput,
             .eGroup = Group::kHighPass,
             .nLockFlag = Flag::kOutXover,
             .pszEnglish = "XSLope_Hi",
             .pszChinese = "高通斜率",
             .nMax = kXoverSlopeMax,
             .pfnGet = HighPass::GetSlope,
             .pfnSet = HighPass::SetSlope,
             .pfnFormat = Plain<FormatSlope>},
    ParamRow{.eParam = EParam::kLowPassType,
             .eSide = Side::kOutput,
             .eGroup = Group::kLowPass,
             .nLockFlag = Flag::kOutXover,
             .pszEnglish = "XMode_Lo",
             .pszChinese = "低通类型",
             .nMax = 2,
             .pfnGet = LowPass::GetType,
             .pfnSet = LowPass::SetType,
             .pfnFormat = Plain<FormatXoverType>},
    ParamRow{.eParam = EParam::kLowPassFreq,
             .eSide = Side::kOutput,
             .eGroup = Group::kLowPass,
             .nLockFlag = Flag::kOutXover,
             .pszEnglish = "XFQCY_Lo",
             .pszChinese = "低通频率",
             .nMin = kFreqMin,
             .nMax = kFreqMax,
             .eEntry = EEntry::kFrequency,
             .pScale = &Scales::kFrequency,
             .bFieldUnit = true,
             .eNarrowing = ENarrowing::kAboveHighPass,
             .bNarrowsSilently = true,
             .pfnGet = LowPass::GetFreq,
             .pfnSet = LowPass::SetFreq,
             .pfnFormat = Plain<FormatFreq>},
    ParamRow{.eParam = EParam::kLowPassSlope,
             .eSide = Side::kOutput,
             .eGroup = Group::kLowPass,
             .nLockFlag = Flag::kOutXover,
             .pszEnglish = "XSLope_Lo",
             .pszChinese = "低通斜率",
             .nMax = kXoverSlopeMax,
             .pfnGet = LowPass::GetSlope,
             .pfnSet = LowPass::SetSlope,
             .pfnFormat = Plain<FormatSlope>},

    ParamRow{.eParam = EParam::kLimitThreshold,
             .eSide = Side::kOutput,
             .eGroup = Group::kLimiter,
             .nLockFlag = Flag::kOutLimiter,
             .pszEnglish = "Threshold",
             .pszChinese = "压限电平",
             .nMin = kLimitThresholdMin,
             .nMax = kLimitThresholdMax,
             .eEntry = EEntry::kLinear,
             .pScale = &Scales::kLimitThreshold,
             .pfnGet = [](const CAudio_Data& d, Side, ParamAt at) { return d.Output(at.nChannel).GetLimitThreshold(); },
             .pfnSet = [](CAudio_Data& d, Side, ParamAt at, int v) { d.Output(at.nChannel).SetLimitThreshold(v); },
             .pfnFormat = Plain<FormatLimitThreshold>},
    ParamRow{.eParam = EParam::kLimitAttack,
             .eSide = Side::kOutput,
             .eGroup = Group::kLimiter,
             .nLockFlag = Flag::kOutLimiter,
             .pszEnglish = "Attack",
             .pszChinese = "响应时间",
             .nMin = kAttackMin,
             .nMax = kAttackMax,
             .eEntry = EEntry::kAttack,
             .pScale = &Scales::kAttack,
             .pfnGet = [](const CAudio_Data& d, Side, ParamAt at) { return d.Output(at.nChannel).GetLimitAttack(); },
             .pfnSet = [](CAudio_Data& d, Side, ParamAt at, int v) { d.Output(at.nChannel).SetLimitAttack(v); },
             .pfnFormat = Plain<FormatAttack>},
    ParamRow{.eParam = EParam::kLimitRelease,
             .eSide = Side::kOutput,
             .eGroup = Group::kLimiter,
             .nLockFlag = Flag::kOutLimiter,
             .pszEnglish = "Release",
             .pszChinese = "释放时间",
             .nMin = kReleaseMin,
             .nMax = kReleaseMax,
             .eEntry = EEntry::kInteger,
             .pScale = &Scales::kRelease,
             .pfnGet = [](const CAudio_Data& d, Side, ParamAt at) { return d.Output(at.nChannel).GetLimitRelease(); },
             .pfnSet = [](CAudio_Data& d, Side, ParamAt at, int v) { d.Output(at.nChannel).SetLimitRelease(v); },
             .pfnFormat = Plain<FormatRelease>},

    ParamRow{.eParam = EParam::kGenType,
             .eGroup = Group::kGenerator,
             .pszEnglish = "SIGN",
             .pszChinese = "信号",
             .nMax = kGenTypeMax,
             .pfnGet = [](const CAudio_Data& d, Side, ParamAt) { return d.GetGenType(); },
             .pfnSet = [](CAudio_Data& d, Side, ParamAt, int v) { d.SetGenType(v); },
             .pfnFormat = Plain<FormatGenType>},
    ParamRow{.eParam = EParam::kGenFreq,
             .eGroup = Group::kGenerator,
             .pszEnglish = "FQCY",
             .pszChinese = "频率",
             .nMin = kFreqMin,
             .nMax = kFreqMax,
             .eEntry = EEntry::kFrequency,
             .pScale = &Scales::kFrequency,
             .bFieldUnit = true,
             .pfnGet = [](const CAudio_Data& d, Side, ParamAt) { return d.GetGenFreq(); },
             .pfnSet = [](CAudio_Data& d, Side, ParamAt, int v) { d.SetGenFreq(v); },
             .pfnFormat = Plain<FormatFreq>},
    ParamRow{.eParam = EParam::kGenLevel,
             .eGroup = Group::kGenerator,
             .pszEnglish = "OUTPUT LEVEL",
             .pszChinese = "输出电平",
             .nMin = kGenLevelMin,
             .nMax = kGenLevelMax,
             .eEntry = EEntry::kLinear,
             .pScale = &Scales::kGenLevel,
             .bFieldUnit = true,
             .pfnGet = [](const CAudio_Data& d, Side, ParamAt) { return d.GetGenLevel(); },
             .pfnSet = [](CAudio_Data& d, Side, ParamAt, int v) { d.SetGenLevel(v); },
             .pfnFormat = Plain<FormatGenLevel>},
    ParamRow{.eParam = EParam::kGenParam,
             .eGroup = Group::kGenerator,
             .pszEnglish = "SWEEP TIME",
             .pszChinese = "扫频周期",
             .nMin = kSweepMin,
             .nMax = kSweepMax,
             .eEntry = EEntry::kInteger,
             .pScale = &Scales::kSweep,
             .bFieldUnit = true,
             .pfnGet = [](const CAudio_Data& d, Side, ParamAt) { return d.GetGenParam(); },
             .pfnSet = [](CAudio_Data& d, Side, ParamAt, int v) { d.SetGenParam(v); },
             .pfnFormat = Plain<FormatSeconds>},
};

// ---- checks of the table ----------------------------------------------------------

// Row i holds parameter i, so that a parameter finds its row by index and no
// row is missing in the middle or written twice.
constexpr bool InEParamOrder()
{
    for (std::size_t i = 0; i < kRows.size(); ++i)
        if (static_cast<std::size_t>(kRows[i].eParam) != i)
            return false;
    return true;
}
static_assert(kRows.size() == static_cast<std::size_t>(EParam::kCount), "one row per parameter");
static_assert(InEParamOrder(), "rows must follow the order of EParam");

// That a numeric row's range is its scale's and that every row but a name
// has its accessors is for the tests to check: with the sanitizers on, GCC
// takes no pointer comparison as a constant, and those need one.
}

namespace ParamCatalogue
{
std::span<const ParamRow> Params()
{
    return kRows;
}

const ParamRow& Param(EParam param)
{
    return kRows.at(static_cast<std::size_t>(param));
}
}
