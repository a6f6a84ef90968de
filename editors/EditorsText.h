#pragma once

#include <QString>

// Every text the editors show of their own, in English and Chinese. Values
// come from the model's Format* functions; these are the captions around
// them. The language flag (0 Chinese, 1 English, see DataDefine.h) picks
// the form.
enum class EEditorsText
{
    // response graph: values of a dragged point, and the pointer readout
    DragFrequency,
    DragGain,
    DragBandwidth,
    DragSlope,
    LevelValue,      // %1: whole dB
    Readout,         // %1: frequency text, %2: level text
    GraphAccessibleName,
    // numeric fields
    PosSettingError,
    FieldToolTip,         // %1: caption, %2: shown value
    SpinAccessibleName,   // %1: caption of the field
    // channel strip
    StripChannel,    // %1: channel label ("A", "3")
    StripLink,       // %1: channel label of the group
    StripAccessibleName,
    StripLinkMarker, // %1: channel ("CH3")
    // EQ panels: row captions, buttons, combos
    EqRowFrequency,
    EqRowBandwidth,
    EqRowQ,
    EqRowGain,
    EqMaster,        // the master switch's caption
    EqMasterOn,
    EqMasterOff,
    EqBand,          // %1: band number
    EqModeCaption,
    EqModeParametric,
    EqModeGraphic,
    EqLowShelfSlope,
    EqHighShelfSlope,
    EqGraphicQ,
    EqGainFader,     // %1: caption of the band's gain
    InEqAccessibleName,
    OutEqAccessibleName,
    PanelError,
    // the graphic-EQ warning window
    WarnGeqTitle,
    WarnGeqText,
    WarnGeqOk,
    WarnGeqExit,
};

QString EditorsText(EEditorsText id, int language);
