#include "locks/LocksText.h"

#include "text/TextTable.h"

#include <array>

namespace
{
using TextPair = CTextPair<ELocksText>;

// Kept in the order of ELocksText; checked below. The notes are single
// texts; their line breaks and tabs are part of them.
constexpr std::array kTexts{
    TextPair{ELocksText::LockTitle, " Select lock data", "选择锁定数据"},
    TextPair{ELocksText::FunctionGroup, "Function lock", "功能锁"},
    TextPair{ELocksText::InputHeading, "Input channel functional lock", "输入通道功能锁定"},
    TextPair{ELocksText::OutputHeading, "Output channel function lock", "输出通道功能锁定"},
    TextPair{ELocksText::SystemGroup, "System Lock", "系统锁"},
    TextPair{ELocksText::SelectAllInputs, "Select all", "全选输入"},
    TextPair{ELocksText::SelectAllOutputs, "Select all", "全选输出"},
    TextPair{ELocksText::FunctionNote,
             "Function lock info:\n 1.Above \"Function Lock\" only change in the current \tdata, it is not saving in "
             "the device and software. When you load the data to this group, it will be changed by the load data.\n"
             "2.When you select,it means the data has locked. It can not be changed. And the function parameters and "
             "state can not be read in the current data group.\n"
             "3.When the data was saving, \"Function Lock\" information will be saved automatically in this data.When "
             "you load the data next time, the setting and locked function can not be kept unlock.\n"
             "4.The data group has not named in the device is the default factory data. All functions is not locked. "
             "If you load the default factory data to he current group, all the function lock will keep "
             "“unlock”\n"
             "5.If you lock any item in the \"Function Lock\" or lock\tthe function, the report of the PC interface "
             "will lock at the same time.",
             "功能锁提示：\n 1、上面“功能锁”内容没有保存在机器和PC软件中，它只修改当前数据组；同时在调用数据到当前组时，"
             "它亦会被所调用的数据修改。\n"
             "2、选择打“√”的功能在当前数据组中将被锁住不可以修改，同时在当前数据组中您将看不到该功能的参数值或状态值。\n"
             "3、保存数据时，“功能锁”信息会自动保存到该数据中，下次调用该数据时，已设置被锁住的功能将不能解锁。\n"
             "4、机器中没有名字的数据组为默认工厂数据，所有功能都没有锁住。如果调用默认工厂数据到当前组，"
             "则功能锁会全部被自动重置为“无锁”状态。\n"
             "5、“功能锁”中只要有任何1个或以上的功能选择锁住，则PC界面中的“报告”功能就会同步被锁住。"},
    TextPair{ELocksText::SystemNote,
             "System lock info:\n 1.Above \"System Lock\" content will save in the device. It will not be changed by "
             "loading data.\n"
             "2.If you select from item 1to item 5, the operation is limited both in the PC software and device.\n"
             "3.If you select item 6 and 7,it only lock the related button operation on the device panel.\n"
             "4.When you save the data, \"System Lock\" information will not be saved in the data group.",
             "系统锁提示：\n 1、上面“系统锁”内容只保存在机器中，不会因调用数据改变。\n"
             "2、从第1项到第5项如选择打“√”，则同时在PC软件和在该机器中，都将被限制操作。\n"
             "3、第6项和第7项如选择打“√”，只是锁定机器的面板相关按键操作。\n"
             "4、保存数据时，“系统锁”信息不会保存到数据组中。"},
    TextPair{ELocksText::NotConnectedTitle, "Lock(Disconnected)", "锁定（未连机）"},
    TextPair{ELocksText::NotConnectedText, "Info: Lock function can be operated after  connecting to device.",
             "提示：锁定功能需连机后才能操作！"},
    TextPair{ELocksText::Exit, "EXIT", "退出"},
    TextPair{ELocksText::Back, "BACK", "返回上一级"},
    TextPair{ELocksText::ChangeLockedItem, "Change Locked item", "修改锁定项"},
    TextPair{ELocksText::ChoiceTitle, "Lock", "锁定"},
    TextPair{ELocksText::LimitOne, "LIMIT 1:", "权限方式1："},
    TextPair{ELocksText::LimitTwo, "LIMIT 2:", "权限方式2："},
    TextPair{ELocksText::NoPassword, "NO PASSWORD", "无密码"},
    TextPair{ELocksText::PasswordSetup, "PASSWORD SETUP", "设置密码"},
    TextPair{ELocksText::ChoiceNote,
             "Info: After completing \" PASSWORD SETUP \",limit password must be entered into the lock interface next "
             "time. Please be sure remember the limit password of the device. Or the device can not be entered into "
             "the lock interface and change the locked parameters!",
             "提示：“ 设置密码 ”操作成功后，下次进入该机器出锁定界面\r将必须输入权限密码。所以务必记住机器的权限密码，否则\n"
             "以后你将无法进入到该机器的锁定界面修改锁定参数。"},
    TextPair{ELocksText::SetTitle, "Password setup", "设置密码"},
    TextPair{ELocksText::SetFirstLabel, "Password(6 digit)", "请输入密码（6位）"},
    TextPair{ELocksText::SetFirstHint, "6 digit English letters and numbers", "6位英文字母或数字"},
    TextPair{ELocksText::SetSecondLabel, "Re-type password(6 digit)", "再输入密码（6位）"},
    TextPair{ELocksText::SetSecondHint, "6 digit English letters and numbers ", "6位英文字母或数字"},
    TextPair{ELocksText::SetInfo, "Info: Only enter twice same password can setup the password",
             "提示：2次输入密码相同才可以设定密码。"},
    TextPair{ELocksText::SetFailedTitle, "Password setup failed", "设置密码失败"},
    TextPair{ELocksText::SetFailedText, "Password setup failed!", "密码设置失败！"},
    TextPair{ELocksText::SetAgain, "Reset password", "重设密码"},
    TextPair{ELocksText::EntryTitle, "LOCK", "锁定"},
    TextPair{ELocksText::EntryLabel, "Enter password(6 digit)", "请输入密码（6位）"},
    TextPair{ELocksText::EntryHint, "6-digit English letters or numbers", "6位英文字母或数字"},
    TextPair{ELocksText::EntryFailedTitle, "Enter incorrect password", "密码输入错误"},
    TextPair{ELocksText::EntryFailedText, "password entered wrong!", "密码输入错误！"},
    TextPair{ELocksText::EnterAgain, "Reset password", "重输密码"},
    TextPair{ELocksText::NextStepTitle, "Lock change", "锁定修改"},
    TextPair{ELocksText::NextStepText, "Password enter correct, please select next!", "密码输入正确，请选择下一步"},
    TextPair{ELocksText::ChangeInfo, "Info: Complete this operation can change original password!",
             "提示：本操作成功会修改原密码！"},
    TextPair{ELocksText::UnlockInfo, "Info: Complete this operation can unlock original password!",
             "提示：本操作成功会解除原密码！"},
    TextPair{ELocksText::ChangePassword, "Change password", "修改密码"},
    TextPair{ELocksText::UnlockPassword, "Unlock password", "解除密码"},
    TextPair{ELocksText::ChangeTitle, "Password change", "修改密码"},
    TextPair{ELocksText::ChangeFirstLabel, "New password(6 digit)", "请输入新密码（6位）"},
    TextPair{ELocksText::ChangeSecondLabel, "Re-type new password(6 digit) ", "再输入新密码（6位）"},
    TextPair{ELocksText::ChangeHint, "6 digit English letters and numbers ", "6位英文字母或数字"},
    TextPair{ELocksText::ChangeFailedTitle, "Password change failed", "密码修改失败"},
    TextPair{ELocksText::ChangeFailedText, "New password entered wrong!", "新密码输入错误！"},
    TextPair{ELocksText::ChangedTitle, "Lock change", "锁定修改"},
    TextPair{ELocksText::ChangedText, "Password changed!", "密码已修改！"},
    TextPair{ELocksText::ClearTitle, " Unlock password", "解除密码"},
    TextPair{ELocksText::ClearNote,
             "Note: After unlocking the password, No password can be selected and enter locked menu.Please consider "
             "carefully!",
             "注意：解除密码后将可以选择“无密码”方式\n进入锁定菜单，请慎重考虑。！"},
    TextPair{ELocksText::ClearYesInfo, " Unlock the password!", "本操作会解除密码！"},
    TextPair{ELocksText::ClearNoInfo, "Back to the last step!", "本操作不解除密码回到上一级！"},
    TextPair{ELocksText::Yes, "Yes", "是"},
    TextPair{ELocksText::No, "No", "否"},
    TextPair{ELocksText::ClearedTitle, " Lock change", "锁定修改"},
    TextPair{ELocksText::ClearedText, "Password unlocked", "密码已解除！"},
    TextPair{ELocksText::ClearedChangeLockedItem, "Change Locked item", "修改锁定项目"},
};

static_assert(InEnumOrder(kTexts), "lock texts must follow the order of ELocksText");
}

QString LocksText(ELocksText id, ELanguage language)
{
    return PickText(kTexts, id, language);
}
