#pragma once

#include "programs/ProgramFileError.h"

#include <QString>

// The one line a failed program file read or write leaves on the console.
namespace FileErrors
{
// `detail` is the system's reason, when there is one.
QString Describe(const QString& strPath, ProgramFileError eError, const QString& strDetail);
}
