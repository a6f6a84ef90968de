#include "app/MainShortcuts.h"

#include "editors/EditorsText.h"
#include "ui/ChannelLabel.h"
#include "ui/ChannelSelector.h"
#include "wire/WireNumbers.h"

#include <QAbstractButton>
#include <QShortcut>

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

void Bind(QWidget& window, const CChannelSelector& selector, const std::function<void(ChannelAddress)>& select,
          QWidget& strip, QWidget& inputEq, QWidget& outputEq)
{
    const auto click = [](QWidget& area, const QString& name) {
        if (auto* button = area.findChild<QAbstractButton*>(name); button != nullptr && button->isEnabled())
            button->click();
    };
    for (const Shortcut& shortcut : All())
    {
        auto* binding = new QShortcut(shortcut.key, &window);
        binding->setContext(Qt::WindowShortcut);
        switch (shortcut.eAction)
        {
        case EAction::Select:
            QObject::connect(binding, &QShortcut::activated, &window,
                             [select, channel = shortcut.channel] { select(channel); });
            break;
        case EAction::Mute:
            QObject::connect(binding, &QShortcut::activated, &window, [&strip, &selector, click] {
                click(strip, QStringLiteral("Mute")
                                 + EditorsText(EEditorsText::StripChannel, kEnglish).arg(ChannelLabel(selector.Current())));
            });
            break;
        case EAction::EqBypass:
            QObject::connect(binding, &QShortcut::activated, &window, [&inputEq, &outputEq, &selector, click] {
                click(selector.Current().bInput ? inputEq : outputEq, QStringLiteral("EqMaster"));
            });
            break;
        }
    }
}
}
