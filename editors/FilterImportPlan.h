#pragma once

#include "model/FilterImport.h"
#include "model/ValueText.h"

#include <QString>

class CProcessorLink;

// The filter-set import without its window: reading a file into a plan for
// one channel, the texts the import window lists, and applying a plan. The
// window (FilterImportDlg.h) only shows these.
namespace FilterImportPlan
{
// Channel codes as the notice uses them: inputs first, then outputs.
bool IsChannelCode(int nChannelCode);

// The plan for the channel from the file at strPath; false when the file
// cannot be read (or is too large to be a filter set).
bool PlanFile(const QString& strPath, const CProcessorLink& link, int nChannelCode, FilterImport::Plan& plan);

QString Title(const FilterImport::Plan& plan, ELanguage language);
QString BandName(const FilterImport::PlannedBand& band, ELanguage language);
// The file's filter as written, with its line; empty for a band the file does not use.
QString FileText(const FilterImport::PlannedBand& band, ELanguage language);
// The band's settings after the import, as the editors show them.
QString PlannedText(const FilterImport::Plan& plan, const FilterImport::PlannedBand& band, ELanguage language);
QString ProblemText(const FilterImport::Problem& problem, ELanguage language);

// Writes every band of the plan with CProcessorLink::EditQuietly and tells
// each changed band as one notice, so listeners see one change per band
// and the pump sends each changed band once (the linked channels' too).
// False when nothing changed.
bool Apply(CProcessorLink& link, const FilterImport::Plan& plan);
}
