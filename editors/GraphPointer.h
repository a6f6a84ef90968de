#pragma once

#include "model/ChannelAddress.h"
#include "model/GraphGeometry.h"
#include "model/ParamCatalogue.h"

#include <functional>
#include <optional>

class CAudio_Channel;
class CAudio_Data;
class CFilter;
class CLockState;

// The mouse on the response graph, without the widget: which filter of the
// selected channel is current, hit-testing of its point and bandwidth
// markers, and the drags. The filter says what a drag asks for; this class
// writes it through the editor it is given, one edit per value, as any
// control writes (so the link group follows on every move), and tells it
// at most once per tick.
//
// An input shows its six bands as points; an output its fifteen bands, then
// the high-pass (position 15) and low-pass (16) filters. A filter locked by
// the function locks can be neither hovered nor dragged.
class CGraphPointer
{
public:
    static constexpr int kHighPassIndex = 15;
    static constexpr int kLowPassIndex = 16;

    // Writes one value of the selected channel and answers whether the
    // record changed: CProcessorLink::EditQuietly, whose notice this class
    // tells itself.
    using Editor = std::function<bool(EParam param, ParamAt at, int step)>;
    // Tells a value a drag changed: the last one since the last tick (the
    // notifier), or each one as it changes (the move notifier).
    using Notifier = std::function<void(EParam param, ParamAt at)>;

    // `locks` may be null: nothing is locked.
    CGraphPointer(CAudio_Data& program, const CLockState* locks, Editor editor);

    void SetLockState(const CLockState* locks) { m_pLocks = locks; }
    void SetNotifier(Notifier notifier) { m_notify = std::move(notifier); }
    void SetMoveNotifier(Notifier notifier) { m_notifyMove = std::move(notifier); }

    // Selecting a channel ends any drag, drops the current filter and first
    // reports a change that is still waiting for the next tick, so that it
    // reaches the panels of the channel it belongs to. An index outside the
    // side's channels is refused (false).
    bool Select(ChannelAddress channel);
    ChannelAddress Selected() const { return m_channel; }
    CAudio_Channel& SelectedChannel();
    const CAudio_Channel& SelectedChannel() const;
    int FilterCount() const;

    // Each returns true when the picture must be drawn again.
    bool Move(Point pointer);
    bool Press(Point pointer);
    bool Release();

    const CFilter* CurrentFilter() const { return m_pCurrent; }
    int GetCurrentIndex() const { return m_nCurrentIndex; }
    // The pointer is over a part of the current filter that can be pressed.
    bool IsOverPoint() const { return m_bOverPoint; }
    // A point or marker of the current filter is held.
    bool IsDragging() const;
    bool IsHandleDragged() const;

    // Filter `highlight` of the selected channel, or the current filter for
    // -1; none for any other position.
    const CFilter* Highlighted(int highlight) const;

    // Whether the locks hide and freeze filter `index` of the selected channel.
    bool IsFilterLocked(int index) const;

    // The 300 ms tick: tells the change a drag made since the last tick.
    void Tick();
    bool HasPendingNotice() const { return m_pending.has_value(); }

private:
    // The filter a drag changed and the last value it wrote there.
    struct Notice
    {
        ChannelAddress channel;
        int nFilter;
        EParam eParam;
        ParamAt at;
    };

    bool IsLocked(int flag) const;
    bool BandsLocked() const;
    bool XoverLocked() const;
    CFilter& FilterAt(int index);
    static bool IsCrossover(const CFilter& filter);
    static bool HasMarkers(const CFilter& filter);

    void MoveInput(Point pointer);
    void MoveOutput(Point pointer);
    // Point, then lower and upper marker of the current band; false when the
    // pointer is over none of them and none is held.
    bool TryBandParts(Point pointer, bool outputMode);
    void MoveCrossover(Point pointer);
    // The first of filters [0, count) whose point holds the pointer becomes current.
    void Search(Point pointer, int count);
    void MakeCurrent(int index);
    void DropCurrent();
    void DragHandle(Point pointer);
    void DragMarker(int x);
    // Writes one value of the current filter (`row` of its band, or its
    // crossover frequency); a change is redrawn and told at the next tick.
    void Write(EParam inputRow, EParam outputRow, int step);
    void MarkChanged(EParam param, ParamAt at);
    void Flush();

    CAudio_Data& m_program;
    const CLockState* m_pLocks;
    Editor m_edit;
    Notifier m_notify;
    Notifier m_notifyMove;

    ChannelAddress m_channel = ChannelAddress::Input(0);
    CFilter* m_pCurrent = nullptr;
    int m_nCurrentIndex = 0;
    bool m_bOverPoint = false;
    bool m_bRedraw = false;
    std::optional<Notice> m_pending;
};
