// The password chain and the lock window's working copy, without windows.

#include "locks/LockSelection.h"
#include "locks/LocksText.h"
#include "locks/PasswordFlow.h"

#include "model/LockState.h"
#include "model/ValueText.h"

#include <gtest/gtest.h>

#include <string>

using namespace PasswordFlow;

namespace
{
CLockState WithPassword(const std::string& password)
{
    CLockState locks;
    locks.SetPassword(password);
    return locks;
}
}

TEST(PasswordFlowTest, LockCommandStartsAtTheWindowTheStateCallsFor)
{
    EXPECT_EQ(FirstStep(false, false), EStep::NotConnected);
    EXPECT_EQ(FirstStep(false, true), EStep::NotConnected);
    EXPECT_EQ(FirstStep(true, false), EStep::Choice);
    EXPECT_EQ(FirstStep(true, true), EStep::Entry);
}

TEST(PasswordFlowTest, SetAndChangeTakeOnlyTwoEqualSixCharacterEntries)
{
    struct Case
    {
        const char* name;
        const char* first;
        const char* second;
        bool bTaken;
    };
    const Case cases[] = {
        {"letters and digits", "Ab12cD", "Ab12cD", true},
        {"digits only", "000000", "000000", true},
        {"five characters", "Ab12c", "Ab12c", false},
        {"seven characters", "Ab12cDe", "Ab12cDe", false},
        {"both empty", "", "", false},
        {"differ in case", "abcdef", "abcdeF", false},
        {"differ", "abcdef", "abcdeg", false},
        {"space inside", "ab cd1", "ab cd1", false},
        {"punctuation", "ab-cd1", "ab-cd1", false},
        {"non-ASCII byte", "ab\xe9" "cd1", "ab\xe9" "cd1", false},
    };
    for (const Case& c : cases)
    {
        for (EStep eStep : {EStep::Set, EStep::Change})
        {
            SCOPED_TRACE(std::string(c.name) + (eStep == EStep::Set ? " / set" : " / change"));
            CLockState locks = WithPassword(eStep == EStep::Set ? "" : "OLD123");
            const std::string before = locks.GetPassword();
            const Outcome outcome = Press(eStep, EButton::Ok, c.first, c.second, locks);
            EXPECT_EQ(outcome.bPasswordChanged, c.bTaken);
            EXPECT_EQ(locks.GetPassword(), c.bTaken ? std::string(c.first) : before);
            const EStep eSuccess = eStep == EStep::Set ? EStep::LockWindow : EStep::Changed;
            const EStep eFailure = eStep == EStep::Set ? EStep::SetFailed : EStep::ChangeFailed;
            EXPECT_EQ(outcome.eNext, c.bTaken ? eSuccess : eFailure);
        }
    }
}

TEST(PasswordFlowTest, EntryMatchesThePasswordExactly)
{
    CLockState locks = WithPassword("Ab12cD");
    EXPECT_EQ(Press(EStep::Entry, EButton::Ok, "Ab12cD", "", locks).eNext, EStep::NextStep);
    for (const char* wrong : {"ab12cd", "AB12CD", "Ab12c", "Ab12cD1", "", " Ab12cD"})
    {
        SCOPED_TRACE(wrong);
        const Outcome outcome = Press(EStep::Entry, EButton::Ok, wrong, "", locks);
        EXPECT_EQ(outcome.eNext, EStep::EntryFailed);
        EXPECT_FALSE(outcome.bPasswordChanged);
    }
    EXPECT_EQ(locks.GetPassword(), "Ab12cD");
}

TEST(PasswordFlowTest, ClearingEmptiesThePasswordAndTheLockSetCarriesSpaces)
{
    CLockState locks = WithPassword("Ab12cD");
    EXPECT_EQ(locks.EncodeLockSet()[6], 'A');
    const Outcome outcome = Press(EStep::Clear, EButton::Yes, "", "", locks);
    EXPECT_EQ(outcome.eNext, EStep::Cleared);
    EXPECT_TRUE(outcome.bPasswordChanged);
    EXPECT_EQ(locks.GetPassword(), "");
    const CLockState::LockSet set = locks.EncodeLockSet();
    for (int i = 6; i < 12; ++i)
        EXPECT_EQ(set[static_cast<size_t>(i)], 0x20) << i;
    EXPECT_EQ(FirstStep(true, !locks.GetPassword().empty()), EStep::Choice);
}

TEST(PasswordFlowTest, ButtonsLeadWhereTheirWindowSaysAndLeaveThePasswordAlone)
{
    struct Case
    {
        EStep eStep;
        EButton eButton;
        EStep eNext;
    };
    const Case cases[] = {
        {EStep::NotConnected, EButton::Exit, EStep::End},
        {EStep::Choice, EButton::NoPassword, EStep::LockWindow},
        {EStep::Choice, EButton::PasswordSetup, EStep::Set},
        {EStep::Choice, EButton::Exit, EStep::End},
        {EStep::Set, EButton::Back, EStep::Choice},
        {EStep::SetFailed, EButton::Again, EStep::Set},
        {EStep::SetFailed, EButton::Exit, EStep::End},
        {EStep::Entry, EButton::Exit, EStep::End},
        {EStep::EntryFailed, EButton::Again, EStep::Entry},
        {EStep::EntryFailed, EButton::Exit, EStep::End},
        {EStep::NextStep, EButton::ChangePassword, EStep::Change},
        {EStep::NextStep, EButton::UnlockPassword, EStep::Clear},
        {EStep::NextStep, EButton::ChangeLockedItem, EStep::LockWindow},
        {EStep::NextStep, EButton::Exit, EStep::End},
        {EStep::Change, EButton::Back, EStep::NextStep},
        {EStep::ChangeFailed, EButton::Again, EStep::Change},
        {EStep::ChangeFailed, EButton::Exit, EStep::End},
        {EStep::Changed, EButton::ChangeLockedItem, EStep::LockWindow},
        {EStep::Changed, EButton::Exit, EStep::End},
        {EStep::Clear, EButton::No, EStep::NextStep},
        {EStep::Cleared, EButton::ChangeLockedItem, EStep::LockWindow},
        {EStep::Cleared, EButton::Exit, EStep::End},
        // A button the window does not have ends the chain.
        {EStep::NotConnected, EButton::NoPassword, EStep::End},
        {EStep::Choice, EButton::Yes, EStep::End},
        {EStep::LockWindow, EButton::Ok, EStep::End},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(::testing::Message() << int(c.eStep) << " / " << ButtonName(c.eButton));
        CLockState locks = WithPassword("Ab12cD");
        // Fields that would be a valid new password, to show they are ignored.
        const Outcome outcome = Press(c.eStep, c.eButton, "Zz9999", "Zz9999", locks);
        EXPECT_EQ(outcome.eNext, c.eNext);
        EXPECT_FALSE(outcome.bPasswordChanged);
        EXPECT_EQ(locks.GetPassword(), "Ab12cD");
    }
}

TEST(PasswordFlowTest, EveryWindowHasItsTitleAndAWayOut)
{
    for (int n = 0; n < int(EStep::LockWindow); ++n)
    {
        const auto eStep = static_cast<EStep>(n);
        const Window* window = Find(eStep);
        ASSERT_NE(window, nullptr) << n;
        EXPECT_EQ(window->eStep, eStep);
        EXPECT_FALSE(LocksText(window->eTitle, kEnglish).isEmpty());
        EXPECT_FALSE(window->rows.empty() && window->buttons.empty()) << n;
    }
    EXPECT_EQ(Find(EStep::LockWindow), nullptr);
    EXPECT_EQ(Find(EStep::End), nullptr);
}

TEST(PasswordFlowTest, PasswordTextIsSixLettersOrDigits)
{
    EXPECT_TRUE(IsPasswordText("aZ09bY"));
    for (const char* bad : {"", "aZ09b", "aZ09bY1", "aZ 9bY", "aZ_9bY", "aZ09b\n"})
        EXPECT_FALSE(IsPasswordText(bad)) << bad;
}

// ---- the lock window's working copy ----------------------------------------

TEST(LockSelectionTest, SelectAllLeavesFixedItemsAsTheyAre)
{
    CLockState locks;
    locks.SetFlag(CLockState::kInEq, true);
    locks.SetFixed(CLockState::kInEq, true);
    locks.SetFixed(CLockState::kInGain, true);   // fixed but not locked
    CLockSelection selection(locks);

    EXPECT_FALSE(selection.IsEnabled(CLockState::kInEq));
    EXPECT_FALSE(selection.IsEnabled(CLockState::kInGain));
    EXPECT_TRUE(selection.IsEnabled(CLockState::kInDelay));

    selection.SetAll(CLockSelection::kInputs, true);
    EXPECT_FALSE(selection.IsTicked(CLockState::kInGain));
    EXPECT_TRUE(selection.IsTicked(CLockState::kInLink));
    // One box stays clear, so "Select all" does not show ticked.
    EXPECT_FALSE(selection.IsAllTicked(CLockSelection::kInputs));

    selection.SetAll(CLockSelection::kInputs, false);
    EXPECT_TRUE(selection.IsTicked(CLockState::kInEq));
    EXPECT_FALSE(selection.IsTicked(CLockState::kInLink));
    selection.SetItem(CLockState::kInEq, false);
    EXPECT_TRUE(selection.IsTicked(CLockState::kInEq));
}

TEST(LockSelectionTest, SelectAllFollowsTheGroupAndIsDisabledWhenAllAreFixed)
{
    CLockState locks;
    for (int flag : CLockSelection::Flags(CLockSelection::kOutputs))
        locks.SetFixed(flag, true);
    CLockSelection selection(locks);
    EXPECT_FALSE(selection.IsSelectAllEnabled(CLockSelection::kOutputs));
    EXPECT_TRUE(selection.IsSelectAllEnabled(CLockSelection::kInputs));

    for (int flag : CLockSelection::Flags(CLockSelection::kInputs))
    {
        EXPECT_FALSE(selection.IsAllTicked(CLockSelection::kInputs));
        selection.SetItem(flag, true);
    }
    EXPECT_TRUE(selection.IsAllTicked(CLockSelection::kInputs));
    // System locks are never fixed.
    EXPECT_TRUE(selection.IsEnabled(CLockState::kSysDeviceId));
}

TEST(LockSelectionTest, GroupsListTheWindowsItemsAndTheCopyGoesBackWhole)
{
    EXPECT_EQ(CLockSelection::Flags(CLockSelection::kInputs).size(), 8u);
    EXPECT_EQ(CLockSelection::Flags(CLockSelection::kOutputs).size(), 10u);
    const auto system = CLockSelection::Flags(CLockSelection::kSystem);
    ASSERT_EQ(system.size(), 9u);
    EXPECT_EQ(system.front(), CLockState::kSysLoad);
    EXPECT_EQ(system.back(), CLockState::kSysKeyEdit);

    CLockState locks;
    const uint8_t set[12] = {0, 0, 0, 0, 0, 0x02, 'A', 'b', '1', '2', 'c', 'D'};
    locks.DecodeLockSet(0, set);
    CLockSelection selection(locks);
    selection.SetItem(CLockState::kInName, true);
    selection.SetItem(CLockState::kSysDeviceId, true);
    // Nothing reaches the lock state before the copy goes back.
    EXPECT_FALSE(locks.IsLocked(CLockState::kInName));

    selection.ApplyTo(locks);
    const CLockState::LockSet expected{0x40, 0, 0, 0, 0x10, 0x02, 'A', 'b', '1', '2', 'c', 'D'};
    EXPECT_EQ(locks.EncodeLockSet(), expected);
}
