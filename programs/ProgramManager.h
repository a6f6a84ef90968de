#pragma once

#include "model/ProgramBank.h"
#include "model/ValueText.h"
#include "programs/ProgramFileKind.h"
#include "programs/ProgramsText.h"

#include <QObject>
#include <QString>

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class CAudio_Data;
class CCommand;
class CLockState;
class CProgramTransfer;
class CSessionState;
class QWidget;

// The program manager's operations behind the "Program" window: moving
// programs between the processor, the program being edited and files. The
// window is modal and closes as soon as an operation has started; this
// object lives as long as the main window and sees each transfer through,
// down to saving the thirty programs once the last has arrived.
//
// The transfers themselves are CProgramTransfer's. Operations that talk to
// the processor do nothing without a connection, except that a program
// file can be loaded into the editor without one. Whoever drives the
// connection calls OnProgramLoaded and OnDisconnected.
class CProgramManager : public QObject
{
    Q_OBJECT

public:
    static constexpr int kSlots = CProgramBank::kSlots;

    // What a file dialog is asked for. The folder is "MusicFile".
    struct FileRequest
    {
        ProgramFileKind eKind = ProgramFileKind::kProgram;
        bool bSave = false;
        QString strFolder;
    };
    // Returns the chosen path, or an empty string when the user cancelled.
    // The default shows the system's file dialog.
    using FilePicker = std::function<QString(QWidget* pParent, const FileRequest& request)>;
    // Asks a yes/no question; true for yes.
    using Asker = std::function<bool(QWidget* pParent, const QString& strQuestion)>;

    // session: the processor link's program names and program number.
    // pWindow: the parent of file dialogs and message boxes.
    CProgramManager(CCommand& command, CAudio_Data& record, CLockState& locks, CProgramTransfer& transfer,
                    CSessionState& session, std::function<ELanguage()> language, std::function<bool()> isConnected,
                    QString strMusicFolder, QWidget* pWindow);

    void SetFilePicker(FilePicker picker) { m_filePicker = std::move(picker); }
    void SetAsker(Asker asker) { m_asker = std::move(asker); }

    bool IsConnected() const { return m_isConnected(); }
    ELanguage GetLanguage() const { return m_language(); }
    // The program names and the current program number (the slot of the
    // last load, store or delete), kept by the processor link, which tells
    // of every change.
    CSessionState& Session() { return m_session; }
    const CSessionState& Session() const { return m_session; }
    CAudio_Data& Record() { return m_record; }
    const CLockState& Locks() const { return m_locks; }
    // The 30 programs last read from a file or received from the processor.
    const CProgramBank& Bank() const { return m_bank; }
    // Asks the user (through the asker) a yes/no question.
    bool Ask(QWidget* pParent, const QString& strQuestion) const;

    // ---- the operations (slots 1..30) -------------------------------------
    void RecallFromDevice(int nSlot);
    void StoreToDevice(int nSlot);
    void DeleteOnDevice(int nSlot);
    // True when a file was loaded into the editor (and, when connected,
    // sent into the live program).
    bool RecallProgramFromPC();
    void StoreProgramToPC();
    // True when a file was read and its programs are being sent.
    bool RecallAllFromPC();
    // True when the reading has started; the file is asked for and written
    // once all thirty programs have arrived.
    bool StoreAllToPC();

    // ---- the program being edited ----------------------------------------
    // True when the editor's program differs from the one it last took from
    // or gave to a stored program (or read from the processor).
    bool IsEdited();

    // The connection has put a program read from the processor into the
    // record (after connecting, or a recall).
    void OnProgramLoaded();
    // The connection has gone: a transfer under way ends unfinished and no
    // file is written.
    void OnDisconnected();

signals:
    // The main window's progress bar runs over this range for the transfer
    // just started; the positions arrive with the engine's progress.
    void progressRangeChanged(int nMinimum, int nMaximum);
    // What the owner's status shows of the record (its name) may have
    // changed: sent as soon as a slot operation starts or a file has been
    // loaded, so the status never goes on showing the program before. The
    // program number is told by the session state.
    void statusChanged();
    // A program file has been loaded into the record: every panel reloads.
    void programLoaded();

private:
    QString PickFile(ProgramFileKind eKind, bool bSave);
    // The save path with its extension; empty when cancelled or the user
    // would not replace an existing file.
    QString PickSavePath(ProgramFileKind eKind);
    void ShowMessage(EProgramsText eText) const;
    // The write failure message with the system's reason.
    void ShowWriteFailure(const QString& strReason) const;
    void OnTransferFinished();
    void SaveReceivedBank();
    std::vector<uint8_t> ProgramBlocks();
    void Remember(std::vector<uint8_t> blocks) { m_abyRemembered = std::move(blocks); }

    CCommand& m_command;
    CAudio_Data& m_record;
    CLockState& m_locks;
    CProgramTransfer& m_transfer;
    CSessionState& m_session;
    std::function<ELanguage()> m_language;
    std::function<bool()> m_isConnected;
    QString m_strMusicFolder;
    QWidget* m_pWindow;
    FilePicker m_filePicker;
    Asker m_asker;
    CProgramBank m_bank;
    bool m_bSavingBank = false;
    // The channel blocks of the program last recalled, stored or read.
    std::vector<uint8_t> m_abyRemembered;
};
