// The generator controls on the channel strip: the frames the pump owes
// after each switch, the routing grid frozen while the generator runs, the
// outputs muted, the panel swapped in and out, and both languages.

#include "testgen/TestGenDlg.h"

#include "editors/CHEDlg.h"
#include "ui/ChannelSelector.h"
#include "controls/Fader.h"
#include "testgen/GenLayout.h"
#include "testgen/GenToggle.h"
#include "editors/NumEdit.h"
#include "editors/NumSpin.h"
#include "model/ParamCatalogue.h"
#include "session/ProcessorLink.h"
#include "controls/ToggleButton.h"

#include <QComboBox>
#include <QLabel>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace
{
using Bytes = std::vector<uint8_t>;

class TestGenTest : public ::testing::Test
{
protected:
    TestGenTest()
    {
        // What the main window does when asked to select.
        QObject::connect(&m_strip, &CCHEDlg::selectRequested,
                         [this](ChannelAddress address) { Select(address.bInput, address.nIndex); });
        Record().SetDeviceId(1);
        Record().ClearAllChanged(false);
    }

    void Select(bool input, int n) { m_selector.Select({input, n}); }

    CAudio_Data& Record() { return m_link.Record(); }

    // The user picks entry `entry` of the type combo.
    void ChooseType(int entry)
    {
        QComboBox* combo = m_gen.TypeCombo();
        combo->setCurrentIndex(entry);
        emit combo->activated(entry);
    }

    // The user types `text` into a field and presses Enter.
    static void Type(CNumEdit* edit, const char* text)
    {
        edit->selectAll();
        QTest::keyClicks(edit, text);
        QTest::keyClick(edit, Qt::Key_Return);
    }

    // The frames the pump would send now, up to the first level request.
    std::vector<Bytes> Pending()
    {
        std::vector<Bytes> frames;
        for (;;)
        {
            const CSendData entry = Record().BuildNextPendingFrame();
            if (entry.GetFrame().at(Frame::kOffType) == Frame::kLevels)
                return frames;
            frames.push_back(entry.GetFrame());
        }
    }

    // Routing cells A..D and E of every output column, as the user can reach them.
    int EnabledRoutingCells() const
    {
        int enabled = 0;
        for (int column = CCHEDlg::kInputColumns; column < CCHEDlg::kColumns; ++column)
            for (CToggleButton* cell : m_strip.ColumnAt(column).apRoute)
                enabled += cell->isEnabled() ? 1 : 0;
        return enabled;
    }

    static constexpr int kRoutingCells = 8 * 5;

    CProcessorLink m_link;
    CChannelSelector m_selector;
    CCHEDlg m_strip{m_link, m_selector};
    CTestGenDlg m_gen{m_link, m_strip};
};
}

TEST_F(TestGenTest, ToneAtOneKilohertzThenSweepSendTheGeneratorFrames)
{
    Select(true, 1);  // input B
    m_gen.Toggle()->click();
    m_gen.OnOff()->click();
    ChooseType(2);  // tone
    Type(m_gen.FreqEdit(), "1000");
    EXPECT_EQ(Record().GetGenFreq(), 1000);

    // Device 1, item 4 written: tone, period 2 s, 1000 Hz (E8 03), level 600
    // (58 02); the generator goes before the muted outputs.
    const std::vector<Bytes> tone = Pending();
    ASSERT_FALSE(tone.empty());
    EXPECT_EQ(tone.front(), (Bytes{0x5A, 0xA8, 0x01, 0x00, 0x04, 0x00, 0x02, 0x08, 0x00, 0x03, 0x02, 0xE8, 0x03, 0x58,
                                   0x02, 0x00, 0x00, 0x17, 0xAA}));
    EXPECT_EQ(std::count_if(tone.begin(), tone.end(), [](const Bytes& f) { return f[1] == 0xA8; }), 1);

    ChooseType(3);  // sweep
    EXPECT_EQ(Pending(), (std::vector<Bytes>{{0x5A, 0xA8, 0x01, 0x00, 0x04, 0x00, 0x02, 0x08, 0x00, 0x04, 0x02, 0xE8,
                                              0x03, 0x58, 0x02, 0x00, 0x00, 0x10, 0xAA}}));

    // Choosing the type already running sends nothing.
    ChooseType(3);
    EXPECT_TRUE(Pending().empty());
}

TEST_F(TestGenTest, OnStartsWhiteNoiseFreezesRoutingAndMutesTheOutputs)
{
    Select(true, 1);
    Record().Output(2).SetOn(false);
    ASSERT_EQ(EnabledRoutingCells(), kRoutingCells);

    // Opening the panel while input B is selected selects output 1.
    m_gen.Toggle()->click();
    EXPECT_TRUE(m_gen.IsShown());
    EXPECT_FALSE(m_strip.GeneratorSlot()->isHidden());
    EXPECT_TRUE(m_strip.ColumnAt(0).pColumn->parentWidget()->isHidden());
    EXPECT_FALSE(m_gen.Toggle()->isChecked());
    EXPECT_FALSE(m_selector.Current().bInput);
    EXPECT_EQ(m_selector.Current().nIndex, 0);
    EXPECT_EQ(Record().GetGenType(), 0);
    EXPECT_FALSE(m_gen.TypeCombo()->isEnabled());

    for (int output = 0; output < 8; ++output)
        Record().Output(output).SetOn(true);
    m_gen.OnOff()->click();
    EXPECT_EQ(Record().GetGenType(), 1);
    EXPECT_FALSE(m_gen.OnOff()->isChecked());
    EXPECT_EQ(m_gen.TypeCombo()->currentIndex(), 0);
    EXPECT_TRUE(m_gen.TypeCombo()->isEnabled());
    EXPECT_TRUE(m_gen.LevelEdit()->isEnabled());
    EXPECT_TRUE(m_gen.LevelSpin()->isEnabled());
    EXPECT_TRUE(m_gen.LevelFader()->isEnabled());
    EXPECT_FALSE(m_gen.FreqEdit()->isEnabled());
    EXPECT_FALSE(m_gen.SweepEdit()->isEnabled());
    EXPECT_EQ(EnabledRoutingCells(), 0);
    // The channel panels freeze their matrix by the record's test mode.
    EXPECT_TRUE(Record().IsTestMode());
    for (int output = 0; output < 8; ++output)
    {
        EXPECT_EQ(Record().Output(output).IsOn(), 0) << output;
        EXPECT_FALSE(m_strip.ColumnAt(CCHEDlg::kInputColumns + output).pMute->isChecked()) << output;
    }

    // Tone enables the frequency, sweep the period instead.
    ChooseType(2);
    EXPECT_TRUE(m_gen.FreqEdit()->isEnabled());
    EXPECT_FALSE(m_gen.SweepEdit()->isEnabled());
    ChooseType(3);
    EXPECT_FALSE(m_gen.FreqEdit()->isEnabled());
    EXPECT_TRUE(m_gen.SweepEdit()->isEnabled());
    EXPECT_TRUE(m_gen.SweepSpin()->isEnabled());

    // OFF: routing back, everything but the switch disabled, the panel stays.
    m_gen.OnOff()->click();
    EXPECT_EQ(Record().GetGenType(), 0);
    EXPECT_TRUE(m_gen.OnOff()->isChecked());
    EXPECT_EQ(m_gen.TypeCombo()->currentIndex(), -1);
    EXPECT_FALSE(m_gen.LevelEdit()->isEnabled());
    EXPECT_FALSE(m_gen.SweepEdit()->isEnabled());
    EXPECT_TRUE(m_gen.IsShown());
    EXPECT_EQ(EnabledRoutingCells(), kRoutingCells);
    EXPECT_FALSE(Record().IsTestMode());
}

TEST_F(TestGenTest, ClosingThePanelStopsTheGenerator)
{
    m_gen.Toggle()->click();
    m_gen.OnOff()->click();
    ChooseType(1);  // pink noise
    Pending();

    m_gen.Toggle()->click();
    EXPECT_FALSE(m_gen.IsShown());
    EXPECT_TRUE(m_gen.Toggle()->isChecked());
    EXPECT_EQ(Record().GetGenType(), 0);
    EXPECT_TRUE(m_gen.OnOff()->isChecked());
    EXPECT_EQ(EnabledRoutingCells(), kRoutingCells);
    const std::vector<Bytes> frames = Pending();
    ASSERT_FALSE(frames.empty());
    EXPECT_EQ(frames.front()[1], 0xA8);
    EXPECT_EQ(frames.front()[9], 0x00);  // type off
}

TEST_F(TestGenTest, OutputMuteLockKeepsTheMutesAsTheyAre)
{
    m_link.Locks().SetFlag(CLockState::kOutMute, true);
    Record().Output(0).SetOn(true);
    Record().Output(1).SetOn(false);
    m_gen.Toggle()->click();
    m_gen.OnOff()->click();
    m_gen.OnOff()->click();
    m_gen.Toggle()->click();
    EXPECT_EQ(Record().Output(0).IsOn(), 1);
    EXPECT_EQ(Record().Output(1).IsOn(), 0);
}

TEST_F(TestGenTest, LevelFieldSpinAndFaderAgree)
{
    m_gen.Toggle()->click();
    m_gen.OnOff()->click();
    // The default step 600 reads 0.0 dBu, the fader 60 from the top.
    EXPECT_EQ(m_gen.LevelEdit()->text(), QStringLiteral("0.0dBu"));
    EXPECT_EQ(m_gen.LevelFader()->Position(), 60);

    m_gen.LevelFader()->MoveTo(120);
    EXPECT_EQ(Record().GetGenLevel(), 540);
    EXPECT_EQ(m_gen.LevelSpin()->GetPos(), 540);
    EXPECT_EQ(m_gen.LevelEdit()->text(), QStringLiteral("-6.0dBu"));

    Type(m_gen.LevelEdit(), "3");
    EXPECT_EQ(Record().GetGenLevel(), 630);
    EXPECT_EQ(m_gen.LevelFader()->Position(), 30);

    ChooseType(3);
    Type(m_gen.SweepEdit(), "12");
    EXPECT_EQ(Record().GetGenParam(), 12);
    EXPECT_EQ(m_gen.SweepEdit()->text(), QStringLiteral("12s"));
}

TEST_F(TestGenTest, LevelFaderStandsUpsideDownOnTheLevelScale)
{
    // 0.0 dBu stands 60 positions from the top, +6 dBu at the top.
    CFader* fader = m_gen.LevelFader();
    EXPECT_EQ(fader->PositionOf(600), 60);
    EXPECT_EQ(fader->PositionOf(660), 0);
    EXPECT_EQ(fader->PositionOf(0), 660);
    EXPECT_EQ(fader->ValueOf(120), 540);
    // A position outside the travel never gives a step outside the range.
    fader->SetPosition(-5);
    EXPECT_EQ(fader->Value(), 660);
    fader->SetPosition(700);
    EXPECT_EQ(fader->Value(), 0);

    const QList<TestGen::FaderMark> marks = TestGen::FaderMarks();
    ASSERT_EQ(marks.size(), 5);
    const int positions[] = {0, 60, 180, 420, 660};
    const char* labels[] = {"6", "0", "-12", "-36", "-60"};
    for (int i = 0; i < 5; ++i)
    {
        EXPECT_EQ(fader->PositionOf(marks.at(i).nLevelStep), positions[i]);
        EXPECT_EQ(marks.at(i).szLabel, QString::fromLatin1(labels[i]));
    }
}

TEST_F(TestGenTest, ALoadedProgramShowsItsGeneratorAndLocksRouting)
{
    Select(true, 2);
    const uint8_t tone[] = {3, 5, 0xE8, 0x03, 0x58, 0x02, 0, 0};
    Record().SetGeneratorBlock(tone);
    m_link.Notice().NotifyProgramLoaded();
    EXPECT_TRUE(m_gen.IsShown());
    EXPECT_FALSE(m_selector.Current().bInput);
    EXPECT_EQ(m_gen.TypeCombo()->currentIndex(), 2);
    EXPECT_TRUE(m_gen.FreqEdit()->isEnabled());
    EXPECT_EQ(m_gen.FreqSpin()->GetPos(), 1000);
    EXPECT_EQ(EnabledRoutingCells(), 0);

    // The matrix lock leaves only row E to follow test mode.
    m_link.Locks().SetFlag(CLockState::kOutRouting, true);
    m_link.Notice().NotifyLocksChanged();
    EXPECT_EQ(EnabledRoutingCells(), 0);

    const uint8_t off[8] = {};
    Record().SetGeneratorBlock(off);
    m_link.Notice().NotifyProgramLoaded();
    EXPECT_FALSE(m_gen.IsShown());
    EXPECT_TRUE(m_gen.Toggle()->isChecked());
    EXPECT_EQ(EnabledRoutingCells(), 8);  // the E cells only
    EXPECT_FALSE(Record().IsTestMode());
}

TEST_F(TestGenTest, LanguageSwitchRefillsTheTypesAndKeepsTheChoice)
{
    m_gen.Toggle()->click();
    m_gen.OnOff()->click();
    ChooseType(3);

    auto entries = [this] {
        QStringList list;
        for (int i = 0; i < m_gen.TypeCombo()->count(); ++i)
            list << m_gen.TypeCombo()->itemText(i);
        return list;
    };
    EXPECT_EQ(entries(), (QStringList{"白噪发声器", "粉噪发生器", "纯音发生器", "扫频模式"}));
    EXPECT_EQ(m_gen.Toggle()->ValueText(), QStringLiteral("信号发生器"));
    EXPECT_EQ(m_gen.findChild<QLabel*>("GeneratorTitle")->text(), QStringLiteral("信号发生器CHE"));

    m_link.Notice().SetLanguage(kEnglish);
    EXPECT_EQ(entries(), (QStringList{"White Noise", "Pink Noise", "Simple Tone", "Sweep Freq"}));
    EXPECT_EQ(m_gen.TypeCombo()->currentIndex(), 3);
    EXPECT_EQ(m_gen.Toggle()->ValueText(), QStringLiteral("Signal Generator"));
    EXPECT_EQ(m_gen.findChild<QLabel*>("GeneratorTitle")->text(), QStringLiteral("Signal Generator CHE"));
    EXPECT_EQ(m_gen.OnOff()->DrawnText(), QStringLiteral("ON"));
    EXPECT_EQ(m_gen.LevelFader()->Caption(), QStringLiteral("OUTPUT LEVEL"));
    // The switch of language sends nothing.
    Pending();
    m_link.Notice().SetLanguage(kChinese);
    EXPECT_TRUE(Pending().empty());
    EXPECT_EQ(m_gen.TypeCombo()->currentIndex(), 3);
}
