#include "app/MainText.h"

#include "link/PortHelp.h"
#include "text/TextTable.h"

#include <array>

namespace
{
using TextPair = CTextPair<EMainText>;

// Kept in the order of EMainText; MainText checks it.
constexpr std::array kTexts{
    TextPair{EMainText::Title, "192KHz Sampling Frequency, 32-bit DSP Processor",
             "192KHz Sampling Frequency, 32-bit DSP Processor"},
    TextPair{EMainText::MessageCaption, "Information", "信息"},
    TextPair{EMainText::Help, "HELP", "帮助"},
    TextPair{EMainText::Program, "PROGRAM", "程序"},
    TextPair{EMainText::Device, "DEVICE", "设备ID"},
    TextPair{EMainText::Interface, "INTERFACE", "显示"},
    TextPair{EMainText::Lock, "LOCK", "锁定"},
    TextPair{EMainText::Report, "REPORT", "报告"},
    TextPair{EMainText::Connection, "CONNECTION", "连接"},
    TextPair{EMainText::NameLabel, "NAME", "名称"},
    TextPair{EMainText::NumberLabel, "NO.", "程序号"},
    TextPair{EMainText::DeviceIdLabel, "DEVICE ID", "设备ID"},
    TextPair{EMainText::NoValue, "NULL", "NULL"},
    TextPair{EMainText::ModelLabel, "MODEL", "型号"},
    TextPair{EMainText::PortLabel, "PORT", "端口"},
    TextPair{EMainText::FirmwareLabel, "FIRMWARE", "固件版本"},
    TextPair{EMainText::ModelForm, "%1 x %2", "%1 x %2"},
    TextPair{EMainText::Online, "ONLINE", "在线"},
    TextPair{EMainText::Offline, "OFFLINE", "离线"},
    TextPair{EMainText::HelpMissing, "Not Find Help File", "没有发现帮助文件!"},
    TextPair{EMainText::NoAnswer, "Unable to Open COM-Port", "不能打开串口"},
    TextPair{EMainText::DeviceOlder,
             "If device version is lower than the software version, only the device at version, C-DV1.00 to "
             "C-DV1.99, can be connected with this software.",
             "机器版本比PC软件版本号低，只有版本号为“C-DV1.00到C-DV1.99”之间的机器才能和该版本的PC软件连接."},
    TextPair{EMainText::SoftwareOlder,
             "If software version is lower than the device version, only the software at version, C-SV1.00 to "
             "C-SVC1.99, can be connected with this device.",
             "PC软件版本比机器版本号低，只有版本号为“C-SV1.00到C-SV1.99”之间的PC软件才能和该版本的机器连接."},
    TextPair{EMainText::VersionHowTo,
             " Device Version Checking Method: Click \"SYSTEM\" on the front panel for times till \"About\" "
             "comes to be red color, and then you will see the version number",
             "机器版本号查询方法：面板上点按“SYSTEM”键多次，直到“About”变为红色字体时，就可以显示机器的版本号。"},
    TextPair{EMainText::SystemTitle, "System", "系统"},
    TextPair{EMainText::LanguageGroup, "Language", "语言"},
    // Names the language in use.
    TextPair{EMainText::LanguageButton, "English", "Chinese"},
    TextPair{EMainText::VersionLabel, "Device Version", "设备版本号"},
    TextPair{EMainText::BacklightLabel, "Backlight", "背光灯"},
    TextPair{EMainText::BacklightLabelSwitched, "Backlight", "背景灯"},
    TextPair{EMainText::BacklightKeepOn, "Keep On", "常亮"},
    TextPair{EMainText::Backlight60s, "60s", "60s"},
    TextPair{EMainText::PowerOnLabel, "Pown On", "开机状态设置"},
    TextPair{EMainText::PowerOnKeepState, "Keep State", "关机状态记忆"},
    TextPair{EMainText::PowerOnAllMute, "All Mute", "全静音"},
    TextPair{EMainText::PowerOnLoad, "Load", "开机调用第一组数据"},
    TextPair{EMainText::InformationGroup, "Information", "信息"},
    TextPair{EMainText::InformationRow, "Information%1", "信息%1"},
    TextPair{EMainText::Undo, "UNDO", "撤销"},
    TextPair{EMainText::Redo, "REDO", "重做"},
    TextPair{EMainText::UndoTip, "Undo (Ctrl+Z)", "撤销 (Ctrl+Z)"},
    TextPair{EMainText::RedoTip, "Redo (Ctrl+Shift+Z, Ctrl+Y)", "重做 (Ctrl+Shift+Z, Ctrl+Y)"},
    TextPair{EMainText::CompareA, "A|b", "A|b"},
    TextPair{EMainText::CompareB, "a|B", "a|B"},
    TextPair{EMainText::CompareTip, "A/B compare: switches between two complete settings",
             "A/B 对比：在两组完整设置之间切换"},
    TextPair{EMainText::CompareInUse, "A/B compare, %1 in use", "A/B 对比，当前为 %1"},
    TextPair{EMainText::DisconnectLosesSide,
             "The other A/B setting has not been sent to the processor and is lost when disconnecting. "
             "Disconnect anyway?",
             "另一组 A/B 设置尚未发送到设备，断开连接后将丢失。仍要断开连接吗？"},
    TextPair{EMainText::ImportFilterSet, "Import filter set...", "导入滤波器设置..."},
    TextPair{EMainText::ExportPicture, "Export picture", "导出图片"},
    TextPair{EMainText::PictureAsShown, "As shown (%1 x %2)...", "按显示尺寸 (%1 x %2)..."},
    TextPair{EMainText::PictureSize, "%1 x %2...", "%1 x %2..."},
    TextPair{EMainText::PictureFilter, "PNG picture (*.png)", "PNG 图片 (*.png)"},
    TextPair{EMainText::SvgFilter, "SVG picture (*.svg)", "SVG 图片 (*.svg)"},
    TextPair{EMainText::ExportCurves, "Export curves (CSV)...", "导出曲线 (CSV)..."},
    TextPair{EMainText::CurvesPageTitle, "Response curves of every channel", "各通道响应曲线"},
    TextPair{EMainText::Rack, "RACK", "机架"},
    TextPair{EMainText::RackTip, "The processors of the line (Ctrl+R)", "线路上的处理器 (Ctrl+R)"},
};

static_assert(InEnumOrder(kTexts), "main window texts must follow the order of EMainText");
}

QString MainText(EMainText id, ELanguage language)
{
    return PickText(kTexts, id, language);
}

QString HelpFileName(ELanguage language)
{
    return PickText("C-HelpEN.chm", "C-HelpCHS.chm", language);
}

QString DisconnectMessage(CConnection::EReason reason, const CConnection& connection, ELanguage language)
{
    switch (reason)
    {
    case CConnection::EReason::User:
        break;
    case CConnection::EReason::DeviceOlder:
    case CConnection::EReason::SoftwareOlder:
        return MainText(reason == CConnection::EReason::DeviceOlder ? EMainText::DeviceOlder : EMainText::SoftwareOlder,
                        language)
               + QLatin1Char('\n') + MainText(EMainText::VersionHowTo, language);
    case CConnection::EReason::NoAnswer:
    case CConnection::EReason::BadDeviceType:
    case CConnection::EReason::LineFault:
        return PortHelp::WithAdvice(MainText(EMainText::NoAnswer, language),
                                    PortHelp::DisconnectAdvice(reason, connection, language));
    }
    return {};
}
