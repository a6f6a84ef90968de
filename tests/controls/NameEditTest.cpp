#include "model/ValueText.h"
#include "controls/NameEdit.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace
{
class NameEditTest : public ::testing::Test
{
protected:
    NameEditTest()
        : m_edited(&m_edit, &CNameEdit::NameEdited)
    {
        m_edit.SetChannel(QStringLiteral("CH1"));
        m_edit.SetName(QStringLiteral("Main"));
        m_edit.setCursorPosition(4);
    }

    // A key press carrying text, as a keyboard layout or an input method
    // delivers characters that have no key code of their own.
    void Type(const QString& text)
    {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, text);
        QApplication::sendEvent(&m_edit, &press);
    }

    void Commit(const QString& text)
    {
        QInputMethodEvent event;
        event.setCommitString(text);
        QApplication::sendEvent(&m_edit, &event);
    }

    CNameEdit m_edit;
    QSignalSpy m_edited;
};

TEST_F(NameEditTest, RefusesDoubleByteAndNonAsciiCharactersAsTyped)
{
    Type(QStringLiteral("中"));
    Type(QStringLiteral("é"));
    Type(QStringLiteral("😀"));
    Commit(QStringLiteral("中文"));
    EXPECT_EQ(m_edit.text(), "Main");
    Type(QStringLiteral("-"));
    Commit(QStringLiteral("L"));
    EXPECT_EQ(m_edit.text(), "Main-L");
    EXPECT_TRUE(m_edit.isModified());
}

TEST_F(NameEditTest, NinthCharacterIsRefused)
{
    QTest::keyClicks(&m_edit, QStringLiteral("Left"));
    EXPECT_EQ(m_edit.text(), "MainLeft");
    QTest::keyClicks(&m_edit, QStringLiteral("X"));
    Commit(QStringLiteral("Y"));
    EXPECT_EQ(m_edit.text(), "MainLeft");
}

TEST_F(NameEditTest, PasteKeepsOnlyTypableCharacters)
{
    QApplication::clipboard()->setText(QStringLiteral("Sub中 wooferXYZ"));
    m_edit.clear();
    QTest::keyClick(&m_edit, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(m_edit.text(), "Sub woof");
    m_edit.clear();
    m_edit.InsertTyped(QStringLiteral("\tA\x7f" "B"));
    EXPECT_EQ(m_edit.text(), "AB");
}

TEST_F(NameEditTest, StoredBytesStayAndCanBeTypedAfter)
{
    // A name from the processor, one character per byte.
    m_edit.SetName(QString::fromLatin1("Caf\xe9"));
    m_edit.setCursorPosition(4);
    QTest::keyClicks(&m_edit, QStringLiteral("s"));
    EXPECT_EQ(m_edit.text(), QString::fromLatin1("Caf\xe9s"));
}

TEST_F(NameEditTest, ReportsAnEditedNameOnceWhenLeft)
{
    QTest::keyClick(&m_edit, Qt::Key_Return);
    EXPECT_TRUE(m_edited.isEmpty());  // nothing changed

    QTest::keyClicks(&m_edit, QStringLiteral("2"));
    QTest::keyClick(&m_edit, Qt::Key_Return);
    ASSERT_EQ(m_edited.size(), 1);
    EXPECT_EQ(m_edited.at(0).at(0).toString(), "Main2");
    EXPECT_EQ(m_edit.Name(), "Main2");
    QTest::keyClick(&m_edit, Qt::Key_Return);
    EXPECT_EQ(m_edited.size(), 1);

    m_edit.SetName(QStringLiteral("Other"));
    QTest::keyClick(&m_edit, Qt::Key_Return);
    EXPECT_EQ(m_edited.size(), 1);
}

TEST_F(NameEditTest, LockShowsTheLockTextInTheCurrentLanguage)
{
    m_edit.SetLocked(true);
    EXPECT_FALSE(m_edit.isEnabled());
    EXPECT_EQ(m_edit.text(), "锁定");
    m_edit.SetLanguage(kEnglish);
    EXPECT_EQ(m_edit.text(), "Lock");
    m_edit.SetName(QStringLiteral("Fill"));  // a load while locked
    EXPECT_EQ(m_edit.text(), "Lock");
    m_edit.SetLocked(false);
    EXPECT_TRUE(m_edit.isEnabled());
    EXPECT_EQ(m_edit.text(), "Fill");
    EXPECT_TRUE(m_edited.isEmpty());
}

TEST_F(NameEditTest, AccessibleNameAndValueInBothLanguages)
{
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(&m_edit);
    ASSERT_NE(accessible, nullptr);
    EXPECT_EQ(accessible->text(QAccessible::Name), "CH1 名称");
    EXPECT_EQ(accessible->text(QAccessible::Value), "Main");
    EXPECT_EQ(m_edit.toolTip(), "CH1 名称：Main");
    m_edit.SetLanguage(kEnglish);
    EXPECT_EQ(accessible->text(QAccessible::Name), "CH1 name");
    EXPECT_EQ(m_edit.toolTip(), "CH1 name: Main");
}
}
