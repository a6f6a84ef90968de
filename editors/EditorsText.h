#pragma once

#include "model/ValueText.h"

#include <QString>

// Every text the editors show of their own, in English and Chinese. Values
// come from the model's Format* functions; these are the captions around
// them. The language flag (0 Chinese, 1 English, see ValueText.h) picks
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
    // filter-set import
    ImportTitle,          // %1: channel label ("A", "3")
    ImportFileFilter,     // file dialog filter
    ImportUnreadableFile, // %1: the file
    ImportBandsHeading,
    ImportProblemsHeading,
    ImportNoProblems,
    ImportColumnBand,
    ImportColumnFile,
    ImportColumnPlanned,
    ImportWidthNote,
    ImportBandName,       // %1: band number
    ImportBandUnused,
    ImportFileLine,       // %1: line number, %2: what the line asks for
    ImportPeakingFilter,  // %1 Hz, %2 dB, %3 Q as written
    ImportLowShelfFilter, // %1 Hz, %2 dB, %3 slope dB/oct
    ImportHighShelfFilter,
    ImportWholeFile,      // problems of no one line
    ImportTooMany,
    ImportUnsupported,    // %1: the type
    ImportOutOfRangeFreq, // %1: value as written
    ImportOutOfRangeGain,
    ImportOutOfRangeQ,
    ImportOutOfRangeSlope,
    ImportUnreadableLine,
    ImportNoFilters,
    ImportPreamp,         // %1: dB as written
    ImportGraphicMode,
    ImportLocked,
    ImportApply,
    ImportCancel,
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
    EqBandSwitch,    // %1: band number
    // a field that shows its parameter in another unit: %1 the caption
    FieldInMetres,
    FieldInFeet,
    FieldAsQ,
    InEqAccessibleName,
    OutEqAccessibleName,
    // a panel asked to show a channel that is not on its side
    PanelError,
    // the graphic-EQ warning window
    WarnGeqTitle,
    WarnGeqText,
    WarnGeqOk,
    WarnGeqExit,
};

QString EditorsText(EEditorsText id, ELanguage language);
