#pragma once

#include "model/ParamCatalogue.h"

#include <QObject>

class CNumEdit;
class CNumSpin;
class CProcessorLink;

// Ties a numeric pair to one parameter of the program record, so a panel
// needs one line per field: a step the pair reports is written with
// CProcessorLink::Edit; the pair reloads its range, value, lock and language
// from the record whenever the notice speaks. Typing the user has not
// finished is left alone until it is taken.
class CNumBinding : public QObject
{
    Q_OBJECT

public:
    // Binds the field to the row and sets the pair up. Everything passed must
    // outlive the binding.
    CNumBinding(CNumEdit& edit, CNumSpin& spin, CProcessorLink& link, EParam param, ParamAt at = {},
                EUnit unit = EUnit::kNative);

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
    CProcessorLink& m_link;
    EParam m_eParam;
    ParamAt m_at;
    EUnit m_eUnit;
};
