#pragma once

#include "editors/FaceLayout.h"
#include "model/ChannelAddress.h"
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

// What the input and the output channel panels share: gain (fader, field,
// spin), delay in three units, polarity with its phase picture and the
// routing matrix, on one side of the processor. Each panel adds its own
// sections.
//
// A panel shows one channel of its side: the selected one while the selector
// is on its side, else the one it showed last. Edits go through
// CProcessorLink::Edit; the panel reloads from the record whenever the
// notice speaks (a drag on the response graph and the generator's test mode
// included), so the strip, the graph and the other panels are never called.
// Numeric fields are catalogue bindings: they follow the record, its locks
// and the language by themselves.
class CChannelFace : public QWidget
{
    Q_OBJECT

public:
    static constexpr int kMatrixColumns = FaceLayout::kMatrixColumns;
    static constexpr int kMatrixRows = FaceLayout::kMatrixRows;

    // Reloads every control from the selected channel's record. Asked while
    // the other side is selected, it says "Error" and shows the channel it
    // showed last.
    void RefreshFromRecord();
    // The function locks of the side and the matrix lock.
    void ApplyLocks();
    void ApplyLanguage();
    // Shows the matrix rows and columns of a processor with these counts.
    void ApplyVariantLayout(int inputs, int outputs);
    // While the test generator runs, the matrix is frozen; the panel follows
    // the record's generator whenever the notice speaks.
    void LockRouting(bool testMode);
    // Reloads one routing cell (output 0..7, source row 0..3).
    void RefreshRoutingCell(int output, int row);

    // The channel index (on the panel's side) the controls show.
    int Channel() const { return m_channel.nIndex; }

    CFader* GainFader() const { return m_pFader; }
    CNumEdit* GainField() const { return m_pGainField; }
    CNumSpin* GainSpin() const { return m_pGainSpin; }
    // 0 milliseconds, 1 metres, 2 feet.
    CNumEdit* DelayField(int unit) const { return m_apDelayField.at(static_cast<size_t>(unit)); }
    CNumSpin* DelaySpin(int unit) const { return m_apDelaySpin.at(static_cast<size_t>(unit)); }
    CToggleButton* PolarityButton() const { return m_pPolarity; }
    QWidget* PhasePicture() const { return m_pPhase; }
    // Row 0..3 inputs A..D, 4 the E row.
    CToggleButton* RouteCell(int output, int row) const
    {
        return m_aapRoute.at(static_cast<size_t>(output)).at(static_cast<size_t>(row));
    }

protected:
    // Both must outlive the panel, which follows the selector's changes as it
    // follows the notice. The subclass finishes its own controls and then
    // calls Start.
    CChannelFace(CProcessorLink& link, const CChannelSelector& selector, bool inputSide, QWidget* parent);

    // Connects to the notice and the connection and shows the record.
    void Start();

    // A numeric pair of the panel's channel, bound to `param`.
    void AddField(CNumEdit*& edit, CNumSpin*& spin, EParam param, EUnit unit = EUnit::kNative);

    // The panel's sections and captions, its shared controls' places.
    void PlaceShared(const FaceLayout::SignalRects& signal, const FaceLayout::MatrixRects& matrix,
                     std::vector<QRect> sections, std::vector<FaceLayout::Caption> captions);

    // The subclass's own controls, beyond the fields bound above.
    virtual void RefreshOwn() {}
    virtual void ApplyOwnLocks() {}
    virtual void ApplyOwnLanguage() {}
    virtual void PlaceControls() = 0;

    EParam SideParam(EParam input, EParam output) const { return m_channel.Pick(input, output); }
    // Writes `step` to the panel's channel; false when the record refused it
    // or held it already.
    bool Write(EParam param, int step);
    int Read(EParam param) const;
    bool IsLocked(EParam param) const;
    ELanguage Language() const;

    CProcessorLink& m_link;

    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void Reload();
    // Adopts the selector's channel when it is on this side; true if moved.
    bool FollowSelector();
    void RefreshShared();
    void ShowPhase();
    void OnFader(int step);
    void OnPolarity();
    void OnRoute(int output, int row);

    const CChannelSelector& m_selector;
    // Its side is the panel's and never changes.
    ChannelAddress m_channel;
    int m_nInputs = 4;
    int m_nOutputs = 8;
    bool m_bTestMode = false;

    CFader* m_pFader = nullptr;
    CNumEdit* m_pGainField = nullptr;
    CNumSpin* m_pGainSpin = nullptr;
    std::array<CNumEdit*, FaceLayout::kDelayUnits> m_apDelayField{};
    std::array<CNumSpin*, FaceLayout::kDelayUnits> m_apDelaySpin{};
    CToggleButton* m_pPolarity = nullptr;
    QWidget* m_pPhase = nullptr;
    std::array<std::array<CToggleButton*, kMatrixRows>, kMatrixColumns> m_aapRoute{};
    std::vector<CNumBinding*> m_bindings;

    std::vector<QRect> m_sections;
    std::vector<FaceLayout::Caption> m_captions;
    FaceLayout::MatrixRects m_matrix;
};
