#include "cli/PushLiveCommand.h"

#include "model/Audio_Data.h"
#include "cli/CliOptions.h"
#include "cli/CliSession.h"
#include "cli/Console.h"
#include "cli/FileErrors.h"
#include "model/LockState.h"
#include "programs/ProgramCodec.h"
#include "programs/ProgramFile.h"

#include <memory>

int PushLiveCommand(const QStringList& args, CConsole& console)
{
    CCliOptions options("push-live",
                        "Sends a single-program file into the program the processor is playing, as the\n"
                        "program manager's \"Recall program from PC\" does: the file's function locks\n"
                        "with it, every channel muted while the blocks go out, and the file's mute\n"
                        "states restored afterwards. The file is checked before the port is opened.",
                        CCliOptions::ELine::kPortAndDevice);
    options.AddPositional("FILE", "The .dia1C file to send.");
    if (const auto status = options.Parse(args, 1, console))
        return *status;
    const QString strPath = options.Positional(0);

    // Read before anything is sent, so a bad file never reaches the
    // processor; the connection's record takes it once the state is read.
    std::vector<uint8_t> body;
    {
        auto pProgram = std::make_unique<CAudio_Data>();
        CLockState locks;
        QString strDetail;
        const ProgramFileError eError = ProgramFile::ReadProgramFile(strPath, *pProgram, locks, &strDetail);
        if (eError != ProgramFileError::kNone)
        {
            console.Error(FileErrors::Describe(strPath, eError, strDetail));
            return kExitFailed;
        }
        body = ProgramCodec::EncodeProgram(*pProgram, locks);
    }

    CCliSession session(console, options.Language());
    if (!session.Connect(options.Port(), options.DeviceId()))
        return kExitFailed;
    const auto start = [&](CProgramTransfer& transfer)
    {
        if (transfer.RecallProgramFromPC(body))
            return true;
        console.Error(FileErrors::Describe(strPath, ProgramFileError::kDamaged, QString()));
        return false;
    };
    if (!session.RunTransfer(QStringLiteral("sending the program"), start))
        return kExitFailed;
    console.Out(QStringLiteral("%1 is the live program of device ID %2").arg(strPath).arg(options.DeviceId()));
    return kExitOk;
}
