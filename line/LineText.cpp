#include "line/LineText.h"

#include "text/TextTable.h"

#include <array>

namespace
{
using TextPair = CTextPair<ELineText>;

constexpr std::array kTexts{
    TextPair{ELineText::ColumnId, "ID", "设备ID"},
    TextPair{ELineText::ColumnLabel, "Label", "标签"},
    TextPair{ELineText::ColumnModel, "Model", "型号"},
    TextPair{ELineText::ColumnFirmware, "Firmware", "固件"},
    TextPair{ELineText::ColumnProgram, "NO.", "组号"},
    TextPair{ELineText::ColumnProgramName, "Program", "程序"},
    TextPair{ELineText::ColumnOnline, "Online", "在线"},
    TextPair{ELineText::ColumnMute, "Out %1", "输出%1"},
    TextPair{ELineText::ModelText, "%1 x %2", "%1 x %2"},
    TextPair{ELineText::OpBackup, "Backup", "备份"},
    TextPair{ELineText::OpRestore, "Restore", "恢复"},
    TextPair{ELineText::OpMute, "Mute", "静音"},
    TextPair{ELineText::OpUnmute, "Unmute", "取消静音"},
    TextPair{ELineText::OpRecall, "Recall program %1", "调用程序%1"},
    TextPair{ELineText::OpCompare, "Compare", "比较"},
    TextPair{ELineText::Progress, "%1: device ID %2 (%3 of %4)", "%1：设备ID %2（%3/%4）"},
    TextPair{ELineText::SummaryDone, "%1: %2 of %3 processors done", "%1：%3台处理器中%2台完成"},
    TextPair{ELineText::ProcessorDone, "device ID %1: done", "设备ID %1：完成"},
    TextPair{ELineText::ProcessorFailed, "device ID %1: skipped, %2", "设备ID %1：已跳过，%2"},
    TextPair{ELineText::WhyNoAnswer, "no answer", "没有应答"},
    TextPair{ELineText::WhyBadType, "unknown device type", "未知的设备类型"},
    TextPair{ELineText::WhyDeviceOlder, "device version older than this software supports",
             "设备版本低于本软件支持的版本"},
    TextPair{ELineText::WhySoftwareOlder, "device version newer than this software supports",
             "设备版本高于本软件支持的版本"},
    TextPair{ELineText::WhyLineFault, "the port stopped working", "串口停止工作"},
    TextPair{ELineText::WhyPortFailed, "Unable to open COM-port", "不能打开串口"},
    TextPair{ELineText::WhyDisconnected, "the connection was closed", "连接已断开"},
    TextPair{ELineText::WhyNotInBackup, "not in the backup", "备份中没有该设备"},
    TextPair{ELineText::WhyFileRead, "cannot read %1: %2", "不能读取 %1：%2"},
    TextPair{ELineText::WhyFileWrite, "cannot write %1: %2", "不能写入 %1：%2"},
    TextPair{ELineText::WhyNoSuchOutput, "has no output %1", "没有输出%1"},
    TextPair{ELineText::WhyMuteLocked, "the output mute is locked", "输出静音已锁定"},
    TextPair{ELineText::FileCannotRead, "cannot be read", "无法读取"},
    TextPair{ELineText::FileTooLarge, "far too large", "文件过大"},
    TextPair{ELineText::FileTruncated, "cut short", "文件不完整"},
    TextPair{ELineText::FileDamaged, "damaged", "文件已损坏"},
    TextPair{ELineText::FileCannotWrite, "cannot be written", "无法写入"},
    TextPair{ELineText::IndexNotBackup, "%1 is not the index of a line backup", "%1 不是处理器线路备份的索引"},
    TextPair{ELineText::IndexDamaged, "line %1 of %2 is damaged", "%2 的第%1行已损坏"},
    TextPair{ELineText::DiffProcessor, "ID", "设备ID"},
    TextPair{ELineText::DiffChannel, "Channel", "通道"},
    TextPair{ELineText::DiffParameter, "Parameter", "参数"},
    TextPair{ELineText::DiffFirst, "A", "A"},
    TextPair{ELineText::DiffSecond, "B", "B"},
    TextPair{ELineText::DiffMissing, "(none)", "（无）"},
    TextPair{ELineText::DiffSame, "no differences", "没有差别"},
    TextPair{ELineText::DiffProgramName, "Program name", "程序名"},
    TextPair{ELineText::DiffLocks, "Function locks", "功能锁"},
    TextPair{ELineText::DiffBank, "Stored program %1", "存储程序%1"},
    TextPair{ELineText::Input, "Input %1", "输入%1"},
    TextPair{ELineText::Output, "Output %1", "输出%1"},
};
static_assert(InEnumOrder(kTexts), "texts must follow the order of ELineText");
}

QString LineText(ELineText id, ELanguage language)
{
    return PickText(kTexts, id, language);
}
