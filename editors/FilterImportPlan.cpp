#include "editors/FilterImportPlan.h"

#include "ui/ChannelLabel.h"
#include "editors/EditorsText.h"
#include "model/ChannelAddress.h"
#include "model/FilterTypes.h"
#include "model/ParamCatalogue.h"
#include "session/ProcessorLink.h"
#include "session/RecordNotice.h"

#include <QFile>

#include <optional>

using namespace FilterImport;

namespace
{
// Filter sets are a few kilobytes; anything far larger is not one.
constexpr qint64 kLargestFile = 1 << 20;

struct BandParams
{
    EParam eType, eFreq, eGain, eWidth, eSlope;
};

BandParams ParamsOf(ChannelAddress channel)
{
    return channel.Pick(BandParams{EParam::kInBandType, EParam::kInBandFreq, EParam::kInBandGain,
                                   EParam::kInBandWidth, EParam::kInBandSlope},
                        BandParams{EParam::kOutBandType, EParam::kOutBandFreq, EParam::kOutBandGain,
                                   EParam::kOutBandWidth, EParam::kOutBandSlope});
}

QString Number(double value)
{
    return QString::number(value, 'g', 6);
}

QString Step(EParam eParam, int nStep, ELanguage language, EUnit eUnit = EUnit::kNative)
{
    return QString::fromStdString(ParamCatalogue::FormatStep(eParam, nStep, language, false, eUnit));
}
}

namespace FilterImportPlan
{
bool IsChannelCode(int nChannelCode)
{
    return ChannelAddress::FromCode(nChannelCode).has_value();
}

bool PlanFile(const QString& strPath, const CProcessorLink& link, int nChannelCode, Plan& plan)
{
    const std::optional<ChannelAddress> channel = ChannelAddress::FromCode(nChannelCode);
    if (!channel)
        return false;
    QFile file(strPath);
    if (!file.open(QIODevice::ReadOnly) || file.size() > kLargestFile)
        return false;
    const QByteArray bytes = file.read(kLargestFile + 1);
    if (bytes.size() > kLargestFile || file.error() != QFileDevice::NoError)
        return false;
    const bool bLocked = ParamCatalogue::IsLocked(ParamsOf(*channel).eGain, &link.Locks());
    plan = PlanImport(std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())), link.Record(), *channel,
                      bLocked);
    return true;
}

QString Title(const Plan& plan, ELanguage language)
{
    return EditorsText(EEditorsText::ImportTitle, language).arg(ChannelLabel(plan.channel));
}

QString BandName(const PlannedBand& band, ELanguage language)
{
    return EditorsText(EEditorsText::ImportBandName, language).arg(band.nBand + 1);
}

QString FileText(const PlannedBand& band, ELanguage language)
{
    if (!band.bFromFile)
        return {};
    const FileFilter& f = band.source;
    QString strFilter;
    switch (f.eKind)
    {
    case EKind::kPeaking:
        strFilter = EditorsText(EEditorsText::ImportPeakingFilter, language)
                        .arg(Number(f.dFreq), Number(f.dGainDb), Number(f.dQ));
        break;
    case EKind::kLowShelf:
    case EKind::kHighShelf:
        strFilter = EditorsText(f.eKind == EKind::kLowShelf ? EEditorsText::ImportLowShelfFilter
                                                           : EEditorsText::ImportHighShelfFilter,
                                language)
                        .arg(Number(f.dFreq), Number(f.dGainDb))
                        .arg(f.nSlopeDb);
        break;
    }
    return EditorsText(EEditorsText::ImportFileLine, language).arg(f.nLine).arg(strFilter);
}

QString PlannedText(const Plan& plan, const PlannedBand& band, ELanguage language)
{
    if (!band.bFromFile)
        return EditorsText(EEditorsText::ImportBandUnused, language);
    const BandParams p = ParamsOf(plan.channel);
    QStringList parts{Step(p.eFreq, band.nFreq, language), Step(p.eGain, band.nGainStep, language)};
    if (band.source.eKind == EKind::kPeaking)
        parts << Step(p.eWidth, band.nWidthStep, language) + QStringLiteral(" (Q ")
                     + Step(p.eWidth, band.nWidthStep, language, EUnit::kQ) + QLatin1Char(')');
    else
        parts << Step(p.eSlope, band.nSlope, language);
    return parts.join(QStringLiteral("  "));
}

QString ProblemText(const Problem& problem, ELanguage language)
{
    const QString strDetail = QString::fromStdString(problem.strDetail);
    QString strWhat;
    switch (problem.eProblem)
    {
    case EProblem::kTooManyFilters: strWhat = EditorsText(EEditorsText::ImportTooMany, language); break;
    case EProblem::kUnsupportedType:
        strWhat = EditorsText(EEditorsText::ImportUnsupported, language).arg(strDetail);
        break;
    case EProblem::kOutOfRange:
    {
        EEditorsText eText = EEditorsText::ImportOutOfRangeFreq;
        switch (problem.eValue)
        {
        case EValue::kGain: eText = EEditorsText::ImportOutOfRangeGain; break;
        case EValue::kQ:
        case EValue::kBandwidth: eText = EEditorsText::ImportOutOfRangeQ; break;
        case EValue::kSlope: eText = EEditorsText::ImportOutOfRangeSlope; break;
        default: break;
        }
        strWhat = EditorsText(eText, language).arg(strDetail);
        break;
    }
    case EProblem::kUnreadableLine: strWhat = EditorsText(EEditorsText::ImportUnreadableLine, language); break;
    case EProblem::kNoFilters: strWhat = EditorsText(EEditorsText::ImportNoFilters, language); break;
    case EProblem::kPreampNotApplied: strWhat = EditorsText(EEditorsText::ImportPreamp, language).arg(strDetail); break;
    case EProblem::kGraphicMode: strWhat = EditorsText(EEditorsText::ImportGraphicMode, language); break;
    case EProblem::kLocked: strWhat = EditorsText(EEditorsText::ImportLocked, language); break;
    }
    if (problem.nLine == 0)
        return EditorsText(EEditorsText::ImportWholeFile, language).arg(strWhat);
    return EditorsText(EEditorsText::ImportFileLine, language).arg(problem.nLine).arg(strWhat);
}

bool Apply(CProcessorLink& link, const Plan& plan)
{
    if (!plan.CanApply())
        return false;
    const BandParams p = ParamsOf(plan.channel);
    bool bChanged = false;
    for (const PlannedBand& band : plan.bands)
    {
        const ParamAt at{plan.channel.nIndex, band.nBand};
        const bool bShelf = ParamCatalogue::Get(p.eType, link.Record(), at) != kFilterParametric;
        bool bBand = link.EditQuietly(p.eFreq, at, band.nFreq);
        bBand = link.EditQuietly(bShelf ? p.eSlope : p.eWidth, at, bShelf ? band.nSlope : band.nWidthStep) || bBand;
        // Last: any gain but 0 dB switches the band on.
        bBand = link.EditQuietly(p.eGain, at, band.nGainStep) || bBand;
        // One notice per band: its three values are one change to a listener.
        if (bBand)
            link.Notice().NotifyValueChanged(ParamCatalogue::ChannelCode(p.eGain, at), p.eGain);
        bChanged = bBand || bChanged;
    }
    return bChanged;
}
}
