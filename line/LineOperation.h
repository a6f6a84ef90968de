#pragma once

#include "line/LineBackup.h"
#include "link/Connection.h"
#include "model/ValueText.h"

#include <QList>
#include <QMap>
#include <QObject>
#include <QString>

#include <memory>
#include <vector>

class CProcessorLink;
class CProgramBank;

// One operation on many processors of a line, run on the program's own
// link, one processor after the other: the link switches to each (the
// connect sequence for its ID, CProcessorLink::SwitchTo) and the operation
// takes the program's own paths there: the edit path for mutes, the program
// transfers for recalls, backups and restores. Pacing is the link's.
//
// A processor that does not answer, is refused or whose files fail is
// skipped with its reason and the others go on; when the line's connection
// ended with it, the next processor is connected afresh on the same port.
// At the end the link goes back to the processor it edited before (reading
// it again). Every processor ends with processorEnded, the operation with
// finished.
class CLineOperation : public QObject
{
    Q_OBJECT

public:
    struct Result
    {
        int nId = 0;
        bool bOk = false;
        QString strWhy;  // why it was skipped, in the operation's language

        bool operator==(const Result&) const = default;
    };

    // strPort: the line, for processors reached while not connected.
    CLineOperation(CProcessorLink& link, QString strPort, QObject* pParent = nullptr);
    ~CLineOperation() override;

    // The language flag (model/ValueText.h) of the reasons and the summary.
    void SetLanguage(ELanguage eLanguage) { m_eLanguage = eLanguage; }
    // Labels by device ID: the backup's file names carry them.
    void SetLabels(const QMap<int, QString>& labels) { m_labels = labels; }
    // Mute and Unmute skip a processor whose output mute function lock is
    // set, with the reason, as the editor's own mute buttons refuse it; the
    // edit path itself writes past the locks. Off unless set.
    void SetSkipMuteLocked(bool bSkip) { m_bSkipMuteLocked = bSkip; }

    // Each starts the operation on the IDs given (in that order) and
    // returns at once; false, with nothing started, while one runs or with
    // no IDs.
    // The stored programs and the live program of every processor into
    // strFolder, with the index (LineBackup).
    bool Backup(const QList<int>& ids, const QString& strFolder);
    // A backup folder back onto the same IDs: the stored programs, then the
    // live program. An ID the backup lacks is skipped.
    bool Restore(const QList<int>& ids, const QString& strFolder);
    // Outputs (0-based) muted or unmuted; outputs a model lacks are left out.
    bool Mute(const QList<int>& ids, const QList<int>& outputs, bool bMute);
    // Stored program nSlot (1..30) recalled into the live program.
    bool Recall(const QList<int>& ids, int nSlot);

    bool IsRunning() const { return m_ePhase != EPhase::kIdle; }
    // One result per processor handled so far, in order.
    const QList<Result>& Results() const { return m_results; }
    // What ran, e.g. "Backup" or "Recall program 3", in the operation's language.
    QString Title() const;
    // The summary: one line per processor, then how many succeeded.
    QStringList Summary() const;

signals:
    void processorStarted(int nId, int nIndex, int nCount);
    // Frames of the processor's transfer that have gone out.
    void progressAdvanced(int nDone, int nTotal);
    void processorEnded(const CLineOperation::Result& result);
    void finished();

private:
    enum class EKind
    {
        kBackup,
        kRestore,
        kMute,
        kUnmute,
        kRecall,
    };
    enum class EPhase
    {
        kIdle,
        kReaching,   // switching or connecting to the processor
        kTransfer,   // a program transfer runs
        kFlushing,   // waiting until the processor has the edits
        kReturning,  // back to the processor edited before
    };

    bool Begin(EKind eKind, const QList<int>& ids);
    void StartNext();
    void Reach(int nId);
    void OnReached();
    void OnTransferFinished();
    void OnRequestAnswered();
    void OnDisconnected(CConnection::EReason eReason);
    void Succeed();
    void Fail(const QString& strWhy);
    void End();
    int CurrentId() const { return m_ids.value(m_nIndex); }
    bool WriteBackupFiles(QString& strWhy);
    bool ReadRestoreFiles(QString& strWhy);

    CProcessorLink& m_link;
    QString m_strPort;
    ELanguage m_eLanguage;
    QMap<int, QString> m_labels;
    EKind m_eKind = EKind::kBackup;
    EPhase m_ePhase = EPhase::kIdle;
    QList<int> m_ids;
    int m_nIndex = 0;
    QList<Result> m_results;
    QString m_strFolder;
    QList<int> m_outputs;
    int m_nSlot = 0;
    int m_nReturnTo = 0;
    bool m_bConnecting = false;
    bool m_bOwnDisconnect = false;
    bool m_bSecondTransfer = false;
    bool m_bSkipMuteLocked = false;
    // The backup written so far and, for a restore, what goes back.
    QList<LineBackup::Entry> m_entries;
    std::unique_ptr<CProgramBank> m_pBank;
    std::vector<uint8_t> m_abyProgram;
};
