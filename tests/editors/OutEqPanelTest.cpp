// The output EQ panel driven through its own controls: the shelf bands, the
// graphic-EQ warning's two answers and the graphic Q, with the frames the
// pump then builds or the link sends at once.

#include "tests/editors/EqPanelFixture.h"

#include <QPushButton>
#include <QSignalSpy>

using namespace EqPanelFixture;

// ---- output panel ------------------------------------------------------------------

TEST_F(EqPanelTest, ShelfBandsKeepToTheirSideOfTheSplitAndSendTheirSlope)
{
    Select(false, 0);
    COutEQDlg& panel = OutPanel();
    EXPECT_FALSE(panel.Band(0).apField[Row::kBandwidthRow]->isVisibleTo(&panel));
    EXPECT_TRUE(panel.LowShelfSlope()->isVisibleTo(&panel));
    EXPECT_FALSE(panel.GraphicQ()->isVisibleTo(&panel));

    Type(Field(panel, 0, Row::kFrequencyRow), "5000");
    EXPECT_EQ(Record().Output(0).GetBand(0).GetFrequency(), 2012);
    Type(Field(panel, 14, Row::kFrequencyRow), "100");
    EXPECT_EQ(Record().Output(0).GetBand(14).GetFrequency(), 2012);
    Pump();

    Choose(panel.HighShelfSlope(), 1);
    EXPECT_EQ(Record().Output(0).GetBand(14).GetSlope(), 1);
    const std::vector<Bytes> frames = Pump();
    ASSERT_EQ(Headers(frames), (std::vector<Sent>{{5, kFirstBandCode + 14}}));
    // High shelf, 12 dB/oct: the width word carries the slope.
    EXPECT_EQ(Bytes(frames[0].begin() + Frame::kOffPayload, frames[0].begin() + Frame::kOffPayload + 4),
              (Bytes{0x03, 0x02, 0x02, 0x00}));
}

// A processor may hold a shelf frequency the panel does not offer. The field
// shows it as it is, and only a step or typing of the user's changes it.
TEST_F(EqPanelTest, ShelfFrequencyBeyondThePanelsRangeShowsWhatTheProcessorHolds)
{
    Select(false, 0);
    CFilter& low = Record().Output(0).GetBand(0);
    CFilter& high = Record().Output(0).GetBand(14);
    low.SetFrequency(15870);
    high.SetFrequency(100);
    Record().ClearAllChanged(false);
    COutEQDlg& panel = OutPanel();
    Link().Notice().NotifyProgramLoaded();
    EXPECT_EQ(Field(panel, 0, Row::kFrequencyRow)->text(), "15870");
    EXPECT_EQ(Field(panel, 14, Row::kFrequencyRow)->text(), "100");

    // Another band's edit and a language switch reload every field; showing
    // the values again writes and sends nothing of them.
    Type(Field(panel, 3, Row::kGainRow), "-6.0");
    Link().Notice().SetLanguage(kEnglish);
    EXPECT_EQ(Field(panel, 0, Row::kFrequencyRow)->text(), "15870");
    EXPECT_EQ(Field(panel, 14, Row::kFrequencyRow)->text(), "100");
    EXPECT_EQ(low.GetFrequency(), 15870);
    EXPECT_EQ(high.GetFrequency(), 100);
    EXPECT_EQ(Headers(Pump()), (std::vector<Sent>{{5, kFirstBandCode + 3}}));
    EXPECT_TRUE(m_boxes.empty());

    // The user's step lands in the panel's range, and only that is sent.
    QTest::keyClick(Field(panel, 0, Row::kFrequencyRow), Qt::Key_Up);
    EXPECT_EQ(low.GetFrequency(), 2012);
    EXPECT_EQ(Field(panel, 0, Row::kFrequencyRow)->text(), "2012");
    Type(Field(panel, 14, Row::kFrequencyRow), "8000");
    EXPECT_EQ(high.GetFrequency(), 8000);
    EXPECT_EQ(Headers(Pump()), (std::vector<Sent>{{5, kFirstBandCode}, {5, kFirstBandCode + 14}}));
    EXPECT_TRUE(m_boxes.empty());
}

TEST_F(EqPanelTest, RefusedWarningChangesAndSendsNothing)
{
    Record().Outputs().SetLinkGroup(3, 2);
    Record().Output(2).GetBand(5).SetGainStep(480);
    Record().ClearAllChanged(false);
    Select(false, 2);
    Connect();
    QSignalSpy changes(&Link().Notice(), &CRecordNotice::valueChanged);

    ASSERT_TRUE(SwitchMode(false));

    EXPECT_FALSE(OutPanel().ModeButton()->isChecked());
    EXPECT_EQ(Record().Output(2).GetGeqMode(), 0);
    EXPECT_EQ(Record().Output(2).GetBand(5).GetGainStep(), 480);
    EXPECT_EQ(changes.count(), 0);
    EXPECT_TRUE(Queued().empty());
    EXPECT_TRUE(Pump().empty());
}

TEST_F(EqPanelTest, AcceptedWarningFlattensTheLinkedOutputsAndSendsTheirBandsOnce)
{
    Record().Outputs().SetLinkGroup(3, 2);
    Record().Output(2).GetBand(5).SetGainStep(480);
    Record().Output(3).GetBand(5).SetGainStep(480);
    Record().ClearAllChanged(false);
    Select(false, 2);
    Connect();
    COutEQDlg& panel = OutPanel();

    ASSERT_TRUE(SwitchMode(true));

    EXPECT_TRUE(panel.ModeButton()->isChecked());
    const int anFreq[] = {25, 40, 63, 100, 160, 250, 400, 630, 1000, 1600, 2500, 4000, 6300, 10000, 16000};
    for (int i : {2, 3})
        for (int k = 0; k < 15; ++k)
        {
            EXPECT_EQ(Record().Output(i).GetGeqMode(), 1);
            EXPECT_EQ(Record().Output(i).GetBand(k).GetFrequency(), anFreq[k]) << i << " " << k;
            EXPECT_EQ(Record().Output(i).GetBand(k).GetGainStep(), 400) << i << " " << k;
        }
    for (int k = 0; k < 15; ++k)
    {
        EXPECT_FALSE(panel.Band(k).apField[Row::kFrequencyRow]->isEnabled()) << k;
        EXPECT_EQ(Field(panel, k, Row::kFrequencyRow)->text(), QString::number(anFreq[k])) << k;
    }
    EXPECT_FALSE(panel.Band(7).apField[Row::kBandwidthRow]->isEnabled());
    EXPECT_TRUE(panel.Band(14).apField[Row::kQRow]->isVisibleTo(&panel));
    EXPECT_TRUE(panel.GraphicQ()->isVisibleTo(&panel));
    EXPECT_FALSE(panel.LowShelfSlope()->isVisibleTo(&panel));
    EXPECT_FALSE(panel.HighShelfSlope()->isVisibleTo(&panel));

    // Mute both, both outputs' bands in bulk, unmute both; nothing twice.
    const std::vector<Bytes> frames = Queued();
    ASSERT_EQ(frames.size(), 34u);
    EXPECT_EQ(Headers(frames).front(), (Sent{7, 1}));
    EXPECT_EQ(Headers(frames).back(), (Sent{8, 1}));
    EXPECT_TRUE(Pump().empty());

    // Back to parametric: the shelves come back with their slope combos.
    ASSERT_TRUE(SwitchMode(true));
    EXPECT_EQ(Record().Output(3).GetGeqMode(), 0);
    EXPECT_TRUE(panel.LowShelfSlope()->isVisibleTo(&panel));
    EXPECT_TRUE(panel.Band(7).apField[Row::kFrequencyRow]->isEnabled());
}

TEST_F(EqPanelTest, GraphicQGoesToAllBandsOfTheGroupAtOnceAndIsShownAgain)
{
    Record().Outputs().SetLinkGroup(3, 2);
    Record().Output(2).SetGeqMode(1, 0);
    Record().Output(3).SetGeqMode(1, 0);
    Record().ClearAllChanged(false);
    Select(false, 2);
    Connect();
    COutEQDlg& panel = OutPanel();

    Choose(panel.GraphicQ(), 2);

    for (int i : {2, 3})
        for (int k = 0; k < 15; ++k)
            EXPECT_EQ(Record().Output(i).GetBand(k).GetBandwidthStep(), 33) << i << " " << k;
    EXPECT_EQ(Field(panel, 9, Row::kQRow)->text(), "4.233");
    const std::vector<Bytes> frames = Queued();
    ASSERT_EQ(frames.size(), 30u);
    for (const Bytes& f : frames)
    {
        EXPECT_EQ(f[Frame::kOffItem], kBulk);
        EXPECT_EQ(Word(f, 2), 34);
    }
    EXPECT_TRUE(Pump().empty());

    // The same choice again sends nothing; a refresh shows "4.233" again.
    Link().Command().Clear();
    Choose(panel.GraphicQ(), 2);
    EXPECT_TRUE(Queued().empty());
    panel.GraphicQ()->SetCurrent(0);
    panel.RefreshFromRecord();
    EXPECT_EQ(panel.GraphicQ()->currentText(), "4.233");
}
