// Test main for tests that run the Qt event loop: signals queued across the
// loop and socket notifiers need a QCoreApplication to exist.
#include <QCoreApplication>

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
