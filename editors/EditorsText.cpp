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
    TextPair{EEditorsText::EqRowFrequency, "FQCY Hz", "频率Hz"},
    TextPair{EEditorsText::EqRowBandwidth, "BW oct", "带宽oct"},
    TextPair{EEditorsText::EqRowQ, "QF", "Q值"},
    TextPair{EEditorsText::EqRowGain, "GAIN dB", "增益dB"},
    TextPair{EEditorsText::EqMaster, "EQ/BYPASS", "均衡/直通"},
    TextPair{EEditorsText::EqMasterOn, "ON", "ON"},
    TextPair{EEditorsText::EqMasterOff, "OFF", "OFF"},
    TextPair{EEditorsText::EqBand, "EQ%1", "EQ%1"},
    TextPair{EEditorsText::EqModeCaption, "EQ mode", "均衡模式"},
    TextPair{EEditorsText::EqModeParametric, "EQ", "EQ"},
    TextPair{EEditorsText::EqModeGraphic, "GEQ", "GEQ"},
    TextPair{EEditorsText::EqLowShelfSlope, "EQ1 Slope", "均衡1 斜率"},
    TextPair{EEditorsText::EqHighShelfSlope, "EQ15 Slope", "均衡15 斜率"},
    TextPair{EEditorsText::EqGraphicQ, "GEQ Q", "图示均衡Q值"},
    TextPair{EEditorsText::EqGainFader, "%1 fader", "%1 推子"},
    TextPair{EEditorsText::InEqAccessibleName, "Input EQ", "输入均衡"},
    TextPair{EEditorsText::OutEqAccessibleName, "Output EQ", "输出均衡"},
    TextPair{EEditorsText::PanelError, "Error", "Error"},
    TextPair{EEditorsText::WarnGeqTitle, "DSP", "DSP"},
    TextPair{EEditorsText::WarnGeqText,
             "                                                  Attention             \n\n After this operation,the original EQ data will be deleted and also can not be restored!\n\nClick \"OK button ,this operation will be performed automationcally!\n\nClick \"exit\" all the original EQ data will be saved and exit from this operation!\n\n",
             "                                                    注意        \n\n                       执行本操作后,原均衡数据将被删除不能恢复!\n\n                       点击\"确定\"将执行本操作!\n\n                       点击\"退出\"将保留原均衡数据而退出本操作!"},
    TextPair{EEditorsText::WarnGeqOk, "OK", "确定"},
    TextPair{EEditorsText::WarnGeqExit, "EXIT", "退出"},
};

static_assert(InEnumOrder(kTexts), "editor texts must follow the order of EEditorsText");
}

QString EditorsText(EEditorsText id, int language)
{
    return PickText(kTexts, id, language);
}
