#pragma once

#include "model/EQ.h"
#include "model/LockState.h"

#include <array>
#include <cstdint>
#include <string>

// Colour of a channel's curve, laid out as red | green << 8 | blue << 16.
using ColorRef = uint32_t;
constexpr ColorRef MakeRgb(int r, int g, int b)
{
    return static_cast<ColorRef>(r) | (static_cast<ColorRef>(g) << 8) | (static_cast<ColorRef>(b) << 16);
}

// What inputs and outputs have in common: name, mute, polarity, delay,
// gain, their equaliser, curve display and the change flags the frame pump
// reads. Setters only store and mark; nothing is sent from here.
class CAudio_Channel
{
public:
    static constexpr int kNameBytes = 8;
    using Name = std::array<char, kNameBytes>;

    CAudio_Channel(CEQ::Kind kind, int channelCode);
    virtual ~CAudio_Channel() = default;
    CAudio_Channel(const CAudio_Channel&) = delete;
    CAudio_Channel& operator=(const CAudio_Channel&) = delete;

    // Copies at most 8 bytes; shorter names are padded with NUL.
    void SetName(const std::string& name);
    void SetNameBytes(const Name& name) { m_szName = name; m_bNameChanged = true; }
    // The stored bytes up to the first NUL, at most 8.
    std::string GetName() const;
    const Name& GetNameBytes() const { return m_szName; }

    // Setters store and mark; the link rule (LinkRule.h) gives an edit to
    // the linked channels.
    void SetOn(bool on);
    void SetPolarity(bool invert);
    void SetDelay(int step);
    void SetGain(int step);
    bool IsOn() const { return m_bOn != 0; }
    bool GetPolarity() const { return m_bInvert != 0; }
    int GetDelay() const { return m_nDelay; }
    int GetGain() const { return m_nGain; }
    int GetChannel() const { return m_byChannel; }
    int GetNameCode() const { return m_byNameCode; }
    int GetParamCode() const { return m_byParamCode; }

    void ShowCurve(bool show) { m_bShowCurve = show; }
    bool IsCurveShown() const { return m_bShowCurve; }
    void SetColor(ColorRef color) { m_crColor = color; }
    ColorRef GetColor() const { return m_crColor; }
    void SetLinked(bool linked) { m_bLinked = linked; }
    bool IsLinked() const { return m_bLinked; }

    void SetNameChanged(bool changed) { m_bNameChanged = changed; }
    bool IsNameChanged() const { return m_bNameChanged; }
    void SetParamChanged(bool changed) { m_bParamChanged = changed; }
    bool IsParamChanged() const { return m_bParamChanged; }

    CEQ& GetEQ() { return m_eq; }
    const CEQ& GetEQ() const { return m_eq; }
    int GetBandCount() const { return m_nBands; }
    CFilter& GetBand(int i) { return m_eq.GetAt(i); }
    const CFilter& GetBand(int i) const { return m_eq.GetAt(i); }

    // ---- channel curve on the response graph --------------------------------
    // The lock state that decides which filters and whether the gain show in
    // the curves; none means nothing is locked.
    void SetLockState(const CLockState* locks) { m_pLocks = locks; }
    void SetGraphRect(int width, int height);
    // The EQ sum shifted by the channel gain.
    void UpdateCurve();
    const CEQ::Points& GetCurvePoints() const { return m_aptCurve; }
    // The curve in dB at the 241 axis frequencies (FreqTable), as the last
    // UpdateCurve computed it: the EQ sum shifted by the channel gain, both
    // as the locks allow. What exports write; the points are its pixels.
    const Response& GetCurveDb() const { return m_adCurveDb; }
    int GetGainOffset() const { return m_nGainOffset; }

    // Channel-wide EQ bypass: every band, never the crossover filters.
    void SetEqBypass(bool bypass);
    // Whether every band is off or bypassed.
    bool UpdateAllBandsOff();

    // Fields named as the block and file layouts name them. On and polarity
    // are yes/no kept as the byte the block and the file hold.
    Name m_szName{};
    uint8_t m_byNameCode = 0;
    uint8_t m_bOn = 1;
    uint8_t m_bInvert = 0;
    int m_nDelay = 0;
    int m_nGain = 300;
    uint8_t m_byParamCode = 1;
    uint8_t m_byChannel = 0;
    bool m_bShowCurve = false;
    ColorRef m_crColor = 0;
    bool m_bNameChanged = false;
    bool m_bParamChanged = false;
    bool m_bAllBandsOff = false;
    bool m_bLinked = false;

protected:
    // Fills the EQ's summed points as the locks allow.
    virtual void SumEq() = 0;
    bool IsLocked(int flag) const { return m_pLocks && m_pLocks->IsLocked(flag); }

    CEQ m_eq;
    int m_nBands;
    int m_nGainLockFlag;
    const CLockState* m_pLocks = nullptr;
    CEQ::Points m_aptCurve{};
    Response m_adCurveDb{};
    int m_nGainOffset = 0;
    int m_nGraphW = 0;
    int m_nGraphH = 0;

    // Bytes 0 to 13, laid out alike in input and output blocks: name, on + 1,
    // polarity + 1, delay step + 1, gain step + 301.
    void BuildBlockHead(std::span<uint8_t> block) const;
    void LoadBlockHead(std::span<const uint8_t> block);
};
