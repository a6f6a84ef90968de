#pragma once

#include "model/ValueText.h"
#include "programs/ProgramFileError.h"

#include <QList>
#include <QString>

// A backup of a line in one folder: for each processor its stored programs
// as a bank file ("*.dat1C") and its live program as a program file
// ("*.dia1C"), both named by device ID and label ("003 Foyer left.dat1C"),
// and an index that says which files belong to which ID:
//
//   orvan-line-backup 1
//   3<TAB>003 Foyer left.dat1C<TAB>003 Foyer left.dia1C<TAB>Foyer left
//
// Every file is written whole or not at all (AtomicFile).
namespace LineBackup
{
inline constexpr const char* kIndexName = "line-index.txt";

struct Entry
{
    int nId = 0;
    QString strLabel;
    QString strBankFile;     // in the folder
    QString strProgramFile;

    bool operator==(const Entry&) const = default;
};

// The files of processor nId: the ID in three digits, then the label with
// what a file name cannot hold replaced by "_".
Entry EntryFor(int nId, const QString& strLabel);

// False with the system's reason (or what is wrong with the index) in
// strReason; entries in ID order.
// eLanguage: the language flag (model/ValueText.h) of the reason.
bool WriteIndex(const QString& strFolder, const QList<Entry>& entries, QString& strReason);
bool ReadIndex(const QString& strFolder, QList<Entry>& entries, ELanguage eLanguage, QString& strReason);

// The reason a program file failed, for a summary line: the system's
// detail when there is one.
QString Reason(ProgramFileError eError, const QString& strDetail, ELanguage eLanguage);
}
