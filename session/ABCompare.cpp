#include "session/ABCompare.h"

CABCompare::CABCompare(CAudio_Data& record, CEditHistory& history, QObject* pParent)
    : QObject(pParent)
    , m_record(record)
    , m_history(history)
{
    connect(&m_history, &CEditHistory::stepReplayed, this,
            [this](CEditHistory::ETag eTag, bool, const CEditState& leaving) { OnStepReplayed(eTag, leaving); });
}

void CABCompare::Toggle()
{
    m_eActive = m_eActive == ESide::A ? ESide::B : ESide::A;
}

void CABCompare::Switch()
{
    CEditState current = CEditState::Capture(m_record);
    if (m_oOther)
        m_history.ApplyAsStep(*m_oOther, CEditHistory::ETag::SideSwitch);
    m_oOther = std::move(current);
    Toggle();
    emit changed();
}

void CABCompare::OnStepReplayed(CEditHistory::ETag eTag, const CEditState& leaving)
{
    // Undoing or redoing a switch switches again: the side that leaves the
    // record is the one kept aside.
    if (eTag != CEditHistory::ETag::SideSwitch || !m_oOther)
        return;
    m_oOther = leaving;
    Toggle();
    emit changed();
}

void CABCompare::Clear()
{
    const bool bWas = IsComparing() || m_eActive != ESide::A;
    m_oOther.reset();
    m_eActive = ESide::A;
    if (bWas)
        emit changed();
}

bool CABCompare::HasUnsentSide() const
{
    return m_oOther && *m_oOther != CEditState::Capture(m_record);
}
