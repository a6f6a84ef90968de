#include "editors/StripLayout.h"

#include <algorithm>
#include <cmath>

namespace
{
constexpr int kMargin = 4;
// Between the input and the output columns; the generator toggle stands
// there, so it is seen whichever of the two sides the left part shows.
constexpr int kSideGap = 34;
constexpr int kToggleInset = 3;
// The meter's lamps, with room for the ticks of its scale; a column wide
// enough also gives the scale its dB figures.
constexpr int kMeterWidth = 16;
constexpr int kMeterWithScaleWidth = 32;
constexpr double kColumnForScale = 100.0;

// Vertical places at the design height, scaled with the strip.
struct Band
{
    int nTop;
    int nHeight;
};
constexpr Band kSelect{4, 22};
constexpr Band kName{30, 22};
constexpr Band kButtons{56, 28};
constexpr Band kLink{88, 22};
constexpr Band kMarker{113, 8};
constexpr Band kRoute{126, 24};

int Scaled(int value, double scale)
{
    return static_cast<int>(std::lround(value * scale));
}

QRect Row(const QRect& content, Band band, double scale)
{
    return {content.left(), content.top() + Scaled(band.nTop, scale), content.width(), Scaled(band.nHeight, scale)};
}
}

namespace StripLayout
{
ColumnRects Column(QSize size, int column)
{
    const int width = std::max(0, size.width() - 2 * kMargin - kSideGap);
    const double columnWidth = width / static_cast<double>(kColumns);
    const double scale = std::max(0.5, size.height() / static_cast<double>(kDesignSize.height()));
    const int gap = column >= kInputColumns ? kSideGap : 0;
    const int left = kMargin + gap + static_cast<int>(std::lround(column * columnWidth));
    const int right = kMargin + gap + static_cast<int>(std::lround((column + 1) * columnWidth));

    ColumnRects rects;
    rects.column = QRect(left, 0, right - left, size.height());
    const int meterWidth = columnWidth >= kColumnForScale ? kMeterWithScaleWidth : kMeterWidth;
    rects.meter = QRect(left + 2, kMargin, meterWidth, size.height() - 2 * kMargin);
    const int contentLeft = rects.meter.right() + 5;
    const QRect content(contentLeft, 0, right - 3 - contentLeft, size.height());

    rects.select = Row(content, kSelect, scale);
    rects.name = Row(content, kName, scale);
    const QRect buttons = Row(content, kButtons, scale);
    const int half = (buttons.width() - 4) / 2;
    rects.mute = QRect(buttons.left(), buttons.top(), half, buttons.height());
    rects.curve = QRect(buttons.right() + 1 - half, buttons.top(), half, buttons.height());
    rects.link = Row(content, kLink, scale);
    rects.marker = Row(content, kMarker, scale);
    const QRect route = Row(content, kRoute, scale);
    const int cell = route.width() / kRouteRows;
    for (int row = 0; row < kRouteRows; ++row)
        rects.route.at(static_cast<size_t>(row)) = QRect(route.left() + row * cell, route.top(), cell - 1, route.height());
    return rects;
}

QRect InputArea(QSize size)
{
    const QRect first = Column(size, 0).column;
    const QRect last = Column(size, kInputColumns - 1).column;
    return first.united(last);
}

QRect GeneratorToggle(QSize size)
{
    const QRect inputs = InputArea(size);
    const QRect firstOutput = Column(size, kInputColumns).column;
    return QRect(QPoint(inputs.right() + 1 + kToggleInset, kMargin),
                 QPoint(firstOutput.left() - 1 - kToggleInset, size.height() - 1 - kMargin));
}

bool IsRouteRowShown(int row, int inputs)
{
    return row == kRouteIndicatorRow || (row >= 0 && row < inputs);
}
}
