#include "model/Response.h"

void SumResponses(std::span<const Response* const> parts, Response& out)
{
    out.fill(0.0);
    for (const Response* part : parts)
        for (int i = 0; i < kFreqPoints; ++i)
            out[i] += (*part)[i];
}
