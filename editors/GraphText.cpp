#include "editors/GraphText.h"

#include "editors/EditorsText.h"
#include "model/Filter.h"
#include "model/ValueText.h"

namespace
{
QString Line(EEditorsText caption, const std::string& value, ELanguage language)
{
    return EditorsText(caption, language) + QLatin1Char(' ') + QString::fromStdString(value);
}
}

QString PointerReadoutText(Point pointer, const GraphLayout& layout, ELanguage language)
{
    const PointerValue value = ValueAtPointer(pointer, layout);
    if (!value.bInPlot)
        return {};
    return EditorsText(EEditorsText::Readout, language)
        .arg(QString::fromStdString(FormatFreq(value.nFreq, language)),
             EditorsText(EEditorsText::LevelValue, language).arg(value.nLevelDb));
}

QStringList DragInfoLines(const CFilter& filter, ELanguage language)
{
    QStringList lines{Line(EEditorsText::DragFrequency, FormatFreq(filter.GetFrequency(), language), language)};
    switch (filter.GetType())
    {
    case CFilter::kHighPass:
    case CFilter::kLowPass:
        lines << Line(EEditorsText::DragSlope, FormatSlope(filter.GetSlope(), language), language);
        break;
    case CFilter::kParametric:
        lines << Line(EEditorsText::DragGain,
                      FormatEqGain(filter.GetGainStep(), filter.IsInactive(), language), language);
        lines << Line(EEditorsText::DragBandwidth, FormatBandwidth(filter.GetBandwidthStep(), language), language);
        break;
    default:
        lines << Line(EEditorsText::DragGain,
                      FormatEqGain(filter.GetGainStep(), filter.IsInactive(), language), language);
        break;
    }
    return lines;
}

QString PointLabelText(const CFilter& filter, int index)
{
    if (filter.GetType() == CFilter::kHighPass)
        return QStringLiteral("H");
    if (filter.GetType() == CFilter::kLowPass)
        return QStringLiteral("L");
    return QString::number(index + 1);
}
