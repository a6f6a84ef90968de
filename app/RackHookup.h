#pragma once

#include "rack/RackWindow.h"

class CProcessorLink;
class QAbstractButton;
class QWidget;

// The rack window beside the main window `window`: made at once and kept
// hidden, since it hears the Connection window's searches too; it connects
// through `connector` as the main window does, and `button` or Ctrl+R shows
// and raises it. The rack window is `window`'s child; the link must outlive
// it.
CRackWindow* HookUpRack(CProcessorLink& link, QWidget& window, QAbstractButton& button,
                        CRackWindow::Connector connector);
