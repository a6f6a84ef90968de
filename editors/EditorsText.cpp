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
};

static_assert(InEnumOrder(kTexts), "editor texts must follow the order of EEditorsText");
}

QString EditorsText(EEditorsText id, int language)
{
    return PickText(kTexts, id, language);
}
