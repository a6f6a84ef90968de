#include "vproc/PseudoTerminal.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

CPseudoTerminal::~CPseudoTerminal()
{
    Close();
}

bool CPseudoTerminal::Fail()
{
    m_nLastError = errno;
    Close();
    return false;
}

bool CPseudoTerminal::Open()
{
    Close();
    m_nLastError = 0;

    m_fdMaster = posix_openpt(O_RDWR | O_NOCTTY);
    if (m_fdMaster < 0)
        return Fail();
    if (grantpt(m_fdMaster) != 0 || unlockpt(m_fdMaster) != 0)
        return Fail();

    const char* pszSlave = ptsname(m_fdMaster);
    if (!pszSlave)
        return Fail();
    m_strSlavePath = pszSlave;

    // The line settings live with the pair, so raw here is raw for whoever
    // opens the slave: binary frames pass unchanged.
    termios tio{};
    if (tcgetattr(m_fdMaster, &tio) != 0)
        return Fail();
    cfmakeraw(&tio);
    if (tcsetattr(m_fdMaster, TCSANOW, &tio) != 0)
        return Fail();

    const int nFlags = fcntl(m_fdMaster, F_GETFL);
    if (nFlags < 0 || fcntl(m_fdMaster, F_SETFL, nFlags | O_NONBLOCK) != 0)
        return Fail();
    return true;
}

void CPseudoTerminal::Close()
{
    if (m_fdMaster >= 0)
        ::close(m_fdMaster);
    m_fdMaster = -1;
    m_strSlavePath.clear();
}

ssize_t CPseudoTerminal::Write(const void* pData, size_t nLen)
{
    const ssize_t nWritten = ::write(m_fdMaster, pData, nLen);
    if (nWritten >= 0)
        return nWritten;
    if (errno == EAGAIN || errno == EWOULDBLOCK)
        return 0;
    m_nLastError = errno;
    return -1;
}

ssize_t CPseudoTerminal::Read(void* pData, size_t nCapacity)
{
    const ssize_t nRead = ::read(m_fdMaster, pData, nCapacity);
    if (nRead >= 0)
        return nRead;
    if (errno == EAGAIN || errno == EWOULDBLOCK)
        return 0;
    m_nLastError = errno;
    return -1;
}

bool CPseudoTerminal::WaitReadable(int nTimeoutMs) const
{
    pollfd pfd{m_fdMaster, POLLIN, 0};
    return ::poll(&pfd, 1, nTimeoutMs) > 0 && (pfd.revents & POLLIN);
}
