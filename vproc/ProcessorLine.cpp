#include "vproc/ProcessorLine.h"

#include "wire/WireNumbers.h"

#include <algorithm>

bool CProcessorLine::Add(CVirtualProcessor processor, bool bKept)
{
    if (FindMember(processor.GetState().nDeviceId))
        return false;
    processor.SetIdTaken([this](int nId) { return FindMember(nId) != nullptr; });
    m_members.push_back({std::move(processor), bKept});
    return true;
}

CProcessorLine::Member* CProcessorLine::FindMember(int nId)
{
    const auto found =
        std::ranges::find_if(m_members, [nId](const Member& m) { return m.processor.GetState().nDeviceId == nId; });
    return found == m_members.end() ? nullptr : &*found;
}

const CProcessorLine::Member* CProcessorLine::FindMember(int nId) const
{
    return const_cast<CProcessorLine*>(this)->FindMember(nId);
}

const CVirtualProcessor* CProcessorLine::Find(int nId) const
{
    const Member* pMember = FindMember(nId);
    return pMember ? &pMember->processor : nullptr;
}

std::optional<CProcessorLine::Bytes> CProcessorLine::Answer(std::span<const uint8_t> frame)
{
    if (frame.size() <= Frame::kOffDeviceId)
        return std::nullopt;
    Member* pMember = FindMember(frame[Frame::kOffDeviceId]);
    // A silent processor does not even hear the request: nothing is applied.
    if (!pMember || pMember->bSilent)
        return std::nullopt;
    auto answer = pMember->processor.Answer(frame);
    if (answer && pMember->nAnswersLeft > 0 && --pMember->nAnswersLeft == 0)
        Silence(*pMember, true);
    return answer;
}

unsigned CProcessorLine::GetChangeCount() const
{
    unsigned nChanges = 0;
    for (const Member& m : m_members)
        nChanges += m.processor.GetChangeCount();
    return nChanges;
}

void CProcessorLine::Silence(Member& member, bool bSilent)
{
    member.nAnswersLeft = -1;
    if (member.bSilent == bSilent)
        return;
    member.bSilent = bSilent;
    if (m_silenceObserver)
        m_silenceObserver(member.processor.GetState().nDeviceId, bSilent);
}

bool CProcessorLine::SetSilent(int nId, bool bSilent)
{
    Member* pMember = FindMember(nId);
    if (!pMember)
        return false;
    Silence(*pMember, bSilent);
    return true;
}

bool CProcessorLine::SilenceAfter(int nId, int nAnswers)
{
    Member* pMember = FindMember(nId);
    if (!pMember)
        return false;
    if (nAnswers <= 0)
        Silence(*pMember, true);
    else
        pMember->nAnswersLeft = nAnswers;
    return true;
}

bool CProcessorLine::IsSilent(int nId) const
{
    const Member* pMember = FindMember(nId);
    return pMember && pMember->bSilent;
}

std::vector<CProcessorState> CProcessorLine::KeptStates() const
{
    std::vector<CProcessorState> states;
    for (const Member& m : m_members)
        if (m.bKept)
            states.push_back(m.processor.GetState());
    return states;
}
