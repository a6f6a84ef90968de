// The channel strip on its own: what its buttons, names and link combos
// write into the records, and which columns a processor type shows.

#include "editors/CHEDlg.h"

#include "ui/ChannelSelector.h"
#include "controls/LockCombo.h"
#include "controls/NameEdit.h"
#include "model/ParamCatalogue.h"
#include "session/ProcessorLink.h"
#include "controls/ToggleButton.h"

#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <vector>

namespace
{
constexpr int kInputColumns = CCHEDlg::kInputColumns;

class ChannelStripTest : public ::testing::Test
{
protected:
    ChannelStripTest()
    {
        // What the main window does when asked to select.
        QObject::connect(&m_strip, &CCHEDlg::selectRequested,
                         [this](ChannelAddress address) { Select(address.bInput, address.nIndex); });
    }

    void Select(bool input, int n) { m_selector.Select({input, n}); }

    CAudio_Data& Record() { return m_link.Record(); }
    const CCHEDlg::Column& Input(int n) { return m_strip.ColumnAt(n); }
    const CCHEDlg::Column& Output(int n) { return m_strip.ColumnAt(kInputColumns + n); }

    CProcessorLink m_link;
    CChannelSelector m_selector;
    CCHEDlg m_strip{m_link, m_selector};
    QSignalSpy m_changes{&m_link.Notice(), &CRecordNotice::valueChanged};
};

// The user picks entry `group` of a link combo.
void Choose(CLockCombo* combo, int group)
{
    combo->setCurrentIndex(group);
    emit combo->activated(group);
}
}

TEST_F(ChannelStripTest, JoiningAGroupTakesTheSettingsOfItsFirstMemberAndMarksIt)
{
    CAudio_InData& a = Record().Input(0);
    CAudio_InData& b = Record().Input(1);
    a.SetGain(120);
    a.SetDelay(40);
    a.SetPolarity(true);
    a.GetBand(2).SetGainStep(520);
    b.SetName("KICK");
    b.SetOn(false);

    Choose(Input(1).pLink, 0);  // "Link A" for input B, A selected

    EXPECT_EQ(Record().Inputs().GetLinkGroup(1), 0);
    EXPECT_EQ(b.GetGain(), 120);
    EXPECT_EQ(b.GetDelay(), 40);
    EXPECT_EQ(b.GetPolarity(), 1);
    EXPECT_EQ(b.GetBand(2).GetGainStep(), 520);
    // Neither the name nor the mute state follows the group.
    EXPECT_EQ(b.GetName(), "KICK");
    EXPECT_EQ(b.IsOn(), 0);
    EXPECT_FALSE(Input(1).pMute->isChecked());
    EXPECT_EQ(a.IsLinked(), 1);
    EXPECT_EQ(b.IsLinked(), 1);
    ASSERT_EQ(m_changes.count(), 1);
    EXPECT_EQ(m_changes.at(0).at(0).toInt(), 2);
    EXPECT_EQ(m_changes.at(0).at(1).value<EParam>(), EParam::kInLink);

    // B's marker shows it follows the selected input; A's own stays hidden.
    EXPECT_FALSE(Input(1).pMarker->isHidden());
    EXPECT_TRUE(Input(0).pMarker->isHidden());
    EXPECT_TRUE(Input(2).pMarker->isHidden());

    // Choosing its own group again: settings stay, nobody is linked.
    ParamCatalogue::Set(EParam::kInGain, Record(), {0, 0}, 200);  // spreads to B while linked
    Choose(Input(1).pLink, 1);
    EXPECT_EQ(b.GetGain(), 200);
    EXPECT_EQ(a.IsLinked(), 0);
    EXPECT_EQ(b.IsLinked(), 0);

    // Selecting another channel hides the markers.
    Choose(Input(1).pLink, 0);
    EXPECT_FALSE(Input(1).pMarker->isHidden());
    Input(2).pSelect->click();
    EXPECT_EQ(m_selector.Current().nIndex, 2);
    EXPECT_TRUE(Input(1).pMarker->isHidden());
}

TEST_F(ChannelStripTest, MuteRoutingAndNameReachTheRecords)
{
    Record().Outputs().SetLinkGroup(1, 2);  // outputs 2 and 3 linked
    Record().Output(2).SetParamChanged(false);

    Output(2).pMute->click();
    EXPECT_EQ(Record().Output(2).IsOn(), 0);
    EXPECT_EQ(Record().Output(2).IsParamChanged(), 1);
    EXPECT_FALSE(Output(2).pMute->isChecked());
    // Mute is never copied to linked channels.
    EXPECT_EQ(Record().Output(1).IsOn(), 1);
    ASSERT_EQ(m_changes.count(), 1);
    EXPECT_EQ(m_changes.at(0).at(0).toInt(), 7);
    EXPECT_EQ(m_changes.at(0).at(1).value<EParam>(), EParam::kOutOn);

    // Output 3 row B: flips only that bit, both ways.
    const int route = Record().Output(2).GetRoute();
    CToggleButton* cell = Output(2).apRoute[1];
    cell->click();
    EXPECT_EQ(Record().Output(2).GetRoute(), route ^ 0x02);
    EXPECT_EQ(cell->isChecked(), ((route ^ 0x02) & 0x02) != 0);
    cell->click();
    EXPECT_EQ(Record().Output(2).GetRoute(), route);
    EXPECT_EQ(m_changes.count(), 3);
    // The E cell only shows.
    EXPECT_FALSE(Output(2).apRoute[4]->isChecked());

    CNameEdit* name = Input(3).pName;
    Record().Input(3).SetNameChanged(false);
    name->setFocus();
    name->selectAll();
    QTest::keyClicks(name, "Vocal 12345");  // cut at eight
    QTest::keyClick(name, Qt::Key_Return);
    EXPECT_EQ(Record().Input(3).GetName(), "Vocal 12");
    EXPECT_EQ(Record().Input(3).IsNameChanged(), 1);
    EXPECT_EQ(m_changes.back().at(0).toInt(), 4);
}

TEST_F(ChannelStripTest, CurveButtonsShowCurvesButNeverHideTheSelectedOne)
{
    QSignalSpy curves(&m_strip, &CCHEDlg::curvesChanged);
    Input(0).pCurve->click();  // input A is selected
    EXPECT_TRUE(Input(0).pCurve->isChecked());
    EXPECT_EQ(curves.count(), 0);

    Output(4).pCurve->click();
    EXPECT_EQ(Record().Output(4).IsCurveShown(), 1);
    EXPECT_TRUE(Output(4).pCurve->isChecked());
    EXPECT_EQ(curves.count(), 1);

    // Selected, then left: the button returns to the record's flag.
    Output(5).pSelect->click();
    EXPECT_TRUE(Output(5).pCurve->isChecked());
    EXPECT_TRUE(Output(5).pSelect->isChecked());
    EXPECT_FALSE(Input(0).pSelect->isChecked());
    EXPECT_FALSE(Input(0).pCurve->isChecked());
    Output(6).pSelect->click();
    EXPECT_FALSE(Output(5).pCurve->isChecked());
}

TEST_F(ChannelStripTest, LocksFreezeTheirControls)
{
    Record().Inputs().SetLinkGroup(1, 0);
    CLockState& locks = m_link.Locks();
    for (int flag : {CLockState::kInLink, CLockState::kInName, CLockState::kOutMute, CLockState::kOutRouting})
        locks.SetFlag(flag, true);
    m_link.ApplyLocksEverywhere(false);

    EXPECT_EQ(Record().Inputs().GetLinkGroup(1), 1);
    EXPECT_EQ(Record().Input(0).IsLinked(), 0);
    EXPECT_TRUE(Input(1).pLink->IsLocked());
    EXPECT_EQ(Input(1).pLink->currentText(), QString::fromUtf8("锁定"));
    EXPECT_FALSE(Output(0).pLink->IsLocked());
    EXPECT_TRUE(Input(2).pName->IsLocked());
    EXPECT_FALSE(Output(2).pName->IsLocked());
    EXPECT_TRUE(Input(0).pMute->isEnabled());
    EXPECT_FALSE(Output(0).pMute->isEnabled());
    EXPECT_FALSE(Output(7).apRoute[0]->isEnabled());
    EXPECT_TRUE(Output(7).apRoute[4]->isEnabled());

    // Test mode freezes the E cells too; off again, the lock still holds A-D.
    m_strip.LockRouting(true);
    EXPECT_FALSE(Output(7).apRoute[4]->isEnabled());
    m_strip.LockRouting(false);
    EXPECT_TRUE(Output(7).apRoute[4]->isEnabled());
    EXPECT_FALSE(Output(7).apRoute[3]->isEnabled());

    for (int flag : {CLockState::kInLink, CLockState::kInName, CLockState::kOutMute, CLockState::kOutRouting})
        locks.SetFlag(flag, false);
    m_link.ApplyLocksEverywhere(false);
    EXPECT_FALSE(Input(1).pLink->IsLocked());
    EXPECT_EQ(Input(1).pLink->currentIndex(), 1);
    EXPECT_EQ(Input(2).pName->text(), QStringLiteral("C"));
    EXPECT_TRUE(Output(7).apRoute[0]->isEnabled());
}

TEST_F(ChannelStripTest, ProcessorTypesShowOnlyTheirChannels)
{
    struct Case
    {
        int nType;
        std::vector<const char*> visible;  // columns and row cells of output 1
        std::vector<const char*> hidden;
        int nLinkEntries;                  // entries of an output's link combo
    };
    const std::vector<Case> cases{
        {1, {"ColumnCHA", "ColumnCHB", "ColumnCH1", "ColumnCH4", "RouteCH1A", "RouteCH1B", "RouteCH1E"},
         {"ColumnCHC", "ColumnCHD", "ColumnCH5", "ColumnCH8", "RouteCH1C", "RouteCH1D"}, 4},
        {4, {"ColumnCHC", "RouteCH1C", "ColumnCH6"}, {"ColumnCHD", "RouteCH1D", "ColumnCH7"}, 6},
        {6, {"ColumnCHD", "ColumnCH8", "RouteCH1C", "RouteCH1D", "RouteCH1E"}, {}, 8},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.nType);
        const auto counts = CConnection::CountsOfType(c.nType);
        ASSERT_TRUE(counts.has_value());
        m_strip.ApplyVariantLayout(counts->nInputs, counts->nOutputs);
        for (const char* name : c.visible)
            EXPECT_TRUE(m_strip.findChild<QWidget*>(name)->isVisibleTo(&m_strip)) << name;
        for (const char* name : c.hidden)
            EXPECT_FALSE(m_strip.findChild<QWidget*>(name)->isVisibleTo(&m_strip)) << name;
        EXPECT_EQ(Output(0).pLink->count(), c.nLinkEntries);
        EXPECT_EQ(Input(0).pLink->count(), counts->nInputs);
    }

    // Output 7 selected on a processor with four outputs: output 1 takes over.
    Output(6).pSelect->click();
    m_strip.ApplyVariantLayout(2, 4);
    EXPECT_FALSE(m_selector.Current().bInput);
    EXPECT_EQ(m_selector.Current().nIndex, 0);
    EXPECT_TRUE(Output(0).pSelect->isChecked());
    EXPECT_FALSE(Output(6).pSelect->isChecked());
}

TEST_F(ChannelStripTest, LanguageSwitchesTheLinkNames)
{
    EXPECT_EQ(Input(0).pLink->itemText(1), QString::fromUtf8("联调B"));
    m_link.Notice().SetLanguage(kEnglish);
    EXPECT_EQ(Input(0).pLink->itemText(1), QStringLiteral("Link B"));
    EXPECT_EQ(Output(0).pLink->itemText(7), QStringLiteral("Link 8"));
}
