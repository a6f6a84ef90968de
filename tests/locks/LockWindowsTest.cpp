// The lock window, the password field and the password windows as widgets,
// on a link with no processor behind it.

#include "locks/LockCommand.h"
#include "locks/LockDataDlg.h"
#include "locks/LocksText.h"
#include "locks/PassWordEdit.h"
#include "locks/PasswordStepDlg.h"

#include "model/ValueText.h"
#include "session/ProcessorLink.h"

#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <vector>

using PasswordFlow::EStep;

namespace
{
class LockWindowsTest : public ::testing::Test
{
protected:
    CProcessorLink m_link;
    CLockState& Locks() { return m_link.Locks(); }
    int QueuedFrames() const { return m_link.Command().Queue().Count(); }
};
}

TEST_F(LockWindowsTest, LockWindowChangesTheLocksOnlyOnOk)
{
    QSignalSpy heard(&m_link.Notice(), &CRecordNotice::locksChanged);
    const CLockState::LockSet before = Locks().EncodeLockSet();
    {
        CLockDataDlg dialog(m_link);
        dialog.Box(CLockState::kOutMute)->click();
        dialog.SelectAll(CLockSelection::kInputs)->click();
        EXPECT_TRUE(dialog.Box(CLockState::kInLink)->isChecked());
        dialog.reject();
    }
    EXPECT_EQ(Locks().EncodeLockSet(), before);
    EXPECT_EQ(heard.count(), 0);

    CLockDataDlg dialog(m_link);
    EXPECT_FALSE(dialog.Box(CLockState::kOutMute)->isChecked());
    EXPECT_EQ(dialog.Box(CLockState::kSysSoundTest), nullptr);
    dialog.Box(CLockState::kOutMute)->click();
    dialog.Box(CLockState::kSysDeviceId)->click();
    dialog.findChild<QPushButton*>("OkButton")->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_TRUE(Locks().IsLocked(CLockState::kOutMute));
    EXPECT_TRUE(Locks().IsLocked(CLockState::kSysDeviceId));
    EXPECT_EQ(heard.count(), 1);
    // No processor: the PC copy changes alone.
    EXPECT_EQ(QueuedFrames(), 0);
}

TEST_F(LockWindowsTest, FixedLocksAreShownButCannotBeChanged)
{
    Locks().SetFlag(CLockState::kInEq, true);
    Locks().SetFixed(CLockState::kInEq, true);
    for (int flag : CLockSelection::Flags(CLockSelection::kOutputs))
        Locks().SetFixed(flag, true);

    CLockDataDlg dialog(m_link);
    QCheckBox* eq = dialog.Box(CLockState::kInEq);
    EXPECT_TRUE(eq->isChecked());
    EXPECT_FALSE(eq->isEnabled());
    EXPECT_FALSE(dialog.SelectAll(CLockSelection::kOutputs)->isEnabled());

    QCheckBox* all = dialog.SelectAll(CLockSelection::kInputs);
    all->click();
    EXPECT_TRUE(all->isChecked());
    all->click();
    EXPECT_FALSE(dialog.Box(CLockState::kInGain)->isChecked());
    EXPECT_TRUE(eq->isChecked());
    EXPECT_FALSE(all->isChecked());

    // Ticking the last clear box ticks "Select all" too.
    for (int flag : CLockSelection::Flags(CLockSelection::kInputs))
        if (!dialog.Box(flag)->isChecked())
            dialog.Box(flag)->click();
    EXPECT_TRUE(all->isChecked());
}

TEST_F(LockWindowsTest, PasswordFieldMasksAndTakesSixLettersOrDigits)
{
    CPassWordEdit field;
    EXPECT_EQ(field.echoMode(), QLineEdit::Password);
    QTest::keyClicks(&field, "a-B c!1_2%3#4");
    EXPECT_EQ(field.text(), QStringLiteral("aBc123"));
    field.clear();
    // A paste goes through the same check.
    field.insert(QStringLiteral("ab cd"));
    EXPECT_EQ(field.text(), QString());
    field.insert(QStringLiteral("abcdefgh"));
    EXPECT_EQ(field.text(), QStringLiteral("abcdef"));
}

TEST_F(LockWindowsTest, WithoutAProcessorTheLockCommandShowsOnlyTheNotConnectedWindow)
{
    Locks().SetPassword("Ab12cD");
    std::vector<QString> shown;
    OpenLockCommand(m_link, nullptr, [&](QDialog& dialog) {
        shown.push_back(dialog.objectName());
        EXPECT_EQ(dialog.windowTitle(), LocksText(ELocksText::NotConnectedTitle, kChinese));
        dialog.findChild<QPushButton*>("ExitButton")->click();
        return dialog.result();
    });
    EXPECT_EQ(shown, std::vector<QString>{QStringLiteral("NotConnectedWindow")});
    EXPECT_EQ(QueuedFrames(), 0);
}

TEST_F(LockWindowsTest, ClosingAPasswordWindowEndsTheChain)
{
    CPasswordStepDlg dialog(EStep::Set, kEnglish);
    dialog.findChild<CPassWordEdit*>("FirstPasswordField")->setText("Ab12cD");
    dialog.reject();
    EXPECT_FALSE(dialog.Pressed().has_value());

    CPasswordStepDlg back(EStep::Set, kEnglish);
    back.findChild<QPushButton*>("BackButton")->click();
    EXPECT_EQ(back.Pressed(), PasswordFlow::EButton::Back);
    EXPECT_EQ(back.SecondText(), "");
}

// Every window in both languages, grabbed; with ORVAN_SHOT_DIR set the
// pictures are saved there to be looked at.
TEST_F(LockWindowsTest, EveryWindowDrawsInBothLanguages)
{
    const QString dir = qEnvironmentVariable("ORVAN_SHOT_DIR");
    Locks().SetFlag(CLockState::kInGain, true);
    Locks().SetFlag(CLockState::kSysDeviceId, true);
    Locks().SetFlag(CLockState::kInEq, true);
    Locks().SetFixed(CLockState::kInEq, true);
    for (ELanguage eLanguage : {kChinese, kEnglish})
    {
        const QString suffix = eLanguage == kEnglish ? QStringLiteral("-en.png") : QStringLiteral("-zh.png");
        m_link.Notice().SetLanguage(eLanguage);
        std::vector<std::unique_ptr<QDialog>> windows;
        windows.push_back(std::make_unique<CLockDataDlg>(m_link));
        for (int n = 0; n < int(EStep::LockWindow); ++n)
            windows.push_back(std::make_unique<CPasswordStepDlg>(static_cast<EStep>(n), eLanguage));
        for (const auto& window : windows)
        {
            SCOPED_TRACE(window->objectName().toStdString());
            EXPECT_FALSE(window->windowTitle().isEmpty());
            window->adjustSize();
            const QPixmap picture = window->grab();
            EXPECT_FALSE(picture.isNull());
            if (!dir.isEmpty())
            {
                EXPECT_TRUE(picture.save(QDir(dir).filePath(window->objectName() + suffix)));
            }
        }
    }
}
