#include "model/Audio_Data.h"
#include "model/DataDefine.h"
#include "model/ParamCatalogue.h"

#include <gtest/gtest.h>

#include <vector>

namespace
{
// Drives a crossover filter the way the frame pump does and returns the
// frequencies the processor would be sent.
std::vector<int> SentWhileWalking(CFilter& filter)
{
    std::vector<int> sent;
    for (int guard = 0; guard < 40 && filter.IsChanged(); ++guard)
    {
        filter.StepTowardTarget(false);
        sent.push_back(filter.GetSentFreq());
    }
    return sent;
}
}

TEST(Records, NewRecordsCarryTheirChannelDefaults)
{
    CAudio_Data data;
    EXPECT_EQ(data.Input(0).GetName(), "A");
    EXPECT_EQ(data.Input(3).GetName(), "D");
    EXPECT_EQ(data.Output(7).GetName(), "8");
    EXPECT_EQ(data.Input(1).GetChannel(), 2);
    EXPECT_EQ(data.Output(0).GetChannel(), 5);
    EXPECT_EQ(data.Output(7).GetChannel(), 12);
    EXPECT_EQ(data.Input(1).GetColor(), MakeRgb(223, 18, 123));
    EXPECT_EQ(data.Output(5).GetColor(), MakeRgb(192, 168, 0));
    EXPECT_EQ(data.Output(2).GetLimitAttack(), 56);
    EXPECT_EQ(data.Input(0).GetNameCode(), 0);
    EXPECT_EQ(data.Output(0).GetLimitCode(), 17);
    EXPECT_TRUE(data.Input(2).IsNameChanged());

    const CAudio_OutData& out = data.Output(0);
    ASSERT_EQ(out.GetEQ().GetSize(), 17);
    EXPECT_EQ(out.GetBand(0).GetType(), CFilter::kLowShelf);
    EXPECT_EQ(out.GetBand(14).GetType(), CFilter::kHighShelf);
    EXPECT_EQ(out.GetBand(12).GetFrequency(), 6300);
    EXPECT_EQ(out.GetHighPass().GetFrequency(), 20);
    EXPECT_EQ(out.GetLowPass().GetSentFreq(), 20000);
    EXPECT_EQ(out.GetHighPass().GetCode(), 18);
    EXPECT_EQ(out.GetLowPass().GetCode(), 18);
    for (int i = 0; i < 17; ++i)
        EXPECT_TRUE(out.GetEQ().GetAt(i).IsChanged()) << i;
    EXPECT_EQ(data.Input(0).GetBand(3).GetFrequency(), 1092);
    EXPECT_EQ(data.Input(0).GetBand(3).m_nGeqFreq, 0);
}

TEST(Records, NamesAreCutToEightBytes)
{
    CAudio_Data data;
    data.Input(0).SetName("Kick drum");
    EXPECT_EQ(data.Input(0).GetName(), "Kick dru");
    data.Input(0).SetName("Sub");
    EXPECT_EQ(data.Input(0).GetName(), "Sub");
    EXPECT_EQ(data.Input(0).GetNameBytes()[3], '\0');
}

TEST(Filter, GainStepOfZeroDecibelsSwitchesTheBandOff)
{
    CAudio_Data data;
    CFilter& band = data.Input(0).GetBand(2);
    band.SetGainStep(430);
    EXPECT_EQ(band.m_bOff, 0);
    EXPECT_EQ(band.GetGainStep(), 430);

    band.SetBypass(true);
    band.SetGainStep(400);
    EXPECT_EQ(band.m_dGain, 0.0);
    EXPECT_EQ(band.m_bOff, 1);
    EXPECT_EQ(band.m_bBypass, 1);  // a zero gain leaves the bypass as it was
    EXPECT_EQ(band.GetGainStep(), 400);

    band.SetChanged(false);
    band.SetOff(false);
    EXPECT_EQ(band.m_bOff, 1);
    EXPECT_EQ(band.m_bBypass, 0);
    EXPECT_EQ(band.IsChanged(), 0);
}

TEST(Filter, OffAndBypassedBandsReportZeroDecibels)
{
    CAudio_Data data;
    CFilter& band = data.Input(0).GetBand(0);
    band.SetGainStep(250);
    band.SetOff(true);
    EXPECT_EQ(band.GetGainStep(), 400);
    band.SetOff(false);
    EXPECT_EQ(band.GetGainStep(), 250);

    band.SetBypass(true);
    EXPECT_EQ(band.GetGainStep(), 400);
    EXPECT_TRUE(band.IsInactive());
    band.SetBypass(false);
    EXPECT_EQ(band.GetGainStep(), 250);
    EXPECT_FALSE(band.IsInactive());
}

TEST(Filter, StepsRoundTripForEveryValue)
{
    CAudio_Data data;
    CFilter& band = data.Output(0).GetBand(4);
    for (int step = 0; step <= 299; ++step)
    {
        band.SetBandwidthStep(step);
        ASSERT_EQ(band.GetBandwidthStep(), step);
    }
    for (int step = 0; step <= 600; ++step)
    {
        band.SetGainStep(step);
        ASSERT_EQ(band.GetGainStep(), step);
    }
}

struct WalkCase
{
    const char* name;
    int from;
    int to;
    std::vector<int> sent;
};

void PrintTo(const WalkCase& c, std::ostream* os)
{
    *os << c.name;
}

class CrossoverWalk : public ::testing::TestWithParam<WalkCase>
{
};

TEST_P(CrossoverWalk, MovesAtMostAnOctavePerFrameAndSendsTheTargetTwice)
{
    const WalkCase& c = GetParam();
    CAudio_Data data;
    CFilter& highPass = data.Output(2).GetHighPass();
    highPass.SetFrequency(c.from);
    SentWhileWalking(highPass);
    highPass.SetFrequency(c.to);
    EXPECT_EQ(SentWhileWalking(highPass), c.sent);
}

INSTANTIATE_TEST_SUITE_P(
    Filter, CrossoverWalk,
    ::testing::Values(
        WalkCase{"Up", 20, 20000, {40, 80, 160, 320, 640, 1280, 2560, 5120, 10240, 20000, 20000}},
        WalkCase{"Down", 20000, 20, {10000, 5000, 2500, 1250, 625, 312, 156, 78, 39, 20, 20}},
        WalkCase{"WithinAnOctave", 1000, 1500, {1500, 1500}},
        WalkCase{"Unchanged", 500, 500, {500}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Filter, DamagedSentFrequencyGoesStraightToTheTarget)
{
    CAudio_Data data;
    CFilter& lowPass = data.Output(0).GetLowPass();
    lowPass.m_nSentFreq = 0;
    lowPass.SetFrequency(8000);
    lowPass.StepTowardTarget(false);
    EXPECT_EQ(lowPass.GetSentFreq(), 8000);
}

TEST(Links, InputEditsSpreadToTheGroupButMuteDoesNot)
{
    CAudio_Data data;
    CAudio_InRoute& inputs = data.Inputs();
    inputs.SetLinkGroup(2, 0);  // C joins A
    EXPECT_EQ(inputs.GetAt(0).IsLinked(), 1);
    EXPECT_EQ(inputs.GetAt(2).IsLinked(), 1);
    EXPECT_EQ(inputs.GetAt(1).IsLinked(), 0);

    data.ClearAllChanged(false);
    ParamCatalogue::Set(EParam::kInPolarity, data, {0, 0}, 1);
    ParamCatalogue::Set(EParam::kInDelay, data, {0, 0}, 77);
    ParamCatalogue::Set(EParam::kInGate, data, {0, 0}, 12);
    ParamCatalogue::Set(EParam::kInGain, data, {0, 0}, 250);
    ParamCatalogue::Set(EParam::kInOn, data, {0, 0}, 0);

    const CAudio_InData& c = inputs.GetAt(2);
    EXPECT_EQ(c.GetGain(), 250);
    EXPECT_EQ(c.GetPolarity(), 1);
    EXPECT_EQ(c.GetDelay(), 77);
    EXPECT_EQ(c.GetGate(), 12);
    EXPECT_EQ(c.IsOn(), 1);
    EXPECT_EQ(c.IsParamChanged(), 1);
    EXPECT_EQ(inputs.GetAt(1).GetGain(), 300);
    EXPECT_EQ(inputs.GetAt(1).IsParamChanged(), 0);

    inputs.ResetLinkGroups();
    EXPECT_EQ(inputs.GetAt(0).IsLinked(), 0);
    ParamCatalogue::Set(EParam::kInGain, data, {0, 0}, 100);
    EXPECT_EQ(c.GetGain(), 250);
}

TEST(Links, OutputLimiterSpreadsAsAWholeAndRoutingNotAtAll)
{
    CAudio_Data data;
    CAudio_OutRoute& outputs = data.Outputs();
    outputs.SetLinkGroup(5, 1);  // 6 joins 2
    data.ClearAllChanged(false);

    ParamCatalogue::Set(EParam::kLimitThreshold, data, {1, 0}, 420);
    ParamCatalogue::Set(EParam::kLimitRelease, data, {1, 0}, 900);
    ParamCatalogue::Set(EParam::kLimitAttack, data, {1, 0}, 10);
    const CAudio_OutData& six = outputs.GetAt(5);
    EXPECT_EQ(six.GetLimitThreshold(), 420);
    EXPECT_EQ(six.GetLimitAttack(), 10);
    EXPECT_EQ(six.GetLimitRelease(), 900);
    EXPECT_EQ(six.IsLimitChanged(), 1);
    EXPECT_EQ(outputs.GetAt(0).IsLimitChanged(), 0);

    for (int source = 0; source < 4; ++source)
        ParamCatalogue::Set(EParam::kOutRoute, data, {1, source}, 1);
    ParamCatalogue::Set(EParam::kOutOn, data, {1, 0}, 0);
    EXPECT_EQ(six.GetRoute(), 1);
    EXPECT_EQ(six.IsOn(), 1);
    EXPECT_EQ(six.IsParamChanged(), 0);
}

TEST(Links, OutputGainCarriesTheGraphicEqModeToTheGroup)
{
    CAudio_Data data;
    CAudio_OutRoute& outputs = data.Outputs();
    outputs.SetLinkGroup(3, 0);
    outputs.GetAt(0).SetGeqMode(1, 1);
    outputs.GetAt(3).GetBand(5).SetGainStep(460);
    ParamCatalogue::Set(EParam::kOutGain, data, {0, 0}, 320);
    const CAudio_OutData& four = outputs.GetAt(3);
    EXPECT_EQ(four.GetGain(), 320);
    EXPECT_EQ(four.GetGeqMode(), 1);
    EXPECT_EQ(four.GetBand(5).GetGainStep(), 400);  // the switch flattened it
    EXPECT_EQ(four.IsParamChanged(), 1);
}

TEST(GraphicEq, SwitchingThereAndBackFlattensEveryBand)
{
    CAudio_Data data;
    CAudio_OutData& out = data.Output(4);
    for (int k = 0; k < 15; ++k)
    {
        out.GetBand(k).SetGainStep(300 + 10 * k + 1);
        out.GetBand(k).SetBandwidthStep(80);
        out.GetBand(k).SetFrequency(123 + k);
    }

    out.SetGeqMode(1, 1);
    EXPECT_EQ(out.GetBand(0).GetType(), CFilter::kParametric);
    EXPECT_EQ(out.GetBand(14).GetType(), CFilter::kParametric);
    EXPECT_EQ(out.GetBand(8).GetFrequency(), 1000);
    EXPECT_DOUBLE_EQ(out.GetBand(8).GetBandwidth(), 0.22);

    out.SetGeqMode(0, 1);
    const int freqs[15] = {25, 40, 63, 100, 160, 250, 400, 630, 1000, 1600, 2500, 4000, 6300, 10000, 16000};
    for (int k = 0; k < 15; ++k)
    {
        const CFilter& band = out.GetBand(k);
        EXPECT_EQ(band.m_dGain, 0.0) << k;
        EXPECT_EQ(band.m_bOff, 1) << k;
        EXPECT_EQ(band.m_bBypass, 1) << k;
        EXPECT_EQ(band.GetFrequency(), freqs[k]) << k;
        EXPECT_EQ(band.m_dBandwidth, 0.3) << k;
        EXPECT_EQ(band.IsChanged(), 1) << k;
    }
    EXPECT_EQ(out.GetBand(0).GetType(), CFilter::kLowShelf);
    EXPECT_EQ(out.GetBand(14).GetType(), CFilter::kHighShelf);
    EXPECT_EQ(out.GetBand(7).GetType(), CFilter::kParametric);
}

TEST(GraphicEq, BandwidthStepsGoToTheGraphicWidthInGraphicMode)
{
    CAudio_Data data;
    CAudio_OutData& out = data.Output(0);
    out.SetGeqMode(1, 0);
    out.GetBand(3).SetBandwidthStep(49);
    EXPECT_DOUBLE_EQ(out.GetBand(3).m_dGeqBandwidth, 0.5);
    EXPECT_DOUBLE_EQ(out.GetBand(3).m_dBandwidth, 0.3);
    EXPECT_EQ(out.GetBand(3).GetBandwidthStep(), 49);
}

TEST(EqBypass, RestoresEachBandsOwnBypassAndLeavesCrossoversAlone)
{
    CAudio_Data data;
    CAudio_OutData& out = data.Output(0);
    out.GetBand(1).SetGainStep(430);
    out.GetBand(2).SetGainStep(380);
    out.GetBand(2).SetBypass(true);
    out.GetHighPass().SetFrequency(100);
    EXPECT_EQ(out.UpdateAllBandsOff(), 0);

    out.SetEqBypass(true);
    EXPECT_EQ(out.UpdateAllBandsOff(), 1);
    EXPECT_EQ(out.GetHighPass().m_bBypass, 0);

    out.SetEqBypass(false);
    EXPECT_EQ(out.GetBand(1).m_bBypass, 0);
    EXPECT_EQ(out.GetBand(2).m_bBypass, 1);
    EXPECT_EQ(out.UpdateAllBandsOff(), 0);
}

TEST(Links, CopyLinkedSettingsTakesTheSoundButNotTheIdentity)
{
    CAudio_Data data;
    CAudio_InData& a = data.Input(0);
    CAudio_InData& b = data.Input(1);
    a.SetGain(350);
    a.SetGate(0);
    a.SetGateActive(true);
    a.GetBand(2).SetGainStep(460);
    a.GetBand(2).SetFrequency(555);
    a.SetName("Vox");
    a.SetOn(false);

    b.CopyLinkedSettings(a);
    EXPECT_EQ(b.GetGain(), 350);
    EXPECT_EQ(b.GetGate(), 0);
    EXPECT_EQ(b.GetGateActive(), 1);
    EXPECT_EQ(b.GetBand(2).GetGainStep(), 460);
    EXPECT_EQ(b.GetBand(2).GetFrequency(), 555);
    EXPECT_EQ(b.GetBand(2).GetCode(), 4);
    EXPECT_EQ(b.GetName(), "B");
    EXPECT_EQ(b.IsOn(), 1);
}

TEST(Filter, SummaryShowsTheGraphicValuesInGraphicMode)
{
    CAudio_Data data;
    CAudio_OutData& out = data.Output(0);
    out.GetBand(8).SetBandwidthStep(29);
    out.GetBand(8).SetGainStep(430);
    EXPECT_EQ(out.GetBand(8).Summary(), "1000HZ 0.30Oct 3.0dB");
    out.GetBand(8).SetBypass(true);
    EXPECT_EQ(out.GetBand(8).Summary(), "1000HZ 0.30Oct 0.0dB");
    out.SetGeqMode(1, 0);
    out.GetBand(9).SetGainStep(370);
    EXPECT_EQ(out.GetBand(9).Summary(), "1600HZ 0.22Oct -3.0dB");
    EXPECT_EQ(out.GetHighPass().Summary(), "20HZ ");
}

TEST(Filter, StepsOfWildStoredValuesStayDefined)
{
    CAudio_Data data;
    CFilter& band = data.Input(0).GetBand(0);
    band.m_bOff = 0;
    band.m_dGain = 1e300;
    band.m_dBandwidth = -1e300;
    EXPECT_EQ(band.GetGainStep(), 1000000);
    EXPECT_EQ(band.GetBandwidthStep(), -1000001);
    band.m_dGain = 3.0;
    band.m_dBandwidth = 0.3;
    EXPECT_EQ(band.GetGainStep(), 430);
    EXPECT_EQ(band.GetBandwidthStep(), 29);
}
