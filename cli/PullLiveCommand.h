#pragma once

#include <QStringList>

class CConsole;

// orvan-cli pull-live: the processor's live program into a .dia1C file.
int PullLiveCommand(const QStringList& args, CConsole& console);
