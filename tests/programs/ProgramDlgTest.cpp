// The "Program" window without a processor: what the system locks allow,
// what needs a connection, and program files that cannot be read or
// written.

#include "programs/ProgramDlg.h"
#include "programs/ProgramManager.h"
#include "tests/app/WindowTestEnvironment.h"

#include "model/Audio_Data.h"
#include "link/Command.h"
#include "model/ValueText.h"
#include "model/LockState.h"
#include "programs/ProgramCodec.h"
#include "programs/ProgramFile.h"
#include "programs/ProgramTransfer.h"
#include "link/SessionState.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <gtest/gtest.h>

#include <deque>
#include <memory>

namespace
{
class ProgramDlgTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_env.IsReady());
        ASSERT_TRUE(QDir(m_env.Path()).mkpath("MusicFile"));
        m_manager.SetFilePicker([this](QWidget*, const CProgramManager::FileRequest&) {
            if (m_paths.empty())
                return QString();
            const QString path = m_paths.front();
            m_paths.pop_front();
            return path;
        });
        m_manager.SetAsker([this](QWidget*, const QString& question) {
            m_questions.push_back(question);
            return true;
        });
        QObject::connect(&m_manager, &CProgramManager::programLoaded, [this] { ++m_nLoaded; });
    }

    QString MusicFile(const QString& name) const { return m_env.FilePath("MusicFile/" + name); }
    std::unique_ptr<CProgramDlg> Open() { return std::make_unique<CProgramDlg>(m_manager, m_eLanguage, nullptr); }
    static QAbstractButton* Button(QWidget& window, const char* name)
    {
        return window.findChild<QAbstractButton*>(name);
    }
    std::vector<uint8_t> RecordBytes() { return ProgramCodec::EncodeProgram(m_record, m_locks); }

    CWindowTestEnvironment m_env;
    CCommand m_command;
    CAudio_Data m_record;
    CLockState m_locks;
    CSessionState m_session{m_command};
    CProgramTransfer m_transfer{m_command, m_record, m_locks, m_session};
    ELanguage m_eLanguage = kEnglish;
    CProgramManager m_manager{m_command, m_record, m_locks, m_transfer, m_session, [this] { return m_eLanguage; },
                              [] { return false; }, QDir(m_env.Path()).absoluteFilePath("MusicFile"), nullptr};
    std::deque<QString> m_paths;
    std::vector<QString> m_questions;
    int m_nLoaded = 0;
};
}

TEST_F(ProgramDlgTest, SystemLocksDecideWhatCanBeStarted)
{
    struct Row
    {
        const char* szName;
        bool bLoad, bSave, bDelete;
        QStringList enabledRadios;
        const char* szCheckedDevice;
        const char* szCheckedPc;
        const char* szDeviceButton;
        const char* szPcButton;
        const char* szDeleteButton;
    };
    const QStringList all = {"RecallFromDeviceRadio", "StoreToDeviceRadio", "RecallFromPcRadio",
                             "StoreToPcRadio",        "RecallAllFromPcRadio", "StoreAllToPcRadio"};
    const Row rows[] = {
        {"nothing locked", false, false, false, all, "RecallFromDeviceRadio", "RecallFromPcRadio", "Load", "OK",
         "Delete"},
        {"load locked", true, false, false, {"StoreToDeviceRadio", "StoreToPcRadio"}, "StoreToDeviceRadio",
         "StoreToPcRadio", "Save", "OK", "Delete"},
        {"save locked", false, true, false, {"RecallFromDeviceRadio", "RecallFromPcRadio"}, "RecallFromDeviceRadio",
         "RecallFromPcRadio", "Load", "OK", "Delete"},
        {"load and save locked", true, true, false, {}, "RecallFromDeviceRadio", "RecallFromPcRadio", "Lock", "Lock",
         "Delete"},
        {"delete locked", false, false, true, all, "RecallFromDeviceRadio", "RecallFromPcRadio", "Load", "OK", "Lock"},
    };
    for (const Row& row : rows)
    {
        SCOPED_TRACE(row.szName);
        m_locks.SetFlag(CLockState::kSysLoad, row.bLoad);
        m_locks.SetFlag(CLockState::kSysSave, row.bSave);
        m_locks.SetFlag(CLockState::kSysDelete, row.bDelete);
        const auto dialog = Open();
        QStringList enabled;
        for (const QString& name : all)
            if (Button(*dialog, name.toLatin1())->isEnabled())
                enabled << name;
        EXPECT_EQ(enabled, row.enabledRadios);
        EXPECT_TRUE(Button(*dialog, row.szCheckedDevice)->isChecked());
        EXPECT_TRUE(Button(*dialog, row.szCheckedPc)->isChecked());
        EXPECT_EQ(Button(*dialog, "DeviceButton")->text(), row.szDeviceButton);
        EXPECT_EQ(Button(*dialog, "PcButton")->text(), row.szPcButton);
        EXPECT_EQ(Button(*dialog, "DeleteButton")->text(), row.szDeleteButton);
        const bool bTransfers = !(row.bLoad && row.bSave);
        EXPECT_EQ(Button(*dialog, "DeviceButton")->isEnabled(), bTransfers);
        EXPECT_EQ(Button(*dialog, "PcButton")->isEnabled(), bTransfers);
        EXPECT_EQ(Button(*dialog, "DeleteButton")->isEnabled(), !row.bDelete);
        // The name can be typed only for a store.
        EXPECT_EQ(dialog->findChild<QLineEdit*>("NameEdit")->isReadOnly(),
                  QString(row.szCheckedDevice) != "StoreToDeviceRadio");
    }
}

TEST_F(ProgramDlgTest, ProcessorActionsWithoutAConnectionAskForThePortAndKeepTheWindowOpen)
{
    for (ELanguage language : {kChinese, kEnglish})
    {
        m_eLanguage = language;
        for (const char* button : {"DeviceButton", "DeleteButton"})
        {
            SCOPED_TRACE(button);
            m_env.Boxes().clear();
            const auto dialog = Open();
            dialog->SelectSlot(7);
            Button(*dialog, button)->click();
            EXPECT_EQ(m_env.Texts(), std::vector<QString>{language == kEnglish ? QStringLiteral("Please open the COM-Port")
                                                                              : QString::fromUtf8("请打开串口")});
            EXPECT_FALSE(dialog->IsDone());
            EXPECT_EQ(dialog->result(), QDialog::Rejected);
        }
    }
    // The all-program transfers send nothing and close the window.
    for (const char* radio : {"RecallAllFromPcRadio", "StoreAllToPcRadio"})
    {
        const auto dialog = Open();
        Button(*dialog, radio)->click();
        Button(*dialog, "PcButton")->click();
        EXPECT_FALSE(dialog->IsDone());
        EXPECT_EQ(dialog->result(), QDialog::Accepted);
    }
    EXPECT_EQ(m_command.Count(), 0);
    EXPECT_EQ(m_session.ProgramNumber(), 0);
}

TEST_F(ProgramDlgTest, AFileThatCannotBeReadShowsTheMessageAndChangesNothing)
{
    auto pOther = std::make_unique<CAudio_Data>();
    pOther->Output(4).SetGain(17);
    pOther->SetName("Other");
    CLockState otherLocks;
    otherLocks.SetFlag(CLockState::kOutGain, true);
    const std::vector<uint8_t> good = ProgramCodec::EncodeProgram(*pOther, otherLocks);
    const auto write = [this](const QString& name, const QByteArray& bytes) {
        QFile file(MusicFile(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return MusicFile(name);
    };
    QByteArray damaged(reinterpret_cast<const char*>(good.data()), static_cast<qsizetype>(good.size()));
    // The first input's channel code: after the name "Other", the locks,
    // and the input's name, on, polarity, delay, gain, gate, spare and
    // parameter code.
    damaged[1 + 5 + 32 + 2 + 1 + 1 + 4 + 4 + 1 + 4 + 1] = 9;

    const std::vector<uint8_t> before = RecordBytes();
    for (const QString& path :
         {MusicFile("missing.dia1C"),
          write("short.dia1C", QByteArray(reinterpret_cast<const char*>(good.data()), 500)),
          write("damaged.dia1C", damaged)})
    {
        SCOPED_TRACE(path.toStdString());
        m_env.Boxes().clear();
        m_paths = {path};
        const auto dialog = Open();
        Button(*dialog, "RecallFromPcRadio")->click();
        Button(*dialog, "PcButton")->click();
        EXPECT_EQ(m_env.Texts(), std::vector<QString>{"File read Error"});
        EXPECT_FALSE(dialog->IsDone());
        EXPECT_EQ(RecordBytes(), before);
        EXPECT_EQ(m_nLoaded, 0);
    }

    // A good file goes into the editor without a processor; nothing is sent.
    m_env.Boxes().clear();
    m_paths = {write("good.dia1C", QByteArray(reinterpret_cast<const char*>(good.data()),
                                              static_cast<qsizetype>(good.size())))};
    const auto dialog = Open();
    Button(*dialog, "RecallFromPcRadio")->click();
    Button(*dialog, "PcButton")->click();
    EXPECT_TRUE(dialog->IsDone());
    EXPECT_TRUE(m_env.Boxes().empty());
    EXPECT_EQ(RecordBytes(), good);
    EXPECT_EQ(m_record.GetName(), "Other");
    EXPECT_TRUE(m_locks.IsLocked(CLockState::kOutGain));
    EXPECT_EQ(m_nLoaded, 1);
    EXPECT_EQ(m_command.Count(), 0);
}

TEST_F(ProgramDlgTest, StoreProgramToPcAppendsTheExtensionOnlyWhereItIsMissing)
{
    struct Row
    {
        const char* szChosen;
        const char* szWritten;
    };
    for (const Row& row : {Row{"plain", "plain.dia1C"}, Row{"mid.dia1C.old", "mid.dia1C.old"},
                           Row{"whole.dia1C", "whole.dia1C"}})
    {
        SCOPED_TRACE(row.szChosen);
        m_paths = {MusicFile(row.szChosen)};
        const auto dialog = Open();
        Button(*dialog, "StoreToPcRadio")->click();
        Button(*dialog, "PcButton")->click();
        QFile file(MusicFile(row.szWritten));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        EXPECT_EQ(std::vector<uint8_t>(bytes.begin(), bytes.end()), RecordBytes());
    }
    EXPECT_TRUE(m_questions.empty());

    // A folder that is not there: the message, and no file anywhere.
    m_paths = {MusicFile("nowhere/x")};
    const auto dialog = Open();
    Button(*dialog, "StoreToPcRadio")->click();
    Button(*dialog, "PcButton")->click();
    EXPECT_EQ(m_env.Texts(), std::vector<QString>{"MusicFile Write Error\nNo such file or directory"});
}
