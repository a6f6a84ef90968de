#pragma once

#include "model/ChannelAddress.h"

#include <QString>

#include <vector>

class CAudio_Data;
class COrvanDlgDlg;
class QSettings;

// What the main window remembers from one working day to the next: its
// geometry (size, place, maximised state) and screen, the last port and
// device ID, the language, the curves shown and the selected channel. A
// first start, or a start whose screen is gone, places the window by the
// first-start rule (WindowPlacement::FirstStartClient).
class CWindowMemory
{
public:
    // The settings of the program's user; the settings must outlive this.
    explicit CWindowMemory(QSettings& settings);

    // Before the window is shown.
    void Restore(COrvanDlgDlg& window);
    // When the window closes.
    void Save(const COrvanDlgDlg& window);

    // The channels whose curve is shown besides the selected one, as saved.
    static std::vector<ChannelAddress> ShownCurves(const CAudio_Data& record);

private:
    QSettings& m_settings;
};
