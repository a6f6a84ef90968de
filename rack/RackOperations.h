#pragma once

#include "line/LineOperation.h"
#include "model/ValueText.h"

#include <QMap>
#include <QObject>

#include <functional>
#include <memory>

class CProcessorLink;
class CRackModel;
class CRackTable;
class QDialog;
class QLabel;
class QListWidget;
class QProgressBar;
class QTemporaryDir;
class QWidget;

// The rack window's line-wide operations (mute, unmute, recall, backup,
// restore, the two comparisons) on the table's target rows: what each needs
// before it starts, its progress per processor, the summary at the end and
// what the rows learn from it. It also keeps the live program numbers the
// processors cannot tell.
class CRackOperations : public QObject
{
    Q_OBJECT

public:
    enum class EAnswer
    {
        kSendFirst,
        kDiscard,
        kCancel,
    };
    // How the user is asked before the editor leaves its processor.
    using Asker = std::function<EAnswer(QWidget* pParent, const QString& strQuestion)>;
    // How a folder is chosen; empty when the user cancels.
    using FolderAsker = std::function<QString(QWidget* pParent, const QString& strTitle)>;
    // How the table of differences is shown.
    using DialogRunner = std::function<int(QDialog& dialog)>;

    // Where the progress goes.
    struct Display
    {
        QLabel* pStatus = nullptr;
        QProgressBar* pProgress = nullptr;
        QListWidget* pResults = nullptr;
    };

    // The link, model, table, window and asker must outlive the operations;
    // the window is the parent of the boxes and the asker may be replaced.
    CRackOperations(CProcessorLink& link, CRackModel& model, CRackTable& table, QWidget& window, const Asker& asker,
                    const Display& display);
    ~CRackOperations() override;

    // The defaults are the system's folder dialog and exec().
    void SetFolderAsker(FolderAsker asker) { m_folderAsker = std::move(asker); }
    void SetDialogRunner(DialogRunner runner) { m_dialogRunner = std::move(runner); }

    // The port an operation or search goes to: the last connection's, else
    // the last search's.
    static QString Port(const CProcessorLink& link);

    CLineOperation& Operation() { return *m_pOperation; }
    const CLineOperation& Operation() const { return *m_pOperation; }
    // The live program numbers known by device ID.
    const QMap<int, int>& Programs() const { return m_programs; }

    // Mutes or unmutes the outputs written as "1,3-5".
    void StartMute(const QString& strOutputs, bool bMute);
    // The mute toggle of a row's output: the edit path for the edited
    // processor, a quiet line operation for another.
    void ToggleMute(int nId, int nOutput);
    void StartRecall(int nSlot);
    void StartBackup();
    void StartRestore();
    void StartCompareBackups();
    void StartCompareLine();

signals:
    // The window's controls are to be disabled (an operation starts) or
    // enabled again (it has ended).
    void busyChanged(bool bBusy);
    // A line operation has ended and its summary has been shown.
    void operationEnded();

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
    // Checks what an operation on ids needs and readies the display; false
    // when it must not start.
    bool ReadyOperation(const QList<int>& ids, ERun eRun, EAfter eAfter);
    void OnProcessorStarted(int nId, int nIndex, int nCount);
    void OnProcessorEnded(const CLineOperation::Result& result);
    void OnOperationFinished();
    void ShowDiff(const QString& strFirst, const QString& strSecond, const QString& strSecondName,
                  const QList<int>& ids);

    CProcessorLink& m_link;
    CRackModel& m_model;
    CRackTable& m_table;
    QWidget& m_window;
    const Asker& m_asker;
    Display m_display;
    std::unique_ptr<CLineOperation> m_pOperation;
    std::unique_ptr<QTemporaryDir> m_pLineCopy;
    FolderAsker m_folderAsker;
    DialogRunner m_dialogRunner;

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
};
