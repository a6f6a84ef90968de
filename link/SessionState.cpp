#include "link/SessionState.h"

#include "link/Command.h"

CSessionState::CSessionState(CCommand& command, QObject* pParent)
    : QObject(pParent)
{
    connect(&command, &CCommand::programNameReceived, this, &CSessionState::SetProgramName);
}

const std::string& CSessionState::ProgramName(int nProgram) const
{
    return m_astrProgramNames.at(static_cast<size_t>(nProgram));
}

void CSessionState::SetProgramName(int nProgram, const std::string& strName)
{
    std::string& strHeld = m_astrProgramNames.at(static_cast<size_t>(nProgram));
    if (strHeld == strName)
        return;
    strHeld = strName;
    emit changed();
}

void CSessionState::SetProgramNumber(int nNumber)
{
    if (nNumber == m_nProgramNumber)
        return;
    m_nProgramNumber = nNumber;
    emit changed();
}

void CSessionState::SetPortName(const QString& strPort)
{
    if (strPort == m_strPortName)
        return;
    m_strPortName = strPort;
    emit changed();
}
