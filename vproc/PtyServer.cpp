#include "vproc/PtyServer.h"

#include "vproc/ProcessorLine.h"
#include "wire/Frame.h"

#include <QSocketNotifier>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>

#include <array>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <unistd.h>

namespace
{
// Line noise without 0x5A, which would start a preamble of its own.
constexpr std::array<uint8_t, 10> kNoise = {0x00, 0xFF, 0x12, 0xA4, 0xAA, 0x33, 0x5B, 0xC3, 0x01, 0xA6};
constexpr int kRetryMs = 1;

void Log(const char* pszDirection, std::span<const uint8_t> frame)
{
    std::fprintf(stderr, "%s %02X id %d  %d/%d/%d/%d  %zu bytes\n", pszDirection, frame[Frame::kOffType],
                 frame[Frame::kOffDeviceId], frame[Frame::kOffProgram], frame[Frame::kOffItem],
                 frame[Frame::kOffBlock], frame[Frame::kOffSelector], frame.size() - Frame::kOverhead);
}
}

CPtyServer::CPtyServer(CProcessorLine& line, const Options& options, QObject* pParent)
    : QObject(pParent)
    , m_line(line)
    , m_options(options)
{
    m_writeTimer.setSingleShot(true);
    m_writeTimer.setTimerType(Qt::PreciseTimer);
    connect(&m_writeTimer, &QTimer::timeout, this, &CPtyServer::WriteOut);
}

CPtyServer::~CPtyServer()
{
    namespace fs = std::filesystem;
    std::error_code error;
    if (!m_strLink.empty() && fs::is_symlink(m_strLink, error) && fs::read_symlink(m_strLink, error) == SlavePath())
        fs::remove(m_strLink, error);
    if (m_fdSlave >= 0)
        ::close(m_fdSlave);
    DropClient();
    if (m_fdListen >= 0)
        ::close(m_fdListen);
}

bool CPtyServer::Listen(const std::string& strAddress, std::string& strError)
{
    std::string strHost = "127.0.0.1";
    std::string strPort = strAddress;
    if (const size_t nColon = strAddress.rfind(':'); nColon != std::string::npos)
    {
        strHost = strAddress.substr(0, nColon);
        strPort = strAddress.substr(nColon + 1);
    }
    char* pEnd = nullptr;
    const long nPort = std::strtol(strPort.c_str(), &pEnd, 10);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    if (strPort.empty() || *pEnd != '\0' || nPort < 0 || nPort > 65535
        || ::inet_pton(AF_INET, strHost.c_str(), &address.sin_addr) != 1)
    {
        strError = "--listen takes [IPv4 address:]port, e.g. 4001 or 0.0.0.0:4001";
        return false;
    }
    address.sin_port = htons(static_cast<uint16_t>(nPort));

    m_fdListen = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    const int nYes = 1;
    if (m_fdListen < 0 || ::setsockopt(m_fdListen, SOL_SOCKET, SO_REUSEADDR, &nYes, sizeof nYes) != 0
        || ::bind(m_fdListen, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0
        || ::listen(m_fdListen, 1) != 0)
    {
        strError = "cannot listen on " + strHost + ":" + strPort + ": " + std::strerror(errno);
        return false;
    }
    socklen_t nLength = sizeof address;
    ::getsockname(m_fdListen, reinterpret_cast<sockaddr*>(&address), &nLength);
    m_strNetworkPort = "tcp://" + strHost + ":" + std::to_string(ntohs(address.sin_port));

    m_pNotifier = std::make_unique<QSocketNotifier>(m_fdListen, QSocketNotifier::Read);
    connect(m_pNotifier.get(), &QSocketNotifier::activated, this, &CPtyServer::OnAccept);
    return true;
}

void CPtyServer::OnAccept()
{
    const int fd = ::accept4(m_fdListen, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
    if (fd < 0)
        return;
    if (m_fdClient >= 0)
    {
        ::close(fd);
        return;
    }
    const int nYes = 1;
    ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &nYes, sizeof nYes);
    m_fdClient = fd;
    m_assembler.Reset();
    m_pClientNotifier = std::make_unique<QSocketNotifier>(m_fdClient, QSocketNotifier::Read);
    connect(m_pClientNotifier.get(), &QSocketNotifier::activated, this, &CPtyServer::OnClientReadable);
}

void CPtyServer::DropClient()
{
    m_pClientNotifier.reset();
    if (m_fdClient >= 0)
        ::close(m_fdClient);
    m_fdClient = -1;
    m_output.clear();
}

void CPtyServer::OnClientReadable()
{
    std::array<uint8_t, 4096> abyRead;
    const ssize_t nRead = ::recv(m_fdClient, abyRead.data(), abyRead.size(), 0);
    if (nRead < 0 && (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR))
        return;
    // End of stream or a broken one: the next client may come.
    if (nRead <= 0)
    {
        DropClient();
        return;
    }
    Take(std::span(abyRead).first(static_cast<size_t>(nRead)));
}

ssize_t CPtyServer::Send(const uint8_t* pData, size_t nLen)
{
    if (m_fdListen < 0)
        return m_pty.Write(pData, nLen);
    // Nobody to hear the answer: it is lost, as on an unplugged line.
    if (m_fdClient < 0)
        return static_cast<ssize_t>(nLen);
    const ssize_t nSent = ::send(m_fdClient, pData, nLen, MSG_NOSIGNAL | MSG_DONTWAIT);
    if (nSent < 0 && errno != EAGAIN && errno != EWOULDBLOCK)
    {
        DropClient();
        return static_cast<ssize_t>(nLen);
    }
    return nSent;
}

bool CPtyServer::Start(const std::string& strLink, std::string& strError)
{
    namespace fs = std::filesystem;
    if (!m_pty.Open())
    {
        strError = "cannot open a pseudo-terminal: " + std::string(std::strerror(m_pty.GetLastError()));
        return false;
    }
    // We keep the terminal's far side open ourselves: without it the master
    // reports a hang-up, again and again, whenever no program has the port
    // open.
    m_fdSlave = ::open(SlavePath().c_str(), O_RDWR | O_NOCTTY);
    if (m_fdSlave < 0)
    {
        strError = "cannot open " + SlavePath() + ": " + std::strerror(errno);
        return false;
    }

    std::error_code error;
    const fs::file_status status = fs::symlink_status(strLink, error);
    if (fs::exists(status) && !fs::is_symlink(status))
    {
        strError = strLink + " exists and is not a symlink";
        return false;
    }
    if (fs::is_symlink(status))
        fs::remove(strLink, error);
    fs::create_symlink(SlavePath(), strLink, error);
    if (error)
    {
        strError = "cannot create " + strLink + ": " + error.message();
        return false;
    }
    m_strLink = strLink;

    m_pNotifier = std::make_unique<QSocketNotifier>(m_pty.MasterFd(), QSocketNotifier::Read);
    connect(m_pNotifier.get(), &QSocketNotifier::activated, this, &CPtyServer::OnReadable);
    return true;
}

void CPtyServer::OnReadable()
{
    std::array<uint8_t, 4096> abyRead;
    const ssize_t nRead = m_pty.Read(abyRead.data(), abyRead.size());
    if (nRead <= 0)
        return;
    Take(std::span(abyRead).first(static_cast<size_t>(nRead)));
}

void CPtyServer::Take(std::span<const uint8_t> bytes)
{
    // Unlike the program, the processor keeps whatever follows a frame.
    while (!bytes.empty())
    {
        const auto outcome = m_assembler.Feed(bytes);
        bytes = bytes.subspan(outcome.nConsumed);
        if (outcome.eResult == CFrameAssembler::EResult::kFrame)
            OnRequest(m_assembler.GetFrame());
    }
}

bool CPtyServer::IsLost()
{
    const unsigned n = ++m_nRequests;
    if (m_options.bSilent)
        return true;
    if (m_options.nStopAfter >= 0 && n > static_cast<unsigned>(m_options.nStopAfter))
        return true;
    return m_options.nSkipEvery > 0 && n % static_cast<unsigned>(m_options.nSkipEvery) == 0;
}

void CPtyServer::OnRequest(std::span<const uint8_t> frame)
{
    if (m_options.bVerbose)
        Log("->", frame);
    // A lost request never reaches the processor: nothing is applied.
    if (IsLost())
        return;
    const unsigned nChangesBefore = m_line.GetChangeCount();
    const auto answer = m_line.Answer(frame);
    if (m_line.GetChangeCount() != nChangesBefore)
        emit stateChanged();
    if (!answer)
        return;
    if (m_options.bVerbose)
        Log("<-", *answer);

    for (int i = 0; i < m_options.nGarbage; ++i)
        m_output.push_back(kNoise[m_nNoise++ % kNoise.size()]);
    m_output.push_back(Frame::kStart);
    m_output.push_back(Frame::kStart);
    m_output.insert(m_output.end(), answer->begin(), answer->end());
    if (!m_writeTimer.isActive())
        WriteOut();
}

void CPtyServer::WriteOut()
{
    while (!m_output.empty())
    {
        size_t nAllowed = m_output.size();
        if (m_options.nChunk > 0)
            nAllowed = std::min(nAllowed, static_cast<size_t>(m_options.nChunk));
        if (m_options.bRealRate)
        {
            if (!m_rateClock.isValid())
            {
                m_rateClock.start();
                m_nRateSent = 0;
            }
            // One byte may leave at once; each further one after its time
            // on the line.
            const qint64 nDue = 1 + m_rateClock.nsecsElapsed() * kBytesPerSecond / 1000000000 - m_nRateSent;
            nAllowed = std::min(nAllowed, static_cast<size_t>(std::max<qint64>(nDue, 0)));
        }
        if (nAllowed == 0)
        {
            m_writeTimer.start(kRetryMs);
            return;
        }

        std::array<uint8_t, 4096> abyOut;
        nAllowed = std::min(nAllowed, abyOut.size());
        std::copy_n(m_output.begin(), nAllowed, abyOut.begin());
        const ssize_t nWritten = Send(abyOut.data(), nAllowed);
        if (nWritten <= 0)
        {
            // The terminal's buffer is full; the reader will make room.
            m_writeTimer.start(kRetryMs);
            return;
        }
        m_output.erase(m_output.begin(), m_output.begin() + nWritten);
        m_nRateSent += nWritten;
        if (m_options.nChunk > 0 && !m_output.empty())
        {
            m_writeTimer.start(m_options.nChunkGapMs);
            return;
        }
    }
    m_rateClock.invalidate();
}
