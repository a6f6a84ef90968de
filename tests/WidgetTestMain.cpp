// Test main for widget tests: widgets need a QApplication, which must exist
// before the first test builds a window.
#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    // Test discovery runs this binary at build time, outside the test's
    // environment; widgets then still need a platform that needs no display.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
