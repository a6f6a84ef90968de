#include "ProgramText.h"

#include "Audio_Data.h"
#include "ByteText.h"
#include "DataDefine.h"
#include "LockState.h"
#include "ProgramBank.h"

#include <array>
#include <string>

namespace
{
using Flag = CLockState::Flag;

constexpr int kInputLockFirst = 0;
constexpr int kOutputLockFirst = 16;
constexpr int kRoutingInputs = 4;

// Captions of the function locks, as the lock window names them.
constexpr std::array<const char*, 8> kInputLockNames{
    "Gain", "Polarity", "Delay", "EQ", "Mute", "Noise gate", "Label", "Link"};
constexpr std::array<const char*, 10> kOutputLockNames{
    "Gain", "Polarity", "Delay", "EQ", "Mute", "Matrix", "X-over", "Limit", "Label", "Link"};

QString Q(const std::string& text)
{
    return QString::fromStdString(text);
}

// Says whether a function lock covers a parameter; bank slots have none.
class CLocks
{
public:
    explicit CLocks(const CLockState* pLocks)
        : m_pLocks(pLocks)
    {
    }
    bool operator()(int flag) const { return m_pLocks && m_pLocks->IsLocked(flag); }

private:
    const CLockState* m_pLocks;
};

QString FunctionLocks(const CLockState& locks)
{
    QStringList inputs;
    QStringList outputs;
    QStringList reserved;
    for (int flag = 0; flag < CLockState::kFunctionFlags; ++flag)
    {
        if (!locks.IsLocked(flag))
            continue;
        const int nIn = flag - kInputLockFirst;
        const int nOut = flag - kOutputLockFirst;
        if (nIn >= 0 && nIn < static_cast<int>(kInputLockNames.size()))
            inputs << kInputLockNames[static_cast<size_t>(nIn)];
        else if (nOut >= 0 && nOut < static_cast<int>(kOutputLockNames.size()))
            outputs << kOutputLockNames[static_cast<size_t>(nOut)];
        else
            reserved << QString::number(flag);
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

QString BandLine(const CFilter& band, int nNumber, bool bGeqMode, bool bLocked)
{
    QString line = QStringLiteral("  EQ %1: %2 %3").arg(nNumber, 2)
                       .arg(Q(FormatBandType(band.GetType(), bGeqMode, kEnglish, bLocked)),
                            Q(FormatFreq(band.GetFrequency(), kEnglish, bLocked)));
    if (band.GetType() == CFilter::kParametric || bGeqMode)
        line += QStringLiteral(" %1 Q %2").arg(Q(FormatBandwidth(band.GetBandwidthStep(), kEnglish, bLocked)),
                                               Q(FormatQ(band.GetBandwidthStep(), kEnglish, bLocked)));
    else
        line += " " + Q(FormatShelfSlope(band.GetSlope(), kEnglish, bLocked));
    line += " " + Q(FormatEqGain(band.GetGainStep(), band.IsInactive() != 0, kEnglish, bLocked));
    if (!bLocked && band.m_bBypass)
        line += " (bypassed)";
    else if (!bLocked && band.m_bOff)
        line += " (off)";
    return line;
}

QString XoverText(const char* pszName, const CFilter& filter, bool bLocked)
{
    return QStringLiteral("%1 %2 %3 %4").arg(QLatin1String(pszName), Q(FormatFreq(filter.m_nFreq, kEnglish, bLocked)),
                                             Q(FormatXoverType(filter.GetXoverType(), kEnglish, bLocked)),
                                             Q(FormatSlope(filter.GetSlope(), kEnglish, bLocked)));
}

void DescribeInput(const CAudio_InData& in, const CLocks& locked, bool bWithGate, QStringList& lines)
{
    QString line = QStringLiteral("Input %1 \"%2\": %3, polarity %4, gain %5, delay %6")
                       .arg(QChar('A' + in.GetChannel() - 1))
                       .arg(Q(FormatName(in.GetNameBytes().data(), kEnglish, locked(Flag::kInName))),
                            Q(FormatOn(in.IsOn(), kEnglish, locked(Flag::kInMute))),
                            Q(FormatPolarity(in.GetPolarity(), kEnglish, locked(Flag::kInPolarity))),
                            Q(FormatGain(in.GetGain(), kEnglish, locked(Flag::kInGain))),
                            Q(FormatDelay(in.GetDelay(), kEnglish, locked(Flag::kInDelay))));
    if (bWithGate)
        line += ", gate " + Q(FormatGate(in.GetGate(), kEnglish, locked(Flag::kInGate)));
    lines << line;
    for (int k = 0; k < in.GetBandCount(); ++k)
        lines << BandLine(in.GetBand(k), k + 1, false, locked(Flag::kInEq));
}

void DescribeOutput(const CAudio_OutData& out, const CLocks& locked, QStringList& lines)
{
    QStringList routing;
    for (int i = 0; i < kRoutingInputs; ++i)
        routing << QStringLiteral("%1 %2").arg(QChar('A' + i))
                       .arg(Q(FormatRoute((out.GetRoute() >> i) & 1, kEnglish, locked(Flag::kOutRouting))));
    lines << QStringLiteral("Output %1 \"%2\": %3, polarity %4, gain %5, delay %6, EQ mode %7")
                 .arg(out.GetChannel() - 4)
                 .arg(Q(FormatName(out.GetNameBytes().data(), kEnglish, locked(Flag::kOutName))),
                      Q(FormatOn(out.IsOn(), kEnglish, locked(Flag::kOutMute))),
                      Q(FormatPolarity(out.GetPolarity(), kEnglish, locked(Flag::kOutPolarity))),
                      Q(FormatGain(out.GetGain(), kEnglish, locked(Flag::kOutGain))),
                      Q(FormatDelay(out.GetDelay(), kEnglish, locked(Flag::kOutDelay))),
                      out.GetGeqMode() ? QStringLiteral("GEQ") : QStringLiteral("PEQ"));
    lines << "  routing " + routing.join(", ");
    const bool bXoverLocked = locked(Flag::kOutXover);
    lines << "  " + XoverText("high-pass", out.GetHighPass(), bXoverLocked) + ", "
                 + XoverText("low-pass", out.GetLowPass(), bXoverLocked);
    const bool bLimitLocked = locked(Flag::kOutLimiter);
    lines << QStringLiteral("  limiter threshold %1, attack %2, release %3")
                 .arg(Q(FormatLimitThreshold(out.GetLimitThreshold(), kEnglish, bLimitLocked)),
                      Q(FormatAttack(out.GetLimitAttack(), kEnglish, bLimitLocked)),
                      Q(FormatRelease(out.GetLimitRelease(), kEnglish, bLimitLocked)));
    for (int k = 0; k < out.GetBandCount(); ++k)
        lines << BandLine(out.GetBand(k), k + 1, out.GetGeqMode() != 0, locked(Flag::kOutEq));
}

void DescribeChannels(const CAudio_Data& program, const CLocks& locked, bool bWithGate, QStringList& lines)
{
    for (int i = 0; i < CAudio_InRoute::kCount; ++i)
        DescribeInput(program.Input(i), locked, bWithGate, lines);
    for (int i = 0; i < CAudio_OutRoute::kCount; ++i)
        DescribeOutput(program.Output(i), locked, lines);
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
    DescribeChannels(program, CLocks(&locks), false, lines);
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
        DescribeChannels(program, CLocks(nullptr), true, lines);
    }
    return lines;
}
}
