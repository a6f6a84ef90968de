#include "serve/ServeToken.h"

#include "disk/AtomicFileQt.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QStandardPaths>

#include <array>

namespace
{
constexpr int kTokenBytes = 32;
}

namespace ServeToken
{
QString DefaultPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + "/orvan/server-token";
}

Outcome LoadOrCreate(const QString& strPath)
{
    Outcome outcome;
    QFile file(strPath);
    if (file.exists())
    {
        if (!file.open(QIODevice::ReadOnly))
        {
            outcome.strError = file.errorString();
            return outcome;
        }
        outcome.token = file.readAll().trimmed();
        if (!outcome.token.isEmpty())
            return outcome;
    }
    std::array<quint32, kTokenBytes / 4> words{};
    QRandomGenerator::system()->fillRange(words.data(), words.size());
    const QByteArray token =
        QByteArray(reinterpret_cast<const char*>(words.data()), kTokenBytes).toHex();
    if (!QDir().mkpath(QFileInfo(strPath).absolutePath()))
    {
        outcome.strError = QStringLiteral("cannot make the folder %1").arg(QFileInfo(strPath).absolutePath());
        return outcome;
    }
    const AtomicFile::QtOutcome written = AtomicFile::Write(strPath, token + '\n', AtomicFile::EAccess::kOwnerOnly);
    if (!written.Ok())
    {
        outcome.strError = written.strReason;
        return outcome;
    }
    outcome.token = token;
    outcome.bCreated = true;
    return outcome;
}
}
