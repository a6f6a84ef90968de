#pragma once

#include "model/ParamCatalogue.h"
#include "model/ValueText.h"

#include <QObject>

#include <functional>

// The one notice every panel and the main window listen to: a value of the
// program record changed, a whole program was loaded, the locks changed or
// the language was switched. Panels never call each other; each reloads
// what it shows from the record when it hears of a change.
//
// Editors write through CProcessorLink::Edit, which wraps Apply, so an
// unchanged value neither sends a frame (the setter is not reached or marks
// nothing) nor wakes a listener.
class CRecordNotice : public QObject
{
    Q_OBJECT

public:
    // The channel code of values that belong to no channel (the generator,
    // the program name). Inputs are 1..4, outputs 5..12.
    static constexpr int kNoChannel = 0;

    explicit CRecordNotice(QObject* pParent = nullptr);

    // Runs fnSet, which writes one value and answers whether it really
    // changed; only then valueChanged(nChannelCode, eParam) is emitted, once.
    // Returns what fnSet answered.
    bool Apply(int nChannelCode, EParam eParam, const std::function<bool()>& fnSet);
    // For values already changed and not yet told: the response graph tells
    // the edits of a drag once per 300 ms tick.
    void NotifyValueChanged(int nChannelCode, EParam eParam);
    // A drag on the response graph changed a value between two ticks: what
    // follows the drag as it goes (a band's fader) may show it now; the rest
    // waits for valueChanged.
    void NotifyValueMoving(int nChannelCode, EParam eParam);
    // The record holds another program (read from the processor, loaded
    // from a file, or the factory program after a disconnect).
    void NotifyProgramLoaded();
    void NotifyLocksChanged();

    // The program-wide language flag: kChinese (at start) or kEnglish.
    ELanguage Language() const { return m_eLanguage; }
    // Any value other than kEnglish counts as Chinese. Emits
    // languageChanged and answers true only when the language switched.
    bool SetLanguage(ELanguage eLanguage);

signals:
    // One edit, named by the edited channel: channels linked with it may
    // have followed, so a listener showing a channel of the same link group
    // reloads too.
    void valueChanged(int nChannelCode, EParam eParam);
    void valueMoving(int nChannelCode, EParam eParam);
    void programLoaded();
    void locksChanged();
    void languageChanged(ELanguage eLanguage);

private:
    ELanguage m_eLanguage = kChinese;
};
