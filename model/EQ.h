#pragma once

#include "model/Filter.h"
#include "model/GraphGeometry.h"

#include <memory>
#include <vector>

class CArchive;

// The filters of one channel, in sub-block order: 6 bands for an input;
// 15 bands, then the high-pass and the low-pass filter for an output.
// The array is built once and never changes size.
class CEQ
{
public:
    enum class Kind
    {
        Input,
        Output,
    };

    static constexpr int kInputBands = 6;
    static constexpr int kOutputBands = 15;
    static constexpr int kOutputFilters = 17;

    explicit CEQ(Kind kind);
    CEQ(const CEQ&) = delete;
    CEQ& operator=(const CEQ&) = delete;

    int GetSize() const { return static_cast<int>(m_filters.size()); }
    CFilter& GetAt(int i) { return *m_filters.at(static_cast<size_t>(i)); }
    const CFilter& GetAt(int i) const { return *m_filters.at(static_cast<size_t>(i)); }
    void CopyFrom(const CEQ& src);
    // Every filter's file record, in order. An output's last two filters
    // are its high-pass and low-pass by position; a file that gives them
    // another type is damaged.
    void Serialize(CArchive& ar);

    // ---- summed curve on the response graph --------------------------------
    using Points = std::array<Point, kFreqPoints>;
    // Lays out the summed curve's x positions and passes the size to every filter.
    void SetGraphRect(int width, int height);
    // The summed curve of every filter the locks leave visible: input bands
    // unless the input EQ is locked; output bands and crossover filters
    // unless the output EQ or the crossover is locked.
    void SumInput(bool eqLocked);
    void SumOutput(bool eqLocked, bool xoverLocked);
    // High-pass and low-pass only.
    void SumCrossover();
    const Points& GetPoints() const { return m_aptPoints; }
    // The same sum in dB at the 241 axis frequencies (FreqTable), as the
    // last Sum... computed it.
    const Response& GetSum() const { return m_adSum; }
    int GetGraphHeight() const { return m_nGraphH; }

    // Output equalisers only: the last two filters.
    CFilter& GetHighPass();
    CFilter& GetLowPass();
    const CFilter& GetHighPass() const;
    const CFilter& GetLowPass() const;

private:
    // y of every point = the summed response of filters [first, last).
    void SumRange(int first, int last);
    void SumFlat();

    std::vector<std::unique_ptr<CFilter>> m_filters;
    Points m_aptPoints{};
    Response m_adSum{};
    int m_nGraphW = 0;
    int m_nGraphH = 0;
};
