#include "editors/RouteCells.h"

#include "model/ParamCatalogue.h"
#include "session/ProcessorLink.h"
#include "editors/StripLayout.h"

namespace RouteCells
{
bool Toggle(CProcessorLink& link, int output, int row)
{
    const ParamAt at{output, row};
    return link.Edit(EParam::kOutRoute, at, ParamCatalogue::Get(EParam::kOutRoute, link.Record(), at) != 0 ? 0 : 1);
}

bool IsEnabled(int row, bool testMode, bool matrixLocked)
{
    return !testMode && (row == StripLayout::kRouteIndicatorRow || !matrixLocked);
}
}
