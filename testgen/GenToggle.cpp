#include "testgen/GenToggle.h"

#include "controls/ControlPalette.h"

#include <QPainter>

#include <algorithm>

namespace
{
bool IsIdeographic(const QString& text)
{
    return !text.isEmpty() && std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() >= 0x2E80; });
}
}

CGenToggle::CGenToggle(QWidget* parent)
    : QAbstractButton(parent)
{
    setCheckable(true);
    setChecked(true);
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::PointingHandCursor);
}

void CGenToggle::SetTexts(const QString& generator, const QString& input, const QString& name)
{
    m_szGenerator = generator;
    m_szInput = input;
    m_szName = name;
    UpdateTexts();
}

QString CGenToggle::ValueText() const
{
    return isChecked() ? m_szInput : m_szGenerator;
}

QSize CGenToggle::sizeHint() const
{
    return {26, 160};
}

void CGenToggle::nextCheckState()
{
    // The owner sets the state once it has swapped the controls.
}

void CGenToggle::checkStateSet()
{
    UpdateTexts();
}

void CGenToggle::UpdateTexts()
{
    setText(ValueText());
    setAccessibleName(m_szName);
    setAccessibleDescription(ValueText());
    setToolTip(m_szName + QStringLiteral(": ") + ValueText());
    update();
}

void CGenToggle::paintEvent(QPaintEvent* /*event*/)
{
    const SControlPalette& colours = ControlPalette();
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF face = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    painter.setPen(QPen(hasFocus() ? colours.cFocus : colours.cBorder, hasFocus() ? 1.5 : 1));
    painter.setBrush(colours.cFaceShade);
    painter.drawRoundedRect(face, 3, 3);

    // Upper half the generator, lower half the inputs; the side shown is lit.
    const double half = face.height() / 2;
    const QRectF halves[2] = {QRectF(face.left() + 2, face.top() + 2, face.width() - 4, half - 3),
                              QRectF(face.left() + 2, face.top() + half + 1, face.width() - 4, half - 3)};
    const QString labels[2] = {m_szGenerator, m_szInput};
    const bool lit[2] = {!isChecked(), isChecked()};
    QFont font = painter.font();
    font.setBold(true);
    font.setPixelSize(std::max(8, static_cast<int>(face.width() * 0.42)));
    painter.setFont(font);
    for (int i = 0; i < 2; ++i)
    {
        QColor fill = lit[i] ? colours.cAccent : colours.cFace;
        if (isDown())
            fill = fill.darker(120);
        painter.setPen(Qt::NoPen);
        painter.setBrush(fill);
        painter.drawRoundedRect(halves[i], 2, 2);

        painter.setPen(!isEnabled() ? colours.cMutedText : lit[i] ? colours.cFaceShade : colours.cText);
        if (IsIdeographic(labels[i]))
        {
            // Chinese stands one character under the other.
            painter.drawText(halves[i], Qt::AlignCenter, labels[i].split(QString(), Qt::SkipEmptyParts).join('\n'));
            continue;
        }
        // Latin text is written upwards, as on the rack's own labels.
        painter.save();
        painter.translate(halves[i].center());
        painter.rotate(-90);
        const QRectF upright(-halves[i].height() / 2, -halves[i].width() / 2, halves[i].height(), halves[i].width());
        painter.drawText(upright, Qt::AlignCenter | Qt::TextWordWrap, labels[i]);
        painter.restore();
    }
}
