#include "ui/MainSkin.h"

#include <gtest/gtest.h>

namespace
{
// The sheet comes from a resource linked into the base library: a library
// that lost it, or a colour name the code does not fill in, would leave the
// windows unstyled or with a broken rule, and nothing else would say so.
TEST(MainSkinTest, StyleSheetLoadsWithEveryColourFilledIn)
{
    const QString sheet = CMainSkin::StyleSheet();
    ASSERT_FALSE(sheet.isEmpty());
    EXPECT_FALSE(sheet.contains(QLatin1Char('@'))) << sheet.toStdString();
    EXPECT_TRUE(sheet.contains(QStringLiteral("QDialog#MainWindow {\n    background: %1;").arg(CMainSkin::kWindow.name())));
    EXPECT_TRUE(sheet.contains(QStringLiteral("QMessageBox")));
}
}
