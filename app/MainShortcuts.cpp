#include "app/MainShortcuts.h"

#include "wire/WireNumbers.h"

namespace MainShortcuts
{
const std::vector<Shortcut>& All()
{
    static const std::vector<Shortcut> shortcuts = [] {
        std::vector<Shortcut> all;
        for (int n = 0; n < Frame::kInputCount; ++n)
            all.push_back({QKeySequence(Qt::ALT | static_cast<Qt::Key>(Qt::Key_A + n)), EAction::Select,
                           ChannelAddress::Input(n)});
        for (int n = 0; n < Frame::kOutputCount; ++n)
            all.push_back({QKeySequence(Qt::ALT | static_cast<Qt::Key>(Qt::Key_1 + n)), EAction::Select,
                           ChannelAddress::Output(n)});
        all.push_back({QKeySequence(Qt::CTRL | Qt::Key_M), EAction::Mute, {}});
        all.push_back({QKeySequence(Qt::CTRL | Qt::Key_E), EAction::EqBypass, {}});
        return all;
    }();
    return shortcuts;
}
}
