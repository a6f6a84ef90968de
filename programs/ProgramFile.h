#pragma once

#include "programs/ProgramFileError.h"

#include <QString>
#include <QtGlobal>

#include <cstdint>
#include <vector>

class CAudio_Data;
class CLockState;
class CProgramBank;

// Program files on disk: "*.dia1C" (the program being edited) and
// "*.dat1C" (the 30-program bank). Byte layouts: ProgramCodec.
//
// Reading loads the whole file into memory (bounded by kMaxFileBytes) and
// changes the target only when all of it was read. Writing goes to a
// temporary file beside the target that replaces it only once complete and
// flushed (AtomicFile), so a failed save leaves the previous file as it was.
// `detail`, when given, receives the system's reason for a read or write
// failure (empty for layout errors).
namespace ProgramFile
{
// A bank file with 30 names of 12 characters is under 45 kB; this is far
// beyond any file either kind can really have.
inline constexpr qint64 kMaxFileBytes = 4 * 1024 * 1024;

// The bytes of a file of either kind, for a caller that decodes them
// itself; `bytes` changes only when the whole file was read.
ProgramFileError ReadFileBytes(const QString& path, std::vector<uint8_t>& bytes, QString* detail = nullptr);
ProgramFileError ReadProgramFile(const QString& path, CAudio_Data& program, CLockState& locks,
                                 QString* detail = nullptr);
ProgramFileError WriteProgramFile(const QString& path, CAudio_Data& program, const CLockState& locks,
                                  QString* detail = nullptr);
ProgramFileError ReadBankFile(const QString& path, CProgramBank& bank, QString* detail = nullptr);
ProgramFileError WriteBankFile(const QString& path, const CProgramBank& bank, QString* detail = nullptr);
}
