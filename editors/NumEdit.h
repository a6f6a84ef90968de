#pragma once

#include "model/ParamCatalogue.h"
#include "model/ValueText.h"

#include <QLineEdit>

class CTypedTextValidator;

// The numeric field of a parameter: it holds a step and shows it as the
// parameter's catalogue row shows it in a field (the row and unit it is bound
// to pick the display mode), and turns typed text back into a step by the
// row's own rule. Only digits, the minus sign and the decimal point (or a
// comma) can be typed; the field shows a point whatever the locale.
//
// A typed value is taken when the field loses the focus or Enter is pressed:
// out of range it is taken at the limit with the out-of-range message; text
// that holds no value shows the message and the previous text comes back.
// Escape drops the typing. Arrow keys, Page Up/Down and the mouse wheel ask
// the spin (CNumSpin) for steps; the field never steps itself.
class CNumEdit : public QLineEdit
{
    Q_OBJECT

public:
    explicit CNumEdit(QWidget* pParent = nullptr);

    // Shows the row `param` (channel index within it `index`, for the band
    // number in its caption) in `unit`; rewrites the text.
    void Bind(EParam param, EUnit unit = EUnit::kNative, int index = 0);
    EParam Param() const { return m_eParam; }
    EUnit Unit() const { return m_eUnit; }

    // Stores the range; the value becomes `min`, the text is not rewritten.
    void SetRange(int min, int max);
    int Minimum() const { return m_nMin; }
    int Maximum() const { return m_nMax; }

    // Takes `value` and rewrites the text when it lies in the range; else
    // nothing happens.
    void SetValue(int value);
    // Takes and shows the value the record holds, in the range or not: a
    // processor may hold a value the panel does not offer (a low shelf at
    // 15870 Hz), and the field shows that rather than a limit it does not
    // hold. Typing or stepping from there gives a value in the range.
    void ShowHeld(int value);
    // The step. Typing not yet taken is taken first, silently: a value in
    // the range is stored (an integer row clamps), anything else keeps the
    // step; the text then shows the step.
    int GetValue();
    // The step, without taking typing.
    int Value() const { return m_nValue; }
    bool IsModified() const { return isModified(); }

    // A locked field shows the lock text and is disabled.
    void Lock(bool locked);
    bool IsLocked() const { return m_bLocked; }

    // 0 Chinese, 1 English: the lock text, the message, caption and tooltip.
    void SetLanguage(ELanguage language);
    ELanguage Language() const { return m_eLanguage; }

signals:
    // Typing was taken (leaving the field or Enter); `step` is the new step.
    void stepChosen(int step);
    // Arrow keys, Page Up/Down (ten steps) and the wheel: `held` when the key
    // repeats or the wheel turns, so the spin thins its reports.
    void stepRequested(int delta, bool held);
    // A stepping key was let go.
    void stepReleased();

protected:
    void focusOutEvent(QFocusEvent* pEvent) override;
    void keyPressEvent(QKeyEvent* pEvent) override;
    void keyReleaseEvent(QKeyEvent* pEvent) override;
    void wheelEvent(QWheelEvent* pEvent) override;

private:
    // Takes typed text by the row's rule with the messages; true when the
    // field was modified.
    bool CommitTyped();
    void Rewrite();
    static int StepKeyDelta(int key);

    EParam m_eParam = EParam::kInGain;
    EUnit m_eUnit = EUnit::kNative;
    int m_nIndex = 0;
    int m_nValue = 0;
    int m_nMin = 0;
    int m_nMax = 0;
    bool m_bLocked = false;
    ELanguage m_eLanguage = kChinese;
    int m_nWheelRest = 0;  // wheel angle not yet a whole step
    CTypedTextValidator* m_pValidator;
};
