#include "ui/MainLayout.h"

#include <gtest/gtest.h>

#include <array>

namespace
{
using MainLayout::EArea;

constexpr std::array kAllAreas{EArea::Status,       EArea::Graph,   EArea::Commands,
                               EArea::ChannelPanel, EArea::EqPanel, EArea::ChannelStrip};

// From the minimum through the common screens (also 1920 x 1080 at 150 %
// and 200 %, 1280 x 720 and 960 x 540 logical) to 2560 x 1440, and sizes
// that grow in one direction only.
constexpr std::array kClients{
    QSize{1240, 620},  QSize{1240, 806},  QSize{1240, 807},  QSize{1264, 672}, QSize{1366, 705},
    QSize{1600, 860},  QSize{1920, 1017}, QSize{2560, 1400}, QSize{2560, 1440}, QSize{3000, 620},
    QSize{1240, 1440},
};

TEST(MainLayoutTest, AreasStayInsideTheClientApartAndTheirPanelsKeepTheirHeights)
{
    for (const QSize client : kClients)
    {
        SCOPED_TRACE(testing::Message() << client.width() << " x " << client.height());
        const MainLayout::CAreas areas = MainLayout::Areas(client);
        const QRect inside = QRect(QPoint(0, 0), client).adjusted(MainLayout::kMargin, MainLayout::kMargin,
                                                                   -MainLayout::kMargin, -MainLayout::kMargin);
        for (size_t i = 0; i < kAllAreas.size(); ++i)
        {
            const QRect rect = areas.Of(kAllAreas[i]);
            EXPECT_FALSE(rect.isEmpty()) << i;
            EXPECT_TRUE(inside.contains(rect)) << i;
            for (size_t j = i + 1; j < kAllAreas.size(); ++j)
                EXPECT_FALSE(rect.intersects(areas.Of(kAllAreas[j]))) << i << " and " << j;
        }
        // The bottom row ends at the bottom margin: no dead band below.
        EXPECT_EQ(areas.Of(EArea::ChannelStrip).bottom(), inside.bottom());
        EXPECT_EQ(areas.Of(EArea::Commands).right(), inside.right());
        EXPECT_EQ(areas.Of(EArea::ChannelPanel).height(), MainLayout::kChannelPanelHeight);
        EXPECT_EQ(areas.Of(EArea::EqPanel).height(), MainLayout::EqPanelHeight(client.height()));
        EXPECT_EQ(areas.Of(EArea::ChannelStrip).height(), MainLayout::kChannelStripHeight);
        EXPECT_EQ(areas.Of(EArea::ChannelStrip).width(), inside.width());
        EXPECT_EQ(areas.Of(EArea::Graph).height(), areas.Of(EArea::Status).height());

        const QRect commands = areas.Of(EArea::Commands);
        const std::vector<QRect> buttons = MainLayout::CommandButtons(commands);
        ASSERT_EQ(buttons.size(), size_t(MainLayout::kCommandCount));
        for (size_t i = 0; i < buttons.size(); ++i)
        {
            EXPECT_TRUE(commands.contains(buttons[i])) << "button " << i;
            EXPECT_EQ(buttons[i].height(), MainLayout::kCommandButtonHeight);
            EXPECT_GE(buttons[i].width(), MainLayout::kCommandButtonWidth);
            EXPECT_FALSE(buttons[i].intersects(MainLayout::EditBar(commands))) << "button " << i;
            for (size_t j = i + 1; j < buttons.size(); ++j)
                EXPECT_FALSE(buttons[i].intersects(buttons[j])) << "buttons " << i << " and " << j;
        }
        EXPECT_TRUE(commands.contains(MainLayout::EditBar(commands)));
    }
}

// What the window gains in height the graph and the EQ panel share, half
// each until the EQ panel is tall enough; what it gains in width widens the
// graph (and the panels).
TEST(MainLayoutTest, GraphAndEqPanelShareTheRoomTheWindowGains)
{
    const MainLayout::CAreas smallest = MainLayout::Areas(MainLayout::kMinimumClient);
    const QRect minGraph = smallest.Of(EArea::Graph);
    EXPECT_GE(minGraph.width(), 640);
    EXPECT_EQ(smallest.Of(EArea::EqPanel).height(), MainLayout::kEqPanelHeight);
    for (const QSize client : kClients)
    {
        SCOPED_TRACE(testing::Message() << client.width() << " x " << client.height());
        const QSize gained = client.expandedTo(MainLayout::kMinimumClient) - MainLayout::kMinimumClient;
        const MainLayout::CAreas areas = MainLayout::Areas(client);
        const QRect graph = areas.Of(EArea::Graph);
        const int eqGain = areas.Of(EArea::EqPanel).height() - MainLayout::kEqPanelHeight;
        EXPECT_EQ(graph.height() + eqGain, minGraph.height() + gained.height());
        EXPECT_GE(graph.height() - minGraph.height(), eqGain);
        EXPECT_LE(eqGain, gained.height() / 2);
        EXPECT_LE(areas.Of(EArea::EqPanel).height(), MainLayout::kEqPanelMaxHeight);
        // A tall enough window stacks the commands in one column, which
        // leaves the graph wider still.
        EXPECT_GE(graph.width(), minGraph.width() + gained.width());
    }
    // 1920 x 1080: faders of some 200 pixels, the graph as tall again as at
    // the minimum.
    const MainLayout::CAreas fullHd = MainLayout::Areas({1920, 1017});
    EXPECT_EQ(fullHd.Of(EArea::EqPanel).height(), MainLayout::kEqPanelHeight + 198);
    EXPECT_EQ(fullHd.Of(EArea::Graph).height(), minGraph.height() + 199);
    EXPECT_EQ(MainLayout::Areas({2560, 1400}).Of(EArea::EqPanel).height(), MainLayout::kEqPanelMaxHeight);
}

TEST(MainLayoutTest, CommandsTakeOneColumnOnlyWhereAllFit)
{
    const int oneColumn = MainLayout::kCommandCount * MainLayout::kCommandButtonHeight
                          + MainLayout::kCommandCount * MainLayout::kCommandButtonGap + MainLayout::kEditBarHeight;
    for (const QSize client : kClients)
    {
        SCOPED_TRACE(testing::Message() << client.width() << " x " << client.height());
        const QRect commands = MainLayout::Areas(client).Of(EArea::Commands);
        const std::vector<QRect> buttons = MainLayout::CommandButtons(commands);
        const bool bOneColumn = commands.height() >= oneColumn;
        EXPECT_EQ(commands.width(), bOneColumn ? MainLayout::kEditBarMinWidth
                                               : 2 * MainLayout::kCommandButtonWidth + MainLayout::kCommandButtonGap);
        // The undo/redo/A-B bar has room for its three captions.
        EXPECT_GE(MainLayout::EditBar(commands).width(), MainLayout::kEditBarMinWidth);
        // Read in the order of the commands: down a column, or row by row
        // with an odd last one alone across the last row.
        for (size_t i = 1; i < buttons.size(); ++i)
            EXPECT_TRUE(buttons[i].top() > buttons[i - 1].top()
                        || (buttons[i].top() == buttons[i - 1].top() && buttons[i].left() > buttons[i - 1].left()));
        if (!bOneColumn)
        {
            EXPECT_EQ(buttons.back().width(),
                      MainLayout::kCommandCount % 2 ? commands.width() : MainLayout::kCommandButtonWidth);
        }
    }
    // 871 is the first height with room for one column of eight above the bar
    // (the EQ panel has taken half of what the window gained).
    EXPECT_EQ(MainLayout::Areas({1240, 870}).Of(EArea::Commands).width(), 206);
    EXPECT_EQ(MainLayout::Areas({1240, 871}).Of(EArea::Commands).width(), MainLayout::kEditBarMinWidth);
}

TEST(MainLayoutTest, ClientBelowTheMinimumIsLaidOutAsTheMinimum)
{
    struct Case
    {
        QSize client;
        QSize laidOutAs;
    };
    for (const Case& c : {Case{{0, 0}, MainLayout::kMinimumClient}, Case{{800, 600}, MainLayout::kMinimumClient},
                          Case{{1239, 619}, MainLayout::kMinimumClient}, Case{{-5, 2000}, {1240, 2000}},
                          Case{{1920, 100}, {1920, 620}}})
    {
        const MainLayout::CAreas areas = MainLayout::Areas(c.client);
        const MainLayout::CAreas expected = MainLayout::Areas(c.laidOutAs);
        for (EArea area : kAllAreas)
            EXPECT_EQ(areas.Of(area), expected.Of(area)) << c.client.width() << " x " << c.client.height();
    }
}
}
