#pragma once

#include "vproc/VirtualProcessor.h"

#include <functional>
#include <optional>
#include <span>
#include <vector>

// Processors sharing one RS-485 line, as a rack of them is wired: every
// request reaches all of them and only the one it is addressed to answers; a
// request for an ID that nobody holds goes unanswered. Each keeps its own
// state, and one of them can fall silent while the others go on.
class CProcessorLine
{
public:
    using Bytes = CVirtualProcessor::Bytes;
    // Told when a processor falls silent or answers again.
    using SilenceObserver = std::function<void(int nId, bool bSilent)>;

    CProcessorLine() = default;
    // The processors ask the line whether an ID is taken, so it stays put.
    CProcessorLine(const CProcessorLine&) = delete;
    CProcessorLine& operator=(const CProcessorLine&) = delete;

    // Puts a processor on the line; false when its ID is taken there. A
    // processor not kept is left out of KeptStates (it is not saved).
    bool Add(CVirtualProcessor processor, bool bKept = true);
    int Count() const { return static_cast<int>(m_members.size()); }
    // In the order added; a processor keeps its place when its ID changes.
    CVirtualProcessor& At(int i) { return m_members.at(static_cast<size_t>(i)).processor; }
    const CVirtualProcessor& At(int i) const { return m_members.at(static_cast<size_t>(i)).processor; }
    // The processor answering to nId, or null.
    const CVirtualProcessor* Find(int nId) const;

    // The answer of the processor a whole frame is addressed to, or none.
    std::optional<Bytes> Answer(std::span<const uint8_t> frame);
    // Grows with every change of any processor's state.
    unsigned GetChangeCount() const;

    // The processor with nId stops taking and answering requests, as if its
    // cable were pulled, or takes them again. False when no processor has
    // that ID.
    bool SetSilent(int nId, bool bSilent);
    // It answers nAnswers more requests and then falls silent.
    bool SilenceAfter(int nId, int nAnswers);
    bool IsSilent(int nId) const;
    void SetSilenceObserver(SilenceObserver observer) { m_silenceObserver = std::move(observer); }

    // The states of the kept processors, in line order.
    std::vector<CProcessorState> KeptStates() const;

private:
    struct Member
    {
        CVirtualProcessor processor;
        bool bKept = true;
        bool bSilent = false;
        int nAnswersLeft = -1; // -1: no limit
    };

    Member* FindMember(int nId);
    const Member* FindMember(int nId) const;
    void Silence(Member& member, bool bSilent);

    std::vector<Member> m_members;
    SilenceObserver m_silenceObserver;
};
