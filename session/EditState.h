#pragma once

#include "model/Audio_Channel.h"
#include "wire/WireNumbers.h"

#include <array>
#include <cstdint>
#include <string>
#include <variant>
#include <vector>

class CAudio_Data;
class CLockState;

// Every setting of the program record an operator can change, copied out of
// the record: the program name, the settings of each channel and each of
// its filters (the fields their visitors tag RecordField::kSetting), and
// the link groups. Undo steps and the two sides of an A/B comparison are
// held as such states.
//
// What the record keeps only for sending (change flags, block images, the
// crossover frequency handed to the processor so far) is not part of it,
// nor are the generator, the locks and which curves are shown.
class CEditState
{
public:
    // One field's value, of the field's own type.
    using Value = std::variant<int, uint8_t, double, bool, CAudio_Channel::Name>;
    // A record's kSetting fields in the order its visitor names them.
    using Values = std::vector<Value>;
    struct ChannelState
    {
        Values fields;
        std::vector<Values> filters;
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
