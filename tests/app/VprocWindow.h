#pragma once

// What the main-window tests against the virtual processor share: the
// connection window answered with the processor's port and device ID 1, the
// bytes the record would send for every channel, the processor's state as it
// saves it when it ends, and mouse events as the platform delivers them.

#include "ConnectDlg.h"
#include "OrvanDlgDlg.h"
#include "ProcessorState.h"
#include "StateFile.h"
#include "VprocProcess.h"

#include <QApplication>
#include <QComboBox>
#include <QMouseEvent>

#include <gtest/gtest.h>

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

inline CProcessorState StopAndReadState(CVprocProcess& vproc, const QString& strStateFile)
{
    vproc.Stop();
    CProcessorState state;
    std::string error;
    EXPECT_TRUE(CStateFile::Load(strStateFile.toStdString(), state, error)) << error;
    return state;
}

inline void SendMouse(QWidget& widget, QEvent::Type type, QPointF pos, Qt::MouseButton button,
                      Qt::MouseButtons held)
{
    QMouseEvent event(type, pos, widget.mapToGlobal(pos), button, held, Qt::NoModifier);
    QApplication::sendEvent(&widget, &event);
}
