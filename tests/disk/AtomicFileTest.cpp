#include "disk/AtomicFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

namespace
{
namespace fs = std::filesystem;

std::span<const std::byte> Bytes(const std::string& text)
{
    return std::as_bytes(std::span(text));
}

class AtomicFileTest : public ::testing::Test
{
protected:
    AtomicFileTest()
        : m_dir(fs::temp_directory_path() /
                ("atomic-file-" + std::to_string(::getpid()) + "-" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name()))
    {
        fs::create_directories(m_dir);
    }
    ~AtomicFileTest() override { fs::remove_all(m_dir); }

    std::string Path(const std::string& name) const { return (m_dir / name).string(); }

    std::vector<std::string> Entries() const
    {
        std::vector<std::string> names;
        for (const fs::directory_entry& entry : fs::directory_iterator(m_dir))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    static std::string ReadAll(const std::string& path)
    {
        std::ifstream file(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(file), {}};
    }

    static void WriteOld(const std::string& path, mode_t mode)
    {
        std::ofstream(path, std::ios::binary) << "old\n";
        ::chmod(path.c_str(), mode);
    }

    static mode_t Mode(const std::string& path)
    {
        struct stat info{};
        ::stat(path.c_str(), &info);
        return info.st_mode & 07777;
    }

    fs::path m_dir;
};
}

TEST_F(AtomicFileTest, ReplacesTheFileBehindALinkAndKeepsItsPermissions)
{
    const std::string real = Path("real.dat");
    WriteOld(real, 0640);
    fs::create_symlink("real.dat", Path("link.dat"));

    const AtomicFile::Outcome outcome = AtomicFile::Write(Path("link.dat"), Bytes("new\n"));
    ASSERT_TRUE(outcome.Ok()) << outcome.strReason;
    EXPECT_TRUE(fs::is_symlink(Path("link.dat")));
    EXPECT_EQ(ReadAll(real), "new\n");
    EXPECT_EQ(Mode(real), 0640u);
    EXPECT_EQ(Entries(), (std::vector<std::string>{"link.dat", "real.dat"}));
}

TEST_F(AtomicFileTest, ANewFileGetsTheModeOfAnyNewFile)
{
    const mode_t old = ::umask(027);
    const AtomicFile::Outcome outcome = AtomicFile::Write(Path("new.dat"), Bytes(""));
    ::umask(old);
    ASSERT_TRUE(outcome.Ok()) << outcome.strReason;
    EXPECT_EQ(Mode(Path("new.dat")), 0640u);
    EXPECT_EQ(ReadAll(Path("new.dat")), "");
}

TEST_F(AtomicFileTest, AnOwnerOnlyFileIsModeSixHundredWhateverTheUmaskOrTheOldFile)
{
    const mode_t old = ::umask(0);
    const AtomicFile::Outcome fresh = AtomicFile::Write(Path("new.key"), Bytes("a"), AtomicFile::EAccess::kOwnerOnly);
    WriteOld(Path("old.key"), 0644);
    const AtomicFile::Outcome replaced = AtomicFile::Write(Path("old.key"), Bytes("b"), AtomicFile::EAccess::kOwnerOnly);
    ::umask(old);
    ASSERT_TRUE(fresh.Ok()) << fresh.strReason;
    ASSERT_TRUE(replaced.Ok()) << replaced.strReason;
    EXPECT_EQ(Mode(Path("new.key")), 0600u);
    EXPECT_EQ(Mode(Path("old.key")), 0600u);
    EXPECT_EQ(ReadAll(Path("old.key")), "b");
}

TEST_F(AtomicFileTest, AFillerWritesByNameAndItsFailureKeepsTheOldFile)
{
    const std::string path = Path("sheet.xlsx");
    WriteOld(path, 0644);
    std::string strFilled;
    const auto fill = [&strFilled](bool bSucceed) {
        return [&strFilled, bSucceed](const std::string& strTemp, std::string& strReason) {
            strFilled = strTemp;
            std::ofstream(strTemp, std::ios::binary) << "half";
            if (!bSucceed)
                strReason = "the library gave up";
            return bSucceed;
        };
    };

    const AtomicFile::Outcome failed = AtomicFile::WriteThrough(path, fill(false));
    EXPECT_EQ(failed.eResult, AtomicFile::EResult::kWriteFailed);
    EXPECT_EQ(failed.strReason, "the library gave up");
    EXPECT_EQ(fs::path(strFilled).parent_path(), m_dir);
    EXPECT_EQ(ReadAll(path), "old\n");
    EXPECT_EQ(Entries(), std::vector<std::string>{"sheet.xlsx"});

    ASSERT_TRUE(AtomicFile::WriteThrough(path, fill(true)).Ok());
    EXPECT_EQ(ReadAll(path), "half");
    EXPECT_EQ(Entries(), std::vector<std::string>{"sheet.xlsx"});
}

TEST_F(AtomicFileTest, WhatCannotBeReplacedOrCreatedSaysWhy)
{
    fs::create_directory(Path("folder"));
    const AtomicFile::Outcome folder = AtomicFile::Write(Path("folder"), Bytes("x"));
    EXPECT_EQ(folder.eResult, AtomicFile::EResult::kReplaceFailed);
    EXPECT_EQ(folder.strReason, "Is a directory");
    EXPECT_EQ(Entries(), std::vector<std::string>{"folder"});
    EXPECT_TRUE(fs::is_empty(Path("folder")));

    const AtomicFile::Outcome missing = AtomicFile::Write(Path("missing/x"), Bytes("x"));
    EXPECT_EQ(missing.eResult, AtomicFile::EResult::kWriteFailed);
    EXPECT_EQ(missing.strReason, "No such file or directory");
}
