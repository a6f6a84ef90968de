// Every parameter of every channel of a four-in, eight-out processor changed
// through the panels' own controls in the main window, against the virtual
// processor program: afterwards the processor's live program holds the
// editor's bytes, block for block. On the way, the frames each edit puts on
// the line are watched in the processor's own log: one frame per sub-block
// changed, none for a value entered again, and a held spin or a dragged
// fader thinned to its report period.

#include "editors/CHEDlg.h"
#include "editors/InEQDlg.h"
#include "editors/InFaceDlg.h"
#include "app/OrvanDlgDlg.h"
#include "editors/OutEQDlg.h"
#include "editors/OutFaceDlg.h"
#include "editors/WarnGEQDlg.h"
#include "tests/app/WindowTestEnvironment.h"

#include "controls/ControlMath.h"
#include "controls/Fader.h"
#include "controls/LockCombo.h"
#include "editors/NumEdit.h"
#include "editors/NumSpin.h"
#include "vproc/ProcessorState.h"
#include "controls/ToggleButton.h"
#include "tests/VprocProcess.h"
#include "tests/app/VprocWindow.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace
{
using Image = CProcessorState::Image;

// A request as the processor logged it on arrival.
struct Logged
{
    int nType = 0;
    int nItem = 0;
    int nBlock = 0;
    int nSelector = 0;
};

// What an edit may put on the line more than once for one sub-block.
enum class ERepeat
{
    kNone,
    // The crossover frequency moves an octave per frame towards its target.
    kCrossoverWalk,
    // The channel is muted for the resend and unmuted after: its parameter
    // sub-block goes out twice around the bands.
    kMutedResend,
};

class PanelWalkTest : public CVprocWindowTest
{
protected:
    // One change through a control, named for the failure messages.
    using Edit = std::function<void(const std::string& what, const std::function<void()>& change)>;

    void SetUp() override
    {
        CVprocWindowTest::SetUp();
        if (HasFatalFailure())
            return;
        QObject::connect(&m_window->Notice(), &CRecordNotice::valueChanged, [this] { ++m_nNotices; });
        // The processor logs every request on its error channel.
        QProcess& process = m_vproc.Process();
        process.setProcessChannelMode(QProcess::SeparateChannels);
        QObject::connect(&process, &QProcess::readyReadStandardError, [this] { ReadLog(); });
    }

    void Connect() { CVprocWindowTest::Connect({"--verbose"}); }

    void ReadLog()
    {
        m_strLog += m_vproc.Process().readAllStandardError().toStdString();
        size_t end = 0;
        while ((end = m_strLog.find('\n')) != std::string::npos)
        {
            const std::string line = m_strLog.substr(0, end);
            m_strLog.erase(0, end + 1);
            Logged f;
            int nId = 0;
            int nProgram = 0;
            if (std::sscanf(line.c_str(), "-> %x id %d %d/%d/%d/%d", &f.nType, &nId, &nProgram, &f.nItem, &f.nBlock,
                            &f.nSelector)
                != 6)
                continue;
            if (f.nType == Frame::kLevels)
                ++m_nLevelRequests;
            else
                m_logged.push_back(f);
        }
    }

    // Level requests go out only when no edit waits, but two may stand in
    // the queue ahead of the edits: the third answer comes after every edit
    // has been answered. The processor logged each request before
    // answering it, so once its log shows as many level requests as have
    // been answered, it shows every edit frame too.
    void Drain()
    {
        const int nTarget = m_nLevels + 3;
        ASSERT_TRUE(RunUntil([&] { return m_nLevels >= nTarget; }, 8000)) << "the queue does not drain";
        ASSERT_TRUE(RunUntil([&] { return m_nLevelRequests >= m_nLevels; }, 4000)) << "the log lags";
    }

    // Runs `edit`, lets its frames out and checks them: each sub-block of a
    // channel once (or as `repeat` allows), and something sent at all.
    std::vector<Logged> Audited(const std::string& what, const std::function<void()>& edit,
                                ERepeat repeat = ERepeat::kNone)
    {
        SCOPED_TRACE(what);
        const size_t nFrom = m_logged.size();
        edit();
        Drain();
        const std::vector<Logged> frames(m_logged.begin() + static_cast<std::ptrdiff_t>(nFrom), m_logged.end());
        EXPECT_FALSE(frames.empty()) << "nothing sent";
        std::map<std::pair<int, int>, int> seen;
        for (const Logged& f : frames)
            if (f.nType == Frame::kParamChange)
                ++seen[{f.nBlock, f.nSelector}];
        for (const auto& [where, n] : seen)
        {
            const int code = where.second;
            const bool parameters = code == ParamSubBlock(where.first);
            const int allowed = repeat == ERepeat::kCrossoverWalk && code == CAudio_OutData::kXoverCode ? n
                                : repeat == ERepeat::kMutedResend && parameters                          ? 2
                                                                                                         : 1;
            EXPECT_LE(n, allowed) << "channel " << where.first << " sub-block " << where.second;
        }
        return frames;
    }

    // Whatever the edit, nothing reaches the record's listeners or the line.
    void ExpectSilent(const std::string& what, const std::function<void()>& edit)
    {
        SCOPED_TRACE(what);
        const size_t nFrom = m_logged.size();
        const int nNotices = m_nNotices;
        edit();
        Drain();
        EXPECT_EQ(m_nNotices, nNotices);
        EXPECT_EQ(m_logged.size(), nFrom) << "an unchanged value was sent";
    }

    CInFaceDlg& InFace() { return *m_window->findChild<CInFaceDlg*>(); }
    COutFaceDlg& OutFace() { return *m_window->findChild<COutFaceDlg*>(); }
    CInEQDlg& InEq() { return *m_window->findChild<CInEQDlg*>(); }
    COutEQDlg& OutEq() { return *m_window->findChild<COutEQDlg*>(); }

    void SelectInput(int i) { Strip().ColumnAt(i).pSelect->click(); }
    void SelectOutput(int o) { Strip().ColumnAt(CCHEDlg::kInputColumns + o).pSelect->click(); }

    // ---- the user's ways of changing a value ------------------------------------

    // The user leaves the field, which takes the typing. (The window takes
    // Enter by moving the focus, which the offscreen window cannot really
    // do.)
    static void LeaveField(CNumEdit* edit)
    {
        QFocusEvent leave(QEvent::FocusOut, Qt::TabFocusReason);
        QApplication::sendEvent(edit, &leave);
    }

    // One step by the arrow keys, a page by Page Up/Down, or a value typed
    // and taken on leaving the field, taking turns so every way is walked. The step
    // goes away from the end the field stands at.
    void ChangeField(CNumEdit* edit)
    {
        ASSERT_TRUE(edit->isEnabled() && edit->isVisibleTo(m_window.get())) << edit->accessibleName().toStdString();
        const int before = edit->Value();
        const bool up = before < edit->Maximum();
        switch (m_nWay++ % 3)
        {
        case 0:
            QTest::keyClick(edit, up ? Qt::Key_Up : Qt::Key_Down);
            break;
        case 1:
            QTest::keyClick(edit, up ? Qt::Key_PageUp : Qt::Key_PageDown);
            break;
        default:
        {
            const int target = std::clamp(before + (up ? 10 : -10), edit->Minimum(), edit->Maximum());
            edit->selectAll();
            QTest::keyClicks(edit, QString::fromStdString(ParamCatalogue::FieldText(
                                       edit->Param(), target, m_window->Notice().Language(), false, edit->Unit())));
            LeaveField(edit);
            break;
        }
        }
        EXPECT_NE(edit->Value(), before) << edit->accessibleName().toStdString();
    }

    // The fader's keyboard: one line up, or down at the top.
    static void ChangeFader(CFader* fader)
    {
        const int before = fader->Position();
        QTest::keyClick(fader, before > fader->Minimum() ? Qt::Key_Up : Qt::Key_Down);
        EXPECT_NE(fader->Position(), before) << fader->Caption().toStdString();
    }

    // The next entry of a combo, as the user picks it from the list.
    static void ChangeCombo(CLockCombo* combo)
    {
        const int next = (combo->currentIndex() + 1) % combo->count();
        combo->setCurrentIndex(next);
        emit combo->activated(next);
    }

    // Every band of the shown EQ panel: each field it shows and allows,
    // the fader, then the band's switch (after the gain left 0 dB, where a
    // band stays bypassed), and at last the master switch.
    void WalkEq(CEqPanel& panel, const Edit& edit)
    {
        for (int band = 0; band < panel.BandCount(); ++band)
        {
            const CEqPanel::BandControls& c = panel.Band(band);
            for (int row = 0; row < EqLayout::kRows; ++row)
                if (c.apField.at(static_cast<size_t>(row))->isVisibleTo(&panel)
                    && c.apField.at(static_cast<size_t>(row))->isEnabled())
                    edit("band " + std::to_string(band + 1) + " row " + std::to_string(row),
                         [&] { ChangeField(c.apEdit.at(static_cast<size_t>(row))); });
            edit("band " + std::to_string(band + 1) + " fader", [&] { ChangeFader(c.pFader); });
            edit("band " + std::to_string(band + 1) + " switch", [&] { c.pButton->click(); });
        }
    }

    // Gain (field and fader), delay in its three units and polarity of the
    // shown channel panel.
    void WalkShared(CChannelFace& face, const Edit& edit)
    {
        edit("gain field", [&] { ChangeField(face.GainField()); });
        edit("gain fader", [&] { ChangeFader(face.GainFader()); });
        for (int unit = 0; unit < 3; ++unit)
            edit("delay unit " + std::to_string(unit), [&] { ChangeField(face.DelayField(unit)); });
        edit("polarity", [&] { face.PolarityButton()->click(); });
    }

    // The sub-block code of the parameters of the channel with this code.
    int ParamSubBlock(int channelCode)
    {
        return m_window->Data().Channel(channelCode - Frame::kFirstInputCode).GetParamCode();
    }

    int m_nNotices = 0;
    int m_nLevelRequests = 0;
    int m_nWay = 0;
    std::string m_strLog;
    std::vector<Logged> m_logged;
};
}

TEST_F(PanelWalkTest, EveryParameterOfEveryChannelReachesTheProcessor)
{
    Connect();
    CAudio_Data& record = m_window->Data();
    const Image start = BuiltImage(record);
    // The first channel of each side has every edit's frames checked; the
    // others are walked at full speed and checked by the image at the end.
    const Edit audited = [this](const std::string& what, const std::function<void()>& edit) { Audited(what, edit); };
    const Edit quick = [](const std::string&, const std::function<void()>& edit) { edit(); };

    for (int i = 0; i < CAudio_InRoute::kCount; ++i)
    {
        SCOPED_TRACE("input " + std::to_string(i));
        SelectInput(i);
        ASSERT_EQ(InFace().Channel(), i);
        const Edit& edit = i == 0 ? audited : quick;
        WalkShared(InFace(), edit);
        edit("gate", [&] { ChangeField(InFace().GateField()); });
        // The input's row of the matrix: which outputs take it.
        for (int o = 0; o < CAudio_OutRoute::kCount; ++o)
            edit("route to output " + std::to_string(o + 1), [&] { InFace().RouteCell(o, i)->click(); });
        WalkEq(InEq(), edit);
        if (i == 0)
            Audited("input EQ master", [&] { InEq().MasterButton()->click(); }, ERepeat::kMutedResend);
        else
            InEq().MasterButton()->click();
        // What a quick walk left behind goes out before the next audit.
        Drain();
    }

    for (int o = 0; o < CAudio_OutRoute::kCount; ++o)
    {
        SCOPED_TRACE("output " + std::to_string(o));
        SelectOutput(o);
        ASSERT_EQ(OutFace().Channel(), o);
        const Edit& edit = o == 0 ? audited : quick;
        WalkShared(OutFace(), edit);
        for (int filter = 0; filter < 2; ++filter)
        {
            if (o == 0)
                Audited("crossover frequency", [&] { ChangeField(OutFace().FrequencyField(filter)); },
                        ERepeat::kCrossoverWalk);
            else
                ChangeField(OutFace().FrequencyField(filter));
            edit("crossover type", [&] { ChangeCombo(OutFace().TypeCombo(filter)); });
            edit("crossover slope", [&] { ChangeCombo(OutFace().SlopeCombo(filter)); });
        }
        for (int item = 0; item < 3; ++item)
            edit("limiter " + std::to_string(item), [&] { ChangeField(OutFace().LimiterField(item)); });
        // The output's own column of the matrix, from this panel.
        edit("route from input " + std::to_string(o % 4), [&] { OutFace().RouteCell(o, o % 4)->click(); });
        WalkEq(OutEq(), edit);
        edit("low shelf slope", [&] { ChangeCombo(OutEq().LowShelfSlope()); });
        edit("high shelf slope", [&] { ChangeCombo(OutEq().HighShelfSlope()); });
        if (o == 0)
            Audited("output EQ master", [&] { OutEq().MasterButton()->click(); }, ERepeat::kMutedResend);
        else
            OutEq().MasterButton()->click();
        Drain();
    }

    // Output 8 in graphic mode, the warning answered OK, then another Q.
    SelectOutput(7);
    bool warned = false;
    Audited(
        "graphic mode",
        [&] {
            QTimer::singleShot(0, [&] {
                if (auto* dialog = qobject_cast<CWarnGEQDlg*>(QApplication::activeModalWidget()))
                {
                    warned = true;
                    dialog->OkButton()->click();
                }
            });
            OutEq().ModeButton()->click();
        },
        ERepeat::kMutedResend);
    EXPECT_TRUE(warned);
    ASSERT_EQ(ParamCatalogue::Get(EParam::kOutEqMode, record, {7, 0}), 1);
    ASSERT_TRUE(OutEq().GraphicQ()->isVisible());
    Audited("graphic Q", [&] { ChangeCombo(OutEq().GraphicQ()); });
    Audited("graphic band gain", [&] { ChangeField(OutEq().Band(4).apEdit.at(EqLayout::kGainRow)); });

    // Input B joins input A, output 2 joins output 1 (each takes its
    // leader's settings), then the leaders are edited.
    const auto joinFirst = [this](int column) {
        CLockCombo* link = Strip().ColumnAt(column).pLink;
        link->setCurrentIndex(0);
        emit link->activated(0);
    };
    Audited("link input B to A", [&] { joinFirst(1); });
    Audited("link output 2 to 1", [&] { joinFirst(CCHEDlg::kInputColumns + 1); });
    ASSERT_TRUE(record.Inputs().IsSameGroup(0, 1));
    ASSERT_TRUE(record.Outputs().IsSameGroup(0, 1));
    SelectInput(0);
    // An edit of a leader goes out for both members of its group.
    const auto linked = [&](const std::string& what, const std::function<void()>& change, bool input,
                            ERepeat repeat = ERepeat::kNone) {
        const std::vector<Logged> frames = Audited(what, change, repeat);
        for (int member = 0; member < 2; ++member)
        {
            const int code = input ? record.Input(member).GetChannel() : record.Output(member).GetChannel();
            EXPECT_TRUE(std::any_of(frames.begin(), frames.end(), [&](const Logged& f) { return f.nBlock == code; }))
                << what << ": nothing for channel code " << code;
        }
    };
    linked("linked input gain", [&] { ChangeField(InFace().GainField()); }, true);
    linked("linked input band", [&] { ChangeField(InEq().Band(2).apEdit.at(EqLayout::kFrequencyRow)); }, true);
    EXPECT_EQ(ParamCatalogue::Get(EParam::kInGain, record, {1, 0}),
              ParamCatalogue::Get(EParam::kInGain, record, {0, 0}));
    SelectOutput(0);
    linked("linked output limiter", [&] { ChangeField(OutFace().LimiterField(0)); }, false);
    linked("linked output band", [&] { ChangeFader(OutEq().Band(6).pFader); }, false);
    linked("linked crossover", [&] { ChangeField(OutFace().FrequencyField(0)); }, false, ERepeat::kCrossoverWalk);
    EXPECT_EQ(ParamCatalogue::Get(EParam::kLimitThreshold, record, {1, 0}),
              ParamCatalogue::Get(EParam::kLimitThreshold, record, {0, 0}));

    // A value entered again changes nothing and sends nothing.
    ExpectSilent("same gain typed", [&] {
        CNumEdit* field = OutFace().GainField();
        const QString text = field->text();
        field->selectAll();
        QTest::keyClicks(field, text);
        LeaveField(field);
    });
    ExpectSilent("same band frequency typed", [&] {
        CNumEdit* field = OutEq().Band(3).apEdit.at(EqLayout::kFrequencyRow);
        const QString text = field->text();
        field->selectAll();
        QTest::keyClicks(field, text);
        LeaveField(field);
    });
    ExpectSilent("same crossover type chosen", [&] {
        CLockCombo* combo = OutFace().TypeCombo(1);
        emit combo->activated(combo->currentIndex());
    });
    CFader* top = OutEq().Band(8).pFader;
    QTest::keyClick(top, Qt::Key_Home);
    Drain();
    ExpectSilent("fader at its top pushed up", [&] { QTest::keyClick(top, Qt::Key_Home); });

    Drain();
    const Image mine = BuiltImage(record);
    const CProcessorState state = StopAndReadState();
    const Image& theirs = state.aImages[0];
    for (int n = 0; n < Frame::kChannelCount; ++n)
    {
        const int code = record.Channel(n).GetChannel();
        const int at = CImageSlot::BlockOffset(code);
        const int bytes = n < CAudio_InRoute::kCount ? Frame::kInputBlockBytes : Frame::kOutputBlockBytes;
        const auto byte = [at](const Image& image, int k) { return int(image.at(static_cast<size_t>(at + k))); };
        // The processor holds the editor's block, byte for byte.
        for (int k = 0; k < bytes; ++k)
            if (byte(mine, k) != byte(theirs, k))
            {
                ADD_FAILURE() << "channel code " << code << " byte " << k << ": editor " << byte(mine, k)
                              << ", processor " << byte(theirs, k);
                break;
            }
        // Every sub-block but the name's changed on the way: no control of
        // the channel was left out, and none changed only what it shows.
        for (int sub = Frame::kSubBlockBytes; sub < bytes; sub += Frame::kSubBlockBytes)
        {
            bool changed = false;
            for (int k = sub; k < sub + Frame::kSubBlockBytes; ++k)
                changed = changed || byte(mine, k) != byte(start, k);
            EXPECT_TRUE(changed) << "channel code " << code << " sub-block at byte " << sub << " never changed";
        }
    }
    EXPECT_TRUE(m_env.Boxes().empty());
}

TEST_F(PanelWalkTest, HeldSpinAndDraggedFaderAreThinnedOnTheLine)
{
    Connect();
    SelectInput(0);
    const int code = m_window->Data().Input(0).GetChannel();
    const auto paramFrames = [&](size_t from) {
        return std::count_if(m_logged.begin() + static_cast<std::ptrdiff_t>(from), m_logged.end(),
                             [&](const Logged& f) { return f.nBlock == code && f.nSelector == ParamSubBlock(code); });
    };

    // The delay spin's up arrow held for 1.5 s: it repeats every 60 ms but
    // reports at most every 400 ms, and once more when let go.
    CNumSpin* spin = InFace().DelaySpin(0);
    const int before = spin->GetPos();
    size_t from = m_logged.size();
    const QPointF up(spin->width() / 2.0, spin->height() / 4.0);
    QElapsedTimer held;
    held.start();
    SendMouse(*spin, QEvent::MouseButtonPress, up, Qt::LeftButton, Qt::LeftButton);
    RunUntil([] { return false; }, 1500);
    SendMouse(*spin, QEvent::MouseButtonRelease, up, Qt::LeftButton, Qt::NoButton);
    const qint64 spinMs = held.elapsed();
    Drain();
    // A loaded machine repeats less often, never more.
    const int steps = spin->GetPos() - before;
    EXPECT_GE(steps, 5) << "the arrow did not repeat";
    EXPECT_EQ(ParamCatalogue::Get(EParam::kInDelay, m_window->Data(), {0, 0}), spin->GetPos());
    EXPECT_GE(paramFrames(from), 2);
    EXPECT_LT(paramFrames(from), steps);
    EXPECT_LE(paramFrames(from), spinMs / CNumSpin::kRepeatPeriodMs + 2);

    // The gain fader dragged up and down for a second, a pixel every 10 ms:
    // at most one frame per 200 ms, and the last position on release.
    CFader* fader = InFace().GainFader();
    const double x = fader->width() / 2.0;
    const double y0 = FaderThumbCentre(fader->Travel(), fader->Position());
    from = m_logged.size();
    held.restart();
    SendMouse(*fader, QEvent::MouseButtonPress, {x, y0}, Qt::LeftButton, Qt::LeftButton);
    ASSERT_TRUE(fader->IsDragging());
    double y = y0;
    for (int n = 0; n < 100; ++n)
    {
        y += (n / 20) % 2 == 0 ? 1.0 : -1.0;
        SendMouse(*fader, QEvent::MouseMove, {x, y}, Qt::NoButton, Qt::LeftButton);
        RunUntil([] { return false; }, 10);
    }
    SendMouse(*fader, QEvent::MouseButtonRelease, {x, y}, Qt::LeftButton, Qt::NoButton);
    const qint64 faderMs = held.elapsed();
    Drain();
    EXPECT_EQ(ParamCatalogue::Get(EParam::kInGain, m_window->Data(), {0, 0}), fader->Value());
    EXPECT_GE(paramFrames(from), 2);
    EXPECT_LE(paramFrames(from), faderMs / CFader::kDragReportMs + 2);
    EXPECT_TRUE(m_env.Boxes().empty());
}
