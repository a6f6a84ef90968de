#include "rack/RackText.h"

#include "text/TextTable.h"

#include <array>

namespace
{
using TextPair = CTextPair<ERackText>;

constexpr std::array kTexts{
    TextPair{ERackText::Title, "Rack", "机架"},
    TextPair{ERackText::Search, "Search", "搜索"},
    TextPair{ERackText::Edit, "Edit", "编辑"},
    TextPair{ERackText::MuteOutputs, "Mute", "静音"},
    TextPair{ERackText::UnmuteOutputs, "Unmute", "取消静音"},
    TextPair{ERackText::Recall, "Recall", "调用"},
    TextPair{ERackText::RecallSlot, "Program to recall", "要调用的程序"},
    TextPair{ERackText::Backup, "Backup...", "备份..."},
    TextPair{ERackText::Restore, "Restore...", "恢复..."},
    TextPair{ERackText::CompareBackups, "Compare backups...", "比较备份..."},
    TextPair{ERackText::CompareLine, "Compare with line...", "与线路比较..."},
    TextPair{ERackText::Table, "Processors of the line", "线路上的处理器"},
    TextPair{ERackText::Results, "Processors done", "已处理的处理器"},
    TextPair{ERackText::Progress, "Progress", "进度"},
    TextPair{ERackText::OutputsLabel, "Outputs", "输出"},
    TextPair{ERackText::OutputsField, "Outputs to mute or unmute", "要静音或取消静音的输出"},
    TextPair{ERackText::LabelName, "Label of device ID %1", "设备ID %1 的标签"},
    TextPair{ERackText::MuteChannel, "ID %1 CH%2", "ID %1 CH%2"},
    TextPair{ERackText::Online, "online", "在线"},
    TextPair{ERackText::Offline, "offline", "离线"},
    TextPair{ERackText::Searching, "Searching the line...", "正在搜索线路..."},
    TextPair{ERackText::Idle, "Select processors, or none for all of them.", "选择处理器；不选则为全部。"},
    TextPair{ERackText::SwitchAsk, "Before editing device ID %1: %2", "编辑设备ID %1 之前：%2"},
    TextPair{ERackText::UnsentEdits, "some edits have not reached the processor yet.", "部分修改尚未发送到设备。"},
    TextPair{ERackText::UnsentSide,
             "the other A/B setting has not been sent to the processor and is lost when switching.",
             "另一组 A/B 设置尚未发送到设备，切换后将丢失。"},
    TextPair{ERackText::SendFirst, "Send first", "先发送"},
    TextPair{ERackText::Discard, "Discard", "放弃"},
    TextPair{ERackText::Cancel, "Cancel", "取消"},
    TextPair{ERackText::OperationLosesSide,
             "The other A/B setting has not been sent to the processor and is lost when the operation visits "
             "the other processors.",
             "另一组 A/B 设置尚未发送到设备，操作访问其他处理器后将丢失。"},
    TextPair{ERackText::NoPort, "Open the line in the Connection window first.", "请先在连接窗口中打开线路。"},
    TextPair{ERackText::SelectOne, "Select the one processor to edit.", "请选择一台要编辑的处理器。"},
    TextPair{ERackText::Busy, "The line is busy; try again when the operation has ended.",
             "线路忙，请在操作结束后再试。"},
    TextPair{ERackText::MuteLocked, "The output mute of this processor is locked.", "该处理器的输出静音已锁定。"},
    TextPair{ERackText::BadOutputs, "List the outputs from 1 to 8, as in 1,3-5.", "请列出1到8之间的输出，例如 1,3-5。"},
    TextPair{ERackText::BackupFolder, "Folder for the backup", "备份文件夹"},
    TextPair{ERackText::RestoreFolder, "Backup to restore", "要恢复的备份"},
    TextPair{ERackText::FirstBackup, "First backup (A)", "第一个备份（A）"},
    TextPair{ERackText::SecondBackup, "Second backup (B)", "第二个备份（B）"},
    TextPair{ERackText::BackupOfLine, "the line", "线路"},
    TextPair{ERackText::CompareTitle, "Differences: A %1, B %2", "差别：A %1，B %2"},
    TextPair{ERackText::CompareFailed, "The backups cannot be compared: %1", "无法比较备份：%1"},
    TextPair{ERackText::Close, "Close", "关闭"},
};
static_assert(InEnumOrder(kTexts), "texts must follow the order of ERackText");
}

QString RackText(ERackText id, ELanguage language)
{
    return PickText(kTexts, id, language);
}
