#include "controls/ControlsAccessible.h"

#include "controls/ControlsText.h"
#include "controls/Fader.h"
#include "controls/LampMeter.h"
#include "controls/LockCombo.h"
#include "controls/ToggleButton.h"

#include <QAbstractButton>
#include <QAccessibleWidget>

namespace
{
// A control with a value: a screen reader reads the control's own text of
// it and may ask for the number behind it.
class CValueAccessible : public QAccessibleWidget, public QAccessibleValueInterface
{
public:
    using QAccessibleWidget::QAccessibleWidget;

    void* interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::ValueInterface)
            return static_cast<QAccessibleValueInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Value)
            return ValueText();
        return QAccessibleWidget::text(t);
    }

    QVariant minimumStepSize() const override { return 1; }

protected:
    virtual QString ValueText() const = 0;
};

class CFaderAccessible : public CValueAccessible
{
public:
    explicit CFaderAccessible(CFader* fader)
        : CValueAccessible(fader, QAccessible::Slider)
    {
    }

    QStringList actionNames() const override
    {
        return QAccessibleWidget::actionNames() << increaseAction() << decreaseAction();
    }

    void doAction(const QString& action) override
    {
        if (!Fader()->isEnabled())
            return;
        // Increase lifts the thumb, toward the range's minimum position.
        if (action == increaseAction())
            Fader()->MoveTo(FaderMoved(Travel(), Fader()->Position(), EFaderMove::LineUp));
        else if (action == decreaseAction())
            Fader()->MoveTo(FaderMoved(Travel(), Fader()->Position(), EFaderMove::LineDown));
        else
            QAccessibleWidget::doAction(action);
    }

    QVariant currentValue() const override { return FaderHeightValue(Travel(), Fader()->Position()); }
    void setCurrentValue(const QVariant& value) override
    {
        if (Fader()->isEnabled())
            Fader()->MoveTo(FaderHeightValue(Travel(), value.toInt()));
    }
    QVariant maximumValue() const override { return Fader()->Maximum(); }
    QVariant minimumValue() const override { return Fader()->Minimum(); }

protected:
    QString ValueText() const override { return Fader()->ValueTextOf(Fader()->Position()); }

private:
    CFader* Fader() const { return static_cast<CFader*>(widget()); }
    SFaderTravel Travel() const { return Fader()->Travel(); }
};

// A button whose press and toggle actions both do what a click does: the
// owner decides what a checkable button's state becomes (CONNECTION is
// pressed only once connected), so a toggle from outside never flips only
// its look. Qt's own button interface toggles without a click.
class CButtonAccessible : public QAccessibleWidget
{
public:
    explicit CButtonAccessible(QAbstractButton* button)
        : QAccessibleWidget(button, QAccessible::Button)
    {
    }

    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.checkable = Button()->isCheckable();
        state.checked = Button()->isChecked();
        return state;
    }

    QString text(QAccessible::Text t) const override
    {
        // A button without a name of its own reads as its caption.
        if (t == QAccessible::Name && widget()->accessibleName().isEmpty())
            return Button()->text();
        return QAccessibleWidget::text(t);
    }

    QStringList actionNames() const override
    {
        QStringList names{pressAction()};
        if (Button()->isCheckable())
            names << toggleAction();
        return names << QAccessibleWidget::actionNames();
    }

    void doAction(const QString& action) override
    {
        if (action == pressAction() || action == toggleAction())
        {
            if (Button()->isEnabled())
                Button()->click();
            return;
        }
        QAccessibleWidget::doAction(action);
    }

protected:
    QAbstractButton* Button() const { return static_cast<QAbstractButton*>(widget()); }
};

class CToggleAccessible : public CButtonAccessible
{
public:
    explicit CToggleAccessible(CToggleButton* button)
        : CButtonAccessible(button)
    {
    }

    QAccessible::State state() const override
    {
        QAccessible::State state = CButtonAccessible::state();
        state.checkable = true;
        return state;
    }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Value)
            return static_cast<CToggleButton*>(widget())->ValueText();
        return CButtonAccessible::text(t);
    }

    QStringList actionNames() const override
    {
        return QStringList{pressAction(), toggleAction()} << QAccessibleWidget::actionNames();
    }
};

// A combo box named by its caption, its entry as its value. Qt's own combo
// interface on Linux names a combo by its current entry, which says what is
// chosen but not what is chosen there.
class CComboAccessible : public QAccessibleWidget
{
public:
    explicit CComboAccessible(CLockCombo* combo)
        : QAccessibleWidget(combo, QAccessible::ComboBox)
    {
    }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Value)
            return Combo()->currentText();
        return QAccessibleWidget::text(t);
    }

    QStringList actionNames() const override { return QStringList{showMenuAction()} << QAccessibleWidget::actionNames(); }

    void doAction(const QString& action) override
    {
        if (action == showMenuAction())
        {
            if (Combo()->isEnabled())
                Combo()->showPopup();
            return;
        }
        QAccessibleWidget::doAction(action);
    }

private:
    CLockCombo* Combo() const { return static_cast<CLockCombo*>(widget()); }
};

class CLampMeterAccessible : public CValueAccessible
{
public:
    explicit CLampMeterAccessible(CLampMeter* meter)
        : CValueAccessible(meter, QAccessible::ProgressBar)
    {
    }

    // A press does what a click does: the clip indicator goes out.
    QStringList actionNames() const override { return QStringList{pressAction()}; }
    void doAction(const QString& action) override
    {
        if (action == pressAction())
            Meter()->ClearClip();
    }
    QString localizedActionDescription(const QString& action) const override
    {
        if (action == pressAction())
            return ControlsText(EControlsText::ClearClip, Meter()->Language());
        return QAccessibleWidget::localizedActionDescription(action);
    }

    QVariant currentValue() const override { return LitLampCount(Meter()->Pattern()); }
    // The meter shows what the processor reports; nobody sets it from outside.
    void setCurrentValue(const QVariant&) override {}
    QVariant maximumValue() const override { return kLampCount; }
    QVariant minimumValue() const override { return 0; }

protected:
    QString ValueText() const override { return Meter()->ValueText(); }

private:
    CLampMeter* Meter() const { return static_cast<CLampMeter*>(widget()); }
};

QAccessibleInterface* ControlsFactory(const QString& className, QObject* object)
{
    if (className == QLatin1String("CFader"))
        return new CFaderAccessible(static_cast<CFader*>(object));
    if (className == QLatin1String("CToggleButton"))
        return new CToggleAccessible(static_cast<CToggleButton*>(object));
    if (className == QLatin1String("CLampMeter"))
        return new CLampMeterAccessible(static_cast<CLampMeter*>(object));
    if (className == QLatin1String("CLockCombo"))
        return new CComboAccessible(static_cast<CLockCombo*>(object));
    // Every push button of the program, the window's commands included.
    if (className == QLatin1String("QPushButton"))
        return new CButtonAccessible(static_cast<QAbstractButton*>(object));
    return nullptr;
}
}

void InstallControlsAccessibility()
{
    static const bool installed = [] {
        QAccessible::installFactory(ControlsFactory);
        return true;
    }();
    (void)installed;
}

void NotifyAccessibleValue(QWidget* control, int value)
{
    if (!QAccessible::isActive())
        return;
    QAccessibleValueChangeEvent event(control, value);
    QAccessible::updateAccessibility(&event);
}
