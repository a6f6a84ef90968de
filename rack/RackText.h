#pragma once

#include "model/ValueText.h"

#include <QString>

// Every text of the rack window, in English and Chinese; the language flag
// (0 Chinese, 1 English, see DataDefine.h) picks the form. The columns,
// progress and summary lines are the line's own (LineText).
enum class ERackText
{
    Title,
    Search,
    Edit,
    MuteOutputs,
    UnmuteOutputs,
    Recall,
    RecallSlot, // the slot box's name
    Backup,
    Restore,
    CompareBackups,
    CompareLine,
    Table,    // the table's name
    Results,  // the list of processors done so far
    Progress, // the bar's name
    OutputsLabel,
    OutputsField, // the field's name
    LabelName,    // %1 the device ID: a row's label field
    MuteChannel,  // %1 the device ID, %2 the output: a mute toggle's channel
    Online,
    Offline,
    Searching,
    Idle,
    // questions and their choices
    SwitchAsk, // %1 the device ID, %2 what would be lost
    UnsentEdits,
    UnsentSide,
    SendFirst,
    Discard,
    Cancel,
    OperationLosesSide,
    // refusals
    NoPort,
    SelectOne,
    Busy,
    MuteLocked,
    BadOutputs,
    // folder choices
    BackupFolder,
    RestoreFolder,
    FirstBackup,
    SecondBackup,
    BackupOfLine, // the comparison's second column when it is the line
    CompareTitle,
    CompareFailed, // %1 the reason
    Close,
};

QString RackText(ERackText id, ELanguage language);
