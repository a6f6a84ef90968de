#pragma once

#include "line/RackModel.h"
#include "line/RackPoll.h"
#include "model/ValueText.h"
#include "rack/RackOperations.h"
#include "rack/RackTable.h"

#include <QDialog>

#include <array>
#include <functional>
#include <memory>

class CProcessorLink;
class CToggleButton;
class QLabel;
class QLineEdit;
class QListWidget;
class QProgressBar;
class QPushButton;
class QSettings;
class QSpinBox;
class QTimer;

// The rack window: the processors of the line, one row each in ID order
// after a search (its own or the Connection window's), kept current by the
// rack poll; Edit moves the editor to the selected processor, and the
// line-wide operations (mute, unmute, recall, backup, restore, compare) run
// on the selected rows, or all of them, with their progress per processor
// and a summary at the end. A mute toggle of the edited processor takes the
// edit path, one of another processor a line operation.
class CRackWindow : public QDialog
{
    Q_OBJECT

public:
    enum EButton : int
    {
        kSearch,
        kEdit,
        kMute,
        kUnmute,
        kRecall,
        kBackup,
        kRestore,
        kCompareBackups,
        kCompareLine,
        kButtonCount,
    };
    using EAnswer = CRackOperations::EAnswer;

    // The link must outlive the window.
    explicit CRackWindow(CProcessorLink& link, QWidget* pParent = nullptr);
    ~CRackWindow() override;

    // How the window asks before it leaves the edited processor; the
    // default is a box with the three choices.
    using Asker = CRackOperations::Asker;
    void SetAsker(Asker asker) { m_asker = std::move(asker); }
    // How a folder is chosen; empty when the user cancels. The default is
    // the system's folder dialog.
    using FolderAsker = CRackOperations::FolderAsker;
    void SetFolderAsker(FolderAsker asker) { m_pOperations->SetFolderAsker(std::move(asker)); }
    // How the table of differences is shown; the default is exec().
    using DialogRunner = CRackOperations::DialogRunner;
    void SetDialogRunner(DialogRunner runner) { m_pOperations->SetDialogRunner(std::move(runner)); }
    // How the editor connects to a processor when it is not connected (the
    // main window's Connect, which tells the user when the port fails).
    using Connector = std::function<bool(const QString& strPort, int nId)>;
    void SetConnector(Connector connector) { m_connector = std::move(connector); }
    // Where the labels are kept; the program's settings unless replaced.
    void SetSettings(std::unique_ptr<QSettings> pSettings);
    // The step of the window's own search; CConnection::kSearchIntervalMs
    // unless changed.
    void SetSearchIntervalMs(int nMs);

    CRackModel& Model() { return m_model; }
    CLineOperation& Operation() { return m_pOperations->Operation(); }
    QTableView* Table() const { return m_pTable; }
    QPushButton* Button(EButton eButton) const { return m_apButton.at(eButton); }
    QLineEdit* OutputsField() const { return m_pOutputs; }
    QSpinBox* SlotBox() const { return m_pSlot; }
    QListWidget* Results() const { return m_pResults; }
    // The mute toggle and the label field of a row; null for an ID not in the rack.
    CToggleButton* MuteToggle(int nId, int nOutput) const { return m_pTable->MuteToggle(nId, nOutput); }
    QLineEdit* LabelField(int nId) const { return m_pTable->LabelField(nId); }

    // Selects the rows of these IDs (none: no row).
    void SelectIds(const QList<int>& ids) { m_pTable->SelectIds(ids); }
    // The IDs an operation takes now: the selected rows, or all.
    QList<int> TargetIds() const { return m_pTable->TargetIds(); }

signals:
    // A line operation has ended and its summary has been shown.
    void operationEnded();

protected:
    void paintEvent(QPaintEvent* pEvent) override;
    void showEvent(QShowEvent* pEvent) override;
    void hideEvent(QHideEvent* pEvent) override;

private:
    ELanguage Language() const;
    void ApplyLanguage();
    void OnSearch();
    void OnSearchEnded();
    void OnEdit();
    void OnLabelEdited(int nId, const QString& strLabel);
    void SetBusy(bool bBusy);

    CProcessorLink& m_link;
    CRackModel m_model;
    CRackPoll m_poll;
    std::unique_ptr<QSettings> m_pSettings;
    Asker m_asker;
    Connector m_connector;

    CRackTable* m_pTable = nullptr;
    std::array<QPushButton*, kButtonCount> m_apButton{};
    QLabel* m_pOutputsLabel = nullptr;
    QLineEdit* m_pOutputs = nullptr;
    QSpinBox* m_pSlot = nullptr;
    QLabel* m_pStatus = nullptr;
    QProgressBar* m_pProgress = nullptr;
    QListWidget* m_pResults = nullptr;
    QTimer* m_pSearchTimer = nullptr;
    std::unique_ptr<CRackOperations> m_pOperations;

    // The processor edited before the rack's own search, connected again after.
    int m_nResumeId = 0;
    QString m_strSearchPort;
};
