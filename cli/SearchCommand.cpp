#include "cli/SearchCommand.h"

#include "cli/CliOptions.h"
#include "cli/CliSession.h"
#include "cli/Console.h"

int SearchCommand(const QStringList& args, CConsole& console)
{
    CCliOptions options("search",
                        QStringLiteral("Probes device IDs on a line as the Connection dialog's search does and prints\n"
                                       "each ID that answers, one a line. A silent ID costs about 150 ms, so all %1\n"
                                       "take some 38 s; --from and --to narrow the range. Fails when none answers.")
                            .arg(Frame::kDeviceIdCount),
                        CCliOptions::ELine::kPort);
    constexpr int kFirst = Frame::kFirstDeviceId;
    constexpr int kLast = Frame::kLastDeviceId;
    options.Parser().addOption({"from", QStringLiteral("First ID to probe (default %1).").arg(kFirst), "id"});
    options.Parser().addOption({"to", QStringLiteral("Last ID to probe (default %1).").arg(kLast), "id"});
    if (const auto status = options.Parse(args, 0, console))
        return *status;
    const std::optional<int> nFrom = options.IntValue("from", kFirst, kLast, kFirst, console);
    if (!nFrom)
        return kExitUsage;
    const std::optional<int> nTo = options.IntValue("to", *nFrom, kLast, kLast, console);
    if (!nTo)
        return kExitUsage;

    CCliSession session(console, options.Language());
    QList<int> lstFound;
    if (!session.Search(options.Port(), *nFrom, *nTo, lstFound))
        return kExitFailed;
    if (lstFound.isEmpty())
    {
        console.Error(
            QStringLiteral("no device ID from %1 to %2 answers on %3").arg(*nFrom).arg(*nTo).arg(options.Port()));
        return kExitFailed;
    }
    for (int nId : lstFound)
        console.Out(QString::number(nId));
    return kExitOk;
}
