#pragma once

#include <QColor>
#include <QIcon>
#include <QString>

class QPainter;
class QRect;

// The look of the main window: one dark console theme for the window, its
// fields, buttons and progress bar, and the background the areas sit on.
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
    static const QColor kButtonTop;
    static const QColor kButtonBottom;
    static const QColor kPlot;
    static const QColor kPlotGrid;

    static QString StyleSheet();
    static QIcon AppIcon();

    // Window background with the frame of the status area.
    static void PaintBackground(QPainter& painter, const QRect& client);
};
