#pragma once

#include "editors/EqPanel.h"

#include <functional>

class CLockCombo;

// The output EQ panel: the fifteen bands of the selected output, in
// parametric mode (band 1 a low shelf and band 15 a high shelf, each with
// its slope combo) or graphic mode (fixed frequencies, one Q for all bands
// chosen in band 1's place). The mode button asks CWarnGEQDlg first: a
// switch flattens the EQ of the output and of its link group. A graphic Q
// choice goes out at once to the whole group, as the link's burst.
class COutEQDlg : public CEqPanel
{
    Q_OBJECT

public:
    // Both must outlive the panel.
    COutEQDlg(CProcessorLink& link, const CChannelSelector& selector, QWidget* parent = nullptr);

    CToggleButton* ModeButton() const { return m_pMode; }
    CLockCombo* LowShelfSlope() const { return m_pLowSlope; }
    CLockCombo* HighShelfSlope() const { return m_pHighSlope; }
    CLockCombo* GraphicQ() const { return m_pGraphicQ; }

protected:
    EqPanelRules::BandFields FieldsOf(int band) const override;
    void ResendEqMuted(int channel) override;
    void ReloadExtras() override;
    void LockExtras(bool locked) override;
    void LanguageOfExtras() override;
    void PlaceExtras() override;

private:
    bool IsGraphic() const;
    void OnMode();
    void OnSlope(int band, int slope);
    void OnGraphicQ(int choice);

    CToggleButton* m_pMode = nullptr;
    CLockCombo* m_pLowSlope = nullptr;
    CLockCombo* m_pHighSlope = nullptr;
    CLockCombo* m_pGraphicQ = nullptr;
};
