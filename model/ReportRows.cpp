#include "model/ReportRows.h"

#include "model/EQ.h"

#include <array>

namespace
{
using ReportRows::kNoCell;
using ReportRows::Row;

std::array<Row, ReportRows::kRowCount> BuildRows()
{
    std::array<Row, ReportRows::kRowCount> rows{};
    size_t n = 0;
    auto add = [&](EParam input, EParam output, int index = 0) { rows.at(n++) = Row{input, output, index}; };
    add(EParam::kInName, EParam::kOutName);
    add(EParam::kInOn, EParam::kOutOn);
    add(EParam::kInGain, EParam::kOutGain);
    add(EParam::kInGate, kNoCell);
    add(EParam::kInPolarity, EParam::kOutPolarity);
    add(EParam::kInDelay, EParam::kOutDelay);
    for (int k = 0; k < CEQ::kOutputBands; ++k)
    {
        add(EParam::kInBandType, EParam::kOutBandType, k);
        add(EParam::kInBandGain, EParam::kOutBandGain, k);
        add(EParam::kInBandFreq, EParam::kOutBandFreq, k);
        add(EParam::kInBandWidth, EParam::kOutBandWidth, k);
    }
    for (int i = 0; i < ParamCatalogue::IndexCount(EParam::kOutRoute); ++i)
        add(kNoCell, EParam::kOutRoute, i);
    for (EParam param : {EParam::kLowPassType, EParam::kLowPassFreq, EParam::kLowPassSlope, EParam::kHighPassType,
                         EParam::kHighPassFreq, EParam::kHighPassSlope, EParam::kLimitThreshold,
                         EParam::kLimitAttack, EParam::kLimitRelease})
        add(kNoCell, param);
    return rows;
}

EParam Any(const Row& row)
{
    return row.eOutput != kNoCell ? row.eOutput : row.eInput;
}
}

namespace ReportRows
{
std::span<const Row> Rows()
{
    static const auto rows = BuildRows();
    return rows;
}

std::string Title(const Row& row, ELanguage language)
{
    return ParamCatalogue::Caption(Any(row), language, row.nIndex);
}

EParamGroup Group(const Row& row)
{
    return ParamCatalogue::Param(Any(row)).eGroup;
}

bool IsUserText(const Row& row)
{
    return ParamCatalogue::Param(Any(row)).eEntry == EEntry::kText;
}

std::string Cell(const Row& row, const CAudio_Data& data, EParamSide side, int channel, ELanguage language,
                 const CLockState* locks)
{
    EParam param = side == EParamSide::kInput ? row.eInput : row.eOutput;
    if (param == kNoCell || row.nIndex >= ParamCatalogue::IndexCount(param))
        return {};
    const ParamAt at{channel, row.nIndex};
    if (ParamCatalogue::BandShowsSlope(param, data, at))
        param = side == EParamSide::kInput ? EParam::kInBandSlope : EParam::kOutBandSlope;
    return ParamCatalogue::Format(param, data, at, language, locks);
}
}
