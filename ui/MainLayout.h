#pragma once

#include <QRect>
#include <QSize>

#include <array>
#include <vector>

// Where the areas of the main window lie, in logical pixels of its client
// area, for any client size. The window places whatever widget stands for
// an area at the rect given here whenever it is resized:
//
//   +----------+---------------------------------------+--------+
//   |  status  |            response graph             |  cmds  |
//   +----------+---------------------------------------+--------+
//   |          channel panel (input or output side)             |
//   +------------------------------------------------------------+
//   |          EQ panel (input or output side)                   |
//   +------------------------------------------------------------+
//   |          channel strip: 4 input and 8 output columns       |
//   +------------------------------------------------------------+
//
// The channel panel and the strip keep their heights; the graph and the EQ
// panel share the height the window gains, half each, until the EQ panel
// reaches kEqPanelMaxHeight (its faders are then long enough for fine
// work) and the graph takes the rest. The minimum, frame included, fits a 1280 x 720 screen with
// a taskbar (also 1920 x 1080 at 150 %, the same in logical pixels).
namespace MainLayout
{
enum class EArea
{
    Status,
    Graph,
    Commands,
    ChannelPanel,
    EqPanel,
    ChannelStrip,
};
constexpr int kAreaCount = 6;

constexpr QSize kMinimumClient{1240, 620};

constexpr int kMargin = 8;
constexpr int kGap = 8;
constexpr int kStatusWidth = 320;
constexpr int kChannelPanelHeight = 92;
constexpr int kEqPanelHeight = 148;
constexpr int kEqPanelMaxHeight = 360;
constexpr int kChannelStripHeight = 184;

// The eight command buttons: one column where the top row is tall enough,
// two columns (read row by row) where it is not. Below them, across the
// command area, the bar with undo, redo and A/B.
constexpr int kCommandCount = 8;
constexpr int kCommandButtonWidth = 100;
constexpr int kCommandButtonHeight = 26;
constexpr int kCommandButtonGap = 6;
constexpr int kEditBarHeight = 26;
// The bar's three buttons need this much whatever the buttons above: one
// column of command buttons is this wide, so that "UNDO" is not clipped.
constexpr int kEditBarMinWidth = 156;

class CAreas
{
public:
    QRect Of(EArea area) const { return m_aRects.at(static_cast<size_t>(area)); }
    QRect& operator[](EArea area) { return m_aRects.at(static_cast<size_t>(area)); }

private:
    std::array<QRect, kAreaCount> m_aRects{};
};

// The EQ panel's height in a client `clientHeight` tall.
int EqPanelHeight(int clientHeight);

// A client smaller than the minimum is laid out as the minimum (the
// window never gets that small, but a layout must not fold over itself).
CAreas Areas(QSize client);

// The buttons' rects, top to bottom (row by row in two columns), inside a
// command area that Areas gave.
std::vector<QRect> CommandButtons(const QRect& commandArea);
// The undo/redo/A-B bar at the foot of the same command area.
QRect EditBar(const QRect& commandArea);
}
