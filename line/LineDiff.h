#pragma once

#include "model/ValueText.h"

#include <QList>
#include <QString>

class CAudio_Data;
class CLockState;

// The comparison of two line backups (LineBackup): which processors and
// which parameters differ, as rows of a table. A backup compared with the
// line is a comparison with a backup just taken of it.
namespace LineDiff
{
struct Row
{
    int nId = 0;
    QString strWhere;      // "Output 3", "Stored program 5, Input A"; empty for the whole processor
    QString strParameter;  // the catalogue's caption; empty for the whole processor
    QString strFirst;
    QString strSecond;

    bool operator==(const Row&) const = default;
};

// Every parameter of the catalogue (channel names, mutes, gains, bands,
// routing, crossovers, limiters), the program name and the function locks
// of two programs; strWhere prefixes each row's channel.
QList<Row> ComparePrograms(int nId, const QString& strWhere, const CAudio_Data& first, const CLockState& firstLocks,
                           const CAudio_Data& second, const CLockState& secondLocks, ELanguage eLanguage);

// Rows of every processor that differs: one saying "(none)" on the side
// that lacks a processor, else one per parameter of its live program and
// of each stored program that differs. False with the reason when a folder
// holds no readable backup; a processor whose files fail gives a row with
// the reason. With onlyIds, only those processors are compared.
bool CompareBackups(const QString& strFirst, const QString& strSecond, ELanguage eLanguage, QList<Row>& rows,
                    QString& strReason, const QList<int>& onlyIds = {});
}
