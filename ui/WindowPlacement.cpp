#include "ui/WindowPlacement.h"

#include <algorithm>
#include <cmath>

namespace WindowPlacement
{
QRect FirstStartClient(const QRect& available, QSize minimumClient, const QMargins& frame)
{
    const QSize frameExtra(frame.left() + frame.right(), frame.top() + frame.bottom());
    const QSize share(static_cast<int>(std::lround(available.width() * kFirstStartShare)),
                      static_cast<int>(std::lround(available.height() * kFirstStartShare)));
    // The minimum wins over the share, the screen over both: a window the
    // screen cannot hold still shows its title bar.
    const QSize frameSize = share.expandedTo(minimumClient + frameExtra).boundedTo(available.size());
    const QRect frameRect(available.left() + (available.width() - frameSize.width()) / 2,
                          available.top() + (available.height() - frameSize.height()) / 2, frameSize.width(),
                          frameSize.height());
    return frameRect.marginsRemoved(frame);
}

QPoint FrameOnScreen(const QRect& frame, const QRect& available)
{
    const int left = std::max(available.left(), std::min(frame.left(), available.right() + 1 - frame.width()));
    const int top = std::max(available.top(), std::min(frame.top(), available.bottom() + 1 - frame.height()));
    return {left, top};
}
}
