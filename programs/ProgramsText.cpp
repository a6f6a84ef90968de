#include "programs/ProgramsText.h"

#include "text/TextTable.h"

#include <array>

namespace
{
using TextPair = CTextPair<EProgramsText>;

// Kept in the order of EProgramsText; checked below.
constexpr std::array kTexts{
    TextPair{EProgramsText::Title, "Program", "程序"},
    TextPair{EProgramsText::DeviceGroup, "Device Program", "设备数据"},
    TextPair{EProgramsText::RecallFromDevice, "Recall program from Device", "从设备调用一组数据"},
    TextPair{EProgramsText::StoreToDevice, "Store program to Device", "存储一组数据到设备"},
    // The list headers read the same in both languages.
    TextPair{EProgramsText::ProgramColumn, "Program", "Program"},
    TextPair{EProgramsText::NameColumn, "Name", "Name"},
    TextPair{EProgramsText::NameLabel, "Name", "组名"},
    TextPair{EProgramsText::SlotLabel, "ID", "组号"},
    TextPair{EProgramsText::Load, "Load", "加载"},
    TextPair{EProgramsText::Save, "Save", "保存"},
    TextPair{EProgramsText::Delete, "Delete", "删除"},
    TextPair{EProgramsText::PcGroup, "PC Program", "电脑程序"},
    TextPair{EProgramsText::RecallFromPc, "Recall program from PC", "从PC读取一组数据"},
    TextPair{EProgramsText::StoreToPc, "Store program to PC", "存储一组数据到PC"},
    TextPair{EProgramsText::RecallAllFromPc, "Recall all program from PC", "从PC调用所有组数据"},
    TextPair{EProgramsText::StoreAllToPc, "Store all program to PC", "存储所有组数据到PC"},
    TextPair{EProgramsText::NameEmpty, "Program Name is not empty", "程序名不能为空"},
    // The file messages exist in one language only.
    TextPair{EProgramsText::FileReadError, "File read Error", "File read Error"},
    TextPair{EProgramsText::FileWriteError, "MusicFile Write Error", "MusicFile Write Error"},
    TextPair{EProgramsText::AllFilesFilter, "All files (%1)", "All files (%1)"},
    TextPair{EProgramsText::LiveRow, "\u25B6 %1", "\u25B6 %1"},
    TextPair{EProgramsText::LiveRowEdited, "\u25B6 %1 *", "\u25B6 %1 *"},
    TextPair{EProgramsText::LiveStatus, "Playing: program %1", "正在使用: 第%1组"},
    TextPair{EProgramsText::LiveStatusEdited, "Playing: program %1, edited since it was recalled or stored (*)",
             "正在使用: 第%1组, 调用或存储后已修改 (*)"},
    TextPair{EProgramsText::ReplaceSlot, "Program %1 \"%2\" will be replaced by the program being edited. Continue?",
             "第%1组 \"%2\" 将被当前编辑的数据覆盖。是否继续?"},
    TextPair{EProgramsText::ReplaceFile, "%1 already exists. Replace it?", "%1 已经存在。是否替换?"},
};

static_assert(InEnumOrder(kTexts), "program window texts must follow the order of EProgramsText");
}

QString ProgramsText(EProgramsText id, ELanguage language)
{
    return PickText(kTexts, id, language);
}
