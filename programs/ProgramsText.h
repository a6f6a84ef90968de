#pragma once

#include "model/ValueText.h"

#include <QString>

// Every text of the program window and of the program transfers it starts,
// in English and Chinese. The language flag (0 Chinese, 1 English, see
// ValueText.h) picks the form. Texts the whole program shares (OK, "Please
// open the COM-Port", the lock text) come from the shared tables.
enum class EProgramsText
{
    Title,
    DeviceGroup,
    RecallFromDevice,
    StoreToDevice,
    ProgramColumn,
    NameColumn,
    NameLabel,
    SlotLabel,
    Load,
    Save,
    Delete,
    PcGroup,
    RecallFromPc,
    StoreToPc,
    RecallAllFromPc,
    StoreAllToPc,
    // messages
    NameEmpty,
    FileReadError,
    FileWriteError,
    // file dialogs
    AllFilesFilter,
    // what the window shows beyond its slots
    LiveRow,
    LiveRowEdited,
    LiveStatus,
    LiveStatusEdited,
    ReplaceSlot,
    ReplaceFile,
};

QString ProgramsText(EProgramsText id, ELanguage language);
