#include "model/ParamCatalogue.h"

// The rows' texts: captions, the text of a step and of the stored value,
// the numeric field's text, and a typed text back to a step.

namespace ParamCatalogue
{
std::string Caption(EParam param, ELanguage language, int index)
{
    const ParamRow& row = Param(param);
    const std::string caption = language == kEnglish ? row.pszEnglish : row.pszChinese;
    switch (row.eIndex)
    {
    case EParamIndex::kBand:
        return (language == kEnglish ? "EQ" : "均衡") + std::to_string(index + 1) + caption;
    case EParamIndex::kSource:
        return caption + static_cast<char>('A' + index);
    case EParamIndex::kNone:
        break;
    }
    return caption;
}

std::string FormatStep(EParam param, int step, ELanguage language, bool locked, EUnit unit, ParamShown shown)
{
    const ParamRow& row = Param(param);
    if (locked)
        return LockText(language);
    if (unit != EUnit::kNative && row.pScale != nullptr && row.pScale->HasView(unit))
        return row.pScale->Text(step, unit);
    if (row.pfnFormat == nullptr)
        return {};
    return row.pfnFormat(step, language, false, shown);
}

std::string FieldText(EParam param, int step, ELanguage language, bool locked, EUnit unit)
{
    const ParamRow& row = Param(param);
    if (locked)
        return LockText(language);
    if (row.pScale == nullptr)
        return FormatStep(param, step, language, false, unit);
    return row.bFieldUnit ? row.pScale->Text(step, unit) : row.pScale->Number(step, unit);
}

std::string Format(EParam param, const CAudio_Data& data, ParamAt at, ELanguage language, const CLockState* locks, EUnit unit)
{
    const ParamRow& row = Param(param);
    const bool locked = IsLocked(param, locks);
    if (row.eEntry == EEntry::kText)
        return locked ? std::string(LockText(language)) : GetText(param, data, at);
    if (!IsAddressed(param, at))
        return {};
    return FormatStep(param, Get(param, data, at), language, locked, unit, Shown(param, data, at));
}

TypedStep Parse(EParam param, const std::string& text, int current, EUnit unit)
{
    const ParamRow& row = Param(param);
    if (row.eEntry == EEntry::kChoice)
    {
        for (int step = row.nMin; step <= row.nMax; ++step)
            for (ELanguage language : {kEnglish, kChinese})
                if (FormatStep(param, step, language) == text)
                    return {step, false};
        return {current, true};
    }
    if (row.pScale == nullptr)
        return {current, true};
    return row.pScale->Parse(text, current, unit);
}
}
