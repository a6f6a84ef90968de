#pragma once

#include <QApplication>

// The application: sets up the program-wide look, owns the processor link
// and runs the main window on it until the user closes it, which ends the
// program.
class COrvanDlgApp : public QApplication
{
    Q_OBJECT

public:
    COrvanDlgApp(int& argc, char** argv);

    // Runs the main window modally; returns the program's exit code.
    int InitInstance();
};
