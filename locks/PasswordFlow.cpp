#include "locks/PasswordFlow.h"

#include "ui/CommonText.h"
#include "model/LockState.h"

#include <algorithm>
#include <array>

namespace PasswordFlow
{
namespace
{
using T = ELocksText;
using B = EButton;

Row Text(ELocksText eText)
{
    return {eText, 0, std::nullopt, std::nullopt, std::nullopt};
}

Row Field(ELocksText eLabel, int nField, ELocksText eHint)
{
    return {eLabel, nField, eHint, std::nullopt, std::nullopt};
}

Row Choice(ELocksText eInfo, EButton eButton, ELocksText eButtonText)
{
    return {eInfo, 0, std::nullopt, eButton, eButtonText};
}

const std::array kNotConnectedRows{Text(T::NotConnectedText)};
const std::array kNotConnectedButtons{BottomButton{B::Exit, T::Exit}};

const std::array kChoiceRows{
    Choice(T::LimitOne, B::NoPassword, T::NoPassword),
    Choice(T::LimitTwo, B::PasswordSetup, T::PasswordSetup),
    Text(T::ChoiceNote),
};
const std::array kChoiceButtons{BottomButton{B::Exit, T::Exit}};

const std::array kSetRows{
    Field(T::SetFirstLabel, 1, T::SetFirstHint),
    Field(T::SetSecondLabel, 2, T::SetSecondHint),
    Text(T::SetInfo),
};
const std::array kOkBackButtons{BottomButton{B::Ok, {}}, BottomButton{B::Back, T::Back}};

const std::array kSetFailedRows{Text(T::SetFailedText)};
const std::array kSetFailedButtons{BottomButton{B::Again, T::SetAgain}, BottomButton{B::Exit, T::Exit}};

const std::array kEntryRows{Field(T::EntryLabel, 1, T::EntryHint)};
const std::array kOkExitButtons{BottomButton{B::Ok, {}}, BottomButton{B::Exit, T::Exit}};

const std::array kEntryFailedRows{Text(T::EntryFailedText)};
const std::array kEnterAgainButtons{BottomButton{B::Again, T::EnterAgain}, BottomButton{B::Exit, T::Exit}};

const std::array kNextStepRows{
    Text(T::NextStepText),
    Choice(T::ChangeInfo, B::ChangePassword, T::ChangePassword),
    Choice(T::UnlockInfo, B::UnlockPassword, T::UnlockPassword),
};
const std::array kLockedItemButtons{BottomButton{B::ChangeLockedItem, T::ChangeLockedItem},
                                    BottomButton{B::Exit, T::Exit}};

const std::array kChangeRows{
    Field(T::ChangeFirstLabel, 1, T::ChangeHint),
    Field(T::ChangeSecondLabel, 2, T::ChangeHint),
};

const std::array kChangeFailedRows{Text(T::ChangeFailedText)};
const std::array kChangedRows{Text(T::ChangedText)};

const std::array kClearRows{
    Text(T::ClearNote),
    Choice(T::ClearYesInfo, B::Yes, T::Yes),
    Choice(T::ClearNoInfo, B::No, T::No),
};
const std::array<BottomButton, 0> kNoButtons{};

const std::array kClearedRows{Text(T::ClearedText)};
const std::array kClearedButtons{BottomButton{B::ChangeLockedItem, T::ClearedChangeLockedItem},
                                 BottomButton{B::Exit, T::Exit}};

// In the order of EStep.
const std::array kWindows{
    Window{EStep::NotConnected, "NotConnectedWindow", T::NotConnectedTitle, kNotConnectedRows, kNotConnectedButtons},
    Window{EStep::Choice, "ChoiceWindow", T::ChoiceTitle, kChoiceRows, kChoiceButtons},
    Window{EStep::Set, "SetWindow", T::SetTitle, kSetRows, kOkBackButtons},
    Window{EStep::SetFailed, "SetFailedWindow", T::SetFailedTitle, kSetFailedRows, kSetFailedButtons},
    Window{EStep::Entry, "EntryWindow", T::EntryTitle, kEntryRows, kOkExitButtons},
    Window{EStep::EntryFailed, "EntryFailedWindow", T::EntryFailedTitle, kEntryFailedRows, kEnterAgainButtons},
    Window{EStep::NextStep, "NextStepWindow", T::NextStepTitle, kNextStepRows, kLockedItemButtons},
    Window{EStep::Change, "ChangeWindow", T::ChangeTitle, kChangeRows, kOkBackButtons},
    Window{EStep::ChangeFailed, "ChangeFailedWindow", T::ChangeFailedTitle, kChangeFailedRows, kEnterAgainButtons},
    Window{EStep::Changed, "ChangedWindow", T::ChangedTitle, kChangedRows, kLockedItemButtons},
    Window{EStep::Clear, "ClearWindow", T::ClearTitle, kClearRows, kNoButtons},
    Window{EStep::Cleared, "ClearedWindow", T::ClearedTitle, kClearedRows, kClearedButtons},
};

bool Has(const Window& window, EButton eButton)
{
    return std::ranges::any_of(window.rows, [eButton](const Row& row) { return row.eButton == eButton; })
           || std::ranges::any_of(window.buttons, [eButton](const BottomButton& b) { return b.eButton == eButton; });
}

// Set and change take a new password only when both fields agree and it is
// one the field could have produced; anything else leaves it as it was.
bool TakeNewPassword(const std::string& strFirst, const std::string& strSecond, CLockState& locks)
{
    if (strFirst != strSecond || !IsPasswordText(strFirst))
        return false;
    locks.SetPassword(strFirst);
    return true;
}
}

EStep FirstStep(bool bConnected, bool bPasswordSet)
{
    if (!bConnected)
        return EStep::NotConnected;
    return bPasswordSet ? EStep::Entry : EStep::Choice;
}

const Window* Find(EStep eStep)
{
    const auto index = static_cast<size_t>(eStep);
    return index < kWindows.size() ? &kWindows[index] : nullptr;
}

const char* ButtonName(EButton eButton)
{
    static constexpr std::array kNames{
        "ExitButton",          "BackButton",         "OkButton",         "NoPasswordButton",
        "PasswordSetupButton", "AgainButton",        "ChangePasswordButton", "UnlockPasswordButton",
        "ChangeLockedItemButton", "YesButton",       "NoButton",
    };
    return kNames.at(static_cast<size_t>(eButton));
}

QString ButtonText(const BottomButton& button, ELanguage language)
{
    return button.eText ? LocksText(*button.eText, language) : CommonText(ECommonText::Ok, language);
}

bool IsPasswordText(const std::string& text)
{
    auto isAllowed = [](char c) {
        return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
    };
    return text.size() == static_cast<size_t>(CLockState::kPasswordLength) && std::ranges::all_of(text, isAllowed);
}

Outcome Press(EStep eStep, EButton eButton, const std::string& strFirst, const std::string& strSecond,
              CLockState& locks)
{
    const Window* window = Find(eStep);
    if (window == nullptr || !Has(*window, eButton))
        return {};

    switch (eButton)
    {
    case B::Exit:
        return {};
    case B::NoPassword:
    case B::ChangeLockedItem:
        return {EStep::LockWindow};
    case B::PasswordSetup:
        return {EStep::Set};
    case B::ChangePassword:
        return {EStep::Change};
    case B::UnlockPassword:
        return {EStep::Clear};
    case B::Back:
        return {eStep == EStep::Set ? EStep::Choice : EStep::NextStep};
    case B::No:
        return {EStep::NextStep};
    case B::Again:
        return {eStep == EStep::SetFailed ? EStep::Set : eStep == EStep::EntryFailed ? EStep::Entry : EStep::Change};
    case B::Yes:
        locks.SetPassword({});
        return {EStep::Cleared, true};
    case B::Ok:
        break;
    }

    if (eStep == EStep::Entry)
        return {strFirst == locks.GetPassword() ? EStep::NextStep : EStep::EntryFailed};
    const bool bTaken = TakeNewPassword(strFirst, strSecond, locks);
    if (eStep == EStep::Set)
        return {bTaken ? EStep::LockWindow : EStep::SetFailed, bTaken};
    return {bTaken ? EStep::Changed : EStep::ChangeFailed, bTaken};
}
}
