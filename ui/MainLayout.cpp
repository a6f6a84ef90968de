#include "ui/MainLayout.h"

#include <algorithm>

namespace MainLayout
{
namespace
{
constexpr int ColumnHeight(int rows)
{
    return rows * kCommandButtonHeight + (rows - 1) * kCommandButtonGap;
}

constexpr int kPanelsHeight = kChannelPanelHeight + kEqPanelHeight + kChannelStripHeight + 3 * kGap;

// What the command buttons have of the top row's height.
constexpr int ButtonsHeight(int topRowHeight)
{
    return topRowHeight - kEditBarHeight - kCommandButtonGap;
}

int CommandColumns(int topRowHeight)
{
    return ButtonsHeight(topRowHeight) >= ColumnHeight(kCommandCount) ? 1 : 2;
}

int CommandAreaWidth(int columns)
{
    return std::max(columns * kCommandButtonWidth + (columns - 1) * kCommandButtonGap, kEditBarMinWidth);
}

static_assert(ButtonsHeight(kMinimumClient.height() - 2 * kMargin - kPanelsHeight)
                  >= ColumnHeight((kCommandCount + 1) / 2),
              "two columns of command buttons must fit the top row at the minimum size");
}

int EqPanelHeight(int clientHeight)
{
    const int gained = std::max(0, clientHeight - kMinimumClient.height());
    return std::min(kEqPanelHeight + gained / 2, kEqPanelMaxHeight);
}

CAreas Areas(QSize client)
{
    const QSize size = client.expandedTo(kMinimumClient);
    const int inner = size.width() - 2 * kMargin;
    const int eqHeight = EqPanelHeight(size.height());
    const int topHeight = size.height() - 2 * kMargin - kPanelsHeight - (eqHeight - kEqPanelHeight);
    const int commandWidth = CommandAreaWidth(CommandColumns(topHeight));

    CAreas areas;
    areas[EArea::Status] = QRect(kMargin, kMargin, kStatusWidth, topHeight);
    const int graphLeft = kMargin + kStatusWidth + kGap;
    const int commandLeft = size.width() - kMargin - commandWidth;
    areas[EArea::Graph] = QRect(graphLeft, kMargin, commandLeft - kGap - graphLeft, topHeight);
    areas[EArea::Commands] = QRect(commandLeft, kMargin, commandWidth, topHeight);

    int top = kMargin + topHeight + kGap;
    areas[EArea::ChannelPanel] = QRect(kMargin, top, inner, kChannelPanelHeight);
    top += kChannelPanelHeight + kGap;
    areas[EArea::EqPanel] = QRect(kMargin, top, inner, eqHeight);
    top += eqHeight + kGap;
    areas[EArea::ChannelStrip] = QRect(kMargin, top, inner, kChannelStripHeight);
    return areas;
}

std::vector<QRect> CommandButtons(const QRect& commandArea)
{
    const int columns = CommandColumns(commandArea.height());
    const int width = (commandArea.width() - (columns - 1) * kCommandButtonGap) / columns;
    std::vector<QRect> buttons;
    buttons.reserve(kCommandCount);
    for (int n = 0; n < kCommandCount; ++n)
    {
        const int row = n / columns;
        const int column = n % columns;
        QRect button(commandArea.left() + column * (width + kCommandButtonGap),
                     commandArea.top() + row * (kCommandButtonHeight + kCommandButtonGap), width,
                     kCommandButtonHeight);
        // The last of an odd count in two columns takes the whole row.
        if (columns > 1 && n == kCommandCount - 1 && column == 0)
            button.setWidth(commandArea.width());
        buttons.push_back(button);
    }
    return buttons;
}

QRect EditBar(const QRect& commandArea)
{
    return QRect(commandArea.left(), commandArea.bottom() + 1 - kEditBarHeight, commandArea.width(), kEditBarHeight);
}
}
