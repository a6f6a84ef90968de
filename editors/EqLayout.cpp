#include "EqLayout.h"

#include <algorithm>

namespace
{
constexpr int kCaptionWidth = 84;
constexpr int kMargin = 2;
constexpr int kButtonHeight = 20;
constexpr int kFaderWidth = 16;
constexpr int kFaderGap = 3;
constexpr int kRowTop = kMargin + kButtonHeight + 4;
constexpr int kRowHeight = 22;
constexpr int kRowPitch = 30;
constexpr int kSpinWidth = 13;
// Wider fields than this only spread the digits apart.
constexpr int kMaxFieldWidth = 84;

int ColumnWidth(QSize size, int bands)
{
    return std::max(1, (size.width() - kCaptionWidth) / std::max(1, bands));
}

int RowTop(int row)
{
    return kRowTop + row * kRowPitch;
}
}

namespace EqLayout
{
BandRects Band(QSize size, int bands, int band)
{
    const int width = ColumnWidth(size, bands);
    const int left = kCaptionWidth + band * width;
    BandRects rects;
    rects.button = QRect(left + kMargin, kMargin, width - 2 * kMargin, kButtonHeight);

    // Fader and fields keep together in the middle of a wide column.
    const int fieldWidth = std::clamp(width - 2 * kMargin - kFaderWidth - kFaderGap, 1, kMaxFieldWidth);
    const int groupWidth = kFaderWidth + kFaderGap + fieldWidth;
    const int groupLeft = left + (width - groupWidth) / 2;
    rects.fader = QRect(groupLeft, kRowTop - 2, kFaderWidth, size.height() - kRowTop);
    const int fieldLeft = groupLeft + kFaderWidth + kFaderGap;
    for (int row = 0; row < kRows; ++row)
        rects.fields.at(static_cast<size_t>(row)) = QRect(fieldLeft, RowTop(row), fieldWidth, kRowHeight);
    rects.combo = QRect(fieldLeft, RowTop(kBandwidthRow), fieldWidth, kRowHeight);
    return rects;
}

QRect Master(QSize /*size*/)
{
    return QRect(kMargin, kMargin, kCaptionWidth / 2 - 2 * kMargin, kButtonHeight);
}

QRect Mode(QSize /*size*/)
{
    return QRect(kCaptionWidth / 2 + kMargin, kMargin, kCaptionWidth / 2 - 2 * kMargin, kButtonHeight);
}

QRect RowCaption(QSize /*size*/, int row)
{
    return QRect(kMargin, RowTop(row), kCaptionWidth - 2 * kMargin, kRowHeight);
}

QRect FieldEdit(const QRect& field)
{
    return QRect(0, 0, std::max(1, field.width() - kSpinWidth), field.height());
}

QRect FieldSpin(const QRect& field)
{
    return QRect(std::max(1, field.width() - kSpinWidth), 0, kSpinWidth, field.height());
}
}
