#pragma once

#include <QList>
#include <QRect>
#include <QSize>
#include <QString>

#include <array>

// What the generator controls show and where they sit, without a widget:
// which controls a signal type enables, the level fader's scale and the
// places of the controls in the strip's left part.
namespace TestGen
{
// Signal types of the record: 0 off, 1 white noise, 2 pink noise, 3 tone,
// 4 sweep. The type combo lists 1..4.
constexpr int kOff = 0;
constexpr int kWhiteNoise = 1;
constexpr int kTone = 3;
constexpr int kSweep = 4;

struct Enabled
{
    bool bType = false;
    bool bLevel = false;
    bool bFreq = false;
    bool bSweep = false;

    bool operator==(const Enabled&) const = default;
};
Enabled EnabledFor(int type);

// The combo entry that shows a type (-1, no entry, for off), and back.
int ComboEntry(int type);
int TypeOfEntry(int entry);

// Scale marks beside the level fader, which stands at the top for the
// loudest step: +6, 0, -12, -36 and -60 dBu, as level steps with their
// labels.
struct FaderMark
{
    int nLevelStep;
    QString szLabel;
};
QList<FaderMark> FaderMarks();
// Room kept above and below the thumb's travel.
constexpr int kFaderMargin = 28;

// Rows of the panel, in the order they are drawn.
enum ERow
{
    kRowSignal,
    kRowFreq,
    kRowSweep,
    kRowLevel,
    kRowCount
};

struct Rects
{
    QRect title;
    std::array<QRect, kRowCount> caption{};
    QRect onOff;
    QRect type;
    QRect freq, freqSpin;
    QRect sweep, sweepSpin;
    QRect level, levelSpin;
    QRect fader;
};
// The controls inside a left part of `size`.
Rects Place(QSize size);
}
