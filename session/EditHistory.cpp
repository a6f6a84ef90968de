#include "session/EditHistory.h"

#include "model/Audio_Data.h"
#include "session/RecordNotice.h"

CEditHistory::CEditHistory(CAudio_Data& record, const CLockState& locks, CRecordNotice& notice, QObject* pParent)
    : QObject(pParent)
    , m_record(record)
    , m_locks(locks)
    , m_notice(notice)
    , m_pBaseline(std::make_shared<const CEditState>(CEditState::Capture(record)))
{
    const auto onNotice = [this] {
        if (!m_bReplaying && m_nGroupDepth == 0)
            Commit(ETag::Edit);
    };
    connect(&m_notice, &CRecordNotice::valueChanged, this, onNotice);
    connect(&m_notice, &CRecordNotice::programLoaded, this, onNotice);
}

CEditHistory::~CEditHistory() = default;

void CEditHistory::BeginGroup()
{
    ++m_nGroupDepth;
}

void CEditHistory::EndGroup()
{
    // An EndGroup without its BeginGroup (a release whose press went
    // elsewhere) must not leave the history deaf.
    if (m_nGroupDepth == 0)
        return;
    if (--m_nGroupDepth == 0)
        Commit(ETag::Edit);
}

void CEditHistory::Commit(ETag eTag)
{
    auto pNow = std::make_shared<const CEditState>(CEditState::Capture(m_record));
    if (*pNow == *m_pBaseline)
        return;
    // A new step drops whatever could have been redone.
    m_steps.erase(m_steps.begin() + static_cast<std::ptrdiff_t>(m_nNext), m_steps.end());
    m_steps.push_back({m_pBaseline, pNow, eTag});
    if (m_steps.size() > kMaxSteps)
        m_steps.erase(m_steps.begin());
    m_nNext = m_steps.size();
    m_pBaseline = std::move(pNow);
    emit changed();
}

bool CEditHistory::Undo()
{
    if (InGroup())
        return false;
    // Whatever changed without a notice since the last step becomes a step
    // of its own first, so the undo does not swallow it.
    Commit(ETag::Edit);
    if (!CanUndo())
        return false;
    Replay(true);
    return true;
}

bool CEditHistory::Redo()
{
    if (InGroup())
        return false;
    // A change made without a notice ends what could be redone.
    Commit(ETag::Edit);
    if (!CanRedo())
        return false;
    Replay(false);
    return true;
}

void CEditHistory::Replay(bool bUndo)
{
    const Step step = m_steps.at(bUndo ? m_nNext - 1 : m_nNext);
    const auto& pTarget = bUndo ? step.pBefore : step.pAfter;
    const CEditState leaving = *m_pBaseline;
    m_bReplaying = true;
    pTarget->ApplyTo(m_record, m_locks);
    if (bUndo)
        --m_nNext;
    else
        ++m_nNext;
    // A locked link may have kept its groups: the baseline is what the
    // record really holds.
    m_pBaseline = std::make_shared<const CEditState>(CEditState::Capture(m_record));
    m_notice.NotifyProgramLoaded();
    m_bReplaying = false;
    if (step.eTag != ETag::Edit)
        emit stepReplayed(step.eTag, bUndo, leaving);
    emit changed();
}

void CEditHistory::Clear()
{
    m_steps.clear();
    m_nNext = 0;
    m_nGroupDepth = 0;
    m_pBaseline = std::make_shared<const CEditState>(CEditState::Capture(m_record));
    emit changed();
}

bool CEditHistory::ApplyAsStep(const CEditState& target, ETag eTag)
{
    Commit(ETag::Edit);
    m_bReplaying = true;
    const bool bChanged = target.ApplyTo(m_record, m_locks);
    if (bChanged)
        m_notice.NotifyProgramLoaded();
    m_bReplaying = false;
    if (bChanged)
        Commit(eTag);
    return bChanged;
}
