#include "MainText.h"

#include "DataDefine.h"

#include <array>

namespace
{
struct TextPair
{
    EMainText id;
    const char* szEnglish;
    const char* szChinese;
};

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
    TextPair{EMainText::GraphArea, "RESPONSE", "响应曲线"},
    TextPair{EMainText::InputChannel, "INPUT %1", "输入 %1"},
    TextPair{EMainText::InputEq, "INPUT EQ %1", "输入均衡 %1"},
    TextPair{EMainText::OutputChannel, "OUTPUT %1", "输出 %1"},
    TextPair{EMainText::OutputEq, "OUTPUT EQ %1", "输出均衡 %1"},
    TextPair{EMainText::ChannelStrip, "CHANNELS", "通道"},
    TextPair{EMainText::HelpMissing, "Not Find Help File", "没有发现帮助文件!"},
    TextPair{EMainText::NotAvailable, "This function is not available yet.", "此功能暂未提供。"},
    TextPair{EMainText::OpenPortFirst, "Please open the COM-Port", "请打开串口"},
};

constexpr bool InEnumOrder()
{
    for (size_t i = 0; i < kTexts.size(); ++i)
        if (static_cast<size_t>(kTexts[i].id) != i)
            return false;
    return true;
}
static_assert(InEnumOrder(), "main window texts must follow the order of EMainText");
}

QString MainText(EMainText id, int language)
{
    const TextPair& text = kTexts.at(static_cast<size_t>(id));
    return QString::fromUtf8(language == kEnglish ? text.szEnglish : text.szChinese);
}

QString HelpFileName(int language)
{
    return QString::fromLatin1(language == kEnglish ? "C-HelpEN.chm" : "C-HelpCHS.chm");
}

QString InputLabel(int index)
{
    return QString(QChar(u'A' + index));
}

QString OutputLabel(int index)
{
    return QString::number(index + 1);
}
