#pragma once

#include <QRect>
#include <QSize>

#include <array>

// Where an EQ panel's controls sit, for a panel of any width at the EQ
// area's height: a caption column on the left (master and mode buttons,
// the row captions), then one column per band with its button on top, its
// gain fader on the left and its four fields (frequency, bandwidth, Q,
// gain) beside it. Pure geometry; the panels only place what they get.
namespace EqLayout
{
enum ERow : int
{
    kFrequencyRow,
    kBandwidthRow,
    kQRow,
    kGainRow,
    kRows
};

// Size the panels are designed for (the EQ area of the smallest window).
constexpr QSize kDesignSize{1224, 148};

struct BandRects
{
    QRect button;
    QRect fader;
    std::array<QRect, kRows> fields{};
    // A combo in place of the bandwidth field (shelf slope, graphic Q), and
    // the fader of a band that shows one.
    QRect combo;
    QRect faderBelowCombo;
};

// Band `band` of `bands` columns in a panel of `size`.
BandRects Band(QSize size, int bands, int band);
// The caption column: master switch, mode switch (output panel), and the
// caption of each field row. Master and mode share the top row.
QRect Master(QSize size);
QRect Mode(QSize size);
QRect RowCaption(QSize size, int row);
// A field's numeric edit and its spin arrows.
QRect FieldEdit(const QRect& field);
QRect FieldSpin(const QRect& field);
}
