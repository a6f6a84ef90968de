#pragma once

#include "editors/ChannelFace.h"

class CLockCombo;

// The output channel panel: gain, delay and polarity of the selected output
// (1..8), its crossover (high-pass and low-pass filter: characteristic,
// frequency, slope) and limiter (threshold, attack, release), and the
// routing matrix of every output. Linked outputs follow every edit but the
// routing (LinkRule.h), a drag of a crossover point on the response graph
// included.
class COutFaceDlg : public CChannelFace
{
    Q_OBJECT

public:
    // Both must outlive the panel.
    COutFaceDlg(CProcessorLink& link, const CChannelSelector& selector, QWidget* parent = nullptr);

    // [0] high-pass, [1] low-pass.
    CLockCombo* TypeCombo(int filter) const { return m_apType.at(static_cast<size_t>(filter)); }
    CLockCombo* SlopeCombo(int filter) const { return m_apSlope.at(static_cast<size_t>(filter)); }
    CNumEdit* FrequencyField(int filter) const { return m_apFreqField.at(static_cast<size_t>(filter)); }
    CNumSpin* FrequencySpin(int filter) const { return m_apFreqSpin.at(static_cast<size_t>(filter)); }
    // 0 threshold, 1 attack, 2 release.
    CNumEdit* LimiterField(int item) const { return m_apLimitField.at(static_cast<size_t>(item)); }
    CNumSpin* LimiterSpin(int item) const { return m_apLimitSpin.at(static_cast<size_t>(item)); }

protected:
    void RefreshOwn() override;
    void ApplyOwnLocks() override;
    void ApplyOwnLanguage() override;
    void PlaceControls() override;

private:
    // The four choice rows with their combos, high-pass type, low-pass
    // type, high-pass slope, low-pass slope.
    struct Choice
    {
        EParam eParam;
        CLockCombo* pCombo;
    };
    std::array<Choice, 4> Choices() const;

    std::array<CLockCombo*, 2> m_apType{};
    std::array<CLockCombo*, 2> m_apSlope{};
    std::array<CNumEdit*, 2> m_apFreqField{};
    std::array<CNumSpin*, 2> m_apFreqSpin{};
    std::array<CNumEdit*, 3> m_apLimitField{};
    std::array<CNumSpin*, 3> m_apLimitSpin{};
};
