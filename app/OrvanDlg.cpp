#include "app/OrvanDlg.h"

#include "app/OrvanDlgDlg.h"

#include <QFont>

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
    COrvanDlgDlg dlg;
    dlg.exec();
    return 0;
}
