#include "cli/PullLiveCommand.h"

#include "cli/CliOptions.h"
#include "cli/CliSession.h"
#include "cli/Console.h"
#include "cli/FileErrors.h"
#include "programs/ProgramFile.h"
#include "programs/ProgramFileKind.h"

int PullLiveCommand(const QStringList& args, CConsole& console)
{
    CCliOptions options("pull-live",
                        "Reads the program the processor is playing, with its function locks, and saves\n"
                        "it as a single-program file. \".dia1C\" is appended when FILE does not contain\n"
                        "it. The file is written only once the whole program has arrived, and replaces\n"
                        "an existing one only when it has been written completely. Prints the path.",
                        CCliOptions::ELine::kPortAndDevice);
    options.AddPositional("FILE", "The .dia1C file to write.");
    if (const auto status = options.Parse(args, 1, console))
        return *status;
    const QString strPath = ProgramFileSavePath(options.Positional(0), ProgramFileKind::kProgram);

    // Connecting reads the live program with the program manager's own
    // twelve block reads, and the live lock set with it.
    CCliSession session(console, options.Language());
    if (!session.Connect(options.Port(), options.DeviceId()))
        return kExitFailed;

    QString strDetail;
    const ProgramFileError eError =
        ProgramFile::WriteProgramFile(strPath, session.Record(), session.Locks(), &strDetail);
    if (eError != ProgramFileError::kNone)
    {
        console.Error(FileErrors::Describe(strPath, eError, strDetail));
        return kExitFailed;
    }
    console.Out(strPath);
    return kExitOk;
}
