#include "wire/Frame.h"

#include "tests/ByteList.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

TEST(Frame, DeviceTypeRequestMatchesTheWireExample)
{
    const std::vector<uint8_t> payload(8, 0);
    const auto frame = Frame::Build({0xA8, 1, 0, 3, 0, 1}, payload);
    EXPECT_EQ(frame, Bytes({0x5A, 0xA8, 0x01, 0x00, 0x03, 0x00, 0x01, 0x08, 0x00,
                            0, 0, 0, 0, 0, 0, 0, 0, 0xA3, 0xAA}));
    EXPECT_TRUE(Frame::Verify(frame));
}

TEST(Frame, EmptyPayloadIsElevenBytesCheckedOverTheHeader)
{
    const auto frame = Frame::Build({0xA4, 0x11, 0x22, 0x33, 0x44, 0x55}, {});
    ASSERT_EQ(frame.size(), 11u);
    EXPECT_EQ(frame[9], 0xA4 ^ 0x11 ^ 0x22 ^ 0x33 ^ 0x44 ^ 0x55);
    EXPECT_EQ(frame[10], 0xAA);
    EXPECT_TRUE(Frame::Verify(frame));
}

TEST(Frame, StartAndEndValuesInsideThePayloadNeedNoEscape)
{
    const auto frame = Frame::Build({0xA1, 1, 0, 1, 5, 1}, Bytes({0x5A, 0xAA, 0x5A, 0x5A, 0xAA, 0, 0, 0}));
    EXPECT_EQ(frame.size(), 19u);
    EXPECT_TRUE(Frame::Verify(frame));
}

TEST(Frame, VerifyRejectsDamage)
{
    const auto good = Frame::Build({0xA6, 1, 0, 0, 0, 0}, std::vector<uint8_t>(12, 0));
    auto badCheck = good;
    badCheck[good.size() - 2] ^= 0x01;
    auto badEnd = good;
    badEnd.back() = 0xAB;
    auto badPayload = good;
    badPayload[12] = 0x7F;
    const std::vector<uint8_t> shortFrame(good.begin(), good.end() - 1);
    auto badStart = good;
    badStart[0] = 0x00;
    const std::vector<std::pair<const char*, std::vector<uint8_t>>> cases = {
        {"bad check", badCheck}, {"bad end byte", badEnd},  {"changed payload", badPayload},
        {"one byte short", shortFrame}, {"bad start byte", badStart},
    };
    for (const auto& [name, frame] : cases)
        EXPECT_FALSE(Frame::Verify(frame)) << name;
    EXPECT_FALSE(Frame::Verify(std::vector<uint8_t>(5, 0x5A)));
}
