#pragma once

class QWidget;

// Screen readers and UI automation reach the skin controls through the
// accessible interfaces installed here: a fader is a slider with a value, a
// toggle button a button whose press and toggle actions click it, a meter a
// level bar. Each control calls the install itself; it runs once.
void InstallControlsAccessibility();

// Tells an active screen reader that a control's value changed.
void NotifyAccessibleValue(QWidget* control, int value);
