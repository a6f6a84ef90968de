#pragma once

#include "editors/ChannelFace.h"

// The input channel panel: gain, delay, polarity and noise gate of the
// selected input (A..D), and the routing matrix of every output. Linked
// inputs follow through the records' own setters.
class CInFaceDlg : public CChannelFace
{
    Q_OBJECT

public:
    // Both must outlive the panel.
    CInFaceDlg(CProcessorLink& link, const CChannelSelector& selector, QWidget* parent = nullptr);

    CNumEdit* GateField() const { return m_pGateField; }
    CNumSpin* GateSpin() const { return m_pGateSpin; }

protected:
    void PlaceControls() override;

private:
    CNumEdit* m_pGateField = nullptr;
    CNumSpin* m_pGateSpin = nullptr;
};
