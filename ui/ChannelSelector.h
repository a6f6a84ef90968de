#pragma once

#include "model/ChannelAddress.h"

#include <QObject>

// Which channel the editor panels work on. One instance, owned by the main
// window and shared by reference with the panels and the strip, which follow
// `changed` as they follow the record notice: a selection made anywhere is
// seen by all at once and nobody is called to refresh. The selector keeps
// whatever it is given, even a channel the side lacks: a panel of the other
// side (or one beyond the processor) shows nothing new.
class CChannelSelector : public QObject
{
    Q_OBJECT

public:
    explicit CChannelSelector(ChannelAddress start = ChannelAddress::Input(0), QObject* pParent = nullptr);

    ChannelAddress Current() const { return m_current; }
    // Moves the selection; `changed` follows only when it moved.
    void Select(ChannelAddress address);

signals:
    void changed();

private:
    ChannelAddress m_current;
};
