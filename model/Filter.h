#pragma once

#include <cstdint>
#include <span>

class CArchive;

// One EQ band, or one crossover filter of an output.
//
// Setters store the value and raise m_bChanged; the frame pump clears it
// when it has sent the band. A crossover filter never hands the processor a
// frequency more than an octave from the last one it sent: m_nSentFreq walks
// towards m_nFreq one pump call at a time (StepTowardTarget).
class CFilter
{
public:
    enum Type : int
    {
        kParametric = 0,
        kLowShelf = 1,
        kHighShelf = 2,
        kHighPass = 3,
        kLowPass = 4,
    };

    static constexpr int kBandBytes = 8;

    CFilter() = default;
    CFilter(const CFilter&) = delete;
    CFilter& operator=(const CFilter&) = delete;

    void SetFrequency(int hz);
    void SetGeqFrequency(int hz);
    void SetGainStep(int step);
    void SetBandwidthStep(int step);
    void SetOff(int off);
    void SetBypass(int bypass);
    void SetType(int type);
    void SetSlope(int slope);
    void SetXoverType(int type);
    void SetGeq(int geq);
    void StepTowardTarget(int flag);
    // Copies the settings of another filter; its code and graphic-EQ
    // assignment stay this filter's own.
    void CopyFrom(const CFilter& src);

    int GetFrequency() const { return m_bGeq ? m_nGeqFreq : m_nFreq; }
    int GetGainStep() const;
    int GetBandwidthStep() const;
    int IsInactive() const { return m_bBypass ? m_bBypass : m_bOff; }

    int GetType() const { return m_nType; }
    int GetSlope() const { return m_nSlope; }
    int GetXoverType() const { return m_nXoverType; }
    int GetCode() const { return m_nCode; }
    int GetSentFreq() const { return m_nSentFreq; }
    int IsChanged() const { return m_bChanged; }
    void SetChanged(int changed) { m_bChanged = changed; }
    int IsGeq() const { return m_bGeq; }
    double GetGain() const { return m_dGain; }
    double GetBandwidth() const { return m_bGeq ? m_dGeqBandwidth : m_dBandwidth; }

    // The 8-byte band sub-block of the device image.
    void BuildBandBytes(std::span<uint8_t, kBandBytes> out) const;
    // Sets the band from its sub-block, as loaded from the processor.
    void LoadBandBytes(std::span<const uint8_t, kBandBytes> in);
    // Sets a crossover filter's target and sent frequency at once.
    void LoadXover(int freq, int xoverType, int slope);

    // Program file record, 60 bytes, every field a LONG unless marked:
    //   type, frequency, graphic-EQ frequency, sent frequency, gain (DOUBLE),
    //   bypass, off, bandwidth (DOUBLE), graphic-EQ bandwidth (DOUBLE),
    //   crossover characteristic, slope, code.
    // Bypass comes before off. Read values are taken as stored; a read
    // filter counts as sent and has its handle and curve recomputed.
    void Serialize(CArchive& ar);

    // Curve and handle geometry follow every change that alters them.
    void ComputeResponse();
    void UpdateHandle();

    // Stored fields, named as the file and block layouts name them.
    int m_nType = kParametric;
    int m_nFreq = 1000;
    int m_nGeqFreq = 0;
    int m_nSentFreq = 20;
    double m_dGain = 0.0;
    int m_bOff = 1;
    int m_bBypass = 0;
    int m_bSavedBypass = 0;
    double m_dBandwidth = 0.3;
    double m_dGeqBandwidth = 0.22;
    int m_nXoverType = 2;
    int m_nSlope = 0;
    int m_nCode = 0;
    int m_bIsBand = 1;
    int m_bChanged = 0;
    int m_bGeq = 0;
    int m_bGeqFreqSet = 0;
};
