#pragma once

#include "model/ValueText.h"

#include <QDialog>

class QLabel;
class QPushButton;

// Asks before an output's EQ mode is switched, which deletes its EQ data:
// "OK" goes ahead (accepted), "EXIT" keeps everything (rejected).
class CWarnGEQDlg : public QDialog
{
    Q_OBJECT

public:
    CWarnGEQDlg(ELanguage language, QWidget* parent = nullptr);

    QPushButton* OkButton() const { return m_pOk; }
    QPushButton* ExitButton() const { return m_pExit; }
    QString Text() const;

private:
    QLabel* m_pText = nullptr;
    QPushButton* m_pOk = nullptr;
    QPushButton* m_pExit = nullptr;
};
