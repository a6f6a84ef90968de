#include "cli/LineCommands.h"

#include "cli/CliOptions.h"
#include "cli/CliSession.h"
#include "cli/Console.h"
#include "line/LineBackup.h"
#include "line/LineDiff.h"
#include "line/LineOperation.h"
#include "line/LineText.h"
#include "line/NumberList.h"
#include "model/ValueText.h"
#include "session/ProcessorLink.h"

#include <QDir>
#include <QEventLoop>
#include <QTemporaryDir>

#include <algorithm>
#include <functional>

namespace
{
constexpr int kFirstId = Frame::kFirstDeviceId;
constexpr int kLastId = Frame::kLastDeviceId;

// --ids, or --all with --from and --to for the search that finds them.
void AddIdOptions(CCliOptions& options, bool bAll)
{
    options.Parser().addOption({"ids", "Device IDs: numbers and ranges, as in 1,3-5.", "list"});
    if (!bAll)
        return;
    options.Parser().addOption({"all", "Every processor that answers a search of the line."});
    options.Parser().addOption({"from", QStringLiteral("First ID --all searches (default %1).").arg(kFirstId), "id"});
    options.Parser().addOption({"to", QStringLiteral("Last ID --all searches (default %1).").arg(kLastId), "id"});
}

std::optional<int> UsageError(const QString& strCommand, const QString& strText, CConsole& console)
{
    console.Error(QStringLiteral("%1: %2 (see %3 %1 --help)").arg(strCommand, strText, CConsole::kProgram));
    return kExitUsage;
}

// The IDs of --ids, or of a search for --all; the exit status when there
// are none to work on.
std::optional<int> ChooseIds(const QString& strCommand, CCliOptions& options, CConsole& console, QList<int>& ids)
{
    QCommandLineParser& parser = options.Parser();
    const bool bAll = parser.optionNames().contains("all") && parser.isSet("all");
    if (parser.isSet("ids") == bAll)
        return UsageError(strCommand, QStringLiteral("give either --ids or --all"), console);
    if (!bAll)
    {
        const std::optional<QList<int>> list = NumberList(parser.value("ids"), kFirstId, kLastId);
        if (!list)
            return UsageError(strCommand, QStringLiteral("--ids must list device IDs from %1 to %2, as in 1,3-5")
                                              .arg(kFirstId).arg(kLastId), console);
        ids = *list;
        return std::nullopt;
    }
    const std::optional<int> nFrom = options.IntValue("from", kFirstId, kLastId, kFirstId, console);
    if (!nFrom)
        return kExitUsage;
    const std::optional<int> nTo = options.IntValue("to", *nFrom, kLastId, kLastId, console);
    if (!nTo)
        return kExitUsage;
    CCliSession session(console, options.Language());
    if (!session.Search(options.Port(), *nFrom, *nTo, ids))
        return kExitFailed;
    if (ids.isEmpty())
    {
        console.Error(QStringLiteral("no device ID from %1 to %2 answers on %3").arg(*nFrom).arg(*nTo).arg(options.Port()));
        return kExitFailed;
    }
    return std::nullopt;
}

// Runs the operation fnStart starts on the line until it has finished,
// showing each processor's progress; prints the summary. 0 when every
// processor succeeded, else 1 with the error line.
int RunOperation(const CCliOptions& options, CConsole& console, const std::function<bool(CLineOperation&)>& fnStart)
{
    CProcessorLink link;
    link.Notice().SetLanguage(options.Language());
    CLineOperation operation(link, options.Port());
    operation.SetLanguage(options.Language());
    QEventLoop loop;
    QObject::connect(&operation, &CLineOperation::finished, &loop, &QEventLoop::quit);
    QString strLabel;
    QObject::connect(&operation, &CLineOperation::processorStarted, &loop,
                     [&](int nId, int nIndex, int nCount) {
                         strLabel = LineText(ELineText::Progress, options.Language())
                                        .arg(operation.Title()).arg(nId).arg(nIndex + 1).arg(nCount);
                         console.Progress(strLabel, 0, 1);
                     });
    QObject::connect(&operation, &CLineOperation::progressAdvanced, &loop,
                     [&](int nDone, int nTotal) { console.Progress(strLabel, nDone, nTotal); });
    if (!fnStart(operation))
        return kExitFailed;
    loop.exec();
    console.EndProgress();
    link.Connection().Disconnect();

    for (const QString& strLine : operation.Summary())
        console.Out(strLine);
    const auto nFailed = std::count_if(operation.Results().begin(), operation.Results().end(),
                                       [](const CLineOperation::Result& result) { return !result.bOk; });
    if (nFailed == 0)
        return kExitOk;
    console.Error(QStringLiteral("%1 of %2 processors failed").arg(nFailed).arg(operation.Results().size()));
    return kExitFailed;
}

// The IDs of a backup's index; false with the error line.
bool BackupIds(const QString& strFolder, ELanguage eLanguage, CConsole& console, QList<int>& ids)
{
    QList<LineBackup::Entry> entries;
    QString strReason;
    if (!LineBackup::ReadIndex(strFolder, entries, eLanguage, strReason))
    {
        console.Error(LineText(ELineText::WhyFileRead, eLanguage)
                          .arg(QDir(strFolder).filePath(LineBackup::kIndexName), strReason));
        return false;
    }
    for (const LineBackup::Entry& entry : entries)
        ids << entry.nId;
    return true;
}

int PrintDiff(const QString& strFirst, const QString& strSecond, ELanguage eLanguage, CConsole& console,
              const QList<int>& onlyIds = {})
{
    QList<LineDiff::Row> rows;
    QString strReason;
    if (!LineDiff::CompareBackups(strFirst, strSecond, eLanguage, rows, strReason, onlyIds))
    {
        console.Error(strReason);
        return kExitFailed;
    }
    if (rows.isEmpty())
    {
        console.Out(LineText(ELineText::DiffSame, eLanguage));
        return kExitOk;
    }
    const auto text = [eLanguage](ELineText id) { return LineText(id, eLanguage); };
    console.Out(QStringList{text(ELineText::DiffProcessor), text(ELineText::DiffChannel),
                            text(ELineText::DiffParameter), text(ELineText::DiffFirst), text(ELineText::DiffSecond)}
                    .join('\t'));
    for (const LineDiff::Row& row : rows)
        console.Out(QStringList{QString::number(row.nId), row.strWhere, row.strParameter, row.strFirst, row.strSecond}
                        .join('\t'));
    return kExitFailed;
}
}

bool IsLineCommand(const QStringList& args)
{
    return std::any_of(args.begin(), args.end(), [](const QString& strArg) {
        return strArg == "--all" || strArg == "--ids" || strArg.startsWith("--ids=");
    });
}

int LineBackupCommand(const QStringList& args, CConsole& console)
{
    CCliOptions options("backup",
                        "With --all or --ids: backs up every processor of a line into DIR, one after\n"
                        "the other on the same port: each one's 30 stored programs as a .dat1C file and\n"
                        "its live program as a .dia1C file, named by device ID (\"003.dat1C\"), and an\n"
                        "index (line-index.txt). A processor that does not answer is skipped and named\n"
                        "with its reason; the others go on. Every file is written whole or not at all.\n"
                        "Prints one line per processor and a summary; fails when any was skipped.",
                        CCliOptions::ELine::kPort);
    AddIdOptions(options, true);
    options.AddPositional("DIR", "The folder to write; made when it does not exist.");
    if (const auto status = options.Parse(args, 1, console))
        return *status;
    const QString strFolder = options.Positional(0);
    if (!QDir().mkpath(strFolder))
    {
        console.Error(QStringLiteral("cannot make the folder %1").arg(QDir::toNativeSeparators(strFolder)));
        return kExitFailed;
    }
    QList<int> ids;
    if (const auto status = ChooseIds("backup", options, console, ids))
        return *status;
    return RunOperation(options, console, [&](CLineOperation& op) { return op.Backup(ids, strFolder); });
}

int LineRestoreCommand(const QStringList& args, CConsole& console)
{
    CCliOptions options("restore",
                        "With --all or --ids: sends a line backup (backup --all) back onto the same\n"
                        "device IDs, one processor after the other: the stored programs, then the live\n"
                        "program. --all takes every processor of the backup's index. A processor that\n"
                        "does not answer, or whose files cannot be read, is skipped and named with its\n"
                        "reason; the others go on. Fails when any was skipped.",
                        CCliOptions::ELine::kPort);
    options.Parser().addOption({"ids", "Device IDs: numbers and ranges, as in 1,3-5.", "list"});
    options.Parser().addOption({"all", "Every processor of the backup."});
    options.AddPositional("DIR", "The backup folder.");
    if (const auto status = options.Parse(args, 1, console))
        return *status;
    const QString strFolder = options.Positional(0);
    QList<int> ids;
    if (options.Parser().isSet("all") == options.Parser().isSet("ids"))
        return *UsageError("restore", QStringLiteral("give either --ids or --all"), console);
    if (options.Parser().isSet("ids"))
    {
        if (const auto status = ChooseIds("restore", options, console, ids))
            return *status;
    }
    else
    {
        if (!BackupIds(strFolder, options.Language(), console, ids))
            return kExitFailed;
    }
    return RunOperation(options, console, [&](CLineOperation& op) { return op.Restore(ids, strFolder); });
}

int MuteCommand(const QStringList& args, CConsole& console)
{
    CCliOptions options("mute",
                        "Mutes (on) or unmutes (off) outputs of several processors of a line, one\n"
                        "after the other, as the output panel's mute button does. Outputs a model lacks\n"
                        "are left out. Fails when any processor was skipped.",
                        CCliOptions::ELine::kPort);
    AddIdOptions(options, false);
    options.Parser().addOption(
        {"outputs", QStringLiteral("Outputs: numbers and ranges from 1 to %1 (default all).").arg(Frame::kOutputCount),
         "list"});
    options.AddPositional("on|off", "on mutes, off unmutes.");
    if (const auto status = options.Parse(args, 1, console))
        return *status;
    const QString strState = options.Positional(0);
    if (strState != "on" && strState != "off")
        return *UsageError("mute", QStringLiteral("the last argument must be on or off"), console);
    QList<int> ids;
    if (const auto status = ChooseIds("mute", options, console, ids))
        return *status;
    const std::optional<QList<int>> outputs = NumberList(
        options.Parser().isSet("outputs") ? options.Parser().value("outputs") : QStringLiteral("1-%1").arg(Frame::kOutputCount),
        1, Frame::kOutputCount);
    if (!outputs)
        return *UsageError("mute", QStringLiteral("--outputs must list outputs from 1 to %1, as in 1-4,7")
                                       .arg(Frame::kOutputCount), console);
    QList<int> indices;
    for (const int nOutput : *outputs)
        indices << nOutput - 1;
    return RunOperation(options, console,
                        [&](CLineOperation& op) { return op.Mute(ids, indices, strState == "on"); });
}

int RecallCommand(const QStringList& args, CConsole& console)
{
    CCliOptions options("recall",
                        "Recalls stored program N (1 to 30) into the live program of several processors\n"
                        "of a line, one after the other, as the program manager's \"Recall program from\n"
                        "Device\" does. Fails when any processor was skipped.",
                        CCliOptions::ELine::kPort);
    AddIdOptions(options, false);
    options.AddPositional("N", "The stored program, 1 to 30.");
    if (const auto status = options.Parse(args, 1, console))
        return *status;
    bool bOk = false;
    const int nSlot = options.Positional(0).toInt(&bOk);
    if (!bOk || nSlot < Frame::kFirstStoredProgram || nSlot > Frame::kLastStoredProgram)
        return *UsageError("recall", QStringLiteral("N must be a program from %1 to %2")
                                         .arg(Frame::kFirstStoredProgram).arg(Frame::kLastStoredProgram), console);
    QList<int> ids;
    if (const auto status = ChooseIds("recall", options, console, ids))
        return *status;
    return RunOperation(options, console, [&](CLineOperation& op) { return op.Recall(ids, nSlot); });
}

int DiffCommand(const QStringList& args, CConsole& console)
{
    CCliOptions options("diff",
                        "Compares two line backups (backup --all) and prints which processors and which\n"
                        "parameters differ, one tab-separated line each: ID, channel, parameter, A, B.\n"
                        "With --port instead of B, compares backup A with the line as it is now (the\n"
                        "processors of A's index, or --ids), backing it up into a temporary folder\n"
                        "first. Exit status 0 when nothing differs, 1 when something does or the\n"
                        "comparison failed.",
                        CCliOptions::ELine::kNone);
    options.Parser().addOption({{"p", "port"}, "Compare A with the line on this port.", "port"});
    options.Parser().addOption({"ids", "With --port: device IDs, as in 1,3-5.", "list"});
    options.Parser().addOption({"language", "Language of the table: en (the default) or zh.", "language", "en"});
    options.AddPositional("A", "A backup folder.");
    options.AddPositional("B", "Another backup folder (without --port).");
    const bool bLine = std::any_of(args.begin(), args.end(), [](const QString& strArg) {
        return strArg == "-p" || strArg == "--port" || strArg.startsWith("--port=");
    });
    if (const auto status = options.Parse(args, bLine ? 1 : 2, console))
        return *status;
    const QString strLanguage = options.Parser().value("language");
    if (strLanguage != "en" && strLanguage != "zh")
        return *UsageError("diff", QStringLiteral("--language must be en or zh"), console);
    const ELanguage eLanguage = strLanguage == "zh" ? kChinese : kEnglish;
    const QString strFirst = options.Positional(0);
    if (!bLine)
        return PrintDiff(strFirst, options.Positional(1), eLanguage, console);

    // The line, backed up where nobody else looks.
    QList<int> ids;
    if (options.Parser().isSet("ids"))
    {
        const std::optional<QList<int>> list = NumberList(options.Parser().value("ids"), kFirstId, kLastId);
        if (!list)
            return *UsageError("diff", QStringLiteral("--ids must list device IDs from %1 to %2, as in 1,3-5")
                                           .arg(kFirstId).arg(kLastId), console);
        ids = *list;
    }
    else
    {
        if (!BackupIds(strFirst, eLanguage, console, ids))
            return kExitFailed;
    }
    QTemporaryDir line;
    if (!line.isValid())
    {
        console.Error(QStringLiteral("cannot make a temporary folder: %1").arg(line.errorString()));
        return kExitFailed;
    }
    {
        CProcessorLink link;
        CLineOperation operation(link, options.Parser().value("port"));
        operation.SetLanguage(eLanguage);
        QEventLoop loop;
        QObject::connect(&operation, &CLineOperation::finished, &loop, &QEventLoop::quit);
        if (!operation.Backup(ids, line.path()))
            return kExitFailed;
        loop.exec();
        link.Connection().Disconnect();
        // A processor that could not be read shows as missing in the table.
        for (const CLineOperation::Result& result : operation.Results())
            if (!result.bOk)
                console.Error(LineText(ELineText::ProcessorFailed, eLanguage).arg(result.nId).arg(result.strWhy));
    }
    return PrintDiff(strFirst, line.path(), eLanguage, console, ids);
}
