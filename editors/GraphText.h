#pragma once

#include "editors/GraphLayout.h"
#include "model/ValueText.h"

#include <QString>
#include <QStringList>

class CFilter;

// The texts the response graph writes beside its curves, chosen outside the
// widget so that tests can read them without painting.

// "1000Hz  -12dB" for a pointer inside the plot, else empty.
QString PointerReadoutText(Point pointer, const GraphLayout& layout, ELanguage language);

// One line per value of a dragged filter, caption first: frequency, gain and
// (parametric bands) bandwidth of a band; frequency and slope of a
// crossover filter.
QStringList DragInfoLines(const CFilter& filter, ELanguage language);

// The label written in a filter's point: "H" and "L" for the crossover
// filters, else the 1-based band number.
QString PointLabelText(const CFilter& filter, int index);
