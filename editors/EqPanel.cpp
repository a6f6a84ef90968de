#include "editors/EqPanel.h"

#include "ui/ChannelSelector.h"
#include "editors/EditorsText.h"
#include "ui/MainSkin.h"
#include "ui/MessageBox.h"
#include "editors/NumBinding.h"
#include "editors/NumEdit.h"
#include "editors/NumSpin.h"
#include "model/LinkRule.h"
#include "session/ProcessorLink.h"

#include "controls/Fader.h"
#include "controls/ToggleButton.h"

#include <QPainter>

namespace
{
constexpr std::array<EEditorsText, EqLayout::kRows> kRowCaptions{
    EEditorsText::EqRowFrequency, EEditorsText::EqRowBandwidth, EEditorsText::EqRowQ, EEditorsText::EqRowGain};

QString BandName(int band)
{
    return EditorsText(EEditorsText::EqBand, kEnglish).arg(band + 1);
}
}

CEqPanel::SideRows CEqPanel::RowsOf(bool inputSide)
{
    if (inputSide)
        return {EParam::kInBandFreq, EParam::kInBandWidth, EParam::kInBandGain, EParam::kInBandOn,
                EParam::kInEqBypass};
    return {EParam::kOutBandFreq, EParam::kOutBandWidth, EParam::kOutBandGain, EParam::kOutBandOn,
            EParam::kOutEqBypass};
}

CEqPanel::CEqPanel(CProcessorLink& link, const CChannelSelector& selector, bool inputSide, int bands,
                   QWidget* parent)
    : QWidget(parent)
    , m_link(link)
    , m_selector(selector)
    , m_rows(RowsOf(inputSide))
    , m_bands(static_cast<size_t>(bands))
    , m_bindings(static_cast<size_t>(bands))
    , m_channel{inputSide, 0}
{
    if (IsSideSelected())
        m_channel = m_selector.Current();
    m_pMaster = new CToggleButton(CToggleButton::EStyle::Caption, this);
    m_pMaster->setObjectName(QStringLiteral("EqMaster"));
    connect(m_pMaster, &CToggleButton::clicked, this, &CEqPanel::OnMaster);
    for (int band = 0; band < bands; ++band)
        CreateBand(band);

    CRecordNotice& notice = m_link.Notice();
    connect(&notice, &CRecordNotice::valueChanged, this, &CEqPanel::Reload);
    // A drag on the response graph moves the faders at once, the rest at its
    // next tick.
    connect(&notice, &CRecordNotice::valueMoving, this, [this] {
        if (!IsSideSelected() || m_selector.Current() != m_channel)
            return;
        for (int band = 0; band < BandCount(); ++band)
            ShowGain(band);
    });
    connect(&notice, &CRecordNotice::programLoaded, this, &CEqPanel::Reload);
    connect(&notice, &CRecordNotice::locksChanged, this, [this] {
        ApplyLocks();
        Reload();
    });
    connect(&notice, &CRecordNotice::languageChanged, this, &CEqPanel::ApplyLanguage);
    connect(&m_selector, &CChannelSelector::changed, this, &CEqPanel::Reload);
}

void CEqPanel::Start()
{
    resize(EqLayout::kDesignSize);
    ApplyLanguage();
    ApplyLocks();
    if (IsSideSelected())
        Rebind();
    Reload();
}

CEqPanel::~CEqPanel() = default;

void CEqPanel::CreateBand(int band)
{
    BandControls& c = m_bands.at(static_cast<size_t>(band));
    const QString name = BandName(band);
    c.pButton = new CToggleButton(CToggleButton::EStyle::Caption, this);
    c.pButton->setObjectName(QStringLiteral("Band%1").arg(name));
    c.pButton->SetCaptions(name, name);
    connect(c.pButton, &CToggleButton::clicked, this, [this, band] { OnBandButton(band); });

    c.pFader = new CFader(this);
    c.pFader->setObjectName(QStringLiteral("Fader%1").arg(name));
    // +20 dB at the top, -40 dB at the bottom.
    c.pFader->SetRange(kEqGainMin, kEqGainMax);
    c.pFader->SetInverted(true);
    c.pFader->SetMargin(m_channel.Pick(28, 20));
    QList<CFader::SMark> marks;
    for (int db : {20, 0, -20, -40})
        marks.append({Scales::kEqGain.NearestStep(db), QString::number(db)});
    c.pFader->SetMarks(marks);
    const EParam gain = m_rows.eGain;
    c.pFader->SetValueText(
        [gain](int step) { return QString::fromStdString(ParamCatalogue::FieldText(gain, step, kEnglish)); });
    connect(c.pFader, &CFader::ValueReported, this, [this, band](int step) { OnFader(band, step); });

    const std::array<std::pair<EParam, EUnit>, EqLayout::kRows> fields{{{m_rows.eFrequency, EUnit::kNative},
                                                                        {m_rows.eWidth, EUnit::kNative},
                                                                        {m_rows.eWidth, EUnit::kQ},
                                                                        {m_rows.eGain, EUnit::kNative}}};
    for (int row = 0; row < EqLayout::kRows; ++row)
    {
        const auto r = static_cast<size_t>(row);
        auto* field = new QWidget(this);
        field->setObjectName(QStringLiteral("%1Row%2").arg(name).arg(row));
        auto* edit = new CNumEdit(field);
        auto* spin = new CNumSpin(field);
        c.apField.at(r) = field;
        c.apEdit.at(r) = edit;
        c.apSpin.at(r) = spin;
        m_bindings.at(static_cast<size_t>(band)).at(r) =
            new CNumBinding(*edit, *spin, m_link, fields.at(r).first, {Channel(), band}, fields.at(r).second);
    }
}

bool CEqPanel::IsSideSelected() const
{
    // An index the side lacks counts as the other side: nothing to show.
    const ChannelAddress selected = m_selector.Current();
    return selected.IsSameSide(m_channel) && selected.IsValid();
}

ELanguage CEqPanel::Language() const
{
    return m_link.Notice().Language();
}

bool CEqPanel::IsEqLocked() const
{
    return ParamCatalogue::IsLocked(m_rows.eGain, &m_link.Locks());
}

// ---- refresh -----------------------------------------------------------------

void CEqPanel::RefreshFromRecord()
{
    if (!IsSideSelected())
    {
        // The other side's index may not exist here: nothing is shown.
        CMessageBox::Show(this, EditorsText(EEditorsText::PanelError, Language()));
        return;
    }
    Reload();
}

void CEqPanel::Reload()
{
    if (!IsSideSelected())
        return;
    if (m_selector.Current() != m_channel)
        Rebind();
    const CAudio_Data& data = m_link.Record();
    m_pMaster->setChecked(ParamCatalogue::Get(m_rows.eEqBypass, data, {Channel(), 0}) != 0);
    for (int band = 0; band < BandCount(); ++band)
    {
        Band(band).pButton->setChecked(ParamCatalogue::Get(m_rows.eOn, data, {Channel(), band}) == 0);
        ShowGain(band);
    }
    ReloadExtras();
    ApplyFieldLayout();
}

void CEqPanel::Rebind()
{
    m_channel = m_selector.Current();
    for (int band = 0; band < BandCount(); ++band)
        for (CNumBinding* binding : m_bindings.at(static_cast<size_t>(band)))
            binding->SetAddress({Channel(), band});
}

void CEqPanel::ShowGain(int band)
{
    CFader* fader = Band(band).pFader;
    // A thumb in the user's hand is ahead of the record.
    if (!fader->IsDragging())
        fader->SetValue(ParamCatalogue::Get(m_rows.eGain, m_link.Record(), {Channel(), band}));
}

void CEqPanel::ApplyFieldLayout()
{
    for (int band = 0; band < BandCount(); ++band)
    {
        const EqPanelRules::BandFields fields = FieldsOf(band);
        const BandControls& c = Band(band);
        const EqLayout::BandRects rects = EqLayout::Band(size(), BandCount(), band);
        c.pFader->setGeometry(fields.bSlopeShown || fields.bGraphicQShown ? rects.faderBelowCombo : rects.fader);
        c.apField.at(EqLayout::kFrequencyRow)->setEnabled(fields.bFrequencyEnabled);
        for (int row : {EqLayout::kBandwidthRow, EqLayout::kQRow})
        {
            QWidget* field = c.apField.at(static_cast<size_t>(row));
            field->setVisible(fields.bWidthShown);
            field->setEnabled(fields.bWidthEnabled);
        }
    }
}

// ---- locks and language --------------------------------------------------------

void CEqPanel::ApplyLocks()
{
    const bool locked = IsEqLocked();
    m_pMaster->setEnabled(!locked);
    for (const BandControls& c : m_bands)
    {
        c.pButton->setEnabled(!locked);
        c.pFader->setVisible(!locked);
    }
    LockExtras(locked);
    // Fields the mode fixes stay fixed once the lock is gone.
    ApplyFieldLayout();
}

void CEqPanel::ApplyLanguage()
{
    const ELanguage language = Language();
    setAccessibleName(
        EditorsText(m_channel.Pick(EEditorsText::InEqAccessibleName, EEditorsText::OutEqAccessibleName), language));
    m_pMaster->SetLanguage(language);
    m_pMaster->SetCaptions(EditorsText(EEditorsText::EqMasterOn, language),
                           EditorsText(EEditorsText::EqMasterOff, language),
                           EditorsText(EEditorsText::EqMaster, language));
    for (int band = 0; band < BandCount(); ++band)
    {
        const BandControls& c = Band(band);
        c.pButton->SetLanguage(language);
        c.pButton->SetCaptions(BandName(band), BandName(band),
                               EditorsText(EEditorsText::EqBandSwitch, language).arg(band + 1));
        c.pFader->SetLanguage(language);
        c.pFader->SetCaption(EditorsText(EEditorsText::EqGainFader, language)
                                 .arg(QString::fromStdString(ParamCatalogue::Caption(m_rows.eGain, language, band))));
    }
    LanguageOfExtras();
    update();
}

// ---- edits -------------------------------------------------------------------------

void CEqPanel::Edit(EParam param, int band, int step)
{
    // A refused change (a band at exactly 0 dB stays bypassed) tells nobody;
    // the controls go back to what the record holds.
    if (!m_link.Edit(param, {Channel(), band}, step))
        Reload();
}

void CEqPanel::OnBandButton(int band)
{
    // Checked means bypassed: a press asks for the other state.
    Edit(m_rows.eOn, band, Band(band).pButton->isChecked() ? 1 : 0);
}

void CEqPanel::OnFader(int band, int step)
{
    Edit(m_rows.eGain, band, step);
}

void CEqPanel::OnMaster()
{
    const bool bChanged = m_link.Edit(m_rows.eEqBypass, {Channel(), 0}, m_pMaster->isChecked() ? 0 : 1);
    // Each channel of the group takes its new EQ while muted.
    ResendEqMuted(Channel());
    for (const int i : LinkRule::Peers(m_link.Record(), ParamCatalogue::Param(m_rows.eEqBypass).eSide, Channel()))
        ResendEqMuted(i);
    if (!bChanged)
        Reload();
}

// ---- drawing -----------------------------------------------------------------------

void CEqPanel::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    m_pMaster->setGeometry(EqLayout::Master(size()));
    for (int band = 0; band < BandCount(); ++band)
    {
        const BandControls& c = Band(band);
        const EqLayout::BandRects rects = EqLayout::Band(size(), BandCount(), band);
        c.pButton->setGeometry(rects.button);
        for (int row = 0; row < EqLayout::kRows; ++row)
        {
            const auto r = static_cast<size_t>(row);
            c.apField.at(r)->setGeometry(rects.fields.at(r));
            c.apEdit.at(r)->setGeometry(EqLayout::FieldEdit(rects.fields.at(r)));
            c.apSpin.at(r)->setGeometry(EqLayout::FieldSpin(rects.fields.at(r)));
        }
    }
    ApplyFieldLayout();
    PlaceExtras();
}

void CEqPanel::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    painter.setPen(CMainSkin::kPanelBorder);
    painter.setBrush(CMainSkin::kPanel);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    painter.setPen(CMainSkin::kText);
    for (int row = 0; row < EqLayout::kRows; ++row)
        painter.drawText(EqLayout::RowCaption(size(), row), Qt::AlignLeft | Qt::AlignVCenter,
                         EditorsText(kRowCaptions.at(static_cast<size_t>(row)), Language()));
}
