#include "controls/LockCombo.h"

#include "controls/ControlPalette.h"
#include "controls/ControlsText.h"

#include <QPainter>

#include <algorithm>

CLockCombo::CLockCombo(QWidget* parent)
    : QComboBox(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    setMinimumHeight(kMinimumHeight);
    connect(this, &QComboBox::activated, this, [this](int index) {
        if (m_bLocked)
            return;
        m_nRemembered = index;
        emit Chosen(index);
    });
    connect(this, &QComboBox::currentIndexChanged, this, [this](int) { UpdateTexts(); });
    UpdateTexts();
}

void CLockCombo::SetItems(const QStringList& items)
{
    m_items = items;
    if (m_nRemembered >= m_items.size())
        m_nRemembered = int(m_items.size()) - 1;
    if (!m_bLocked)
        Fill();
}

void CLockCombo::SetCurrent(int index)
{
    m_nRemembered = (index >= 0 && index < m_items.size()) ? index : -1;
    if (!m_bLocked)
        setCurrentIndex(m_nRemembered);
}

void CLockCombo::SetLocked(bool locked)
{
    m_bLocked = locked;
    setEnabled(!locked);
    Fill();
}

void CLockCombo::SetLanguage(ELanguage language)
{
    m_eLanguage = language;
    if (m_bLocked)
        Fill();
    UpdateTexts();
}

void CLockCombo::SetCaption(const QString& caption)
{
    m_szCaption = caption;
    UpdateTexts();
}

void CLockCombo::Fill()
{
    clear();
    if (m_bLocked)
    {
        addItem(ControlsLockText(m_eLanguage));
        setCurrentIndex(0);
    }
    else
    {
        addItems(m_items);
        setCurrentIndex(m_nRemembered);
    }
    UpdateTexts();
}

void CLockCombo::UpdateTexts()
{
    setAccessibleName(m_szCaption);
    setToolTip(ControlsToolTip(m_szCaption, currentText(), m_eLanguage));
}

void CLockCombo::paintEvent(QPaintEvent*)
{
    // Drawn here rather than by the style so that the combo takes the dark
    // look of the window whatever style the program runs with.
    const SControlPalette& colours = ControlPalette();
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF face = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    painter.setPen(QPen(hasFocus() ? colours.cFocus : colours.cBorder, hasFocus() ? 1.5 : 1));
    painter.setBrush(isEnabled() ? colours.cWell : colours.cFaceShade);
    painter.drawRoundedRect(face, 3, 3);

    const double arrowSpace = std::min(face.height(), 18.0);
    const QPointF tip(face.right() - arrowSpace / 2, face.center().y() + arrowSpace * 0.12);
    const double half = arrowSpace * 0.22;
    const QPointF arrow[] = {tip + QPointF(-half, -half), tip, tip + QPointF(half, -half)};
    painter.setPen(QPen(isEnabled() ? colours.cText : colours.cMutedText, 1.5, Qt::SolidLine, Qt::RoundCap));
    painter.drawPolyline(arrow, 3);

    painter.setPen(isEnabled() ? colours.cText : colours.cMutedText);
    painter.drawText(face.adjusted(6, 0, -arrowSpace, 0), Qt::AlignVCenter | Qt::AlignLeft, currentText());
}
