#pragma once

#include "model/ValueText.h"

#include <QString>

// Every text of the line of processors (the rack's columns, the line-wide
// operations' progress, summary and comparison), in English and Chinese;
// the language flag (0 Chinese, 1 English, see DataDefine.h) picks the form.
enum class ELineText
{
    // the rack's columns
    ColumnId,
    ColumnLabel,
    ColumnModel,
    ColumnFirmware,
    ColumnProgram,
    ColumnProgramName,
    ColumnOnline,
    ColumnMute,         // %1 the output
    ModelText,          // %1 inputs, %2 outputs
    // the operations, as progress and summary name them
    OpBackup,
    OpRestore,
    OpMute,
    OpUnmute,
    OpRecall,           // %1 the slot
    OpCompare,
    Progress,           // %1 the operation, %2 the device ID, %3 done, %4 of
    SummaryDone,        // %1 the operation, %2 how many succeeded, %3 of
    ProcessorDone,      // %1 the device ID
    ProcessorFailed,    // %1 the device ID, %2 why
    // why a processor was skipped
    WhyNoAnswer,
    WhyBadType,
    WhyDeviceOlder,
    WhySoftwareOlder,
    WhyLineFault,
    WhyPortFailed,
    WhyDisconnected,
    WhyNotInBackup,
    WhyFileRead,        // %1 the file, %2 the reason
    WhyFileWrite,       // %1 the file, %2 the reason
    WhyNoSuchOutput,    // %1 the output
    WhyMuteLocked,      // the output mute function lock is set
    // what is wrong with a file when the system gives no reason
    FileCannotRead,
    FileTooLarge,
    FileTruncated,
    FileDamaged,
    FileCannotWrite,
    IndexNotBackup,     // %1 the index file
    IndexDamaged,       // %1 the line, %2 the index file
    // the comparison's table
    DiffProcessor,
    DiffChannel,
    DiffParameter,
    DiffFirst,
    DiffSecond,
    DiffMissing,        // a processor one side lacks
    DiffSame,           // no difference at all
    DiffProgramName,    // the live program's name, which no row of a channel holds
    DiffLocks,          // the function locks
    DiffBank,           // %1 the slot: a stored program differs
    Input,              // %1 the input letter
    Output,             // %1 the output number
};

QString LineText(ELineText id, ELanguage language);
