#include "line/LineBackup.h"

#include "disk/AtomicFileQt.h"
#include "line/LineText.h"
#include "programs/ProgramFile.h"
#include "programs/ProgramFileKind.h"

#include <QDir>
#include <QFile>

#include <algorithm>

namespace
{
constexpr const char* kMagic = "orvan-line-backup 1";
constexpr int kIdDigits = 3;
constexpr qint64 kMaxIndexBytes = 1024 * 1024;
constexpr qsizetype kFields = 4;
}

namespace LineBackup
{
Entry EntryFor(int nId, const QString& strLabel)
{
    QString strBase = QStringLiteral("%1").arg(nId, kIdDigits, 10, QLatin1Char('0'));
    QString strSafe = strLabel.trimmed();
    for (QChar& c : strSafe)
        if (c == '/' || c == '\\' || c == ':' || c == '\t' || c.unicode() < 0x20 || c == '*' || c == '?' || c == '"'
            || c == '<' || c == '>' || c == '|')
            c = '_';
    if (!strSafe.isEmpty())
        strBase += ' ' + strSafe;
    Entry entry;
    entry.nId = nId;
    entry.strLabel = strLabel;
    entry.strBankFile = ProgramFileSavePath(strBase, ProgramFileKind::kBank);
    entry.strProgramFile = ProgramFileSavePath(strBase, ProgramFileKind::kProgram);
    return entry;
}

bool WriteIndex(const QString& strFolder, const QList<Entry>& entries, QString& strReason)
{
    QList<Entry> sorted = entries;
    std::sort(sorted.begin(), sorted.end(), [](const Entry& a, const Entry& b) { return a.nId < b.nId; });
    QByteArray text = QByteArray(kMagic) + '\n';
    for (const Entry& entry : sorted)
        text += QStringLiteral("%1\t%2\t%3\t%4\n")
                    .arg(entry.nId)
                    .arg(entry.strBankFile, entry.strProgramFile, entry.strLabel)
                    .toUtf8();
    const AtomicFile::QtOutcome outcome = AtomicFile::Write(QDir(strFolder).filePath(kIndexName), text);
    strReason = outcome.strReason;
    return outcome.Ok();
}

bool ReadIndex(const QString& strFolder, QList<Entry>& entries, ELanguage eLanguage, QString& strReason)
{
    QFile file(QDir(strFolder).filePath(kIndexName));
    if (!file.open(QIODevice::ReadOnly))
    {
        strReason = file.errorString();
        return false;
    }
    const QList<QByteArray> lines = file.read(kMaxIndexBytes).split('\n');
    if (lines.value(0).trimmed() != kMagic)
    {
        strReason = LineText(ELineText::IndexNotBackup, eLanguage).arg(QLatin1String(kIndexName));
        return false;
    }
    QList<Entry> read;
    for (qsizetype i = 1; i < lines.size(); ++i)
    {
        if (lines[i].trimmed().isEmpty())
            continue;
        const QStringList fields = QString::fromUtf8(lines[i]).split('\t');
        bool bOk = false;
        Entry entry;
        entry.nId = fields.value(0).toInt(&bOk);
        if (!bOk || fields.size() != kFields || fields[1].contains('/') || fields[2].contains('/')
            || std::any_of(read.begin(), read.end(), [&](const Entry& e) { return e.nId == entry.nId; }))
        {
            strReason = LineText(ELineText::IndexDamaged, eLanguage).arg(i + 1).arg(QLatin1String(kIndexName));
            return false;
        }
        entry.strBankFile = fields[1];
        entry.strProgramFile = fields[2];
        entry.strLabel = fields[3];
        read << entry;
    }
    std::sort(read.begin(), read.end(), [](const Entry& a, const Entry& b) { return a.nId < b.nId; });
    entries = read;
    return true;
}

QString Reason(ProgramFileError eError, const QString& strDetail, ELanguage eLanguage)
{
    if (!strDetail.isEmpty())
        return strDetail;
    switch (eError)
    {
    case ProgramFileError::kNone:
        return {};
    case ProgramFileError::kCannotRead:
        return LineText(ELineText::FileCannotRead, eLanguage);
    case ProgramFileError::kTooLarge:
        return LineText(ELineText::FileTooLarge, eLanguage);
    case ProgramFileError::kTruncated:
        return LineText(ELineText::FileTruncated, eLanguage);
    case ProgramFileError::kDamaged:
        return LineText(ELineText::FileDamaged, eLanguage);
    case ProgramFileError::kCannotWrite:
        return LineText(ELineText::FileCannotWrite, eLanguage);
    }
    return {};
}
}
