#include "ui/ChannelLabel.h"

QString InputLabel(int index)
{
    return QString(QChar(u'A' + index));
}

QString OutputLabel(int index)
{
    return QString::number(index + 1);
}

QString ChannelLabel(ChannelAddress channel)
{
    return channel.bInput ? InputLabel(channel.nIndex) : OutputLabel(channel.nIndex);
}
