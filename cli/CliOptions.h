#pragma once

#include "model/ValueText.h"
#include "wire/WireNumbers.h"

#include <QCommandLineParser>
#include <QString>
#include <QStringList>

#include <optional>

class CConsole;

// Exit statuses of the command-line program.
enum ExitStatus : int
{
    kExitOk = 0,
    kExitFailed = 1,  // the processor, the port or a file let the command down
    kExitUsage = 2,   // the command line itself is wrong
};

// The command line of one subcommand: --help, and for subcommands that talk
// to a processor the port, the device ID and the language of the messages
// they share with the main program's windows.
class CCliOptions
{
public:
    static constexpr int kDefaultDeviceId = Frame::kFirstDeviceId;

    // What of a processor the subcommand needs on its command line.
    enum class ELine
    {
        kNone,
        kPort,           // --port
        kPortAndDevice,  // --port and --id
    };

    // strCommand: the subcommand's name; empty for a program of its own.
    CCliOptions(const QString& strCommand, const QString& strDescription, ELine eLine);

    QCommandLineParser& Parser() { return m_parser; }
    void AddPositional(const QString& strName, const QString& strDescription);

    // Parses the arguments after the subcommand's name. Returns the exit
    // status when the command is done already: after --help (0) or on a
    // wrong command line (2, with the error line written). nPositionals is
    // how many positional arguments the command takes.
    std::optional<int> Parse(const QStringList& args, int nPositionals, CConsole& console);

    QString Port() const { return m_strPort; }
    int DeviceId() const { return m_nDeviceId; }
    // The language flag (ValueText.h) --language chose: English unless
    // "zh" was given.
    ELanguage Language() const { return m_eLanguage; }
    QString Positional(int i) const { return m_parser.positionalArguments().value(i); }
    // The value of an option that takes a number from nLow to nHigh; writes
    // the usage error line and gives none when it is not one.
    std::optional<int> IntValue(const QString& strOption, int nLow, int nHigh, int nDefault, CConsole& console) const;

private:
    // "orvan-cli info", or a program's name alone.
    QString Invocation(const CConsole& console) const;
    std::optional<int> Usage(const QString& strText, CConsole& console) const;

    QString m_strCommand;
    ELine m_eLine;
    QCommandLineParser m_parser;
    QString m_strPort;
    int m_nDeviceId = kDefaultDeviceId;
    ELanguage m_eLanguage = kEnglish;
};
