#pragma once

#include "controls/ToggleStyle.h"
#include "model/ValueText.h"

#include <QString>

// Every text the skin controls show or give to screen readers, in English
// and Chinese. The language flag (0 Chinese, 1 English, see ValueText.h)
// picks the form; %1 and %2 are filled by the functions below.
enum class EControlsText
{
    // accessible names: %1 the channel ("CH3"), %2 the input row letter
    MuteName,
    SelectName,
    CurveName,
    RouteName,
    RouteIndicatorName,
    LevelName,
    NameFieldName,
    // accessible values of the toggle buttons
    ChannelOn,
    ChannelMuted,
    Selected,
    NotSelected,
    CurveShown,
    CurveHidden,
    Routed,
    NotRouted,
    Checked,
    NotChecked,
    // drawn on the curve button
    CurveLabel,
    // level meter value: %1 lamps lit, %2 lamps in all
    LampsLit,
    LampsLitMarked,
    // appended to the value while the clip indicator is latched
    ClipLatched,
    // the meter's accessible action that clears the clip indicator
    ClearClip,
    // tooltip: %1 what the control is, %2 its value
    ToolTip,
};

QString ControlsText(EControlsText id, ELanguage language);

// The lock text a locked control shows ("Lock" / "锁定").
QString ControlsLockText(ELanguage language);

// "<name>: <value>" as a tooltip shows it.
QString ControlsToolTip(const QString& name, const QString& value, ELanguage language);

// A toggle button's accessible name: the channel ("CH3") and, for a routing
// button, the input row ("A"). A Caption button is named by its owner.
QString ToggleName(EToggleStyle style, const QString& channel, const QString& row, ELanguage language);

// A toggle button's value; a Caption button reads as the caption it shows
// when its two captions differ.
QString ToggleValue(EToggleStyle style, bool checked, const QString& unchecked, const QString& checkedCaption,
                    ELanguage language);

// A level meter's value from its lit lamps and whether the mark lamp is lit.
QString LampsValue(int lit, bool marked, ELanguage language);
// The same with the clip indicator's state.
QString LampsValue(int lit, bool marked, bool clipped, ELanguage language);
