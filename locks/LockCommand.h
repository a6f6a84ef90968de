#pragma once

#include <QDialog>

#include <functional>

class CProcessorLink;
class QWidget;

// The main window's LOCK command: the not-connected window, or the password
// windows leading to the lock window. Each window runs through fnRun (the
// main window's dialog runner, so tests can fill them in) and is closed
// before the next one opens. A password set, changed or cleared is sent at
// once while connected.
void OpenLockCommand(CProcessorLink& link, QWidget* pParent, const std::function<int(QDialog&)>& fnRun);
