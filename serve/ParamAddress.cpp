#include "serve/ParamAddress.h"

#include <array>
#include <charconv>

namespace
{
struct NameRow
{
    EParam eParam;
    const char* pszName;
};

// One name per catalogue row, in EParam order. Band rows share their names
// between the sides; the index word tells a band row from a channel row.
constexpr std::array kNames{
    NameRow{EParam::kInName, "name"},
    NameRow{EParam::kInOn, "on"},
    NameRow{EParam::kInPolarity, "polarity"},
    NameRow{EParam::kInGain, "gain"},
    NameRow{EParam::kInDelay, "delay"},
    NameRow{EParam::kInGate, "gate"},
    NameRow{EParam::kInLink, "link"},
    NameRow{EParam::kInEqBypass, "eqBypass"},
    NameRow{EParam::kInBandType, "type"},
    NameRow{EParam::kInBandFreq, "freq"},
    NameRow{EParam::kInBandGain, "gain"},
    NameRow{EParam::kInBandWidth, "width"},
    NameRow{EParam::kInBandSlope, "slope"},
    NameRow{EParam::kInBandOn, "on"},
    NameRow{EParam::kInBandBypass, "bypass"},
    NameRow{EParam::kOutName, "name"},
    NameRow{EParam::kOutOn, "on"},
    NameRow{EParam::kOutPolarity, "polarity"},
    NameRow{EParam::kOutGain, "gain"},
    NameRow{EParam::kOutDelay, "delay"},
    NameRow{EParam::kOutRoute, "route"},
    NameRow{EParam::kOutEqMode, "eqMode"},
    NameRow{EParam::kOutLink, "link"},
    NameRow{EParam::kOutEqBypass, "eqBypass"},
    NameRow{EParam::kOutBandType, "type"},
    NameRow{EParam::kOutBandFreq, "freq"},
    NameRow{EParam::kOutBandGain, "gain"},
    NameRow{EParam::kOutBandWidth, "width"},
    NameRow{EParam::kOutBandSlope, "slope"},
    NameRow{EParam::kOutBandOn, "on"},
    NameRow{EParam::kOutBandBypass, "bypass"},
    NameRow{EParam::kHighPassType, "highPassType"},
    NameRow{EParam::kHighPassFreq, "highPassFreq"},
    NameRow{EParam::kHighPassSlope, "highPassSlope"},
    NameRow{EParam::kLowPassType, "lowPassType"},
    NameRow{EParam::kLowPassFreq, "lowPassFreq"},
    NameRow{EParam::kLowPassSlope, "lowPassSlope"},
    NameRow{EParam::kLimitThreshold, "limiterThreshold"},
    NameRow{EParam::kLimitAttack, "limiterAttack"},
    NameRow{EParam::kLimitRelease, "limiterRelease"},
    NameRow{EParam::kGenType, "type"},
    NameRow{EParam::kGenFreq, "freq"},
    NameRow{EParam::kGenLevel, "level"},
    NameRow{EParam::kGenParam, "sweepTime"},
};
static_assert(kNames.size() == static_cast<size_t>(EParam::kCount), "one name per catalogue row");

constexpr bool InOrder()
{
    for (size_t i = 0; i < kNames.size(); ++i)
        if (static_cast<size_t>(kNames[i].eParam) != i)
            return false;
    return true;
}
static_assert(InOrder(), "names must follow the order of EParam");

bool HasIndex(EParam param)
{
    return ParamCatalogue::IndexCount(param) > 1;
}

bool HasChannel(EParam param)
{
    return ParamCatalogue::Param(param).eSide != EParamSide::kProgram;
}

// A number from 1 to nCount, as 0-based; nothing for anything else.
std::optional<int> Number(std::string_view text, int nCount)
{
    int n = 0;
    const char* pEnd = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), pEnd, n);
    if (ec != std::errc() || ptr != pEnd || text.empty() || text[0] == '0' || n < 1 || n > nCount)
        return std::nullopt;
    return n - 1;
}

std::vector<std::string_view> Split(std::string_view path)
{
    std::vector<std::string_view> parts;
    while (!path.empty())
    {
        const size_t slash = path.find('/');
        parts.push_back(path.substr(0, slash));
        if (slash == std::string_view::npos)
            break;
        path.remove_prefix(slash + 1);
    }
    return parts;
}
}

namespace ParamAddresses
{
const char* SideWord(EParamSide eSide)
{
    switch (eSide)
    {
    case EParamSide::kInput: return "inputs";
    case EParamSide::kOutput: return "outputs";
    case EParamSide::kProgram: break;
    }
    return "generator";
}

const char* IndexWord(EParam param)
{
    if (!HasIndex(param))
        return nullptr;
    return param == EParam::kOutRoute ? "sources" : "bands";
}

const char* Name(EParam param)
{
    return kNames.at(static_cast<size_t>(param)).pszName;
}

std::string Path(const ParamAddress& address)
{
    std::string path = SideWord(ParamCatalogue::Param(address.eParam).eSide);
    if (HasChannel(address.eParam))
        path += "/" + std::to_string(address.at.nChannel + 1);
    if (const char* pszIndex = IndexWord(address.eParam))
        path += std::string("/") + pszIndex + "/" + std::to_string(address.at.nIndex + 1);
    return path + "/" + Name(address.eParam);
}

std::string Pattern(EParam param)
{
    std::string path = SideWord(ParamCatalogue::Param(param).eSide);
    if (HasChannel(param))
        path += "/{channel}";
    if (const char* pszIndex = IndexWord(param))
        path += std::string("/") + pszIndex + (param == EParam::kOutRoute ? "/{source}" : "/{band}");
    return path + "/" + Name(param);
}

std::optional<EParam> Find(std::string_view side, std::string_view name, bool bIndexed)
{
    for (const NameRow& row : kNames)
        if (name == row.pszName && side == SideWord(ParamCatalogue::Param(row.eParam).eSide)
            && bIndexed == HasIndex(row.eParam))
            return row.eParam;
    return std::nullopt;
}

std::optional<ParamAddress> Resolve(std::string_view path)
{
    const std::vector<std::string_view> parts = Split(path);
    if (parts.size() == 2 && parts[0] == "generator")
    {
        const auto param = Find(parts[0], parts[1], false);
        return param ? std::optional<ParamAddress>(ParamAddress{*param, {}}) : std::nullopt;
    }
    if (parts.size() != 3 && parts.size() != 5)
        return std::nullopt;
    const bool bIndexed = parts.size() == 5;
    const auto param = Find(parts[0], parts.back(), bIndexed);
    if (!param || !HasChannel(*param))
        return std::nullopt;
    const auto channel = Number(parts[1], ParamCatalogue::ChannelCount(*param));
    if (!channel)
        return std::nullopt;
    ParamAddress address{*param, {*channel, 0}};
    if (bIndexed)
    {
        const auto index = Number(parts[3], ParamCatalogue::IndexCount(*param));
        if (parts[2] != IndexWord(*param) || !index)
            return std::nullopt;
        address.at.nIndex = *index;
    }
    return address;
}

std::vector<ParamAddress> All(int nInputs, int nOutputs)
{
    std::vector<ParamAddress> addresses;
    for (const ParamRow& row : ParamCatalogue::Params())
    {
        int nChannels = 1;
        if (row.eSide == EParamSide::kInput)
            nChannels = nInputs;
        else if (row.eSide == EParamSide::kOutput)
            nChannels = nOutputs;
        for (int nChannel = 0; nChannel < nChannels; ++nChannel)
            for (int nIndex = 0; nIndex < ParamCatalogue::IndexCount(row.eParam); ++nIndex)
                addresses.push_back({row.eParam, {nChannel, nIndex}});
    }
    return addresses;
}
}
