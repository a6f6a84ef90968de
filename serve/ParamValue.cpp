#include "serve/ParamValue.h"

#include "model/Audio_Data.h"
#include "model/LockState.h"
#include "model/Scale.h"

#include <QJsonArray>
#include <QString>

#include <algorithm>
#include <climits>
#include <cmath>

namespace
{
constexpr int kNoValue = INT_MIN;

QString PathText(const ParamAddress& address)
{
    return QString::fromStdString(ParamAddresses::Path(address));
}

CApiFault BadValue(const ParamAddress& address)
{
    return {EApiFault::kBadValue, {PathText(address)}};
}

// The text of a number that Parse reads back exactly, whatever the locale.
std::string NumberText(double dValue)
{
    return QString::number(dValue, 'g', 15).toStdString();
}
}

namespace ParamValues
{
QJsonValue Value(EParam param, int step)
{
    const ParamRow& row = ParamCatalogue::Param(param);
    if (row.pScale == nullptr)
        return QString::fromStdString(ParamCatalogue::FormatStep(param, step, kEnglish));
    if (row.pScale->IsOff(step))
        return QJsonValue::Null;
    bool bOk = false;
    const double dValue = QString::fromStdString(row.pScale->Number(step, EUnit::kNative)).toDouble(&bOk);
    return bOk ? QJsonValue(dValue) : QJsonValue(QJsonValue::Null);
}

QJsonObject Describe(const ParamAddress& address, const CAudio_Data& data, const CLockState& locks)
{
    const EParam param = address.eParam;
    const ParamRow& row = ParamCatalogue::Param(param);
    QJsonObject json{
        {"path", PathText(address)},
        {"locked", ParamCatalogue::IsLocked(param, &locks)},
    };
    if (row.eEntry == EEntry::kText)
    {
        json["value"] = QString::fromLatin1(ParamCatalogue::GetText(param, data, address.at).c_str());
        return json;
    }
    const int step = ParamCatalogue::Get(param, data, address.at);
    const ParamCatalogue::StepRange range = ParamCatalogue::Range(param, data, address.at);
    json["step"] = step;
    json["value"] = Value(param, step);
    json["text"] = QString::fromStdString(ParamCatalogue::FormatStep(param, step, kEnglish, false, EUnit::kNative,
                                                                     ParamCatalogue::Shown(param, data, address.at)));
    json["min"] = range.nMin;
    json["max"] = range.nMax;
    if (row.pScale != nullptr)
        json["unit"] = QLatin1String(row.pScale->pszUnit);
    else
    {
        QJsonArray choices;
        for (int n = row.nMin; n <= row.nMax; ++n)
            choices.append(QString::fromStdString(ParamCatalogue::FormatStep(param, n, kEnglish)));
        json["choices"] = choices;
    }
    return json;
}

StepOrFault StepOf(const ParamAddress& address, const QJsonValue& value, const QJsonValue& step,
                   const CAudio_Data& data)
{
    const EParam param = address.eParam;
    const ParamRow& row = ParamCatalogue::Param(param);
    const ParamCatalogue::StepRange range = ParamCatalogue::Range(param, data, address.at);
    if (row.eEntry == EEntry::kText || value.isUndefined() == step.isUndefined())
        return {0, BadValue(address)};

    int nStep = kNoValue;
    QString strAsked;
    if (!step.isUndefined())
    {
        const double dStep = step.toDouble(std::nan(""));
        if (!step.isDouble() || dStep != std::floor(dStep) || std::abs(dStep) > 1e6)
            return {0, BadValue(address)};
        nStep = static_cast<int>(dStep);
        strAsked = QString::number(nStep);
    }
    else if (value.isBool() && row.eEntry == EEntry::kChoice && row.nMax - row.nMin == 1)
        nStep = value.toBool() ? row.nMax : row.nMin;
    else if (value.isDouble() && row.eEntry == EEntry::kChoice)
    {
        const double dStep = value.toDouble();
        if (dStep != std::floor(dStep) || std::abs(dStep) > 1e6)
            return {0, BadValue(address)};
        nStep = static_cast<int>(dStep);
    }
    else if (value.isDouble() || value.isString() || (value.isNull() && row.pScale && row.pScale->nOffStep >= 0))
    {
        std::string strText = value.isDouble() ? NumberText(value.toDouble()) : value.toString().toStdString();
        if (value.isNull())
            strText = "OFF";
        const TypedStep typed = ParamCatalogue::Parse(param, strText, kNoValue);
        if (typed.nStep == kNoValue)
            return {0, BadValue(address)};
        // A value beyond the scale comes back clamped and flagged.
        if (typed.bOutOfRange)
            return {0, CApiFault{EApiFault::kOutOfRange,
                                 {QString::fromStdString(strText),
                                  QString::fromStdString(ParamCatalogue::FormatStep(param, range.nMin, kEnglish)),
                                  QString::fromStdString(ParamCatalogue::FormatStep(param, range.nMax, kEnglish))}}};
        nStep = typed.nStep;
        strAsked = QString::fromStdString(strText);
    }
    else
        return {0, BadValue(address)};

    if (strAsked.isEmpty())
        strAsked = QString::number(nStep);
    const bool bInRow = nStep >= row.nMin && nStep <= row.nMax;
    if (nStep >= range.nMin && nStep <= range.nMax)
        return {nStep, std::nullopt};
    if (bInRow && ParamCatalogue::NarrowsSilently(param))
        return {std::clamp(nStep, range.nMin, range.nMax), std::nullopt};
    return {0, CApiFault{EApiFault::kOutOfRange,
                         {strAsked, QString::fromStdString(ParamCatalogue::FormatStep(param, range.nMin, kEnglish)),
                          QString::fromStdString(ParamCatalogue::FormatStep(param, range.nMax, kEnglish))}}};
}

NameOrFault NameOf(const QJsonValue& value, int nLength)
{
    const CApiFault bad{EApiFault::kBadName, {QString::number(nLength)}};
    if (!value.isString())
        return {{}, bad};
    const QString strName = value.toString();
    if (strName.size() > nLength)
        return {{}, bad};
    for (QChar c : strName)
        if (c.unicode() < 0x20 || c.unicode() > 0x7E)
            return {{}, bad};
    return {strName.toStdString(), std::nullopt};
}
}
