#include "editors/OutFaceDlg.h"

#include "editors/NumEdit.h"
#include "editors/NumSpin.h"
#include "session/ProcessorLink.h"

#include "controls/LockCombo.h"

namespace
{
constexpr std::array kTypeParams{EParam::kHighPassType, EParam::kLowPassType};
constexpr std::array kFreqParams{EParam::kHighPassFreq, EParam::kLowPassFreq};
constexpr std::array kSlopeParams{EParam::kHighPassSlope, EParam::kLowPassSlope};
constexpr std::array kLimitParams{EParam::kLimitThreshold, EParam::kLimitAttack, EParam::kLimitRelease};

QStringList ChoiceTexts(EParam param, ELanguage language)
{
    const ParamRow& row = ParamCatalogue::Param(param);
    QStringList texts;
    for (int step = row.nMin; step <= row.nMax; ++step)
        texts << QString::fromStdString(ParamCatalogue::FormatStep(param, step, language));
    return texts;
}
}

COutFaceDlg::COutFaceDlg(CProcessorLink& link, const CChannelSelector& selector, QWidget* parent)
    : CChannelFace(link, selector, false, parent)
{
    setObjectName(QStringLiteral("OutputChannelPanel"));
    for (size_t f = 0; f < 2; ++f)
    {
        const QString filter = f == 0 ? QStringLiteral("HighPass") : QStringLiteral("LowPass");
        m_apType.at(f) = new CLockCombo(this);
        m_apType.at(f)->setObjectName(filter + QStringLiteral("Type"));
        AddField(m_apFreqField.at(f), m_apFreqSpin.at(f), kFreqParams.at(f));
        m_apFreqField.at(f)->setObjectName(filter + QStringLiteral("Frequency"));
        m_apSlope.at(f) = new CLockCombo(this);
        m_apSlope.at(f)->setObjectName(filter + QStringLiteral("Slope"));
    }
    for (size_t i = 0; i < kLimitParams.size(); ++i)
    {
        AddField(m_apLimitField.at(i), m_apLimitSpin.at(i), kLimitParams.at(i));
        m_apLimitField.at(i)->setObjectName(QStringLiteral("Limiter%1").arg(i));
    }
    for (const Choice& choice : Choices())
        connect(choice.pCombo, &CLockCombo::Chosen, this, [this, param = choice.eParam](int index) {
            if (!Write(param, index))
                RefreshOwn();
        });
    Start();
}

std::array<COutFaceDlg::Choice, 4> COutFaceDlg::Choices() const
{
    return {Choice{kTypeParams[0], m_apType[0]}, Choice{kTypeParams[1], m_apType[1]},
            Choice{kSlopeParams[0], m_apSlope[0]}, Choice{kSlopeParams[1], m_apSlope[1]}};
}

void COutFaceDlg::RefreshOwn()
{
    for (const Choice& choice : Choices())
        choice.pCombo->SetCurrent(Read(choice.eParam));
}

void COutFaceDlg::ApplyOwnLocks()
{
    for (const Choice& choice : Choices())
    {
        choice.pCombo->SetCurrent(Read(choice.eParam));
        choice.pCombo->SetLocked(IsLocked(choice.eParam));
    }
}

void COutFaceDlg::ApplyOwnLanguage()
{
    const ELanguage language = Language();
    for (const Choice& choice : Choices())
    {
        choice.pCombo->SetLanguage(language);
        choice.pCombo->SetItems(ChoiceTexts(choice.eParam, language));
        choice.pCombo->SetCaption(QString::fromStdString(ParamCatalogue::Caption(choice.eParam, language)));
        choice.pCombo->SetCurrent(Read(choice.eParam));
    }
}

void COutFaceDlg::PlaceControls()
{
    FaceLayout::OutFaceRects r = FaceLayout::OutFace(size());
    for (size_t f = 0; f < 2; ++f)
    {
        m_apType.at(f)->setGeometry(r.xoverType.at(f));
        m_apFreqField.at(f)->setGeometry(r.xoverField.at(f));
        m_apFreqSpin.at(f)->setGeometry(r.xoverSpin.at(f));
        m_apSlope.at(f)->setGeometry(r.xoverSlope.at(f));
    }
    for (size_t i = 0; i < m_apLimitField.size(); ++i)
    {
        m_apLimitField.at(i)->setGeometry(r.limitField.at(i));
        m_apLimitSpin.at(i)->setGeometry(r.limitSpin.at(i));
    }
    PlaceShared(r.signal, r.matrix, std::move(r.sections), std::move(r.captions));
}
