// What the generator controls show, without a display: the controls each
// signal type enables and the combo entries.

#include "testgen/GenLayout.h"

#include <gtest/gtest.h>

TEST(GenLayout, EachTypeEnablesItsOwnFields)
{
    struct Case
    {
        const char* name;
        int nType;
        TestGen::Enabled enabled;  // type combo, level, frequency, sweep
    };
    const Case cases[] = {
        {"off", 0, {false, false, false, false}},
        {"white noise", 1, {true, true, false, false}},
        {"pink noise", 2, {true, true, false, false}},
        {"tone", 3, {true, true, true, false}},
        {"sweep", 4, {true, true, false, true}},
        {"unknown type from a damaged block", 9, {false, false, false, false}},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(TestGen::EnabledFor(c.nType), c.enabled);
    }
}

TEST(GenLayout, ComboEntriesAreTypesOneToFour)
{
    EXPECT_EQ(TestGen::ComboEntry(0), -1);
    EXPECT_EQ(TestGen::ComboEntry(1), 0);
    EXPECT_EQ(TestGen::ComboEntry(4), 3);
    EXPECT_EQ(TestGen::ComboEntry(5), -1);
    EXPECT_EQ(TestGen::TypeOfEntry(-1), 0);
    EXPECT_EQ(TestGen::TypeOfEntry(2), 3);
}

TEST(GenLayout, ControlsStayInsideTheLeftPartAndApart)
{
    for (const QSize size : {QSize(380, 184), QSize(520, 184), QSize(380, 120)})
    {
        SCOPED_TRACE(size.width());
        const TestGen::Rects r = TestGen::Place(size);
        const QRect area(QPoint(0, 0), size);
        const QRect all[] = {r.title,     r.onOff,     r.type,  r.freq,      r.freqSpin,
                             r.sweep,     r.sweepSpin, r.level, r.levelSpin, r.fader};
        for (const QRect& rect : all)
        {
            EXPECT_TRUE(area.contains(rect)) << rect.x() << "," << rect.y() << " " << rect.width() << "x"
                                             << rect.height();
            EXPECT_GT(rect.width(), 0);
        }
        EXPECT_FALSE(r.type.intersects(r.onOff));
        EXPECT_FALSE(r.freq.intersects(r.sweep));
        EXPECT_FALSE(r.level.intersects(r.fader));
        EXPECT_LE(r.levelSpin.right(), r.fader.left());
    }
}
