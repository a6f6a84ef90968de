#pragma once

#include "model/FilterTypes.h"
#include "model/Response.h"

#include <array>

// Magnitude responses of EQ bands and crossover filters, computed the way the
// processor's 96 kHz biquads behave: each filter is a cascade of second- (or
// first-) order sections designed from its parameters and evaluated on the
// unit circle at the 241 axis frequencies. Every constant is fixed; changing
// one moves the curves away from what the processor does.

// H(z) = (b0 + b1 z^-1 + b2 z^-2) / (a0 + a1 z^-1 + a2 z^-2), not normalised.
struct Section
{
    double a0 = 1.0, a1 = 0.0, a2 = 0.0;
    double b0 = 1.0, b1 = 0.0, b2 = 0.0;
};

// Up to four sections; pass-through sections are left out, since they add
// exactly 0 dB.
struct Cascade
{
    std::array<Section, 4> aSections{};
    int nCount = 0;
};

// ---- evaluation ---------------------------------------------------------------
// dB of one section at axis point `index` (0..240). An a0 of exactly 0 is
// replaced by 1e-10 so that the division stays finite.
double SectionDb(const Section& section, int index);
// Adds the section's dB to every point of `response`.
void AddSectionDb(const Section& section, Response& response);
// The cascade's response: the sum of its sections' dB (0 dB if it has none).
void CascadeResponse(const Cascade& cascade, Response& response);

// ---- designs (f0 in Hz, already snapped to the axis where the filter snaps) ----
Section PeakingSection(double f0, double gainDb, double bandwidthOct);
// `highShelf` picks the high shelf; `slope` 0 = 6 dB/oct, nonzero = 12 dB/oct.
// A gain of exactly 0 gives a pass-through.
Section ShelfSection(bool highShelf, double f0, double gainDb, int slope);
// `slope` is the crossover slope step 0..6 (12 + 6 x step dB/oct), clamped
// into that range. A characteristic other than Linkwitz-Riley or Bessel is
// designed as Butterworth.
Cascade HighPassCascade(double f0, int xoverType, int slope);
Cascade LowPassCascade(double f0, int xoverType, int slope);

// ---- one filter ---------------------------------------------------------------
// What the response of one band or crossover filter depends on.
struct FilterShape
{
    int nType = kFilterParametric;
    int nFreq = 1000;            // Hz; the graphic frequency in graphic-EQ mode
    double dGainDb = 0.0;
    double dBandwidthOct = 0.3;  // the graphic bandwidth in graphic-EQ mode
    int nSlope = 0;              // shelf slope or crossover slope step
    int nXoverType = kXoverButterworth;
    bool bInactive = false;      // off or bypassed; ignored by crossover filters
};

// Fills `out` with the filter's response in dB. Inactive bands, shelves with
// a gain of exactly 0, a high-pass at exactly 20 Hz, a low-pass at exactly
// 20000 Hz and unknown types are flat. Bands and the high-pass design at the
// axis frequency nearest their set frequency, the low-pass at its own.
void ComputeFilterResponse(const FilterShape& shape, Response& out);
