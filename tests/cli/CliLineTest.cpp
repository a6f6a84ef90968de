// The line commands (backup --all, restore --all, mute, recall, diff) run as
// a script runs them, against eight virtual processors on one line.

#include "tests/cli/CliRun.h"
#include "tests/VprocProcess.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace
{
class CliLineTest : public ::testing::Test
{
protected:
    void Start(QStringList args = {})
    {
        args << "--ids" << "1-8" << "--state" << m_dir.filePath("line.state");
        ASSERT_TRUE(m_processor.Start(args));
    }

    CliResult Line(QStringList args) { return RunCli(args << "-p" << m_processor.Port()); }

    static QStringList Done(const QString& strTitle, const QList<int>& ids)
    {
        QStringList lines;
        for (const int nId : ids)
            lines << QStringLiteral("device ID %1: done").arg(nId);
        lines << QStringLiteral("%1: %2 of %2 processors done").arg(strTitle).arg(ids.size());
        return lines;
    }

    QTemporaryDir m_dir;
    CVprocProcess m_processor{m_dir.filePath("port")};
};
}

TEST_F(CliLineTest, WholeLineBacksUpMutesRecallsComparesAndRestores)
{
    Start();
    const CliResult found = Line({"search", "--to", "12"});
    EXPECT_EQ(found.OutLines(), (QStringList{"1", "2", "3", "4", "5", "6", "7", "8"}));

    const QString strBackup = m_dir.filePath("rack");
    const CliResult backup = Line({"backup", "--all", "--to", "10", strBackup});
    ASSERT_EQ(backup.nExit, 0) << backup.strErr.toStdString();
    EXPECT_EQ(backup.OutLines(), Done("Backup", {1, 2, 3, 4, 5, 6, 7, 8}));
    EXPECT_EQ(QDir(strBackup).entryList(QDir::Files).size(), 17);

    const CliResult mute = Line({"mute", "--ids", "2,5-6", "--outputs", "3", "on"});
    ASSERT_EQ(mute.nExit, 0) << mute.strErr.toStdString();
    EXPECT_EQ(mute.OutLines(), Done("Mute", {2, 5, 6}));
    const CliResult recall = Line({"recall", "--ids", "8", "4"});
    ASSERT_EQ(recall.nExit, 0) << recall.strErr.toStdString();
    EXPECT_EQ(recall.OutLines(), Done("Recall program 4", {8}));

    // Exactly the mutes differ (slot 4 holds the factory program, as the
    // live one did). Four of the eight keep the test short.
    const CliResult diff = Line({"diff", strBackup, "--ids", "2,5,6,8"});
    EXPECT_EQ(diff.nExit, 1) << diff.strErr.toStdString();
    EXPECT_EQ(diff.OutLines(), (QStringList{"ID\tChannel\tParameter\tA\tB", "2\tOutput 3\tMute\tOn\tMute",
                                            "5\tOutput 3\tMute\tOn\tMute", "6\tOutput 3\tMute\tOn\tMute"}));

    const CliResult restore = Line({"restore", "--ids", "2,5,6", strBackup});
    ASSERT_EQ(restore.nExit, 0) << restore.strErr.toStdString();
    EXPECT_EQ(restore.OutLines(), Done("Restore", {2, 5, 6}));
    const CliResult same = Line({"diff", strBackup, "--ids", "2,5,6", "--language", "zh"});
    EXPECT_EQ(same.nExit, 0) << same.strErr.toStdString();
    EXPECT_EQ(same.OutLines(), QStringList{"没有差别"});
    const CliResult files = RunCli({"diff", strBackup, strBackup});
    EXPECT_EQ(files.nExit, 0);
    EXPECT_EQ(files.OutLines(), QStringList{"no differences"});
}

TEST_F(CliLineTest, SilencedProcessorIsNamedWithItsReasonAndTheOthersComplete)
{
    Start({"--silence-id", "3", "--silence-after", "60"});
    const CliResult backup = Line({"backup", "--ids", "1-4", m_dir.filePath("rack")});
    EXPECT_EQ(backup.nExit, 1);
    EXPECT_EQ(backup.OutLines(), (QStringList{"device ID 1: done", "device ID 2: done",
                                              "device ID 3: skipped, no answer", "device ID 4: done",
                                              "Backup: 3 of 4 processors done"}));
    EXPECT_EQ(backup.ErrLines(), QStringList{"orvan-cli: 1 of 4 processors failed"});

    const CliResult usage = Line({"mute", "--ids", "1,3-x", "on"});
    EXPECT_EQ(usage.nExit, 2);
    EXPECT_EQ(Line({"recall", "--all", "3"}).nExit, 2);
}
