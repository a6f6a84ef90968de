// The numeric field and its spin as a user drives them: typing and leaving
// the field in every display mode, the held arrow's thinned reports, keys,
// wheel and Enter, and the lock.

#include "editors/NumBinding.h"
#include "editors/NumEdit.h"
#include "editors/NumSpin.h"

#include "model/Audio_Data.h"
#include "model/LockState.h"
#include "ui/MessageBox.h"
#include "session/ProcessorLink.h"

#include "tests/LocaleTable.h"

#include <QApplication>
#include <QFocusEvent>
#include <QSignalSpy>
#include <QTest>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
class NumEditTest : public ::testing::Test
{
protected:
    NumEditTest()
    {
        m_previous = CMessageBox::SetPresenter(
            [this](QWidget*, const QString&, const QString& text, CMessageBox::EIcon) { boxes.push_back(text); });
        spin.SetBuddy(&edit);
        spin.SetLanguage(kEnglish);
        spin.SetClock([this] { return now; });
    }
    ~NumEditTest() override { CMessageBox::SetPresenter(m_previous); }

    // As a panel sets a pair up.
    void Setup(EParam param, int pos, EUnit unit = EUnit::kNative, int min = -1, int max = -1, int index = 0)
    {
        const ParamRow& row = ParamCatalogue::Param(param);
        edit.Bind(param, unit, index);
        spin.SetBuddy(&edit);
        spin.SetRange(min < 0 ? row.nMin : min, max < 0 ? row.nMax : max);
        ASSERT_TRUE(spin.SetPos(pos));
        boxes.clear();
    }

    // Replaces the text by typing, as the keyboard does (so the field's
    // filter applies), then leaves the field.
    void Type(const QString& text)
    {
        edit.selectAll();
        QTest::keyClick(&edit, Qt::Key_Backspace);
        // QTest::keyClicks sends Latin-1 only; a layout's minus sign U+2212
        // comes as a key with its text.
        for (QChar ch : text)
            if (ch.unicode() < 0x80)
                QTest::keyClick(&edit, ch.toLatin1());
            else
                QTest::sendKeyEvent(QTest::Click, &edit, Qt::Key_unknown, QString(ch), Qt::NoModifier);
    }
    void Leave()
    {
        QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
        QApplication::sendEvent(&edit, &out);
    }

    CNumEdit edit;
    CNumSpin spin;
    std::vector<QString> boxes;
    std::int64_t now = 1000;

private:
    CMessageBox::Presenter m_previous;
};

// Typing and what the field shows, on a desktop in each table locale.
class NumEditLocaleTest : public TLocaleTable<NumEditTest>
{
};
INSTANTIATE_TEST_SUITE_P(Locales, NumEditLocaleTest, ::testing::ValuesIn(kTableLocales), LocaleTestName);

std::vector<int> Steps(const QSignalSpy& spy)
{
    std::vector<int> steps;
    for (const QList<QVariant>& args : spy)
        steps.push_back(args.at(0).toInt());
    return steps;
}

TEST_P(NumEditLocaleTest, TypedValuesByDisplayMode)
{
    struct Case
    {
        const char* name;
        EParam param;
        EUnit unit;
        int start;
        const char* typed;
        int step;
        const char* shown;
        bool message;
        int max = -1;
    };
    const EUnit native = EUnit::kNative;
    const std::vector<Case> cases{
        {"gain above +12", EParam::kInGain, native, 300, "12.34", 420, "12.0", true},
        {"gain typed as shown", EParam::kOutGain, native, 300, "-27.1", 29, "-27.1", false},
        {"gain below -30", EParam::kOutGain, native, 300, "-31", 0, "-30.0", true},
        {"letters are dropped", EParam::kInGain, native, 300, "x5y", 350, "5.0", false},
        {"no number restores", EParam::kInGain, native, 250, "-.-", 250, "-5.0", true},
        {"empty restores", EParam::kOutGain, native, 250, "", 250, "-5.0", true},
        {"gate below OFF", EParam::kInGate, native, 40, "-130", 0, "OFF", true},
        {"gate", EParam::kInGate, native, 0, "-60", 60, "-60", false},
        {"threshold above OFF", EParam::kLimitThreshold, native, 0, "25", 600, "OFF", true},
        {"band gain", EParam::kOutBandGain, native, 400, "-3.3", 367, "-3.3", false},
        {"generator level", EParam::kGenLevel, native, 0, "7", 660, "6.0dBu", true},
        {"milliseconds at 1000", EParam::kInDelay, native, 0, "1000", 1467, "1000.000", false},
        {"milliseconds beyond 1000", EParam::kInDelay, native, 0, "1000.5", 1467, "1000.000", true},
        {"negative milliseconds", EParam::kOutDelay, native, 9, "-1", 0, "0.000", true},
        {"metres 339", EParam::kInDelay, EUnit::kMetres, 0, "339", 1464, "338.986", false},
        {"metres 345", EParam::kInDelay, EUnit::kMetres, 0, "345", 1466, "339.666", true},
        {"feet beyond the top, silently", EParam::kOutDelay, EUnit::kFeet, 0, "2000", 1466, "1114.443", false},
        {"frequency takes leading digits", EParam::kInBandFreq, native, 20, "1000.9", 1000, "1000", false},
        {"frequency below 20", EParam::kOutBandFreq, native, 1000, "5", 20, "20", true},
        {"frequency above a narrowed range", EParam::kOutBandFreq, native, 1000, "5000", 2012, "2012", true, 2012},
        {"crossover", EParam::kHighPassFreq, native, 20, "80", 80, "80Hz", false},
        {"generator frequency above", EParam::kGenFreq, native, 1000, "30000", 20000, "20000Hz", true},
        {"attack 0.6", EParam::kLimitAttack, native, 77, "0.6", 3, "0.6", false},
        {"attack between 0.9 and 1", EParam::kLimitAttack, native, 77, "0.95", 77, "71", false},
        {"attack below 0.3", EParam::kLimitAttack, native, 77, "0.1", 0, "0.3", true},
        {"release below 50", EParam::kLimitRelease, native, 500, "10", 50, "50", true},
        {"sweep above 30", EParam::kGenParam, native, 2, "40", 30, "30s", true},
        {"bandwidth above 3", EParam::kInBandWidth, native, 29, "4", 299, "3.00", true},
        {"bandwidth below 0.01", EParam::kInBandWidth, native, 29, "0.001", 0, "0.01", true},
        {"Q 200", EParam::kOutBandWidth, EUnit::kQ, 100, "200", 0, "144.27", true},
        {"Q 1.41", EParam::kOutBandWidth, EUnit::kQ, 0, "1.41", 100, "1.400", false},
        // A decimal comma, and the minus sign U+2212; the field shows a point.
        {"band gain with minus sign and comma", EParam::kOutBandGain, native, 400, "\xE2\x88\x92" "3,5", 365, "-3.5",
         false},
        {"gain with a comma", EParam::kInGain, native, 300, "-3,5", 265, "-3.5", false},
        {"metres with a comma", EParam::kInDelay, EUnit::kMetres, 0, "3,406", 477, "3.406", false},
        {"bandwidth with a comma", EParam::kInBandWidth, native, 0, "0,30", 29, "0.30", false},
        {"Q with a comma", EParam::kOutBandWidth, EUnit::kQ, 0, "1,414", 99, "1.414", false},
        {"generator level with a comma", EParam::kGenLevel, native, 0, "-6,5", 535, "-6.5dBu", false},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        Setup(c.param, c.start, c.unit, -1, c.max);
        QSignalSpy chosen(&spin, &CNumSpin::stepChosen);
        Type(QString::fromUtf8(c.typed));
        Leave();
        EXPECT_EQ(edit.Value(), c.step);
        EXPECT_EQ(spin.GetPos(), c.step);
        EXPECT_EQ(edit.text().toStdString(), c.shown);
        EXPECT_FALSE(edit.IsModified());
        EXPECT_EQ(boxes, c.message ? std::vector<QString>{"Out of Range"} : std::vector<QString>{});
        EXPECT_EQ(Steps(chosen), std::vector<int>{c.step});
    }
}

TEST_F(NumEditTest, LeavingAnUntouchedFieldTakesNothing)
{
    Setup(EParam::kInGate, 0);
    QSignalSpy chosen(&spin, &CNumSpin::stepChosen);
    Leave();
    EXPECT_EQ(edit.text(), "OFF");
    EXPECT_EQ(edit.Value(), 0);
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(chosen.count(), 0);
}

// Every shown delay (in each unit) and bandwidth (as octaves and as Q),
// typed back into its field, keeps its step.
TEST_F(NumEditTest, EveryShownDelayAndBandwidthTypedBackKeepsItsStep)
{
    struct Case
    {
        EParam param;
        EUnit unit;
        int last;
    };
    const std::vector<Case> cases{
        {EParam::kInDelay, EUnit::kNative, kDelayMax},
        {EParam::kInDelay, EUnit::kMetres, kDelayMax - 1},
        {EParam::kOutDelay, EUnit::kFeet, kDelayMax - 1},
        {EParam::kInBandWidth, EUnit::kNative, kBandwidthMax},
        {EParam::kOutBandWidth, EUnit::kQ, kBandwidthMax},
    };
    for (const Case& c : cases)
    {
        Setup(c.param, 0, c.unit);
        for (int step = 0; step <= c.last; ++step)
        {
            // Start from a neighbour so that the typing has to move it.
            spin.SetPos(step == 0 ? 1 : step - 1);
            const QString shown = QString::fromStdString(ParamCatalogue::FieldText(c.param, step, kEnglish, false, c.unit));
            Type(shown);
            Leave();
            ASSERT_EQ(edit.Value(), step) << shown.toStdString();
            ASSERT_EQ(edit.text(), shown);
        }
        EXPECT_TRUE(boxes.empty());
    }
}

TEST_F(NumEditTest, HeldArrowReportsAtMostEveryPeriod)
{
    Setup(EParam::kInGain, 300);
    spin.resize(16, 22);
    QSignalSpy chosen(&spin, &CNumSpin::stepChosen);
    std::vector<std::int64_t> reportedAt;
    QObject::connect(&spin, &CNumSpin::stepChosen, [&] { reportedAt.push_back(now); });

    QTest::mousePress(&spin, Qt::LeftButton, {}, QPoint(8, 3));
    EXPECT_TRUE(spin.IsHeld());
    // Two seconds of the arrow's repeat, with the report timer firing at
    // every repeat too (it only reports when due).
    for (int t = CNumSpin::kRepeatDelayMs; t <= 2000; t += CNumSpin::kRepeatRateMs)
    {
        now = 1000 + t;
        spin.OnRepeatTimer();
        spin.OnReportTimer();
    }
    const int whileHeld = chosen.count();
    EXPECT_GE(whileHeld, 5);
    EXPECT_LE(whileHeld, 1 + 2000 / CNumSpin::kRepeatPeriodMs);
    for (size_t i = 1; i < reportedAt.size(); ++i)
        EXPECT_GE(reportedAt[i] - reportedAt[i - 1], CNumSpin::kRepeatPeriodMs);

    QTest::mouseRelease(&spin, Qt::LeftButton, {}, QPoint(8, 3));
    EXPECT_FALSE(spin.IsHeld());
    const int moved = 1 + (2000 - CNumSpin::kRepeatDelayMs) / CNumSpin::kRepeatRateMs + 1;
    EXPECT_EQ(edit.Value(), 300 + moved);
    // The last report carries where the arrow stopped.
    ASSERT_EQ(chosen.count(), whileHeld + 1);
    EXPECT_EQ(chosen.last().at(0).toInt(), 300 + moved);

    // A click on the lower arrow: one step, one report.
    chosen.clear();
    now += 5000;
    QTest::mousePress(&spin, Qt::LeftButton, {}, QPoint(8, 19));
    QTest::mouseRelease(&spin, Qt::LeftButton, {}, QPoint(8, 19));
    EXPECT_EQ(Steps(chosen), std::vector<int>{300 + moved - 1});
}

TEST_F(NumEditTest, KeysWheelAndEnterStepLikeTheSpin)
{
    Setup(EParam::kInGain, 300);
    QSignalSpy chosen(&spin, &CNumSpin::stepChosen);
    QTest::keyClick(&edit, Qt::Key_Up);
    QTest::keyClick(&edit, Qt::Key_PageUp);
    QTest::keyClick(&edit, Qt::Key_Down);
    EXPECT_EQ(Steps(chosen), (std::vector<int>{301, 311, 310}));
    EXPECT_EQ(edit.text(), "1.0");

    // Typing not yet taken is where the arrow starts from.
    chosen.clear();
    Type("5.5");
    QTest::keyClick(&edit, Qt::Key_Up);
    EXPECT_EQ(Steps(chosen), std::vector<int>{356});

    // Enter takes the typing without leaving the field; Escape drops it.
    chosen.clear();
    Type("-3");
    QTest::keyClick(&edit, Qt::Key_Return);
    EXPECT_EQ(Steps(chosen), std::vector<int>{270});
    Type("9");
    QTest::keyClick(&edit, Qt::Key_Escape);
    EXPECT_EQ(edit.text(), "-3.0");
    Leave();
    EXPECT_EQ(chosen.count(), 1);

    // Two wheel notches: two steps, reported when the wheel has rested.
    chosen.clear();
    QWheelEvent wheel(QPointF(5, 5), QPointF(5, 5), QPoint(), QPoint(0, 2 * QWheelEvent::DefaultDeltasPerStep),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&edit, &wheel);
    EXPECT_EQ(edit.Value(), 272);
    now += CNumSpin::kRepeatPeriodMs;
    spin.OnReportTimer();
    EXPECT_EQ(chosen.last().at(0).toInt(), 272);

    // At a limit nothing moves and nothing is reported.
    Setup(EParam::kInGain, 420);
    chosen.clear();
    QTest::keyClick(&edit, Qt::Key_Up);
    EXPECT_EQ(chosen.count(), 0);

    // Frequencies walk the axis.
    Setup(EParam::kInBandFreq, 1000);
    QTest::keyClick(&edit, Qt::Key_Up);
    EXPECT_EQ(edit.text(), "1030");
    QTest::keyClick(&edit, Qt::Key_Down);
    QTest::keyClick(&edit, Qt::Key_Down);
    EXPECT_EQ(edit.text(), "972");
}

TEST_F(NumEditTest, OutOfRangePositionIsRefused)
{
    Setup(EParam::kOutGain, 300);
    EXPECT_FALSE(spin.SetPos(421));
    EXPECT_EQ(boxes, std::vector<QString>{"Pos setting error"});
    EXPECT_EQ(edit.text(), "0.0");
    spin.SetLanguage(kChinese);
    EXPECT_FALSE(spin.SetPos(-1));
    EXPECT_EQ(boxes.back(), QString::fromUtf8("Pos设定错误"));
    edit.SetValue(500);
    EXPECT_EQ(edit.Value(), 300);
    EXPECT_EQ(boxes.size(), 2u);

    // The out-of-range message follows the language too.
    Type("99");
    Leave();
    EXPECT_EQ(boxes.back(), QString::fromUtf8("超出范围"));
}

TEST_F(NumEditTest, ALockedPairShowsTheLockTextAndHoldsStill)
{
    Setup(EParam::kOutBandGain, 400, EUnit::kNative, -1, -1, 2);
    QSignalSpy chosen(&spin, &CNumSpin::stepChosen);
    spin.Lock(true);
    EXPECT_EQ(edit.text(), "Lock");
    EXPECT_FALSE(edit.isEnabled());
    EXPECT_FALSE(spin.isEnabled());
    spin.Step(1, false);
    // A program loaded meanwhile is shown once unlocked.
    EXPECT_TRUE(spin.SetPos(430));
    EXPECT_EQ(edit.text(), "Lock");
    spin.SetLanguage(kChinese);
    EXPECT_EQ(edit.text(), QString::fromUtf8("锁定"));
    EXPECT_EQ(chosen.count(), 0);
    spin.Lock(false);
    EXPECT_EQ(edit.text(), "3.0");
    EXPECT_TRUE(edit.isEnabled());
}

TEST_F(NumEditTest, NamedAndToolTippedInTheLanguage)
{
    Setup(EParam::kOutBandGain, 430, EUnit::kNative, -1, -1, 2);
    EXPECT_EQ(edit.accessibleName(), "EQ3 Gain");
    EXPECT_EQ(edit.toolTip(), "EQ3 Gain: 3.0");
    EXPECT_EQ(spin.accessibleName(), "EQ3 Gain up/down");
    spin.SetLanguage(kChinese);
    EXPECT_EQ(edit.accessibleName(), QString::fromUtf8("均衡3 增益"));
    EXPECT_EQ(spin.toolTip(), QString::fromUtf8("均衡3 增益：3.0"));
}
}

namespace
{
// A pair bound to the record: edits reach it through the notice, and the
// pair follows the record, its narrowed ranges, the locks and the language.
class NumBindingTest : public NumEditTest
{
protected:
    NumBindingTest() { data.ClearAllChanged(false); }

    CProcessorLink link;
    CAudio_Data& data = link.Record();
    CLockState& locks = link.Locks();
    CRecordNotice& notice = link.Notice();
};

TEST_F(NumBindingTest, EditsReachTheRecordAndTheRecordReachesThePair)
{
    CNumBinding binding(edit, spin, link, EParam::kHighPassFreq, {2, 0});
    QSignalSpy changed(&notice, &CRecordNotice::valueChanged);
    Type("120");
    Leave();
    EXPECT_EQ(ParamCatalogue::Get(EParam::kHighPassFreq, data, {2, 0}), 120);
    ASSERT_EQ(changed.count(), 1);
    EXPECT_EQ(changed.at(0).at(0).toInt(), 7);
    EXPECT_EQ(changed.at(0).at(1).value<EParam>(), EParam::kHighPassFreq);
    EXPECT_EQ(edit.text(), "120Hz");

    // The low-pass of the same output moving below narrows the range.
    notice.Apply(7, EParam::kLowPassFreq,
                 [&] { return ParamCatalogue::Set(EParam::kLowPassFreq, data, {2, 0}, 500); });
    EXPECT_EQ(edit.Maximum(), 500);
    boxes.clear();
    Type("5000");
    Leave();
    // Crossing the low-pass only puts the pair back in order, without a word.
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(ParamCatalogue::Get(EParam::kHighPassFreq, data, {2, 0}), 500);
    // Beyond the row's own range it is out of range; the program starts in
    // Chinese and the pair speaks the notice's language.
    Type("25000");
    Leave();
    EXPECT_EQ(boxes, std::vector<QString>{QString::fromUtf8("超出范围")});
    EXPECT_EQ(ParamCatalogue::Get(EParam::kHighPassFreq, data, {2, 0}), 500);

    // Another channel, then the lock and the language.
    binding.SetAddress({0, 0});
    EXPECT_EQ(edit.Value(), ParamCatalogue::Get(EParam::kHighPassFreq, data, {0, 0}));
    locks.SetFlag(CLockState::kOutXover, true);
    notice.NotifyLocksChanged();
    EXPECT_EQ(edit.text(), QString::fromUtf8("锁定"));
    EXPECT_FALSE(spin.isEnabled());
    notice.SetLanguage(kEnglish);
    EXPECT_EQ(edit.text(), "Lock");
}

TEST_F(NumBindingTest, AHeldArrowIsNotPulledBackByItsOwnReports)
{
    CNumBinding binding(edit, spin, link, EParam::kInGain, {1, 0});
    const int start = ParamCatalogue::Get(EParam::kInGain, data, {1, 0});
    spin.Step(1, true);
    now += 100;
    spin.Step(1, true);  // held back
    // An edit elsewhere meanwhile leaves the moving value alone.
    notice.NotifyValueChanged(1, EParam::kInGain);
    EXPECT_EQ(edit.Value(), start + 2);
    spin.Release();
    EXPECT_EQ(ParamCatalogue::Get(EParam::kInGain, data, {1, 0}), start + 2);
    EXPECT_EQ(edit.Value(), start + 2);
}
}
