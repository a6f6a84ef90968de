#include "cli/Console.h"

#include <QByteArray>

#include <algorithm>

#ifdef _WIN32
#include <io.h>
#define isatty _isatty
#define fileno _fileno
#else
#include <unistd.h>
#endif

CConsole::CConsole(std::FILE* pOut, std::FILE* pErr, const char* pszProgram)
    : m_pOut(pOut)
    , m_pErr(pErr)
    , m_pszProgram(pszProgram)
    , m_bProgress(::isatty(::fileno(pErr)) != 0)
{
}

CConsole::~CConsole()
{
    EndProgress();
}

void CConsole::Out(const QString& strLine)
{
    EndProgress();
    const QByteArray line = strLine.toUtf8() + '\n';
    std::fwrite(line.constData(), 1, static_cast<size_t>(line.size()), m_pOut);
    std::fflush(m_pOut);
}

void CConsole::Error(const QString& strText)
{
    EndProgress();
    std::fprintf(m_pErr, "%s: %s\n", m_pszProgram, strText.toUtf8().constData());
    std::fflush(m_pErr);
}

void CConsole::Progress(const QString& strLabel, int nDone, int nTotal)
{
    if (!m_bProgress)
        return;
    const int nPercent = nTotal > 0 ? std::clamp(nDone * 100 / nTotal, 0, 100) : 0;
    // Carriage return and erase-to-end keep the line in place, shorter or not.
    std::fprintf(m_pErr, "\r%s %d%%\x1b[K", strLabel.toUtf8().constData(), nPercent);
    std::fflush(m_pErr);
    m_bProgressShown = true;
}

void CConsole::EndProgress()
{
    if (!m_bProgressShown)
        return;
    std::fputs("\r\x1b[K", m_pErr);
    std::fflush(m_pErr);
    m_bProgressShown = false;
}
