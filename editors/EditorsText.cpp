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
};

static_assert(InEnumOrder(kTexts), "editor texts must follow the order of EEditorsText");
}

QString EditorsText(EEditorsText id, int language)
{
    return PickText(kTexts, id, language);
}
