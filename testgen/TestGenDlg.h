#pragma once

#include "model/ValueText.h"

#include <QWidget>

class CCHEDlg;
class CFader;
class CGenToggle;
class CNumEdit;
class CNumSpin;
class CProcessorLink;
class CToggleButton;
class QComboBox;
class QLabel;

// The processor's test signal generator, run from the channel strip: its
// controls take the place of the strip's input columns, and a toggle
// between the input and the output columns swaps the two.
//
// Every edit goes into the program record through CProcessorLink::Edit; the
// pump sends the generator frame that the record then owes. While the
// generator runs the processor is in test mode: the strip and the channel
// panels see that in the record and freeze their routing grids. Switching
// the generator or the panel mutes every output, unless the output mute lock
// is set.
class CTestGenDlg : public QWidget
{
    Q_OBJECT

public:
    // Lives in the strip's generator slot; both must outlive it.
    CTestGenDlg(CProcessorLink& link, CCHEDlg& strip);

    // Everything from the record, the panel shown or not as the generator
    // runs or not. At creation and whenever a program has been loaded.
    void RefreshGenerator();
    void ApplyLanguage();

    // The controls, for the owner's tests and screen readers.
    CGenToggle* Toggle() const { return m_pToggle; }
    CToggleButton* OnOff() const { return m_pOnOff; }
    QComboBox* TypeCombo() const { return m_pType; }
    CNumEdit* FreqEdit() const { return m_pFreq; }
    CNumSpin* FreqSpin() const { return m_pFreqSpin; }
    CNumEdit* SweepEdit() const { return m_pSweep; }
    CNumSpin* SweepSpin() const { return m_pSweepSpin; }
    CNumEdit* LevelEdit() const { return m_pLevel; }
    CNumSpin* LevelSpin() const { return m_pLevelSpin; }
    CFader* LevelFader() const { return m_pFader; }
    bool IsShown() const;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void CreateControls();
    void PlaceControls();
    // The record's values into the controls, the layout left as it is.
    void ShowValues();
    void EnableByType(int type);
    void MuteAllOutputs();
    void SetType(int type);
    ELanguage Language() const;

    void OnToggle();
    void OnOnOff();
    void OnTypeChosen(int entry);
    void OnFader(int step);

    CProcessorLink& m_link;
    CCHEDlg& m_strip;
    CGenToggle* m_pToggle = nullptr;
    QLabel* m_pTitle = nullptr;
    QLabel* m_apCaption[4] = {};
    CToggleButton* m_pOnOff = nullptr;
    QComboBox* m_pType = nullptr;
    // Each field with its spin, so enabling by type covers both at once.
    QWidget* m_pFreqBox = nullptr;
    QWidget* m_pSweepBox = nullptr;
    QWidget* m_pLevelBox = nullptr;
    CNumEdit* m_pFreq = nullptr;
    CNumSpin* m_pFreqSpin = nullptr;
    CNumEdit* m_pSweep = nullptr;
    CNumSpin* m_pSweepSpin = nullptr;
    CNumEdit* m_pLevel = nullptr;
    CNumSpin* m_pLevelSpin = nullptr;
    CFader* m_pFader = nullptr;
};
