#include "app/StatusBlock.h"

#include "ui/MainSkin.h"
#include "app/MainText.h"
#include "app/PortField.h"
#include "app/StatusFields.h"
#include "session/ProcessorLink.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QProgressBar>

namespace
{
constexpr int kLampDiameter = 12;

struct FieldDef
{
    EMainText eLabel;
    const char* szObjectName;
};

// In the order of CStatusBlock::EField; two pairs to a row.
constexpr std::array<FieldDef, 6> kFields{{
    {EMainText::NameLabel, "NameField"},
    {EMainText::NumberLabel, "NumberField"},
    {EMainText::DeviceIdLabel, "DeviceIdField"},
    {EMainText::ModelLabel, "ModelField"},
    {EMainText::PortLabel, "PortField"},
    {EMainText::FirmwareLabel, "FirmwareField"},
}};
}

CStatusLamp::CStatusLamp(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("OnlineLamp"));
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

void CStatusLamp::SetOn(bool on, const QString& text)
{
    m_bOn = on;
    setAccessibleName(text);
    setToolTip(text);
    update();
}

QSize CStatusLamp::sizeHint() const
{
    return {kLampDiameter + 2, kLampDiameter + 2};
}

void CStatusLamp::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF lamp = QRectF(rect()).adjusted(1.5, 1.5, -1.5, -1.5);
    painter.setPen(QPen(m_bOn ? CMainSkin::kOnDark : CMainSkin::kPanelBorder, 1.0));
    QRadialGradient glow(lamp.center() - QPointF(lamp.width() / 6, lamp.height() / 6), lamp.width() / 1.5);
    glow.setColorAt(0.0, m_bOn ? CMainSkin::kOn.lighter(130) : CMainSkin::kMutedText);
    glow.setColorAt(1.0, m_bOn ? CMainSkin::kOnDark : CMainSkin::kField);
    painter.setBrush(glow);
    painter.drawEllipse(lamp);
}

CStatusBlock::CStatusBlock(const CProcessorLink& link, QWidget* parent)
    : QFrame(parent)
    , m_link(link)
{
    setObjectName(QStringLiteral("StatusBlock"));
    setProperty("role", "panel");

    m_pTitle = new QLabel(this);
    m_pTitle->setObjectName(QStringLiteral("TitleLabel"));
    m_pTitle->setWordWrap(true);

    m_pLamp = new CStatusLamp(this);
    m_pOnline = new QLabel(this);
    m_pOnline->setObjectName(QStringLiteral("OnlineText"));
    m_pOnline->setProperty("role", "fieldLabel");

    auto* rule = new QFrame(this);
    rule->setProperty("role", "accentRule");
    rule->setFixedHeight(2);

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(10, 8, 10, 8);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(4);
    grid->addWidget(m_pTitle, 0, 0, 1, 4);
    grid->addWidget(rule, 1, 0, 1, 4);
    for (int n = 0; n < kFieldCount; ++n)
    {
        m_apLabel.at(n) = new QLabel(this);
        m_apLabel.at(n)->setProperty("role", "fieldLabel");
        auto* field = n == kPort ? new CPortField(this) : new QLineEdit(this);
        field->setObjectName(QLatin1String(kFields.at(n).szObjectName));
        field->setProperty("role", "statusField");
        field->setReadOnly(true);
        field->setMinimumWidth(0);
        m_apField.at(n) = field;
        const int row = 2 + n / 2;
        const int column = 2 * (n % 2);
        grid->addWidget(m_apLabel.at(n), row, column);
        grid->addWidget(field, row, column + 1);
    }
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);

    m_pProgress = new QProgressBar(this);
    m_pProgress->setObjectName(QStringLiteral("ProgressBar"));
    m_pProgress->setTextVisible(false);
    m_pProgress->setRange(0, 49);
    m_pProgress->setValue(0);
    m_pProgress->setFixedHeight(10);
    // The lamp and the bar share the last row: online, and how far a
    // transfer has come.
    auto* bottom = new QHBoxLayout;
    bottom->setSpacing(6);
    bottom->addWidget(m_pLamp);
    bottom->addWidget(m_pOnline);
    bottom->addWidget(m_pProgress, 1);
    grid->addLayout(bottom, 5, 0, 1, 4);
    grid->setRowStretch(6, 1);

    const CRecordNotice& notice = m_link.Notice();
    const CConnection& connection = m_link.Connection();
    connect(&notice, &CRecordNotice::programLoaded, this, &CStatusBlock::Refresh);
    connect(&notice, &CRecordNotice::languageChanged, this, &CStatusBlock::ApplyLanguage);
    connect(&m_link, &CProcessorLink::sessionChanged, this, &CStatusBlock::Refresh);
    connect(&connection, &CConnection::stateReadStarted, this, [this] {
        m_pProgress->setRange(0, CConnection::kProgressMax);
        // The type is known from here on: the model can be shown.
        Refresh();
    });
    connect(&connection, &CConnection::progressAdvanced, m_pProgress, &QProgressBar::setValue);
    // The positions of a state read stop one short of the bar's end; when
    // the last request of any transfer has gone, the bar is full.
    connect(&m_link.Command(), &CCommand::transferEnded, this,
            [this] { m_pProgress->setValue(m_pProgress->maximum()); });
    connect(&connection, &CConnection::liveProgramLoaded, this, [this] { ShowProgram(true); });
    connect(&connection, &CConnection::disconnected, this, [this] {
        m_pProgress->setValue(0);
        ShowProgram(false);
    });
    ApplyLanguage();
}

void CStatusBlock::ApplyLanguage()
{
    const ELanguage language = m_link.Notice().Language();
    m_pTitle->setText(MainText(EMainText::Title, language));
    for (int n = 0; n < kFieldCount; ++n)
    {
        m_apLabel.at(n)->setText(MainText(kFields.at(n).eLabel, language));
        m_apField.at(n)->setAccessibleName(m_apLabel.at(n)->text());
    }
    Refresh();
}

void CStatusBlock::ShowProgram(bool shown)
{
    m_bProgramShown = shown;
    Refresh();
}

void CStatusBlock::Refresh()
{
    const CConnection& connection = m_link.Connection();
    const CConnection::ChannelCounts counts = connection.GetChannelCounts();
    StatusSource source;
    source.bOnline = m_link.IsConnected();
    source.bTypeKnown = source.bOnline && connection.GetState() != CConnection::EState::WaitingForType;
    source.bProgramShown = m_bProgramShown;
    source.strName = m_link.Record().GetName();
    source.nProgramNumber = m_link.Session().ProgramNumber();
    source.nDeviceId = connection.GetDeviceId();
    source.nInputs = counts.nInputs;
    source.nOutputs = counts.nOutputs;
    source.strPort = m_link.Session().PortName();
    source.strVersion = m_link.Command().GetVersionText();
    Show(BuildStatusFields(source, m_link.Notice().Language()));
}

void CStatusBlock::Show(const StatusFields& fields)
{
    const std::array<const QString*, kFieldCount> texts{&fields.strName,  &fields.strNumber, &fields.strDeviceId,
                                                        &fields.strModel, &fields.strPort,   &fields.strFirmware};
    for (int n = 0; n < kFieldCount; ++n)
    {
        QLineEdit* field = m_apField.at(n);
        field->setText(*texts.at(n));
        field->setCursorPosition(0);
        field->setToolTip(*texts.at(n));
    }
    m_pOnline->setText(fields.strOnline);
    m_pLamp->SetOn(fields.bOnline, fields.strOnline);
}
