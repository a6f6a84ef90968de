#pragma once

#include "model/Audio_Channel.h"
#include "wire/WireNumbers.h"

#include <array>
#include <cstdint>
#include <span>

// One output channel (1 to 8).
//
// Output block, 152 bytes, in 8-byte sub-blocks (code in brackets):
//   0   8  name                                                     [0]
//   8   1  on + 1                                                   [1]
//   9   1  polarity + 1
//   10  2  delay step + 1
//   12  2  gain step + 301
//   14  1  routing: bit 0 input A .. bit 3 input D
//   15  1  EQ mode + 1 (1 parametric, 2 graphic)
//   16  2  limiter threshold step + 1 (601 = off)                   [17]
//   18  2  limiter attack step + 1
//   20  2  limiter release, ms
//   22  2  reserved, 0
//   24  2  low-pass sent frequency, Hz                              [18]
//   26  1  low-pass characteristic + 1
//   27  1  low-pass slope + 1
//   28  2  high-pass sent frequency, Hz
//   30  1  high-pass characteristic + 1
//   31  1  high-pass slope + 1
//   32  120 bands 1 to 15, band k at 32 + 8 (k - 1)                 [2..16]
class CAudio_OutData : public CAudio_Channel
{
public:
    static constexpr int kBlockBytes = Frame::kOutputBlockBytes;
    static constexpr int kParamOffset = 8;
    static constexpr int kLimitOffset = 16;
    static constexpr int kXoverOffset = 24;
    static constexpr int kBandOffset = 32;
    static constexpr int kLimitCode = 17;
    static constexpr int kXoverCode = 18;

    // Where the 8-byte sub-block with `code` (byte 6 of a parameter change)
    // lies in the block; -1 for a code the output does not have.
    static constexpr int SubBlockOffset(int code)
    {
        if (code == 0)
            return 0;
        if (code == 1)
            return kParamOffset;
        if (code >= 2 && code <= 16)
            return kBandOffset + Frame::kSubBlockBytes * (code - 2);
        if (code == kLimitCode)
            return kLimitOffset;
        if (code == kXoverCode)
            return kXoverOffset;
        return -1;
    }

    explicit CAudio_OutData(int index);

    void SetRoute(int mask);
    int GetRoute() const { return m_byRoute; }

    void SetLimitThreshold(int step);
    void SetLimitAttack(int step);
    void SetLimitRelease(int ms);
    int GetLimitThreshold() const { return m_nLimitThreshold; }
    int GetLimitAttack() const { return m_nLimitAttack; }
    int GetLimitRelease() const { return m_nLimitRelease; }
    int GetLimitCode() const { return m_byLimitCode; }
    void SetLimitChanged(bool changed) { m_bLimitChanged = changed; }
    bool IsLimitChanged() const { return m_bLimitChanged; }

    // Switches the 15 bands between parametric and graphic EQ. Every switch
    // flattens all 15 bands; `changed` is what their change flags become.
    void SetGeqMode(int mode, bool changed);
    // As SetGeqMode, but only when the mode really changes, and without
    // touching the change flags afterwards.
    void ApplyGeqMode(int mode);
    int GetGeqMode() const { return m_bGeqMode; }

    CFilter& GetHighPass() { return m_eq.GetHighPass(); }
    CFilter& GetLowPass() { return m_eq.GetLowPass(); }
    const CFilter& GetHighPass() const { return m_eq.GetHighPass(); }
    const CFilter& GetLowPass() const { return m_eq.GetLowPass(); }

    // Takes polarity, delay, gain, the EQ mode with every filter, and the
    // limiter from another output (the kLinked fields); name, mute, routing,
    // colour and flags stay.
    void CopyLinkedSettings(const CAudio_OutData& src);

    // Program file record: name (STRING, at most 8), reserved (LONG), name
    // code, on (BYTEs), gain (LONG), polarity, routing (BYTEs), delay
    // (LONG), parameter code (BYTE), graphic-EQ mode, limiter threshold,
    // attack, release (LONGs), limiter code, channel code (BYTEs), then the
    // 15 bands, the high-pass and the low-pass filter.
    // Reading applies the graphic-EQ mode before the filters are read.
    void Serialize(CArchive& ar);

    // Calls v(field, output.member...) for every stored field of the output
    // itself (its filters visit theirs), in file order, for one output or
    // several side by side. See model/RecordField.h.
    template <class V, class... Self>
    static void VisitFields(V&& v, Self&... self)
    {
        using namespace RecordField;
        v(Field{"name", kFile | kSetting}, self.m_szName...);
        v(Field{"reserved", kFile}, self.m_nReserved...);
        v(Field{"nameCode", kFile}, self.m_byNameCode...);
        v(Field{"on", kFile | kSetting}, self.m_bOn...);
        v(Field{"gain", kSound}, self.m_nGain...);
        v(Field{"polarity", kSound}, self.m_bInvert...);
        v(Field{"routing", kFile | kSetting}, self.m_byRoute...);
        v(Field{"delay", kSound}, self.m_nDelay...);
        v(Field{"paramCode", kFile}, self.m_byParamCode...);
        v(Field{"geqMode", kSound}, self.m_bGeqMode...);
        v(Field{"limitThreshold", kSound}, self.m_nLimitThreshold...);
        v(Field{"limitAttack", kSound}, self.m_nLimitAttack...);
        v(Field{"limitRelease", kSound}, self.m_nLimitRelease...);
        v(Field{"limitCode", kFile}, self.m_byLimitCode...);
        v(Field{"channel", kFile | kIdentity}, self.m_byChannel...);
    }

    std::span<const uint8_t, kBlockBytes> BuildBlock();
    void LoadBlock(std::span<const uint8_t, kBlockBytes> block);
    std::span<const uint8_t, kBlockBytes> GetBlock() const { return m_abyBlock; }

    int m_nReserved = 0;
    uint8_t m_byRoute = 1;
    // 1 graphic, 0 parametric: the catalogue's step and a LONG in the file,
    // kept as stored so that a read file writes back byte for byte.
    int m_bGeqMode = 0;
    int m_nLimitThreshold = 600;
    int m_nLimitAttack = 56;
    int m_nLimitRelease = 500;
    uint8_t m_byLimitCode = kLimitCode;
    bool m_bLimitChanged = false;

private:
    void SwitchBands(int mode);
    void SumEq() override;

    std::array<uint8_t, kBlockBytes> m_abyBlock{};
};
