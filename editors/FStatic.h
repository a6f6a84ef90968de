#pragma once

#include "editors/GraphLayout.h"
#include "editors/GraphPointer.h"

#include "model/EQ.h"

#include <QImage>
#include <QTimer>
#include <QWidget>

#include <vector>

class CAudio_Data;
class CLockState;
class CProcessorLink;
class QPainter;

// The response graph: the curves of the selected channel and of every
// channel whose curve is shown, the points of the selected channel's filters
// and, for the filter under the pointer, its area, bandwidth markers and
// summary. Points are dragged with the mouse; the filters do the arithmetic
// and the drag is written with CProcessorLink::EditQuietly on every move
// (CGraphPointer), so the link group and the processor follow at once. The
// record notice hears of each move as valueMoving, which the bands' faders
// follow, and of the drag as valueChanged at most once per 300 ms tick. The
// picture is drawn into an off-screen image at the screen's pixel ratio and
// shown in one step.
//
// The records' curve area follows the widget's size.
class CFStatic : public QWidget
{
    Q_OBJECT

public:
    static constexpr int kNotifyIntervalMs = 300;

    // Draws the link's record under its locks; the link must outlive the
    // graph.
    explicit CFStatic(CProcessorLink& link, QWidget* parent = nullptr);

    void SetLockState(const CLockState* locks);
    void SetLanguage(int language);

    // Shows the channel and its points; an index outside its side's
    // channels changes nothing.
    void Select(ChannelAddress channel);

    // Draws the picture again at once, with filter `highlight` of the
    // selected channel highlighted, or the filter under the pointer for -1.
    // Call it after any change of the records, the curves shown or the locks.
    void Redraw(int highlight = -1);

    // What the 300 ms timer does: tells the record notice of the last value
    // a drag changed since the last tick. Public so tests can drive the
    // clock.
    void NotifyTick();

    // The channels whose curves the graph draws, the selected one last (on
    // top): what an export of "what is shown" draws.
    std::vector<ChannelAddress> ShownChannels() const;

    const CGraphPointer& Pointer() const { return m_pointer; }
    const GraphLayout& Layout() const { return m_layout; }
    // The picture as last drawn, without the pointer readout.
    const QImage& Picture() const { return m_imgPicture; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    // A drag began with a press on a point, and ended with the release;
    // every dragStarted is followed by one dragFinished.
    void dragStarted();
    void dragFinished();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    // Lays out the plot and gives its size to the records when the widget's
    // size or pixel ratio has changed since the last call.
    void EnsureLayout();
    void RenderBackground();
    void RenderPlot(QPainter& painter);
    // The grid and the curves of every shown channel but the selected one,
    // drawn again only when one of those curves has changed: a drag moves
    // the selected channel alone, and stroking a dozen wide antialiased
    // curves on every pointer move would cost more than the move is worth.
    void UpdateCurveLayer();
    void DrawCurve(QPainter& painter, const CAudio_Channel& channel);
    void DrawPointLabels(QPainter& painter);
    void DrawOverlay(QPainter& painter);
    void UpdateCursor();

    CAudio_Data& m_program;
    const CLockState* m_pLocks;
    CGraphPointer m_pointer;
    // dragStarted was emitted and dragFinished is still due.
    bool m_bDragAnnounced = false;
    int m_nLanguage = 0;
    int m_nHighlight = -1;

    GraphLayout m_layout;
    QSize m_layoutSize;
    qreal m_dLayoutRatio = 0;
    QImage m_imgBackground;
    QImage m_imgPicture;

    struct LayerCurve
    {
        const CAudio_Channel* pChannel;
        uint32_t crColor;
        CEQ::Points aptPoints;
        friend bool operator==(const LayerCurve&, const LayerCurve&) = default;
    };
    QImage m_imgCurveLayer;
    std::vector<LayerCurve> m_layerCurves;
    bool m_bLayerValid = false;

    bool m_bPointerInside = false;
    Point m_ptPointer;
    QTimer m_notifyTimer;
};
