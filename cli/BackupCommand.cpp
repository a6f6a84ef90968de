#include "cli/BackupCommand.h"

#include "cli/CliOptions.h"
#include "cli/CliSession.h"
#include "cli/Console.h"
#include "cli/FileErrors.h"
#include "programs/ProgramFile.h"
#include "programs/ProgramFileKind.h"

int BackupCommand(const QStringList& args, CConsole& console)
{
    CCliOptions options("backup",
                        "Reads the processor's 30 stored programs with their names and lock bytes and\n"
                        "saves them as an all-programs file, as the program manager's \"Store all\n"
                        "program to PC\" does. \".dat1C\" is appended when FILE does not contain it.\n"
                        "The file is written only once all thirty have arrived, and replaces an\n"
                        "existing one only when it has been written completely. Prints the path.",
                        CCliOptions::ELine::kPortAndDevice);
    options.AddPositional("FILE", "The .dat1C file to write.");
    if (const auto status = options.Parse(args, 1, console))
        return *status;
    const QString strPath = ProgramFileSavePath(options.Positional(0), ProgramFileKind::kBank);

    CCliSession session(console, options.Language());
    if (!session.Connect(options.Port(), options.DeviceId()))
        return kExitFailed;
    const auto start = [](CProgramTransfer& transfer)
    {
        transfer.StoreAllToPC();
        return true;
    };
    if (!session.RunTransfer(QStringLiteral("reading the programs"), start))
        return kExitFailed;

    QString strDetail;
    const ProgramFileError eError = ProgramFile::WriteBankFile(strPath, session.Transfer().GetBank(), &strDetail);
    if (eError != ProgramFileError::kNone)
    {
        console.Error(FileErrors::Describe(strPath, eError, strDetail));
        return kExitFailed;
    }
    console.Out(strPath);
    return kExitOk;
}
