#pragma once

#include <cstddef>
#include <string>
#include <sys/types.h>

// A pseudo-terminal pair: we hold the master side, and the slave path is
// what a serial program opens as its port. The line is raw (no echo, no
// line editing, no character translation) and the master never blocks.
class CPseudoTerminal
{
public:
    CPseudoTerminal() = default;
    ~CPseudoTerminal();

    CPseudoTerminal(const CPseudoTerminal&) = delete;
    CPseudoTerminal& operator=(const CPseudoTerminal&) = delete;

    // Creates the pair; false with GetLastError() = errno on failure.
    bool Open();
    // Closes the master: the slave side sees a hang-up.
    void Close();
    bool IsOpen() const { return m_fdMaster >= 0; }

    // Path of the slave device, e.g. /dev/pts/5; empty while closed.
    const std::string& SlavePath() const { return m_strSlavePath; }
    // For an event loop that watches the master (poll, QSocketNotifier).
    int MasterFd() const { return m_fdMaster; }

    // Bytes the slave side receives. Returns the count taken, which is short
    // when the line's buffer is full, or -1 on error.
    ssize_t Write(const void* pData, size_t nLen);
    // Bytes the slave side sent, at most nCapacity: 0 when none are waiting,
    // -1 on error (Linux reports EIO while no one has the slave open).
    ssize_t Read(void* pData, size_t nCapacity);
    // Waits up to nTimeoutMs for bytes from the slave side.
    bool WaitReadable(int nTimeoutMs) const;

    int GetLastError() const { return m_nLastError; }

private:
    bool Fail();

    int m_fdMaster = -1;
    std::string m_strSlavePath;
    int m_nLastError = 0;
};
