// The System window from the main window: its changes reach a virtual
// processor program byte for byte, and it switches the language without one.

#include "app/InformationDlg.h"
#include "app/OrvanDlgDlg.h"
#include "tests/app/ProgramWindowsFixture.h"

#include "vproc/ProcessorState.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>


TEST_F(ProgramWindowsTest, SystemWindowChangesReachTheProcessorByteForByte)
{
    CProcessorState state;
    CAudio_Data texts;
    texts.SetInfoText(1, "Caf\xE9 \xC4rger");
    texts.SetInfoText(4, "hidden five");
    texts.SetInfoText(5, "\xB0hidden six");
    std::ranges::copy(texts.BuildInfoBlock(), state.abyInfo.begin());
    const auto processor = StartProcessor("unit", {}, &state);
    Connect(*processor);

    const QString first15 = QStringLiteral("ABCDEFGHIJ.1234");
    const QString fourth40 = QStringLiteral("The quick brown fox jumps over a dog 123");
    m_fillIn = [&](QDialog& dialog) {
        auto& system = dynamic_cast<CInformationDlg&>(dialog);
        EXPECT_EQ(system.findChild<QLabel*>("VersionText")->text(), "C-DV1.05");
        EXPECT_EQ(system.findChild<QLineEdit*>("InfoText2")->text(), QString::fromLatin1("Caf\xE9 \xC4rger"));
        EXPECT_TRUE(system.findChild<QLineEdit*>("InfoText5")->isHidden());
        auto* backlight = system.findChild<QComboBox*>("BacklightList");
        auto* powerOn = system.findChild<QComboBox*>("PowerOnList");
        EXPECT_EQ(backlight->currentIndex(), 0);
        backlight->setCurrentIndex(1);
        powerOn->setCurrentIndex(2);
        system.findChild<QLineEdit*>("InfoText1")->setText(first15);
        system.findChild<QLineEdit*>("InfoText4")->setText(fourth40);
        Click(system, "OkButton");
    };
    Window().CommandButton(COrvanDlgDlg::kInterface)->click();
    ASSERT_TRUE(WaitUntilSent());
    Window().Disconnect();

    const CProcessorState after = StateAfter(*processor, "unit");
    EXPECT_EQ(after.byBacklight, 2);
    EXPECT_EQ(after.byPowerOn, 3);
    std::array<uint8_t, 255> expected;
    expected.fill(' ');
    const auto put = [&](size_t offset, const QByteArray& text) { std::ranges::copy(text, expected.begin() + offset); };
    put(0, first15.toLatin1());
    put(15, QByteArray("Caf\xE9 \xC4rger"));
    put(15 + 80, fourth40.toLatin1());
    put(15 + 120, QByteArray("hidden five"));
    put(15 + 160, QByteArray("\xB0hidden six"));
    EXPECT_EQ(after.abyInfo, expected);
}

TEST_F(ProgramWindowsTest, SystemWindowSwitchesTheLanguageWithoutAProcessor)
{
    EXPECT_EQ(Window().GetLanguage(), kChinese);
    const QString chineseYes = QCoreApplication::translate("QPlatformTheme", "&Yes");
    EXPECT_NE(chineseYes, "&Yes") << "Qt's Chinese translation is not installed";

    QStringList seen;
    m_fillIn = [&](QDialog& dialog) {
        seen << dialog.windowTitle() << dialog.findChild<QPushButton*>("LanguageButton")->text();
        Click(dialog, "LanguageButton");
        seen << dialog.windowTitle() << dialog.findChild<QPushButton*>("LanguageButton")->text()
             << dialog.findChild<QComboBox*>("PowerOnList")->itemText(2);
        dialog.reject();
    };
    Window().CommandButton(COrvanDlgDlg::kInterface)->click();
    EXPECT_EQ(seen, QStringList({QString::fromUtf8("系统"), "Chinese", "System", "English", "Load"}));
    EXPECT_EQ(Window().GetLanguage(), kEnglish);
    EXPECT_EQ(Window().CommandButton(COrvanDlgDlg::kProgram)->text(), "PROGRAM");
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "&Yes"), "&Yes");

    Window().CommandButton(COrvanDlgDlg::kInterface)->click();
    EXPECT_EQ(Window().GetLanguage(), kChinese);
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "&Yes"), chineseYes);
}
