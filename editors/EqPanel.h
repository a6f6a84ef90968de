#pragma once

#include "editors/EqLayout.h"
#include "model/ChannelAddress.h"
#include "model/EqPanelRules.h"
#include "model/ParamCatalogue.h"
#include "model/ValueText.h"

#include <QWidget>

#include <array>
#include <vector>

class CChannelSelector;
class CFader;
class CNumBinding;
class CNumEdit;
class CNumSpin;
class CProcessorLink;
class CToggleButton;

// What the input and the output EQ panel share: a master EQ switch and one
// column per band with its bypass button, gain fader and four numeric
// fields (frequency, bandwidth, Q, gain) bound to the catalogue rows of the
// channel the selector names.
//
// Edits go through CProcessorLink::Edit (and the link's EQ resends); the
// panel reloads what it shows whenever the notice speaks, while its side is
// selected, a drag on the response graph included.
class CEqPanel : public QWidget
{
    Q_OBJECT

public:
    struct BandControls
    {
        CToggleButton* pButton = nullptr;  // checked: band bypassed
        CFader* pFader = nullptr;          // inverted: its value is the gain step
        // One container per field, so a field the mode hides or fixes stays
        // so whatever its binding does about locks.
        std::array<QWidget*, EqLayout::kRows> apField{};
        std::array<CNumEdit*, EqLayout::kRows> apEdit{};
        std::array<CNumSpin*, EqLayout::kRows> apSpin{};
    };

    ~CEqPanel() override;

    // Reloads everything from the selected channel. Asked while the other
    // side is selected it shows "Error" and shows nothing else.
    void RefreshFromRecord();
    // The side's EQ lock: buttons disabled, fields showing the lock text,
    // faders hidden.
    void ApplyLocks();
    void ApplyLanguage();

    int BandCount() const { return static_cast<int>(m_bands.size()); }
    const BandControls& Band(int band) const { return m_bands.at(static_cast<size_t>(band)); }
    CToggleButton* MasterButton() const { return m_pMaster; }

protected:
    // The catalogue rows of the panel's side.
    struct SideRows
    {
        EParam eFrequency;
        EParam eWidth;
        EParam eGain;
        EParam eOn;
        EParam eEqBypass;
    };

    // Both must outlive the panel, which follows the selector's changes as it
    // follows the notice.
    CEqPanel(CProcessorLink& link, const CChannelSelector& selector, bool inputSide, int bands, QWidget* parent);

    // The derived panel's constructor ends with this: language, locks and
    // values shown for the first time.
    void Start();

    CProcessorLink& Link() { return m_link; }
    const CProcessorLink& Link() const { return m_link; }
    int Channel() const { return m_channel.nIndex; }
    // The selector names a channel of this panel's side.
    bool IsSideSelected() const;
    ELanguage Language() const;
    bool IsEqLocked() const;
    const SideRows& Rows() const { return m_rows; }
    // Writes one step of a band row of the shown channel; the controls go
    // back to the record when it refused.
    void Edit(EParam param, int band, int step);
    // Shows and enables each band's fields as FieldsOf says.
    void ApplyFieldLayout();

    // What the output panel adds: its mode button and combos.
    virtual EqPanelRules::BandFields FieldsOf(int band) const = 0;
    virtual void ResendEqMuted(int channel) = 0;
    virtual void ReloadExtras() {}
    virtual void LockExtras(bool /*locked*/) {}
    virtual void LanguageOfExtras() {}
    virtual void PlaceExtras() {}

    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    static SideRows RowsOf(bool inputSide);
    void CreateBand(int band);
    // Quietly reloads from the record when this side is selected.
    void Reload();
    void Rebind();
    void ShowGain(int band);
    void OnBandButton(int band);
    void OnFader(int band, int step);
    void OnMaster();

    CProcessorLink& m_link;
    const CChannelSelector& m_selector;
    const SideRows m_rows;
    std::vector<BandControls> m_bands;
    std::vector<std::array<CNumBinding*, EqLayout::kRows>> m_bindings;
    CToggleButton* m_pMaster = nullptr;
    // The channel shown; its side is the panel's and never changes.
    ChannelAddress m_channel;
};
