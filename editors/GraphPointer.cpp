#include "editors/GraphPointer.h"

#include "model/Audio_Data.h"
#include "model/LockState.h"

#include <iterator>

namespace
{
void ClearPointerFlags(CFilter& filter)
{
    filter.m_bOverHandle = false;
    filter.m_bOverLowMarker = false;
    filter.m_bOverHighMarker = false;
    filter.m_bDragHandle = false;
    filter.m_bDragLowMarker = false;
    filter.m_bDragHighMarker = false;
}
}

CGraphPointer::CGraphPointer(CAudio_Data& program, const CLockState* locks, Editor editor)
    : m_program(program)
    , m_pLocks(locks)
    , m_edit(std::move(editor))
{
}

bool CGraphPointer::Select(ChannelAddress channel)
{
    if (!channel.IsValid())
        return false;
    Flush();
    DropCurrent();
    m_channel = channel;
    return true;
}

CAudio_Channel& CGraphPointer::SelectedChannel()
{
    return m_program.Channel(m_channel);
}

const CAudio_Channel& CGraphPointer::SelectedChannel() const
{
    return m_program.Channel(m_channel);
}

int CGraphPointer::FilterCount() const
{
    return SelectedChannel().GetEQ().GetSize();
}

CFilter& CGraphPointer::FilterAt(int index)
{
    return SelectedChannel().GetEQ().GetAt(index);
}

bool CGraphPointer::IsLocked(int flag) const
{
    return m_pLocks && m_pLocks->IsLocked(flag);
}

bool CGraphPointer::BandsLocked() const
{
    return IsLocked(m_channel.Pick(CLockState::kInEq, CLockState::kOutEq));
}

bool CGraphPointer::XoverLocked() const
{
    return IsLocked(CLockState::kOutXover);
}

bool CGraphPointer::IsCrossover(const CFilter& filter)
{
    return filter.GetType() == CFilter::kHighPass || filter.GetType() == CFilter::kLowPass;
}

// Only a parametric band has a bandwidth to drag; the markers of the others
// are never drawn and so must not take the mouse either.
bool CGraphPointer::HasMarkers(const CFilter& filter)
{
    return filter.GetType() == CFilter::kParametric;
}

bool CGraphPointer::IsFilterLocked(int index) const
{
    if (index < 0 || index >= FilterCount())
        return true;
    if (!m_channel.bInput && index >= CEQ::kOutputBands)
        return XoverLocked();
    return BandsLocked();
}

const CFilter* CGraphPointer::Highlighted(int highlight) const
{
    if (highlight == -1)
        return m_pCurrent;
    if (highlight < 0 || highlight >= FilterCount())
        return nullptr;
    return &SelectedChannel().GetEQ().GetAt(highlight);
}

bool CGraphPointer::IsDragging() const
{
    return m_pCurrent
        && (m_pCurrent->m_bDragHandle || m_pCurrent->m_bDragLowMarker || m_pCurrent->m_bDragHighMarker);
}

bool CGraphPointer::IsHandleDragged() const
{
    return m_pCurrent && m_pCurrent->m_bDragHandle;
}

// ---- pointer moves ------------------------------------------------------------

bool CGraphPointer::Move(Point pointer)
{
    m_bRedraw = false;
    if (m_channel.bInput)
        MoveInput(pointer);
    else
        MoveOutput(pointer);
    return m_bRedraw;
}

void CGraphPointer::MoveInput(Point pointer)
{
    if (BandsLocked())
    {
        m_bOverPoint = false;
        return;
    }
    if (m_pCurrent && TryBandParts(pointer, false))
        return;
    Search(pointer, CEQ::kInputBands);
}

void CGraphPointer::MoveOutput(Point pointer)
{
    // A filter locked since it became current is let go: a lock that
    // arrives from the processor during a drag ends the drag.
    if (m_pCurrent && IsFilterLocked(m_nCurrentIndex))
        DropCurrent();

    if (m_pCurrent && IsCrossover(*m_pCurrent))
    {
        MoveCrossover(pointer);
        return;
    }
    if (m_pCurrent && TryBandParts(pointer, true))
        return;
    if (BandsLocked())
    {
        if (XoverLocked())
            m_bOverPoint = false;
        else
            MoveCrossover(pointer);
        return;
    }
    Search(pointer, XoverLocked() ? CEQ::kOutputBands : CEQ::kOutputFilters);
}

namespace
{
// The parts of a band that take the mouse, in the order they are tried:
// the point, the lower and the upper bandwidth marker.
struct Part
{
    Rect CFilter::*pRect;
    bool CFilter::*pOver;
    bool CFilter::*pDrag;
};
constexpr Part kParts[] = {
    {&CFilter::m_rcHandle, &CFilter::m_bOverHandle, &CFilter::m_bDragHandle},
    {&CFilter::m_rcLowMarker, &CFilter::m_bOverLowMarker, &CFilter::m_bDragLowMarker},
    {&CFilter::m_rcHighMarker, &CFilter::m_bOverHighMarker, &CFilter::m_bDragHighMarker},
};
constexpr size_t kPoint = 0, kLowMarker = 1, kHighMarker = 2;

// Output points keep one "over" flag at a time, and entering a marker stops
// a drag of the other one.
void EnterPart(CFilter& filter, size_t part, bool outputMode)
{
    filter.*kParts[part].pOver = true;
    if (part == kHighMarker)
        filter.m_bOverLowMarker = false;
    if (!outputMode)
        return;
    for (size_t other = 0; other < std::size(kParts); ++other)
        if (other != part)
            filter.*kParts[other].pOver = false;
    if (part == kLowMarker)
        filter.m_bDragHighMarker = false;
    if (part == kHighMarker)
        filter.m_bDragLowMarker = false;
}
}

bool CGraphPointer::TryBandParts(Point pointer, bool outputMode)
{
    CFilter& filter = *m_pCurrent;
    for (size_t part = kPoint; part < std::size(kParts); ++part)
    {
        if (part == kLowMarker && !HasMarkers(filter))
            return false;
        const bool inside = Contains(filter.*kParts[part].pRect, pointer);
        const bool held = filter.*kParts[part].pDrag;
        if (!inside && !held)
        {
            // Input points forget a part the pointer has left.
            if (!outputMode)
                filter.*kParts[part].pOver = false;
            continue;
        }
        if (inside)
            EnterPart(filter, part, outputMode);
        if (held && part == kPoint)
            DragHandle(pointer);
        else if (held)
            DragMarker(pointer.x);
        m_bOverPoint = inside;
        return true;
    }
    return false;
}

void CGraphPointer::MoveCrossover(Point pointer)
{
    if (m_pCurrent && IsCrossover(*m_pCurrent))
    {
        const bool inside = Contains(m_pCurrent->m_rcHandle, pointer);
        if (!inside && !m_pCurrent->m_bDragHandle)
        {
            // Unlike a band, a crossover point is not kept highlighted once
            // the pointer has left it.
            DropCurrent();
            m_bOverPoint = false;
            m_bRedraw = true;
            return;
        }
        if (m_pCurrent->m_bDragHandle)
            DragHandle(pointer);
        m_bOverPoint = true;
        return;
    }

    for (const int index : {kHighPassIndex, kLowPassIndex})
    {
        if (Contains(FilterAt(index).m_rcHandle, pointer))
        {
            MakeCurrent(index);
            return;
        }
    }
    m_bOverPoint = false;
}

void CGraphPointer::Search(Point pointer, int count)
{
    for (int index = 0; index < count; ++index)
    {
        if (Contains(FilterAt(index).m_rcHandle, pointer))
        {
            MakeCurrent(index);
            return;
        }
    }
    // The last filter touched stays current, and so stays highlighted.
    m_bOverPoint = false;
}

void CGraphPointer::MakeCurrent(int index)
{
    CFilter& filter = FilterAt(index);
    if (m_pCurrent != &filter)
        DropCurrent();
    m_pCurrent = &filter;
    m_nCurrentIndex = index;
    filter.m_bOverHandle = true;
    m_bOverPoint = true;
    m_bRedraw = true;
}

void CGraphPointer::DropCurrent()
{
    // Flags left set on a filter that is no longer current would let a
    // later hover drag it without a press.
    if (m_pCurrent)
        ClearPointerFlags(*m_pCurrent);
    m_pCurrent = nullptr;
    m_bOverPoint = false;
}

void CGraphPointer::DragHandle(Point pointer)
{
    CFilter& filter = *m_pCurrent;
    if (IsCrossover(filter))
    {
        const bool bHighPass = filter.GetType() == CFilter::kHighPass;
        const CEQ& eq = SelectedChannel().GetEQ();
        const XoverDrag target =
            filter.XoverDragTo(pointer, (bHighPass ? eq.GetLowPass() : eq.GetHighPass()).GetFrequency());
        if (!target.bChanged)
            return;
        // No edit carries a crossover's off flag: the drag leaves it on the
        // filter it moves, as it always has.
        if (target.bOff)
            filter.m_bOff = *target.bOff ? 1 : 0;
        const EParam row = bHighPass ? EParam::kHighPassFreq : EParam::kLowPassFreq;
        Write(row, row, target.nFreq);
        return;
    }
    const BandDrag target = filter.BandDragTo(pointer);
    if (!target.bChanged)
        return;
    Write(EParam::kInBandFreq, EParam::kOutBandFreq, target.nFreq);
    Write(EParam::kInBandGain, EParam::kOutBandGain, target.nGainStep);
}

void CGraphPointer::DragMarker(int x)
{
    const std::optional<int> step = m_pCurrent->BandwidthDragTo(x);
    if (step)
        Write(EParam::kInBandWidth, EParam::kOutBandWidth, *step);
}

void CGraphPointer::Write(EParam inputRow, EParam outputRow, int step)
{
    const EParam param = m_channel.Pick(inputRow, outputRow);
    // Crossover rows address the output alone, band rows its band too.
    const ParamAt at{m_channel.nIndex, ParamCatalogue::IndexCount(param) > 1 ? m_nCurrentIndex : 0};
    if (m_edit && m_edit(param, at, step))
        MarkChanged(param, at);
}

// ---- press and release ----------------------------------------------------------

bool CGraphPointer::Press(Point pointer)
{
    if (!m_pCurrent || !m_bOverPoint || IsFilterLocked(m_nCurrentIndex))
        return false;
    CFilter& filter = *m_pCurrent;
    if (filter.m_bOverHandle)
    {
        filter.m_bDragHandle = true;
        filter.BeginDrag(pointer);
        return true;
    }
    if (!HasMarkers(filter))
        return false;
    if (filter.m_bOverLowMarker)
    {
        filter.m_bDragLowMarker = true;
        filter.BeginMarkerDrag(pointer.x);
        return true;
    }
    if (filter.m_bOverHighMarker)
    {
        filter.m_bDragHighMarker = true;
        filter.BeginMarkerDrag(pointer.x);
        return true;
    }
    return false;
}

bool CGraphPointer::Release()
{
    if (!m_pCurrent)
        return false;
    // Every release ends the drag, whatever the locks: a drag flag left set
    // would move the filter on the next hover.
    const bool wasDragging = IsDragging();
    CFilter& filter = *m_pCurrent;
    if (filter.m_bOverHandle || filter.m_bOverLowMarker || filter.m_bOverHighMarker)
        m_bOverPoint = false;
    ClearPointerFlags(filter);
    return wasDragging;
}

// ---- notices ------------------------------------------------------------------------

void CGraphPointer::MarkChanged(EParam param, ParamAt at)
{
    m_bRedraw = true;
    const Notice notice{m_channel, m_nCurrentIndex, param, at};
    // A notice still waiting for another filter goes out now: the next tick
    // can carry only one, and the panels must not miss that filter's last
    // values.
    if (m_pending && (m_pending->channel != notice.channel || m_pending->nFilter != notice.nFilter))
        Flush();
    m_pending = notice;
    if (m_notifyMove)
        m_notifyMove(param, at);
}

void CGraphPointer::Flush()
{
    if (!m_pending)
        return;
    const Notice notice = *m_pending;
    m_pending.reset();
    if (m_notify)
        m_notify(notice.eParam, notice.at);
}

void CGraphPointer::Tick()
{
    Flush();
}
