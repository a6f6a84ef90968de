#pragma once

#include "model/ValueText.h"

#include <QString>

// Every text of the lock window and the password windows, in English and
// Chinese. The item captions come from the model's lock items; these are
// the titles, headings, notes, labels and buttons around them. The language
// flag (0 Chinese, 1 English, see ValueText.h) picks the form.
enum class ELocksText
{
    // lock window
    LockTitle,
    FunctionGroup,
    InputHeading,
    OutputHeading,
    SystemGroup,
    SelectAllInputs,
    SelectAllOutputs,
    FunctionNote,
    SystemNote,
    // not-connected window
    NotConnectedTitle,
    NotConnectedText,
    // buttons shared by the password windows
    Exit,
    Back,
    ChangeLockedItem,
    // choice window
    ChoiceTitle,
    LimitOne,
    LimitTwo,
    NoPassword,
    PasswordSetup,
    ChoiceNote,
    // set window and its failure
    SetTitle,
    SetFirstLabel,
    SetFirstHint,
    SetSecondLabel,
    SetSecondHint,
    SetInfo,
    SetFailedTitle,
    SetFailedText,
    SetAgain,
    // entry window and its failure
    EntryTitle,
    EntryLabel,
    EntryHint,
    EntryFailedTitle,
    EntryFailedText,
    EnterAgain,
    // next-step window
    NextStepTitle,
    NextStepText,
    ChangeInfo,
    UnlockInfo,
    ChangePassword,
    UnlockPassword,
    // change window, its failure and success
    ChangeTitle,
    ChangeFirstLabel,
    ChangeSecondLabel,
    ChangeHint,
    ChangeFailedTitle,
    ChangeFailedText,
    ChangedTitle,
    ChangedText,
    // clear window and its success
    ClearTitle,
    ClearNote,
    ClearYesInfo,
    ClearNoInfo,
    Yes,
    No,
    ClearedTitle,
    ClearedText,
    ClearedChangeLockedItem,
};

QString LocksText(ELocksText id, ELanguage language);
