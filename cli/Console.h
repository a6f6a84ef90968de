#pragma once

#include <QString>

#include <cstdio>

// Where the command-line program writes: results to standard output, one
// error line and progress to standard error. Progress is shown only when
// standard error is a terminal, so scripts and logs get results and errors
// alone.
class CConsole
{
public:
    static constexpr const char* kProgram = "orvan-cli";

    // Streams default to the process's own; tests hand in files of their own.
    // pszProgram: the name error lines start with (orvan-server shares the
    // command line's session and options).
    explicit CConsole(std::FILE* pOut = stdout, std::FILE* pErr = stderr, const char* pszProgram = kProgram);
    ~CConsole();
    CConsole(const CConsole&) = delete;
    CConsole& operator=(const CConsole&) = delete;

    // One line of the result (a newline is added).
    void Out(const QString& strLine);
    // The one error line of a failed run: "orvan-cli: <text>".
    void Error(const QString& strText);
    // Replaces the progress line with "<label> <percent>%"; nothing when
    // standard error is not a terminal.
    void Progress(const QString& strLabel, int nDone, int nTotal);
    // Removes the progress line, if any.
    void EndProgress();

    const char* Program() const { return m_pszProgram; }

    bool ShowsProgress() const { return m_bProgress; }
    void SetShowsProgress(bool bOn) { m_bProgress = bOn; }

private:
    std::FILE* m_pOut;
    std::FILE* m_pErr;
    const char* m_pszProgram;
    bool m_bProgress;
    bool m_bProgressShown = false;
};
