#pragma once

#include "model/Scale.h"

#include <array>

// Step ranges of every parameter, the two fixed tables behind the scales
// (the 241-point frequency axis and the 300-entry Q table) and the delay's
// distance conversions. The scales themselves, step <-> value <-> text, are
// in model/Scale.h; the texts a value is shown as in model/ValueText.h.

// ---- ranges and fixed steps -------------------------------------------------
// The ranges are the scales' own; the zero steps are those of 0 dB.
constexpr int kGainMin = Scales::kChannelGain.nMinStep, kGainMax = Scales::kChannelGain.nMaxStep,
              kGainZero = Scales::kChannelGain.ZeroStep();
constexpr int kGateMin = Scales::kGate.nMinStep, kGateMax = Scales::kGate.nMaxStep;
constexpr int kDelayMin = Scales::kDelay.nMinStep, kDelayMax = Scales::kDelay.nMaxStep;
constexpr int kLimitThresholdMin = Scales::kLimitThreshold.nMinStep,
              kLimitThresholdMax = Scales::kLimitThreshold.nMaxStep,
              kLimitThresholdOff = Scales::kLimitThreshold.nOffStep;
constexpr int kAttackMin = Scales::kAttack.nMinStep, kAttackMax = Scales::kAttack.nMaxStep;
constexpr int kReleaseMin = Scales::kRelease.nMinStep, kReleaseMax = Scales::kRelease.nMaxStep;
constexpr int kEqGainMin = Scales::kEqGain.nMinStep, kEqGainMax = Scales::kEqGain.nMaxStep,
              kEqGainZero = Scales::kEqGain.ZeroStep();
constexpr int kFreqMin = Scales::kFrequency.nMinStep, kFreqMax = Scales::kFrequency.nMaxStep;
constexpr int kBandwidthMin = Scales::kBandwidth.nMinStep, kBandwidthMax = Scales::kBandwidth.nMaxStep;
constexpr int kXoverSlopeMax = 6;
constexpr int kGenTypeMax = 4;
constexpr int kGenLevelMin = Scales::kGenLevel.nMinStep, kGenLevelMax = Scales::kGenLevel.nMaxStep;
constexpr int kSweepMin = Scales::kSweep.nMinStep, kSweepMax = Scales::kSweep.nMaxStep;

constexpr int kFreqPoints = 241;
constexpr int kQSteps = 300;

// Speed of sound used for delays shown as distances: c = 331 + 0.6 T m/s.
constexpr double kAirTemperature = 15.0;

// ---- tables -------------------------------------------------------------------
// Frequencies (Hz) at which every response curve is evaluated; index 0..240.
const std::array<double, kFreqPoints>& FreqTable();
// Q of a bandwidth of (i + 1) / 100 octaves, i = 0..299, rounded as tabled.
const std::array<double, kQSteps>& QTable();

// ---- conversions --------------------------------------------------------------
// Distance sound travels in `ms` at air temperature `temperature` (deg C),
// and back. Feet are metres x 3.281.
double DelayMsToMetres(double ms, double temperature = kAirTemperature);
double DelayMetresToMs(double metres, double temperature = kAirTemperature);
double DelayMsToFeet(double ms, double temperature = kAirTemperature);
double DelayFeetToMs(double feet, double temperature = kAirTemperature);
constexpr double kFeetPerMetre = 3.281;
// Index 0..240 of the axis point nearest to `hz`; a tie goes to the higher
// index, anything above 20000 Hz gives 240.
int NearestFreqIndex(double hz);
