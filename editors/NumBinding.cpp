#include "editors/NumBinding.h"

#include "editors/NumEdit.h"
#include "editors/NumSpin.h"

#include "session/RecordNotice.h"

CNumBinding::CNumBinding(CNumEdit& edit, CNumSpin& spin, CAudio_Data& data, const CLockState* locks,
                         CRecordNotice& notice, EParam param, ParamAt at, EUnit unit)
    : QObject(&spin)
    , m_edit(edit)
    , m_spin(spin)
    , m_data(data)
    , m_pLocks(locks)
    , m_notice(notice)
    , m_eParam(param)
    , m_at(at)
    , m_eUnit(unit)
{
    m_edit.Bind(param, unit, at.nIndex);
    m_spin.SetBuddy(&m_edit);
    connect(&m_spin, &CNumSpin::stepChosen, this, &CNumBinding::Choose);
    // Any edit may narrow this row's range (a crossover moving, the EQ mode
    // switching) or reach it through a link group, so every notice reloads.
    connect(&m_notice, &CRecordNotice::valueChanged, this, &CNumBinding::Reload);
    connect(&m_notice, &CRecordNotice::programLoaded, this, &CNumBinding::Reload);
    connect(&m_notice, &CRecordNotice::locksChanged, this, &CNumBinding::Reload);
    connect(&m_notice, &CRecordNotice::languageChanged, this, &CNumBinding::Reload);
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
    m_spin.SetLanguage(m_notice.Language());
    const ParamCatalogue::StepRange range = ParamCatalogue::Range(m_eParam, m_data, m_at);
    m_spin.SetRange(range.nMin, range.nMax);
    // What the record holds, even beyond what this field offers: showing the
    // limit instead would hide the processor's value from the user. Only a
    // step or typing of the user's writes the record.
    m_spin.ShowHeld(ParamCatalogue::Get(m_eParam, m_data, m_at));
    m_spin.Lock(ParamCatalogue::IsLocked(m_eParam, m_pLocks));
}

void CNumBinding::Choose(int step)
{
    const EParam param = m_eParam;
    const ParamAt at = m_at;
    m_notice.Apply(ParamCatalogue::ChannelCode(param, at), static_cast<int>(param),
                   [this, param, at, step] { return ParamCatalogue::Set(param, m_data, at, step); });
    // The record may have refused or clamped the step; show what it holds.
    Reload();
}
