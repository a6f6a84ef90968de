#pragma once

#include "model/ValueText.h"
#include "report/ReportTable.h"

// A report as the Data View window would show it for a full four-input,
// eight-output program with non-default values: 13 columns, 79 rows banded
// in their group colours, the input EQ locked, Chinese or English texts,
// channel names with a comma, quotation marks and Latin-1 letters.
CReportTable SampleReport(ELanguage eLanguage);

// Rows of SampleReport.
constexpr int kSampleRows = 79;
