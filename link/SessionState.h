#pragma once

#include "wire/WireNumbers.h"

#include <QObject>
#include <QString>

#include <array>
#include <string>

class CCommand;

// What the program knows of the processor beyond the record and the locks:
// the names of its 31 programs, the number of the program last recalled,
// stored or deleted, and the port of the last connection. One copy, owned by
// the processor link: the engine's name answers write the names in as they
// arrive, the program operations the rest; windows and the command line
// read them here and follow `changed`.
class CSessionState : public QObject
{
    Q_OBJECT

public:
    static constexpr int kProgramCount = Frame::kProgramNumbers;

    // Takes every program name the engine receives from now on.
    explicit CSessionState(CCommand& command, QObject* pParent = nullptr);

    // Program 0 (live) to 30, as the processor last gave them or the
    // program last wrote them; empty until then.
    const std::string& ProgramName(int nProgram) const;
    void SetProgramName(int nProgram, const std::string& strName);

    // The slot of the last load, store or delete; 0 at start and after a
    // disconnect or a reconnect to another ID.
    int ProgramNumber() const { return m_nProgramNumber; }
    void SetProgramNumber(int nNumber);

    // The port of the last connection (or the last try), offered again by
    // the Connection dialog and shown in the status.
    const QString& PortName() const { return m_strPortName; }
    void SetPortName(const QString& strPort);

signals:
    // A name, the program number or the port changed.
    void changed();

private:
    std::array<std::string, kProgramCount> m_astrProgramNames;
    int m_nProgramNumber = 0;
    QString m_strPortName;
};
