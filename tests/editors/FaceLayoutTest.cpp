// Where the channel panels put their controls, at the smallest window and a
// wider one, and the gain fader's scale.

#include "editors/FaceLayout.h"

#include "model/DataDefine.h"

#include <gtest/gtest.h>

#include <vector>

namespace
{
// Every control rect, in the order the panel places them.
template <class Rects>
std::vector<QRect> Controls(const Rects& r)
{
    std::vector<QRect> all{r.signal.fader, r.signal.gainField, r.signal.gainSpin, r.signal.polarity, r.signal.phase};
    for (size_t i = 0; i < r.signal.delayField.size(); ++i)
        all.insert(all.end(), {r.signal.delayField[i], r.signal.delaySpin[i]});
    for (const auto& column : r.matrix.cells)
        all.insert(all.end(), column.begin(), column.end());
    return all;
}

void ExpectPlaced(const std::vector<QRect>& controls, const std::vector<FaceLayout::Caption>& captions, QSize size)
{
    const QRect panel(QPoint(0, 0), size);
    for (size_t i = 0; i < controls.size(); ++i)
    {
        EXPECT_TRUE(panel.contains(controls[i])) << i;
        EXPECT_FALSE(controls[i].isEmpty()) << i;
        for (size_t j = i + 1; j < controls.size(); ++j)
            EXPECT_FALSE(controls[i].intersects(controls[j])) << i << " " << j;
        for (const FaceLayout::Caption& caption : captions)
            EXPECT_FALSE(controls[i].intersects(caption.rect)) << i << " caption " << static_cast<int>(caption.eText);
    }
}
}

TEST(FaceLayout, ControlsFitWithoutOverlapAtAnyWidth)
{
    for (QSize size : {FaceLayout::kDesignSize, QSize(1600, 92), QSize(1800, 120)})
    {
        FaceLayout::InFaceRects in = FaceLayout::InFace(size);
        std::vector<QRect> inControls = Controls(in);
        inControls.insert(inControls.end(), {in.gateField, in.gateSpin});
        ExpectPlaced(inControls, in.captions, size);

        FaceLayout::OutFaceRects out = FaceLayout::OutFace(size);
        std::vector<QRect> outControls = Controls(out);
        for (size_t f = 0; f < 2; ++f)
            outControls.insert(outControls.end(),
                               {out.xoverType[f], out.xoverField[f], out.xoverSpin[f], out.xoverSlope[f]});
        for (size_t i = 0; i < 3; ++i)
            outControls.insert(outControls.end(), {out.limitField[i], out.limitSpin[i]});
        ExpectPlaced(outControls, out.captions, size);
    }
    // The matrix takes what a wider window adds.
    EXPECT_GT(FaceLayout::OutFace({1600, 92}).matrix.columnLabels[7].right(),
              FaceLayout::OutFace(FaceLayout::kDesignSize).matrix.columnLabels[7].right() + 300);
}

TEST(FaceLayout, FaderMarksStandOnTheirGainSteps)
{
    const std::vector<FaceLayout::FaderMark> marks = FaceLayout::FaderMarks();
    ASSERT_EQ(marks.size(), 4u);
    const int steps[] = {420, 300, 180, 0};
    const char* labels[] = {"+12", "0", "-12", "-30"};
    for (size_t i = 0; i < marks.size(); ++i)
    {
        EXPECT_EQ(marks[i].nGainStep, steps[i]);
        EXPECT_EQ(marks[i].strLabel, labels[i]);
    }
}
