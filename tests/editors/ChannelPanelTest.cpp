// The input channel panel driven through its own controls: what reaches the
// records and which frames the pump then builds, linked channels, locks,
// language, processor types and a program loaded under it.

#include "tests/editors/ChannelPanelFixture.h"

using namespace ChannelPanelFixture;

// ---- input panel ------------------------------------------------------------------

TEST_F(InFaceTest, GainFromFieldAndFaderSendsOneFramePerChange)
{
    Type(m_panel.GainField(), "6");
    EXPECT_EQ(Record().Input(0).GetGain(), 360);
    EXPECT_EQ(m_panel.GainFader()->Position(), 60);
    EXPECT_EQ(m_changes.count(), 1);
    EXPECT_EQ(Sent(), Frames{"1/1"});

    // The same value again writes nothing.
    Type(m_panel.GainField(), "6.0");
    EXPECT_EQ(m_changes.count(), 1);
    EXPECT_EQ(Sent(), Frames{});

    // Fader top is +12 dB, bottom -30 dB; the field follows.
    m_panel.GainFader()->setFocus();
    QTest::keyClick(m_panel.GainFader(), Qt::Key_Home);
    EXPECT_EQ(Record().Input(0).GetGain(), 420);
    EXPECT_EQ(m_panel.GainField()->text(), "12.0");
    EXPECT_EQ(Sent(), Frames{"1/1"});
    QTest::keyClick(m_panel.GainFader(), Qt::Key_End);
    EXPECT_EQ(Record().Input(0).GetGain(), 0);
    EXPECT_EQ(m_panel.GainField()->text(), "-30.0");
    QTest::keyClick(m_panel.GainFader(), Qt::Key_End);  // already there
    EXPECT_EQ(Sent(), Frames{"1/1"});
    EXPECT_EQ(m_changes.count(), 3);

    // The spin's arrows step the same gain.
    QTest::mouseClick(m_panel.GainSpin(), Qt::LeftButton, {}, QPoint(m_panel.GainSpin()->width() / 2, 3));
    EXPECT_EQ(Record().Input(0).GetGain(), 1);
    EXPECT_EQ(m_panel.GainFader()->Position(), 419);
}

TEST_F(InFaceTest, GainFaderHasPlusTwelveAtTheTop)
{
    const CFader* fader = m_panel.GainFader();
    EXPECT_EQ(fader->PositionOf(kGainMax), 0);
    EXPECT_EQ(fader->PositionOf(kGainMin), 420);
    for (int step : {0, 1, 300, 419, 420})
        EXPECT_EQ(fader->ValueOf(fader->PositionOf(step)), step);
}

TEST_F(InFaceTest, DraggedFaderAndHeldSpinAreThinned)
{
    CFader* fader = m_panel.GainFader();
    qint64 now = 10000;
    fader->SetClock([&now] { return now; });
    SendMouse(fader, QEvent::MouseButtonPress, ThumbAt(fader, 120), Qt::LeftButton);
    // 150 ms of dragging: the first move is reported, the rest held back.
    for (int position = 110; position >= 60; position -= 10)
    {
        SendMouse(fader, QEvent::MouseMove, ThumbAt(fader, position), Qt::LeftButton);
        now += 30;
    }
    EXPECT_EQ(m_changes.count(), 1);
    EXPECT_EQ(Record().Input(0).GetGain(), 420 - 110);
    // A notice in the middle of the drag leaves the thumb where the user has it.
    EXPECT_EQ(fader->Position(), 60);
    SendMouse(fader, QEvent::MouseButtonRelease, ThumbAt(fader, 60), Qt::NoButton);
    EXPECT_EQ(m_changes.count(), 2);
    EXPECT_EQ(Record().Input(0).GetGain(), 360);
    EXPECT_EQ(Sent(), Frames{"1/1"});

    // A held spin arrow: the value runs at the repeat rate, the record
    // hears at most every 400 ms, and the last step on release.
    m_changes.clear();
    CNumSpin* spin = m_panel.GateSpin();
    std::int64_t clock = 1000;
    spin->SetClock([&clock] { return clock; });
    QTest::mousePress(spin, Qt::LeftButton, {}, QPoint(spin->width() / 2, 3));
    for (int t = CNumSpin::kRepeatDelayMs; t <= 1000; t += CNumSpin::kRepeatRateMs)
    {
        clock = 1000 + t;
        spin->OnRepeatTimer();
        spin->OnReportTimer();
    }
    EXPECT_LE(m_changes.count(), 1 + 1000 / CNumSpin::kRepeatPeriodMs);
    const int beforeRelease = m_changes.count();
    QTest::mouseRelease(spin, Qt::LeftButton, {}, QPoint(spin->width() / 2, 3));
    EXPECT_EQ(m_changes.count(), beforeRelease + 1);
    EXPECT_EQ(Record().Input(0).GetGate(), spin->GetPos());
    EXPECT_GT(Record().Input(0).GetGate(), 50);
    EXPECT_EQ(Sent(), Frames{"1/1"});
}

TEST_F(InFaceTest, DelayFieldsAgreeInEveryUnit)
{
    Type(m_panel.DelayField(1), "3.43");  // metres
    const int step = Record().Input(0).GetDelay();
    EXPECT_GT(step, 0);
    for (int unit = 0; unit < 3; ++unit)
    {
        const EUnit units[] = {EUnit::kNative, EUnit::kMetres, EUnit::kFeet};
        EXPECT_EQ(m_panel.DelayField(unit)->text().toStdString(),
                  ParamCatalogue::FieldText(EParam::kInDelay, step, kChinese, false, units[unit]));
        EXPECT_EQ(m_panel.DelaySpin(unit)->GetPos(), step);
    }
    EXPECT_EQ(Sent(), Frames{"1/1"});
    Type(m_panel.DelayField(0), "1000");
    EXPECT_EQ(Record().Input(0).GetDelay(), 1467);
    EXPECT_EQ(m_panel.DelayField(1)->text().toStdString(),
              ParamCatalogue::FieldText(EParam::kInDelay, 1467, kChinese, false, EUnit::kMetres));
    EXPECT_TRUE(m_boxes.empty());
}

TEST_F(InFaceTest, GateShowsOffAtItsBottomStep)
{
    Type(m_panel.GateField(), "-119");
    EXPECT_EQ(Record().Input(0).GetGate(), 1);
    QTest::keyClick(m_panel.GateField(), Qt::Key_Down);
    EXPECT_EQ(Record().Input(0).GetGate(), 0);
    EXPECT_EQ(m_panel.GateField()->text(), "OFF");
    EXPECT_EQ(Sent(), Frames{"1/1"});
}

TEST_F(InFaceTest, PolarityFlipsTheRecordAndThePicture)
{
    CToggleButton* button = m_panel.PolarityButton();
    button->click();
    EXPECT_EQ(Record().Input(0).GetPolarity(), 1);
    EXPECT_TRUE(button->isChecked());
    EXPECT_EQ(button->DrawnText(), EditorsText(EEditorsText::FacePolarityInverted, kChinese));
    EXPECT_EQ(Sent(), Frames{"1/1"});
    button->click();
    EXPECT_EQ(Record().Input(0).GetPolarity(), 0);
    EXPECT_FALSE(button->isChecked());
    EXPECT_EQ(m_changes.count(), 2);
}

TEST_F(InFaceTest, RoutingCellFlipsOneBitOfItsOutput)
{
    const int before = Record().Output(2).GetRoute();
    m_panel.RouteCell(2, 2)->click();  // output 3, row C
    EXPECT_EQ(Record().Output(2).GetRoute(), before ^ 0x04);
    EXPECT_EQ(m_panel.RouteCell(2, 2)->isChecked(), ((before ^ 0x04) & 0x04) != 0);
    for (int o = 0; o < 8; ++o)
        EXPECT_EQ(Record().Output(o).IsParamChanged(), o == 2 ? 1 : 0) << o;
    EXPECT_EQ(Record().Input(0).IsParamChanged(), 0);
    EXPECT_EQ(Sent(), Frames{"7/1"});

    // A change made elsewhere (the strip) shows here through the notice.
    m_link.Notice().Apply(5, EParam::kOutRoute,
                          [&] { return ParamCatalogue::Set(EParam::kOutRoute, Record(), {0, 3}, 1); });
    EXPECT_TRUE(m_panel.RouteCell(0, 3)->isChecked());
    EXPECT_FALSE(m_panel.RouteCell(0, 4)->isChecked());
}

TEST_F(InFaceTest, LinkedInputFollowsAndShowsWhenSelected)
{
    Record().Inputs().SetLinkGroup(1, 0);  // B joins A
    Type(m_panel.GainField(), "-3");
    EXPECT_EQ(Record().Input(0).GetGain(), 270);
    EXPECT_EQ(Record().Input(1).GetGain(), 270);
    const Frames sent = Sent();
    EXPECT_EQ(sent, (Frames{"1/1", "2/1"}));

    m_selector.Select(ChannelAddress::Input(1));
    m_panel.RefreshFromRecord();
    EXPECT_EQ(m_panel.Channel(), 1);
    EXPECT_EQ(m_panel.GainField()->text(), "-3.0");
    EXPECT_TRUE(m_boxes.empty());
}

TEST_F(InFaceTest, LoadedProgramAndWrongSideRefresh)
{
    CAudio_InData& a = Record().Input(0);
    a.SetGain(123);
    a.SetDelay(477);
    a.SetGate(0);
    a.SetPolarity(true);
    Record().Output(5).SetRoute(0x0F);
    m_link.Notice().NotifyProgramLoaded();
    EXPECT_EQ(m_panel.GainField()->text(), "-17.7");
    EXPECT_EQ(m_panel.GainFader()->Position(), 297);
    EXPECT_EQ(m_panel.DelaySpin(2)->GetPos(), 477);
    EXPECT_EQ(m_panel.GateField()->text(), "OFF");
    EXPECT_TRUE(m_panel.PolarityButton()->isChecked());
    for (int row = 0; row < 4; ++row)
        EXPECT_TRUE(m_panel.RouteCell(5, row)->isChecked());

    // Asked to refresh while output 6 is selected: "Error", and the panel
    // keeps showing input A rather than read past the inputs.
    m_selector.Select(ChannelAddress::Output(5));
    m_panel.RefreshFromRecord();
    EXPECT_EQ(m_boxes, std::vector<QString>{"Error"});
    EXPECT_EQ(m_panel.Channel(), 0);
    EXPECT_EQ(m_panel.GainField()->text(), "-17.7");
}

TEST_F(InFaceTest, LocksDisableAndShowTheLockTextAtOnce)
{
    Lock({CLockState::kInGain, CLockState::kInPolarity, CLockState::kInDelay, CLockState::kInGate,
          CLockState::kOutRouting},
         true);
    EXPECT_TRUE(m_panel.GainFader()->isHidden());
    EXPECT_FALSE(m_panel.GainField()->isEnabled());
    EXPECT_EQ(m_panel.GainField()->text(), "锁定");
    EXPECT_FALSE(m_panel.PolarityButton()->isEnabled());
    EXPECT_TRUE(m_panel.PhasePicture()->isHidden());
    for (int unit = 0; unit < 3; ++unit)
    {
        EXPECT_FALSE(m_panel.DelayField(unit)->isEnabled());
        EXPECT_EQ(m_panel.DelayField(unit)->text(), "锁定");
    }
    EXPECT_EQ(m_panel.GateField()->text(), "锁定");
    for (int o = 0; o < 8; ++o)
    {
        for (int row = 0; row < 4; ++row)
            EXPECT_FALSE(m_panel.RouteCell(o, row)->isEnabled());
        EXPECT_TRUE(m_panel.RouteCell(o, 4)->isEnabled());
    }

    m_link.Notice().SetLanguage(kEnglish);
    EXPECT_EQ(m_panel.GainField()->text(), "Lock");

    Lock({CLockState::kInGain, CLockState::kInPolarity, CLockState::kInDelay, CLockState::kInGate,
          CLockState::kOutRouting},
         false);
    EXPECT_FALSE(m_panel.GainFader()->isHidden());
    EXPECT_EQ(m_panel.GainField()->text(), "0.0");
    EXPECT_TRUE(m_panel.PolarityButton()->isEnabled());
    EXPECT_FALSE(m_panel.PhasePicture()->isHidden());
    EXPECT_EQ(m_panel.GateField()->text(), "-80");
    EXPECT_TRUE(m_panel.RouteCell(7, 3)->isEnabled());
    EXPECT_EQ(m_changes.count(), 0);
    EXPECT_EQ(Sent(), Frames{});
}

TEST_F(InFaceTest, TestModeFreezesTheMatrix)
{
    m_panel.LockRouting(true);
    for (int row = 0; row < 5; ++row)
        EXPECT_FALSE(m_panel.RouteCell(3, row)->isEnabled());
    m_panel.LockRouting(false);
    for (int row = 0; row < 5; ++row)
        EXPECT_TRUE(m_panel.RouteCell(3, row)->isEnabled());

    // The generator running in the record is test mode, heard through the notice.
    m_link.Edit(EParam::kGenType, {}, 1);
    for (int row = 0; row < 5; ++row)
        EXPECT_FALSE(m_panel.RouteCell(3, row)->isEnabled());
    m_link.Edit(EParam::kGenType, {}, 0);
    for (int row = 0; row < 5; ++row)
        EXPECT_TRUE(m_panel.RouteCell(3, row)->isEnabled());
}

TEST_F(InFaceTest, LanguageSwitchRewritesCaptionsAndValues)
{
    EXPECT_EQ(m_panel.PolarityButton()->DrawnText(), "正相");
    m_link.Notice().SetLanguage(kEnglish);
    EXPECT_EQ(m_panel.PolarityButton()->DrawnText(), "+");
    EXPECT_EQ(m_panel.accessibleName(), "Input channel");
    // The field is "Gain"; the fader beside it says it is the fader.
    EXPECT_EQ(m_panel.GainFader()->Caption(), "Gain fader");
    EXPECT_EQ(m_panel.GainFader()->ValueTextOf(0), QString::fromStdString(FormatGain(420, kEnglish)));
}

TEST_F(InFaceTest, ProcessorTypesShowTheirRowsAndColumns)
{
    struct Case
    {
        int inputs;
        int outputs;
    };
    for (const Case c : {Case{2, 4}, Case{4, 8}, Case{3, 6}})
    {
        m_panel.ApplyVariantLayout(c.inputs, c.outputs);
        for (int o = 0; o < 8; ++o)
            for (int row = 0; row < 5; ++row)
            {
                const bool shown = o < c.outputs && (row == 4 || row < c.inputs);
                EXPECT_EQ(!m_panel.RouteCell(o, row)->isHidden(), shown) << c.inputs << " " << o << " " << row;
            }
    }
}
