#include "editors/NumEdit.h"

#include "editors/EditorsText.h"
#include "ui/MessageBox.h"
#include "ui/TypedTextValidator.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QWheelEvent>

#include <algorithm>

namespace
{
// A decimal comma and the minus sign U+2212 too, as desktops in many
// locales type them; the catalogue reads them as a point and '-'.
bool IsNumberChar(QChar ch)
{
    return ch.isDigit() || ch == u'-' || ch == u'\u2212' || ch == u'.' || ch == u',';
}

// Page Up/Down move as far as ten arrow presses.
constexpr int kPageSteps = 10;
}

CNumEdit::CNumEdit(QWidget* pParent)
    : QLineEdit(pParent)
    , m_pValidator(new CTypedTextValidator(IsNumberChar, this))
{
    setValidator(m_pValidator);
    setAlignment(Qt::AlignCenter);
    Rewrite();
}

void CNumEdit::Bind(EParam param, EUnit unit, int index)
{
    m_eParam = param;
    m_eUnit = unit;
    m_nIndex = index;
    Rewrite();
}

void CNumEdit::SetRange(int min, int max)
{
    m_nMin = min;
    m_nMax = std::max(min, max);
    m_nValue = m_nMin;
}

void CNumEdit::SetValue(int value)
{
    if (value < m_nMin || value > m_nMax)
        return;
    m_nValue = value;
    Rewrite();
}

void CNumEdit::ShowHeld(int value)
{
    m_nValue = value;
    Rewrite();
}

int CNumEdit::GetValue()
{
    if (!isModified())
        return m_nValue;
    const TypedStep typed = ParamCatalogue::Parse(m_eParam, text().toStdString(), m_nValue, m_eUnit);
    const bool inRange = typed.nStep >= m_nMin && typed.nStep <= m_nMax;
    if (!typed.bOutOfRange && inRange)
        m_nValue = typed.nStep;
    else if (ParamCatalogue::Param(m_eParam).eEntry == EEntry::kInteger && typed.bOutOfRange)
        m_nValue = std::clamp(typed.nStep, m_nMin, m_nMax);
    // The text follows the step, so what is shown is what the panel reads.
    Rewrite();
    return m_nValue;
}

void CNumEdit::Lock(bool locked)
{
    m_bLocked = locked;
    setEnabled(!locked);
    Rewrite();
}

void CNumEdit::SetLanguage(ELanguage language)
{
    m_eLanguage = language;
    Rewrite();
}

bool CNumEdit::CommitTyped()
{
    if (!isModified() || m_bLocked)
        return false;
    const TypedStep typed = ParamCatalogue::Parse(m_eParam, text().toStdString(), m_nValue, m_eUnit);
    // The record may narrow the row's range (a shelf band, a crossover
    // beside the other one); a value beyond a shelf's limit is out of range
    // too, one crossing the other crossover filter is only kept in order.
    const int step = std::clamp(typed.nStep, m_nMin, m_nMax);
    const bool outOfRange =
        typed.bOutOfRange || (step != typed.nStep && !ParamCatalogue::NarrowsSilently(m_eParam));
    m_nValue = step;
    Rewrite();
    // The feet field takes any distance at its limit without a word.
    if (outOfRange && m_eUnit != EUnit::kFeet)
        CMessageBox::Show(this, QString::fromUtf8(OutOfRangeText(m_eLanguage)));
    emit stepChosen(m_nValue);
    return true;
}

void CNumEdit::Rewrite()
{
    const QString shown = QString::fromStdString(
        ParamCatalogue::FieldText(m_eParam, m_nValue, m_eLanguage, m_bLocked, m_eUnit));
    m_pValidator->SetShown(shown);
    setText(shown);  // also clears the modified state
    QString caption = QString::fromStdString(ParamCatalogue::Caption(m_eParam, m_eLanguage, m_nIndex));
    // Fields of one parameter in several units (delay in ms, metres and
    // feet; bandwidth and Q) say which one they show.
    switch (m_eUnit)
    {
    case EUnit::kNative:
        break;
    case EUnit::kMetres:
        caption = EditorsText(EEditorsText::FieldInMetres, m_eLanguage).arg(caption);
        break;
    case EUnit::kFeet:
        caption = EditorsText(EEditorsText::FieldInFeet, m_eLanguage).arg(caption);
        break;
    case EUnit::kQ:
        caption = EditorsText(EEditorsText::FieldAsQ, m_eLanguage).arg(caption);
        break;
    }
    setAccessibleName(caption);
    setToolTip(EditorsText(EEditorsText::FieldToolTip, m_eLanguage).arg(caption, shown));
}

int CNumEdit::StepKeyDelta(int key)
{
    switch (key)
    {
    case Qt::Key_Up:
        return 1;
    case Qt::Key_Down:
        return -1;
    case Qt::Key_PageUp:
        return kPageSteps;
    case Qt::Key_PageDown:
        return -kPageSteps;
    default:
        return 0;
    }
}

void CNumEdit::focusOutEvent(QFocusEvent* pEvent)
{
    QLineEdit::focusOutEvent(pEvent);
    CommitTyped();
}

void CNumEdit::keyPressEvent(QKeyEvent* pEvent)
{
    if (const int delta = StepKeyDelta(pEvent->key()); delta != 0)
    {
        emit stepRequested(delta, pEvent->isAutoRepeat());
        pEvent->accept();
        return;
    }
    switch (pEvent->key())
    {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        CommitTyped();
        pEvent->accept();
        return;
    case Qt::Key_Escape:
        if (isModified())
        {
            Rewrite();
            pEvent->accept();
            return;
        }
        break;
    default:
        break;
    }
    QLineEdit::keyPressEvent(pEvent);
}

void CNumEdit::keyReleaseEvent(QKeyEvent* pEvent)
{
    if (StepKeyDelta(pEvent->key()) != 0 && !pEvent->isAutoRepeat())
    {
        emit stepReleased();
        pEvent->accept();
        return;
    }
    QLineEdit::keyReleaseEvent(pEvent);
}

void CNumEdit::wheelEvent(QWheelEvent* pEvent)
{
    // One step per notch; a fine-grained wheel or touchpad adds up.
    m_nWheelRest += pEvent->angleDelta().y();
    const int steps = m_nWheelRest / QWheelEvent::DefaultDeltasPerStep;
    m_nWheelRest -= steps * QWheelEvent::DefaultDeltasPerStep;
    if (steps != 0)
        emit stepRequested(steps, true);
    pEvent->accept();
}
