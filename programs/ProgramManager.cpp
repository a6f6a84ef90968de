#include "programs/ProgramManager.h"

#include "model/Audio_Data.h"
#include "model/ValueText.h"
#include "model/FactoryImage.h"
#include "model/LockState.h"
#include "ui/MessageBox.h"
#include "programs/ProgramFile.h"
#include "programs/ProgramTransfer.h"
#include "link/SessionState.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

#include <memory>

namespace
{
// Progress ranges of the main window's bar, by transfer.
constexpr int kBlocksFirst = 1;
constexpr int kBlocksLast = CImageSlot::kBlockCount;
constexpr int kDeleteLast = 3;
constexpr int kStoreAllLast = 2 * CProgramBank::kSlots - 1;
constexpr int kRecallAllLast = 3 * CProgramBank::kSlots - 1;

QString ShowFileDialog(QWidget* pParent, const CProgramManager::FileRequest& request)
{
    const QString strPattern = ProgramFilePattern(request.eKind);
    QFileDialog dialog(pParent);
    dialog.setDirectory(request.strFolder);
    dialog.setNameFilter(ProgramsText(EProgramsText::AllFilesFilter, kEnglish).arg(strPattern));
    dialog.selectFile(strPattern);
    dialog.setAcceptMode(request.bSave ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(request.bSave ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    // The extension may still be appended to the chosen name; the question
    // is asked about the file that will really be replaced.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

// The twelve channel blocks as the record would send them now.
std::vector<uint8_t> ChannelBlocks(CAudio_Data& record)
{
    std::vector<uint8_t> blocks;
    for (int i = 0; i < CAudio_InRoute::kCount; ++i)
    {
        const auto block = record.Input(i).BuildBlock();
        blocks.insert(blocks.end(), block.begin(), block.end());
    }
    for (int i = 0; i < CAudio_OutRoute::kCount; ++i)
    {
        const auto block = record.Output(i).BuildBlock();
        blocks.insert(blocks.end(), block.begin(), block.end());
    }
    return blocks;
}

bool AskYesNo(QWidget* pParent, const QString& strQuestion)
{
    return QMessageBox::question(pParent, CMessageBox::Caption(), strQuestion) == QMessageBox::Yes;
}
}

CProgramManager::CProgramManager(CCommand& command, CAudio_Data& record, CLockState& locks, CProgramTransfer& transfer,
                                 CSessionState& session, std::function<ELanguage()> language,
                                 std::function<bool()> isConnected, QString strMusicFolder, QWidget* pWindow)
    : QObject(pWindow)
    , m_command(command)
    , m_record(record)
    , m_locks(locks)
    , m_transfer(transfer)
    , m_session(session)
    , m_language(std::move(language))
    , m_isConnected(std::move(isConnected))
    , m_strMusicFolder(std::move(strMusicFolder))
    , m_pWindow(pWindow)
    , m_filePicker(ShowFileDialog)
    , m_asker(AskYesNo)
{
    connect(&m_transfer, &CProgramTransfer::finished, this, &CProgramManager::OnTransferFinished);
    Remember(ProgramBlocks());
}

bool CProgramManager::Ask(QWidget* pParent, const QString& strQuestion) const
{
    return m_asker && m_asker(pParent, strQuestion);
}

// ---- the processor's stored programs --------------------------------------------

void CProgramManager::RecallFromDevice(int nSlot)
{
    if (!IsConnected())
        return;
    emit statusChanged();
    emit progressRangeChanged(kBlocksFirst, kBlocksLast);
    m_transfer.RecallFromDevice(nSlot);
}

void CProgramManager::StoreToDevice(int nSlot)
{
    if (!IsConnected())
        return;
    emit statusChanged();
    emit progressRangeChanged(kBlocksFirst, kBlocksLast);
    if (m_transfer.StoreToDevice(nSlot))
        Remember(ProgramBlocks());
}

void CProgramManager::DeleteOnDevice(int nSlot)
{
    if (!IsConnected())
        return;
    emit statusChanged();
    emit progressRangeChanged(kBlocksFirst, kDeleteLast);
    if (!m_transfer.DeleteOnDevice(nSlot))
        return;
    // The slot now holds the factory program; the editor's program counts
    // as edited unless it is that one.
    auto pFactory = std::make_unique<CAudio_Data>();
    CImageSlot factory;
    factory.abyImage = FactoryDefaultImage();
    pFactory->LoadFromImage(factory);
    Remember(ChannelBlocks(*pFactory));
}

// ---- files ---------------------------------------------------------------------

bool CProgramManager::RecallProgramFromPC()
{
    const QString strPath = PickFile(ProgramFileKind::kProgram, false);
    if (strPath.isEmpty())
        return false;
    std::vector<uint8_t> body;
    if (ProgramFile::ReadFileBytes(strPath, body) != ProgramFileError::kNone)
    {
        ShowMessage(EProgramsText::FileReadError);
        return false;
    }
    // Either call checks the whole body before anything changes.
    const bool bLoaded = IsConnected() ? m_transfer.RecallProgramFromPC(body) : m_transfer.LoadProgram(body);
    if (!bLoaded)
    {
        ShowMessage(EProgramsText::FileReadError);
        return false;
    }
    if (IsConnected())
        emit progressRangeChanged(kBlocksFirst, kBlocksLast);
    emit programLoaded();
    emit statusChanged();
    return true;
}

void CProgramManager::StoreProgramToPC()
{
    const QString strPath = PickSavePath(ProgramFileKind::kProgram);
    if (strPath.isEmpty())
        return;
    QString strReason;
    if (ProgramFile::WriteProgramFile(strPath, m_record, m_locks, &strReason) != ProgramFileError::kNone)
        ShowWriteFailure(strReason);
}

bool CProgramManager::RecallAllFromPC()
{
    if (!IsConnected())
        return false;
    const QString strPath = PickFile(ProgramFileKind::kBank, false);
    if (strPath.isEmpty())
        return false;
    CProgramBank bank;
    if (ProgramFile::ReadBankFile(strPath, bank) != ProgramFileError::kNone)
    {
        ShowMessage(EProgramsText::FileReadError);
        return false;
    }
    m_bank = bank;
    emit progressRangeChanged(0, kRecallAllLast);
    m_transfer.RecallAllFromPC(m_bank);
    return true;
}

bool CProgramManager::StoreAllToPC()
{
    if (!IsConnected())
        return false;
    emit progressRangeChanged(0, kStoreAllLast);
    m_bSavingBank = true;
    m_transfer.StoreAllToPC();
    return true;
}

void CProgramManager::OnTransferFinished()
{
    if (!m_bSavingBank)
        return;
    m_bSavingBank = false;
    m_bank = m_transfer.GetBank();
    // The file dialog waits for the user; the engine's answer that ended the
    // transfer is done with first.
    QMetaObject::invokeMethod(this, &CProgramManager::SaveReceivedBank, Qt::QueuedConnection);
}

void CProgramManager::SaveReceivedBank()
{
    const QString strPath = PickSavePath(ProgramFileKind::kBank);
    if (strPath.isEmpty())
        return;
    QString strReason;
    if (ProgramFile::WriteBankFile(strPath, m_bank, &strReason) != ProgramFileError::kNone)
        ShowWriteFailure(strReason);
}

QString CProgramManager::PickFile(ProgramFileKind eKind, bool bSave)
{
    if (!m_filePicker)
        return {};
    return m_filePicker(m_pWindow, FileRequest{eKind, bSave, m_strMusicFolder});
}

QString CProgramManager::PickSavePath(ProgramFileKind eKind)
{
    const QString strChosen = PickFile(eKind, true);
    if (strChosen.isEmpty())
        return {};
    const QString strPath = ProgramFileSavePath(strChosen, eKind);
    if (QFileInfo::exists(strPath)
        && !Ask(m_pWindow, ProgramsText(EProgramsText::ReplaceFile, GetLanguage()).arg(QDir::toNativeSeparators(strPath))))
        return {};
    return strPath;
}

void CProgramManager::ShowMessage(EProgramsText eText) const
{
    CMessageBox::Show(m_pWindow, ProgramsText(eText, GetLanguage()), CMessageBox::EIcon::Warning);
}

void CProgramManager::ShowWriteFailure(const QString& strReason) const
{
    CMessageBox::ShowFailure(m_pWindow, ProgramsText(EProgramsText::FileWriteError, GetLanguage()), strReason);
}

// ---- the program being edited ------------------------------------------------------

std::vector<uint8_t> CProgramManager::ProgramBlocks()
{
    return ChannelBlocks(m_record);
}

bool CProgramManager::IsEdited()
{
    return ProgramBlocks() != m_abyRemembered;
}

void CProgramManager::OnProgramLoaded()
{
    Remember(ProgramBlocks());
}

void CProgramManager::OnDisconnected()
{
    m_transfer.Abort();
    m_bSavingBank = false;
    Remember(ProgramBlocks());
}
