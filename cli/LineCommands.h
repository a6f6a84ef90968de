#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

class CConsole;

// The commands on many processors of one line: backup and restore of a
// whole line (backup --all, restore --all, or --ids), mute, recall and
// diff. They run the line-wide operations (line/LineOperation) on the
// program's own link and pacing.
int LineBackupCommand(const QStringList& args, CConsole& console);
int LineRestoreCommand(const QStringList& args, CConsole& console);
int MuteCommand(const QStringList& args, CConsole& console);
int RecallCommand(const QStringList& args, CConsole& console);
int DiffCommand(const QStringList& args, CConsole& console);

// Whether backup or restore was asked for a line rather than one processor.
bool IsLineCommand(const QStringList& args);
