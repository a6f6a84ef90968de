#include "report/ReportBuilder.h"

#include "report/ReportExport.h"
#include "model/ChannelAddress.h"
#include "model/ReportRows.h"
#include "wire/WireNumbers.h"

#include <array>
#include <string>

namespace
{
constexpr int kTitleWidth = 90;
constexpr int kChannelWidth = 95;
constexpr std::array<const char*, Frame::kInputCount> kInputHeadings{"CH_A", "CH_B", "CH_C", "CH_D"};

ReportColour Background(const ReportRows::Row& row)
{
    switch (ReportRows::Group(row))
    {
    case EParamGroup::kName:
        return {243, 0, 0};
    case EParamGroup::kEq:
        // Bands alternate so that the four rows of one band read as a block.
        return row.nIndex % 2 == 0 ? ReportColour{202, 202, 202} : ReportColour{128, 128, 128};
    case EParamGroup::kLowPass:
        return {94, 121, 168};
    case EParamGroup::kHighPass:
        return {135, 156, 190};
    case EParamGroup::kLimiter:
        return {190, 202, 220};
    default:
        return {0, 138, 0};
    }
}

ReportCell MakeCell(const ReportRows::Row& row, std::string text)
{
    if (ReportRows::IsUserText(row))
        return ReportCell{std::move(text), EReportCell::UserText};
    const bool bNumber = ParseSheetNumber(text).has_value();
    return ReportCell{std::move(text), bNumber ? EReportCell::Number : EReportCell::Text};
}
}

CReportTable BuildReportTable(const CAudio_Data& data, const CLockState* pLocks, int nInputs, int nOutputs,
                              ELanguage eLanguage)
{
    CReportTable table;
    table.AddColumn({"Type", kTitleWidth});
    for (int i = 0; i < Frame::kInputCount; ++i)
        table.AddColumn({i < nInputs ? kInputHeadings.at(static_cast<size_t>(i)) : "", kChannelWidth});
    for (int o = 0; o < Frame::kOutputCount; ++o)
        table.AddColumn({o < nOutputs ? "CH_" + std::to_string(o + 1) : std::string(), kChannelWidth});

    for (const ReportRows::Row& row : ReportRows::Rows())
    {
        ReportRow line;
        line.background = Background(row);
        line.cells.resize(Frame::kChannelCount);
        // A source row of an input the processor lacks has neither title nor cells.
        const bool bMissingSource = row.eOutput == EParam::kOutRoute && row.nIndex >= nInputs;
        if (!bMissingSource)
        {
            line.strTitle = ReportRows::Title(row, eLanguage);
            for (int i = 0; i < nInputs && i < Frame::kInputCount; ++i)
                line.cells[static_cast<size_t>(i)]
                    = MakeCell(row, ReportRows::Cell(row, data, EParamSide::kInput, i, eLanguage, pLocks));
            for (int o = 0; o < nOutputs && o < Frame::kOutputCount; ++o)
                line.cells[static_cast<size_t>(ChannelAddress::Output(o).Column())]
                    = MakeCell(row, ReportRows::Cell(row, data, EParamSide::kOutput, o, eLanguage, pLocks));
        }
        table.AddRow(std::move(line));
    }
    return table;
}
