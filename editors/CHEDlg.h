#pragma once

#include "editors/StripLayout.h"
#include "model/ChannelAddress.h"
#include "model/ValueText.h"

#include <QWidget>

#include <array>

class CChannelSelector;
class CLampMeter;
class CLockCombo;
class CNameEdit;
class CProcessorLink;
class CToggleButton;
class CAudio_Channel;

// The channel strip: one column per channel, inputs A..D then outputs 1..8,
// each with its select button, name, mute and curve buttons, link group,
// link marker and level meter, and for outputs the routing cells A..D and E.
//
// Edits go through CProcessorLink::Edit; the strip reloads whatever it shows
// when it hears the notice, so the panels and the strip never call each
// other, and follows the generator's test mode from the record. The
// strip follows the engine itself: meters on every level answer, cleared on
// disconnection, the columns of a newly reported processor type.
//
// Selecting a channel only asks (selectRequested); the owner moves the shared
// selector, whose change the strip follows like the notice.
class CCHEDlg : public QWidget
{
    Q_OBJECT

public:
    static constexpr int kColumns = StripLayout::kColumns;
    static constexpr int kInputColumns = StripLayout::kInputColumns;

    struct Column
    {
        QWidget* pColumn = nullptr;
        CToggleButton* pSelect = nullptr;
        CNameEdit* pName = nullptr;
        CToggleButton* pMute = nullptr;
        CToggleButton* pCurve = nullptr;
        CLockCombo* pLink = nullptr;
        QWidget* pMarker = nullptr;
        CLampMeter* pMeter = nullptr;
        // Outputs only: rows A..D, then E.
        std::array<CToggleButton*, StripLayout::kRouteRows> apRoute{};
    };

    // Both must outlive the strip.
    CCHEDlg(CProcessorLink& link, const CChannelSelector& selector, QWidget* parent = nullptr);

    // Everything shown from the record, the selector and the locks.
    void RefreshFromRecord();
    void ApplyLocks();
    void ApplyLanguage();
    // Shows the columns and routing rows of a processor with these counts;
    // a selected channel it lacks gives way to the first of its side.
    void ApplyVariantLayout(int inputs, int outputs);
    // On: each meter shows its channel's latest level; off: all dark.
    void ShowLevels(bool on);
    // While the test generator runs the routing cells are frozen; the strip
    // follows the record's generator whenever the notice speaks.
    void LockRouting(bool testMode);
    // Shows the selector's channel as selected (after the owner moved it).
    void ShowSelection();

    const Column& ColumnAt(int column) const { return m_aColumns.at(static_cast<size_t>(column)); }
    // Where the test generator's controls go in place of the input columns.
    QWidget* GeneratorSlot() const { return m_pGeneratorSlot; }
    // Where the button that swaps the two goes; always shown.
    QWidget* GeneratorToggleSlot() const { return m_pToggleSlot; }
    // Shows the generator controls instead of the input columns, or back.
    // The input columns disappear, so a selected input gives way to output 1.
    void ShowGeneratorPanel(bool shown);
    bool IsGeneratorPanelShown() const { return m_bGeneratorShown; }

signals:
    void selectRequested(ChannelAddress address);
    // A channel's curve was shown or hidden on the response graph.
    void curvesChanged();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void CreateColumn(int column, QWidget* parent);
    void PlaceColumns();
    void RefreshColumn(int column);
    void RefreshLinkItems();
    void ShowLinkMarkers();
    void HideLinkMarkers();
    int SelectedColumn() const;
    ELanguage Language() const;
    CAudio_Channel& Channel(int column);

    void OnSelect(int column);
    void OnMute(int column);
    void OnCurve(int column);
    void OnName(int column, const QString& name);
    void OnLink(int column, int group);
    void OnRoute(int output, int row);

    CProcessorLink& m_link;
    const CChannelSelector& m_selector;
    std::array<Column, kColumns> m_aColumns{};
    QWidget* m_pInputPart = nullptr;
    QWidget* m_pGeneratorSlot = nullptr;
    QWidget* m_pToggleSlot = nullptr;
    bool m_bGeneratorShown = false;
    int m_nInputs = StripLayout::kInputColumns;
    int m_nOutputs = StripLayout::kOutputColumns;
    int m_nShownColumn = -1;
    bool m_bTestMode = false;
};
