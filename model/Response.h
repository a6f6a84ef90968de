#pragma once

#include "model/DataDefine.h"

#include <array>
#include <span>

// A magnitude response in dB at the 241 points of the frequency axis.
using Response = std::array<double, kFreqPoints>;

// out[i] = parts[0][i] + parts[1][i] + ... added in the order given, so that
// an EQ sum comes out the same to the last bit whoever computes it. No parts
// gives a flat (0 dB) response. `out` must not be one of the parts.
void SumResponses(std::span<const Response* const> parts, Response& out);
