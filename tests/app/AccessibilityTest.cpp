// The main window as a screen reader meets it, in both languages: every
// control it can work has a name that says what it is, no two controls of
// one panel share a name, and a button's first action does what a click
// does.

#include "app/MainShortcuts.h"
#include "app/MainText.h"
#include "app/OrvanDlgDlg.h"
#include "model/Audio_Data.h"
#include "model/ParamCatalogue.h"
#include "link/ConnectDlg.h"
#include "model/DataDefine.h"
#include "model/ValueText.h"
#include "tests/app/WindowTestEnvironment.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QApplication>
#include <QFile>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <set>

namespace
{
bool IsInteractive(QAccessible::Role role)
{
    switch (role)
    {
    case QAccessible::PushButton:
    case QAccessible::CheckBox:
    case QAccessible::RadioButton:
    case QAccessible::ComboBox:
    case QAccessible::EditableText:
    case QAccessible::SpinBox:
    case QAccessible::Slider:
    case QAccessible::ButtonMenu:
    case QAccessible::ButtonDropDown:
        return true;
    default:
        return false;
    }
}

struct Control
{
    QAccessibleInterface* pInterface;
    QString strPanel;
    QString strName;
};

// Every visible interactive control below `node`, with the area (the main
// window's direct child) it belongs to.
void Collect(QAccessibleInterface* node, const QString& panel, std::vector<Control>& out)
{
    for (int i = 0; i < node->childCount(); ++i)
    {
        QAccessibleInterface* child = node->child(i);
        if (child == nullptr || child->state().invisible)
            continue;
        QString area = panel;
        if (area.isEmpty() && child->object() != nullptr)
            area = child->object()->objectName().isEmpty() ? QString::fromLatin1(child->object()->metaObject()->className())
                                                           : child->object()->objectName();
        if (IsInteractive(child->role()))
            out.push_back({child, area, child->text(QAccessible::Name)});
        Collect(child, area, out);
    }
}

class AccessibilityTest : public ::testing::TestWithParam<ELanguage>
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_env.IsReady());
        m_window = std::make_unique<COrvanDlgDlg>(m_link);
        m_window->SetDialogRunner([this](QDialog& dialog) {
            m_dialogs.push_back(dialog.objectName());
            return int(QDialog::Rejected);
        });
        m_window->SetLanguage(GetParam());
        m_window->resize(1600, 900);
        m_window->show();
    }

    std::vector<Control> Controls()
    {
        std::vector<Control> controls;
        Collect(QAccessible::queryAccessibleInterface(m_window.get()), QString(), controls);
        return controls;
    }

    CWindowTestEnvironment m_env;
    CProcessorLink m_link;
    std::unique_ptr<COrvanDlgDlg> m_window;
    std::vector<QString> m_dialogs;
};

TEST_P(AccessibilityTest, EveryControlHasANameOfItsOwnInItsPanel)
{
    for (const ChannelAddress side : {ChannelAddress::Input(0), ChannelAddress::Output(0)})
    {
        m_window->SelectChannel(side);
        const std::vector<Control> controls = Controls();
        EXPECT_GT(controls.size(), 100u);
        std::map<QString, std::map<QString, QStringList>> names;
        for (const Control& control : controls)
        {
            EXPECT_FALSE(control.strName.trimmed().isEmpty())
                << control.strPanel.toStdString() << ": "
                << (control.pInterface->object() ? control.pInterface->object()->objectName().toStdString() : "")
                << " " << control.pInterface->object()->metaObject()->className();
            names[control.strPanel][control.strName]
                << (control.pInterface->object() ? control.pInterface->object()->objectName() : QString());
        }
        for (const auto& [panel, named] : names)
            for (const auto& [name, objects] : named)
                EXPECT_EQ(objects.size(), 1) << panel.toStdString() << ": \"" << name.toStdString() << "\" "
                                             << objects.join(QLatin1Char(' ')).toStdString();
    }
}

TEST_P(AccessibilityTest, ButtonsFirstActionDoesWhatAClickDoes)
{
    for (QAbstractButton* button : m_window->findChildren<QAbstractButton*>())
    {
        if (!button->isVisible() || !button->isEnabled())
            continue;
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(button);
        ASSERT_NE(accessible, nullptr);
        QAccessibleActionInterface* actions = accessible->actionInterface();
        ASSERT_NE(actions, nullptr) << button->objectName().toStdString();
        ASSERT_FALSE(actions->actionNames().isEmpty()) << button->objectName().toStdString();
        const QString first = actions->actionNames().front();
        EXPECT_TRUE(first == QAccessibleActionInterface::pressAction()
                    || first == QAccessibleActionInterface::toggleAction())
            << button->objectName().toStdString() << " " << first.toStdString();
    }

    // CONNECTION's action connects: it opens the Connection dialog, as a
    // click does, and the button does not look connected after it.
    QPushButton* connection = m_window->CommandButton(COrvanDlgDlg::kConnection);
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(connection);
    QAccessibleActionInterface* actions = accessible->actionInterface();
    actions->doAction(actions->actionNames().front());
    ASSERT_EQ(m_dialogs.size(), 1u);
    EXPECT_EQ(m_dialogs.front(), "ConnectDialog");
    EXPECT_FALSE(connection->isChecked());
}

TEST_P(AccessibilityTest, CompareButtonSaysWhichSideIsInUse)
{
    auto* compare = m_window->findChild<QPushButton*>("CompareButton");
    ASSERT_NE(compare, nullptr);
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(compare);
    const QString onA = accessible->text(QAccessible::Name);
    EXPECT_EQ(onA, MainText(EMainText::CompareInUse, GetParam()).arg('A'));
    accessible->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    const QString onB = accessible->text(QAccessible::Name);
    EXPECT_EQ(onB, MainText(EMainText::CompareInUse, GetParam()).arg('B'));
}

// Each shortcut does what its button does, and the help of both languages
// lists it.
TEST_P(AccessibilityTest, ShortcutsSelectMuteAndBypassAndTheHelpListsThem)
{
    QApplication::setActiveWindow(m_window.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(m_window.get()));
    const auto press = [this](const QKeySequence& key) {
        QTest::keySequence(m_window.get(), key);
    };
    const CAudio_Data& record = m_link.Record();
    for (const MainShortcuts::Shortcut& shortcut : MainShortcuts::All())
    {
        SCOPED_TRACE(shortcut.key.toString().toStdString());
        if (shortcut.eAction != MainShortcuts::EAction::Select)
            continue;
        press(shortcut.key);
        EXPECT_EQ(m_window->Selector().Current(), shortcut.channel);
    }

    m_window->SelectChannel(ChannelAddress::Output(2));
    // A band boosted: an EQ with every band flat counts as bypassed.
    m_link.Edit(EParam::kOutBandGain, {2, 3}, Scales::kEqGain.ZeroStep() + 30);
    const auto outputOn = [&] { return ParamCatalogue::Get(EParam::kOutOn, record, {2, 0}); };
    const auto eqBypass = [&] { return ParamCatalogue::Get(EParam::kOutEqBypass, record, {2, 0}); };
    const int on = outputOn();
    const int bypass = eqBypass();
    press(QKeySequence(Qt::CTRL | Qt::Key_M));
    EXPECT_NE(outputOn(), on);
    press(QKeySequence(Qt::CTRL | Qt::Key_M));
    EXPECT_EQ(outputOn(), on);
    press(QKeySequence(Qt::CTRL | Qt::Key_E));
    EXPECT_NE(eqBypass(), bypass);
    press(QKeySequence(Qt::CTRL | Qt::Key_E));
    EXPECT_EQ(eqBypass(), bypass);

    for (const char* page : {"en/index.html", "zh/index.html"})
    {
        QFile file(QStringLiteral(ORVAN_HELP_DIR "/") + QLatin1String(page));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << page;
        const QString help = QString::fromUtf8(file.readAll());
        for (const MainShortcuts::Shortcut& shortcut : MainShortcuts::All())
            EXPECT_TRUE(help.contains(shortcut.key.toString(QKeySequence::PortableText)))
                << page << " " << shortcut.key.toString().toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(BothLanguages, AccessibilityTest, ::testing::Values(kChinese, kEnglish),
                         [](const ::testing::TestParamInfo<ELanguage>& info) {
                             return info.param == kEnglish ? std::string("English") : std::string("Chinese");
                         });
}
