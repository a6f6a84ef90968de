#include "model/LockItems.h"

#include "model/LockState.h"
#include "model/ValueText.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
using PC = CLockState;
}

TEST(LockItems, CaptionsAsTheLockWindowNumbersThem)
{
    struct Case
    {
        int flag;
        const char* english;
        const char* chinese;
    };
    for (const Case& c : std::vector<Case>{
             {PC::kInGain, "1.Gain", "1、增益"},
             {PC::kInPolarity, "3.Polarity", "3、相位"},
             {PC::kInDelay, "2.Delay", "2、延时"},
             {PC::kInGate, "6.Noise gate", "6、噪声门"},
             {PC::kOutPolarity, "2.Polarity", "2、相位"},
             {PC::kOutRouting, "6.Matrix", "6、矩阵"},
             {PC::kOutXover, "7.X-over", "7、分频"},
             {PC::kOutLink, "10.Link", "10、联调"},
             {PC::kSysDeviceId, "5.Device ID", "5、设备ID"},
             {PC::kSysSoundTest, "10.Sound_Test", "10、Sound_Test"},
         })
    {
        SCOPED_TRACE(c.english);
        EXPECT_EQ(LockItems::Caption(c.flag, kEnglish), c.english);
        EXPECT_EQ(LockItems::Caption(c.flag, kChinese), c.chinese);
    }
    EXPECT_EQ(LockItems::Items().size(), 28u);
    for (int flag : {8, 15, 26, 31, 42, 48})
        EXPECT_EQ(LockItems::Find(flag), nullptr) << flag;
    EXPECT_EQ(LockItems::Name(8, kEnglish), "");
}
