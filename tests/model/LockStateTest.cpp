#include "model/LockState.h"

#include <gtest/gtest.h>

namespace
{
CLockState::LockSet Set(std::initializer_list<int> bytes)
{
    CLockState::LockSet set{};
    size_t i = 0;
    for (int b : bytes)
        set[i++] = static_cast<uint8_t>(b);
    return set;
}
}

TEST(LockState, LiveSetGivesFlagsAndPassword)
{
    CLockState locks;
    locks.DecodeLockSet(0, Set({0x09, 0x00, 0x88, 0x02, 0x11, 0x02, 'a', 'b', 'c', '1', '2', '3'}));
    EXPECT_TRUE(locks.IsLocked(CLockState::kInGain));
    EXPECT_TRUE(locks.IsLocked(CLockState::kInEq));
    EXPECT_FALSE(locks.IsLocked(CLockState::kInDelay));
    EXPECT_TRUE(locks.IsLocked(CLockState::kOutEq));
    EXPECT_TRUE(locks.IsLocked(CLockState::kOutLimiter));
    EXPECT_TRUE(locks.IsLocked(CLockState::kOutLink));
    EXPECT_TRUE(locks.IsLocked(CLockState::kSysLoad));
    EXPECT_TRUE(locks.IsLocked(CLockState::kSysDeviceId));
    EXPECT_TRUE(locks.IsLocked(CLockState::kSysSoundTest));
    EXPECT_EQ(locks.GetPassword(), "abc123");
    EXPECT_EQ(locks.m_abyFlags[48], 'a');
    EXPECT_EQ(locks.m_abyFlags[53], '3');
    EXPECT_EQ(locks.EncodeLockSet(), Set({0x09, 0x00, 0x88, 0x02, 0x11, 0x02, 'a', 'b', 'c', '1', '2', '3'}));
}

TEST(LockState, ClearSetWithSpacesUnlocksEverythingAndEmptiesThePassword)
{
    CLockState locks;
    locks.DecodeLockSet(0, Set({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 'x', 'x', 'x', 'x', 'x', 'x'}));
    locks.DecodeLockSet(0, Set({0, 0, 0, 0, 0, 0, ' ', ' ', ' ', ' ', ' ', ' '}));
    for (int flag = 0; flag < 48; ++flag)
        EXPECT_FALSE(locks.IsLocked(flag)) << flag;
    EXPECT_EQ(locks.GetPassword(), "");
    EXPECT_EQ(locks.EncodeLockSet(), Set({0, 0, 0, 0, 0, 0, ' ', ' ', ' ', ' ', ' ', ' '}));
}

TEST(LockState, SystemSetOnlyFixesAndStoredProgramsBoth)
{
    CLockState locks;
    locks.DecodeLockSet(31, Set({0x08, 0, 0x01, 0, 0xFF}));
    EXPECT_FALSE(locks.IsLocked(CLockState::kInEq));
    EXPECT_TRUE(locks.IsFixed(CLockState::kInEq));
    EXPECT_TRUE(locks.IsFixed(CLockState::kOutGain));
    EXPECT_FALSE(locks.IsLocked(CLockState::kSysLoad));

    locks.SetFlag(CLockState::kSysSave, true);
    locks.SetPassword("qwerty");
    locks.DecodeLockSet(7, Set({0x04, 0, 0, 0x01, 0, 0}));
    EXPECT_TRUE(locks.IsLocked(CLockState::kInDelay));
    EXPECT_TRUE(locks.IsFixed(CLockState::kInDelay));
    EXPECT_FALSE(locks.IsFixed(CLockState::kInEq));
    EXPECT_TRUE(locks.IsLocked(CLockState::kOutName));
    EXPECT_TRUE(locks.IsLocked(CLockState::kSysSave));
    EXPECT_EQ(locks.GetPassword(), "qwerty");
}

TEST(LockState, ShortSetsCountMissingBytesAsZeroAndClearKeepsFixedAndPassword)
{
    CLockState locks;
    const uint8_t bytes[] = {0x01};
    locks.DecodeLockSet(3, bytes);
    EXPECT_TRUE(locks.IsLocked(0));
    EXPECT_TRUE(locks.IsFixed(0));
    locks.SetPassword("123456");
    locks.ClearLocks();
    EXPECT_FALSE(locks.IsLocked(0));
    EXPECT_TRUE(locks.IsFixed(0));
    EXPECT_EQ(locks.GetPassword(), "123456");
}
