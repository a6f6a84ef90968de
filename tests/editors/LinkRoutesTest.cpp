// Every parameter row of the catalogue edited on one member of a link group,
// through each way the program edits it: the edit every field, spin, toggle
// and combo makes (CProcessorLink::Edit), a fader, a drag on the response
// graph, a filter import, and the undo and redo of the edit. Whatever the
// route, every other member takes the value and a channel outside the group
// keeps its own; name, mute and routing stay with the channel edited.

#include "editors/EqPanel.h"
#include "editors/FaceLayout.h"
#include "editors/FilterImportPlan.h"
#include "editors/GraphPointer.h"
#include "editors/InEQDlg.h"
#include "editors/InFaceDlg.h"
#include "editors/OutEQDlg.h"
#include "editors/OutFaceDlg.h"

#include "controls/Fader.h"
#include "model/LinkRule.h"
#include "session/ProcessorLink.h"
#include "ui/ChannelSelector.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace
{
constexpr int kW = 601;
constexpr int kH = 240;

// Inputs A and C are linked, B is not; outputs 2, 5 and 7 are, 3 is not.
struct Group
{
    int nMember;
    std::vector<int> peers;
    int nOutsider;
};
const Group kInputs{0, {2}, 1};
const Group kOutputs{1, {4, 6}, 2};

const Group& GroupOf(EParam param)
{
    return ParamCatalogue::Param(param).eSide == EParamSide::kInput ? kInputs : kOutputs;
}

bool IsBandRow(EParam param)
{
    return ParamCatalogue::IndexCount(param) > 1 && param != EParam::kOutRoute;
}

// A parametric band of either side; the second source of the routing.
int IndexOf(EParam param)
{
    if (param == EParam::kOutRoute)
        return 1;
    return IsBandRow(param) ? 3 : 0;
}

enum class ERoute
{
    kEdit,
    kFader,
    kGraph,
    kImport,
    kUndoRedo,
};

const char* Name(ERoute route)
{
    switch (route)
    {
    case ERoute::kEdit:
        return "edit";
    case ERoute::kFader:
        return "fader";
    case ERoute::kGraph:
        return "graph drag";
    case ERoute::kImport:
        return "import";
    case ERoute::kUndoRedo:
        return "undo and redo";
    }
    return "";
}

bool Reaches(ERoute route, EParam param)
{
    switch (route)
    {
    case ERoute::kFader:
        return param == EParam::kInGain || param == EParam::kOutGain || param == EParam::kInBandGain
               || param == EParam::kOutBandGain;
    case ERoute::kGraph:
        return param == EParam::kInBandFreq || param == EParam::kOutBandFreq || param == EParam::kInBandGain
               || param == EParam::kOutBandGain || param == EParam::kInBandWidth || param == EParam::kOutBandWidth
               || param == EParam::kHighPassFreq || param == EParam::kLowPassFreq;
    case ERoute::kImport:
        // Into a parametric band: frequency, width and gain.
        return param == EParam::kInBandFreq || param == EParam::kOutBandFreq || param == EParam::kInBandGain
               || param == EParam::kOutBandGain || param == EParam::kInBandWidth || param == EParam::kOutBandWidth;
    default:
        return true;
    }
}

// A program whose groups are linked as above, every band boosted, with
// nothing to undo yet.
class CLinkedProgram
{
public:
    CLinkedProgram()
    {
        CAudio_Data& data = Record();
        data.SetGraphRect(kW, kH);
        // Every band boosted, so that each can be switched and moved.
        for (int i = 0; i < Frame::kInputCount; ++i)
            for (int k = 0; k < CEQ::kInputBands; ++k)
                data.Input(i).GetBand(k).SetGainStep(430 + k);
        for (int i = 0; i < Frame::kOutputCount; ++i)
            for (int k = 0; k < CEQ::kOutputBands; ++k)
                data.Output(i).GetBand(k).SetGainStep(430 + k);
        for (const int peer : kInputs.peers)
            m_link.Edit(EParam::kInLink, {peer, 0}, kInputs.nMember);
        for (const int peer : kOutputs.peers)
            m_link.Edit(EParam::kOutLink, {peer, 0}, kOutputs.nMember);
        m_link.History().Clear();
    }

    CAudio_Data& Record() { return m_link.Record(); }
    int Get(EParam param, int channel) { return ParamCatalogue::Get(param, Record(), {channel, IndexOf(param)}); }

    // A step the member does not hold yet, within what it accepts now.
    int OtherStep(EParam param)
    {
        const ParamAt at{GroupOf(param).nMember, IndexOf(param)};
        const ParamCatalogue::StepRange range = ParamCatalogue::Range(param, Record(), at);
        const int now = ParamCatalogue::Get(param, Record(), at);
        if (range.nMax - range.nMin <= 2)
            return now == range.nMin ? range.nMin + 1 : range.nMin;
        const int step = range.nMin + (range.nMax - range.nMin) * 2 / 3;
        return step != now ? step : step + 1;
    }

    // Makes the edit by `route` and answers whether the record changed.
    bool EditBy(ERoute route, EParam param, int step)
    {
        const Group& group = GroupOf(param);
        const bool bInput = ParamCatalogue::Param(param).eSide == EParamSide::kInput;
        const ParamAt at{group.nMember, IndexOf(param)};
        switch (route)
        {
        case ERoute::kEdit:
        case ERoute::kUndoRedo:
            return m_link.Edit(param, at, step);
        case ERoute::kFader:
            return MoveFader(param, bInput, at, step);
        case ERoute::kGraph:
            return Drag(param, bInput, at);
        case ERoute::kImport:
            return Import(param, bInput, at, step);
        }
        return false;
    }

    bool MoveFader(EParam param, bool bInput, ParamAt at, int step)
    {
        CChannelSelector selector;
        selector.Select({bInput, at.nChannel});
        CFader* pFader = nullptr;
        std::unique_ptr<QWidget> pPanel;
        if (IsBandRow(param))
        {
            CEqPanel* pEq = bInput ? static_cast<CEqPanel*>(new CInEQDlg(m_link, selector))
                                   : static_cast<CEqPanel*>(new COutEQDlg(m_link, selector));
            pPanel.reset(pEq);
            pFader = pEq->Band(at.nIndex).pFader;
        }
        else
        {
            CChannelFace* pFace = bInput ? static_cast<CChannelFace*>(new CInFaceDlg(m_link, selector))
                                         : static_cast<CChannelFace*>(new COutFaceDlg(m_link, selector));
            pPanel.reset(pFace);
            pFader = pFace->GainFader();
        }
        const int before = ParamCatalogue::Get(param, Record(), at);
        emit pFader->ValueReported(step);
        return ParamCatalogue::Get(param, Record(), at) != before;
    }

    // A drag on the response graph of the part of the filter that moves
    // `param`; the value is the drag's, whatever it is.
    bool Drag(EParam param, bool bInput, ParamAt at)
    {
        bool bTold = false;
        CGraphPointer pointer(Record(), &m_link.Locks(),
                              [this](EParam p, ParamAt a, int s) { return m_link.EditQuietly(p, a, s); });
        pointer.SetNotifier([&bTold](EParam, ParamAt) { bTold = true; });
        EXPECT_TRUE(pointer.Select({bInput, at.nChannel}));
        CAudio_Channel& channel = bInput ? static_cast<CAudio_Channel&>(Record().Input(at.nChannel))
                                         : static_cast<CAudio_Channel&>(Record().Output(at.nChannel));
        CFilter* pFilter = &channel.GetBand(at.nIndex);
        Point shift{60, -30};
        if (param == EParam::kHighPassFreq || param == EParam::kLowPassFreq)
        {
            const bool bHighPass = param == EParam::kHighPassFreq;
            pFilter =
                bHighPass ? &Record().Output(at.nChannel).GetHighPass() : &Record().Output(at.nChannel).GetLowPass();
            shift = {bHighPass ? 150 : -150, 0};
        }
        Point start = Centre(pFilter->m_rcHandle);
        pointer.Move(start);
        if (param == EParam::kInBandWidth || param == EParam::kOutBandWidth)
        {
            start = Centre(pFilter->m_rcHighMarker);
            pointer.Move(start);
            shift = {40, 0};
        }
        EXPECT_TRUE(pointer.Press(start));
        pointer.Move({start.x + shift.x, start.y + shift.y});
        pointer.Release();
        pointer.Tick();
        return bTold;
    }

    bool Import(EParam param, bool bInput, ParamAt at, int step)
    {
        const auto value = [&](EParam in, EParam out) {
            const EParam row = bInput ? in : out;
            return row == param ? step : ParamCatalogue::Get(row, Record(), at);
        };
        FilterImport::PlannedBand band;
        band.nBand = at.nIndex;
        band.bFromFile = true;
        band.nFreq = value(EParam::kInBandFreq, EParam::kOutBandFreq);
        band.nGainStep = value(EParam::kInBandGain, EParam::kOutBandGain);
        band.nWidthStep = value(EParam::kInBandWidth, EParam::kOutBandWidth);
        FilterImport::Plan plan;
        plan.channel = {bInput, at.nChannel};
        plan.bands = {band};
        return FilterImportPlan::Apply(m_link, plan);
    }

    CProcessorLink m_link;
};
}

TEST(LinkRoutes, EveryRowReachesEveryMemberByEveryRoute)
{
    for (const ParamRow& row : ParamCatalogue::Params())
    {
        // The generator belongs to no channel; a link group is joined, not
        // spread (LinkRuleTest).
        if (row.eSide == EParamSide::kProgram || row.eEntry == EEntry::kText || row.eParam == EParam::kInLink
            || row.eParam == EParam::kOutLink)
            continue;
        for (const ERoute route : {ERoute::kEdit, ERoute::kFader, ERoute::kGraph, ERoute::kImport, ERoute::kUndoRedo})
        {
            if (!Reaches(route, row.eParam))
                continue;
            const std::string what = std::string(row.pszEnglish) + " (row "
                                     + std::to_string(static_cast<int>(row.eParam)) + ") by " + Name(route);
            CLinkedProgram fresh;
            const EParam param = row.eParam;
            const Group& group = GroupOf(param);
            const int before = fresh.Get(param, group.nMember);
            const int outsider = fresh.Get(param, group.nOutsider);
            std::vector<int> peersBefore;
            for (const int peer : group.peers)
                peersBefore.push_back(fresh.Get(param, peer));

            ASSERT_TRUE(fresh.EditBy(route, param, fresh.OtherStep(param))) << what;
            const int after = fresh.Get(param, group.nMember);
            ASSERT_NE(after, before) << what;
            const bool bSpreads = LinkRule::Spreads(param);
            for (size_t n = 0; n < group.peers.size(); ++n)
                EXPECT_EQ(fresh.Get(param, group.peers[n]), bSpreads ? after : peersBefore[n]) << what;
            EXPECT_EQ(fresh.Get(param, group.nOutsider), outsider) << what;

            if (route != ERoute::kUndoRedo)
                continue;
            ASSERT_TRUE(fresh.m_link.History().Undo()) << what;
            EXPECT_EQ(fresh.Get(param, group.nMember), before) << what;
            for (size_t n = 0; n < group.peers.size(); ++n)
                EXPECT_EQ(fresh.Get(param, group.peers[n]), peersBefore[n]) << what;
            ASSERT_TRUE(fresh.m_link.History().Redo()) << what;
            EXPECT_EQ(fresh.Get(param, group.nMember), after) << what;
            for (size_t n = 0; n < group.peers.size(); ++n)
                EXPECT_EQ(fresh.Get(param, group.peers[n]), bSpreads ? after : peersBefore[n]) << what;
            EXPECT_EQ(fresh.Get(param, group.nOutsider), outsider) << what;
        }
    }
}
