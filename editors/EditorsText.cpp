#include "EditorsText.h"

#include "DataDefine.h"

#include <array>

namespace
{
struct TextPair
{
    EEditorsText id;
    const char* szEnglish;
    const char* szChinese;
};

// Kept in the order of EEditorsText; checked below.
constexpr std::array kTexts{
    TextPair{EEditorsText::DragFrequency, "Freq", "频率"},
    TextPair{EEditorsText::DragGain, "Gain", "增益"},
    TextPair{EEditorsText::DragBandwidth, "BW", "带宽"},
    TextPair{EEditorsText::DragSlope, "Slope", "斜率"},
    TextPair{EEditorsText::LevelValue, "%1dB", "%1dB"},
    TextPair{EEditorsText::Readout, "%1  %2", "%1  %2"},
    TextPair{EEditorsText::GraphAccessibleName, "Response graph", "响应曲线"},
};

constexpr bool InEnumOrder()
{
    for (size_t i = 0; i < kTexts.size(); ++i)
        if (static_cast<size_t>(kTexts[i].id) != i)
            return false;
    return true;
}
static_assert(InEnumOrder(), "editor texts must follow the order of EEditorsText");
}

QString EditorsText(EEditorsText id, int language)
{
    const TextPair& pair = kTexts.at(static_cast<size_t>(id));
    return QString::fromUtf8(language == kEnglish ? pair.szEnglish : pair.szChinese);
}
