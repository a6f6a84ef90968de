#pragma once

#include "wire/FrameAssembler.h"
#include "vproc/PseudoTerminal.h"

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTimer>

#include <cstdint>
#include <deque>
#include <memory>
#include <span>
#include <string>

class CProcessorLine;
class QSocketNotifier;

// Puts a line of virtual processors on a pseudo-terminal: takes the requests
// the program writes to the terminal, lets the processor addressed answer
// them, and writes the answers back, each preceded by 0x5A 0x5A.
//
// Instead of a terminal it can listen on a TCP port and serve one client at
// a time, as a serial device server does, so the program's network ports can
// be tried too.
//
// The line as a whole can be made worse on purpose, to try the program's
// recovery:
// requests lost, noise before the answers, answers in small pieces, and the
// pace of a real 57600-baud line.
class CPtyServer : public QObject
{
    Q_OBJECT

public:
    struct Options
    {
        bool bSilent = false;      // never answer
        int nSkipEvery = 0;        // lose every n-th request (0: none)
        int nStopAfter = -1;       // answer this many requests, then fall silent (-1: no limit)
        int nGarbage = 0;          // noise bytes before each answer
        int nChunk = 0;            // write answers in pieces of this many bytes (0: whole)
        int nChunkGapMs = 5;       // pause between pieces
        bool bRealRate = false;    // no faster than 57600 baud, 8N1
        bool bVerbose = false;     // log requests and answers to stderr
    };

    static constexpr int kBytesPerSecond = 57600 / 10;

    CPtyServer(CProcessorLine& line, const Options& options, QObject* pParent = nullptr);
    // Removes the link if it still points at our terminal.
    ~CPtyServer() override;

    // Opens the pseudo-terminal and makes strLink a symlink to it (an old
    // symlink there is replaced; any other file is left alone and Start
    // fails). False with a message in strError.
    bool Start(const std::string& strLink, std::string& strError);
    const std::string& SlavePath() const { return m_pty.SlavePath(); }

    // Listens on "host:port" or "port" (host 127.0.0.1; port 0 picks a free
    // one) instead of a terminal. A second client while one is connected is
    // turned away, as by a serial device server. False with a message in
    // strError.
    bool Listen(const std::string& strAddress, std::string& strError);
    // "tcp://host:port" of the listening socket; empty unless listening.
    const std::string& NetworkPort() const { return m_strNetworkPort; }

signals:
    // A request changed the state of a processor on the line.
    void stateChanged();

private:
    void OnReadable();
    void OnAccept();
    void OnClientReadable();
    void DropClient();
    void Take(std::span<const uint8_t> bytes);
    // Hands bytes to the terminal or the client: the count taken, 0 when the
    // line is full for now.
    ssize_t Send(const uint8_t* pData, size_t nLen);
    void OnRequest(std::span<const uint8_t> frame);
    bool IsLost();
    void WriteOut();

    CProcessorLine& m_line;
    Options m_options;
    CPseudoTerminal m_pty;
    int m_fdSlave = -1;
    std::string m_strLink;
    std::unique_ptr<QSocketNotifier> m_pNotifier;
    int m_fdListen = -1;
    int m_fdClient = -1;
    std::string m_strNetworkPort;
    std::unique_ptr<QSocketNotifier> m_pClientNotifier;
    CFrameAssembler m_assembler;
    std::deque<uint8_t> m_output;
    QTimer m_writeTimer;
    QElapsedTimer m_rateClock;
    qint64 m_nRateSent = 0;
    unsigned m_nRequests = 0;
    size_t m_nNoise = 0;
};
