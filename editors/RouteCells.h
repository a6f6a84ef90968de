#pragma once

class CProcessorLink;

// The routing matrix as the channel strip and both channel panels edit it:
// one bit per output and source input, written with CProcessorLink::Edit, so
// every grid showing the cell hears of it.
namespace RouteCells
{
// Flips source `row` (input A..D as 0..3) of output `output`; true when the
// record changed (the output is then marked for sending).
bool Toggle(CProcessorLink& link, int output, int row);

// Whether a cell takes clicks: rows 0..3 are the sources, 4 the E row. The
// test generator freezes every cell while it runs; the matrix lock freezes
// the source rows.
bool IsEnabled(int row, bool testMode, bool matrixLocked);
}
