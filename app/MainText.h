#pragma once

#include "link/Connection.h"
#include "model/ValueText.h"

#include <QString>

// Every text the main window shows, in English and Chinese (the link
// dialogs keep theirs in LinkText.h). The language flag (0 Chinese,
// 1 English, see ValueText.h) picks the form.
enum class EMainText
{
    Title,
    MessageCaption,
    // command buttons
    Help,
    Program,
    Device,
    Interface,
    Lock,
    Report,
    Connection,
    // status fields
    NameLabel,
    NumberLabel,
    DeviceIdLabel,
    NoValue,
    // the status block beside the title; ModelForm takes inputs and outputs
    ModelLabel,
    PortLabel,
    FirmwareLabel,
    ModelForm,
    Online,
    Offline,
    // areas whose panels are still to come
    // messages
    HelpMissing,
    NoAnswer,
    // first lines of the version messages, and the second line of both
    DeviceOlder,
    SoftwareOlder,
    VersionHowTo,
    // System window
    SystemTitle,
    LanguageGroup,
    LanguageButton,
    VersionLabel,
    BacklightLabel,
    // the backlight label once the language has been switched in the window
    BacklightLabelSwitched,
    BacklightKeepOn,
    Backlight60s,
    PowerOnLabel,
    PowerOnKeepState,
    PowerOnAllMute,
    PowerOnLoad,
    InformationGroup,
    // "%1" is the row, 1 to 5
    InformationRow,
    // undo, redo and A/B compare; the compare caption names the side in use
    Undo,
    Redo,
    UndoTip,
    RedoTip,
    CompareA,
    CompareB,
    CompareTip,
    CompareInUse,  // %1: the side in use, "A" or "B"
    DisconnectLosesSide,
    // the EQ panels' context menu
    ImportFilterSet,
    // the response graph's context menu: the picture at a size (%1 x %2),
    // the curves as a table, and the report's page of curves
    ExportPicture,
    PictureAsShown,
    PictureSize,
    PictureFilter,
    SvgFilter,
    ExportCurves,
    CurvesPageTitle,
    // the rack window's command button
    Rack,
    RackTip,
};

QString MainText(EMainText id, ELanguage language);

// Name of the help file of a language, in the working directory.
QString HelpFileName(ELanguage language);

// What the window tells the user when the connection ended for `reason`:
// the first line and, below it, what to do about it; empty when the user
// ended it.
QString DisconnectMessage(CConnection::EReason reason, const CConnection& connection, ELanguage language);
