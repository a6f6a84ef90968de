#include "ui/ChannelSelector.h"

CChannelSelector::CChannelSelector(ChannelAddress start, QObject* pParent)
    : QObject(pParent)
    , m_current(start)
{
}

void CChannelSelector::Select(ChannelAddress address)
{
    if (address == m_current)
        return;
    m_current = address;
    emit changed();
}
