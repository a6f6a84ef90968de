#pragma once

#include "model/FilterImport.h"
#include "model/ValueText.h"

#include <QDialog>
#include <QString>

class CProcessorLink;
class QPushButton;
class QWidget;

// The import window: lists what each EQ band of the channel would become and
// what of the file cannot be imported, before anything changes. Import is
// offered only when some filter of the file reaches a band.
class CFilterImportDlg : public QDialog
{
    Q_OBJECT

public:
    CFilterImportDlg(const FilterImport::Plan& plan, ELanguage language, QWidget* pParent = nullptr);

private:
    QPushButton* m_pImport = nullptr;
};

// Reads the filter set at strPath, shows the import window for the channel
// (notice channel code: inputs, then outputs) and applies the plan when the
// user confirms. A file that cannot be read is reported in a message box.
// True when bands changed.
bool ImportFilterSet(QWidget* pParent, CProcessorLink& link, int nChannelCode, const QString& strPath);
