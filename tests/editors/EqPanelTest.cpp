// The input EQ panel driven through its own controls: what it writes into
// the records and the frames the pump then builds (or the link sends at
// once), refresh, the locks and language of both panels, the graphic-EQ
// warning's languages and the refresh after a drag on the response graph.

#include "tests/editors/EqPanelFixture.h"

#include "editors/FStatic.h"

#include <QMouseEvent>
#include <QPushButton>
#include <QSignalSpy>

using namespace EqPanelFixture;

// ---- input panel -------------------------------------------------------------------

TEST_F(EqPanelTest, InputFieldsWriteTheBandAndItsLinkedPartnerOneFrameEach)
{
    Record().Inputs().SetLinkGroup(1, 0);
    Record().ClearAllChanged(false);
    QSignalSpy changes(&Link().Notice(), &CRecordNotice::valueChanged);

    Type(Field(InPanel(), 2, Row::kFrequencyRow), "2500");

    EXPECT_EQ(Record().Input(0).GetBand(2).GetFrequency(), 2500);
    EXPECT_EQ(Record().Input(1).GetBand(2).GetFrequency(), 2500);
    EXPECT_EQ(changes.count(), 1);
    const std::vector<Bytes> frames = Pump();
    EXPECT_EQ(Headers(frames), (std::vector<Sent>{{1, kFirstBandCode + 2}, {2, kFirstBandCode + 2}}));
    for (const Bytes& f : frames)
        EXPECT_EQ(Word(f, 4), 2500);

    // The same value again: nothing written, nobody told, nothing to send.
    Type(Field(InPanel(), 2, Row::kFrequencyRow), "2500");
    EXPECT_EQ(changes.count(), 1);
    EXPECT_TRUE(Pump().empty());

    // Q and bandwidth are one value: 1.41 takes the first entry not above it.
    Type(Field(InPanel(), 0, Row::kQRow), "1.41");
    EXPECT_EQ(Record().Input(0).GetBand(0).GetBandwidthStep(), 100);
    EXPECT_EQ(Field(InPanel(), 0, Row::kBandwidthRow)->text(), "1.01");
    EXPECT_EQ(Field(InPanel(), 0, Row::kQRow)->text(), "1.400");
    EXPECT_EQ(Headers(Pump()), (std::vector<Sent>{{1, kFirstBandCode}, {2, kFirstBandCode}}));
}

TEST_F(EqPanelTest, ZeroDecibelsBypassesABandAndTheMasterShowsWhenAllAre)
{
    CInEQDlg& panel = InPanel();
    Type(Field(panel, 0, Row::kGainRow), "3.0");
    EXPECT_FALSE(panel.Band(0).pButton->isChecked());
    EXPECT_EQ(panel.Band(0).pFader->Position(), 600 - 430);

    Type(Field(panel, 0, Row::kGainRow), "0.0");
    EXPECT_TRUE(panel.Band(0).pButton->isChecked());
    EXPECT_TRUE(Record().Input(0).GetBand(0).IsInactive());
    Type(Field(panel, 0, Row::kGainRow), "0.1");
    EXPECT_FALSE(panel.Band(0).pButton->isChecked());
    EXPECT_FALSE(panel.MasterButton()->isChecked());

    Type(Field(panel, 0, Row::kGainRow), "0.0");
    // Every band of a new input is flat, so now all six are bypassed.
    EXPECT_TRUE(panel.MasterButton()->isChecked());
    EXPECT_EQ(panel.MasterButton()->DrawnText(), "OFF");
    Type(Field(panel, 4, Row::kGainRow), "-6.0");
    EXPECT_FALSE(panel.MasterButton()->isChecked());
    EXPECT_EQ(panel.MasterButton()->DrawnText(), "ON");

    // A flat band refuses to be switched on: the button stays as it is.
    panel.Band(1).pButton->click();
    EXPECT_TRUE(panel.Band(1).pButton->isChecked());
}

TEST_F(EqPanelTest, MasterOffAndOnAgainKeepsTheBandsThatWereBypassed)
{
    for (int k = 0; k < 6; ++k)
        Record().Input(0).GetBand(k).SetGainStep(410 + 10 * k);
    Record().ClearAllChanged(false);
    CInEQDlg& panel = InPanel();
    panel.Band(1).pButton->click();
    EXPECT_TRUE(panel.Band(1).pButton->isChecked());
    EXPECT_EQ(Field(panel, 1, Row::kGainRow)->text(), "0.0");
    EXPECT_EQ(panel.Band(1).pFader->Position(), 200);
    EXPECT_EQ(Headers(Pump()), (std::vector<Sent>{{1, kFirstBandCode + 1}}));

    panel.MasterButton()->click();
    EXPECT_TRUE(panel.MasterButton()->isChecked());
    for (int k = 0; k < 6; ++k)
    {
        EXPECT_TRUE(panel.Band(k).pButton->isChecked()) << k;
        EXPECT_EQ(panel.Band(k).pFader->Position(), 200) << k;
    }

    panel.MasterButton()->click();
    EXPECT_FALSE(panel.MasterButton()->isChecked());
    EXPECT_TRUE(panel.Band(1).pButton->isChecked());
    EXPECT_FALSE(panel.Band(3).pButton->isChecked());
    EXPECT_EQ(Field(panel, 3, Row::kGainRow)->text(), "4.0");
    EXPECT_EQ(panel.Band(3).pFader->Position(), 600 - 440);
}

TEST_F(EqPanelTest, MasterSwitchResendsEveryLinkedInputsEqMutedAtOnce)
{
    Record().Inputs().SetLinkGroup(2, 0);
    Record().Input(0).GetBand(0).SetGainStep(450);
    Record().Input(2).GetBand(0).SetGainStep(450);
    Record().ClearAllChanged(false);
    Connect();

    InPanel().MasterButton()->click();

    // Per input: muted parameters, six bands in bulk form, parameters again.
    const std::vector<Bytes> frames = Queued();
    ASSERT_EQ(frames.size(), 16u);
    std::vector<Sent> expected;
    for (int code : {1, 3})
    {
        expected.push_back({code, 1});
        for (int k = 0; k < 6; ++k)
            expected.push_back({code, kFirstBandCode + k});
        expected.push_back({code, 1});
    }
    EXPECT_EQ(Headers(frames), expected);
    EXPECT_EQ(frames[1][Frame::kOffItem], kBulk);
    EXPECT_EQ(Word(frames[1], 6), 401);
    EXPECT_TRUE(Record().Input(2).GetBand(0).IsInactive());
    EXPECT_TRUE(Pump().empty());
}

TEST_F(EqPanelTest, FaderOfALinkedInputMovesTheSameBandOfItsPartner)
{
    Record().Inputs().SetLinkGroup(1, 0);
    Record().ClearAllChanged(false);
    CInEQDlg& panel = InPanel();

    panel.Band(2).pFader->MoveTo(600 - 520);

    EXPECT_EQ(Record().Input(0).GetBand(2).GetGainStep(), 520);
    EXPECT_EQ(Record().Input(1).GetBand(2).GetGainStep(), 520);
    EXPECT_EQ(Field(panel, 2, Row::kGainRow)->text(), "12.0");
    EXPECT_EQ(Headers(Pump()), (std::vector<Sent>{{1, kFirstBandCode + 2}, {2, kFirstBandCode + 2}}));
    // The same position again sends nothing.
    panel.Band(2).pFader->MoveTo(600 - 519);
    panel.Band(2).pFader->MoveTo(600 - 519);
    EXPECT_EQ(Pump().size(), 2u);
}

TEST_F(EqPanelTest, PanelShowsTheSelectedChannelAfterALoadAndRefusesTheOtherSide)
{
    CInEQDlg& panel = InPanel();
    CFilter& band = Record().Input(2).GetBand(4);
    band.SetFrequency(3150);
    band.SetBandwidthStep(99);
    band.SetGainStep(310);
    Select(true, 2);
    Link().Notice().NotifyProgramLoaded();

    EXPECT_EQ(Field(panel, 4, Row::kFrequencyRow)->text(), "3150");
    EXPECT_EQ(Field(panel, 4, Row::kBandwidthRow)->text(), "1.00");
    EXPECT_EQ(Field(panel, 4, Row::kGainRow)->text(), "-9.0");
    EXPECT_EQ(panel.Band(4).pFader->Position(), 290);
    // Edits now reach input C.
    Type(Field(panel, 4, Row::kGainRow), "-8.0");
    EXPECT_EQ(band.GetGainStep(), 320);
    EXPECT_TRUE(m_boxes.empty());

    Select(false, 7);
    panel.RefreshFromRecord();
    // An input the processor cannot have is refused alike.
    Select(true, 6);
    panel.RefreshFromRecord();
    EXPECT_EQ(m_boxes, (std::vector<QString>{"Error", "Error"}));
    EXPECT_EQ(Field(panel, 4, Row::kFrequencyRow)->text(), "3150");
}

// ---- locks and language ------------------------------------------------------------

TEST_F(EqPanelTest, EqLockDisablesEverythingHidesTheFadersAndLiftsBackIntoTheMode)
{
    Select(false, 1);
    Record().Output(1).SetGeqMode(1, 0);
    COutEQDlg& out = OutPanel();
    CInEQDlg& in = InPanel();
    Link().Locks().SetFlag(CLockState::kOutEq, true);
    Link().ApplyLocksEverywhere(false);

    EXPECT_FALSE(out.ModeButton()->isEnabled());
    EXPECT_FALSE(out.MasterButton()->isEnabled());
    for (int k = 0; k < 15; ++k)
    {
        EXPECT_FALSE(out.Band(k).pButton->isEnabled()) << k;
        EXPECT_FALSE(out.Band(k).pFader->isVisibleTo(&out)) << k;
        EXPECT_EQ(Field(out, k, Row::kGainRow)->text(), "锁定") << k;
        EXPECT_FALSE(Field(out, k, Row::kGainRow)->isEnabled()) << k;
    }
    for (CLockCombo* combo : {out.LowShelfSlope(), out.HighShelfSlope(), out.GraphicQ()})
    {
        EXPECT_EQ(combo->currentText(), "锁定");
        EXPECT_FALSE(combo->isEnabled());
    }
    // The input EQ has a lock of its own.
    EXPECT_TRUE(in.MasterButton()->isEnabled());
    EXPECT_TRUE(in.Band(0).pFader->isVisibleTo(&in));

    Link().Locks().SetFlag(CLockState::kOutEq, false);
    Link().ApplyLocksEverywhere(false);
    EXPECT_EQ(out.GraphicQ()->currentText(), "6.551");
    EXPECT_TRUE(out.Band(3).pFader->isVisibleTo(&out));
    EXPECT_TRUE(Field(out, 3, Row::kGainRow)->isEnabled());
    // Graphic mode still fixes the frequencies and widths.
    EXPECT_FALSE(out.Band(3).apField[Row::kFrequencyRow]->isEnabled());
    EXPECT_FALSE(out.Band(3).apField[Row::kQRow]->isEnabled());
}

TEST_F(EqPanelTest, LanguageSwitchRenamesTheControlsAndTheLockText)
{
    CInEQDlg& panel = InPanel();
    Link().Locks().SetFlag(CLockState::kInEq, true);
    Link().ApplyLocksEverywhere(false);
    EXPECT_EQ(panel.MasterButton()->Name(), "均衡/直通");
    EXPECT_EQ(Field(panel, 0, Row::kFrequencyRow)->text(), "锁定");

    Link().Notice().SetLanguage(kEnglish);
    EXPECT_EQ(panel.MasterButton()->Name(), "EQ/BYPASS");
    EXPECT_EQ(panel.accessibleName(), "Input EQ");
    EXPECT_EQ(panel.Band(2).pFader->Caption(), "EQ3 Gain fader");
    EXPECT_EQ(Field(panel, 0, Row::kFrequencyRow)->text(), "Lock");
}

TEST_F(EqPanelTest, WarningWindowSpeaksBothLanguages)
{
    CWarnGEQDlg english(kEnglish);
    EXPECT_EQ(english.windowTitle(), "DSP");
    EXPECT_TRUE(english.Text().startsWith(QString(50, ' ') + "Attention" + QString(13, ' ') + "\n\n After this"));
    EXPECT_TRUE(english.Text().endsWith("exit from this operation!\n\n"));
    EXPECT_EQ(english.OkButton()->text(), "OK");
    EXPECT_EQ(english.ExitButton()->text(), "EXIT");

    CWarnGEQDlg chinese(kChinese);
    EXPECT_TRUE(chinese.Text().startsWith(QString(52, ' ') + "注意" + QString(8, ' ') + "\n\n" + QString(23, ' ')
                                          + "执行本操作后"));
    EXPECT_EQ(chinese.OkButton()->text(), "确定");
    EXPECT_EQ(chinese.ExitButton()->text(), "退出");
}

// ---- in step with the response graph -------------------------------------------------

TEST_F(EqPanelTest, DragOnTheGraphRefreshesTheBandAndReachesTheLinkedInput)
{
    Record().Inputs().SetLinkGroup(1, 0);
    CFilter& band = Record().Input(0).GetBand(2);
    band.SetFrequency(500);
    Record().ClearAllChanged(false);
    CInEQDlg& panel = InPanel();
    CFStatic graph(Link());
    graph.resize(646, 270);
    graph.show();
    graph.Select(ChannelAddress::Input(0));
    graph.Redraw(-1);

    const QPoint start((band.m_rcHandle.left + band.m_rcHandle.right) / 2,
                       (band.m_rcHandle.top + band.m_rcHandle.bottom) / 2);
    const QPoint end = start + QPoint(80, -30);
    QTest::mouseMove(&graph, start);
    QTest::mousePress(&graph, Qt::LeftButton, Qt::NoModifier, start);
    QMouseEvent move(QEvent::MouseMove, QPointF(end), graph.mapToGlobal(QPointF(end)), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QApplication::sendEvent(&graph, &move);
    // The fader follows the drag at once; the fields wait for the tick.
    EXPECT_EQ(panel.Band(2).pFader->Position(), 600 - band.GetGainStep());
    EXPECT_EQ(Field(panel, 2, Row::kFrequencyRow)->text(), "500");
    QTest::mouseRelease(&graph, Qt::LeftButton, Qt::NoModifier, end);
    ASSERT_NE(band.GetFrequency(), 500);
    ASSERT_NE(band.GetGainStep(), 400);
    graph.NotifyTick();

    EXPECT_EQ(Field(panel, 2, Row::kFrequencyRow)->text(), QString::number(band.GetFrequency()));
    EXPECT_EQ(panel.Band(2).pFader->Position(), 600 - band.GetGainStep());
    EXPECT_FALSE(panel.Band(2).pButton->isChecked());
    const CFilter& peer = Record().Input(1).GetBand(2);
    EXPECT_EQ(peer.GetFrequency(), band.GetFrequency());
    EXPECT_EQ(peer.GetGainStep(), band.GetGainStep());
    EXPECT_EQ(Headers(Pump()), (std::vector<Sent>{{1, kFirstBandCode + 2}, {2, kFirstBandCode + 2}}));

    // Told once: the next tick has nothing more to send.
    graph.NotifyTick();
    EXPECT_TRUE(Pump().empty());
}
