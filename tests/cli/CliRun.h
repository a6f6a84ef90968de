#pragma once

// Runs the command-line program as a script would and keeps what it said.
// The test target defines ORVAN_CLI, the program's path.

#include <QElapsedTimer>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

#include <functional>

struct CliResult
{
    int nExit = -1;
    QString strOut;
    QString strErr;
    qint64 nMs = 0;

    QStringList OutLines() const { return strOut.split('\n', Qt::SkipEmptyParts); }
    QStringList ErrLines() const { return strErr.split('\n', Qt::SkipEmptyParts); }
};

// `environment`: the test's own unless given (a desktop's locale, say).
// `inChild`, when given, runs in the program's process before it starts
// (to set a resource limit, say).
inline CliResult RunCli(const QStringList& args,
                        const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment(),
                        const std::function<void()>& inChild = {})
{
    QProcess process;
    process.setProcessEnvironment(environment);
    if (inChild)
        process.setChildProcessModifier(inChild);
    QElapsedTimer clock;
    clock.start();
    process.start(ORVAN_CLI, args);
    CliResult result;
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
    {
        process.kill();
        process.waitForFinished(1000);
        result.strErr = "did not end normally";
        return result;
    }
    result.nMs = clock.elapsed();
    result.nExit = process.exitCode();
    result.strOut = QString::fromUtf8(process.readAllStandardOutput());
    result.strErr = QString::fromUtf8(process.readAllStandardError());
    return result;
}
