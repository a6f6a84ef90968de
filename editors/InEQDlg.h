#pragma once

#include "editors/EqPanel.h"

// The input EQ panel: the six bands of the selected input, each with its
// bypass button, gain fader and frequency, bandwidth, Q and gain fields,
// and the master EQ switch. An edit is copied to the same band of every
// linked input; the master switch resends the EQ of each, muted.
class CInEQDlg : public CEqPanel
{
    Q_OBJECT

public:
    // Both must outlive the panel.
    CInEQDlg(CProcessorLink& link, const CChannelSelector& selector, QWidget* parent = nullptr);

protected:
    EqPanelRules::BandFields FieldsOf(int band) const override;
    void ResendEqMuted(int channel) override;
};
