#pragma once

#include "line/LineDiff.h"
#include "model/ValueText.h"

#include <QDialog>

class QTableWidget;

// The differences of two line backups, or of a backup and the line, as a
// table: device ID, channel, parameter, the first side's value and the
// second's. One line says so when there is none.
class CRackDiffDlg : public QDialog
{
    Q_OBJECT

public:
    CRackDiffDlg(const QList<LineDiff::Row>& rows, const QString& strTitle, ELanguage eLanguage, QWidget* pParent = nullptr);

    QTableWidget* Table() const { return m_pTable; }

private:
    QTableWidget* m_pTable = nullptr;
};
