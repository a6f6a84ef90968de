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
}
