// Where the main window goes on first start, and how a frame is kept on
// screen.

#include "ui/MainLayout.h"
#include "ui/WindowPlacement.h"

#include <gtest/gtest.h>

namespace
{
// A window manager's title bar and borders.
const QMargins kFrame{4, 30, 4, 4};

TEST(WindowPlacementTest, FirstStartTakesMostOfTheScreenWithTheWholeFrameOnIt)
{
    struct Case
    {
        const char* name;
        QRect available;
        QRect client;
    };
    const Case cases[] = {
        // The share (1088 x 612 frame) is below the minimum: the minimum
        // with its frame, centred, title bar on screen.
        {"1280x720", {0, 0, 1280, 720}, {20, 63, 1240, 620}},
        // A taskbar of 40 at the top leaves 1280 x 680.
        {"1280x720 taskbar", {0, 40, 1280, 680}, {20, 83, 1240, 620}},
        // 1632 x 918 frame.
        {"1920x1080", {0, 0, 1920, 1080}, {148, 111, 1624, 884}},
        // 2176 x 1224 frame.
        {"2560x1440", {0, 0, 2560, 1440}, {196, 138, 2168, 1190}},
        // A second screen right of the first.
        {"second 1920x1080", {1920, 0, 1920, 1080}, {2068, 111, 1624, 884}},
        // Smaller than the minimum with its frame: the whole screen.
        {"1024x600", {0, 0, 1024, 600}, {4, 30, 1016, 566}},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        const QRect client = WindowPlacement::FirstStartClient(c.available, MainLayout::kMinimumClient, kFrame);
        EXPECT_EQ(client, c.client);
        EXPECT_TRUE(c.available.contains(client.marginsAdded(kFrame)));
    }
}

TEST(WindowPlacementTest, FrameOffTheScreenMovesBackOntoIt)
{
    const QRect screen(0, 0, 1280, 720);
    struct Case
    {
        const char* name;
        QRect frame;
        QPoint topLeft;
    };
    const Case cases[] = {
        {"inside stays", {100, 50, 800, 600}, {100, 50}},
        // Content placed at (10, 10) put the title bar above the screen.
        {"title bar above", {-20, -20, 1248, 654}, {0, 0}},
        {"past the right and bottom", {600, 400, 800, 400}, {480, 320}},
        {"larger than the screen keeps its title bar", {-50, -50, 1400, 800}, {0, 0}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(WindowPlacement::FrameOnScreen(c.frame, screen), c.topLeft) << c.name;
}
}
