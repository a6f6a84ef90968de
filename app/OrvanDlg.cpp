#include "app/OrvanDlg.h"

#include "app/OrvanDlgDlg.h"
#include "app/WindowMemory.h"
#include "session/ProcessorLink.h"

#include <QFont>
#include <QSettings>

COrvanDlgApp::COrvanDlgApp(int& argc, char** argv)
    : QApplication(argc, argv)
{
    setApplicationName(QStringLiteral("orvan"));
    // Chinese texts need a CJK face; naming one keeps every Latin and
    // Chinese glyph in the same two faces whatever the desktop's defaults.
    QFont font(QStringLiteral("DejaVu Sans"), 9);
    font.setFamilies({QStringLiteral("DejaVu Sans"), QStringLiteral("WenQuanYi Micro Hei"),
                      QStringLiteral("Noto Sans CJK SC")});
    setFont(font);
}

int COrvanDlgApp::InitInstance()
{
    // The processor link is the program's, not the window's: made before the
    // window and gone after it, since every panel holds references into it.
    CProcessorLink link;
    COrvanDlgDlg dlg(link);
    // The user's settings file (~/.config/orvan/orvan.ini on Linux).
    QSettings settings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("orvan"), QStringLiteral("orvan"));
    CWindowMemory memory(settings);
    memory.Restore(dlg);
    QObject::connect(&dlg, &QDialog::finished, &dlg, [&memory, &dlg] { memory.Save(dlg); });
    dlg.exec();
    return 0;
}
