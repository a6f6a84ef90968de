#pragma once

#include <QColor>
#include <QIcon>
#include <QString>

class QPainter;
class QWidget;
class QRect;

// The look of the program: one dark console theme for the main window, the
// dialogs and the panels (fields, buttons, progress bars), the colours the
// panels paint with, and the background the main window's areas sit on.
class CMainSkin
{
public:
    static const QColor kWindow;
    static const QColor kBackgroundTop;
    static const QColor kBackgroundBottom;
    static const QColor kPanel;
    static const QColor kPanelBorder;
    static const QColor kText;
    static const QColor kMutedText;
    static const QColor kAccent;
    static const QColor kAccentDark;
    static const QColor kField;
    static const QColor kFieldText;
    static const QColor kOn;
    static const QColor kOnDark;
    static const QColor kAlert;
    static const QColor kButtonTop;
    static const QColor kButtonBottom;
    static const QColor kPlot;
    static const QColor kPlotGrid;

    // The program's style sheet with the colours filled in, for the parts of
    // the main window that use it and every window opened over it.
    static QString StyleSheet();
    // Gives the sheet to each window opened over `window` (a dialog, a
    // message box, a menu, a tooltip) before it is first polished, as if it
    // inherited it from `window`, which does not carry the sheet itself;
    // a window opened over one of those inherits it from there. For as long
    // as `window` lives.
    static void StyleWindowsOver(QWidget& window);
    static QIcon AppIcon();

    // Window background behind the areas (each area draws its own frame).
    static void PaintBackground(QPainter& painter, const QRect& client);
};
