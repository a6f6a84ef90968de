#pragma once

#include <QString>

// Which program file a path names, by its extension: "*.dia1C" holds one
// program, "*.dat1C" all thirty. The files carry no signature, so the
// extension is all there is to go by.
enum class ProgramFileKind
{
    kUnknown,
    kProgram,
    kBank,
};

ProgramFileKind ProgramFileKindOf(const QString& strPath);

// The name a file of this kind is saved under: the path as given when it
// contains the kind's extension anywhere (in any case), else with the
// extension appended, as the program manager's save dialogs do.
QString ProgramFileSavePath(const QString& strPath, ProgramFileKind eKind);

// The file dialogs' pattern of a kind: "*.dia1C" or "*.dat1C".
QString ProgramFilePattern(ProgramFileKind eKind);
