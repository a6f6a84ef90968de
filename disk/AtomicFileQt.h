#pragma once

#include "disk/AtomicFile.h"

#include <QByteArray>
#include <QString>

// AtomicFile for Qt code: paths as QString (in the file system's encoding
// on disk), reasons as QString. Same rules as AtomicFile.
namespace AtomicFile
{
struct QtOutcome
{
    EResult eResult = EResult::kOk;
    QString strReason;

    bool Ok() const { return eResult == EResult::kOk; }
};

QtOutcome Write(const QString& strPath, std::span<const std::byte> bytes);
QtOutcome Write(const QString& strPath, const QByteArray& bytes);
QtOutcome Write(const QString& strPath, const QByteArray& bytes, EAccess eAccess);

using QtFiller = std::function<bool(const QString& strTempPath, QString& strReason)>;
QtOutcome WriteThrough(const QString& strPath, const QtFiller& fill);
}
