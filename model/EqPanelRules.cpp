#include "model/EqPanelRules.h"

#include "model/Audio_Data.h"

namespace
{
constexpr std::array<const char*, EqPanelRules::kGraphicQChoices> kGraphicQTexts{"6.551", "5.336", "4.233"};
constexpr std::array<const char*, EqPanelRules::kShelfSlopeChoices> kShelfSlopeTexts{"6dB/Oct", "12dB/Oct"};

constexpr int kLastOutputBand = CEQ::kOutputBands - 1;

bool IsShelfBand(int band)
{
    return band == 0 || band == kLastOutputBand;
}

// Writes the step only where it differs, so an unchanged band stays
// unmarked and sends nothing.
template <class Get, class Set>
bool CopyIfDifferent(const CFilter& from, CFilter& to, Get get, Set set)
{
    const int value = (from.*get)();
    if ((to.*get)() == value)
        return false;
    (to.*set)(value);
    return true;
}

bool CopyFrequency(const CFilter& from, CFilter& to)
{
    return CopyIfDifferent(from, to, &CFilter::GetFrequency, &CFilter::SetFrequency);
}

bool CopyBandwidth(const CFilter& from, CFilter& to)
{
    return CopyIfDifferent(from, to, &CFilter::GetBandwidthStep, &CFilter::SetBandwidthStep);
}

bool CopyGain(const CFilter& from, CFilter& to)
{
    return CopyIfDifferent(from, to, &CFilter::GetGainStep, &CFilter::SetGainStep);
}
}

namespace EqPanelRules
{
const char* GraphicQText(int choice)
{
    return kGraphicQTexts.at(static_cast<size_t>(choice));
}

int GraphicQChoice(int bandwidthStep)
{
    for (int k = 0; k < kGraphicQChoices; ++k)
        if (kGraphicQSteps.at(static_cast<size_t>(k)) == bandwidthStep)
            return k;
    return -1;
}

const char* ShelfSlopeText(int slope)
{
    return kShelfSlopeTexts.at(static_cast<size_t>(slope));
}

BandFields InputBandFields()
{
    return {};
}

BandFields OutputBandFields(bool graphic, int band)
{
    BandFields fields;
    if (graphic)
    {
        fields.bFrequencyEnabled = false;
        fields.bWidthEnabled = false;
        fields.bWidthShown = band != 0;
        fields.bGraphicQShown = band == 0;
        return fields;
    }
    fields.bWidthShown = !IsShelfBand(band);
    fields.bSlopeShown = IsShelfBand(band);
    return fields;
}

bool SpreadDraggedBand(CAudio_Data& data, bool inputSide, int channel, int band)
{
    bool changed = false;
    if (inputSide)
    {
        const CFilter& from = data.Input(channel).GetBand(band);
        data.Inputs().ForEachLinked(channel, false, [&](CAudio_InData& peer) {
            CFilter& to = peer.GetBand(band);
            changed |= CopyFrequency(from, to);
            changed |= CopyBandwidth(from, to);
            changed |= CopyGain(from, to);
        });
        return changed;
    }
    const CFilter& from = data.Output(channel).GetBand(band);
    data.Outputs().ForEachLinked(channel, false, [&](CAudio_OutData& peer) {
        CFilter& to = peer.GetBand(band);
        if (!peer.GetGeqMode())
        {
            changed |= CopyFrequency(from, to);
            if (!IsShelfBand(band))
                changed |= CopyBandwidth(from, to);
        }
        changed |= CopyGain(from, to);
    });
    return changed;
}
}
