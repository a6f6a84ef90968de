#include "controls/ControlsText.h"

#include "controls/ControlMath.h"
#include "model/ValueText.h"

namespace
{
struct STextPair
{
    const char* szEnglish;
    const char* szChinese;
};

// A switch rather than a table, so that the compiler names a text that was
// added to EControlsText and forgotten here.
STextPair TextPair(EControlsText id)
{
    switch (id)
    {
    case EControlsText::MuteName:
        return {"%1 on/mute", "%1 开启/静音"};
    case EControlsText::SelectName:
        return {"Select %1", "选择 %1"};
    case EControlsText::CurveName:
        return {"%1 curve", "%1 曲线"};
    case EControlsText::RouteName:
        return {"Input %2 to %1", "输入%2到%1"};
    case EControlsText::RouteIndicatorName:
        return {"%1 row E", "%1 E行"};
    case EControlsText::LevelName:
        return {"%1 level", "%1 电平"};
    case EControlsText::NameFieldName:
        return {"%1 name", "%1 名称"};
    case EControlsText::ChannelOn:
        return {"On", "开启"};
    case EControlsText::ChannelMuted:
        return {"Muted", "静音"};
    case EControlsText::Selected:
        return {"Selected", "已选择"};
    case EControlsText::NotSelected:
        return {"Not selected", "未选择"};
    case EControlsText::CurveShown:
        return {"Shown", "显示"};
    case EControlsText::CurveHidden:
        return {"Hidden", "隐藏"};
    case EControlsText::Routed:
        return {"On", "接通"};
    case EControlsText::NotRouted:
        return {"Off", "断开"};
    case EControlsText::Checked:
        return {"On", "开"};
    case EControlsText::NotChecked:
        return {"Off", "关"};
    case EControlsText::CurveLabel:
        return {"curve", "曲线"};
    case EControlsText::LampsLit:
        return {"%1 of %2 lamps", "%1/%2 灯"};
    case EControlsText::LampsLitMarked:
        return {"%1 of %2 lamps, mark lit", "%1/%2 灯，标记亮"};
    case EControlsText::ClipLatched:
        return {"%1, clipped", "%1，削波"};
    case EControlsText::ClearClip:
        return {"Clear clip", "清除削波"};
    case EControlsText::ToolTip:
        return {"%1: %2", "%1：%2"};
    }
    return {"", ""};
}
}

QString ControlsText(EControlsText id, ELanguage language)
{
    const STextPair text = TextPair(id);
    return QString::fromUtf8(language == kEnglish ? text.szEnglish : text.szChinese);
}

QString ControlsLockText(ELanguage language)
{
    return QString::fromUtf8(LockText(language));
}

QString ControlsToolTip(const QString& name, const QString& value, ELanguage language)
{
    return ControlsText(EControlsText::ToolTip, language).arg(name, value);
}

QString ToggleName(EToggleStyle style, const QString& channel, const QString& row, ELanguage language)
{
    switch (style)
    {
    case EToggleStyle::Mute:
        return ControlsText(EControlsText::MuteName, language).arg(channel);
    case EToggleStyle::Select:
        return ControlsText(EControlsText::SelectName, language).arg(channel);
    case EToggleStyle::Curve:
        return ControlsText(EControlsText::CurveName, language).arg(channel);
    case EToggleStyle::Route:
    case EToggleStyle::Tick:
        return ControlsText(EControlsText::RouteName, language).arg(channel, row);
    case EToggleStyle::RouteIndicator:
        return ControlsText(EControlsText::RouteIndicatorName, language).arg(channel);
    case EToggleStyle::Caption:
        break;
    }
    return channel;
}

QString ToggleValue(EToggleStyle style, bool checked, const QString& unchecked, const QString& checkedCaption,
                    ELanguage language)
{
    const auto pick = [&](EControlsText on, EControlsText off) { return ControlsText(checked ? on : off, language); };
    switch (style)
    {
    case EToggleStyle::Mute:
        return pick(EControlsText::ChannelOn, EControlsText::ChannelMuted);
    case EToggleStyle::Select:
        return pick(EControlsText::Selected, EControlsText::NotSelected);
    case EToggleStyle::Curve:
        return pick(EControlsText::CurveShown, EControlsText::CurveHidden);
    case EToggleStyle::Route:
    case EToggleStyle::Tick:
    case EToggleStyle::RouteIndicator:
        return pick(EControlsText::Routed, EControlsText::NotRouted);
    case EToggleStyle::Caption:
        if (unchecked != checkedCaption)
            return checked ? checkedCaption : unchecked;
        break;
    }
    return pick(EControlsText::Checked, EControlsText::NotChecked);
}

QString LampsValue(int lit, bool marked, ELanguage language)
{
    return ControlsText(marked ? EControlsText::LampsLitMarked : EControlsText::LampsLit, language)
        .arg(lit)
        .arg(kLampCount);
}

QString LampsValue(int lit, bool marked, bool clipped, ELanguage language)
{
    const QString value = LampsValue(lit, marked, language);
    return clipped ? ControlsText(EControlsText::ClipLatched, language).arg(value) : value;
}
