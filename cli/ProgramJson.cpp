#include "cli/ProgramJson.h"

#include "model/Audio_Data.h"
#include "model/LockState.h"
#include "model/ProgramBank.h"

#include <QByteArray>
#include <QJsonArray>

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

QJsonObject Filter(const CFilter& filter)
{
    return {
        {"type", filter.m_nType},
        {"frequency", filter.m_nFreq},
        {"geqFrequency", filter.m_nGeqFreq},
        {"sentFrequency", filter.m_nSentFreq},
        {"gain", filter.m_dGain},
        {"bypass", filter.m_bBypass},
        {"off", filter.m_bOff},
        {"bandwidth", filter.m_dBandwidth},
        {"geqBandwidth", filter.m_dGeqBandwidth},
        {"xoverType", filter.m_nXoverType},
        {"slope", filter.m_nSlope},
        {"code", filter.m_nCode},
    };
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
    QJsonObject json{
        {"name", Latin1(in.GetName())},
        {"on", in.m_bOn},
        {"polarity", in.m_bInvert},
        {"delay", in.m_nDelay},
        {"gain", in.m_nGain},
        {"gateActive", in.m_bGateActive},
        {"spare", in.m_nSpare15},
        {"paramCode", in.m_byParamCode},
        {"channel", in.m_byChannel},
        {"bands", Bands(in)},
    };
    if (bWithGate)
        json.insert("gate", in.m_nGate);
    return json;
}

QJsonObject Output(const CAudio_OutData& out)
{
    return {
        {"name", Latin1(out.GetName())},
        {"reserved", out.m_nReserved},
        {"nameCode", out.m_byNameCode},
        {"on", out.m_bOn},
        {"gain", out.m_nGain},
        {"polarity", out.m_bInvert},
        {"routing", out.m_byRoute},
        {"delay", out.m_nDelay},
        {"paramCode", out.m_byParamCode},
        {"geqMode", out.m_bGeqMode},
        {"limitThreshold", out.m_nLimitThreshold},
        {"limitAttack", out.m_nLimitAttack},
        {"limitRelease", out.m_nLimitRelease},
        {"limitCode", out.m_byLimitCode},
        {"channel", out.m_byChannel},
        {"bands", Bands(out)},
        {"highPass", Filter(out.GetHighPass())},
        {"lowPass", Filter(out.GetLowPass())},
    };
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
