#pragma once

#include "model/Audio_Channel.h"
#include "wire/WireNumbers.h"

#include <array>
#include <cstdint>
#include <span>

// One input channel (A to D).
//
// Input block, 64 bytes, in 8-byte sub-blocks (code in brackets):
//   0   8  name, the stored bytes                                   [0]
//   8   1  on + 1 (1 muted, 2 on)                                   [1]
//   9   1  polarity + 1 (1 normal, 2 inverted)
//   10  2  delay step + 1
//   12  2  gain step + 301 (601 = 0.0 dB)
//   14  1  noise gate step
//   15  1  spare: 0 when built, kept when loaded
//   16  48 bands 1 to 6, band k at 16 + 8 (k - 1)                   [2..7]
class CAudio_InData : public CAudio_Channel
{
public:
    static constexpr int kBlockBytes = Frame::kInputBlockBytes;
    static constexpr int kParamOffset = 8;
    static constexpr int kBandOffset = 16;

    // Where the 8-byte sub-block with `code` (byte 6 of a parameter change)
    // lies in the block; -1 for a code the input does not have.
    static constexpr int SubBlockOffset(int code)
    {
        if (code == 0)
            return 0;
        if (code == 1)
            return kParamOffset;
        if (code >= 2 && code <= 7)
            return kBandOffset + Frame::kSubBlockBytes * (code - 2);
        return -1;
    }

    explicit CAudio_InData(int index);

    void SetGate(int step);
    int GetGate() const { return m_nGate; }

    // Set only from blocks received from the processor.
    void SetGateActive(bool active);
    void SetSpare15(int value) { m_nSpare15 = value; }
    bool GetGateActive() const { return m_bGateActive != 0; }
    int GetSpare15() const { return m_nSpare15; }

    // Takes polarity, delay, gain, gate and every band from another input
    // (the kLinked fields); name, mute, colour and flags stay.
    void CopyLinkedSettings(const CAudio_InData& src);

    // Program file record: name (STRING, at most 8), on, polarity (BYTEs),
    // delay, gain (LONGs), gate active (BYTE), spare (LONG), parameter code,
    // channel code (BYTEs), then the 6 bands. The gate threshold is not
    // part of the file: reading leaves it as it was.
    void Serialize(CArchive& ar);

    // Calls v(field, input.member...) for every stored field of the input
    // itself (its filters visit theirs), file fields first and in file
    // order, for one input or several side by side. See model/RecordField.h.
    template <class V, class... Self>
    static void VisitFields(V&& v, Self&... self)
    {
        using namespace RecordField;
        v(Field{"name", kFile | kSetting}, self.m_szName...);
        v(Field{"on", kFile | kSetting}, self.m_bOn...);
        v(Field{"polarity", kSound}, self.m_bInvert...);
        v(Field{"delay", kSound}, self.m_nDelay...);
        v(Field{"gain", kSound}, self.m_nGain...);
        v(Field{"gateActive", kSound}, self.m_bGateActive...);
        v(Field{"spare", kFile | kSetting}, self.m_nSpare15...);
        v(Field{"paramCode", kFile}, self.m_byParamCode...);
        v(Field{"channel", kFile | kIdentity}, self.m_byChannel...);
        v(Field{"gate", kBlockOnly | kSetting | kLinked}, self.m_nGate...);
    }

    std::span<const uint8_t, kBlockBytes> BuildBlock();
    void LoadBlock(std::span<const uint8_t, kBlockBytes> block);
    std::span<const uint8_t, kBlockBytes> GetBlock() const { return m_abyBlock; }

    int m_nGate = 40;
    // Yes/no, kept as the BYTE the file holds.
    uint8_t m_bGateActive = 0;
    int m_nSpare15 = 0;

private:
    void SumEq() override;

    std::array<uint8_t, kBlockBytes> m_abyBlock{};
};
