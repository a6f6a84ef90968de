#pragma once

#include <QRect>
#include <QSize>

#include <array>

// Where the channel strip's controls sit, for a strip of any size: four
// input columns on the left, a gap, eight output columns on the right. Pure
// geometry, so the strip's widget code only places what it is given.
namespace StripLayout
{
constexpr int kInputColumns = 4;
constexpr int kOutputColumns = 8;
constexpr int kColumns = kInputColumns + kOutputColumns;
// Rows A to D of the routing matrix, then the E cell.
constexpr int kRouteRows = 5;
constexpr int kRouteIndicatorRow = 4;

// Size the strip is designed for; it scales from there.
constexpr QSize kDesignSize{1184, 184};

struct ColumnRects
{
    QRect column;
    QRect select;
    QRect name;
    QRect mute;
    QRect curve;
    QRect link;
    QRect marker;
    QRect meter;
    std::array<QRect, kRouteRows> route{};  // outputs only
};

// Column 0..3 inputs A..D, 4..11 outputs 1..8, inside a strip of `size`.
ColumnRects Column(QSize size, int column);
// The four input columns together: where the generator controls take over.
QRect InputArea(QSize size);
// Between the input and the output columns: the button that swaps the
// input columns for the generator controls.
QRect GeneratorToggle(QSize size);

// Whether routing row `row` (0..3 for inputs A..D, 4 for E) of an output
// column is shown on a processor with `inputs` inputs.
bool IsRouteRowShown(int row, int inputs);
}
