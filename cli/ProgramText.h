#pragma once

#include <QStringList>

class CAudio_Data;
class CLockState;
class CProgramBank;

// A program file as a person reads it: names and every channel's settings
// in the English text forms the editors show.
//
// A single-program file carries its function locks; a parameter they cover
// shows the lock text, as everywhere else in the program. The noise-gate
// threshold is not part of that file and is left out. Bank slots hold raw
// device images whose lock bytes the PC does not interpret: their values are
// all shown, gate included.
namespace ProgramText
{
QStringList DescribeProgram(const CAudio_Data& program, const CLockState& locks);
// nOnly 1..30 shows that slot alone; 0 shows all thirty.
QStringList DescribeBank(const CProgramBank& bank, int nOnly = 0);
}
