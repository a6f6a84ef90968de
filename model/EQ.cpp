#include "model/EQ.h"

#include "model/Archive.h"
#include "model/GraphAxis.h"

#include <array>
#include <cassert>

namespace
{
constexpr std::array<int, CEQ::kInputBands> kInputFreqs = {20, 80, 317, 1092, 5024, 20000};
constexpr std::array<int, CEQ::kOutputBands> kOutputFreqs = {
    25, 40, 63, 100, 160, 250, 400, 630, 1000, 1600, 2500, 4000, 6300, 10000, 16000};
constexpr int kFirstBandCode = 2;
constexpr int kXoverCode = 18;
}

CEQ::CEQ(Kind kind)
{
    if (kind == Kind::Input)
    {
        for (int i = 0; i < kInputBands; ++i)
        {
            auto band = std::make_unique<CFilter>();
            band->m_nCode = kFirstBandCode + i;
            band->SetType(CFilter::kParametric);
            band->SetFrequency(kInputFreqs[i]);
            m_filters.push_back(std::move(band));
        }
        return;
    }

    for (int i = 0; i < kOutputBands; ++i)
    {
        auto band = std::make_unique<CFilter>();
        band->m_nCode = kFirstBandCode + i;
        int type = CFilter::kParametric;
        if (i == 0)
            type = CFilter::kLowShelf;
        else if (i == kOutputBands - 1)
            type = CFilter::kHighShelf;
        band->SetType(type);
        band->SetFrequency(kOutputFreqs[i]);
        band->SetGeqFrequency(kOutputFreqs[i]);
        m_filters.push_back(std::move(band));
    }

    auto highPass = std::make_unique<CFilter>();
    highPass->m_nCode = kXoverCode;
    highPass->m_bIsBand = false;
    highPass->SetType(CFilter::kHighPass);
    highPass->SetFrequency(20);
    m_filters.push_back(std::move(highPass));

    auto lowPass = std::make_unique<CFilter>();
    lowPass->m_nCode = kXoverCode;
    lowPass->m_bIsBand = false;
    lowPass->SetType(CFilter::kLowPass);
    lowPass->SetFrequency(20000);
    m_filters.push_back(std::move(lowPass));
}

void CEQ::CopyFrom(const CEQ& src)
{
    assert(src.GetSize() == GetSize());
    for (int i = 0; i < GetSize(); ++i)
        GetAt(i).CopyFrom(src.GetAt(i));
}

void CEQ::Serialize(CArchive& ar)
{
    for (int i = 0; i < GetSize(); ++i)
        GetAt(i).Serialize(ar);
    if (ar.IsLoading() && GetSize() == kOutputFilters
        && (GetAt(kOutputBands).GetType() != CFilter::kHighPass
            || GetAt(kOutputBands + 1).GetType() != CFilter::kLowPass))
        ar.MarkDamaged();
}

CFilter& CEQ::GetHighPass()
{
    CFilter& filter = GetAt(GetSize() - 2);
    assert(filter.GetType() == CFilter::kHighPass);
    return filter;
}

CFilter& CEQ::GetLowPass()
{
    CFilter& filter = GetAt(GetSize() - 1);
    assert(filter.GetType() == CFilter::kLowPass);
    return filter;
}

const CFilter& CEQ::GetHighPass() const
{
    return const_cast<CEQ*>(this)->GetHighPass();
}

const CFilter& CEQ::GetLowPass() const
{
    return const_cast<CEQ*>(this)->GetLowPass();
}

void CEQ::SetGraphRect(int width, int height)
{
    m_nGraphW = width;
    m_nGraphH = height;
    const auto& freqs = FreqTable();
    for (int i = 0; i < kFreqPoints; ++i)
        m_aptPoints[static_cast<size_t>(i)] = {FreqToX(freqs[static_cast<size_t>(i)], width) + kCurveLeft, height / 2};
    for (auto& filter : m_filters)
        filter->SetGraphRect(width, height);
}

void CEQ::SumRange(int first, int last)
{
    std::array<const Response*, kOutputFilters> parts{};
    for (int f = first; f < last; ++f)
        parts[static_cast<size_t>(f - first)] = &m_filters[static_cast<size_t>(f)]->GetResponse();
    SumResponses(std::span(parts).first(static_cast<size_t>(last - first)), m_adSum);
    for (int i = 0; i < kFreqPoints; ++i)
        m_aptPoints[static_cast<size_t>(i)].y = DbToY(m_adSum[static_cast<size_t>(i)], m_nGraphH) + kCurveTop;
}

void CEQ::SumFlat()
{
    const int zeroY = DbToY(0, m_nGraphH) + kCurveTop;
    for (Point& point : m_aptPoints)
        point.y = zeroY;
    m_adSum.fill(0.0);
}

void CEQ::SumInput(bool eqLocked)
{
    if (eqLocked)
        SumFlat();
    else
        SumRange(0, GetSize());
}

void CEQ::SumOutput(bool eqLocked, bool xoverLocked)
{
    if (eqLocked)
    {
        if (xoverLocked)
            SumFlat();
        else
            SumCrossover();
        return;
    }
    SumRange(0, xoverLocked ? kOutputBands : GetSize());
}

void CEQ::SumCrossover()
{
    SumRange(GetSize() - 2, GetSize());
}
