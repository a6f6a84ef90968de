#pragma once

#include "model/ParamCatalogue.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The one place that names the catalogue's parameters for the outside: the
// HTTP API, the event stream and any other remote protocol address a
// parameter by the same path, built from the catalogue rows and this table
// of names alone.
//
//   inputs/2/gain              side, channel (from 1), name
//   outputs/3/bands/5/gain     band 5 of output 3
//   outputs/3/sources/1/route  routing bit of input A into output 3
//   generator/level            the test generator, no channel
//
// Channel, band and source numbers count from 1, as the processor's panels
// show them.
struct ParamAddress
{
    EParam eParam = EParam::kInGain;
    ParamAt at;

    bool operator==(const ParamAddress& other) const
    {
        return eParam == other.eParam && at.nChannel == other.at.nChannel && at.nIndex == other.at.nIndex;
    }
};

namespace ParamAddresses
{
// "inputs", "outputs", "generator".
const char* SideWord(EParamSide eSide);
// The word before an index within a channel: "bands" or "sources"; null for
// rows without one.
const char* IndexWord(EParam param);
// The row's own name: "gain", "highPassFreq", ...
const char* Name(EParam param);
// The full path of one address.
std::string Path(const ParamAddress& address);
// The path with {channel} and {index} where the numbers go, as the API's
// description lists it: "outputs/{channel}/bands/{band}/gain".
std::string Pattern(EParam param);

// Which address a path names; nothing when no row has that path or a
// number lies outside the largest processor's counts. nInputs and nOutputs
// are not checked here (see ChannelFits).
std::optional<ParamAddress> Resolve(std::string_view path);
// The row a side and name name, whatever the numbers.
std::optional<EParam> Find(std::string_view side, std::string_view name, bool bIndexed);

// Every address of a processor with these channel counts, in EParam order,
// channel by channel, index by index.
std::vector<ParamAddress> All(int nInputs, int nOutputs);
}
