#pragma once

#include "editors/GraphLayout.h"
#include "editors/GraphPointer.h"
#include "model/ValueText.h"

#include "model/EQ.h"

#include <QImage>
#include <QRegion>
#include <QStringList>
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
    void SetLanguage(ELanguage language);

    // Shows the channel and its points; an index outside its side's
    // channels changes nothing.
    void Select(ChannelAddress channel);

    // Draws the picture again (at the next paint), with filter `highlight`
    // of the selected channel highlighted, or the filter under the pointer
    // for -1. Call it after any change of the records, the curves shown or
    // the locks.
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
    // The picture as it is drawn now, without the pointer readout, at the
    // widget's pixel ratio.
    QImage Picture();

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
    // Everything but the pointer readout and the dragged point's values.
    void PaintPicture(QPainter& painter);
    // The grid and the curves of every shown channel but the selected one,
    // and the still picture with them (m_imgBase), drawn again only when one
    // of those curves has changed (then true): a drag moves
    // the selected channel alone, and stroking a dozen wide antialiased
    // curves on every pointer move would cost more than the move is worth.
    // The layer itself is kept (m_imgCurveLayer) from the first time a
    // highlighted band needs it (`needLayer`) on: until then it is drawn
    // only to make the base, and a window that is only looked at does not
    // hold a second copy of the plot's pixels.
    bool UpdateCurveLayer(bool needLayer);
    // A pointer move: what moved is drawn again, the rest of the back
    // buffer stays.
    void RedrawMoved();
    // Where the picture differs from the still one now: the selected curve,
    // the points, markers, summary, the dragged point's box and the readout.
    QRegion MovingParts() const;
    struct Overlay
    {
        QStringList aszInfo;
        int nInfoTextWidth = 0;
        int nLineHeight = 0;
        QRect rcInfo;
        QString szReadout;
        QRect rcReadout;
    };
    Overlay OverlayNow() const;
    void DrawCurve(QPainter& painter, const CAudio_Channel& channel);
    void DrawPointLabels(QPainter& painter);
    void DrawOverlay(QPainter& painter);
    void UpdateCursor();

    CAudio_Data& m_program;
    const CLockState* m_pLocks;
    CGraphPointer m_pointer;
    // dragStarted was emitted and dragFinished is still due.
    bool m_bDragAnnounced = false;
    ELanguage m_eLanguage = kChinese;
    int m_nHighlight = -1;

    GraphLayout m_layout;
    QSize m_layoutSize;
    qreal m_dLayoutRatio = 0;
    // Background, scale, grid and the other channels' curves.
    QImage m_imgBase;

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

    // What the last paint drew over the still picture, and whether there
    // was one.
    QRegion m_drawnMoving;
    bool m_bPainted = false;
    bool m_bPointerInside = false;
    Point m_ptPointer;
    QTimer m_notifyTimer;
};
