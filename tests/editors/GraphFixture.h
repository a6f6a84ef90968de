#pragma once

#include "model/Audio_Data.h"
#include "model/DataDefine.h"

// A program as a tuned system might hold it: every band of every channel
// boosted or cut by a few dB, with its own width, and each output's
// crossover at its own frequencies, so that no two curves coincide.
inline void TuneAllChannels(CAudio_Data& data, bool showCurves)
{
    auto tune = [showCurves](CAudio_Channel& channel, int seed) {
        for (int k = 0; k < channel.GetBandCount(); ++k)
        {
            CFilter& band = channel.GetBand(k);
            const int sign = (k + seed) % 2 ? -1 : 1;
            band.SetGainStep(kEqGainZero + sign * (30 + 15 * ((k + seed) % 4)));
            band.SetBandwidthStep(40 + 35 * ((k + seed) % 3));
        }
        channel.ShowCurve(showCurves ? 1 : 0);
    };
    for (int i = 0; i < CAudio_InRoute::kCount; ++i)
        tune(data.Input(i), i);
    for (int i = 0; i < CAudio_OutRoute::kCount; ++i)
    {
        CAudio_OutData& output = data.Output(i);
        tune(output, i + 4);
        output.GetEQ().GetHighPass().SetFrequency(40 + 15 * i);
        output.GetEQ().GetLowPass().SetFrequency(16000 - 1500 * i);
        output.SetGain(kGainZero - 20 * (i % 3));
    }
}
