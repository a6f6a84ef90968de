#include "editors/CHEDlg.h"

#include "editors/ChannelColour.h"
#include "ui/ChannelLabel.h"
#include "ui/ChannelSelector.h"
#include "editors/EditorsText.h"
#include "ui/MainSkin.h"
#include "model/ParamCatalogue.h"
#include "session/ProcessorLink.h"
#include "editors/RouteCells.h"

#include "controls/LampMeter.h"
#include "controls/LockCombo.h"
#include "controls/NameEdit.h"
#include "controls/ToggleButton.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace
{
// The arrow below a column that marks a channel just linked with the
// selected one.
class CLinkMarker : public QWidget
{
public:
    explicit CLinkMarker(QWidget* parent)
        : QWidget(parent)
    {
        setAttribute(Qt::WA_TransparentForMouseEvents);
    }
    void SetColour(const QColor& colour)
    {
        m_cColour = colour;
        update();
    }

protected:
    void paintEvent(QPaintEvent* /*event*/) override
    {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        const QRectF r = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
        const qreal half = r.height();
        QPainterPath arrow;
        arrow.moveTo(r.center().x() - half, r.top());
        arrow.lineTo(r.center().x() + half, r.top());
        arrow.lineTo(r.center().x(), r.bottom());
        arrow.closeSubpath();
        painter.fillPath(arrow, m_cColour);
    }

private:
    QColor m_cColour;
};

// Columns stand in channel order, inputs first.
ChannelAddress Address(int column)
{
    return ChannelAddress::FromColumn(column);
}

bool IsInputColumn(int column)
{
    return Address(column).bInput;
}

int IndexOf(int column)
{
    return Address(column).nIndex;
}

QString ColumnLabel(int column)
{
    return ChannelLabel(Address(column));
}

EParam SideParam(int column, EParam inputParam, EParam outputParam)
{
    return Address(column).Pick(inputParam, outputParam);
}

QRect Relative(const QRect& rect, const QRect& to)
{
    return rect.translated(-to.topLeft());
}
}

CCHEDlg::CCHEDlg(CProcessorLink& link, const CChannelSelector& selector, QWidget* parent)
    : QWidget(parent)
    , m_link(link)
    , m_selector(selector)
{
    setObjectName(QStringLiteral("ChannelStrip"));
    m_pInputPart = new QWidget(this);
    m_pInputPart->setObjectName(QStringLiteral("InputColumns"));
    m_pGeneratorSlot = new QWidget(this);
    m_pGeneratorSlot->setObjectName(QStringLiteral("GeneratorSlot"));
    m_pGeneratorSlot->hide();
    m_pToggleSlot = new QWidget(this);
    m_pToggleSlot->setObjectName(QStringLiteral("GeneratorToggleSlot"));

    for (int column = 0; column < kColumns; ++column)
        CreateColumn(column, IsInputColumn(column) ? m_pInputPart : this);

    CRecordNotice& notice = m_link.Notice();
    connect(&notice, &CRecordNotice::valueChanged, this, [this] { RefreshFromRecord(); });
    connect(&notice, &CRecordNotice::programLoaded, this, [this] {
        HideLinkMarkers();
        RefreshFromRecord();
    });
    connect(&notice, &CRecordNotice::locksChanged, this, [this] {
        ApplyLocks();
        RefreshFromRecord();
    });
    connect(&notice, &CRecordNotice::languageChanged, this, &CCHEDlg::ApplyLanguage);
    connect(&m_selector, &CChannelSelector::changed, this, &CCHEDlg::ShowSelection);
    connect(&m_link.Command(), &CCommand::levelsReceived, this, [this] { ShowLevels(true); });
    connect(&m_link.Connection(), &CConnection::disconnected, this, [this] { ShowLevels(false); });
    connect(&m_link.Connection(), &CConnection::deviceTypeKnown, this, &CCHEDlg::ApplyVariantLayout);

    ApplyLanguage();
    const CConnection::ChannelCounts counts = m_link.Connection().GetChannelCounts();
    ApplyVariantLayout(counts.nInputs, counts.nOutputs);
    ApplyLocks();
    RefreshFromRecord();
    resize(StripLayout::kDesignSize);
}

void CCHEDlg::CreateColumn(int column, QWidget* parent)
{
    Column& c = m_aColumns.at(static_cast<size_t>(column));
    const QString channel = EditorsText(EEditorsText::StripChannel, kEnglish).arg(ColumnLabel(column));
    const QColor colour = ChannelColour(Channel(column).GetColor());
    const bool bInput = IsInputColumn(column);

    c.pColumn = new QWidget(parent);
    c.pColumn->setObjectName(QStringLiteral("Column%1").arg(channel));

    c.pSelect = new CToggleButton(CToggleButton::EStyle::Select, c.pColumn);
    c.pSelect->setObjectName(QStringLiteral("Select%1").arg(channel));
    c.pName = new CNameEdit(c.pColumn);
    c.pName->setObjectName(QStringLiteral("Name%1").arg(channel));
    c.pMute = new CToggleButton(CToggleButton::EStyle::Mute, c.pColumn);
    c.pMute->setObjectName(QStringLiteral("Mute%1").arg(channel));
    c.pCurve = new CToggleButton(CToggleButton::EStyle::Curve, c.pColumn);
    c.pCurve->setObjectName(QStringLiteral("Curve%1").arg(channel));
    c.pCurve->SetCurveColour(colour);
    c.pLink = new CLockCombo(c.pColumn);
    c.pLink->setObjectName(QStringLiteral("Link%1").arg(channel));
    auto* marker = new CLinkMarker(c.pColumn);
    marker->SetColour(colour);
    marker->setObjectName(QStringLiteral("Marker%1").arg(channel));
    marker->hide();
    c.pMarker = marker;
    c.pMeter = new CLampMeter(bInput ? ELampStyle::Input : ELampStyle::Output, c.pColumn);
    c.pMeter->setObjectName(QStringLiteral("Meter%1").arg(channel));
    for (CToggleButton* button : {c.pSelect, c.pMute, c.pCurve})
        button->SetChannel(channel);
    c.pName->SetChannel(channel);
    c.pMeter->SetChannel(channel);

    connect(c.pSelect, &CToggleButton::clicked, this, [this, column] { OnSelect(column); });
    connect(c.pMute, &CToggleButton::clicked, this, [this, column] { OnMute(column); });
    connect(c.pCurve, &CToggleButton::clicked, this, [this, column] { OnCurve(column); });
    connect(c.pName, &CNameEdit::NameEdited, this, [this, column](const QString& name) { OnName(column, name); });
    connect(c.pLink, &CLockCombo::Chosen, this, [this, column](int group) { OnLink(column, group); });

    if (bInput)
        return;
    for (int row = 0; row < StripLayout::kRouteRows; ++row)
    {
        const bool bIndicator = row == StripLayout::kRouteIndicatorRow;
        auto* cell = new CToggleButton(bIndicator ? CToggleButton::EStyle::RouteIndicator : CToggleButton::EStyle::Route,
                                       c.pColumn);
        cell->SetChannel(channel);
        cell->SetRow(bIndicator ? QStringLiteral("E") : InputLabel(row));
        cell->setObjectName(QStringLiteral("Route%1%2").arg(channel, bIndicator ? QStringLiteral("E") : InputLabel(row)));
        if (bIndicator)
            cell->setFocusPolicy(Qt::NoFocus);
        else
            connect(cell, &CToggleButton::clicked, this, [this, column, row] { OnRoute(IndexOf(column), row); });
        c.apRoute.at(static_cast<size_t>(row)) = cell;
    }
}

// ---- layout ------------------------------------------------------------------

void CCHEDlg::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    PlaceColumns();
}

void CCHEDlg::PlaceColumns()
{
    const QRect inputArea = StripLayout::InputArea(size());
    m_pInputPart->setGeometry(inputArea);
    m_pGeneratorSlot->setGeometry(inputArea);
    m_pToggleSlot->setGeometry(StripLayout::GeneratorToggle(size()));
    for (int column = 0; column < kColumns; ++column)
    {
        const StripLayout::ColumnRects rects = StripLayout::Column(size(), column);
        Column& c = m_aColumns.at(static_cast<size_t>(column));
        c.pColumn->setGeometry(IsInputColumn(column) ? Relative(rects.column, inputArea) : rects.column);
        c.pSelect->setGeometry(Relative(rects.select, rects.column));
        c.pName->setGeometry(Relative(rects.name, rects.column));
        c.pMute->setGeometry(Relative(rects.mute, rects.column));
        c.pCurve->setGeometry(Relative(rects.curve, rects.column));
        c.pLink->setGeometry(Relative(rects.link, rects.column));
        c.pMarker->setGeometry(Relative(rects.marker, rects.column));
        c.pMeter->setGeometry(Relative(rects.meter, rects.column));
        for (int row = 0; row < StripLayout::kRouteRows; ++row)
            if (CToggleButton* cell = c.apRoute.at(static_cast<size_t>(row)))
                cell->setGeometry(Relative(rects.route.at(static_cast<size_t>(row)), rects.column));
    }
}

void CCHEDlg::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    painter.setPen(CMainSkin::kPanelBorder);
    painter.setBrush(CMainSkin::kPanel);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

// ---- what the strip shows ------------------------------------------------------

ELanguage CCHEDlg::Language() const
{
    return m_link.Notice().Language();
}

CAudio_Channel& CCHEDlg::Channel(int column)
{
    return m_link.Record().Channel(Address(column));
}

int CCHEDlg::SelectedColumn() const
{
    return m_selector.Current().Column();
}

void CCHEDlg::RefreshFromRecord()
{
    if (m_link.Record().IsTestMode() != m_bTestMode)
        LockRouting(m_link.Record().IsTestMode());
    for (int column = 0; column < kColumns; ++column)
        RefreshColumn(column);
    ShowSelection();
}

void CCHEDlg::RefreshColumn(int column)
{
    Column& c = m_aColumns.at(static_cast<size_t>(column));
    const CAudio_Data& record = m_link.Record();
    const ParamAt at{IndexOf(column), 0};
    c.pMute->setChecked(ParamCatalogue::Get(SideParam(column, EParam::kInOn, EParam::kOutOn), record, at) != 0);
    c.pLink->SetCurrent(ParamCatalogue::Get(SideParam(column, EParam::kInLink, EParam::kOutLink), record, at));
    // A name being typed is not overwritten by an edit elsewhere.
    if (!c.pName->hasFocus() || !c.pName->isModified())
    {
        const std::string name = ParamCatalogue::GetText(SideParam(column, EParam::kInName, EParam::kOutName), record, at);
        c.pName->SetName(QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size())));
    }
    for (int row = 0; row < StripLayout::kRouteIndicatorRow; ++row)
        if (CToggleButton* cell = c.apRoute.at(static_cast<size_t>(row)))
            cell->setChecked(ParamCatalogue::Get(EParam::kOutRoute, record, {at.nChannel, row}) != 0);
}

void CCHEDlg::ShowSelection()
{
    const int selected = SelectedColumn();
    if (selected != m_nShownColumn)
        HideLinkMarkers();
    m_nShownColumn = selected;
    for (int column = 0; column < kColumns; ++column)
    {
        Column& c = m_aColumns.at(static_cast<size_t>(column));
        c.pSelect->setChecked(column == selected);
        // The selected channel's curve is always drawn.
        c.pCurve->setChecked(column == selected || Channel(column).IsCurveShown());
    }
}

void CCHEDlg::ShowGeneratorPanel(bool shown)
{
    m_bGeneratorShown = shown;
    m_pInputPart->setVisible(!shown);
    m_pGeneratorSlot->setVisible(shown);
    if (shown && m_selector.Current().bInput)
    {
        HideLinkMarkers();
        emit selectRequested(ChannelAddress::Output(0));
        ShowSelection();
    }
}

void CCHEDlg::ShowLinkMarkers()
{
    const ChannelAddress selected = m_selector.Current();
    const CAudio_Data& record = m_link.Record();
    for (int column = 0; column < kColumns; ++column)
    {
        const ChannelAddress address = Address(column);
        bool bShow = false;
        if (address != selected && address.IsSameSide(selected))
            bShow = address.bInput ? record.Inputs().IsSameGroup(address.nIndex, selected.nIndex)
                                   : record.Outputs().IsSameGroup(address.nIndex, selected.nIndex);
        m_aColumns.at(static_cast<size_t>(column)).pMarker->setVisible(bShow);
    }
}

void CCHEDlg::HideLinkMarkers()
{
    for (Column& c : m_aColumns)
        c.pMarker->hide();
}

void CCHEDlg::ShowLevels(bool on)
{
    for (int column = 0; column < kColumns; ++column)
    {
        CLampMeter* meter = m_aColumns.at(static_cast<size_t>(column)).pMeter;
        if (on)
            meter->SetLevel(m_link.Command().Level(column));
        else
            meter->Reset();
    }
}

// ---- locks, language, processor type -----------------------------------------

void CCHEDlg::ApplyLocks()
{
    const CLockState& locks = m_link.Locks();
    for (int column = 0; column < kColumns; ++column)
    {
        Column& c = m_aColumns.at(static_cast<size_t>(column));
        const bool bInput = IsInputColumn(column);
        const ParamAt at{IndexOf(column), 0};
        // The link locks have already put every channel of the side in its
        // own group; the combo remembers that for when the lock is lifted.
        c.pLink->SetCurrent(ParamCatalogue::Get(SideParam(column, EParam::kInLink, EParam::kOutLink), m_link.Record(), at));
        c.pLink->SetLocked(locks.IsLocked(bInput ? CLockState::kInLink : CLockState::kOutLink));
        c.pMute->setEnabled(!locks.IsLocked(bInput ? CLockState::kInMute : CLockState::kOutMute));
        c.pName->SetLocked(locks.IsLocked(bInput ? CLockState::kInName : CLockState::kOutName));
    }
    LockRouting(m_bTestMode);
}

void CCHEDlg::LockRouting(bool testMode)
{
    m_bTestMode = testMode;
    const bool bMatrixLocked = m_link.Locks().IsLocked(CLockState::kOutRouting);
    for (Column& c : m_aColumns)
        for (int row = 0; row < StripLayout::kRouteRows; ++row)
            if (CToggleButton* cell = c.apRoute.at(static_cast<size_t>(row)))
                cell->setEnabled(RouteCells::IsEnabled(row, testMode, bMatrixLocked));
}

void CCHEDlg::ApplyLanguage()
{
    const ELanguage language = Language();
    setAccessibleName(EditorsText(EEditorsText::StripAccessibleName, language));
    for (int column = 0; column < kColumns; ++column)
    {
        Column& c = m_aColumns.at(static_cast<size_t>(column));
        for (CToggleButton* button : {c.pSelect, c.pMute, c.pCurve})
            button->SetLanguage(language);
        for (CToggleButton* cell : c.apRoute)
            if (cell != nullptr)
                cell->SetLanguage(language);
        c.pName->SetLanguage(language);
        c.pLink->SetLanguage(language);
        c.pMeter->SetLanguage(language);
        const QString channel = EditorsText(EEditorsText::StripChannel, language).arg(ColumnLabel(column));
        c.pLink->SetCaption(ParamCatalogue::Caption(SideParam(column, EParam::kInLink, EParam::kOutLink), language).c_str()
                            + QStringLiteral(" ") + channel);
        c.pMarker->setAccessibleName(EditorsText(EEditorsText::StripLinkMarker, language).arg(channel));
    }
    RefreshLinkItems();
}

void CCHEDlg::RefreshLinkItems()
{
    const ELanguage language = Language();
    QStringList inputs;
    QStringList outputs;
    for (int i = 0; i < m_nInputs; ++i)
        inputs << EditorsText(EEditorsText::StripLink, language).arg(InputLabel(i));
    for (int i = 0; i < m_nOutputs; ++i)
        outputs << EditorsText(EEditorsText::StripLink, language).arg(OutputLabel(i));
    for (int column = 0; column < kColumns; ++column)
        m_aColumns.at(static_cast<size_t>(column)).pLink->SetItems(IsInputColumn(column) ? inputs : outputs);
}

void CCHEDlg::ApplyVariantLayout(int inputs, int outputs)
{
    m_nInputs = std::clamp(inputs, 0, kInputColumns);
    m_nOutputs = std::clamp(outputs, 0, kColumns - kInputColumns);
    for (int column = 0; column < kColumns; ++column)
    {
        Column& c = m_aColumns.at(static_cast<size_t>(column));
        const ChannelAddress address = Address(column);
        c.pColumn->setVisible(address.nIndex < address.Pick(m_nInputs, m_nOutputs));
        for (int row = 0; row < StripLayout::kRouteRows; ++row)
            if (CToggleButton* cell = c.apRoute.at(static_cast<size_t>(row)))
                cell->setVisible(StripLayout::IsRouteRowShown(row, m_nInputs));
    }
    RefreshLinkItems();
    RefreshFromRecord();

    const ChannelAddress selected = m_selector.Current();
    if (selected.nIndex >= selected.Pick(m_nInputs, m_nOutputs))
    {
        emit selectRequested({selected.bInput, 0});
        ShowSelection();
    }
}

// ---- user actions --------------------------------------------------------------

void CCHEDlg::OnSelect(int column)
{
    if (column != SelectedColumn())
    {
        HideLinkMarkers();
        emit selectRequested(Address(column));
    }
    // Also puts the button back when the owner kept the selection.
    ShowSelection();
}

void CCHEDlg::OnMute(int column)
{
    const EParam param = SideParam(column, EParam::kInOn, EParam::kOutOn);
    const ParamAt at{IndexOf(column), 0};
    const CAudio_Data& record = m_link.Record();
    if (!m_link.Edit(param, at, ParamCatalogue::Get(param, record, at) != 0 ? 0 : 1))
        m_aColumns.at(static_cast<size_t>(column)).pMute->setChecked(ParamCatalogue::Get(param, record, at) != 0);
}

void CCHEDlg::OnCurve(int column)
{
    Column& c = m_aColumns.at(static_cast<size_t>(column));
    if (column == SelectedColumn())
    {
        c.pCurve->setChecked(true);
        return;
    }
    CAudio_Channel& channel = Channel(column);
    channel.ShowCurve(!channel.IsCurveShown());
    c.pCurve->setChecked(channel.IsCurveShown());
    emit curvesChanged();
}

void CCHEDlg::OnName(int column, const QString& name)
{
    const EParam param = SideParam(column, EParam::kInName, EParam::kOutName);
    // What was stored (cut to eight, only what the processor takes) shows
    // through the notice, or here when the stored name stayed.
    if (!m_link.EditText(param, {IndexOf(column), 0}, name.toLatin1().toStdString()))
        RefreshColumn(column);
}

void CCHEDlg::OnLink(int column, int group)
{
    const bool bInput = IsInputColumn(column);
    // A refused choice (link lock) puts the combo back.
    if (!m_link.Edit(SideParam(column, EParam::kInLink, EParam::kOutLink), {IndexOf(column), 0}, group))
        RefreshColumn(column);
    if (IsInputColumn(SelectedColumn()) == bInput)
        ShowLinkMarkers();
}

void CCHEDlg::OnRoute(int output, int row)
{
    if (!RouteCells::Toggle(m_link, output, row))
        RefreshColumn(ChannelAddress::Output(output).Column());
}
