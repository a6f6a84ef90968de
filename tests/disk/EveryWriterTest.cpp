// Every file the program and its tools write, under the conditions that
// make writing fail: each failure is reported with its cause, leaves neither
// a partial nor a temporary file, and keeps the file it was to replace byte
// for byte. The virtual processor's state, the program and bank files (the
// program window and the command line write them), the report's three
// exports through the Data View window and the response graph's three
// through its export menu, both of which show the messages.
//
// Each write runs in a child process, so the file size limit and dropped
// permissions end with it.

#include "app/GraphExportMenu.h"
#include "editors/FStatic.h"
#include "model/Audio_Data.h"
#include "model/ValueText.h"
#include "report/DataViewDlg.h"
#include "model/LockState.h"
#include "vproc/ProcessorState.h"
#include "model/ProgramBank.h"
#include "line/LineBackup.h"
#include "programs/ProgramFile.h"
#include "session/ProcessorLink.h"
#include "tests/report/ReportFixture.h"
#include "tests/programs/SamplePrograms.h"
#include "vproc/StateFile.h"
#include "ui/MessageBox.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <functional>
#include <memory>
#include <string>
#include <tuple>

#include <fcntl.h>
#include <linux/capability.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

namespace
{
// Below the size of every file here (the smallest, the CSV report, is
// some 6 kB).
constexpr rlim_t kFileSizeLimit = 2048;

// What a writer told its user.
struct Told
{
    bool bOk = false;
    QString strText;  // the message, error line or reason
};

using Writer = std::function<Told(const QString& path)>;

struct WriterRow
{
    const char* szName;
    const char* szFile;
    Writer write;
};

// An export from the Data View window: what its message box said, success
// being its saved message.
Writer FromWindow(void (CDataViewDlg::*exportTo)())
{
    return [exportTo](const QString& path) {
        QString strShown = QStringLiteral("no message");
        const CMessageBox::Presenter previous = CMessageBox::SetPresenter(
            [&strShown](QWidget*, const QString&, const QString& text, CMessageBox::EIcon) { strShown = text; });
        CDataViewDlg dialog(SampleReport(kEnglish), kEnglish);
        dialog.SetFileAsker([path](QWidget*, const QString&, const QString&, const QString&, const QStringList&) {
            return path;
        });
        (dialog.*exportTo)();
        CMessageBox::SetPresenter(previous);
        return Told{strShown.startsWith(QStringLiteral("导出文件保存于")), strShown};
    };
}

// An export from the response graph's menu (its picture at a size, PNG or
// SVG by the name, or its curves as CSV): what its message box said.
Writer FromGraphMenu(std::function<bool(CGraphExportMenu& menu, const QString& path)> exportTo)
{
    return [exportTo](const QString& path) {
        QString strShown = QStringLiteral("no message");
        const CMessageBox::Presenter previous = CMessageBox::SetPresenter(
            [&strShown](QWidget*, const QString&, const QString& text, CMessageBox::EIcon) { strShown = text; });
        CProcessorLink link;
        CFStatic graph(link);
        graph.resize(800, 450);
        CGraphExportMenu menu(link, graph);
        const bool bOk = exportTo(menu, path);
        CMessageBox::SetPresenter(previous);
        return Told{bOk, strShown};
    };
}

bool PictureOfGraph(CGraphExportMenu& menu, const QString& path)
{
    return menu.ExportPicture({800, 450}, path);
}

Told FromFileError(ProgramFileError eError, const QString& strDetail)
{
    return {eError == ProgramFileError::kNone, strDetail};
}

const std::vector<WriterRow>& Writers()
{
    static const std::vector<WriterRow> writers = {
        {"ReportCsv", "report.csv", FromWindow(&CDataViewDlg::ExportTable)},
        {"ReportXlsx", "report.xlsx", FromWindow(&CDataViewDlg::ExportTable)},
        {"ReportPdf", "report.pdf", FromWindow(&CDataViewDlg::ExportPdf)},
        {"GraphPng", "graph.png", FromGraphMenu(PictureOfGraph)},
        {"GraphSvg", "graph.svg", FromGraphMenu(PictureOfGraph)},
        {"GraphCurvesCsv", "curves.csv",
         FromGraphMenu([](CGraphExportMenu& menu, const QString& path) { return menu.ExportCurves(path); })},
        {"ProgramFile", "live.dia1C",
         [](const QString& path) {
             auto program = std::make_unique<CAudio_Data>();
             CLockState locks;
             SamplePrograms::FillProgram(*program, locks);
             QString strDetail;
             return FromFileError(ProgramFile::WriteProgramFile(path, *program, locks, &strDetail), strDetail);
         }},
        {"BankFile", "all.dat1C",
         [](const QString& path) {
             auto bank = std::make_unique<CProgramBank>();
             SamplePrograms::FillBank(*bank);
             QString strDetail;
             return FromFileError(ProgramFile::WriteBankFile(path, *bank, &strDetail), strDetail);
         }},
        {"LineIndex", LineBackup::kIndexName,
         [](const QString& path) {
             // A whole line of labelled processors, so that the index is
             // larger than the size limit.
             QList<LineBackup::Entry> entries;
             for (int id = 1; id <= 250; ++id)
                 entries.append(LineBackup::EntryFor(id, QStringLiteral("Delay tower %1").arg(id)));
             QString strReason;
             const bool bWritten = LineBackup::WriteIndex(QFileInfo(path).absolutePath(), entries, strReason);
             return Told{bWritten, strReason};
         }},
        {"ProcessorState", "vproc.state",
         [](const QString& path) {
             CProcessorState state;
             std::string strError;
             const bool bSaved = CStateFile::Save(path.toStdString(), state, strError);
             return Told{bSaved, QString::fromStdString(strError)};
         }},
    };
    return writers;
}

enum class ECondition
{
    FileSizeLimit,   // a new file onto a full disk
    ReadOnlyFolder,  // a new file into a folder nobody may write
    OverOldFile,     // an existing file replaced on a full disk
};

// Drops root's right to ignore permissions, so that a read-only folder is
// one for this process too. False when it cannot be dropped.
bool DropPermissionOverride()
{
    if (::geteuid() != 0)
        return true;
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct data[2]{};
    if (::syscall(SYS_capget, &header, data) != 0)
        return false;
    data[0].effective &= ~((1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH) | (1u << CAP_FOWNER));
    return ::syscall(SYS_capset, &header, data) == 0;
}

bool CanCreateIn(const QString& folder)
{
    const QByteArray probe = QFile::encodeName(folder + QStringLiteral("/probe"));
    const int fd = ::open(probe.constData(), O_WRONLY | O_CREAT | O_EXCL, 0644);
    if (fd < 0)
        return false;
    ::close(fd);
    ::unlink(probe.constData());
    return true;
}

// Runs the writer in a child process under the condition. The child
// answers with one letter (Y written, N refused, S cannot set the
// condition up) and the text it was told.
QByteArray RunInChild(const Writer& write, const QString& path, ECondition eCondition)
{
    int fds[2];
    if (::pipe(fds) != 0)
        return "Spipe failed";
    const pid_t pid = ::fork();
    if (pid == 0)
    {
        ::close(fds[0]);
        QByteArray answer;
        if (eCondition == ECondition::ReadOnlyFolder)
        {
            if (!DropPermissionOverride() || CanCreateIn(QFileInfo(path).path()))
                answer = "Sthis process writes into read-only folders (root without a way to drop that right)";
        }
        else
        {
            std::signal(SIGXFSZ, SIG_IGN);
            const rlimit limit{kFileSizeLimit, RLIM_INFINITY};
            ::setrlimit(RLIMIT_FSIZE, &limit);
        }
        if (answer.isEmpty())
        {
            const Told told = write(path);
            answer = (told.bOk ? "Y" : "N") + told.strText.toUtf8();
        }
        const ssize_t nWritten = ::write(fds[1], answer.constData(), static_cast<size_t>(answer.size()));
        ::_exit(nWritten == answer.size() ? 0 : 1);
    }
    ::close(fds[1]);
    QByteArray answer;
    char buffer[512];
    for (ssize_t n; (n = ::read(fds[0], buffer, sizeof buffer)) > 0;)
        answer.append(buffer, n);
    ::close(fds[0]);
    int status = 0;
    ::waitpid(pid, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return "Ethe child process did not end normally";
    return answer;
}

QStringList Entries(const QString& folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
}

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class EveryWriterTest : public ::testing::TestWithParam<std::tuple<size_t, ECondition>>
{
protected:
    QTemporaryDir m_dir;
};

TEST_P(EveryWriterTest, FailsWithItsCauseAndLeavesTheFolderAsItWas)
{
    ASSERT_TRUE(m_dir.isValid());
    const WriterRow& writer = Writers().at(std::get<0>(GetParam()));
    const ECondition eCondition = std::get<1>(GetParam());
    const QString path = m_dir.filePath(QString::fromLatin1(writer.szFile));

    QByteArray old;
    if (eCondition == ECondition::OverOldFile)
    {
        for (int n = 0; n < 256; ++n)
            old.append(static_cast<char>(n));
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_EQ(file.write(old), old.size());
    }
    const QStringList before = Entries(m_dir.path());
    if (eCondition == ECondition::ReadOnlyFolder)
        QFile::setPermissions(m_dir.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner | QFileDevice::ReadGroup
                                                | QFileDevice::ExeGroup | QFileDevice::ReadOther
                                                | QFileDevice::ExeOther);

    const QByteArray answer = RunInChild(writer.write, path, eCondition);
    QFile::setPermissions(m_dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    const QString told = QString::fromUtf8(answer.mid(1));
    if (answer.startsWith('S'))
        GTEST_SKIP() << told.toStdString();
    ASSERT_EQ(answer.left(1), "N") << told.toStdString();

    const char* szCause = eCondition == ECondition::ReadOnlyFolder ? "Permission denied" : "File too large";
    EXPECT_TRUE(told.contains(QString::fromLatin1(szCause))) << told.toStdString();
    EXPECT_EQ(Entries(m_dir.path()), before);
    if (eCondition == ECondition::OverOldFile)
    {
        EXPECT_EQ(ReadAll(path), old);
    }
}

std::string CaseName(const ::testing::TestParamInfo<std::tuple<size_t, ECondition>>& info)
{
    static const char* const kConditions[] = {"FileSizeLimit", "ReadOnlyFolder", "OverOldFile"};
    return std::string(Writers().at(std::get<0>(info.param)).szName) + "_" +
           kConditions[static_cast<int>(std::get<1>(info.param))];
}

INSTANTIATE_TEST_SUITE_P(Disk, EveryWriterTest,
                         ::testing::Combine(::testing::Range(size_t{0}, Writers().size()),
                                            ::testing::Values(ECondition::FileSizeLimit, ECondition::ReadOnlyFolder,
                                                              ECondition::OverOldFile)),
                         CaseName);
}
