#pragma once

#include "model/ValueText.h"

#include <QString>

#include <string>

// What the status block of the main window shows, worked out apart from
// the widgets that show it.
struct StatusSource
{
    bool bOnline = false;        // the port is open
    bool bTypeKnown = false;     // the processor has told its type
    bool bProgramShown = false;  // NO. and DEVICE ID show the connection's values
    std::string strName;         // the program record's name
    int nProgramNumber = 0;
    int nDeviceId = 0;
    int nInputs = 0;
    int nOutputs = 0;
    QString strPort;
    std::string strVersion;      // the processor's version text, empty until read
};

struct StatusFields
{
    QString strName;
    QString strNumber;
    QString strDeviceId;
    QString strModel;
    QString strPort;
    QString strFirmware;
    QString strOnline;
    bool bOnline = false;
};

StatusFields BuildStatusFields(const StatusSource& source, ELanguage language);
