#pragma once

#include "editors/EditorsText.h"

#include <QRect>
#include <QSize>

#include <array>
#include <string>
#include <vector>

// Where the controls of the input and output channel panels sit, for a panel
// of any size: the sections stand side by side from the left at fixed widths
// and the routing matrix takes what is left, so a wider window gives the
// matrix room; heights follow the panel's height. Pure geometry and the
// fader's scale, so the panels' widget code only places and draws what it is
// given.
namespace FaceLayout
{
// Size the panels are designed for (the main window's smallest channel
// panel area).
constexpr QSize kDesignSize{1224, 92};

constexpr int kDelayUnits = 3;      // milliseconds, metres, feet
constexpr int kMatrixColumns = 8;   // outputs 1..8
constexpr int kMatrixRows = 5;      // inputs A..D, then the E row
constexpr int kMatrixSourceRows = 4;

// A text the panel draws: a section caption, a row caption or a unit.
struct Caption
{
    QRect rect;
    EEditorsText eText;
    bool bCentred = false;
};

// The parts both panels share: gain, delay, polarity, and the frames of the
// sections with their captions.
struct SignalRects
{
    QRect fader;
    QRect gainField;
    QRect gainSpin;
    std::array<QRect, kDelayUnits> delayField{};
    std::array<QRect, kDelayUnits> delaySpin{};
    QRect polarity;
    QRect phase;
};

struct MatrixRects
{
    // [output][row]: rows 0..3 inputs A..D, 4 the E row.
    std::array<std::array<QRect, kMatrixRows>, kMatrixColumns> cells{};
    std::array<QRect, kMatrixColumns> columnLabels{};
    std::array<QRect, kMatrixSourceRows> rowLabels{};
};

struct InFaceRects
{
    SignalRects signal;
    QRect gateField;
    QRect gateSpin;
    MatrixRects matrix;
    std::vector<QRect> sections;
    std::vector<Caption> captions;
};

// [0] high-pass (left column), [1] low-pass.
struct OutFaceRects
{
    SignalRects signal;
    std::array<QRect, 2> xoverType{};
    std::array<QRect, 2> xoverField{};
    std::array<QRect, 2> xoverSpin{};
    std::array<QRect, 2> xoverSlope{};
    // threshold, attack, release
    std::array<QRect, 3> limitField{};
    std::array<QRect, 3> limitSpin{};
    MatrixRects matrix;
    std::vector<QRect> sections;
    std::vector<Caption> captions;
};

InFaceRects InFace(QSize size);
OutFaceRects OutFace(QSize size);

// Pixel size of the captions' font at this panel height.
int CaptionPixels(QSize size);

// Where the gain fader's scale is marked: +12, 0, -12 and -30 dB, as gain
// steps with their labels.
struct FaderMark
{
    int nGainStep;
    std::string strLabel;
};
std::vector<FaderMark> FaderMarks();
}
