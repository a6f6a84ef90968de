#pragma once

#include "model/ValueText.h"

#include <QObject>
#include <QSize>
#include <QString>
#include <QStringList>

#include <functional>

class CAudio_Data;
class CFStatic;
class CProcessorLink;
class QFont;
class QPainter;
class QPoint;
class QRect;

// The response graph's way out of the program: its context menu offers the
// picture (at the size shown or a screen's size, PNG or SVG) and the shown
// channels' curves as CSV; the report's PDF takes a page with every
// channel's curves. What the files hold is what the graph shows; a file that
// could not be written is told to the user with the report's texts.
class CGraphExportMenu : public QObject
{
    Q_OBJECT

public:
    // How the menu asks for a file to write; an empty text cancels.
    using SaveAsker = std::function<QString(const QString& title, const QStringList& filters)>;

    // Lives as the graph's child and opens on its context menu; the link
    // must outlive the graph.
    CGraphExportMenu(CProcessorLink& link, CFStatic& graph);

    // The default is the save dialog in the export folder.
    void SetSaveAsker(SaveAsker asker) { m_saveAsker = std::move(asker); }

    void Offer(const QPoint& where);
    // False (after telling the user) when the file could not be written.
    bool ExportPicture(QSize size, const QString& path);
    bool ExportCurves(const QString& path);

    // The report's page: a title and one graph of the curves of every
    // channel in use, laid out at a screen's width and scaled onto `body`,
    // so that lines and texts keep their weight in the printer's dots.
    static void PaintCurvePage(QPainter& painter, const QRect& body, CAudio_Data& record, int inputs, int outputs,
                               QFont font, ELanguage language);

private:
    ELanguage Language() const;

    CProcessorLink& m_link;
    CFStatic& m_graph;
    SaveAsker m_saveAsker;
};
