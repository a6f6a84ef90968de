#pragma once

#include "model/ParamCatalogue.h"

#include <QObject>

class CAudio_Data;
class CLockState;
class CNumEdit;
class CNumSpin;
class CRecordNotice;

// Ties a numeric pair to one parameter of the program record, so a panel
// needs one line per field: a step the pair reports is written through the
// catalogue's setter inside the notice; the pair reloads its range, value,
// lock and language from the record whenever the notice speaks. Typing the
// user has not finished is left alone until it is taken.
class CNumBinding : public QObject
{
    Q_OBJECT

public:
    // Binds the field to the row and sets the pair up. Everything passed must
    // outlive the binding; `locks` may be null (nothing locked).
    CNumBinding(CNumEdit& edit, CNumSpin& spin, CAudio_Data& data, const CLockState* locks, CRecordNotice& notice,
                EParam param, ParamAt at = {}, EUnit unit = EUnit::kNative);

    // The channel (and band) the pair edits from now on, as when a panel
    // shows another channel.
    void SetAddress(ParamAt at);
    ParamAt Address() const { return m_at; }

    // Shows what the record holds now.
    void Reload();

private:
    void Choose(int step);

    CNumEdit& m_edit;
    CNumSpin& m_spin;
    CAudio_Data& m_data;
    const CLockState* m_pLocks;
    CRecordNotice& m_notice;
    EParam m_eParam;
    ParamAt m_at;
    EUnit m_eUnit;
};
