#pragma once

#include <QStringList>

class CConsole;

// orvan-cli push-live: a .dia1C file into the processor's live program.
int PushLiveCommand(const QStringList& args, CConsole& console);
