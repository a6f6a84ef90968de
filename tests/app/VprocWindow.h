#pragma once

// What the main-window tests against the virtual processor share: the
// connection window answered with the processor's port and device ID 1, and
// the bytes the record would send for every channel, to hold against the
// processor's live program.

#include "ConnectDlg.h"
#include "OrvanDlgDlg.h"
#include "ProcessorState.h"
#include "VprocProcess.h"

#include <QComboBox>

#include <algorithm>
#include <span>

inline void AnswerConnectWithProcessor(COrvanDlgDlg& window, const CVprocProcess& vproc)
{
    window.SetDialogRunner([&vproc](QDialog& dialog) {
        auto& connect = dynamic_cast<CConnectDlg&>(dialog);
        connect.findChild<QComboBox*>("PortCombo")->setEditText(vproc.Port());
        auto* ids = connect.findChild<QComboBox*>("DeviceIdCombo");
        ids->setCurrentIndex(ids->findText(QStringLiteral("1")));
        connect.accept();
        return dialog.result();
    });
}

inline CProcessorState::Image BuiltImage(CAudio_Data& record)
{
    CProcessorState::Image image{};
    for (int i = 0; i < CAudio_InRoute::kCount; ++i)
    {
        const auto block = record.Input(i).BuildBlock();
        std::copy(block.begin(), block.end(), image.begin() + CImageSlot::BlockOffset(record.Input(i).GetChannel()));
    }
    for (int i = 0; i < CAudio_OutRoute::kCount; ++i)
    {
        const auto block = record.Output(i).BuildBlock();
        std::copy(block.begin(), block.end(), image.begin() + CImageSlot::BlockOffset(record.Output(i).GetChannel()));
    }
    return image;
}
