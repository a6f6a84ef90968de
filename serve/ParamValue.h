#pragma once

#include "serve/ApiFault.h"
#include "serve/ParamAddress.h"

#include <QJsonObject>
#include <QJsonValue>

#include <optional>
#include <string>

class CAudio_Data;
class CLockState;

// A parameter's value as remote clients read and write it, by the
// catalogue's rows alone: the step the processor stores, the value in
// display units (a number for a scaled row, the English text for a choice,
// the name for a name row; null for "OFF") and the text the window shows.
// A value written is parsed as the window parses what is typed, and
// checked against the range the record allows at that moment.
namespace ParamValues
{
// {"path", "step", "value", "text", "min", "max", "unit", "locked"}; a name
// row has "value" alone besides path and locked.
QJsonObject Describe(const ParamAddress& address, const CAudio_Data& data, const CLockState& locks);
// The value in display units of a step, as Describe gives it.
QJsonValue Value(EParam param, int step);

struct StepOrFault
{
    int nStep = 0;
    std::optional<CApiFault> fault;
};
// The step a written value asks for: `value` a number in display units (a
// choice takes its step number, a two-way choice true or false too) or a
// text as the window takes it ("-3.0dB", "On", "OFF"); or `step` a whole
// number. Out of the record's current range is a fault, except where the
// row only keeps a crossover pair in order, which takes the nearest step.
StepOrFault StepOf(const ParamAddress& address, const QJsonValue& value, const QJsonValue& step,
                   const CAudio_Data& data);

struct NameOrFault
{
    std::string strName;
    std::optional<CApiFault> fault;
};
// A name written: up to nLength printable ASCII characters (a channel's
// eight, a program's twelve).
NameOrFault NameOf(const QJsonValue& value, int nLength);
}
