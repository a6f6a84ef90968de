#pragma once

#include "model/ParamCatalogue.h"

#include <vector>

class CAudio_Data;
class CAudio_InRoute;
class CAudio_OutRoute;

// The one rule for linked channels. Channels of one side whose group numbers
// are equal are linked: what one of them sounds like, the others sound like
// too. ParamCatalogue::Set writes an edit into the channel it names and then
// hands it here, so every way of editing (a field, a fader, a drag on the
// response graph, an import) reaches the other members alike. A channel
// joining a group takes the group's sound through Join.
//
// The parameter group travels whole: an edit of an input's polarity, delay,
// gain or gate gives the members all four; of an output's polarity, delay
// or gain all three and the output's EQ mode with them; of a limiter value
// the whole limiter. Any other value travels alone, where the member's own
// state lets it hold the value:
// - the frequency of a band: not to a peer in graphic-EQ mode, whose bands
//   sit at their fixed frequencies;
// - the width of a band: only to a parametric band (a shelf carries its
//   slope where a parametric band carries its width) of a peer in the
//   edited output's EQ mode (a parametric width is no graphic Q, and the
//   graphic Q reaches a group only as the whole-output choice).
// A member that already holds what it would take is left alone, so nothing
// unchanged is marked for sending.
namespace LinkRule
{
// Whether an edit of `param` reaches the other members at all: everything a
// channel sounds like does; its name, mute, routing and link group do not,
// nor the generator, which belongs to no channel.
bool Spreads(EParam param);

// The other members of the group of channel `channel` on `side`, in channel
// order; none for the program's own rows.
std::vector<int> Peers(const CAudio_Data& data, EParamSide side, int channel);

// Whether channel `peer` can hold what (param, at) holds now (the rules
// above); false for a parameter that does not spread.
bool Takes(const CAudio_Data& data, EParam param, ParamAt at, int peer);

// After `step` was written into (param, at): gives it (with its group, see
// above) to every other member through the records' own setters, which
// mark what they change. True when any member changed.
bool Spread(const ParamRow& row, CAudio_Data& data, ParamAt at, int step);

// Puts channel `channel` into group `group`. Joining other members, it takes
// the sound of the lowest-indexed of them (CopyLinkedSettings: everything
// but its name, mute and routing) and recomputes its curve. Answers that
// member's index, or -1 when the channel joined nobody. Nothing is marked
// for sending: the caller sends the channel whole or marks it.
int Join(CAudio_InRoute& inputs, int channel, int group);
int Join(CAudio_OutRoute& outputs, int channel, int group);
}
