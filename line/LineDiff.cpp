#include "line/LineDiff.h"

#include "line/LineBackup.h"
#include "line/LineText.h"
#include "model/Audio_Data.h"
#include "model/LockState.h"
#include "model/ParamCatalogue.h"
#include "model/ProgramBank.h"
#include "programs/ProgramFile.h"

#include <QDir>

#include <algorithm>
#include <memory>
#include <optional>

namespace
{
QString ChannelText(EParamSide eSide, int nChannel, ELanguage eLanguage)
{
    if (eSide == EParamSide::kInput)
        return LineText(ELineText::Input, eLanguage).arg(QChar('A' + nChannel));
    return LineText(ELineText::Output, eLanguage).arg(nChannel + 1);
}

QString Joined(const QString& strPrefix, const QString& strWhere)
{
    return strPrefix.isEmpty() ? strWhere : strPrefix + QStringLiteral(", ") + strWhere;
}

QString Hex(const CLockState::LockSet& bytes)
{
    return QString::fromLatin1(QByteArray(reinterpret_cast<const char*>(bytes.data()), bytes.size()).toHex(' '));
}

struct Backup
{
    std::unique_ptr<CAudio_Data> pProgram = std::make_unique<CAudio_Data>();
    CLockState locks;
    CProgramBank bank;
};

// The processor's two files; the reason when either fails.
std::optional<QString> Load(const QString& strFolder, const LineBackup::Entry& entry, Backup& backup,
                            ELanguage eLanguage)
{
    const QDir folder(strFolder);
    QString strDetail;
    QString strPath = folder.filePath(entry.strProgramFile);
    ProgramFileError eError = ProgramFile::ReadProgramFile(strPath, *backup.pProgram, backup.locks, &strDetail);
    if (eError == ProgramFileError::kNone)
    {
        strPath = folder.filePath(entry.strBankFile);
        eError = ProgramFile::ReadBankFile(strPath, backup.bank, &strDetail);
    }
    if (eError == ProgramFileError::kNone)
        return std::nullopt;
    return LineText(ELineText::WhyFileRead, eLanguage).arg(strPath, LineBackup::Reason(eError, strDetail, eLanguage));
}
}

namespace LineDiff
{
QList<Row> ComparePrograms(int nId, const QString& strWhere, const CAudio_Data& first, const CLockState& firstLocks,
                           const CAudio_Data& second, const CLockState& secondLocks, ELanguage eLanguage)
{
    QList<Row> rows;
    if (first.GetName() != second.GetName())
        rows << Row{nId, strWhere, LineText(ELineText::DiffProgramName, eLanguage),
                    QString::fromLatin1(first.GetName()), QString::fromLatin1(second.GetName())};
    if (firstLocks.EncodeLockSet() != secondLocks.EncodeLockSet())
        rows << Row{nId, strWhere, LineText(ELineText::DiffLocks, eLanguage), Hex(firstLocks.EncodeLockSet()),
                    Hex(secondLocks.EncodeLockSet())};
    // Channel by channel, each channel's rows in catalogue order.
    for (const EParamSide eSide : {EParamSide::kInput, EParamSide::kOutput})
    {
        const int nChannels = eSide == EParamSide::kInput ? CAudio_InRoute::kCount : CAudio_OutRoute::kCount;
        for (int nChannel = 0; nChannel < nChannels; ++nChannel)
            for (const ParamRow& row : ParamCatalogue::Params())
            {
                if (row.eSide != eSide)
                    continue;
                for (int nIndex = 0; nIndex < ParamCatalogue::IndexCount(row.eParam); ++nIndex)
                {
                    const ParamAt at{nChannel, nIndex};
                    // A shelf's width word holds what the processor was last
                    // sent (its factory 30, or the editor's slope + 1): the
                    // slope row says what the band does.
                    if (ParamCatalogue::BandShowsSlope(row.eParam, first, at)
                        && ParamCatalogue::BandShowsSlope(row.eParam, second, at))
                        continue;
                    const bool bText = row.eEntry == EEntry::kText;
                    const bool bSame = bText ? ParamCatalogue::GetText(row.eParam, first, at)
                                                   == ParamCatalogue::GetText(row.eParam, second, at)
                                             : ParamCatalogue::Get(row.eParam, first, at)
                                                   == ParamCatalogue::Get(row.eParam, second, at);
                    if (bSame)
                        continue;
                    const auto text = [&](const CAudio_Data& data) {
                        return QString::fromStdString(ParamCatalogue::Format(row.eParam, data, at, eLanguage, nullptr));
                    };
                    rows << Row{nId, Joined(strWhere, ChannelText(eSide, nChannel, eLanguage)),
                                QString::fromStdString(ParamCatalogue::Caption(row.eParam, eLanguage, nIndex)),
                                text(first), text(second)};
                }
            }
    }
    return rows;
}

bool CompareBackups(const QString& strFirst, const QString& strSecond, ELanguage eLanguage, QList<Row>& rows,
                    QString& strReason, const QList<int>& onlyIds)
{
    QList<LineBackup::Entry> first;
    QList<LineBackup::Entry> second;
    for (const auto& [strFolder, pEntries] : {std::pair{strFirst, &first}, std::pair{strSecond, &second}})
        if (!LineBackup::ReadIndex(strFolder, *pEntries, eLanguage, strReason))
        {
            strReason = LineText(ELineText::WhyFileRead, eLanguage)
                            .arg(QDir(strFolder).filePath(LineBackup::kIndexName), strReason);
            return false;
        }

    QList<int> ids;
    for (const auto* pEntries : {&first, &second})
        for (const LineBackup::Entry& entry : *pEntries)
            if (!ids.contains(entry.nId) && (onlyIds.isEmpty() || onlyIds.contains(entry.nId)))
                ids << entry.nId;
    std::sort(ids.begin(), ids.end());

    rows.clear();
    const QString strNone = LineText(ELineText::DiffMissing, eLanguage);
    for (const int nId : ids)
    {
        const auto find = [nId](const QList<LineBackup::Entry>& entries) {
            return std::find_if(entries.begin(), entries.end(), [nId](const auto& e) { return e.nId == nId; });
        };
        const auto itFirst = find(first);
        const auto itSecond = find(second);
        if (itFirst == first.end() || itSecond == second.end())
        {
            rows << Row{nId, {}, {}, itFirst == first.end() ? strNone : QString::number(nId),
                        itSecond == second.end() ? strNone : QString::number(nId)};
            continue;
        }
        Backup a;
        Backup b;
        const std::optional<QString> whyA = Load(strFirst, *itFirst, a, eLanguage);
        const std::optional<QString> whyB = Load(strSecond, *itSecond, b, eLanguage);
        if (whyA || whyB)
        {
            rows << Row{nId, {}, {}, whyA.value_or(QString()), whyB.value_or(QString())};
            continue;
        }
        rows << ComparePrograms(nId, {}, *a.pProgram, a.locks, *b.pProgram, b.locks, eLanguage);
        for (int n = 0; n < CProgramBank::kSlots; ++n)
        {
            const CImageSlot& slotA = a.bank.GetAt(n);
            const CImageSlot& slotB = b.bank.GetAt(n);
            if (slotA == slotB)
                continue;
            const QString strSlot = LineText(ELineText::DiffBank, eLanguage).arg(n + 1);
            // A stored program as the editor would read it.
            auto pA = std::make_unique<CAudio_Data>();
            auto pB = std::make_unique<CAudio_Data>();
            pA->LoadFromImage(slotA);
            pB->LoadFromImage(slotB);
            pA->SetName(slotA.strName);
            pB->SetName(slotB.strName);
            CLockState locksA;
            CLockState locksB;
            QList<Row> slotRows = ComparePrograms(nId, strSlot, *pA, locksA, *pB, locksB, eLanguage);
            if (slotA.abyInfo != slotB.abyInfo)
                slotRows << Row{nId, strSlot, LineText(ELineText::DiffLocks, eLanguage), Hex(slotA.abyInfo),
                                Hex(slotB.abyInfo)};
            rows << slotRows;
        }
    }
    return true;
}
}
