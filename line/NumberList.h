#pragma once

#include <QList>
#include <QString>

#include <optional>

// "1,3-5" -> 1, 3, 4, 5: numbers and ranges from nLow to nHigh, in the
// order given, each once; none when the text is not such a list. Device
// IDs and outputs are typed this way on the command line and in the rack.
std::optional<QList<int>> NumberList(const QString& strText, int nLow, int nHigh);
