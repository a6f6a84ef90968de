#include "editors/NumBinding.h"

#include "editors/NumEdit.h"
#include "editors/NumSpin.h"

#include "session/ProcessorLink.h"

CNumBinding::CNumBinding(CNumEdit& edit, CNumSpin& spin, CProcessorLink& link, EParam param, ParamAt at, EUnit unit)
    : QObject(&spin)
    , m_edit(edit)
    , m_spin(spin)
    , m_link(link)
    , m_eParam(param)
    , m_at(at)
    , m_eUnit(unit)
{
    m_edit.Bind(param, unit, at.nIndex);
    m_spin.SetBuddy(&m_edit);
    connect(&m_spin, &CNumSpin::stepChosen, this, &CNumBinding::Choose);
    // Any edit may narrow this row's range (a crossover moving, the EQ mode
    // switching) or reach it through a link group, so every notice reloads.
    const CRecordNotice& notice = m_link.Notice();
    connect(&notice, &CRecordNotice::valueChanged, this, &CNumBinding::Reload);
    connect(&notice, &CRecordNotice::programLoaded, this, &CNumBinding::Reload);
    connect(&notice, &CRecordNotice::locksChanged, this, &CNumBinding::Reload);
    connect(&notice, &CRecordNotice::languageChanged, this, &CNumBinding::Reload);
    Reload();
}

void CNumBinding::SetAddress(ParamAt at)
{
    m_at = at;
    m_edit.Bind(m_eParam, m_eUnit, at.nIndex);
    Reload();
}

void CNumBinding::Reload()
{
    // Half-typed text is the user's until it is taken, and a held arrow is
    // ahead of the record until its last step is reported.
    if (m_edit.IsModified() || m_spin.IsStepping())
        return;
    const CAudio_Data& data = m_link.Record();
    m_spin.SetLanguage(m_link.Notice().Language());
    const ParamCatalogue::StepRange range = ParamCatalogue::Range(m_eParam, data, m_at);
    m_spin.SetRange(range.nMin, range.nMax);
    // What the record holds, even beyond what this field offers: showing the
    // limit instead would hide the processor's value from the user. Only a
    // step or typing of the user's writes the record.
    m_spin.ShowHeld(ParamCatalogue::Get(m_eParam, data, m_at));
    m_spin.Lock(ParamCatalogue::IsLocked(m_eParam, &m_link.Locks()));
}

void CNumBinding::Choose(int step)
{
    // A refused or clamped step tells nobody: the pair shows what the record
    // holds.
    if (!m_link.Edit(m_eParam, m_at, step))
        Reload();
}
