// The output channel panel driven through its own controls: crossover,
// limiter, gain, delay, polarity and routing of the selected output, what
// reaches its linked outputs (a drag on the response graph too) and the
// crossover lock in either language.

#include "tests/editors/ChannelPanelFixture.h"

using namespace ChannelPanelFixture;

// ---- output panel ---------------------------------------------------------------------

TEST_F(OutFaceTest, CrossoverFrequenciesKeepTheirOrderSilently)
{
    Type(m_panel.FrequencyField(0), "1000");
    EXPECT_EQ(Record().Output(0).GetHighPass().m_nFreq, 1000);
    // The processor hears it an octave at a time: 40, 80, 160, 320, 640,
    // 1000, and 1000 once more as the filter settles.
    EXPECT_EQ(Sent(), Frames(7, "5/18"));
    Type(m_panel.FrequencyField(1), "800");
    EXPECT_EQ(Record().Output(0).GetLowPass().m_nFreq, 1000);
    EXPECT_EQ(m_panel.FrequencyField(1)->text(), "1000Hz");
    EXPECT_TRUE(m_boxes.empty());
    // The high-pass cannot be stepped past the low-pass either.
    QTest::keyClick(m_panel.FrequencyField(0), Qt::Key_Up);
    EXPECT_EQ(Record().Output(0).GetHighPass().m_nFreq, 1000);
    // Beyond the row's own range it is out of range as ever.
    Type(m_panel.FrequencyField(1), "30000");
    EXPECT_EQ(m_boxes.size(), 1u);
    EXPECT_EQ(Record().Output(0).GetLowPass().m_nFreq, 20000);
}

TEST_F(OutFaceTest, CrossoverChoicesReachTheLinkedOutputs)
{
    Record().Outputs().SetLinkGroup(1, 0);  // output 2 joins output 1
    Record().ClearAllChanged(false);
    ASSERT_EQ(m_panel.SlopeCombo(1)->count(), 7);
    EXPECT_EQ(m_panel.SlopeCombo(1)->itemText(6), "48dB/oct");
    Choose(m_panel.SlopeCombo(1), 6);
    EXPECT_EQ(Record().Output(0).GetLowPass().GetSlope(), 6);
    EXPECT_EQ(Record().Output(1).GetLowPass().GetSlope(), 6);
    EXPECT_EQ(m_changes.count(), 1);
    const Frames sent = Sent();
    EXPECT_EQ(sent, (Frames{"5/18", "6/18"}));

    Choose(m_panel.TypeCombo(0), 1);
    EXPECT_EQ(Record().Output(1).GetHighPass().GetXoverType(), 1);
    Choose(m_panel.TypeCombo(0), 1);  // unchanged
    EXPECT_EQ(m_changes.count(), 2);
}

TEST_F(OutFaceTest, LimiterFieldsShowAndTakeTheirSteps)
{
    CAudio_OutData& out = Record().Output(0);
    out.SetLimitThreshold(600);
    out.SetLimitAttack(6);
    Record().ClearAllChanged(false);
    m_link.Notice().NotifyProgramLoaded();
    EXPECT_EQ(m_panel.LimiterField(0)->text(), "OFF");
    EXPECT_EQ(m_panel.LimiterField(1)->text(), "0.9");
    // Leaving the field as it shows keeps the step and sends nothing.
    QFocusEvent out1(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(m_panel.LimiterField(0), &out1);
    EXPECT_EQ(out.GetLimitThreshold(), 600);
    QTest::keyClick(m_panel.LimiterField(1), Qt::Key_Up);
    EXPECT_EQ(out.GetLimitAttack(), 7);
    EXPECT_EQ(m_panel.LimiterField(1)->text(), "1");
    Type(m_panel.LimiterField(2), "800");
    EXPECT_EQ(out.GetLimitRelease(), 800);
    EXPECT_EQ(m_changes.count(), 2);
    const Frames sent = Sent();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].substr(0, 2), "5/");
}

TEST_F(OutFaceTest, CrossoverLockEmptiesTheCombosInEitherLanguage)
{
    Choose(m_panel.SlopeCombo(0), 3);
    Lock({CLockState::kOutXover, CLockState::kOutLimiter}, true);
    for (CLockCombo* combo : {m_panel.TypeCombo(0), m_panel.TypeCombo(1), m_panel.SlopeCombo(0), m_panel.SlopeCombo(1)})
    {
        EXPECT_FALSE(combo->isEnabled());
        ASSERT_EQ(combo->count(), 1);
        EXPECT_EQ(combo->itemText(0), "锁定");
    }
    EXPECT_FALSE(m_panel.FrequencyField(0)->isEnabled());
    EXPECT_EQ(m_panel.LimiterField(2)->text(), "锁定");
    m_link.Notice().SetLanguage(kEnglish);
    EXPECT_EQ(m_panel.TypeCombo(1)->count(), 1);
    EXPECT_EQ(m_panel.TypeCombo(1)->itemText(0), "Lock");

    Lock({CLockState::kOutXover, CLockState::kOutLimiter}, false);
    EXPECT_TRUE(m_panel.SlopeCombo(0)->isEnabled());
    EXPECT_EQ(m_panel.SlopeCombo(0)->count(), 7);
    EXPECT_EQ(m_panel.SlopeCombo(0)->currentIndex(), 3);
    EXPECT_EQ(m_panel.TypeCombo(0)->count(), 3);
    EXPECT_EQ(m_panel.TypeCombo(0)->itemText(2).toStdString(), FormatXoverType(2, kEnglish));
    EXPECT_EQ(m_panel.TypeCombo(0)->currentIndex(), Record().Output(0).GetHighPass().GetXoverType());
}

TEST_F(OutFaceTest, GraphDragOfACrossoverReachesTheLinkedOutputs)
{
    Record().Outputs().SetLinkGroup(2, 0);  // output 3 joins output 1
    CFStatic graph(m_link);
    graph.resize(646, 270);
    graph.show();
    graph.Select(ChannelAddress::Output(0));
    const CFilter& highPass = Record().Output(0).GetHighPass();
    const QPointF start((highPass.m_rcHandle.left + highPass.m_rcHandle.right) / 2,
                        (highPass.m_rcHandle.top + highPass.m_rcHandle.bottom) / 2);
    SendMouse(&graph, QEvent::MouseMove, start, Qt::NoButton);
    SendMouse(&graph, QEvent::MouseButtonPress, start, Qt::LeftButton);
    SendMouse(&graph, QEvent::MouseMove, start + QPointF(150, 0), Qt::LeftButton);
    SendMouse(&graph, QEvent::MouseButtonRelease, start + QPointF(150, 0), Qt::NoButton);
    graph.NotifyTick();
    const int freq = highPass.m_nFreq;
    ASSERT_GT(freq, 20);
    EXPECT_EQ(Record().Output(2).GetHighPass().m_nFreq, freq);
    EXPECT_EQ(m_panel.FrequencyField(0)->text(), QString::number(freq) + "Hz");
    EXPECT_TRUE(m_boxes.empty());
}

TEST_F(OutFaceTest, GainDelayPolarityAndRoutingOfTheSelectedOutput)
{
    m_selector.Select(ChannelAddress::Output(4));
    m_panel.RefreshFromRecord();
    Record().Outputs().SetLinkGroup(5, 4);  // output 6 joins output 5
    Record().ClearAllChanged(false);
    Type(m_panel.GainField(), "-6");
    EXPECT_EQ(Record().Output(4).GetGain(), 240);
    EXPECT_EQ(Record().Output(5).GetGain(), 240);
    m_panel.PolarityButton()->click();
    EXPECT_EQ(Record().Output(5).GetPolarity(), 1);
    Type(m_panel.DelayField(2), "10");
    EXPECT_EQ(Record().Output(4).GetDelay(), Record().Output(5).GetDelay());
    EXPECT_EQ(Sent(), (Frames{"9/1", "10/1"}));
    const int route5 = Record().Output(4).GetRoute();
    const int route6 = Record().Output(5).GetRoute();
    m_panel.RouteCell(4, 0)->click();
    EXPECT_EQ(Record().Output(4).GetRoute(), route5 ^ 0x01);
    EXPECT_EQ(Record().Output(5).GetRoute(), route6);  // never copied
    EXPECT_TRUE(m_boxes.empty());
}

TEST_F(OutFaceTest, ProcessorTypeOneShowsTwoRowsOfFourColumns)
{
    m_panel.ApplyVariantLayout(2, 4);
    EXPECT_FALSE(m_panel.RouteCell(3, 1)->isHidden());
    EXPECT_TRUE(m_panel.RouteCell(3, 2)->isHidden());
    EXPECT_TRUE(m_panel.RouteCell(4, 0)->isHidden());
    EXPECT_FALSE(m_panel.RouteCell(0, 4)->isHidden());
}
