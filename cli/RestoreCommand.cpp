#include "cli/RestoreCommand.h"

#include "cli/CliOptions.h"
#include "cli/CliSession.h"
#include "cli/Console.h"
#include "cli/FileErrors.h"
#include "model/ProgramBank.h"
#include "programs/ProgramFile.h"

#include <memory>

int RestoreCommand(const QStringList& args, CConsole& console)
{
    CCliOptions options("restore",
                        "Sends an all-programs file into the processor's 30 stored programs, with their\n"
                        "names and lock bytes, as the program manager's \"Recall all program from PC\"\n"
                        "does. The live program does not change. The file is checked before the port\n"
                        "is opened.",
                        CCliOptions::ELine::kPortAndDevice);
    options.AddPositional("FILE", "The .dat1C file to send.");
    if (const auto status = options.Parse(args, 1, console))
        return *status;
    const QString strPath = options.Positional(0);

    auto pBank = std::make_unique<CProgramBank>();
    QString strDetail;
    const ProgramFileError eError = ProgramFile::ReadBankFile(strPath, *pBank, &strDetail);
    if (eError != ProgramFileError::kNone)
    {
        console.Error(FileErrors::Describe(strPath, eError, strDetail));
        return kExitFailed;
    }

    CCliSession session(console, options.Language());
    if (!session.Connect(options.Port(), options.DeviceId()))
        return kExitFailed;
    const auto start = [&pBank](CProgramTransfer& transfer)
    {
        transfer.RecallAllFromPC(*pBank);
        return true;
    };
    if (!session.RunTransfer(QStringLiteral("sending the programs"), start))
        return kExitFailed;
    console.Out(QStringLiteral("%1 is in the stored programs of device ID %2").arg(strPath).arg(options.DeviceId()));
    return kExitOk;
}
