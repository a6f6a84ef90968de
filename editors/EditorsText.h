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
    // channel panels: captions drawn beside the controls
    FaceSignal,
    FaceGain,
    FaceDelay,
    FaceMs,
    FaceMetres,
    FaceFeet,
    FacePolarity,
    FaceNoise,
    FaceGate,
    FaceMatrix,
    FaceXover,
    FaceHighPass,
    FaceLowPass,
    FaceMode,
    FaceFrequency,
    FaceSlope,
    FaceLimiter,
    FaceThreshold,
    FaceAttack,
    FaceRelease,
    // the polarity button's faces and the phase picture
    FacePolarityNormal,
    FacePolarityInverted,
    FacePhaseNormal,
    FacePhaseInverted,
    FaceInputName,
    FaceOutputName,
    // a panel asked to show the side that is not selected
    FaceWrongSide,
};

QString EditorsText(EEditorsText id, int language);
