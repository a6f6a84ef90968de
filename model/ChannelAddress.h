#pragma once

#include "wire/WireNumbers.h"

#include <optional>

// One channel of the processor: its side and its index there (inputs A..D
// are 0..3, outputs 1..8 are 0..7). The two numbers other code needs for a
// channel are worked out here and nowhere else: the wire code (inputs 1..4,
// outputs 5..12) and the column, the place of the channel when all twelve
// stand in one row with the inputs first (the channel strip, the level
// meters, CAudio_Data::Channel).
struct ChannelAddress
{
    bool bInput = true;
    int nIndex = 0;

    static constexpr ChannelAddress Input(int nIndex) { return {true, nIndex}; }
    static constexpr ChannelAddress Output(int nIndex) { return {false, nIndex}; }
    // Column 0..11 as above.
    static constexpr ChannelAddress FromColumn(int nColumn)
    {
        return nColumn < Frame::kInputCount ? Input(nColumn) : Output(nColumn - Frame::kInputCount);
    }
    // Nothing for a code of no channel (0 is the generator's, for one).
    static constexpr std::optional<ChannelAddress> FromCode(int nCode)
    {
        if (nCode < Frame::kFirstInputCode || nCode > Frame::kLastBlockCode)
            return std::nullopt;
        return FromColumn(nCode - Frame::kFirstInputCode);
    }

    constexpr int Code() const { return (bInput ? Frame::kFirstInputCode : Frame::kFirstOutputCode) + nIndex; }
    constexpr int Column() const { return Code() - Frame::kFirstInputCode; }
    // How many channels the processor's largest model has on this side.
    constexpr int SideCount() const { return bInput ? Frame::kInputCount : Frame::kOutputCount; }
    constexpr bool IsValid() const { return nIndex >= 0 && nIndex < SideCount(); }
    constexpr bool IsSameSide(ChannelAddress other) const { return bInput == other.bInput; }
    // Of a pair that differs by side, the one of this channel's side.
    template <class T>
    constexpr T Pick(T input, T output) const
    {
        return bInput ? input : output;
    }

    constexpr bool operator==(const ChannelAddress&) const = default;
};
