#include "cli/ProgramText.h"

#include "model/Audio_Data.h"
#include "cli/ByteText.h"
#include "model/ValueText.h"
#include "model/LockItems.h"
#include "model/LockState.h"
#include "model/ParamCatalogue.h"
#include "model/ProgramBank.h"

#include <array>
#include <string>

namespace
{
QString Q(const std::string& text)
{
    return QString::fromStdString(text);
}

QString FunctionLocks(const CLockState& locks)
{
    QStringList inputs;
    QStringList outputs;
    QStringList reserved;
    for (int flag = 0; flag < CLockState::kFunctionFlags; ++flag)
    {
        if (!locks.IsLocked(flag))
            continue;
        if (LockItems::Find(flag) == nullptr)
            reserved << QString::number(flag);
        else if (flag < CLockState::kOutGain)
            inputs << Q(LockItems::Name(flag, kEnglish));
        else
            outputs << Q(LockItems::Name(flag, kEnglish));
    }
    QStringList parts;
    if (!inputs.isEmpty())
        parts << "inputs " + inputs.join(", ");
    if (!outputs.isEmpty())
        parts << "outputs " + outputs.join(", ");
    if (!reserved.isEmpty())
        parts << "reserved flags " + reserved.join(", ");
    return "Function locks: " + (parts.isEmpty() ? QStringLiteral("none") : parts.join("; "));
}

// One program's texts in English; bank slots have no lock state.
class CDescriber
{
public:
    CDescriber(const CAudio_Data& program, const CLockState* pLocks)
        : m_program(program)
        , m_pLocks(pLocks)
    {
    }

    QString Text(EParam param, ParamAt at = {}, EUnit unit = EUnit::kNative) const
    {
        return Q(ParamCatalogue::Format(param, m_program, at, kEnglish, m_pLocks, unit));
    }
    int Get(EParam param, ParamAt at = {}) const { return ParamCatalogue::Get(param, m_program, at); }
    bool Locked(EParam param) const { return ParamCatalogue::IsLocked(param, m_pLocks); }
    const CAudio_Data& Program() const { return m_program; }

private:
    const CAudio_Data& m_program;
    const CLockState* m_pLocks;
};

// The band rows of one side.
struct BandParams
{
    EParam eType, eFreq, eGain, eWidth, eSlope, eOn, eBypass;
};
constexpr BandParams kInputBands{EParam::kInBandType, EParam::kInBandFreq,  EParam::kInBandGain,  EParam::kInBandWidth,
                                 EParam::kInBandSlope, EParam::kInBandOn, EParam::kInBandBypass};
constexpr BandParams kOutputBands{EParam::kOutBandType,  EParam::kOutBandFreq, EParam::kOutBandGain,
                                  EParam::kOutBandWidth, EParam::kOutBandSlope, EParam::kOutBandOn,
                                  EParam::kOutBandBypass};

QString BandLine(const CDescriber& d, const BandParams& band, ParamAt at)
{
    QString line = QStringLiteral("  EQ %1: %2 %3").arg(at.nIndex + 1, 2).arg(d.Text(band.eType, at), d.Text(band.eFreq, at));
    if (ParamCatalogue::BandShowsSlope(band.eWidth, d.Program(), at))
        line += " " + d.Text(band.eSlope, at);
    else
        line += QStringLiteral(" %1 Q %2").arg(d.Text(band.eWidth, at), d.Text(band.eWidth, at, EUnit::kQ));
    line += " " + d.Text(band.eGain, at);
    const bool bLocked = d.Locked(band.eType);
    if (!bLocked && d.Get(band.eBypass, at))
        line += " (bypassed)";
    else if (!bLocked && !d.Get(band.eOn, at))
        line += " (off)";
    return line;
}

QString XoverText(const char* pszName, const CDescriber& d, EParam freq, EParam type, EParam slope, ParamAt at)
{
    return QStringLiteral("%1 %2 %3 %4").arg(QLatin1String(pszName), d.Text(freq, at), d.Text(type, at), d.Text(slope, at));
}

void DescribeInput(const CDescriber& d, int i, bool bWithGate, QStringList& lines)
{
    const ParamAt at{i};
    QString line = QStringLiteral("Input %1 \"%2\": %3, polarity %4, gain %5, delay %6")
                       .arg(QChar('A' + i))
                       .arg(d.Text(EParam::kInName, at), d.Text(EParam::kInOn, at), d.Text(EParam::kInPolarity, at),
                            d.Text(EParam::kInGain, at), d.Text(EParam::kInDelay, at));
    if (bWithGate)
        line += ", gate " + d.Text(EParam::kInGate, at);
    lines << line;
    for (int k = 0; k < ParamCatalogue::IndexCount(EParam::kInBandType); ++k)
        lines << BandLine(d, kInputBands, {i, k});
}

void DescribeOutput(const CDescriber& d, int i, QStringList& lines)
{
    const ParamAt at{i};
    QStringList routing;
    for (int k = 0; k < ParamCatalogue::IndexCount(EParam::kOutRoute); ++k)
        routing << QStringLiteral("%1 %2").arg(QChar('A' + k)).arg(d.Text(EParam::kOutRoute, {i, k}));
    // The mode is shown even under the EQ lock, as it always was here.
    const QString mode = Q(ParamCatalogue::FormatStep(EParam::kOutEqMode, d.Get(EParam::kOutEqMode, at), kEnglish));
    lines << QStringLiteral("Output %1 \"%2\": %3, polarity %4, gain %5, delay %6, EQ mode %7")
                 .arg(i + 1)
                 .arg(d.Text(EParam::kOutName, at), d.Text(EParam::kOutOn, at), d.Text(EParam::kOutPolarity, at),
                      d.Text(EParam::kOutGain, at), d.Text(EParam::kOutDelay, at), mode);
    lines << "  routing " + routing.join(", ");
    lines << "  " + XoverText("high-pass", d, EParam::kHighPassFreq, EParam::kHighPassType, EParam::kHighPassSlope, at) + ", "
                 + XoverText("low-pass", d, EParam::kLowPassFreq, EParam::kLowPassType, EParam::kLowPassSlope, at);
    lines << QStringLiteral("  limiter threshold %1, attack %2, release %3")
                 .arg(d.Text(EParam::kLimitThreshold, at), d.Text(EParam::kLimitAttack, at),
                      d.Text(EParam::kLimitRelease, at));
    for (int k = 0; k < ParamCatalogue::IndexCount(EParam::kOutBandType); ++k)
        lines << BandLine(d, kOutputBands, {i, k});
}

void DescribeChannels(const CAudio_Data& program, const CLockState* pLocks, bool bWithGate, QStringList& lines)
{
    const CDescriber d(program, pLocks);
    for (int i = 0; i < ParamCatalogue::ChannelCount(EParam::kInName); ++i)
        DescribeInput(d, i, bWithGate, lines);
    for (int i = 0; i < ParamCatalogue::ChannelCount(EParam::kOutName); ++i)
        DescribeOutput(d, i, lines);
}

QString HexBytes(const std::array<uint8_t, CImageSlot::kInfoBytes>& bytes)
{
    QStringList hex;
    for (uint8_t by : bytes)
        hex << ByteText::Hex(by);
    return hex.join(' ');
}
}

namespace ProgramText
{
QStringList DescribeProgram(const CAudio_Data& program, const CLockState& locks)
{
    QStringList lines;
    lines << QStringLiteral("Program \"%1\"").arg(ByteText::Shown(program.GetName()));
    lines << FunctionLocks(locks);
    DescribeChannels(program, &locks, false, lines);
    return lines;
}

QStringList DescribeBank(const CProgramBank& bank, int nOnly)
{
    QStringList lines;
    for (int n = 1; n <= CProgramBank::kSlots; ++n)
    {
        if (nOnly != 0 && n != nOnly)
            continue;
        const CImageSlot& slot = bank.GetAt(n - 1);
        if (!lines.isEmpty())
            lines << QString();
        lines << QStringLiteral("Program %1 \"%2\"").arg(n).arg(ByteText::Shown(slot.strName));
        lines << "Lock bytes: " + HexBytes(slot.abyInfo);
        // The image is shown through the record it loads into, so the texts
        // are those of a program recalled from the processor.
        CAudio_Data program;
        program.LoadFromImage(slot);
        DescribeChannels(program, nullptr, true, lines);
    }
    return lines;
}
}
