#include "model/Audio_Data.h"
#include "model/FactoryImage.h"
#include "wire/Frame.h"

#include "tests/ByteList.h"

#include <gtest/gtest.h>

#include <vector>

namespace
{

std::vector<uint8_t> Payload(const CSendData& entry)
{
    const auto& frame = entry.GetFrame();
    return {frame.begin() + 9, frame.end() - 2};
}

std::vector<uint8_t> Slice(std::span<const uint8_t> bytes, size_t offset, size_t count)
{
    return {bytes.begin() + static_cast<long>(offset), bytes.begin() + static_cast<long>(offset + count)};
}

int Word(std::span<const uint8_t> bytes, size_t offset)
{
    return bytes[offset] | (bytes[offset + 1] << 8);
}
}

TEST(Frames, CatalogueExamplesMatchTheWireByteForByte)
{
    CAudio_Data data;
    data.SetDeviceId(1);
    EXPECT_EQ(data.BuildDeviceTypeFrame().GetFrame(),
              Bytes({0x5A, 0xA8, 0x01, 0x00, 0x03, 0x00, 0x01, 0x08, 0x00, 0, 0, 0, 0, 0, 0, 0, 0, 0xA3, 0xAA}));
    EXPECT_EQ(data.BuildPollFrame().GetFrame(),
              Bytes({0x5A, 0xA6, 0x01, 0x00, 0x00, 0x00, 0x00, 0x0C, 0x00,
                     0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xAB, 0xAA}));
    EXPECT_EQ(data.BuildDeviceIdChangeFrame(7).GetFrame(),
              Bytes({0x5A, 0xA8, 0x01, 0x00, 0x02, 0x00, 0x02, 0x08, 0x00, 0x07, 0, 0, 0, 0, 0, 0, 0, 0xA6, 0xAA}));
    data.SetDeviceId(7);
    EXPECT_EQ(data.BuildPollFrame().GetFrame()[2], 0x07);
}

TEST(Frames, HeadersOfTheOtherRequests)
{
    struct Case
    {
        const char* name;
        CSendData entry;
        std::vector<uint8_t> header;  // bytes 1 to 8
    };
    CAudio_Data data;
    data.SetDeviceId(0x21);
    const uint8_t lockSet[12] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
    const Case cases[] = {
        {"BlockRead", data.BuildBlockReadFrame(5, 9), Bytes({0xA2, 0x21, 5, 1, 9, 0, 8, 0})},
        {"InputBlock", data.BuildInputBlockFrame(3, 1), Bytes({0xA3, 0x21, 3, 1, 2, 0, 64, 0})},
        {"OutputBlock", data.BuildOutputBlockFrame(30, 7), Bytes({0xA3, 0x21, 30, 1, 12, 0, 152, 0})},
        {"NameRead", data.BuildProgramNameFrame(4, 1), Bytes({0xA7, 0x21, 4, 0, 1, 0, 12, 0})},
        {"NameWrite", data.BuildProgramNameFrame(4, 2, "Stage"), Bytes({0xA7, 0x21, 4, 0, 2, 0, 12, 0})},
        {"ProgramRequest", data.BuildProgramRequestFrame(17), Bytes({0xAE, 0x21, 17, 0, 1, 1, 8, 0})},
        {"GeneratorRead", data.BuildGeneratorFrame(true), Bytes({0xA8, 0x21, 0, 4, 0, 1, 8, 0})},
        {"GeneratorWrite", data.BuildGeneratorFrame(false), Bytes({0xA8, 0x21, 0, 4, 0, 2, 8, 0})},
        {"BacklightWrite", data.BuildBacklightFrame(true), Bytes({0xA8, 0x21, 0, 6, 0, 2, 8, 0})},
        {"BacklightRead", data.BuildBacklightFrame(false), Bytes({0xA8, 0x21, 0, 6, 0, 1, 8, 0})},
        {"PowerOnWrite", data.BuildPowerOnFrame(true), Bytes({0xA8, 0x21, 0, 8, 0, 2, 8, 0})},
        {"Version", data.BuildVersionFrame(), Bytes({0xA8, 0x21, 0, 7, 0, 1, 8, 0})},
        {"Probe", data.BuildDeviceIdProbeFrame(200), Bytes({0xA8, 200, 0, 2, 0, 1, 8, 0})},
        {"InfoRead", data.BuildInfoReadFrame(), Bytes({0xAD, 0x21, 0, 0, 1, 1, 8, 0})},
        {"InfoWrite", data.BuildInfoWriteFrame(), Bytes({0xAD, 0x21, 0, 0, 1, 2, 255, 0})},
        {"LockWrite", data.BuildLockDataFrame(31, 2, lockSet), Bytes({0xA9, 0x21, 31, 2, 0, 0, 12, 0})},
    };
    for (const Case& c : cases)
    {
        const auto& frame = c.entry.GetFrame();
        EXPECT_EQ(Slice(frame, 1, 8), c.header) << c.name;
        EXPECT_TRUE(Frame::Verify(frame)) << c.name;
    }
    EXPECT_EQ(Payload(data.BuildProgramNameFrame(4, 2, "Stage")), Bytes({'S', 't', 'a', 'g', 'e', 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(Payload(data.BuildProgramNameFrame(4, 2, "A name of 14 c")).size(), 12u);
    EXPECT_EQ(Payload(data.BuildLockDataFrame(31, 2, lockSet)), Bytes({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}));
    EXPECT_EQ(data.BuildDeviceIdProbeFrame(200).m_nProbedId, 200);
}

TEST(Frames, WholeProgramImageIs1483Bytes)
{
    CAudio_Data data;
    data.SetDeviceId(1);
    const CSendData store = data.BuildDefaultProgramStoreFrame(12);
    ASSERT_EQ(store.GetLength(), 1483);
    EXPECT_EQ(store.GetFrame()[7], 0xC0);
    EXPECT_EQ(store.GetFrame()[8], 0x05);
    EXPECT_EQ(Slice(store.GetFrame(), 1, 6), Bytes({0xAE, 1, 12, 0, 1, 2}));
    EXPECT_EQ(Payload(store), std::vector<uint8_t>(FactoryDefaultImage().begin(), FactoryDefaultImage().end()));
    EXPECT_TRUE(Frame::Verify(store.GetFrame()));
}

TEST(Blocks, InputParametersAndBandsEncodeAsTheProcessorExpects)
{
    CAudio_Data data;
    CAudio_InData& a = data.Input(0);
    const auto block = a.BuildBlock();
    EXPECT_EQ(Slice(block, 8, 8), Bytes({0x02, 0x01, 0x01, 0x00, 0x59, 0x02, 0x28, 0x00}));

    CFilter& band = a.GetBand(3);
    band.SetFrequency(1000);
    band.SetBandwidthStep(29);
    band.SetGainStep(430);
    EXPECT_EQ(Slice(a.BuildBlock(), 16 + 3 * 8, 8), Bytes({0x01, 0x01, 0x1E, 0x00, 0xE8, 0x03, 0xAF, 0x01}));
    band.SetOff(true);
    EXPECT_EQ(Slice(a.BuildBlock(), 16 + 3 * 8, 8), Bytes({0x01, 0x01, 0x1E, 0x00, 0xE8, 0x03, 0x91, 0x01}));
}

TEST(Blocks, LowShelfSendsItsSlopeInPlaceOfABandwidth)
{
    CAudio_Data data;
    CAudio_OutData& out = data.Output(0);
    out.GetBand(0).SetSlope(1);
    EXPECT_EQ(Slice(out.BuildBlock(), 32, 8), Bytes({0x02, 0x02, 0x02, 0x00, 0x19, 0x00, 0x91, 0x01}));
}

TEST(Blocks, OutputGroupsEncodeEveryField)
{
    CAudio_Data data;
    CAudio_OutData& out = data.Output(2);
    out.SetName("Sub L");
    out.SetOn(false);
    out.SetPolarity(true);
    out.SetDelay(0x1234);
    out.SetGain(0);
    out.SetRoute(0x0A);
    out.SetLimitThreshold(599);
    out.SetLimitAttack(206);
    out.SetLimitRelease(5000);
    out.GetLowPass().LoadXover(12000, 0, 6);
    out.GetHighPass().LoadXover(45, 1, 3);
    const auto block = out.BuildBlock();
    EXPECT_EQ(Slice(block, 0, 8), Bytes({'S', 'u', 'b', ' ', 'L', 0, 0, 0}));
    EXPECT_EQ(Slice(block, 8, 8), Bytes({1, 2, 0x35, 0x12, 0x2D, 0x01, 0x0A, 1}));
    EXPECT_EQ(Slice(block, 16, 8), Bytes({0x58, 0x02, 0xCF, 0x00, 0x88, 0x13, 0, 0}));
    EXPECT_EQ(Slice(block, 24, 8), Bytes({0xE0, 0x2E, 1, 7, 45, 0, 2, 4}));
}

TEST(Blocks, FactoryImageHoldsTheListedBytes)
{
    const auto& image = FactoryDefaultImage();
    const std::span<const uint8_t> in(image.data(), 64);
    EXPECT_EQ(Slice(in, 0, 16), Bytes({'A', 0, 0, 0, 0, 0, 0, 0, 2, 1, 1, 0, 0x59, 0x02, 40, 0}));
    const int inFreqs[6] = {20, 80, 317, 1092, 5024, 20000};
    for (int k = 0; k < 6; ++k)
    {
        EXPECT_EQ(Slice(in, 16 + 8 * k, 4), Bytes({1, 1, 30, 0})) << k;
        EXPECT_EQ(Word(in, 20 + 8 * k), inFreqs[k]) << k;
        EXPECT_EQ(Word(in, 22 + 8 * k), 401) << k;
    }
    EXPECT_EQ(image[192], 'D');

    for (int n = 0; n < 8; ++n)
    {
        const std::span<const uint8_t> out(image.data() + 256 + 152 * n, 152);
        EXPECT_EQ(out[0], '1' + n);
        EXPECT_EQ(Slice(out, 8, 24), Bytes({2, 1, 1, 0, 0x59, 0x02, 1, 1, 0x59, 0x02, 57, 0, 0xF4, 0x01, 0, 0,
                                            0x20, 0x4E, 3, 1, 20, 0, 3, 1}))
            << n;
        EXPECT_EQ(out[32], 2);
        EXPECT_EQ(Word(out, 36), 25);
        EXPECT_EQ(Word(out, 32 + 8 * 12 + 4), 6288);
        EXPECT_EQ(out[32 + 8 * 14], 3);
        EXPECT_EQ(Word(out, 32 + 8 * 14 + 4), 16000);
        for (int k = 0; k < 15; ++k)
            EXPECT_EQ(Slice(out, 33 + 8 * k, 3), Bytes({1, 30, 0})) << k;
    }
    EXPECT_EQ(image[1471], 0x01);  // last band's gain word high byte
}

TEST(Blocks, LoadingTheFactoryImageRebuildsItExceptTheShelfWidths)
{
    CAudio_Data data;
    CImageSlot slot;
    slot.abyImage = FactoryDefaultImage();
    slot.strName = "Factory";
    slot.abyInfo[11] = 0x5C;
    slot.byLast = 0x77;
    data.LoadFromImage(slot);
    EXPECT_EQ(data.GetImage(), slot);
    EXPECT_EQ(data.Output(0).GetBand(12).GetFrequency(), 6288);
    EXPECT_EQ(data.Output(0).GetLimitAttack(), 56);
    EXPECT_EQ(data.Input(0).GetGateActive(), 1);

    auto expected = FactoryDefaultImage();
    // Shelves carry their slope where a parametric band carries its width.
    for (int n = 0; n < 8; ++n)
    {
        expected[static_cast<size_t>(256 + 152 * n + 32 + 2)] = 1;
        expected[static_cast<size_t>(256 + 152 * n + 32 + 8 * 14 + 2)] = 1;
    }
    std::array<uint8_t, CImageSlot::kImageBytes> rebuilt{};
    for (int i = 0; i < 4; ++i)
        std::ranges::copy(data.Input(i).BuildBlock(), rebuilt.begin() + 64 * i);
    for (int i = 0; i < 8; ++i)
        std::ranges::copy(data.Output(i).BuildBlock(), rebuilt.begin() + 256 + 152 * i);
    EXPECT_EQ(rebuilt, expected);
}

TEST(Blocks, LoadedValuesAreKeptUnclamped)
{
    CAudio_Data data;
    CImageSlot slot;
    slot.abyImage = FactoryDefaultImage();
    slot.abyImage[64 + 12] = 0;
    slot.abyImage[64 + 13] = 0;
    slot.abyImage[64 + 15] = 0x33;
    std::ranges::copy(Bytes({'L', 'o', 'n', 'g', 'N', 'a', 'm', 'e'}), slot.abyImage.begin() + 256);
    slot.abyImage[256 + 152 + 15] = 2;  // output 2 in graphic-EQ mode
    data.LoadFromImage(slot);
    EXPECT_EQ(data.Input(1).GetGain(), -301);
    EXPECT_EQ(data.Input(1).GetSpare15(), 0x33);
    EXPECT_EQ(data.Output(0).GetName(), "LongName");
    EXPECT_EQ(data.Output(1).GetGeqMode(), 1);
    EXPECT_EQ(data.Output(1).GetBand(12).GetFrequency(), 6300);
}

TEST(Blocks, GeneratorAndInformationBlocksRoundTrip)
{
    CAudio_Data data;
    data.SetGenType(3);
    data.SetGenParam(1);
    data.SetGenFreq(1000);
    data.SetGenLevel(0x1234);
    EXPECT_EQ(Payload(data.BuildGeneratorFrame(false)), Bytes({3, 1, 0xE8, 0x03, 0x34, 0x12, 0, 0}));

    data.SetInfoText(0, "Main hall left side");
    data.SetInfoText(6, "Tel 555");
    const auto info = Payload(data.BuildInfoWriteFrame());
    ASSERT_EQ(info.size(), 255u);
    EXPECT_EQ(std::string(info.begin(), info.begin() + 15), "Main hall left ");
    EXPECT_EQ(std::string(info.begin() + 215, info.begin() + 222), "Tel 555");
    EXPECT_EQ(info[254], ' ');

    CAudio_Data other;
    other.SetInfoBlock(info);
    other.SetGeneratorBlock(Payload(data.BuildGeneratorFrame(false)));
    EXPECT_EQ(other.GetInfoText(0), "Main hall left");
    EXPECT_EQ(other.GetInfoText(1), "");
    EXPECT_EQ(other.GetInfoText(6), "Tel 555");
    EXPECT_EQ(other.GetGenFreq(), 1000);
    EXPECT_EQ(other.GetGenLevel(), 0x1234);
    EXPECT_EQ(other.IsGenChanged(), 0);
}

TEST(Blocks, SystemSettingsCopyAsTheyAreAndSendNothing)
{
    CAudio_Data staging;
    const std::vector<uint8_t> info(255, 'x');
    staging.SetInfoBlock(info);
    staging.SetGeneratorBlock(Bytes({2, 3, 0xE8, 0x03, 0x58, 0x02, 0, 0}));
    staging.SetName("HALL");
    staging.SetBacklight(0);
    staging.SetPowerOnMode(3);

    CAudio_Data record;
    record.SetDeviceId(1);
    record.ClearAllChanged(false);
    record.CopySystemSettings(staging);
    EXPECT_EQ(record.GetName(), "HALL");
    EXPECT_EQ(record.GetBacklight(), 0);
    EXPECT_EQ(record.GetPowerOnMode(), 3);
    EXPECT_EQ(Payload(record.BuildGeneratorFrame(false)), Bytes({2, 3, 0xE8, 0x03, 0x58, 0x02, 0, 0}));
    EXPECT_EQ(Payload(record.BuildInfoWriteFrame()), info);
    EXPECT_EQ(record.IsGenChanged(), 0);
    EXPECT_EQ(record.BuildNextPendingFrame().GetFrame(), record.BuildPollFrame().GetFrame());
}
