#pragma once

#include <array>
#include <string>

// What the two EQ panels show and allow per band, and the few values their
// combos stand for. The panels only place and fill what these answer.
namespace EqPanelRules
{
// The graphic-mode Q combo: entry k gives every band of the output the
// bandwidth step kGraphicQSteps[k] (0.22, 0.27, 0.34 octave).
constexpr std::array<int, 3> kGraphicQSteps{21, 26, 33};
constexpr int kGraphicQChoices = static_cast<int>(kGraphicQSteps.size());
const char* GraphicQText(int choice);
// The entry showing `bandwidthStep`, or -1 when none does (the combo then
// keeps what it shows).
int GraphicQChoice(int bandwidthStep);

// The shelf slope combos of output bands 1 and 15: slope 0 and 1.
constexpr int kShelfSlopeChoices = 2;
const char* ShelfSlopeText(int slope);

// What one band column of a panel shows (hidden fields take no place) and
// which of its fields may be edited.
struct BandFields
{
    bool bFrequencyEnabled = true;
    bool bWidthShown = true;     // bandwidth and Q
    bool bWidthEnabled = true;
    bool bSlopeShown = false;    // the shelf slope combo, output bands 1 and 15
    bool bGraphicQShown = false; // the graphic Q combo, in band 1's place
};
// Every input band: frequency, width and gain, all free.
BandFields InputBandFields();
// Output band `band` (0..14) in parametric (graphic false) or graphic mode:
// parametric band 1 and 15 are shelves with a slope instead of a width;
// graphic mode fixes every frequency and width, and band 1's place holds
// the graphic Q, band 15 shows its (fixed) width.
BandFields OutputBandFields(bool graphic, int band);
}
