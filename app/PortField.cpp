#include "app/PortField.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOptionFrame>

#include <algorithm>

QRect CPortField::TextRect() const
{
    QStyleOptionFrame panel;
    initStyleOption(&panel);
    return style()->subElementRect(QStyle::SE_LineEditContents, &panel, this).marginsRemoved(textMargins());
}

QString CPortField::Shown() const
{
    return fontMetrics().elidedText(text(), Qt::ElideLeft, TextRect().width() - 4);
}

void CPortField::paintEvent(QPaintEvent* event)
{
    const QString shown = Shown();
    if (hasFocus() || shown == text())
    {
        QLineEdit::paintEvent(event);
        return;
    }
    QStyleOptionFrame panel;
    initStyleOption(&panel);
    QPainter painter(this);
    style()->drawPrimitive(QStyle::PE_PanelLineEdit, &panel, &painter, this);
    const QRect contents = TextRect();
    painter.setClipRect(contents);
    // Placed as QLineEdit places its line: centred on the taller of the
    // text's box and the font's height, 2 pixels in.
    const QFontMetrics metrics = fontMetrics();
    const int height = std::max(metrics.boundingRect(shown).height(), metrics.height());
    const int top = contents.y() + (contents.height() - height + 1) / 2;
    painter.setPen(palette().color(QPalette::Text));
    painter.drawText(QPoint(contents.x() + 2, top + metrics.ascent()), shown);
}
