// Line-wide operations on eight virtual processors: backup and restore with
// identical files after a round trip, mute and recall, a processor falling
// silent mid-way, and the comparison of backups.

#include "tests/line/LineFixture.h"

#include "line/LineBackup.h"
#include "line/LineDiff.h"
#include "line/LineOperation.h"
#include "line/LineText.h"
#include "model/ParamCatalogue.h"

#include <QDir>
#include <QFile>

namespace
{
using Result = CLineOperation::Result;

QList<int> AllEight()
{
    return {1, 2, 3, 4, 5, 6, 7, 8};
}

// A line where every processor differs: processor n plays a gain of its own
// on output 1, names its live program "Live n" and holds in slot 2 a
// program "Slot n" whose input B gain is its own.
std::vector<CProcessorState> DistinctLine()
{
    std::vector<CProcessorState> line;
    for (int nId = 1; nId <= 8; ++nId)
    {
        CProcessorState state = CProcessorState::Numbered(nId);
        CAudio_Data live;
        live.Output(0).SetGain(100 + nId);
        state.aImages[0] = ImageOf(live);
        state.aNames[0] = CProcessorState::MakeName("Live " + std::to_string(nId));
        CAudio_Data stored;
        stored.Input(1).SetGain(200 + nId);
        state.aImages[2] = ImageOf(stored);
        state.aNames[2] = CProcessorState::MakeName("Slot " + std::to_string(nId));
        line.push_back(state);
    }
    return line;
}

QByteArray FileBytes(const QString& strPath)
{
    QFile file(strPath);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << strPath.toStdString();
    return file.readAll();
}

class LineOperationTest : public LineFixture
{
protected:
    void StartLineOf(const std::vector<CProcessorState>& line, QStringList args = {})
    {
        std::string strError;
        ASSERT_TRUE(CStateFile::SaveLine(m_strState.toStdString(), line, strError)) << strError;
        StartLine(args);
    }

    // Runs what fnStart started until the operation has finished.
    QList<Result> Run(const std::function<bool(CLineOperation&)>& fnStart)
    {
        CLineOperation operation(m_link, m_processor.Port());
        bool bFinished = false;
        QObject::connect(&operation, &CLineOperation::finished, [&] { bFinished = true; });
        EXPECT_TRUE(fnStart(operation));
        EXPECT_TRUE(RunUntil([&] { return bFinished; }, 180000)) << "the operation never finished";
        m_summary = operation.Summary();
        return operation.Results();
    }

    QList<Result> AllDone(const QList<int>& ids)
    {
        QList<Result> results;
        for (const int nId : ids)
            results << Result{nId, true, {}};
        return results;
    }

    QString Folder(const QString& strName)
    {
        QDir(m_dir.path()).mkpath(strName);
        return m_dir.filePath(strName);
    }

    QStringList m_summary;
};
}

namespace LineDiff
{
void PrintTo(const Row& row, std::ostream* pOut)
{
    *pOut << row.nId << " | " << row.strWhere.toStdString() << " | " << row.strParameter.toStdString() << " | "
          << row.strFirst.toStdString() << " | " << row.strSecond.toStdString();
}
}

// Found by the tests' printer next to the result's class.
void PrintTo(const CLineOperation::Result& result, std::ostream* pOut)
{
    *pOut << result.nId << (result.bOk ? " ok" : " failed: ") << result.strWhy.toStdString();
}

TEST_F(LineOperationTest, BackupRestoredOntoAFreshLineBacksUpToIdenticalFiles)
{
    StartLineOf(DistinctLine());
    ConnectTo(3);
    const QString strFirst = Folder("first");
    QMap<int, QString> labels{{3, "Foyer left"}, {5, "Tower/5"}};
    EXPECT_EQ(Run([&](CLineOperation& op) { op.SetLabels(labels); return op.Backup(AllEight(), strFirst); }),
              AllDone(AllEight()));
    // Back at the processor edited before.
    EXPECT_EQ(m_link.Record().GetDeviceId(), 3);
    EXPECT_EQ(m_summary.last(), "Backup: 8 of 8 processors done");

    QList<LineBackup::Entry> entries;
    QString strReason;
    ASSERT_TRUE(LineBackup::ReadIndex(strFirst, entries, kEnglish, strReason)) << strReason.toStdString();
    ASSERT_EQ(entries.size(), 8);
    EXPECT_EQ(entries[2], (LineBackup::Entry{3, "Foyer left", "003 Foyer left.dat1C", "003 Foyer left.dia1C"}));
    EXPECT_EQ(entries[4].strBankFile, "005 Tower_5.dat1C");
    EXPECT_EQ(entries[0].strProgramFile, "001.dia1C");
    EXPECT_EQ(QDir(strFirst).entryList(QDir::Files).size(), 17);

    // Onto eight factory-fresh processors with the same IDs.
    m_link.Connection().Disconnect();
    m_processor.Stop();
    QFile::remove(m_strState);
    StartLine();
    EXPECT_EQ(Run([&](CLineOperation& op) { return op.Restore(AllEight(), strFirst); }), AllDone(AllEight()));
    const std::vector<CProcessorState> restored = StopAndReadLine();
    const std::vector<CProcessorState> original = DistinctLine();
    ASSERT_EQ(restored.size(), 8u);
    for (size_t i = 0; i < restored.size(); ++i)
    {
        SCOPED_TRACE(i + 1);
        EXPECT_EQ(ShownImage(restored[i].aImages[0]), ShownImage(original[i].aImages[0]));
        EXPECT_EQ(restored[i].aImages[2], original[i].aImages[2]);
        EXPECT_EQ(restored[i].aNames[2], original[i].aNames[2]);
    }

    StartLine({});
    const QString strSecond = Folder("second");
    EXPECT_EQ(Run([&](CLineOperation& op) { op.SetLabels(labels); return op.Backup(AllEight(), strSecond); }),
              AllDone(AllEight()));
    const QStringList files = QDir(strFirst).entryList(QDir::Files);
    EXPECT_EQ(QDir(strSecond).entryList(QDir::Files), files);
    for (const QString& strFile : files)
        EXPECT_EQ(FileBytes(QDir(strFirst).filePath(strFile)), FileBytes(QDir(strSecond).filePath(strFile)))
            << strFile.toStdString();
    QList<LineDiff::Row> rows;
    ASSERT_TRUE(LineDiff::CompareBackups(strFirst, strSecond, kEnglish, rows, strReason));
    EXPECT_TRUE(rows.isEmpty());
}

TEST_F(LineOperationTest, MuteAndRecallReachExactlyTheProcessorsAndOutputsGiven)
{
    StartLineOf(DistinctLine());
    const QList<int> some{1, 3, 4, 5};
    EXPECT_EQ(Run([&](CLineOperation& op) { return op.Mute(some, {0, 1}, true); }), AllDone(some));
    EXPECT_EQ(m_summary.last(), "Mute: 4 of 4 processors done");
    EXPECT_EQ(Run([&](CLineOperation& op) { return op.Mute({4}, {0}, false); }), AllDone({4}));
    EXPECT_EQ(Run([&](CLineOperation& op) { return op.Recall({7, 8}, 2); }), AllDone({7, 8}));
    EXPECT_FALSE(CLineOperation(m_link, m_processor.Port()).Recall({7}, 31));

    const std::vector<CProcessorState> line = StopAndReadLine();
    const std::vector<CProcessorState> original = DistinctLine();
    for (size_t i = 0; i < line.size(); ++i)
    {
        const int nId = line[i].nDeviceId;
        SCOPED_TRACE(nId);
        CAudio_Data live;
        CImageSlot slot;
        slot.abyImage = line[i].aImages[0];
        live.LoadFromImage(slot);
        const bool bMuted = some.contains(nId);
        EXPECT_EQ(live.Output(0).IsOn(), bMuted && nId != 4 ? 0 : 1);
        EXPECT_EQ(live.Output(1).IsOn(), bMuted ? 0 : 1);
        EXPECT_EQ(live.Output(2).IsOn(), 1);
        if (nId >= 7)
            EXPECT_EQ(line[i].aImages[0], original[i].aImages[2]);
        else
            EXPECT_EQ(live.Output(0).GetGain(), 100 + nId);
    }
}

TEST_F(LineOperationTest, ProcessorFallingSilentMidBackupIsSkippedWithItsReasonAndTheOthersComplete)
{
    // 4 answers its connect sequence and part of the programs, then no more.
    StartLineOf(DistinctLine(), {"--silence-id", "4", "--silence-after", "80"});
    const QString strFolder = Folder("backup");
    QList<Result> expected = AllDone(AllEight());
    expected[3] = Result{4, false, "no answer"};
    EXPECT_EQ(Run([&](CLineOperation& op) { return op.Backup(AllEight(), strFolder); }), expected);
    EXPECT_EQ(NextNotice(), "silent 4");
    EXPECT_EQ(m_summary.at(3), "device ID 4: skipped, no answer");
    EXPECT_EQ(m_summary.last(), "Backup: 7 of 8 processors done");
    QList<LineBackup::Entry> entries;
    QString strReason;
    ASSERT_TRUE(LineBackup::ReadIndex(strFolder, entries, kEnglish, strReason));
    QList<int> ids;
    for (const LineBackup::Entry& entry : entries)
        ids << entry.nId;
    EXPECT_EQ(ids, (QList<int>{1, 2, 3, 5, 6, 7, 8}));
    EXPECT_FALSE(QFile::exists(QDir(strFolder).filePath("004.dat1C")));
    EXPECT_FALSE(QFile::exists(QDir(strFolder).filePath("004.dia1C")));

    // A restore onto the line skips 4 too, and says why.
    QList<Result> restored = AllDone({1, 4});
    restored[1] = Result{4, false, "not in the backup"};
    EXPECT_EQ(Run([&](CLineOperation& op) { return op.Restore({1, 4}, strFolder); }), restored);
}

TEST_F(LineOperationTest, DiffListsExactlyTheParametersChangedOnOneProcessor)
{
    StartLineOf(DistinctLine());
    const QString strBefore = Folder("before");
    const QList<int> ids{2, 6, 7};
    EXPECT_EQ(Run([&](CLineOperation& op) { return op.Backup(ids, strBefore); }), AllDone(ids));

    ASSERT_TRUE(m_link.SwitchTo(6));
    ASSERT_TRUE(RunUntil([this] { return !m_link.IsSwitching(); }, 15000));
    ASSERT_EQ(m_link.Record().GetDeviceId(), 6);
    ASSERT_TRUE(m_link.Edit(EParam::kOutGain, {2, 0}, 250));
    ASSERT_TRUE(m_link.EditText(EParam::kInName, {0, 0}, "Desk"));
    WaitUntilSent();
    const QString strAfter = Folder("after");
    EXPECT_EQ(Run([&](CLineOperation& op) { return op.Backup(ids, strAfter); }), AllDone(ids));

    QList<LineDiff::Row> rows;
    QString strReason;
    ASSERT_TRUE(LineDiff::CompareBackups(strBefore, strAfter, kEnglish, rows, strReason)) << strReason.toStdString();
    CAudio_Data factory;
    const auto text = [](EParam param, const CAudio_Data& data, ParamAt at) {
        return QString::fromStdString(ParamCatalogue::Format(param, data, at, kEnglish, nullptr));
    };
    CAudio_Data edited;
    edited.Output(2).SetGain(250);
    ParamCatalogue::SetText(EParam::kInName, edited, {0, 0}, "Desk");
    const QList<LineDiff::Row> expected{
        {6, "Input A", QString::fromStdString(ParamCatalogue::Caption(EParam::kInName, kEnglish)),
         text(EParam::kInName, factory, {0, 0}), "Desk"},
        {6, "Output 3", QString::fromStdString(ParamCatalogue::Caption(EParam::kOutGain, kEnglish)),
         text(EParam::kOutGain, factory, {2, 0}), text(EParam::kOutGain, edited, {2, 0})},
    };
    EXPECT_EQ(rows, expected);

    // A processor only one backup holds is one row.
    ASSERT_TRUE(LineDiff::CompareBackups(strBefore, Folder("empty"), kEnglish, rows, strReason) == false);
    EXPECT_EQ(Run([&](CLineOperation& op) { return op.Backup({2}, Folder("empty")); }), AllDone({2}));
    ASSERT_TRUE(LineDiff::CompareBackups(strBefore, Folder("empty"), kChinese, rows, strReason));
    EXPECT_EQ(rows, (QList<LineDiff::Row>{{6, {}, {}, "6", "（无）"}, {7, {}, {}, "7", "（无）"}}));
}
