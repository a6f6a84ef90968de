// The program manager from the main window: recalling, storing, deleting,
// saving and loading programs against virtual processor programs on
// pseudo-terminals, and the status block that follows each operation.

#include "app/OrvanDlgDlg.h"
#include "programs/ProgramDlg.h"
#include "tests/app/ProgramWindowsFixture.h"
#include "tests/app/VprocWindow.h"

#include "model/ChannelAddress.h"
#include "model/FactoryImage.h"
#include "model/LockState.h"
#include "vproc/ProcessorState.h"
#include "model/ProgramBank.h"
#include "programs/ProgramFile.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>

namespace
{
using Name = CProcessorState::Name;

// A program unlike the factory one in every block.
CProcessorState::Image EditedImage(int nSeed)
{
    // From the factory program, so that what a file does not hold (the
    // gate thresholds) is what a fresh processor has too.
    auto pProgram = std::make_unique<CAudio_Data>();
    CImageSlot factory;
    factory.abyImage = FactoryDefaultImage();
    pProgram->LoadFromImage(factory);
    for (int i = 0; i < CAudio_InRoute::kCount; ++i)
        pProgram->Input(i).SetGain(100 + nSeed + i);
    for (int i = 0; i < CAudio_OutRoute::kCount; ++i)
    {
        pProgram->Output(i).SetGain(200 + nSeed + i);
        pProgram->Output(i).SetDelay(10 * nSeed + i);
    }
    CProcessorState::Image image = FactoryDefaultImage();
    for (int i = 0; i < CAudio_InRoute::kCount; ++i)
        std::ranges::copy(pProgram->Input(i).BuildBlock(), image.begin() + CImageSlot::BlockOffset(ChannelAddress::Input(i).Code()));
    for (int i = 0; i < CAudio_OutRoute::kCount; ++i)
        std::ranges::copy(pProgram->Output(i).BuildBlock(), image.begin() + CImageSlot::BlockOffset(ChannelAddress::Output(i).Code()));
    return image;
}
}

TEST_F(ProgramWindowsTest, RecallingSlotFiveLoadsItIntoTheEditorAndMarksItLive)
{
    CProcessorState state;
    state.aImages[5] = EditedImage(5);
    state.aNames[5] = CProcessorState::MakeName("Five");
    // Input gain and output delay locked with program 5.
    state.aLocks[5] = {0x01, 0, 0x04, 0, 0, 0, ' ', ' ', ' ', ' ', ' ', ' '};
    const auto processor = StartProcessor("unit", {}, &state);
    Connect(*processor);
    Window().SetLanguage(kEnglish);

    Program([](CProgramDlg& dialog) {
        dialog.SelectSlot(5);
        EXPECT_EQ(dialog.findChild<QLineEdit*>("NameEdit")->text(), "Five");
        Click(dialog, "DeviceButton");
        EXPECT_TRUE(dialog.IsDone());
    });
    EXPECT_FALSE(Window().DisplayWindow()->isHidden());
    ASSERT_TRUE(WaitUntilSent());
    EXPECT_EQ(Record().GetImage().abyImage, state.aImages[5]);
    CAudio_Data expected;
    CImageSlot slot;
    slot.abyImage = state.aImages[5];
    expected.LoadFromImage(slot);
    EXPECT_EQ(Record().Output(3).GetGain(), expected.Output(3).GetGain());
    EXPECT_EQ(Record().Input(2).GetGain(), expected.Input(2).GetGain());
    EXPECT_EQ(Record().GetName(), "Five");
    EXPECT_TRUE(Window().Locks().IsLocked(CLockState::kInGain));
    EXPECT_TRUE(Window().Locks().IsLocked(CLockState::kOutDelay));
    EXPECT_EQ(Window().Link().Session().ProgramNumber(), 5);
    EXPECT_EQ(Window().findChild<QLineEdit*>("NumberField")->text(), "5");
    EXPECT_EQ(Window().findChild<QLineEdit*>("NameField")->text(), "Five");

    // The window shows slot 5 as the one playing, and marks it once the
    // editor has changed it.
    const auto liveMarks = [this] {
        QStringList marks;
        Program([&](CProgramDlg& dialog) {
            marks << dialog.findChild<QTableWidget*>("SlotList")->item(4, 0)->text()
                  << dialog.findChild<QTableWidget*>("SlotList")->item(5, 0)->text()
                  << dialog.findChild<QLabel*>("LiveLabel")->text();
            dialog.reject();
        });
        return marks;
    };
    EXPECT_EQ(liveMarks(), QStringList({QString::fromUtf8("\u25B6 5"), "6", "Playing: program 5"}));
    Record().Output(0).SetGain(Record().Output(0).GetGain() + 1);
    EXPECT_EQ(liveMarks(), QStringList({QString::fromUtf8("\u25B6 5 *"), "6",
                                        "Playing: program 5, edited since it was recalled or stored (*)"}));
    EXPECT_TRUE(m_env.Boxes().empty());
}

TEST_F(ProgramWindowsTest, StoringUnderANewNameReadsBackIdenticalAndDeleteEmptiesTheSlot)
{
    CProcessorState state;
    state.aNames[12] = CProcessorState::MakeName("Old Twelve");
    const auto processor = StartProcessor("unit", {}, &state);
    Connect(*processor);

    Record().Output(2).SetGain(250);
    Record().Input(1).SetGain(120);
    Record().Output(6).SetDelay(333);
    const std::array<uint8_t, CImageSlot::kImageBytes> before = [this] {
        // What the record would send: its blocks as they stand.
        CImageSlot image;
        for (int i = 0; i < CAudio_InRoute::kCount; ++i)
            std::ranges::copy(Record().Input(i).BuildBlock(), image.Block(i + 1).begin());
        for (int i = 0; i < CAudio_OutRoute::kCount; ++i)
            std::ranges::copy(Record().Output(i).BuildBlock(), image.Block(i + 5).begin());
        return image.abyImage;
    }();

    const auto store = [this](const char* name) {
        Program([name](CProgramDlg& dialog) {
            Click(dialog, "StoreToDeviceRadio");
            dialog.SelectSlot(12);
            dialog.findChild<QLineEdit*>("NameEdit")->setText(QString::fromLatin1(name));
            Click(dialog, "DeviceButton");
        });
    };
    // The slot has a name: the user is asked first, and No stores nothing.
    m_bYes = false;
    store("NEW12");
    ASSERT_EQ(m_questions.size(), 1u);
    EXPECT_TRUE(m_questions[0].contains("Old Twelve"));
    EXPECT_EQ(Window().Link().Session().ProgramName(12), "Old Twelve");
    EXPECT_EQ(Window().Link().Session().ProgramNumber(), 0);

    m_bYes = true;
    store("NEW12");
    EXPECT_EQ(Window().Link().Session().ProgramName(12), "NEW12");
    EXPECT_EQ(Window().Link().Session().ProgramNumber(), 12);
    ASSERT_TRUE(WaitUntilSent());

    // Change the editor, then read slot 12 back.
    Record().Output(2).SetGain(10);
    Program([](CProgramDlg& dialog) {
        dialog.SelectSlot(12);
        Click(dialog, "DeviceButton");
    });
    ASSERT_TRUE(WaitUntilSent());
    EXPECT_EQ(Record().GetImage().abyImage, before);
    EXPECT_EQ(Record().Output(2).GetGain(), 250);
    EXPECT_EQ(Record().GetName(), "NEW12");

    Program([](CProgramDlg& dialog) {
        dialog.SelectSlot(12);
        Click(dialog, "DeleteButton");
    });
    EXPECT_EQ(Window().Link().Session().ProgramName(12), "");
    ASSERT_TRUE(WaitUntilSent());
    Window().Disconnect();

    const CProcessorState after = StateAfter(*processor, "unit");
    EXPECT_EQ(after.aNames[12], Name{});
    EXPECT_EQ(after.aLocks[12], CProcessorState::LockRecord{});
    EXPECT_EQ(after.aImages[12], FactoryDefaultImage());
    EXPECT_TRUE(m_env.Boxes().empty());
}

TEST_F(ProgramWindowsTest, LiveProgramSavedToAFileLoadsIntoASecondProcessorIdentically)
{
    CProcessorState first;
    first.aImages[0] = EditedImage(7);
    first.aNames[0] = CProcessorState::MakeName("Touring");
    const auto one = StartProcessor("one", {}, &first);
    const auto two = StartProcessor("two", {});

    Connect(*one);
    m_paths = {MusicFile("live")};
    Program([](CProgramDlg& dialog) {
        Click(dialog, "StoreToPcRadio");
        Click(dialog, "PcButton");
    });
    ASSERT_EQ(m_requests.size(), 1u);
    EXPECT_TRUE(m_requests[0].bSave);
    EXPECT_EQ(m_requests[0].strFolder, QDir(m_env.Path()).absoluteFilePath("MusicFile"));
    const QString file = MusicFile("live.dia1C");
    QFile saved(file);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    const QByteArray bytes = saved.readAll();
    saved.close();

    // Saving again over it asks first; No leaves the file as it was.
    Record().Output(0).SetGain(3);
    m_bYes = false;
    m_paths = {file};
    Program([](CProgramDlg& dialog) {
        Click(dialog, "StoreToPcRadio");
        Click(dialog, "PcButton");
    });
    EXPECT_EQ(m_questions.size(), 1u);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_EQ(saved.readAll(), bytes);
    Window().Disconnect();

    Connect(*two);
    m_paths = {file};
    Program([](CProgramDlg& dialog) {
        Click(dialog, "RecallFromPcRadio");
        Click(dialog, "PcButton");
        EXPECT_TRUE(dialog.IsDone());
    });
    EXPECT_FALSE(m_requests.back().bSave);
    EXPECT_EQ(Record().GetName(), "Touring");
    ASSERT_TRUE(WaitUntilSent());
    Window().Disconnect();

    const CProcessorState second = StateAfter(*two, "two");
    EXPECT_EQ(second.aImages[0], first.aImages[0]);
    EXPECT_EQ(second.aNames[0], first.aNames[0]);
    EXPECT_TRUE(m_env.Boxes().empty());
}

TEST_F(ProgramWindowsTest, StoreAllThenRecallAllIntoAFreshProcessorGivesIdenticalPrograms)
{
    CProcessorState seeded;
    for (size_t n = 1; n <= 30; ++n)
    {
        seeded.aImages[n] = EditedImage(static_cast<int>(n));
        seeded.aNames[n] = CProcessorState::MakeName("P" + std::to_string(n) + (n % 2 ? "\xE9" : " x"));
        for (size_t k = 0; k < 8; ++k)
            seeded.aLocks[n][k] = static_cast<uint8_t>(0x11 * (k + 1) + n);
    }
    const auto one = StartProcessor("one", {}, &seeded);
    const auto two = StartProcessor("two", {});
    const QString file = MusicFile("all.dat1C");

    Connect(*one);
    m_paths = {MusicFile("all")};
    Program([](CProgramDlg& dialog) {
        Click(dialog, "StoreAllToPcRadio");
        Click(dialog, "PcButton");
        EXPECT_TRUE(dialog.IsDone());
    });
    // Nothing is asked for before the thirtieth program has arrived.
    EXPECT_TRUE(m_requests.empty());
    ASSERT_TRUE(RunUntil([&] { return QFile::exists(file); }, 15000));
    ASSERT_EQ(m_requests.size(), 1u);
    EXPECT_EQ(m_requests[0].eKind, ProgramFileKind::kBank);
    Window().Disconnect();

    Connect(*two);
    m_paths = {file};
    Program([](CProgramDlg& dialog) {
        Click(dialog, "RecallAllFromPcRadio");
        Click(dialog, "PcButton");
        // The list shows the names from the file at once.
        EXPECT_EQ(dialog.findChild<QTableWidget*>("SlotList")->item(2, 1)->text(), QString::fromLatin1("P3\xE9"));
    });
    ASSERT_TRUE(WaitUntilSent(20000));
    Window().Disconnect();

    const CProcessorState second = StateAfter(*two, "two");
    for (size_t n = 1; n <= 30; ++n)
    {
        SCOPED_TRACE(n);
        EXPECT_EQ(second.aImages[n], seeded.aImages[n]);
        EXPECT_EQ(second.aNames[n], seeded.aNames[n]);
        EXPECT_TRUE(std::equal(second.aLocks[n].begin(), second.aLocks[n].begin() + 8, seeded.aLocks[n].begin()));
    }
    EXPECT_TRUE(m_env.Boxes().empty());
}

// Each transfer is started the moment the live program has been read, so
// the processor has given exactly the 51 answers of connecting and then
// answers a few frames of the transfer before it falls silent.
TEST_F(ProgramWindowsTest, ProcessorFallingSilentMidTransferShowsTheMessageAndChangesNoFile)
{
    struct Row
    {
        const char* szName;
        int nAnswersIntoTransfer;
        const char* szFile;  // what the file dialog answers, if asked
        std::function<void(CProgramDlg&)> fill;
    };
    const Row rows[] = {
        {"recall from device", 4, "", [](CProgramDlg& d) { d.SelectSlot(5); Click(d, "DeviceButton"); }},
        {"store to device", 4, "",
         [](CProgramDlg& d) {
             Click(d, "StoreToDeviceRadio");
             d.SelectSlot(3);
             d.findChild<QLineEdit*>("NameEdit")->setText("Three");
             Click(d, "DeviceButton");
         }},
        {"delete", 1, "", [](CProgramDlg& d) { d.SelectSlot(4); Click(d, "DeleteButton"); }},
        {"recall from PC", 6, "one.dia1C",
         [](CProgramDlg& d) { Click(d, "RecallFromPcRadio"); Click(d, "PcButton"); }},
        {"store all to PC", 10, "unwanted.dat1C",
         [](CProgramDlg& d) { Click(d, "StoreAllToPcRadio"); Click(d, "PcButton"); }},
        {"recall all from PC", 10, "all.dat1C",
         [](CProgramDlg& d) { Click(d, "RecallAllFromPcRadio"); Click(d, "PcButton"); }},
    };

    // Files the transfers read; none may change.
    auto pProgram = std::make_unique<CAudio_Data>();
    pProgram->Output(1).SetGain(99);
    ASSERT_EQ(ProgramFile::WriteProgramFile(MusicFile("one.dia1C"), *pProgram, CLockState()), ProgramFileError::kNone);
    ASSERT_EQ(ProgramFile::WriteBankFile(MusicFile("all.dat1C"), CProgramBank()), ProgramFileError::kNone);
    const auto snapshot = [this] {
        QStringList files;
        QDir dir(MusicFile(""));
        for (const QString& name : dir.entryList(QDir::Files))
        {
            QFile file(dir.filePath(name));
            file.open(QIODevice::ReadOnly);
            files << name + ":" + QString::fromLatin1(file.readAll().toHex());
        }
        return files;
    };
    const QStringList files = snapshot();

    for (const Row& row : rows)
    {
        SCOPED_TRACE(row.szName);
        m_env.Boxes().clear();
        m_requests.clear();
        const auto processor = StartProcessor(
            row.szName, {"--stop-after", QString::number(51 + row.nAnswersIntoTransfer)});
        m_paths = {MusicFile(QString::fromLatin1(row.szFile))};
        const auto started = QObject::connect(&Window().Connection(), &CConnection::liveProgramLoaded,
                                              [&] { Program(row.fill); });
        const int disconnects = m_nDisconnects;
        Connect(*processor);
        QObject::disconnect(started);
        EXPECT_FALSE(Window().DisplayWindow()->isHidden());
        ASSERT_TRUE(RunUntil([&] { return m_nDisconnects > disconnects; }, 8000));

        // The message keeps its first line and adds the advice below it.
        ASSERT_EQ(m_env.Texts().size(), 1u);
        EXPECT_EQ(m_env.Texts().front().section(QLatin1Char('\n'), 0, 0), QString::fromUtf8("不能打开串口"));
        EXPECT_TRUE(m_env.Texts().front().contains(QLatin1Char('\n')));
        EXPECT_TRUE(Window().DisplayWindow()->isHidden());
        EXPECT_TRUE(Window().isEnabled());
        // The editor holds the factory program, as after any lost
        // connection, and no half-received one.
        EXPECT_EQ(Record().GetImage().abyImage, FactoryDefaultImage());
        EXPECT_EQ(Window().Link().Session().ProgramNumber(), 0);
        EXPECT_EQ(snapshot(), files);
        for (const auto& request : m_requests)
            EXPECT_FALSE(request.bSave);
    }
}

namespace
{
// The status block beside the graph while the program window works on the
// processor the shared fixture connects to.
class ProgramStatusTest : public CVprocWindowTest
{
protected:
    void Program(const std::function<void(CProgramDlg&)>& fill)
    {
        m_window->SetDialogRunner([fill](QDialog& dialog) {
            fill(dynamic_cast<CProgramDlg&>(dialog));
            return dialog.result();
        });
        m_window->CommandButton(COrvanDlgDlg::kProgram)->click();
    }
    QString Status(const char* pszField) const { return m_window->findChild<QLineEdit*>(pszField)->text(); }
    // The processor has answered the transfer and the data transmission
    // window is gone.
    bool Transferred()
    {
        const auto done = [this] {
            return !m_window->Engine().IsTransferInProgress() && m_window->DisplayWindow()->isHidden();
        };
        return RunUntil(done, 10000);
    }
};
}

// Each operation shows its program number as it starts, not only once the
// processor has answered; a delete sets it like a load or a store.
TEST_F(ProgramStatusTest, StatusBlockFollowsEveryProgramOperation)
{
    Connect();
    Program([](CProgramDlg& dialog) {
        dialog.findChild<QAbstractButton*>("StoreToDeviceRadio")->click();
        dialog.SelectSlot(12);
        dialog.findChild<QLineEdit*>("NameEdit")->setText("Twelve");
        dialog.findChild<QAbstractButton*>("DeviceButton")->click();
    });
    EXPECT_EQ(Status("NumberField"), "12");
    EXPECT_EQ(Status("NameField"), "Twelve");
    ASSERT_TRUE(Transferred());

    Program([](CProgramDlg& dialog) {
        dialog.SelectSlot(7);
        dialog.findChild<QAbstractButton*>("DeleteButton")->click();
    });
    EXPECT_EQ(Status("NumberField"), "7");
    // The editor still holds the program it had.
    EXPECT_EQ(Status("NameField"), "Twelve");
    ASSERT_TRUE(Transferred());
    EXPECT_EQ(Status("NumberField"), "7");

    Program([](CProgramDlg& dialog) {
        dialog.SelectSlot(12);
        dialog.findChild<QAbstractButton*>("DeviceButton")->click();
    });
    EXPECT_EQ(Status("NumberField"), "12");
    ASSERT_TRUE(Transferred());
    EXPECT_EQ(Status("NameField"), "Twelve");

    // A program file names the program; the number stays.
    auto pFile = std::make_unique<CAudio_Data>();
    pFile->SetName("OnDisk");
    const QString strFile = m_env.FilePath("MusicFile/on-disk.dia1C");
    ASSERT_EQ(ProgramFile::WriteProgramFile(strFile, *pFile, CLockState()), ProgramFileError::kNone);
    m_window->Programs().SetFilePicker([strFile](QWidget*, const CProgramManager::FileRequest&) { return strFile; });
    Program([](CProgramDlg& dialog) {
        dialog.findChild<QAbstractButton*>("RecallFromPcRadio")->click();
        dialog.findChild<QAbstractButton*>("PcButton")->click();
    });
    EXPECT_EQ(Status("NameField"), "OnDisk");
    EXPECT_EQ(Status("NumberField"), "12");
    ASSERT_TRUE(Transferred());

    m_window->Disconnect();
    EXPECT_EQ(Status("NumberField"), "NULL");
    EXPECT_EQ(m_window->Link().Session().ProgramNumber(), 0);
    EXPECT_TRUE(m_env.Boxes().empty());
}
