#pragma once

#include <QByteArray>
#include <QtGlobal>

#include <cstdio>

// What the screenshot tools do before their QApplication: check that the
// output was named (else print `usage`), take the scale from the second
// argument and draw off screen unless a platform was chosen.
inline bool PrepareShot(int argc, char** argv, const char* usage)
{
    if (argc < 2)
    {
        std::fprintf(stderr, "usage: %s\n", usage);
        return false;
    }
    if (argc > 2)
        qputenv("QT_SCALE_FACTOR", argv[2]);
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    return true;
}
