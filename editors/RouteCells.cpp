#include "editors/RouteCells.h"

#include "model/ParamCatalogue.h"
#include "session/ProcessorLink.h"
#include "editors/StripLayout.h"

namespace RouteCells
{
bool Toggle(CProcessorLink& link, int output, int row)
{
    CAudio_Data& record = link.Record();
    const ParamAt at{output, row};
    const int routed = ParamCatalogue::Get(EParam::kOutRoute, record, at) != 0 ? 0 : 1;
    bool bChanged = false;
    link.Notice().Apply(ParamCatalogue::ChannelCode(EParam::kOutRoute, at), static_cast<int>(EParam::kOutRoute), [&] {
        bChanged = ParamCatalogue::Set(EParam::kOutRoute, record, at, routed);
        return bChanged;
    });
    return bChanged;
}

bool IsEnabled(int row, bool testMode, bool matrixLocked)
{
    return !testMode && (row == StripLayout::kRouteIndicatorRow || !matrixLocked);
}
}
