#pragma once

#include "line/LineDiff.h"
#include "line/LineOperation.h"
#include "line/RackModel.h"
#include "line/RackPoll.h"
#include "model/ValueText.h"

#include <QDialog>
#include <QMap>

#include <array>
#include <functional>
#include <memory>

class CProcessorLink;
class CRackViewModel;
class CToggleButton;
class QLabel;
class QLineEdit;
class QListWidget;
class QProgressBar;
class QPushButton;
class QSettings;
class QSpinBox;
class QTableView;
class QTemporaryDir;
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
    enum class EAnswer
    {
        kSendFirst,
        kDiscard,
        kCancel,
    };

    // The link must outlive the window.
    explicit CRackWindow(CProcessorLink& link, QWidget* pParent = nullptr);
    ~CRackWindow() override;

    // How the window asks before it leaves the edited processor; the
    // default is a box with the three choices.
    using Asker = std::function<EAnswer(QWidget* pParent, const QString& strQuestion)>;
    void SetAsker(Asker asker) { m_asker = std::move(asker); }
    // How a folder is chosen; empty when the user cancels. The default is
    // the system's folder dialog.
    using FolderAsker = std::function<QString(QWidget* pParent, const QString& strTitle)>;
    void SetFolderAsker(FolderAsker asker) { m_folderAsker = std::move(asker); }
    // How the table of differences is shown; the default is exec().
    using DialogRunner = std::function<int(QDialog& dialog)>;
    void SetDialogRunner(DialogRunner runner) { m_dialogRunner = std::move(runner); }
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
    CLineOperation& Operation() { return *m_pOperation; }
    QTableView* Table() const { return m_pTable; }
    QPushButton* Button(EButton eButton) const { return m_apButton.at(eButton); }
    QLineEdit* OutputsField() const { return m_pOutputs; }
    QSpinBox* SlotBox() const { return m_pSlot; }
    QListWidget* Results() const { return m_pResults; }
    // The mute toggle and the label field of a row; null for an ID not in the rack.
    CToggleButton* MuteToggle(int nId, int nOutput) const;
    QLineEdit* LabelField(int nId) const;

    // Selects the rows of these IDs (none: no row).
    void SelectIds(const QList<int>& ids);
    // The IDs an operation takes now: the selected rows, or all.
    QList<int> TargetIds() const;

signals:
    // A line operation has ended and its summary has been shown.
    void operationEnded();

protected:
    void paintEvent(QPaintEvent* pEvent) override;
    void showEvent(QShowEvent* pEvent) override;
    void hideEvent(QHideEvent* pEvent) override;

private:
    enum class ERun
    {
        kMute,   // mute or unmute: the rows learn the mutes sent
        kRecall, // the rows learn the program number
        kOther,
    };
    enum class EAfter
    {
        kSummary,     // the summary box
        kQuietToggle, // a single toggle: a box only when it failed
        kCompareLine, // the comparison with the backup just taken
    };

    ELanguage Language() const;
    QString Port() const;
    void ApplyLanguage();
    void BuildRowWidgets();
    void RefreshRowWidgets();
    CToggleButton* MakeMuteToggle(int nId, int nOutput);
    void OnSearch();
    void OnSearchEnded();
    void OnEdit();
    void OnSwitched(int nId);
    void OnMuteToggle(int nId, int nOutput);
    void OnLabelEdited(int nId);
    void StartMute(bool bMute);
    void StartRecall();
    void StartBackup();
    void StartRestore();
    void StartCompareBackups();
    void StartCompareLine();
    // Checks what an operation on ids needs and readies the window; false
    // when it must not start.
    bool ReadyOperation(const QList<int>& ids, ERun eRun, EAfter eAfter);
    void BeginProgress();
    void OnProcessorStarted(int nId, int nIndex, int nCount);
    void OnProcessorEnded(const CLineOperation::Result& result);
    void OnOperationFinished();
    void ShowDiff(const QString& strFirst, const QString& strSecond, const QString& strSecondName,
                  const QList<int>& ids);
    void SetBusy(bool bBusy);

    CProcessorLink& m_link;
    CRackModel m_model;
    CRackPoll m_poll;
    CRackViewModel* m_pView = nullptr;
    std::unique_ptr<CLineOperation> m_pOperation;
    std::unique_ptr<QSettings> m_pSettings;
    std::unique_ptr<QTemporaryDir> m_pLineCopy;
    Asker m_asker;
    FolderAsker m_folderAsker;
    DialogRunner m_dialogRunner;
    Connector m_connector;

    QTableView* m_pTable = nullptr;
    std::array<QPushButton*, kButtonCount> m_apButton{};
    QLabel* m_pOutputsLabel = nullptr;
    QLineEdit* m_pOutputs = nullptr;
    QSpinBox* m_pSlot = nullptr;
    QLabel* m_pStatus = nullptr;
    QProgressBar* m_pProgress = nullptr;
    QListWidget* m_pResults = nullptr;
    QTimer* m_pSearchTimer = nullptr;

    // What the last operation was for: its outputs, slot and what follows it.
    ERun m_eRun = ERun::kOther;
    EAfter m_eAfter = EAfter::kSummary;
    QList<int> m_outputs;
    bool m_bMute = false;
    int m_nSlot = 0;
    QString m_strCompareFirst;
    QList<int> m_compareIds;
    // The live program numbers known: the processors cannot tell them, so
    // they come from the recalls the program made.
    QMap<int, int> m_programs;
    // The processor edited before the rack's own search, connected again after.
    int m_nResumeId = 0;
    QString m_strSearchPort;
};
