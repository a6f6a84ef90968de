#include "editors/FaceLayout.h"

#include "model/DataDefine.h"

#include <algorithm>
#include <cmath>

namespace
{
// Everything below is in design pixels; heights scale with the panel.
constexpr int kMargin = 4;
constexpr int kCaptionTop = 2;
constexpr int kCaptionHeight = 14;
constexpr int kRowTop = 18;
constexpr int kRowPitch = 24;
constexpr int kRowHeight = 22;
constexpr int kSpinWidth = 18;
constexpr int kSectionGap = 6;

// Sections shared by both panels, left to right.
constexpr int kGainLeft = kMargin;
constexpr int kGainWidth = 150;
constexpr int kDelayLeft = kGainLeft + kGainWidth + kSectionGap;
constexpr int kDelayWidth = 180;
constexpr int kPolarityLeft = kDelayLeft + kDelayWidth + kSectionGap;
constexpr int kPolarityWidth = 100;
constexpr int kOwnLeft = kPolarityLeft + kPolarityWidth + kSectionGap;

constexpr int kGateWidth = 120;
constexpr int kXoverWidth = 258;
constexpr int kXoverRowCaption = 54;
constexpr int kXoverColumn = 98;
constexpr int kLimitWidth = 230;
constexpr int kLimitCaption = 124;

constexpr int kMatrixRowLabel = 50;
// A matrix cell grows no wider than this; wider columns centre it.
constexpr int kMatrixCellMax = 40;

class Scaler
{
public:
    explicit Scaler(QSize size)
        : m_dScale(std::max(0.5, size.height() / static_cast<double>(FaceLayout::kDesignSize.height())))
    {
    }
    int Y(int y) const { return static_cast<int>(std::lround(y * m_dScale)); }
    // x and width stay design pixels; y and height scale.
    QRect Rect(int x, int y, int w, int h) const { return {x, Y(y), w, Y(y + h) - Y(y)}; }
    QRect Row(int x, int row, int w) const { return Rect(x, kRowTop + row * kRowPitch, w, kRowHeight); }

private:
    double m_dScale;
};

QRect Section(const Scaler& s, int left, int width)
{
    return s.Rect(left, 0, width, FaceLayout::kDesignSize.height());
}

FaceLayout::Caption SectionCaption(const Scaler& s, int left, int width, EEditorsText text)
{
    return {s.Rect(left + 4, kCaptionTop, width - 8, kCaptionHeight), text, false};
}

// A field with its spin at its right.
void FieldPair(QRect& field, QRect& spin, const QRect& rect)
{
    field = rect.adjusted(0, 0, -kSpinWidth, 0);
    spin = QRect(field.right() + 1, rect.top(), kSpinWidth, rect.height());
}

FaceLayout::SignalRects Signal(const Scaler& s, std::vector<QRect>& sections,
                               std::vector<FaceLayout::Caption>& captions, bool withSignalCaption)
{
    FaceLayout::SignalRects r;
    sections.push_back(Section(s, kGainLeft, kGainWidth));
    if (withSignalCaption)
        captions.push_back(SectionCaption(s, kGainLeft, kGainWidth, EEditorsText::FaceSignal));
    r.fader = s.Rect(kGainLeft + 2, kRowTop - 2, 50, 74);
    captions.push_back({s.Rect(kGainLeft + 54, kRowTop + 2, 92, kCaptionHeight), EEditorsText::FaceGain, true});
    FieldPair(r.gainField, r.gainSpin, s.Row(kGainLeft + 54, 1, 90));

    sections.push_back(Section(s, kDelayLeft, kDelayWidth));
    captions.push_back(SectionCaption(s, kDelayLeft, kDelayWidth, EEditorsText::FaceDelay));
    constexpr std::array units{EEditorsText::FaceMs, EEditorsText::FaceMetres, EEditorsText::FaceFeet};
    for (int i = 0; i < FaceLayout::kDelayUnits; ++i)
    {
        const auto n = static_cast<size_t>(i);
        FieldPair(r.delayField.at(n), r.delaySpin.at(n), s.Row(kDelayLeft + 4, i, 110));
        captions.push_back({s.Row(kDelayLeft + 120, i, 56), units.at(n), false});
    }

    sections.push_back(Section(s, kPolarityLeft, kPolarityWidth));
    captions.push_back(SectionCaption(s, kPolarityLeft, kPolarityWidth, EEditorsText::FacePolarity));
    r.polarity = s.Rect(kPolarityLeft + 6, 38, 46, 28);
    r.phase = s.Rect(kPolarityLeft + 56, 34, 40, 36);
    return r;
}

FaceLayout::MatrixRects Matrix(const Scaler& s, int left, int right, std::vector<QRect>& sections,
                               std::vector<FaceLayout::Caption>& captions)
{
    using namespace FaceLayout;
    MatrixRects m;
    const int width = std::max(kMatrixRowLabel + kMatrixColumns, right - left);
    sections.push_back(Section(s, left, width));
    captions.push_back({s.Rect(left + 4, kCaptionTop, kMatrixRowLabel, kCaptionHeight), EEditorsText::FaceMatrix, false});
    const int gridLeft = left + 4 + kMatrixRowLabel;
    const double column = (left + width - 4 - gridLeft) / static_cast<double>(kMatrixColumns);
    const int cellTop = kRowTop;
    const double pitch = (kDesignSize.height() - kMargin - cellTop) / static_cast<double>(kMatrixRows);
    for (int o = 0; o < kMatrixColumns; ++o)
    {
        const int x0 = gridLeft + static_cast<int>(std::lround(o * column));
        const int x1 = gridLeft + static_cast<int>(std::lround((o + 1) * column));
        const int cellWidth = std::min(kMatrixCellMax, x1 - x0 - 2);
        const int cellLeft = x0 + (x1 - x0 - cellWidth) / 2;
        m.columnLabels.at(static_cast<size_t>(o)) = s.Rect(x0, kCaptionTop, x1 - x0, kCaptionHeight);
        for (int row = 0; row < kMatrixRows; ++row)
        {
            const int y0 = cellTop + static_cast<int>(std::lround(row * pitch));
            const int y1 = cellTop + static_cast<int>(std::lround((row + 1) * pitch));
            m.cells.at(static_cast<size_t>(o)).at(static_cast<size_t>(row)) = s.Rect(cellLeft, y0, cellWidth, y1 - y0 - 1);
        }
    }
    for (int row = 0; row < kMatrixSourceRows; ++row)
    {
        const QRect cell = m.cells.front().at(static_cast<size_t>(row));
        m.rowLabels.at(static_cast<size_t>(row)) = QRect(left + 4, cell.top(), kMatrixRowLabel - 4, cell.height());
    }
    return m;
}
}

namespace FaceLayout
{
InFaceRects InFace(QSize size)
{
    const Scaler s(size);
    InFaceRects r;
    r.signal = Signal(s, r.sections, r.captions, true);

    const int gate = kOwnLeft;
    r.sections.push_back(Section(s, gate, kGateWidth));
    r.captions.push_back(SectionCaption(s, gate, kGateWidth, EEditorsText::FaceNoise));
    r.captions.push_back({s.Rect(gate + 4, kRowTop + 2, kGateWidth - 8, kCaptionHeight), EEditorsText::FaceGate, true});
    FieldPair(r.gateField, r.gateSpin, s.Row(gate + 10, 1, kGateWidth - 20));

    r.matrix = Matrix(s, gate + kGateWidth + kSectionGap, size.width() - kMargin, r.sections, r.captions);
    return r;
}

OutFaceRects OutFace(QSize size)
{
    const Scaler s(size);
    OutFaceRects r;
    r.signal = Signal(s, r.sections, r.captions, false);

    const int xover = kOwnLeft;
    r.sections.push_back(Section(s, xover, kXoverWidth));
    r.captions.push_back(SectionCaption(s, xover, kXoverRowCaption + 4, EEditorsText::FaceXover));
    constexpr std::array rowCaptions{EEditorsText::FaceMode, EEditorsText::FaceFrequency, EEditorsText::FaceSlope};
    for (int row = 0; row < 3; ++row)
        r.captions.push_back({s.Row(xover + 4, row, kXoverRowCaption - 4), rowCaptions.at(static_cast<size_t>(row)), false});
    constexpr std::array columnCaptions{EEditorsText::FaceHighPass, EEditorsText::FaceLowPass};
    for (int c = 0; c < 2; ++c)
    {
        const auto n = static_cast<size_t>(c);
        const int x0 = xover + kXoverRowCaption + 4 + c * kXoverColumn;
        r.captions.push_back({s.Rect(x0, kCaptionTop, kXoverColumn - 4, kCaptionHeight), columnCaptions.at(n), true});
        r.xoverType.at(n) = s.Row(x0, 0, kXoverColumn - 4);
        FieldPair(r.xoverField.at(n), r.xoverSpin.at(n), s.Row(x0, 1, kXoverColumn - 4));
        r.xoverSlope.at(n) = s.Row(x0, 2, kXoverColumn - 4);
    }

    const int limit = xover + kXoverWidth + kSectionGap;
    r.sections.push_back(Section(s, limit, kLimitWidth));
    r.captions.push_back(SectionCaption(s, limit, kLimitWidth, EEditorsText::FaceLimiter));
    constexpr std::array limitCaptions{EEditorsText::FaceThreshold, EEditorsText::FaceAttack, EEditorsText::FaceRelease};
    for (int row = 0; row < 3; ++row)
    {
        const auto n = static_cast<size_t>(row);
        r.captions.push_back({s.Row(limit + 4, row, kLimitCaption - 4), limitCaptions.at(n), false});
        FieldPair(r.limitField.at(n), r.limitSpin.at(n), s.Row(limit + kLimitCaption, row, kLimitWidth - kLimitCaption - 6));
    }

    r.matrix = Matrix(s, limit + kLimitWidth + kSectionGap, size.width() - kMargin, r.sections, r.captions);
    return r;
}

int CaptionPixels(QSize size)
{
    return std::max(8, Scaler(size).Y(11));
}

std::vector<FaderMark> FaderMarks()
{
    std::vector<FaderMark> marks;
    for (int db : {12, 0, -12, -30})
        marks.push_back({Scales::kChannelGain.NearestStep(db), (db > 0 ? "+" : "") + std::to_string(db)});
    return marks;
}
}
