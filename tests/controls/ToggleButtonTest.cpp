#include "model/ValueText.h"
#include "controls/ToggleButton.h"

#include <QAccessible>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace
{
using EStyle = CToggleButton::EStyle;

QAccessibleInterface* Accessible(QWidget* widget)
{
    return QAccessible::queryAccessibleInterface(widget);
}

TEST(ToggleButtonTest, ClicksLeaveTheStateToTheOwner)
{
    CToggleButton button(EStyle::Mute);
    button.resize(32, 24);
    QSignalSpy clicks(&button, &QAbstractButton::clicked);

    QTest::mouseClick(&button, Qt::LeftButton);
    QTest::keyClick(&button, Qt::Key_Space);
    QTest::keyClick(&button, Qt::Key_Return);
    QTest::keyClick(&button, Qt::Key_Enter);
    EXPECT_EQ(clicks.size(), 4);
    EXPECT_FALSE(button.isChecked());

    button.setChecked(true);
    QTest::mouseClick(&button, Qt::LeftButton);
    EXPECT_TRUE(button.isChecked());
    EXPECT_EQ(clicks.size(), 5);
}

TEST(ToggleButtonTest, AccessibleActionsClickLikeTheMouse)
{
    CToggleButton button(EStyle::Route);
    QSignalSpy clicks(&button, &QAbstractButton::clicked);
    // The owner's answer to a click: flip the routing bit and show it.
    QObject::connect(&button, &QAbstractButton::clicked, &button, [&button] { button.setChecked(!button.isChecked()); });

    QAccessibleInterface* accessible = Accessible(&button);
    ASSERT_NE(accessible, nullptr);
    QAccessibleActionInterface* actions = accessible->actionInterface();
    ASSERT_NE(actions, nullptr);
    EXPECT_TRUE(actions->actionNames().contains(QAccessibleActionInterface::pressAction()));
    EXPECT_TRUE(actions->actionNames().contains(QAccessibleActionInterface::toggleAction()));

    actions->doAction(QAccessibleActionInterface::toggleAction());
    EXPECT_EQ(clicks.size(), 1);
    EXPECT_TRUE(accessible->state().checked);
    actions->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(clicks.size(), 2);
    EXPECT_FALSE(accessible->state().checked);
    EXPECT_TRUE(accessible->state().checkable);

    button.setEnabled(false);
    actions->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(clicks.size(), 2);
}

TEST(ToggleButtonTest, NamesAndValuesInBothLanguages)
{
    struct
    {
        const char* szCase;
        EStyle eStyle;
        bool bChecked;
        ELanguage eLanguage;
        const char* szName;
        const char* szValue;
    } const cases[] = {
        {"mute on en", EStyle::Mute, true, kEnglish, "CH3 on/mute", "On"},
        {"mute off zh", EStyle::Mute, false, kChinese, "CH3 开启/静音", "静音"},
        {"select en", EStyle::Select, true, kEnglish, "Select CH3", "Selected"},
        {"select zh", EStyle::Select, false, kChinese, "选择 CH3", "未选择"},
        {"curve en", EStyle::Curve, false, kEnglish, "CH3 curve", "Hidden"},
        {"curve zh", EStyle::Curve, true, kChinese, "CH3 曲线", "显示"},
        {"route en", EStyle::Route, true, kEnglish, "Input B to CH3", "On"},
        {"route zh", EStyle::Route, false, kChinese, "输入B到CH3", "断开"},
        {"tick en", EStyle::Tick, false, kEnglish, "Input B to CH3", "Off"},
        {"row E en", EStyle::RouteIndicator, false, kEnglish, "CH3 row E", "Off"},
    };
    for (const auto& c : cases)
    {
        CToggleButton button(c.eStyle);
        button.SetChannel(QStringLiteral("CH3"));
        button.SetRow(QStringLiteral("B"));
        button.SetLanguage(c.eLanguage);
        button.setChecked(c.bChecked);
        QAccessibleInterface* accessible = Accessible(&button);
        EXPECT_EQ(accessible->text(QAccessible::Name), QString::fromUtf8(c.szName)) << c.szCase;
        EXPECT_EQ(accessible->text(QAccessible::Value), QString::fromUtf8(c.szValue)) << c.szCase;
        EXPECT_TRUE(button.toolTip().endsWith(QString::fromUtf8(c.szValue))) << c.szCase;
    }
}

TEST(ToggleButtonTest, TextsFollowStateAndLanguage)
{
    CToggleButton polarity(EStyle::Caption);
    polarity.SetCaptions(QStringLiteral("+"), QStringLiteral("-"), QStringLiteral("Polarity"));
    EXPECT_EQ(polarity.DrawnText(), "+");
    EXPECT_EQ(polarity.toolTip(), "Polarity：+");
    polarity.setChecked(true);
    EXPECT_EQ(polarity.DrawnText(), "-");
    EXPECT_EQ(Accessible(&polarity)->text(QAccessible::Value), "-");

    // A band button shows the same caption in both states and reads On/Off.
    CToggleButton band(EStyle::Caption);
    band.SetCaptions(QStringLiteral("EQ1"), QStringLiteral("EQ1"), QStringLiteral("EQ1"));
    band.SetLanguage(kEnglish);
    EXPECT_EQ(Accessible(&band)->text(QAccessible::Value), "Off");

    CToggleButton curve(EStyle::Curve);
    curve.SetChannel(QStringLiteral("CHA"));
    EXPECT_EQ(curve.DrawnText(), "曲线");
    curve.SetLanguage(kEnglish);
    EXPECT_EQ(curve.DrawnText(), "curve");
    EXPECT_EQ(curve.toolTip(), "CHA curve: Hidden");
    curve.setChecked(true);
    EXPECT_EQ(curve.toolTip(), "CHA curve: Shown");
}
}
