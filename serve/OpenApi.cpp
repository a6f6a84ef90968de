#include "serve/OpenApi.h"

#include "model/Audio_Channel.h"
#include "model/DataDefine.h"
#include "model/Scale.h"
#include "serve/ParamAddress.h"
#include "serve/ParamValue.h"
#include "wire/WireNumbers.h"

#include <QJsonArray>
#include <QString>

namespace
{
QJsonObject Ref(const char* pszName)
{
    return {{"$ref", QStringLiteral("#/components/schemas/%1").arg(QLatin1String(pszName))}};
}

QJsonObject JsonAnswer(const QString& strDescription, const QJsonObject& schema)
{
    return {{"description", strDescription}, {"content", QJsonObject{{"application/json", QJsonObject{{"schema", schema}}}}}};
}

QJsonObject PathNumber(const char* pszName, int nCount)
{
    return {{"name", QLatin1String(pszName)},
            {"in", "path"},
            {"required", true},
            {"schema", QJsonObject{{"type", "integer"}, {"minimum", 1}, {"maximum", nCount}}}};
}

QJsonObject Faults()
{
    return {{"400", JsonAnswer("malformed JSON or a value of the wrong kind", Ref("Error"))},
            {"401", JsonAnswer("the bearer token is missing or wrong", Ref("Error"))},
            {"403", JsonAnswer("another web page's origin, or a host name not the service's", Ref("Error"))},
            {"404", JsonAnswer("no such parameter, channel or program", Ref("Error"))},
            {"413", JsonAnswer("the body is larger than the limit", Ref("Error"))},
            {"415", JsonAnswer("a write that is not application/json", Ref("Error"))},
            {"422", JsonAnswer("out of the range the parameter takes now", Ref("Error"))},
            {"423", JsonAnswer("locked by a function lock; nothing was sent", Ref("Error"))},
            {"429", JsonAnswer("too many requests from this address", Ref("Error"))},
            {"503", JsonAnswer("the processor is not online", Ref("Error"))}};
}

// What a write of the row takes.
QJsonObject WriteSchema(EParam param)
{
    const ParamRow& row = ParamCatalogue::Param(param);
    QJsonObject value;
    if (row.eEntry == EEntry::kText)
        value = {{"type", "string"}, {"maxLength", CAudio_Channel::kNameBytes}, {"pattern", "^[ -~]*$"}};
    else if (row.pScale != nullptr)
    {
        const QJsonValue low = ParamValues::Value(param, row.nMin);
        const QJsonValue high = ParamValues::Value(param, row.nMax);
        value = {{"oneOf", QJsonArray{QJsonObject{{"type", "number"}, {"minimum", low}, {"maximum", high}},
                                      QJsonObject{{"type", "string"}, {"description", "a text as the window takes it"}}}},
                 {"description", QStringLiteral("in %1").arg(QLatin1String(row.pScale->pszUnit))}};
        if (row.pScale->nOffStep >= 0)
            value["nullable"] = true;
    }
    else
    {
        QJsonArray choices;
        for (int n = row.nMin; n <= row.nMax; ++n)
            choices.append(QString::fromStdString(ParamCatalogue::FormatStep(param, n, kEnglish)));
        value = {{"oneOf", QJsonArray{QJsonObject{{"type", "string"}, {"enum", choices}},
                                      QJsonObject{{"type", "integer"}, {"minimum", row.nMin}, {"maximum", row.nMax}}}}};
        if (row.nMax - row.nMin == 1)
            value["oneOf"] = value["oneOf"].toArray() + QJsonObject{{"type", "boolean"}};
    }
    QJsonObject properties{{"value", value}};
    if (row.eEntry != EEntry::kText)
        properties["step"] = QJsonObject{{"type", "integer"}, {"minimum", row.nMin}, {"maximum", row.nMax}};
    return {{"type", "object"}, {"properties", properties}, {"minProperties", 1}, {"maxProperties", 1}};
}

QJsonObject ParameterPath(EParam param)
{
    const ParamRow& row = ParamCatalogue::Param(param);
    QJsonArray parameters;
    if (row.eSide != EParamSide::kProgram)
        parameters.append(PathNumber("channel", ParamCatalogue::ChannelCount(param)));
    if (ParamAddresses::IndexWord(param) != nullptr)
        parameters.append(PathNumber(param == EParam::kOutRoute ? "source" : "band", ParamCatalogue::IndexCount(param)));
    QString strSummary = QString::fromStdString(ParamCatalogue::Caption(param, kEnglish)).trimmed();
    if (row.nLockFlag != kNoLock)
        strSummary += QStringLiteral(" (function lock %1)").arg(row.nLockFlag);
    QJsonObject put{{"summary", "write " + strSummary},
                    {"requestBody", QJsonObject{{"required", true},
                                                {"content", QJsonObject{{"application/json",
                                                                         QJsonObject{{"schema", WriteSchema(param)}}}}}}},
                    {"responses", Faults()}};
    QJsonObject answers = put["responses"].toObject();
    answers["200"] = JsonAnswer("what the record holds now", Ref("Parameter"));
    put["responses"] = answers;
    return {{"parameters", parameters},
            {"get", QJsonObject{{"summary", strSummary},
                                {"responses", QJsonObject{{"200", JsonAnswer("the value", Ref("Parameter"))}}}}},
            {"put", put}};
}

QJsonObject Get(const QString& strSummary, const QJsonObject& schema)
{
    return {{"get", QJsonObject{{"summary", strSummary}, {"responses", QJsonObject{{"200", JsonAnswer(strSummary, schema)}}}}}};
}
}

namespace OpenApi
{
QJsonObject Document()
{
    QJsonObject paths;
    paths["/api/v1/processor"] = Get("model, device ID, firmware and online state", {{"type", "object"}});
    paths["/api/v1/program"] = Get("the live program, the document of `orvan-cli show --json`", {{"type", "object"}});
    paths["/api/v1/programs"] = Get("names of programs 1 to 30 and the current number", {{"type", "object"}});
    paths["/api/v1/parameters"] = Get("every parameter's value; ?prefix=outputs/3/ narrows them", {{"type", "object"}});
    paths["/api/v1/openapi.json"] = Get("this document", {{"type", "object"}});
    const QJsonObject slot = PathNumber("n", Frame::kProgramNumbers - 1);
    QJsonObject accepted = Faults();
    accepted["202"] = JsonAnswer("started; transfer events tell its progress and end", {{"type", "object"}});
    paths["/api/v1/programs/{n}/recall"] =
        QJsonObject{{"parameters", QJsonArray{slot}},
                    {"post", QJsonObject{{"summary", "recall program n into the live program"}, {"responses", accepted}}}};
    paths["/api/v1/programs/{n}/store"] = QJsonObject{
        {"parameters", QJsonArray{slot}},
        {"post",
         QJsonObject{{"summary", "store the live program into slot n, under its name or the one given"},
                     {"requestBody",
                      QJsonObject{{"required", false},
                                  {"content",
                                   QJsonObject{{"application/json",
                                                QJsonObject{{"schema",
                                                             QJsonObject{{"type", "object"},
                                                                         {"properties",
                                                                          QJsonObject{{"name", QJsonObject{{"type", "string"},
                                                                                                           {"maxLength", Frame::kProgramNameBytes}}}}}}}}}}}}},
                     {"responses", accepted}}}};
    for (const char* pszSide : {"inputs", "outputs"})
    {
        const bool bInput = QLatin1String(pszSide) == QLatin1String("inputs");
        QJsonObject put{{"summary", "mute (true) or unmute"},
                        {"requestBody",
                         QJsonObject{{"required", true},
                                     {"content", QJsonObject{{"application/json",
                                                              QJsonObject{{"schema",
                                                                           QJsonObject{{"type", "object"},
                                                                                       {"properties",
                                                                                        QJsonObject{{"value", QJsonObject{{"type", "boolean"}}}}}}}}}}}}},
                        {"responses", Faults()}};
        paths[QStringLiteral("/api/v1/%1/{channel}/mute").arg(QLatin1String(pszSide))] = QJsonObject{
            {"parameters", QJsonArray{PathNumber("channel", bInput ? Frame::kInputCount : Frame::kOutputCount)}},
            {"get", QJsonObject{{"summary", "whether the channel is muted"},
                                {"responses", QJsonObject{{"200", JsonAnswer("the mute", {{"type", "object"}})}}}}},
            {"put", put}};
    }
    for (const ParamRow& row : ParamCatalogue::Params())
        paths["/api/v1/" + QString::fromStdString(ParamAddresses::Pattern(row.eParam))] = ParameterPath(row.eParam);

    const QJsonObject schemas{
        {"Error", QJsonObject{{"type", "object"},
                              {"required", QJsonArray{"error", "message"}},
                              {"properties", QJsonObject{{"error", QJsonObject{{"type", "string"}}},
                                                         {"message", QJsonObject{{"type", "string"}}}}}}},
        {"Parameter",
         QJsonObject{{"type", "object"},
                     {"properties", QJsonObject{{"path", QJsonObject{{"type", "string"}}},
                                                {"step", QJsonObject{{"type", "integer"}}},
                                                {"value", QJsonObject{{"description", "in display units; null for OFF"}}},
                                                {"text", QJsonObject{{"type", "string"}}},
                                                {"min", QJsonObject{{"type", "integer"}}},
                                                {"max", QJsonObject{{"type", "integer"}}},
                                                {"locked", QJsonObject{{"type", "boolean"}}}}}}},
    };
    return {{"openapi", "3.0.3"},
            {"info", QJsonObject{{"title", "Loudspeaker processor show control"}, {"version", "1"}}},
            {"components", QJsonObject{{"schemas", schemas},
                                       {"securitySchemes", QJsonObject{{"bearer", QJsonObject{{"type", "http"},
                                                                                               {"scheme", "bearer"}}}}}}},
            {"security", QJsonArray{QJsonObject{{"bearer", QJsonArray{}}}}},
            {"paths", paths}};
}
}
