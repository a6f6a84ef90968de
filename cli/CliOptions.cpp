#include "cli/CliOptions.h"

#include "cli/Console.h"

#include <QCoreApplication>

namespace
{
// The values of --language, by language flag.
constexpr const char* kEnglishName = "en";
constexpr const char* kChineseName = "zh";
}

CCliOptions::CCliOptions(const QString& strCommand, const QString& strDescription, ELine eLine)
    : m_strCommand(strCommand)
    , m_eLine(eLine)
{
    m_parser.setApplicationDescription(strDescription);
    m_parser.addHelpOption();
    if (m_eLine != ELine::kNone)
    {
        m_parser.addOption({{"p", "port"}, "Serial port: a name (ttyUSB0, COM3), a device path, or tcp://host:port for a serial device server.", "port"});
        m_parser.addOption({"language",
                            QStringLiteral("Language of the port messages, which read as in the main program's windows: "
                                           "%1 (English, the default) or %2 (Chinese).")
                                .arg(QLatin1String(kEnglishName), QLatin1String(kChineseName)),
                            "language", QLatin1String(kEnglishName)});
    }
    if (m_eLine == ELine::kPortAndDevice)
        m_parser.addOption({{"i", "id"},
                            QStringLiteral("Device ID of the processor, %1 to %2 (default %3).")
                                .arg(Frame::kFirstDeviceId)
                                .arg(Frame::kLastDeviceId)
                                .arg(kDefaultDeviceId),
                            "id"});
}

QString CCliOptions::Invocation(const CConsole& console) const
{
    const QString strProgram = QLatin1String(console.Program());
    return m_strCommand.isEmpty() ? strProgram : strProgram + " " + m_strCommand;
}

void CCliOptions::AddPositional(const QString& strName, const QString& strDescription)
{
    m_parser.addPositionalArgument(strName, strDescription);
}

std::optional<int> CCliOptions::Usage(const QString& strText, CConsole& console) const
{
    const QString strInvocation = Invocation(console);
    console.Error(QStringLiteral("%1: %2 (see %3 --help)").arg(m_strCommand.isEmpty() ? QStringLiteral("usage") : m_strCommand, strText, strInvocation));
    return kExitUsage;
}

std::optional<int> CCliOptions::IntValue(const QString& strOption, int nLow, int nHigh, int nDefault,
                                         CConsole& console) const
{
    if (!m_parser.isSet(strOption))
        return nDefault;
    bool bOk = false;
    const int nValue = m_parser.value(strOption).toInt(&bOk);
    if (bOk && nValue >= nLow && nValue <= nHigh)
        return nValue;
    Usage(QStringLiteral("--%1 must be a number from %2 to %3").arg(strOption).arg(nLow).arg(nHigh), console);
    return std::nullopt;
}

std::optional<int> CCliOptions::Parse(const QStringList& args, int nPositionals, CConsole& console)
{
    // QCommandLineParser takes the program name first.
    QStringList argv{Invocation(console)};
    argv << args;

    if (!m_parser.parse(argv))
        return Usage(m_parser.errorText(), console);
    if (m_parser.isSet("help"))
    {
        // The parser names the executable as it was started; the usage line
        // reads better with the program's name and the subcommand.
        QString strHelp = m_parser.helpText().trimmed();
        const QString strStarted = QStringLiteral("Usage: ") + QCoreApplication::arguments().value(0);
        if (strHelp.startsWith(strStarted))
            strHelp.replace(0, strStarted.size(), QStringLiteral("Usage: ") + argv[0]);
        console.Out(strHelp);
        return kExitOk;
    }
    const QStringList positionals = m_parser.positionalArguments();
    if (positionals.size() < nPositionals)
        return Usage(QStringLiteral("missing argument"), console);
    if (positionals.size() > nPositionals)
        return Usage(QStringLiteral("unexpected argument \"%1\"").arg(positionals.value(nPositionals)), console);

    if (m_eLine != ELine::kNone)
    {
        m_strPort = m_parser.value("port");
        if (m_strPort.isEmpty())
            return Usage(QStringLiteral("no port given (--port)"), console);
        const QString strLanguage = m_parser.value("language");
        if (strLanguage == QLatin1String(kEnglishName))
            m_eLanguage = kEnglish;
        else if (strLanguage == QLatin1String(kChineseName))
            m_eLanguage = kChinese;
        else
            return Usage(QStringLiteral("--language must be %1 or %2")
                             .arg(QLatin1String(kEnglishName), QLatin1String(kChineseName)),
                         console);
    }
    if (m_eLine == ELine::kPortAndDevice)
    {
        const std::optional<int> nId = IntValue("id", Frame::kFirstDeviceId, Frame::kLastDeviceId, kDefaultDeviceId, console);
        if (!nId)
            return kExitUsage;
        m_nDeviceId = *nId;
    }
    return std::nullopt;
}
