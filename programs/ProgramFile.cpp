#include "programs/ProgramFile.h"

#include "disk/AtomicFileQt.h"
#include "programs/ProgramCodec.h"

#include <QByteArray>
#include <QFile>

#include <cstdint>
#include <span>
#include <vector>

namespace
{
void SetDetail(QString* detail, const QString& text)
{
    if (detail)
        *detail = text;
}

ProgramFileError ReadWholeFile(const QString& path, QByteArray& data, QString* detail)
{
    SetDetail(detail, {});
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
    {
        SetDetail(detail, file.errorString());
        return ProgramFileError::kCannotRead;
    }
    // One byte more than allowed tells an oversized file (or a device that
    // never ends) from one of exactly the limit.
    data = file.read(ProgramFile::kMaxFileBytes + 1);
    if (file.error() != QFileDevice::NoError)
    {
        SetDetail(detail, file.errorString());
        return ProgramFileError::kCannotRead;
    }
    if (data.size() > ProgramFile::kMaxFileBytes)
        return ProgramFileError::kTooLarge;
    return ProgramFileError::kNone;
}

ProgramFileError WriteWholeFile(const QString& path, const std::vector<uint8_t>& bytes, QString* detail)
{
    const AtomicFile::QtOutcome outcome = AtomicFile::Write(path, std::as_bytes(std::span(bytes)));
    SetDetail(detail, outcome.strReason);
    return outcome.Ok() ? ProgramFileError::kNone : ProgramFileError::kCannotWrite;
}

std::span<const uint8_t> Bytes(const QByteArray& data)
{
    return {reinterpret_cast<const uint8_t*>(data.constData()), static_cast<size_t>(data.size())};
}
}

namespace ProgramFile
{
ProgramFileError ReadFileBytes(const QString& path, std::vector<uint8_t>& bytes, QString* detail)
{
    QByteArray data;
    const ProgramFileError error = ReadWholeFile(path, data, detail);
    if (error != ProgramFileError::kNone)
        return error;
    const std::span<const uint8_t> read = Bytes(data);
    bytes.assign(read.begin(), read.end());
    return ProgramFileError::kNone;
}

ProgramFileError ReadProgramFile(const QString& path, CAudio_Data& program, CLockState& locks, QString* detail)
{
    QByteArray data;
    const ProgramFileError error = ReadWholeFile(path, data, detail);
    if (error != ProgramFileError::kNone)
        return error;
    return ProgramCodec::DecodeProgram(Bytes(data), program, locks);
}

ProgramFileError WriteProgramFile(const QString& path, CAudio_Data& program, const CLockState& locks,
                                  QString* detail)
{
    return WriteWholeFile(path, ProgramCodec::EncodeProgram(program, locks), detail);
}

ProgramFileError ReadBankFile(const QString& path, CProgramBank& bank, QString* detail)
{
    QByteArray data;
    const ProgramFileError error = ReadWholeFile(path, data, detail);
    if (error != ProgramFileError::kNone)
        return error;
    return ProgramCodec::DecodeBank(Bytes(data), bank);
}

ProgramFileError WriteBankFile(const QString& path, const CProgramBank& bank, QString* detail)
{
    return WriteWholeFile(path, ProgramCodec::EncodeBank(bank), detail);
}
}
