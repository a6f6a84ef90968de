#include "editors/ChannelFace.h"

#include "ui/ChannelLabel.h"
#include "ui/ChannelSelector.h"
#include "editors/EditorsText.h"
#include "model/LockState.h"
#include "ui/MainSkin.h"
#include "ui/MessageBox.h"
#include "editors/NumBinding.h"
#include "editors/NumEdit.h"
#include "editors/NumSpin.h"
#include "session/ProcessorLink.h"
#include "editors/RouteCells.h"
#include "editors/StripLayout.h"

#include "controls/Fader.h"
#include "controls/ToggleButton.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace
{
// A sine over one period, drawn upside down when the channel's polarity is
// inverted, in red then.
class CPhasePicture : public QWidget
{
public:
    explicit CPhasePicture(QWidget* parent)
        : QWidget(parent)
    {
        setAttribute(Qt::WA_TransparentForMouseEvents);
    }
    void SetInverted(bool inverted)
    {
        if (inverted == m_bInverted)
            return;
        m_bInverted = inverted;
        update();
    }
    bool IsInverted() const { return m_bInverted; }

protected:
    void paintEvent(QPaintEvent* /*event*/) override
    {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        const QRectF r = QRectF(rect()).adjusted(3, 4, -3, -4);
        const qreal mid = r.center().y();
        const qreal lobe = (m_bInverted ? 1 : -1) * r.height() / 2;
        const qreal quarter = r.width() / 4;
        painter.setPen(QPen(CMainSkin::kMutedText, 1));
        painter.drawLine(QPointF(r.left(), mid), QPointF(r.right(), mid));
        // Two half waves, each a cubic through its crest.
        QPainterPath wave(QPointF(r.left(), mid));
        wave.cubicTo(QPointF(r.left() + quarter * 0.7, mid + lobe * 1.33), QPointF(r.left() + quarter * 1.3, mid + lobe * 1.33),
                     QPointF(r.center().x(), mid));
        wave.cubicTo(QPointF(r.center().x() + quarter * 0.7, mid - lobe * 1.33),
                     QPointF(r.center().x() + quarter * 1.3, mid - lobe * 1.33), QPointF(r.right(), mid));
        painter.setPen(QPen(m_bInverted ? QColor(0xE0, 0x40, 0x40) : CMainSkin::kText, 2));
        painter.drawPath(wave);
    }

private:
    bool m_bInverted = false;
};

QString ChannelName(ChannelAddress channel, ELanguage language)
{
    return EditorsText(EEditorsText::StripChannel, language).arg(ChannelLabel(channel));
}
}

CChannelFace::CChannelFace(CProcessorLink& link, const CChannelSelector& selector, bool inputSide, QWidget* parent)
    : QWidget(parent)
    , m_link(link)
    , m_selector(selector)
    , m_channel{inputSide, 0}
{
    FollowSelector();

    m_pFader = new CFader(this);
    m_pFader->setObjectName(QStringLiteral("GainFader"));
    m_pFader->SetRange(kGainMin, kGainMax);
    m_pFader->SetInverted(true);
    m_pFader->SetMargin(6);
    QList<CFader::SMark> marks;
    for (const FaceLayout::FaderMark& mark : FaceLayout::FaderMarks())
        marks.append({mark.nGainStep, QString::fromStdString(mark.strLabel)});
    m_pFader->SetMarks(marks);
    connect(m_pFader, &CFader::ValueReported, this, &CChannelFace::OnFader);

    AddField(m_pGainField, m_pGainSpin, SideParam(EParam::kInGain, EParam::kOutGain));
    m_pGainField->setObjectName(QStringLiteral("GainField"));
    constexpr std::array units{EUnit::kNative, EUnit::kMetres, EUnit::kFeet};
    for (size_t i = 0; i < units.size(); ++i)
    {
        AddField(m_apDelayField.at(i), m_apDelaySpin.at(i), SideParam(EParam::kInDelay, EParam::kOutDelay), units.at(i));
        m_apDelayField.at(i)->setObjectName(QStringLiteral("DelayField%1").arg(i));
    }

    m_pPolarity = new CToggleButton(CToggleButton::EStyle::Caption, this);
    m_pPolarity->setObjectName(QStringLiteral("Polarity"));
    m_pPolarity->SetPadlockWhenDisabled(true);
    connect(m_pPolarity, &CToggleButton::clicked, this, &CChannelFace::OnPolarity);
    m_pPhase = new CPhasePicture(this);
    m_pPhase->setObjectName(QStringLiteral("PhasePicture"));

    for (int o = 0; o < kMatrixColumns; ++o)
        for (int row = 0; row < kMatrixRows; ++row)
        {
            const bool bIndicator = row == StripLayout::kRouteIndicatorRow;
            auto* cell = new CToggleButton(bIndicator ? CToggleButton::EStyle::RouteIndicator : CToggleButton::EStyle::Tick,
                                           this);
            const QString letter = bIndicator ? QStringLiteral("E") : InputLabel(row);
            cell->SetChannel(ChannelName(ChannelAddress::Output(o), kEnglish));
            cell->SetRow(letter);
            cell->setObjectName(QStringLiteral("Route%1%2").arg(OutputLabel(o), letter));
            if (bIndicator)
                cell->setFocusPolicy(Qt::NoFocus);
            else
                connect(cell, &CToggleButton::clicked, this, [this, o, row] { OnRoute(o, row); });
            m_aapRoute.at(static_cast<size_t>(o)).at(static_cast<size_t>(row)) = cell;
        }
}

void CChannelFace::Start()
{
    CRecordNotice& notice = m_link.Notice();
    connect(&notice, &CRecordNotice::valueChanged, this, &CChannelFace::Reload);
    connect(&notice, &CRecordNotice::programLoaded, this, &CChannelFace::Reload);
    connect(&notice, &CRecordNotice::locksChanged, this, &CChannelFace::ApplyLocks);
    connect(&notice, &CRecordNotice::languageChanged, this, &CChannelFace::ApplyLanguage);
    connect(&m_selector, &CChannelSelector::changed, this, &CChannelFace::Reload);
    connect(&m_link.Connection(), &CConnection::deviceTypeKnown, this, &CChannelFace::ApplyVariantLayout);

    const CConnection::ChannelCounts counts = m_link.Connection().GetChannelCounts();
    ApplyVariantLayout(counts.nInputs, counts.nOutputs);
    ApplyLanguage();
    resize(FaceLayout::kDesignSize);
    // A hidden widget hears of its size only when shown; the controls have
    // their places from the start.
    PlaceControls();
}

void CChannelFace::AddField(CNumEdit*& edit, CNumSpin*& spin, EParam param, EUnit unit)
{
    edit = new CNumEdit(this);
    spin = new CNumSpin(this);
    m_bindings.push_back(new CNumBinding(*edit, *spin, m_link, param, {Channel(), 0}, unit));
}

// ---- what the panel shows ----------------------------------------------------------

ELanguage CChannelFace::Language() const
{
    return m_link.Notice().Language();
}

int CChannelFace::Read(EParam param) const
{
    return ParamCatalogue::Get(param, m_link.Record(), {Channel(), 0});
}

bool CChannelFace::IsLocked(EParam param) const
{
    return ParamCatalogue::IsLocked(param, &m_link.Locks());
}

bool CChannelFace::Write(EParam param, int step)
{
    return m_link.Edit(param, {Channel(), 0}, step);
}

bool CChannelFace::FollowSelector()
{
    const ChannelAddress selected = m_selector.Current();
    if (!selected.IsSameSide(m_channel) || !selected.IsValid() || selected == m_channel)
        return false;
    m_channel = selected;
    for (CNumBinding* binding : m_bindings)
        binding->SetAddress({Channel(), 0});
    return true;
}

void CChannelFace::RefreshFromRecord()
{
    // The other side's index may lie beyond this side's channels; the panel
    // keeps the channel it has rather than read past its records.
    if (!m_selector.Current().IsSameSide(m_channel))
        CMessageBox::Show(this, EditorsText(EEditorsText::PanelError, Language()));
    for (CNumBinding* binding : m_bindings)
        binding->Reload();
    Reload();
}

void CChannelFace::Reload()
{
    FollowSelector();
    if (m_link.Record().IsTestMode() != m_bTestMode)
        LockRouting(m_link.Record().IsTestMode());
    RefreshShared();
    RefreshOwn();
}

void CChannelFace::RefreshShared()
{
    // A dragged thumb is the user's until it is let go.
    if (!m_pFader->IsDragging())
        m_pFader->SetValue(Read(SideParam(EParam::kInGain, EParam::kOutGain)));
    m_pPolarity->setChecked(Read(SideParam(EParam::kInPolarity, EParam::kOutPolarity)) != 0);
    ShowPhase();
    for (int o = 0; o < kMatrixColumns; ++o)
        for (int row = 0; row < FaceLayout::kMatrixSourceRows; ++row)
            RefreshRoutingCell(o, row);
}

void CChannelFace::RefreshRoutingCell(int output, int row)
{
    if (output < 0 || output >= kMatrixColumns || row < 0 || row >= FaceLayout::kMatrixSourceRows)
        return;
    RouteCell(output, row)->setChecked(ParamCatalogue::Get(EParam::kOutRoute, m_link.Record(), {output, row}) != 0);
}

void CChannelFace::ShowPhase()
{
    const EParam polarity = SideParam(EParam::kInPolarity, EParam::kOutPolarity);
    m_pPhase->setVisible(!IsLocked(polarity));
    static_cast<CPhasePicture*>(m_pPhase)->SetInverted(Read(polarity) != 0);
}

// ---- locks, language, processor type ------------------------------------------------

void CChannelFace::ApplyLocks()
{
    for (CNumBinding* binding : m_bindings)
        binding->Reload();
    m_pFader->setVisible(!IsLocked(SideParam(EParam::kInGain, EParam::kOutGain)));
    m_pPolarity->setEnabled(!IsLocked(SideParam(EParam::kInPolarity, EParam::kOutPolarity)));
    ShowPhase();
    LockRouting(m_bTestMode);
    ApplyOwnLocks();
    Reload();
}

void CChannelFace::LockRouting(bool testMode)
{
    m_bTestMode = testMode;
    const bool bMatrixLocked = m_link.Locks().IsLocked(CLockState::kOutRouting);
    for (int o = 0; o < kMatrixColumns; ++o)
        for (int row = 0; row < kMatrixRows; ++row)
            RouteCell(o, row)->setEnabled(RouteCells::IsEnabled(row, testMode, bMatrixLocked));
}

void CChannelFace::ApplyLanguage()
{
    const ELanguage language = Language();
    setAccessibleName(EditorsText(m_channel.Pick(EEditorsText::FaceInputName, EEditorsText::FaceOutputName), language));
    const EParam gain = SideParam(EParam::kInGain, EParam::kOutGain);
    m_pFader->SetLanguage(language);
    m_pFader->SetCaption(EditorsText(EEditorsText::EqGainFader, language)
                             .arg(QString::fromStdString(ParamCatalogue::Caption(gain, language))));
    m_pFader->SetValueText([gain, language](int step) {
        return QString::fromStdString(ParamCatalogue::FormatStep(gain, step, language));
    });
    m_pPolarity->SetLanguage(language);
    m_pPolarity->SetCaptions(EditorsText(EEditorsText::FacePolarityNormal, language),
                             EditorsText(EEditorsText::FacePolarityInverted, language),
                             QString::fromStdString(ParamCatalogue::Caption(
                                 SideParam(EParam::kInPolarity, EParam::kOutPolarity), language)));
    for (auto& column : m_aapRoute)
        for (CToggleButton* cell : column)
            cell->SetLanguage(language);
    ApplyOwnLanguage();
    ApplyLocks();
    update();
}

void CChannelFace::ApplyVariantLayout(int inputs, int outputs)
{
    m_nInputs = std::clamp(inputs, 0, FaceLayout::kMatrixSourceRows);
    m_nOutputs = std::clamp(outputs, 0, kMatrixColumns);
    for (int o = 0; o < kMatrixColumns; ++o)
        for (int row = 0; row < kMatrixRows; ++row)
            RouteCell(o, row)->setVisible(o < m_nOutputs && StripLayout::IsRouteRowShown(row, m_nInputs));
    update();
}

// ---- user actions -------------------------------------------------------------------

void CChannelFace::OnFader(int step)
{
    Write(SideParam(EParam::kInGain, EParam::kOutGain), step);
}

void CChannelFace::OnPolarity()
{
    const EParam polarity = SideParam(EParam::kInPolarity, EParam::kOutPolarity);
    // Puts the button back when the record refused.
    if (!Write(polarity, Read(polarity) != 0 ? 0 : 1))
        RefreshShared();
}

void CChannelFace::OnRoute(int output, int row)
{
    // Puts the cell back when the record refused.
    if (!RouteCells::Toggle(m_link, output, row))
        RefreshRoutingCell(output, row);
}

// ---- layout and drawing ---------------------------------------------------------------

void CChannelFace::PlaceShared(const FaceLayout::SignalRects& signal, const FaceLayout::MatrixRects& matrix,
                               std::vector<QRect> sections, std::vector<FaceLayout::Caption> captions)
{
    m_pFader->setGeometry(signal.fader);
    m_pGainField->setGeometry(signal.gainField);
    m_pGainSpin->setGeometry(signal.gainSpin);
    for (size_t i = 0; i < m_apDelayField.size(); ++i)
    {
        m_apDelayField.at(i)->setGeometry(signal.delayField.at(i));
        m_apDelaySpin.at(i)->setGeometry(signal.delaySpin.at(i));
    }
    m_pPolarity->setGeometry(signal.polarity);
    m_pPhase->setGeometry(signal.phase);
    for (size_t o = 0; o < m_aapRoute.size(); ++o)
        for (size_t row = 0; row < m_aapRoute.at(o).size(); ++row)
            m_aapRoute.at(o).at(row)->setGeometry(matrix.cells.at(o).at(row));
    m_matrix = matrix;
    m_sections = std::move(sections);
    m_captions = std::move(captions);
    update();
}

void CChannelFace::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    PlaceControls();
}

void CChannelFace::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    painter.setPen(CMainSkin::kPanelBorder);
    painter.setBrush(CMainSkin::kPanel);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    painter.setBrush(Qt::NoBrush);
    painter.setRenderHint(QPainter::Antialiasing);
    for (const QRect& section : m_sections)
        painter.drawRoundedRect(QRectF(section).adjusted(0.5, 0.5, -0.5, -0.5), 3, 3);

    QFont font = painter.font();
    font.setPixelSize(FaceLayout::CaptionPixels(size()));
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(CMainSkin::kText);
    const ELanguage language = Language();
    for (const FaceLayout::Caption& caption : m_captions)
        painter.drawText(caption.rect, Qt::AlignVCenter | (caption.bCentred ? Qt::AlignHCenter : Qt::AlignLeft),
                         EditorsText(caption.eText, language));

    font.setBold(false);
    painter.setFont(font);
    painter.setPen(CMainSkin::kMutedText);
    for (int o = 0; o < m_nOutputs; ++o)
        painter.drawText(m_matrix.columnLabels.at(static_cast<size_t>(o)), Qt::AlignCenter,
                         ChannelName(ChannelAddress::Output(o), language));
    for (int row = 0; row < m_nInputs; ++row)
        painter.drawText(m_matrix.rowLabels.at(static_cast<size_t>(row)), Qt::AlignVCenter | Qt::AlignLeft,
                         ChannelName(ChannelAddress::Input(row), language));
}
