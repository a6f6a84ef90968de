#include "editors/OutEQDlg.h"

#include "editors/EditorsText.h"
#include "session/ProcessorLink.h"
#include "editors/WarnGEQDlg.h"

#include "controls/LockCombo.h"
#include "controls/ToggleButton.h"

namespace
{
constexpr int kLowShelfBand = 0;
constexpr int kHighShelfBand = CEQ::kOutputBands - 1;

QStringList SlopeItems()
{
    QStringList items;
    for (int slope = 0; slope < EqPanelRules::kShelfSlopeChoices; ++slope)
        items << QString::fromUtf8(EqPanelRules::ShelfSlopeText(slope));
    return items;
}

QStringList GraphicQItems()
{
    QStringList items;
    for (int choice = 0; choice < EqPanelRules::kGraphicQChoices; ++choice)
        items << QString::fromUtf8(EqPanelRules::GraphicQText(choice));
    return items;
}
}

COutEQDlg::COutEQDlg(CProcessorLink& link, const CChannelSelector& selector, QWidget* parent)
    : CEqPanel(link, selector, false, CEQ::kOutputBands, parent)
{
    setObjectName(QStringLiteral("OutputEq"));
    m_pMode = new CToggleButton(CToggleButton::EStyle::Caption, this);
    m_pMode->setObjectName(QStringLiteral("EqMode"));
    connect(m_pMode, &CToggleButton::clicked, this, &COutEQDlg::OnMode);

    m_pLowSlope = new CLockCombo(this);
    m_pLowSlope->setObjectName(QStringLiteral("LowShelfSlope"));
    m_pLowSlope->SetItems(SlopeItems());
    connect(m_pLowSlope, &CLockCombo::Chosen, this, [this](int slope) { OnSlope(kLowShelfBand, slope); });
    m_pHighSlope = new CLockCombo(this);
    m_pHighSlope->setObjectName(QStringLiteral("HighShelfSlope"));
    m_pHighSlope->SetItems(SlopeItems());
    connect(m_pHighSlope, &CLockCombo::Chosen, this, [this](int slope) { OnSlope(kHighShelfBand, slope); });
    // "12dB/Oct" has to fit a narrow band column.
    for (CLockCombo* combo : {m_pLowSlope, m_pHighSlope})
    {
        QFont font = combo->font();
        font.setPointSizeF(font.pointSizeF() * 0.85);
        combo->setFont(font);
    }
    m_pGraphicQ = new CLockCombo(this);
    m_pGraphicQ->setObjectName(QStringLiteral("GraphicQ"));
    m_pGraphicQ->SetItems(GraphicQItems());
    connect(m_pGraphicQ, &CLockCombo::Chosen, this, &COutEQDlg::OnGraphicQ);

    PlaceExtras();
    Start();
}

bool COutEQDlg::IsGraphic() const
{
    return ParamCatalogue::Get(EParam::kOutEqMode, Link().Record(), {Channel(), 0}) != 0;
}

EqPanelRules::BandFields COutEQDlg::FieldsOf(int band) const
{
    return EqPanelRules::OutputBandFields(IsGraphic(), band);
}

void COutEQDlg::ResendEqMuted(int channel)
{
    Link().ResendOutputEqMuted(channel);
}

void COutEQDlg::ReloadExtras()
{
    const CAudio_Data& data = Link().Record();
    const bool graphic = IsGraphic();
    m_pMode->setChecked(graphic);
    m_pLowSlope->SetCurrent(ParamCatalogue::Get(EParam::kOutBandSlope, data, {Channel(), kLowShelfBand}));
    m_pHighSlope->SetCurrent(ParamCatalogue::Get(EParam::kOutBandSlope, data, {Channel(), kHighShelfBand}));
    const int choice =
        EqPanelRules::GraphicQChoice(ParamCatalogue::Get(EParam::kOutBandWidth, data, {Channel(), kLowShelfBand}));
    if (choice >= 0)
        m_pGraphicQ->SetCurrent(choice);
    const EqPanelRules::BandFields low = EqPanelRules::OutputBandFields(graphic, kLowShelfBand);
    const EqPanelRules::BandFields high = EqPanelRules::OutputBandFields(graphic, kHighShelfBand);
    m_pLowSlope->setVisible(low.bSlopeShown);
    m_pHighSlope->setVisible(high.bSlopeShown);
    m_pGraphicQ->setVisible(low.bGraphicQShown);
}

void COutEQDlg::LockExtras(bool locked)
{
    m_pMode->setEnabled(!locked);
    for (CLockCombo* combo : {m_pLowSlope, m_pHighSlope, m_pGraphicQ})
        combo->SetLocked(locked);
}

void COutEQDlg::LanguageOfExtras()
{
    const ELanguage language = Language();
    m_pMode->SetLanguage(language);
    m_pMode->SetCaptions(EditorsText(EEditorsText::EqModeParametric, language),
                         EditorsText(EEditorsText::EqModeGraphic, language),
                         EditorsText(EEditorsText::EqModeCaption, language));
    m_pLowSlope->SetLanguage(language);
    m_pLowSlope->SetCaption(EditorsText(EEditorsText::EqLowShelfSlope, language));
    m_pHighSlope->SetLanguage(language);
    m_pHighSlope->SetCaption(EditorsText(EEditorsText::EqHighShelfSlope, language));
    m_pGraphicQ->SetLanguage(language);
    m_pGraphicQ->SetCaption(EditorsText(EEditorsText::EqGraphicQ, language));
}

void COutEQDlg::PlaceExtras()
{
    if (m_pMode == nullptr)
        return;
    m_pMode->setGeometry(EqLayout::Mode(size()));
    m_pLowSlope->setGeometry(EqLayout::Band(size(), BandCount(), kLowShelfBand).combo);
    m_pHighSlope->setGeometry(EqLayout::Band(size(), BandCount(), kHighShelfBand).combo);
    m_pGraphicQ->setGeometry(EqLayout::Band(size(), BandCount(), kLowShelfBand).combo);
}

// ---- edits -------------------------------------------------------------------------

void COutEQDlg::OnMode()
{
    const int mode = m_pMode->isChecked() ? 0 : 1;
    CWarnGEQDlg warning(Language(), this);
    if (warning.exec() != QDialog::Accepted)
    {
        ReloadExtras();
        return;
    }
    // The link switches the whole group and sends it while muted.
    if (!Link().Edit(EParam::kOutEqMode, {Channel(), 0}, mode))
        RefreshFromRecord();
}

void COutEQDlg::OnSlope(int band, int slope)
{
    Edit(EParam::kOutBandSlope, band, slope);
}

void COutEQDlg::OnGraphicQ(int choice)
{
    if (choice < 0 || choice >= EqPanelRules::kGraphicQChoices || !IsGraphic())
        return;
    // In graphic mode a width is the Q of all fifteen bands of the group: the
    // link sends them in bulk and leaves nothing for the pump.
    const int step = EqPanelRules::kGraphicQSteps.at(static_cast<size_t>(choice));
    if (!Link().Edit(EParam::kOutBandWidth, {Channel(), 0}, step))
        RefreshFromRecord();
}
