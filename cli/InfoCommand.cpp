#include "cli/InfoCommand.h"

#include "cli/ByteText.h"
#include "cli/CliOptions.h"
#include "cli/CliSession.h"
#include "cli/Console.h"

#include <array>

namespace
{
// The System window's lists, whose positions are the setting - 1.
constexpr std::array<const char*, 2> kBacklight{"Keep On", "60s"};
constexpr std::array<const char*, 3> kPowerOn{"Keep State", "All Mute", "Load"};

template <size_t N>
QString Setting(int nValue, const std::array<const char*, N>& texts)
{
    const QString strValue = QString::number(nValue);
    if (nValue < 1 || nValue > static_cast<int>(N))
        return strValue;
    return QStringLiteral("%1 (%2)").arg(strValue, QLatin1String(texts[static_cast<size_t>(nValue - 1)]));
}
}

int InfoCommand(const QStringList& args, CConsole& console)
{
    CCliOptions options("info",
                        "Connects to a processor as the main program does and prints what it reads:\n"
                        "device type and channel counts, version, the names of the live program (0)\n"
                        "and of programs 1 to 30 (\"\" is the factory default program), backlight,\n"
                        "power-on state and the information texts.",
                        CCliOptions::ELine::kPortAndDevice);
    if (const auto status = options.Parse(args, 0, console))
        return *status;

    CCliSession session(console, options.Language());
    if (!session.Connect(options.Port(), options.DeviceId()))
        return kExitFailed;

    const CCommand& command = session.Command();
    const CAudio_Data& record = session.Record();
    const CConnection::ChannelCounts counts = session.Connection().GetChannelCounts();
    QStringList lines;
    lines << QStringLiteral("device ID: %1").arg(session.Connection().GetDeviceId());
    lines << QStringLiteral("device type: %1 (%2 inputs, %3 outputs)")
                 .arg(command.GetDeviceType())
                 .arg(counts.nInputs)
                 .arg(counts.nOutputs);
    lines << "version: " + ByteText::Shown(command.GetVersionText());
    for (int n = Frame::kLiveProgram; n < Frame::kProgramNumbers; ++n)
        lines << QStringLiteral("program %1: \"%2\"").arg(n, 2).arg(ByteText::Shown(session.Session().ProgramName(n)));
    lines << "backlight: " + Setting(record.GetBacklight(), kBacklight);
    lines << "power-on: " + Setting(record.GetPowerOnMode(), kPowerOn);
    for (int i = 0; i < CAudio_Data::kInfoTexts; ++i)
        lines << QStringLiteral("info %1: \"%2\"").arg(i + 1).arg(ByteText::Shown(record.GetInfoText(i)));
    console.Out(lines.join('\n'));
    return kExitOk;
}
