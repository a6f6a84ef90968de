#include "cli/ProgramJson.h"

#include "model/Audio_Data.h"
#include "model/LockState.h"
#include "model/ProgramBank.h"

#include <QByteArray>
#include <QJsonArray>

#include <algorithm>
#include <string>

namespace
{
QString Latin1(const std::string& bytes)
{
    return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

template <class TBytes>
QJsonArray ByteArray(const TBytes& bytes)
{
    QJsonArray array;
    for (uint8_t by : bytes)
        array.append(by);
    return array;
}

QJsonValue ToJson(int value)
{
    return value;
}

QJsonValue ToJson(uint8_t value)
{
    return value;
}

QJsonValue ToJson(double value)
{
    return value;
}

QJsonValue ToJson(const CAudio_Channel::Name& name)
{
    return Latin1(std::string(name.begin(), std::find(name.begin(), name.end(), '\0')));
}

// The fields of `record` that carry one of `tags`, under their names.
template <class TRecord>
QJsonObject Fields(const TRecord& record, unsigned tags)
{
    QJsonObject json;
    TRecord::VisitFields(
        [&](RecordField::Field field, const auto& value) {
            if (field.Has(tags))
                json.insert(QLatin1StringView(field.name), ToJson(value));
        },
        record);
    return json;
}

QJsonObject Filter(const CFilter& filter)
{
    return Fields(filter, RecordField::kFile);
}

QJsonArray Bands(const CAudio_Channel& channel)
{
    QJsonArray bands;
    for (int k = 0; k < channel.GetBandCount(); ++k)
        bands.append(Filter(channel.GetBand(k)));
    return bands;
}

QJsonObject Input(const CAudio_InData& in, bool bWithGate)
{
    QJsonObject json = Fields(in, bWithGate ? RecordField::kFile | RecordField::kBlockOnly : RecordField::kFile);
    json.insert("bands", Bands(in));
    return json;
}

QJsonObject Output(const CAudio_OutData& out)
{
    QJsonObject json = Fields(out, RecordField::kFile);
    json.insert("bands", Bands(out));
    json.insert("highPass", Filter(out.GetHighPass()));
    json.insert("lowPass", Filter(out.GetLowPass()));
    return json;
}

void AddChannels(const CAudio_Data& program, bool bWithGate, QJsonObject& json)
{
    QJsonArray inputs;
    for (int i = 0; i < CAudio_InRoute::kCount; ++i)
        inputs.append(Input(program.Input(i), bWithGate));
    QJsonArray outputs;
    for (int i = 0; i < CAudio_OutRoute::kCount; ++i)
        outputs.append(Output(program.Output(i)));
    json.insert("inputs", inputs);
    json.insert("outputs", outputs);
}
}

namespace ProgramJson
{
QJsonObject Program(const CAudio_Data& program, const CLockState& locks)
{
    QJsonArray functionLocks;
    for (int flag = 0; flag < CLockState::kFunctionFlags; ++flag)
        functionLocks.append(locks.m_abyFlags[static_cast<size_t>(flag)]);
    QJsonObject json{
        {"kind", "program"},
        {"name", Latin1(program.GetName())},
        {"functionLocks", functionLocks},
    };
    AddChannels(program, false, json);
    return json;
}

QJsonObject Bank(const CProgramBank& bank, int nOnly)
{
    QJsonArray programs;
    for (int n = 1; n <= CProgramBank::kSlots; ++n)
    {
        if (nOnly != 0 && n != nOnly)
            continue;
        const CImageSlot& slot = bank.GetAt(n - 1);
        const QByteArray image(reinterpret_cast<const char*>(slot.abyImage.data()),
                               static_cast<qsizetype>(slot.abyImage.size()));
        QJsonObject json{
            {"program", n},
            {"name", Latin1(slot.strName)},
            {"lockBytes", ByteArray(slot.abyInfo)},
            {"image", QString::fromLatin1(image.toHex())},
        };
        CAudio_Data program;
        program.LoadFromImage(slot);
        AddChannels(program, true, json);
        programs.append(json);
    }
    return {{"kind", "bank"}, {"programs", programs}};
}
}
