#include "PlaceholderPanel.h"

#include "MainSkin.h"

#include <QLabel>
#include <QPainter>
#include <QVBoxLayout>

namespace
{
constexpr int kGridColumns = 12;
constexpr int kGridRows = 8;
}

CPlaceholderPanel::CPlaceholderPanel(EStyle style, QWidget* parent)
    : QFrame(parent)
    , m_eStyle(style)
    , m_pTitle(new QLabel(this))
    , m_pNote(new QLabel(this))
{
    setProperty("role", style == EStyle::Plot ? "plot" : "panel");
    m_pTitle->setProperty("role", "areaTitle");
    m_pNote->setProperty("role", "areaNote");
    m_pNote->setAlignment(Qt::AlignCenter);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 8, 12, 8);
    layout->addWidget(m_pTitle, 0, Qt::AlignLeft | Qt::AlignTop);
    layout->addWidget(m_pNote, 1);
}

void CPlaceholderPanel::SetTitle(const QString& title)
{
    m_pTitle->setText(title);
}

void CPlaceholderPanel::SetNote(const QString& note)
{
    m_pNote->setText(note);
}

QString CPlaceholderPanel::Title() const
{
    return m_pTitle->text();
}

void CPlaceholderPanel::paintEvent(QPaintEvent* event)
{
    QFrame::paintEvent(event);
    if (m_eStyle != EStyle::Plot)
        return;

    // An empty grid, so the plot area reads as a graph before it has curves.
    QPainter painter(this);
    painter.setPen(QPen(CMainSkin::kPlotGrid, 1, Qt::DotLine));
    const QRect inner = rect().adjusted(1, 1, -2, -2);
    for (int i = 1; i < kGridColumns; ++i)
    {
        const int x = inner.left() + inner.width() * i / kGridColumns;
        painter.drawLine(x, inner.top(), x, inner.bottom());
    }
    for (int i = 1; i < kGridRows; ++i)
    {
        const int y = inner.top() + inner.height() * i / kGridRows;
        painter.drawLine(inner.left(), y, inner.right(), y);
    }
}
