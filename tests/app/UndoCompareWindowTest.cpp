// Undo, redo and A/B compare from the main window against the virtual
// processor program: whatever the edits, undoing all of them leaves the
// processor's live program as it was at connecting, byte for byte, and an
// A/B switch leaves it holding the side chosen.

#include "editors/CHEDlg.h"
#include "app/EditCommandBar.h"
#include "editors/FStatic.h"
#include "app/OrvanDlgDlg.h"
#include "model/ParamCatalogue.h"
#include "tests/app/WindowTestEnvironment.h"

#include "link/ConnectDlg.h"
#include "vproc/ProcessorState.h"
#include "vproc/StateFile.h"
#include "controls/ToggleButton.h"
#include "tests/VprocProcess.h"
#include "tests/app/VprocWindow.h"

#include <QApplication>
#include <QComboBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QShortcut>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <span>
#include <vector>

namespace
{
using Image = CProcessorState::Image;

class UndoCompareWindowTest : public CVprocWindowTest
{
protected:
    void SetUp() override
    {
        CVprocWindowTest::SetUp();
        if (HasFatalFailure())
            return;
        m_window->SetAsker([this](QWidget*, const QString& question) {
            m_questions.push_back(question);
            return m_bAnswerYes;
        });
    }

    void Connect()
    {
        CVprocWindowTest::Connect();
        m_start = BuiltImage(m_window->Data());
    }

    // Level requests go out only when nothing is pending: two answers mean
    // every frame before them has been acknowledged.
    void Settle()
    {
        const int nTarget = m_nLevels + 2;
        ASSERT_TRUE(RunUntil([&] { return m_nLevels >= nTarget; }, 5000));
    }

    Image StopAndReadLiveImage() { return StopAndReadState().aImages[0]; }

    // The processor's live program as it must be when the record holds
    // `now`: the factory program where the record sends what it sent at
    // connecting, the record's bytes everywhere else. (The factory program
    // writes bandwidth 30 into the shelves, which the record never sends
    // back unless the shelf changes.)
    Image Expected(const Image& now) const
    {
        Image expected = m_window->Connection().FactorySlot().abyImage;
        for (size_t at = 0; at < expected.size(); at += Frame::kSubBlockBytes)
            if (!std::equal(now.begin() + at, now.begin() + at + Frame::kSubBlockBytes, m_start.begin() + at))
                std::copy(now.begin() + at, now.begin() + at + Frame::kSubBlockBytes, expected.begin() + at);
        return expected;
    }

    // Band `k` of the selected output dragged by (dx, dy) in three moves.
    void DragBand(int nOutput, int k, QPoint delta)
    {
        Strip().ColumnAt(CCHEDlg::kInputColumns + nOutput).pSelect->click();
        Graph().Redraw();
        const Point handle = Centre(m_window->Data().Output(nOutput).GetBand(k).m_rcHandle);
        const QPoint start(handle.x, handle.y);
        SendMouse(Graph(), QEvent::MouseMove, start, Qt::NoButton, Qt::NoButton);
        SendMouse(Graph(), QEvent::MouseButtonPress, start, Qt::LeftButton, Qt::LeftButton);
        for (int n = 1; n <= 3; ++n)
            SendMouse(Graph(), QEvent::MouseMove, start + delta * n / 3, Qt::NoButton, Qt::LeftButton);
        SendMouse(Graph(), QEvent::MouseButtonRelease, start + delta, Qt::LeftButton, Qt::NoButton);
    }

    // An edit as the panels make it.
    void Edit(EParam param, ParamAt at, int step)
    {
        CAudio_Data& record = m_window->Data();
        m_window->Notice().Apply(ParamCatalogue::ChannelCode(param, at), param,
                                 [&] { return ParamCatalogue::Set(param, record, at, step); });
    }

    // The window's shortcut for `keys`, as the platform triggers it (an
    // offscreen window never becomes active, so key clicks cannot).
    void Key(const QKeySequence& keys)
    {
        int nFound = 0;
        for (QShortcut* pShortcut : m_window->findChildren<QShortcut*>())
            if (pShortcut->key() == keys && pShortcut->context() == Qt::WindowShortcut)
            {
                ++nFound;
                emit pShortcut->activated();
            }
        EXPECT_EQ(nFound, 1) << keys.toString().toStdString();
    }

    CEditCommandBar& Bar() { return *m_window->EditCommands(); }

    Image m_start{};
    std::vector<QString> m_questions;
    bool m_bAnswerYes = false;
};
}

TEST_F(UndoCompareWindowTest, UndoingEveryEditReturnsTheLiveProgramToItsStart)
{
    Connect();
    CAudio_Data& record = m_window->Data();
    EXPECT_FALSE(Bar().UndoButton()->isEnabled());

    Strip().ColumnAt(1).pMute->click();
    Strip().ColumnAt(CCHEDlg::kInputColumns + 4).apRoute[2]->click();
    DragBand(2, 7, QPoint(60, -40));
    Edit(EParam::kLimitThreshold, {3, 0}, 450);
    Edit(EParam::kInDelay, {0, 0}, 200);
    Edit(EParam::kHighPassFreq, {5, 0}, 300);
    Settle();
    ASSERT_EQ(m_window->Link().History().UndoCount(), 6U) << "the drag is one step";
    ASSERT_NE(BuiltImage(record), m_start);

    // Ctrl+Z undoes the last one; the buttons the rest.
    Key(QKeySequence(Qt::CTRL | Qt::Key_Z));
    EXPECT_EQ(m_window->Link().History().UndoCount(), 5U);
    while (Bar().UndoButton()->isEnabled())
        Bar().UndoButton()->click();
    EXPECT_TRUE(Bar().RedoButton()->isEnabled());
    // The crossover walks back an octave per frame, and its block shows
    // how far the walk has come: the record is whole again once it is out.
    Settle();
    EXPECT_EQ(BuiltImage(record), m_start);
    EXPECT_EQ(StopAndReadLiveImage(), m_window->Connection().FactorySlot().abyImage);
    EXPECT_TRUE(m_env.Boxes().empty());
}

TEST_F(UndoCompareWindowTest, RedoingEveryEditReturnsTheLiveProgramToTheEnd)
{
    Connect();
    CAudio_Data& record = m_window->Data();
    Strip().ColumnAt(CCHEDlg::kInputColumns).pMute->click();
    DragBand(0, 4, QPoint(-40, 30));
    Edit(EParam::kOutGain, {6, 0}, 250);
    const Image end = BuiltImage(record);
    while (Bar().UndoButton()->isEnabled())
        Bar().UndoButton()->click();
    Key(QKeySequence(Qt::CTRL | Qt::Key_Y));
    Key(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z));
    EXPECT_EQ(m_window->Link().History().RedoCount(), 1U);
    Bar().RedoButton()->click();
    EXPECT_FALSE(Bar().RedoButton()->isEnabled());
    EXPECT_EQ(BuiltImage(record), end);
    Settle();
    EXPECT_EQ(StopAndReadLiveImage(), Expected(end));
}

TEST_F(UndoCompareWindowTest, EachSwitchLeavesTheProcessorOnTheSideChosen)
{
    Connect();
    CAudio_Data& record = m_window->Data();
    QPushButton* compare = Bar().CompareButton();
    const QString captionA = compare->text();

    compare->click();  // B starts as a copy of A
    EXPECT_NE(compare->text(), captionA);
    Strip().ColumnAt(CCHEDlg::kInputColumns + 1).pMute->click();
    DragBand(1, 9, QPoint(50, 30));
    Edit(EParam::kInGain, {2, 0}, 350);
    const Image sideB = BuiltImage(record);
    Settle();

    compare->click();  // to A
    EXPECT_EQ(compare->text(), captionA);
    EXPECT_EQ(BuiltImage(record), m_start);
    // Both sides survive a language switch.
    m_window->SetLanguage(kEnglish);
    EXPECT_EQ(compare->text(), QStringLiteral("A|b"));
    compare->click();  // to B
    EXPECT_EQ(compare->text(), QStringLiteral("a|B"));
    EXPECT_EQ(BuiltImage(record), sideB);
    Settle();

    // Disconnecting asks first while A lives only in the editor; "no" keeps
    // the connection and both sides.
    m_window->CommandButton(COrvanDlgDlg::kConnection)->click();
    ASSERT_EQ(m_questions.size(), 1U);
    EXPECT_TRUE(m_window->IsConnected());
    EXPECT_TRUE(m_window->Link().Compare().IsComparing());
    EXPECT_EQ(StopAndReadLiveImage(), Expected(sideB));
}

TEST_F(UndoCompareWindowTest, DisconnectingClearsBothSidesAndTheStepsAfterTheQuestion)
{
    Connect();
    Bar().CompareButton()->click();
    Edit(EParam::kOutGain, {0, 0}, 250);
    m_bAnswerYes = true;
    m_window->CommandButton(COrvanDlgDlg::kConnection)->click();
    EXPECT_EQ(m_questions.size(), 1U);
    EXPECT_FALSE(m_window->IsConnected());
    EXPECT_FALSE(m_window->Link().Compare().IsComparing());
    EXPECT_FALSE(Bar().UndoButton()->isEnabled());
    EXPECT_EQ(Bar().CompareButton()->text(), QStringLiteral("A|b"));
}
