#pragma once

#include "model/ValueText.h"

#include <QList>
#include <QMap>
#include <QString>

#include <array>
#include <cstdint>
#include <optional>

class QSettings;

// What the rack window decides, apart from its widgets: which processors an
// operation takes, what a switch asks, the names of its controls and where
// the labels are kept.
namespace RackChoices
{
// The selected IDs, in ID order; all of them when none is selected.
QList<int> TargetIds(const QList<int>& selected, const QList<int>& all);

// The IDs a search found: the table holds an ID at the ID's place, 0 where
// none answered.
template <std::size_t N>
QList<int> FoundIds(const std::array<uint16_t, N>& table)
{
    QList<int> ids;
    for (const uint16_t nId : table)
        if (nId != 0)
            ids << nId;
    return ids;
}

// What the switch to nId asks before it leaves the edited processor; empty
// when nothing would be lost.
QString SwitchQuestion(int nId, bool bUnsentEdits, bool bUnsentSide, ELanguage eLanguage);

// The outputs (0-based) a line-wide mute takes from "1,3-5"; none when the
// text is no such list of outputs 1..8.
std::optional<QList<int>> Outputs(const QString& strText);

// The progress line of processor nIndex (0-based) of nCount.
QString ProgressText(const QString& strOperation, int nId, int nIndex, int nCount, ELanguage eLanguage);

// The channel a mute toggle names for screen readers.
QString MuteChannel(int nId, int nOutput, ELanguage eLanguage);

// Labels by device ID, kept per port in the program's settings.
QMap<int, QString> LoadLabels(QSettings& settings, const QString& strPort);
void SaveLabel(QSettings& settings, const QString& strPort, int nId, const QString& strLabel);
}
