#include "model/LockItems.h"

#include "model/LockState.h"
#include "model/ValueText.h"

#include <array>

namespace
{
using Flag = CLockState::Flag;

constexpr std::array<LockItems::Item, 28> kItems{{
    {Flag::kInGain, 1, "Gain", "增益"},
    {Flag::kInPolarity, 3, "Polarity", "相位"},
    {Flag::kInDelay, 2, "Delay", "延时"},
    {Flag::kInEq, 4, "EQ", "均衡"},
    {Flag::kInMute, 5, "Mute", "静音"},
    {Flag::kInGate, 6, "Noise gate", "噪声门"},
    {Flag::kInName, 7, "Label", "标签"},
    {Flag::kInLink, 8, "Link", "联调"},
    {Flag::kOutGain, 1, "Gain", "增益"},
    {Flag::kOutPolarity, 2, "Polarity", "相位"},
    {Flag::kOutDelay, 3, "Delay", "延时"},
    {Flag::kOutEq, 4, "EQ", "均衡"},
    {Flag::kOutMute, 5, "Mute", "静音"},
    {Flag::kOutRouting, 6, "Matrix", "矩阵"},
    {Flag::kOutXover, 7, "X-over", "分频"},
    {Flag::kOutLimiter, 8, "Limit", "压限"},
    {Flag::kOutName, 9, "Label", "标签"},
    {Flag::kOutLink, 10, "Link", "联调"},
    {Flag::kSysLoad, 1, "Load data", "调用数据"},
    {Flag::kSysSave, 2, "Save data", "保存数据"},
    {Flag::kSysDelete, 3, "Delete data", "删除数据"},
    {Flag::kSysCopy, 4, "Copy data", "拷贝数据"},
    {Flag::kSysDeviceId, 5, "Device ID", "设备ID"},
    {Flag::kSysShow, 6, "Show", "显示"},
    {Flag::kSysBacklight, 7, "Back light", "背景灯"},
    {Flag::kSysPowerOn, 8, "PowerOn", "PowerOn"},
    {Flag::kSysKeyEdit, 9, "Key_Edit", "面板编辑"},
    {Flag::kSysSoundTest, 10, "Sound_Test", "Sound_Test"},
}};
}

namespace LockItems
{
std::span<const Item> Items()
{
    return kItems;
}

const Item* Find(int flag)
{
    for (const Item& item : kItems)
        if (item.nFlag == flag)
            return &item;
    return nullptr;
}

std::string Name(int flag, ELanguage language)
{
    const Item* item = Find(flag);
    if (item == nullptr)
        return {};
    return language == kEnglish ? item->pszEnglish : item->pszChinese;
}

std::string Caption(int flag, ELanguage language)
{
    const Item* item = Find(flag);
    if (item == nullptr)
        return {};
    return std::to_string(item->nNumber) + (language == kEnglish ? "." : "、") + Name(flag, language);
}
}
