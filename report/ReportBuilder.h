#pragma once

#include "model/ValueText.h"
#include "report/ReportTable.h"

class CAudio_Data;
class CLockState;

// The parameter report of a program: the rows of model/ReportRows, a column
// per channel, cells as the catalogue shows them (the lock text where a lock
// covers them). Channels beyond nInputs / nOutputs, and the source rows of
// inputs the processor lacks, stay empty. A snapshot: nothing is sent.
CReportTable BuildReportTable(const CAudio_Data& data, const CLockState* pLocks, int nInputs, int nOutputs,
                              ELanguage eLanguage);
