#include "serve/OscAddresses.h"

#include "model/Audio_Channel.h"
#include "model/Scale.h"
#include "serve/OscCodec.h"
#include "serve/ParamAddress.h"
#include "wire/WireNumbers.h"

#include <string>
#include <utility>

namespace
{
// The type tags a row takes and what they mean.
std::pair<std::string, std::string> RangeText(const ParamRow& row)
{
    const EParam param = row.eParam;
    if (row.eEntry == EEntry::kText)
        return {"s", "up to " + std::to_string(CAudio_Channel::kNameBytes) + " printable ASCII characters"};
    if (row.pScale != nullptr)
    {
        std::string strText = ParamCatalogue::FormatStep(param, row.nMin, kEnglish) + " to "
                              + ParamCatalogue::FormatStep(param, row.nMax, kEnglish) + " (or such a text)";
        if (row.pScale->nOffStep >= 0)
            strText += ", nil or \"OFF\" for off";
        return {"f", strText};
    }
    std::string strText;
    for (int n = row.nMin; n <= row.nMax; ++n)
        strText +=
            (n == row.nMin ? "" : ", ") + std::to_string(n) + " " + ParamCatalogue::FormatStep(param, n, kEnglish);
    return {row.nMax - row.nMin == 1 ? "i|T|F" : "i", strText};
}
}

QStringList OscAddresses::List(int nDeviceId)
{
    const std::string strPrefix = OscCodec::Prefix(nDeviceId).toStdString();
    auto line = [&strPrefix](const std::string& strAddress, const char* pszTypes, const std::string& strText) {
        return QString::fromStdString(strPrefix + strAddress).leftJustified(50) + " "
               + QString::fromLatin1(pszTypes).leftJustified(6) + " " + QString::fromStdString(strText);
    };
    QStringList lines;
    lines << QStringLiteral("Send one argument to set, none to ask (answered to the sender as address, value, text).")
          << QStringLiteral("{channel} is 1 to %1 for inputs, 1 to %2 for outputs; {band} 1 to %3; {source} 1 to %4.")
                 .arg(Frame::kInputCount)
                 .arg(Frame::kOutputCount)
                 .arg(ParamCatalogue::IndexCount(EParam::kOutBandGain))
                 .arg(ParamCatalogue::IndexCount(EParam::kOutRoute))
          << QString();
    for (const ParamRow& row : ParamCatalogue::Params())
    {
        const auto [strTypes, strText] = RangeText(row);
        lines << line(ParamAddresses::Pattern(row.eParam), strTypes.c_str(), strText);
    }
    lines << line("inputs/{channel}/mute", "T|F", "or 1|0; muted is T")
          << line("outputs/{channel}/mute", "T|F", "or 1|0; muted is T")
          << line("recall", "i", "program 1 to 30; no argument: the current number and name")
          << line("online", "", "no argument: T|F and the connection state")
          << line("subscribe", "s...", "meters, param (none: both), for 60 s; send again to stay")
          << line("unsubscribe", "", "")
          << line("meters/inputs", "i...", "to subscribers 20 times a second, steps 0 to 11")
          << line("meters/outputs", "i...", "the same for the outputs")
          << line("meters/indicators", "T|F...", "the outputs' limiter lamps")
          << line("error", "s s s", "answer to a refused message: its address, the code, the message");
    for (QString& strLine : lines)
        strLine = strLine.trimmed();
    return lines;
}
