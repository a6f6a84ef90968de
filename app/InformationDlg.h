#pragma once

#include "model/ValueText.h"

#include <QDialog>

#include <array>
#include <functional>

class CAudio_Data;
class CCommand;
class CLockState;
class CTypedTextValidator;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The "System" window: the language of this program, the processor's
// backlight and power-on behaviour, its information texts and its version.
// Backlight and power-on changes go into the record at once and, when
// connected, are queued for the processor; the information texts only on
// OK. It opens without a processor too, since the language is switched here.
class CInformationDlg : public QDialog
{
    Q_OBJECT

public:
    static constexpr int kInfoTexts = 7;
    // Texts 1, 2, 3, 4 and 7 have rows; 5 and 6 pass through unseen.
    static constexpr std::array<int, 5> kShownTexts{0, 1, 2, 3, 6};

    // The record holds the processor's settings as the connection read
    // them; frames go to the engine's queue.
    CInformationDlg(CAudio_Data& record, const CLockState& locks, CCommand& command,
                    std::function<bool()> isConnected, ELanguage eLanguage, QWidget* pParent);

    ELanguage Language() const { return m_eLanguage; }

signals:
    // The language button was pressed: the program switches to eLanguage.
    void languageSwitched(ELanguage eLanguage);

protected:
    void changeEvent(QEvent* pEvent) override;

private:
    void BuildUi();
    void RetranslateUi();
    void FillLists();
    void ShowTexts();
    void OnBacklightChanged(int nIndex);
    void OnPowerOnChanged(int nIndex);
    void OnLanguageButton();
    void OnOk();

    CAudio_Data& m_record;
    const CLockState& m_locks;
    CCommand& m_command;
    std::function<bool()> m_isConnected;
    ELanguage m_eLanguage;
    bool m_bSwitched = false;
    int m_nBacklight = 0;
    int m_nPowerOn = 0;

    QGroupBox* m_pLanguageGroup = nullptr;
    QPushButton* m_pLanguageButton = nullptr;
    QLabel* m_pVersionLabel = nullptr;
    QLabel* m_pVersion = nullptr;
    QLabel* m_pBacklightLabel = nullptr;
    QComboBox* m_pBacklight = nullptr;
    QLabel* m_pPowerOnLabel = nullptr;
    QComboBox* m_pPowerOn = nullptr;
    QGroupBox* m_pInfoGroup = nullptr;
    std::array<QLabel*, kShownTexts.size()> m_apRowLabel{};
    std::array<QLineEdit*, kInfoTexts> m_apText{};
    std::array<CTypedTextValidator*, kInfoTexts> m_apValidator{};
    QPushButton* m_pOk = nullptr;
};
