#pragma once

#include "model/ChannelAddress.h"

#include <QString>

// Channel labels as every window shows them: inputs "A".."D", outputs
// "1".."8", from the 0-based index on their side.
QString InputLabel(int index);
QString OutputLabel(int index);
QString ChannelLabel(ChannelAddress channel);
