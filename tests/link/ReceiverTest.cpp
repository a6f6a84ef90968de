#include "link/Receiver.h"

#include "model/FactoryImage.h"
#include "wire/Frame.h"
#include "model/LockState.h"

#include <gtest/gtest.h>

#include <numeric>
#include <string>
#include <vector>

namespace
{
using Bytes = std::vector<uint8_t>;

Bytes Answer(uint8_t type, int program, int item, int block, int selector, const Bytes& payload)
{
    return Frame::Build({type, 0x01, static_cast<uint8_t>(program), static_cast<uint8_t>(item),
                         static_cast<uint8_t>(block), static_cast<uint8_t>(selector)},
                        payload);
}

// Distinct bytes, so a shifted or swapped copy shows.
Bytes Ramp(size_t n, uint8_t first = 1)
{
    Bytes out(n);
    std::iota(out.begin(), out.end(), first);
    return out;
}

Bytes Text(const std::string& s, size_t n)
{
    Bytes out(s.begin(), s.end());
    out.resize(n, 0);
    return out;
}
}

TEST(Receiver, LevelsAreClampedIntoTheMeterRange)
{
    CReceiver rx;
    const auto out = rx.Handle(Answer(0xA6, 0, 0, 0, 0, {0x0C, 0x10, 0x1B, 0x1C, 0x00, 0x0B, 0x0F, 0x11, 0xFF, 5, 6, 7}));
    EXPECT_TRUE(out.bAnswered);
    EXPECT_EQ(out.dwNotices, CReceiver::kLevelsReceived);
    const int expected[] = {11, 16, 27, 27, 0, 11, 11, 17, 27, 5, 6, 7};
    for (int i = 0; i < 12; ++i)
        EXPECT_EQ(rx.Level(i), expected[i]) << "level " << i;
}

TEST(Receiver, ProgramNameDropsItsPaddingAndNamesTheLiveProgram)
{
    CReceiver rx;
    // The name of a program 0..30 is announced for the session state to keep.
    const auto named = [](const CReceiver::Outcome& out) {
        return (out.dwNotices & CReceiver::kProgramNameReceived) != 0 ? out.nProgram : -1;
    };
    CReceiver::Outcome out = rx.Handle(Answer(0xA7, 7, 0, 1, 0, Text("ABC", 12)));
    EXPECT_TRUE(out.bAnswered);
    EXPECT_EQ(named(out), 7);
    EXPECT_EQ(rx.GetLastName(), "ABC");
    EXPECT_EQ(rx.GetStaging().GetName(), "NULL");

    out = rx.Handle(Answer(0xA7, 0, 0, 1, 0, Bytes{'L', 0x01, 'V', 0xE9, ' ', 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(named(out), 0);
    EXPECT_EQ(rx.GetLastName(), "L V\xE9");
    EXPECT_EQ(rx.GetStaging().GetName(), "L V\xE9");

    // No slot 31: the name is taken but stored nowhere.
    out = rx.Handle(Answer(0xA7, 31, 0, 1, 0, Text("X", 12)));
    EXPECT_TRUE(out.bAnswered);
    EXPECT_EQ(named(out), -1);
    EXPECT_EQ(rx.GetLastName(), "X");
    EXPECT_EQ(rx.GetStaging().GetName(), "L V\xE9");
}

TEST(Receiver, BlocksLandAtTheirPlaceAndTheLastEndsTheLiveRead)
{
    CReceiver rx;
    const Bytes output8 = Ramp(152);
    const auto out = rx.Handle(Answer(0xA2, 0, 1, 12, 0, output8));
    EXPECT_TRUE(out.bAnswered);
    EXPECT_EQ(out.dwNotices, CReceiver::kLiveProgramRead);
    const auto& image = rx.GetReceiveSlot().abyImage;
    EXPECT_TRUE(std::equal(output8.begin(), output8.end(), image.begin() + 1320));
    EXPECT_EQ(image[1319], 0);

    // An input block stores at most its 64 bytes, however long the payload.
    EXPECT_EQ(rx.Handle(Answer(0xA2, 0, 1, 2, 0, Ramp(100, 0x80))).dwNotices, 0u);
    EXPECT_EQ(image[64], 0x80);
    EXPECT_EQ(image[127], 0x80 + 63);
    EXPECT_EQ(image[128], 0);

    // Unknown block codes store nothing but still answer.
    const auto before = rx.GetReceiveSlot();
    EXPECT_TRUE(rx.Handle(Answer(0xA2, 0, 1, 13, 0, Ramp(152))).bAnswered);
    EXPECT_EQ(rx.GetReceiveSlot(), before);
}

TEST(Receiver, VersionMajorOfOneIsAcceptedOthersKeepTheRequest)
{
    struct Case
    {
        const char* text;
        bool bAnswered;
        int nMajor;
    };
    const Case cases[] = {
        {"C-DV1.05", true, 1},
        {"C-DV2.00", false, 2},
        {"C-DV0.99", false, 0},
        {"C-DVx.00", false, 0},    // no digits: older than the software
        {"C-DV12.0", false, 12},
    };
    for (const Case& c : cases)
    {
        CReceiver rx;
        const auto out = rx.Handle(Answer(0xA8, 0, 7, 0, 1, Text(c.text, 8)));
        EXPECT_EQ(out.bAnswered, c.bAnswered) << c.text;
        EXPECT_EQ(rx.GetVersionText(), c.text);
        if (!c.bAnswered)
        {
            EXPECT_EQ(out.dwNotices, CReceiver::kVersionMismatch) << c.text;
            EXPECT_EQ(out.nMajorVersion, c.nMajor) << c.text;
        }
    }
}

TEST(Receiver, DeviceItemsFillTheStagingRecord)
{
    CReceiver rx;
    auto out = rx.Handle(Answer(0xA8, 0, 3, 0, 1, {0x03, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(out.dwNotices, CReceiver::kDeviceTypeReceived);
    EXPECT_EQ(out.nDeviceType, 3);
    EXPECT_EQ(rx.GetDeviceType(), 3);

    rx.Handle(Answer(0xA8, 0, 4, 0, 1, {0x02, 0x05, 0xE8, 0x03, 0x2C, 0x01, 0, 0}));
    EXPECT_EQ(rx.GetStaging().GetGenType(), 2);
    EXPECT_EQ(rx.GetStaging().GetGenParam(), 5);
    EXPECT_EQ(rx.GetStaging().GetGenFreq(), 1000);
    EXPECT_EQ(rx.GetStaging().GetGenLevel(), 300);

    rx.Handle(Answer(0xA8, 0, 6, 0, 1, {0x02, 0, 0, 0, 0, 0, 0, 0}));
    rx.Handle(Answer(0xA8, 0, 8, 0, 1, {0x03, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(rx.GetStaging().GetBacklight(), 2);
    EXPECT_EQ(rx.GetStaging().GetPowerOnMode(), 3);

    // The system information travels with byte 5 = 1.
    Bytes info(255, ' ');
    std::copy_n("Hall A", 6, info.begin());
    std::copy_n("Rack 2", 6, info.begin() + 15 + 40);
    out = rx.Handle(Answer(0xAD, 0, 0, 1, 1, info));
    EXPECT_TRUE(out.bAnswered);
    EXPECT_EQ(out.dwNotices, CReceiver::kSystemInfoReceived);
    EXPECT_EQ(rx.GetStaging().GetInfoText(0), "Hall A");
    EXPECT_EQ(rx.GetStaging().GetInfoText(2), "Rack 2");
}

TEST(Receiver, DeviceIdAnswerOffersTheIdAndId250EndsTheSearch)
{
    CReceiver rx;
    rx.DeviceIdTable().fill(0);
    auto out = rx.Handle(Answer(0xA8, 0, 2, 0, 1, {17, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_TRUE(out.bAnswered);
    EXPECT_EQ(out.dwNotices, 0u);
    EXPECT_EQ(rx.DeviceIdTable()[16], 17);
    out = rx.Handle(Answer(0xA8, 0, 2, 0, 1, {250, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(out.dwNotices, CReceiver::kLastIdAnswered);
    EXPECT_EQ(rx.DeviceIdTable()[249], 250);
    // Out of range: nothing entered.
    rx.Handle(Answer(0xA8, 0, 2, 0, 1, {0, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(std::count(rx.DeviceIdTable().begin(), rx.DeviceIdTable().end(), 0), 248);
}

TEST(Receiver, LockSetIsUnpackedForItsProgramAndLockBytesFillTheSlot)
{
    CLockState locks;
    CReceiver rx;
    rx.AttachLockState(&locks);
    const Bytes set = {0x09, 0x00, 0x03, 0x01, 0x11, 0x02, 'a', 'b', 'c', 'd', 'e', 'f'};
    auto out = rx.Handle(Answer(0xA9, 0, 1, 0, 0, set));
    EXPECT_TRUE(out.bAnswered);
    EXPECT_EQ(out.dwNotices, CReceiver::kLockSetReceived);
    EXPECT_EQ(out.nProgram, 0);
    EXPECT_TRUE(locks.IsLocked(CLockState::kInGain));
    EXPECT_TRUE(locks.IsLocked(CLockState::kInEq));
    EXPECT_TRUE(locks.IsLocked(CLockState::kOutName));
    EXPECT_TRUE(locks.IsLocked(CLockState::kSysDeviceId));
    EXPECT_EQ(locks.GetPassword(), "abcdef");
    EXPECT_TRUE(std::equal(set.begin(), set.end(), rx.GetLockData().begin()));

    // A stored program's set makes its function locks fixed.
    rx.Handle(Answer(0xA9, 4, 1, 0, 0, {0x02, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_TRUE(locks.IsFixed(CLockState::kInPolarity));

    rx.GetReceiveSlot().abyInfo.fill(0xEE);
    out = rx.Handle(Answer(0xA9, 4, 3, 0, 0, Ramp(8, 0x21)));
    EXPECT_TRUE(out.bAnswered);
    const auto& info = rx.GetReceiveSlot().abyInfo;
    EXPECT_EQ(info[0], 0x21);
    EXPECT_EQ(info[7], 0x28);
    EXPECT_EQ(info[8], 0);
    EXPECT_EQ(info[11], 0);
}

TEST(Receiver, ProgramImageFillsTheSlotOrStoresLikeABlockForTheLiveProgram)
{
    CReceiver rx;
    const Bytes image(FactoryDefaultImage().begin(), FactoryDefaultImage().end());
    auto out = rx.Handle(Answer(0xAE, 5, 0, 1, 1, image));
    EXPECT_EQ(out.dwNotices, CReceiver::kProgramReceived);
    EXPECT_EQ(out.nProgram, 5);
    EXPECT_EQ(rx.GetReceiveSlot().abyImage, FactoryDefaultImage());

    // Live program, block 2: from offset 64 on, cut at the end of the image.
    const Bytes ramp = Ramp(1472);
    out = rx.Handle(Answer(0xAE, 0, 0, 2, 1, ramp));
    EXPECT_TRUE(out.bAnswered);
    EXPECT_EQ(out.dwNotices, 0u);
    const auto& stored = rx.GetReceiveSlot().abyImage;
    EXPECT_EQ(stored[63], FactoryDefaultImage()[63]);
    EXPECT_TRUE(std::equal(stored.begin() + 64, stored.end(), ramp.begin()));

    // Other block codes store nothing.
    const auto before = rx.GetReceiveSlot();
    EXPECT_TRUE(rx.Handle(Answer(0xAE, 5, 0, 3, 1, image)).bAnswered);
    EXPECT_EQ(rx.GetReceiveSlot(), before);
}

TEST(Receiver, AcknowledgesAnswerAndUnlistedTypesDoNot)
{
    CReceiver rx;
    EXPECT_TRUE(rx.Handle(Answer(0xA4, 0, 0, 0, 0, Bytes(8, 0))).bAnswered);
    EXPECT_TRUE(rx.Handle(Answer(0xA5, 0, 0, 0, 0, {})).bAnswered);
    for (uint8_t type : {0xA1, 0xA3, 0xAA, 0xAB, 0xAC, 0x00, 0xFF})
    {
        const auto out = rx.Handle(Answer(type, 0, 1, 1, 1, Bytes(8, 0)));
        EXPECT_FALSE(out.bAnswered) << int(type);
        EXPECT_EQ(out.dwNotices, 0u);
    }
}
