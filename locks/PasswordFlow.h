#pragma once

#include "locks/LocksText.h"
#include "model/ValueText.h"

#include <QString>

#include <optional>
#include <span>
#include <string>

class CLockState;

// The chain of small windows between the main window's LOCK command and the
// lock window, as data: which windows exist, what each shows, and where each
// button leads. Only one window is open at a time; a button closes its
// window and names the next.
namespace PasswordFlow
{
enum class EStep
{
    NotConnected,   // CNoConLockDlg
    Choice,         // CNoPWLockDlg
    Set,            // CSetPWDlg
    SetFailed,      // CSetPWErrorDlg
    Entry,          // CInPutPWDlg
    EntryFailed,    // CInputPWErrorDlg
    NextStep,       // CMDLockDlg
    Change,         // CMDPWDlg
    ChangeFailed,   // CMDPWErrorDlg
    Changed,        // CMDOKDlg
    Clear,          // CClearPWDlg
    Cleared,        // CClearPWOKDlg
    LockWindow,     // CLockDataDlg
    End,
};

enum class EButton
{
    Exit,
    Back,
    Ok,
    NoPassword,
    PasswordSetup,
    Again,
    ChangePassword,
    UnlockPassword,
    ChangeLockedItem,
    Yes,
    No,
};

// One line of a window: a text, optionally a password field with its hint,
// optionally a button beside it.
struct Row
{
    std::optional<ELocksText> eText;
    int nField = 0;   // 0 none, 1 first, 2 second
    std::optional<ELocksText> eHint;
    std::optional<EButton> eButton;
    std::optional<ELocksText> eButtonText;
};

struct BottomButton
{
    EButton eButton;
    std::optional<ELocksText> eText;   // none: the common "OK"
};

struct Window
{
    EStep eStep;
    const char* szObjectName;
    ELocksText eTitle;
    std::span<const Row> rows;
    std::span<const BottomButton> buttons;
};

// The first window of the LOCK command.
EStep FirstStep(bool bConnected, bool bPasswordSet);

// The window shown for a step; nullptr for LockWindow and End.
const Window* Find(EStep eStep);

// The object name of a button ("OkButton", ...), for tests and styling.
const char* ButtonName(EButton eButton);

QString ButtonText(const BottomButton& button, ELanguage language);

// True for exactly six characters, each a letter A-Z, a-z or a digit.
bool IsPasswordText(const std::string& text);

struct Outcome
{
    EStep eNext = EStep::End;
    // The password in `locks` changed: the lock set must go to the processor.
    bool bPasswordChanged = false;
};

// Pressing eButton in the window of eStep with the password fields holding
// strFirst and strSecond. Set and change make the first text the password
// when both are valid and equal; entry compares with the password exactly;
// "Yes" in the clear window empties it. A button the window does not have
// ends the chain.
Outcome Press(EStep eStep, EButton eButton, const std::string& strFirst, const std::string& strSecond,
              CLockState& locks);
}
