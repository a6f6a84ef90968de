#pragma once

#include "model/ParamCatalogue.h"
#include "model/ValueText.h"

#include <span>
#include <string>

// The rows of the parameter report in its order, built from the catalogue:
// name, mute, gain, noise gate, polarity, delay; type, gain, frequency and
// width of each of the 15 EQ bands; the four routing sources; the low-pass
// and high-pass filters; the limiter. 79 rows.
namespace ReportRows
{
constexpr int kRowCount = 79;
// Marks a side that has no cell in a row.
constexpr EParam kNoCell = EParam::kCount;

struct Row
{
    EParam eInput;
    EParam eOutput;
    int nIndex;  // band or source input
};

std::span<const Row> Rows();
// "Gain" / "增益", "EQ3 FQCY" / "均衡3 频率", "Src CHB" / "音源 CHB".
std::string Title(const Row& row, ELanguage language);
EParamGroup Group(const Row& row);
// Whether the row's cells hold what a user typed (the channel names).
bool IsUserText(const Row& row);
// The text of one channel's cell, the lock text where a lock covers it; ""
// where the row has no cell for that side or the channel lacks the band. A
// shelf band's width cell shows its slope.
std::string Cell(const Row& row, const CAudio_Data& data, EParamSide side, int channel, ELanguage language,
                 const CLockState* locks);
}
