#include "EditorsText.h"

#include "TextTable.h"

#include <array>

namespace
{
using TextPair = CTextPair<EEditorsText>;

// Kept in the order of EEditorsText; checked below.
constexpr std::array kTexts{
    TextPair{EEditorsText::DragFrequency, "Freq", "频率"},
    TextPair{EEditorsText::DragGain, "Gain", "增益"},
    TextPair{EEditorsText::DragBandwidth, "BW", "带宽"},
    TextPair{EEditorsText::DragSlope, "Slope", "斜率"},
    TextPair{EEditorsText::LevelValue, "%1dB", "%1dB"},
    TextPair{EEditorsText::Readout, "%1  %2", "%1  %2"},
    TextPair{EEditorsText::GraphAccessibleName, "Response graph", "响应曲线"},
    TextPair{EEditorsText::PosSettingError, "Pos setting error", "Pos设定错误"},
    TextPair{EEditorsText::FieldToolTip, "%1: %2", "%1：%2"},
    TextPair{EEditorsText::SpinAccessibleName, "%1 up/down", "%1 增减"},
    TextPair{EEditorsText::StripChannel, "CH%1", "CH%1"},
    TextPair{EEditorsText::StripLink, "Link %1", "联调%1"},
    TextPair{EEditorsText::StripAccessibleName, "Channel strip", "通道条"},
    TextPair{EEditorsText::StripLinkMarker, "%1 linked", "%1 已联调"},
    TextPair{EEditorsText::FaceSignal, "SIGNAL", "信号"},
    TextPair{EEditorsText::FaceGain, "GAIN dB", "增益 dB"},
    TextPair{EEditorsText::FaceDelay, "DELAY", "延时"},
    TextPair{EEditorsText::FaceMs, "ms", "毫秒"},
    TextPair{EEditorsText::FaceMetres, "m", "米"},
    TextPair{EEditorsText::FaceFeet, "ft", "英尺"},
    TextPair{EEditorsText::FacePolarity, "POLARITY", "相位"},
    TextPair{EEditorsText::FaceNoise, "NOISE", "噪声门"},
    TextPair{EEditorsText::FaceGate, "GATE dBu", "门限 dBu"},
    TextPair{EEditorsText::FaceMatrix, "MATRIX", "矩阵"},
    TextPair{EEditorsText::FaceXover, "X-OVER", "分频"},
    TextPair{EEditorsText::FaceHighPass, "HPF", "高通"},
    TextPair{EEditorsText::FaceLowPass, "LPF", "低通"},
    TextPair{EEditorsText::FaceMode, "MODE", "模式"},
    TextPair{EEditorsText::FaceFrequency, "FQCY", "频率"},
    TextPair{EEditorsText::FaceSlope, "SLOPE", "斜率"},
    TextPair{EEditorsText::FaceLimiter, "COMP/LIMITER", "压缩/限幅"},
    TextPair{EEditorsText::FaceThreshold, "THRESHOLD dBu", "压限电平dBu"},
    TextPair{EEditorsText::FaceAttack, "ATTACK ms", "响应时间ms"},
    TextPair{EEditorsText::FaceRelease, "RELEASE ms", "释放时间ms"},
    TextPair{EEditorsText::FacePolarityNormal, "+", "正相"},
    TextPair{EEditorsText::FacePolarityInverted, "−", "反相"},
    TextPair{EEditorsText::FacePhaseNormal, "Phase normal", "相位正常"},
    TextPair{EEditorsText::FacePhaseInverted, "Phase inverted", "相位反转"},
    TextPair{EEditorsText::FaceInputName, "Input channel", "输入通道"},
    TextPair{EEditorsText::FaceOutputName, "Output channel", "输出通道"},
    TextPair{EEditorsText::FaceWrongSide, "Error", "Error"},
    TextPair{EEditorsText::ImportTitle, "Import filter set into CH%1", "导入滤波器设置到 CH%1"},
    TextPair{EEditorsText::ImportFileFilter, "Filter settings (*.txt);;All files (*)", "滤波器设置 (*.txt);;所有文件 (*)"},
    TextPair{EEditorsText::ImportUnreadableFile, "Cannot read %1.", "无法读取 %1。"},
    TextPair{EEditorsText::ImportBandsHeading, "The EQ bands after the import:", "导入后的均衡频段："},
    TextPair{EEditorsText::ImportProblemsHeading, "Not imported:", "未导入的内容："},
    TextPair{EEditorsText::ImportNoProblems, "Every filter of the file can be imported.", "文件中的所有滤波器都可以导入。"},
    TextPair{EEditorsText::ImportColumnBand, "Band", "频段"},
    TextPair{EEditorsText::ImportColumnFile, "In the file", "文件中"},
    TextPair{EEditorsText::ImportColumnPlanned, "On the processor", "处理器上"},
    TextPair{EEditorsText::ImportWidthNote,
             "Each bandwidth is chosen so that the processor's curve matches the file's filter; the processor "
             "counts Q differently, so the Q it shows is not the file's.",
             "每个带宽的选择使处理器的曲线与文件中的滤波器一致；处理器的Q值算法不同，因此显示的Q值与文件中的不同。"},
    TextPair{EEditorsText::ImportBandName, "EQ%1", "均衡%1"},
    TextPair{EEditorsText::ImportBandUnused, "not used: switched off", "未使用：关闭"},
    TextPair{EEditorsText::ImportFileLine, "Line %1: %2", "第%1行：%2"},
    TextPair{EEditorsText::ImportPeakingFilter, "PK %1 Hz %2 dB Q %3", "PK %1 Hz %2 dB Q %3"},
    TextPair{EEditorsText::ImportLowShelfFilter, "LS %1 Hz %2 dB %3 dB/oct", "LS %1 Hz %2 dB %3 dB/oct"},
    TextPair{EEditorsText::ImportHighShelfFilter, "HS %1 Hz %2 dB %3 dB/oct", "HS %1 Hz %2 dB %3 dB/oct"},
    TextPair{EEditorsText::ImportWholeFile, "File: %1", "文件：%1"},
    TextPair{EEditorsText::ImportTooMany, "more filters of this kind than the channel has bands",
             "此类滤波器多于通道的频段数"},
    TextPair{EEditorsText::ImportUnsupported, "filter type %1 has no band on this channel", "此通道没有 %1 类型滤波器的频段"},
    TextPair{EEditorsText::ImportOutOfRangeFreq, "frequency %1 Hz is out of range for its band",
             "频率 %1 Hz 超出该频段的范围"},
    TextPair{EEditorsText::ImportOutOfRangeGain, "gain %1 dB is out of range (-40 to +20 dB)",
             "增益 %1 dB 超出范围（-40 至 +20 dB）"},
    TextPair{EEditorsText::ImportOutOfRangeQ, "Q %1 is out of range", "Q值 %1 超出范围"},
    TextPair{EEditorsText::ImportOutOfRangeSlope, "shelf slope %1 dB/oct is not offered (6 or 12 dB/oct)",
             "不支持 %1 dB/oct 的斜率（只有 6 或 12 dB/oct）"},
    TextPair{EEditorsText::ImportUnreadableLine, "cannot be read", "无法读取"},
    TextPair{EEditorsText::ImportNoFilters, "no filter that is switched on", "没有已开启的滤波器"},
    TextPair{EEditorsText::ImportPreamp, "preamp %1 dB is not applied; lower the channel gain by hand",
             "前级增益 %1 dB 未应用；请手动降低通道增益"},
    TextPair{EEditorsText::ImportGraphicMode, "the output EQ is in graphic mode; switch it to parametric first",
             "输出均衡处于图示模式；请先切换到参量模式"},
    TextPair{EEditorsText::ImportLocked, "the channel's EQ is locked", "该通道的均衡已锁定"},
    TextPair{EEditorsText::ImportApply, "Import", "导入"},
    TextPair{EEditorsText::ImportCancel, "Cancel", "取消"},
};

static_assert(InEnumOrder(kTexts), "editor texts must follow the order of EEditorsText");
}

QString EditorsText(EEditorsText id, int language)
{
    return PickText(kTexts, id, language);
}
