#include "testgen/GenLayout.h"

#include "model/DataDefine.h"

#include <algorithm>

namespace
{
constexpr int kMargin = 6;
constexpr int kTitleHeight = 22;
constexpr int kRowGap = 6;
constexpr int kFaderWidth = 56;
constexpr int kSpinWidth = 18;
constexpr int kOnOffWidth = 48;
constexpr int kGap = 6;
}

namespace TestGen
{
Enabled EnabledFor(int type)
{
    switch (type)
    {
    case 1:
    case 2:
        return {true, true, false, false};
    case kTone:
        return {true, true, true, false};
    case kSweep:
        return {true, true, false, true};
    default:
        return {};
    }
}

int ComboEntry(int type)
{
    return type >= 1 && type <= kGenTypeMax ? type - 1 : -1;
}

int TypeOfEntry(int entry)
{
    return entry >= 0 && entry < kGenTypeMax ? entry + 1 : kOff;
}

QList<FaderMark> FaderMarks()
{
    QList<FaderMark> marks;
    for (int dbu : {6, 0, -12, -36, -60})
        marks.append({Scales::kGenLevel.NearestStep(dbu), QString::number(dbu)});
    return marks;
}

Rects Place(QSize size)
{
    Rects r;
    const int right = size.width() - kMargin;
    r.fader = QRect(right - kFaderWidth, kMargin, kFaderWidth, std::max(0, size.height() - 2 * kMargin));
    r.title = QRect(kMargin, kMargin, std::max(0, r.fader.left() - kGap - kMargin), kTitleHeight);

    const int top = r.title.bottom() + 1 + kRowGap;
    const int rowHeight = std::max(12, (size.height() - kMargin - top - (kRowCount - 1) * kRowGap) / kRowCount);
    const int contentWidth = r.title.width();
    const int captionWidth = contentWidth * 2 / 5;
    const int fieldLeft = kMargin + captionWidth + kGap;
    const int fieldRight = r.fader.left() - kGap;
    for (int row = 0; row < kRowCount; ++row)
        r.caption.at(static_cast<size_t>(row)) =
            QRect(kMargin, top + row * (rowHeight + kRowGap), captionWidth, rowHeight);

    auto fieldPair = [&](int row, QRect& field, QRect& spin) {
        const QRect line = r.caption.at(static_cast<size_t>(row));
        spin = QRect(fieldRight - kSpinWidth, line.top(), kSpinWidth, line.height());
        field = QRect(fieldLeft, line.top(), std::max(0, spin.left() - 1 - fieldLeft), line.height());
    };
    const QRect signal = r.caption.at(kRowSignal);
    r.onOff = QRect(fieldLeft, signal.top(), kOnOffWidth, signal.height());
    r.type = QRect(r.onOff.right() + 1 + kGap, signal.top(), std::max(0, fieldRight - r.onOff.right() - kGap),
                   signal.height());
    fieldPair(kRowFreq, r.freq, r.freqSpin);
    fieldPair(kRowSweep, r.sweep, r.sweepSpin);
    fieldPair(kRowLevel, r.level, r.levelSpin);
    return r;
}
}
