// Every subcommand that talks to a processor, run as a script runs it,
// against the virtual processor program on a pseudo-terminal.

#include "tests/cli/CliRun.h"
#include "tests/VprocProcess.h"

#include "model/Audio_Data.h"
#include "model/LockState.h"
#include "vproc/ProcessorState.h"
#include "programs/ProgramFile.h"
#include "tests/programs/SamplePrograms.h"
#include "vproc/StateFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <cstring>
#include <memory>

#include <sys/resource.h>

namespace
{
using Name = CProcessorState::Name;

class CliVprocTest : public ::testing::Test
{
protected:
    QString Path(const QString& strName) const { return m_dir.filePath(strName); }

    enum class ELine
    {
        Terminal,
        Network,  // a TCP port, as behind a serial device server
    };

    // A processor on its own terminal or TCP port, started from `state`
    // when given; it keeps its state in <name>.state.
    std::unique_ptr<CVprocProcess> StartProcessor(const QString& strName, QStringList args,
                                                  const CProcessorState* pState = nullptr,
                                                  ELine eLine = ELine::Terminal)
    {
        const QString strState = Path(strName + ".state");
        std::string strError;
        if (pState)
        {
            EXPECT_TRUE(CStateFile::Save(strState.toStdString(), *pState, strError)) << strError;
        }
        auto pProcessor = std::make_unique<CVprocProcess>(Path(strName));
        args << "--state" << strState;
        EXPECT_TRUE(eLine == ELine::Terminal ? pProcessor->Start(args) : pProcessor->StartListening(args));
        return pProcessor;
    }

    void BackupThenRestoreIntoASecondProcessor(ELine eLine);

    // Stops the processor, which saves its state, and reads that state.
    CProcessorState StateAfter(CVprocProcess& processor, const QString& strName)
    {
        processor.Stop();
        CProcessorState state;
        std::string strError;
        EXPECT_TRUE(CStateFile::Load(Path(strName + ".state").toStdString(), state, strError)) << strError;
        return state;
    }

    QTemporaryDir m_dir;
};
}

TEST_F(CliVprocTest, SearchPrintsTheIdsThatAnswerAndFailsWhenNoneDoes)
{
    const auto pLine = StartProcessor("line", {"--id", "3", "--other-ids", "5"});
    const CliResult found = RunCli({"search", "-p", pLine->Port(), "--from", "2", "--to", "6"});
    EXPECT_EQ(found.nExit, 0) << found.strErr.toStdString();
    EXPECT_EQ(found.OutLines(), QStringList({"3", "5"}));

    const CliResult none = RunCli({"search", "-p", pLine->Port(), "--from", "7", "--to", "8"});
    EXPECT_EQ(none.nExit, 1);
    EXPECT_EQ(none.strOut, "");
    EXPECT_EQ(none.ErrLines(), QStringList({"orvan-cli: no device ID from 7 to 8 answers on " + pLine->Port()}));
}

TEST_F(CliVprocTest, InfoPrintsWhatTheProcessorToldWhileConnecting)
{
    CProcessorState state;
    state.aNames[0] = CProcessorState::MakeName("Live Set");
    state.aNames[2] = CProcessorState::MakeName("Stage \xE9 2");
    state.byBacklight = 2;
    state.byPowerOn = 3;
    CAudio_Data texts;
    texts.SetInfoText(0, "FOH RACK");
    texts.SetInfoText(6, "call 555");
    std::ranges::copy(texts.BuildInfoBlock(), state.abyInfo.begin());
    const auto pProcessor = StartProcessor("unit", {"--id", "9", "--type", "4", "--firmware", "C-DV1.23"}, &state);

    const CliResult info = RunCli({"info", "-p", pProcessor->Port(), "--id", "9"});
    ASSERT_EQ(info.nExit, 0) << info.strErr.toStdString();
    const QStringList lines = info.OutLines();
    ASSERT_EQ(lines.size(), 3 + 31 + 2 + 7);
    for (const char* pszLine : {"device ID: 9", "device type: 4 (3 inputs, 6 outputs)", "version: C-DV1.23",
                                "program  0: \"Live Set\"", "program  2: \"Stage \xC3\xA9 2\"", "program 30: \"\"",
                                "backlight: 2 (60s)", "power-on: 3 (Load)", "info 1: \"FOH RACK\"", "info 2: \"\"",
                                "info 7: \"call 555\""})
        EXPECT_TRUE(lines.contains(QString::fromUtf8(pszLine))) << pszLine;
}

TEST_F(CliVprocTest, ProcessorOfAnotherMajorVersionIsRefused)
{
    struct Row
    {
        const char* pszFirmware;
        const char* pszSays;
    };
    for (const Row& row : {Row{"C-DV0.90", "device version C-DV0.90 is older than this software supports"},
                           Row{"C-DV2.00", "device version C-DV2.00 is newer than this software supports"}})
    {
        SCOPED_TRACE(row.pszFirmware);
        const auto pProcessor = StartProcessor(row.pszFirmware, {"--firmware", row.pszFirmware});
        const CliResult info = RunCli({"info", "-p", pProcessor->Port()});
        EXPECT_EQ(info.nExit, 1);
        EXPECT_EQ(info.strOut, "");
        ASSERT_EQ(info.ErrLines().size(), 1);
        EXPECT_TRUE(info.strErr.contains(row.pszSays)) << info.strErr.toStdString();
    }
}

// What push-live sends is what the processor then plays: pulling it back
// gives the same name, function locks and channel blocks, with the file's
// mute states; the processor keeps its own system locks and password.
TEST_F(CliVprocTest, PushLiveThenPullLiveGivesTheProgramBack)
{
    CProcessorState state;
    state.aLocks[0] = {0, 0, 0, 0, 0x14, 0x01, 'q', 'w', 'e', 'r', 't', 'y'};
    const auto pProcessor = StartProcessor("unit", {}, &state);

    auto pSent = std::make_unique<CAudio_Data>();
    CLockState sentLocks;
    SamplePrograms::FillProgram(*pSent, sentLocks);
    const QString strSent = Path("sent.dia1C");
    ASSERT_EQ(ProgramFile::WriteProgramFile(strSent, *pSent, sentLocks), ProgramFileError::kNone);
    // The file as read is what goes out (crossovers count as sent once read).
    ASSERT_EQ(ProgramFile::ReadProgramFile(strSent, *pSent, sentLocks), ProgramFileError::kNone);

    const CliResult pushed = RunCli({"push-live", "-p", pProcessor->Port(), strSent});
    ASSERT_EQ(pushed.nExit, 0) << pushed.strErr.toStdString();
    const CliResult pulled = RunCli({"pull-live", "-p", pProcessor->Port(), Path("pulled")});
    ASSERT_EQ(pulled.nExit, 0) << pulled.strErr.toStdString();
    EXPECT_EQ(pulled.OutLines(), QStringList({Path("pulled.dia1C")}));

    auto pBack = std::make_unique<CAudio_Data>();
    CLockState backLocks;
    ASSERT_EQ(ProgramFile::ReadProgramFile(Path("pulled.dia1C"), *pBack, backLocks), ProgramFileError::kNone);
    EXPECT_EQ(pBack->GetName(), pSent->GetName());
    for (int flag = 0; flag < CLockState::kFunctionFlags; ++flag)
        EXPECT_EQ(backLocks.IsLocked(flag), sentLocks.IsLocked(flag)) << flag;
    for (int i = 0; i < CAudio_InRoute::kCount; ++i)
    {
        // The gate threshold is not in the file: the processor keeps its own.
        pSent->Input(i).m_nGate = state.aImages[0][static_cast<size_t>(CImageSlot::BlockOffset(i + 1) + 14)];
        const auto back = pBack->Input(i).BuildBlock();
        const auto sent = pSent->Input(i).BuildBlock();
        EXPECT_TRUE(std::ranges::equal(back, sent)) << "input " << i;
    }
    for (int i = 0; i < CAudio_OutRoute::kCount; ++i)
    {
        const auto back = pBack->Output(i).BuildBlock();
        const auto sent = pSent->Output(i).BuildBlock();
        EXPECT_TRUE(std::ranges::equal(back, sent)) << "output " << i;
    }
    EXPECT_EQ(pBack->Input(0).IsOn(), 0);
    EXPECT_EQ(pBack->Output(1).IsOn(), 0);

    const CProcessorState after = StateAfter(*pProcessor, "unit");
    const auto fileSet = sentLocks.EncodeLockSet();
    const CProcessorState::LockRecord expected = {fileSet[0], fileSet[1], fileSet[2], fileSet[3], 0x14, 0x01,
                                                  'q', 'w', 'e', 'r', 't', 'y'};
    EXPECT_EQ(after.aLocks[0], expected);
    EXPECT_EQ(after.aLocks[31], expected);
}

void CliVprocTest::BackupThenRestoreIntoASecondProcessor(ELine eLine)
{
    CProcessorState seeded;
    for (int n = 1; n <= 30; ++n)
    {
        auto& image = seeded.aImages[static_cast<size_t>(n)];
        for (size_t k = 0; k < image.size(); ++k)
            image[k] = static_cast<uint8_t>(n * 5 + k * 3);
        seeded.aNames[static_cast<size_t>(n)] =
            CProcessorState::MakeName("Prog " + std::to_string(n) + (n % 2 ? "\xE9" : " A"));
        auto& lock = seeded.aLocks[static_cast<size_t>(n)];
        for (size_t k = 0; k < lock.size(); ++k)
            lock[k] = static_cast<uint8_t>(0x11 * (k + 1) + n);
    }
    const auto pFirst = StartProcessor("first", {}, &seeded, eLine);
    const auto pSecond = StartProcessor("second", {}, nullptr, eLine);

    const CliResult backup = RunCli({"backup", "-p", pFirst->Port(), Path("all")});
    ASSERT_EQ(backup.nExit, 0) << backup.strErr.toStdString();
    EXPECT_EQ(backup.OutLines(), QStringList({Path("all.dat1C")}));
    const CliResult restore = RunCli({"restore", "-p", pSecond->Port(), Path("all.dat1C")});
    ASSERT_EQ(restore.nExit, 0) << restore.strErr.toStdString();

    const CProcessorState first = StateAfter(*pFirst, "first");
    const CProcessorState second = StateAfter(*pSecond, "second");
    for (size_t n = 1; n <= 30; ++n)
    {
        SCOPED_TRACE(n);
        EXPECT_EQ(first.aImages[n], seeded.aImages[n]);
        EXPECT_EQ(second.aImages[n], seeded.aImages[n]);
        EXPECT_EQ(second.aNames[n], seeded.aNames[n]);
        // A processor hands out 8 lock bytes of a program; the other four
        // travel as 0.
        EXPECT_TRUE(std::equal(second.aLocks[n].begin(), second.aLocks[n].begin() + 8, seeded.aLocks[n].begin()));
        EXPECT_TRUE(
            std::all_of(second.aLocks[n].begin() + 8, second.aLocks[n].end(), [](uint8_t b) { return b == 0; }));
    }
    // Only the stored programs changed.
    EXPECT_EQ(second.aImages[0], CProcessorState().aImages[0]);
    EXPECT_EQ(second.aLocks[0], CProcessorState().aLocks[0]);
}

TEST_F(CliVprocTest, BackupThenRestoreIntoASecondProcessorGivesIdenticalPrograms)
{
    BackupThenRestoreIntoASecondProcessor(ELine::Terminal);
}

TEST_F(CliVprocTest, BackupAndRestoreWorkThroughASerialDeviceServer)
{
    BackupThenRestoreIntoASecondProcessor(ELine::Network);
}

// The message and advice the Connection dialog gives, on one error line, in
// the language asked for (English unless --language says otherwise).
TEST_F(CliVprocTest, NetworkPortFailuresNameTheirCause)
{
    // A port nobody listens on any more: the connection is refused at once.
    QString strClosed;
    {
        const auto pGone = StartProcessor("gone", {}, nullptr, ELine::Network);
        strClosed = pGone->Port();
    }
    // A name under the reserved domain never resolves, with or without a
    // network.
    const QString strNoHost = "tcp://orvan.invalid:4001";
    const QString strNoNumber = "tcp://127.0.0.1";
    struct Row
    {
        const char* pszName;
        QStringList args;
        QString strAdvice;
    };
    const Row rows[] = {
        {"refused", {"info", "-p", strClosed},
         strClosed + " refused the connection. Check that the serial device server is on, that the port number is "
                     "right and that no other program is connected to it."},
        {"refused, in Chinese, while searching", {"search", "-p", strClosed, "--language", "zh"},
         strClosed + " 拒绝了连接。请检查串口服务器已开启、端口号正确，并且没有其他程序已连接到它。"},
        {"unknown host", {"info", "-p", strNoHost, "--language", "en"},
         "The host of tcp://orvan.invalid:4001 is not known. Check its name, or give the serial device server's IP "
         "address."},
        {"unknown host, in Chinese", {"info", "-p", strNoHost, "--language", "zh"},
         "找不到 tcp://orvan.invalid:4001 的主机。请检查主机名，或直接填写串口服务器的IP地址。"},
        {"no port number", {"backup", "-p", strNoNumber, Path("none")},
         "tcp://127.0.0.1 is not a network port. Write it as tcp://host:port, for example tcp://192.168.1.50:4001."},
        {"no port number, in Chinese", {"backup", "-p", strNoNumber, "--language", "zh", Path("none")},
         "tcp://127.0.0.1 不是网络端口。请写成 tcp://主机:端口，例如 tcp://192.168.1.50:4001。"},
    };
    for (const Row& row : rows)
    {
        SCOPED_TRACE(row.pszName);
        const CliResult result = RunCli(row.args);
        EXPECT_EQ(result.nExit, 1);
        EXPECT_LT(result.nMs, 2000);
        EXPECT_EQ(result.strOut, "");
        EXPECT_EQ(result.ErrLines(), QStringList({"orvan-cli: Unable to open COM-port: " + row.strAdvice}));
    }
    EXPECT_FALSE(QFile::exists(Path("none.dat1C")));

    // A server that accepts but whose processor never answers: the 4 s rule.
    const auto pSilent = StartProcessor("silent", {"--silent"}, nullptr, ELine::Network);
    const CliResult silent = RunCli({"info", "-p", pSilent->Port()});
    EXPECT_EQ(silent.nExit, 1);
    EXPECT_LT(silent.nMs, 5500);
    EXPECT_EQ(silent.ErrLines(), QStringList({"orvan-cli: no answer from device ID 1 on " + pSilent->Port()}));
}

TEST_F(CliVprocTest, SilentProcessorFailsWithinFiveSecondsAndWritesNothing)
{
    const auto pProcessor = StartProcessor("silent", {"--silent"});
    const CliResult backup = RunCli({"backup", "-p", pProcessor->Port(), Path("out.dat1C")});
    EXPECT_EQ(backup.nExit, 1);
    EXPECT_LT(backup.nMs, 5500);
    EXPECT_EQ(backup.strOut, "");
    EXPECT_EQ(backup.ErrLines(), QStringList({"orvan-cli: no answer from device ID 1 on " + pProcessor->Port()}));
    EXPECT_FALSE(QFile::exists(Path("out.dat1C")));
}

TEST_F(CliVprocTest, ProcessorFallingSilentMidwayLeavesThePreviousFileAsItWas)
{
    // Connecting takes some 55 answers; the backup stops a few programs in.
    const auto pProcessor = StartProcessor("flaky", {"--stop-after", "70"});
    const QString strOut = Path("out.dat1C");
    {
        QFile file(strOut);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("the previous backup");
    }
    const QStringList before = QDir(m_dir.path()).entryList(QDir::Files);

    const CliResult backup = RunCli({"backup", "-p", pProcessor->Port(), strOut});
    EXPECT_EQ(backup.nExit, 1);
    EXPECT_EQ(backup.ErrLines(), QStringList({"orvan-cli: no answer from device ID 1 on " + pProcessor->Port()}));
    QFile file(strOut);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), "the previous backup");
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files), before);
}

TEST_F(CliVprocTest, BackupOntoAFullDiskNamesTheCauseAndKeepsThePreviousFile)
{
    const auto pProcessor = StartProcessor("full", {});
    const QString strOut = Path("out.dat1C");
    {
        QFile file(strOut);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("the previous backup");
    }
    const auto entries = [this] {
        return QDir(m_dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    };
    const QStringList before = entries();
    // The bank file is some 45 kB; the disk takes 4 kB of it.
    const CliResult backup = RunCli({"backup", "-p", pProcessor->Port(), strOut}, QProcessEnvironment::systemEnvironment(), [] {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{4096, RLIM_INFINITY};
        setrlimit(RLIMIT_FSIZE, &limit);
    });
    EXPECT_EQ(backup.nExit, 1);
    EXPECT_EQ(backup.strOut, "");
    EXPECT_EQ(backup.ErrLines(), QStringList({"orvan-cli: cannot write " + strOut + ": File too large"}));
    QFile file(strOut);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), "the previous backup");
    EXPECT_EQ(entries(), before);
}
