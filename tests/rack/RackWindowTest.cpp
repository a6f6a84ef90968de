// The rack window in the main window against eight virtual processors on
// one line: the rows after a search, switching the editor, line-wide mutes
// and recalls, a processor falling silent, and the question before unsent
// edits are left behind.

#include "tests/rack/RackWindowFixture.h"

#include "controls/ControlsText.h"
#include "controls/ToggleButton.h"
#include "model/LockState.h"

#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QSpinBox>
#include <QTableView>
#include <QTableWidget>

#include <csignal>

namespace
{
using RackWindowTest = RackWindowFixture;

bool OutputOn(const CProcessorState& state, int nOutput)
{
    CAudio_Data live;
    CImageSlot slot;
    slot.abyImage = state.aImages[0];
    live.LoadFromImage(slot);
    return live.Output(nOutput).IsOn();
}

std::vector<QString> Summaries(const std::vector<QString>& texts)
{
    std::vector<QString> summaries;
    for (const QString& text : texts)
        if (text.contains(" processors done"))
            summaries.push_back(text);
    return summaries;
}
}

TEST_F(RackWindowTest, SearchListsEveryProcessorInIdOrderAndLabelsStayWithThePort)
{
    SearchAndConnect({"--ids", "1-8", "--types", "4:4"});
    CRackModel& model = Rack().Model();
    EXPECT_EQ(model.Ids(), (QList<int>{1, 2, 3, 4, 5, 6, 7, 8}));
    EXPECT_EQ(Rack().Table()->model()->rowCount(), 8);
    // The poll fills the other rows; the edited one follows the editor.
    ASSERT_TRUE(RunUntil(
        [&] {
            for (const int nId : model.Ids())
                if (!model.Find(nId)->bOnline || !model.Find(nId)->bMutesKnown || model.Find(nId)->nInputs == 0)
                    return false;
            return true;
        },
        30000));
    EXPECT_TRUE(model.Find(1)->bEdited);
    EXPECT_EQ(Rack().Table()->model()->data(Rack().Table()->model()->index(2, CRackModel::kColumnModel)).toString(),
              "4 x 8");
    CToggleButton* pToggle = Rack().MuteToggle(3, 7);
    ASSERT_NE(pToggle, nullptr);
    EXPECT_TRUE(pToggle->isVisible());
    EXPECT_TRUE(pToggle->isChecked()) << "on, not muted";
    // A 3 x 6 model has no seventh output to mute.
    EXPECT_EQ(Rack().Table()->model()->data(Rack().Table()->model()->index(3, CRackModel::kColumnModel)).toString(),
              "3 x 6");
    EXPECT_NE(Rack().MuteToggle(4, 5), nullptr);
    EXPECT_EQ(Rack().MuteToggle(4, 6), nullptr);
    EXPECT_EQ(pToggle->accessibleName(), ControlsText(EControlsText::MuteName, kEnglish).arg("ID 3 CH8"));

    QLineEdit* pLabel = Rack().LabelField(3);
    ASSERT_NE(pLabel, nullptr);
    EXPECT_EQ(pLabel->accessibleName(), "Label of device ID 3");
    pLabel->setText("Foyer left");
    emit pLabel->editingFinished();
    EXPECT_EQ(model.Find(3)->strLabel, "Foyer left");

    // The rack's own search takes the line for itself and comes back to 1.
    QSignalSpy reconnected(&Link().Connection(), &CConnection::liveProgramLoaded);
    model.SetIds({});
    Rack().Button(CRackWindow::kSearch)->click();
    ASSERT_TRUE(RunUntil([&] { return reconnected.count() > 0 && Idle(); }, 30000));
    EXPECT_EQ(model.Ids(), (QList<int>{1, 2, 3, 4, 5, 6, 7, 8}));
    EXPECT_EQ(Link().Record().GetDeviceId(), 1);
    EXPECT_EQ(model.Find(3)->strLabel, "Foyer left");
    EXPECT_EQ(Rack().LabelField(3)->text(), "Foyer left");
    EXPECT_TRUE(m_env.Boxes().empty()) << m_env.Texts().front().toStdString();
}

TEST_F(RackWindowTest, SwitchingOneFiveOneThroughTheWindowEditsTheRightProcessor)
{
    SearchAndConnect();
    ASSERT_TRUE(Link().Edit(EParam::kOutGain, {2, 0}, 250));
    ASSERT_TRUE(RunUntil([&] { return !Link().HasUnsentEdits(); }, 5000));

    EditThrough(5);
    EXPECT_EQ(Field("DeviceIdField"), "5");
    EXPECT_TRUE(Rack().Model().Find(5)->bEdited);
    EXPECT_FALSE(Rack().Model().Find(1)->bEdited);
    EXPECT_NE(Link().Record().Output(2).GetGain(), 250) << "5 shows its own program";
    ASSERT_TRUE(Link().Edit(EParam::kInGain, {1, 0}, 150));
    ASSERT_TRUE(RunUntil([&] { return !Link().HasUnsentEdits(); }, 5000));
    const CProcessorState::Image fiveShown = ImageOf(Link().Record());

    EditThrough(1);
    EXPECT_EQ(Field("DeviceIdField"), "1");
    EXPECT_EQ(Link().Record().Output(2).GetGain(), 250);
    ASSERT_TRUE(Link().Edit(EParam::kOutGain, {3, 0}, 100));
    ASSERT_TRUE(RunUntil([&] { return !Link().HasUnsentEdits(); }, 5000));
    const CProcessorState::Image oneShown = ImageOf(Link().Record());
    EXPECT_TRUE(m_questions.isEmpty()) << "nothing was unsent";

    const std::vector<CProcessorState> line = StopAndReadLine();
    ASSERT_EQ(line.size(), 8u);
    for (const CProcessorState& state : line)
    {
        SCOPED_TRACE(state.nDeviceId);
        if (state.nDeviceId == 1)
            EXPECT_EQ(ShownImage(state.aImages[0]), oneShown);
        else if (state.nDeviceId == 5)
            EXPECT_EQ(ShownImage(state.aImages[0]), fiveShown);
        else
            EXPECT_EQ(state, CProcessorState::Numbered(state.nDeviceId));
    }
}

TEST_F(RackWindowTest, UnsentEditsAskFirstAndEachAnswerDoesWhatItSays)
{
    SearchAndConnect();
    // Marked, not yet sent: the pump is between ticks.
    ASSERT_TRUE(Link().Edit(EParam::kOutGain, {0, 0}, 111));
    ASSERT_TRUE(Link().HasUnsentEdits());
    Rack().SelectIds({4});
    m_eAnswer = CRackWindow::EAnswer::kCancel;
    Rack().Button(CRackWindow::kEdit)->click();
    ASSERT_EQ(m_questions.size(), 1);
    EXPECT_EQ(m_questions.front(), "Before editing device ID 4: some edits have not reached the processor yet.");
    EXPECT_FALSE(Link().IsSwitching());
    EXPECT_EQ(Link().Record().GetDeviceId(), 1);

    m_eAnswer = CRackWindow::EAnswer::kSendFirst;
    ASSERT_TRUE(Link().Edit(EParam::kOutGain, {1, 0}, 112));
    EditThrough(4);
    EXPECT_EQ(m_questions.size(), 2);
    // Discarded: never reaches 4.
    m_eAnswer = CRackWindow::EAnswer::kDiscard;
    ASSERT_TRUE(Link().Edit(EParam::kOutGain, {0, 0}, 113));
    EditThrough(2);
    EXPECT_EQ(m_questions.size(), 3);

    for (const CProcessorState& state : StopAndReadLine())
    {
        SCOPED_TRACE(state.nDeviceId);
        CAudio_Data live;
        CImageSlot slot;
        slot.abyImage = state.aImages[0];
        live.LoadFromImage(slot);
        if (state.nDeviceId == 1)
            EXPECT_EQ(live.Output(1).GetGain(), 112) << "sent before the switch";
        else
            EXPECT_EQ(state, CProcessorState::Numbered(state.nDeviceId));
    }
}

TEST_F(RackWindowTest, LineWideMuteReachesAllEightAndARecallNamesItsProgram)
{
    SearchAndConnect();
    Rack().OutputsField()->setText("1-8");
    RunOperation(CRackWindow::kMute);
    ASSERT_EQ(Summaries(m_env.Texts()).size(), 1u);
    EXPECT_TRUE(Summaries(m_env.Texts()).front().endsWith("Mute: 8 of 8 processors done"));
    EXPECT_EQ(Rack().Results()->count(), 8);
    EXPECT_EQ(Rack().Results()->item(7)->text(), "device ID 8: done");
    EXPECT_EQ(Link().Record().GetDeviceId(), 1) << "back on the processor edited before";
    for (const int nId : Rack().Model().Ids())
        EXPECT_FALSE(Rack().MuteToggle(nId, 4)->isChecked()) << nId;

    // Only the selected rows; the number is the program's to remember.
    Rack().SelectIds({3, 6});
    Rack().SlotBox()->setValue(2);
    RunOperation(CRackWindow::kRecall);
    EXPECT_EQ(Rack().Model().Find(3)->nProgram, 2);
    EXPECT_EQ(Rack().Model().Find(6)->nProgram, 2);
    EXPECT_EQ(Rack().Model().Find(4)->nProgram, 0);
    EditThrough(6);
    EXPECT_EQ(Field("NumberField"), "2");

    for (const CProcessorState& state : StopAndReadLine())
        for (int nOutput = 0; nOutput < 8; ++nOutput)
            EXPECT_FALSE(OutputOn(state, nOutput) && state.nDeviceId != 3 && state.nDeviceId != 6)
                << "ID " << state.nDeviceId << " output " << nOutput + 1;
}

TEST_F(RackWindowTest, ProcessorSilencedMidWayAndOneWithItsMuteLockedAreReportedAndTheOthersComplete)
{
    std::vector<CProcessorState> prepared;
    for (int nId = 1; nId <= 8; ++nId)
        prepared.push_back(CProcessorState::Numbered(nId));
    // Output function locks: byte 2 of the live set, flag 20 its bit 4.
    prepared[2].aLocks[0][2] = 1 << (CLockState::kOutMute - CLockState::kOutGain);
    std::string strError;
    ASSERT_TRUE(CStateFile::SaveLine(m_strState.toStdString(), prepared, strError)) << strError;
    SearchAndConnect({"--silence-id", "6"});

    Rack().OutputsField()->setText("2");
    QSignalSpy ended(&Rack(), &CRackWindow::operationEnded);
    Rack().Button(CRackWindow::kMute)->click();
    // 6 falls silent once 4 is done.
    QObject::connect(&Rack().Operation(), &CLineOperation::processorEnded, [this](const CLineOperation::Result& r) {
        if (r.nId == 4)
            m_vproc.Signal(SIGUSR1);
    });
    ASSERT_TRUE(RunUntil([&] { return ended.count() > 0; }, 90000));
    ASSERT_TRUE(RunUntil([this] { return Idle(); }, 15000));
    ASSERT_EQ(m_vproc.NextNotice(), "silent 6");

    const std::vector<QString> summaries = Summaries(m_env.Texts());
    ASSERT_EQ(summaries.size(), 1u);
    EXPECT_EQ(summaries.front(), "device ID 1: done\n"
                                 "device ID 2: done\n"
                                 "device ID 3: skipped, the output mute is locked\n"
                                 "device ID 4: done\n"
                                 "device ID 5: done\n"
                                 "device ID 6: skipped, no answer\n"
                                 "device ID 7: done\n"
                                 "device ID 8: done\n"
                                 "Mute: 6 of 8 processors done");
    EXPECT_EQ(m_env.Boxes().back().strText, summaries.front());
    m_vproc.Signal(SIGUSR2);
    ASSERT_EQ(m_vproc.NextNotice(), "answering 6");

    for (const CProcessorState& state : StopAndReadLine())
    {
        SCOPED_TRACE(state.nDeviceId);
        EXPECT_EQ(OutputOn(state, 1), state.nDeviceId == 3 || state.nDeviceId == 6);
        EXPECT_TRUE(OutputOn(state, 0));
    }
}

TEST_F(RackWindowTest, MuteToggleTakesTheEditPathForTheEditedProcessorAndAnOperationForAnother)
{
    SearchAndConnect();
    ASSERT_TRUE(RunUntil([&] { return Rack().Model().Find(7)->bMutesKnown; }, 30000));
    CToggleButton* pEdited = Rack().MuteToggle(1, 2);
    pEdited->click();
    EXPECT_EQ(Link().Record().Output(2).IsOn(), 0) << "written at once through the edit path";
    EXPECT_FALSE(Rack().Operation().IsRunning());

    QSignalSpy ended(&Rack(), &CRackWindow::operationEnded);
    Rack().MuteToggle(7, 5)->click();
    ASSERT_TRUE(RunUntil([&] { return ended.count() > 0; }, 30000));
    ASSERT_TRUE(RunUntil([this] { return Idle(); }, 15000));
    EXPECT_TRUE(Rack().Model().Find(7)->abMuted[5]);
    EXPECT_FALSE(Rack().MuteToggle(7, 5)->isChecked());
    EXPECT_TRUE(m_env.Boxes().empty()) << "a single toggle that worked says nothing";

    for (const CProcessorState& state : StopAndReadLine())
    {
        SCOPED_TRACE(state.nDeviceId);
        for (int nOutput = 0; nOutput < 8; ++nOutput)
            EXPECT_EQ(OutputOn(state, nOutput),
                      !((state.nDeviceId == 1 && nOutput == 2) || (state.nDeviceId == 7 && nOutput == 5)));
    }
}

TEST_F(RackWindowTest, BackupOfTheSelectedRowsComparedWithTheLineShowsExactlyTheEditMadeSince)
{
    SearchAndConnect();
    const QString strFolder = m_env.FilePath("backup");
    Rack().SetFolderAsker([&](QWidget*, const QString&) { return strFolder; });
    Rack().SelectIds({1, 3});
    RunOperation(CRackWindow::kBackup);
    EXPECT_TRUE(Summaries(m_env.Texts()).back().endsWith("Backup: 2 of 2 processors done"));
    EXPECT_TRUE(QFile::exists(QDir(strFolder).filePath("001.dat1C")));
    EXPECT_FALSE(QFile::exists(QDir(strFolder).filePath("002.dat1C")));

    ASSERT_TRUE(Link().Edit(EParam::kOutGain, {2, 0}, 250));
    ASSERT_TRUE(RunUntil([&] { return !Link().HasUnsentEdits(); }, 5000));
    QStringList shown;
    Rack().SetDialogRunner([&](QDialog& dialog) {
        QTableWidget* pTable = dialog.findChild<QTableWidget*>("DiffTable");
        for (int nRow = 0; nRow < pTable->rowCount(); ++nRow)
        {
            QStringList cells;
            for (int nColumn = 0; nColumn < pTable->columnCount(); ++nColumn)
                cells << pTable->item(nRow, nColumn)->text();
            shown << cells.join(" | ");
        }
        return 0;
    });
    const size_t nBoxes = m_env.Boxes().size();
    RunOperation(CRackWindow::kCompareLine);
    EXPECT_EQ(m_env.Boxes().size(), nBoxes) << "a comparison that worked shows its table only";
    ASSERT_EQ(shown.size(), 1) << shown.join("\n").toStdString();
    // A the backup, B the line.
    EXPECT_EQ(shown.front(), "1 | Output 3 | Gain | 0.0dB | -5.0dB");
}
