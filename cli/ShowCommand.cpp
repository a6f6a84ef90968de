#include "cli/ShowCommand.h"

#include "model/Audio_Data.h"
#include "cli/CliOptions.h"
#include "cli/Console.h"
#include "cli/FileErrors.h"
#include "model/LockState.h"
#include "model/ProgramBank.h"
#include "programs/ProgramFile.h"
#include "programs/ProgramFileKind.h"
#include "cli/ProgramJson.h"
#include "cli/ProgramText.h"

#include <QJsonDocument>

#include <memory>

int ShowCommand(const QStringList& args, CConsole& console)
{
    CCliOptions options("show",
                        "Shows a program file: its names and every channel's settings as the editors show\n"
                        "them, or with --json every value it holds, for machines. FILE.dia1C holds one\n"
                        "program, FILE.dat1C all thirty.",
                        CCliOptions::ELine::kNone);
    options.AddPositional("FILE", "A .dia1C or .dat1C file.");
    options.Parser().addOption({"json", "Write JSON instead of text."});
    options.Parser().addOption({"program", "Show program <n> (1 to 30) of a .dat1C file only.", "n"});
    if (const auto status = options.Parse(args, 1, console))
        return *status;

    const std::optional<int> nOnly = options.IntValue("program", 1, CProgramBank::kSlots, 0, console);
    if (!nOnly)
        return kExitUsage;
    const bool bJson = options.Parser().isSet("json");
    const QString strPath = options.Positional(0);
    QString strDetail;

    switch (ProgramFileKindOf(strPath))
    {
    case ProgramFileKind::kProgram:
    {
        if (*nOnly != 0)
        {
            console.Error("show: --program is for .dat1C files (see orvan-cli show --help)");
            return kExitUsage;
        }
        auto pProgram = std::make_unique<CAudio_Data>();
        CLockState locks;
        const ProgramFileError eError = ProgramFile::ReadProgramFile(strPath, *pProgram, locks, &strDetail);
        if (eError != ProgramFileError::kNone)
        {
            console.Error(FileErrors::Describe(strPath, eError, strDetail));
            return kExitFailed;
        }
        if (bJson)
            console.Out(QString::fromUtf8(QJsonDocument(ProgramJson::Program(*pProgram, locks)).toJson()).trimmed());
        else
            console.Out(ProgramText::DescribeProgram(*pProgram, locks).join('\n'));
        return kExitOk;
    }
    case ProgramFileKind::kBank:
    {
        auto pBank = std::make_unique<CProgramBank>();
        const ProgramFileError eError = ProgramFile::ReadBankFile(strPath, *pBank, &strDetail);
        if (eError != ProgramFileError::kNone)
        {
            console.Error(FileErrors::Describe(strPath, eError, strDetail));
            return kExitFailed;
        }
        if (bJson)
            console.Out(QString::fromUtf8(QJsonDocument(ProgramJson::Bank(*pBank, *nOnly)).toJson()).trimmed());
        else
            console.Out(ProgramText::DescribeBank(*pBank, *nOnly).join('\n'));
        return kExitOk;
    }
    case ProgramFileKind::kUnknown:
        break;
    }
    console.Error(QStringLiteral("cannot tell what %1 holds: program files end in .dia1C (one program) or .dat1C "
                                 "(all programs)")
                      .arg(strPath));
    return kExitFailed;
}
