#pragma once

#include "model/Audio_Channel.h"
#include "wire/WireNumbers.h"

#include <array>
#include <string>
#include <vector>

class CAudio_Data;
class CFilter;
class CLockState;

// Every setting of the program record an operator can change, copied out of
// the record: the program name, each channel's name, parameter group,
// limiter and filters, and the link groups. Undo steps and the two sides of
// an A/B comparison are held as such states.
//
// What the record keeps only for sending (change flags, block images, the
// crossover frequency handed to the processor so far) is not part of it,
// nor are the generator, the locks and which curves are shown.
class CEditState
{
public:
    struct FilterState
    {
        int nType = 0;
        int nFreq = 0;
        int nGeqFreq = 0;
        double dGain = 0.0;
        int bOff = 0;
        int bBypass = 0;
        int bSavedBypass = 0;
        double dBandwidth = 0.0;
        double dGeqBandwidth = 0.0;
        int nXoverType = 0;
        int nSlope = 0;
        int bGeq = 0;
        bool operator==(const FilterState&) const = default;
    };
    // The fields one parameter frame carries; an input leaves the output
    // fields 0 and the other way round.
    struct ParamState
    {
        int bOn = 0;
        int bInvert = 0;
        int nDelay = 0;
        int nGain = 0;
        int nGate = 0;
        int bGateActive = 0;
        int nSpare15 = 0;
        int nRoute = 0;
        int bGeqMode = 0;
        bool operator==(const ParamState&) const = default;
    };
    struct LimiterState
    {
        int nThreshold = 0;
        int nAttack = 0;
        int nRelease = 0;
        bool operator==(const LimiterState&) const = default;
    };
    struct ChannelState
    {
        CAudio_Channel::Name name{};
        ParamState params;
        LimiterState limiter;
        std::vector<FilterState> filters;
        bool operator==(const ChannelState&) const = default;
    };

    static CEditState Capture(const CAudio_Data& record);

    // Makes the record hold this state. Only channels that differ are
    // written, and only the sub-blocks whose bytes change are marked for the
    // pump (a moved crossover also while its sent frequency walks to the
    // target), so the pump sends just those, never the whole program. The
    // fields are written as captured, not edited value by value: the state
    // holds what no catalogue row reaches, and every member of a link group
    // is restored as it was, so the link rule has nothing to spread and a
    // group is restored without the join copying anything.
    // The link groups of a side whose link is locked stay as they are.
    // Returns whether anything changed.
    bool ApplyTo(CAudio_Data& record, const CLockState& locks) const;

    bool operator==(const CEditState&) const = default;

private:
    std::string m_strName;
    std::array<ChannelState, Frame::kChannelCount> m_aChannels{};
    std::array<int, Frame::kInputCount> m_anInputGroups{};
    std::array<int, Frame::kOutputCount> m_anOutputGroups{};
};
