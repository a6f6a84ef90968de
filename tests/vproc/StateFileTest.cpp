#include "vproc/StateFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace
{
class StateFileTest : public ::testing::Test
{
protected:
    StateFileTest()
        : m_path(std::filesystem::temp_directory_path() /
                 ("vproc-state-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name()))
    {
    }
    ~StateFileTest() override { std::filesystem::remove(m_path); }

    void Write(const std::string& text)
    {
        std::ofstream(m_path) << text;
    }

    std::filesystem::path m_path;
};
}

TEST_F(StateFileTest, SavedStateLoadsBackUnchanged)
{
    CProcessorState state;
    state.nDeviceId = 250;
    state.nDeviceType = 2;
    state.byBacklight = 2;
    state.byPowerOn = 3;
    state.abyGenerator = {0x11, 0x22, 0x33, 0x44, 0x55, 0x66, 0x77, 0x88};
    state.abyInfo[254] = 0xFE;
    state.aImages[30][1471] = 0x5A;
    state.aImages[0][0] = 0xA5;
    state.aNames[17] = {'N', 'a', 'm', 'e', 0xE9, 0, 0, 0, 0, 0, 0, 0};
    state.aLocks[31] = {1, 2, 3, 4, 5, 6, 'a', 'b', 'c', 'd', 'e', 'f'};

    std::string strError;
    ASSERT_TRUE(CStateFile::Save(m_path.string(), state, strError)) << strError;
    CProcessorState loaded;
    ASSERT_TRUE(CStateFile::Load(m_path.string(), loaded, strError)) << strError;
    EXPECT_EQ(loaded, state);
    EXPECT_FALSE(std::filesystem::exists(m_path.string() + ".new"));
}

TEST_F(StateFileTest, MissingItemsKeepTheirFactoryValues)
{
    Write("orvan-vproc-state 1\ndevice-id 9\nname 3 414200000000000000000000\n");
    CProcessorState state;
    std::string strError;
    ASSERT_TRUE(CStateFile::Load(m_path.string(), state, strError)) << strError;
    CProcessorState expected;
    expected.nDeviceId = 9;
    expected.aNames[3][0] = 'A';
    expected.aNames[3][1] = 'B';
    EXPECT_EQ(state, expected);
}

TEST_F(StateFileTest, DamagedFilesAreRefusedAndChangeNothing)
{
    const char* cases[] = {
        "something else 1\n",
        "orvan-vproc-state 3\n",
        "orvan-vproc-state 1\ndevice-id 251\n",
        "orvan-vproc-state 1\ndevice-type 0\n",
        "orvan-vproc-state 1\ngenerator 00112233445566\n",
        "orvan-vproc-state 1\ngenerator 001122334455667G\n",
        "orvan-vproc-state 1\nname 31 000000000000000000000000\n",
        "orvan-vproc-state 1\nlock 32 000000000000000000000000\n",
        "orvan-vproc-state 1\ncolour blue\n",
    };
    for (const char* text : cases)
    {
        Write(text);
        CProcessorState state;
        std::string strError;
        EXPECT_FALSE(CStateFile::Load(m_path.string(), state, strError)) << text;
        EXPECT_FALSE(strError.empty());
        EXPECT_EQ(state, CProcessorState()) << text;
    }
    CProcessorState state;
    std::string strError;
    EXPECT_FALSE(CStateFile::Load((m_path / "missing").string(), state, strError));
}

TEST_F(StateFileTest, LineOfProcessorsLoadsBackInSectionsOfTheirOwn)
{
    std::vector<CProcessorState> line = {CProcessorState::Numbered(2), CProcessorState::Numbered(5),
                                         CProcessorState::Numbered(250)};
    line[1].nDeviceType = 1;
    line[1].aImages[0][100] = 0x11;
    line[1].aNames[3] = CProcessorState::MakeName("Five");
    line[2].aLocks[31][0] = 0x22;

    std::string strError;
    ASSERT_TRUE(CStateFile::SaveLine(m_path.string(), line, strError)) << strError;
    std::ifstream file(m_path);
    std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    EXPECT_EQ(text.rfind("orvan-vproc-state 2\nprocessor 2\ndevice-type 6\nbacklight 1\n", 0), 0u);
    EXPECT_NE(text.find("\nprocessor 5\ndevice-type 1\n"), std::string::npos);
    EXPECT_EQ(text.find("device-id"), std::string::npos);

    std::vector<CProcessorState> loaded;
    ASSERT_TRUE(CStateFile::LoadLine(m_path.string(), loaded, strError)) << strError;
    EXPECT_EQ(loaded, line);

    // A file for one processor is a line of one.
    CProcessorState single;
    EXPECT_FALSE(CStateFile::Load(m_path.string(), single, strError));
    EXPECT_NE(strError.find("a line of 3 processors"), std::string::npos) << strError;
    EXPECT_EQ(single, CProcessorState());
}

TEST_F(StateFileTest, FileOfOneProcessorIsALineOfOne)
{
    CProcessorState state = CProcessorState::Numbered(9);
    state.aNames[1] = CProcessorState::MakeName("One");
    std::string strError;
    ASSERT_TRUE(CStateFile::SaveLine(m_path.string(), std::vector{state}, strError)) << strError;
    std::ifstream file(m_path);
    std::string strFirst;
    std::string strSecond;
    std::getline(file, strFirst);
    std::getline(file, strSecond);
    EXPECT_EQ(strFirst + "/" + strSecond, "orvan-vproc-state 1/device-id 9");

    std::vector<CProcessorState> loaded;
    ASSERT_TRUE(CStateFile::LoadLine(m_path.string(), loaded, strError)) << strError;
    EXPECT_EQ(loaded, std::vector{state});
    CProcessorState single;
    ASSERT_TRUE(CStateFile::Load(m_path.string(), single, strError)) << strError;
    EXPECT_EQ(single, state);
}

TEST_F(StateFileTest, DamagedLineFilesAreRefused)
{
    const char* cases[] = {
        "orvan-vproc-state 2\n",
        "orvan-vproc-state 2\nbacklight 2\nprocessor 1\n",
        "orvan-vproc-state 2\nprocessor 1\ndevice-id 1\n",
        "orvan-vproc-state 2\nprocessor 1\nprocessor 2\nprocessor 1\n",
        "orvan-vproc-state 2\nprocessor 0\n",
        "orvan-vproc-state 2\nprocessor 3\nimage 31 00\n",
        "orvan-vproc-state 1\nprocessor 3\n",
    };
    for (const char* text : cases)
    {
        Write(text);
        std::vector<CProcessorState> line(1);
        std::string strError;
        EXPECT_FALSE(CStateFile::LoadLine(m_path.string(), line, strError)) << text;
        EXPECT_FALSE(strError.empty()) << text;
        EXPECT_EQ(line.size(), 1u) << text;
    }
    std::string strError;
    EXPECT_FALSE(CStateFile::SaveLine(m_path.string(), {}, strError));
}
