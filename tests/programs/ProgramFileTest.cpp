#include "model/Audio_Data.h"
#include "model/LockState.h"
#include "model/ProgramBank.h"
#include "programs/ProgramCodec.h"
#include "programs/ProgramFile.h"
#include "tests/programs/SamplePrograms.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <csignal>
#include <memory>
#include <sys/resource.h>
#include <vector>

namespace
{
using Bytes = std::vector<uint8_t>;

Bytes ReadAll(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray data = file.readAll();
    return Bytes(data.begin(), data.end());
}

void WriteAll(const QString& path, const QByteArray& data)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(data), data.size());
}

// Limits the size of any file this process writes, as a full disk would,
// for as long as it lives.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &m_saved);
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = m_saved;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_saved);
        std::signal(SIGXFSZ, m_oldHandler);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit m_saved{};
    void (*m_oldHandler)(int) = nullptr;
};
}

TEST(ProgramFileOnDisk, ProgramAndBankSurviveTheDisk)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString programPath = dir.filePath("live.dia1C");
    const QString bankPath = dir.filePath("all.dat1C");

    CAudio_Data program;
    CLockState locks;
    SamplePrograms::FillProgram(program, locks);
    ASSERT_EQ(ProgramFile::WriteProgramFile(programPath, program, locks), ProgramFileError::kNone);
    EXPECT_EQ(ReadAll(programPath), ProgramCodec::EncodeProgram(program, locks));

    CAudio_Data loaded;
    CLockState loadedLocks;
    ASSERT_EQ(ProgramFile::ReadProgramFile(programPath, loaded, loadedLocks), ProgramFileError::kNone);
    EXPECT_EQ(ProgramCodec::EncodeProgram(loaded, loadedLocks), ReadAll(programPath));

    CProgramBank bank;
    SamplePrograms::FillBank(bank);
    ASSERT_EQ(ProgramFile::WriteBankFile(bankPath, bank), ProgramFileError::kNone);
    auto loadedBank = std::make_unique<CProgramBank>();
    ASSERT_EQ(ProgramFile::ReadBankFile(bankPath, *loadedBank), ProgramFileError::kNone);
    EXPECT_EQ(ProgramCodec::EncodeBank(*loadedBank), ReadAll(bankPath));
}

TEST(ProgramFileOnDisk, SavingReplacesTheFileAndLeavesNothingBeside)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("show.dia1C");
    WriteAll(path, QByteArray(50000, 'x'));

    CAudio_Data program;
    CLockState locks;
    ASSERT_EQ(ProgramFile::WriteProgramFile(path, program, locks), ProgramFileError::kNone);
    EXPECT_EQ(ReadAll(path).size(), 10009u);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"show.dia1C"});
}

TEST(ProgramFileOnDisk, AFailedSaveKeepsThePreviousFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("show.dat1C");
    CProgramBank previous;
    ASSERT_EQ(ProgramFile::WriteBankFile(path, previous), ProgramFileError::kNone);
    const Bytes before = ReadAll(path);

    CProgramBank bank;
    SamplePrograms::FillBank(bank);
    QString detail;
    {
        // The disk fills up in the middle of the new file.
        FileSizeLimit limit(20000);
        EXPECT_EQ(ProgramFile::WriteBankFile(path, bank, &detail), ProgramFileError::kCannotWrite);
    }
    EXPECT_FALSE(detail.isEmpty());
    EXPECT_EQ(ReadAll(path), before);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"show.dat1C"});

    EXPECT_EQ(ProgramFile::WriteBankFile(dir.filePath("missing/show.dat1C"), bank), ProgramFileError::kCannotWrite);
}

TEST(ProgramFileOnDisk, UnreadableOversizedAndDamagedFilesChangeNothing)
{
    QTemporaryDir dir;
    const QString huge = dir.filePath("huge.dia1C");
    {
        QFile file(huge);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_TRUE(file.resize(ProgramFile::kMaxFileBytes + 1));
    }
    const QString shortFile = dir.filePath("short.dia1C");
    {
        CAudio_Data other;
        CLockState otherLocks;
        SamplePrograms::FillProgram(other, otherLocks);
        const Bytes full = ProgramCodec::EncodeProgram(other, otherLocks);
        WriteAll(shortFile, QByteArray(reinterpret_cast<const char*>(full.data()), 9000));
    }

    struct Case
    {
        QString path;
        ProgramFileError error;
    };
    const Case cases[] = {
        {dir.filePath("absent.dia1C"), ProgramFileError::kCannotRead},
        {dir.path(), ProgramFileError::kCannotRead},
        {huge, ProgramFileError::kTooLarge},
        {shortFile, ProgramFileError::kTruncated},
    };
    CAudio_Data program;
    CLockState locks;
    locks.SetFlag(CLockState::kOutEq, true);
    const Bytes before = ProgramCodec::EncodeProgram(program, locks);
    for (const Case& c : cases)
    {
        EXPECT_EQ(ProgramFile::ReadProgramFile(c.path, program, locks), c.error) << c.path.toStdString();
        EXPECT_EQ(ProgramCodec::EncodeProgram(program, locks), before) << c.path.toStdString();
        EXPECT_FALSE(locks.IsFixed(CLockState::kOutEq));
    }

    CProgramBank bank;
    EXPECT_EQ(ProgramFile::ReadBankFile(huge, bank), ProgramFileError::kTooLarge);
    EXPECT_EQ(ProgramFile::ReadBankFile(shortFile, bank), ProgramFileError::kTruncated);
}
