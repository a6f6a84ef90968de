// The LOCK command from the main window against the virtual processor:
// the password windows and the lock window filled in as a user would, and
// the processor's own lock record compared with what the windows showed.

#include "editors/CHEDlg.h"
#include "link/DeviceDlg.h"
#include "controls/Fader.h"
#include "editors/InFaceDlg.h"
#include "locks/LockDataDlg.h"
#include "locks/LockSelection.h"
#include "editors/NumEdit.h"
#include "app/OrvanDlgDlg.h"
#include "locks/PassWordEdit.h"
#include "tests/app/WindowTestEnvironment.h"

#include "model/ValueText.h"
#include "model/ParamCatalogue.h"
#include "vproc/ProcessorState.h"
#include "vproc/StateFile.h"
#include "controls/ToggleButton.h"
#include "tests/VprocProcess.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace
{
using Step = std::function<void(QDialog&)>;
using LockSet = CLockState::LockSet;

LockSet Record(std::initializer_list<uint8_t> flagBytes, const std::string& password)
{
    CLockState locks;
    const std::vector<uint8_t> set(flagBytes);
    locks.DecodeLockSet(Frame::kLiveProgram, set);
    locks.SetPassword(password);
    return locks.EncodeLockSet();
}

Step Click(const char* button)
{
    return [button](QDialog& dialog) {
        QPushButton* pushed = dialog.findChild<QPushButton*>(button);
        ASSERT_NE(pushed, nullptr) << button << " in " << dialog.objectName().toStdString();
        pushed->click();
    };
}

// Types into the window's password fields key by key, then presses OK.
Step TypeAndOk(const char* first, const char* second = "")
{
    return [first, second](QDialog& dialog) {
        if (auto* field = dialog.findChild<CPassWordEdit*>("FirstPasswordField"))
            QTest::keyClicks(field, first);
        if (auto* field = dialog.findChild<CPassWordEdit*>("SecondPasswordField"))
            QTest::keyClicks(field, second);
        Click("OkButton")(dialog);
    };
}

// The lock set the lock window shows, with the password the PC holds.
LockSet Shown(const CLockDataDlg& dialog, const std::string& password)
{
    CLockState locks;
    for (auto eGroup : {CLockSelection::kInputs, CLockSelection::kOutputs, CLockSelection::kSystem})
        for (int flag : CLockSelection::Flags(eGroup))
            locks.SetFlag(flag, dialog.Box(flag)->isChecked());
    locks.SetPassword(password);
    return locks.EncodeLockSet();
}

class LockWindowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_env.IsReady());
        std::string error;
        ASSERT_TRUE(CStateFile::Save(StatePath(), CProcessorState(), error)) << error;
        ASSERT_TRUE(m_vproc.Start({"--state", QString::fromStdString(StatePath())})) << "no virtual processor";

        m_pLink = std::make_unique<CProcessorLink>();
        m_window = std::make_unique<COrvanDlgDlg>(*m_pLink);
        m_window->SetDialogRunner([this](QDialog& dialog) {
            m_shown.push_back(dialog.objectName());
            if (m_steps.empty())
                return int(QDialog::Rejected);
            const Step step = m_steps.front();
            m_steps.pop_front();
            step(dialog);
            return dialog.result();
        });
        QObject::connect(&m_window->Connection(), &CConnection::liveProgramLoaded, [this] { ++m_nLiveLoads; });
    }

    void TearDown() override
    {
        m_window.reset();
        m_pLink.reset();
        m_vproc.Stop();
    }

    COrvanDlgDlg& Window() { return *m_window; }
    CLockState& Locks() { return m_window->Locks(); }
    std::string StatePath() const { return m_env.FilePath("state.txt").toStdString(); }

    void Connect()
    {
        const int nLoads = m_nLiveLoads;
        m_steps = {[this](QDialog& dialog) {
            dialog.findChild<QComboBox*>("PortCombo")->setEditText(m_vproc.Port());
            dialog.accept();
        }};
        Window().CommandButton(COrvanDlgDlg::kConnection)->click();
        ASSERT_TRUE(RunUntil([&] { return m_nLiveLoads > nLoads; }, 8000)) << "no live program";
    }

    // LOCK with the windows answered by `steps`; the names of the windows
    // that opened.
    std::vector<QString> PressLock(std::deque<Step> steps)
    {
        m_shown.clear();
        m_steps = std::move(steps);
        Window().CommandButton(COrvanDlgDlg::kLock)->click();
        EXPECT_TRUE(m_steps.empty()) << "windows expected but not shown";
        return m_shown;
    }

    // The processor saves its state a moment after a change; true once its
    // live lock record is `expected`.
    bool ProcessorRecordBecomes(const LockSet& expected)
    {
        return RunUntil(
            [&] {
                CProcessorState state;
                std::string error;
                return CStateFile::Load(StatePath(), state, error) && state.aLocks[0] == expected;
            },
            3000);
    }

    bool LockSetQueued() const
    {
        const CSendDataQueue& queue = m_window->Engine().Queue();
        for (int i = 0; i < queue.Count(); ++i)
            if (queue.At(i).GetFrame()[Frame::kOffType] == Frame::kLockData)
                return true;
        return false;
    }

    // The Device dialog's "change ID" choice, as the dialog offers it.
    bool DeviceIdChangeOffered()
    {
        bool bOffered = false;
        m_steps = {[&](QDialog& dialog) {
            bOffered = dialog.findChild<QRadioButton*>("ChangeIdRadio")->isEnabled();
            dialog.reject();
        }};
        Window().CommandButton(COrvanDlgDlg::kDevice)->click();
        return bOffered;
    }

    CWindowTestEnvironment m_env;
    CVprocProcess m_vproc{m_env.FilePath("port")};
    // The link outlives the window, as the application object has it.
    std::unique_ptr<CProcessorLink> m_pLink;
    std::unique_ptr<COrvanDlgDlg> m_window;
    std::deque<Step> m_steps;
    std::vector<QString> m_shown;
    int m_nLiveLoads = 0;
};

using Names = std::vector<QString>;
}

TEST_F(LockWindowTest, PasswordAndLocksLiveOnTheProcessorAcrossAReconnect)
{
    Connect();
    const LockSet none = Record({}, "");
    ASSERT_TRUE(ProcessorRecordBecomes(none));

    // No password yet: choose to set one, then lock input gain and the
    // device ID.
    LockSet shown{};
    Names opened = PressLock({
        Click("PasswordSetupButton"),
        TypeAndOk("Ab12cD", "Ab12cD"),
        [&](QDialog& dialog) {
            auto& window = dynamic_cast<CLockDataDlg&>(dialog);
            // The new password went out before the lock window opened.
            EXPECT_TRUE(ProcessorRecordBecomes(Record({}, "Ab12cD")));
            EXPECT_EQ(Shown(window, "Ab12cD"), Record({}, "Ab12cD"));
            window.Box(CLockState::kInGain)->click();
            window.Box(CLockState::kSysDeviceId)->click();
            shown = Shown(window, "Ab12cD");
            Click("OkButton")(dialog);
        },
    });
    EXPECT_EQ(opened, (Names{"ChoiceWindow", "SetWindow", "LockWindow"}));
    EXPECT_EQ(shown, Record({0x01, 0, 0, 0, 0x10, 0}, "Ab12cD"));
    EXPECT_TRUE(ProcessorRecordBecomes(shown));
    EXPECT_FALSE(DeviceIdChangeOffered());

    // Disconnecting releases the locks on the PC only.
    Window().CommandButton(COrvanDlgDlg::kConnection)->click();
    EXPECT_FALSE(Locks().IsLocked(CLockState::kInGain));
    Connect();
    EXPECT_TRUE(Locks().IsLocked(CLockState::kInGain));
    EXPECT_TRUE(Locks().IsLocked(CLockState::kSysDeviceId));
    EXPECT_EQ(Locks().GetPassword(), "Ab12cD");
    EXPECT_TRUE(ParamCatalogue::IsLocked(EParam::kInGain, &Locks()));
    EXPECT_EQ(ParamCatalogue::Format(EParam::kInGain, Window().Data(), {1, 0}, kEnglish, &Locks()),
              LockText(kEnglish));
    EXPECT_FALSE(DeviceIdChangeOffered());
    // Input B chosen on the strip: its panel shows the lock text, the field
    // takes no edit and the fader is gone.
    Window().findChild<CCHEDlg*>()->ColumnAt(1).pSelect->click();
    const CInFaceDlg& input = *Window().findChild<CInFaceDlg*>();
    EXPECT_EQ(input.GainField()->text(), LockText(Window().GetLanguage()));
    EXPECT_FALSE(input.GainField()->isEnabled());
    EXPECT_TRUE(input.GainFader()->isHidden());

    // The password is asked for; a wrong one opens nothing else.
    opened = PressLock({
        TypeAndOk("ab12cd"),
        Click("AgainButton"),
        TypeAndOk("Ab12cD"),
        Click("ChangeLockedItemButton"),
        [&](QDialog& dialog) {
            auto& window = dynamic_cast<CLockDataDlg&>(dialog);
            EXPECT_EQ(Shown(window, "Ab12cD"), shown);
            window.Box(CLockState::kInGain)->click();
            window.Box(CLockState::kSysDeviceId)->click();
            shown = Shown(window, "Ab12cD");
            Click("OkButton")(dialog);
        },
    });
    EXPECT_EQ(opened, (Names{"EntryWindow", "EntryFailedWindow", "EntryWindow", "NextStepWindow", "LockWindow"}));
    EXPECT_EQ(shown, Record({}, "Ab12cD"));
    EXPECT_TRUE(ProcessorRecordBecomes(shown));
    EXPECT_FALSE(ParamCatalogue::IsLocked(EParam::kInGain, &Locks()));
    EXPECT_TRUE(DeviceIdChangeOffered());
    // Unlocked the moment the lock set went out.
    EXPECT_NE(input.GainField()->text(), LockText(Window().GetLanguage()));
    EXPECT_TRUE(input.GainField()->isEnabled());
    EXPECT_FALSE(input.GainFader()->isHidden());

    // Clearing the password: the record carries six spaces again and the
    // next LOCK offers the choice.
    opened = PressLock({TypeAndOk("Ab12cD"), Click("UnlockPasswordButton"), Click("YesButton"), Click("ExitButton")});
    EXPECT_EQ(opened, (Names{"EntryWindow", "NextStepWindow", "ClearWindow", "ClearedWindow"}));
    EXPECT_EQ(Locks().GetPassword(), "");
    EXPECT_TRUE(ProcessorRecordBecomes(none));
    EXPECT_EQ(PressLock({Click("ExitButton")}), Names{"ChoiceWindow"});
    EXPECT_TRUE(m_env.Boxes().empty());
}

TEST_F(LockWindowTest, ChangingThePasswordSendsItAndABadOneIsRefused)
{
    Connect();
    PressLock({Click("PasswordSetupButton"), TypeAndOk("Old123", "Old123"), Click("OkButton")});
    ASSERT_TRUE(ProcessorRecordBecomes(Record({}, "Old123")));

    const Names opened = PressLock({
        TypeAndOk("Old123"),
        Click("ChangePasswordButton"),
        TypeAndOk("New45", "New45"),
        [](QDialog& dialog) {
            EXPECT_EQ(dialog.findChild<QLabel*>()->text(), QStringLiteral("新密码输入错误！"));
            Click("AgainButton")(dialog);
        },
        TypeAndOk("New456", "New456"),
        Click("ExitButton"),
    });
    EXPECT_EQ(opened, (Names{"EntryWindow", "NextStepWindow", "ChangeWindow", "ChangeFailedWindow", "ChangeWindow",
                             "ChangedWindow"}));
    EXPECT_EQ(Locks().GetPassword(), "New456");
    EXPECT_TRUE(ProcessorRecordBecomes(Record({}, "New456")));
}

TEST_F(LockWindowTest, APasswordOfTheWrongLengthOrCharactersIsRefusedAndNothingSent)
{
    Connect();
    ASSERT_TRUE(RunUntil([&] { return !LockSetQueued(); }, 3000));

    const Names opened = PressLock({
        Click("PasswordSetupButton"),
        TypeAndOk("Ab12c", "Ab12c"),
        [](QDialog& dialog) {
            EXPECT_EQ(dialog.windowTitle(), QStringLiteral("设置密码失败"));
            EXPECT_EQ(dialog.findChild<QLabel*>()->text(), QStringLiteral("密码设置失败！"));
            Click("AgainButton")(dialog);
        },
        // Set past the key filter, as a paste into an older field could.
        [](QDialog& dialog) {
            dialog.findChild<CPassWordEdit*>("FirstPasswordField")->setText("ab cd!");
            dialog.findChild<CPassWordEdit*>("SecondPasswordField")->setText("ab cd!");
            Click("OkButton")(dialog);
        },
        Click("AgainButton"),
        // Letters typed that differ in case.
        TypeAndOk("abcdef", "abcdeF"),
        Click("ExitButton"),
    });
    EXPECT_EQ(opened, (Names{"ChoiceWindow", "SetWindow", "SetFailedWindow", "SetWindow", "SetFailedWindow",
                             "SetWindow", "SetFailedWindow"}));
    EXPECT_EQ(Locks().GetPassword(), "");
    EXPECT_FALSE(LockSetQueued());
    EXPECT_EQ(PressLock({Click("ExitButton")}), Names{"ChoiceWindow"});
}
