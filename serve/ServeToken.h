#pragma once

#include <QByteArray>
#include <QString>

// The service's bearer token: made on the first start that needs one (32
// random bytes from the system's generator, as 64 hex digits) and kept in
// a file only its owner may read (mode 0600, written whole through
// AtomicFile); later starts read it back.
namespace ServeToken
{
struct Outcome
{
    QByteArray token;
    bool bCreated = false;  // made just now: show it, this once
    QString strError;       // the system's reason when it could be neither read nor made
};

// $XDG_CONFIG_HOME/orvan/server-token (~/.config/orvan/server-token).
QString DefaultPath();
Outcome LoadOrCreate(const QString& strPath);
}
