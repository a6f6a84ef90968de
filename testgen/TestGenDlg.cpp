#include "testgen/TestGenDlg.h"

#include "testgen/GenLayout.h"
#include "testgen/GenToggle.h"
#include "testgen/TestGenText.h"

#include "editors/CHEDlg.h"
#include "model/DataDefine.h"
#include "model/ValueText.h"
#include "controls/Fader.h"
#include "ui/MainSkin.h"
#include "editors/NumBinding.h"
#include "editors/NumEdit.h"
#include "editors/NumSpin.h"
#include "model/ParamCatalogue.h"
#include "session/ProcessorLink.h"
#include "controls/ToggleButton.h"

#include <QComboBox>
#include <QLabel>
#include <QPainter>
#include <QVBoxLayout>

namespace
{
constexpr EParam kRowParams[TestGen::kRowCount] = {EParam::kGenType, EParam::kGenFreq, EParam::kGenParam,
                                                   EParam::kGenLevel};

// Makes `child` fill `slot` whatever size the strip gives it.
void Fill(QWidget* slot, QWidget* child)
{
    auto* layout = new QVBoxLayout(slot);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(child);
}

QString Text(const std::string& text)
{
    return QString::fromStdString(text);
}
}

CTestGenDlg::CTestGenDlg(CProcessorLink& link, CCHEDlg& strip)
    : QWidget(strip.GeneratorSlot())
    , m_link(link)
    , m_strip(strip)
{
    setObjectName(QStringLiteral("TestGenerator"));
    Fill(strip.GeneratorSlot(), this);
    m_pToggle = new CGenToggle(strip.GeneratorToggleSlot());
    m_pToggle->setObjectName(QStringLiteral("GeneratorToggle"));
    Fill(strip.GeneratorToggleSlot(), m_pToggle);
    CreateControls();

    CRecordNotice& notice = m_link.Notice();
    connect(&notice, &CRecordNotice::valueChanged, this, &CTestGenDlg::ShowValues);
    connect(&notice, &CRecordNotice::programLoaded, this, &CTestGenDlg::RefreshGenerator);
    connect(&notice, &CRecordNotice::languageChanged, this, &CTestGenDlg::ApplyLanguage);
    connect(m_pToggle, &CGenToggle::clicked, this, &CTestGenDlg::OnToggle);
    connect(m_pOnOff, &CToggleButton::clicked, this, &CTestGenDlg::OnOnOff);
    connect(m_pType, &QComboBox::activated, this, &CTestGenDlg::OnTypeChosen);
    connect(m_pFader, &CFader::ValueReported, this, &CTestGenDlg::OnFader);

    ApplyLanguage();
    RefreshGenerator();
}

void CTestGenDlg::CreateControls()
{
    m_pTitle = new QLabel(this);
    m_pTitle->setObjectName(QStringLiteral("GeneratorTitle"));
    m_pTitle->setAlignment(Qt::AlignCenter);
    QFont bold = m_pTitle->font();
    bold.setBold(true);
    m_pTitle->setFont(bold);
    for (QLabel*& caption : m_apCaption)
    {
        caption = new QLabel(this);
        caption->setAlignment(Qt::AlignVCenter | Qt::AlignLeft);
    }

    m_pOnOff = new CToggleButton(CToggleButton::EStyle::Caption, this);
    m_pOnOff->setObjectName(QStringLiteral("GeneratorOnOff"));
    m_pType = new QComboBox(this);
    m_pType->setObjectName(QStringLiteral("GeneratorType"));

    // Field and spin of one row in a box of their own.
    auto pair = [&](QWidget*& box, CNumEdit*& edit, CNumSpin*& spin, EParam param, const char* name) {
        box = new QWidget(this);
        box->setObjectName(QStringLiteral("%1Box").arg(QLatin1String(name)));
        edit = new CNumEdit(box);
        edit->setObjectName(QStringLiteral("%1Edit").arg(QLatin1String(name)));
        spin = new CNumSpin(box);
        spin->setObjectName(QStringLiteral("%1Spin").arg(QLatin1String(name)));
        new CNumBinding(*edit, *spin, m_link, param);
    };
    pair(m_pFreqBox, m_pFreq, m_pFreqSpin, EParam::kGenFreq, "GeneratorFreq");
    pair(m_pSweepBox, m_pSweep, m_pSweepSpin, EParam::kGenParam, "GeneratorSweep");
    pair(m_pLevelBox, m_pLevel, m_pLevelSpin, EParam::kGenLevel, "GeneratorLevel");

    m_pFader = new CFader(this);
    m_pFader->setObjectName(QStringLiteral("GeneratorFader"));
    m_pFader->SetRange(kGenLevelMin, kGenLevelMax);
    m_pFader->SetInverted(true);
    m_pFader->SetMargin(TestGen::kFaderMargin);
    QList<CFader::SMark> marks;
    for (const TestGen::FaderMark& mark : TestGen::FaderMarks())
        marks.append({mark.nLevelStep, mark.szLabel});
    m_pFader->SetMarks(marks);
}

// ---- layout ------------------------------------------------------------------

void CTestGenDlg::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    PlaceControls();
}

void CTestGenDlg::PlaceControls()
{
    const TestGen::Rects r = TestGen::Place(size());
    m_pTitle->setGeometry(r.title);
    for (int row = 0; row < TestGen::kRowCount; ++row)
        m_apCaption[row]->setGeometry(r.caption.at(static_cast<size_t>(row)));
    m_pOnOff->setGeometry(r.onOff);
    m_pType->setGeometry(r.type);
    auto place = [](QWidget* box, CNumEdit* edit, CNumSpin* spin, const QRect& field, const QRect& arrows) {
        const QRect both = field.united(arrows);
        box->setGeometry(both);
        edit->setGeometry(field.translated(-both.topLeft()));
        spin->setGeometry(arrows.translated(-both.topLeft()));
    };
    place(m_pFreqBox, m_pFreq, m_pFreqSpin, r.freq, r.freqSpin);
    place(m_pSweepBox, m_pSweep, m_pSweepSpin, r.sweep, r.sweepSpin);
    place(m_pLevelBox, m_pLevel, m_pLevelSpin, r.level, r.levelSpin);
    m_pFader->setGeometry(r.fader);
}

void CTestGenDlg::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(CMainSkin::kPanelBorder);
    painter.setBrush(CMainSkin::kPanel.darker(108));
    painter.drawRoundedRect(QRectF(rect()).adjusted(2.5, 2.5, -2.5, -2.5), 4, 4);
}

// ---- what the panel shows ------------------------------------------------------

ELanguage CTestGenDlg::Language() const
{
    return m_link.Notice().Language();
}

bool CTestGenDlg::IsShown() const
{
    return m_strip.IsGeneratorPanelShown();
}

void CTestGenDlg::RefreshGenerator()
{
    const int type = m_link.Record().GetGenType();
    // A running generator always has its panel in view.
    m_strip.ShowGeneratorPanel(type != TestGen::kOff);
    m_pToggle->setChecked(type == TestGen::kOff);
    ShowValues();
}

void CTestGenDlg::ShowValues()
{
    const CAudio_Data& record = m_link.Record();
    const int type = record.GetGenType();
    m_pOnOff->setChecked(type == TestGen::kOff);
    m_pType->setCurrentIndex(TestGen::ComboEntry(type));
    m_pFader->SetValue(record.GetGenLevel());
    EnableByType(type);
}

void CTestGenDlg::EnableByType(int type)
{
    const TestGen::Enabled enabled = TestGen::EnabledFor(type);
    m_pType->setEnabled(enabled.bType);
    m_pLevelBox->setEnabled(enabled.bLevel);
    m_pFader->setEnabled(enabled.bLevel);
    m_pFreqBox->setEnabled(enabled.bFreq);
    m_pSweepBox->setEnabled(enabled.bSweep);
    update();
}

void CTestGenDlg::ApplyLanguage()
{
    const ELanguage language = Language();
    setAccessibleName(TestGenText(ETestGenText::Title, language));
    m_pTitle->setText(TestGenText(ETestGenText::Title, language));
    for (int row = 0; row < TestGen::kRowCount; ++row)
        m_apCaption[row]->setText(Text(ParamCatalogue::Caption(kRowParams[row], language)));
    m_pToggle->SetTexts(TestGenText(ETestGenText::ToggleGenerator, language),
                        TestGenText(ETestGenText::ToggleInput, language),
                        TestGenText(ETestGenText::ToggleName, language));
    m_pOnOff->SetCaptions(TestGenText(ETestGenText::On, language), TestGenText(ETestGenText::Off, language),
                          TestGenText(ETestGenText::OnOffName, language));
    m_pOnOff->SetLanguage(language);

    m_pType->clear();
    for (int type = 1; type <= kGenTypeMax; ++type)
        m_pType->addItem(Text(FormatGenType(type, language)));
    m_pType->setCurrentIndex(TestGen::ComboEntry(m_link.Record().GetGenType()));
    m_pType->setAccessibleName(Text(ParamCatalogue::Caption(EParam::kGenType, language)));

    m_pFader->SetLanguage(language);
    m_pFader->SetCaption(Text(ParamCatalogue::Caption(EParam::kGenLevel, language)));
    m_pFader->SetValueText(
        [language](int step) { return Text(ParamCatalogue::FormatStep(EParam::kGenLevel, step, language)); });
}

// ---- sending what the user chose ------------------------------------------------

void CTestGenDlg::SetType(int type)
{
    // The strip and the channel panels freeze their routing cells while the
    // record's generator runs.
    m_link.Edit(EParam::kGenType, {}, type);
}

void CTestGenDlg::MuteAllOutputs()
{
    // The user has locked the mutes; the generator does not override that.
    if (m_link.Locks().IsLocked(CLockState::kOutMute))
        return;
    for (int output = 0; output < ParamCatalogue::ChannelCount(EParam::kOutOn); ++output)
        m_link.Edit(EParam::kOutOn, {output, 0}, 0);
}

void CTestGenDlg::OnOnOff()
{
    const bool bOff = !m_pOnOff->isChecked();
    m_pOnOff->setChecked(bOff);
    const int type = bOff ? TestGen::kOff : TestGen::kWhiteNoise;
    m_pType->setCurrentIndex(TestGen::ComboEntry(type));
    SetType(type);
    EnableByType(type);
    MuteAllOutputs();
}

void CTestGenDlg::OnTypeChosen(int entry)
{
    const int type = TestGen::TypeOfEntry(entry);
    if (type == TestGen::kOff || type == m_link.Record().GetGenType())
        return;
    SetType(type);
    EnableByType(type);
}

void CTestGenDlg::OnFader(int step)
{
    m_link.Edit(EParam::kGenLevel, {}, step);
}

void CTestGenDlg::OnToggle()
{
    MuteAllOutputs();
    if (m_link.Record().GetGenType() != TestGen::kOff)
        SetType(TestGen::kOff);
    m_pOnOff->setChecked(true);
    m_pType->setCurrentIndex(-1);
    const bool bShown = !m_strip.IsGeneratorPanelShown();
    m_strip.ShowGeneratorPanel(bShown);
    m_pToggle->setChecked(!bShown);
    EnableByType(TestGen::kOff);
}
