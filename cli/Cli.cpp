#include "cli/Cli.h"

#include "cli/BackupCommand.h"
#include "cli/CliOptions.h"
#include "cli/Console.h"
#include "cli/InfoCommand.h"
#include "cli/LineCommands.h"
#include "cli/PortsCommand.h"
#include "cli/PullLiveCommand.h"
#include "cli/PushLiveCommand.h"
#include "cli/RestoreCommand.h"
#include "cli/SearchCommand.h"
#include "cli/ShowCommand.h"

#include <array>

namespace
{
struct Subcommand
{
    const char* pszName;
    const char* pszSummary;
    int (*pfnRun)(const QStringList& args, CConsole& console);
};

constexpr std::array kSubcommands{
    Subcommand{"ports", "list the serial ports", PortsCommand},
    Subcommand{"search", "list the device IDs that answer on a port", SearchCommand},
    Subcommand{"info", "type, version, program names and settings of a processor", InfoCommand},
    Subcommand{"pull-live", "save the live program to a .dia1C file", PullLiveCommand},
    Subcommand{"push-live", "send a .dia1C file into the live program", PushLiveCommand},
    Subcommand{"backup", "save the 30 stored programs to a .dat1C file; with --all a whole line to a folder",
               BackupCommand},
    Subcommand{"restore", "send a .dat1C file into the 30 stored programs; with --all a line's folder back",
               RestoreCommand},
    Subcommand{"mute", "mute or unmute outputs of several processors of a line", MuteCommand},
    Subcommand{"recall", "recall a stored program on several processors of a line", RecallCommand},
    Subcommand{"diff", "compare two line backups, or a backup with the line", DiffCommand},
    Subcommand{"show", "show a .dia1C or .dat1C file as text or JSON", ShowCommand},
};

QString Usage()
{
    QStringList lines{
        QStringLiteral("Usage: %1 <command> [options] [arguments]").arg(CConsole::kProgram),
        QString(),
        QStringLiteral("Backs up, restores and checks loudspeaker processors on a serial line."),
        QString(),
        QStringLiteral("Commands:"),
    };
    for (const Subcommand& command : kSubcommands)
        lines << QStringLiteral("  %1  %2")
                     .arg(QLatin1String(command.pszName), -10)
                     .arg(QLatin1String(command.pszSummary));
    lines << QString()
          << QStringLiteral("\"%1 <command> --help\" tells more. Exit status: 0 success, 1 failure, 2 wrong usage.")
                 .arg(CConsole::kProgram);
    return lines.join('\n');
}
}

namespace Cli
{
int Run(const QStringList& args, CConsole& console)
{
    const QString strName = args.value(0);
    if (strName.isEmpty())
    {
        console.Error(QStringLiteral("no command given (see %1 --help)").arg(CConsole::kProgram));
        return kExitUsage;
    }
    if (strName == "--help" || strName == "-h" || strName == "help")
    {
        console.Out(Usage());
        return kExitOk;
    }
    // A whole line rather than one processor.
    if (strName == "backup" && IsLineCommand(args.mid(1)))
        return LineBackupCommand(args.mid(1), console);
    if (strName == "restore" && IsLineCommand(args.mid(1)))
        return LineRestoreCommand(args.mid(1), console);
    for (const Subcommand& command : kSubcommands)
        if (strName == QLatin1String(command.pszName))
            return command.pfnRun(args.mid(1), console);
    console.Error(QStringLiteral("unknown command \"%1\" (see %2 --help)").arg(strName, CConsole::kProgram));
    return kExitUsage;
}
}
