#pragma once

// The virtual processor program, run for a test on a pseudo-terminal as a
// user would run it. The test target defines ORVAN_VPROC, the program's path.

#include "link/SendDataQueue.h"
#include "wire/WireNumbers.h"

#include <QDeadlineTimer>
#include <QEventLoop>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTimer>

#include <csignal>
#include <functional>

#ifdef Q_OS_LINUX
#include <sys/prctl.h>
#endif

// Runs the event loop until done() holds or nTimeoutMs have passed. The
// loop waits in the event loop itself, so timers fire on time (QTest::qWait
// sleeps between its rounds).
inline bool RunUntil(const std::function<bool()>& done, int nTimeoutMs)
{
    const QDeadlineTimer deadline(nTimeoutMs);
    while (!done())
    {
        if (deadline.hasExpired())
            return false;
        QEventLoop loop;
        QTimer::singleShot(5, &loop, &QEventLoop::quit);
        loop.exec();
    }
    return true;
}

// Whether nothing but level requests stands in the queue: the pump found no
// edit left to send when it last looked.
inline bool OnlyLevelRequests(const CSendDataQueue& queue)
{
    for (int i = 0; i < queue.Count(); ++i)
        if (queue.At(i).GetFrame()[Frame::kOffType] != Frame::kLevels)
            return false;
    return true;
}

class CVprocProcess
{
public:
    // strLink: where the processor puts the symlink to its terminal.
    explicit CVprocProcess(QString strLink)
        : m_strLink(std::move(strLink))
    {
        m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
#ifdef Q_OS_LINUX
        // A test that aborts (a sanitizer's finding) must not leave its
        // processor running: it would hold the test's output open and the
        // test runner would wait for it.
        m_process.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGKILL); });
#endif
    }
    ~CVprocProcess() { Stop(); }

    // Starts the processor and returns once its port is there.
    bool Start(QStringList args)
    {
        args << "--link" << m_strLink;
        m_process.start(ORVAN_VPROC, args);
        if (!m_process.waitForStarted(5000))
            return false;
        if (!RunUntil([this] { return m_process.canReadLine(); }, 5000))
            return false;
        return QString::fromUtf8(m_process.readLine()).trimmed() == m_strLink;
    }

    // Starts the processor on a free TCP port of this machine instead; Port()
    // is then its "tcp://127.0.0.1:port".
    bool StartListening(QStringList args)
    {
        args << "--listen" << "0";
        m_process.start(ORVAN_VPROC, args);
        if (!m_process.waitForStarted(5000))
            return false;
        if (!RunUntil([this] { return m_process.canReadLine(); }, 5000))
            return false;
        m_strLink = QString::fromUtf8(m_process.readLine()).trimmed();
        return m_strLink.startsWith(QStringLiteral("tcp://"));
    }

    void Stop(int nSignal = SIGTERM)
    {
        if (m_process.state() == QProcess::NotRunning)
            return;
        ::kill(static_cast<pid_t>(m_process.processId()), nSignal);
        if (!m_process.waitForFinished(5000))
            m_process.kill();
        m_process.waitForFinished(1000);
    }

    const QString& Port() const { return m_strLink; }
    QProcess& Process() { return m_process; }

    // The next line the processor prints after its port ("silent 3"), or
    // nothing after nTimeoutMs.
    QString NextNotice(int nTimeoutMs = 3000)
    {
        if (!RunUntil([this] { return m_process.canReadLine(); }, nTimeoutMs))
            return {};
        return QString::fromUtf8(m_process.readLine()).trimmed();
    }
    void Signal(int nSignal) { ::kill(static_cast<pid_t>(m_process.processId()), nSignal); }

private:
    QString m_strLink;
    QProcess m_process;
};
