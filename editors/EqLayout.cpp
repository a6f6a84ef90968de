#include "editors/EqLayout.h"

#include <algorithm>

namespace
{
constexpr int kCaptionWidth = 70;
constexpr int kMargin = 2;
constexpr int kButtonHeight = 20;
constexpr int kMinFaderWidth = 10;
constexpr int kMaxFaderWidth = 30;
constexpr int kFaderGap = 3;
constexpr int kRowTop = kMargin + kButtonHeight + 4;
constexpr int kRowHeight = 22;
constexpr int kRowPitch = 30;
constexpr int kSpinWidth = 12;
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

    // Fader and fields keep together in the middle of a wide column; a wide
    // column also gives the fader room for its scale.
    const int faderWidth = std::clamp(width / 5, kMinFaderWidth, kMaxFaderWidth);
    const int fieldWidth = std::clamp(width - 2 * kMargin - faderWidth - kFaderGap, 1, kMaxFieldWidth);
    const int groupWidth = faderWidth + kFaderGap + fieldWidth;
    const int groupLeft = left + (width - groupWidth) / 2;
    rects.fader = QRect(groupLeft, kRowTop - 2, faderWidth, size.height() - kRowTop);
    const int fieldLeft = groupLeft + faderWidth + kFaderGap;
    for (int row = 0; row < kRows; ++row)
        rects.fields.at(static_cast<size_t>(row)) = QRect(fieldLeft, RowTop(row), fieldWidth, kRowHeight);
    // The combo's texts ("12dB/Oct") need the fader's width too; that
    // band's fader starts below it.
    rects.combo = QRect(groupLeft, RowTop(kBandwidthRow), groupWidth, kRowHeight);
    const int faderTop = rects.combo.bottom() + 2;
    rects.faderBelowCombo = QRect(groupLeft, faderTop, faderWidth, size.height() - faderTop);
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
