#pragma once

class CAudio_Data;
class CLockState;
class CProgramBank;

// Programs with something unusual in every part of the file layouts: shared
// by the file tests and the fuzzer's seed corpus.
namespace SamplePrograms
{
// Names with "%", of 8 characters and empty; muted, inverted, delayed
// channels; bypassed bands with nonzero gain; bands off at 0 dB and off
// with gain; graphic-EQ outputs; crossovers still walking; function locks,
// including a reserved one, and system locks and a password (which
// single-program files do not hold).
void FillProgram(CAudio_Data& program, CLockState& locks);
// Slot names of every length form, bytes above 127 and a NUL; distinct
// image, info and last bytes.
void FillBank(CProgramBank& bank);
}
